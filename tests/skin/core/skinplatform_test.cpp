// The skin library's platform routines under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <set>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/icon.h"
#include "classlib/system/fileutils.h"
#include "skin/core/skinplatform.h"
#include "skinprobe.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"

namespace {

TEST(SkinPlatform, ProgramFolderHoldsTheProgram) {
  AnsiString folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_TRUE(FileExists(folder + "test_skin_core.exe")) << folder;
}

TEST(SkinPlatform, DirectorySearchListsEveryEntry) {
  ScratchFolder folder;
  WriteFileBytes(folder.File("a.asz"), FileBytes{1, 2, 3});
  WriteFileBytes(folder.File("b.txt"), FileBytes{});
  AnsiString pattern = folder.File("*");
  TSearchEntry entry;
  std::set<AnsiString> names;
  ASSERT_EQ(FindFirstEntry(pattern, entry), 0) << pattern;
  do {
    names.insert(entry.Name);
    if (entry.Name == "a.asz") {
      EXPECT_EQ(entry.Size, 3);
    }
  } while (FindNextEntry(entry) == 0);
  FindCloseEntry(entry);
  EXPECT_TRUE(names.count("a.asz"));
  EXPECT_TRUE(names.count("b.txt"));
  TSearchEntry none;
  EXPECT_NE(FindFirstEntry(pattern + "missing*", none), 0);
  FindCloseEntry(none);
}

TEST(SkinPlatform, ShellIconsOfFiles) {
  EXPECT_EQ(FileShellIcon(ProgramFolder() + "missing.exe", 0), nullptr);
  std::unique_ptr<TIcon> large(FileShellIcon(ProgramFolder() + "test_skin_core.exe", 0));
  ASSERT_NE(large, nullptr);
  EXPECT_NE(large->Handle(), nullptr);
  std::unique_ptr<TIcon> small(FileShellIcon(ProgramFolder() + "test_skin_core.exe", SHGFI_SMALLICON));
  ASSERT_NE(small, nullptr);
}

TEST(SkinPlatform, CaptionFontAndVersions) {
  EXPECT_NE(CaptionFontHeight(), 0);
  HFONT font = CreateCaptionFont();
  EXPECT_NE(font, nullptr);
  DeleteObject(font);
  EXPECT_TRUE(IsWindowsXPOrLater());
  LoadWow64Entry();
  EXPECT_FALSE(RunsUnderWow64()) << "a 64-bit program";
}

TEST(SkinPlatform, ErrorMessageIsAnErrorBoxWithOneButton) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerButton(mrOk);
  ShowErrorMessage("Loaded data is not a packed skin file");
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Loaded data is not a packed skin file");
  EXPECT_EQ(dialogs.Records()[0].DlgType, mtError);
  EXPECT_EQ(dialogs.Records()[0].Buttons, TMsgDlgButtons{mbOK});
}

TEST(SkinPlatform, DelayProcessesWaitingMessagesEvenForZero) {
  test_support::FormFixture form;
  auto* probe = form.Add<skin_test::TSkinProbe>(10, 10, 40, 40);
  probe->HandleNeeded();
  probe->Commands.clear();
  PostMessageW(probe->Handle(), SM_ALPHACMD, SkinCommandWParam(SkinCmdInvalidateCache), 0);
  DelayWithMessages(0);
  EXPECT_TRUE(probe->Received(SkinCmdInvalidateCache));
}

}  // namespace
