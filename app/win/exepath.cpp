// The program's name as Windows reports it.
#include <windows.h>

#include "classlib/system/win/widestring.h"

namespace platform {

AnsiString ExecutableFileName() {
  wchar_t path[MAX_PATH * 4];
  const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  return WideToAnsi(std::wstring(path, length));
}

}  // namespace platform
