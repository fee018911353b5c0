#include "reportengine/qrpagelist.h"

#include <cstring>

#include "classlib/system/datetime.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/strutils.h"
#include "reportengine/qrcompress.h"

const char* const SQRInvalidPageFile = "Not a valid report page file";

namespace {

[[noreturn]] void Invalid() { throw EQRPageFileError(SQRInvalidPageFile); }

void PutInt32(unsigned char* at, std::int32_t value) { std::memcpy(at, &value, 4); }

void WriteInt32(TStream& stream, std::int32_t value) { stream.WriteBuffer(&value, 4); }

std::int32_t ReadInt32(TStream& stream) {
  std::int32_t value;
  if (stream.Read(&value, 4) != 4)
    Invalid();
  return value;
}

// Reading stops at whatever a damaged file claims: records are at least a
// number, a link and a back-pointer long.
constexpr std::int64_t RecordOverhead = 12;

// A coded payload of codedSize bytes can hold count bytes: every byte takes at
// least one bit to code.
bool PlausibleCodedCount(std::int32_t count, std::int64_t codedSize) {
  return codedSize >= 0 && count >= 0 && count <= codedSize * 8;
}

AnsiString NormalizedPath(AnsiString path) {
  for (char& c : path)
    if (c == '/')
      c = '\\';
  return path;
}

}  // namespace

void TQRPageList::AttachStream(std::unique_ptr<TQRStream> stream) {
  TCriticalSectionScope hold(lock_);
  stream_ = std::move(stream);
  records_.clear();
  pageCount_ = 0;
}

std::unique_ptr<TQRStream> TQRPageList::DetachStream() {
  TCriticalSectionScope hold(lock_);
  records_.clear();
  return std::move(stream_);
}

TQRStream& TQRPageList::RequireStream() {
  if (!stream_)
    throw EStreamError("The page list has no stream");
  return *stream_;
}

void TQRPageList::EnsureStream() {
  if (!stream_)
    stream_ = std::make_unique<TQRStream>();
}

void TQRPageList::AddPageData(const TPageData& payload) {
  TCriticalSectionScope hold(lock_);
  EnsureStream();
  ++pageCount_;
  try {
    records_.push_back(AppendRecord(payload));
  } catch (...) {
    // A write that failed (a full disk) adds no page: the count stays that of
    // the records there are, and the broken record is cut off, so the stream
    // (and a store saved from it) ends with its last whole record.
    --pageCount_;
    try {
      CutAtLogicalEnd();
    } catch (...) {
      // The write's own error is the one to report; the next page starts at
      // the logical end all the same.
    }
    throw;
  }
}

// Where the stream's content ends: after the last whole record, or at 0 for a
// list without pages (the first page writes the header again, and saving an
// empty list writes one).
std::int64_t TQRPageList::LogicalEnd() const {
  if (!records_.empty())
    return records_.back().End;
  return 0;
}

// Only a run's own stream is cut: a store opened from a file is the user's.
void TQRPageList::CutAtLogicalEnd() {
  if (!stream_ || !stream_->SourceFileName().empty())
    return;
  if (stream_->Size() > LogicalEnd())
    stream_->SetSize(LogicalEnd());
}

// Writes record pageCount_ right after the last whole record.
TQRPageList::Record TQRPageList::AppendRecord(const TPageData& payload) {
  TQRStream& stream = *stream_;
  if (pageCount_ == 1)
    WriteHeader();
  const std::int64_t start = records_.empty() ? CurrentHeaderSize : records_.back().End;
  stream.Seek(start, soBeginning);
  WriteInt32(stream, pageCount_);
  const std::int64_t linkAt = stream.Position();
  WriteInt32(stream, static_cast<std::int32_t>(linkAt));
  if (compression_) {
    WriteInt32(stream, static_cast<std::int32_t>(payload.size()));
    const std::vector<std::uint8_t> coded = QRCompressBlock(payload.data(), payload.size());
    stream.WriteBuffer(coded.data(), static_cast<std::int32_t>(coded.size()));
  } else {
    stream.WriteBuffer(payload.data(), static_cast<std::int32_t>(payload.size()));
  }
  WriteInt32(stream, static_cast<std::int32_t>(start));
  const std::int64_t end = stream.Position();
  stream.Seek(linkAt, soBeginning);
  WriteInt32(stream, static_cast<std::int32_t>(end));
  stream.Seek(end, soBeginning);
  return {start, end};
}

std::optional<TQRPageList::TPageData> TQRPageList::GetPageData(std::int32_t pageNumber) {
  TCriticalSectionScope hold(lock_);
  if (pageNumber < 1 || pageNumber > pageCount_ || !stream_)
    return std::nullopt;
  TQRStream& stream = *stream_;
  const Record record = records_.at(static_cast<std::size_t>(pageNumber - 1));
  const std::int64_t payloadStart = record.Start + 8;
  const std::int64_t payloadSize = record.End - 4 - payloadStart;
  TPageData page;
  stream.Seek(payloadStart, soBeginning);
  if (!compression_) {
    page.resize(static_cast<std::size_t>(payloadSize));
    stream.ReadBuffer(page.data(), static_cast<std::int32_t>(payloadSize));
  } else {
    // The flag may have been set after the pages were stored (a report's
    // option applied to a loaded store), so the record is checked again here.
    const std::int64_t codedSize = payloadSize - 4;
    const std::int32_t count = ReadInt32(stream);
    if (!PlausibleCodedCount(count, codedSize))
      Invalid();
    std::vector<std::uint8_t> coded(static_cast<std::size_t>(codedSize));
    stream.ReadBuffer(coded.data(), static_cast<std::int32_t>(coded.size()));
    page.resize(static_cast<std::size_t>(count));
    if (!QRExpandBlock(coded.data(), coded.size(), page.size(), page.data()))
      Invalid();
  }
  stream.Seek(record.End, soBeginning);
  return page;
}

void TQRPageList::Finish() {
  TCriticalSectionScope hold(lock_);
  EnsureStream();
  WriteHeader();
  stream_->Seek(0, soEnd);
}

void TQRPageList::WriteHeader() {
  TQRStream& stream = RequireStream();
  unsigned char header[CurrentHeaderSize] = {};
  const std::int16_t magic[2] = {3, 40};
  std::memcpy(header, magic, 4);
  PutInt32(header + 8, pageCount_);
  const double created = Now();
  std::memcpy(header + 16, &created, 8);
  header[25] = compression_ ? 1 : 0;
  stream.Seek(0, soBeginning);
  stream.WriteBuffer(header, CurrentHeaderSize);
}

void TQRPageList::ReadHeader() {
  TQRStream& stream = RequireStream();
  const int size = stream.HeaderSize();
  unsigned char header[CurrentHeaderSize] = {};
  stream.Seek(0, soBeginning);
  if (stream.Read(header, size) != size)
    Invalid();
  std::int32_t count;
  std::memcpy(&count, header + 8, 4);
  pageCount_ = count;
  if (size == 124)
    compression_ = header[21] != 0;
  else if (size == 96)
    compression_ = false;
  else
    compression_ = header[25] != 0;
}

void TQRPageList::Clear() {
  TCriticalSectionScope hold(lock_);
  pageCount_ = 0;
  records_.clear();
  CutAtLogicalEnd();
}

std::int32_t TQRPageList::ReadInt32At(std::int64_t offset) {
  stream_->Seek(offset, soBeginning);
  return ReadInt32(*stream_);
}

TQRPageList::Record TQRPageList::CheckedRecord(std::int64_t start, std::int32_t expectedNumber,
                                               std::int64_t fileSize) {
  if (start + RecordOverhead > fileSize)
    Invalid();
  if (ReadInt32At(start) != expectedNumber)
    Invalid();
  const std::int64_t end = ReadInt32At(start + 4);
  if (end < start + RecordOverhead || end > fileSize)
    Invalid();
  if (ReadInt32At(end - 4) != start)
    Invalid();
  if (compression_) {
    if (!PlausibleCodedCount(ReadInt32At(start + 8), end - start - RecordOverhead - 4))
      Invalid();
  }
  return {start, end};
}

void TQRPageList::IndexRecords(std::int64_t headerSize) {
  const std::int64_t fileSize = stream_->Size();
  if (pageCount_ < 0 || pageCount_ > (fileSize - headerSize) / RecordOverhead)
    Invalid();
  records_.clear();
  records_.reserve(static_cast<std::size_t>(pageCount_));
  std::int64_t start = headerSize;
  for (std::int32_t number = 1; number <= pageCount_; ++number) {
    const Record record = CheckedRecord(start, number, fileSize);
    records_.push_back(record);
    start = record.End;
  }
  stream_->Seek(0, soEnd);
}

void TQRPageList::LoadFromFile(const AnsiString& fileName) {
  TCriticalSectionScope hold(lock_);
  stream_.reset();
  records_.clear();
  pageCount_ = 0;
  std::unique_ptr<TQRStream> loaded = TQRStream::CreateFromFile(fileName);
  stream_ = std::move(loaded);
  try {
    if (stream_->Size() < 96)
      Invalid();
    ReadHeader();
    IndexRecords(stream_->HeaderSize());
  } catch (const EQRPageFileError&) {
    stream_.reset();
    pageCount_ = 0;
    records_.clear();
    throw;
  } catch (const EStreamError&) {
    stream_.reset();
    pageCount_ = 0;
    records_.clear();
    Invalid();
  }
}

void TQRPageList::SaveToFile(const AnsiString& fileName) {
  TCriticalSectionScope hold(lock_);
  EnsureStream();
  if (stream_->Size() == 0)
    WriteHeader();
  const AnsiString& source = stream_->SourceFileName();
  if (!source.empty() && AnsiSameText(NormalizedPath(source), NormalizedPath(fileName)))
    return;
  ReplaceFileSafely(fileName, "QRP", [this](const AnsiString& temporary) {
    TFileStream target(temporary, fmCreate | fmShareExclusive);
    stream_->SaveToStream(target);
  });
}

void TQRPageList::SeekToFirst() {
  TCriticalSectionScope hold(lock_);
  TQRStream& stream = RequireStream();
  stream.Seek(stream.HeaderSize(), soBeginning);
}

void TQRPageList::SeekToLast() {
  TCriticalSectionScope hold(lock_);
  if (records_.empty())
    return SeekToFirst();
  RequireStream().Seek(records_.back().Start, soBeginning);
}

void TQRPageList::SeekToPage(std::int32_t pageNumber) {
  TCriticalSectionScope hold(lock_);
  if (pageNumber < 1 || pageNumber > static_cast<std::int32_t>(records_.size()))
    return;
  RequireStream().Seek(records_[static_cast<std::size_t>(pageNumber - 1)].Start, soBeginning);
}
