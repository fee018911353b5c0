// Moving the current cell with real key messages: arrows, pages, Home/End,
// Tab, row selection, range selection and a refused move.
#include <gtest/gtest.h>

#include <vector>

#include "grids_test_util.h"

using namespace grids_test;

namespace {

// 20 columns of 50 and 60 rows of 20 in a 400 x 260 grid with one fixed
// row and column.
class GridKeys : public ::testing::Test {
protected:
  void SetUp() override {
    grid->SetColCount(20);
    grid->SetRowCount(60);
    grid->SetDefaultColWidth(50);
    grid->SetDefaultRowHeight(20);
    host.Show();
    ASSERT_TRUE(grid->Focused());
  }
  // Whether the current cell is wholly inside the client area.
  bool CurrentWhollyVisible() {
    TRect r = grid->CellRect(grid->Col(), grid->Row());
    return r.right > r.left && r.right <= grid->ClientWidth() && r.bottom <= grid->ClientHeight();
  }

  GridOnForm<TDrawGrid> host;
  TDrawGrid* grid = host.grid;
};

TEST_F(GridKeys, ArrowsMoveTheCurrentCellWithinTheScrollingCells) {
  struct {
    WORD key;
    int col, row;
  } steps[] = {
      {VK_RIGHT, 2, 1}, {VK_RIGHT, 3, 1}, {VK_DOWN, 3, 2}, {VK_LEFT, 2, 2},
      {VK_UP, 2, 1},    {VK_UP, 2, 1},    {VK_LEFT, 1, 1}, {VK_LEFT, 1, 1},  // never onto fixed cells
      {VK_END, 19, 1},  {VK_HOME, 1, 1},
  };
  for (const auto& s : steps) {
    PressKey(s.key);
    EXPECT_EQ(grid->Col(), s.col) << "after key " << s.key;
    EXPECT_EQ(grid->Row(), s.row) << "after key " << s.key;
  }
  {
    HeldKeys ctrl{VK_CONTROL};
    PressKey(VK_END);
  }
  EXPECT_EQ(grid->Row(), 59) << "Ctrl+End: the last row";
  EXPECT_TRUE(CurrentWhollyVisible());
  {
    HeldKeys ctrl{VK_CONTROL};
    PressKey(VK_HOME);
  }
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->TopRow(), 1);
}

TEST_F(GridKeys, TheViewFollowsTheCurrentCellDownAndRight) {
  int visibleRows = grid->VisibleRowCount();
  for (int i = 0; i < visibleRows; ++i)
    PressKey(VK_DOWN);
  EXPECT_EQ(grid->Row(), 1 + visibleRows);
  EXPECT_EQ(grid->TopRow(), 2) << "one row scrolled";
  EXPECT_TRUE(CurrentWhollyVisible());
  for (int i = 0; i < 10; ++i)
    PressKey(VK_RIGHT);
  EXPECT_EQ(grid->Col(), 11);
  EXPECT_GT(grid->LeftCol(), 1);
  EXPECT_TRUE(CurrentWhollyVisible());
  // And back: going above the top row scrolls up to it.
  for (int i = 0; i < visibleRows; ++i)
    PressKey(VK_UP);
  EXPECT_EQ(grid->TopRow(), grid->Row());
}

TEST_F(GridKeys, PageDownAndUpMoveByAVisiblePage) {
  int page = grid->VisibleRowCount();
  PressKey(VK_NEXT);
  EXPECT_EQ(grid->Row(), 1 + page);
  EXPECT_EQ(grid->TopRow(), 1 + page);
  EXPECT_TRUE(CurrentWhollyVisible());
  PressKey(VK_NEXT);
  EXPECT_EQ(grid->Row(), 1 + 2 * page);
  EXPECT_TRUE(CurrentWhollyVisible());
  for (int i = 0; i < 10; ++i)
    PressKey(VK_NEXT);
  EXPECT_EQ(grid->Row(), 59) << "stops at the last row";
  EXPECT_TRUE(CurrentWhollyVisible());
  PressKey(VK_PRIOR);
  EXPECT_EQ(grid->Row(), 59 - page);
  EXPECT_TRUE(CurrentWhollyVisible());
}

TEST_F(GridKeys, TabMovesAlongTheRowOnlyWithGoTabs) {
  grid->SetColCount(4);
  PressKey(VK_TAB);
  EXPECT_EQ(grid->Col(), 1) << "without goTabs Tab is not the grid's";

  grid->SetOptions(grid->Options() + TGridOptions{goTabs});
  grid->SetFocus();
  Pump();
  std::vector<std::pair<int, int>> seen;
  for (int i = 0; i < 4; ++i) {
    PressKey(VK_TAB);
    seen.emplace_back(grid->Col(), grid->Row());
  }
  std::vector<std::pair<int, int>> expected{{2, 1}, {3, 1}, {1, 2}, {2, 2}};
  EXPECT_EQ(seen, expected);
  {
    HeldKeys shift{VK_SHIFT};
    PressKey(VK_TAB);
    PressKey(VK_TAB);
  }
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 1) << "Shift+Tab goes back to the previous row";
}

TEST_F(GridKeys, OnSelectCellCanRefuseAMove) {
  std::vector<std::pair<int, int>> asked;
  grid->OnSelectCell = [&](TObject*, int col, int row, bool& canSelect) {
    asked.emplace_back(col, row);
    canSelect = col != 3;  // column 3 is closed
  };
  PressKey(VK_RIGHT);
  EXPECT_EQ(grid->Col(), 2);
  PressKey(VK_RIGHT);
  EXPECT_EQ(grid->Col(), 2) << "refused";
  grid->SetCol(3);
  EXPECT_EQ(grid->Col(), 2) << "refused from code too";
  grid->SetRow(5);
  EXPECT_EQ(grid->Row(), 5);
  std::vector<std::pair<int, int>> expected{{2, 1}, {3, 1}, {3, 1}, {2, 5}};
  EXPECT_EQ(asked, expected);
}

TEST_F(GridKeys, ShiftArrowsStretchTheSelectionWithGoRangeSelect) {
  {
    HeldKeys shift{VK_SHIFT};
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RIGHT);
  }
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 3}));
  PressKey(VK_DOWN);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 4, 2, 4})) << "a plain arrow starts again";

  grid->SetOptions(grid->Options() - TGridOptions{goRangeSelect});
  {
    HeldKeys shift{VK_SHIFT};
    PressKey(VK_DOWN);
  }
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 5, 2, 5})) << "no ranges without goRangeSelect";
}

TEST_F(GridKeys, RowSelectSelectsWholeRows) {
  grid->SetOptions(grid->Options() + TGridOptions{goRowSelect});
  PressKey(VK_DOWN);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 19, 2}));
  {
    HeldKeys shift{VK_SHIFT};
    PressKey(VK_DOWN);
  }
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 19, 3}));
  // Left and right scroll the view instead of moving a current column.
  int col = grid->Col();
  PressKey(VK_RIGHT);
  EXPECT_EQ(grid->Col(), col);
  EXPECT_EQ(grid->LeftCol(), 2);
}

TEST_F(GridKeys, OnTopLeftChangedFiresOncePerScroll) {
  int changes = 0;
  grid->OnTopLeftChanged = [&](TObject*) { ++changes; };
  int page = grid->VisibleRowCount();
  PressKey(VK_NEXT);
  EXPECT_EQ(changes, 1);
  for (int i = 0; i < page - 1; ++i)
    PressKey(VK_DOWN);
  EXPECT_EQ(changes, 1) << "still in view: no scrolling";
  PressKey(VK_DOWN);
  EXPECT_EQ(changes, 2);
  PressKey(VK_UP);
  EXPECT_EQ(changes, 2);
}

TEST_F(GridKeys, TheWheelMovesTheCurrentRowUnlessTheProgramTakesIt) {
  POINT screen = grid->ClientToScreen(Point(50, 50));
  auto wheel = [&](int delta) {
    SendMessageW(grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
  };
  wheel(-WHEEL_DELTA);
  wheel(-WHEEL_DELTA);
  EXPECT_EQ(grid->Row(), 3);
  wheel(WHEEL_DELTA);
  EXPECT_EQ(grid->Row(), 2);
  grid->OnMouseWheel = [](TObject*, TShiftState, int, TPoint, bool& handled) { handled = true; };
  wheel(-WHEEL_DELTA);
  EXPECT_EQ(grid->Row(), 2);
}

// One column of large cells without fixed cells, whole rows selected: the
// preview's page thumbnails.
TEST(ThumbnailGrid, OneColumnWithoutFixedCellsSelectsRowsByKeyAndMouse) {
  GridOnForm<TDrawGrid> host;
  TDrawGrid* grid = host.grid;
  grid->SetColCount(1);
  grid->SetFixedCols(0);
  grid->SetFixedRows(0);
  grid->SetRowCount(10);
  grid->SetDefaultColWidth(90);
  grid->SetDefaultRowHeight(90);
  grid->SetOptions(grid->Options() + TGridOptions{goRowSelect});
  std::vector<int> selected;
  grid->OnSelectCell = [&](TObject*, int col, int row, bool&) {
    EXPECT_EQ(col, 0);
    selected.push_back(row);
  };
  host.Show();
  EXPECT_EQ(grid->Col(), 0);
  EXPECT_EQ(grid->Row(), 0);
  TRect first = grid->CellRect(0, 0);
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(first.top, 0);
  EXPECT_EQ(first.bottom, 90);
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->TopRow(), 2) << "row 3 brought wholly into view (two rows fit)";
  POINT p = Center(grid->CellRect(0, 2));
  Click(grid, p.x, p.y);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(selected, (std::vector<int>{1, 2, 3, 2}));
  EXPECT_EQ(grid->Selection(), (TGridRect{0, 2, 0, 2}));
}

}  // namespace
