#include "skin/core/bitmappixels.h"

namespace {

int BitCountOfFormat(TPixelFormat format) {
  switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
  }
}

}  // namespace

TPixelView PixelViewOf(TBitmap* Bitmap) {
  TPixelView view;
  if (Bitmap == nullptr || Bitmap->Width() < 1 || Bitmap->Height() < 1)
    return view;
  view.Width = Bitmap->Width();
  view.Height = Bitmap->Height();
  view.BitCount = BitCountOfFormat(Bitmap->PixelFormat());
  view.Line0 = static_cast<std::uint8_t*>(Bitmap->ScanLine(0));
  if (view.Height > 1)
    view.Stride = static_cast<std::uint8_t*>(Bitmap->ScanLine(1)) - view.Line0;
  else
    view.Stride = ((static_cast<std::ptrdiff_t>(view.Width) * view.BitCount + 31) / 32) * 4;
  return view;
}
