// A picture of a shown form, frame and child windows included, kept as
// "<DOZURI_SCREENSHOT_DIR>\<name>.bmp" when that variable names a folder:
// for a look, never part of the repository. Header-only, Windows tests.
#pragma once
#include <windows.h>

#include <cstdlib>

#include "classlib/forms/forms.h"
#include "classlib/graphics/bitmap.h"

namespace test_support {

inline void KeepScreenshot(TCustomForm& Form, const char* Name) {
  const char* folder = std::getenv("DOZURI_SCREENSHOT_DIR");
  if (folder == nullptr)
    return;
  RedrawWindow(Form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  RECT r{};
  GetWindowRect(Form.Handle(), &r);
  // A maximised window's frame lies off the screen: only what is on it.
  const RECT screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(&r, &r, &screenRect);
  TBitmap shot;
  shot.SetPixelFormat(pf24bit);
  shot.SetSize(r.right - r.left, r.bottom - r.top);
  // From the screen, so that the child windows are in the picture.
  HDC screen = GetDC(nullptr);
  BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  shot.SaveToFile(AnsiString(folder) + "\\" + Name + ".bmp");
}

}  // namespace test_support
