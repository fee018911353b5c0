#include "classlib/graphics/gradient.h"

#include <algorithm>

#include "classlib/graphics/canvas.h"

namespace {

constexpr int kMaxBands = 256;

// The colour of band Index of Count: each channel moved Index/(Count-1) of
// the way from Begin to End, so band 0 is Begin and band Count-1 is End.
COLORREF BandColor(COLORREF Begin, COLORREF End, int Index, int Count) {
  if (Count <= 1)
    return Begin;
  auto channel = [&](int shift) {
    int from = static_cast<int>((Begin >> shift) & 0xFF);
    int to = static_cast<int>((End >> shift) & 0xFF);
    return static_cast<COLORREF>(from + MulDiv(to - from, Index, Count - 1)) << shift;
  };
  return channel(0) | channel(8) | channel(16);
}

// The rectangle of band Index of Count: bands split the extent along the
// direction as evenly as whole pixels allow, the first band at the side the
// direction starts from.
RECT BandRect(const RECT& Rect, TFillDirection Direction, int Index, int Count) {
  RECT band = Rect;
  const bool vertical = Direction == fdTopToBottom || Direction == fdBottomToTop;
  const int extent = vertical ? Rect.bottom - Rect.top : Rect.right - Rect.left;
  const int from = static_cast<int>(static_cast<long long>(extent) * Index / Count);
  const int to = static_cast<int>(static_cast<long long>(extent) * (Index + 1) / Count);
  switch (Direction) {
    case fdTopToBottom: band.top = Rect.top + from; band.bottom = Rect.top + to; break;
    case fdBottomToTop: band.bottom = Rect.bottom - from; band.top = Rect.bottom - to; break;
    case fdLeftToRight: band.left = Rect.left + from; band.right = Rect.left + to; break;
    case fdRightToLeft: band.right = Rect.right - from; band.left = Rect.right - to; break;
  }
  return band;
}

}  // namespace

void GradientFillRect(TCanvas& Canvas, const RECT& Rect, TColor BeginColor, TColor EndColor,
                      TFillDirection Direction, int Colors) {
  const bool vertical = Direction == fdTopToBottom || Direction == fdBottomToTop;
  const int extent = vertical ? Rect.bottom - Rect.top : Rect.right - Rect.left;
  if (extent <= 0 || Rect.right <= Rect.left || Rect.bottom <= Rect.top)
    return;
  const int count = std::min(std::clamp(Colors, 1, kMaxBands), extent);
  const COLORREF begin = static_cast<COLORREF>(ColorToRGB(BeginColor));
  const COLORREF end = static_cast<COLORREF>(ColorToRGB(EndColor));
  const TColor savedColor = Canvas.Brush().Color();
  const TBrushStyle savedStyle = Canvas.Brush().Style();
  Canvas.Brush().SetStyle(bsSolid);
  for (int i = 0; i < count; ++i) {
    Canvas.Brush().SetColor(static_cast<TColor>(BandColor(begin, end, i, count)));
    Canvas.FillRect(BandRect(Rect, Direction, i, count));
  }
  Canvas.Brush().SetColor(savedColor);
  Canvas.Brush().SetStyle(savedStyle);
}
