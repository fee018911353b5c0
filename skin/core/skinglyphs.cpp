#include "skin/core/skinglyphs.h"

#include <memory>

#include "skin/core/alphablend.h"
#include "skin/core/alphagraph.h"
#include "skin/core/maskpaint.h"
#include "skin/core/skinbitmaps.h"

namespace {

// A 24-bit copy of a bitmap.
std::unique_ptr<TBitmap> Copy24(TBitmap* G) {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(G);
  copy->SetPixelFormat(pf24bit);
  return copy;
}

TColor KeyAt(const TPixelView& v, int x) {
  TacFast24 fast;
  return fast.Attach(v) ? fast.PixelAt(x, v.Height - 1) : static_cast<TColor>(0xFF000000);
}

}  // namespace

void PaintGlyphBitmap(TBitmap* G, TBitmap* Dst, const RECT& R, int NumGlyphs, bool Enabled,
                      TsDisabledKind DisabledKind, int State, int Blend, bool Down) {
  if (G == nullptr || Dst == nullptr || G->Width() < 2 || G->Height() < 2 || NumGlyphs < 1)
    return;
  const std::unique_ptr<TBitmap> g24 = Copy24(G);
  const TPixelView dst = PixelViewOf(Dst);
  const TPixelView glyph = PixelViewOf(g24.get());
  const TPixelRect whole{0, 0, R.right - R.left, R.bottom - R.top};
  if (NumGlyphs == 1) {
    const std::unique_ptr<TBitmap> g2 = Copy24(G);
    const TPixelView second = PixelViewOf(g2.get());
    if (!Enabled) {
      if ((DisabledKind & dkGrayed) != 0)
        GrayscaleBitmap(second);
      const TColor key = KeyAt(second, 0);
      if ((DisabledKind & dkBlended) != 0)
        BlendBitmapRect(dst, R.left, R.top, second, whole, 0.5, key);
      else
        CopyBitmapKeyed(dst, second, R.left, R.top, key);
    } else if (State == 0 && Blend > 0) {
      BlendBitmapRect(dst, R.left, R.top, second, whole, Blend / 100.0, KeyAt(second, 0));
    } else {
      CopyBitmapKeyed(dst, second, R.left, R.top, KeyAt(second, 0));
    }
    return;
  }
  const int cw = glyph.Width / NumGlyphs;
  const int k = GlyphColumn(NumGlyphs, Enabled, State, Down, G->PixelFormat() == pf4bit);
  const TPixelRect column{k * cw, 0, (k + 1) * cw - 1, glyph.Height - 1};
  if (Enabled)
    CopyPlainKeyed(dst, glyph, R.left, R.top, KeyAt(glyph, k * cw), column);
  else if (State == 0 && Blend > 0)
    BlendBitmapRect(dst, R.left, R.top, glyph, column, Blend / 100.0, KeyAt(glyph, 0));
  else
    CopyPlainKeyed(dst, glyph, R.left, R.top, KeyAt(glyph, 0), column);
}
