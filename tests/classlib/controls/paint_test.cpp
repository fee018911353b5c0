// Painting: PaintTo of a panel holding a button, an edit and a label, and
// painting of non-windowed children and custom controls.
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/graphics/bitmap.h"
#include "controls_test_util.h"

using namespace controls_test;

namespace {

class PaintTo : public ::testing::Test {
protected:
  void SetUp() override {
    panel = new TPanel(shown.host);
    panel->SetParent(shown.host);
    panel->SetBounds(0, 0, 320, 200);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelWidth(2);
    panel->SetColor(clSilver);
    panel->SetCaption("");
    button = new TButton(shown.host);
    button->SetParent(panel);
    button->SetBounds(20, 20, 100, 30);
    button->SetCaption("Tamam");
    edit = new TEdit(shown.host);
    edit->SetParent(panel);
    edit->SetBounds(20, 70, 200, 24);
    edit->SetText("Barkod 123");
    label = new TLabel(shown.host);
    label->SetParent(panel);
    label->SetAutoSize(false);
    label->SetBounds(20, 120, 150, 40);
    label->SetColor(clYellow);
    label->Font()->SetColor(clBlue);
    label->Font()->SetSize(14);
    label->SetCaption("Etiket");
    shown.Show();
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(340, 220);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(Rect(0, 0, 340, 220));
    panel->PaintTo(canvas, 10, 10);
    // Look at it: DOZURI_CONTROLS_SNAPSHOT=Z:\tmp\paintto.bmp
    if (const char* path = std::getenv("DOZURI_CONTROLS_SNAPSHOT"))
      bitmap.SaveToFile(path);
  }

  TColor Pixel(int x, int y) { return bitmap.Canvas().GetPixel(x, y); }
  // Whether some pixel of the rectangle has the colour.
  bool Contains(const TRect& r, TColor color) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (Pixel(x, y) == color)
          return true;
    return false;
  }
  bool ContainsDark(const TRect& r) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        TColor c = Pixel(x, y);
        if ((c & 0xFF) < 0x60 && ((c >> 8) & 0xFF) < 0x60 && ((c >> 16) & 0xFF) < 0x60)
          return true;
      }
    return false;
  }

  ShownHost shown;
  TPanel* panel;
  TButton* button;
  TEdit* edit;
  TLabel* label;
  TBitmap bitmap;
};

TEST_F(PaintTo, DrawsThePanelsBevelAndFaceAtTheOffset) {
  EXPECT_EQ(Pixel(5, 5), clFuchsia);  // outside: untouched
  EXPECT_EQ(Pixel(10, 10), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Pixel(11, 11), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(Pixel(10 + 319, 10 + 199), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Pixel(10 + 300, 10 + 180), clSilver);
  EXPECT_EQ(Pixel(10 + 319 + 1, 10 + 100), clFuchsia);  // clipped to the panel
}

// The standard classes paint the copy themselves: it shows what the screen shows.
TEST_F(PaintTo, DrawsTheStandardControlsAsTheScreenShowsThem) {
  struct Case {
    TWinControl* control;
    int x, y;
  } cases[] = {{button, 5, 15}, {button, 30, 15}, {button, 50, 15}, {button, 70, 12}, {button, 98, 28},
               {edit, 1, 1},    {edit, 8, 10},    {edit, 20, 10},   {edit, 150, 10}};
  for (const Case& c : cases) {
    HDC screen = GetDC(c.control->Handle());
    COLORREF onScreen = ::GetPixel(screen, c.x, c.y);
    ReleaseDC(c.control->Handle(), screen);
    POINT origin{0, 0};
    MapWindowPoints(c.control->Handle(), panel->Handle(), &origin, 1);
    EXPECT_EQ(Pixel(10 + origin.x + c.x, 10 + origin.y + c.y), static_cast<TColor>(onScreen))
        << c.control->ClassName() << " " << c.x << "," << c.y;
  }
  TRect buttonFace = Bounds(10 + 20 + 4, 10 + 20 + 4, 100 - 8, 30 - 8);
  EXPECT_TRUE(ContainsDark(buttonFace)) << "button caption";
  EXPECT_FALSE(Contains(buttonFace, clSilver));
  TRect editInside = Bounds(10 + 20 + 3, 10 + 70 + 3, 200 - 6, 24 - 6);
  EXPECT_EQ(Pixel(10 + 20 + 190, 10 + 70 + 12), clWhite);
  EXPECT_TRUE(ContainsDark(editInside)) << "edit text";
  EXPECT_FALSE(Contains(editInside, clSilver));
}

TEST_F(PaintTo, DrawsTheGraphicChildOnThePanel) {
  EXPECT_EQ(Pixel(10 + 20 + 145, 10 + 120 + 35), clYellow);
  EXPECT_TRUE(Contains(Bounds(10 + 20, 10 + 120, 150, 40), clBlue)) << "label text";
  EXPECT_EQ(Pixel(10 + 20 + 155, 10 + 120 + 5), clSilver);  // right of the label
}

TEST_F(PaintTo, TransparentLabelShowsThePanelThrough) {
  label->SetTransparent(true);
  bitmap.Canvas().Brush().SetColor(clFuchsia);
  bitmap.Canvas().FillRect(Rect(0, 0, 340, 220));
  panel->PaintTo(bitmap.Canvas(), 10, 10);
  EXPECT_EQ(Pixel(10 + 20 + 145, 10 + 120 + 35), clSilver);
  EXPECT_TRUE(Contains(Bounds(10 + 20, 10 + 120, 150, 40), clBlue));
}

// A custom control paints on its own canvas; its parent's WM_PAINT reaches
// the graphic children in its DC.
class TCheckerControl : public TCustomControl {
public:
  explicit TCheckerControl(TComponent* AOwner) : TCustomControl(AOwner) {}
  int paints = 0;

protected:
  void Paint() override {
    ++paints;
    Canvas()->Brush().SetColor(clGreen);
    Canvas()->FillRect(ClientRect());
    Canvas()->Brush().SetColor(clRed);
    Canvas()->FillRect(Rect(0, 0, 10, 10));
  }
};

TEST(CustomPaint, PaintRunsOnWmPaintAndOnTheScreen) {
  ShownHost shown;
  auto* checker = new TCheckerControl(shown.host);
  checker->SetParent(shown.host);
  checker->SetBounds(30, 40, 60, 50);
  shown.Show();
  RedrawWindow(checker->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GE(checker->paints, 1);
  HDC dc = GetDC(checker->Handle());
  COLORREF corner = GetPixel(dc, 2, 2);
  COLORREF body = GetPixel(dc, 40, 30);
  ReleaseDC(checker->Handle(), dc);
  EXPECT_EQ(corner, static_cast<COLORREF>(clRed));
  EXPECT_EQ(body, static_cast<COLORREF>(clGreen));
}

TEST(CustomPaint, CanvasOutsidePaintDrawsOnTheWindow) {
  ShownHost shown;
  auto* checker = new TCheckerControl(shown.host);
  checker->SetParent(shown.host);
  checker->SetBounds(30, 40, 60, 50);
  shown.Show();
  checker->Canvas()->Brush().SetColor(clBlue);
  checker->Canvas()->FillRect(Rect(20, 20, 30, 30));
  EXPECT_EQ(checker->Canvas()->GetPixel(25, 25), clBlue);
}

}  // namespace
