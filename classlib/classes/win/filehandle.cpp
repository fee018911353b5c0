// File handles over CreateFileW and friends. Names arrive in code page 1254
// and are converted to UTF-16 for the W functions.
#include "classlib/classes/filehandle.h"

#include <windows.h>

#include "classlib/system/codepage.h"

namespace filehandle {

namespace {

// Index by (mode & 0xF0) >> 4: compat and exclusive share nothing.
constexpr DWORD kShareModes[] = {0, 0, FILE_SHARE_READ, FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
constexpr DWORD kAccessModes[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};

HANDLE AsHandle(THandle handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

THandle Open(const AnsiString& fileName, unsigned short mode, unsigned long& errorCode) {
  bool create = (mode & fmCreate) == fmCreate;
  unsigned shareIndex = (mode & 0xF0u) >> 4;
  unsigned accessIndex = mode & 3u;
  if (shareIndex > 4 || (!create && accessIndex > 2)) {
    errorCode = ERROR_INVALID_PARAMETER;
    return INVALID_FILE_HANDLE;
  }
  std::u16string name = AnsiToUtf16(fileName);
  HANDLE handle = CreateFileW(reinterpret_cast<const wchar_t*>(name.c_str()), create ? GENERIC_READ | GENERIC_WRITE : kAccessModes[accessIndex],
                              kShareModes[shareIndex], nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    errorCode = GetLastError();
    return INVALID_FILE_HANDLE;
  }
  return reinterpret_cast<THandle>(handle);
}

void Close(THandle handle) { CloseHandle(AsHandle(handle)); }

std::int32_t Read(THandle handle, void* buffer, std::int32_t count) {
  DWORD done = 0;
  if (count <= 0)
    return 0;
  if (!ReadFile(AsHandle(handle), buffer, static_cast<DWORD>(count), &done, nullptr))
    return -1;
  return static_cast<std::int32_t>(done);
}

std::int32_t Write(THandle handle, const void* buffer, std::int32_t count) {
  DWORD done = 0;
  if (count <= 0)
    return 0;
  if (!WriteFile(AsHandle(handle), buffer, static_cast<DWORD>(count), &done, nullptr))
    return -1;
  return static_cast<std::int32_t>(done);
}

std::int64_t Seek(THandle handle, std::int64_t offset, TSeekOrigin origin) {
  DWORD method = origin == soBeginning ? FILE_BEGIN : origin == soCurrent ? FILE_CURRENT : FILE_END;
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER result;
  if (!SetFilePointerEx(AsHandle(handle), distance, &result, method))
    return -1;
  return result.QuadPart;
}

bool Truncate(THandle handle) { return SetEndOfFile(AsHandle(handle)) != FALSE; }

}  // namespace filehandle
