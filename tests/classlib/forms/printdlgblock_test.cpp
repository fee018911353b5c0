// The print dialog block every print dialog of the program fills: the
// flags for its options and choices, its numbers, and the answers read back.
#include <gtest/gtest.h>

#include "classlib/forms/dialogs.h"
#include "classlib/forms/win32dialogs.h"

namespace {

TEST(PrintDlgBlockTest, OptionsAndChoicesBecomeFlags) {
  const struct {
    TPrintDialogOptions options;
    TPrintRange range;
    bool collate;
    bool toFile;
    DWORD flags;
  } cases[] = {
      {{}, prAllPages, false, false, PD_HIDEPRINTTOFILE | PD_NOPAGENUMS | PD_NOSELECTION | PD_NOWARNING},
      {{poPrintToFile, poPageNums, poWarning}, prPageNums, true, true,
       PD_NOSELECTION | PD_PAGENUMS | PD_COLLATE | PD_PRINTTOFILE},
      {{poSelection, poDisablePrintToFile, poHelp, poWarning}, prSelection, false, false,
       PD_HIDEPRINTTOFILE | PD_NOPAGENUMS | PD_DISABLEPRINTTOFILE | PD_SHOWHELP | PD_SELECTION},
  };
  for (const auto& c : cases) {
    TPrintDialog dialog(nullptr);
    dialog.SetOptions(c.options);
    dialog.SetPrintRange(c.range);
    dialog.SetCollate(c.collate);
    dialog.SetPrintToFile(c.toFile);
    PRINTDLGW block{};
    FillPrintDlg(block, dialog);
    EXPECT_EQ(block.Flags, c.flags) << static_cast<int>(c.range);
  }
}

TEST(PrintDlgBlockTest, NumbersGoInAndAnswersComeBack) {
  TPrintDialog dialog(nullptr);
  dialog.SetCopies(0);
  dialog.SetMinPage(1);
  dialog.SetMaxPage(9);
  dialog.SetFromPage(2);
  dialog.SetToPage(5);
  PRINTDLGW block{};
  FillPrintDlg(block, dialog);
  EXPECT_EQ(block.nCopies, 1);  // no copies asked is one copy
  EXPECT_EQ(block.nMinPage, 1);
  EXPECT_EQ(block.nMaxPage, 9);
  EXPECT_EQ(block.nFromPage, 2);
  EXPECT_EQ(block.nToPage, 5);
  const struct {
    DWORD flags;
    TPrintRange range;
  } answers[] = {{0, prAllPages}, {PD_PAGENUMS, prPageNums}, {PD_SELECTION, prSelection}};
  for (const auto& a : answers) {
    block.Flags = a.flags | PD_COLLATE;
    block.nCopies = 4;
    block.nFromPage = 3;
    block.nToPage = 7;
    ReadPrintDlg(block, dialog);
    EXPECT_EQ(dialog.PrintRange(), a.range);
    EXPECT_TRUE(dialog.Collate());
    EXPECT_FALSE(dialog.PrintToFile());
    EXPECT_EQ(dialog.Copies(), 4);
    EXPECT_EQ(dialog.FromPage(), 3);
    EXPECT_EQ(dialog.ToPage(), 7);
  }
}

}  // namespace
