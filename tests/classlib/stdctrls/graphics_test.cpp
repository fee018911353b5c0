// The painted controls: bevels, shapes, images, paint boxes and shadowed
// labels, checked by the pixels their parent paints.
#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/stdctrls/bevel.h"
#include "classlib/stdctrls/image.h"
#include "classlib/stdctrls/paintbox.h"
#include "classlib/stdctrls/rxlabel.h"
#include "classlib/stdctrls/shape.h"
#include "stdctrls_test_util.h"

namespace {

using namespace stdctrls_test;

COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

class PaintedControlTest : public FormFixture {
protected:
  PaintedControlTest() { form->SetColor(clWhite); }
};

TEST_F(PaintedControlTest, ShapesFillTheirOutlineWithTheBrush) {
  struct Case {
    TShapeType type;
    TPoint inside;   // filled
    TPoint outside;  // left to the form
  };
  // A 100 x 60 control at (10, 10).
  const Case cases[] = {{stRectangle, {3, 3}, {-1, -1}},
                        {stSquare, {50, 30}, {5, 30}},
                        {stEllipse, {50, 30}, {2, 2}},
                        {stCircle, {50, 30}, {15, 30}},
                        {stRoundRect, {50, 3}, {1, 1}}};
  auto* shape = Make<TShape>(10, 10, 100, 60);
  shape->Brush()->SetColor(clRed);
  shape->Pen()->SetColor(clBlue);
  ShowForm();
  for (const Case& c : cases) {
    shape->SetShape(c.type);
    EXPECT_EQ(PixelOf(form, 10 + c.inside.x, 10 + c.inside.y), Rgb(clRed)) << c.type;
    if (c.outside.x >= 0) {
      EXPECT_EQ(PixelOf(form, 10 + c.outside.x, 10 + c.outside.y), Rgb(clWhite)) << c.type;
    }
  }
  shape->SetShape(stRectangle);
  EXPECT_EQ(PixelOf(form, 10, 10), Rgb(clBlue)) << "the pen outlines";
  shape->Brush()->SetColor(clLime);
  EXPECT_EQ(PixelOf(form, 40, 40), Rgb(clLime)) << "a brush change repaints";
}

TEST_F(PaintedControlTest, BevelsDrawTheirShapeInTheStylesColours) {
  struct Case {
    TBevelShape shape;
    TBevelStyle style;
    TPoint dark;  // a pixel in the shadow colour (control coordinates)
  };
  const Case cases[] = {{bsBox, bsLowered, {0, 10}},     {bsBox, bsRaised, {49, 10}},
                        {bsTopLine, bsLowered, {10, 0}}, {bsBottomLine, bsLowered, {10, 48}},
                        {bsLeftLine, bsRaised, {1, 10}}, {bsRightLine, bsLowered, {48, 10}}};
  auto* bevel = Make<TBevel>(20, 20, 50, 50);
  ShowForm();
  for (const Case& c : cases) {
    bevel->SetShape(c.shape);
    bevel->SetStyle(c.style);
    EXPECT_EQ(PixelOf(form, 20 + c.dark.x, 20 + c.dark.y), Rgb(clBtnShadow)) << c.shape << "/" << c.style;
  }
  bevel->SetShape(bsSpacer);
  EXPECT_EQ(PixelOf(form, 20, 30), Rgb(clWhite));
}

class ImageTest : public PaintedControlTest {
protected:
  ImageTest() : image(Make<TImage>(10, 10, 100, 80)) {
    // A 20 x 10 picture: red, with a green bottom-left pixel (its transparent colour).
    TBitmap& bitmap = image->Picture()->Bitmap();
    bitmap.SetSize(20, 10);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Rect(0, 0, 20, 10));
    bitmap.Canvas().Pixels(0, 9) = clLime;
  }
  TImage* image;
};

TEST_F(ImageTest, StretchCenterAndPlainPlaceThePicture) {
  struct Case {
    bool stretch, center, proportional;
    TRect dest;
  };
  const Case cases[] = {{false, false, false, {0, 0, 20, 10}},
                        {false, true, false, {40, 35, 60, 45}},
                        {true, false, false, {0, 0, 100, 80}},
                        {true, true, true, {0, 15, 100, 65}}};
  ShowForm();
  for (const Case& c : cases) {
    image->SetStretch(c.stretch);
    image->SetCenter(c.center);
    image->SetProportional(c.proportional);
    TRect d = image->DestRect();
    EXPECT_TRUE(EqualRect(&d, &c.dest)) << d.left << "," << d.top << "," << d.right << "," << d.bottom;
    EXPECT_EQ(PixelOf(form, 10 + c.dest.left + 5, 10 + c.dest.top + 2), Rgb(clRed));
  }
}

TEST_F(ImageTest, TransparentLeavesThePicturesTransparentColourOut) {
  ShowForm();
  EXPECT_EQ(PixelOf(form, 10, 19), Rgb(clLime));
  image->SetTransparent(true);
  EXPECT_EQ(PixelOf(form, 10, 19), Rgb(clWhite));
  EXPECT_EQ(PixelOf(form, 15, 12), Rgb(clRed));
}

TEST_F(ImageTest, AutoSizeFitsTheControlAndCanvasDrawsOnThePicture) {
  image->SetAutoSize(true);
  EXPECT_EQ(image->Width(), 20);
  EXPECT_EQ(image->Height(), 10);
  image->Canvas()->Pixels(5, 5) = clBlue;
  ShowForm();
  EXPECT_EQ(PixelOf(form, 15, 15), Rgb(clBlue));
}

TEST_F(PaintedControlTest, PaintBoxPaintsThroughOnPaint) {
  auto* box = Make<TPaintBox>(30, 30, 40, 40);
  int paints = 0;
  box->OnPaint = [&](TObject*) {
    ++paints;
    box->Canvas()->Brush().SetColor(clNavy);
    box->Canvas()->FillRect(Rect(0, 0, 10, 10));
  };
  ShowForm();
  paints = 0;
  EXPECT_EQ(PixelOf(form, 35, 35), Rgb(clNavy));
  EXPECT_EQ(PixelOf(form, 45, 45), Rgb(clWhite)) << "the rest is the form's";
  EXPECT_GE(paints, 1);
}

// The leftmost and topmost pixel of a colour in a part of the form.
TPoint FirstPixel(TWinControl* control, const TRect& area, COLORREF colour) {
  TBitmap bitmap;
  PaintClient(control, bitmap);
  TPoint first{10000, 10000};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (GetPixel(bitmap.Canvas().Handle(), x, y) == colour) {
        first.x = std::min<LONG>(first.x, x);
        first.y = std::min<LONG>(first.y, y);
      }
  return first;
}

TEST_F(PaintedControlTest, RxLabelDrawsItsShadowOnTheShadowSide) {
  auto* label = Make<TRxLabel>(20, 20);
  label->Font()->SetSize(20);
  label->Font()->SetStyle(TFontStyles{fsBold});
  label->SetCaption("I");
  label->Font()->SetColor(clBlack);
  label->SetShadowColor(clRed);
  label->SetShadowSize(3);
  label->SetTransparent(true);
  ShowForm();
  struct Case {
    TShadowPosition pos;
    int dx, dy;  // where the shadow lies from the text
  };
  const Case cases[] = {{spLeftTop, -3, -3}, {spRightBottom, 3, 3}, {spRightTop, 3, -3}, {spLeftBottom, -3, 3}};
  for (const Case& c : cases) {
    label->SetShadowPos(c.pos);
    TRect area = label->BoundsRect();
    TPoint text = FirstPixel(form, area, Rgb(clBlack));
    TPoint shadow = FirstPixel(form, area, Rgb(clRed));
    ASSERT_LT(text.x, 10000) << "the text is drawn";
    ASSERT_LT(shadow.x, 10000) << "the shadow is drawn";
    EXPECT_EQ(shadow.x - text.x, c.dx) << c.pos;
    EXPECT_EQ(shadow.y - text.y, c.dy) << c.pos;
  }
}

}  // namespace
