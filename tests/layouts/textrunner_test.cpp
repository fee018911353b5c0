// Text layouts run by the report component through the runner: the pages'
// labels are bound by their hints and hooked to the runner's text label
// handler, the text output paths write the document framed by the runner's
// printer codes, and modes a text layout cannot serve tell the user. The
// document is written to a file (the report component's OnBeforeReportPrint
// redirects it) and, on the test desktop, to its raw queue.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/printers.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/fileutils.h"
#include "layouts/dizaynpreview.h"
#include "layouts/runnerreport.h"
#include "layouts/text/textoutput.h"
#include "tests/layouts/runnerfixture.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/testqueues.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"

namespace {

using namespace runner_test;

const AnsiString kPageHint = "DATASET=ETIKET";
const AnsiString kMetin1Hint = "DATASET=ETIKET\r\nDATAFIELD=METIN1";

// What every copy of a 20-line page begins with: ESC @ (the runner's reset),
// the engine's pica and condensed-off, ESC C 20 (the page length).
const std::string kPrefix20("\x1b\x40\x1b\x50\x12\x1b\x43\x14", 8);

size_t Count(const std::string& Bytes, char C) { return std::count(Bytes.begin(), Bytes.end(), C); }

// The lines of one copy after its 8-byte prefix, up to its form feed.
std::vector<std::string> LinesOf(const std::string& Copy) {
  std::vector<std::string> lines;
  const size_t end = Copy.find('\x0C');
  for (size_t start = 8, next; (next = Copy.find("\r\n", start)) != std::string::npos && next < end; start = next + 2)
    lines.push_back(Copy.substr(start, next - start));
  return lines;
}

class TextRunnerTest : public RunnerFixture {
protected:
  // The graphic output must not be reached by a text layout.
  TextRunnerTest()
      : RunnerFixture("metin.vlp"), outputScope([this](TDizaynPreviewF& Runner) {
          ++graphicOutputs;
          PrepareRunnerPages(Runner);
        }) {
    rapor->OnBeforeReportPrint = [this](TObject*, TComponent* Report) {
      announced.push_back(Report->Name());
      if (!toPrinter)
        SendTextRunToFile(Report, savedFile);
    };
    FillLabels(*etiket, {{"Şeker", "", false}, {"Çay", "", false}, {"Un", "", false}});
    savedFile = folder.File("cikti.txt");
  }

  // A page header "Etiket Listesi", a detail label on METIN1 and a footer
  // count on a 40 x Height page, as the designer writes a text layout.
  static TZReport* AddLabelListPage(LayoutBuilder& Layout, const AnsiString& Hint = kPageHint, int Height = 20,
                                    const AnsiString& Title = "Etiket Listesi") {
    TZReport* page = Layout.AddTextPage(Hint, 40, Height);
    Layout.AddTextLabel(Layout.TextBandOf(page, zbtPageHeader), 0, 20, Title, "");
    Layout.AddTextLabel(Layout.TextBandOf(page, zbtDetail), 2, 20, "", kMetin1Hint);
    Layout.AddTextCount(Layout.TextBandOf(page, zbtFooter), 0, 5, kMetin1Hint);
    return page;
  }

  void WriteLabelListLayout() {
    LayoutBuilder layout;
    layout.AddTextLayoutMarker();
    AddLabelListPage(layout);
    layout.Save(layoutFile);
  }

  std::string SavedDocument() const {
    const FileBytes bytes = ReadFileBytes(savedFile);
    return std::string(bytes.begin(), bytes.end());
  }

  RunnerOutputScope outputScope;
  AnsiString savedFile;
  bool toPrinter = false;
  int graphicOutputs = 0;
  std::vector<AnsiString> announced;
};

// The labels are bound through their hints (the detail label and the count
// get their field variables), hooked to the text label handler (a label for
// the first page only prints, one kept off the first page does not) and
// framed by the runner's codes; one copy ends with one form feed.
TEST_F(TextRunnerTest, APrintedTextLayoutIsFramedByThePrinterCodesAndHoldsTheBoundLabels) {
  LayoutBuilder layout;
  layout.AddTextLayoutMarker();
  TZReport* page = AddLabelListPage(layout);
  layout.AddTextLabel(layout.TextBandOf(page, zbtFooter), 10, 8, "Sonraki", "PRINTOPTION=2");
  layout.AddTextLabel(layout.TextBandOf(page, zbtFooter), 20, 8, "Ilk", "PRINTOPTION=0");
  layout.Save(layoutFile);
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(announced, std::vector<AnsiString>{"Report1"});
  EXPECT_EQ(graphicOutputs, 0);
  const std::string bytes = SavedDocument();
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(0, 8), kPrefix20);
  EXPECT_EQ(Count(bytes, '\x0C'), 1u);
  EXPECT_EQ(bytes.back(), '\x0C');
  const std::vector<std::string> expected = {"",         "  Etiket Listesi", "    Seker",
                                             "    Cay", "    Un",           "  3" + std::string(19, ' ') + "Ilk"};
  const std::vector<std::string> lines = LinesOf(bytes);
  ASSERT_GE(lines.size(), expected.size()) << bytes;
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + expected.size()), expected);
  EXPECT_TRUE(dialogs.Records().empty());
}

// The host's copies: two identical blocks, each with its codes and one
// form feed, for one text page and for the composite of two (the host's
// copies were given to the first page; the composite prints them).
TEST_F(TextRunnerTest, TwoCopiesAreTwoIdenticalBlocks) {
  rapor->OnGetPrinterCopies = [](TObject*, int& Copies) { Copies = 2; };
  for (const bool composite : {false, true}) {
    LayoutBuilder layout;
    layout.AddTextLayoutMarker();
    AddLabelListPage(layout);
    if (composite)
      AddLabelListPage(layout);
    layout.Save(layoutFile);
    DeleteFile(savedFile);
    rapor->PrintReport(layoutFile);
    etiket->First();
    const std::string bytes = SavedDocument();
    ASSERT_EQ(bytes.size() % 2, 0u) << composite;
    const std::string block = bytes.substr(0, bytes.size() / 2);
    EXPECT_EQ(bytes, block + block) << composite;
    EXPECT_EQ(block.substr(0, 8), kPrefix20) << composite;
    EXPECT_EQ(Count(block, '\x0C'), 1u) << composite;
    EXPECT_EQ(block.back(), '\x0C') << composite;
    // The second list continues on the first one's page: its labels again.
    const std::vector<std::string> lines = LinesOf(block);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "    Seker"), composite ? 2 : 1) << block;
  }
}

// Two text pages run as the runner's text composite: the second page
// continues on the first one's sheet, under the first page's page length.
TEST_F(TextRunnerTest, TwoTextPagesRunAsTheCompositeOnOneSheet) {
  LayoutBuilder layout;
  layout.AddTextLayoutMarker();
  AddLabelListPage(layout, kPageHint, 30);
  // A page prints only over records (or when told to print empty), so the
  // second one runs over the labels too.
  TZReport* second = layout.AddTextPage(kPageHint, 40, 12);
  layout.AddTextLabel(layout.TextBandOf(second, zbtHeader), 0, 20, "Ikinci Sayfa", "");
  layout.Save(layoutFile);
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(announced, std::vector<AnsiString>{"ZRComposite1"});
  const std::string bytes = SavedDocument();
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x1b\x40\x1b\x50\x12\x1b\x43\x1e", 8));
  EXPECT_EQ(Count(bytes, '\x0C'), 1u);
  const std::vector<std::string> lines = LinesOf(bytes);
  const auto un = std::find(lines.begin(), lines.end(), "    Un");
  ASSERT_NE(un, lines.end()) << bytes;
  const std::vector<std::string> expected = {"    Un", "  3", "  Ikinci Sayfa"};
  ASSERT_GE(lines.end() - un, static_cast<long>(expected.size())) << bytes;
  EXPECT_EQ(std::vector<std::string>(un, un + expected.size()), expected) << bytes;
}

// A text layout with a graphic page beside it runs only its text page.
TEST_F(TextRunnerTest, AGraphicPageBesideATextPageIsLeftOut) {
  LayoutBuilder layout;
  layout.AddPage(kPageHint);
  AddLabelListPage(layout);
  layout.Save(layoutFile);
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(announced, std::vector<AnsiString>{"Report2"});
  EXPECT_EQ(graphicOutputs, 0);
  EXPECT_NE(SavedDocument().find("    Seker"), std::string::npos);
}

// An invoice page (its hint names HAREKETSAYISI) prints its detail band one
// line high, whatever height the layout gave it.
TEST_F(TextRunnerTest, AnInvoicePagesDetailBandPrintsOneLineHigh) {
  for (const char* hint : {"DATASET=ETIKET", "DATASET=ETIKET\r\nHAREKETSAYISI=5"}) {
    announced.clear();
    LayoutBuilder layout;
    TZReport* page = AddLabelListPage(layout, hint);
    layout.TextBandOf(page, zbtDetail)->SetHeight(3);
    layout.Save(layoutFile);
    rapor->PrintReport(layoutFile);
    etiket->First();
    const std::vector<std::string> lines = LinesOf(SavedDocument());
    const auto seker = std::find(lines.begin(), lines.end(), "    Seker");
    ASSERT_NE(seker, lines.end()) << hint;
    const bool invoice = std::string(hint).find("HAREKETSAYISI") != std::string::npos;
    const std::vector<std::string> expected =
        invoice ? std::vector<std::string>{"    Seker", "    Cay", "    Un"}
                : std::vector<std::string>{"    Seker", "", "", "    Cay", "", "", "    Un"};
    ASSERT_GE(lines.end() - seker, static_cast<long>(expected.size())) << hint;
    EXPECT_EQ(std::vector<std::string>(seker, seker + expected.size()), expected) << hint;
  }
}

// "PDF", "QRP" and "EMail" on a text layout tell the user, through the host's
// translation, and write nothing; the page was announced to the host first.
TEST_F(TextRunnerTest, ModesATextLayoutCannotServeTellTheUserAndWriteNothing) {
  WriteLabelListLayout();
  rapor->OnTranslate = [](AnsiString Text, AnsiString& Result) { Result = "[" + Text + "]"; };
  rapor->OutputFileName = folder.File("rapor.pdf");
  struct Case {
    const char* mode;
    const char* message;
  } cases[] = {{"PDF", TextNoPdfMessage}, {"QRP", TextNoQrpMessage}, {"EMail", TextNoMailMessage}};
  for (const Case& c : cases) {
    TScriptedDialogService scripted;
    TDialogServiceScope scope(scripted);
    scripted.AnswerButton(IDOK);
    announced.clear();
    RunLayout(c.mode);
    EXPECT_EQ(announced, std::vector<AnsiString>{"Report1"}) << c.mode;
    ASSERT_EQ(scripted.Records().size(), 1u) << c.mode;
    EXPECT_EQ(scripted.Records()[0].Kind, TDialogKind::MessageBox) << c.mode;
    EXPECT_EQ(scripted.Records()[0].Text, "[" + AnsiString(c.message) + "]") << c.mode;
    EXPECT_FALSE(FileExists(rapor->OutputFileName)) << c.mode;
    EXPECT_FALSE(FileExists(savedFile)) << c.mode;
  }
  EXPECT_EQ(graphicOutputs, 0);
}

// A text label with a parameter prints the host's value, or "ERROR" when
// the host gives none.
TEST_F(TextRunnerTest, ATextLabelsParameterPrintsTheHostsValueOrError) {
  LayoutBuilder layout;
  TZReport* page = AddLabelListPage(layout);
  layout.AddTextLabel(layout.TextBandOf(page, zbtFooter), 10, 10, "", "PARAMETRE=FIRMA");
  layout.AddTextLabel(layout.TextBandOf(page, zbtFooter), 22, 10, "", "PARAMETRE=BILINMEYEN");
  layout.Save(layoutFile);
  rapor->OnGetParam = [](TObject*, TComponent*&, AnsiString Code, AnsiString& Value) {
    if (Code == "FIRMA")
      Value = "Dozuri AS";
  };
  rapor->PrintReport(layoutFile);
  const std::vector<std::string> lines = LinesOf(SavedDocument());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "  3" + std::string(9, ' ') + "Dozuri AS   ERROR"), lines.end()) << SavedDocument();
}

// A text label naming a data set the host does not know stops the run with
// the message a graphic layout gives, instead of printing it blank.
TEST_F(TextRunnerTest, ATextLabelOnADataSetTheHostDoesNotKnowStopsTheRun) {
  LayoutBuilder layout;
  TZReport* page = AddLabelListPage(layout);
  layout.AddTextLabel(layout.TextBandOf(page, zbtDetail), 24, 10, "", "DATASET=STOK\r\nDATAFIELD=METIN2");
  layout.Save(layoutFile);
  dialogs.AnswerButton(IDOK);
  rapor->PrintReport(layoutFile);
  EXPECT_TRUE(announced.empty());
  EXPECT_FALSE(FileExists(savedFile));
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, UnsuitableFormMessage);
}

// Every kind of text label without a handler of its own gets the runner's
// text label handler; a handler the layout brought with it stays.
TEST_F(TextRunnerTest, TheTextLabelHandlerGoesOnlyWhereTheLayoutBroughtNone) {
  TDizaynPreviewF runner(nullptr);
  std::vector<TZRCustomLabel*> bare = {new TZRLabel(&runner), new TZRSystemLabel(&runner),
                                       new TZRTotalLabel(&runner)};
  auto* own = new TZRLabel(&runner);
  bool ownRan = false;
  own->BeforePrint = [&ownRan](TObject*, bool& DoPrint) {
    ownRan = true;
    DoPrint = false;
  };
  runner.OnPrintDuzenle();
  for (TZRCustomLabel* label : bare)
    EXPECT_EQ(runner.MethodName(GetMethodProp(label, "BeforePrint").Code), "ZrLabelBeforePrint") << label->ClassName();
  bool print = true;
  ASSERT_TRUE(own->BeforePrint.Assigned());
  own->BeforePrint(own, print);
  EXPECT_TRUE(ownRan);
  EXPECT_FALSE(print);
}

// The host is asked in the run's order: every data set while the layout is
// bound, then the form-open hook, the printer and copies (for the graphic
// page and again for the text page), and last the announcement of the one
// page that runs, the text page.
TEST_F(TextRunnerTest, TheHostIsAskedInTheRunsOrder) {
  LayoutBuilder layout;
  layout.AddPage(kPageHint);
  AddLabelListPage(layout);
  layout.Save(layoutFile);
  std::vector<AnsiString> events;
  const auto getDataSet = rapor->OnGetDataSet;
  rapor->OnGetDataSet = [&](TObject* Sender, AnsiString Name, TDataSet*& DataSet) {
    events.push_back("data set " + Name);
    getDataSet(Sender, Name, DataSet);
  };
  rapor->OnFormOpen = [&](TCustomForm*) { events.push_back("form open"); };
  rapor->OnGetPrinterIndex = [&](TObject*, int&) { events.push_back("printer"); };
  rapor->OnGetPrinterCopies = [&](TObject*, int&) { events.push_back("copies"); };
  const auto announce = rapor->OnBeforeReportPrint;
  rapor->OnBeforeReportPrint = [&](TObject* Sender, TComponent* Report) {
    events.push_back("before print " + Report->Name());
    announce(Sender, Report);
  };
  rapor->PrintReport(layoutFile);
  const auto formOpen = std::find(events.begin(), events.end(), AnsiString("form open"));
  ASSERT_NE(formOpen, events.end());
  // The graphic page, the text page, the detail label and the count.
  EXPECT_GE(formOpen - events.begin(), 4);
  EXPECT_TRUE(std::all_of(events.begin(), formOpen, [](const AnsiString& e) { return e == "data set ETIKET"; }));
  EXPECT_EQ(std::vector<AnsiString>(formOpen, events.end()),
            (std::vector<AnsiString>{"form open", "printer", "copies", "printer", "copies", "before print Report2"}));
}

// Whichever way a run ends (printed, stopped by the unsuitable-form message,
// raised by the host while the page is announced), the layout's components
// and the labels' run-time variables are gone afterwards, the printer that
// was current is current again, and the same runner prints the same document
// on a later run.
TEST_F(TextRunnerTest, EveryWayARunEndsLeavesNothingOfTheLayoutBehind) {
  LayoutBuilder layout;
  layout.AddTextLayoutMarker();
  TZReport* page = AddLabelListPage(layout);
  layout.AddTextLabel(layout.TextBandOf(page, zbtFooter), 24, 10, "", "DATASET=STOK\r\nDATAFIELD=METIN2");
  layout.Save(layoutFile);
  bool knowsStok = true;
  bool raise = false;
  rapor->OnGetDataSet = [&](TObject*, AnsiString Name, TDataSet*& DataSet) {
    if (Name == "ETIKET" || (knowsStok && Name == "STOK"))
      DataSet = etiket;
  };
  const auto announce = rapor->OnBeforeReportPrint;
  rapor->OnBeforeReportPrint = [&](TObject* Sender, TComponent* Report) {
    announce(Sender, Report);
    if (raise)
      throw Exception("yazici hatasi");
  };
  TDizaynPreviewF runner(nullptr);
  runner.LayoutFileName = layoutFile;
  runner.Mode = "Print";
  runner.VtRapor = rapor;
  const int ownComponents = runner.ComponentCount();
  const int printer = Printer().PrinterIndex();
  runner.Button1Click(nullptr);
  const std::string first = SavedDocument();
  ASSERT_NE(first.find("    Seker"), std::string::npos) << first;
  EXPECT_EQ(runner.ComponentCount(), ownComponents);
  EXPECT_EQ(runner.FindComponent("Report1"), nullptr);

  ASSERT_TRUE(DeleteFile(savedFile));
  etiket->First();
  runner.Button1Click(nullptr);
  EXPECT_EQ(SavedDocument(), first);
  EXPECT_EQ(runner.ComponentCount(), ownComponents);

  raise = true;
  EXPECT_THROW(runner.Button1Click(nullptr), Exception);
  EXPECT_EQ(runner.ComponentCount(), ownComponents);
  EXPECT_EQ(runner.FindComponent("Report1"), nullptr);
  EXPECT_EQ(Printer().PrinterIndex(), printer);

  raise = false;
  knowsStok = false;
  dialogs.AnswerButton(IDOK);
  runner.Button1Click(nullptr);
  EXPECT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(runner.ComponentCount(), ownComponents);
  EXPECT_EQ(runner.FindComponent("Report1"), nullptr);
}

// On the test desktop: the raw queue receives exactly the document the same
// run saves to a file.
TEST_F(TextRunnerTest, TheRawQueueReceivesTheSavedDocument) {
  const std::string rawPrinter = test_queues::Env("DOZURI_RAW_PRINTER");
  const std::string rawOut = test_queues::Env("DOZURI_RAW_OUT");
  if (rawPrinter.empty())
    GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  WriteLabelListLayout();
  rapor->PrintReport(layoutFile);
  etiket->First();
  const std::string saved = SavedDocument();
  const int index = Printer().Printers().IndexOf(rawPrinter.c_str());
  ASSERT_GE(index, 0) << rawPrinter;
  rapor->OnGetPrinterIndex = [index](TObject*, int& PrnIndex) { PrnIndex = index; };
  const int before = Printer().PrinterIndex();
  const auto jobsBefore = test_queues::FilesIn(rawOut, L"job-*.bin");
  toPrinter = true;
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(Printer().PrinterIndex(), before);
  const std::string job = test_queues::WaitForNewFile(rawOut, L"job-*.bin", jobsBefore);
  ASSERT_FALSE(job.empty()) << "no raw job arrived in " << rawOut;
  const std::string received = test_queues::ReadWholeFile(job);
  EXPECT_EQ(received, saved);
  EXPECT_EQ(received.substr(0, 8), kPrefix20);
  EXPECT_EQ(Count(received, '\x0C'), 1u);
  EXPECT_EQ(received.back(), '\x0C');
}

}  // namespace
