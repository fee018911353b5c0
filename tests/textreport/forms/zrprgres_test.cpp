// The text report's progress form: its texts, the percent it shows for
// each notice, its place in the document's progress slot, and cancelling
// a build from its button, when printing and when previewing.
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
#include "textreport/forms/zrprev.h"
#include "textreport/forms/zrprgres.h"
#include "../output/zrtestreport.h"

namespace {

using namespace test_support;

template <class Form>
int FormsOfApplication() {
  int count = 0;
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (dynamic_cast<Form*>(Application->Components(i)) != nullptr)
      ++count;
  return count;
}

int ProgressFormsOfApplication() { return FormsOfApplication<TZRProgressForm>(); }

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

// A report of three records writing to a file, with the progress form;
// the detail's AfterPrint acts while the first record prints.
struct CancelRun {
  CancelRun() {
    InstallProgressForm();
    InstallZRPreviewForm();
    auto* table = new TRxMemoryData(form.Host());
    table->FieldDefs()->Add("AD", ftString, 10);
    table->Open();
    for (const char* name : {"A", "B", "C"}) {
      table->Append();
      table->FieldByName("AD")->SetAsString(name);
      table->Post();
    }
    table->First();
    report = new TZReport(form.Host());
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
    detail = report->FindBand(zbtDetail);
    detail->SetHeight(1);
    auto* label = new TZRLabel(form.Host());
    label->SetParent(detail);
    label->SetCaption("X");
  }
  ~CancelRun() {
    ProgressFormFactory = nullptr;
    TZRPrinter::PreviewFormFactory = nullptr;
  }
  bool OutputWritten() const { return std::filesystem::exists(folder.Path() / "rapor.txt"); }

  FormFixture form;
  ScratchFolder folder;
  TZReport* report = nullptr;
  TZRCustomBand* detail = nullptr;
};

// A report printing to a file with its progress shown: Cancel pressed
// while the first record prints stops the build, the form goes, and no
// output file is written.
TEST(ZRProgressFormRunTest, CancelWhileBuildingWritesNoOutput) {
  CancelRun run;
  TZReport* report = run.report;
  int details = 0;
  bool formShown = false;
  run.detail->AfterPrint = [&](TObject*) {
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
  EXPECT_FALSE(run.OutputWritten());
  EXPECT_EQ(ProgressFormsOfApplication(), before);
}

// In a preview, Cancel on the progress form while the report is built
// closes both the progress form and the preview, Preview returns, and
// nothing is written. In the whole-report mode the progress form is the
// one on the screen while building; with one page at a time, the preview.
TEST(ZRProgressFormRunTest, CancelWhilePreviewingClosesBothForms) {
  for (TZRPreviewMode mode : {zpmWholeReport, zpmSinglePage}) {
    CancelRun run;
    TZReport* report = run.report;
    report->Options()->SetPreviewMode(mode);
    int details = 0;
    bool bothForms = false, progressShown = false, previewShown = false;
    run.detail->AfterPrint = [&](TObject*) {
      ++details;
      TZRPrinter* document = report->FetchPrinter();
      auto* progress = dynamic_cast<TZRProgressForm*>(document->ProgressForm());
      auto* preview = dynamic_cast<TZRPreviewForm*>(document->PreviewForm());
      bothForms = progress != nullptr && preview != nullptr;
      if (!bothForms)
        return;
      progressShown = progress->Visible();
      previewShown = preview->Visible();
      progress->Cancel->Click();
    };
    const int progressBefore = FormsOfApplication<TZRProgressForm>();
    const int previewBefore = FormsOfApplication<TZRPreviewForm>();
    report->Preview();
    Pump();
    EXPECT_EQ(details, 1) << mode;
    ASSERT_TRUE(bothForms) << mode;
    EXPECT_EQ(progressShown, mode == zpmWholeReport);
    EXPECT_EQ(previewShown, mode == zpmSinglePage);
    EXPECT_EQ(report->FetchPrinter(), nullptr) << mode;
    EXPECT_EQ(FormsOfApplication<TZRProgressForm>(), progressBefore) << mode;
    EXPECT_EQ(FormsOfApplication<TZRPreviewForm>(), previewBefore) << mode;
    EXPECT_FALSE(run.OutputWritten()) << mode;
  }
}

// Closing the window that stands for a build while it runs (its close box,
// Alt+F4) stops the build as Cancel does: printing writes nothing, and a
// preview neither goes on building out of sight nor shows afterwards. The
// window on the screen is the progress form when printing and in the
// whole-report mode, the preview with one page at a time.
TEST(ZRProgressFormRunTest, ClosingTheWindowWhileBuildingCancelsTheRun) {
  const struct {
    bool preview;
    TZRPreviewMode mode;
  } runs[] = {{false, zpmSinglePage}, {true, zpmWholeReport}, {true, zpmSinglePage}};
  for (const auto& r : runs) {
    CancelRun run;
    TZReport* report = run.report;
    report->Options()->SetPreviewMode(r.mode);
    int details = 0;
    bool closed = false;
    run.detail->AfterPrint = [&](TObject*) {
      ++details;
      TZRPrinter* document = report->FetchPrinter();
      const bool previewShown = r.preview && r.mode == zpmSinglePage;
      auto* shown = previewShown ? dynamic_cast<TForm*>(document->PreviewForm())
                                 : dynamic_cast<TForm*>(document->ProgressForm());
      if (shown == nullptr || !shown->Visible())
        return;
      closed = true;
      shown->Close();
      EXPECT_TRUE(document->IsCancelled()) << r.preview << r.mode;
    };
    const int progressBefore = FormsOfApplication<TZRProgressForm>();
    const int previewBefore = FormsOfApplication<TZRPreviewForm>();
    // A preview left on the screen after the build is closed after a while,
    // so that a run that did not stop fails instead of waiting for a user.
    static TZReport* waiting = nullptr;
    static bool leftOpen = false;
    waiting = report;
    leftOpen = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) {
      TZRPrinter* document = waiting->FetchPrinter();
      if (auto* preview = document != nullptr ? dynamic_cast<TForm*>(document->PreviewForm()) : nullptr) {
        leftOpen = true;
        preview->Close();
      }
    });
    if (r.preview)
      report->Preview();
    else
      report->Print();
    KillTimer(nullptr, timer);
    Pump();
    EXPECT_FALSE(leftOpen) << r.preview << r.mode;
    EXPECT_TRUE(closed) << r.preview << r.mode;
    EXPECT_EQ(details, 1) << r.preview << r.mode;
    EXPECT_EQ(report->FetchPrinter(), nullptr);
    EXPECT_EQ(FormsOfApplication<TZRProgressForm>(), progressBefore) << r.preview << r.mode;
    EXPECT_EQ(FormsOfApplication<TZRPreviewForm>(), previewBefore) << r.preview << r.mode;
    EXPECT_FALSE(run.OutputWritten()) << r.preview << r.mode;
  }
}

// Once the build is done, closing a form only closes it.
TEST_F(ZRProgressFormTest, ClosingAfterTheBuildCancelsNothing) {
  auto* form = NewForm<TZRProgressForm>(Application, &document);
  zr_test::Build(document, {{"a"}});
  form->Close();
  EXPECT_EQ(document.State(), TZRDocumentState::Done);
  EXPECT_EQ(document.ProgressForm(), nullptr);
  Pump();
}

}  // namespace
