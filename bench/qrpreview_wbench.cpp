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

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "classlib/forms/forms.h"
#include "classlib/graphics/canvas.h"
#include "reportengine/preview/qrpreview.h"
#include "reportengine/printer/qrprinter.h"

namespace {

constexpr int kPages = 48;
constexpr int kRounds = 15;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

void HandleWaitingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// One A4 page of 3 x 7 labels drawn on the printer object's page.
void DrawLabelPage(TQRPrinter& printer, int page, HFONT font) {
  HDC dc = printer.CurrentCanvas().Handle();
  HGDIOBJ oldFont = SelectObject(dc, font);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  wchar_t text[64];
  for (int row = 0; row < 7; ++row) {
    for (int column = 0; column < 3; ++column) {
      const int left = column * 700, top = row * 424;
      const int label = page * 21 + row * 3 + column;
      int length = swprintf(text, 64, L"Ürün %d Şeker Çay", label);
      TextOutW(dc, printer.DeviceX(left + 30), printer.DeviceY(top + 20), text, length);
      length = swprintf(text, 64, L"8690%09d", label);
      TextOutW(dc, printer.DeviceX(left + 30), printer.DeviceY(top + 80), text, length);
      length = swprintf(text, 64, L"%d,50 TL", label % 100);
      TextOutW(dc, printer.DeviceX(left + 30), printer.DeviceY(top + 140), text, length);
      int x = left + 30;
      for (int bar = 0; bar < 30; ++bar) {
        const int width = 3 + 3 * ((label + bar) % 2);
        Rectangle(dc, printer.DeviceX(x), printer.DeviceY(top + 220), printer.DeviceX(x + width),
                  printer.DeviceY(top + 380));
        x += width + 6;
      }
    }
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldFont);
}

HFONT LabelFont() {
  return CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
}

void DrawPages(TQRPrinter& printer, int from, int to, HFONT font) {
  for (int page = from; page <= to; ++page) {
    printer.NewPage();
    DrawLabelPage(printer, page, font);
  }
}

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

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
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
