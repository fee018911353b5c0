#include "reportengine/preview/qrprevglyphs.h"

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/imagelist.h"

namespace {

constexpr int GlyphSize = 16;
// The colour the image list leaves out.
constexpr TColor Transparent = clOlive;

void Box(TCanvas& Canvas, int Left, int Top, int Right, int Bottom, TColor Fill) {
  Canvas.Brush().SetColor(Fill);
  Canvas.Rectangle(Left, Top, Right, Bottom);
}

void Triangle(TCanvas& Canvas, int X, bool PointsLeft) {
  const int cy = GlyphSize / 2;
  Canvas.Brush().SetColor(clNavy);
  Canvas.Pen().SetColor(clNavy);
  if (PointsLeft)
    Canvas.Polygon({{X + 4, cy - 4}, {X, cy}, {X + 4, cy + 4}});
  else
    Canvas.Polygon({{X, cy - 4}, {X + 4, cy}, {X, cy + 4}});
  Canvas.Pen().SetColor(clBlack);
}

// A sheet of paper with lines of text.
void Sheet(TCanvas& Canvas, int Left, int Top, int Right, int Bottom) {
  Box(Canvas, Left, Top, Right, Bottom, clWhite);
  Canvas.Brush().SetColor(clGray);
  for (int y = Top + 3; y < Bottom - 2; y += 3)
    Canvas.FillRect(RECT{Left + 2, y, Right - 2, y + 1});
}

void DrawZoom(TCanvas& Canvas, TQRPreviewGlyph Glyph) {
  if (Glyph == qpgZoomFit) {
    Sheet(Canvas, 4, 1, 12, 15);
  } else if (Glyph == qpgZoomWidth) {
    Sheet(Canvas, 1, 3, 15, 13);
  } else {
    Sheet(Canvas, 2, 1, 14, 15);
    Canvas.Brush().SetColor(clNavy);
    Canvas.FillRect(RECT{5, 6, 11, 10});
  }
}

void DrawPrinter(TCanvas& Canvas, bool Setup) {
  Box(Canvas, 4, 2, 12, 7, clWhite);
  Box(Canvas, 1, 6, 15, 12, clSilver);
  Box(Canvas, 4, 10, 12, 15, clWhite);
  if (Setup) {
    Canvas.Brush().SetColor(clGreen);
    Canvas.FillRect(RECT{11, 7, 14, 10});
  }
}

void DrawGlyph(TCanvas& Canvas, TQRPreviewGlyph Glyph) {
  Canvas.Pen().SetColor(clBlack);
  switch (Glyph) {
    case qpgZoomFit:
    case qpgZoomWidth:
    case qpgZoom100: DrawZoom(Canvas, Glyph); break;
    case qpgFirst:
      Canvas.Brush().SetColor(clNavy);
      Canvas.FillRect(RECT{4, 4, 6, 13});
      Triangle(Canvas, 7, true);
      break;
    case qpgPrior: Triangle(Canvas, 6, true); break;
    case qpgNext: Triangle(Canvas, 6, false); break;
    case qpgLast:
      Triangle(Canvas, 5, false);
      Canvas.Brush().SetColor(clNavy);
      Canvas.FillRect(RECT{10, 4, 12, 13});
      break;
    case qpgGotoPage:
      Sheet(Canvas, 2, 1, 14, 15);
      Canvas.Brush().SetColor(clRed);
      Canvas.FillRect(RECT{9, 10, 13, 14});
      break;
    case qpgFind:
      Canvas.Pen().SetWidth(2);
      Canvas.Brush().SetColor(clWhite);
      Canvas.Ellipse(2, 2, 11, 11);
      Canvas.MoveTo(10, 10);
      Canvas.LineTo(14, 14);
      Canvas.Pen().SetWidth(1);
      break;
    case qpgSetup:
    case qpgPrint: DrawPrinter(Canvas, Glyph == qpgSetup); break;
    case qpgSave:
      Box(Canvas, 1, 1, 15, 15, clNavy);
      Box(Canvas, 4, 1, 12, 7, clWhite);
      Box(Canvas, 5, 10, 11, 15, clSilver);
      break;
    case qpgLoad:
      Box(Canvas, 1, 5, 15, 14, clYellow);
      Box(Canvas, 1, 3, 7, 6, clYellow);
      break;
    case qpgGlyphCount: break;
  }
}

}  // namespace

TImageList* MakeQRPreviewImages(TComponent* Owner) {
  auto* images = new TImageList(Owner, GlyphSize, GlyphSize);
  for (int i = 0; i < qpgGlyphCount; ++i) {
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(GlyphSize, GlyphSize);
    picture.Canvas().Brush().SetColor(Transparent);
    picture.Canvas().FillRect(RECT{0, 0, GlyphSize, GlyphSize});
    DrawGlyph(picture.Canvas(), static_cast<TQRPreviewGlyph>(i));
    images->AddMasked(picture, Transparent);
  }
  return images;
}
