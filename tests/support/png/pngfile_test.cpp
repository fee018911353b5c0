// Reading one PNG file's bytes out of a longer stream.
#include "support/png/pngfile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/png/pngbuilder.h"

using namespace acpng;
using namespace pngtest;

namespace {

// A stream over bytes that counts what was taken from it.
struct CountingSource {
  Bytes Data;
  size_t Taken = 0;
  TPngByteSource Source() {
    return [this](uint8_t* buffer, size_t count) {
      const size_t n = std::min(count, Data.size() - Taken);
      std::copy_n(Data.begin() + ptrdiff_t(Taken), n, buffer);
      Taken += n;
      return n;
    };
  }
};

Bytes Joined(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

// What follows the picture (the rest of a form stream, another picture) is
// never read; a picture cut short gives every byte there was.
TEST(PngFile, ReadsThePictureAndNothingAfterIt) {
  const Bytes png = EncodePng(PatternImage(7, 5, 8, 6), false, 0, {Chunk("tEXt", {'a', 0, 'b'})});
  const Bytes lowerCaseEnd = Joined(Bytes(png.begin(), png.end() - 12), Chunk("iend", {}));
  const Bytes trailer(5000, 0x5A);
  struct Case {
    const char* Name;
    Bytes Stream;
    Bytes Expected;
  } cases[] = {
      {"trailer", Joined(png, trailer), png},
      {"lowerCaseEnd", Joined(lowerCaseEnd, trailer), lowerCaseEnd},
      {"cutShort", Bytes(png.begin(), png.end() - 7), Bytes(png.begin(), png.end() - 7)},
      {"noPng", Joined(Bytes(8, 'x'), trailer), Bytes(8, 'x')},
      {"empty", {}, {}},
  };
  for (Case& c : cases) {
    CountingSource source{c.Stream};
    EXPECT_EQ(ReadPngFile(source.Source()), c.Expected) << c.Name;
    EXPECT_EQ(source.Taken, c.Expected.size()) << c.Name;
  }
}

// A damaged length is believed only as far as the stream really holds bytes.
TEST(PngFile, AHugeChunkLengthReadsOnlyWhatIsThere) {
  Bytes stream = Signature();
  PutBigEndian32(stream, 0x7FFFFFF0);
  stream.insert(stream.end(), {'z', 'T', 'X', 't', 1, 2, 3});
  CountingSource source{stream};
  EXPECT_EQ(ReadPngFile(source.Source()), stream);

  Bytes impossible = Signature();
  PutBigEndian32(impossible, 0x80000000);
  impossible.insert(impossible.end(), {'I', 'D', 'A', 'T', 1, 2, 3});
  CountingSource second{impossible};
  EXPECT_EQ(ReadPngFile(second.Source()), Bytes(impossible.begin(), impossible.begin() + 16));
}
