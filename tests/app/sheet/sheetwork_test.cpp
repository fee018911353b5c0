// The sheet commands' states and questions, answered from a script.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "app/sheet/sheetcommands.h"
#include "app/sheet/sheetwork.h"
#include "classlib/system/fileutils.h"
#include "tests/support/scratchfolder.h"

namespace {

// Answers in the order given; a question with no answer left fails the test.
class ScriptedPrompts : public TSheetPrompts {
public:
  std::deque<TAnswer> answers;
  std::deque<AnsiString> files;  // "" stands for a cancelled dialog
  std::vector<std::string> asked;  // what was asked or told, in order

  TAnswer AskSaveChanges() override { return Answer("save?"); }
  TAnswer AskImportIntoOpenSheet() override { return Answer("import?"); }
  bool ChooseSheetToOpen(AnsiString& fileName) override { return File("open", fileName); }
  bool ChooseSheetToSave(AnsiString& fileName) override { return File("save", fileName); }
  bool ChooseTransferFile(AnsiString& fileName) override { return File("transfer", fileName); }
  void Inform(const AnsiString& text) override { asked.push_back("info:" + text); }

private:
  TAnswer Answer(const char* what) {
    asked.push_back(what);
    if (answers.empty()) {
      ADD_FAILURE() << "unscripted question " << what;
      return aCancel;
    }
    const TAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool File(const char* what, AnsiString& fileName) {
    asked.push_back(what);
    if (files.empty()) {
      ADD_FAILURE() << "unscripted file dialog " << what;
      return false;
    }
    fileName = files.front();
    files.pop_front();
    return !fileName.empty();
  }
};

struct Work {
  TSheetDocument document;
  ScriptedPrompts prompts;
  TSheetWork work{document, prompts};
  int stateChanges = 0;
  Work() {
    document.PaperCount = 2;
    work.StateChanged = [this] { ++stateChanges; };
  }
};

using Asked = std::vector<std::string>;

}  // namespace

TEST(SheetWork, StartsClosedAndNewOpensUnmodified) {
  Work w;
  EXPECT_FALSE(w.work.SheetOpen());
  ASSERT_TRUE(w.work.Yeni());
  EXPECT_TRUE(w.work.SheetOpen());
  EXPECT_FALSE(w.work.SheetModified());
  EXPECT_EQ(w.work.StatusText(), NewWorkStatus);
  EXPECT_EQ(w.work.SheetFileName(), "");
  EXPECT_TRUE(w.prompts.asked.empty());
  // Unmodified work closes at once, and "Kaydet" writes nothing.
  EXPECT_TRUE(w.work.CanClose());
  w.work.Kaydet();
  EXPECT_TRUE(w.prompts.asked.empty());
}

TEST(SheetWork, SaveQuestionAnswers) {
  ScratchFolder folder;
  const AnsiString file = folder.File("k.bcd");
  const struct {
    const char* name;
    std::deque<TSheetPrompts::TAnswer> answers;
    std::deque<AnsiString> files;
    bool goesOn;
    bool saved;
    Asked asked;
  } cases[] = {
      {"no", {TSheetPrompts::aNo}, {}, true, false, {"save?"}},
      {"cancel", {TSheetPrompts::aCancel}, {}, false, false, {"save?"}},
      {"yes, file chosen", {TSheetPrompts::aYes}, {file}, true, true, {"save?", "save"}},
      {"yes, dialog cancelled", {TSheetPrompts::aYes}, {""}, false, false, {"save?", "save"}},
      {"yes, save fails", {TSheetPrompts::aYes}, {folder.File("yok\\k.bcd")}, false, false,
       {"save?", "save", std::string("info:") + SaveFailedText}},
  };
  for (const auto& c : cases) {
    Work w;
    ASSERT_TRUE(w.work.Yeni());
    w.work.Modified();
    w.prompts.answers = c.answers;
    w.prompts.files = c.files;
    DeleteFile(file);
    EXPECT_EQ(w.work.Yeni(), c.goesOn) << c.name;
    EXPECT_EQ(w.prompts.asked, c.asked) << c.name;
    EXPECT_EQ(FileExists(file), c.saved) << c.name;
    // A stopped "Yeni" leaves the work modified; one that went on starts afresh.
    EXPECT_EQ(w.work.SheetModified(), !c.goesOn) << c.name;
  }
}

TEST(SheetWork, SaveAsThenSaveAndOpen) {
  ScratchFolder folder;
  const AnsiString file = folder.File("iş.bcd");
  Work w;
  ASSERT_TRUE(w.work.Yeni());
  w.document.Tables.SetCell(stYazi, 2, 2, "Süt");
  w.work.Modified();
  int beforeWrite = 0;
  w.work.BeforeWrite = [&] { ++beforeWrite; };
  w.prompts.files = {file};
  w.work.FarklKaydet();
  EXPECT_EQ(beforeWrite, 1);
  EXPECT_FALSE(w.work.SheetModified());
  EXPECT_EQ(w.work.SheetFileName(), file);
  EXPECT_EQ(w.work.StatusText(), file);

  // "Kaydet" with a file name asks nothing.
  w.document.Tables.SetCell(stYazi, 2, 2, "Ayran");
  w.work.Modified();
  w.work.Kaydet();
  EXPECT_EQ(w.prompts.asked, (Asked{"save"}));
  EXPECT_FALSE(w.work.SheetModified());

  Work other;
  int afterRead = 0;
  other.work.AfterRead = [&] { ++afterRead; };
  other.prompts.files = {file};
  other.work.Ac();
  EXPECT_TRUE(other.work.SheetOpen());
  EXPECT_FALSE(other.work.SheetModified());
  EXPECT_EQ(other.work.SheetFileName(), file);
  EXPECT_EQ(other.document.Tables.Cell(stYazi, 2, 2), "Ayran");
  EXPECT_EQ(afterRead, 1);
}

TEST(SheetWork, FailedSaveAsKeepsNameAndModification) {
  ScratchFolder folder;
  Work w;
  ASSERT_TRUE(w.work.Yeni());
  w.work.Modified();
  w.prompts.files = {folder.File("yok\\a.bcd")};
  w.work.FarklKaydet();
  EXPECT_TRUE(w.work.SheetModified());
  EXPECT_EQ(w.work.SheetFileName(), "");
  EXPECT_EQ(w.prompts.asked, (Asked{"save", std::string("info:") + SaveFailedText}));
}

TEST(SheetWork, FailedOpenLeavesTheFormClosed) {
  ScratchFolder folder;
  WriteFileBytes(folder.File("bozuk.bcd"), FileBytes{'\x01', '\x02', '=', '\r', '\n'});
  Work w;
  ASSERT_TRUE(w.work.Yeni());
  w.prompts.files = {folder.File("bozuk.bcd")};
  w.work.Ac();
  EXPECT_FALSE(w.work.SheetOpen());
  EXPECT_FALSE(w.work.SheetModified());
  EXPECT_EQ(w.work.SheetFileName(), "");
  EXPECT_EQ(w.work.StatusText(), "");
  EXPECT_EQ(w.prompts.asked, (Asked{"open", std::string("info:") + OpenFailedText}));
}

TEST(SheetWork, NumberedSeriesMessageForNoNumber) {
  Work w;
  ASSERT_TRUE(w.work.Yeni());
  w.document.Tables.SetCell(stBarkod, 1, 1, "12A");
  w.work.Kopyala2(1, 1);
  EXPECT_EQ(w.prompts.asked, (Asked{std::string("info:") + SeriesNotANumberText}));
  EXPECT_FALSE(w.work.SheetModified());
  EXPECT_EQ(w.document.Tables.Cell(stBarkod, 1, 2), "");
}

TEST(SheetWork, ImportQuestionAnswers) {
  ScratchFolder folder;
  const AnsiString brc = folder.File("veri.BRC");
  const std::string text = "1|Bir|1,00|KG|\r\n2|İki|2,00|KG|\r\n3|Üç||KG|\r\n4|Dört|4,00|KG|\r\n";
  WriteFileBytes(brc, FileBytes(text.begin(), text.end()));
  const struct {
    const char* name;
    std::deque<TSheetPrompts::TAnswer> answers;
    bool imported;
    const char* fontAfter;  // "Yes" keeps the open sheet's settings, "No" starts anew
    Asked asked;
  } cases[] = {
      {"yes", {TSheetPrompts::aYes}, true, "Arial", {"transfer", "import?"}},
      {"no", {TSheetPrompts::aNo, TSheetPrompts::aNo}, true, "Tahoma", {"transfer", "import?", "save?"}},
      {"no, save cancelled", {TSheetPrompts::aNo, TSheetPrompts::aCancel}, false, "Arial",
       {"transfer", "import?", "save?"}},
      {"cancel", {TSheetPrompts::aCancel}, false, "Arial", {"transfer", "import?"}},
  };
  for (const auto& c : cases) {
    Work w;
    ASSERT_TRUE(w.work.Yeni());
    w.document.Settings.FontName = "Arial";
    w.document.Settings.Sutun = 2;
    w.document.Tables.SetCell(stBarkod, 1, 1, "eski");
    w.work.Modified();
    w.prompts.answers = c.answers;
    w.prompts.files = {brc};
    w.work.VeriAl();
    EXPECT_EQ(w.prompts.asked, c.asked) << c.name;
    EXPECT_EQ(w.document.Settings.FontName, c.fontAfter) << c.name;
    EXPECT_EQ(w.document.Tables.Cell(stBarkod, 1, 1), c.imported ? "1" : "eski") << c.name;
    EXPECT_TRUE(w.work.SheetOpen()) << c.name;
  }
}

TEST(SheetWork, ImportIntoAClosedFormStartsNewWorkAndMissingFileSaysSo) {
  ScratchFolder folder;
  Work w;
  w.prompts.files = {folder.File("yok.BRC")};
  w.work.VeriAl();
  EXPECT_TRUE(w.work.SheetOpen());
  EXPECT_EQ(w.prompts.asked, (Asked{"transfer", "info:" + folder.File("yok.BRC") + " dosyası bulunamadı..."}));

  Work cancelled;
  cancelled.prompts.files = {""};
  cancelled.work.VeriAl();
  EXPECT_FALSE(cancelled.work.SheetOpen());
}
