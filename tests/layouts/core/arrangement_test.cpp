#include "layouts/core/arrangement.h"

#include <gtest/gtest.h>

namespace {

struct AlignCase {
  TAlignLine Line;
  int RefPos, RefSize, Size, Expected;
};

TEST(Arrangement, LinesUpWithTheReferenceEdgesAndCentreLine) {
  const AlignCase cases[] = {
      {TAlignLine::Near, 40, 100, 30, 40},
      {TAlignLine::Far, 40, 100, 30, 110},
      {TAlignLine::Centre, 40, 100, 30, 75},
      // Both halves truncate: 40 + 50 - 15 and 40 + 50 - 16.
      {TAlignLine::Centre, 40, 101, 31, 75},
      {TAlignLine::Centre, 40, 101, 32, 74},
      // Toward zero for negative sizes too: -7 / 2 is -3.
      {TAlignLine::Centre, 0, -7, 0, -3},
      {TAlignLine::Far, -20, 10, 50, -60},
  };
  for (const AlignCase& c : cases)
    EXPECT_EQ(AlignedPosition(c.Line, c.RefPos, c.RefSize, c.Size), c.Expected)
        << static_cast<int>(c.Line) << " " << c.RefPos << " " << c.RefSize << " " << c.Size;
}

struct OutermostCase {
  std::vector<int> Values;
  bool Smallest;
  int Expected;
};

TEST(Arrangement, OutermostPrefersTheLastWhenItTiesElseTheEarliest) {
  const OutermostCase cases[] = {
      {{30, 10, 20}, true, 1},
      {{30, 10, 20}, false, 0},
      // The last is among the outermost: it stays the candidate.
      {{10, 20, 10}, true, 2},
      {{50, 20, 50}, false, 2},
      // The last is not outermost: the earliest of the equals wins.
      {{10, 10, 30}, true, 0},
      {{5, 50, 50, 7}, false, 1},
      {{42}, true, 0},
      {{}, true, -1},
  };
  for (const OutermostCase& c : cases)
    EXPECT_EQ(OutermostIndex(c.Values, c.Smallest), c.Expected) << testing::PrintToString(c.Values) << c.Smallest;
}

TEST(Arrangement, CentringPutsTheGroupInTheMiddleWithinOnePixel) {
  struct Case {
    int Low, High, Extent;
  };
  for (const Case c : {Case{10, 60, 200}, Case{150, 181, 200}, Case{-30, 10, 101}, Case{0, 300, 200},
                       Case{7, 8, 9}}) {
    const int start = c.Low - CentringShift(c.Low, c.High, c.Extent);
    const int wanted = (c.Extent - (c.High - c.Low)) / 2;
    EXPECT_LE(std::abs(start - wanted), 1) << c.Low << " " << c.High << " " << c.Extent;
  }
  EXPECT_EQ(CentringShift(10, 60, 200), -65);
  EXPECT_EQ(CentringShift(0, 200, 200), 0);
}

struct SpacingCase {
  std::vector<int> Positions;
  std::vector<int> Expected;
};

TEST(Arrangement, EvenSpacingOrdersByValueAndKeepsTheEnds) {
  const SpacingCase cases[] = {
      {{20, 50, 110}, {20, 65, 110}},
      {{10, 40, 100}, {10, 55, 100}},
      {{0, 12, 20, 31}, {0, 10, 20, 31}},
      {{0, 10, 20, 25}, {0, 8, 16, 25}},
      // Negative and five-digit positions take their real places.
      {{-100, -50, 60}, {-100, -20, 60}},
      {{9000, 9990, 12000}, {9000, 10500, 12000}},
      // Given out of order: the result follows the given order.
      {{110, 20, 50}, {110, 20, 65}},
      // Equal positions keep their order; the step truncates toward zero.
      {{0, 0, 0, 10}, {0, 3, 6, 10}},
      {{-10, -3, 0}, {-10, -5, 0}},
      // Two or fewer: nothing moves.
      {{5, 90}, {5, 90}},
      {{5}, {5}},
      {{}, {}},
  };
  for (const SpacingCase& c : cases)
    EXPECT_EQ(EvenlySpaced(c.Positions), c.Expected) << testing::PrintToString(c.Positions);
}

}  // namespace
