// The cell table of a string grid: Cells, Objects, and the columns and
// rows as string lists.
#include <gtest/gtest.h>

#include "classlib/grids/gridregister.h"
#include "grids_test_util.h"

using namespace grids_test;

namespace {

class StringGridTable : public ::testing::Test {
protected:
  StringGridTable() {
    grid->SetColCount(3);
    grid->SetRowCount(4);
  }
  ~StringGridTable() override { grid->Free(); }
  // The table row by row, cells joined with "|" and rows with "/".
  std::string Table() {
    std::string text;
    for (int row = 0; row < grid->RowCount(); ++row) {
      if (row > 0)
        text += "/";
      for (int col = 0; col < grid->ColCount(); ++col)
        text += (col > 0 ? "|" : "") + grid->Cells(col, row);
    }
    return text;
  }

  TStringGrid* grid = new TStringGrid(nullptr);
  TObject a, b;
};

TEST_F(StringGridTable, CellsAndObjectsAreKeptPerCell) {
  grid->SetCells(0, 0, "Kod");
  grid->SetCells(2, 3, "Fiyat");
  grid->SetObjects(1, 2, &a);
  EXPECT_EQ(Table(), "Kod||/||/||/||Fiyat");
  EXPECT_EQ(grid->Objects(1, 2), &a);
  EXPECT_EQ(grid->Objects(2, 1), nullptr);
  EXPECT_EQ(grid->Cells(5, 9), "") << "out of range reads as empty";
  EXPECT_THROW(grid->SetCells(3, 0, "x"), EInvalidGridOperation);
  EXPECT_THROW(grid->SetObjects(0, -1, &a), EInvalidGridOperation);
}

TEST_F(StringGridTable, RowsAndColsReadAndWriteTheSameCells) {
  grid->SetCells(1, 2, "b");
  grid->SetObjects(1, 2, &b);
  TStrings* row2 = grid->Rows(2);
  TStrings* col1 = grid->Cols(1);
  EXPECT_EQ(row2->Count(), 3);
  EXPECT_EQ(col1->Count(), 4);
  EXPECT_EQ(row2->Strings(1), "b");
  EXPECT_EQ(col1->Strings(2), "b");
  EXPECT_EQ(col1->Objects(2), &b);
  row2->SetStrings(0, "a");
  col1->SetStrings(0, "c");
  col1->SetObjects(3, &a);
  EXPECT_EQ(Table(), "|c|/||/a|b|/||");
  EXPECT_EQ(grid->Objects(1, 3), &a);
  EXPECT_EQ(grid->Rows(2), row2) << "one list per row, kept";
}

TEST_F(StringGridTable, AssigningAListFillsTheLineAndEmptiesTheRest) {
  grid->Rows(1)->SetCommaText("x,y,z");
  TStringList list;
  list.AddObject("bir", &a);
  list.Add("iki");
  grid->SetRows(1, &list);
  EXPECT_EQ(Table(), "||/bir|iki|/||/||");
  EXPECT_EQ(grid->Objects(0, 1), &a);

  TStringList longer;
  longer.SetCommaText("1,2,3,4,5,6");
  grid->SetCols(2, &longer);
  EXPECT_EQ(Table(), "||1/bir|iki|2/||3/||4") << "lines past the column's end are left out";
}

TEST_F(StringGridTable, AddFillsTheFirstEmptyCellAndLinesCannotGrowOrShrink) {
  TStrings* col0 = grid->Cols(0);
  col0->SetStrings(0, "dolu");
  EXPECT_EQ(col0->Add("ilk"), 1);
  EXPECT_EQ(col0->AddObject("ikinci", &b), 2);
  EXPECT_EQ(grid->Objects(0, 2), &b);
  EXPECT_EQ(col0->Add("son"), 3);
  EXPECT_EQ(col0->Add("fazla"), -1) << "no empty cell left";
  EXPECT_THROW(col0->Insert(0, "x"), EInvalidGridOperation);
  EXPECT_THROW(col0->Delete(0), EInvalidGridOperation);
  EXPECT_THROW(col0->Strings(4), EInvalidGridOperation);
  EXPECT_THROW(grid->Rows(4), EInvalidGridOperation);
  col0->Clear();
  EXPECT_EQ(Table(), "||/||/||/||");
  EXPECT_EQ(grid->Objects(0, 2), nullptr);
}

TEST_F(StringGridTable, ResizingKeepsTheCellsThatStay) {
  grid->Rows(0)->SetCommaText("a,b,c");
  grid->Rows(3)->SetCommaText("d,e,f");
  grid->SetColCount(2);
  grid->SetRowCount(5);
  EXPECT_EQ(Table(), "a|b/|/|/d|e/|");
  grid->SetColCount(3);
  EXPECT_EQ(grid->Cells(2, 0), "") << "a cell that went away does not come back";
}

TEST(GridClasses, AreRegisteredAndPublishTheirProperties) {
  RegisterGridControls();
  for (const char* name : {"TDrawGrid", "TStringGrid"}) {
    TClass cls = GetClass(name);
    ASSERT_NE(cls, nullptr) << name;
    TObject* made = cls->Create(TCreateContext{});
    for (const char* prop : {"ColCount", "RowCount", "FixedCols", "FixedRows", "DefaultColWidth",
                             "DefaultRowHeight", "Options", "ScrollBars", "OnDrawCell", "OnSelectCell"})
      EXPECT_NE(GetPropInfo(made, prop), nullptr) << name << "." << prop;
    made->Free();
  }
}

}  // namespace
