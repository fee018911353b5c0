// Damaged and hostile files: each fails with the reader's own message, never
// with a crash, an endless loop, a huge allocation or a half image as success.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "classlib/system/exceptions.h"
#include "support/png/pngreader.h"
#include "tests/support/png/pngbuilder.h"

using namespace acpng;
using namespace pngtest;

namespace {

const char* const kInvalid = "Cannot load image. Invalid or unexpected PNG image format.";
const char* const kCompression = "Cannot load image. Compression error found in PNG file.";
const char* const kCrc = "Cannot load image. CRC error found in PNG file.";
const char* const kExtra = "Cannot load image. Extra compressed data found in PNG file.";
const char* const kPalette = "Cannot load image. Palette in PNG file is invalid.";
const char* const kColour = "Invalid color format in PNG file.";
const char* const kCompressionScheme = "Cannot load image. The compression scheme is not supported for PNG files.";
const char* const kCritical = "Cannot load PNG image. Unexpected but critical chunk detected.";
const char* const kReadError = "Stream read error";

// The exception class name and message a load raises ("" when it succeeds).
std::pair<std::string, std::string> LoadOutcome(const Bytes& file, size_t size) {
  TPngReader reader;
  TPngImage image;
  try {
    reader.LoadFromMemory(file.data(), size, image);
  } catch (const Exception& e) {
    return {e.ClassName(), e.Message};
  }
  return {"", ""};
}
std::pair<std::string, std::string> LoadOutcome(const Bytes& file) { return LoadOutcome(file, file.size()); }

Bytes SmallRgb() { return EncodePng(PatternImage(3, 2, 8, 2)); }
Bytes RawRows(uint32_t width, uint32_t rows, uint8_t filter) {
  Bytes raw;
  for (uint32_t y = 0; y < rows; ++y) {
    raw.push_back(filter);
    raw.insert(raw.end(), width * 3, uint8_t(y));
  }
  return raw;
}
Bytes WithData(const Bytes& ihdr, const Bytes& compressed, const std::vector<Bytes>& before = {},
               const std::vector<Bytes>& after = {}) {
  PngParts parts;
  parts.Ihdr = ihdr;
  parts.BeforeData = before;
  parts.CompressedData = compressed;
  parts.AfterData = after;
  return Assemble(parts);
}
Bytes Rgb4x4(const Bytes& ihdr) { return WithData(ihdr, Zlib(RawRows(4, 4, 0))); }

// Replaces the 4-byte length of the chunk that starts at offset.
Bytes WithLength(Bytes file, size_t offset, uint32_t length) {
  for (int i = 0; i < 4; ++i) file[offset + size_t(i)] = uint8_t(length >> (24 - 8 * i));
  return file;
}

struct ErrorCase {
  const char* Name;
  std::function<Bytes()> File;
  const char* ClassName;
  const char* Message;
};

class DamagedFile : public testing::TestWithParam<ErrorCase> {};

TEST_P(DamagedFile, FailsWithItsMessage) {
  const ErrorCase& c = GetParam();
  const auto [cls, message] = LoadOutcome(c.File());
  EXPECT_EQ(cls, c.ClassName);
  EXPECT_EQ(message, c.Message);
}

Bytes CorruptByte(Bytes file, size_t offset) {
  file[offset] ^= 0x40;
  return file;
}

const ErrorCase kErrorCases[] = {
    {"BadSignature", [] { return CorruptByte(SmallRgb(), 1); }, "EInvalidGraphic", kInvalid},
    {"ShortSignature", [] { return Bytes{0x89, 0x50, 0x4E}; }, "EReadError", kReadError},
    {"FirstChunkNotIhdr", [] { return CorruptByte(SmallRgb(), 12); }, "EInvalidGraphic", kInvalid},
    {"IhdrCrc", [] { return CorruptByte(SmallRgb(), 29); }, "EInvalidGraphic", kCrc},
    {"IhdrDataCrc", [] { return CorruptByte(SmallRgb(), 20); }, "EInvalidGraphic", kCrc},
    {"IdatCrc", [] { return CorruptByte(SmallRgb(), 41); }, "EInvalidGraphic", kCrc},
    {"IhdrTooShort",
     [] {
       Bytes ihdr = IhdrData(4, 4, 8, 2);
       ihdr.pop_back();
       return Rgb4x4(ihdr);
     },
     "EInvalidGraphic", kInvalid},
    {"IhdrTooLong",
     [] {
       Bytes ihdr = IhdrData(4, 4, 8, 2);
       ihdr.push_back(0);
       return Rgb4x4(ihdr);
     },
     "EInvalidGraphic", kInvalid},
    {"ZeroWidth", [] { return Rgb4x4(IhdrData(0, 4, 8, 2)); }, "EInvalidGraphic", kInvalid},
    {"ZeroHeight", [] { return Rgb4x4(IhdrData(4, 0, 8, 2)); }, "EInvalidGraphic", kInvalid},
    {"WidthAbovePngLimit", [] { return Rgb4x4(IhdrData(0x80000000u, 1, 8, 2)); }, "EInvalidGraphic", kInvalid},
    {"HeightAbovePngLimit", [] { return Rgb4x4(IhdrData(1, 0xFFFFFFFFu, 8, 2)); }, "EInvalidGraphic", kInvalid},
    {"TooManyPixels", [] { return Rgb4x4(IhdrData(100000, 100000, 8, 2)); }, "EInvalidGraphic", kInvalid},
    {"FilterMethod", [] { return Rgb4x4(IhdrData(4, 4, 8, 2, 0, 0, 1)); }, "EInvalidGraphic", kInvalid},
    {"InterlaceMethod", [] { return Rgb4x4(IhdrData(4, 4, 8, 2, 2)); }, "EInvalidGraphic", kInvalid},
    {"CompressionMethod", [] { return Rgb4x4(IhdrData(4, 4, 8, 2, 0, 1)); }, "EInvalidGraphic",
     kCompressionScheme},
    {"ColourType", [] { return Rgb4x4(IhdrData(4, 4, 8, 5)); }, "EInvalidGraphic", kColour},
    {"DepthForColourType", [] { return Rgb4x4(IhdrData(4, 4, 4, 2)); }, "EInvalidGraphic", kColour},
    {"IndexedSixteenBit", [] { return Rgb4x4(IhdrData(4, 4, 16, 3)); }, "EInvalidGraphic", kColour},
    {"BackgroundAndKeyWithDepthZero",
     [] {
       return WithData(IhdrData(4, 4, 0, 0), Zlib(RawRows(4, 4, 0)), {Chunk("bKGD", {0, 1}), Chunk("tRNS", {0, 1})});
     },
     "EInvalidGraphic", kColour},
    {"BackgroundAndKeyWithDepthForty",
     [] {
       return WithData(IhdrData(4, 4, 40, 2), Zlib(RawRows(4, 4, 0)),
                       {Chunk("bKGD", {0, 1, 0, 1, 0, 1}), Chunk("tRNS", {0, 1, 0, 1, 0, 1})});
     },
     "EInvalidGraphic", kColour},
    {"FilterTypeAboveFour", [] { return WithData(IhdrData(4, 4, 8, 2), Zlib(RawRows(4, 4, 5))); },
     "EInvalidGraphic", kInvalid},
    {"MissingIdat", [] { return Assemble(PngParts{IhdrData(4, 4, 8, 2), {}, {}, 0, {}}); }, "EInvalidGraphic",
     kInvalid},
    {"StreamEndsBeforeLastRow", [] { return WithData(IhdrData(4, 4, 8, 2), Zlib(RawRows(4, 3, 0))); },
     "EInvalidGraphic", kCompression},
    {"DataCutBeforeLastRow",
     [] {
       Bytes z = Zlib(RawRows(4, 4, 1));
       z.resize(z.size() / 2);
       return WithData(IhdrData(4, 4, 8, 2), z);
     },
     "EInvalidGraphic", kCompression},
    {"NotZlibData", [] { return WithData(IhdrData(4, 4, 8, 2), Bytes(40, 0xFF)); }, "EInvalidGraphic",
     kCompression},
    {"ExtraCompressedData",
     [] {
       Bytes z = Zlib(RawRows(4, 4, 0));
       z.insert(z.end(), {1, 2, 3});
       return WithData(IhdrData(4, 4, 8, 2), z);
     },
     "EInvalidGraphic", kExtra},
    {"HugeImageWithLittleData", [] { return WithData(IhdrData(10000, 10000, 8, 6), Zlib(RawRows(4, 4, 0))); },
     "EInvalidGraphic", kCompression},
    {"SecondRunOfImageData",
     [] {
       return WithData(IhdrData(4, 4, 8, 2), Zlib(RawRows(4, 4, 0)), {},
                       {Chunk("tEXt", {'a', 0}), Chunk("IDAT", Zlib(RawRows(4, 4, 0)))});
     },
     "EInvalidGraphic", kInvalid},
    {"PaletteLength", [] { return WithData(IhdrData(4, 4, 8, 2), Zlib(RawRows(4, 4, 0)), {Chunk("PLTE", {1, 2})}); },
     "EInvalidGraphic", kPalette},
    {"UnknownCriticalChunk",
     [] { return WithData(IhdrData(4, 4, 8, 2), Zlib(RawRows(4, 4, 0)), {}, {Chunk("IHDR", IhdrData(4, 4, 8, 2))}); },
     "EInvalidGraphic", kCritical},
    {"ChunkLengthAboveLimit", [] { return WithLength(SmallRgb(), 33, 0x80000000u); }, "EInvalidGraphic", kInvalid},
    {"ChunkLengthAllOnes", [] { return WithLength(SmallRgb(), 33, 0xFFFFFFF0u); }, "EInvalidGraphic", kInvalid},
    {"ChunkLengthBeyondFile", [] { return WithLength(SmallRgb(), 33, 5000); }, "EInvalidGraphic", kInvalid},
};

INSTANTIATE_TEST_SUITE_P(PngErrors, DamagedFile, testing::ValuesIn(kErrorCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PngErrors, ShortAncillaryChunksAreIgnored) {
  const Bytes file = WithData(IhdrData(4, 4, 8, 2), Zlib(RawRows(4, 4, 0)),
                              {Chunk("gAMA", {1}), Chunk("bKGD", {1}), Chunk("tRNS", {1})});
  EXPECT_EQ(LoadOutcome(file).first, "");
}

// Where a cut inside the file falls decides the error: inside the signature
// or a chunk's 8-byte header the data simply ends (a read error); inside a
// chunk's data or CRC the chunk claims more bytes than there are.
std::string ExpectedCutError(const Bytes& file, size_t cut) {
  if (cut < 8) return kReadError;
  size_t pos = 8;
  while (pos < file.size()) {
    if (cut < pos + 8) return kReadError;
    const uint32_t length = uint32_t(file[pos]) << 24 | file[pos + 1] << 16 | file[pos + 2] << 8 | file[pos + 3];
    if (cut < pos + 12 + length) return kInvalid;
    pos += 12 + length;
  }
  return "";
}

TEST(PngErrors, FileCutAtEveryByteFails) {
  const Bytes files[] = {
      EncodePng(PatternImage(3, 2, 8, 2), false, 4, {Chunk("gAMA", {0, 1, 0x86, 0xA0}), Chunk("tEXt", {'k', 0})}),
      EncodePng(PatternImage(5, 3, 2, 3), true, 1, {Chunk("PLTE", Bytes(12, 7)), Chunk("tRNS", {1})}),
  };
  for (const Bytes& file : files)
    for (size_t cut = 0; cut < file.size(); ++cut) {
      const auto [cls, message] = LoadOutcome(file, cut);
      EXPECT_EQ(message, ExpectedCutError(file, cut)) << "cut at " << cut;
      EXPECT_EQ(cls, message == kReadError ? "EReadError" : "EInvalidGraphic") << "cut at " << cut;
    }
}

TEST(PngErrors, ImageKeepsWhatWasDecodedBeforeTheError) {
  TPngReader reader;
  TPngImage image;
  const Bytes file = WithData(IhdrData(4, 4, 8, 2), Zlib(RawRows(4, 2, 0)));
  EXPECT_THROW(reader.LoadFromMemory(file.data(), file.size(), image), EInvalidGraphic);
  ASSERT_EQ(image.Height, 4);
  EXPECT_EQ(image.ScanLine(1)[0], 1);
}

TEST(PngErrors, ReaderWorksAgainAfterAnError) {
  TPngReader reader;
  TPngImage image;
  const Bytes bad = WithData(IhdrData(4, 4, 8, 2), Bytes(40, 0xFF));
  EXPECT_THROW(reader.LoadFromMemory(bad.data(), bad.size(), image), EInvalidGraphic);
  const Bytes good = SmallRgb();
  EXPECT_EQ(reader.LoadFromMemory(good.data(), good.size(), image), good.size());
  EXPECT_EQ(image.Width, 3);
}

}  // namespace
