#include "classlib/classes/streams.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "classlib/classes/filehandle.h"
#include "classlib/system/platformseam.h"

namespace {

constexpr std::int32_t kCopyBufferSize = 0xF000;
// Memory streams grow in steps of this many bytes, so a run of small writes
// does not copy the whole block each time.
constexpr std::int64_t kMemoryDelta = 0x2000;

std::int64_t SeekTarget(std::int64_t offset, TSeekOrigin origin, std::int64_t position, std::int64_t size) {
  switch (origin) {
    case soBeginning:
      return offset;
    case soCurrent:
      return position + offset;
    case soEnd:
      return size + offset;
  }
  return position;
}

}  // namespace

// ---- TStream

std::int64_t TStream::Position() { return Seek(0, soCurrent); }

void TStream::SetPosition(std::int64_t position) { Seek(position, soBeginning); }

std::int64_t TStream::Size() {
  std::int64_t position = Seek(0, soCurrent);
  std::int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) {}

void TStream::ReadBuffer(void* buffer, std::int32_t count) {
  if (count != 0 && Read(buffer, count) != count)
    throw EReadError("Stream read error", FailureCode());
}

void TStream::WriteBuffer(const void* buffer, std::int32_t count) {
  if (count != 0 && Write(buffer, count) != count)
    throw EWriteError("Stream write error", FailureCode());
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::int64_t result = count;
  std::vector<unsigned char> buffer(static_cast<size_t>(std::min<std::int64_t>(count, kCopyBufferSize)));
  while (count > 0) {
    std::int32_t chunk = static_cast<std::int32_t>(std::min<std::int64_t>(count, kCopyBufferSize));
    source.ReadBuffer(buffer.data(), chunk);
    WriteBuffer(buffer.data(), chunk);
    count -= chunk;
  }
  return result;
}

// ---- THandleStream

std::int32_t THandleStream::Read(void* buffer, std::int32_t count) {
  std::int32_t result = filehandle::Read(handle_, buffer, count);
  failureCode_ = result < 0 ? platform::LastOsError() : 0;
  return result < 0 ? 0 : result;
}

std::int32_t THandleStream::Write(const void* buffer, std::int32_t count) {
  std::int32_t result = filehandle::Write(handle_, buffer, count);
  failureCode_ = result < 0 ? platform::LastOsError() : 0;
  return result < 0 ? 0 : result;
}

std::int64_t THandleStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  return filehandle::Seek(handle_, offset, origin);
}

void THandleStream::SetSize(std::int64_t newSize) {
  Seek(newSize, soBeginning);
  if (!filehandle::Truncate(handle_))
    RaiseLastOSError();
}

// ---- TFileStream

TFileStream::TFileStream(const AnsiString& fileName, unsigned short mode)
    : THandleStream(INVALID_FILE_HANDLE), fileName_(fileName) {
  unsigned long errorCode = 0;
  handle_ = filehandle::Open(fileName, mode, errorCode);
  if (handle_ == INVALID_FILE_HANDLE) {
    AnsiString text = "\"" + fileName + "\". " + SysErrorMessage(errorCode);
    if ((mode & fmCreate) == fmCreate)
      throw EFCreateError("Cannot create file " + text, errorCode);
    throw EFOpenError("Cannot open file " + text, errorCode);
  }
}

TFileStream::~TFileStream() {
  if (handle_ != INVALID_FILE_HANDLE)
    filehandle::Close(handle_);
}

// ---- TCustomMemoryStream

void TCustomMemoryStream::SetPointer(void* memory, std::int64_t size) {
  memory_ = memory;
  size_ = size;
}

std::int32_t TCustomMemoryStream::Read(void* buffer, std::int32_t count) {
  if (position_ < 0 || count <= 0 || position_ >= size_)
    return 0;
  std::int64_t available = std::min<std::int64_t>(size_ - position_, count);
  std::memcpy(buffer, static_cast<const unsigned char*>(memory_) + position_, static_cast<size_t>(available));
  position_ += available;
  return static_cast<std::int32_t>(available);
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  position_ = SeekTarget(offset, origin, position_, size_);
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) {
  std::int64_t remaining = size_;
  const unsigned char* data = static_cast<const unsigned char*>(memory_);
  while (remaining > 0) {
    std::int32_t chunk = static_cast<std::int32_t>(std::min<std::int64_t>(remaining, std::numeric_limits<std::int32_t>::max()));
    stream.WriteBuffer(data, chunk);
    data += chunk;
    remaining -= chunk;
  }
}

void TCustomMemoryStream::SaveToFile(const AnsiString& fileName) {
  TFileStream stream(fileName, fmCreate);
  SaveToStream(stream);
}

// ---- TMemoryStream

void TMemoryStream::SetCapacity(std::int64_t newCapacity) {
  if (newCapacity > 0)
    newCapacity = (newCapacity + kMemoryDelta - 1) & ~(kMemoryDelta - 1);
  std::vector<unsigned char> block(static_cast<size_t>(newCapacity));
  std::copy_n(buffer_.begin(), std::min<std::int64_t>(size_, newCapacity), block.begin());
  buffer_.swap(block);
  SetPointer(buffer_.empty() ? nullptr : buffer_.data(), size_);
}

// Growth is geometric (a quarter more each time, at least the request) so
// that a long run of small writes copies the block only a few times.
void TMemoryStream::SetSize(std::int64_t newSize) {
  if (newSize < 0)
    newSize = 0;
  std::int64_t oldSize = size_;
  if (newSize == 0)
    SetCapacity(0);
  else if (newSize > Capacity())
    SetCapacity(std::max(newSize, Capacity() + Capacity() / 4));
  if (newSize > oldSize)
    std::fill(buffer_.begin() + oldSize, buffer_.begin() + newSize, 0);
  size_ = newSize;
  if (position_ > newSize)
    position_ = newSize;
}

std::int32_t TMemoryStream::Write(const void* buffer, std::int32_t count) {
  if (position_ < 0 || count <= 0)
    return 0;
  std::int64_t end = position_ + count;
  if (end > size_) {
    std::int64_t position = position_;
    SetSize(end);
    position_ = position;
  }
  std::memcpy(buffer_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

void TMemoryStream::Clear() {
  buffer_.clear();
  buffer_.shrink_to_fit();
  SetPointer(nullptr, 0);
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  std::int64_t count = stream.Size();
  SetSize(count);
  std::int64_t done = 0;
  while (done < count) {
    std::int32_t chunk = static_cast<std::int32_t>(std::min<std::int64_t>(count - done, std::numeric_limits<std::int32_t>::max()));
    stream.ReadBuffer(buffer_.data() + done, chunk);
    done += chunk;
  }
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const AnsiString& fileName) {
  TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(stream);
}

// ---- TStringStream

TStringStream::TStringStream(AnsiString initial) : data_(std::move(initial)) {}

std::int32_t TStringStream::Read(void* buffer, std::int32_t count) {
  std::int64_t size = static_cast<std::int64_t>(data_.size());
  if (position_ < 0 || count <= 0 || position_ >= size)
    return 0;
  std::int64_t available = std::min<std::int64_t>(size - position_, count);
  std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(available));
  position_ += available;
  return static_cast<std::int32_t>(available);
}

// Writing replaces from the position on and ends the data after what was written.
std::int32_t TStringStream::Write(const void* buffer, std::int32_t count) {
  if (position_ < 0 || count <= 0)
    return 0;
  data_.resize(static_cast<size_t>(position_ + count), '\0');
  std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
  position_ += count;
  return count;
}

std::int64_t TStringStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t size = static_cast<std::int64_t>(data_.size());
  position_ = std::clamp<std::int64_t>(SeekTarget(offset, origin, position_, size), 0, size);
  return position_;
}

void TStringStream::SetSize(std::int64_t newSize) {
  data_.resize(static_cast<size_t>(std::max<std::int64_t>(newSize, 0)), '\0');
  if (position_ > newSize)
    position_ = static_cast<std::int64_t>(data_.size());
}

AnsiString TStringStream::ReadString(std::int32_t count) {
  std::int64_t size = static_cast<std::int64_t>(data_.size());
  std::int64_t length = std::clamp<std::int64_t>(std::min<std::int64_t>(count, size - position_), 0, size);
  AnsiString result = data_.substr(static_cast<size_t>(position_), static_cast<size_t>(length));
  position_ += length;
  return result;
}

void TStringStream::WriteString(const AnsiString& text) {
  Write(text.data(), static_cast<std::int32_t>(text.size()));
}
