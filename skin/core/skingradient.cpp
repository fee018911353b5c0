#include "skin/core/skingradient.h"

#include "skin/core/pixelbytes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "classlib/system/numconv.h"
#include "skin/core/skinutils.h"

namespace {

// Single-precision colour accumulators advanced by double-precision steps,
// so that long bands drift by rounding the same way each time.
class BandColour {
public:
  BandColour(const TsGradientStop& stop, int n) {
    for (int k = 0; k < 3; ++k) {
      acc_[k] = static_cast<float>(ColorChannel(stop.StartColor, k));
      step_[k] = static_cast<double>(ColorChannel(stop.EndColor, k) - ColorChannel(stop.StartColor, k)) / n;
    }
  }
  // Blue, green, red of the current colour.
  void Bytes(std::uint8_t out[3]) const {
    for (int k = 0; k < 3; ++k)
      out[2 - k] = static_cast<std::uint8_t>(std::clamp(static_cast<int>(std::nearbyint(acc_[k])), 0, 255));
  }
  void Advance() {
    for (int k = 0; k < 3; ++k)
      acc_[k] = static_cast<float>(acc_[k] + step_[k]);
  }

private:
  float acc_[3];
  double step_[3];
};

void PutPixel(const TPixelView& B, int x, int y, const std::uint8_t bgr[3]) {
  std::uint8_t* p = B.Pixel(x, y);
  p[0] = bgr[0];
  p[1] = bgr[1];
  p[2] = bgr[2];
  if (B.Is32())
    p[3] = 255;
}

// Columns [Left, Right) of a row in one colour: the first pixel, then what
// is written so far copied beside itself.
void FillRowPixels(const TPixelView& B, int Row, int Left, int Right, const std::uint8_t bgr[3]) {
  if (Right <= Left)
    return;
  PutPixel(B, Left, Row, bgr);
  const std::size_t bpp = B.BitCount / 8, total = static_cast<std::size_t>(Right - Left) * bpp;
  std::uint8_t* start = B.Pixel(Left, Row);
  for (std::size_t done = bpp; done < total; done *= 2)
    std::memcpy(start + done, start, std::min(done, total - done));
}

void PaintVertical(const TPixelView& B, const TPixelRect& R, const TsGradArray& A, int Off) {
  const int height = R.bottom - R.top;
  const int lastRow = std::min(R.bottom, B.Height) - 1;
  int y = R.top + Off;
  for (std::size_t i = 0; i < A.size(); ++i) {
    const bool last = i + 1 == A.size();
    const int y0 = y;
    y = (height + Off) * A[i].SharePercent / 100 + y0;
    if (last || y > lastRow)
      y = lastRow;
    if (y - y0 <= 0)
      continue;
    const int n = y - y0;
    BandColour colour(A[i], n);
    for (int row = y0; row <= y; ++row, colour.Advance()) {
      if (row < 0 || row >= B.Height)
        continue;
      std::uint8_t bgr[3];
      colour.Bytes(bgr);
      FillRowPixels(B, row, R.left, R.right, bgr);
    }
  }
}

// Every row of a horizontal gradient is the same: the first is painted and
// the columns it wrote (one run, each band starting where the last ended)
// are copied to the others.
void PaintHorizontal(const TPixelView& B, const TPixelRect& R, const TsGradArray& A) {
  const double step = (R.right - R.left) / 100.0;
  const int lastColumn = std::min(R.right, B.Width) - 1;
  int x = R.left, firstWritten = -1, lastWritten = -1;
  for (std::size_t i = 0; i < A.size(); ++i) {
    const int x0 = x;
    x = static_cast<int>(std::nearbyint(A[i].SharePercent * step + x0));
    if (i + 1 == A.size() || x > lastColumn)
      x = lastColumn;
    if (x - x0 <= 0)
      continue;
    BandColour colour(A[i], x - x0);
    for (int col = x0; col <= x; ++col, colour.Advance()) {
      std::uint8_t bgr[3];
      colour.Bytes(bgr);
      PutPixel(B, col, R.top, bgr);
    }
    if (firstWritten < 0)
      firstWritten = x0;
    lastWritten = x;
  }
  if (firstWritten < 0)
    return;
  const std::size_t bytes = static_cast<std::size_t>(lastWritten - firstWritten + 1) * (B.BitCount / 8);
  for (int row = R.top + 1; row < R.bottom; ++row)
    std::memcpy(B.Pixel(firstWritten, row), B.Pixel(firstWritten, R.top), bytes);
}

}  // namespace

void ParseGradientData(std::string_view Text, TsGradArray& A) {
  A.clear();
  const TCharSet256 separators(";");
  const int n = TokenCount(Text, separators) / 5;
  A.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    auto token = [&](int k) { return StrToInt(ExtractToken(5 * i + k, Text, separators)); };
    TsGradientStop stop;
    stop.StartColor = std::max(token(1), 0);
    stop.EndColor = std::max(token(2), 0);
    stop.SharePercent = static_cast<std::uint8_t>(std::clamp(token(3), 0, 100));
    stop.Direction = token(4);
    A.push_back(stop);
  }
}

void PaintGradientBands(const TPixelView& B, TPixelRect R, const TsGradArray& A, int Off) {
  if (R.right <= R.left || R.bottom <= R.top || A.empty() || (!B.Is24() && !B.Is32()))
    return;
  R.left = std::max(R.left, 0);
  R.top = std::max(R.top, 0);
  R.right = std::min(R.right, B.Width);
  R.bottom = std::min(R.bottom, B.Height);
  if (R.right <= R.left || R.bottom <= R.top)
    return;
  if (A[0].Direction == gdVertical)
    PaintVertical(B, R, A, Off);
  else if (A[0].Direction == gdHorizontal)
    PaintHorizontal(B, R, A);
}
