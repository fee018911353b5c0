// The sheet mode's questions and file dialogs as the dialog service sees them.
#include <gtest/gtest.h>

#include "app/generalhelpers.h"
#include "app/sheet/sheetprompts.h"
#include "classlib/forms/scripteddialogs.h"

TEST(SheetDialogPrompts, QuestionsCaptionsAndAnswers) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  TSheetDialogPrompts prompts(nullptr);
  dialogs.AnswerButton(IDYES).AnswerButton(IDNO).AnswerButton(IDCANCEL).AnswerButton(IDNO).AnswerButton(IDOK);
  EXPECT_EQ(prompts.AskSaveChanges(), TSheetPrompts::aYes);
  EXPECT_EQ(prompts.AskSaveChanges(), TSheetPrompts::aNo);
  EXPECT_EQ(prompts.AskSaveChanges(), TSheetPrompts::aCancel);
  EXPECT_EQ(prompts.AskImportIntoOpenSheet(), TSheetPrompts::aNo);
  prompts.Inform("1. hücredeki değerin sayısal olması gereklidir");
  const auto& asked = dialogs.Records();
  ASSERT_EQ(asked.size(), 5u);
  EXPECT_EQ(asked[0].Caption, "Onayla");
  EXPECT_EQ(asked[0].Text, "Yapılan değişiklikler kaydedilsin mi?");
  EXPECT_EQ(asked[0].Flags & MB_TYPEMASK, UINT(MB_YESNOCANCEL));
  EXPECT_EQ(asked[3].Caption, "Soru");
  EXPECT_EQ(asked[3].Text, "Veri almayı aktif şablon üzerine yapılsın mı?");
  EXPECT_EQ(asked[3].Flags, UINT(MB_YESNOCANCEL | MB_ICONQUESTION));
  EXPECT_EQ(asked[4].Caption, "Bilgi");
  EXPECT_EQ(asked[4].Flags, UINT(MB_OK | MB_ICONINFORMATION));
}

TEST(SheetDialogPrompts, FileDialogsFiltersAndFolders) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  TSheetDialogPrompts prompts(nullptr);
  dialogs.AnswerFile("C:\\a.bcd").AnswerFile("C:\\b.bcd").AnswerFile("C:\\c.bcd").AnswerFile("C:\\d.BRC");
  AnsiString file;
  ASSERT_TRUE(prompts.ChooseSheetToOpen(file));
  EXPECT_EQ(file, "C:\\a.bcd");
  ASSERT_TRUE(prompts.ChooseSheetToOpen(file));
  ASSERT_TRUE(prompts.ChooseSheetToSave(file));
  EXPECT_EQ(file, "C:\\c.bcd");
  ASSERT_TRUE(prompts.ChooseTransferFile(file));
  const auto& asked = dialogs.Records();
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0].Kind, TDialogKind::OpenFile);
  EXPECT_EQ(asked[0].Filter, "VORTELIM Dozuri Dosyası|*.bcd");
  EXPECT_EQ(asked[0].DefaultExt, "bcd");
  EXPECT_EQ(asked[0].InitialDir, SheetDataDir());
  EXPECT_EQ(asked[1].InitialDir, ExeDir());  // the open dialog starts in the program's folder afterwards
  EXPECT_EQ(asked[2].Kind, TDialogKind::SaveFile);
  EXPECT_TRUE(asked[2].Options.Contains(ofOverwritePrompt));
  EXPECT_EQ(asked[2].InitialDir, SheetDataDir());
  EXPECT_EQ(asked[3].Filter, "VORTELIM Dozuri Transferi|*.BRC");
  EXPECT_EQ(asked[3].DefaultExt, "BRC");
  EXPECT_EQ(asked[3].InitialDir, SheetDataDir());
}
