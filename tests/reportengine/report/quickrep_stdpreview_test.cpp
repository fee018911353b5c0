// A report shown in the standard preview, as the program installs it: the
// preview takes its window, tabs, zoom and title from the report; its print
// command runs the report again onto the printer; its printer set-up runs the
// report's dialog and the confirmed choice stays with the report.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "quickreptesting.h"
#include "reportengine/preview/qrprev.h"
#include "tests/support/scratchfolder.h"

using namespace quickrep_test;

namespace {

class StandardPreviewOfReport : public ReportPage {
protected:
  void SetUp() override {
    ReportPage::SetUp();
    RegisterQRStandardPreview();
    Band(rbDetail, 20, "D");
    Records(30);  // three pages
    report->BeforePrint = TQRReportBeforePrintEvent([this](TCustomQuickRep*, bool&) { ++runs; });
  }
  void TearDown() override {
    if (preview != nullptr)
      preview->Close();
    PumpUntil([&] { return report->QRPrinter() == nullptr || report->QRPrinter()->PreviewForm() == nullptr; });
  }

  // Shows the preview and waits for the worker's three pages.
  TQRStandardPreview* Show() {
    report->Preview();
    TQRPrinter* printer = report->QRPrinter();
    if (printer == nullptr)
      return nullptr;
    preview = dynamic_cast<TQRStandardPreview*>(printer->PreviewForm());
    EXPECT_TRUE(PumpUntil([&] { return !report->GeneratingInBackground() && report->Idle(); }));
    return preview;
  }

  TQRStandardPreview* preview = nullptr;
  int runs = 0;
};

TEST_F(StandardPreviewOfReport, OpensWithTheReportsOptions) {
  report->SetPreviewWidth(640);
  report->SetPreviewHeight(480);
  report->SetPrevShowThumbs(false);
  report->SetPrevShowSearch(true);
  report->SetPrevInitialZoom(qrZoomToWidth);
  report->SetReportTitle("Barkod listesi");
  report->Page()->SetOrientation(poLandscape);
  TQRStandardPreview* form = Show();
  ASSERT_NE(form, nullptr) << "the standard preview shows the report's pages";
  EXPECT_EQ(form->QRPrinter(), report->QRPrinter());
  EXPECT_EQ(form->Width(), 640);
  EXPECT_EQ(form->Height(), 480);
  EXPECT_FALSE(form->ShowThumbs());
  EXPECT_TRUE(form->ShowSearch());
  EXPECT_EQ(form->InitialZoom(), qrZoomToWidth);
  EXPECT_EQ(form->PreviewTitle(), "Barkod listesi");
  EXPECT_EQ(form->ThumbOrientation(), poLandscape);
  EXPECT_EQ(report->QRPrinter()->Title, "Barkod listesi");
  EXPECT_EQ(report->QRPrinter()->PageCount(), 4) << "nine 20 mm details on a landscape A4 page";
  EXPECT_EQ(runs, 1);
}

TEST_F(StandardPreviewOfReport, ASecondSetOfOptionsOpensAsAsked) {
  report->SetPrevShowThumbs(true);
  report->SetPrevShowSearch(false);
  report->SetPrevInitialZoom(qrZoomOther);
  report->SetZoom(150);
  // The zoom the form opens with: a first page that arrives after the form
  // was made is shown zoomed to the width then.
  report->Preview();
  TQRPrinter* printer = report->QRPrinter();
  ASSERT_NE(printer, nullptr);
  TQRStandardPreview* form = preview = dynamic_cast<TQRStandardPreview*>(printer->PreviewForm());
  ASSERT_NE(form, nullptr);
  const int openedZoom = form->QRPreview->Zoom();
  EXPECT_TRUE(PumpUntil([&] { return !report->GeneratingInBackground() && report->Idle(); }));
  EXPECT_TRUE(form->ShowThumbs());
  EXPECT_FALSE(form->ShowSearch());
  EXPECT_EQ(form->InitialZoom(), qrZoomOther);
  EXPECT_EQ(openedZoom, 150);
  EXPECT_EQ(form->Width(), 500) << "the default preview size";
  EXPECT_EQ(form->ThumbOrientation(), poPortrait);
}

// The print command of the preview runs the report again, straight to the
// printer; the pages shown stay.
TEST_F(StandardPreviewOfReport, PrintRunsTheReportAgain) {
  const char* pdf = std::getenv("DOZURI_PDF_PRINTER");
  if (pdf == nullptr || *pdf == 0)
    GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  TQRPrinter probe(nullptr);
  int index = probe.DevicePrinter().Printers().IndexOf(pdf);
  ASSERT_GE(index, 0);
  report->PrinterSettings()->SetPrinterIndex(index);
  report->SetReportTitle("QR Onizleme Baski");
  TObject* printedBy = nullptr;
  report->AfterPrint = TQRAfterPrintEvent([&](TObject* sender) { printedBy = sender; });
  TQRStandardPreview* form = Show();
  ASSERT_NE(form, nullptr);
  TQRPrinter* shown = report->QRPrinter();
  ASSERT_EQ(runs, 1);
  Records(30);
  form->PrintClick(form->Print);
  EXPECT_EQ(runs, 2) << "the report ran again";
  EXPECT_EQ(printedBy, report);
  EXPECT_EQ(report->QRPrinter(), shown) << "the preview's pages are put back";
  EXPECT_EQ(shown->PageCount(), 3);
  EXPECT_TRUE(report->Idle());
}

// The preview closed while the report prints again from it: the print goes
// on to its end, and the closed preview's pages are freed once it is done.
TEST_F(StandardPreviewOfReport, ClosingThePreviewWhileItsPrintRunsLetsThePrintFinish) {
  const char* pdf = std::getenv("DOZURI_PDF_PRINTER");
  if (pdf == nullptr || *pdf == 0)
    GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
  TQRPrinter probe(nullptr);
  int index = probe.DevicePrinter().Printers().IndexOf(pdf);
  ASSERT_GE(index, 0);
  report->PrinterSettings()->SetPrinterIndex(index);
  report->SetReportTitle("QR Onizleme Kapandi");
  TQRStandardPreview* form = Show();
  ASSERT_NE(form, nullptr);
  TQRCustomBand* detail = report->Bands()->DetailBand();
  int details = 0;
  detail->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) {
    if (++details == 5) {
      preview->Close();
      preview = nullptr;  // it frees itself
    }
  });
  TObject* printedBy = nullptr;
  report->AfterPrint = TQRAfterPrintEvent([&](TObject* sender) { printedBy = sender; });
  Records(30);
  form->PrintClick(form->Print);
  EXPECT_EQ(details, 30) << "every record printed";
  EXPECT_FALSE(report->Cancelled());
  EXPECT_EQ(printedBy, report) << "the print job ended, not aborted";
  EXPECT_TRUE(report->Idle());
  EXPECT_EQ(report->QRPrinter(), nullptr) << "the closed preview's pages are gone";
}

// Printer set-up from the preview: the report's dialog answers, the printer
// object shown takes the choice, and the report keeps it for later runs.
TEST_F(StandardPreviewOfReport, PrinterSetupChoiceStaysWithTheReport) {
  TQRStandardPreview* form = Show();
  ASSERT_NE(form, nullptr);
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerAccept();
  dialogs.OnPrintBlock = [&](PRINTDLGW& pd) {
    pd.Flags = (pd.Flags & ~(PD_SELECTION | PD_ALLPAGES)) | PD_PAGENUMS;
    pd.nFromPage = 2;
    pd.nToPage = 3;
    pd.nCopies = 2;
  };
  form->PrintSetupClick(form->PrintSetup);
  if (dialogs.Records().empty())
    GTEST_SKIP() << "no printer to set up";
  EXPECT_EQ(report->Tag(), 0);
  TQRPrinter* shown = report->QRPrinter();
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->FirstPage(), 2);
  EXPECT_EQ(shown->LastPage(), 3);
  EXPECT_EQ(shown->Settings().Copies(), 2);
  EXPECT_EQ(report->PrinterSettings()->Copies(), 2);
  EXPECT_EQ(report->PrinterSettings()->FirstPage(), 2);
  EXPECT_EQ(report->PrinterSettings()->LastPage(), 3);

  // A cancelled dialog changes nothing.
  dialogs.AnswerCancel();
  dialogs.OnPrintBlock = nullptr;
  form->PrintSetupClick(form->PrintSetup);
  EXPECT_EQ(report->Tag(), 1);
  EXPECT_EQ(shown->FirstPage(), 2);
  EXPECT_EQ(report->PrinterSettings()->Copies(), 2);

  // All pages: the report's later runs print every page they make, not the
  // range the dialog showed for the pages of this run.
  dialogs.AnswerAccept();
  dialogs.OnPrintBlock = [&](PRINTDLGW& pd) { pd.Flags &= ~(PD_SELECTION | PD_PAGENUMS); };
  form->PrintSetupClick(form->PrintSetup);
  EXPECT_EQ(report->Tag(), 0);
  EXPECT_EQ(report->PrinterSettings()->FirstPage(), 0);
  EXPECT_EQ(report->PrinterSettings()->LastPage(), 0);
}

// Pages loaded from a page store into the preview are not this report's
// run: a set-up confirmed for them leaves the report's own settings alone.
TEST_F(StandardPreviewOfReport, SetupOfStoredPagesLeavesTheReportsSettingsAlone) {
  ScratchFolder folder;
  const AnsiString stored = folder.File("sayfalar.qrp");
  report->Prepare();
  report->QRPrinter()->Save(stored);
  TQRStandardPreview* form = Show();
  ASSERT_NE(form, nullptr);
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  for (bool fromStore : {true, false}) {
    if (fromStore)
      report->QRPrinter()->Load(stored);
    ASSERT_EQ(report->QRPrinter()->PageStoreLoaded(), fromStore);
    report->PrinterSettings()->SetPrintQuality(123);
    dialogs.AnswerAccept();
    form->PrintSetupClick(form->PrintSetup);
    if (dialogs.Records().empty())
      GTEST_SKIP() << "no printer to set up";
    const int chosen = report->PrintSetupSettings().PrintQuality();
    ASSERT_NE(chosen, 123) << "the dialog's own quality";
    EXPECT_EQ(report->PrinterSettings()->PrintQuality(), fromStore ? 123 : chosen) << "from a store: " << fromStore;
    if (fromStore) {
      // Show the report's own pages again.
      preview->Close();
      preview = nullptr;
      Records(30);
      form = Show();
      ASSERT_NE(form, nullptr);
    }
  }
}

}  // namespace
