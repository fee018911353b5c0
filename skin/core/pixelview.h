// A view of a bitmap's pixels: size, bits per pixel and the rows reached
// through the address of row 0 and a signed stride (negative for bottom-up
// bitmaps). The skin library's pixel arithmetic works on views, so it runs
// the same over a DIB section and over plain memory. Portable: no Win32.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A rectangle with exclusive right and bottom edges unless an operation says
// otherwise; the field names match the platform's RECT.
struct TPixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct TPixelPoint {
  int x = 0;
  int y = 0;
};

struct TPixelView {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;  // 24 and 32 are drawn on; other formats are refused
  std::ptrdiff_t Stride = 0;
  std::uint8_t* Line0 = nullptr;

  bool Assigned() const { return Line0 != nullptr; }
  bool Is24() const { return BitCount == 24; }
  bool Is32() const { return BitCount == 32; }
  std::uint8_t* Row(int y) const { return Line0 + y * Stride; }
  std::uint8_t* Pixel(int x, int y) const { return Row(y) + x * (BitCount / 8); }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// Pixels held in memory, rows padded to 32 bits like a DIB; BottomUp lays
// the rows out as a bottom-up DIB does (negative stride). Work bitmaps of
// the drawing routines and the tests use it.
class TPixelImage {
public:
  TPixelImage() = default;
  TPixelImage(int width, int height, int bitCount, bool bottomUp = false);

  const TPixelView& View() const { return view_; }
  operator const TPixelView&() const { return view_; }

private:
  std::vector<std::uint8_t> bytes_;
  TPixelView view_;
};
