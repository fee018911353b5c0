// The paper table in tenths of a millimetre, and the paper and bin codes the
// device receives.
#include <gtest/gtest.h>

#include "reportengine/printer/qrpapers.h"

namespace {

struct PaperCase {
  TQRPaperSize Size;
  int Width;
  int Length;
};

TEST(PaperTable, SizesInTenthsRoundHalvesToEven) {
  const PaperCase cases[] = {
      {TQRPaperSize::Letter, 2159, 2794},     {TQRPaperSize::A4, 2100, 2970},
      {TQRPaperSize::A4Small, 2100, 2970},    {TQRPaperSize::Note, 2159, 2794},
      {TQRPaperSize::Env9, 984, 2254},        {TQRPaperSize::ESheet, 8636, 11176},
      {TQRPaperSize::EnvPersonal, 920, 1651}, {TQRPaperSize::A4Trans, 2970, 2100},
      {TQRPaperSize::Reserved1, 1000, 1000},  {TQRPaperSize::A3ExtraTrans, 4450, 3220},
      {TQRPaperSize::Default, 0, 0},          {TQRPaperSize::Custom, 0, 0},
  };
  for (const PaperCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Size));
    EXPECT_EQ(PaperWidthOf(c.Size), c.Width);
    EXPECT_EQ(PaperLengthOf(c.Size), c.Length);
  }
}

TEST(PaperTable, OnlyTheSixtyEightStandardSizesHaveRows) {
  int rows = 0;
  for (int i = 0; i < QRPaperSizeCount; ++i)
    rows += IsStandardPaperSize(static_cast<TQRPaperSize>(i)) && PaperDimensions(static_cast<TQRPaperSize>(i)).Width > 0;
  EXPECT_EQ(rows, 68);
  EXPECT_FALSE(IsStandardPaperSize(static_cast<TQRPaperSize>(70)));
  EXPECT_EQ(PaperDimensions(static_cast<TQRPaperSize>(200)).Width, 0);
}

TEST(PaperCodes, SizesMapToTheirNumberAndCustomToTheUserCode) {
  EXPECT_EQ(PaperSizeCode(TQRPaperSize::Default), 0);
  EXPECT_EQ(PaperSizeCode(TQRPaperSize::A4), 9);
  EXPECT_EQ(PaperSizeCode(TQRPaperSize::A3ExtraTrans), 68);
  EXPECT_EQ(PaperSizeCode(TQRPaperSize::Custom), 256);

  TQRPaperSize size = TQRPaperSize::Default;
  ASSERT_TRUE(PaperSizeOfCode(256, size));
  EXPECT_EQ(size, TQRPaperSize::Custom);
  ASSERT_TRUE(PaperSizeOfCode(10, size));
  EXPECT_EQ(size, TQRPaperSize::A4Small);
  EXPECT_FALSE(PaperSizeOfCode(69, size));
  EXPECT_EQ(size, TQRPaperSize::A4Small);
}

TEST(BinCodes, EachBinHasItsSourceAndACodeFindsTheFirstBin) {
  const std::pair<TQRBin, int> cases[] = {
      {TQRBin::First, 1},  {TQRBin::Upper, 1},        {TQRBin::Lower, 2},         {TQRBin::Middle, 3},
      {TQRBin::Manual, 4}, {TQRBin::Envelope, 5},     {TQRBin::EnvManual, 6},     {TQRBin::Auto, 7},
      {TQRBin::Tractor, 8}, {TQRBin::SmallFormat, 9}, {TQRBin::LargeFormat, 10}, {TQRBin::LargeCapacity, 11},
      {TQRBin::Cassette, 14}, {TQRBin::Last, 14},
  };
  for (auto [bin, code] : cases)
    EXPECT_EQ(BinCode(bin), code) << static_cast<int>(bin);

  TQRBin bin = TQRBin::Auto;
  ASSERT_TRUE(BinOfCode(1, bin));
  EXPECT_EQ(bin, TQRBin::First);
  ASSERT_TRUE(BinOfCode(14, bin));
  EXPECT_EQ(bin, TQRBin::Cassette);
  EXPECT_FALSE(BinOfCode(12, bin));
  EXPECT_EQ(bin, TQRBin::Cassette);
}

}  // namespace
