#include "skin/core/resamplebitmap.h"

#include "skin/core/bitmappixels.h"

void SmoothResize(TBitmap* S, TBitmap* D, int NW, int NH, int F) {
  if (S == nullptr || D == nullptr)
    return;
  if (S->Width() < 2 || S->Height() < 2)
    throw Exception("Source bitmap is too small");
  if (NW == S->Width() && NH == S->Height()) {
    if (D != S)
      D->Assign(S);
    return;
  }
  if (S->PixelFormat() != pf32bit)
    S->SetPixelFormat(pf24bit);
  const TPixelFormat format = S->PixelFormat();
  if (NW < 1 || NH < 1) {
    D->SetPixelFormat(format);
    D->SetSize(0, 0);
    return;
  }
  // Resampling into the source itself reads from a copy.
  TBitmap copy;
  TBitmap* source = S;
  if (D == S) {
    copy.Assign(S);
    copy.SetPixelFormat(format);
    source = &copy;
  }
  D->SetPixelFormat(format);
  D->SetSize(NW, NH);
  SmoothResizePixels(PixelViewOf(source), PixelViewOf(D), F);
}
