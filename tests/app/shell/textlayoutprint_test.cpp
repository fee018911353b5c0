// The main form prints its labels through a text layout for a dot-matrix
// printer that the report list file names as the default: the document is
// framed by the runner's printer codes, holds the labels' texts in ASCII
// letters and ends every copy with one form feed; the list's copy count
// gives that many identical blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/generalhelpers.h"
#include "app/labeltable.h"
#include "classlib/printers/printers.h"
#include "classlib/system/fileutils.h"
#include "layouts/dizaynpreview.h"
#include "layouts/output/runneroutput.h"
#include "layouts/reportlistfile.h"
#include "layouts/runnerreport.h"
#include "shell_test_util.h"
#include "tests/layouts/runnerfixture.h"
#include "textreport/engine/zreport.h"

namespace {

using namespace shell_test;

const char* const kLabels[][2] = {
    {"8690000000012", "Çiğdem Şeker"},
    {"4006381333931", "Işık Öğretmen"},
    {"5901234123457", "Ağaç Süngü"},
};
// What the labels print as: the text label handler writes Turkish letters
// in ASCII, the page header and the count frame them.
const char* const kPrintedLines[] = {"  Etiket Listesi", "    8690000000012 Cigdem Seker",
                                     "    4006381333931 Isik Ogretmen", "    5901234123457 Agac Sungu", "  3"};

size_t Count(const std::string& Bytes, char C) { return std::count(Bytes.begin(), Bytes.end(), C); }

class TextLayoutPrintTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    runnerScope.emplace();
    outputScope.emplace(nullptr);
    InstallRunnerOutputPaths();
  }
  void TearDown() override {
    MainFormTest::TearDown();
    outputScope.reset();
    runnerScope.reset();
  }

  // A 40 x 20 text page on the label table: the header "Etiket Listesi",
  // METIN1 and METIN2 of every label, and their count.
  AnsiString WriteTextLayout() {
    const AnsiString file = folder.File("metin.vlp");
    WriteTextLayoutTo(file);
    return file;
  }

public:
  static void WriteTextLayoutTo(const AnsiString& File) {
    runner_test::LayoutBuilder layout;
    layout.AddTextLayoutMarker();
    TZReport* page = layout.AddTextPage("DATASET=ETIKET", 40, 20);
    // The preview window's caption.
    page->SetTitle("Etiket Listesi");
    layout.AddTextLabel(layout.TextBandOf(page, zbtPageHeader), 0, 20, "Etiket Listesi", "");
    TZRCustomBand* detail = layout.TextBandOf(page, zbtDetail);
    layout.AddTextLabel(detail, 2, 13, "", "DATASET=ETIKET\r\nDATAFIELD=METIN1");
    layout.AddTextLabel(detail, 16, 20, "", "DATASET=ETIKET\r\nDATAFIELD=METIN2");
    layout.AddTextCount(layout.TextBandOf(page, zbtFooter), 0, 5, "DATASET=ETIKET\r\nDATAFIELD=METIN1");
    layout.Save(File);
  }

protected:

  // The report list names the text layout as the default, with the printer
  // (empty: the current one) and the copies.
  void WriteReportList(const AnsiString& Layout, const AnsiString& PrinterName, int Copies) {
    TReportListFile list;
    list.Entries.push_back({Layout, "Nokta vuruşlu liste", true});
    list.PrinterName = PrinterName;
    list.Copies = Copies;
    list.Save(IniDir() + "etiketyeni.ini");
  }

  void AddLabels(TAnaF& Form) {
    for (const auto& label : kLabels) {
      Form.RxEtiket->Append();
      Form.RxEtiket->FieldByName("METIN1")->SetAsString(label[0]);
      Form.RxEtiket->FieldByName("METIN2")->SetAsString(label[1]);
      Form.RxEtiket->Post();
    }
  }

  static void ExpectOneCopy(const std::string& Copy) {
    EXPECT_EQ(Copy.substr(0, 8), std::string("\x1b\x40\x1b\x50\x12\x1b\x43\x14", 8));
    EXPECT_EQ(Count(Copy, '\x0C'), 1u);
    ASSERT_FALSE(Copy.empty());
    EXPECT_EQ(Copy.back(), '\x0C');
    size_t at = 0;
    for (const char* line : kPrintedLines) {
      at = Copy.find(std::string(line) + "\r\n", at);
      EXPECT_NE(at, std::string::npos) << "\"" << line << "\" is missing or out of order in:\n" << Copy;
      if (at == std::string::npos)
        return;
    }
  }

  std::optional<runner_test::RunnerScope> runnerScope;
  std::optional<runner_test::RunnerOutputScope> outputScope;
};

TEST_F(TextLayoutPrintTest, TheDefaultTextLayoutPrintsTheLabelsWithTheListsCopies) {
  WriteReportList(WriteTextLayout(), "", 2);
  TAnaF& f = Create();
  AddLabels(f);
  const AnsiString saved = folder.File("cikti.txt");
  std::vector<AnsiString> announced;
  f.VtRapor->OnBeforeReportPrint = [&](TObject*, TComponent* Report) {
    announced.push_back(Report->Name());
    runner_test::SendTextRunToFile(Report, saved);
  };
  dialogs.AnswerText("1");
  f.YazdirClick(f.Yazdir1);
  EXPECT_EQ(announced, std::vector<AnsiString>{"Report1"});
  EXPECT_EQ(dialogs.Records().size(), 1u);  // the start position only
  const FileBytes bytes = ReadFileBytes(saved);
  const std::string document(bytes.begin(), bytes.end());
  ASSERT_EQ(document.size() % 2, 0u) << document;
  const std::string copy = document.substr(0, document.size() / 2);
  EXPECT_EQ(document, copy + copy);
  ExpectOneCopy(copy);
}

}  // namespace

// The same print on the printer the report list names: the test desktop's
// raw queue. Run only where a script looks at what the queue received
// (tests/e2e/labels_raw_e2e.py sets DOZURI_TEXT_LABELS_TO_PRINTER and checks
// the job's bytes).
class TextLabelsToTheRawPrinter : public TextLayoutPrintTest {};

// The same layout written where a script that drives the program wants it
// (tests/e2e/dozuri_textlabels_e2e.py sets DOZURI_WRITE_TEXT_LAYOUT).
TEST(TextLayoutForTheProgram, IsWrittenWhereTheScriptAsks) {
  const char* target = std::getenv("DOZURI_WRITE_TEXT_LAYOUT");
  if (target == nullptr)
    GTEST_SKIP() << "DOZURI_WRITE_TEXT_LAYOUT is not set";
  RegisterRunnerClasses();
  TextLayoutPrintTest::WriteTextLayoutTo(target);
  EXPECT_TRUE(FileExists(target)) << target;
}

TEST_F(TextLabelsToTheRawPrinter, ThreeLabelsGoToTheListsPrinterThroughTheDefaultTextLayout) {
  if (std::getenv("DOZURI_TEXT_LABELS_TO_PRINTER") == nullptr)
    GTEST_SKIP() << "DOZURI_TEXT_LABELS_TO_PRINTER is not set";
  const char* raw = std::getenv("DOZURI_RAW_PRINTER");
  ASSERT_NE(raw, nullptr) << "DOZURI_RAW_PRINTER is not set: run inside tools/desktop as root";
  ASSERT_GE(Printer().Printers().IndexOf(raw), 0) << raw;
  WriteReportList(WriteTextLayout(), raw, 1);
  TAnaF& f = Create();
  AddLabels(f);
  dialogs.AnswerText("1");
  f.YazdirClick(f.Yazdir1);
  EXPECT_EQ(dialogs.Records().size(), 1u);
}
