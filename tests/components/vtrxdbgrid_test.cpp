// The grid with overlay editors: the Ctrl+End option, the date and check-box
// overlays standing over the current cell and taking the keys typed there,
// handing Enter, Tab and the arrows back to the grid, and the references
// between grid and overlays following their components away.
#include <gtest/gtest.h>

#include <commctrl.h>

#include "classlib/classes/typinfo.h"
#include "classlib/controls/extctrls.h"
#include "classlib/system/datetime.h"
#include "components/vtcomponentsreg.h"
#include "components/vtrxdbgrid.h"
#include "tests/classlib/dbctrls/dbctrls_test_util.h"
#include "tests/support/componenttext.h"

namespace {

using namespace dbctrls_test;

// Records with a name, a date and a "1"/"0" flag whose field asks for the
// check box; the grid shows NAME, BORN and OK in columns 1 to 3.
class OverlayGridTest : public DataFixture {
protected:
  void SetUp() override {
    DataFixture::SetUp();
    RegisterVtComponents();
    Rows = new TRxMemoryData(Owner.get());
    Rows->FieldDefs()->Add("NAME", ftString, 20);
    Rows->FieldDefs()->Add("BORN", ftDate);
    Rows->FieldDefs()->Add("OK", ftString, 1);
    RowsSource = new TDataSource(Owner.get());
    RowsSource->SetDataSet(Rows);
    Rows->Open();
    Rows->FieldByName("OK")->SetTag(CheckBoxFieldTag);
    const char* names[] = {"Ali", "Berk", "Can", "Deniz", "Ece"};
    for (int i = 0; i < 5; ++i) {
      Rows->Append();
      Rows->FieldByName("NAME")->SetAsString(names[i]);
      Rows->FieldByName("BORN")->SetAsDateTime(EncodeDate(2000 + i, 3, 10));
      Rows->FieldByName("OK")->SetAsString(i % 2 == 0 ? "1" : "0");
      Rows->Post();
    }
    Rows->First();
    Grid = Make<TVTRXDBGrid>(10, 10, 420, 200);
    Grid->SetDataSource(RowsSource);
  }

  TVtDGDateEdit* AddDateEdit() {
    auto* edit = Make<TVtDGDateEdit>(0, 0, 80, 20);
    edit->Hide();
    edit->SetDBGrid(Grid);
    Grid->SetCont_DateEdit(edit);
    return edit;
  }
  TVtDGCheckBox* AddCheckBox() {
    auto* box = Make<TVtDGCheckBox>(0, 0, 80, 20);
    box->Hide();
    box->SetDBGrid(Grid);
    Grid->SetCont_CheckBox(box);
    return box;
  }
  // Focuses the grid on a column (1 NAME, 2 BORN, 3 OK) and lets it paint.
  void FocusColumn(int col) {
    Focus(Grid);
    Grid->SetCol(col);
    Grid->Invalidate();
    Pump();
  }
  AnsiString Current(const char* field) { return Rows->FieldByName(field)->AsString(); }

  TRxMemoryData* Rows = nullptr;
  TDataSource* RowsSource = nullptr;
  TVTRXDBGrid* Grid = nullptr;
};

TEST_F(OverlayGridTest, CtrlEndReachesTheLastRecordOnlyWhileKeyVK_ENDIsSet) {
  struct Case {
    bool keyEnd;
    const char* afterCtrlEnd;
  } cases[] = {{true, "Ece"}, {false, "Ali"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keyEnd);
    Grid->SetKeyVK_END(c.keyEnd);
    Rows->First();
    FocusColumn(1);
    {
      HeldKeys ctrl{VK_CONTROL};
      PressKey(VK_END);
    }
    EXPECT_EQ(Current("NAME"), c.afterCtrlEnd);
    PressKey(VK_END);  // End alone goes to the last column of the row
    EXPECT_EQ(Grid->Col(), Grid->ColCount() - 1);
    EXPECT_EQ(Current("NAME"), c.afterCtrlEnd);
  }
}

TEST_F(OverlayGridTest, TheCheckBoxShowsTheFirstCaptionWhenCheckedAndTheSecondWhenNot) {
  TVtDGCheckBox* box = AddCheckBox();
  box->SetCaption2("Evet;Hayir");
  FocusColumn(3);
  ASSERT_TRUE(box->Visible());
  EXPECT_EQ(box->DataField(), "OK");
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(box->Caption(), "Evet");
  PressKey(VK_DOWN);
  Pump();
  EXPECT_EQ(Current("NAME"), "Berk");
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(box->Caption(), "Hayir");
  // A Caption2 without ";" leaves the caption alone.
  box->SetCaption("Onay");
  box->SetCaption2("Evet");
  PressKey(VK_UP);
  Pump();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(box->Caption(), "Onay");
}

TEST_F(OverlayGridTest, AnOverlayStandsOverTheCurrentCellInTheGridsColours) {
  TVtDGDateEdit* edit = AddDateEdit();
  Grid->SetColor(clYellow);
  Grid->Font()->SetColor(clNavy);
  FocusColumn(2);
  ASSERT_TRUE(edit->Visible());
  TRect cell = Grid->CellRect(Grid->Col(), Grid->Row());
  EXPECT_EQ(edit->Left(), Grid->Left() + cell.left + 2);
  EXPECT_EQ(edit->Top(), Grid->Top() + cell.top + 2);
  EXPECT_EQ(edit->Width(), cell.right - cell.left);
  EXPECT_EQ(edit->Height(), cell.bottom - cell.top);
  EXPECT_EQ(edit->Color(), clYellow);
  EXPECT_EQ(edit->Font()->Color(), clNavy);
  EXPECT_EQ(edit->DataSource(), RowsSource);
  EXPECT_EQ(edit->DataField(), "BORN");
}

TEST_F(OverlayGridTest, OnlyADateColumnOrATag123FieldGetsAnOverlay) {
  TVtDGDateEdit* edit = AddDateEdit();
  TVtDGCheckBox* box = AddCheckBox();
  FocusColumn(1);
  EXPECT_FALSE(edit->Visible());
  EXPECT_FALSE(box->Visible());
  Rows->FieldByName("OK")->SetTag(0);
  FocusColumn(3);
  EXPECT_FALSE(box->Visible());
  Rows->FieldByName("OK")->SetTag(CheckBoxFieldTag);
  FocusColumn(3);
  EXPECT_TRUE(box->Visible());
}

TEST_F(OverlayGridTest, LeavingTheColumnHidesItsOverlay) {
  TVtDGDateEdit* edit = AddDateEdit();
  TVtDGCheckBox* box = AddCheckBox();
  FocusColumn(2);
  ASSERT_TRUE(edit->Visible());
  PressKey(VK_RIGHT);
  EXPECT_FALSE(edit->Visible());
  EXPECT_TRUE(box->Visible());
  PressKey(VK_LEFT);
  EXPECT_FALSE(box->Visible());
  EXPECT_TRUE(edit->Visible());
}

TEST_F(OverlayGridTest, ADigitTypedOnADateCellGoesIntoTheDateOverlay) {
  TVtDGDateEdit* edit = AddDateEdit();
  FocusColumn(2);
  TypeText(L"5");
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(edit->Text(), "5");
  EXPECT_EQ(Rows->State(), dsEdit);
  // The grid opened no editor of its own for the same key.
  EXPECT_FALSE(Grid->EditorMode());
}

TEST_F(OverlayGridTest, F2MovesTheFocusIntoTheOverlay) {
  TVtDGDateEdit* edit = AddDateEdit();
  TVtDGCheckBox* box = AddCheckBox();
  FocusColumn(2);
  PressKey(VK_F2);
  EXPECT_TRUE(edit->Focused());
  FocusColumn(3);
  PressKey(VK_F2);
  EXPECT_TRUE(box->Focused());
  // Without an overlay F2 opens the grid's own editor.
  FocusColumn(1);
  PressKey(VK_F2);
  EXPECT_TRUE(Grid->EditorMode());
}

TEST_F(OverlayGridTest, SpaceOnACheckBoxCellTogglesTheField) {
  AddCheckBox();
  FocusColumn(3);
  TypeText(L" ");
  Rows->Post();
  EXPECT_EQ(Current("OK"), "0");
  FocusColumn(3);
  TypeText(L" ");
  Rows->Post();
  EXPECT_EQ(Current("OK"), "1");
}

TEST_F(OverlayGridTest, EnterAndTabInAnOverlayReturnToTheGridsNextColumn) {
  TVtDGDateEdit* edit = AddDateEdit();
  TVtDGCheckBox* box = AddCheckBox();
  for (WORD key : {VK_RETURN, VK_TAB}) {
    SCOPED_TRACE(key);
    FocusColumn(2);
    edit->SetFocus();
    Pump();
    ASSERT_TRUE(edit->Focused());
    PressKey(key);
    Pump();
    EXPECT_TRUE(Grid->Focused());
    EXPECT_EQ(Grid->Col(), 3);
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(box->Visible());
  }
}

TEST_F(OverlayGridTest, UpAndDownInAnOverlayMoveTheGridsRecord) {
  TVtDGDateEdit* edit = AddDateEdit();
  TVtDGCheckBox* box = AddCheckBox();
  struct Case {
    TWinControl* overlay;
    int col;
  } cases[] = {{edit, 2}, {box, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.col);
    Rows->First();
    FocusColumn(c.col);
    c.overlay->SetFocus();
    Pump();
    PressKey(VK_DOWN);
    EXPECT_EQ(Current("NAME"), "Berk");
    EXPECT_TRUE(Grid->Focused());
    c.overlay->SetFocus();
    Pump();
    PressKey(VK_UP);
    EXPECT_EQ(Current("NAME"), "Ali");
  }
}

TEST_F(OverlayGridTest, TheDateCalendarTakesEnterWhileDroppedDown) {
  TVtDGDateEdit* edit = AddDateEdit();
  FocusColumn(2);
  PressKey(VK_F2);
  ASSERT_TRUE(edit->Focused());
  PressKey(VK_F4);
  ASSERT_TRUE(edit->PopupVisible());
  // Esc closes the calendar and changes nothing.
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_EQ(Rows->FieldByName("BORN")->AsDateTime(), EncodeDate(2000, 3, 10));
  // Enter takes the calendar's date and stays in the overlay.
  PressKey(VK_F4);
  HWND calendar = FindWindowW(MONTHCAL_CLASSW, nullptr);
  ASSERT_NE(calendar, nullptr);
  SYSTEMTIME chosen{};
  chosen.wYear = 2001;
  chosen.wMonth = 7;
  chosen.wDay = 21;
  SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&chosen));
  PressKey(VK_RETURN);
  EXPECT_FALSE(edit->PopupVisible());
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(Rows->FieldByName("BORN")->AsDateTime(), EncodeDate(2001, 7, 21));
  EXPECT_EQ(Grid->Col(), 2);
}

TEST_F(OverlayGridTest, RemovedComponentsLeaveNoReferenceBehind) {
  TVtDGDateEdit* edit = AddDateEdit();
  auto* other = new TVtDGCheckBox(Owner.get());
  other->SetDBGrid(Grid);
  Grid->SetCont_CheckBox(other);
  auto* bar = new TStatusBar(Owner.get());
  Grid->SetStatusBar(bar);
  delete bar;
  EXPECT_EQ(Grid->StatusBar(), nullptr);
  delete other;
  EXPECT_EQ(Grid->Cont_CheckBox(), nullptr);
  // A grid going away is forgotten by its overlays, which keep working.
  auto* grid = new TVTRXDBGrid(Owner.get());
  edit->SetDBGrid(grid);
  grid->SetCont_DateEdit(edit);
  delete grid;
  EXPECT_EQ(edit->DBGrid(), nullptr);
  edit->Show();
  Focus(edit);
  PressKey(VK_RETURN);
  EXPECT_TRUE(edit->Focused());
}

TEST(OverlayGridPublishedTest, PropertiesAndTheirDefaults) {
  RegisterVtComponents();
  TComponent owner(nullptr);
  auto* grid = new TVTRXDBGrid(&owner);
  auto* box = new TVtDGCheckBox(&owner);
  EXPECT_EQ(grid->About(), "s1.09");
  grid->SetAbout("x");
  EXPECT_EQ(grid->About(), "s1.09");
  EXPECT_TRUE(grid->KeyVK_END());
  EXPECT_FALSE(grid->Azerice());
  for (const char* name : {"About", "StatusBar", "KeyVK_END", "OnCustomize", "Cont_DateEdit", "Cont_CheckBox",
                           "Azerice", "DataSource", "Columns"})
    EXPECT_NE(GetPropInfo(grid, name), nullptr) << name;
  EXPECT_FALSE(GetPropInfo(grid, "About")->IsStored(grid));
  for (const char* name : {"DBGrid", "Caption2", "ValueChecked", "ValueUnchecked", "DataField"})
    EXPECT_NE(GetPropInfo(box, name), nullptr) << name;
  EXPECT_EQ(box->ValueChecked(), "1");
  EXPECT_EQ(box->ValueUnchecked(), "0");
  EXPECT_FALSE(GetPropInfo(box, "ValueChecked")->IsStored(box));
  box->SetValueChecked("E");
  EXPECT_TRUE(GetPropInfo(box, "ValueChecked")->IsStored(box));
  EXPECT_NE(GetPropInfo(TVtDGDateEdit::StaticClass(), "DBGrid"), nullptr);
  for (const char* name : {"TVTRXDBGrid", "TVtDGDateEdit", "TVtDGCheckBox", "TRxDBGrid", "TDBDateEdit"})
    EXPECT_NE(GetClass(name), nullptr) << name;
}

// A form carrying the grid and its overlays reads back with every link and
// writes only what differs from the defaults (never About).
TEST(OverlayGridStreamingTest, TheGridAndItsOverlaysReadAndWriteWithTheirLinks) {
  RegisterVtComponents();
  RegisterClasses({TPanel::StaticClass(), TStatusBar::StaticClass()});
  std::unique_ptr<TPanel> root{new TPanel(nullptr)};
  test_support::ReadComponentText(
      "object Root: TPanel\n"
      "  object Bar: TStatusBar\n"
      "  end\n"
      "  object Grid: TVTRXDBGrid\n"
      "    About = 's0.1'\n"
      "    Azerice = True\n"
      "    Cont_CheckBox = Box\n"
      "    Cont_DateEdit = Born\n"
      "    KeyVK_END = False\n"
      "    StatusBar = Bar\n"
      "  end\n"
      "  object Born: TVtDGDateEdit\n"
      "    DBGrid = Grid\n"
      "  end\n"
      "  object Box: TVtDGCheckBox\n"
      "    Caption2 = 'Evet;Hayir'\n"
      "    DBGrid = Grid\n"
      "  end\n"
      "end\n",
      root.get());
  auto* grid = dynamic_cast<TVTRXDBGrid*>(root->FindComponent("Grid"));
  auto* born = dynamic_cast<TVtDGDateEdit*>(root->FindComponent("Born"));
  auto* box = dynamic_cast<TVtDGCheckBox*>(root->FindComponent("Box"));
  ASSERT_TRUE(grid != nullptr && born != nullptr && box != nullptr);
  EXPECT_EQ(grid->About(), "s1.09");
  EXPECT_TRUE(grid->Azerice());
  EXPECT_FALSE(grid->KeyVK_END());
  EXPECT_EQ(grid->StatusBar(), root->FindComponent("Bar"));
  EXPECT_EQ(grid->Cont_DateEdit(), born);
  EXPECT_EQ(grid->Cont_CheckBox(), box);
  EXPECT_EQ(born->DBGrid(), grid);
  EXPECT_EQ(box->DBGrid(), grid);
  EXPECT_EQ(box->Caption2(), "Evet;Hayir");
  EXPECT_EQ(box->ValueChecked(), "1");

  std::string text = test_support::ComponentText(root.get());
  for (const char* line : {"KeyVK_END = False", "Azerice = True", "Cont_DateEdit = Born", "Cont_CheckBox = Box",
                           "StatusBar = Bar", "DBGrid = Grid", "Caption2 = 'Evet;Hayir'"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  for (const char* absent : {"About", "ValueChecked", "ValueUnchecked"})
    EXPECT_EQ(text.find(absent), std::string::npos) << absent << "\n" << text;
}

}  // namespace
