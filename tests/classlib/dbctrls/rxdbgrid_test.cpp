// The grid's column-leaving hook: it runs once each time the current column
// changes, whether by key or by a click on a cell of another record, and not
// when only the record changes.
#include "classlib/dbctrls/rxdbgrid.h"
#include "dbctrls_test_util.h"

namespace {

using namespace dbctrls_test;

class RxDBGridTest : public DataFixture {
protected:
  void SetUp() override {
    DataFixture::SetUp();
    AddRows({{"Ali", 20, true}, {"Berk", 21, false}, {"Can", 22, true}});
    Table->First();
    Grid = Make<TRxDBGrid>(10, 10, 400, 150);
    Grid->SetDataSource(Source);
    Grid->OnColExit = [this](TObject*) { Exits.push_back(Grid->Col()); };
    Focus(Grid);
  }
  void ClickCell(int col, int row) {
    TRect r = Grid->CellRect(col, row);
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(Grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(Grid->Handle(), WM_LBUTTONUP, 0, at);
    Pump();
  }

  TRxDBGrid* Grid = nullptr;
  std::vector<int> Exits;  // the column being left, at each exit
};

TEST_F(RxDBGridTest, ColExitRunsOnceForEachColumnLeft) {
  PressKey(VK_RIGHT);
  EXPECT_EQ(Exits, (std::vector<int>{1}));
  PressKey(VK_DOWN);
  EXPECT_EQ(Name(), "Berk");
  EXPECT_EQ(Exits, (std::vector<int>{1}));
  ClickCell(3, 3);
  EXPECT_EQ(Name(), "Can");
  EXPECT_EQ(Grid->Col(), 3);
  EXPECT_EQ(Exits, (std::vector<int>{1, 2}));
  Grid->SetSelectedIndex(0);
  EXPECT_EQ(Exits, (std::vector<int>{1, 2, 3}));
}

}  // namespace
