// TQRPageList: the store of a report run's finished pages, and the page
// store file (.QRP) that its stream is at the same time.
//
// Layout (little-endian): a 128-byte header (int16 3, int16 40, int32 page
// count at 8, double creation time at 16, compressed flag at 25, the rest
// zero), then one record per page, page 1 first:
//   int32 page number, int32 offset of the next record (this record's end),
//   payload, int32 offset of this record's first byte.
// An uncompressed payload is the page's metafile bytes; a compressed one is
// an int32 byte count followed by those bytes coded from a fresh code tree
// (qrcompress.h).
// Older 124- and 96-byte headers are read, never written.
//
// Files come from outside, so loading checks the whole record chain first
// (page numbers 1..count in order, links inside the file and past their
// record, back-pointers to their record, plausible coded counts) and raises
// EQRPageFileError for anything else; pages are then found through the
// checked record offsets, never by following links of unknown trust.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "classlib/classes/threads.h"
#include "reportengine/qrstream.h"

#ifdef _WIN32
class TMetafile;
#endif

DOZURI_EXCEPTION(EQRPageFileError, EReadError);

extern const char* const SQRInvalidPageFile;  // "Not a valid report page file"

class TQRPageList {
public:
  using TPageData = std::vector<std::uint8_t>;
  static constexpr int CurrentHeaderSize = 128;

  TQRPageList() = default;
  ~TQRPageList() = default;
  TQRPageList(const TQRPageList&) = delete;
  TQRPageList& operator=(const TQRPageList&) = delete;

  // The stream of a run (memory form); the list frees one still attached
  // when it dies.
  void AttachStream(std::unique_ptr<TQRStream> stream);
  std::unique_ptr<TQRStream> DetachStream();
  TQRStream* Stream() const { return stream_.get(); }

  bool Compression() const { return compression_; }
  void SetCompression(bool value) { compression_ = value; }
  std::int32_t PageCount() const { return pageCount_; }

  // Appends one page's metafile bytes as a record.
  void AddPageData(const TPageData& payload);
  // The metafile bytes of page N (1-based); nothing for N outside 1..PageCount.
  std::optional<TPageData> GetPageData(std::int32_t pageNumber);

#ifdef _WIN32
  // Appends one page; the list does not take the metafile.
  void AddPage(TMetafile& page);
  // A new metafile of page N, or nothing for N outside 1..PageCount.
  std::unique_ptr<TMetafile> GetPage(std::int32_t pageNumber);
#endif

  // Writes the header with the final page count. Also called for an empty or
  // aborted run, so its file still loads.
  void Finish();
  void WriteHeader();
  void ReadHeader();
  // No pages any more; the run's own stream is cut to nothing, so the next
  // pages and a save start afresh.
  void Clear();

  void LoadFromFile(const AnsiString& fileName);
  // Writes the stream's bytes to fileName through a temporary file in the
  // same folder, so a failed save never destroys the old file; saving a
  // loaded store onto its own file leaves it as it is.
  void SaveToFile(const AnsiString& fileName);

  void SeekToFirst();
  void SeekToLast();
  void SeekToPage(std::int32_t pageNumber);

  void LockList() { lock_.Enter(); }
  void UnlockList() { lock_.Leave(); }

private:
  struct Record {
    std::int64_t Start;
    std::int64_t End;
  };
  TQRStream& RequireStream();
  void EnsureStream();
  Record AppendRecord(const TPageData& payload);
  std::int64_t LogicalEnd() const;
  void CutAtLogicalEnd();
  void IndexRecords(std::int64_t headerSize);
  Record CheckedRecord(std::int64_t start, std::int32_t expectedNumber, std::int64_t fileSize);
  std::int32_t ReadInt32At(std::int64_t offset);

  TCriticalSection lock_;
  std::unique_ptr<TQRStream> stream_;
  bool compression_ = false;
  std::int32_t pageCount_ = 0;
  std::vector<Record> records_;
};
