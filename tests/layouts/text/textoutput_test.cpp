// The text output paths: a bound text report printed to the test desktop's
// raw queue and saved to a file gives the same bytes, framed by the runner's
// printer codes and ending each copy with one form feed; the composite
// continues its pages on one sheet; modes a text page cannot serve say so.
#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/classes/streams.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/printers.h"
#include "classlib/system/formatsettings.h"
#include "layouts/text/textfieldvariables.h"
#include "layouts/text/textlabelprint.h"
#include "layouts/text/textoutput.h"
#include "layouts/text/textrunsetup.h"
#include "tests/support/scratchfolder.h"
#include "tests/support/testqueues.h"
#include "rawqueuejob.h"
#include "textpagefixture.h"

namespace {

using namespace text_pages;

std::string ReadBytes(const AnsiString& name) {
  TFileStream file(name, fmOpenRead);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  file.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  return bytes;
}

size_t Count(const std::string& bytes, char c) { return std::count(bytes.begin(), bytes.end(), c); }

// The document's lines (the first one after the start codes).
std::vector<std::string> LinesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  return lines;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class TextOutputTest : public TextPageFixture, public testing::Test {
protected:
  // A page header, a detail label on METIN1 and a footer count, bound and
  // hooked as the runner does it, over three labels.
  TZReport* LabelListPage(const char* name = "Report1", int height = 20) {
    TZReport* page = NewPage(name, 40, height);
    page->SetDataSet(table);
    Label(Band(page, zbtPageHeader), (AnsiString(name) + "Baslik").c_str(), 0, 20, "Etiket Listesi");
    Label(Band(page, zbtDetail), (AnsiString(name) + "Metin").c_str(), 2, 20, "", FieldHint("METIN1"));
    auto* count = Label<TZRTotalLabel>(Band(page, zbtFooter), (AnsiString(name) + "Adet").c_str(), 0, 5, "",
                                       FieldHint("METIN1"));
    count->SetKind(ztkCount);
    for (int k = 0; k < form.Host()->ComponentCount(); ++k) {
      TComponent* c = form.Host()->Components(k);
      BindTextLabelFromHint(c, [this](const AnsiString& n) { return AskDataSet(n); });
      if (auto* label = dynamic_cast<TZRCustomLabel*>(c); label != nullptr && !label->BeforePrint)
        label->BeforePrint = TextLabelBeforePrint;
    }
    return page;
  }

  void FillTable() { AddRows({{"Şeker"}, {"Çay"}, {"Un"}}); }

  std::string SavedRun(TZReport& page, const AnsiString& file) {
    page.Options()->SetDestination(zrdFile);
    page.Options()->SetFileName(file);
    RunTextPage(page, "Print", host);
    table->First();
    return ReadBytes(file);
  }

  TTextRunHost host;
  ScratchFolder folder;
};

// One copy: ESC @, pica, condensed off, ESC C with the page height, the
// report's lines, one form feed.
TEST_F(TextOutputTest, ACopyIsFramedByTheRunnersCodesAndEndsWithOneFormFeed) {
  FillTable();
  TZReport* page = LabelListPage();
  const std::string bytes = SavedRun(*page, folder.File("bir.txt"));
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x1b\x40\x1b\x50\x12\x1b\x43\x14", 8));
  EXPECT_EQ(bytes.back(), '\x0C');
  EXPECT_EQ(Count(bytes, '\x0C'), 1u);
  for (const char* text : {"Etiket Listesi", "Seker", "Cay", "Un"})
    EXPECT_NE(bytes.find(text), std::string::npos) << text << " in\n" << bytes;
  EXPECT_TRUE(HasLine(LinesOf(bytes), "  3")) << bytes;
}

TEST_F(TextOutputTest, TwoCopiesAreTwoIdenticalBlocks) {
  FillTable();
  TZReport* page = LabelListPage();
  const std::string one = SavedRun(*page, folder.File("bir.txt"));
  page->Options()->SetCopies(2);
  const std::string two = SavedRun(*page, folder.File("iki.txt"));
  EXPECT_EQ(two, one + one);
}

// A page whose height the printer cannot take as a page length gets no
// ESC C at all.
TEST_F(TextOutputTest, APageTallerThanThePrinterTakesGetsNoPageLength) {
  FillTable();
  TZReport* page = LabelListPage("Report1", 130);
  const std::string bytes = SavedRun(*page, folder.File("uzun.txt"));
  EXPECT_EQ(bytes.substr(0, 5), std::string("\x1b\x40\x1b\x50\x12", 5));
  EXPECT_EQ(bytes.find("\x1b\x43"), std::string::npos);
  EXPECT_EQ(Count(bytes, '\x0C'), 1u);
}

TEST_F(TextOutputTest, TheRawQueueReceivesTheBytesOfTheSavedDocument) {
  const std::string rawPrinter = test_queues::Env("DOZURI_RAW_PRINTER");
  if (rawPrinter.empty())
    GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  FillTable();
  TZReport* page = LabelListPage();
  page->Options()->SetCopies(2);
  const std::string saved = SavedRun(*page, folder.File("kopya.txt"));
  page->Options()->SetDestination(zrdPrinter);
  const auto job = RawQueueJob(rawPrinter, [&] { RunTextPage(*page, "Print", host); });
  ASSERT_TRUE(job) << "no raw job arrived in " << test_queues::Env("DOZURI_RAW_OUT");
  const std::string received = *job;
  EXPECT_EQ(received, saved);
  ASSERT_EQ(received.size() % 2, 0u);
  const std::string block = received.substr(0, received.size() / 2);
  EXPECT_EQ(received, block + block);
  EXPECT_EQ(block.substr(0, 8), std::string("\x1b\x40\x1b\x50\x12\x1b\x43\x14", 8));
  EXPECT_EQ(block.back(), '\x0C');
  EXPECT_EQ(Count(block, '\x0C'), 1u);
}

// Two short pages chained: the second continues on the first one's sheet,
// and the document carries the first page's codes and copies.
TEST_F(TextOutputTest, ACompositeOfTwoPagesContinuesOnOneSheet) {
  FillTable();
  TZReport* first = LabelListPage("Report1", 30);
  // A page prints only over records, so the second one runs over the table too.
  TZReport* second = NewPage("Report2", 40, 12);
  second->SetDataSet(table);
  Label(Band(second, zbtHeader), "Ikinci", 0, 20, "Ikinci Sayfa");
  first->Options()->SetCopies(2);
  TZRComposite composite(form.Host());
  composite.OnAddReports = [this, &composite](TObject*) { AddTextPages(composite, *form.Host()); };
  composite.Options()->SetOEMConvert(false);
  composite.Options()->SetDestination(zrdFile);
  composite.Options()->SetFileName(folder.File("bilesik.txt"));
  std::vector<TComponent*> announced;
  host.BeforeReportPrint = [&announced](TComponent* report) { announced.push_back(report); };
  ASSERT_TRUE(RunTextOutput(*form.Host(), composite, "Print", host));
  EXPECT_EQ(announced, std::vector<TComponent*>{&composite});
  const std::string bytes = ReadBytes(folder.File("bilesik.txt"));
  ASSERT_EQ(bytes.size() % 2, 0u);
  const std::string block = bytes.substr(0, bytes.size() / 2);
  EXPECT_EQ(bytes, block + block);
  EXPECT_EQ(block.substr(0, 8), std::string("\x1b\x40\x1b\x50\x12\x1b\x43\x1e", 8));
  EXPECT_EQ(Count(block, '\x0C'), 1u);
  const size_t un = block.find("Un");
  ASSERT_NE(un, std::string::npos) << block;
  const size_t header = block.find("Ikinci Sayfa");
  ASSERT_NE(header, std::string::npos) << block;
  EXPECT_LT(un, header);
  EXPECT_LT(header, block.find('\x0C'));
}

TEST_F(TextOutputTest, ModesATextPageCannotServeTellTheUser) {
  TZReport* page = NewPage("Report1");
  host.Translate = [](const AnsiString& text) { return "[" + text + "]"; };
  struct Case {
    const char* mode;
    const char* message;
  } cases[] = {{"EMail", TextNoMailMessage}, {"PDF", TextNoPdfMessage}, {"QRP", TextNoQrpMessage}, {"Baska", ""},
               {"pdf", ""}};
  for (const Case& c : cases) {
    TScriptedDialogService dialogs;
    TDialogServiceScope scope(dialogs);
    if (*c.message != '\0')
      dialogs.AnswerButton(IDOK);
    int announced = 0;
    host.BeforeReportPrint = [&announced, page](TComponent* report) { announced += report == page; };
    RunTextPage(*page, c.mode, host);
    EXPECT_EQ(announced, 1) << c.mode;
    if (*c.message == '\0') {
      EXPECT_TRUE(dialogs.Records().empty()) << c.mode;
      continue;
    }
    ASSERT_EQ(dialogs.Records().size(), 1u) << c.mode;
    EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::MessageBox);
    EXPECT_EQ(dialogs.Records()[0].Text, "[" + AnsiString(c.message) + "]");
    EXPECT_EQ(dialogs.Records()[0].Flags & 0x0F, static_cast<UINT>(MB_OK));
  }
}

TEST_F(TextOutputTest, ALayoutWithoutTextPagesLeavesTheRunToTheGraphicPaths) {
  TZReport* prototype = NewPage("ZReport1");
  prototype->SetTag(PrototypeTag);
  TZRComposite composite(form.Host());
  EXPECT_FALSE(RunTextOutput(*form.Host(), composite, "Print", host));
}

TEST_F(TextOutputTest, TheCleanUpFreesTheVariablesOfEveryTextPage) {
  FillTable();
  TZReport* one = LabelListPage("Report1");
  TZReport* two = LabelListPage("Report2");
  ASSERT_NE(one->FindComponent("gfield_Report1Metin"), nullptr);
  ASSERT_NE(two->FindComponent("gfield_TotalReport2Adet"), nullptr);
  CleanUpTextPages(*form.Host());
  EXPECT_EQ(one->FindComponent("gfield_Report1Metin"), nullptr);
  EXPECT_EQ(two->FindComponent("gfield_Report2Adet"), nullptr);
  EXPECT_EQ(two->FindComponent("gfield_TotalReport2Adet"), nullptr);
}

// A footer count whose field the host's data set lacks still counts the
// records.
TEST_F(TextOutputTest, ACountOnAFieldTheDataSetLacksCountsTheRecords) {
  FillTable();
  TZReport* page = NewPage("Report1", 40, 20);
  page->SetDataSet(table);
  Band(page, zbtDetail);
  auto* count = Label<TZRTotalLabel>(Band(page, zbtFooter), "Adet", 0, 5, "", FieldHint("YOK_BOYLE"));
  count->SetKind(ztkCount);
  ASSERT_TRUE(BindTextLabelFromHint(count, [this](const AnsiString& n) { return AskDataSet(n); }));
  const std::string bytes = SavedRun(*page, folder.File("sayac.txt"));
  EXPECT_TRUE(HasLine(LinesOf(bytes), "  3")) << bytes;
}

// A footer total sums the field over the records and shows the sum in the
// field's display format, with the Turkish decimal comma.
TEST_F(TextOutputTest, AFooterSumShowsTheTotalInTheFieldsFormat) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  FillTable();
  static_cast<TFloatField*>(table->FieldByName("FIYAT"))->SetDisplayFormat("0.00");
  TZReport* page = NewPage("Report1", 40, 20);
  page->SetDataSet(table);
  Band(page, zbtDetail);
  auto* sum = Label<TZRTotalLabel>(Band(page, zbtFooter), "Toplam", 0, 8, "", FieldHint("FIYAT"));
  ASSERT_TRUE(BindTextLabelFromHint(sum, [this](const AnsiString& n) { return AskDataSet(n); }));
  const std::string bytes = SavedRun(*page, folder.File("toplam.txt"));
  EXPECT_TRUE(HasLine(LinesOf(bytes), "  4,50")) << bytes;
}

// A label on a band of a sub-detail reads the sub-detail's records: each
// of its rows prints its own value, not the first row's again.
TEST_F(TextOutputTest, ALabelOnASubDetailBandPrintsEachOfItsRecords) {
  AddRows({{"Siparis"}});
  auto* items = new TRxMemoryData(form.Host());
  items->FieldDefs()->Add("KALEM", ftString, 10);
  items->Open();
  for (const char* item : {"Vida", "Somun", "Pul"}) {
    items->Append();
    items->FieldByName("KALEM")->SetAsString(item);
    items->Post();
  }
  TZReport* page = NewPage("Report1", 40, 20);
  page->SetDataSet(table);
  TZRCustomBand* detail = Band(page, zbtDetail);
  Label(detail, "Ust", 0, 10, "Siparis");
  detail->SetHasController(true);
  auto* sub = dynamic_cast<TZRSubDetail*>(page->FindBand(zbtController));
  ASSERT_NE(sub, nullptr);
  sub->SetWidth(37);
  sub->SetDataSet(items);
  TBindingHint hint;
  hint.SetValue(HintDataSet, "KALEMLER");
  hint.SetValue(HintDataField, "KALEM");
  TZRLabel* label = Label(Band(sub, zbtDetail), "Kalem", 2, 10, "", hint.Text());
  ASSERT_TRUE(BindTextLabelFromHint(
      label, [items](const AnsiString& n) -> TDataSet* { return n == "KALEMLER" ? items : nullptr; }));
  const std::string bytes = SavedRun(*page, folder.File("alt.txt"));
  ASSERT_EQ(bytes.substr(0, 8), std::string("\x1b\x40\x1b\x50\x12\x1b\x43\x14", 8));
  const std::vector<std::string> lines = LinesOf(bytes.substr(8));
  std::vector<std::string> printed;
  for (const std::string& line : lines)
    if (const size_t text = line.find_first_not_of(' '); text != std::string::npos)
      printed.push_back(line.substr(text));
  EXPECT_EQ(printed, (std::vector<std::string>{"Siparis", "Vida", "Somun", "Pul"}));
}

}  // namespace
