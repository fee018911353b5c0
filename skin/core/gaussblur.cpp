#include "skin/core/gaussblur.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "skin/core/pixelbytes.h"

namespace {

constexpr int kKernelReach = 100;

// Divides the weights of offsets -Size..Size by their sum.
void NormaliseKernel(TGaussKernel& Kernel, int Size) {
  double sum = 0;
  for (int k = -Size; k <= Size; ++k)
    sum += Kernel.Weight(k);
  for (int k = -Size; k <= Size; ++k) {
    float& weight = Kernel.Weights[static_cast<std::size_t>(k + kKernelReach)];
    weight = static_cast<float>(weight / sum);
  }
}

// The weighted sum of a blur tap is truncated to a byte; a sum that lands a
// rounding error below a whole number (the float weights of a uniform line
// add up to a hair under 1) counts as that number, so a uniform line keeps
// its value.
std::uint8_t BlurredByte(double Sum) {
  if (Sum < 0)
    return 0;
  if (Sum >= 255 - 1e-4)
    return 255;
  return static_cast<std::uint8_t>(Sum + 1e-4);
}

}  // namespace

TGaussKernel MakeGaussKernel(double Deviation, int Bytes, double Radius) {
  TGaussKernel kernel;
  if (!(Radius > 0)) {
    kernel.Size = 1;
    kernel.Weights[kKernelReach] = 1;
    return kernel;
  }
  double sum = 0;
  for (int k = -kKernelReach; k <= kKernelReach; ++k) {
    const double x = k / Radius;
    const float weight = static_cast<float>(std::exp(-x * x / 2));
    kernel.Weights[static_cast<std::size_t>(k + kKernelReach)] = weight;
    sum += weight;
  }
  for (float& weight : kernel.Weights)
    weight = static_cast<float>(weight / sum);
  const double limit = Deviation / (2.0 * Bytes);
  int j = kKernelReach;
  double tail = 0;
  while (tail < limit && j > 1) {
    tail += 2.0 * kernel.Weight(j);
    --j;
  }
  kernel.Size = static_cast<std::uint8_t>(j);
  NormaliseKernel(kernel, j);
  return kernel;
}

void BlurLine(std::uint8_t* Line, int Count, std::ptrdiff_t Step, const TGaussKernel& Kernel,
              std::uint8_t* Buffer) {
  const int size = Kernel.Size;
  for (int i = 0; i < Count; ++i) {
    double sum = 0;
    for (int k = -size; k <= size; ++k) {
      const int source = std::clamp(i - k, 0, Count - 1);
      sum += static_cast<double>(Kernel.Weight(k)) * Line[source * Step];
    }
    Buffer[i] = BlurredByte(sum);
  }
  for (int i = 0; i < Count; ++i)
    Line[i * Step] = Buffer[i];
}

void BlurBitmap8(const TPixelView& B, double Radius) {
  if (!B.Assigned() || B.BitCount != 8 || B.Width < 1 || B.Height < 1 || !(Radius > 0))
    return;
  const TGaussKernel kernel = MakeGaussKernel(1, 255, Radius);
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::max(B.Width, B.Height)));
  for (int y = 0; y < B.Height; ++y)
    BlurLine(B.Row(y), B.Width, 1, kernel, buffer.data());
  for (int x = 0; x < B.Width; ++x)
    BlurLine(B.Row(0) + x, B.Height, B.Stride, kernel, buffer.data());
}

void TintThroughGlowMask(const TPixelView& B, const TPixelView& Mask, int Left, int Top, TColor Color) {
  if (!B.Assigned() || !Mask.Assigned() || Mask.BitCount != 8 || (!B.Is24() && !B.Is32()))
    return;
  const int bytes = B.BitCount / 8;
  // Pixels are blue, green, red: channel byte i takes colour channel 2 - i.
  const int colour[3] = {ColorChannel(Color, 2), ColorChannel(Color, 1), ColorChannel(Color, 0)};
  for (int q = 0; q < Mask.Height; ++q) {
    const int y = Top + q;
    if (y < 0 || y >= B.Height)
      continue;
    const std::uint8_t* mask = Mask.Row(q);
    std::uint8_t* row = B.Row(y);
    for (int i = 0; i < Mask.Width; ++i) {
      const int m = mask[i];
      const int x = Left + i;
      if (m == 255 || x < 0 || x >= B.Width)
        continue;
      std::uint8_t* p = row + x * bytes;
      for (int c = 0; c < 3; ++c)
        p[c] = static_cast<std::uint8_t>(colour[c] + (p[c] - colour[c]) * m / 255);
      if (bytes == 4)
        p[3] = static_cast<std::uint8_t>(std::max(0, p[3] + m - 255));
    }
  }
}
