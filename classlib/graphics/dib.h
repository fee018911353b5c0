// Device-independent bitmaps: the description of a DIB's pixel layout, DIB
// sections made from it, and the BMP file and resource formats.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

struct DibFormat {
  int Width = 0;
  int Height = 0;         // always positive; TopDown tells the row order
  bool TopDown = false;   // first row in memory is the top row
  int BitCount = 32;
  DWORD Compression = BI_RGB;  // BI_RGB or BI_BITFIELDS
  DWORD Masks[3] = {0, 0, 0};  // red, green, blue for BI_BITFIELDS
  std::vector<RGBQUAD> Colors; // the colour table of 1, 4 and 8 bit formats

  // Bytes per row, padded to 32 bits.
  int Stride() const { return ((Width * BitCount + 31) / 32) * 4; }
  std::size_t ImageSize() const { return static_cast<std::size_t>(Stride()) * static_cast<std::size_t>(Height); }
  TPixelFormat PixelFormat() const;
  // BITMAPINFOHEADER, the masks of BI_BITFIELDS, then the colour table.
  std::vector<std::uint8_t> InfoBytes() const;

  // The layout of a pixel format, with the format's standard colour table
  // (black/white, the 16 VGA colours, a 256-colour cube with greys) unless
  // colours are given.
  static DibFormat For(TPixelFormat format, int width, int height, std::vector<RGBQUAD> colors = {});
};

// The standard colour table of a palette format.
std::vector<RGBQUAD> StandardColors(TPixelFormat format);

struct DibSection {
  HBITMAP Handle = nullptr;
  void* Bits = nullptr;
};
// A DIB section of that layout; EOutOfResources when GDI refuses.
DibSection CreateDibSection(const DibFormat& format);

// A DIB read from a BMP file or a bitmap resource.
struct ParsedDib {
  DibFormat Format;
  const std::uint8_t* Bits = nullptr;  // pixel data inside the parsed block
  std::size_t BitsSize = 0;
  // Run-length encoded pixels: the original header to decode them with.
  bool Rle = false;
  std::vector<std::uint8_t> RleInfo;
};

// A BMP file: BITMAPFILEHEADER, info header, colour table, pixels. Raises
// EInvalidGraphic "Bitmap image is not valid" for anything it cannot trust.
ParsedDib ParseBmpFile(const std::uint8_t* data, std::size_t size);
// A packed DIB (bitmap resources, CF_DIB): info header, colour table, pixels.
ParsedDib ParsePackedDib(const std::uint8_t* data, std::size_t size);
// The BMP file of a DIB's pixels.
std::vector<std::uint8_t> BuildBmpFile(const DibFormat& format, const void* bits);
