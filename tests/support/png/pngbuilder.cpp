#include "tests/support/png/pngbuilder.h"

#include <cstdlib>
#include <stdexcept>

#include <zlib.h>

namespace pngtest {

void PutBigEndian32(Bytes& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void PutBigEndian16(Bytes& out, uint16_t v) {
  out.push_back(uint8_t(v >> 8));
  out.push_back(uint8_t(v));
}

Bytes Chunk(const std::string& type, const Bytes& data, bool corruptCrc) {
  Bytes out;
  out.reserve(12 + data.size());
  PutBigEndian32(out, uint32_t(data.size()));
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type.data()), 4);
  if (!data.empty()) crc = crc32(crc, data.data(), uInt(data.size()));
  PutBigEndian32(out, uint32_t(crc) ^ (corruptCrc ? 1u : 0u));
  return out;
}

Bytes IhdrData(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType, uint8_t interlace,
               uint8_t compression, uint8_t filter) {
  Bytes d;
  PutBigEndian32(d, width);
  PutBigEndian32(d, height);
  d.insert(d.end(), {depth, colourType, compression, filter, interlace});
  return d;
}

Bytes Signature() { return {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}; }

Bytes Zlib(const Bytes& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  Bytes out(size);
  if (compress2(out.data(), &size, raw.data(), uLong(raw.size()), 6) != Z_OK) throw std::runtime_error("compress2");
  out.resize(size);
  return out;
}

int SampleImage::Channels() const {
  switch (ColourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

Bytes PackRow(const SampleImage& image, const std::vector<uint16_t>& samples) {
  Bytes out;
  if (image.Depth == 16) {
    for (uint16_t v : samples) PutBigEndian16(out, v);
    return out;
  }
  if (image.Depth == 8) {
    for (uint16_t v : samples) out.push_back(uint8_t(v));
    return out;
  }
  const unsigned perByte = 8 / image.Depth;
  out.assign((samples.size() + perByte - 1) / perByte, 0);
  for (size_t i = 0; i < samples.size(); ++i)
    out[i / perByte] |= uint8_t(samples[i] << (8 - image.Depth * (i % perByte + 1)));
  return out;
}

namespace {

int PaethPredict(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Filters one packed row against the previous packed row (empty at the start).
Bytes FilterRow(const Bytes& row, const Bytes& previous, size_t bpp, uint8_t filter) {
  Bytes out{filter};
  for (size_t i = 0; i < row.size(); ++i) {
    const int a = i >= bpp ? row[i - bpp] : 0;
    const int b = previous.empty() ? 0 : previous[i];
    const int c = (i >= bpp && !previous.empty()) ? previous[i - bpp] : 0;
    int predicted = 0;
    switch (filter) {
      case 1: predicted = a; break;
      case 2: predicted = b; break;
      case 3: predicted = (a + b) / 2; break;
      case 4: predicted = PaethPredict(a, b, c); break;
      default: break;
    }
    out.push_back(uint8_t(row[i] - predicted));
  }
  return out;
}

struct Pass {
  uint32_t RowStart, ColumnStart, RowStep, ColumnStep;
};

}  // namespace

Bytes RawImageData(const SampleImage& image, bool interlaced, uint8_t filter) {
  const int channels = image.Channels();
  const size_t bpp = std::max<size_t>(1, size_t(channels) * image.Depth / 8);
  const std::vector<Pass> passes =
      interlaced ? std::vector<Pass>{{0, 0, 8, 8}, {0, 4, 8, 8}, {4, 0, 8, 4}, {0, 2, 4, 4},
                                     {2, 0, 4, 2}, {0, 1, 2, 2}, {1, 0, 2, 1}}
                 : std::vector<Pass>{{0, 0, 1, 1}};
  Bytes raw;
  for (const Pass& p : passes) {
    Bytes previous;
    if (p.ColumnStart >= image.Width) continue;
    for (uint32_t y = p.RowStart; y < image.Height; y += p.RowStep) {
      std::vector<uint16_t> samples;
      for (uint32_t x = p.ColumnStart; x < image.Width; x += p.ColumnStep)
        for (int c = 0; c < channels; ++c) samples.push_back(image.Samples[y][x * channels + c]);
      Bytes row = PackRow(image, samples);
      Bytes filtered = FilterRow(row, previous, bpp, filter);
      raw.insert(raw.end(), filtered.begin(), filtered.end());
      previous = row;
    }
  }
  return raw;
}

Bytes Assemble(const PngParts& parts) {
  Bytes out = Signature();
  auto append = [&](const Bytes& b) { out.insert(out.end(), b.begin(), b.end()); };
  append(Chunk("IHDR", parts.Ihdr));
  for (const Bytes& c : parts.BeforeData) append(c);
  const size_t n = parts.CompressedData.size();
  const int pieces = parts.IdatParts;
  for (int i = 0; i < pieces; ++i) {
    const size_t from = n * size_t(i) / size_t(pieces), to = n * size_t(i + 1) / size_t(pieces);
    append(Chunk("IDAT", Bytes(parts.CompressedData.begin() + ptrdiff_t(from),
                               parts.CompressedData.begin() + ptrdiff_t(to))));
  }
  for (const Bytes& c : parts.AfterData) append(c);
  append(Chunk("IEND", {}));
  return out;
}

Bytes EncodePng(const SampleImage& image, bool interlaced, uint8_t filter, const std::vector<Bytes>& beforeData) {
  PngParts parts;
  parts.Ihdr = IhdrData(image.Width, image.Height, image.Depth, image.ColourType, interlaced ? 1 : 0);
  parts.BeforeData = beforeData;
  parts.CompressedData = Zlib(RawImageData(image, interlaced, filter));
  return Assemble(parts);
}

SampleImage PatternImage(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType, uint32_t seed) {
  SampleImage image;
  image.Width = width;
  image.Height = height;
  image.Depth = depth;
  image.ColourType = colourType;
  const uint32_t max = depth == 16 ? 0xFFFF : (1u << depth) - 1;
  uint32_t state = seed * 2654435761u + 12345;
  image.Samples.resize(height);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width * uint32_t(image.Channels()); ++x) {
      state = state * 1103515245u + 12345u;
      // Mostly smooth with some noise, so every filter has work to do.
      const uint32_t smooth = (x * 7 + y * 13) * (max / 31 + 1);
      image.Samples[y].push_back(uint16_t(((state >> 16) % 4 == 0 ? (state >> 8) : smooth) % (max + 1)));
    }
  return image;
}

}  // namespace pngtest
