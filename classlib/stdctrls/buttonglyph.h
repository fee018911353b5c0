// The glyph and caption of a bitmap button or speed button. The glyph
// bitmap holds NumGlyphs images side by side: up, disabled, down, and
// down-and-held (exclusive); a missing image falls back to the up image
// (disabled: drawn greyed). The bottom-left pixel is the transparent colour.
#pragma once
#include <memory>

#include "classlib/controls/control.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
DOZURI_ENUM(TButtonLayout, "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom");
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
DOZURI_ENUM(TButtonState, "bsUp", "bsDisabled", "bsDown", "bsExclusive");
using TNumGlyphs = int;

// Where the glyph and the text go inside a button.
struct TButtonLayoutResult {
  TPoint GlyphPos{};
  TRect TextBounds{};
};

// Places a glyph of GlyphSize and a text of TextSize in Client: Margin is
// the distance from the edge the glyph sits at (-1: glyph and text centred
// together), Spacing the gap between them (-1: the text centred in what is
// left).
TButtonLayoutResult CalcButtonLayout(const TRect& Client, SIZE GlyphSize, SIZE TextSize, TButtonLayout Layout,
                                     int Margin, int Spacing);

class TButtonGlyph {
public:
  TButtonGlyph();
  ~TButtonGlyph();

  TBitmap* Glyph() const { return FGlyph.get(); }
  // Takes a copy; a glyph whose width is a multiple of its height takes
  // that many images.
  void SetGlyph(TBitmap* Value);
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);
  // The size of one image (0 x 0 without a glyph).
  SIZE GlyphSize();
  TNotifyEvent OnChange;

  // Draws glyph and caption of a button in State into Client (already
  // offset for a pushed button) and gives the text's bounds.
  TRect Draw(TCanvas& Canvas, const TRect& Client, TPoint Offset, const AnsiString& Caption,
             TButtonLayout Layout, int Margin, int Spacing, TButtonState State, int BiDiFlags);

private:
  void DrawGlyph(TCanvas& Canvas, TPoint Pos, TButtonState State);
  void GlyphChanged(TObject* Sender);

  std::unique_ptr<TBitmap> FGlyph;
  TNumGlyphs FNumGlyphs = 1;
};
