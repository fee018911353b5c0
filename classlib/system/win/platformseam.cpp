// The OS seam answered by Win32.
#include "classlib/system/platformseam.h"

#include <windows.h>

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
    int size = WideCharToMultiByte(1254, 0, buffer, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    text.resize(static_cast<size_t>(size));
    WideCharToMultiByte(1254, 0, buffer, static_cast<int>(length), text.data(), size, nullptr, nullptr);
  }
  LocalFree(buffer);
  return text;
}

unsigned long LastOsError() { return GetLastError(); }

}  // namespace platform
