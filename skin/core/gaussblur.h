// The Gaussian blur of an 8-bit glow mask and the colouring of a picture
// through such a mask. The blur is separable (rows, then columns) with a
// kernel cut where its tails hold less than 1/510 of the weight. Portable:
// no Win32.
#pragma once
#include <array>
#include <cstdint>

#include "classlib/graphics/colors.h"
#include "skin/core/pixelview.h"

// The blur kernel: Size is the half-width actually used (1..100); Weights
// holds the weights of the offsets -100..100 (index offset + 100).
struct TGaussKernel {
  std::uint8_t Size = 1;
  std::array<float, 201> Weights{};

  float Weight(int Offset) const { return Weights[static_cast<std::size_t>(Offset + 100)]; }
};

// The kernel of a Gaussian with standard deviation Radius, normalised, cut
// where the tails hold less than Deviation / (2 * Bytes) of the weight and
// normalised again over the part kept. A Radius of 0 or below (or not a
// number) gives the identity kernel, so a blur with it changes nothing.
TGaussKernel MakeGaussKernel(double Deviation, int Bytes, double Radius);

// Filters one line of Count bytes, Step bytes apart, with the kernel; edge
// bytes repeat beyond the ends. Buffer holds at least Count bytes.
void BlurLine(std::uint8_t* Line, int Count, std::ptrdiff_t Step, const TGaussKernel& Kernel,
              std::uint8_t* Buffer);

// Blurs every row, then every column, of an 8-bit view. Other formats and a
// Radius of 0 or below leave the view unchanged.
void BlurBitmap8(const TPixelView& B, double Radius);

// Colours the 24-bit or 32-bit B through Mask, whose pixel (0, 0) lies on
// B's pixel (Left, Top): each channel p under a mask byte m other than 255
// becomes c + (p - c) * m div 255 (c the channel of Color), so 0 gives
// Color; a 32-bit pixel's alpha becomes max(0, A + m - 255). Pixels outside
// B are skipped; other formats are left unchanged.
void TintThroughGlowMask(const TPixelView& B, const TPixelView& Mask, int Left, int Top, TColor Color);
