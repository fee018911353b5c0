#include <gtest/gtest.h>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/screenfacts.h"

namespace {

TEST(Font, DefaultsAreThePlatforms) {
  TFont font;
  EXPECT_EQ(font.Name(), "MS Sans Serif");
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Color(), clWindowText);
  EXPECT_TRUE(font.Style().Empty());
  EXPECT_EQ(font.Pitch(), fpDefault);
  EXPECT_EQ(font.Charset(), 1);
}

struct DpiCase {
  int PixelsPerInch;
  int Size;
  int Height;
};

class FontDpiTest : public testing::TestWithParam<DpiCase> {};

TEST_P(FontDpiTest, SizeAndHeightFollowTheScreenResolution) {
  ScreenFactsScope screen(TScreenFacts{GetParam().PixelsPerInch, -1, 32});
  TFont font;
  EXPECT_EQ(font.PixelsPerInch(), GetParam().PixelsPerInch);
  font.SetSize(GetParam().Size);
  EXPECT_EQ(font.Height(), GetParam().Height);
  EXPECT_EQ(font.Size(), GetParam().Size);
}

INSTANTIATE_TEST_SUITE_P(Resolutions, FontDpiTest,
                         testing::Values(DpiCase{96, 8, -11}, DpiCase{120, 8, -13}, DpiCase{96, 10, -13},
                                         DpiCase{120, 10, -17}, DpiCase{600, 12, -100}));

TEST(Font, AssignAcrossResolutionsKeepsThePointSize) {
  TFont screenFont;
  {
    ScreenFactsScope screen(TScreenFacts{120, -1, 32});
    TFont large;
    large.SetSize(14);
    large.SetStyle({fsBold, fsUnderline});
    large.SetName("Arial");
    large.SetColor(clRed);
    ScreenFactsScope normal(TScreenFacts{96, -1, 32});
    TFont target;
    target.Assign(&large);
    EXPECT_EQ(target.Size(), 14);
    EXPECT_EQ(target.Height(), -19);
    EXPECT_EQ(target.Name(), "Arial");
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_TRUE(target.Style().Contains(fsBold));
    EXPECT_FALSE(target.Style().Contains(fsItalic));
  }
}

TEST(Font, HandleCarriesTheProperties) {
  TFont font;
  font.SetName("Courier New");
  font.SetHeight(-20);
  font.SetStyle({fsItalic, fsStrikeOut});
  font.SetCharset(162);  // Turkish
  LOGFONTW lf{};
  ASSERT_NE(GetObjectW(font.Handle(), sizeof(lf), &lf), 0);
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_TRUE(lf.lfStrikeOut);
  EXPECT_FALSE(lf.lfUnderline);
  EXPECT_EQ(lf.lfCharSet, 162);
  EXPECT_STREQ(lf.lfFaceName, L"Courier New");

  TFont adopted;
  adopted.SetHandle(CreateFontIndirectW(&lf));
  EXPECT_EQ(adopted.Name(), "Courier New");
  EXPECT_EQ(adopted.Height(), -20);
  EXPECT_TRUE(adopted.Style().Contains(fsItalic));
}

TEST(Font, ChangesAreAnnouncedAndRenewTheHandle) {
  TFont font;
  int changes = 0;
  font.OnChange = [&changes](TObject*) { ++changes; };
  HFONT first = font.Handle();
  font.SetSize(12);
  font.SetSize(12);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(font.HandleAllocated());
  LOGFONTW lf{};
  GetObjectW(font.Handle(), sizeof(lf), &lf);
  EXPECT_EQ(lf.lfHeight, font.Height());
  EXPECT_NE(first, nullptr);
}

struct PenCase {
  TPenStyle Style;
  UINT GdiStyle;
};

class PenStyleTest : public testing::TestWithParam<PenCase> {};

TEST_P(PenStyleTest, HandleHasTheStyle) {
  TPen pen;
  pen.SetColor(clBtnFace);
  pen.SetWidth(3);
  pen.SetStyle(GetParam().Style);
  LOGPEN lp{};
  ASSERT_NE(GetObjectW(pen.Handle(), sizeof(lp), &lp), 0);
  EXPECT_EQ(lp.lopnStyle, GetParam().GdiStyle);
  if (GetParam().Style == psClear)
    return;  // GDI hands out its one null pen, whatever was asked
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(static_cast<TColor>(lp.lopnColor), ColorToRGB(clBtnFace));
}

INSTANTIATE_TEST_SUITE_P(Styles, PenStyleTest,
                         testing::Values(PenCase{psSolid, PS_SOLID}, PenCase{psDash, PS_DASH}, PenCase{psDot, PS_DOT},
                                         PenCase{psDashDot, PS_DASHDOT}, PenCase{psDashDotDot, PS_DASHDOTDOT},
                                         PenCase{psClear, PS_NULL}, PenCase{psInsideFrame, PS_INSIDEFRAME}));

TEST(PenMode, ModesMapToRasterOperations) {
  EXPECT_EQ(PenModeToROP2(pmCopy), R2_COPYPEN);
  EXPECT_EQ(PenModeToROP2(pmXor), R2_XORPEN);
  EXPECT_EQ(PenModeToROP2(pmNotXor), R2_NOTXORPEN);
  EXPECT_EQ(PenModeToROP2(pmNot), R2_NOT);
  EXPECT_EQ(PenModeToROP2(pmBlack), R2_BLACK);
}

TEST(Brush, StylesBecomeBrushKinds) {
  TBrush brush;
  LOGBRUSH lb{};
  GetObjectW(brush.Handle(), sizeof(lb), &lb);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(static_cast<TColor>(lb.lbColor), clWhite);
  brush.SetStyle(bsDiagCross);
  GetObjectW(brush.Handle(), sizeof(lb), &lb);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
  EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_DIAGCROSS));
  brush.SetStyle(bsClear);
  GetObjectW(brush.Handle(), sizeof(lb), &lb);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_NULL));
  brush.SetColor(clRed);
  EXPECT_EQ(brush.Style(), bsSolid);
}

TEST(Canvas, BorrowedHandleStaysWithItsOwner) {
  HDC dc = CreateCompatibleDC(nullptr);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font().SetName("Arial");
    EXPECT_GT(canvas.TextWidth("Merhaba"), 0);
    EXPECT_EQ(canvas.Handle(), dc);
  }
  EXPECT_NE(GetDeviceCaps(dc, BITSPIXEL), 0);
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(Canvas, OwnedHandleIsDeletedWithTheCanvas) {
  HDC dc = CreateCompatibleDC(nullptr);
  { TCanvas canvas(dc, TCanvasOwnership::Owns); }
  EXPECT_FALSE(DeleteDC(dc));
}

TEST(Canvas, CanvasWithoutHandleRefusesToDraw) {
  TCanvas canvas;
  EXPECT_THROW(canvas.Rectangle(0, 0, 1, 1), EInvalidOperation);
}

TEST(Canvas, TextRectClipsAndFormats) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(60, 20);
  TCanvas& c = bitmap.Canvas();
  c.Font().SetName("Arial");
  c.Font().SetColor(clBlack);
  c.Brush().SetColor(clYellow);
  c.TextRect(RECT{0, 0, 10, 20}, 0, 0, "WWWWWWWW");
  EXPECT_EQ(c.Pixels(30, 10), clWhite);  // clipped off
  EXPECT_EQ(c.Pixels(9, 19), clYellow);  // opaque background
  RECT measured{0, 0, 200, 0};
  c.TextRect(measured, "iki\nsatır", DT_CALCRECT);
  EXPECT_GT(measured.bottom, c.TextHeight("iki") * 3 / 2);
  EXPECT_EQ(c.Pixels(40, 2), clWhite);  // measuring draws nothing
}

TEST(Canvas, CopyRectUsesTheCopyMode) {
  TBitmap source, target;
  for (TBitmap* b : {&source, &target}) {
    b->SetPixelFormat(pf24bit);
    b->SetSize(4, 4);
  }
  source.Canvas().Brush().SetColor(clRed);
  source.Canvas().FillRect(RECT{0, 0, 4, 4});
  target.Canvas().CopyRect(RECT{0, 0, 4, 4}, source.Canvas(), RECT{0, 0, 4, 4});
  EXPECT_EQ(target.Canvas().Pixels(2, 2), clRed);
  target.Canvas().SetCopyMode(cmNotSrcCopy);
  target.Canvas().CopyRect(RECT{0, 0, 4, 4}, source.Canvas(), RECT{0, 0, 4, 4});
  EXPECT_EQ(target.Canvas().Pixels(2, 2), clAqua);
}

TEST(Canvas, ClipRectIsTheDrawableArea) {
  TBitmap bitmap;
  bitmap.SetSize(30, 12);
  RECT clip = bitmap.Canvas().ClipRect();
  EXPECT_EQ(clip.right, 30);
  EXPECT_EQ(clip.bottom, 12);
}

TEST(Canvas, LockNests) {
  TCanvas canvas;
  canvas.Lock();
  canvas.Lock();
  EXPECT_EQ(canvas.LockCount(), 2);
  canvas.Unlock();
  canvas.Unlock();
  EXPECT_EQ(canvas.LockCount(), 0);
}

TEST(ScreenFacts, SubstituteNestsAndEnds) {
  TScreenFacts real = ScreenFacts();
  {
    ScreenFactsScope outer(TScreenFacts{120, 256, 8});
    EXPECT_EQ(ScreenFacts().NumColors, 256);
    {
      ScreenFactsScope inner(TScreenFacts{96, 16, 4});
      EXPECT_EQ(ScreenFacts().NumColors, 16);
    }
    EXPECT_EQ(ScreenFacts().PixelsPerInch, 120);
  }
  EXPECT_EQ(ScreenFacts().PixelsPerInch, real.PixelsPerInch);
  EXPECT_GT(real.PixelsPerInch, 0);
}

// The screen's facts are kept between calls: a substitute in force when
// they are first asked for must not become the screen's, and a display
// change makes them read afresh.
TEST(ScreenFacts, KeptFactsAreTheScreensOwn) {
  const TScreenFacts screen = ReadScreenFacts();
  ScreenFactsChanged();
  {
    ScreenFactsScope substitute(TScreenFacts{screen.PixelsPerInch + 24, 16, 4});
    EXPECT_EQ(ScreenFacts().PixelsPerInch, screen.PixelsPerInch + 24);
  }
  for (int call = 0; call < 2; ++call) {
    const TScreenFacts kept = ScreenFacts();
    EXPECT_EQ(kept.PixelsPerInch, screen.PixelsPerInch);
    EXPECT_EQ(kept.NumColors, screen.NumColors);
    EXPECT_EQ(kept.BitsPerPixel, screen.BitsPerPixel);
  }
  ScreenFactsChanged();
  EXPECT_EQ(ScreenFacts().BitsPerPixel, screen.BitsPerPixel);
}

}  // namespace
