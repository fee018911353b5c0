// The in-place editor of a string grid, driven by real key messages: F2,
// Enter and typing open it over the current cell; Enter and the arrows
// write its text back; Esc gives up.
#include <gtest/gtest.h>

#include "classlib/grids/inplaceedit.h"
#include "grids_test_util.h"

using namespace grids_test;

namespace {

class GridEditor : public ::testing::Test {
protected:
  void SetUp() override {
    grid->SetColCount(4);
    grid->SetRowCount(6);
    grid->SetOptions(grid->Options() + TGridOptions{goEditing});
    grid->SetCells(1, 1, "elma");
    grid->SetCells(2, 1, "armut");
    grid->SetCells(1, 2, "erik");
    grid->OnSetEditText = [this](TObject*, int col, int row, const AnsiString& value) {
      written.push_back(std::to_string(col) + "," + std::to_string(row) + "=" + value);
    };
    host.Show();
  }
  TInplaceEdit* Editor() { return grid->InplaceEditor(); }
  bool EditorShown() { return Editor() != nullptr && Editor()->Visible() && IsWindowVisible(Editor()->Handle()); }

  GridOnForm<TStringGrid> host;
  TStringGrid* grid = host.grid;
  std::vector<std::string> written;
};

TEST_F(GridEditor, F2OpensTheEditorOverTheCurrentCellWithItsText) {
  PressKey(VK_F2);
  ASSERT_TRUE(EditorShown());
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(GetFocus(), Editor()->Handle());
  EXPECT_EQ(Editor()->Text(), "elma");
  TRect cell = grid->CellRect(1, 1);
  EXPECT_EQ(Editor()->Left(), cell.left);
  EXPECT_EQ(Editor()->Top(), cell.top);
  EXPECT_EQ(Editor()->Width(), cell.right - cell.left);
  EXPECT_EQ(Editor()->Height(), cell.bottom - cell.top);
}

TEST_F(GridEditor, TypingReplacesTheTextAndEnterWritesItBack) {
  TypeText(L"kiraz");
  ASSERT_TRUE(EditorShown()) << "a typed character opens the editor";
  EXPECT_EQ(Editor()->Text(), "kiraz");
  EXPECT_EQ(grid->Cells(1, 1), "elma") << "nothing written while typing";
  PressKey(VK_RETURN);
  EXPECT_FALSE(EditorShown());
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(1, 1), "kiraz");
  EXPECT_EQ(GetFocus(), grid->Handle()) << "the focus goes back to the grid";
  EXPECT_EQ(written, std::vector<std::string>{"1,1=kiraz"});
}

TEST_F(GridEditor, EnterOpensAndTheArrowKeysCarryTheEditToTheNextCell) {
  PressKey(VK_RETURN);
  ASSERT_TRUE(EditorShown());
  PressKey(VK_END);
  TypeText(L"lar");
  PressKey(VK_DOWN);
  EXPECT_EQ(grid->Cells(1, 1), "elmalar");
  EXPECT_EQ(grid->Row(), 2);
  ASSERT_TRUE(EditorShown()) << "the editor moves along";
  EXPECT_EQ(Editor()->Text(), "erik");
  EXPECT_EQ(Editor()->Top(), grid->CellRect(1, 2).top);
  PressKey(VK_DOWN);  // unchanged: nothing written for row 2
  EXPECT_EQ(written, std::vector<std::string>{"1,1=elmalar"});
}

TEST_F(GridEditor, TheTextReachesTheCellWhenTheFocusLeavesTheGrid) {
  auto* other = new TEdit(host.Form());
  other->SetParent(host.Form());
  other->SetBounds(10, 280, 100, 21);
  TypeText(L"ayva");
  ASSERT_TRUE(EditorShown());
  other->SetFocus();
  Pump();
  EXPECT_EQ(grid->Cells(1, 1), "ayva") << "written before the other control acts";
  EXPECT_EQ(written, std::vector<std::string>{"1,1=ayva"});
  other->SetParent(nullptr);
  other->Free();
}

TEST_F(GridEditor, EscapeGivesUpTheEdit) {
  TypeText(L"xyz");
  ASSERT_TRUE(EditorShown());
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->Cells(1, 1), "elma");
  EXPECT_TRUE(written.empty());
  PressKey(VK_RIGHT);
  EXPECT_EQ(grid->Col(), 2) << "the grid has the keys again";
}

TEST_F(GridEditor, TurkishLettersReachTheCellIn1254) {
  TypeText(L"şığ");
  PressKey(VK_RETURN);
  EXPECT_EQ(grid->Cells(1, 1), "\xFE\xFD\xF0");
}

TEST_F(GridEditor, NoEditorWithoutGoEditingOrWithRowSelect) {
  grid->SetOptions(grid->Options() - TGridOptions{goEditing});
  PressKey(VK_F2);
  TypeText(L"a");
  EXPECT_FALSE(EditorShown());
  grid->SetOptions(grid->Options() + TGridOptions{goEditing, goRowSelect});
  PressKey(VK_F2);
  EXPECT_FALSE(EditorShown());
  EXPECT_EQ(grid->Cells(1, 1), "elma");
}

TEST_F(GridEditor, ClickingTheCurrentCellOpensTheEditorAndAnotherCellMovesThere) {
  Click(grid, Center(grid->CellRect(2, 3)).x, Center(grid->CellRect(2, 3)).y);
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_FALSE(EditorShown());
  Click(grid, Center(grid->CellRect(2, 3)).x, Center(grid->CellRect(2, 3)).y);
  EXPECT_TRUE(EditorShown());
}

TEST_F(GridEditor, OnGetEditTextCanOfferOtherTextThanTheCells) {
  grid->OnGetEditText = [](TObject*, int col, int row, AnsiString& value) { value = "[" + value + "]"; };
  PressKey(VK_F2);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "[elma]");
}

TEST_F(GridEditor, AlwaysShowEditorKeepsItOpenFromCellToCell) {
  grid->SetOptions(grid->Options() + TGridOptions{goAlwaysShowEditor});
  ASSERT_TRUE(EditorShown()) << "open while the grid has the focus";
  EXPECT_EQ(Editor()->Text(), "elma");
  PressKey(VK_DOWN);
  ASSERT_TRUE(EditorShown());
  EXPECT_EQ(Editor()->Text(), "erik");
  PressKey(VK_RETURN);
  EXPECT_TRUE(EditorShown()) << "Enter does not close it";
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(EditorShown()) << "nor does Esc";
}

TEST_F(GridEditor, TheEditorFollowsItsCellWhenTheGridScrolls) {
  grid->SetRowCount(60);
  PressKey(VK_F2);
  ASSERT_TRUE(EditorShown());
  grid->SetTopRow(20);
  EXPECT_FALSE(Editor()->Visible()) << "its cell scrolled out of view";
  EXPECT_TRUE(grid->EditorMode());
  grid->SetTopRow(1);
  EXPECT_TRUE(Editor()->Visible());
  EXPECT_EQ(Editor()->Top(), grid->CellRect(1, 1).top);
}

}  // namespace
