// The standard preview's times on a run of 48 A4 label pages (3 x 7 labels
// each); the form opens as Preview opens it without a report (maximised),
// and is set to 800 x 600 for the redraws:
//   - Preview called on a printer object whose run has just begun: from
//     Preview until page 1 is painted in the form (it is stored when page 2
//     begins, and the page notice loads it);
//   - Preview of a finished run: until page 1 is painted;
//   - one A4 page painted again in the form at zoom 100 and at fit zoom
//     (median of rounds).
//
// Goal: first page visible in under 200 ms, one page painted in under 30 ms.
// Run under the test desktop:
//   DOZURI_BUILD=$PWD/build/desk-NAME tools/desktop build/win/bench/standardpreview_wbench.exe
// bench-deps (Windows): dozuri_qrstandardpreview
#include <windows.h>

#include <cstdio>
#include <vector>

#include "classlib/forms/forms.h"
#include "reportengine/preview/qrprev.h"
#include "reportengine/printer/qrprinter.h"
#include "qrlabelpages.h"

namespace {

using namespace qrbench;

constexpr int kPages = 48;
constexpr int kRounds = 15;

// The form Preview opened.
TQRStandardPreview* ShownForm(TQRPrinter& printer) {
  auto* form = dynamic_cast<TQRStandardPreview*>(printer.PreviewForm());
  if (form == nullptr) {
    std::fprintf(stderr, "Preview opened no standard preview\n");
    return nullptr;
  }
  return form;
}

void CloseForm(TQRStandardPreview* form) {
  if (form == nullptr)
    return;
  form->Close();
  HandleWaitingMessages();
}

double LiveRunFirstPage(HFONT font) {
  TQRPrinter printer(nullptr);
  printer.BeginDoc();
  const LARGE_INTEGER start = Now();
  printer.Preview();
  DrawPages(printer, 1, 2, font);
  HandleWaitingMessages();
  const LARGE_INTEGER shown = Now();
  TQRStandardPreview* form = ShownForm(printer);
  if (form != nullptr && !form->QRPreview->PreviewImage()->HasPage())
    std::fprintf(stderr, "page 1 was not shown during the run\n");
  DrawPages(printer, 3, kPages, font);
  printer.EndDoc();
  HandleWaitingMessages();
  CloseForm(form);
  return Milliseconds(start, shown);
}

double RepaintPage(TQRStandardPreview& form) {
  std::vector<double> times;
  for (int round = 0; round < kRounds; ++round) {
    const LARGE_INTEGER start = Now();
    form.QRPreview->PreviewImage()->Repaint();
    times.push_back(Milliseconds(start, Now()));
  }
  return Median(times);
}

}  // namespace

int main() {
  RegisterQRStandardPreview();
  HFONT font = LabelFont();
  std::vector<double> live;
  for (int round = 0; round < 5; ++round)
    live.push_back(LiveRunFirstPage(font));

  TQRPrinter printer(nullptr);
  printer.BeginDoc();
  DrawPages(printer, 1, kPages, font);
  printer.EndDoc();
  HandleWaitingMessages();
  const LARGE_INTEGER start = Now();
  printer.Preview();
  HandleWaitingMessages();
  const double finished = Milliseconds(start, Now());
  TQRStandardPreview* form = ShownForm(printer);
  if (form == nullptr)
    return 1;
  form->SetWindowState(wsNormal);
  form->SetBounds(20, 20, 800, 600);
  HandleWaitingMessages();
  form->ZoomTo100Click(form);
  const double zoom100 = RepaintPage(*form);
  form->ZoomToFitClick(form);
  const int fitZoom = form->QRPreview->Zoom();
  const double fit = RepaintPage(*form);

  std::printf("first page painted, Preview at the start of a %d-page run: %.1f ms (median of 5)\n", kPages,
              Median(live));
  std::printf("first page painted, Preview of the finished run (maximised form): %.1f ms\n", finished);
  std::printf("one page painted again at zoom 100: %.1f ms\n", zoom100);
  std::printf("one page painted again at fit zoom (%d %%): %.1f ms\n", fitZoom, fit);
  CloseForm(form);
  DeleteObject(font);
  return 0;
}
