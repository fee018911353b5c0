#include "reportengine/preview/qrprevglyphs.h"

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/imagelist.h"
#include "classlib/graphics/toolglyphs.h"

namespace {

constexpr int GlyphSize = ToolGlyphSize;
// The colour the image list leaves out.
constexpr TColor Transparent = clOlive;

// A sheet of paper with lines of text.
void Sheet(TCanvas& Canvas, int Left, int Top, int Right, int Bottom) {
  DrawGlyphBox(Canvas, Left, Top, Right, Bottom, clWhite);
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

void DrawGlyph(TCanvas& Canvas, TQRPreviewGlyph Glyph) {
  Canvas.Pen().SetColor(clBlack);
  switch (Glyph) {
    case qpgZoomFit:
    case qpgZoomWidth:
    case qpgZoom100: DrawZoom(Canvas, Glyph); break;
    case qpgFirst: DrawPageArrow(Canvas, paFirst, clNavy); break;
    case qpgPrior: DrawPageArrow(Canvas, paPrior, clNavy); break;
    case qpgNext: DrawPageArrow(Canvas, paNext, clNavy); break;
    case qpgLast: DrawPageArrow(Canvas, paLast, clNavy); break;
    case qpgGotoPage:
      Sheet(Canvas, 2, 1, 14, 15);
      Canvas.Brush().SetColor(clRed);
      Canvas.FillRect(RECT{9, 10, 13, 14});
      break;
    case qpgFind: DrawLensGlyph(Canvas); break;
    case qpgSetup:
      DrawPrinterGlyph(Canvas);
      Canvas.Brush().SetColor(clGreen);
      Canvas.FillRect(RECT{11, 7, 14, 10});
      break;
    case qpgPrint: DrawPrinterGlyph(Canvas); break;
    case qpgSave: DrawDiskGlyph(Canvas); break;
    case qpgLoad:
      DrawGlyphBox(Canvas, 1, 5, 15, 14, clYellow);
      DrawGlyphBox(Canvas, 1, 3, 7, 6, clYellow);
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
