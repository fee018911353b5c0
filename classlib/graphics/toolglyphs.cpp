#include "classlib/graphics/toolglyphs.h"

#include "classlib/graphics/canvas.h"

namespace {

// A head four pixels wide and eight high, its back or its point at X.
void ArrowHead(TCanvas& Canvas, int X, bool PointsLeft) {
  const int cy = ToolGlyphSize / 2;
  if (PointsLeft)
    Canvas.Polygon({{X + 4, cy - 4}, {X, cy}, {X + 4, cy + 4}});
  else
    Canvas.Polygon({{X, cy - 4}, {X + 4, cy}, {X, cy + 4}});
}

}  // namespace

void DrawGlyphBox(TCanvas& Canvas, int Left, int Top, int Right, int Bottom, TColor Fill) {
  Canvas.Brush().SetColor(Fill);
  Canvas.Rectangle(Left, Top, Right, Bottom);
}

void DrawPageArrow(TCanvas& Canvas, TPageArrow Arrow, TColor Color) {
  Canvas.Pen().SetColor(Color);
  Canvas.Brush().SetColor(Color);
  switch (Arrow) {
    case paFirst:
      Canvas.FillRect(RECT{4, 4, 6, 13});
      ArrowHead(Canvas, 7, true);
      break;
    case paPrior: ArrowHead(Canvas, 6, true); break;
    case paNext: ArrowHead(Canvas, 6, false); break;
    case paLast:
      ArrowHead(Canvas, 5, false);
      Canvas.FillRect(RECT{10, 4, 12, 13});
      break;
  }
}

void DrawPrinterGlyph(TCanvas& Canvas) {
  Canvas.Pen().SetColor(clBlack);
  DrawGlyphBox(Canvas, 4, 2, 12, 7, clWhite);
  DrawGlyphBox(Canvas, 1, 6, 15, 12, clSilver);
  DrawGlyphBox(Canvas, 4, 10, 12, 15, clWhite);
}

void DrawDiskGlyph(TCanvas& Canvas) {
  Canvas.Pen().SetColor(clBlack);
  DrawGlyphBox(Canvas, 1, 1, 15, 15, clNavy);
  DrawGlyphBox(Canvas, 4, 1, 12, 7, clWhite);
  DrawGlyphBox(Canvas, 5, 10, 11, 15, clSilver);
}

void DrawLensGlyph(TCanvas& Canvas) {
  Canvas.Pen().SetColor(clBlack);
  Canvas.Pen().SetWidth(2);
  Canvas.Brush().SetColor(clWhite);
  Canvas.Ellipse(2, 2, 11, 11);
  Canvas.MoveTo(10, 10);
  Canvas.LineTo(14, 14);
  Canvas.Pen().SetWidth(1);
}
