// The skinned panel under the generated test skin: what it prints into a
// memory bitmap (section colour, border-mask strips, corners showing the
// parent), switching between skinned and plain by the skin commands, the
// background answer of a panel with a window border, its own colour, the
// caption's place and a skin that lacks the panel's section.
#include <gtest/gtest.h>

#include <string>

#include "skin/controls/spanel.h"
#include "skin/core/skinbackground.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"
#include "skin_test_util.h"
#include "tests/skin/core/skinprobe.h"
#include "tests/skin/testskinfiles.h"

namespace {

using namespace skin_test;

constexpr int kWidth = 120, kHeight = 60;

// The test skin from its folder, on a manager that is nobody's default.
struct LoadedTestSkin {
  TsSkinManager manager{nullptr};
  LoadedTestSkin() {
    SetDefaultManager(nullptr);
    manager.SetSkinDirectory(TestSkinsDirectory());
    manager.SetSkinName("TestSkin");
  }
  ~LoadedTestSkin() { SetDefaultManager(nullptr); }
};

TsPanel* SkinnedPanel(FormFixture& form, TsSkinManager& manager, const char* section = "PANEL") {
  auto* panel = form.Add<TsPanel>(10, 10, kWidth, kHeight);
  panel->SetCaption("");
  panel->SkinData()->SetSkinManager(&manager);
  panel->SkinData()->SetSkinSection(section);
  return panel;
}

void FillMarker(TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(kWidth, kHeight);
  bitmap.Canvas().Brush().SetColor(clFuchsia);
  bitmap.Canvas().FillRect(RECT{0, 0, kWidth, kHeight});
}

void Print(TWinControl* control, TBitmap& bitmap) {
  FillMarker(bitmap);
  SendMessageW(control->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()),
               PRF_CLIENT | PRF_ERASEBKGND);
}

// Where the panel's picture first differs from a standard panel's of the
// same size and caption ("" when they are equal).
std::string DifferenceFromStandardPanel(FormFixture& form, TsPanel* panel) {
  auto* standard = form.Add<TPanel>(panel->Left(), panel->Top() + panel->Height() + 10, panel->Width(),
                                    panel->Height());
  standard->SetCaption(panel->Caption());
  Pump();
  TBitmap actual, expected;
  PaintClient(panel, actual);
  PaintClient(standard, expected);
  standard->Free();
  return FirstDifference(expected, actual);
}

COLORREF Colour(const std::string& name) { return static_cast<COLORREF>(TestSkinColour(name)); }

// The section colour inside, the normal state's border colour on the four
// strips, and the parent's colour in the clFuchsia corner pixels.
void ExpectSkinnedPanel(TBitmap& printed, COLORREF parent) {
  EXPECT_EQ(Pixel(printed, 60, 30), Colour("PANEL.COLOR")) << "the inside";
  for (POINT p : {POINT{60, 2}, POINT{2, 30}, POINT{117, 30}, POINT{60, 57}})
    EXPECT_EQ(Pixel(printed, p.x, p.y), Colour("PANEL.BORDERSMASK.0")) << "strip at " << p.x << "," << p.y;
  for (POINT p : {POINT{0, 0}, POINT{kWidth - 1, 0}, POINT{0, kHeight - 1}, POINT{kWidth - 1, kHeight - 1}})
    EXPECT_EQ(Pixel(printed, p.x, p.y), parent) << "corner at " << p.x << "," << p.y;
}

TEST(SkinnedPanelUnderSkin, PrintsItsSectionBorderAndCornersOverTheParent) {
  LoadedTestSkin skin;
  FormFixture form;
  form.Host()->SetColor(clAqua);
  form.Show();
  TsPanel* panel = SkinnedPanel(form, skin.manager);
  ASSERT_TRUE(panel->SkinData()->IsSkinned());
  ASSERT_GE(panel->SkinData()->BorderMaskIndex, 0);
  Pump();
  TBitmap printed;
  Print(panel, printed);
  ExpectSkinnedPanel(printed, static_cast<COLORREF>(clAqua));
  EXPECT_EQ(panel->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdAreYouSkinned), 0), 1);
}

// 0x02 makes the panel plain (its picture then is the standard panel's);
// 0x01 from its manager skins it again. Commands about another manager
// change nothing.
TEST(SkinnedPanelUnderSkin, SkinCommandsSwitchBetweenSkinnedAndPlain) {
  LoadedTestSkin skin;
  TsSkinManager other(nullptr);
  SetDefaultManager(nullptr);
  FormFixture form;
  form.Host()->SetColor(clAqua);
  form.Show();
  TsPanel* panel = SkinnedPanel(form, skin.manager);
  Pump();

  panel->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdSkinRemoved), reinterpret_cast<LPARAM>(&other));
  EXPECT_TRUE(panel->SkinData()->IsSkinned()) << "a command about another manager";

  panel->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdSkinRemoved), reinterpret_cast<LPARAM>(&skin.manager));
  EXPECT_FALSE(panel->SkinData()->IsSkinned());
  EXPECT_EQ(DifferenceFromStandardPanel(form, panel), "");

  panel->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdNewSkin), reinterpret_cast<LPARAM>(&skin.manager));
  ASSERT_TRUE(panel->SkinData()->IsSkinned());
  Pump();
  TBitmap printed;
  Print(panel, printed);
  ExpectSkinnedPanel(printed, static_cast<COLORREF>(clAqua));
}

// A section whose background is a picture answers with a bitmap; a panel
// with a window border moves the offsets by its frame width (one lowered
// bevel of 2, no BorderWidth), one without a border does not.
TEST(SkinnedPanelUnderSkin, BitmapBackgroundAnswerIsShiftedByTheFrameWithAWindowBorder) {
  LoadedTestSkin skin;
  FormFixture form;
  form.Show();
  auto answer = [&](TBorderStyle border) {
    TsPanel* panel = SkinnedPanel(form, skin.manager, "BUTTON");
    panel->SetBevelOuter(bvLowered);
    panel->SetBevelInner(bvNone);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(0);
    panel->SetBorderStyle(border);
    Pump();
    TsBackgroundQuery query;
    SendMessageW(panel->Handle(), SM_ALPHACMD, SkinCommandWParam(SkinCmdBackgroundQuery),
                 reinterpret_cast<LPARAM>(&query));
    panel->Free();
    return query;
  };
  const TsBackgroundQuery plain = answer(bsNone);
  const TsBackgroundQuery bordered = answer(bsSingle);
  ASSERT_EQ(plain.AnswerKind, bqBitmap);
  ASSERT_EQ(bordered.AnswerKind, bqBitmap);
  EXPECT_EQ(bordered.OffsetX, plain.OffsetX + 2);
  EXPECT_EQ(bordered.OffsetY, plain.OffsetY + 2);
}

// With CustomColor and no border mask the panel paints itself with its own
// Color whatever its section's Transparency, and asks its parent nothing.
TEST(SkinnedPanelUnderSkin, CustomColorFillsWithItsOwnColourWithoutAskingTheParent) {
  LoadedTestSkin skin;
  FormFixture form;
  form.Show();
  auto* parent = form.Add<TCountingPanel>(0, 0, 200, 100);
  parent->SetCaption("");
  auto* panel = new TsPanel(form.Host());
  panel->SetParent(parent);
  panel->SetBounds(10, 10, kWidth, kHeight);
  panel->SetCaption("");
  panel->SetColor(clYellow);
  panel->SkinData()->SetSkinManager(&skin.manager);
  panel->SkinData()->SetSkinSection("PATTERNED");
  panel->SkinData()->SetCustomColor(true);
  ASSERT_TRUE(panel->SkinData()->IsSkinned());
  ASSERT_LT(panel->SkinData()->BorderMaskIndex, 0);
  TsGeneralData& section = skin.manager.Sections[panel->SkinData()->SectionIndex()];
  Pump();
  for (int transparency : {0, 50, 100}) {
    SCOPED_TRACE(transparency);
    section.Transparency = transparency;
    parent->Commands.clear();
    TBitmap painted;
    FillMarker(painted);
    panel->PaintSkin(painted.Canvas().Handle(), false);
    for (POINT p : {POINT{0, 0}, POINT{60, 30}, POINT{kWidth - 1, kHeight - 1}})
      EXPECT_EQ(Pixel(painted, p.x, p.y), static_cast<COLORREF>(clYellow)) << p.x << "," << p.y;
    for (WORD command : parent->Commands)
      EXPECT_NE(command, SkinCmdBackgroundQuery) << "the parent was asked for its background";
  }
}

// The topmost row holding the section's font colour.
int FirstTextRow(TBitmap& bitmap, COLORREF text) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (Pixel(bitmap, x, y) == text)
        return y;
  return -1;
}

// The caption is centred in the caption rectangle's height but placed from
// BorderWidth: with BorderWidth 3 and one bevel of 1 it lies one row above
// the caption of a panel without frame (whose rectangle is 8 rows taller).
TEST(SkinnedPanelUnderSkin, CaptionIsPlacedFromBorderWidth) {
  LoadedTestSkin skin;
  FormFixture form;
  form.Show();
  auto textTop = [&](int borderWidth, TBevelCut bevel) {
    TsPanel* panel = SkinnedPanel(form, skin.manager);
    panel->SetHeight(41);
    panel->SetCaption("Hg");
    panel->SetBevelOuter(bevel);
    panel->SetBevelInner(bvNone);
    panel->SetBevelWidth(1);
    panel->SetBorderWidth(borderWidth);
    Pump();
    TBitmap printed;
    FillMarker(printed);
    SendMessageW(panel->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas().Handle()), PRF_CLIENT);
    panel->Free();
    return FirstTextRow(printed, Colour("PANEL.FONTCOLOR"));
  };
  const int framed = textTop(3, bvRaised);
  const int unframed = textTop(0, bvNone);
  ASSERT_GE(unframed, 0) << "no caption pixels in the section's font colour";
  EXPECT_EQ(framed, unframed - 1);
}

// A skin without the panel's section leaves the panel plain: it paints as
// the standard panel.
TEST(SkinnedPanelUnderSkin, SkinWithoutItsSectionPaintsTheStandardPanel) {
  LoadedTestSkin skin;
  FormFixture form;
  form.Show();
  TsPanel* panel = SkinnedPanel(form, skin.manager, "NOSUCHSECTION");
  EXPECT_FALSE(panel->SkinData()->IsSkinned());
  EXPECT_EQ(DifferenceFromStandardPanel(form, panel), "");
}

// A WM_PAINT that carries a device context paints the skin into it and
// leaves the window's pending update region for its own WM_PAINT, so that
// the screen is not left stale.
TEST(SkinnedPanelUnderSkin, PaintIntoAGivenDCKeepsThePendingUpdate) {
  LoadedTestSkin skin;
  FormFixture form;
  form.Show();
  TsPanel* panel = SkinnedPanel(form, skin.manager);
  Pump();
  InvalidateRect(panel->Handle(), nullptr, FALSE);
  TBitmap painted;
  FillMarker(painted);
  SendMessageW(panel->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(painted.Canvas().Handle()), 0);
  EXPECT_EQ(Pixel(painted, 60, 30), Colour("PANEL.COLOR"));
  RECT pending{};
  EXPECT_TRUE(GetUpdateRect(panel->Handle(), &pending, FALSE)) << "the update region was validated unpainted";
}

}  // namespace
