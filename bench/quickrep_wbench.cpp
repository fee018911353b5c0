// The cost of preparing a label report into the page store: a report of
// 21 labels per A4 page (3 columns of 7 detail bands of 70 x 42.4 mm), each
// label two text lines and one framed rectangle, over 1,000, 10,000 and
// 100,000 records served by OnNeedData, side by side in one run. Reports
// the time of each Prepare and the process's peak memory after it.
//
// Goal: linear in the record count; 10,000 records under 5 s and 200 MB.
// Run under the test desktop:
//   DOZURI_BUILD=$PWD/build/desk-NAME tools/desktop build/win/bench/quickrep_wbench.exe [max records]
// bench-deps (Windows): dozuri_qrreport psapi
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "classlib/graphics/canvas.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrprintable.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"

namespace {

// Stands in for a text printable: one line of the record's text.
class LabelLine : public TQRPrintable {
public:
  LabelLine(TComponent* owner, const int* record, const char* prefix) : TQRPrintable(owner), record_(record), prefix_(prefix) {}
  void Print(int OfsX, int OfsY) override {
    TQRPrinter* printer = QRPrinter();
    if (printer == nullptr)
      return;
    TCanvas& canvas = printer->CurrentCanvas();
    std::string text = prefix_ + std::to_string(*record_);
    canvas.TextOut(printer->DeviceX(OfsX + Size()->Left()), printer->DeviceY(OfsY + Size()->Top()), text);
  }

private:
  const int* record_;
  std::string prefix_;
};

// Peak committed memory and peak working set, in megabytes.
std::pair<std::size_t, std::size_t> PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return {counters.PeakPagefileUsage / (1024 * 1024), counters.PeakWorkingSetSize / (1024 * 1024)};
}

void PrepareLabels(int records) {
  TQuickRep report(nullptr);
  report.SetShowProgress(false);
  report.SetUnits(MM);
  TQRPage& page = *report.Page();
  page.SetPaperSize(TQRPaperSize::A4);
  page.SetTopMargin(0);
  page.SetBottomMargin(0);
  page.SetLeftMargin(0);
  page.SetRightMargin(0);
  page.SetColumns(3);
  page.SetColumnSpace(0);
  TQRCustomBand* detail = report.CreateBand(rbDetail);
  detail->Size()->SetHeight(42.4L);
  detail->Frame()->SetDrawTop(true);
  detail->Frame()->SetDrawBottom(true);
  detail->Frame()->SetDrawLeft(true);
  detail->Frame()->SetDrawRight(true);
  int record = 0;
  auto* name = new LabelLine(&report, &record, "Urun ");
  name->SetParent(detail);
  auto* code = new LabelLine(&report, &record, "8690");
  code->SetParent(detail);
  code->SetTop(30);
  report.OnNeedData = TQROnNeedDataEvent([&](TObject*, bool& more) {
    more = record < records;
    if (more)
      ++record;
  });
  auto start = std::chrono::steady_clock::now();
  report.Prepare();
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  auto [committed, workingSet] = PeakMegabytes();
  std::printf("%8d records  %6d pages  %8.2f s  %6.1f us/record  peak %zu MB committed, %zu MB working set\n",
              records, report.QRPrinter()->PageCount(), seconds, seconds * 1e6 / records, committed, workingSet);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  int most = argc > 1 ? std::atoi(argv[1]) : 100000;
  for (int records : {1000, 10000, 100000})
    if (records <= most)
      PrepareLabels(records);
  return 0;
}
