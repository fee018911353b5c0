// The preview control's drawing times on a run of 48 A4 pages of 21 labels
// each (three text lines and a bar code drawn as rectangles), on an
// 800 x 600 control:
//   - a control attached before the run: from BeginDoc until page 1 is
//     painted (it is stored when page 2 begins, and the page notice loads it);
//   - a finished run attached: until page 1 is painted at fit zoom;
//   - one page painted again at zoom 100 and at fit zoom (median of rounds).
//
// Goal: first page visible in under 200 ms, one page painted in under 30 ms.
// Run under the test desktop:
//   DOZURI_BUILD=$PWD/build/desk-NAME tools/desktop build/win/bench/qrpreview_wbench.exe
// bench-deps (Windows): dozuri_qrpreviewcontrol
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "classlib/forms/forms.h"
#include "classlib/graphics/canvas.h"
#include "reportengine/preview/qrpreview.h"
#include "reportengine/printer/qrprinter.h"
#include "qrlabelpages.h"

namespace {

using namespace qrbench;

constexpr int kPages = 48;
constexpr int kRounds = 15;

// A live run with the control attached: page 1 is painted while page 2 is
// being drawn.
double LiveRunFirstPage(TQRPreview& preview, HFONT font) {
  TQRPrinter printer(nullptr);
  const LARGE_INTEGER start = Now();
  printer.BeginDoc();
  preview.SetQRPrinter(&printer);
  preview.ZoomToFit();
  DrawPages(printer, 1, 2, font);
  HandleWaitingMessages();
  const LARGE_INTEGER shown = Now();
  if (!preview.PreviewImage()->HasPage())
    std::fprintf(stderr, "page 1 was not shown during the run\n");
  DrawPages(printer, 3, kPages, font);
  printer.EndDoc();
  preview.SetQRPrinter(nullptr);
  return Milliseconds(start, shown);
}

double RepaintPage(TQRPreview& preview) {
  std::vector<double> times;
  for (int round = 0; round < kRounds; ++round) {
    const LARGE_INTEGER start = Now();
    preview.PreviewImage()->Repaint();
    times.push_back(Milliseconds(start, Now()));
  }
  return Median(times);
}

}  // namespace

int main() {
  auto* form = new TForm(nullptr);
  form->SetBounds(20, 20, 820, 640);
  auto* preview = new TQRPreview(form);
  preview->SetParent(form);
  preview->SetBounds(0, 0, 800, 600);
  form->Show();
  HandleWaitingMessages();
  HFONT font = LabelFont();

  std::vector<double> live;
  for (int round = 0; round < 5; ++round)
    live.push_back(LiveRunFirstPage(*preview, font));

  TQRPrinter printer(nullptr);
  printer.BeginDoc();
  DrawPages(printer, 1, kPages, font);
  printer.EndDoc();
  HandleWaitingMessages();
  const LARGE_INTEGER start = Now();
  preview->SetQRPrinter(&printer);
  preview->ZoomToFit();
  preview->PreviewImage()->Repaint();
  const double attached = Milliseconds(start, Now());
  const double fit = RepaintPage(*preview);
  const int fitZoom = preview->Zoom();
  preview->SetZoom(100);
  const double zoom100 = RepaintPage(*preview);

  std::printf("first page painted, control attached before a %d-page run: %.1f ms (median of 5)\n", kPages,
              Median(live));
  std::printf("first page painted, finished run attached at fit zoom: %.1f ms\n", attached);
  std::printf("one page painted again at fit zoom (%d %%): %.1f ms\n", fitZoom, fit);
  std::printf("one page painted again at zoom 100: %.1f ms\n", zoom100);
  preview->SetQRPrinter(nullptr);
  DeleteObject(font);
  form->Free();
  return 0;
}
