// A run that fails or is cancelled: an exception from a band's event ends
// the printer job, frees the run's data set list, gives back the report's
// units and leaves the report ready for its next run; a cancelled run stops
// at the next record, closes no last page and aborts the job.
#include <gtest/gtest.h>

#include <stdexcept>

#include "classlib/system/exceptions.h"
#include "quickreptesting.h"

using namespace quickrep_test;

namespace {

TEST_F(ReportPage, AnExceptionInARunEndsItAndTheNextRunWorks) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  int details = 0;
  bool listDuringRun = false;
  detail->BeforePrint = TQRBandBeforePrintEvent([&](TQRCustomBand*, bool&) {
    listDuringRun = report->DataSetList() != nullptr;
    if (++details == 15)
      throw Exception("Kayit okunamadi");
  });
  Records(30);
  EXPECT_THROW(report->Prepare(), Exception);
  EXPECT_TRUE(listDuringRun);
  EXPECT_TRUE(report->Idle());
  EXPECT_EQ(report->DataSetList(), nullptr) << "freed on the way out";
  EXPECT_EQ(report->Units(), MM) << "the run's Native units are given back";
  ASSERT_NE(report->QRPrinter(), nullptr);
  EXPECT_NE(report->QRPrinter()->Status(), mpBusy) << "the printer job was ended";

  details = 100;  // no more failures
  Records(30);
  report->Prepare();
  EXPECT_EQ(Pages(), 3);
  EXPECT_EQ(report->QRPrinter()->Status(), mpFinished);
}

TEST_F(ReportPage, ACancelledRunStopsAtTheNextRecordAndClosesNoLastPage) {
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  Band(rbSummary, 20, "S");
  Band(rbPageFooter, 10, "F");
  int details = 0;
  detail->AfterPrint = TQRBandAfterPrintEvent([&](TQRCustomBand*, bool) {
    if (++details == 15)
      report->QRPrinter()->Cancel();
  });
  int endedPages = 0;
  report->OnEndPage = TQRNotifyEvent([&](TCustomQuickRep*) { ++endedPages; });
  Records(100);
  report->Prepare();
  EXPECT_EQ(details, 15) << "no record after the cancel";
  EXPECT_TRUE(report->Cancelled());
  EXPECT_TRUE(report->Idle());
  EXPECT_EQ(report->PageCount(), 2);
  EXPECT_EQ(endedPages, 1) << "the last page is not closed";
  int summaries = 0;
  for (const Printed& p : printedBands)
    summaries += p.Label == "S";
  EXPECT_EQ(summaries, 0) << "no summary after a cancel";
  ASSERT_NE(report->QRPrinter(), nullptr);
  EXPECT_NE(report->QRPrinter()->Status(), mpBusy);
}

}  // namespace
