// Row converters of the sample converter: each turns Count target pixels of
// one scan line from a source sample layout into a target layout. A rotating
// mask bit (from 0x80 rightwards, one step per target column) picks the target
// columns that receive the next source pixel; the other columns are left as
// they are and consume no source pixel, which is how interlaced passes land in
// their columns.
#pragma once
#include <cstdint>
#include <span>

namespace acpng {

using TSampleOptions = uint8_t;
inline constexpr TSampleOptions soAlpha = 1 << 0;
inline constexpr TSampleOptions soGamma = 1 << 1;            // apply the gamma table (target)
inline constexpr TSampleOptions soSwap16 = 1 << 2;           // 16-bit samples are big-endian (source)
inline constexpr TSampleOptions soLabLByte = 1 << 3;         // L* stored 0..255
inline constexpr TSampleOptions soLabChromaOffset = 1 << 4;  // a*, b* stored with offset 128

// Everything a row converter reads besides the samples themselves.
struct TSampleRowContext {
  uint8_t InBits = 8;
  uint8_t OutBits = 8;
  TSampleOptions InOptions = 0;
  TSampleOptions OutOptions = 0;
  const uint8_t* GammaTable = nullptr;  // 256 entries
  const int32_t* CrToRed = nullptr;     // 256 entries each
  const int32_t* CbToBlue = nullptr;
  const int32_t* CrToGreen = nullptr;
  const int32_t* CbToGreen = nullptr;
};

// Sources: one pointer for interleaved samples, one per plane for planar data.
using TSampleSources = std::span<const uint8_t* const>;
using TRowConverter = void (*)(const TSampleRowContext&, TSampleSources, uint8_t* target, unsigned count,
                               uint8_t mask);

// 16-bit sample to 8 bits: v * 255 div 65535, truncating.
inline uint8_t ScaleSample16(uint32_t v) { return uint8_t(v * 255 / 65535); }

void RgbToBgrRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void RgbToRgbRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void BgrToBgrRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void BgrToRgbRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void GreyRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void IndexRepackRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void Index16Row(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void Index16NarrowRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void IndexWidenRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void CmykToBgrRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void CmykToRgbRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void LabToBgrRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void LabToRgbRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void YCbCrToBgrRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void YCbCrToRgbRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
// PhotoYCC rows differ from YCbCr rows only in the chroma tables they are given.
void PhotoYccToBgrRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);
void PhotoYccToRgbRow(const TSampleRowContext&, TSampleSources, uint8_t*, unsigned, uint8_t);

}  // namespace acpng
