// A text layout as the designer stores it: written by one design stage,
// read by another on a runner-like form, then bound, hooked and printed
// through the text units, as a run of the report runner does.
#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/classes/streams.h"
#include "classlib/printers/printers.h"
#include "classlib/stdctrls/checkbox.h"
#include "design/dsnunit.h"
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

struct FreeForm {
  void operator()(TForm* f) const { f->Free(); }
};

std::unique_ptr<TForm, FreeForm> FormWithStage(const char* name, TDsnStage*& stage) {
  std::unique_ptr<TForm, FreeForm> form(new TForm(nullptr));
  form->SetName(name);
  stage = new TDsnStage(form.get());
  stage->SetName("DsnStage1");
  stage->SetParent(form.get());
  return form;
}

template <class C>
C* Put(TForm* form, TWinControl* parent, const char* name, int left, int width) {
  auto* c = new C(form);
  c->SetName(name);
  c->SetParent(parent);
  c->SetLeft(left);
  c->SetTop(0);
  c->SetWidth(width);
  return c;
}

// A page header "Etiket Listesi", a detail label on METIN1 and a footer
// count, 40 x 20, with the text layout marker beside it.
void WriteLayout(const AnsiString& file) {
  TDsnStage* stage = nullptr;
  auto form = FormWithStage("DesignForm", stage);
  auto* page = new TZReport(form.get());
  page->SetName("Report1");
  page->SetParent(stage);
  page->SetWidth(40);
  page->SetHeight(20);
  page->Options()->SetOEMConvert(false);
  page->Bands()->SetHas(zbtPageHeader, true);
  page->Bands()->SetHas(zbtDetail, true);
  page->Bands()->SetHas(zbtFooter, true);
  for (TZRBandType kind : {zbtPageHeader, zbtDetail, zbtFooter})
  {
    page->FindBand(kind)->SetWidth(37);
    page->FindBand(kind)->SetHeight(1);
  }
  Put<TZRLabel>(form.get(), page->FindBand(zbtPageHeader), "ZRLabel1", 0, 20)->SetCaption("Etiket Listesi");
  Put<TZRLabel>(form.get(), page->FindBand(zbtDetail), "ZRLabel2", 2, 20)->SetHint(TextPageFixture::FieldHint("METIN1"));
  auto* count = Put<TZRTotalLabel>(form.get(), page->FindBand(zbtFooter), "ZRTotalLabel1", 0, 5);
  count->SetHint(TextPageFixture::FieldHint("METIN1"));
  count->SetKind(ztkCount);
  auto* marker = new TCheckBox(form.get());
  marker->SetName("CheckZReport");
  marker->SetParent(stage);
  marker->SetChecked(true);
  stage->SaveToFile(file);
}

class TextLayoutFileTest : public TextPageFixture, public testing::Test {
protected:
  TextLayoutFileTest() { RegisterZReportClasses(); RegisterClasses({TCheckBox::StaticClass()}); }
  ScratchFolder folder;
};

TEST_F(TextLayoutFileTest, AStoredTextLayoutPrintsItsLabelsThroughTheTextUnits) {
  AddRows({{"Bir"}, {"İki"}, {"Üç"}});
  const AnsiString layout = folder.File("metin.dsn");
  WriteLayout(layout);
  TDsnStage* stage = nullptr;
  auto runner = FormWithStage("Runner", stage);
  stage->LoadFromFile(layout);
  const std::vector<TZReport*> pages = TextPagesOf(*runner);
  ASSERT_EQ(pages.size(), 1u);
  TZReport* page = pages.front();
  page->SetDataSet(table);
  int bound = 0;
  for (int k = 0; k < runner->ComponentCount(); ++k) {
    TComponent* c = runner->Components(k);
    bound += BindTextLabelFromHint(c, [this](const AnsiString& n) { return AskDataSet(n); });
    if (auto* label = dynamic_cast<TZRCustomLabel*>(c); label != nullptr && !label->BeforePrint)
      label->BeforePrint = TextLabelBeforePrint;
  }
  EXPECT_EQ(bound, 2);
  page->Options()->SetDestination(zrdFile);
  page->Options()->SetFileName(folder.File("cikti.txt"));
  TZRComposite composite(runner.get());
  TTextRunHost host;
  ASSERT_TRUE(RunTextOutput(*runner, composite, "Print", host));
  TFileStream file(folder.File("cikti.txt"), fmOpenRead);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  file.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  EXPECT_EQ(bytes.substr(0, 8), std::string("\x1b\x40\x1b\x50\x12\x1b\x43\x14", 8));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\x0C'), 1);
  EXPECT_EQ(bytes.back(), '\x0C');
  std::vector<std::string> lines;
  for (size_t start = 8, end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  const std::vector<std::string> expected = {"", "  Etiket Listesi", "    Bir", "    Iki", "    Uc", "  3"};
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + expected.size()), expected);
  // The same run to the test desktop's raw queue: the listener receives the
  // bytes of the saved document.
  if (const std::string rawPrinter = test_queues::Env("DOZURI_RAW_PRINTER"); !rawPrinter.empty()) {
    page->Options()->SetDestination(zrdPrinter);
    table->First();
    const auto received = RawQueueJob(rawPrinter, [&] { RunTextOutput(*runner, composite, "Print", host); });
    ASSERT_TRUE(received) << "no raw job arrived in " << test_queues::Env("DOZURI_RAW_OUT");
    EXPECT_EQ(*received, bytes);
  }
  CleanUpTextPages(*runner);
  EXPECT_EQ(page->FindComponent("gfield_ZRLabel2"), nullptr);
}

}  // namespace
