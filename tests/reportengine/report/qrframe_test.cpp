// The frame: line thickness per device resolution, what it draws, its
// defaults and how it streams.
#include <gtest/gtest.h>

#include "qrreporttesting.h"
#include "tests/support/componenttext.h"

using namespace qrreport_test;

namespace {

constexpr long double kPrinter600 = 600.0L / 254;
constexpr long double kScreen96 = 96.0L / 254;

struct ThicknessCase {
  const char* what;
  long double factor;
  int width;
  int pixels;
};

TEST(QRFrameThickness, FollowsTheDeviceResolution) {
  const ThicknessCase cases[] = {
      {"1 point at 600 dpi", kPrinter600, 1, 8},
      {"2 points at 600 dpi", kPrinter600, 2, 17},
      {"0 points draws nothing", kPrinter600, 0, 0},
      {"-1 is always one pixel", kPrinter600, -1, 1},
      {"-1 on the screen", kScreen96, -1, 1},
      {"1 point on the 96 dpi screen", kScreen96, 1, 1},
      {"3 points on the screen", kScreen96, 3, 4},
      {"a thin line is at least one pixel", 0.05L, 1, 1},
      {"other negative widths draw nothing", kPrinter600, -2, 0},
  };
  for (const ThicknessCase& c : cases)
    EXPECT_EQ(QRFrameThickness(c.factor, c.width), c.pixels) << c.what;
}

// The frame painted inside (10, 10, 110, 110) of a white 120 x 120 picture.
void FramedPicture(TBitmap& bitmap, TQRFrame& frame, long double xFactor, long double yFactor) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(120, 120);
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect(Rect(0, 0, 120, 120));
  frame.Paint(bitmap.Canvas(), Rect(10, 10, 110, 110), xFactor, yFactor);
}

TEST(QRFrame, AnAbsurdWidthFromADamagedLayoutStopsAtTheRectanglesEdge) {
  TQRFrame frame;
  frame.SetColor(clRed);
  frame.SetDrawTop(true);
  frame.SetWidth(2147483647);
  TBitmap bitmap;
  EXPECT_NO_THROW(FramedPicture(bitmap, frame, kPrinter600, kPrinter600));
  EXPECT_EQ(bitmap.Canvas().GetPixel(60, 109), clRed);
  EXPECT_EQ(bitmap.Canvas().GetPixel(60, 110), clWhite);
}

struct PaintCase {
  int width;
  int pixels;  // expected thickness at 600 dpi
};

TEST(QRFrame, PaintsEachSideAsABarOfTheComputedThickness) {
  for (PaintCase c : {PaintCase{1, 8}, PaintCase{2, 17}, PaintCase{-1, 1}, PaintCase{0, 0}}) {
    TQRFrame frame;
    frame.SetColor(clRed);
    frame.SetDrawTop(true);
    frame.SetDrawBottom(true);
    frame.SetDrawLeft(true);
    frame.SetDrawRight(true);
    frame.SetWidth(c.width);
    TBitmap bitmap;
    FramedPicture(bitmap, frame, kPrinter600, kPrinter600);
    TCanvas& canvas = bitmap.Canvas();
    SCOPED_TRACE(c.width);
    if (c.pixels > 0) {
      EXPECT_EQ(canvas.GetPixel(60, 10), clRed);
      EXPECT_EQ(canvas.GetPixel(60, 10 + c.pixels - 1), clRed);
      EXPECT_EQ(canvas.GetPixel(10 + c.pixels - 1, 60), clRed);
      EXPECT_EQ(canvas.GetPixel(109 - c.pixels + 1, 60), clRed);
      EXPECT_EQ(canvas.GetPixel(60, 109 - c.pixels + 1), clRed);
    }
    EXPECT_EQ(canvas.GetPixel(60, 10 + c.pixels), clWhite) << "below the top bar";
    EXPECT_EQ(canvas.GetPixel(10 + c.pixels, 60), clWhite) << "right of the left bar";
    EXPECT_EQ(canvas.GetPixel(109 - c.pixels, 60), clWhite) << "left of the right bar";
    EXPECT_EQ(canvas.GetPixel(60, 109 - c.pixels), clWhite) << "above the bottom bar";
    EXPECT_EQ(canvas.GetPixel(60, 9), clWhite) << "outside the rectangle";
  }
}

TEST(QRFrame, DrawsOnlyTheChosenSidesAndUsesEachAxisFactor) {
  TQRFrame frame;
  frame.SetColor(clBlue);
  frame.SetDrawLeft(true);
  frame.SetDrawBottom(true);
  EXPECT_TRUE(frame.AnyFrame());
  // Horizontal lines take the vertical factor and the other way round.
  TBitmap bitmap;
    FramedPicture(bitmap, frame, kScreen96, kPrinter600);
  TCanvas& canvas = bitmap.Canvas();
  EXPECT_EQ(canvas.GetPixel(10, 60), clBlue);
  EXPECT_EQ(canvas.GetPixel(11, 60), clWhite) << "the left line is one screen pixel";
  EXPECT_EQ(canvas.GetPixel(60, 102), clBlue) << "the bottom line is eight printer pixels";
  EXPECT_EQ(canvas.GetPixel(60, 101), clWhite);
  EXPECT_EQ(canvas.GetPixel(60, 10), clWhite) << "no top line";
  EXPECT_EQ(canvas.GetPixel(109, 60), clWhite) << "no right line";
}

TEST(QRFrame, WithoutSidesDrawsNothing) {
  TQRFrame frame;
  frame.SetWidth(4);
  EXPECT_FALSE(frame.AnyFrame());
  TBitmap bitmap;
    FramedPicture(bitmap, frame, kPrinter600, kPrinter600);
  for (int x : {10, 12, 60, 109})
    EXPECT_EQ(bitmap.Canvas().GetPixel(x, 10), clWhite);
}

TEST(QRFrame, AppliesAOnePixelPenOfItsStyleAndColour) {
  TQRFrame frame;
  frame.SetWidth(5);
  frame.SetStyle(psDash);
  frame.SetColor(clGreen);
  TPen pen;
  pen.SetWidth(3);
  frame.ApplyPen(pen);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(pen.Style(), psDash);
  EXPECT_EQ(pen.Color(), clGreen);
}

TEST(QRFrame, StartsBlackWithoutSidesSolidAndOnePointWide) {
  TQRFrame frame;
  EXPECT_EQ(frame.Color(), clBlack);
  EXPECT_FALSE(frame.DrawTop());
  EXPECT_FALSE(frame.DrawBottom());
  EXPECT_FALSE(frame.DrawLeft());
  EXPECT_FALSE(frame.DrawRight());
  EXPECT_EQ(frame.Style(), psSolid);
  EXPECT_EQ(frame.Width(), 1);
}

TEST(QRFrame, StreamsColourAndSidesAlwaysStyleAndWidthOnlyWhenChanged) {
  test_support::Owned<TQRPrintable> printable(new TQRPrintable(nullptr));
  printable->SetName("Kutu");
  std::string text = test_support::ComponentText(printable.get());
  EXPECT_NE(text.find("Frame.Color = clBlack"), std::string::npos) << text;
  EXPECT_NE(text.find("Frame.DrawTop = False"), std::string::npos) << text;
  EXPECT_NE(text.find("Frame.DrawRight = False"), std::string::npos) << text;
  EXPECT_EQ(text.find("Frame.Style"), std::string::npos) << text;
  EXPECT_EQ(text.find("Frame.Width"), std::string::npos) << text;

  TQRFrame* frame = printable->Frame();
  frame->SetColor(clRed);
  frame->SetDrawLeft(true);
  frame->SetDrawBottom(true);
  frame->SetStyle(psDot);
  frame->SetWidth(3);
  text = test_support::ComponentText(printable.get());
  EXPECT_NE(text.find("Frame.Style = psDot"), std::string::npos) << text;
  EXPECT_NE(text.find("Frame.Width = 3"), std::string::npos) << text;

  test_support::Owned<TQRPrintable> copy(new TQRPrintable(nullptr));
  test_support::ReadComponentText(text, copy.get());
  TQRFrame* read = copy->Frame();
  EXPECT_EQ(read->Color(), clRed);
  EXPECT_TRUE(read->DrawLeft());
  EXPECT_TRUE(read->DrawBottom());
  EXPECT_FALSE(read->DrawTop());
  EXPECT_FALSE(read->DrawRight());
  EXPECT_EQ(read->Style(), psDot);
  EXPECT_EQ(read->Width(), 3);
  EXPECT_EQ(read->Owner(), copy.get());
}

TEST(QRFrame, AssignCopiesEverySettingButKeepsItsOwner) {
  TQRFrame source;
  source.SetColor(clMaroon);
  source.SetDrawTop(true);
  source.SetStyle(psDashDot);
  source.SetWidth(-1);
  test_support::Owned<TQRPrintable> printable(new TQRPrintable(nullptr));
  printable->SetFrame(&source);
  TQRFrame* frame = printable->Frame();
  EXPECT_EQ(frame->Color(), clMaroon);
  EXPECT_TRUE(frame->DrawTop());
  EXPECT_EQ(frame->Style(), psDashDot);
  EXPECT_EQ(frame->Width(), -1);
  EXPECT_EQ(frame->Owner(), printable.get());
}

}  // namespace
