#include "tests/support/pnggraphic/pnggraphic_test_util.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "classlib/classes/streams.h"

namespace pnggraphic_test {

Bytes PngOfSamples(std::uint8_t colourType, std::uint8_t depth, const std::vector<std::vector<std::uint16_t>>& rows,
                   const std::vector<Bytes>& chunks) {
  pngtest::SampleImage image;
  image.ColourType = colourType;
  image.Depth = depth;
  image.Height = static_cast<std::uint32_t>(rows.size());
  image.Width = static_cast<std::uint32_t>(rows[0].size() / image.Channels());
  image.Samples = rows;
  return pngtest::EncodePng(image, false, 0, chunks);
}

namespace {

std::vector<std::vector<std::uint16_t>> SampleRows(const std::vector<std::vector<Rgba>>& rows, bool alpha) {
  std::vector<std::vector<std::uint16_t>> samples;
  for (const auto& row : rows) {
    samples.emplace_back();
    for (const Rgba& p : row) {
      samples.back().insert(samples.back().end(), {p.R, p.G, p.B});
      if (alpha)
        samples.back().push_back(p.A);
    }
  }
  return samples;
}

}  // namespace

Bytes RgbaPng(const std::vector<std::vector<Rgba>>& rows) {
  return PngOfSamples(6, 8, SampleRows(rows, true));
}

Bytes RgbPng(const std::vector<std::vector<Rgba>>& rows, const std::vector<Bytes>& chunks) {
  return PngOfSamples(2, 8, SampleRows(rows, false), chunks);
}

void LoadPng(TPNGGraphic& graphic, const Bytes& png) {
  TMemoryStream stream;
  stream.WriteBuffer(png.data(), static_cast<std::int32_t>(png.size()));
  stream.SetPosition(0);
  graphic.LoadFromStream(stream);
}

void FillBitmap(TBitmap& bitmap, int width, int height, TColor colour) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  bitmap.Canvas().Brush().SetColor(colour);
  RECT all{0, 0, width, height};
  bitmap.Canvas().FillRect(all);
}

TColor PixelOf(TBitmap& bitmap, int x, int y) {
  const int bytes = bitmap.PixelFormat() == pf32bit ? 4 : 3;
  const auto* p = static_cast<const std::uint8_t*>(bitmap.ScanLine(y)) + x * bytes;
  return RGBColor(p[2], p[1], p[0]);
}

std::uint32_t Pixel32Of(TBitmap& bitmap, int x, int y) {
  std::uint32_t value;
  std::memcpy(&value, static_cast<const std::uint8_t*>(bitmap.ScanLine(y)) + x * 4, 4);
  return value;
}

int ColourDistance(TColor a, TColor b) {
  int worst = 0;
  for (int shift = 0; shift < 24; shift += 8)
    worst = std::max(worst, std::abs(((a >> shift) & 0xFF) - ((b >> shift) & 0xFF)));
  return worst;
}

}  // namespace pnggraphic_test
