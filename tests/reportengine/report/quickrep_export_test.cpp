// What a run does at every page besides its bands: the page events, the
// printables placed directly on the report, and an export filter that
// takes the pages instead of the printer object.
#include <gtest/gtest.h>

#include "quickreptesting.h"
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

// Records what the run hands it.
class RecordingFilter : public TObject, public IQRExportFilter {
public:
  void Start(int PaperWidth, int PaperLength, TFont*) override {
    started = true;
    log.push_back("start " + std::to_string(PaperWidth) + "x" + std::to_string(PaperLength));
  }
  bool Started() const override { return started; }
  void NewPage() override { log.push_back("page"); }
  void EndPage() override { log.push_back("end"); }
  void AcceptGraphic(long double, long double, TGraphic*) override { log.push_back("graphic"); }
  void AcceptBand(TQRCustomBand*, long double, long double Y, long double) override {
    log.push_back("band " + std::to_string(static_cast<int>(Y)));
  }
  void Finish() override { log.push_back("finish"); }
  bool ContinuousPage() const override { return false; }

  bool started = false;
  std::vector<std::string> log;
};

TEST_F(ReportPage, AnExportFilterTakesThePagesAndThePrinterJobIsAborted) {
  Band(rbDetail, 100, "D");
  Records(3);
  report->Prepare();
  TQRPrinter* prepared = report->QRPrinter();
  ASSERT_NE(prepared, nullptr);
  ASSERT_TRUE(prepared->ExportHandler);
  RecordingFilter filter;
  Records(3);
  prepared->ExportHandler(&filter);
  EXPECT_EQ(filter.log, (std::vector<std::string>{"start 2100x2970", "page", "band 100", "band 1100", "end", "page",
                                                  "band 100", "end", "finish"}));
  EXPECT_EQ(report->QRPrinter(), prepared) << "the prepared pages are back";
  EXPECT_FALSE(report->Exporting());
  EXPECT_TRUE(report->UsePrinterPages());
}

}  // namespace
