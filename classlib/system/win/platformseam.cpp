// The OS seam answered by Win32.
#include "classlib/system/platformseam.h"

#include <windows.h>

#include "classlib/system/win/widestring.h"

namespace platform {

AnsiString OsErrorText(unsigned long errorCode) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  AnsiString text;
  if (length != 0 && buffer != nullptr) {
    while (length > 0 && (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' '))
      --length;
    text = WideToAnsi(std::wstring_view(buffer, length));
  }
  LocalFree(buffer);
  return text;
}

unsigned long LastOsError() { return GetLastError(); }

OsErrorKind KindOfOsError(unsigned long errorCode) {
  switch (errorCode) {
  case ERROR_FILE_NOT_FOUND:
  case ERROR_PATH_NOT_FOUND:
  case ERROR_INVALID_DRIVE:
  case ERROR_BAD_NETPATH:
    return OsErrorKind::Missing;
  case ERROR_ACCESS_DENIED:
  case ERROR_WRITE_PROTECT:
  case ERROR_NETWORK_ACCESS_DENIED:
    return OsErrorKind::NoAccess;
  case ERROR_DISK_FULL:
  case ERROR_HANDLE_DISK_FULL:
    return OsErrorKind::DiskFull;
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION:
  case ERROR_USER_MAPPED_FILE:
    return OsErrorKind::InUse;
  default:
    return OsErrorKind::Other;
  }
}

unsigned OemCodePage() { return GetOEMCP(); }

std::string Utf16ToOem(std::u16string_view text) {
  if (text.empty())
    return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_OEMCP, 0, wide, length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_OEMCP, 0, wide, length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::u16string OemToUtf16(std::string_view bytes) {
  if (bytes.empty())
    return {};
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), length, nullptr, 0);
  std::u16string text(static_cast<size_t>(size > 0 ? size : 0), u'\0');
  if (size > 0)
    MultiByteToWideChar(CP_OEMCP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()), size);
  return text;
}

}  // namespace platform
