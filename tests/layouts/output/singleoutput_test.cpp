// A single custom-paper report page (100 mm wide, 40.4 mm long, a page per
// record) output through the whole single path: the form on a dot-matrix
// printer held for the run and given back also when the run fails, none on
// another printer, and the print helper taking Preview and Print when it is
// loaded while the file modes stay the runner's.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/fakespooler.h"
#include "classlib/system/fileutils.h"
#include "layouts/output/singleoutput.h"
#include "layouts/vtrapor.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "tests/support/scratchfolder.h"

namespace {

class SingleOutputTest : public testing::Test {
protected:
  SingleOutputTest()
      : helper(GetCurrentDir() + "\\helper\\"), spoolerScope(spooler), dialogScope(dialogs), rapor(nullptr) {
    TFakePrinter matrix;
    matrix.Name = "Nokta";
    matrix.NumColors = 2;
    matrix.TrueType = DCTT_BITMAP;
    spooler.AddPrinter(matrix);
    TFakePrinter laser;
    laser.Name = "Lazer";
    spooler.AddPrinter(laser);
    spooler.SetDefaultFormName("Nokta", "A4");
    page = std::make_unique<TQuickRep>(nullptr);
    page->SetUnits(MM);
    page->Page()->SetPaperSize(TQRPaperSize::Custom);
    page->Page()->SetWidth(100);
    page->Page()->SetLength(40.4L);
    TQRCustomBand* detail = page->CreateBand(rbDetail);
    detail->Size()->SetHeight(30);
    detail->SetForceNewPage(true);
    auto left = std::make_shared<int>(3);
    page->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
    rapor.OnBeforeReportPrint = [this](TObject*, TComponent* component) {
      EXPECT_EQ(component, page.get());
      formDuringRun = spooler.DefaultFormName("Nokta");
      pagesBeforeOutput = page->QRPrinter() ? page->QRPrinter()->PageCount() : -1;
      if (failOutput)
        throw std::runtime_error("host failed");
    };
  }

  std::string LastCall() {
    using TLastCall = const char* (*)();
    auto lastCall = reinterpret_cast<TLastCall>(reinterpret_cast<void*>(GetProcAddress(helper.Handle(), "LastCall")));
    return lastCall ? lastCall() : "<no LastCall>";
  }

  TPrintHelperLibrary helper;
  TFakeSpooler spooler;
  SpoolerScope spoolerScope;
  TScriptedDialogService dialogs;
  TDialogServiceScope dialogScope;
  TVtRapor rapor;
  ScratchFolder folder;
  std::unique_ptr<TQuickRep> page;
  AnsiString formDuringRun = "<not asked>";
  int pagesBeforeOutput = -2;
  bool failOutput = false;
};

TEST_F(SingleOutputTest, ADotMatrixPrinterHasThePagesFormForTheRunOnly) {
  rapor.OutputFileName = folder.File("etiket.qrp");
  OutputSingleGraphicReport(*page, rapor, {"QRP", "Nokta"});
  EXPECT_EQ(formDuringRun, "VORTELIMCF_40X100");
  EXPECT_EQ(pagesBeforeOutput, 3);
  EXPECT_EQ(page->Page()->PaperSize(), TQRPaperSize::Default);
  EXPECT_EQ(spooler.DefaultFormName("Nokta"), "A4");
  EXPECT_FALSE(page->ShowProgress());
  EXPECT_EQ(page->PrevInitialZoom(), qrZoomToWidth);
  TQRPrinter stored(nullptr);
  stored.Load(rapor.OutputFileName);
  EXPECT_EQ(stored.PageCount(), 3);
}

TEST_F(SingleOutputTest, TheFormComesBackWhenTheRunFails) {
  failOutput = true;
  EXPECT_THROW(OutputSingleGraphicReport(*page, rapor, {"QRP", "Nokta"}), std::runtime_error);
  EXPECT_EQ(formDuringRun, "VORTELIMCF_40X100");
  EXPECT_EQ(spooler.DefaultFormName("Nokta"), "A4");
}

TEST_F(SingleOutputTest, AnotherPrinterKeepsTheCustomPaperAndGetsNoForm) {
  rapor.OutputFileName = folder.File("etiket.qrp");
  OutputSingleGraphicReport(*page, rapor, {"QRP", "Lazer"});
  EXPECT_EQ(page->Page()->PaperSize(), TQRPaperSize::Custom);
  EXPECT_TRUE(spooler.Find("Nokta")->Forms.empty());
  EXPECT_TRUE(spooler.Find("Lazer")->Forms.empty());
  EXPECT_EQ(spooler.DefaultFormName("Nokta"), "A4");
}

TEST_F(SingleOutputTest, TheHelperTakesPreviewAndPrintAndTheFileModesStayTheRunners) {
  ASSERT_TRUE(helper.Available()) << "the stand-in helper is built beside the test";
  struct Case {
    const char* mode;
    const char* helperMode;
  } cases[] = {{"Print", ";2;"}, {"Preview", ";1;"}};
  for (const Case& c : cases) {
    OutputSingleGraphicReport(*page, rapor, {c.mode, "Nokta", helper.Execute()});
    const std::string call = LastCall();
    EXPECT_EQ(call.rfind("Nokta;1", 0), 0u) << c.mode;
    EXPECT_NE(call.find(c.helperMode), std::string::npos) << c.mode << ": " << call.substr(0, 60);
    EXPECT_EQ(page->Page()->PaperSize(), TQRPaperSize::Custom) << "the helper path selects no form";
    auto left = std::make_shared<int>(3);
    page->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
  }
  rapor.OutputFileName = folder.File("yardimci.qrp");
  OutputSingleGraphicReport(*page, rapor, {"QRP", "Nokta", helper.Execute()});
  EXPECT_TRUE(FileExists(rapor.OutputFileName));
  EXPECT_TRUE(dialogs.Records().empty());
}

// Preview on the direct path makes the pages once, in the preview's own
// run (page 1 shows while the rest are made): no run makes them before it.
// A file mode makes them once, before it writes them.
TEST_F(SingleOutputTest, EachModeMakesThePagesOnce) {
  std::atomic<int> runs{0};
  page->BeforePrint = [&runs](TCustomQuickRep*, bool&) { ++runs; };
  rapor.OutputFileName = folder.File("etiket.qrp");
  for (const char* mode : {"Preview", "QRP"}) {
    runs = 0;
    auto left = std::make_shared<int>(3);
    page->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
    OutputSingleGraphicReport(*page, rapor, {mode, "Lazer"});
    const DWORD until = GetTickCount() + 10000;
    while ((page->GeneratingInBackground() || !page->Idle()) && GetTickCount() < until) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
      Sleep(1);
    }
    EXPECT_FALSE(page->GeneratingInBackground()) << mode;
    EXPECT_EQ(runs.load(), 1) << mode;
    EXPECT_EQ(*left, -1) << mode << ": every record was read by the one run";
  }
  TQRPrinter stored(nullptr);
  stored.Load(rapor.OutputFileName);
  EXPECT_EQ(stored.PageCount(), 3);
}

// The helper path's refused form: its message is the runner's, in the
// host's words; the helper still gets the pages.
TEST_F(SingleOutputTest, TheRefusedFormsMessageGoesThroughTheHostsTranslation) {
  ASSERT_TRUE(helper.Available());
  rapor.OnTranslate = [](AnsiString text, AnsiString& result) { result = "[" + text + "]"; };
  dialogs.AnswerButton(IDOK);
  OutputSingleGraphicReport(*page, rapor, {"Print", "Yok", helper.Execute()});
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "[Yazdirma esnasında problem oluştu]");
  EXPECT_EQ(dialogs.Records()[0].Caption, "[Bilgi]");
  EXPECT_EQ(LastCall().rfind("Yok;1;2;", 0), 0u) << LastCall().substr(0, 60);
}

}  // namespace
