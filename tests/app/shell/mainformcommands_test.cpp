// The menus, actions and commands of the main form: help files, the web
// address, the tools menu's fixed entries and the commands not built yet.
#include "app/shell/programidentity.h"
#include "app/shell/shellopen.h"
#include "classlib/forms/dialogtexts.h"
#include "classlib/grids/inplaceedit.h"
#include "classlib/system/numconv.h"
#include "shell_test_util.h"

using shell_test::MainFormTest;

namespace {

// Records what would have been opened, for the lifetime of the scope.
class RecordedShell {
public:
  RecordedShell() {
    previous_ = SetShellOpener([this](const TShellOpenRequest& r) { Requests.push_back(r); });
  }
  ~RecordedShell() { SetShellOpener(std::move(previous_)); }
  std::vector<TShellOpenRequest> Requests;

private:
  TShellOpener previous_;
};

std::vector<AnsiString> Captions(TMenuItem* menu) {
  std::vector<AnsiString> captions;
  for (int i = 0; i < menu->Count(); ++i)
    captions.push_back(menu->Items(i)->Caption() + (menu->Items(i)->Enabled() ? "" : " (kapalı)"));
  return captions;
}

}  // namespace

TEST_F(MainFormTest, TheMenusHoldTheirEntriesAndOnlyWhatWorksIsEnabled) {
  TAnaF& f = Create();
  TMenuItem* root = f.MainMenu1->Items();
  EXPECT_EQ(Captions(root), (std::vector<AnsiString>{"Dosya", "Araçlar", "Yardım"}));
  EXPECT_EQ(Captions(root->Items(0)), (std::vector<AnsiString>{"Excel den Veri Al",
                                                               "Tüm Dozuri Bilgilerini Sil", "-", "Çıkış"}));
  EXPECT_EQ(Captions(root->Items(1)),
            (std::vector<AnsiString>{"Araçlar Menüsünü &Düzenle", "-", "Hesap Makinesi",
                                     "VORTELIM Ajanda", "VORTELIM Not Defteri"}));
  EXPECT_EQ(Captions(root->Items(2)),
            (std::vector<AnsiString>{"Yardım", "İrtibat", "Dozuri Hakkında (kapalı)", "-", MakerWebAddress, "-",
                                     "Program Sürümünü Kontrol Et (kapalı)"}));
  EXPECT_TRUE(f.SpeedButton1->Enabled());
  EXPECT_TRUE(f.Button5->Enabled());
}

TEST_F(MainFormTest, HeaderButtonOpensTheSheetModeModally) {
  TAnaF& f = Create();
  AnsiString header;
  dialogs.OnModalForm = [&header](TCustomForm& form) {
    header = form.FindComponent("VTFormHeader1") != nullptr ? "found" : "";
    form.SetModalResult(mrCancel);
  };
  f.SpeedButton1->Click();
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].FormClass, "TB3_AnaF");
  EXPECT_EQ(header, "found");
}

TEST_F(MainFormTest, ExcelDenVeriAlOpensTheImportFormModally) {
  TAnaF& f = Create();
  AnsiString shown;
  dialogs.OnModalForm = [&](TCustomForm& form) {
    shown = form.ClassName();
    form.SetModalResult(mrCancel);
  };
  f.MainMenu1->Items()->Items(0)->Items(0)->Click();
  EXPECT_EQ(shown, "TK_ExcelAktarF");
}

TEST_F(MainFormTest, TheActionsAnswerTheirKeys) {
  TAnaF& f = Create();
  struct Case {
    TAction* action;
    WORD key;
  } const cases[] = {{f.Kapat, VK_ESCAPE}, {f.Filtrele, VK_F2}, {f.Hepsi, VK_F3}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.action->ActionList(), f.ActionList1);
    EXPECT_EQ(c.action->ShortCut(), c.key) << c.action->Name();
  }
  AddRecord({{1, "a"}});
  AddRecord({{1, "b"}});
  f.FilterValues[0]->SetText("b");
  EXPECT_TRUE(f.IsShortCut(VK_F2, TShiftState{}));
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"b"}));
  EXPECT_TRUE(f.IsShortCut(VK_F3, TShiftState{}));
  EXPECT_EQ(Column(1).size(), 2u);
}

// The record navigator's shortcuts reach the records through the form's
// action list; F3, bound twice, stays the form's "Hepsi".
TEST_F(MainFormTest, TheNavigatorsShortcutsWorkAndF3StaysHepsi) {
  TAnaF& f = Create();
  AddRecord({{1, "a"}});
  AddRecord({{1, "b"}});
  AddRecord({{1, "c"}});
  f.RxBarkod->First();
  EXPECT_TRUE(f.IsShortCut(VK_NEXT, TShiftState{ssCtrl}));
  EXPECT_EQ(f.RxBarkod->FieldByName("METIN1")->AsString(), "c");
  EXPECT_TRUE(f.IsShortCut(VK_PRIOR, TShiftState{}));
  EXPECT_EQ(f.RxBarkod->FieldByName("METIN1")->AsString(), "b");
  f.RxBarkod->Edit();
  f.RxBarkod->FieldByName("METIN1")->SetAsString("bb");
  int hepsi = 0;
  f.Hepsi->OnExecute = [&](TObject*) { ++hepsi; };
  EXPECT_TRUE(f.IsShortCut(VK_F3, TShiftState{}));
  EXPECT_EQ(hepsi, 1);
  EXPECT_EQ(f.RxBarkod->State(), dsEdit);
  EXPECT_TRUE(f.IsShortCut(VK_F2, TShiftState{ssAlt}));
  EXPECT_EQ(f.RxBarkod->State(), dsBrowse);
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"a", "bb", "c"}));
  // Ctrl+F3 deletes the current record without a question.
  EXPECT_TRUE(f.IsShortCut(VK_F3, TShiftState{ssCtrl}));
  EXPECT_EQ(Column(1).size(), 2u);
  EXPECT_TRUE(dialogs.Records().empty());
}

TEST_F(MainFormTest, HelpFilesOpenWhenPresentAndAreReportedWhenMissing) {
  TAnaF& f = Create();
  RecordedShell shell;
  struct Case {
    void (TAnaF::*command)(TObject*);
    const char* file;
    const char* missing;
  } const cases[] = {{&TAnaF::Yardm2Click, "yardim.chm", "Yardim.Chm dosyası bulunamadı."},
                     {&TAnaF::rtibat1Click, "yardim_irtibat.chm", "yardim_irtibat.Chm dosyası bulunamadı."}};
  for (const Case& c : cases) {
    dialogs.Clear();
    dialogs.AnswerButton(IDOK);
    (f.*c.command)(nullptr);
    ASSERT_EQ(dialogs.Records().size(), 1u);
    EXPECT_EQ(dialogs.Records()[0].Caption, "Bilgi");
    EXPECT_EQ(dialogs.Records()[0].Text, folder.File("") + c.missing);
    EXPECT_TRUE(shell.Requests.empty());

    WriteFileBytes(folder.File(c.file), {1});
    (f.*c.command)(nullptr);
    ASSERT_EQ(shell.Requests.size(), 1u);
    EXPECT_EQ(shell.Requests[0].Verb, "open");
    EXPECT_EQ(shell.Requests[0].File, folder.File(c.file));
    EXPECT_EQ(shell.Requests[0].Parameters, "");
    shell.Requests.clear();
  }
}

TEST_F(MainFormTest, TheWebAddressGoesToTheBrowser) {
  TAnaF& f = Create();
  RecordedShell shell;
  f.WebSiteItemClick(nullptr);
  ASSERT_EQ(shell.Requests.size(), 1u);
  EXPECT_EQ(shell.Requests[0].Verb, "OPEN");
  EXPECT_EQ(shell.Requests[0].File, "iexplore.exe");
  EXPECT_EQ(shell.Requests[0].Parameters, MakerWebAddress);
}

TEST_F(MainFormTest, AMissingToolSaysWhereToGetIt) {
  TAnaF& f = Create();
  RecordedShell shell;
  dialogs.AnswerButton(IDOK);
  TMenuItem* tool = f.MainMenu1->Items()->Items(1)->Items(3);
  tool->Click();
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, AnsiString(FixedToolList[1].FileName) +
                                           " dosyasi bulunamadi.\r\nBu programi internet sitemizdeki Araclar "
                                           "bolumunden veya VORTELIM CD sindeki VT_ARAC klasorinden kurabilirsiniz.");
  EXPECT_TRUE(shell.Requests.empty());
}

TEST_F(MainFormTest, TheRecordPageHasTwentyBoundEdits) {
  TAnaF& f = Create();
  for (int i = 0; i < RecordFieldCount; ++i) {
    EXPECT_EQ(f.MetinLabels[i]->Caption(), "Metin " + IntToStr(i + 1));
    EXPECT_EQ(f.MetinEdits[i]->DataField(), RecordFieldName(i + 1));
    EXPECT_EQ(f.MetinEdits[i]->DataSource(), f.RxBarkod_S);
  }
  EXPECT_EQ(f.TabKayit->Caption(), "Dozuri Kayıt");
  EXPECT_EQ(f.TabBasim->Caption(), "Dozuri Basımı");
  EXPECT_EQ(f.DBGrid1->Columns()->Count(), RecordFieldCount);
  EXPECT_EQ(f.DBGrid3->DataSource(), f.RxEtiket_S);
  EXPECT_NE(f.RxEtiket->FindField("BAS"), nullptr);
  EXPECT_EQ(f.VTFormHeader1->Title(), "VORTELIM Dozuri");
}

namespace {

// A key pressed on the window with the focus, through the message loop as
// a real key press goes (shortcuts first).
void PressKey(WORD key) {
  HWND target = GetFocus();
  PostMessageW(target, WM_KEYDOWN, key, forms_test::KeyData(key));
  PostMessageW(target, WM_KEYUP, key, forms_test::KeyData(key) | (LPARAM{3} << 30));
  forms_test::PumpUntil([] { return false; }, 100);
}

void TypeText(const wchar_t* text) {
  for (const wchar_t* p = text; *p != 0; ++p)
    PostMessageW(GetFocus(), WM_CHAR, *p, 1);
  forms_test::PumpUntil([] { return false; }, 100);
}

}  // namespace

// Esc closes a dropped-down list, cancels an open cell editor and then the
// record's edit before it asks to quit, so the question's default never
// saves half-typed text.
TEST_F(MainFormTest, EscClosesAListOrCancelsACellEditorBeforeItAsksToQuit) {
  TAnaF& f = CreateShown();
  SetForegroundWindow(f.Handle());
  AddRecord({{1, "eski"}});

  f.ComboBox1->SetFocus();
  f.ComboBox1->SetDroppedDown(true);
  ASSERT_TRUE(f.ComboBox1->DroppedDown());
  PressKey(VK_ESCAPE);
  EXPECT_FALSE(f.ComboBox1->DroppedDown());
  EXPECT_TRUE(dialogs.Records().empty());

  f.DBGrid1->SetFocus();
  TypeText(L"yarım");
  ASSERT_TRUE(f.DBGrid1->EditorMode());
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(dialogs.Records().empty());
  EXPECT_TRUE(f.Showing());
  EXPECT_EQ(f.DBGrid1->InplaceEditor()->Text(), "eski");

  // The record the cell edit began is still being edited: the next Esc
  // cancels that, and only the one after asks.
  ASSERT_EQ(f.RxBarkod->State(), dsEdit);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(dialogs.Records().empty());
  EXPECT_EQ(f.RxBarkod->State(), dsBrowse);

  dialogs.AnswerButton(IDCANCEL);
  PressKey(VK_ESCAPE);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Programdan çıkmak istiyor musunuz?");
  EXPECT_TRUE(f.Showing());
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"eski"}));
}

// Esc while a new record or a change is being typed into the record edits
// drops it as the navigator's cancel does, and asks nothing.
TEST_F(MainFormTest, EscCancelsARecordBeingTypedWithoutAsking) {
  TAnaF& f = CreateShown();
  SetForegroundWindow(f.Handle());
  AddRecord({{1, "eski"}});
  struct Case {
    const char* name;
    void (TDataSet::*begin)();
  } const cases[] = {{"insert", &TDataSet::Append}, {"edit", &TDataSet::Edit}};
  for (const Case& c : cases) {
    (f.RxBarkod->*c.begin)();
    f.MetinEdits[0]->SetFocus();
    SendMessageW(f.MetinEdits[0]->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    TypeText(L"yarım");
    ASSERT_EQ(f.MetinEdits[0]->Text(), "yarım") << c.name;
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(dialogs.Records().empty()) << c.name;
    EXPECT_EQ(f.RxBarkod->State(), dsBrowse) << c.name;
    EXPECT_EQ(f.MetinEdits[0]->Text(), "eski") << c.name;
    EXPECT_EQ(Column(1), (std::vector<AnsiString>{"eski"})) << c.name;
  }
  dialogs.AnswerButton(IDCANCEL);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(dialogs.Records().size(), 1u) << "from a record at rest Esc asks";
}

// Ctrl+Delete in the record grid asks the grid's question in Turkish and
// deletes the record, also while a cell editor is open.
TEST_F(MainFormTest, CtrlDeleteInTheRecordGridAsksAndDeletesFromTheEditor) {
  TDialogLanguageScope turkish(TDialogLanguage::Turkish);
  TAnaF& f = CreateShown();
  SetForegroundWindow(f.Handle());
  AddRecord({{1, "bir"}});
  AddRecord({{1, "iki"}});
  f.RxBarkod->First();
  f.DBGrid1->SetFocus();
  TypeText(L"boş");
  ASSERT_TRUE(f.DBGrid1->EditorMode());
  dialogs.AnswerButton(mrOk);
  BYTE keyboard[256];
  GetKeyboardState(keyboard);
  keyboard[VK_CONTROL] = 0x80;
  SetKeyboardState(keyboard);
  PressKey(VK_DELETE);
  keyboard[VK_CONTROL] = 0;
  SetKeyboardState(keyboard);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Kayıt silinsin mi?");
  EXPECT_EQ(Column(1), (std::vector<AnsiString>{"iki"}));
}
