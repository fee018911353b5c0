// The independent oracle: libpng writes PNG files of every colour type, bit
// depth, interlace mode and filter, libpng decodes them, and the reader's
// pixels must show what libpng's samples say under the reader's conversion
// rules. Native only: libpng is a test-time dependency.
#include <png.h>

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstring>
#include <stdexcept>
#include <string>
#include <tuple>

#include "support/png/pngreader.h"
#include "tests/support/png/pngbuilder.h"
#include "tests/support/png/pngpixels.h"

using namespace acpng;
using namespace pngtest;

namespace {

struct LibpngFile {
  const SampleImage* Image = nullptr;
  bool Interlaced = false;
  int Filters = PNG_ALL_FILTERS;
  Bytes Palette;             // PLTE data for indexed images
  Bytes Transparency;        // tRNS data, written when not empty
  double FileGamma = 0;      // gAMA, written when above 0
  int CompressionLevel = 6;
};

void AppendToBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + size);
}

Bytes WriteWithLibpng(const LibpngFile& f) {
  const SampleImage& img = *f.Image;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  Bytes out;
  std::vector<Bytes> rows;
  for (uint32_t y = 0; y < img.Height; ++y) rows.push_back(PackRow(img, img.Samples[y]));
  std::vector<png_bytep> pointers;
  for (Bytes& r : rows) pointers.push_back(r.data());
  std::vector<png_color> palette;
  for (size_t i = 0; i + 2 < f.Palette.size(); i += 3)
    palette.push_back(png_color{f.Palette[i], f.Palette[i + 1], f.Palette[i + 2]});
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("libpng could not write the file");
  }
  png_set_write_fn(png, &out, AppendToBytes, nullptr);
  png_set_IHDR(png, info, img.Width, img.Height, img.Depth, img.ColourType,
               f.Interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
  if (f.FileGamma > 0) png_set_gAMA(png, info, f.FileGamma);
  if (!f.Transparency.empty()) {
    png_color_16 key{};
    const Bytes& t = f.Transparency;
    key.gray = uint16_t(t[0] << 8 | t[1]);
    if (t.size() >= 6) {
      key.red = uint16_t(t[0] << 8 | t[1]);
      key.green = uint16_t(t[2] << 8 | t[3]);
      key.blue = uint16_t(t[4] << 8 | t[5]);
    }
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_set_filter(png, 0, f.Filters);
  png_set_compression_level(png, f.CompressionLevel);
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// libpng's decode: palettes and low grey depths expanded to 8 bits, 16-bit
// samples kept; optionally gamma for a 2.2 display and tRNS as alpha.
struct LibpngImage {
  uint32_t Width = 0, Height = 0;
  uint8_t ColourType = 0, Depth = 0, Channels = 0;
  std::vector<std::vector<uint16_t>> Samples;
  const uint16_t* Pixel(uint32_t x, uint32_t y) const { return &Samples[y][size_t(x) * Channels]; }
};

struct ReadCursor {
  const Bytes* Data;
  size_t Position;
};

void ReadFromBytes(png_structp png, png_bytep data, png_size_t size) {
  auto* c = static_cast<ReadCursor*>(png_get_io_ptr(png));
  if (c->Position + size > c->Data->size()) png_error(png, "read past the end");
  std::memcpy(data, c->Data->data() + c->Position, size);
  c->Position += size;
}

LibpngImage ReadWithLibpng(const Bytes& file, bool gamma = false, bool transparencyToAlpha = false) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  ReadCursor cursor{&file, 0};
  LibpngImage out;
  std::vector<Bytes> rows;
  std::vector<png_bytep> pointers;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    throw std::runtime_error("libpng could not read the file");
  }
  png_set_read_fn(png, &cursor, ReadFromBytes);
  png_read_info(png, info);
  if (png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (png_get_color_type(png, info) == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
    png_set_expand_gray_1_2_4_to_8(png);
  if (transparencyToAlpha) png_set_tRNS_to_alpha(png);
  double fileGamma = 0;
  if (gamma && png_get_gAMA(png, info, &fileGamma)) png_set_gamma(png, 2.2, fileGamma);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  out.Width = png_get_image_width(png, info);
  out.Height = png_get_image_height(png, info);
  out.ColourType = png_get_color_type(png, info);
  out.Depth = png_get_bit_depth(png, info);
  out.Channels = png_get_channels(png, info);
  rows.assign(out.Height, Bytes(png_get_rowbytes(png, info)));
  for (Bytes& r : rows) pointers.push_back(r.data());
  png_read_image(png, pointers.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  for (const Bytes& r : rows) {
    std::vector<uint16_t> samples;
    for (size_t i = 0; i < size_t(out.Width) * out.Channels; ++i)
      samples.push_back(out.Depth == 16 ? uint16_t(r[2 * i] << 8 | r[2 * i + 1]) : r[i]);
    out.Samples.push_back(std::move(samples));
  }
  return out;
}

TPngImage DecodeOurs(const Bytes& file) {
  TPngReader reader;
  TPngImage image;
  EXPECT_EQ(reader.LoadFromMemory(file.data(), file.size(), image), file.size());
  return image;
}

Bytes FullPalette(uint8_t depth) {
  Bytes p;
  for (unsigned i = 0; i < (1u << depth); ++i) p.insert(p.end(), {uint8_t(i * 53 + 7), uint8_t(i * 19), uint8_t(~i)});
  return p;
}

struct Layout {
  uint8_t ColourType, Depth;
};
const Layout kLayouts[] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                           {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
const int kFilters[] = {PNG_FILTER_NONE, PNG_FILTER_SUB, PNG_FILTER_UP, PNG_FILTER_AVG, PNG_FILTER_PAETH,
                        PNG_ALL_FILTERS};

class LibpngOracle : public testing::TestWithParam<std::tuple<Layout, bool, int>> {};

TEST_P(LibpngOracle, PixelsMatchLibpngDecode) {
  const auto [layout, interlaced, filters] = GetParam();
  const std::pair<uint32_t, uint32_t> sizes[] = {{1, 1}, {2, 7}, {9, 3}, {31, 33}, {257, 5}};
  for (auto [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    const SampleImage source = PatternImage(w, h, layout.Depth, layout.ColourType, w + 3 * h);
    LibpngFile f;
    f.Image = &source;
    f.Interlaced = interlaced;
    f.Filters = filters;
    f.CompressionLevel = int(w % 10);
    if (layout.ColourType == 3) f.Palette = FullPalette(layout.Depth);
    const Bytes file = WriteWithLibpng(f);
    const LibpngImage expected = ReadWithLibpng(file);
    const TPngImage image = DecodeOurs(file);
    ASSERT_EQ(image.Width, int(expected.Width));
    ASSERT_EQ(image.Height, int(expected.Height));
    for (uint32_t y = 0; y < expected.Height; ++y)
      for (uint32_t x = 0; x < expected.Width; ++x)
        ASSERT_EQ(DecodedColour(image, int(x), int(y)),
                  ExpectedColour(expected.ColourType, expected.Depth, expected.Pixel(x, y), {}))
            << "at " << x << "," << y;
  }
}

INSTANTIATE_TEST_SUITE_P(PngReader, LibpngOracle,
                         testing::Combine(testing::ValuesIn(kLayouts), testing::Bool(), testing::ValuesIn(kFilters)));

// Gamma applied on both sides: libpng's tables may round an entry the other
// way, so colours agree within one level; alpha exactly.
TEST(LibpngOracleGamma, GammaCorrectedColoursAgree) {
  for (uint8_t colourType : {uint8_t(2), uint8_t(6)}) {
    const SampleImage source = PatternImage(64, 16, 8, colourType);
    LibpngFile f;
    f.Image = &source;
    f.FileGamma = 1.0;
    const Bytes file = WriteWithLibpng(f);
    const LibpngImage expected = ReadWithLibpng(file, true);
    const TPngImage image = DecodeOurs(file);
    for (uint32_t y = 0; y < expected.Height; ++y)
      for (uint32_t x = 0; x < expected.Width; ++x) {
        const Rgba ours = DecodedColour(image, int(x), int(y));
        const Rgba theirs = ExpectedColour(expected.ColourType, expected.Depth, expected.Pixel(x, y), {});
        EXPECT_NEAR(ours.R, theirs.R, 1) << x << "," << y;
        EXPECT_NEAR(ours.G, theirs.G, 1) << x << "," << y;
        EXPECT_NEAR(ours.B, theirs.B, 1) << x << "," << y;
        EXPECT_EQ(ours.A, theirs.A) << x << "," << y;
      }
  }
}

// Pixels libpng makes transparent from the tRNS key show the reader's
// transparent colour, with and without gamma.
TEST(LibpngOracleTransparency, KeyedPixelsShowTheTransparentColour) {
  struct Case {
    uint8_t ColourType, Depth;
    Bytes Key;
    double Gamma;
  };
  const Case cases[] = {{2, 8, {0, 127, 0, 127, 0, 127}, 1.0}, {2, 8, {0, 10, 0, 20, 0, 30}, 0},
                        {2, 16, {0x80, 0, 0, 7, 0xFF, 0xFF}, 0.8}, {0, 2, {0, 1}, 1.0},
                        {0, 4, {0, 9}, 0}, {0, 8, {0, 77}, 0.5}};
  for (const Case& c : cases) {
    SampleImage source = PatternImage(40, 6, c.Depth, c.ColourType, 5);
    const int channels = source.Channels();
    for (uint32_t x = 0; x < 40; x += 3)  // plant the key in a third of the pixels of row 2
      for (int k = 0; k < channels; ++k)
        source.Samples[2][size_t(x) * channels + size_t(k)] = uint16_t(c.Key[2 * size_t(k)] << 8 | c.Key[2 * size_t(k) + 1]);
    LibpngFile f;
    f.Image = &source;
    f.Transparency = c.Key;
    f.FileGamma = c.Gamma;
    const Bytes file = WriteWithLibpng(f);
    const LibpngImage expected = ReadWithLibpng(file, false, true);
    const TPngImage image = DecodeOurs(file);
    ASSERT_TRUE(image.Transparent);
    int keyed = 0;
    for (uint32_t y = 0; y < expected.Height; ++y)
      for (uint32_t x = 0; x < expected.Width; ++x) {
        const uint16_t alpha = expected.Pixel(x, y)[expected.Channels - 1];
        const Rgba ours = DecodedColour(image, int(x), int(y));
        const bool oursTransparent = RGBColor(ours.R, ours.G, ours.B) == image.TransparentColor;
        if (alpha == 0) {
          ++keyed;
          EXPECT_TRUE(oursTransparent) << x << "," << y;
        } else if (c.Gamma == 0 && c.Depth <= 8) {
          EXPECT_FALSE(oursTransparent) << x << "," << y;
        }
      }
    EXPECT_GE(keyed, 14);
  }
}

}  // namespace
