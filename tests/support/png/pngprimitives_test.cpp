// The reader's building blocks: chunk CRC, the inflate wrapper, row filters.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "classlib/system/exceptions.h"
#include "support/png/lz77decoder.h"
#include "support/png/pngcrc.h"
#include "support/png/pngfilters.h"
#include "tests/support/png/pngbuilder.h"

using namespace acpng;

namespace {

TEST(PngCrc32, MatchesKnownValues) {
  EXPECT_EQ(PngCrc32(0, "IEND", 4), 0xAE426082u);
  EXPECT_EQ(PngCrc32(0, "123456789", 9), 0xCBF43926u);
  EXPECT_EQ(PngCrc32(0, "", 0), 0u);
  EXPECT_EQ(PngCrc32(0x12345678, nullptr, 10), 0u);
}

TEST(PngCrc32, ContinuesAcrossPiecesOfEveryLength) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += char('a' + i * 7 % 26);
  const uint32_t whole = PngCrc32(0, text.data(), text.size());
  for (size_t split = 0; split <= text.size(); ++split)
    EXPECT_EQ(PngCrc32(PngCrc32(0, text.data(), split), text.data() + split, text.size() - split), whole) << split;
}

TEST(LZ77Decoder, InflatesInPiecesAndReportsWhatIsLeft) {
  std::vector<uint8_t> plain(1000);
  for (size_t i = 0; i < plain.size(); ++i) plain[i] = uint8_t(i * i);
  const std::vector<uint8_t> packed = pngtest::Zlib(plain);
  TLZ77Decoder decoder(Z_PARTIAL_FLUSH, false);
  decoder.BeginInflate();
  std::vector<uint8_t> out(plain.size() + 10);
  const uint8_t* source = packed.data();
  uint8_t* target = out.data();
  decoder.InflateInto(source, target, 10, 100);  // a little input at a time
  EXPECT_EQ(decoder.ZLibResult(), Z_OK);
  EXPECT_EQ(source - packed.data(), 10 - ptrdiff_t(decoder.InputLeft()));
  decoder.InflateInto(source, target, size_t(packed.data() + packed.size() - source), size_t(out.data() + out.size() - target));
  EXPECT_EQ(decoder.ZLibResult(), Z_STREAM_END);
  EXPECT_EQ(decoder.OutputLeft(), 10u);
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + ptrdiff_t(plain.size())), plain);
  // Once the stream has ended, further calls do nothing.
  uint8_t* before = target;
  decoder.InflateInto(source, target, 5, 5);
  EXPECT_EQ(target, before);
  decoder.EndInflate();
}

TEST(LZ77Decoder, AutoResetStartsTheNextStream) {
  const std::vector<uint8_t> a = pngtest::Zlib({1, 2, 3}), b = pngtest::Zlib({4, 5});
  std::vector<uint8_t> both = a;
  both.insert(both.end(), b.begin(), b.end());
  TLZ77Decoder decoder(Z_NO_FLUSH, true);
  decoder.BeginInflate();
  std::vector<uint8_t> out(5);
  const uint8_t* source = both.data();
  uint8_t* target = out.data();
  decoder.InflateInto(source, target, a.size(), 5);
  EXPECT_EQ(decoder.ZLibResult(), Z_OK);
  decoder.InflateInto(source, target, b.size(), 2);
  EXPECT_EQ(out, (std::vector<uint8_t>{1, 2, 3, 4, 5}));
}

TEST(LZ77Decoder, DamagedDataStopsTheDecoder) {
  TLZ77Decoder decoder(Z_PARTIAL_FLUSH, false);
  decoder.BeginInflate();
  const std::vector<uint8_t> junk(16, 0xFF);
  std::vector<uint8_t> out(16);
  const uint8_t* source = junk.data();
  uint8_t* target = out.data();
  decoder.InflateInto(source, target, junk.size(), out.size());
  EXPECT_EQ(decoder.ZLibResult(), Z_DATA_ERROR);
}

struct FilterCase {
  uint8_t Filter;
  std::vector<uint8_t> Row, Previous, Expected;
  size_t Bpp;
};

TEST(ReverseRowFilter, UndoesEachFilter) {
  const FilterCase cases[] = {
      {0, {1, 2, 3}, {9, 9, 9}, {1, 2, 3}, 1},
      {1, {1, 2, 3, 4}, {0, 0, 0, 0}, {1, 2, 4, 6}, 2},
      {2, {1, 2, 255}, {10, 20, 2}, {11, 22, 1}, 1},
      {3, {1, 2, 3}, {10, 21, 4}, {6, 15, 12}, 1},  // 1+10/2, 2+(6+21)/2, 3+(15+4)/2
      {4, {1, 2, 3}, {10, 20, 30}, {11, 22, 33}, 1},
      {4, {5, 0, 0}, {0, 3, 0}, {5, 5, 3}, 1},      // Paeth(5,3,0) -> left 5; Paeth(5,0,3) -> upper-left 3
      {4, {0, 1, 1}, {7, 7, 1}, {7, 8, 2}, 1},      // Paeth(7,7,7): tie -> left; Paeth(8,1,7) -> above
  };
  for (const FilterCase& c : cases) {
    std::vector<uint8_t> row = c.Row;
    EXPECT_TRUE(ReverseRowFilter(c.Filter, row.data(), c.Previous.data(), c.Bpp, row.size()));
    EXPECT_EQ(row, c.Expected) << "filter " << int(c.Filter);
  }
}

TEST(ReverseRowFilter, RefusesFilterTypesAboveFour) {
  std::vector<uint8_t> row{1, 2, 3};
  const std::vector<uint8_t> previous{4, 5, 6};
  for (int f : {5, 6, 255}) {
    EXPECT_FALSE(ReverseRowFilter(uint8_t(f), row.data(), previous.data(), 1, row.size()));
    EXPECT_EQ(row, (std::vector<uint8_t>{1, 2, 3}));
  }
}

}  // namespace
