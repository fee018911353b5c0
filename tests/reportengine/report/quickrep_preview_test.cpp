// The background preview: pages generated on a worker thread while the
// preview shows them, the preview closed while pages are still coming
// (the run is cancelled and its printer object freed on the GUI thread),
// a preview closed after the run, and a report freed while its worker runs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "quickreptesting.h"

using namespace quickrep_test;

namespace {

// Hears of every printer object freed while it was their notify target.
class PrinterWatch : public TWinControl, public IQRPrinterView {
public:
  explicit PrinterWatch(TComponent* owner) : TWinControl(owner) {}
  void PrinterFreed(TQRPrinter* printer) override { freed.insert(printer); }
  std::set<TQRPrinter*> freed;
};

class BackgroundPreview : public ReportPage {
protected:
  void SetUp() override {
    ReportPage::SetUp();
    Band(rbDetail, 20, "D");
    watch = new PrinterWatch(form.Host());
    // The report's first printer object hands its notify target on to the
    // next ones.
    Records(1);
    report->Prepare();
    report->QRPrinter()->NotifyTarget = watch;
    firstPrinter = report->QRPrinter();
  }

  // 13 details fill a page. The worker's records stop at HoldAt until the
  // run is cancelled (or for at most ten seconds).
  void SlowRecords(int count, int holdAt) {
    served = 0;
    report->OnNeedData = TQROnNeedDataEvent([this, count, holdAt](TObject*, bool& more) {
      more = served < count;
      ++served;
      if (served == holdAt) {
        workerThread = GetCurrentThreadId();
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!report->Cancelled() && std::chrono::steady_clock::now() < end)
          std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
    });
  }

  PrinterWatch* watch = nullptr;
  TQRPrinter* firstPrinter = nullptr;
  std::atomic<int> served{0};
  std::atomic<DWORD> workerThread{0};
};

TEST_F(BackgroundPreview, ClosedAfterItsThirdPageEndsTheRunAndFreesItsPrinterObject) {
  SlowRecords(1000, 60);
  TQRPrinter* shown = nullptr;
  int pagesWhenClosed = 0;
  report->OnPreview = TNotifyEvent([&](TObject* sender) {
    shown = static_cast<TQRPrinter*>(sender);
    EXPECT_EQ(shown, report->QRPrinter());
    // Wait for three pages, then close as the preview window would.
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (shown->AvailablePages() < 3 && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    pagesWhenClosed = shown->AvailablePages();
    shown->ClosePreview();
  });
  report->Preview();
  ASSERT_NE(shown, nullptr);
  EXPECT_GE(pagesWhenClosed, 3);
  EXPECT_TRUE(watch->freed.count(firstPrinter)) << "the next run frees the last prepared pages";
  EXPECT_TRUE(PumpUntil([&] { return !report->GeneratingInBackground() && report->QRPrinter() == nullptr; }));
  EXPECT_TRUE(watch->freed.count(shown)) << "freed once the worker was done";
  EXPECT_TRUE(report->Idle());
  EXPECT_LT(served.load(), 100) << "the loop stopped at the record after the cancel";
  EXPECT_NE(workerThread.load(), GetCurrentThreadId()) << "the pages were made on the worker";
  // The report runs again afterwards.
  Records(2);
  report->Prepare();
  EXPECT_EQ(Pages(), 1);
}

TEST_F(BackgroundPreview, ClosedAfterTheRunFiresAfterPreviewAndFreesTheObject) {
  SlowRecords(30, -1);
  TQRPrinter* shown = nullptr;
  report->OnPreview = TNotifyEvent([&](TObject* sender) {
    shown = static_cast<TQRPrinter*>(sender);
    shown->SetShowingPreview(true);
  });
  TObject* afterPreviewSender = nullptr;
  report->AfterPreview = TQRAfterPreviewEvent([&](TObject* sender) { afterPreviewSender = sender; });
  report->PreviewModal();
  ASSERT_NE(shown, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return !report->GeneratingInBackground() && report->Idle(); }));
  Application->ProcessMessages();
  EXPECT_EQ(report->QRPrinter(), shown) << "the pages stay while the preview shows them";
  EXPECT_EQ(shown->PageCount(), 3);
  EXPECT_EQ(shown->Status(), mpFinished);
  shown->ClosePreview();
  EXPECT_EQ(afterPreviewSender, report);
  EXPECT_EQ(report->QRPrinter(), nullptr);
  EXPECT_TRUE(watch->freed.count(shown));
}

TEST_F(BackgroundPreview, AReportFreedWhileItsWorkerRunsWaitsForIt) {
  SlowRecords(1000, 20);
  TQRPrinter* shown = nullptr;
  report->OnPreview = TNotifyEvent([&](TObject* sender) { shown = static_cast<TQRPrinter*>(sender); });
  report->Preview();
  ASSERT_NE(shown, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return served.load() >= 20; }));
  delete report;
  report = nullptr;
  EXPECT_TRUE(watch->freed.count(shown));
  // A late notice of the worker finds no report.
  Application->ProcessMessages();
}


// A preview's run that raises on the worker is not lost in silence: the
// GUI thread says what went wrong, and the report is ready to run again.
TEST_F(BackgroundPreview, ARunThatRaisesOnTheWorkerIsToldOnTheGuiThread) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  TQRCustomBand* detail = report->Bands()->DetailBand();
  int details = 0;
  detail->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand*, bool&) {
    if (++details == 20)
      throw Exception("Barkod alanı okunamadı");
  });
  TQRPrinter* shown = nullptr;
  report->OnPreview = TNotifyEvent([&](TObject* sender) {
    shown = static_cast<TQRPrinter*>(sender);
    shown->SetShowingPreview(true);
  });
  Records(30);
  report->Preview();
  ASSERT_NE(shown, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return !dialogs.Records().empty(); })) << "the failure was told";
  EXPECT_EQ(dialogs.Records()[0].Text, "Barkod alanı okunamadı");
  EXPECT_TRUE(report->Idle());
  shown->ClosePreview();
  EXPECT_EQ(report->QRPrinter(), nullptr);
  detail->BeforePrint = nullptr;
  Records(2);
  report->Prepare();
  EXPECT_EQ(Pages(), 1);
}

}  // namespace
