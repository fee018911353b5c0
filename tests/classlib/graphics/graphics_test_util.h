// Helpers shared by the graphics tests.
#pragma once
#include <cstdint>
#include <vector>

#include "classlib/classes/streams.h"
#include "classlib/graphics/bitmap.h"

namespace graphics_test {

// The colour (as $00BBGGRR) of pixel x of a 24- or 32-bit row.
inline TColor RowPixel(const void* row, int x, int bytesPerPixel) {
  const auto* p = static_cast<const std::uint8_t*>(row) + x * bytesPerPixel;
  return RGBColor(p[2], p[1], p[0]);
}

inline std::vector<std::uint8_t> StreamBytes(TMemoryStream& stream) {
  const auto* p = static_cast<const std::uint8_t*>(stream.Memory());
  return std::vector<std::uint8_t>(p, p + stream.Size());
}

inline void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A 24-bit BMP file whose rows are given top row first; topDown chooses the
// order the rows are stored in (negative height).
inline std::vector<std::uint8_t> Bmp24(const std::vector<std::vector<TColor>>& rows, bool topDown) {
  int height = static_cast<int>(rows.size());
  int width = static_cast<int>(rows[0].size());
  int stride = ((width * 24 + 31) / 32) * 4;
  std::vector<std::uint8_t> out{'B', 'M'};
  Put32(out, 54 + stride * height);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, static_cast<std::uint32_t>(topDown ? -height : height));
  out.push_back(1), out.push_back(0), out.push_back(24), out.push_back(0);
  Put32(out, 0);
  Put32(out, stride * height);
  Put32(out, 0), Put32(out, 0), Put32(out, 0), Put32(out, 0);
  for (int i = 0; i < height; ++i) {
    const std::vector<TColor>& row = rows[topDown ? i : height - 1 - i];
    for (TColor c : row) {
      out.push_back(static_cast<std::uint8_t>(c >> 16));
      out.push_back(static_cast<std::uint8_t>(c >> 8));
      out.push_back(static_cast<std::uint8_t>(c));
    }
    for (int pad = width * 3; pad < stride; ++pad)
      out.push_back(0);
  }
  return out;
}

inline void LoadBitmapBytes(TBitmap& bitmap, const std::vector<std::uint8_t>& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  stream.SetPosition(0);
  bitmap.LoadFromStream(stream);
}

inline std::vector<std::uint8_t> SavedBytes(TGraphic& graphic) {
  TMemoryStream stream;
  graphic.SaveToStream(stream);
  return StreamBytes(stream);
}

}  // namespace graphics_test
