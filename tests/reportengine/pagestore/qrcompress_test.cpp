#include "reportengine/qrcompress.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

using Bytes = std::vector<std::uint8_t>;

// Decodes count bytes of coded followed by a trailer that belongs to
// something else; used receives the coded bytes the decoder took.
Bytes DecodeBeforeTrailer(const Bytes& coded, std::size_t count, std::size_t& used) {
  Bytes in = coded;
  in.insert(in.end(), {'T', 'A', 'I', 'L', 0xAA, 0xBB, 0xCC, 0xDD, 0xEE});
  Bytes out(count);
  used = 0;
  EXPECT_TRUE(QRExpandBlock(in.data(), in.size(), count, out.data(), &used));
  return out;
}

struct Coding {
  Bytes Input;
  Bytes Coded;
};

}  // namespace

// Codings worked out by hand from the tree's initial shape: byte 0 is seven
// left steps and one right step; "abc" needs 8 + 5 + 6 bits, the last byte
// being the destructor's flush; a repeated letter takes 8, 4, 2, 1 bits;
// 255 sits one level deeper than every other byte.
TEST(QRCompress, KnownCodings) {
  const Coding cases[] = {
      {{0x00}, {0x80}},
      {{0x61, 0x62, 0x63}, {0x46, 0x3D, 0x01}},
      {{0x41, 0x41, 0x41, 0x41}, {0x42, 0x47}},
      {{0xFF}, {0x00, 0x00}},
      {{'H', 'e', 'l', 'l', 'o'}, {0x92, 0x61, 0x5A, 0x54, 0x00}},
      {{}, {}},
  };
  for (const Coding& c : cases) {
    EXPECT_EQ(QRCompressBlock(c.Input.data(), c.Input.size()), c.Coded);
    std::size_t used = 0;
    EXPECT_EQ(DecodeBeforeTrailer(c.Coded, c.Input.size(), used), c.Input);
    EXPECT_EQ(used, c.Coded.size());
  }
}

TEST(QRCompress, AllByteValuesInOrder) {
  Bytes input(256);
  for (int i = 0; i < 256; ++i)
    input[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  const Bytes coded = QRCompressBlock(input.data(), input.size());
  ASSERT_EQ(coded.size(), 187u);
  const Bytes head(coded.begin(), coded.begin() + 8);
  EXPECT_EQ(head, (Bytes{0x80, 0x17, 0x2B, 0x0B, 0x05, 0x58, 0xA0, 0x10}));

  // The decoder takes exactly the coded bytes, not the trailer after them.
  std::size_t used = 0;
  EXPECT_EQ(DecodeBeforeTrailer(coded, 256, used), input);
  EXPECT_EQ(used, 187u);
}

TEST(QRCompress, RoundTripsAnyLengthAndStopsAtTheEnd) {
  std::mt19937 random(1234);
  for (std::size_t length : {1u, 2u, 7u, 8u, 9u, 100u, 4096u, 50000u}) {
    Bytes input(length);
    // Skewed data, like metafile records: many zeros and small values.
    for (auto& b : input)
      b = static_cast<std::uint8_t>(random() % 5 == 0 ? random() : random() % 4);
    const Bytes coded = QRCompressBlock(input.data(), input.size());
    std::size_t used = 0;
    EXPECT_EQ(DecodeBeforeTrailer(coded, length, used), input) << "length " << length;
    EXPECT_EQ(used, coded.size()) << "length " << length;

    Bytes block(length);
    ASSERT_TRUE(QRExpandBlock(coded.data(), coded.size(), length, block.data()));
    EXPECT_EQ(block, input);
  }
}

TEST(QRCompress, BlockDecoderReportsCodedBytesRunningOut) {
  const Bytes input(1000, 0x42);
  const Bytes coded = QRCompressBlock(input.data(), input.size());
  Bytes out(input.size());
  EXPECT_FALSE(QRExpandBlock(coded.data(), coded.size() - 1, input.size(), out.data()));
  EXPECT_FALSE(QRExpandBlock(coded.data(), 0, 1, out.data()));
}

// A recorded A4 sheet of 21 labels (the page benchmark's sample): deep and
// shallow codes, long runs, the tree reshaped all the way down.
TEST(QRCompress, RecordedLabelSheetRoundTrips) {
  const char* folder = std::getenv("DOZURI_TEST_DATA");
  ASSERT_NE(folder, nullptr);
  std::ifstream in(std::string(folder) + "/../../../bench/data/labelsheet-a4.emf", std::ios::binary);
  const Bytes page((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(page.size(), 100000u);
  const Bytes coded = QRCompressBlock(page.data(), page.size());
  EXPECT_LT(coded.size(), page.size() / 2);
  std::size_t used = 0;
  EXPECT_EQ(DecodeBeforeTrailer(coded, page.size(), used), page);
  EXPECT_EQ(used, coded.size());
}
