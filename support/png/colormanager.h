// Sample converter of the PNG reader: turns rows of image samples from a source
// layout (colour scheme, bits per sample, samples per pixel, interleaved or
// planar, byte order) into bitmap scan lines, applies a gamma table and builds
// palettes. CMYK, CIE L*a*b*, YCbCr and PhotoYCC sources go through the same
// interface.
#pragma once
#include <array>
#include <cstdint>

#include "support/png/pngtypes.h"
#include "support/png/samplerows.h"

namespace acpng {

enum TSampleScheme : uint8_t {
  ssUnknown = 0,
  ssIndexed = 1,
  ssGrey = 2,
  ssGreyAlpha = 3,
  ssRGB = 4,
  ssRGBA = 5,
  ssBGR = 6,
  ssBGRA = 7,
  ssUnconverted = 8,
  ssCMYK = 9,
  ssLab = 10,
  ssYCbCr = 11,
  ssPhotoYCC = 12,
};

// Source layouts of BuildPaletteFromSamples.
enum TPaletteLayout : int {
  plInterleaved8 = 0,      // R,G,B (or B,G,R) bytes
  plInterleaved8Quad = 1,  // four bytes per entry, the fourth skipped
  plPlanar8 = 2,           // three 8-bit planes (layout 3 is the same)
  plInterleaved16 = 4,
  plInterleaved16Quad = 5,
  plPlanar16 = 6,          // three 16-bit planes (layout 7 is the same)
};

class TColorManager {
public:
  TColorManager();

  void SetInBits(uint8_t bits);
  void SetOutBits(uint8_t bits);
  void SetInSamples(uint8_t samples);
  void SetOutSamples(uint8_t samples);
  void SetInScheme(TSampleScheme scheme);
  void SetOutScheme(TSampleScheme scheme);
  void SetInOptions(TSampleOptions options);
  void SetOutOptions(TSampleOptions options);

  uint8_t InBits() const { return context_.InBits; }
  uint8_t OutBits() const { return context_.OutBits; }
  uint8_t InSamples() const { return inSamples_; }
  uint8_t OutSamples() const { return outSamples_; }
  TSampleScheme InScheme() const { return inScheme_; }
  TSampleScheme OutScheme() const { return outScheme_; }
  TSampleOptions InOptions() const { return context_.InOptions; }
  TSampleOptions OutOptions() const { return context_.OutOptions; }
  const std::array<uint8_t, 256>& GammaTable() const { return gammaTable_; }

  // Main gamma (the file's) and display gamma; non-positive values take the
  // defaults 1.0 and 2.2.
  void ConfigureGamma(float mainGamma, float displayGamma);
  // Converts Count target pixels; Mask picks the target columns that take the
  // next source pixel (0xFF: every column).
  void ConvertSamples(TSampleSources sources, uint8_t* target, unsigned count, uint8_t mask = 0xFF);
  // 0: the pixel format of the source settings, 1: of the target settings.
  TPixelFormat PixelFormatFor(int which) const;
  TPngPalette BuildGreyPalette(bool inverted) const;
  TPngPalette BuildPaletteFromSamples(TSampleSources sources, int layout, unsigned count, bool bgrOrder) const;

private:
  void ChooseConverter();
  void BuildChromaTables();
  uint8_t PaletteSample16(uint32_t raw) const;

  bool changed_ = true;
  TSampleRowContext context_;
  uint8_t inSamples_ = 3;
  uint8_t outSamples_ = 3;
  float mainGamma_ = 1.0f;
  float displayGamma_ = 2.2f;
  std::array<uint8_t, 256> gammaTable_{};
  float lumaRed_ = 0.299f, lumaGreen_ = 0.587f, lumaBlue_ = 0.114f;
  std::array<int32_t, 256> crToRed_{}, cbToBlue_{}, crToGreen_{}, cbToGreen_{};
  TSampleScheme inScheme_ = ssRGB;
  TSampleScheme outScheme_ = ssBGR;
  TRowConverter converter_ = nullptr;
};

}  // namespace acpng
