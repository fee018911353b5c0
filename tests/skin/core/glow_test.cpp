// Glow windows around controls: their size and place, the cut of a partly
// hidden control, the image handed to the layered window, click-through,
// the slots of removed effects, and the glow of a hovered control.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/forms/forms.h"
#include "skin/core/acglow.h"
#include "skin/core/commondata.h"
#include "tests/skin/testskin.h"
#include "tests/support/formfixture.h"
#include "skinprobe.h"

namespace glow_test {

using skin_test::TestSkin;
using skin_test::TSkinProbe;
using test_support::FormFixture;

// What the glow window handed to the layered-window update.
struct LayeredCall {
  HWND Wnd;
  SIZE Size;
  COLORREF Centre;
  BYTE ConstantAlpha;
  DWORD Flags;
};
std::vector<LayeredCall> gCalls;

BOOL WINAPI RecordLayered(HWND Wnd, HDC, POINT*, SIZE* Size, HDC Src, POINT*, COLORREF, BLENDFUNCTION* Blend,
                          DWORD Flags) {
  gCalls.push_back({Wnd, *Size, GetPixel(Src, Size->cx / 2, Size->cy / 2), Blend->SourceConstantAlpha, Flags});
  return TRUE;
}

// A skin whose BUTTON section has a red glow mask "GLOW0" with borders
// L 10, T 8, R 6, B 4, and a glow margin of 3.
class GlowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(LayeredWindowsSupported());
    TsGeneralData& s = skin.AddSection("BUTTON");
    s.GlowCount = 1;
    s.GlowMargin = kMargin;
    TsMaskData& m = skin.AddImageMask("BUTTON", "GLOW0", itisaGlow, 30, 30, clRed);
    m.WL = 10;
    m.WT = 8;
    m.WR = 6;
    m.WB = 4;
    skin.Apply();
    gCalls.clear();
    GlowLayeredUpdate = RecordLayered;
  }
  void TearDown() override {
    ClearGlowEffects();
    GlowLayeredUpdate = nullptr;
  }
  static RECT WindowRectOf(int Index) {
    RECT r{};
    GetWindowRect(GlowEffects()[Index]->GlowWindow()->Handle(), &r);
    return r;
  }

  static constexpr int kMargin = 3;
  TestSkin skin;
};

TEST_F(GlowTest, AVisibleControlGetsItsSizePlusTheBordersLessTwiceTheMargin) {
  const int index = AddGlowEffect(RECT{100, 100, 200, 130}, RECT{0, 0, 100, 30}, "BUTTON", "GLOW", kMargin, 255,
                                  nullptr, nullptr);
  ASSERT_EQ(index, 0);
  const int w = 100 + 10 + 6 - 2 * kMargin, h = 30 + 8 + 4 - 2 * kMargin;
  const RECT r = WindowRectOf(index);
  EXPECT_EQ(r.left, 100 - (10 - kMargin)) << "M - L to the left";
  EXPECT_EQ(r.top, 100 - (8 - kMargin)) << "M - T above";
  EXPECT_EQ(r.right - r.left, w);
  EXPECT_EQ(r.bottom - r.top, h);
  ASSERT_EQ(gCalls.size(), 1u);
  EXPECT_EQ(gCalls[0].Size.cx, w);
  EXPECT_EQ(gCalls[0].Size.cy, h);
  EXPECT_EQ(gCalls[0].Centre, static_cast<COLORREF>(clRed)) << "the mask laid over the image";
  EXPECT_EQ(gCalls[0].ConstantAlpha, 255);
  EXPECT_EQ(gCalls[0].Flags, static_cast<DWORD>(ULW_ALPHA));
  HWND wnd = GlowEffects()[index]->GlowWindow()->Handle();
  EXPECT_NE(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(GlowEffects()[index]->GlowWindow()->Tag(), -98);
  EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(r.left + 1, r.top + 1)), HTTRANSPARENT)
      << "clicks pass to the windows below";
  EXPECT_EQ(GlowEffects()[index]->GlowImage(), nullptr) << "the image is freed once shown";
}

TEST_F(GlowTest, APartlyHiddenControlHasItsGlowCutWhereItIsHidden) {
  // The control is (100, 100, 200, 130); the whole glow is (93, 95, 203, 131)
  // with borders L 10, T 8, R 6, B 4 and margin 3.
  struct Case {
    const char* Name;
    RECT Clip;
    RECT Window;
  };
  const Case cases[] = {
      // Cut by T + 5 - M at the top and moved down by as much.
      {"hidden 5 at the top", {0, 5, 100, 30}, {93, 105, 203, 131}},
      {"hidden 5 at the left", {5, 0, 100, 30}, {105, 95, 203, 131}},
      {"hidden 20 at the right", {0, 0, 80, 30}, {93, 95, 180, 131}},
      {"hidden 5 at the bottom", {0, 0, 100, 25}, {93, 95, 203, 125}},
  };
  for (const Case& c : cases) {
    gCalls.clear();
    const int index = AddGlowEffect(RECT{100, 100, 200, 130}, c.Clip, "BUTTON", "GLOW", kMargin, 255, nullptr,
                                    nullptr);
    ASSERT_GE(index, 0) << c.Name;
    const RECT r = WindowRectOf(index);
    EXPECT_TRUE(EqualRect(&r, &c.Window)) << c.Name << ": " << r.left << "," << r.top << "," << r.right << ","
                                          << r.bottom;
    ASSERT_EQ(gCalls.size(), 1u) << c.Name;
    EXPECT_EQ(gCalls[0].Size.cx, r.right - r.left) << c.Name;
    EXPECT_EQ(gCalls[0].Size.cy, r.bottom - r.top) << c.Name;
    ClearGlowEffects();
  }
}

TEST_F(GlowTest, RemovingAFreedIndexLeavesTheOthersValid) {
  const int first = AddGlowEffect(RECT{10, 10, 50, 30}, RECT{0, 0, 40, 20}, "BUTTON", "GLOW", 0, 255, nullptr, nullptr);
  const int second = AddGlowEffect(RECT{60, 10, 90, 30}, RECT{0, 0, 30, 20}, "BUTTON", "GLOW", 0, 255, nullptr, nullptr);
  ASSERT_EQ(first, 0);
  ASSERT_EQ(second, 1);
  RemoveGlowEffect(first);
  RemoveGlowEffect(first);
  RemoveGlowEffect(7);
  RemoveGlowEffect(-1);
  ASSERT_EQ(GlowEffects().size(), 2u);
  EXPECT_EQ(GlowEffects()[first], nullptr);
  ASSERT_NE(GlowEffects()[second], nullptr);
  EXPECT_TRUE(IsWindow(GlowEffects()[second]->GlowWindow()->Handle()));
  EXPECT_EQ(AddGlowEffect(RECT{0, 0, 10, 10}, RECT{0, 0, 10, 10}, "BUTTON", "NOGLOW", 0, 255, nullptr, nullptr), -1)
      << "no mask of that name";
  ClearGlowEffects();
  EXPECT_TRUE(GlowEffects().empty());
}

TEST_F(GlowTest, AHoveredControlGlowsUntilTheMouseLeaves) {
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(20, 20, 60, 24);
  probe->Data.SetControlKind(ckCheckBox);
  probe->Data.SetSkinSection("BUTTON");
  form.Show();
  probe->Perform(CM_MOUSEENTER, 0, 0);
  ASSERT_GE(probe->Data.GlowHandle, 0);
  TacGlowEffect* effect = GlowEffects()[probe->Data.GlowHandle];
  ASSERT_NE(effect, nullptr);
  ASSERT_NE(effect->GlowWindow(), nullptr) << "the control is fully visible";
  RECT own{}, glow{};
  GetWindowRect(probe->Handle(), &own);
  GetWindowRect(effect->GlowWindow()->Handle(), &glow);
  EXPECT_EQ(glow.left, own.left - (10 - kMargin));
  EXPECT_EQ(glow.top, own.top - (8 - kMargin));
  probe->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(GlowEffects().empty());
  EXPECT_EQ(probe->Data.GlowHandle, -1);

  // Kinds that never glow, and sections without GLOW, get none.
  probe->Data.SetControlKind(ckPanel);
  probe->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(probe->Data.GlowHandle, -1);
  probe->Data.SetControlKind(ckCheckBox);
  skin.Section("BUTTON").GlowCount = 0;
  probe->Perform(CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(probe->Data.GlowHandle, -1);
  skin.Section("BUTTON").GlowCount = 1;
  skin.Manager()->SetAllowGlowing(false);
  probe->Data.UpdateGlow(false, nullptr);
  EXPECT_EQ(probe->Data.GlowHandle, -1) << "the manager forbids glowing";
  skin.Manager()->SetAllowGlowing(true);
  probe->Data.UpdateGlow(false, nullptr);
  ASSERT_GE(probe->Data.GlowHandle, 0);
  probe->Perform(WM_MOVE, 0, 0);
  EXPECT_EQ(probe->Data.GlowHandle, -1) << "a move takes the glow away";
}

// A graphic control with a skin state, hovered.
class TGlowingShape : public TGraphicControl {
public:
  explicit TGlowingShape(TComponent* AOwner) : TGraphicControl(AOwner), Data(this) {
    Data.SetControlKind(ckCheckBox);
  }
  TsCommonData Data;
};

TEST_F(GlowTest, AGraphicControlAndAPlainWindowGlowToo) {
  FormFixture form;
  auto* shape = form.Add<TGlowingShape>(30, 40, 50, 20);
  form.Show();  // the clip box of a hidden parent is empty
  shape->Data.SetSkinSection("BUTTON");
  shape->Data.MouseOver = true;
  shape->Data.UpdateGlow(false, nullptr);
  ASSERT_GE(shape->Data.GlowHandle, 0);
  ASSERT_NE(GlowEffects()[shape->Data.GlowHandle]->GlowWindow(), nullptr);
  const TPoint origin = shape->ClientToScreen(TPoint{0, 0});
  RECT glow = WindowRectOf(shape->Data.GlowHandle);
  EXPECT_EQ(glow.left, origin.x - (10 - kMargin));
  EXPECT_EQ(glow.top, origin.y - (8 - kMargin));
  EXPECT_EQ(glow.right - glow.left, 50 + 10 + 6 - 2 * kMargin);
  shape->Data.MouseOver = false;
  shape->Data.UpdateGlow(false, nullptr);
  EXPECT_EQ(shape->Data.GlowHandle, -1) << "the mouse left: the glow goes";
  EXPECT_EQ(GlowEffects()[0], nullptr);

  // Without an owner control the window names the place.
  HWND wnd = form.Host()->Handle();
  TsCommonData plain(nullptr);
  plain.SetSkinSection("BUTTON");
  plain.UpdateGlow(false, wnd);
  ASSERT_GE(plain.GlowHandle, 0);
  RECT own{};
  GetWindowRect(wnd, &own);
  glow = WindowRectOf(plain.GlowHandle);
  EXPECT_EQ(glow.left, own.left - (10 - kMargin));
  EXPECT_EQ(glow.bottom, own.bottom + (4 - kMargin));
}

}  // namespace glow_test
