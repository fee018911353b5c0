#include "support/png/colormanager.h"

#include <algorithm>
#include <cmath>

#include "classlib/system/exceptions.h"

namespace acpng {
namespace {

const char* const kInvalidDepth = "Color depth is invalid. Bits per sample must be 1, 2, 4, 8 or 16.";
const char* const kInvalidSamples = "Sample count per pixel does not correspond to the given color scheme.";
const char* const kIndexedMix = "Conversion between indexed and non-indexed pixel formats is not supported.";
const char* const kNoConverter = "Color conversion failed. Could not find a proper method.";

bool HasAlpha(TSampleScheme s) { return s == ssGreyAlpha || s == ssRGBA || s == ssBGRA; }
bool IsRgbOrder(TSampleScheme s) { return s == ssRGB || s == ssRGBA; }
bool IsBgrOrder(TSampleScheme s) { return s == ssBGR || s == ssBGRA; }

template <class T>
bool Assign(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

// Picks the RGB-order or BGR-order converter for colour targets; none for others.
TRowConverter ByTargetOrder(TSampleScheme target, TRowConverter rgb, TRowConverter bgr) {
  if (IsRgbOrder(target)) return rgb;
  if (IsBgrOrder(target)) return bgr;
  return nullptr;
}

}  // namespace

TColorManager::TColorManager() {
  ConfigureGamma(1.0f, 2.2f);
}

void TColorManager::SetInBits(uint8_t bits) {
  if (bits == 0 || bits > 16) throw EColorConversionError(kInvalidDepth);
  changed_ |= Assign(context_.InBits, bits);
}

void TColorManager::SetOutBits(uint8_t bits) {
  if (bits == 0 || bits > 16) throw EColorConversionError(kInvalidDepth);
  changed_ |= Assign(context_.OutBits, bits);
}

void TColorManager::SetInSamples(uint8_t samples) {
  if (samples == 0 || samples > 4) throw EColorConversionError(kInvalidSamples);
  changed_ |= Assign(inSamples_, samples);
}

void TColorManager::SetOutSamples(uint8_t samples) {
  if (samples == 0 || samples > 4) throw EColorConversionError(kInvalidSamples);
  changed_ |= Assign(outSamples_, samples);
}

void TColorManager::SetInScheme(TSampleScheme scheme) { changed_ |= Assign(inScheme_, scheme); }
void TColorManager::SetOutScheme(TSampleScheme scheme) { changed_ |= Assign(outScheme_, scheme); }
void TColorManager::SetInOptions(TSampleOptions options) { changed_ |= Assign(context_.InOptions, options); }
void TColorManager::SetOutOptions(TSampleOptions options) { changed_ |= Assign(context_.OutOptions, options); }

void TColorManager::ConfigureGamma(float mainGamma, float displayGamma) {
  mainGamma_ = mainGamma > 0 ? mainGamma : 1.0f;
  displayGamma_ = displayGamma > 0 ? displayGamma : 2.2f;
  // The tables of the last few settings are kept: every picture starts from
  // the same defaults, files mostly share a gamma, and 256 powers cost more
  // than decoding a small picture.
  struct BuiltTable {
    bool Valid = false;
    float Main = 0, Display = 0;
    uint8_t InBits = 0, OutBits = 0;
    std::array<uint8_t, 256> Table{};
  };
  thread_local std::array<BuiltTable, 4> built;
  thread_local size_t nextBuilt = 0;
  for (const BuiltTable& b : built) {
    if (b.Valid && b.Main == mainGamma_ && b.Display == displayGamma_ && b.InBits == context_.InBits &&
        b.OutBits == context_.OutBits) {
      gammaTable_ = b.Table;
      return;
    }
  }
  const double exponent = 1.0 / (double(mainGamma_) * double(displayGamma_));
  const int outHigh = context_.OutBits >= 8 ? 255 : (1 << context_.OutBits) - 1;
  // Below 8 source bits the table covers the target's levels only.
  const int inHigh = context_.InBits >= 8 ? 255 : (1 << context_.OutBits) - 1;
  for (int i = 0; i <= std::min(inHigh, 255); ++i) {
    const double v = inHigh == 0 ? 0.0 : std::pow(double(i) / inHigh, exponent) * outHigh;
    gammaTable_[size_t(i)] = uint8_t(std::clamp<long>(std::lrint(v), 0, 255));
  }
  built[nextBuilt] = BuiltTable{true, mainGamma_, displayGamma_, context_.InBits, context_.OutBits, gammaTable_};
  nextBuilt = (nextBuilt + 1) % built.size();
}

void TColorManager::BuildChromaTables() {
  const float fr = 2 - 2 * lumaRed_, fb = 2 - 2 * lumaBlue_;
  const float frg = lumaRed_ * fr / lumaGreen_, fbg = lumaBlue_ * fb / lumaGreen_;
  const int cr = inScheme_ == ssYCbCr ? 128 : 137;
  const int cb = inScheme_ == ssYCbCr ? 128 : 156;
  for (int i = 0; i < 256; ++i) {
    crToRed_[size_t(i)] = int32_t(std::lrint(fr * float(i - cr)));
    cbToBlue_[size_t(i)] = int32_t(std::lrint(fb * float(i - cb)));
    crToGreen_[size_t(i)] = -int32_t(std::lrint(frg * float(i - cr)));
    cbToGreen_[size_t(i)] = -int32_t(std::lrint(fbg * float(i - cb)));
  }
}

void TColorManager::ChooseConverter() {
  converter_ = nullptr;
  const bool indexedSource = inScheme_ == ssIndexed || inScheme_ == ssGrey || inScheme_ == ssGreyAlpha;
  const bool indexedTarget = outScheme_ == ssIndexed || outScheme_ == ssGrey;
  if (indexedSource != indexedTarget) throw EColorConversionError(kIndexedMix);

  auto withAlpha = [](TSampleOptions o, bool on) { return TSampleOptions(on ? (o | soAlpha) : (o & ~soAlpha)); };
  context_.InOptions = withAlpha(context_.InOptions, HasAlpha(inScheme_));
  context_.OutOptions = withAlpha(context_.OutOptions, HasAlpha(outScheme_));

  const uint8_t in = context_.InBits, out = context_.OutBits;
  switch (inScheme_) {
    case ssIndexed:
      if (in == 16 && out == 16)
        converter_ = Index16Row;
      else if (in == 16)
        converter_ = Index16NarrowRow;
      else if (out == 16)
        converter_ = IndexWidenRow;
      else
        converter_ = IndexRepackRow;
      break;
    case ssGrey:
      if (in == 16 || out == 16)
        converter_ = (in >= 8 && out >= 8) ? GreyRow : nullptr;
      else
        converter_ = IndexRepackRow;
      break;
    case ssGreyAlpha:
      converter_ = ((in == 8 || in == 16) && (out == 8 || out == 16)) ? GreyRow : nullptr;
      break;
    case ssRGB:
    case ssRGBA: converter_ = ByTargetOrder(outScheme_, RgbToRgbRow, RgbToBgrRow); break;
    case ssBGR:
    case ssBGRA: converter_ = ByTargetOrder(outScheme_, BgrToRgbRow, BgrToBgrRow); break;
    case ssCMYK: converter_ = ByTargetOrder(outScheme_, CmykToRgbRow, CmykToBgrRow); break;
    case ssLab: converter_ = ByTargetOrder(outScheme_, LabToRgbRow, LabToBgrRow); break;
    case ssYCbCr:
      BuildChromaTables();
      converter_ = ByTargetOrder(outScheme_, YCbCrToRgbRow, YCbCrToBgrRow);
      break;
    case ssPhotoYCC:
      BuildChromaTables();
      converter_ = ByTargetOrder(outScheme_, PhotoYccToRgbRow, PhotoYccToBgrRow);
      break;
    default: break;
  }
  changed_ = false;
}

void TColorManager::ConvertSamples(TSampleSources sources, uint8_t* target, unsigned count, uint8_t mask) {
  if (changed_) ChooseConverter();
  if (!converter_) throw EColorConversionError(kNoConverter);
  // The tables live in this object; point at them here so copies stay valid.
  context_.GammaTable = gammaTable_.data();
  context_.CrToRed = crToRed_.data();
  context_.CbToBlue = cbToBlue_.data();
  context_.CrToGreen = crToGreen_.data();
  context_.CbToGreen = cbToGreen_.data();
  converter_(context_, sources, target, count, mask);
}

TPixelFormat TColorManager::PixelFormatFor(int which) const {
  const uint8_t samples = which == 0 ? inSamples_ : outSamples_;
  const uint8_t bits = which == 0 ? context_.InBits : context_.OutBits;
  switch (samples) {
    case 1:
      if (bits == 1) return pf1bit;
      if (bits >= 2 && bits <= 4) return pf4bit;
      if (bits >= 8 && bits <= 16) return pf8bit;
      return pfCustom;
    case 3: return bits >= 1 && bits <= 5 ? pf15bit : pf24bit;
    case 4: return bits >= 8 ? pf32bit : pfCustom;
    default: return pfCustom;
  }
}

TPngPalette TColorManager::BuildGreyPalette(bool inverted) const {
  const unsigned n = std::min(unsigned(context_.OutBits) * outSamples_, 8u);
  const unsigned count = 1u << n;
  const unsigned step = count > 1 ? 255 / (count - 1) : 0;
  const bool gamma = context_.OutOptions & soGamma;
  TPngPalette palette(count);
  for (unsigned i = 0; i < count; ++i) {
    const unsigned raw = step * i;
    const uint8_t level = gamma ? gammaTable_[raw] : uint8_t(raw);
    TPaletteEntry& e = palette[inverted ? count - 1 - i : i];
    e.Red = e.Green = e.Blue = level;
  }
  return palette;
}

uint8_t TColorManager::PaletteSample16(uint32_t raw) const {
  if (context_.InOptions & soSwap16) raw = ((raw & 0xFF) << 8) | (raw >> 8);
  const uint8_t v = ScaleSample16(raw);
  return (context_.OutOptions & soGamma) ? gammaTable_[v] : v;
}

TPngPalette TColorManager::BuildPaletteFromSamples(TSampleSources sources, int layout, unsigned count,
                                                   bool bgrOrder) const {
  const unsigned entries = std::min(count, 256u);
  // Entries the source does not supply stay black, so a short palette that is
  // spread below never reads what was not given.
  TPngPalette work(256);
  const bool planar = layout == 2 || layout == 3 || layout == 6 || layout == 7;
  const bool wide = layout >= 4;
  const unsigned stride = (layout == 1 || layout == 5) ? 4 : 3;
  const bool gamma = context_.OutOptions & soGamma;
  if (sources.empty() || (planar && sources.size() < 3)) return {};
  for (unsigned j = 0; j < entries; ++j) {
    uint8_t rgb[3];
    for (unsigned k = 0; k < 3; ++k) {
      const unsigned channel = (!planar && bgrOrder) ? 2 - k : k;
      const uint8_t* p = planar ? sources[k] + size_t(j) * (wide ? 2 : 1)
                                : sources[0] + (size_t(j) * stride + channel) * (wide ? 2 : 1);
      if (wide)
        rgb[k] = PaletteSample16(uint32_t(p[0]) | uint32_t(p[1]) << 8);
      else
        rgb[k] = gamma ? gammaTable_[*p] : *p;
    }
    work[j] = TPaletteEntry{rgb[0], rgb[1], rgb[2], 0};
  }
  TPngPalette palette(work.begin(), work.begin() + entries);
  const uint32_t inMax = (1u << context_.InBits) - 1, m = (1u << context_.OutBits) - 1;
  if (context_.OutBits <= 8 && inMax != m) {
    palette.assign(m + 1, TPaletteEntry{});
    for (uint32_t j = 0; j <= m; ++j) {
      const uint32_t from = j * inMax / m;
      if (from < work.size()) palette[j] = work[from];
    }
  }
  return palette;
}

}  // namespace acpng
