#include "support/png/pngreader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "classlib/system/exceptions.h"
#include "support/png/pngcrc.h"
#include "support/png/pngfilters.h"

namespace acpng {
namespace {

const uint8_t kSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kMaxChunkLength = 0x7FFFFFFF;
constexpr uint32_t kMaxDimension = 0x7FFFFFFF;
// Deflate cannot expand one compressed byte into more than 1032 bytes (a
// 258-byte match coded in two bits), so image data needing more than that many
// times the bytes left in the file cannot be there.
constexpr uint64_t kMaxInflateRatio = 1032;

std::string Formatted(const char* pattern, const char* a, const char* b = nullptr) {
  char text[160];
  std::snprintf(text, sizeof text, pattern, a, b);
  return text;
}

[[noreturn]] void RaiseInvalidFormat() {
  throw EInvalidGraphic(Formatted("Cannot load image. Invalid or unexpected %s image format.", "PNG"));
}
[[noreturn]] void RaiseCompressionError() {
  throw EInvalidGraphic(Formatted("Cannot load image. Compression error found in %s file.", "PNG"));
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint16_t BigEndian16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }

// PNG colour type to the converter's scheme and the real channel count.
TSampleScheme SchemeOf(uint8_t colourType) {
  switch (colourType) {
    case 0: return ssGrey;
    case 2: return ssRGB;
    case 3: return ssIndexed;
    case 4: return ssGreyAlpha;
    case 6: return ssRGBA;
    default: return ssUnknown;
  }
}
uint8_t ChannelsOf(uint8_t colourType) {
  switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
  }
}

// Adam7: first row, first column, row step, column step, and the mask that
// places a pass's pixels in their columns of each group of eight.
struct Adam7Pass {
  uint32_t RowStart, ColumnStart, RowStep, ColumnStep;
  uint8_t Mask;
};
const Adam7Pass kPasses[7] = {{0, 0, 8, 8, 0x80}, {0, 4, 8, 8, 0x08}, {4, 0, 8, 4, 0x88}, {0, 2, 4, 4, 0x22},
                              {2, 0, 4, 2, 0xAA}, {0, 1, 2, 2, 0x55}, {1, 0, 2, 1, 0xFF}};

uint8_t NearestPaletteIndex(const TPngPalette& palette, TColor colour) {
  const int r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
  size_t best = 0;
  int bestDistance = 1 << 30;
  for (size_t i = 0; i < palette.size() && i < 256; ++i) {
    const int dr = palette[i].Red - r, dg = palette[i].Green - g, db = palette[i].Blue - b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) bestDistance = d, best = i;
  }
  return uint8_t(best);
}

// Paints rows [first, end) in the background colour, as a fill through the
// bitmap's canvas would.
void FillBackground(TPngImage& image, int first, int end) {
  const int bits = PixelFormatBits(image.PixelFormat);
  const TColor c = image.BackgroundColor;
  std::vector<uint8_t> line(image.Stride, 0);
  if (bits >= 24) {
    const size_t step = size_t(bits / 8);
    for (size_t x = 0; x + 3 <= size_t(image.Width) * step; x += step) {
      line[x] = uint8_t(c >> 16);
      line[x + 1] = uint8_t(c >> 8);
      line[x + 2] = uint8_t(c);
    }
  } else if (bits > 0) {
    const uint8_t index = NearestPaletteIndex(image.Palette, c);
    uint8_t pattern = index;
    if (bits == 4) pattern = uint8_t((index & 0x0F) * 0x11);
    if (bits == 1) pattern = (index & 1) ? 0xFF : 0x00;
    std::fill(line.begin(), line.end(), pattern);
  }
  for (int y = first; y < end; ++y) std::memcpy(image.ScanLine(y), line.data(), image.Stride);
}

// Depths the PNG format knows; others fail later as an invalid colour format.
bool IsPngDepth(uint8_t depth) { return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16; }

// a * b / c rounded to the nearest integer, halves away from zero, as the
// system's MulDiv computes it.
int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t n = int64_t(a) * b, d = c;
  const int64_t q = ((n < 0 ? -n : n) + (d < 0 ? -d : d) / 2) / (d < 0 ? -d : d);
  return int((n < 0) != (d < 0) ? -q : q);
}

}  // namespace

// --- Reading chunks -----------------------------------------------------------

void TPngReader::ReadBytes(void* target, size_t count) {
  if (size_ - position_ < count) throw EReadError("Stream read error");
  std::memcpy(target, data_ + position_, count);
  position_ += count;
}

void TPngReader::BeginChunk() {
  uint8_t raw[8];
  ReadBytes(raw, 8);
  chunk_.Length = BigEndian32(raw);
  std::memcpy(chunk_.Type, raw + 4, 4);
  // The data and its CRC must be in the file: this also keeps every skip going forwards.
  if (chunk_.Length > kMaxChunkLength || uint64_t(chunk_.Length) + 4 > size_ - position_) RaiseInvalidFormat();
  chunkCrc_ = PngCrc32(0, chunk_.Type, 4);
}

void TPngReader::ReadChunkData() {
  chunkData_ = data_ + position_;
  position_ += chunk_.Length;
  uint8_t stored[4];
  ReadBytes(stored, 4);
  chunkCrc_ = PngCrc32(chunkCrc_, chunkData_, chunk_.Length);
  if (chunkCrc_ != BigEndian32(stored))
    throw EInvalidGraphic(Formatted("Cannot load image. CRC error found in %s file.", "PNG"));
}

void TPngReader::SkipChunk() { position_ += size_t(chunk_.Length) + 4; }

bool TPngReader::ChunkIs(const char* type) const {
  for (int i = 0; i < 4; ++i)
    if ((chunk_.Type[i] & ~0x20) != type[i]) return false;
  return true;
}

bool TPngReader::ChunkIsCritical() const { return (chunk_.Type[0] & 0x20) == 0; }

// --- Header scan ----------------------------------------------------------------

bool TPngReader::ParseImageHeader() {
  if (chunk_.Length != 13) return false;
  const uint8_t* d = chunkData_;
  header_.Width = BigEndian32(d);
  header_.Height = BigEndian32(d + 4);
  header_.BitsPerSample = d[8];
  const uint8_t colourType = d[9];
  header_.Compression = d[10] == 0 ? 2 : 0;
  header_.FilterMethod = d[11];
  header_.Interlaced = d[12] != 0;
  header_.ColorScheme = SchemeOf(colourType);
  header_.SamplesPerPixel = ChannelsOf(colourType);
  header_.BitsPerPixel = uint8_t(header_.SamplesPerPixel * header_.BitsPerSample);
  header_.HasAlpha = header_.ColorScheme == ssGreyAlpha || header_.ColorScheme == ssRGBA;
  if (header_.Width == 0 || header_.Height == 0) return false;
  if (header_.Width > kMaxDimension || header_.Height > kMaxDimension) return false;
  if (uint64_t(header_.Width) * header_.Height > MaxPixels) return false;
  return header_.FilterMethod == 0 && d[12] <= 1;
}

bool TPngReader::ScanImageHeader() {
  header_ = TPngHeaderInfo{};
  uint8_t signature[8];
  ReadBytes(signature, 8);
  if (std::memcmp(signature, kSignature, 8) != 0) return false;
  BeginChunk();
  if (!ChunkIs("IHDR")) return false;
  header_.Flags |= TPngHeaderInfo::HeaderRead;
  ReadChunkData();
  if (!ParseImageHeader()) return false;
  for (;;) {
    BeginChunk();
    if (ChunkIs("GAMA")) {
      ReadChunkData();
      if (chunk_.Length >= 4) header_.FileGamma = float(BigEndian32(chunkData_) / 100000.0);
      return true;
    }
    if (ChunkIs("IEND")) return true;
    SkipChunk();
  }
}

// --- The chunk loop -------------------------------------------------------------

size_t TPngReader::LoadFromMemory(const uint8_t* data, size_t size, TPngImage& image) {
  image.Reset();
  data_ = data;
  size_ = data ? size : 0;
  position_ = 0;
  decoder_.reset();
  readPointer_ = nullptr;
  idatLeft_ = 0;
  filterBytesPerPixel_ = 1;
  imageDecoded_ = false;
  hasTransparencyKey_ = false;
  // Every load starts from the converter's initial settings and gamma table
  // (the table itself comes from the converter's cache).
  converter_ = TColorManager();

  if (!ScanImageHeader()) RaiseInvalidFormat();
  position_ = 8;
  progressRect_ = TProgressRect{0, 0, int(header_.Width), 1};
  Progress(psStarting, 0, false, "Preparing...");
  converter_.SetInOptions(soSwap16);
  try {
    LoadChunks(image);
  } catch (...) {
    decoder_.reset();
    Progress(psEnding, 0, false, "");
    throw;
  }
  decoder_->EndInflate();
  decoder_.reset();
  Progress(psEnding, 0, false, "");
  return position_;
}

void TPngReader::LoadChunks(TPngImage& image) {
  BeginChunk();
  ReadChunkData();
  if (header_.Compression != 2)
    throw EInvalidGraphic(
        Formatted("Cannot load image. %s not supported for %s files.", "The compression scheme is", "PNG"));
  decoder_ = std::make_unique<TLZ77Decoder>(Z_PARTIAL_FLUSH, false);
  decoder_->BeginInflate();

  for (;;) {
    BeginChunk();
    if (ChunkIs("IDAT")) {
      // Image data must come in one run of IDAT chunks.
      if (imageDecoded_) RaiseInvalidFormat();
      Progress(psEnding, 0, false, "");
      DecodeImageRows(image);
    } else if (ChunkIs("PLTE")) {
      ReadPalette(image);
      continue;
    } else if (ChunkIs("GAMA")) {
      ReadGamma();
      continue;
    } else if (ChunkIs("BKGD")) {
      ReadBackgroundChunk(image);
      continue;
    } else if (ChunkIs("TRNS")) {
      ReadTransparencyChunk();
      continue;
    }
    // The chunk after the image data, or one this reader does not use.
    SkipChunk();
    if (ChunkIs("IEND")) break;
    if (ChunkIsCritical()) throw EInvalidGraphic("Cannot load PNG image. Unexpected but critical chunk detected.");
  }
  if (!imageDecoded_) RaiseInvalidFormat();
}

void TPngReader::ReadPalette(TPngImage& image) {
  if (chunk_.Length % 3 != 0)
    throw EInvalidGraphic(Formatted("Cannot load image. Palette in %s file is invalid.", "PNG"));
  ReadChunkData();
  if (header_.ColorScheme != ssIndexed) return;
  filterBytesPerPixel_ = SetupSampleFormat(image);
  const uint8_t* source = chunkData_;
  image.Palette = converter_.BuildPaletteFromSamples(TSampleSources(&source, 1), plInterleaved8,
                                                     chunk_.Length / 3, false);
}

void TPngReader::ReadGamma() {
  ReadChunkData();
  if (chunk_.Length < 4) return;
  converter_.ConfigureGamma(float(BigEndian32(chunkData_) / 100000.0), 2.2f);
  converter_.SetOutOptions(converter_.OutOptions() | soGamma);
  header_.Flags |= TPngHeaderInfo::GammaApplied;
}

// The 8-bit level a grey sample of the image's depth shows as: the level of its
// grey palette entry, so 1-, 2- and 4-bit samples are spread over 0..255.
uint8_t TPngReader::GreyLevel(uint32_t sample) const {
  switch (header_.BitsPerSample) {
    case 16: return ScaleSample16(sample);
    case 8: return uint8_t(sample);
    default: {
      const uint32_t max = (1u << header_.BitsPerSample) - 1;
      return uint8_t(std::min(sample, max) * 255 / max);
    }
  }
}

void TPngReader::ReadBackgroundChunk(TPngImage& image) {
  ReadChunkData();
  if (!IsPngDepth(header_.BitsPerSample)) return;
  const uint8_t* d = chunkData_;
  auto sample = [&](int i) -> uint8_t {
    const uint16_t v = BigEndian16(d + 2 * i);
    return header_.BitsPerSample == 16 ? ScaleSample16(v) : uint8_t(v);
  };
  switch (header_.ColorScheme) {
    case ssGrey:
    case ssGreyAlpha:
      if (chunk_.Length >= 2) image.BackgroundColor = GreyLevel(BigEndian16(d)) * 0x010101u;
      break;
    case ssRGB:
    case ssRGBA:
      if (chunk_.Length >= 6) image.BackgroundColor = RGBColor(sample(0), sample(1), sample(2));
      break;
    case ssIndexed:
      // The palette index itself is the colour value; the fill then takes the
      // palette entry nearest to that colour.
      if (chunk_.Length >= 1) image.BackgroundColor = d[0];
      break;
    default: break;
  }
}

void TPngReader::ReadTransparencyChunk() {
  ReadChunkData();
  if (!IsPngDepth(header_.BitsPerSample)) return;
  const uint8_t* d = chunkData_;
  if (header_.ColorScheme == ssGrey && chunk_.Length >= 2) {
    const uint16_t grey = BigEndian16(d);
    // A key outside the depth's range matches no pixel.
    if (header_.BitsPerSample < 8 && grey >= (1u << header_.BitsPerSample)) return;
    transparencyKey_[0] = grey;
    hasTransparencyKey_ = true;
  } else if (header_.ColorScheme == ssRGB && chunk_.Length >= 6) {
    for (int i = 0; i < 3; ++i) transparencyKey_[i] = BigEndian16(d + 2 * i);
    hasTransparencyKey_ = true;
  }
}

// The tRNS key as the colour its pixels have after conversion: the same 16-to-8
// scaling and the same gamma, so keyed pixels of gamma-tagged files still match.
TColor TPngReader::ConvertedKey() const {
  const bool gamma = converter_.OutOptions() & soGamma;
  const auto& table = converter_.GammaTable();
  auto corrected = [&](uint8_t v) { return gamma ? table[v] : v; };
  if (header_.ColorScheme == ssGrey) return corrected(GreyLevel(transparencyKey_[0])) * 0x010101u;
  auto sample = [&](int i) -> uint8_t {
    const uint16_t v = transparencyKey_[i];
    return corrected(header_.BitsPerSample == 16 ? ScaleSample16(v) : uint8_t(v));
  };
  return RGBColor(sample(0), sample(1), sample(2));
}

int TPngReader::SetupSampleFormat(TPngImage& image) {
  const uint8_t depth = header_.BitsPerSample;
  auto invalid = [] { throw EInvalidGraphic(Formatted("Invalid color format in %s file.", "PNG")); };
  auto configure = [&](TSampleScheme in, uint8_t inSamples, TSampleScheme out, uint8_t outSamples,
                       uint8_t outBits) {
    converter_.SetInScheme(in);
    converter_.SetInSamples(inSamples);
    converter_.SetInBits(depth);
    converter_.SetOutScheme(out);
    converter_.SetOutSamples(outSamples);
    converter_.SetOutBits(outBits);
    image.PixelFormat = converter_.PixelFormatFor(1);
  };
  switch (header_.ColorScheme) {
    case ssGrey:
      if (depth != 1 && depth != 2 && depth != 4 && depth != 8 && depth != 16) invalid();
      configure(ssGrey, 1, ssGrey, 1, depth == 2 ? 4 : depth == 16 ? 8 : depth);
      image.Palette = converter_.BuildGreyPalette(false);
      return (depth + 7) / 8;
    case ssRGB:
      if (depth != 8 && depth != 16) invalid();
      configure(ssRGB, 3, ssBGR, 3, 8);
      return depth * 3 / 8;
    case ssIndexed:
      if (depth != 1 && depth != 2 && depth != 4 && depth != 8) invalid();
      configure(ssIndexed, 1, ssIndexed, 1, depth == 2 ? 4 : depth);
      return 1;
    case ssGreyAlpha:
      if (depth != 8 && depth != 16) invalid();
      configure(ssGreyAlpha, 1, ssIndexed, 1, 8);
      image.Palette = converter_.BuildGreyPalette(false);
      return depth * 2 / 8;
    case ssRGBA:
      if (depth != 8 && depth != 16) invalid();
      configure(ssRGBA, 4, ssBGRA, 4, 8);
      return depth * 4 / 8;
    default: invalid();
  }
  return 1;
}

// --- Image rows -----------------------------------------------------------------

void TPngReader::CheckImageDataCanFill() const {
  const uint64_t imageBytes = uint64_t(header_.Width) * header_.Height * header_.BitsPerPixel / 8;
  if (imageBytes > uint64_t(size_ - position_ + 8) * kMaxInflateRatio) RaiseCompressionError();
}

void TPngReader::DecodeImageRows(TPngImage& image) {
  Progress(psStarting, 0, false, "Transfering...");
  if (image.PixelFormat == pfDevice) filterBytesPerPixel_ = SetupSampleFormat(image);
  CheckImageDataCanFill();

  TPngPalette palette = std::move(image.Palette);
  image.Allocate(image.PixelFormat, int(header_.Width), int(header_.Height));
  image.Palette = std::move(palette);
  // An interlaced image shows the background wherever its passes have not
  // reached yet, so it is painted first; a progressive one only where the
  // rows stop early (DecodeProgressive).
  if (header_.Interlaced) FillBackground(image, 0, image.Height);
  if (hasTransparencyKey_) {
    image.TransparentColor = ConvertedKey();
    image.Transparent = true;
  }
  imageDecoded_ = true;

  const uint64_t pngRowBits = uint64_t(header_.Width) * header_.SamplesPerPixel * header_.BitsPerSample;
  if (header_.Interlaced)
    DecodeInterlaced(image, pngRowBits);
  else
    DecodeProgressive(image, pngRowBits);

  while (ChunkIs("IDAT")) {
    ReadChunkData();
    BeginChunk();
  }
}

void TPngReader::DecodeRow(uint8_t* row, uint8_t* previous, size_t rowSize, uint8_t* scanLine, uint8_t mask) {
  InflateScanline(row, rowSize);
  if (!ReverseRowFilter(row[0], row + 1, previous + 1, size_t(filterBytesPerPixel_), rowSize - 1))
    RaiseInvalidFormat();
  const uint8_t* source = row + 1;
  converter_.ConvertSamples(TSampleSources(&source, 1), scanLine, header_.Width, mask);
}

void TPngReader::DecodeProgressive(TPngImage& image, uint64_t pngRowBits) {
  const size_t rowSize = size_t((pngRowBits + 7) / 8) + 1;
  rowA_.assign(rowSize, 0);
  rowB_.assign(rowSize, 0);
  uint8_t* row = rowA_.data();
  uint8_t* previous = rowB_.data();
  const int height = int(header_.Height);
  int y = 0;
  try {
    for (; y < height; ++y) {
      DecodeRow(row, previous, rowSize, image.ScanLine(y), 0xFF);
      std::swap(row, previous);
      Progress(psRunning, MulDiv(y, 100, height), true, "");
    }
  } catch (...) {
    // Decoding stopped early (damaged or cut-off data): the rows not reached
    // show the background, as if the whole bitmap had been filled first.
    FillBackground(image, y, height);
    throw;
  }
}

void TPngReader::DecodeInterlaced(TPngImage& image, uint64_t pngRowBits) {
  const size_t fullRowSize = size_t((pngRowBits + 7) / 8) + 1;
  rowA_.assign(fullRowSize, 0);
  rowB_.assign(fullRowSize, 0);
  const uint64_t bitsPerPixel = uint64_t(header_.SamplesPerPixel) * header_.BitsPerSample;
  const uint32_t width = header_.Width, height = header_.Height;
  for (int pass = 0; pass < 7; ++pass) {
    const Adam7Pass& p = kPasses[pass];
    if (width <= p.ColumnStart) continue;
    const uint64_t passWidth = (uint64_t(width) + p.ColumnStep - p.ColumnStart - 1) / p.ColumnStep;
    const size_t rowSize = size_t((passWidth * bitsPerPixel + 7) / 8) + 1;
    std::fill(rowB_.begin(), rowB_.begin() + ptrdiff_t(rowSize), 0);
    uint8_t* row = rowA_.data();
    uint8_t* previous = rowB_.data();
    for (uint32_t y = p.RowStart; y < height; y += p.RowStep) {
      DecodeRow(row, previous, rowSize, image.ScanLine(int(y)), p.Mask);
      std::swap(row, previous);
      if (pass == 6) Progress(psRunning, MulDiv(int(y + p.RowStep), 100, int(height)), true, "");
    }
  }
}

void TPngReader::InflateScanline(uint8_t* buffer, size_t count) {
  uint8_t* target = buffer;
  size_t left = count;
  while (left > 0) {
    while (idatLeft_ == 0) {
      // A row that the image data cannot fill: the data ends before the image.
      if (!ChunkIs("IDAT")) RaiseCompressionError();
      ReadChunkData();
      readPointer_ = chunkData_;
      idatLeft_ = chunk_.Length;
      BeginChunk();
    }
    if (decoder_->ZLibResult() != Z_OK) RaiseCompressionError();
    const uint8_t* before = readPointer_;
    uint8_t* targetBefore = target;
    decoder_->InflateInto(readPointer_, target, idatLeft_, left);
    idatLeft_ -= size_t(readPointer_ - before);
    left -= size_t(target - targetBefore);
    const int result = decoder_->ZLibResult();
    if (result == Z_STREAM_END) {
      if (left > 0) RaiseCompressionError();
      if (idatLeft_ > 0)
        throw EInvalidGraphic(Formatted("Cannot load image. Extra compressed data found in %s file.", "PNG"));
    } else if (result != Z_OK) {
      RaiseCompressionError();
    }
  }
}

void TPngReader::Progress(TProgressStage stage, int percent, bool redraw, const char* message) {
  if (progress_) progress_(stage, percent, redraw, progressRect_, message);
  if (stage == psRunning) {
    ++progressRect_.Top;
    ++progressRect_.Bottom;
  }
}

}  // namespace acpng
