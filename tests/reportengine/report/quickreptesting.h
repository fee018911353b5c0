// A report page on an A4 sheet in millimetres for the tests of the run and
// its page machinery: bands by kind with their heights, records served by
// OnNeedData, and a log of the bands as they printed, each with its page.
// Header-only.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "classlib/forms/application.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "tests/support/formfixture.h"
#include "tests/support/testqueues.h"

namespace quickrep_test {

// Handles the GUI's messages until Done holds or ten seconds pass.
template <class Done>
bool PumpUntil(Done done) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end)
      return false;
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// One band as it printed: its label, the page and column it went to, the
// X where it printed and the Y below it (0.1 mm).
struct Printed {
  std::string Label;
  int Page = 0;
  int Column = 0;
  int X = 0;
  int Y = 0;
};

class ReportPage : public ::testing::Test {
protected:
  void SetUp() override {
    report = new TQuickRep(form.Host());
    report->SetParent(form.Host());
    report->SetShowProgress(false);
    report->SetUnits(MM);
    report->Page()->SetPaperSize(TQRPaperSize::A4);
    report->Page()->SetOrientation(poPortrait);
    for (auto margin : {&TQRPage::SetTopMargin, &TQRPage::SetBottomMargin, &TQRPage::SetLeftMargin,
                        &TQRPage::SetRightMargin})
      (report->Page()->*margin)(10);
  }

  // A band of the kind, Height millimetres high, logged under Label when it
  // has printed.
  TQRCustomBand* Band(TQRBandType kind, long double height, const std::string& label) {
    TQRCustomBand* band = report->CreateBand(kind);
    band->Size()->SetHeight(height);
    Log(band, label);
    return band;
  }

  void Log(TQRCustomBand* band, const std::string& label) {
    band->AfterPrint = TQRBandAfterPrintEvent([this, label](TQRCustomBand*, bool printed) {
      if (printed)
        printedBands.push_back(
            {label, report->PageCount(), report->CurrentColumn(), report->CurrentX(), report->CurrentY()});
    });
    band->BeforePrint = TQRBandBeforePrintEvent([this, label](TQRCustomBand*, bool&) { asked.push_back(label); });
  }

  // Serves Count records through OnNeedData.
  void Records(int count) {
    remaining = count;
    report->OnNeedData = TQROnNeedDataEvent([this](TObject*, bool& more) {
      more = remaining > 0;
      if (more)
        --remaining;
    });
  }

  // The labels printed on each page, in order.
  std::map<int, std::vector<std::string>> ByPage() const {
    std::map<int, std::vector<std::string>> pages;
    for (const Printed& p : printedBands)
      pages[p.Page].push_back(p.Label);
    return pages;
  }

  int Pages() { return report->QRPrinter() != nullptr ? report->QRPrinter()->PageCount() : -1; }

  test_support::FormFixture form;
  TQuickRep* report = nullptr;
  std::vector<Printed> printedBands;
  std::vector<std::string> asked;
  int remaining = 0;
};

// A report page that prints to the test desktop's PDF queue; skipped when
// the desktop has no test printers.
class PdfQueuePage : public ReportPage {
protected:
  void SetUp() override {
    pdfPrinter = test_queues::Env("DOZURI_PDF_PRINTER");
    pdfOut = test_queues::Env("DOZURI_PDF_OUT");
    if (pdfPrinter.empty())
      GTEST_SKIP() << "no test printers: tools/desktop sets them up only when run as root";
    ReportPage::SetUp();
  }

  std::string pdfPrinter, pdfOut;
};

// "D" repeated n times, for expected logs.
inline std::vector<std::string> Repeat(const std::string& label, int n) { return std::vector<std::string>(n, label); }

inline std::vector<std::string> Join(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& part : parts)
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace quickrep_test
