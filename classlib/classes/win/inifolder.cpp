#include "classlib/classes/inifolder.h"

#include <windows.h>

#include "classlib/system/codepage.h"

namespace inifolder {

AnsiString SystemWindowsFolder() {
  wchar_t buffer[MAX_PATH + 1];
  UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  if (length == 0 || length > MAX_PATH)
    return AnsiString();
  return Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length));
}

}  // namespace inifolder
