#include "textreport/forms/zrprevbuttons.h"

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/toolglyphs.h"

namespace {

constexpr int GlyphSize = ToolGlyphSize;
// The bottom-left pixel keeps this colour, which the button leaves out.
constexpr TColor Transparent = clOlive;

void DrawGlyph(TCanvas& Canvas, TZRPreviewGlyph Glyph) {
  Canvas.Pen().SetColor(clBlack);
  Canvas.Brush().SetColor(clBlack);
  switch (Glyph) {
    case zpgFirst: DrawPageArrow(Canvas, paFirst, clBlack); break;
    case zpgPrior: DrawPageArrow(Canvas, paPrior, clBlack); break;
    case zpgNext: DrawPageArrow(Canvas, paNext, clBlack); break;
    case zpgLast: DrawPageArrow(Canvas, paLast, clBlack); break;
    case zpgSetup:
      DrawPrinterGlyph(Canvas);
      Canvas.Brush().SetColor(clGreen);
      Canvas.FillRect(RECT{11, 7, 13, 9});
      break;
    case zpgPrint: DrawPrinterGlyph(Canvas); break;
    case zpgSave:
    case zpgLoad: DrawDiskGlyph(Canvas); break;
    case zpgPageNo:
      DrawGlyphBox(Canvas, 2, 1, 14, 15, clWhite);
      Canvas.Brush().SetColor(clBlack);  // lines of text on the sheet
      for (int y : {4, 7, 10})
        Canvas.FillRect(RECT{4, y, 12, y + 1});
      Canvas.Brush().SetColor(clRed);
      Canvas.FillRect(RECT{9, 11, 13, 14});
      break;
    case zpgSearch: DrawLensGlyph(Canvas); break;
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
