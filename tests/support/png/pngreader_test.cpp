// Decoding of files built here with zlib: every colour type, depth, interlace
// mode and filter, the chunks the reader uses, and the errors of damaged files.
#include "support/png/pngreader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "classlib/system/exceptions.h"
#include "tests/support/png/pngbuilder.h"
#include "tests/support/png/pngpixels.h"

using namespace acpng;
using namespace pngtest;

namespace {

// A palette of 2^depth distinct entries as PLTE data.
Bytes TestPalette(uint8_t depth, size_t entries = 0) {
  if (entries == 0) entries = size_t(1) << depth;
  Bytes p;
  for (size_t i = 0; i < entries; ++i) p.insert(p.end(), {uint8_t(i * 37), uint8_t(i * 91 + 5), uint8_t(255 - i)});
  return p;
}

TPngImage Decode(const Bytes& file, TPngReader* reader = nullptr) {
  TPngReader local;
  TPngImage image;
  (reader ? *reader : local).LoadFromMemory(file.data(), file.size(), image);
  return image;
}

const uint16_t* PixelSamples(const SampleImage& s, uint32_t x, uint32_t y) {
  return &s.Samples[y][x * uint32_t(s.Channels())];
}

void ExpectPixelsMatch(const SampleImage& source, const TPngImage& image, const Bytes& palette) {
  ASSERT_EQ(image.Width, int(source.Width));
  ASSERT_EQ(image.Height, int(source.Height));
  for (uint32_t y = 0; y < source.Height; ++y)
    for (uint32_t x = 0; x < source.Width; ++x)
      ASSERT_EQ(DecodedColour(image, int(x), int(y)),
                ExpectedColour(source.ColourType, source.Depth, PixelSamples(source, x, y), palette))
          << "at " << x << "," << y;
}


// --- Every layout -----------------------------------------------------------------

struct Layout {
  uint8_t ColourType, Depth;
  TPixelFormat Format;
  size_t PaletteSize;  // of the decoded image (for indexed: after the 2-bit spread)
};

const Layout kLayouts[] = {
    {0, 1, pf1bit, 2},   {0, 2, pf4bit, 16},  {0, 4, pf4bit, 16}, {0, 8, pf8bit, 256}, {0, 16, pf8bit, 256},
    {2, 8, pf24bit, 0},  {2, 16, pf24bit, 0}, {3, 1, pf1bit, 2},  {3, 2, pf4bit, 16},  {3, 4, pf4bit, 16},
    {3, 8, pf8bit, 256}, {4, 8, pf8bit, 256}, {4, 16, pf8bit, 256}, {6, 8, pf32bit, 0}, {6, 16, pf32bit, 0},
};

class EveryLayout : public testing::TestWithParam<std::tuple<Layout, bool, int>> {};

TEST_P(EveryLayout, DecodesEveryPixelAtEverySize) {
  const auto [layout, interlaced, filter] = GetParam();
  const std::pair<uint32_t, uint32_t> sizes[] = {{1, 1}, {1, 9}, {3, 5}, {13, 9}, {33, 17}};
  for (auto [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    const SampleImage source = PatternImage(w, h, layout.Depth, layout.ColourType, w * 31 + h);
    const Bytes palette = layout.ColourType == 3 ? TestPalette(layout.Depth) : Bytes{};
    std::vector<Bytes> before;
    if (!palette.empty()) before.push_back(Chunk("PLTE", palette));
    const TPngImage image = Decode(EncodePng(source, interlaced, uint8_t(filter), before));
    EXPECT_EQ(image.PixelFormat, layout.Format);
    EXPECT_EQ(image.Palette.size(), layout.PaletteSize);
    EXPECT_FALSE(image.Transparent);
    ExpectPixelsMatch(source, image, palette);
  }
}

INSTANTIATE_TEST_SUITE_P(PngReader, EveryLayout,
                         testing::Combine(testing::ValuesIn(kLayouts), testing::Bool(), testing::Range(0, 5)));

TEST(PngReader, ImageDataSplitOverManyIdatChunksDecodes) {
  const SampleImage source = PatternImage(20, 20, 8, 6);
  PngParts parts;
  parts.Ihdr = IhdrData(20, 20, 8, 6);
  parts.CompressedData = Zlib(RawImageData(source, false, 4));
  parts.IdatParts = int(parts.CompressedData.size());  // one byte per chunk, some empty ones too
  parts.AfterData = {Chunk("IDAT", {})};
  ExpectPixelsMatch(source, Decode(Assemble(parts)), {});
}

TEST(PngReader, ReturnsTheBytesUpToIendAndIgnoresWhatFollows) {
  Bytes file = EncodePng(PatternImage(4, 4, 8, 2));
  const size_t length = file.size();
  file.insert(file.end(), {1, 2, 3, 4, 5, 6, 7, 8, 9});
  TPngReader reader;
  TPngImage image;
  EXPECT_EQ(reader.LoadFromMemory(file.data(), file.size(), image), length);
}

TEST(PngReader, HeaderInfoDescribesTheFile) {
  TPngReader reader;
  Decode(EncodePng(PatternImage(7, 3, 16, 4), true, 0, {Chunk("gAMA", {0, 0, 0xB1, 0x8F})}), &reader);
  const TPngHeaderInfo& h = reader.HeaderInfo();
  EXPECT_EQ(h.Width, 7u);
  EXPECT_EQ(h.Height, 3u);
  EXPECT_EQ(h.ColorScheme, ssGreyAlpha);
  EXPECT_EQ(h.BitsPerSample, 16);
  EXPECT_EQ(h.SamplesPerPixel, 2);
  EXPECT_EQ(h.BitsPerPixel, 32);
  EXPECT_EQ(h.Compression, 2);
  EXPECT_TRUE(h.Interlaced);
  EXPECT_TRUE(h.HasAlpha);
  EXPECT_NEAR(h.FileGamma, 0.45455, 1e-5);
  EXPECT_EQ(h.Flags, TPngHeaderInfo::HeaderRead | TPngHeaderInfo::GammaApplied);
}

// --- Chunk handling ----------------------------------------------------------------

Bytes RenameChunks(Bytes file, const std::string& from, const std::string& to) {
  // Walk the chunks and rename (recomputing the CRC) every chunk of type `from`.
  Bytes out(file.begin(), file.begin() + 8);
  size_t pos = 8;
  while (pos + 12 <= file.size()) {
    const uint32_t length = uint32_t(file[pos]) << 24 | file[pos + 1] << 16 | file[pos + 2] << 8 | file[pos + 3];
    std::string type(file.begin() + ptrdiff_t(pos + 4), file.begin() + ptrdiff_t(pos + 8));
    Bytes data(file.begin() + ptrdiff_t(pos + 8), file.begin() + ptrdiff_t(pos + 8 + length));
    const Bytes chunk = Chunk(type == from ? to : type, data);
    out.insert(out.end(), chunk.begin(), chunk.end());
    pos += 12 + length;
  }
  return out;
}

TEST(PngReader, LowerCaseChunkTypesCountAsTheirUpperCaseNames) {
  const SampleImage source = PatternImage(5, 4, 8, 2);
  ExpectPixelsMatch(source, Decode(RenameChunks(EncodePng(source), "IDAT", "idat")), {});
}

TEST(PngReader, AncillaryChunksAreSkippedWithoutCrcCheck) {
  const SampleImage source = PatternImage(5, 4, 8, 2);
  const Bytes file = EncodePng(source, false, 0, {Chunk("tEXt", {'a', 0, 'b'}, true)});
  ExpectPixelsMatch(source, Decode(file), {});
}

TEST(PngReader, PaletteInAnRgbImageIsReadAndIgnored) {
  const SampleImage source = PatternImage(5, 4, 8, 2);
  const TPngImage image = Decode(EncodePng(source, false, 0, {Chunk("PLTE", TestPalette(2))}));
  EXPECT_EQ(image.PixelFormat, pf24bit);
  EXPECT_TRUE(image.Palette.empty());
  ExpectPixelsMatch(source, image, {});
}

TEST(PngReader, TwoBitPaletteIsSpreadToSixteenEntries) {
  const Bytes plte = TestPalette(2);
  const TPngImage image = Decode(EncodePng(PatternImage(8, 2, 2, 3), false, 0, {Chunk("PLTE", plte)}));
  ASSERT_EQ(image.Palette.size(), 16u);
  for (size_t j = 0; j < 16; ++j) {
    const size_t from = j * 3 / 15;
    EXPECT_EQ(image.Palette[j], (TPaletteEntry{plte[3 * from], plte[3 * from + 1], plte[3 * from + 2], 0})) << j;
  }
}

TEST(PngReader, ShortPaletteGivesBlackForEntriesItDoesNotSupply) {
  SampleImage source = PatternImage(4, 1, 2, 3);
  source.Samples[0] = {0, 1, 2, 3};
  const TPngImage image = Decode(EncodePng(source, false, 0, {Chunk("PLTE", TestPalette(2, 1))}));
  ASSERT_EQ(image.Palette.size(), 16u);
  EXPECT_EQ(DecodedColour(image, 0, 0), (Rgba{0, 5, 255, 255}));
  for (int x = 1; x < 4; ++x) EXPECT_EQ(DecodedColour(image, x, 0), (Rgba{0, 0, 0, 255}));
}

// --- Gamma, background and transparency -----------------------------------------------

uint8_t Gamma(double fileGamma, uint8_t v) { return uint8_t(std::lrint(std::pow(v / 255.0, 1 / (fileGamma * 2.2)) * 255)); }
Bytes GamaChunk(uint32_t value) {
  Bytes d;
  PutBigEndian32(d, value);
  return Chunk("gAMA", d);
}

TEST(PngReader, GammaCorrectsColoursButNotAlpha) {
  SampleImage source = PatternImage(3, 1, 8, 6);
  source.Samples[0] = {0, 64, 128, 10, 200, 255, 1, 99, 17, 34, 51, 255};
  const TPngImage image = Decode(EncodePng(source, false, 0, {GamaChunk(100000)}));
  for (int x = 0; x < 3; ++x) {
    const uint16_t* s = &source.Samples[0][size_t(x) * 4];
    EXPECT_EQ(DecodedColour(image, x, 0),
              (Rgba{Gamma(1.0, uint8_t(s[0])), Gamma(1.0, uint8_t(s[1])), Gamma(1.0, uint8_t(s[2])), uint8_t(s[3])}));
  }
}

TEST(PngReader, GammaCorrectsTheGreyPalette) {
  const TPngImage image = Decode(EncodePng(PatternImage(4, 4, 4, 0), false, 0, {GamaChunk(50000)}));
  ASSERT_EQ(image.Palette.size(), 16u);
  for (unsigned i = 0; i < 16; ++i) EXPECT_EQ(image.Palette[i].Red, Gamma(0.5, uint8_t(17 * i))) << i;
}

TEST(PngReader, GammaOfOneLoadDoesNotCarryIntoTheNext) {
  TPngReader reader;
  const SampleImage source = PatternImage(6, 3, 8, 2);
  Decode(EncodePng(source, false, 0, {GamaChunk(100000)}), &reader);
  ExpectPixelsMatch(source, Decode(EncodePng(source), &reader), {});
  EXPECT_EQ(reader.HeaderInfo().Flags, TPngHeaderInfo::HeaderRead);
  EXPECT_FALSE(reader.ColorManager().OutOptions() & soGamma);
}

struct KeyCase {
  const char* Name;
  uint8_t ColourType, Depth;
  std::vector<uint16_t> Key;  // as stored in tRNS
  bool WithGamma;
};

class TransparencyKey : public testing::TestWithParam<KeyCase> {};

// Every pixel whose samples equal the key shows exactly the transparent colour,
// with or without gamma; no other pixel does unless gamma merges two levels.
TEST_P(TransparencyKey, KeyPixelsShowTheTransparentColour) {
  const KeyCase& c = GetParam();
  SampleImage source = PatternImage(16, 4, c.Depth, c.ColourType, 7);
  const int channels = source.Channels();
  for (int k = 0; k < channels; ++k) source.Samples[1][size_t(5 * channels + k)] = c.Key[size_t(k)];
  Bytes trns;
  for (uint16_t v : c.Key) PutBigEndian16(trns, v);
  std::vector<Bytes> before;
  if (c.WithGamma) before.push_back(GamaChunk(100000));
  before.push_back(Chunk("tRNS", trns));
  const TPngImage image = Decode(EncodePng(source, false, 0, before));
  ASSERT_TRUE(image.Transparent);
  const Rgba key = DecodedColour(image, 5, 1);
  EXPECT_EQ(image.TransparentColor, RGBColor(key.R, key.G, key.B));
  for (uint32_t y = 0; y < source.Height; ++y)
    for (uint32_t x = 0; x < source.Width; ++x) {
      const Rgba seen = DecodedColour(image, int(x), int(y));
      const bool isKey = std::equal(c.Key.begin(), c.Key.end(), PixelSamples(source, x, y));
      if (isKey) {
        EXPECT_EQ(seen, key) << x << "," << y;
      } else if (!c.WithGamma && c.Depth <= 8) {
        EXPECT_NE(RGBColor(seen.R, seen.G, seen.B), image.TransparentColor) << x << "," << y;
      }
    }
}

INSTANTIATE_TEST_SUITE_P(PngReader, TransparencyKey,
                         testing::Values(KeyCase{"rgb8", 2, 8, {127, 127, 127}, false},
                                         KeyCase{"rgb8gamma", 2, 8, {127, 127, 127}, true},
                                         KeyCase{"rgb16gamma", 2, 16, {40000, 2, 65535}, true},
                                         KeyCase{"grey1", 0, 1, {1}, false},
                                         KeyCase{"grey2", 0, 2, {1}, false},
                                         KeyCase{"grey2gamma", 0, 2, {2}, true},
                                         KeyCase{"grey4", 0, 4, {9}, false},
                                         KeyCase{"grey8gamma", 0, 8, {200}, true},
                                         KeyCase{"grey16", 0, 16, {30000}, false}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PngReader, TransparencyIsOffWithoutKeyAndForKeysOutsideTheDepth) {
  EXPECT_EQ(Decode(EncodePng(PatternImage(4, 4, 8, 2))).TransparentColor, clNone);
  const TPngImage outside = Decode(EncodePng(PatternImage(4, 4, 2, 0), false, 0, {Chunk("tRNS", {0, 7})}));
  EXPECT_FALSE(outside.Transparent);
  EXPECT_EQ(outside.TransparentColor, clNone);
  // Palette transparency has no effect on the image.
  const TPngImage indexed = Decode(EncodePng(PatternImage(4, 4, 8, 3), false, 0,
                                             {Chunk("PLTE", TestPalette(8)), Chunk("tRNS", {0, 0, 0})}));
  EXPECT_FALSE(indexed.Transparent);
}

struct BackgroundCase {
  const char* Name;
  uint8_t ColourType, Depth;
  Bytes Data;
  TColor Expected;
};

class Background : public testing::TestWithParam<BackgroundCase> {};

TEST_P(Background, TakesTheColourOfTheChunk) {
  const BackgroundCase& c = GetParam();
  std::vector<Bytes> before;
  if (c.ColourType == 3) before.push_back(Chunk("PLTE", TestPalette(c.Depth)));
  before.push_back(Chunk("bKGD", c.Data));
  EXPECT_EQ(Decode(EncodePng(PatternImage(3, 3, c.Depth, c.ColourType), false, 0, before)).BackgroundColor,
            c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    PngReader, Background,
    testing::Values(BackgroundCase{"rgb16", 2, 16, {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x01}, RGBColor(255, 127, 0)},
                    BackgroundCase{"rgb8", 6, 8, {0, 10, 0, 20, 0, 30}, RGBColor(10, 20, 30)},
                    BackgroundCase{"grey4", 0, 4, {0, 3}, 51 * 0x010101u},
                    BackgroundCase{"grey8alpha", 4, 8, {0, 200}, 200 * 0x010101u},
                    // The index byte itself is the colour value, not its palette entry.
                    BackgroundCase{"indexed", 3, 8, {2}, 2},
                    BackgroundCase{"shortIsIgnored", 2, 8, {0, 10}, clWhite}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Progress ------------------------------------------------------------------------

TEST(PngReader, ReportsProgressRowByRow) {
  struct Report {
    TProgressStage Stage;
    int Percent, Top;
    std::string Message;
  };
  std::vector<Report> reports;
  TPngReader reader;
  reader.SetOnProgress([&](TProgressStage stage, int percent, bool, const TProgressRect& r, const char* m) {
    reports.push_back({stage, percent, r.Top, m});
    EXPECT_EQ(r.Right, 9);
  });
  Decode(EncodePng(PatternImage(9, 4, 8, 2)), &reader);
  ASSERT_EQ(reports.size(), 8u);
  EXPECT_EQ(reports[0].Message, "Preparing...");
  EXPECT_EQ(reports[1].Stage, psEnding);
  EXPECT_EQ(reports[2].Message, "Transfering...");
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(reports[size_t(3 + row)].Stage, psRunning);
    EXPECT_EQ(reports[size_t(3 + row)].Percent, row * 25);
    EXPECT_EQ(reports[size_t(3 + row)].Top, row);
  }
  EXPECT_EQ(reports[7].Stage, psEnding);
}

// Percentages are rounded as the system's MulDiv rounds, not cut off: with
// three rows the second reports 33 and the third 67.
TEST(PngReader, ProgressPercentagesAreRounded) {
  std::vector<int> percents;
  TPngReader reader;
  reader.SetOnProgress([&](TProgressStage stage, int percent, bool, const TProgressRect&, const char*) {
    if (stage == psRunning) percents.push_back(percent);
  });
  Decode(EncodePng(PatternImage(5, 3, 8, 2)), &reader);
  EXPECT_EQ(percents, (std::vector<int>{0, 33, 67}));
  percents.clear();
  Decode(EncodePng(PatternImage(5, 7, 8, 2), true), &reader);
  // The last interlace pass reports after rows 1, 3, 5 with the row advanced.
  EXPECT_EQ(percents, (std::vector<int>{43, 71, 100}));
}

// --- Decoding that stops early -----------------------------------------------------

struct StopCase {
  const char* Name;
  bool Interlaced;
  size_t RawBytes;  // of the uncompressed image data that the file holds
};

class StoppedEarly : public testing::TestWithParam<StopCase> {};

// Image data that ends before the image does: the rows (or interlace pixels)
// that were decoded stay, everything else shows the bKGD colour, even when the
// same reader and image held another picture before.
TEST_P(StoppedEarly, PixelsNotReachedShowTheBackground) {
  const StopCase& c = GetParam();
  const SampleImage source = PatternImage(6, 6, 8, 2, 5);
  const Bytes raw = RawImageData(source, c.Interlaced, 0);
  PngParts parts;
  parts.Ihdr = IhdrData(6, 6, 8, 2, c.Interlaced ? 1 : 0);
  parts.BeforeData = {Chunk("bKGD", {0, 10, 0, 20, 0, 30})};
  parts.CompressedData = Zlib(Bytes(raw.begin(), raw.begin() + ptrdiff_t(c.RawBytes)));

  TPngReader reader;
  TPngImage image;
  const Bytes earlier = EncodePng(PatternImage(6, 6, 8, 2, 99));
  reader.LoadFromMemory(earlier.data(), earlier.size(), image);
  const Bytes file = Assemble(parts);
  EXPECT_THROW(reader.LoadFromMemory(file.data(), file.size(), image), EInvalidGraphic);

  // Progressive rows are 19 bytes; the first interlace pass is pixel (0,0) alone.
  auto decoded = [&](uint32_t x, uint32_t y) { return c.Interlaced ? x == 0 && y == 0 : y < c.RawBytes / 19; };
  const Rgba background{10, 20, 30, 255};
  for (uint32_t y = 0; y < 6; ++y)
    for (uint32_t x = 0; x < 6; ++x) {
      const Rgba expected =
          decoded(x, y) ? ExpectedColour(2, 8, PixelSamples(source, x, y), {}) : background;
      EXPECT_EQ(DecodedColour(image, int(x), int(y)), expected) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(PngReader, StoppedEarly,
                         testing::Values(StopCase{"noRows", false, 0}, StopCase{"twoRowsAndAHalf", false, 2 * 19 + 9},
                                         StopCase{"interlacedFirstPass", true, 4}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
