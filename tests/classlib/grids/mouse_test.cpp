// The mouse on a grid: clicking and dragging a selection, sizing columns
// and rows on the fixed cells' edges, and moving columns and rows.
#include <gtest/gtest.h>

#include "grids_test_util.h"

using namespace grids_test;

namespace {

class GridMouse : public ::testing::Test {
protected:
  void SetUp() override {
    grid->SetColCount(6);
    grid->SetRowCount(8);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    for (int col = 0; col < 6; ++col)
      grid->SetCells(col, 0, std::string(1, static_cast<char>('A' + col)));
    for (int row = 0; row < 8; ++row)
      grid->SetCells(0, row, std::to_string(row));
    host.Show();
  }
  POINT CellCentre(int col, int row) { return Center(grid->CellRect(col, row)); }

  GridOnForm<TStringGrid> host;
  TStringGrid* grid = host.grid;
};

TEST_F(GridMouse, AClickMakesACellCurrentAndADragSelectsARange) {
  int clicks = 0;
  grid->OnClick = [&](TObject*) { ++clicks; };
  POINT p = CellCentre(3, 2);
  Click(grid, p.x, p.y);
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(clicks, 1);
  Drag(grid, CellCentre(2, 3), CellCentre(4, 6));
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 4, 6}));
  EXPECT_EQ(grid->Col(), 4);
  EXPECT_EQ(grid->Row(), 6);
  p = CellCentre(0, 4);
  Click(grid, p.x, p.y);
  EXPECT_EQ(grid->Row(), 6) << "a fixed cell is never current";
}

TEST_F(GridMouse, ShiftClickStretchesTheSelection) {
  POINT p = CellCentre(2, 2);
  Click(grid, p.x, p.y);
  p = CellCentre(3, 5);
  Click(grid, p.x, p.y, MK_SHIFT);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 5}));
}

TEST_F(GridMouse, ColumnsAndRowsAreSizedOnTheFixedEdgesOnlyWhenAllowed) {
  TRect b = grid->CellRect(2, 0);
  Drag(grid, POINT{b.right, 10}, POINT{b.right + 30, 10});
  EXPECT_EQ(grid->ColWidths(2), 50) << "goColSizing is off";

  grid->SetOptions(grid->Options() + TGridOptions{goColSizing, goRowSizing});
  Drag(grid, POINT{b.right, 10}, POINT{b.right + 30, 10});
  EXPECT_EQ(grid->ColWidths(2), 80);
  Drag(grid, POINT{b.right + 30, 10}, POINT{b.right - 20, 10});
  EXPECT_EQ(grid->ColWidths(2), 30);

  TRect row3 = grid->CellRect(0, 3);
  Drag(grid, POINT{20, row3.bottom}, POINT{20, row3.bottom + 15});
  EXPECT_EQ(grid->RowHeights(3), 35);
  EXPECT_EQ(grid->RowHeights(2), 20);
  // The same edge in the scrolling cells is a plain selection drag.
  TRect cell = grid->CellRect(3, 4);
  Drag(grid, POINT{cell.right, cell.top + 5}, POINT{cell.right + 30, cell.top + 5});
  EXPECT_EQ(grid->ColWidths(3), 50);
}

TEST_F(GridMouse, DraggingAFixedCellMovesTheColumnWithItsCells) {
  grid->SetOptions(grid->Options() + TGridOptions{goColMoving, goRowMoving});
  grid->SetColWidths(1, 70);
  std::vector<std::pair<int, int>> moved;
  grid->OnColumnMoved = [&](TObject*, int from, int to) { moved.emplace_back(from, to); };
  Drag(grid, CellCentre(1, 0), CellCentre(4, 0));
  EXPECT_EQ(grid->Rows(0)->CommaText(), "0,C,D,E,B,F");
  EXPECT_EQ(grid->ColWidths(4), 70) << "the width goes with the column";
  EXPECT_EQ(moved, (std::vector<std::pair<int, int>>{{1, 4}}));

  Drag(grid, CellCentre(0, 5), CellCentre(0, 2));
  EXPECT_EQ(grid->Cols(0)->CommaText(), "0,1,5,2,3,4,6,7");
}

}  // namespace
