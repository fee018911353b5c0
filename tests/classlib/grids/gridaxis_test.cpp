// The geometry of one grid direction, without windows.
#include "classlib/grids/gridaxis.h"

#include <gtest/gtest.h>

namespace {

// Cells 30, 20, 40, 50, 10 wide; cell 0 fixed; scrolled to cell 2; lines
// of one pixel; a client 100 pixels wide.
class MixedAxis : public ::testing::Test {
protected:
  std::vector<int> extents{30, 20, 40, 50, 10};
  TGridAxis axis{extents, 1, 2, 1, 100};
};

TEST_F(MixedAxis, CellsStartAfterTheFixedOnesAndTheirLines) {
  const struct {
    int cell, start;
  } cases[] = {{0, 0}, {1, -1}, {2, 31}, {3, 72}, {4, -1}, {5, -1}, {-1, -1}};
  for (const auto& c : cases)
    EXPECT_EQ(axis.CellStart(c.cell), c.start) << "cell " << c.cell;
  EXPECT_EQ(axis.FixedBoundary(), 31);
}

TEST_F(MixedAxis, PositionsFallInTheCellWhoseLineFollowsThem) {
  const struct {
    int position, cell;
  } cases[] = {{0, 0}, {29, 0}, {30, 0}, {31, 2}, {70, 2}, {71, 2}, {72, 3}, {99, 3}, {100, -1}, {-1, -1}};
  for (const auto& c : cases)
    EXPECT_EQ(axis.CellAt(c.position), c.cell) << "position " << c.position;
}

TEST_F(MixedAxis, VisibleCellsAndScrollLimits) {
  EXPECT_EQ(axis.LastVisible(), 3);
  EXPECT_EQ(axis.LastFullVisible(), 2);
  EXPECT_EQ(axis.VisibleCount(), 1);
  EXPECT_EQ(axis.MaxFirst(), 3) << "cells 3 and 4 fill the 69 pixels after the fixed cell";
  EXPECT_EQ(axis.FirstToShowLast(4), 3);
  EXPECT_EQ(axis.FirstToShowLast(2), 1);
  EXPECT_EQ(axis.PageForward(), 3);
  EXPECT_EQ(axis.PageBack(), 1);
}

struct UniformCase {
  int count, fixed, first, line, client;
  int visibleCount, lastFull, maxFirst, pageForward, pageBack;
};

TEST(UniformAxis, PagesAndLimitsFollowTheRoomLeft) {
  const UniformCase cases[] = {
      // ten cells of 25 in 100 pixels, no lines: four per page
      {10, 0, 0, 0, 100, 4, 3, 6, 4, 0},
      {10, 0, 5, 0, 100, 4, 8, 6, 6, 1},
      // one fixed cell and one-pixel lines: 74 pixels hold two cells of 25 + 1
      {10, 1, 1, 1, 100, 2, 2, 8, 3, 1},
      {10, 1, 8, 1, 100, 2, 9, 8, 8, 6},
      // everything fits: no scrolling
      {3, 1, 1, 1, 100, 2, 2, 1, 1, 1},
      // a client smaller than one cell still has a current cell
      {10, 0, 4, 0, 10, 1, 4, 9, 5, 3},
  };
  for (const UniformCase& c : cases) {
    std::vector<int> extents(c.count, 25);
    TGridAxis axis(extents, c.fixed, c.first, c.line, c.client);
    SCOPED_TRACE("fixed " + std::to_string(c.fixed) + " first " + std::to_string(c.first) + " client " +
                 std::to_string(c.client));
    EXPECT_EQ(axis.VisibleCount(), c.visibleCount);
    EXPECT_EQ(axis.LastFullVisible(), c.lastFull);
    EXPECT_EQ(axis.MaxFirst(), c.maxFirst);
    EXPECT_EQ(axis.PageForward(), c.pageForward);
    EXPECT_EQ(axis.PageBack(), c.pageBack);
  }
}

}  // namespace
