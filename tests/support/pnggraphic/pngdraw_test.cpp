// Drawing PNG pictures: images without alpha draw as bitmaps (with their
// transparency key), 32-bit images blend with their alpha at their own size
// and stretched, and a reflection fades out below the image.
#include <gtest/gtest.h>

#include "classlib/graphics/canvas.h"
#include "tests/support/pnggraphic/pnggraphic_test_util.h"

using namespace pnggraphic_test;

namespace {

const TColor kBackground = RGBColor(0, 0, 255);

class PngDrawTest : public testing::Test {
protected:
  void SetUp() override { FillBitmap(target, 48, 48, kBackground); }

  void ExpectColour(int x, int y, TColor expected, int tolerance = 0) {
    const TColor got = PixelOf(target, x, y);
    EXPECT_LE(ColourDistance(got, expected), tolerance)
        << "pixel (" << x << ", " << y << ") is " << std::hex << got << ", expected " << expected;
  }

  TBitmap target;
  TPNGGraphic png;
};

TEST_F(PngDrawTest, OpaqueImageDrawsAtItsOwnSize) {
  LoadPng(png, RgbPng({{{255, 0, 0, 0}, {0, 255, 0, 0}}, {{1, 2, 3, 0}, {255, 255, 255, 0}}}));
  target.Canvas().Draw(3, 4, png);
  ExpectColour(3, 4, RGBColor(255, 0, 0));
  ExpectColour(4, 4, RGBColor(0, 255, 0));
  ExpectColour(3, 5, RGBColor(1, 2, 3));
  ExpectColour(4, 5, RGBColor(255, 255, 255));
  ExpectColour(5, 4, kBackground);
  ExpectColour(2, 4, kBackground);
  ExpectColour(3, 6, kBackground);
}

TEST_F(PngDrawTest, OpaqueImageStretchesOverTheRectangle) {
  LoadPng(png, RgbPng({{{255, 0, 0, 0}, {0, 255, 0, 0}}, {{0, 0, 0, 0}, {255, 255, 255, 0}}}));
  target.Canvas().StretchDraw(RECT{0, 0, 40, 40}, png);
  ExpectColour(5, 5, RGBColor(255, 0, 0));
  ExpectColour(35, 5, RGBColor(0, 255, 0));
  ExpectColour(5, 35, RGBColor(0, 0, 0));
  ExpectColour(35, 35, RGBColor(255, 255, 255));
  ExpectColour(44, 44, kBackground);
}

TEST_F(PngDrawTest, TransparencyKeyShowsTheBackground) {
  Bytes key;
  for (std::uint16_t v : {0, 255, 0})
    pngtest::PutBigEndian16(key, v);
  LoadPng(png, RgbPng({{{0, 255, 0, 0}, {255, 0, 0, 0}}}, {pngtest::Chunk("tRNS", key)}));
  target.Canvas().Draw(0, 0, png);
  ExpectColour(0, 0, kBackground);
  ExpectColour(1, 0, RGBColor(255, 0, 0));
}

TEST_F(PngDrawTest, AlphaImageBlendsOverTheBackground) {
  LoadPng(png, RgbaPng({{{255, 0, 0, 255}, {255, 0, 0, 128}, {0, 255, 0, 0}, {255, 255, 255, 64}}}));
  ASSERT_EQ(png.PixelFormat(), pf32bit);
  target.Canvas().Draw(10, 20, png);
  // Opaque pixels mix by the 8-bit rule ((s - d) * 255 + d * 256) >> 8:
  // full red over blue keeps one step less than full red.
  ExpectColour(10, 20, RGBColor(254, 0, 0));
  // Half transparent red over blue: 128/255 red, 127/255 blue.
  ExpectColour(11, 20, RGBColor(128, 0, 127), 2);
  ExpectColour(12, 20, kBackground);
  ExpectColour(13, 20, RGBColor(64, 64, 255), 2);
  ExpectColour(14, 20, kBackground);
  // The picture itself keeps its straight alpha.
  EXPECT_EQ(Pixel32Of(png, 1, 0), 0x80FF0000u);
}

TEST_F(PngDrawTest, StretchedAlphaKeepsTheShapeOfTheAlphaPlane) {
  // Four columns of invisible green, then four of opaque red, stretched four
  // times: smoothing blurs only the few pixels around the edge at x = 16.
  const std::vector<Rgba> row{{0, 255, 0, 0},   {0, 255, 0, 0},   {0, 255, 0, 0},   {0, 255, 0, 0},
                              {255, 0, 0, 255}, {255, 0, 0, 255}, {255, 0, 0, 255}, {255, 0, 0, 255}};
  LoadPng(png, RgbaPng({row, row}));
  target.Canvas().StretchDraw(RECT{0, 0, 32, 8}, png);
  for (int x : {0, 2, 8})
    ExpectColour(x, 4, kBackground, 8);
  for (int x : {22, 26, 31})
    ExpectColour(x, 4, RGBColor(255, 0, 0), 8);
  ExpectColour(33, 4, kBackground);
  ExpectColour(4, 9, kBackground);
}

TEST_F(PngDrawTest, ReflectionFadesBelowTheImage) {
  // Eight opaque rows, each a different grey.
  std::vector<std::vector<Rgba>> rows;
  for (std::uint8_t y = 0; y < 8; ++y) {
    const std::uint8_t v = static_cast<std::uint8_t>(y * 30);
    rows.push_back({{v, v, v, 255}, {v, v, v, 255}});
  }
  LoadPng(png, RgbaPng(rows));
  png.SetReflected(true);
  FillBitmap(target, 48, 48, clBlack);
  target.Canvas().Draw(0, 0, png);
  ExpectColour(0, 7, RGBColor(209, 209, 209));  // opaque 210 over black, one step less
  ExpectColour(0, 8, clBlack);  // the row right under the image stays
  // Row 9 mirrors source row 6 at a third of full opacity, then it fades
  // with the levels 255, 192, 129.
  const struct {
    int Row;
    int SourceRow;
    int Weight;
  } reflection[] = {{9, 6, 85}, {10, 5, 64}, {11, 4, 43}};
  for (const auto& r : reflection) {
    const int v = r.SourceRow * 30 * r.Weight / 255;
    ExpectColour(1, r.Row, RGBColor(v, v, v), 2);
  }
  ExpectColour(0, 12, clBlack);
}

TEST_F(PngDrawTest, ReflectionIsLeftOutWhenStretched) {
  std::vector<std::vector<Rgba>> rows(8, std::vector<Rgba>(2, Rgba{200, 200, 200, 255}));
  LoadPng(png, RgbaPng(rows));
  png.SetReflected(true);
  FillBitmap(target, 48, 48, clBlack);
  target.Canvas().StretchDraw(RECT{0, 0, 4, 16}, png);
  ExpectColour(1, 8, RGBColor(200, 200, 200), 2);
  ExpectColour(1, 17, clBlack);
  ExpectColour(1, 20, clBlack);
}

}  // namespace
