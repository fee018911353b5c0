// TDBGrid over an in-memory table: the row follows the current record and
// moves it, typed keys edit and post, DisableControls repaints once, columns,
// boolean cells, delete confirmation and cell clicks.
#include <algorithm>

#include "classlib/dbctrls/dbgrid.h"
#include "classlib/dbctrls/picklistedit.h"
#include "classlib/forms/dialogtexts.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/grids/inplaceedit.h"
#include "dbctrls_test_util.h"

namespace {

using namespace dbctrls_test;

// Counts the times the grid paints itself.
class TCountingGrid : public TDBGrid {
public:
  explicit TCountingGrid(TComponent* AOwner) : TDBGrid(AOwner) {}
  int Paints = 0;

protected:
  void Paint() override {
    ++Paints;
    TDBGrid::Paint();
  }
};

class DBGridTest : public DataFixture {
protected:
  TCountingGrid* MakeGrid() {
    auto* grid = Make<TCountingGrid>(10, 10, 420, 200);
    grid->SetDataSource(Source);
    Pump();
    return grid;
  }
  void Rows(int count) {
    static const char* const names[] = {"Ali", "Berk", "Can", "Deniz", "Ece", "Fatma", "Gül", "Hakan"};
    for (int i = 0; i < count; ++i)
      AddRows({{names[i % 8], 20 + i, i % 2 == 0}});
    Table->First();
  }
  static POINT Center(const TRect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  void ClickCell(TDBGrid* grid, int col, int row) {
    POINT p = Center(grid->CellRect(col, row));
    PostMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageW(grid->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Pump();
  }
};

TEST_F(DBGridTest, ShowsOneColumnPerFieldAndFollowsTheCurrentRecord) {
  Rows(3);
  TDBGrid* grid = MakeGrid();
  ASSERT_EQ(grid->VisibleColumnCount(), 3);
  EXPECT_EQ(grid->VisibleColumns(0)->Title()->Caption(), "NAME");
  EXPECT_EQ(grid->VisibleColumns(2)->Field(), Table->FieldByName("ACTIVE"));
  EXPECT_EQ(grid->ColCount(), 4);  // the indicator and three fields
  EXPECT_EQ(grid->RowCount(), 4);  // the titles and three records
  EXPECT_EQ(grid->Row(), 1);
  Table->Next();
  EXPECT_EQ(grid->Row(), 2);
  Table->Last();
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->SelectedField(), Table->FieldByName("NAME"));
  grid->SetSelectedField(Table->FieldByName("AGE"));
  EXPECT_EQ(grid->SelectedIndex(), 1);
  EXPECT_EQ(grid->SelectedField(), Table->FieldByName("AGE"));
}

TEST_F(DBGridTest, ShowsOnlyTheRecordsThatFitAndScrollsWithTheDataSet) {
  Rows(40);
  TDBGrid* grid = MakeGrid();
  const int shown = grid->RowCount() - 1;
  ASSERT_GT(shown, 3);
  ASSERT_LT(shown, 40);
  EXPECT_EQ(grid->DataLink().BufferCount(), shown);
  Table->Last();
  EXPECT_EQ(grid->Row(), shown);
  Table->First();
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(DBGridTest, KeysMoveTheDataSet) {
  Rows(5);
  TDBGrid* grid = MakeGrid();
  Focus(grid);
  PressKey(VK_DOWN);
  EXPECT_EQ(Name(), "Berk");
  PressKey(VK_DOWN);
  EXPECT_EQ(Name(), "Can");
  PressKey(VK_UP);
  EXPECT_EQ(Name(), "Berk");
  {
    HeldKeys ctrl{VK_CONTROL};
    PressKey(VK_END);
  }
  EXPECT_EQ(Name(), "Ece");
  EXPECT_EQ(grid->Row(), 5);
  {
    HeldKeys ctrl{VK_CONTROL};
    PressKey(VK_HOME);
  }
  EXPECT_EQ(Name(), "Ali");
  PressKey(VK_RIGHT);
  EXPECT_EQ(grid->SelectedField(), Table->FieldByName("AGE"));
  EXPECT_EQ(Name(), "Ali");
  // OnKeyDown sees the key first and may drop it.
  grid->OnKeyDown = [](TObject*, WORD& Key, TShiftState) {
    if (Key == VK_DOWN)
      Key = 0;
  };
  PressKey(VK_DOWN);
  EXPECT_EQ(Name(), "Ali");
}

TEST_F(DBGridTest, TypedKeysEditTheCellAndMovingOnPostsIt) {
  Rows(2);
  TDBGrid* grid = MakeGrid();
  Focus(grid);
  TypeText(L"Zeynep");
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(Table->State(), dsEdit);
  PressKey(VK_DOWN);
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(Name(), "Berk");
  Table->First();
  EXPECT_EQ(Name(), "Zeynep");
  // Enter ends the edit; the post button's post writes it. The editor
  // still has the focus and follows to the next column.
  grid->SetSelectedIndex(1);
  TypeText(L"77");
  PressKey(VK_RETURN);
  Table->Post();
  EXPECT_EQ(Table->FieldByName("AGE")->AsInteger(), 77);
}

TEST_F(DBGridTest, PostingFromOutsideTakesTheTextStillInTheEditor) {
  Rows(2);
  TDBGrid* grid = MakeGrid();
  Focus(grid);
  TypeText(L"Oya");
  ASSERT_TRUE(grid->EditorMode());
  Table->Post();
  EXPECT_EQ(Name(), "Oya");
}

TEST_F(DBGridTest, AReadOnlyGridOrColumnTakesNoTyping) {
  Rows(1);
  TDBGrid* grid = MakeGrid();
  grid->SetReadOnly(true);
  Focus(grid);
  TypeText(L"x");
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(Name(), "Ali");
  grid->SetReadOnly(false);
  grid->Columns()->Add()->SetFieldName("NAME");
  grid->Columns()->Items(0)->SetReadOnly(true);
  Focus(grid);
  TypeText(L"y");
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(Name(), "Ali");
}

TEST_F(DBGridTest, NestedDisableControlsRepaintOnceAfterTheLastEnable) {
  Rows(6);
  TCountingGrid* grid = MakeGrid();
  Pump();
  grid->Paints = 0;
  Table->DisableControls();
  Table->DisableControls();
  Table->Next();
  Table->Edit();
  Table->FieldByName("NAME")->SetAsString("Nazlı");
  Table->Post();
  Table->Last();
  Pump();
  EXPECT_EQ(grid->Paints, 0);
  EXPECT_EQ(grid->Row(), 1);  // the grid has not heard of the moves yet
  Table->EnableControls();
  Pump();
  EXPECT_EQ(grid->Paints, 0);
  Table->EnableControls();
  Pump();
  EXPECT_EQ(grid->Paints, 1);
  EXPECT_EQ(grid->Row(), 6);
}

TEST_F(DBGridTest, ColumnsChooseFieldsTitlesWidthsAndVisibility) {
  Rows(2);
  TDBGrid* grid = MakeGrid();
  TColumn* age = grid->Columns()->Add();
  age->SetFieldName("AGE");
  age->Title()->SetCaption("Yaş");
  age->SetWidth(100);
  TColumn* name = grid->Columns()->Add();
  name->SetFieldName("NAME");
  name->Title()->SetCaption("Ad");
  name->SetWidth(120);
  ASSERT_EQ(grid->VisibleColumnCount(), 2);
  EXPECT_EQ(grid->ColWidths(1), 100);
  EXPECT_EQ(grid->ColWidths(2), 120);
  EXPECT_EQ(grid->VisibleColumns(0)->Title()->Caption(), "Yaş");
  EXPECT_EQ(grid->SelectedField(), Table->FieldByName("AGE"));
  age->SetVisible(false);
  ASSERT_EQ(grid->VisibleColumnCount(), 1);
  EXPECT_EQ(grid->SelectedField(), Table->FieldByName("NAME"));
  EXPECT_EQ(grid->ColCount(), 2);
  name->PickList()->Add("A");
  EXPECT_EQ(name->PickList()->Count(), 1);
}

TEST_F(DBGridTest, APickListChoiceEditsTheCell) {
  Rows(2);
  TDBGrid* grid = MakeGrid();
  TColumn* column = grid->Columns()->Add();
  column->SetFieldName("NAME");
  for (const char* name : {"Ali", "Berk", "Can"})
    column->PickList()->Add(name);
  Focus(grid);
  PressKey(VK_F2);
  auto* editor = dynamic_cast<TInplacePickList*>(grid->InplaceEditor());
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(editor->Focused());
  PressKey(VK_F4);
  ASSERT_TRUE(editor->ListVisible());
  PressKey(VK_DOWN);
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  EXPECT_FALSE(editor->ListVisible());
  EXPECT_EQ(editor->Text(), "Can");
  EXPECT_EQ(Table->State(), dsEdit);
  EXPECT_EQ(Name(), "Ali");  // the record still holds its value
  PressKey(VK_RETURN);
  Table->Post();
  EXPECT_EQ(Name(), "Can");
  // Esc closes the list without a choice and keeps what was typed.
  PressKey(VK_F2);
  TypeText(L"Ce");
  PressKey(VK_F4);
  ASSERT_TRUE(editor->ListVisible());
  PressKey(VK_UP);
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(editor->ListVisible());
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(editor->Text(), "Ce");
}

TEST_F(DBGridTest, TheOptionsSetTheFixedRowAndColumn) {
  Rows(2);
  TDBGrid* grid = MakeGrid();
  EXPECT_EQ(grid->FixedRows(), 1);
  EXPECT_EQ(grid->FixedCols(), 1);
  TDBGridOptions options = grid->Options();
  options.Exclude(dgTitles);
  options.Exclude(dgIndicator);
  grid->SetOptions(options);
  EXPECT_EQ(grid->FixedRows(), 0);
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->ColCount(), 3);
  EXPECT_EQ(grid->RowCount(), 2);
  Table->Next();
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(DBGridTest, BooleansShowAnXOrNothing) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}});
  Table->First();
  TDBGrid* grid = MakeGrid();
  grid->SetSelectedIndex(0);
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(grid->Width(), grid->Height());
  grid->PaintTo(bitmap.Canvas(), 0, 0);
  const int border = (GetWindowLongPtrW(grid->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? 2 : 0;
  auto inkIn = [&](int col, int row) {
    TRect r = grid->CellRect(col, row);
    int ink = 0;
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
      for (int x = r.left + 1; x < r.right - 1; ++x)
        if (GetPixel(bitmap.Canvas().Handle(), x + border, y + border) != RGB(255, 255, 255))
          ++ink;
    return ink;
  };
  EXPECT_GT(inkIn(3, 1), 10);
  EXPECT_LT(inkIn(3, 1), 120);  // a letter, not the word "True"
  EXPECT_EQ(inkIn(3, 2), 0);
}

TEST_F(DBGridTest, OnDrawColumnCellSeesEachDataCellWithItsRecord) {
  Rows(2);
  TCountingGrid* grid = MakeGrid();
  std::vector<std::string> seen;
  grid->OnDrawColumnCell = [&](TObject*, const TRect& rect, int dataCol, TColumn* column, TGridDrawState) {
    seen.push_back(std::to_string(dataCol) + ":" + column->FieldName() + "=" + column->Field()->DisplayText());
    EXPECT_GT(rect.right, rect.left);
  };
  grid->Invalidate();
  Pump();
  std::sort(seen.begin(), seen.end());
  seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
  EXPECT_EQ(seen, (std::vector<std::string>{"0:NAME=Ali", "0:NAME=Berk", "1:AGE=20", "1:AGE=21", "2:ACTIVE=False",
                                             "2:ACTIVE=True"}));
  EXPECT_EQ(Name(), "Ali");  // painting leaves the current record as it was
}

TEST_F(DBGridTest, CtrlDeleteAsksThroughTheDialogService) {
  Rows(2);
  TDBGrid* grid = MakeGrid();
  Focus(grid);
  TDialogLanguageScope english(TDialogLanguage::English);
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerButton(mrCancel).AnswerButton(mrOk);
  {
    HeldKeys ctrl{VK_CONTROL};
    PressKey(VK_DELETE);
    EXPECT_EQ(Table->RecordCount(), 2);
    PressKey(VK_DELETE);
  }
  EXPECT_EQ(Table->RecordCount(), 1);
  EXPECT_EQ(Name(), "Berk");
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[1].Text, "Delete record?");
}

// With the cell editor open, Ctrl+Delete deletes the record after the
// question (in Turkish under a Turkish system) and never blanks the cell;
// refused, the typed text stays in the editor.
TEST_F(DBGridTest, CtrlDeleteInTheCellEditorDeletesTheRecord) {
  Rows(3);
  TDBGrid* grid = MakeGrid();
  Focus(grid);
  TDialogLanguageScope turkish(TDialogLanguage::Turkish);
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  TypeText(L"Zeynep");
  ASSERT_TRUE(grid->EditorMode());
  dialogs.AnswerButton(mrCancel).AnswerButton(mrOk);
  {
    HeldKeys ctrl{VK_CONTROL};
    PressKey(VK_DELETE);
    EXPECT_EQ(Table->RecordCount(), 3);
    EXPECT_EQ(grid->InplaceEditor()->Text(), "Zeynep");
    PressKey(VK_DELETE);
  }
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Kayıt silinsin mi?");
  EXPECT_EQ(dialogs.Records()[0].Caption, "Onay");
  EXPECT_EQ(Table->RecordCount(), 2);
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(Name(), "Berk");
  Table->First();
  EXPECT_EQ(Name(), "Berk");
  Table->Next();
  EXPECT_EQ(Name(), "Can");
}

TEST_F(DBGridTest, AClickMovesToTheRecordAndReportsTheColumn) {
  Rows(3);
  TDBGrid* grid = MakeGrid();
  std::vector<AnsiString> clicked;
  grid->OnCellClick = [&](TColumn* column) { clicked.push_back(column->FieldName()); };
  int colEnters = 0;
  grid->OnColEnter = [&](TObject*) { ++colEnters; };
  Focus(grid);
  ClickCell(grid, 2, 3);
  EXPECT_EQ(Name(), "Can");
  EXPECT_EQ(grid->SelectedField(), Table->FieldByName("AGE"));
  EXPECT_EQ(clicked, (std::vector<AnsiString>{"AGE"}));
  EXPECT_EQ(colEnters, 1);
  ClickCell(grid, 3, 3);
  EXPECT_EQ(clicked, (std::vector<AnsiString>{"AGE", "ACTIVE"}));
}

TEST_F(DBGridTest, LeavingTheGridDropsAnUntouchedInsertedRecord) {
  Rows(2);
  TDBGrid* grid = MakeGrid();
  auto* other = Make<TDBGrid>(10, 250, 100, 60);
  Focus(grid);
  PressKey(VK_INSERT);
  EXPECT_EQ(Table->State(), dsInsert);
  Focus(other);
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(Table->RecordCount(), 2);
}

}  // namespace
