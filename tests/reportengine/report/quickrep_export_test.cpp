// What a run does at every page besides its bands: the page events, the
// printables placed directly on the report, and an export filter that
// takes the pages instead of the printer object.
#include <gtest/gtest.h>

#include <cwchar>

#include "classlib/controls/extctrls.h"
#include "classlib/system/exceptions.h"
#include "quickreptesting.h"
#include "recordingexportfilter.h"
#include "reportengine/report/qrprintable.h"

using namespace quickrep_test;

namespace {

// Counts its prints; placed on the report, it prints once per page.
class PagePrintable : public TQRPrintable {
public:
  using TQRPrintable::TQRPrintable;
  void Print(int OfsX, int OfsY) override {
    offsets.push_back({OfsX, OfsY});
    TQRPrintable::Print(OfsX, OfsY);
  }
  std::vector<std::pair<int, int>> offsets;
};

TEST_F(ReportPage, EveryPageStartsAndEndsWithItsEventsAndPagePrintables) {
  Band(rbDetail, 20, "D");
  auto* onPage = new PagePrintable(form.Host());
  onPage->SetParent(report);
  std::vector<std::string> events;
  report->OnStartPage = TQRNotifyEvent([&](TCustomQuickRep* sender) {
    events.push_back("start " + std::to_string(sender->PageCount()));
  });
  report->OnEndPage = TQRNotifyEvent([&](TCustomQuickRep* sender) {
    events.push_back("end " + std::to_string(sender->PageCount()));
  });
  Records(20);
  report->Prepare();
  ASSERT_EQ(Pages(), 2);
  EXPECT_EQ(events, (std::vector<std::string>{"start 1", "end 1", "start 2", "end 2"}));
  EXPECT_EQ(onPage->offsets, (std::vector<std::pair<int, int>>{{0, 0}, {0, 0}}));
}

// The notify target of a printer object: keeps the page counts posted to it
// and hears which printer objects were freed.
class NoticeWindow : public TPanel, public IQRPrinterView {
public:
  using TPanel::TPanel;
  void PrinterFreed(TQRPrinter* printer) override { freed.push_back(printer); }
  std::vector<int> available;
  std::vector<TQRPrinter*> freed;

protected:
  void WndProc(TMessage& Message) override {
    if (Message.Msg == QRM_PAGEAVAILABLE)
      available.push_back(static_cast<int>(Message.WParam));
    TPanel::WndProc(Message);
  }
};

// Whether a visible window of this thread is captioned Caption.
bool VisibleWindowCaptioned(const wchar_t* caption) {
  struct Search {
    const wchar_t* caption;
    bool found;
  } search{caption, false};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        wchar_t text[64] = {};
        GetWindowTextW(window, text, 64);
        if (IsWindowVisible(window) && wcscmp(text, s.caption) == 0)
          s.found = true;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A report of three 100 mm records over two pages, prepared, whose
// printer object's export handler the tests run.
class PreparedReport : public ReportPage {
protected:
  TQRPrinter* PrepareTwoPages() {
    Band(rbDetail, 100, "D");
    Records(3);
    report->Prepare();
    return report->QRPrinter();
  }

  // A notice window on the form as the notify target of Printer; an
  // export's printer object takes it over.
  NoticeWindow* WatchNotices(TQRPrinter* printer) {
    auto* notices = new NoticeWindow(form.Host());
    notices->SetParent(form.Host());
    notices->Handle();
    printer->NotifyTarget = notices;
    return notices;
  }
};

}  // namespace

TEST_F(PreparedReport, AnExportFilterTakesThePagesAndThePrinterJobIsAborted) {
  TQRPrinter* prepared = PrepareTwoPages();
  ASSERT_NE(prepared, nullptr);
  ASSERT_TRUE(prepared->ExportHandler);
  RecordingExportFilter filter;
  Records(3);
  prepared->ExportHandler(&filter);
  EXPECT_EQ(filter.log, (std::vector<std::string>{"start 2100x2970", "page", "band 100", "band 1100", "end", "page",
                                                  "band 100", "end", "finish"}));
  EXPECT_EQ(report->QRPrinter(), prepared) << "the prepared pages are back";
  EXPECT_FALSE(report->Exporting());
  EXPECT_TRUE(report->UsePrinterPages());
}

TEST_F(PreparedReport, TheExportShowsItsProgressFormOnlyWhenTheReportShowsProgress) {
  TQRPrinter* prepared = PrepareTwoPages();
  ASSERT_NE(prepared, nullptr);
  for (bool showProgress : {true, false}) {
    report->SetShowProgress(showProgress);
    RecordingExportFilter filter;
    std::vector<bool> shownAtPages;
    filter.OnNewPage = [&] { shownAtPages.push_back(VisibleWindowCaptioned(L"Export Progress")); };
    Records(3);
    prepared->ExportHandler(&filter);
    EXPECT_EQ(shownAtPages, std::vector<bool>(2, showProgress)) << "ShowProgress " << showProgress;
    EXPECT_FALSE(VisibleWindowCaptioned(L"Export Progress")) << "the form goes with the run";
    EXPECT_EQ(filter.Count("finish"), 1);
    EXPECT_EQ(report->QRPrinter(), prepared);
  }
}

// The export's printer object is the filter's only while the run lasts: its
// job is aborted, so the page it drew into is not kept (its last notice
// says no page is available), and the object is freed.
TEST_F(PreparedReport, TheExportAbortsItsPrinterJobAndFreesItsPrinterObject) {
  TQRPrinter* prepared = PrepareTwoPages();
  ASSERT_NE(prepared, nullptr);
  NoticeWindow* notices = WatchNotices(prepared);

  RecordingExportFilter filter;
  TQRPrinter* exportPrinter = nullptr;
  filter.OnStart = [&] { exportPrinter = report->QRPrinter(); };
  Records(3);
  prepared->ExportHandler(&filter);
  test_support::Pump();
  prepared->NotifyTarget = nullptr;

  ASSERT_NE(exportPrinter, nullptr);
  EXPECT_NE(exportPrinter, prepared) << "a fresh printer object";
  EXPECT_EQ(notices->freed, std::vector<TQRPrinter*>{exportPrinter});
  ASSERT_FALSE(notices->available.empty());
  EXPECT_EQ(notices->available.back(), 0) << "an ended job would keep its page";
  EXPECT_EQ(filter.Count("page"), 2);
  EXPECT_EQ(prepared->PageCount(), 2) << "the prepared pages are untouched";
}

// A filter that fails in the middle of the export (a full disk, say): the
// failure reaches the caller, and the report is as it was before the export:
// its own printer object with its pages, no filter, its pages in use, idle.
// The export's printer object is freed once.
TEST_F(PreparedReport, AnExportThatFailsPutsThePreparedPrinterObjectBack) {
  TQRPrinter* prepared = PrepareTwoPages();
  ASSERT_NE(prepared, nullptr);
  NoticeWindow* notices = WatchNotices(prepared);

  RecordingExportFilter filter;
  TQRPrinter* exportPrinter = nullptr;
  bool exportingDuringRun = false;
  filter.OnNewPage = [&] {
    exportPrinter = report->QRPrinter();
    exportingDuringRun = report->Exporting() && !report->UsePrinterPages();
    if (filter.Count("page") == 2)
      throw Exception("Disk dolu");
  };
  Records(3);
  EXPECT_THROW(prepared->ExportHandler(&filter), Exception);
  test_support::Pump();
  prepared->NotifyTarget = nullptr;

  EXPECT_TRUE(exportingDuringRun);
  ASSERT_NE(exportPrinter, nullptr);
  EXPECT_NE(exportPrinter, prepared);
  EXPECT_EQ(report->QRPrinter(), prepared);
  EXPECT_FALSE(report->Exporting());
  EXPECT_TRUE(report->UsePrinterPages());
  EXPECT_TRUE(report->Idle());
  EXPECT_EQ(notices->freed, std::vector<TQRPrinter*>{exportPrinter});
  EXPECT_EQ(prepared->PageCount(), 2);

  // Nothing of the failed export is left behind: the next one runs in full.
  RecordingExportFilter again;
  Records(3);
  prepared->ExportHandler(&again);
  EXPECT_EQ(again.Count("page"), 2);
  EXPECT_EQ(again.Count("finish"), 1);
  EXPECT_EQ(report->QRPrinter(), prepared);
}
