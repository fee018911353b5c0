#include "reportengine/qrstream.h"

#include <cstring>

#include "classlib/system/fileutils.h"


TQRStream::TQRStream(std::int32_t memoryLimit)
    : memory_(std::make_unique<TMemoryStream>()), memoryLimit_(memoryLimit) {}

TQRStream::TQRStream(FromFileTag, const AnsiString& fileName)
    : inMemory_(false),
      file_(std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyNone)),
      memoryLimit_(0),
      sourceFileName_(fileName) {}

std::unique_ptr<TQRStream> TQRStream::CreateFromFile(const AnsiString& fileName) {
  return std::unique_ptr<TQRStream>(new TQRStream(FromFileTag{}, fileName));
}

TQRStream::~TQRStream() {
  TCriticalSectionScope hold(lock_);
  memory_.reset();
  file_.reset();
  // Only a spill file of our own has a name here: a page store opened with
  // CreateFromFile is the user's and stays.
  if (!fileName_.empty() && FileExists(fileName_))
    DeleteFile(fileName_);
}

TStream& TQRStream::Current() {
  if (inMemory_)
    return *memory_;
  return *file_;
}

std::int32_t TQRStream::Read(void* buffer, std::int32_t count) {
  TCriticalSectionScope hold(lock_);
  return Current().Read(buffer, count);
}

std::int32_t TQRStream::Write(const void* buffer, std::int32_t count) {
  TCriticalSectionScope hold(lock_);
  const std::int32_t written = Current().Write(buffer, count);
  if (inMemory_ && memory_->Size() > static_cast<std::int64_t>(memoryLimit_))
    SpillToFile();
  return written;
}

std::int64_t TQRStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  TCriticalSectionScope hold(lock_);
  return Current().Seek(offset, origin);
}

void TQRStream::SetSize(std::int64_t newSize) {
  TCriticalSectionScope hold(lock_);
  Current().SetSize(newSize);
  Current().Seek(newSize, soBeginning);
}

// Moves the data to a new temporary file. A spill is always set off by a
// write at the end, so the file stream ends where the memory position was.
void TQRStream::SpillToFile() {
  const AnsiString name = CreateTempFile(AnsiString(), "QRP");
  fileName_ = name;
  // The system made the empty file; it is opened anew for us alone.
  file_ = std::make_unique<TFileStream>(name, fmCreate | fmShareExclusive);
  const std::int64_t position = memory_->Position();
  memory_->SetPosition(0);
  file_->CopyFrom(*memory_, memory_->Size());
  file_->Seek(position, soBeginning);
  memory_.reset();
  inMemory_ = false;
}

void TQRStream::SaveToStream(TStream& target) {
  TCriticalSectionScope hold(lock_);
  TStream& source = Current();
  source.Seek(0, soBeginning);
  unsigned char block[10240];
  for (;;) {
    const std::int32_t got = source.Read(block, sizeof block);
    if (got <= 0)
      break;
    target.WriteBuffer(block, got);
  }
}

// The letters "EMF" of the first page's metafile signature, found 49 bytes
// past the header's end. A stream too short to hold them is no match.
bool TQRStream::ProbeEmfAt(std::int64_t offset) {
  TStream& source = Current();
  if (source.Size() < offset + 4)
    return false;
  char text[4];
  source.Seek(offset, soBeginning);
  if (source.Read(text, 4) != 4)
    return false;
  return std::memcmp(text, "EMF", 4) == 0;
}

int TQRStream::HeaderSize() {
  TCriticalSectionScope hold(lock_);
  TStream& source = Current();
  const std::int64_t saved = source.Position();
  int size = 128;
  if (ProbeEmfAt(173))
    size = 124;
  else if (ProbeEmfAt(145))
    size = 96;
  source.Seek(saved, soBeginning);
  return size;
}
