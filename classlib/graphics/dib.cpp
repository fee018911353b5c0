#include "classlib/graphics/dib.h"

#include <algorithm>
#include <cstring>

#include "classlib/graphics/graphic.h"

namespace {

constexpr int kMaxDimension = 32768;
constexpr std::size_t kMaxImageBytes = std::size_t{1} << 30;

[[noreturn]] void InvalidBitmap() {
  throw EInvalidGraphic("Bitmap image is not valid");
}

std::uint16_t U16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

bool ValidBitCount(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Parses an info header at data[0..size) whose pixels start at bitsOffset
// (relative to data); bitsOffset 0 means "right after the colour table".
ParsedDib ParseInfo(const std::uint8_t* data, std::size_t size, std::size_t bitsOffset) {
  if (size < 12)
    InvalidBitmap();
  std::uint32_t headerSize = U32(data);
  ParsedDib dib;
  DibFormat& f = dib.Format;
  std::size_t tableEntrySize = 4;
  std::uint32_t colorsUsed = 0;
  DWORD compression = BI_RGB;
  std::int32_t height = 0;
  if (headerSize == 12) {  // OS/2 core header
    f.Width = U16(data + 4);
    height = static_cast<std::int16_t>(U16(data + 6));
    f.BitCount = U16(data + 10);
    tableEntrySize = 3;
  } else if (headerSize >= 40 && headerSize <= size) {
    f.Width = static_cast<std::int32_t>(U32(data + 4));
    height = static_cast<std::int32_t>(U32(data + 8));
    f.BitCount = U16(data + 14);
    compression = U32(data + 16);
    colorsUsed = U32(data + 32);
  } else {
    InvalidBitmap();
  }
  if (f.Width <= 0 || f.Width > kMaxDimension || height == 0 || height < -kMaxDimension || height > kMaxDimension ||
      !ValidBitCount(f.BitCount))
    InvalidBitmap();
  f.TopDown = height < 0;
  f.Height = height < 0 ? -height : height;

  std::size_t tableOffset = headerSize;
  if (compression == BI_BITFIELDS) {
    if (f.BitCount != 16 && f.BitCount != 32)
      InvalidBitmap();
    const std::uint8_t* masks = data + 40;
    if (headerSize == 40) {
      if (size < 52)
        InvalidBitmap();
      tableOffset += 12;
    }
    f.Compression = BI_BITFIELDS;
    for (int i = 0; i < 3; ++i)
      f.Masks[i] = U32(masks + 4 * i);
  } else if (compression == BI_RLE8 || compression == BI_RLE4) {
    if ((compression == BI_RLE8 && f.BitCount != 8) || (compression == BI_RLE4 && f.BitCount != 4) || f.TopDown)
      InvalidBitmap();
    dib.Rle = true;
  } else if (compression != BI_RGB) {
    InvalidBitmap();
  }

  if (f.BitCount <= 8) {
    std::uint32_t full = 1u << f.BitCount;
    std::uint32_t count = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
    if (tableOffset + count * tableEntrySize > size)
      InvalidBitmap();
    f.Colors.resize(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* e = data + tableOffset + i * tableEntrySize;
      f.Colors[i] = RGBQUAD{e[0], e[1], e[2], 0};
    }
    tableOffset += count * tableEntrySize;
  }
  if (bitsOffset == 0)
    bitsOffset = tableOffset;
  if (bitsOffset < tableOffset || bitsOffset > size)
    InvalidBitmap();
  if (f.ImageSize() > kMaxImageBytes)
    InvalidBitmap();
  dib.Bits = data + bitsOffset;
  dib.BitsSize = size - bitsOffset;
  if (dib.Rle) {
    // Decoded by GDI from the original header (with its compression).
    dib.RleInfo.assign(data, data + std::min<std::size_t>(tableOffset, size));
    if (headerSize == 12)
      InvalidBitmap();
    std::uint32_t sizeImage = static_cast<std::uint32_t>(dib.BitsSize);
    std::memcpy(dib.RleInfo.data() + 20, &sizeImage, 4);
  } else if (dib.BitsSize < f.ImageSize()) {
    InvalidBitmap();
  }
  return dib;
}

}  // namespace

TPixelFormat DibFormat::PixelFormat() const {
  switch (BitCount) {
    case 1: return pf1bit;
    case 4: return pf4bit;
    case 8: return pf8bit;
    case 24: return pf24bit;
    case 16:
      if (Compression == BI_RGB || (Masks[0] == 0x7C00 && Masks[1] == 0x03E0 && Masks[2] == 0x001F))
        return pf15bit;
      if (Masks[0] == 0xF800 && Masks[1] == 0x07E0 && Masks[2] == 0x001F)
        return pf16bit;
      return pfCustom;
    case 32:
      if (Compression == BI_RGB || (Masks[0] == 0xFF0000 && Masks[1] == 0xFF00 && Masks[2] == 0xFF))
        return pf32bit;
      return pfCustom;
    default: return pfCustom;
  }
}

std::vector<std::uint8_t> DibFormat::InfoBytes() const {
  std::vector<std::uint8_t> out;
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(Width));
  Put32(out, static_cast<std::uint32_t>(TopDown ? -Height : Height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint16_t>(BitCount));
  Put32(out, Compression);
  Put32(out, static_cast<std::uint32_t>(ImageSize()));
  Put32(out, 3780);  // 96 dpi in pixels per metre
  Put32(out, 3780);
  Put32(out, static_cast<std::uint32_t>(Colors.size()));
  Put32(out, 0);
  if (Compression == BI_BITFIELDS)
    for (DWORD m : Masks)
      Put32(out, m);
  for (const RGBQUAD& c : Colors) {
    out.push_back(c.rgbBlue);
    out.push_back(c.rgbGreen);
    out.push_back(c.rgbRed);
    out.push_back(0);
  }
  return out;
}

std::vector<RGBQUAD> StandardColors(TPixelFormat format) {
  std::vector<RGBQUAD> colors;
  auto add = [&colors](int r, int g, int b) {
    colors.push_back(RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0});
  };
  if (format == pf1bit) {
    add(0, 0, 0);
    add(255, 255, 255);
  } else if (format == pf4bit) {
    static constexpr int kVga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
                                        {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (const auto& c : kVga)
      add(c[0], c[1], c[2]);
  } else if (format == pf8bit) {
    // The 16 VGA colours, a 6x6x6 colour cube and greys fill the 256 entries.
    colors = StandardColors(pf4bit);
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          add(r * 51, g * 51, b * 51);
    for (int i = 0; colors.size() < 256; ++i)
      add(8 + i * 6, 8 + i * 6, 8 + i * 6);
  }
  return colors;
}

DibFormat DibFormat::For(TPixelFormat format, int width, int height, std::vector<RGBQUAD> colors) {
  DibFormat f;
  f.Width = width;
  f.Height = height;
  switch (format) {
    case pf1bit: f.BitCount = 1; break;
    case pf4bit: f.BitCount = 4; break;
    case pf8bit: f.BitCount = 8; break;
    case pf15bit: f.BitCount = 16; break;
    case pf16bit:
      f.BitCount = 16;
      f.Compression = BI_BITFIELDS;
      f.Masks[0] = 0xF800;
      f.Masks[1] = 0x07E0;
      f.Masks[2] = 0x001F;
      break;
    case pf24bit: f.BitCount = 24; break;
    default: f.BitCount = 32; break;
  }
  if (f.BitCount <= 8) {
    f.Colors = colors.empty() ? StandardColors(format) : std::move(colors);
    f.Colors.resize(std::min<std::size_t>(f.Colors.size(), std::size_t{1} << f.BitCount));
  }
  return f;
}

DibSection CreateDibSection(const DibFormat& format) {
  std::vector<std::uint8_t> info = format.InfoBytes();
  DibSection dib;
  dib.Handle = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                &dib.Bits, nullptr, 0);
  if (dib.Handle == nullptr)
    throw EOutOfResources("Out of system resources");
  return dib;
}

ParsedDib ParseBmpFile(const std::uint8_t* data, std::size_t size) {
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
    InvalidBitmap();
  std::uint32_t bitsOffset = U32(data + 10);
  if (bitsOffset < 14 + 12 || bitsOffset > size)
    InvalidBitmap();
  return ParseInfo(data + 14, size - 14, bitsOffset - 14);
}

ParsedDib ParsePackedDib(const std::uint8_t* data, std::size_t size) {
  return ParseInfo(data, size, 0);
}

std::vector<std::uint8_t> BuildBmpFile(const DibFormat& format, const void* bits) {
  std::vector<std::uint8_t> info = format.InfoBytes();
  std::uint32_t offset = static_cast<std::uint32_t>(14 + info.size());
  std::vector<std::uint8_t> out;
  out.reserve(offset + format.ImageSize());
  out.push_back('B');
  out.push_back('M');
  Put32(out, static_cast<std::uint32_t>(offset + format.ImageSize()));
  Put32(out, 0);
  Put32(out, offset);
  out.insert(out.end(), info.begin(), info.end());
  const auto* p = static_cast<const std::uint8_t*>(bits);
  out.insert(out.end(), p, p + format.ImageSize());
  return out;
}
