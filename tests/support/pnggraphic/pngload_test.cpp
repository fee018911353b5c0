// Loading PNG files into a TPNGGraphic: the bitmap's pixel format, colour
// table and pixels for every colour type, transparency, stream positions,
// errors, progress and Assign.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/classes/streams.h"
#include "tests/support/pnggraphic/pnggraphic_test_util.h"

using namespace pnggraphic_test;

namespace {

Bytes Palette(const std::vector<TColor>& colours) {
  Bytes data;
  for (TColor c : colours) {
    data.push_back(static_cast<std::uint8_t>(c));
    data.push_back(static_cast<std::uint8_t>(c >> 8));
    data.push_back(static_cast<std::uint8_t>(c >> 16));
  }
  return pngtest::Chunk("PLTE", data);
}

struct FormatCase {
  const char* Name;
  std::uint8_t ColourType;
  std::uint8_t Depth;
  std::vector<std::uint16_t> Samples;  // one row
  std::vector<Bytes> Chunks;
  TPixelFormat Format;
  std::vector<TColor> Colours;  // the row's pixels as the bitmap shows them
};

const TColor kPal0 = RGBColor(10, 20, 30), kPal1 = RGBColor(200, 100, 50), kPal2 = RGBColor(0, 128, 255),
             kPal3 = RGBColor(255, 255, 0);

class PngFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(PngFormats, BitmapShowsThePngColours) {
  const FormatCase& c = GetParam();
  TPNGGraphic png;
  LoadPng(png, PngOfSamples(c.ColourType, c.Depth, {c.Samples}, c.Chunks));
  ASSERT_EQ(png.Width(), static_cast<int>(c.Colours.size()));
  ASSERT_EQ(png.Height(), 1);
  EXPECT_EQ(png.PixelFormat(), c.Format);
  EXPECT_FALSE(png.Transparent());
  for (std::size_t x = 0; x < c.Colours.size(); ++x)
    EXPECT_EQ(static_cast<TColor>(png.Canvas().Pixels(static_cast<int>(x), 0)), c.Colours[x]) << "pixel " << x;
}

INSTANTIATE_TEST_SUITE_P(
    ColourTypes, PngFormats,
    testing::Values(
        FormatCase{"Grey1", 0, 1, {0, 1, 1, 0}, {}, pf1bit, {clBlack, clWhite, clWhite, clBlack}},
        FormatCase{"Grey2", 0, 2, {0, 1, 2, 3}, {}, pf4bit, {0x000000, 0x555555, 0xAAAAAA, 0xFFFFFF}},
        FormatCase{"Grey4", 0, 4, {0, 5, 15}, {}, pf4bit, {0x000000, 0x555555, 0xFFFFFF}},
        FormatCase{"Grey8", 0, 8, {0, 128, 255}, {}, pf8bit, {0x000000, 0x808080, 0xFFFFFF}},
        FormatCase{"Grey16", 0, 16, {0, 0x8000, 0xFFFF}, {}, pf8bit, {0x000000, 0x7F7F7F, 0xFFFFFF}},
        FormatCase{"GreyAlpha8", 4, 8, {200, 0, 50, 255}, {}, pf8bit, {0xC8C8C8, 0x323232}},
        FormatCase{"Indexed1", 3, 1, {1, 0, 1}, {Palette({kPal0, kPal1})}, pf1bit, {kPal1, kPal0, kPal1}},
        FormatCase{"Indexed2",
                   3,
                   2,
                   {3, 2, 1, 0},
                   {Palette({kPal0, kPal1, kPal2, kPal3})},
                   pf4bit,
                   {kPal3, kPal2, kPal1, kPal0}},
        FormatCase{"Indexed8", 3, 8, {2, 0, 1}, {Palette({kPal0, kPal1, kPal2})}, pf8bit, {kPal2, kPal0, kPal1}},
        FormatCase{"Rgb8", 2, 8, {255, 0, 0, 1, 2, 3}, {}, pf24bit, {RGBColor(255, 0, 0), RGBColor(1, 2, 3)}},
        FormatCase{"Rgb16", 2, 16, {0xFFFF, 0x8000, 0}, {}, pf24bit, {RGBColor(255, 127, 0)}}),
    [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.Name); });

TEST(PngLoad, RgbaKeepsStraightAlphaIn32BitPixels) {
  TPNGGraphic png;
  LoadPng(png, RgbaPng({{{255, 0, 0, 255}, {0, 255, 0, 128}}, {{0, 0, 255, 0}, {10, 20, 30, 200}}}));
  ASSERT_EQ(png.PixelFormat(), pf32bit);
  EXPECT_EQ(Pixel32Of(png, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(Pixel32Of(png, 1, 0), 0x8000FF00u);
  EXPECT_EQ(Pixel32Of(png, 0, 1), 0x000000FFu);
  EXPECT_EQ(Pixel32Of(png, 1, 1), 0xC80A141Eu);
  EXPECT_TRUE(png.HeaderInfo().HasAlpha);
}

TEST(PngLoad, TransparencyKeyBecomesTheTransparentColour) {
  Bytes key;
  for (std::uint16_t v : {1, 2, 3})
    pngtest::PutBigEndian16(key, v);
  TPNGGraphic png;
  LoadPng(png, RgbPng({{{1, 2, 3, 0}, {9, 9, 9, 0}}}, {pngtest::Chunk("tRNS", key)}));
  EXPECT_TRUE(png.Transparent());
  EXPECT_EQ(png.TransparentColor(), RGBColor(1, 2, 3));
  EXPECT_EQ(png.TransparentMode(), tmFixed);

  // A later load of a file without a key leaves no transparency behind.
  LoadPng(png, RgbPng({{{1, 2, 3, 0}}}));
  EXPECT_FALSE(png.Transparent());
  EXPECT_EQ(png.TransparentMode(), tmAuto);
}

namespace {

// A memory stream that remembers how far it was ever read.
class WatchedStream : public TMemoryStream {
public:
  std::int64_t FurthestRead = 0;
  std::int32_t Read(void* buffer, std::int32_t count) override {
    const std::int32_t got = TMemoryStream::Read(buffer, count);
    FurthestRead = std::max(FurthestRead, Position());
    return got;
  }
};

}  // namespace

// The picture reads its own bytes and nothing of what follows it in the stream.
TEST(PngLoad, StreamStandsBehindIendAndKeepsThePngBytes) {
  const Bytes file = RgbPng({{{1, 2, 3, 0}}});
  const std::string prefix = "head", suffix(100000, 't');
  WatchedStream stream;
  stream.WriteBuffer(prefix.data(), static_cast<std::int32_t>(prefix.size()));
  stream.WriteBuffer(file.data(), static_cast<std::int32_t>(file.size()));
  stream.WriteBuffer(suffix.data(), static_cast<std::int32_t>(suffix.size()));
  stream.SetPosition(static_cast<std::int64_t>(prefix.size()));

  TPNGGraphic png;
  png.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), static_cast<std::int64_t>(prefix.size() + file.size()));
  EXPECT_EQ(stream.FurthestRead, static_cast<std::int64_t>(prefix.size() + file.size()));
  EXPECT_EQ(png.PngData(), file);
  EXPECT_EQ(png.HeaderInfo().Width, 1u);
}

TEST(PngLoad, DamagedFileRaisesThePngMessageAndKeepsNoFile) {
  Bytes file = RgbPng({{{1, 2, 3, 0}}});
  file[29] ^= 0xFF;  // a byte of IHDR's CRC
  TPNGGraphic png;
  LoadPng(png, RgbPng({{{4, 5, 6, 0}}}));
  try {
    LoadPng(png, file);
    FAIL() << "no exception";
  } catch (const EInvalidGraphic& error) {
    EXPECT_EQ(error.Message, "Cannot load image. CRC error found in PNG file.");
  }
  EXPECT_TRUE(png.PngData().empty());
  EXPECT_TRUE(png.Empty());
}

TEST(PngLoad, ImageDataThatEndsEarlyFailsButKeepsTheImageSize) {
  pngtest::SampleImage image = pngtest::PatternImage(16, 16, 8, 2);
  const Bytes raw = pngtest::RawImageData(image, false, 0);
  const Bytes half(raw.begin(), raw.begin() + static_cast<std::ptrdiff_t>(raw.size() / 2));
  pngtest::PngParts parts;
  parts.Ihdr = pngtest::IhdrData(16, 16, 8, 2);
  // A complete zlib stream of half the rows: the image cannot be filled.
  parts.CompressedData = pngtest::Zlib(half);
  TPNGGraphic png;
  try {
    LoadPng(png, pngtest::Assemble(parts));
    FAIL() << "no exception";
  } catch (const EInvalidGraphic& error) {
    EXPECT_EQ(error.Message, "Cannot load image. Compression error found in PNG file.");
  }
  EXPECT_EQ(png.Width(), 16);
  EXPECT_EQ(png.Height(), 16);
  EXPECT_EQ(png.PixelFormat(), pf24bit);
}

struct ProgressCall {
  TProgressStage Stage;
  int Percent;
  RECT Rect;
  AnsiString Message;
};

TEST(PngLoad, ProgressReportsReachTheGraphicsEvent) {
  TPNGGraphic png;
  std::vector<ProgressCall> calls;
  TObject* sender = nullptr;
  png.OnProgress = [&](TObject* s, TProgressStage stage, std::uint8_t percent, bool, const RECT& r,
                       const AnsiString& msg) {
    sender = s;
    calls.push_back({stage, percent, r, msg});
  };
  LoadPng(png, pngtest::EncodePng(pngtest::PatternImage(5, 4, 8, 2)));
  ASSERT_GE(calls.size(), 7u);
  EXPECT_EQ(sender, &png);
  EXPECT_EQ(calls.front().Stage, psStarting);
  EXPECT_EQ(calls.front().Message, "Preparing...");
  EXPECT_EQ(calls.front().Rect.right, 5);
  EXPECT_EQ(calls[2].Stage, psStarting);
  EXPECT_EQ(calls[2].Message, "Transfering...");
  std::vector<int> running;
  for (const ProgressCall& c : calls)
    if (c.Stage == psRunning)
      running.push_back(c.Percent);
  EXPECT_EQ(running, (std::vector<int>{0, 25, 50, 75}));
  EXPECT_EQ(calls.back().Stage, psEnding);
  EXPECT_EQ(calls.back().Rect.top, 4);  // moved down one pixel per row
}

TEST(PngLoad, AssignCopiesHeaderAndFileOfAnotherPng) {
  const Bytes file = RgbaPng({{{1, 2, 3, 4}, {5, 6, 7, 8}}});
  TPNGGraphic source;
  LoadPng(source, file);
  TPNGGraphic copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.PngData(), file);
  EXPECT_EQ(copy.HeaderInfo().Width, 2u);
  EXPECT_TRUE(copy.HeaderInfo().HasAlpha);
  EXPECT_EQ(copy.PixelFormat(), pf32bit);
  EXPECT_EQ(Pixel32Of(copy, 1, 0), 0x08050607u);

  TBitmap plain;
  FillBitmap(plain, 3, 3, clRed);
  copy.Assign(&plain);
  EXPECT_TRUE(copy.PngData().empty());
  EXPECT_EQ(copy.Width(), 3);
}

}  // namespace
