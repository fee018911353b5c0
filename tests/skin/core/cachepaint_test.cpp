// A control's cache copied to a device context around its children: the
// children that paint themselves keep their pixels, group boxes only their
// frame strips.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/stdctrls/bevel.h"
#include "skin/core/cachepaint.h"
#include "skin/core/patternfill.h"
#include "skin/core/skinbitmaps.h"
#include "tests/skin/testskin.h"
#include "tests/support/formfixture.h"
#include "skinprobe.h"

namespace cachepaint_test {

using skin_test::TestSkin;
using skin_test::TSkinProbe;
using test_support::FormFixture;

// A probe whose cache (as large as the probe) is red, and a white target.
struct CacheScene {
  FormFixture form;
  TSkinProbe* parent;
  std::unique_ptr<TBitmap> target{CreateBitmap24(120, 80)};
  CacheScene() {
    parent = form.Add<TSkinProbe>(0, 0, 120, 80);
    parent->Data.SizeCacheBitmap();
    FillBitmapRect(parent->Data.CacheBitmap(), RECT{0, 0, 120, 80}, clRed);
    FillBitmapRect(target.get(), RECT{0, 0, 120, 80}, clWhite);
  }
  TColor At(int X, int Y) { return target->Canvas().GetPixel(X, Y); }
  template <class T>
  T* Child(int L, int T_, int W, int H) {
    auto* c = new T(parent);
    c->SetParent(parent);
    c->SetBounds(L, T_, W, H);
    return c;
  }
};

TEST(CachePaint, ChildControlsThatPaintThemselvesAreLeftOut) {
  CacheScene s;
  s.Child<TSkinProbe>(10, 10, 20, 20);  // opaque
  auto* clear = s.Child<TSkinProbe>(40, 10, 20, 20);
  TControlStyle style = clear->ControlStyle();
  style.Exclude(csOpaque);
  clear->SetControlStyle(style);
  s.Child<TBevel>(70, 10, 20, 20);  // a graphic control
  s.Child<TSkinProbe>(10, 40, 20, 20)->SetVisible(false);
  const int dx = 2, dy = 3;
  PaintCacheExceptChildren(s.parent, &s.parent->Data, RECT{0, 0, 120, 80}, dy, dx, false,
                           s.target->Canvas().Handle(), RECT{0, 0, 120, 80});
  EXPECT_EQ(s.At(12 + 5, 13 + 5), clWhite) << "the opaque child, moved by DX and DY";
  EXPECT_EQ(s.At(11, 12), clRed) << "outside it";
  EXPECT_EQ(s.At(45, 18), clRed) << "a child that is not opaque is painted over";
  EXPECT_EQ(s.At(75, 18), clWhite) << "the graphic child";
  EXPECT_EQ(s.At(15, 48), clRed) << "the hidden child";

  // Only Dest is painted.
  FillBitmapRect(s.target.get(), RECT{0, 0, 120, 80}, clWhite);
  PaintCacheExceptChildren(s.parent, &s.parent->Data, RECT{0, 0, 120, 80}, 0, 0, false, s.target->Canvas().Handle(),
                           RECT{100, 60, 120, 80});
  EXPECT_EQ(s.At(110, 70), clRed);
  EXPECT_EQ(s.At(90, 70), clWhite);
}

TEST(CachePaint, ChildWindowsAndTheFrameStripsOfAGroupBox) {
  TestSkin skin;
  skin.AddSection("GROUPBOX");
  TsMaskData& frame = skin.AddImageMask("GROUPBOX", "BORDERSMASK", itisaBorder, 12, 12, clLime);
  frame.WL = 3;
  frame.WR = 4;
  frame.WB = 5;
  skin.Apply();
  CacheScene s;
  auto makeChild = [&](const wchar_t* Class, DWORD Style, int X, int Y, int W, int H) {
    return CreateWindowExW(0, Class, L"", WS_CHILD | Style, X, Y, W, H, s.parent->Handle(), nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  };
  HWND plain = makeChild(L"STATIC", WS_VISIBLE, 10, 10, 20, 20);
  HWND hidden = makeChild(L"STATIC", 0, 10, 40, 20, 20);
  HWND group = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 50, 10, 40, 40,
                               s.parent->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(group, nullptr);
  PaintCacheExceptChildWindows(s.parent->Handle(), &s.parent->Data, RECT{0, 0, 120, 80}, 0, 0, false,
                               s.target->Canvas().Handle(), RECT{0, 0, 120, 80});
  EXPECT_EQ(s.At(15, 15), clWhite) << "a child window is left out whole";
  EXPECT_EQ(s.At(51, 30), clWhite) << "the group box's left strip";
  EXPECT_EQ(s.At(53, 30), clRed) << "its inside is painted";
  EXPECT_EQ(s.At(86, 30), clWhite) << "its right strip";
  EXPECT_EQ(s.At(70, 46), clWhite) << "its bottom strip";
  EXPECT_EQ(s.At(70, 44), clRed);
  EXPECT_EQ(s.At(15, 45), clRed) << "a hidden child window";
  for (HWND w : {plain, hidden, group})
    DestroyWindow(w);
}

}  // namespace cachepaint_test
