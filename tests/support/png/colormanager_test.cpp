// The sample converter on its own: setters, converter choice, every row
// converter, gamma and palettes.
#include "support/png/colormanager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "classlib/system/exceptions.h"

using namespace acpng;

namespace {

using Bytes = std::vector<uint8_t>;

struct ConverterSetup {
  TSampleScheme In, Out;
  uint8_t InBits, OutBits;
  TSampleOptions InOptions = 0, OutOptions = 0;
};

TColorManager Configured(const ConverterSetup& s) {
  TColorManager m;
  m.SetInScheme(s.In);
  m.SetOutScheme(s.Out);
  m.SetInBits(s.InBits);
  m.SetOutBits(s.OutBits);
  m.SetInOptions(s.InOptions);
  m.SetOutOptions(s.OutOptions);
  return m;
}

Bytes Convert(TColorManager& m, const Bytes& source, size_t targetBytes, unsigned count, uint8_t mask = 0xFF,
              uint8_t fill = 0) {
  Bytes target(targetBytes, fill);
  const uint8_t* s = source.data();
  m.ConvertSamples(TSampleSources(&s, 1), target.data(), count, mask);
  return target;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EColorConversionError& e) {
    return e.Message;
  }
  return "";
}

const char* const kDepth = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
const char* const kSamples = "Sample count per pixel does not correspond to the given color scheme.";
const char* const kMix = "Conversion between indexed and non-indexed pixel formats is not supported.";
const char* const kNone = "Color conversion failed. Could not find a proper method.";

TEST(ColorManager, SettersRefuseInvalidDepthsAndSampleCounts) {
  TColorManager m;
  for (int bits : {0, 17, 255}) {
    EXPECT_EQ(ErrorOf([&] { m.SetInBits(uint8_t(bits)); }), kDepth) << bits;
    EXPECT_EQ(ErrorOf([&] { m.SetOutBits(uint8_t(bits)); }), kDepth) << bits;
  }
  for (int samples : {0, 5}) {
    EXPECT_EQ(ErrorOf([&] { m.SetInSamples(uint8_t(samples)); }), kSamples) << samples;
    EXPECT_EQ(ErrorOf([&] { m.SetOutSamples(uint8_t(samples)); }), kSamples) << samples;
  }
  for (int bits : {1, 3, 16}) EXPECT_EQ(ErrorOf([&] { m.SetInBits(uint8_t(bits)); }), "") << bits;
  EXPECT_EQ(m.InBits(), 16);
}

TEST(ColorManager, StartsAsEightBitRgbToBgr) {
  TColorManager m;
  EXPECT_EQ(m.InBits(), 8);
  EXPECT_EQ(m.OutBits(), 8);
  EXPECT_EQ(m.InSamples(), 3);
  EXPECT_EQ(m.OutSamples(), 3);
  EXPECT_EQ(m.InScheme(), ssRGB);
  EXPECT_EQ(m.OutScheme(), ssBGR);
  EXPECT_EQ(Convert(m, {1, 2, 3}, 3, 1), (Bytes{3, 2, 1}));
}

TEST(ColorManager, ChangingASettingChoosesTheConverterAgain) {
  TColorManager m;
  EXPECT_EQ(Convert(m, {1, 2, 3}, 3, 1), (Bytes{3, 2, 1}));
  m.SetOutScheme(ssRGB);
  EXPECT_EQ(Convert(m, {1, 2, 3}, 3, 1), (Bytes{1, 2, 3}));
  m.SetInScheme(ssRGBA);
  m.SetOutScheme(ssBGRA);
  EXPECT_EQ(Convert(m, {1, 2, 3, 4}, 4, 1), (Bytes{3, 2, 1, 4}));
  m.SetInScheme(ssGrey);
  EXPECT_EQ(ErrorOf([&] { Convert(m, {1}, 4, 1); }), kMix);
}

TEST(ColorManager, PixelFormatForFollowsSamplesAndBits) {
  struct Row {
    uint8_t Samples, Bits;
    TPixelFormat Format;
  };
  const Row rows[] = {{1, 1, pf1bit},  {1, 2, pf4bit},   {1, 4, pf4bit},   {1, 5, pfCustom}, {1, 8, pf8bit},
                      {1, 16, pf8bit}, {3, 1, pf15bit},  {3, 5, pf15bit},  {3, 8, pf24bit},  {3, 16, pf24bit},
                      {4, 8, pf32bit}, {4, 16, pf32bit}, {4, 4, pfCustom}, {2, 8, pfCustom}};
  for (const Row& r : rows) {
    TColorManager m;
    m.SetInSamples(r.Samples);
    m.SetInBits(r.Bits);
    m.SetOutSamples(r.Samples);
    m.SetOutBits(r.Bits);
    EXPECT_EQ(m.PixelFormatFor(0), r.Format) << int(r.Samples) << "x" << int(r.Bits);
    EXPECT_EQ(m.PixelFormatFor(1), r.Format) << int(r.Samples) << "x" << int(r.Bits);
  }
  TColorManager mixed;
  mixed.SetInSamples(4);
  mixed.SetOutSamples(1);
  mixed.SetOutBits(1);
  EXPECT_EQ(mixed.PixelFormatFor(0), pf32bit);
  EXPECT_EQ(mixed.PixelFormatFor(1), pf1bit);
}

TEST(ColorManager, ConverterChoiceFailures) {
  struct Case {
    ConverterSetup S;
    const char* Message;
  };
  const Case cases[] = {
      {{ssGrey, ssBGR, 8, 8}, kMix},         {{ssRGB, ssIndexed, 8, 8}, kMix},
      {{ssGreyAlpha, ssGreyAlpha, 8, 8}, kMix}, {{ssGrey, ssGrey, 16, 4}, kNone},
      {{ssGreyAlpha, ssIndexed, 4, 8}, kNone}, {{ssUnknown, ssBGR, 8, 8}, kNone},
      {{ssUnconverted, ssBGR, 8, 8}, kNone},  {{ssCMYK, ssIndexed, 8, 8}, kMix},
      {{ssLab, ssCMYK, 8, 8}, kNone},
  };
  for (const Case& c : cases) {
    TColorManager m = Configured(c.S);
    EXPECT_EQ(ErrorOf([&] { Convert(m, Bytes(8), 8, 1); }), c.Message) << int(c.S.In) << "->" << int(c.S.Out);
  }
}

TEST(ColorManager, DepthsNoConverterHandlesLeaveTheTargetAlone) {
  TColorManager m = Configured({ssRGB, ssBGR, 3, 8});
  EXPECT_EQ(Convert(m, {1, 2, 3}, 3, 1, 0xFF, 0xEE), (Bytes{0xEE, 0xEE, 0xEE}));
}

// --- Colour rows ----------------------------------------------------------------------

struct RowCase {
  const char* Name;
  ConverterSetup S;
  Bytes Source;
  unsigned Count;
  Bytes Expected;
  uint8_t Mask = 0xFF;
  uint8_t Fill = 0;
};

class ColourRows : public testing::TestWithParam<RowCase> {};

TEST_P(ColourRows, ConvertEachRowToTheTargetLayout) {
  const RowCase& c = GetParam();
  TColorManager m = Configured(c.S);
  EXPECT_EQ(Convert(m, c.Source, c.Expected.size(), c.Count, c.Mask, c.Fill), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    ColorManager, ColourRows,
    testing::Values(
        RowCase{"RgbToBgr", {ssRGB, ssBGR, 8, 8}, {1, 2, 3, 4, 5, 6}, 2, {3, 2, 1, 6, 5, 4}},
        RowCase{"RgbToRgb", {ssRGB, ssRGB, 8, 8}, {1, 2, 3}, 1, {1, 2, 3}},
        RowCase{"BgrToRgb", {ssBGR, ssRGB, 8, 8}, {1, 2, 3}, 1, {3, 2, 1}},
        RowCase{"BgrToBgra", {ssBGR, ssBGRA, 8, 8}, {1, 2, 3}, 1, {1, 2, 3, 0x77}, 0xFF, 0x77},
        RowCase{"RgbaToBgr", {ssRGBA, ssBGR, 8, 8}, {1, 2, 3, 4}, 1, {3, 2, 1}},
        RowCase{"RgbaToBgra", {ssRGBA, ssBGRA, 8, 8}, {1, 2, 3, 4, 5, 6, 7, 8}, 2, {3, 2, 1, 4, 7, 6, 5, 8}},
        RowCase{"Rgb16SwappedToBgr8",
                {ssRGB, ssBGR, 16, 8, soSwap16},
                {0xFF, 0xFF, 0x80, 0x00, 0x00, 0xFF},
                1,
                {0, 127, 255}},
        RowCase{"Rgb16LittleEndianToBgr8", {ssRGB, ssBGR, 16, 8}, {0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x00}, 1, {0, 127, 255}},
        RowCase{"Rgba16ToBgra8Alpha", {ssRGBA, ssBGRA, 16, 8, soSwap16}, {0, 0, 0, 0, 0, 0, 0x80, 0}, 1, {0, 0, 0, 127}},
        RowCase{"Rgb8ToBgr16", {ssRGB, ssBGR, 8, 16}, {1, 0, 255}, 1, {0xFF, 0xFF, 0, 0, 0x01, 0x01}},
        RowCase{"Rgb8ToBgr16Swapped", {ssRGB, ssBGR, 8, 16, soSwap16}, {2, 0, 0}, 1, {0, 0, 0, 0, 0x02, 0x02}},
        RowCase{"Rgb16ToRgb16Swapped", {ssRGB, ssRGB, 16, 16, soSwap16}, {1, 2, 3, 4, 5, 6}, 1, {2, 1, 4, 3, 6, 5}},
        RowCase{"Rgba16ToRgba16", {ssRGBA, ssRGBA, 16, 16}, {1, 2, 3, 4, 5, 6, 7, 8}, 1, {1, 2, 3, 4, 5, 6, 7, 8}},
        RowCase{"MaskedRgb", {ssRGB, ssBGR, 8, 8}, {1, 2, 3, 4, 5, 6}, 4, {3, 2, 1, 9, 9, 9, 6, 5, 4, 9, 9, 9}, 0xAA, 9},
        RowCase{"Grey16ToGrey8", {ssGrey, ssGrey, 16, 8, soSwap16}, {0x80, 0x00, 0xFF, 0xFF}, 2, {127, 255}},
        RowCase{"Grey8ToGrey16", {ssGrey, ssGrey, 8, 16}, {1, 255}, 2, {0x01, 0x01, 0xFF, 0xFF}},
        RowCase{"Grey16ToGrey16Swapped", {ssGrey, ssGrey, 16, 16, soSwap16}, {1, 2}, 1, {2, 1}},
        RowCase{"GreyAlphaKeepsGrey", {ssGreyAlpha, ssIndexed, 8, 8}, {10, 200, 20, 100, 30, 0}, 3, {10, 20, 30}},
        RowCase{"GreyAlpha16KeepsGrey", {ssGreyAlpha, ssIndexed, 16, 8, soSwap16}, {0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF}, 2, {255, 0}},
        RowCase{"EqualDepthsCopyPackedBytes", {ssIndexed, ssIndexed, 1, 1}, {0xA5, 0x3C}, 16, {0xA5, 0x3C}},
        RowCase{"TwoBitToFourBit", {ssIndexed, ssIndexed, 2, 4}, {0x1B}, 4, {0x05, 0xAF}},
        RowCase{"FourBitToOneBit", {ssGrey, ssGrey, 4, 1}, {0xF0, 0x8F}, 4, {0x90}},
        RowCase{"MaskKeepsOtherBits", {ssIndexed, ssIndexed, 1, 1}, {0xFF}, 8, {0x8F}, 0x88, 0x0F},
        RowCase{"MaskPlacesFourPixels", {ssGrey, ssGrey, 8, 8}, {1, 2, 3, 4}, 16, {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0}, 0x88},
        RowCase{"Index16Copy", {ssIndexed, ssIndexed, 16, 16}, {1, 2, 3, 4}, 2, {1, 2, 3, 4}},
        RowCase{"Index16Swapped", {ssIndexed, ssIndexed, 16, 16, soSwap16}, {1, 2}, 1, {2, 1}},
        RowCase{"Index16Narrow", {ssIndexed, ssIndexed, 16, 4, soSwap16}, {0xFF, 0xFF, 0x80, 0x00}, 2, {0xF7}},
        RowCase{"IndexWiden", {ssIndexed, ssIndexed, 2, 16}, {0xC0}, 2, {0xFF, 0xFF, 0, 0}},
        RowCase{"IndexWidenSwapped", {ssIndexed, ssIndexed, 4, 16, soSwap16}, {0x10}, 1, {0x11, 0x11}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ColorManager, GammaAppliesToColourButNotToAlpha) {
  TColorManager m = Configured({ssRGBA, ssBGRA, 8, 8, 0, soGamma});
  m.ConfigureGamma(1.0f, 2.2f);
  const auto& g = m.GammaTable();
  EXPECT_EQ(Convert(m, {10, 100, 200, 50}, 4, 1), (Bytes{g[200], g[100], g[10], 50}));
  // The same through the general path (a mask).
  EXPECT_EQ(Convert(m, {10, 100, 200, 50}, 4, 1, 0x80), (Bytes{g[200], g[100], g[10], 50}));
}

TEST(ColorManager, GammaTableFollowsTheFormula) {
  TColorManager m;
  m.ConfigureGamma(0.5f, 2.0f);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(m.GammaTable()[size_t(i)], i) << i;
  m.ConfigureGamma(1.0f, 2.2f);
  for (int i = 0; i < 256; ++i)
    EXPECT_EQ(m.GammaTable()[size_t(i)], uint8_t(std::lrint(std::pow(i / 255.0, 1 / 2.2) * 255))) << i;
  const auto withDefaults = [] {
    TColorManager d;
    d.ConfigureGamma(0.0f, -1.0f);
    return d.GammaTable();
  }();
  EXPECT_EQ(withDefaults, m.GammaTable());
}

// --- Computed colour models -------------------------------------------------------------

TEST(ColorManager, CmykToRgb) {
  TColorManager m = Configured({ssCMYK, ssRGB, 8, 8});
  EXPECT_EQ(Convert(m, {0, 0, 0, 0, 255, 0, 0, 0, 0, 0, 0, 255, 100, 50, 0, 51}, 12, 4),
            (Bytes{255, 255, 255, 0, 255, 255, 0, 0, 0, 124, 164, 204}));
  TColorManager bgra = Configured({ssCMYK, ssBGRA, 8, 8});
  EXPECT_EQ(Convert(bgra, {255, 0, 0, 0}, 4, 1, 0xFF, 7), (Bytes{255, 255, 0, 7}));
  TColorManager wide = Configured({ssCMYK, ssRGB, 16, 16});
  // 16-bit into 16-bit: X*K div 65535 - X - K - 1, in 16-bit arithmetic.
  const Bytes out = Convert(wide, {0, 0, 0xFF, 0xFF, 0, 0, 0, 0}, 6, 1);
  EXPECT_EQ(out, (Bytes{0xFF, 0xFF, 0, 0, 0xFF, 0xFF}));
  TColorManager narrow = Configured({ssCMYK, ssRGB, 16, 8, soSwap16});
  EXPECT_EQ(Convert(narrow, {0x80, 0, 0, 0, 0, 0, 0, 0}, 3, 1), (Bytes{128, 255, 255}));
}

TEST(ColorManager, LabToRgb) {
  TColorManager m = Configured({ssLab, ssRGB, 8, 8, soLabLByte | soLabChromaOffset});
  EXPECT_EQ(Convert(m, {255, 128, 128, 0, 128, 128}, 6, 2), (Bytes{255, 255, 255, 0, 0, 0}));
  // Signed chroma without offset: a* = -128 as a byte pulls red down.
  TColorManager s = Configured({ssLab, ssBGR, 8, 8});
  const Bytes out = Convert(s, {50, 0x80, 0}, 3, 1);
  // L 50, a -128, b 0: fy = 66/116.
  const double fy = 66.0 / 116, y = fy * fy * fy, x = std::pow(fy - 128.0 / 500, 3), z = std::pow(fy, 3);
  auto ch = [](double v) { return uint8_t(std::clamp<long>(std::lrint(v * 255), 0, 255)); };
  EXPECT_EQ(out, (Bytes{ch(0.099 * x - 0.198 * y + 1.099 * z), ch(-0.952 * x + 1.893 * y + 0.059 * z),
                        ch(2.998 * x - 1.458 * y - 0.541 * z)}));
}

TEST(ColorManager, YCbCrAndPhotoYccToRgb) {
  TColorManager m = Configured({ssYCbCr, ssRGB, 8, 8});
  const Bytes out = Convert(m, {128, 128, 128, 76, 85, 255}, 6, 2);
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 3), (Bytes{128, 128, 128}));
  // The usual full-range formulas give (254, 0, 0) for this red.
  EXPECT_NEAR(out[3], 76 + 1.402 * 127, 1.0);
  EXPECT_NEAR(out[4], 0, 1.0);
  EXPECT_NEAR(out[5], 0, 1.0);
  TColorManager photo = Configured({ssPhotoYCC, ssBGR, 8, 8});
  EXPECT_EQ(Convert(photo, {100, 156, 137}, 3, 1), (Bytes{100, 100, 100}));
  TColorManager wide = Configured({ssYCbCr, ssRGB, 16, 16});
  // 16-bit into 16-bit: y = Y*1.3584, c1 = Cb-40092, c2 = Cr-35209.
  const Bytes w = Convert(wide, {0x00, 0x10, 0x9C, 0x9C, 0x89, 0x89}, 6, 1);
  const double y = 0x1000 * 1.3584, c1 = 0x9C9C - 40092.0, c2 = 0x8989 - 35209.0;
  auto word = [&](size_t i) { return int(w[i] | w[i + 1] << 8); };
  EXPECT_EQ(word(0), uint16_t(std::lrint(y + 1.8215 * c2)));
  EXPECT_EQ(word(2), uint16_t(std::lrint(y - 0.9271435 * c2 - 0.4302726 * c1)));
  EXPECT_EQ(word(4), uint16_t(std::lrint(y + 2.2179 * c1)));
}

TEST(ColorManager, PlanarSources) {
  TColorManager m = Configured({ssRGB, ssBGR, 8, 8});
  const Bytes r{1, 2}, g{3, 4}, b{5, 6};
  const uint8_t* planes[] = {r.data(), g.data(), b.data()};
  Bytes target(6);
  m.ConvertSamples(TSampleSources(planes, 3), target.data(), 2);
  EXPECT_EQ(target, (Bytes{5, 3, 1, 6, 4, 2}));
  TColorManager cmyk = Configured({ssCMYK, ssRGB, 8, 8});
  const Bytes c{255}, mm{0}, y{0}, k{0};
  const uint8_t* cmykPlanes[] = {c.data(), mm.data(), y.data(), k.data()};
  Bytes t2(3);
  cmyk.ConvertSamples(TSampleSources(cmykPlanes, 4), t2.data(), 1);
  EXPECT_EQ(t2, (Bytes{0, 255, 255}));
}

// --- Palettes --------------------------------------------------------------------------

TEST(ColorManager, GreyPaletteLevels) {
  struct Case {
    uint8_t OutBits, OutSamples;
    size_t Count;
    uint8_t Step;
  };
  for (const Case& c : {Case{1, 1, 2, 255}, Case{2, 1, 4, 85}, Case{4, 1, 16, 17}, Case{8, 1, 256, 1},
                        Case{16, 1, 256, 1}, Case{4, 2, 256, 1}}) {
    TColorManager m;
    m.SetOutBits(c.OutBits);
    m.SetOutSamples(c.OutSamples);
    const TPngPalette p = m.BuildGreyPalette(false), inverted = m.BuildGreyPalette(true);
    ASSERT_EQ(p.size(), c.Count);
    for (size_t i = 0; i < c.Count; ++i) {
      const uint8_t level = uint8_t(c.Step * i);
      EXPECT_EQ(p[i], (TPaletteEntry{level, level, level, 0}));
      EXPECT_EQ(inverted[c.Count - 1 - i], p[i]);
    }
  }
  // Gamma configured at 8 bits, then a 2-bit grey palette through it.
  TColorManager gamma;
  gamma.ConfigureGamma(0.25f, 2.0f);  // exponent 2
  gamma.SetOutBits(2);
  gamma.SetOutSamples(1);
  gamma.SetOutOptions(soGamma);
  const TPngPalette corrected = gamma.BuildGreyPalette(false);
  EXPECT_EQ(corrected[1].Red, 28);  // (85/255)^2 * 255
  EXPECT_EQ(corrected[3].Red, 255);
}

TEST(ColorManager, PaletteFromSamplesLayouts) {
  TColorManager m;
  const Bytes rgb{10, 20, 30, 40, 50, 60};
  const uint8_t* s = rgb.data();
  EXPECT_EQ(m.BuildPaletteFromSamples(TSampleSources(&s, 1), plInterleaved8, 2, false),
            (TPngPalette{{10, 20, 30, 0}, {40, 50, 60, 0}}));
  EXPECT_EQ(m.BuildPaletteFromSamples(TSampleSources(&s, 1), plInterleaved8, 2, true),
            (TPngPalette{{30, 20, 10, 0}, {60, 50, 40, 0}}));
  const Bytes quad{1, 2, 3, 99, 4, 5, 6, 99};
  s = quad.data();
  EXPECT_EQ(m.BuildPaletteFromSamples(TSampleSources(&s, 1), plInterleaved8Quad, 2, false),
            (TPngPalette{{1, 2, 3, 0}, {4, 5, 6, 0}}));
  const Bytes r{1, 2}, g{3, 4}, b{5, 6};
  const uint8_t* planes[] = {r.data(), g.data(), b.data()};
  EXPECT_EQ(m.BuildPaletteFromSamples(TSampleSources(planes, 3), plPlanar8, 2, true),
            (TPngPalette{{1, 3, 5, 0}, {2, 4, 6, 0}}));
  const Bytes wide{0xFF, 0xFF, 0x00, 0x80, 0x00, 0x00};
  s = wide.data();
  m.SetInOptions(soSwap16);
  EXPECT_EQ(m.BuildPaletteFromSamples(TSampleSources(&s, 1), plInterleaved16, 1, false),
            (TPngPalette{{255, 0, 0, 0}}));
  // At most 256 entries.
  const Bytes big(3 * 300, 1);
  s = big.data();
  TColorManager plain;
  EXPECT_EQ(plain.BuildPaletteFromSamples(TSampleSources(&s, 1), plInterleaved8, 300, false).size(), 256u);
}

TEST(ColorManager, PaletteSpreadToTheTargetDepth) {
  Bytes rgb(12);
  for (size_t i = 0; i < 4; ++i) {
    rgb[3 * i] = uint8_t(i);
    rgb[3 * i + 1] = uint8_t(10 + i);
    rgb[3 * i + 2] = uint8_t(20 + i);
  }
  const uint8_t* s = rgb.data();
  TColorManager up;
  up.SetInBits(2);
  up.SetOutBits(4);
  const TPngPalette spread = up.BuildPaletteFromSamples(TSampleSources(&s, 1), plInterleaved8, 4, false);
  ASSERT_EQ(spread.size(), 16u);
  for (unsigned j = 0; j < 16; ++j) EXPECT_EQ(spread[j].Red, j * 3 / 15) << j;
  TColorManager down;
  down.SetInBits(2);
  down.SetOutBits(1);
  const TPngPalette narrowed = down.BuildPaletteFromSamples(TSampleSources(&s, 1), plInterleaved8, 4, false);
  ASSERT_EQ(narrowed.size(), 2u);
  EXPECT_EQ(narrowed[0].Red, 0);
  EXPECT_EQ(narrowed[1].Red, 3);
}

}  // namespace
