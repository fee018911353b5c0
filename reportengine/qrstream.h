// TQRStream: the byte stream that holds a report run's pages.
//
// It lives in memory while it is small and moves itself, once and for good,
// to a temporary file "QRP*.tmp" when it grows past MemoryLimit, so small
// reports never touch the disk. It can also be opened read-only on an
// existing page store file, which it then never deletes. Every operation
// holds the stream's lock: a worker thread writes pages while the preview
// reads them.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/classes/streams.h"
#include "classlib/classes/threads.h"

class TQRStream : public TStream {
public:
  static constexpr std::int32_t DefaultMemoryLimit = 250000;

  explicit TQRStream(std::int32_t memoryLimit = DefaultMemoryLimit);
  // Opens a page store file read-only; other programs may read and write it.
  static std::unique_ptr<TQRStream> CreateFromFile(const AnsiString& fileName);
  ~TQRStream() override;

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  // Cuts (or extends) the stream to newSize bytes and leaves it positioned there.
  void SetSize(std::int64_t newSize) override;

  // Copies the whole stream from its start in blocks of 10240 bytes; the
  // stream is left at its end.
  void SaveToStream(TStream& target);

  void Lock() { lock_.Enter(); }
  void Unlock() { lock_.Leave(); }
  // The page store header's size found at the start: 128, 124 or 96.
  int HeaderSize();

  bool InMemory() const { return inMemory_; }
  std::int32_t MemoryLimit() const { return memoryLimit_; }
  // The temporary file's name once spilled; empty otherwise.
  const AnsiString& FileName() const { return fileName_; }
  // The file a stream opened with CreateFromFile reads.
  const AnsiString& SourceFileName() const { return sourceFileName_; }

private:
  struct FromFileTag {};
  TQRStream(FromFileTag, const AnsiString& fileName);
  TStream& Current();
  void SpillToFile();
  bool ProbeEmfAt(std::int64_t offset);

  TCriticalSection lock_;
  bool inMemory_ = true;
  std::unique_ptr<TMemoryStream> memory_;
  std::unique_ptr<TFileStream> file_;
  std::int32_t memoryLimit_ = DefaultMemoryLimit;
  AnsiString fileName_;
  AnsiString sourceFileName_;
};

// Holds a critical section for the lifetime of the scope, on every path out.
class TCriticalSectionScope {
public:
  explicit TCriticalSectionScope(TCriticalSection& section) : section_(section) { section_.Enter(); }
  ~TCriticalSectionScope() { section_.Leave(); }
  TCriticalSectionScope(const TCriticalSectionScope&) = delete;
  TCriticalSectionScope& operator=(const TCriticalSectionScope&) = delete;

private:
  TCriticalSection& section_;
};
