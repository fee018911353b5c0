// The record page: the Turkish prefix filter through the panel, the sort
// box, Enter as Tab, the jump to the record page on insert and deleting
// every record.
#include "app/recordfile.h"
#include "app/shell/programidentity.h"
#include "classlib/system/fileutils.h"
#include "shell_test_util.h"

using shell_test::MainFormTest;

class RecordPageTest : public MainFormTest {
protected:
  void AddNames() {
    for (const char* name : {"ipek", "İzmir", "ırmak", "Ilık", "zeytin"})
      AddRecord({{1, name}, {2, AnsiString(name) + "-2"}});
  }
  std::vector<AnsiString> Filtered(int row, int fieldIndex, const AnsiString& value) {
    form->FilterFields[row]->SetItemIndex(fieldIndex);
    form->FilterValues[row]->SetText(value);
    form->Button6Click(nullptr);
    return Column(1);
  }
};

TEST_F(RecordPageTest, TheFilterMatchesPrefixesByTheTurkishRules) {
  TAnaF& f = Create();
  AddNames();
  struct Case {
    int row, field;
    const char* value;
    std::vector<AnsiString> shown;
  } const cases[] = {
      {0, 0, "i", {"ipek", "İzmir"}},
      {0, 0, "ı", {"ırmak", "Ilık"}},
      {0, 0, "İZ", {"İzmir"}},
      {1, 1, "ILIK-", {"Ilık"}},          // the second row on Metin 2
      {0, 0, "zeytinler", {}},            // longer than the text: never
      {0, 0, "", {"ipek", "İzmir", "ırmak", "Ilık", "zeytin"}},
  };
  for (const Case& c : cases) {
    f.Button7Click(nullptr);
    EXPECT_EQ(Filtered(c.row, c.field, c.value), c.shown) << c.value;
  }
}

TEST_F(RecordPageTest, EveryRowWithAValueMustMatchAndHepsiClearsThem) {
  TAnaF& f = Create();
  AddNames();
  f.FilterValues[0]->SetText("i");
  EXPECT_EQ(Filtered(1, 1, "İZ"), (std::vector<AnsiString>{"İzmir"}));
  f.Button7Click(nullptr);
  EXPECT_FALSE(f.RxBarkod->Filtered());
  for (TEdit* value : f.FilterValues)
    EXPECT_EQ(value->Text(), "");
  EXPECT_EQ(Column(1).size(), 5u);
}

TEST_F(RecordPageTest, EnterInAFilterValueFilters) {
  TAnaF& f = Create();
  AddNames();
  f.FilterFields[2]->SetItemIndex(0);
  f.FilterValues[2]->SetText("zey");
  char key = '\r';
  f.EditFiltre1KeyPress(f.FilterValues[2], key);
  EXPECT_EQ(key, 0);
  EXPECT_TRUE(f.RxBarkod->Filtered());
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"zeytin"}));
}

TEST_F(RecordPageTest, TheSortBoxSortsByTheChosenFieldIgnoringCase) {
  TAnaF& f = Create();
  AddRecord({{1, "a"}, {2, "c"}});
  AddRecord({{1, "b"}, {2, "A"}});
  AddRecord({{1, "c"}, {2, "b"}});
  ASSERT_EQ(f.ComboBox1->Items()->Count(), 21);
  f.ComboBox1->SetItemIndex(1);
  f.ComboBox1Change(nullptr);
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"b", "c", "a"}));
  // The empty last entry names no field and leaves the order alone.
  f.ComboBox1->SetItemIndex(20);
  f.ComboBox1Change(nullptr);
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"b", "c", "a"}));
  EXPECT_FALSE(f.RxBarkod->ControlsDisabled());
}

// The order a sort gave is saved, but not the field: after a restart the
// box names no field rather than one the records are not sorted by, and
// choosing "Metin 1" then sorts by it.
TEST_F(RecordPageTest, AfterARestartTheSortBoxNamesNoField) {
  TAnaF& first = Create();
  AddRecord({{1, "a"}, {2, "c"}});
  AddRecord({{1, "b"}, {2, "a"}});
  AddRecord({{1, "c"}, {2, "b"}});
  first.ComboBox1->SetItemIndex(1);
  first.ComboBox1Change(nullptr);
  SaveRecordBuffers(*first.RxBarkod, RecordFile());
  first.Free();
  form = nullptr;

  TAnaF& f = Create();
  ASSERT_EQ(Column(1), (std::vector<AnsiString>{"b", "c", "a"}));
  EXPECT_EQ(f.ComboBox1->Text(), "");
  EXPECT_EQ(f.ComboBox1->ItemIndex(), RecordFieldCount);
  SendMessageW(f.ComboBox1->Handle(), CB_SETCURSEL, 0, 0);
  f.ComboBox1->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"a", "b", "c"}));
}

TEST_F(RecordPageTest, EnterInARecordEditMovesOnAsTab) {
  TAnaF& f = CreateShown();
  struct Case {
    TWinControl* from;
    TWinControl* to;
  } const cases[] = {{f.MetinEdits[0], f.MetinEdits[1]}, {f.MetinEdits[9], f.MetinEdits[10]},
                     {f.MetinEdits[19], f.ComboBox1}};
  for (const Case& c : cases) {
    c.from->SetFocus();
    ASSERT_TRUE(c.from->Focused());
    SendMessageW(c.from->Handle(), WM_CHAR, VK_RETURN, forms_test::KeyData(VK_RETURN));
    EXPECT_TRUE(forms_test::PumpUntil([&] { return c.to->Focused(); }, 2000)) << c.from->Name();
  }
}

TEST_F(RecordPageTest, AnInsertAfterStartUpShowsTheRecordPage) {
  TAnaF& f = CreateShown();
  f.PageControl1->SetActivePage(f.TabBasim);
  f.RxBarkod->Append();
  EXPECT_EQ(f.PageControl1->ActivePage(), f.TabKayit);
  EXPECT_TRUE(f.MetinEdits[0]->Focused());
  EXPECT_EQ(f.PanelFiltre->Parent(), f.PanelGrid);
  f.RxBarkod->Cancel();

  // While the record file is read, inserts leave the page alone.
  FocusOnInsert = false;
  f.PageControl1->SetActivePage(f.TabBasim);
  f.RxBarkod->Append();
  EXPECT_EQ(f.PageControl1->ActivePage(), f.TabBasim);
  f.RxBarkod->Cancel();
  FocusOnInsert = true;
}

TEST_F(RecordPageTest, DeletingEveryRecordAsksAndWritesAnEmptyFile) {
  TAnaF& f = Create();
  AddNames();
  dialogs.AnswerButton(IDNO);
  f.mBarkodBilgileriniS1Click(nullptr);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Caption, "Soru");
  EXPECT_EQ(dialogs.Records()[0].Text, "Tüm kayıtlı etiketler silinsin mi?");
  EXPECT_EQ(f.RxBarkod->RecordCount(), 5);
  EXPECT_FALSE(FileExists(RecordFile()));

  // A filter that hides records: they go too, and the filter stays as set.
  f.FilterValues[0]->SetText("i");
  f.Button6Click(nullptr);
  ASSERT_EQ(f.RxBarkod->RecordCount(), 2);
  dialogs.AnswerButton(IDYES);
  f.mBarkodBilgileriniS1Click(nullptr);
  EXPECT_EQ(f.RxBarkod->RecordCount(), 0);
  EXPECT_TRUE(FileExists(RecordFile()));
  EXPECT_TRUE(ReadFileBytes(RecordFile()).empty());
  EXPECT_TRUE(f.RxBarkod->Filtered());
  EXPECT_EQ(f.FilterValues[0]->Text(), "i");
  f.Button7Click(nullptr);
  EXPECT_EQ(f.RxBarkod->RecordCount(), 0);
}

// While the filter is on, the rows' change events keep the rule on what the
// panel shows now: the next test of a record uses the new text or field
// without "Filtrele", and the record numbers follow.
TEST_F(RecordPageTest, TheFilterFollowsThePanelsCurrentRows) {
  TAnaF& f = CreateShown();
  AddNames();
  f.FilterValues[0]->SetText("i");
  f.Button6Click(nullptr);
  ASSERT_EQ(Column(1), (std::vector<AnsiString>{"ipek", "İzmir"}));
  ASSERT_EQ(f.RxBarkod->RecordCount(), 2);

  f.FilterValues[0]->SetText("ı");  // typed into the edit: no Filtrele
  EXPECT_EQ(f.RxBarkod->RecordCount(), 2);
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"ırmak", "Ilık"}));
  f.RxBarkod->Last();
  EXPECT_EQ(f.RxBarkod->RecNo(), 2);

  // The user picks "Metin 2" in the first field box.
  f.FilterValues[0]->SetText("ipek-");
  EXPECT_EQ(f.RxBarkod->RecordCount(), 0);
  SendMessageW(f.FilterFields[0]->Handle(), CB_SETCURSEL, 1, 0);
  f.FilterFields[0]->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), 0);
  EXPECT_EQ(f.RxBarkod->RecordCount(), 1);
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"ipek"}));
}
