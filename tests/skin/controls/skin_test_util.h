// Helpers shared by the skinned control and component tests: one shown form
// to put controls on, a panel per test that owns them, what a control paints
// as a bitmap, and streaming a component to and from its text form.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/graphics/bitmap.h"
#include "tests/support/componenttext.h"
#include "tests/support/formfixture.h"

namespace skin_test {

using test_support::ComponentText;
using test_support::FormFixture;
using test_support::FreeComponent;
using test_support::Owned;
using test_support::Pump;
using test_support::ReadComponentText;
using test_support::SharedForm;

// What the control paints (its client area; these controls have no window
// border) on a fresh 24-bit bitmap of its size.
inline void PaintClient(TWinControl* control, TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(control->Width(), control->Height());
  control->PaintTo(bitmap.Canvas().Handle(), 0, 0);
}

inline COLORREF Pixel(TBitmap& bitmap, int x, int y) { return GetPixel(bitmap.Canvas().Handle(), x, y); }

// The first pixel where the two bitmaps differ, as "x,y", or "" when they
// are the same size and equal.
inline std::string FirstDifference(TBitmap& a, TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return "size";
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (Pixel(a, x, y) != Pixel(b, x, y))
        return std::to_string(x) + "," + std::to_string(y);
  return "";
}

}  // namespace skin_test
