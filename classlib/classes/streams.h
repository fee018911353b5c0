// Byte streams: the abstract TStream and its file, memory, string and
// resource forms.
//
// Positions and sizes are 64-bit; a single Read or Write moves at most a
// 32-bit count, as the component filer and the file formats use them.
// Read/Write move what they can and return the count; ReadBuffer/WriteBuffer
// move all or raise EReadError/EWriteError.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/system/ansistring.h"
#include "classlib/system/exceptions.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// File open modes: one access mode or'ed with one share mode. fmCreate
// creates (or truncates) the file and opens it for reading and writing.
constexpr unsigned short fmCreate = 0xFF00;
constexpr unsigned short fmOpenRead = 0x0000;
constexpr unsigned short fmOpenWrite = 0x0001;
constexpr unsigned short fmOpenReadWrite = 0x0002;
constexpr unsigned short fmShareCompat = 0x0000;
constexpr unsigned short fmShareExclusive = 0x0010;
constexpr unsigned short fmShareDenyWrite = 0x0020;
constexpr unsigned short fmShareDenyRead = 0x0030;
constexpr unsigned short fmShareDenyNone = 0x0040;

// An operating-system file handle: a HANDLE in the Windows build, a file
// descriptor natively; -1 when invalid.
using THandle = std::intptr_t;
constexpr THandle INVALID_FILE_HANDLE = -1;

class TStream {
public:
  virtual ~TStream() = default;
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Moves up to count bytes; returns how many were moved.
  virtual std::int32_t Read(void* buffer, std::int32_t count) = 0;
  virtual std::int32_t Write(const void* buffer, std::int32_t count) = 0;
  // Returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position();
  void SetPosition(std::int64_t position);
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t newSize);

  // All or nothing: EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* buffer, std::int32_t count);
  void WriteBuffer(const void* buffer, std::int32_t count);
  // The system's error code of the last failed Read or Write; 0 when the
  // stream had none (a read past its end, a stream in memory).
  virtual unsigned long FailureCode() const { return 0; }
  // Copies count bytes from source's current position; 0 copies the whole
  // source from its start. Returns the count copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// A stream over an operating-system file handle it does not own.
class THandleStream : public TStream {
public:
  explicit THandleStream(THandle handle) : handle_(handle) {}

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t newSize) override;

  THandle Handle() const { return handle_; }
  unsigned long FailureCode() const override { return failureCode_; }

protected:
  THandle handle_;
  unsigned long failureCode_ = 0;
};

// A stream over a named file (name in code page 1254). Raises EFCreateError
// 'Cannot create file "%s". <system text>' or EFOpenError 'Cannot open file
// "%s". <system text>'. Share modes are enforced by the Windows build.
class TFileStream : public THandleStream {
public:
  TFileStream(const AnsiString& fileName, unsigned short mode);
  ~TFileStream() override;

  const AnsiString& FileName() const { return fileName_; }

private:
  AnsiString fileName_;
};

// A read-only stream over a block of memory it does not own.
class TCustomMemoryStream : public TStream {
public:
  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  void SaveToStream(TStream& stream);
  void SaveToFile(const AnsiString& fileName);
  void* Memory() const { return memory_; }

protected:
  void SetPointer(void* memory, std::int64_t size);

  void* memory_ = nullptr;
  std::int64_t size_ = 0;
  std::int64_t position_ = 0;
};

// A growable stream in memory. Writing past the end grows it; a gap between
// the old end and the write position reads as zeros.
class TMemoryStream : public TCustomMemoryStream {
public:
  TMemoryStream() = default;
  ~TMemoryStream() override = default;

  std::int32_t Write(const void* buffer, std::int32_t count) override;
  void SetSize(std::int64_t newSize) override;

  void Clear();
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const AnsiString& fileName);
  std::int64_t Capacity() const { return static_cast<std::int64_t>(buffer_.size()); }

protected:
  void SetCapacity(std::int64_t newCapacity);

private:
  std::vector<unsigned char> buffer_;
};

// A stream whose contents are an 8-bit string.
class TStringStream : public TStream {
public:
  explicit TStringStream(AnsiString initial = AnsiString());

  std::int32_t Read(void* buffer, std::int32_t count) override;
  std::int32_t Write(const void* buffer, std::int32_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t newSize) override;

  // Reads up to count bytes from the current position.
  AnsiString ReadString(std::int32_t count);
  void WriteString(const AnsiString& text);
  const AnsiString& DataString() const { return data_; }

private:
  AnsiString data_;
  std::int64_t position_ = 0;
};

#ifdef _WIN32
// A read-only stream over an RCDATA (or other typed) resource of a module.
// Raises EResNotFound "Resource %s not found" when the module lacks it.
class TResourceStream : public TCustomMemoryStream {
public:
  // instance: the module handle (nullptr = the program); resourceType:
  // nullptr = RT_RCDATA.
  TResourceStream(void* instance, const AnsiString& resourceName, const wchar_t* resourceType = nullptr);
  // Resource by numeric id.
  TResourceStream(void* instance, int resourceId, const wchar_t* resourceType = nullptr);

  // Raises EStreamError "Can't write to a read-only resource stream".
  std::int32_t Write(const void* buffer, std::int32_t count) override;

private:
  void Initialize(void* instance, const wchar_t* name, const wchar_t* type, const AnsiString& shownName);
};
#endif
