// The text report's progress form: its texts, the percent it shows for
// each notice, its place in the document's progress slot, and cancelling
// a build from its button.
#include <gtest/gtest.h>

#include <filesystem>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/forms/application.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"
#include "textreport/forms/zrprgres.h"
#include "../output/zrtestreport.h"

namespace {

using namespace test_support;

int ProgressFormsOfApplication() {
  int count = 0;
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (dynamic_cast<TZRProgressForm*>(Application->Components(i)) != nullptr)
      ++count;
  return count;
}

class ZRProgressFormTest : public testing::Test {
protected:
  zr_test::TestReport report{10, 2};
  TZRPrinter document{&report};
};

TEST_F(ZRProgressFormTest, ShowsTheEngineTextsAndTakesTheDocumentsSlot) {
  Owned<TZRProgressForm> form(NewForm<TZRProgressForm>(Application, &document));
  EXPECT_EQ(form->Caption(), "Printing..");
  EXPECT_EQ(form->Cancel->Caption(), "Cancel");
  EXPECT_EQ(form->Width(), 200);
  EXPECT_EQ(form->Height(), 111);
  EXPECT_EQ(form->BorderStyle(), bsSizeToolWin);
  EXPECT_EQ(document.ProgressForm(), form.get());
}

// Every notice shows, 0 too: no step is skipped.
TEST_F(ZRProgressFormTest, EachProgressNoticeShowsItsPercent) {
  Owned<TZRProgressForm> form(NewForm<TZRProgressForm>(Application, &document));
  const struct {
    int percent;
    const char* text;
  } cases[] = {{40, "40% complete"}, {0, "0% complete"}, {41, "41% complete"}, {100, "100% complete"}};
  for (const auto& c : cases) {
    document.SetProgress(c.percent);
    EXPECT_EQ(form->Info->Caption(), c.text);
    EXPECT_EQ(form->Gauge->Position(), c.percent);
  }
  // The window message itself, as the document's notice is defined.
  SendMessageW(form->Handle(), WM_USER, 40, 0);
  EXPECT_EQ(form->Info->Caption(), "40% complete");
}

TEST_F(ZRProgressFormTest, MovingToAnotherDocumentLeavesTheFirstOnesSlot) {
  zr_test::TestReport otherReport{10, 2};
  TZRPrinter other{&otherReport};
  {
    Owned<TZRProgressForm> form(NewForm<TZRProgressForm>(Application, &document));
    form->SetDocument(&other);
    EXPECT_EQ(document.ProgressForm(), nullptr);
    EXPECT_EQ(other.ProgressForm(), form.get());
  }
  EXPECT_EQ(other.ProgressForm(), nullptr);
}

TEST_F(ZRProgressFormTest, CancelCancelsTheDocumentAndTheFormGoes) {
  const int before = ProgressFormsOfApplication();
  auto* form = NewForm<TZRProgressForm>(Application, &document);
  form->Show();
  document.BeginDoc();
  form->Cancel->Click();
  EXPECT_TRUE(document.IsCancelled());
  EXPECT_EQ(document.ProgressForm(), nullptr);
  Pump();
  EXPECT_EQ(ProgressFormsOfApplication(), before);
}

// A report printing to a file with its progress shown: Cancel pressed
// while the first record prints stops the build, the form goes, and no
// output file is written.
TEST(ZRProgressFormRunTest, CancelWhileBuildingWritesNoOutput) {
  FormFixture form;
  ScratchFolder folder;
  InstallProgressForm();
  struct Uninstall {
    ~Uninstall() { ProgressFormFactory = nullptr; }
  } uninstall;
  auto* table = new TRxMemoryData(form.Host());
  table->FieldDefs()->Add("AD", ftString, 10);
  table->Open();
  for (const char* name : {"A", "B", "C"}) {
    table->Append();
    table->FieldByName("AD")->SetAsString(name);
    table->Post();
  }
  table->First();
  auto* report = new TZReport(form.Host());
  report->SetParent(form.Host());
  report->SetWidth(20);
  report->SetHeight(10);
  report->Options()->SetOEMConvert(false);
  report->Options()->SetPaperType(zptSheet);
  report->Options()->SetDestination(zrdFile);
  report->Options()->SetFileName(folder.File("rapor.txt"));
  report->SetShowProgress(true);
  report->SetDataSet(table);
  report->Bands()->SetHas(zbtDetail, true);
  TZRCustomBand* detail = report->FindBand(zbtDetail);
  detail->SetHeight(1);
  auto* label = new TZRLabel(form.Host());
  label->SetParent(detail);
  label->SetCaption("X");
  int details = 0;
  bool formShown = false;
  detail->AfterPrint = [&](TObject*) {
    ++details;
    auto* progress = dynamic_cast<TZRProgressForm*>(report->FetchPrinter()->ProgressForm());
    ASSERT_NE(progress, nullptr);
    formShown = progress->Visible();
    progress->Cancel->Click();
  };
  const int before = ProgressFormsOfApplication();
  report->Print();
  Pump();
  EXPECT_EQ(details, 1);
  EXPECT_TRUE(formShown);
  EXPECT_EQ(report->FetchPrinter(), nullptr);
  EXPECT_FALSE(std::filesystem::exists(folder.Path() / "rapor.txt"));
  EXPECT_EQ(ProgressFormsOfApplication(), before);
}

}  // namespace
