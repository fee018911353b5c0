// The owner-drawn button: its settings at creation, where glyph and caption
// go, the painted face, frame and highlight read back as pixels, the
// drop-down menu, clicks by mouse and keys, the modal result, removal
// notices and streaming.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/forms/menus.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/imagelist.h"
#include "components/vtcomponentsreg.h"
#include "components/vtwinbutton.h"
#include "tests/skin/controls/skin_test_util.h"

namespace {

using namespace skin_test;

// ---- Content placement ---------------------------------------------------------------
struct PlacementCase {
  const char* name;
  TPicPos align;
  SIZE glyph;
  bool showCaption;
  int offset;
  bool hasGlyph, hasCaption;
  TPoint glyphAt, captionAt;
};

// A 100 x 30 button, a 16 x 16 glyph and a caption of 41 x 13 (odd sizes, so
// that the truncating divisions show: (16 - 41) div 2 is -12, not -13).
constexpr SIZE kGlyph{16, 16};
constexpr SIZE kNoGlyph{0, 0};
const PlacementCase kPlacements[] = {
    {"left", poLeft, kGlyph, true, 0, true, true, {22, 7}, {42, 9}},
    {"left pressed", poLeft, kGlyph, true, 2, true, true, {24, 9}, {44, 11}},
    {"right", poRight, kGlyph, true, 0, true, true, {67, 7}, {21, 9}},
    {"right pressed", poRight, kGlyph, true, 2, true, true, {69, 9}, {23, 11}},
    {"top", poTop, kGlyph, true, 0, true, true, {42, -1}, {30, 18}},
    {"top pressed", poTop, kGlyph, true, 2, true, true, {44, 1}, {32, 20}},
    {"bottom", poBottom, kGlyph, true, 0, true, true, {42, 13}, {30, 0}},
    {"bottom pressed", poBottom, kGlyph, true, 2, true, true, {44, 15}, {32, 2}},
    {"glyph only (left)", poLeft, kGlyph, false, 0, true, false, {42, 7}, {0, 0}},
    {"glyph only (bottom) pressed", poBottom, kGlyph, false, 2, true, false, {44, 9}, {0, 0}},
    {"caption only", poLeft, kNoGlyph, true, 0, false, true, {0, 0}, {30, 9}},
    {"caption only (top) pressed", poTop, kNoGlyph, true, 2, false, true, {0, 0}, {32, 11}},
    {"nothing", poRight, kNoGlyph, false, 0, false, false, {0, 0}, {0, 0}},
};

TEST(VtWinButtonPlacement, GlyphAndCaptionGoWhereTheAlignmentSays) {
  for (const PlacementCase& c : kPlacements) {
    SCOPED_TRACE(c.name);
    TVtButtonContent got = PlaceButtonContent(c.align, 100, 30, c.glyph, SIZE{41, 13}, c.showCaption, c.offset);
    EXPECT_EQ(got.HasGlyph, c.hasGlyph);
    EXPECT_EQ(got.HasCaption, c.hasCaption);
    if (c.hasGlyph) {
      EXPECT_EQ(got.GlyphPos.x, c.glyphAt.x);
      EXPECT_EQ(got.GlyphPos.y, c.glyphAt.y);
    }
    if (c.hasCaption) {
      EXPECT_EQ(got.CaptionPos.x, c.captionAt.x);
      EXPECT_EQ(got.CaptionPos.y, c.captionAt.y);
    }
  }
}

TEST(VtWinButtonPlacement, AGlyphWiderThanTheButtonIsCentredWithTruncation) {
  TVtButtonContent got = PlaceButtonContent(poLeft, 10, 10, SIZE{15, 15}, SIZE{0, 0}, false, 0);
  EXPECT_EQ(got.GlyphPos.x, -2);  // (10 - 15) div 2
  EXPECT_EQ(got.GlyphPos.y, -2);
}

// ---- Fixture ------------------------------------------------------------------------------------
// A popup menu that records its showing instead of running a menu loop.
class RecordingMenu : public TPopupMenu {
public:
  explicit RecordingMenu(TComponent* owner) : TPopupMenu(owner) {}
  void Popup(int X, int Y) override {
    points.push_back(Point(X, Y));
    if (whilePopped)
      whilePopped();
  }
  std::vector<TPoint> points;
  std::function<void()> whilePopped;
};

class WinButton : public testing::Test {
protected:
  WinButton() {
    button = form.Add<TVtWinButton>(20, 20, 100, 30);
    button->SetCaption("Tamam");
    button->OnClick = [this](TObject*) { ++clicks; };
    form.Show();
  }
  std::unique_ptr<TBitmap> Painted() {
    test_support::Pump();
    auto bitmap = std::make_unique<TBitmap>();
    PaintClient(button, *bitmap);
    return bitmap;
  }
  void Press(int x = 5, int y = 5) { SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
  void Lift(int x = 5, int y = 5) { SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }
  void Key(UINT msg, WORD key) { button->Perform(msg, key, msg == WM_KEYUP ? 0xC0000001 : 1); }

  FormFixture form;
  TVtWinButton* button;
  int clicks = 0;
};

TEST_F(WinButton, CreationSettings) {
  auto* fresh = new TVtWinButton(form.Host());
  EXPECT_EQ(fresh->Width(), 100);
  EXPECT_EQ(fresh->Height(), 30);
  EXPECT_EQ(fresh->RaiseCol(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(fresh->OverCol(), static_cast<TColor>(0xFF0000));
  EXPECT_TRUE(fresh->Glpyh()->Empty());
  EXPECT_EQ(fresh->GlphyAlign(), poLeft);
  EXPECT_EQ(fresh->Images(), nullptr);
  EXPECT_EQ(fresh->ImageIndex(), -1);
  EXPECT_EQ(fresh->DropDownMenu(), nullptr);
  EXPECT_EQ(fresh->ModalResult(), 0);
  EXPECT_EQ(fresh->GrayedFont()->Name(), "Arial");
  EXPECT_EQ(fresh->GrayedFont()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(fresh->GrayedFont()->Size(), 8);
  EXPECT_EQ(fresh->GrayedFont()->Color(), clGrayText);
  EXPECT_TRUE(fresh->ShowCaption());
  EXPECT_EQ(fresh->Gradient(), grNone);
  EXPECT_EQ(fresh->Font()->Name(), "Arial");
  EXPECT_EQ(fresh->Font()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(fresh->Font()->Size(), 8);
  EXPECT_EQ(fresh->Font()->Color(), clBlack);
  EXPECT_TRUE(fresh->ShowHint());
  EXPECT_TRUE(fresh->TabStop());
  EXPECT_TRUE(fresh->ParentColor());
  EXPECT_EQ(fresh->Cursor(), crHandPoint);
  EXPECT_EQ(fresh->About(), "s1.06");
  fresh->SetAbout("s0");
  EXPECT_EQ(fresh->About(), "s1.06");
  EXPECT_FALSE(fresh->GetTanim().empty());
  EXPECT_TRUE(fresh->ControlStyle().Contains(csCaptureMouse));
  EXPECT_FALSE(fresh->ControlStyle().Contains(csClickEvents));
}

// ---- Painting ---------------------------------------------------------------------------------
TEST_F(WinButton, NotPressedHasHighlightStripsFaceAndDoubleFrame) {
  button->SetCaption("");
  button->SetColor(clYellow);
  button->SetRaiseCol(clRed);
  auto bmp = Painted();
  const int w = 100, h = 30;
  const COLORREF black = 0, red = ColorToRGB(clRed), yellow = ColorToRGB(clYellow);
  struct Probe {
    int x, y;
    COLORREF want;
    const char* what;
  } probes[] = {
      {0, 10, red, "left strip"},           {1, 10, red, "left strip, second column"},
      {50, 0, red, "top strip"},            {50, 1, red, "top strip, second row"},
      {0, h - 2, red, "left strip runs to Height - 2"},
      {0, h - 1, black, "bottom left: the frame"},
      {w - 1, 0, black, "top right: the frame"},
      {w - 1, 10, black, "outer frame, right"}, {w - 2, 10, black, "inner frame, right"},
      {50, h - 1, black, "outer frame, bottom"}, {50, h - 2, black, "inner frame, bottom"},
      {2, 10, yellow, "face"},               {w - 3, h - 3, yellow, "face, bottom right"},
  };
  for (const Probe& p : probes)
    EXPECT_EQ(Pixel(*bmp, p.x, p.y), p.want) << p.what << " at " << p.x << "," << p.y;
}

TEST_F(WinButton, PressedIsFlatWithOneFrame) {
  button->SetCaption("");
  button->SetColor(clYellow);
  button->SetRaiseCol(clRed);
  Press();
  ASSERT_TRUE(button->Pressed());
  auto bmp = Painted();
  const COLORREF black = 0, yellow = ColorToRGB(clYellow);
  EXPECT_EQ(Pixel(*bmp, 0, 10), black);
  EXPECT_EQ(Pixel(*bmp, 1, 10), yellow) << "no highlight while pressed";
  EXPECT_EQ(Pixel(*bmp, 50, 1), yellow);
  EXPECT_EQ(Pixel(*bmp, 99, 10), black);
  EXPECT_EQ(Pixel(*bmp, 98, 10), yellow) << "no inner frame while pressed";
  EXPECT_EQ(Pixel(*bmp, 50, 28), yellow);
  Lift();
  EXPECT_FALSE(button->Pressed());
}

// Nearly pure red or blue: the highlight strips cover the first band's
// first pixels, so the first visible pixels belong to the second of 50.
bool Reddish(COLORREF c) { return GetRValue(c) > 0xE0 && GetBValue(c) < 0x20 && GetGValue(c) == 0; }
bool Bluish(COLORREF c) { return GetBValue(c) > 0xE0 && GetRValue(c) < 0x20 && GetGValue(c) == 0; }

TEST_F(WinButton, GradientFaceRunsFromStartToEndColour) {
  button->SetCaption("");
  button->SetGradient(grLeftToRight);
  button->SetGradStartCl(clRed);
  button->SetGradEndCl(clBlue);
  auto bmp = Painted();
  EXPECT_TRUE(Reddish(Pixel(*bmp, 2, 15))) << std::hex << Pixel(*bmp, 2, 15);
  EXPECT_TRUE(Bluish(Pixel(*bmp, 97, 15))) << std::hex << Pixel(*bmp, 97, 15);
  EXPECT_EQ(Pixel(*bmp, 50, 5), Pixel(*bmp, 50, 25)) << "left to right: a column has one colour";
  EXPECT_NE(Pixel(*bmp, 30, 15), Pixel(*bmp, 60, 15));
  button->SetGradient(grBottomToTop);
  bmp = Painted();
  EXPECT_TRUE(Bluish(Pixel(*bmp, 10, 2))) << std::hex << Pixel(*bmp, 10, 2);
  EXPECT_TRUE(Reddish(Pixel(*bmp, 10, 27))) << std::hex << Pixel(*bmp, 10, 27);
  EXPECT_EQ(Pixel(*bmp, 20, 15), Pixel(*bmp, 80, 15)) << "bottom to top: a row has one colour";
}

TEST_F(WinButton, GlyphSeeThroughColourShowsTheButtonColour) {
  button->SetCaption("");
  button->SetColor(clYellow);
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(16, 16);
  glyph.Canvas().Brush().SetColor(clFuchsia);
  glyph.Canvas().FillRect(Rect(0, 0, 16, 16));
  glyph.Canvas().Brush().SetColor(clGreen);
  glyph.Canvas().FillRect(Rect(4, 4, 12, 12));
  button->SetGlpyh(&glyph);
  auto bmp = Painted();
  // Glyph only: at ((100 - 16) div 2, (30 - 16) div 2) = (42, 7).
  EXPECT_EQ(Pixel(*bmp, 42 + 8, 7 + 8), ColorToRGB(clGreen));
  EXPECT_EQ(Pixel(*bmp, 42 + 1, 7 + 1), ColorToRGB(clYellow));
}

int PixelsOf(TBitmap& bmp, COLORREF colour, const TRect& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      n += Pixel(bmp, x, y) == colour ? 1 : 0;
  return n;
}

TEST_F(WinButton, DisabledShowsEmbossedImageAndGrayedCaption) {
  auto* images = new TImageList(form.Host(), 16, 16);
  TBitmap red;
  red.SetPixelFormat(pf24bit);
  red.SetSize(16, 16);
  red.Canvas().Brush().SetColor(clRed);
  red.Canvas().FillRect(Rect(0, 0, 16, 16));
  images->Add(&red, nullptr);
  button->SetColor(clWhite);
  button->SetImages(images);
  button->SetImageIndex(0);
  button->GrayedFont()->SetColor(clGreen);
  auto enabled = Painted();
  const TRect glyphArea = Bounds(2, 2, 40, 26);
  EXPECT_GT(PixelsOf(*enabled, ColorToRGB(clRed), glyphArea), 100);
  EXPECT_EQ(PixelsOf(*enabled, ColorToRGB(clGreen), Bounds(2, 2, 96, 26)), 0);

  button->SetEnabled(false);
  auto disabled = Painted();
  EXPECT_EQ(PixelsOf(*disabled, ColorToRGB(clRed), glyphArea), 0) << "the image is embossed, not in colour";
  EXPECT_GT(PixelsOf(*disabled, ColorToRGB(clBtnShadow), glyphArea), 100);
  EXPECT_GT(PixelsOf(*disabled, ColorToRGB(clGreen), Bounds(2, 2, 96, 26)), 10) << "caption in the grayed colour";
  if (const char* file = std::getenv("DOZURI_SCREENSHOT"))
    disabled->SaveToFile(file);
}

// ---- Clicks -------------------------------------------------------------------------------------
TEST_F(WinButton, ALeftClickClicksOnceOnTheWayUp) {
  Press();
  EXPECT_EQ(clicks, 0);
  Lift();
  EXPECT_EQ(clicks, 1);
  Lift();
  EXPECT_EQ(clicks, 1) << "a second release is no click";
}

TEST_F(WinButton, LeavingWhilePressedCancelsTheClick) {
  Press();
  button->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(button->Pressed());
  Lift(200, 200);
  EXPECT_EQ(clicks, 0);
}

TEST_F(WinButton, DisabledButtonDoesNotClick) {
  button->SetEnabled(false);
  button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 0);
}

TEST_F(WinButton, DropDownMenuOpensBelowThenTheButtonClicksOnce) {
  auto* menu = new RecordingMenu(form.Host());
  button->SetDropDownMenu(menu);
  int clicksWhileOpen = -1;
  bool pressedWhileOpen = false;
  menu->whilePopped = [&] {
    clicksWhileOpen = clicks;
    pressedWhileOpen = button->Pressed();
  };
  Press();
  ASSERT_EQ(menu->points.size(), 1u);
  const TPoint below = button->ClientToScreen(Point(1, 31));
  EXPECT_EQ(menu->points[0].x, below.x);
  EXPECT_EQ(menu->points[0].y, below.y);
  EXPECT_EQ(menu->PopupComponent(), button);
  EXPECT_EQ(clicksWhileOpen, 0) << "the menu opens before the click";
  EXPECT_TRUE(pressedWhileOpen);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->Pressed());
  Lift();
  EXPECT_EQ(clicks, 1) << "the release after the menu is no second click";
}

TEST_F(WinButton, EnterClicksOrDropsDown) {
  Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(clicks, 1);
  auto* menu = new RecordingMenu(form.Host());
  button->SetDropDownMenu(menu);
  Key(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(menu->points.size(), 1u);
  EXPECT_EQ(clicks, 1);
}

TEST_F(WinButton, SpaceClicksOnItsWayUp) {
  Key(WM_KEYDOWN, VK_SPACE);
  EXPECT_TRUE(button->Pressed());
  EXPECT_EQ(clicks, 0);
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_FALSE(button->Pressed());
  EXPECT_EQ(clicks, 1);
  // Another key while Space is down lets the button go without a click.
  Key(WM_KEYDOWN, VK_SPACE);
  Key(WM_KEYDOWN, 'A');
  EXPECT_FALSE(button->Pressed());
  Key(WM_KEYUP, VK_SPACE);
  EXPECT_EQ(clicks, 1);
}

TEST_F(WinButton, RightClickShowsThePopupMenuOnce) {
  auto* menu = new RecordingMenu(form.Host());
  button->SetPopupMenu(menu);
  SendMessageW(button->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 8));
  SendMessageW(button->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(7, 8));
  const TPoint screen = button->ClientToScreen(Point(7, 8));
  SendMessageW(button->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->Handle()),
               MAKELPARAM(screen.x, screen.y));
  ASSERT_EQ(menu->points.size(), 1u);
  EXPECT_EQ(menu->points[0].x, screen.x);
  EXPECT_EQ(menu->points[0].y, screen.y);
  EXPECT_EQ(clicks, 0);
}

TEST_F(WinButton, ModalResultGoesToTheModalFormOnEveryClick) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  Owned<TForm> modal{new TForm(nullptr)};
  auto* onForm = new TVtWinButton(modal.get());
  onForm->SetParent(modal.get());
  std::vector<TModalResult> seen;
  dialogs.OnModalForm = [&](TCustomForm& f) {
    for (int i = 0; i < 2; ++i) {
      f.SetModalResult(mrOk);
      onForm->Click();
      seen.push_back(f.ModalResult());
    }
    onForm->SetModalResult(mrCancel);
    onForm->Click();
    seen.push_back(f.ModalResult());
  };
  EXPECT_EQ(modal->ShowModal(), mrCancel);
  EXPECT_EQ(seen, (std::vector<TModalResult>{0, 0, mrCancel}));
}

// ---- Notices and streaming -------------------------------------------------------------
TEST_F(WinButton, FreedImagesAndMenusAreForgotten) {
  auto* images = new TImageList(form.Host(), 16, 16);
  auto* drop = new TPopupMenu(form.Host());
  auto* popup = new TPopupMenu(form.Host());
  button->SetImages(images);
  button->SetDropDownMenu(drop);
  button->SetPopupMenu(popup);
  images->Free();
  drop->Free();
  popup->Free();
  EXPECT_EQ(button->Images(), nullptr);
  EXPECT_EQ(button->DropDownMenu(), nullptr);
  EXPECT_EQ(button->PopupMenuComponent(), nullptr);
  Painted();  // paints without the freed list
}

TEST_F(WinButton, GrayedFontTakesACopyButNotOfItsOwnFont) {
  TFont other;
  other.SetColor(clMaroon);
  button->SetGrayedFont(&other);
  EXPECT_EQ(button->GrayedFont()->Color(), clMaroon);
  button->Font()->SetColor(clNavy);
  button->SetGrayedFont(button->Font());
  EXPECT_EQ(button->GrayedFont()->Color(), clMaroon);
}

TEST_F(WinButton, StreamsItsPropertiesAndLeavesDefaultsOut) {
  RegisterVtComponents();
  RegisterClasses({TPanel::StaticClass()});
  Owned<TPanel> root{new TPanel(nullptr)};
  root->SetName("Root");
  auto* written = new TVtWinButton(root.get());
  written->SetName("Btn");
  written->SetParent(root.get());
  std::string text = ComponentText(root.get());
  for (const char* name : {"RaiseCol", "OverCol", "GlphyAlign", "ImageIndex", "ShowCaption", "Gradient =", "About",
                           "ModalResult"})
    EXPECT_EQ(text.find(name), std::string::npos) << name << " in\n" << text;

  written->SetRaiseCol(clRed);
  written->SetGlphyAlign(poBottom);
  written->SetGradient(grRightToLeft);
  written->SetGradStartCl(clLime);
  written->SetModalResult(mrCancel);
  written->SetShowCaption(false);
  written->SetCaption("Bilgileri Aktar");
  text = ComponentText(root.get());
  Owned<TPanel> copy{new TPanel(nullptr)};
  ReadComponentText(text, copy.get());
  auto* read = dynamic_cast<TVtWinButton*>(copy->FindComponent("Btn"));
  ASSERT_NE(read, nullptr) << text;
  EXPECT_EQ(read->RaiseCol(), clRed);
  EXPECT_EQ(read->GlphyAlign(), poBottom);
  EXPECT_EQ(read->Gradient(), grRightToLeft);
  EXPECT_EQ(read->GradStartCl(), clLime);
  EXPECT_EQ(read->ModalResult(), mrCancel);
  EXPECT_FALSE(read->ShowCaption());
  EXPECT_EQ(read->Caption(), "Bilgileri Aktar");
}

}  // namespace
