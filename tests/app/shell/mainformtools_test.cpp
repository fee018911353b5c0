// The main form's tools menu: the fixed entries from the program's list and
// the tools files in Data\Ini, the calculator of the first entry, and what
// a click on an entry starts or says.
#include "app/shell/programidentity.h"
#include "app/shell/shellopen.h"
#include "components/core/araclarfile.h"
#include "components/vtcalcmainf.h"
#include "shell_test_util.h"

using shell_test::MainFormTest;

namespace {

class ToolsMenuTest : public MainFormTest {
protected:
  AnsiString SabitFile() const { return folder.File("Data\\Ini\\AraclarSabit.Ini"); }
  AnsiString TanimFile() const { return folder.File("Data\\Ini\\AraclarTanim.Ini"); }
  void WriteToolsFile(const AnsiString& name, const std::vector<TAraclarRecord>& records) {
    std::filesystem::create_directories(folder.Path() / "Data" / "Ini");
    WriteAraclarFile(name, records);
  }
  TMenuItem* ToolItem(int index) { return form->Araclar1->Items(index); }
};

std::vector<AnsiString> MenuCaptions(TMenuItem* menu) {
  std::vector<AnsiString> captions;
  for (int i = 0; i < menu->Count(); ++i)
    captions.push_back(menu->Items(i)->Caption());
  return captions;
}

TEST_F(ToolsMenuTest, AFirstStartShowsTheFixedEntriesAndWritesNoFile) {
  TAnaF& f = Create();
  EXPECT_EQ(MenuCaptions(f.Araclar1), (std::vector<AnsiString>{"Araçlar Menüsünü &Düzenle", "-", "Hesap Makinesi",
                                                                FixedToolList[1].Caption, FixedToolList[2].Caption}));
  EXPECT_EQ(f.VtAraclar1->SbtFileName(), SabitFile());
  EXPECT_EQ(f.VtAraclar1->TnmFileName(), TanimFile());
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "Data" / "Ini"));
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Data" / "Ini" / "AraclarSabit.Ini"));
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Data" / "Ini" / "AraclarTanim.Ini"));
  EXPECT_EQ(f.VtCalc1->CalcCaption(), "VORTELIM");
  EXPECT_EQ(f.VtCalc1->CalcFont()->Name(), "MS Sans Serif");
  EXPECT_EQ(f.VtCalc1->CalcFont()->Color(), clYellow);
  EXPECT_FALSE(f.VtCalc1->AgentOkey());
}

TEST_F(ToolsMenuTest, TheFirstFixedEntryOpensTheCalculator) {
  TAnaF& f = Create();
  ToolItem(2)->Click();
  ASSERT_NE(f.VtCalc1->Form(), nullptr);
  EXPECT_EQ(f.VtCalc1->Form()->LabelCaption->Caption(), "VORTELIM");
  f.VtCalc1->Form()->Free();
  EXPECT_TRUE(dialogs.Records().empty());
}

// The files at start-up: fixed entries take their program and shortcut
// from theirs; the user entries follow a separator.
TEST_F(ToolsMenuTest, TheToolsFilesAreReadAtCreation) {
  TAraclarRecord fixed;
  fixed.Caption = "yok sayılır";
  fixed.FileName = "C:\\Baska\\Ajanda.exe";
  fixed.ShortCut = "Ctrl+F9";
  TAraclarRecord user;
  user.Caption = "Not Defteri";
  user.FileName = folder.File("not.exe");
  WriteToolsFile(SabitFile(), {TAraclarRecord(), fixed});
  WriteToolsFile(TanimFile(), {user});
  TAnaF& f = Create();
  EXPECT_EQ(MenuCaptions(f.Araclar1), (std::vector<AnsiString>{"Araçlar Menüsünü &Düzenle", "-", "Hesap Makinesi",
                                                                FixedToolList[1].Caption, FixedToolList[2].Caption,
                                                                "-", "Not Defteri"}));
  EXPECT_EQ(f.VtAraclar1->Sabitler()->Items(1)->FileName(), "C:\\Baska\\Ajanda.exe");
  EXPECT_EQ(ToolItem(3)->ShortCut(), TextToShortCut("Ctrl+F9"));
  EXPECT_EQ(f.VtAraclar1->Sabitler()->Items(2)->FileName(), FixedToolList[2].FileName);
}

TEST_F(ToolsMenuTest, MissingProgramsAreReportedWithOrWithoutTheAdvice) {
  TAraclarRecord user;
  user.Caption = "Yok";
  user.FileName = folder.File("yok.exe");
  WriteToolsFile(TanimFile(), {user});
  TAnaF& f = Create();
  dialogs.AnswerButton(IDOK).AnswerButton(IDOK);
  ToolItem(3)->Click();
  ToolItem(6)->Click();
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[0].Text, AnsiString(FixedToolList[1].FileName) +
                                           " dosyasi bulunamadi.\r\nBu programi internet sitemizdeki Araclar "
                                           "bolumunden veya VORTELIM CD sindeki VT_ARAC klasorinden kurabilirsiniz.");
  EXPECT_EQ(dialogs.Records()[1].Text, folder.File("yok.exe") + " dosyasi bulunamadi.");
  EXPECT_EQ(dialogs.Records()[1].Caption, "Bilgi");
  (void)f;
}

// A file the shell cannot start (here one that no program opens) is told,
// not passed over in silence.
TEST_F(ToolsMenuTest, AProgramTheShellCannotStartIsReported) {
  TAraclarRecord user;
  user.Caption = "Belge";
  user.FileName = folder.File("belge.dozuribilinmez");
  WriteFileBytes(user.FileName, {1, 2, 3});
  WriteToolsFile(TanimFile(), {user});
  Create();
  dialogs.AnswerButton(IDOK);
  ToolItem(6)->Click();
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text.rfind(user.FileName + " programı başlatılamadı (Windows hata kodu ", 0), 0u)
      << dialogs.Records()[0].Text;
}

TEST_F(ToolsMenuTest, AnExistingProgramIsOpenedThroughTheShell) {
  TAraclarRecord user;
  user.Caption = "Var";
  user.FileName = folder.File("var.exe");
  WriteFileBytes(user.FileName, {1});
  WriteToolsFile(TanimFile(), {user});
  TAnaF& f = Create();
  std::vector<TShellOpenRequest> requests;
  TShellOpener previous = SetShellOpener([&](const TShellOpenRequest& r) { requests.push_back(r); });
  ToolItem(6)->Click();
  SetShellOpener(std::move(previous));
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].Verb, "open");
  EXPECT_EQ(requests[0].File, user.FileName);
  EXPECT_EQ(requests[0].Parameters, "");
  EXPECT_EQ(requests[0].Parent, f.Handle());
  EXPECT_TRUE(dialogs.Records().empty());
}

}  // namespace
