#include "tests/e2e/helper/windowshot.h"

#include "classlib/graphics/bitmap.h"
#include "classlib/system/codepage.h"

namespace e2e {

bool SaveWindowShot(HWND window, const std::wstring& fileName) {
  RECT r{};
  if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top)
    return false;
  TBitmap shot;
  shot.SetPixelFormat(pf24bit);
  shot.SetSize(r.right - r.left, r.bottom - r.top);
  HDC source = GetWindowDC(window);
  const BOOL copied = BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), source, 0, 0, SRCCOPY);
  ReleaseDC(window, source);
  if (!copied)
    return false;
  try {
    shot.SaveToFile(Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(fileName.data()), fileName.size())));
  } catch (...) {
    return false;
  }
  return true;
}

}  // namespace e2e
