#include "skin/core/alphabitmaps.h"

#include "skin/core/bitmappixels.h"

void DrawAlphaBitmap(const RECT& DR, const RECT& SR, TBitmap* Dst, TBitmap* Src, const TPixelBackground& Bg,
                     bool UseBackground, TColor TintColor, int Percent, bool Reflect) {
  if (Src == nullptr || Dst == nullptr)
    return;
  Src->SetPixelFormat(pf32bit);
  DrawAlphaBitmap({DR.left, DR.top, DR.right, DR.bottom}, {SR.left, SR.top, SR.right, SR.bottom}, PixelViewOf(Dst),
                  PixelViewOf(Src), Bg, UseBackground, TintColor, Percent, Reflect);
}

void CopyPixelChannel(TBitmap* Bmp32, TBitmap* Bmp8, int I, bool ToBmp8) {
  if (Bmp32 == nullptr || Bmp8 == nullptr)
    return;
  CopyPixelChannel(PixelViewOf(Bmp32), PixelViewOf(Bmp8), I, ToBmp8);
}
