// Types shared by the PNG decoder and the sample converter: pixel formats,
// palette entries and the decoded image that the picture class copies into a
// bitmap. Nothing here depends on the platform.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace acpng {

// Bitmap pixel formats, in the class library's order.
enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

// Bits per pixel of a scan line in the given format (0 for pfDevice and pfCustom).
int PixelFormatBits(TPixelFormat format);

// One palette entry as a logical palette holds it.
struct TPaletteEntry {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  uint8_t Flags = 0;
  bool operator==(const TPaletteEntry&) const = default;
};
using TPngPalette = std::vector<TPaletteEntry>;

// Colour values as the class library stores them: red in the low byte.
using TColor = uint32_t;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (uint32_t(b) << 16); }

// A decoded picture laid out as a top-down device-independent bitmap: every
// scan line starts on a 4-byte boundary; 24-bit pixels are blue, green, red and
// 32-bit pixels add straight (unpremultiplied) alpha as the fourth byte.
struct TPngImage {
  int Width = 0;
  int Height = 0;
  TPixelFormat PixelFormat = pfDevice;
  TPngPalette Palette;            // indexed formats only
  size_t Stride = 0;              // bytes per scan line
  std::vector<uint8_t> Pixels;    // Height * Stride bytes
  TColor TransparentColor = clNone;
  bool Transparent = false;
  TColor BackgroundColor = clWhite;

  uint8_t* ScanLine(int row) { return Pixels.data() + size_t(row) * Stride; }
  const uint8_t* ScanLine(int row) const { return Pixels.data() + size_t(row) * Stride; }
  // Releases the image: no size, no pixels, no palette.
  void Clear();
  // As Clear, but keeps the pixel buffer's memory for the next picture.
  void Reset();
  // Sizes the pixel buffer for the format and dimensions (all bytes zero).
  void Allocate(TPixelFormat format, int width, int height);
};

// Bytes per scan line of a DIB with this width and bit count.
size_t DibStride(uint64_t width, int bitsPerPixel);

}  // namespace acpng
