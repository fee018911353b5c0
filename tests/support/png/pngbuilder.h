// Builds small PNG files for the reader's tests: chunks with their CRC (zlib's
// crc32, independent of the reader's own), zlib-compressed image data, and
// images given as plain sample rows.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace pngtest {

using Bytes = std::vector<uint8_t>;

void PutBigEndian32(Bytes& out, uint32_t v);
void PutBigEndian16(Bytes& out, uint16_t v);

// One chunk: length, type, data, CRC (the CRC is flipped when corruptCrc).
Bytes Chunk(const std::string& type, const Bytes& data, bool corruptCrc = false);
Bytes IhdrData(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType, uint8_t interlace = 0,
               uint8_t compression = 0, uint8_t filter = 0);
Bytes Signature();
Bytes Zlib(const Bytes& raw);

// An image as PNG sample values: Samples[y][x * channels + c], each below 2^depth.
struct SampleImage {
  uint32_t Width = 0, Height = 0;
  uint8_t Depth = 8, ColourType = 2;
  std::vector<std::vector<uint16_t>> Samples;
  int Channels() const;
};

// Packs one row (or part of a row) of samples into PNG bytes.
Bytes PackRow(const SampleImage& image, const std::vector<uint16_t>& samples);
// The uncompressed image data: every row (or every Adam7 pass row) with the
// given filter type applied, each preceded by its filter byte.
Bytes RawImageData(const SampleImage& image, bool interlaced, uint8_t filter);

// A whole file: signature, IHDR, the extra chunks before the image data, the
// IDAT chunks (data split into IdatParts pieces; none when 0) and IEND.
struct PngParts {
  Bytes Ihdr;
  std::vector<Bytes> BeforeData;  // complete chunks
  Bytes CompressedData;
  int IdatParts = 1;
  std::vector<Bytes> AfterData;  // complete chunks before IEND
};
Bytes Assemble(const PngParts& parts);
Bytes EncodePng(const SampleImage& image, bool interlaced = false, uint8_t filter = 0,
                const std::vector<Bytes>& beforeData = {});

// A deterministic image of the given layout whose samples cover the depth's range.
SampleImage PatternImage(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType, uint32_t seed = 1);

}  // namespace pngtest
