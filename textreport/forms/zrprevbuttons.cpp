#include "textreport/forms/zrprevbuttons.h"

#include "classlib/graphics/bitmap.h"

namespace {

constexpr int GlyphSize = 16;
// The bottom-left pixel keeps this colour, which the button leaves out.
constexpr TColor Transparent = clOlive;

void Triangle(TCanvas& Canvas, int X, bool PointsLeft) {
  const int cy = GlyphSize / 2;
  if (PointsLeft)
    Canvas.Polygon({{X + 4, cy - 4}, {X, cy}, {X + 4, cy + 4}});
  else
    Canvas.Polygon({{X, cy - 4}, {X + 4, cy}, {X, cy + 4}});
}

void Box(TCanvas& Canvas, int Left, int Top, int Right, int Bottom, TColor Fill) {
  Canvas.Brush().SetColor(Fill);
  Canvas.Rectangle(Left, Top, Right, Bottom);
}

void DrawGlyph(TCanvas& Canvas, TZRPreviewGlyph Glyph) {
  Canvas.Pen().SetColor(clBlack);
  Canvas.Brush().SetColor(clBlack);
  switch (Glyph) {
    case zpgFirst:
      Canvas.FillRect(RECT{4, 4, 6, 13});
      Triangle(Canvas, 7, true);
      break;
    case zpgPrior: Triangle(Canvas, 6, true); break;
    case zpgNext: Triangle(Canvas, 6, false); break;
    case zpgLast:
      Triangle(Canvas, 5, false);
      Canvas.FillRect(RECT{10, 4, 12, 13});
      break;
    case zpgSetup:
    case zpgPrint:
      Box(Canvas, 4, 2, 12, 7, clWhite);
      Box(Canvas, 1, 6, 15, 12, clSilver);
      Box(Canvas, 4, 10, 12, 15, clWhite);
      if (Glyph == zpgSetup) {
        Canvas.Brush().SetColor(clGreen);
        Canvas.FillRect(RECT{11, 7, 13, 9});
      }
      break;
    case zpgSave:
    case zpgLoad:
      Box(Canvas, 1, 1, 15, 15, clNavy);
      Box(Canvas, 4, 1, 12, 7, clWhite);
      Box(Canvas, 5, 10, 11, 15, clSilver);
      break;
    case zpgPageNo:
      Box(Canvas, 2, 1, 14, 15, clWhite);
      for (int y : {4, 7, 10})
        Canvas.FillRect(RECT{4, y, 12, y + 1});
      Canvas.Brush().SetColor(clRed);
      Canvas.FillRect(RECT{9, 11, 13, 14});
      break;
    case zpgSearch:
      Canvas.Pen().SetWidth(2);
      Canvas.Brush().SetColor(clWhite);
      Canvas.Ellipse(2, 2, 11, 11);
      Canvas.MoveTo(10, 10);
      Canvas.LineTo(14, 14);
      Canvas.Pen().SetWidth(1);
      break;
  }
}

}  // namespace

TPanel* MakePreviewPanel(TComponent* Owner, TWinControl* Parent, const char* Name, TAlign Align) {
  auto* panel = new TPanel(Owner);
  panel->SetName(Name);
  panel->SetParent(Parent);
  panel->SetCaption("");
  panel->SetBevelOuter(bvNone);
  panel->SetAlign(Align);
  return panel;
}

TSpeedButton* MakePreviewButton(TComponent* Owner, TWinControl* Parent, const char* Name, TZRPreviewGlyph Glyph,
                                int Left, int Width) {
  auto* button = new TSpeedButton(Owner);
  button->SetName(Name);
  button->SetParent(Parent);
  button->SetBounds(Left, 2, Width, 24);
  button->SetFlat(true);
  TBitmap picture;
  picture.SetSize(GlyphSize, GlyphSize);
  TCanvas& canvas = picture.Canvas();
  canvas.Brush().SetColor(Transparent);
  canvas.FillRect(RECT{0, 0, GlyphSize, GlyphSize});
  DrawGlyph(canvas, Glyph);
  button->SetGlyph(&picture);
  return button;
}
