// Cell geometry of a grid on the screen: CellRect and MouseToCell with
// fixed rows and columns, custom sizes and scrolling.
#include <gtest/gtest.h>

#include "grids_test_util.h"

using namespace grids_test;

namespace {

// 400 x 260 client, no border, no scroll bars needed unless the test asks.
class GridGeometry : public ::testing::Test {
protected:
  void SetUp() override {
    grid->SetColCount(6);
    grid->SetRowCount(5);
    grid->SetFixedCols(1);
    grid->SetFixedRows(1);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    host.Show();
  }
  GridOnForm<TDrawGrid> host;
  TDrawGrid* grid = host.grid;
};

TEST_F(GridGeometry, CellRectsFollowWidthsHeightsAndLines) {
  grid->SetColWidths(0, 30);
  grid->SetColWidths(2, 70);
  grid->SetRowHeights(1, 35);
  struct {
    int col, row;
    TRect rect;
  } cases[] = {
      {0, 0, {0, 0, 30, 20}},      {1, 0, {31, 0, 81, 20}},     {2, 1, {82, 21, 152, 56}},
      {3, 2, {153, 57, 203, 77}},  {5, 4, {255, 99, 305, 119}}, {0, 4, {0, 99, 30, 119}},
  };
  for (const auto& c : cases) {
    TRect r = grid->CellRect(c.col, c.row);
    EXPECT_EQ(r.left, c.rect.left) << c.col << "," << c.row;
    EXPECT_EQ(r.top, c.rect.top) << c.col << "," << c.row;
    EXPECT_EQ(r.right, c.rect.right) << c.col << "," << c.row;
    EXPECT_EQ(r.bottom, c.rect.bottom) << c.col << "," << c.row;
  }
}

TEST_F(GridGeometry, MouseToCellFindsEveryCellsCornersAndCentre) {
  grid->SetColWidths(3, 15);
  grid->SetRowHeights(2, 9);
  for (int row = 0; row < grid->RowCount(); ++row)
    for (int col = 0; col < grid->ColCount(); ++col) {
      TRect r = grid->CellRect(col, row);
      for (POINT p : {POINT{r.left, r.top}, POINT{r.right - 1, r.bottom - 1}, Center(r)}) {
        int c = -2, rr = -2;
        grid->MouseToCell(p.x, p.y, c, rr);
        EXPECT_EQ(c, col) << "at " << p.x << "," << p.y;
        EXPECT_EQ(rr, row) << "at " << p.x << "," << p.y;
      }
    }
}

TEST_F(GridGeometry, PointsPastTheLastCellAreNoCell) {
  TRect last = grid->CellRect(5, 4);
  int col = 0, row = 0;
  grid->MouseToCell(last.right + 5, 5, col, row);
  EXPECT_EQ(col, -1);
  EXPECT_EQ(row, 0);
  grid->MouseToCell(5, last.bottom + 5, col, row);
  EXPECT_EQ(col, 0);
  EXPECT_EQ(row, -1);
  TRect none = grid->CellRect(6, 0);
  EXPECT_EQ(none.right - none.left, 0) << "out of range";
}

TEST_F(GridGeometry, ScrollingMovesTheCellsButNotTheFixedOnes) {
  grid->SetColCount(30);
  grid->SetRowCount(40);
  Pump();
  TRect fixedCorner = grid->CellRect(0, 0);
  grid->SetTopRow(10);
  grid->SetLeftCol(4);
  EXPECT_EQ(grid->TopRow(), 10);
  EXPECT_EQ(grid->LeftCol(), 4);

  // The first scrolling cell sits right after the fixed ones.
  TRect first = grid->CellRect(4, 10);
  EXPECT_EQ(first.left, 51);
  EXPECT_EQ(first.top, 21);
  // Scrolled out of view: empty.
  TRect gone = grid->CellRect(3, 9);
  EXPECT_EQ(gone.right - gone.left, 0);
  // The fixed cells keep their places; the fixed column shows row 10 where
  // row 1 was.
  TRect corner = grid->CellRect(0, 0);
  EXPECT_EQ(corner.left, fixedCorner.left);
  EXPECT_EQ(corner.bottom, fixedCorner.bottom);
  EXPECT_EQ(grid->CellRect(0, 10).top, 21);
  EXPECT_EQ(grid->CellRect(0, 3).bottom - grid->CellRect(0, 3).top, 0) << "row 3 scrolled away";

  int col = 0, row = 0;
  grid->MouseToCell(60, 30, col, row);
  EXPECT_EQ(col, 4);
  EXPECT_EQ(row, 10);
  grid->MouseToCell(10, 30, col, row);
  EXPECT_EQ(col, 0) << "the fixed column stays under the mouse";
  EXPECT_EQ(row, 10);
}

TEST_F(GridGeometry, ScrollPositionsStayWithinWhatFillsTheGrid) {
  grid->SetColCount(30);
  grid->SetRowCount(40);
  Pump();
  grid->SetTopRow(1000);
  // The last row ends inside the client; one more would leave a gap.
  TRect last = grid->CellRect(1, 39);
  EXPECT_GT(last.bottom, 0);
  EXPECT_LE(last.bottom, grid->ClientHeight());
  EXPECT_LT(grid->ClientHeight() - last.bottom, 21) << "no room for another row";
  grid->SetTopRow(-5);
  EXPECT_EQ(grid->TopRow(), 1) << "never above the fixed rows";
  EXPECT_GT(grid->VisibleRowCount(), 5);
  EXPECT_LT(grid->VisibleRowCount(), 40);
}

TEST_F(GridGeometry, ScrollBarsAppearOnlyWhenTheCellsDoNotFit) {
  LONG_PTR style = GetWindowLongPtrW(grid->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_VSCROLL);
  EXPECT_FALSE(style & WS_HSCROLL);
  grid->SetRowCount(100);
  style = GetWindowLongPtrW(grid->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & WS_HSCROLL);
  grid->SetScrollBars(ssNone);
  style = GetWindowLongPtrW(grid->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_VSCROLL);
  grid->SetScrollBars(ssBoth);
  EXPECT_TRUE(GetWindowLongPtrW(grid->Handle(), GWL_STYLE) & WS_VSCROLL) << "given back";

  // The bar scrolls the rows without moving the current cell.
  SendMessageW(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(grid->TopRow(), 1);
  EXPECT_EQ(grid->Row(), 1);
  SendMessageW(grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  GetScrollInfo(grid->Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, grid->TopRow() - 1);
  EXPECT_EQ(si.nPos, si.nMax - static_cast<int>(si.nPage) + 1) << "at the end of its range";
}

TEST_F(GridGeometry, NewFixedCountsMakeTheFirstScrollingCellCurrent) {
  grid->SetRow(3);
  grid->SetCol(4);
  grid->SetFixedRows(2);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->TopRow(), 2);
  grid->SetFixedCols(0);
  EXPECT_EQ(grid->Col(), 0);
  EXPECT_EQ(grid->LeftCol(), 0);
  EXPECT_EQ(grid->Selection(), (TGridRect{0, 2, 0, 2}));
}

TEST_F(GridGeometry, FixedCountsMustLeaveAScrollingCell) {
  EXPECT_THROW(grid->SetFixedCols(6), EInvalidGridOperation);
  EXPECT_THROW(grid->SetFixedRows(5), EInvalidGridOperation);
  grid->SetRowCount(1);
  EXPECT_EQ(grid->FixedRows(), 0) << "fewer rows take fixed rows away";
  EXPECT_EQ(grid->Row(), 0);
  EXPECT_THROW(grid->ColWidths(6), EInvalidGridOperation);
}

}  // namespace
