// The designer's property inspector following the selection. The designer
// is shown on its own page, whose detail band gets a grid of printables
// (labels, data texts and shapes in turn, so the row set and the editor
// change from one to the next); each is then selected in turn through the
// selection controller's SelectComponent, and every change is timed up to
// the end of its pending paints: the inspector's rows drawn again and the
// current row's editor placed and shown. The same on a page of 200 and of
// 2,000 printables.
// Goal: at most 16 ms per change (one screen frame), and the 2,000 page at
// most 1.2 times the 200 page per change. Run inside the test desktop:
//   cmake --build build/win --target inspector_wbench
//   tools/desktop build/win/bench/inspector_wbench.exe
// bench-deps (Windows): dozuri_appshell psapi
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/shell/unitsetup.h"
#include "classlib/forms/application.h"
#include "layouts/designinspector.h"
#include "layouts/dizaynanaf.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrshape.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"

namespace {

using Clock = std::chrono::steady_clock;

// The grid on the band: columns of 18 pixels, rows of 20.
constexpr int kGridColumns = 40;
constexpr int kGridCellWidth = 18;
constexpr int kGridCellHeight = 20;
constexpr double kFrameMs = 16;
constexpr double kGrowthGoal = 1.2;

double ElapsedMs(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void PumpWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void PaintPending(TForm& Form) {
  PumpWaiting();
  RedrawWindow(Form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

TQRPrintable* MakeInspected(TDizaynAnaF& Designer, int n) {
  const std::string number = std::to_string(n);
  switch (n % 3) {
    case 0: {
      auto* label = new TQRLabel(&Designer);
      label->SetName("BenchLabel" + number);
      label->SetCaption("Etiket " + number);
      return label;
    }
    case 1: {
      auto* text = new TQRDBText(&Designer);
      text->SetName("BenchText" + number);
      text->SetHint("DATASET=ETIKET\r\nDATAFIELD=METIN1");
      return text;
    }
    default: {
      auto* shape = new TQRShape(&Designer);
      shape->SetName("BenchShape" + number);
      return shape;
    }
  }
}

struct ChangeTimes {
  int Printables = 0;
  int Rows = 0;  // rows of the last selection, to show the inspector worked
  std::vector<double> Ms;
  double Median() const {
    std::vector<double> sorted = Ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[sorted.size() / 2];
  }
  double Mean() const {
    double sum = 0;
    for (double v : Ms)
      sum += v;
    return Ms.empty() ? 0 : sum / Ms.size();
  }
};

ChangeTimes TimeSelectionChanges(int Count) {
  ChangeTimes times;
  times.Printables = Count;
  auto* designer = new TDizaynAnaF(Application);
  designer->FileName = "";
  designer->Show();
  PaintPending(*designer);
  TQRBand* band = designer->DetailBand1;
  band->SetHeight((Count / kGridColumns + 1) * kGridCellHeight + 8);
  std::vector<TControl*> controls;
  for (int i = 0; i < Count; ++i) {
    TQRPrintable* printable = MakeInspected(*designer, i);
    printable->SetParent(band);
    printable->SetBounds(4 + (i % kGridColumns) * kGridCellWidth, 4 + (i / kGridColumns) * kGridCellHeight,
                         kGridCellWidth - 2, 16);
    controls.push_back(printable);
  }
  designer->DsnDpRegister1->SetActive(false);
  designer->DsnDpRegister1->SetActive(true);
  designer->AddComponentsCombo();
  PaintPending(*designer);
  for (TControl* control : controls) {
    const Clock::time_point start = Clock::now();
    designer->DsnSelect1->SelectComponent(control);
    PaintPending(*designer);
    times.Ms.push_back(ElapsedMs(start));
  }
  times.Rows = designer->Inspector->RowCount();
  designer->Hide();
  designer->Free();
  PumpWaiting();
  return times;
}

void PrintChanges(const ChangeTimes& Times) {
  std::printf("%6d printables: median %7.2f ms, mean %7.2f ms per change (%zu changes, %d rows at the end)  %s\n",
              Times.Printables, Times.Median(), Times.Mean(), Times.Ms.size(), Times.Rows,
              Times.Median() <= kFrameMs ? "<= 16 ms: met" : "<= 16 ms: NOT met");
}

}  // namespace

int main() {
  try {
    SetUpUnits();
    Application->Initialize();
    const ChangeTimes small = TimeSelectionChanges(200);
    const ChangeTimes large = TimeSelectionChanges(2000);
    PrintChanges(small);
    PrintChanges(large);
    const double growth = small.Median() > 0 ? large.Median() / small.Median() : 0;
    std::printf("2,000 against 200 per change: %.2f x  %s\n", growth,
                growth <= kGrowthGoal ? "<= 1.2: met" : "<= 1.2: NOT met");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "inspector_wbench: %s\n", e.what());
    return 1;
  }
  return 0;
}
