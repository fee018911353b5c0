// The printer object's cost of recording a run's pages: begin, 48 A4 pages
// of 21 labels each (three text lines and a bar code drawn as rectangles)
// recorded into metafiles and stored in the page store, end. Beside it, in
// the same run, the same pages drawn with plain GDI into enhanced metafiles
// that are made and dropped. Both draw with the same GDI calls, so the
// difference is what the printer object adds: its page metafiles, the
// conversions and the page store.
//
// Goal: the printer object's overhead is under 20 % of plain recording.
// Run under the test desktop:
//   DOZURI_BUILD=$PWD/build/desk-NAME tools/desktop build/win/bench/qrprinter_wbench.exe
// bench-deps (Windows): dozuri_qrprinter
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "classlib/graphics/canvas.h"
#include "classlib/graphics/metafile.h"
#include "reportengine/printer/qrprinter.h"

namespace {

constexpr int kPages = 48;
constexpr int kColumns = 3;
constexpr int kRows = 7;
constexpr int kRounds = 7;

using ToPixels = std::function<int(int tenthsOfMm)>;

// One A4 page of labels, positions in 0.1 mm turned into pixels by toX/toY.
void DrawLabelPage(HDC dc, int page, const ToPixels& toX, const ToPixels& toY, HFONT font) {
  HGDIOBJ oldFont = SelectObject(dc, font);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SetBkMode(dc, TRANSPARENT);
  const int labelWidth = 700, labelHeight = 424;
  wchar_t text[64];
  for (int row = 0; row < kRows; ++row) {
    for (int column = 0; column < kColumns; ++column) {
      const int left = column * labelWidth, top = row * labelHeight;
      const int label = page * kRows * kColumns + row * kColumns + column;
      int length = swprintf(text, 64, L"Ürün %d Şeker Çay", label);
      TextOutW(dc, toX(left + 30), toY(top + 20), text, length);
      length = swprintf(text, 64, L"8690%09d", label);
      TextOutW(dc, toX(left + 30), toY(top + 80), text, length);
      length = swprintf(text, 64, L"%d,50 TL", label % 100);
      TextOutW(dc, toX(left + 30), toY(top + 140), text, length);
      // 30 bars of one or two modules.
      int x = left + 30;
      for (int bar = 0; bar < 30; ++bar) {
        const int width = 3 + 3 * ((label + bar) % 2);
        Rectangle(dc, toX(x), toY(top + 220), toX(x + width), toY(top + 380));
        x += width + 6;
      }
    }
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldFont);
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HFONT LabelFont(int pixelsPerInch) {
  return CreateFontW(-MulDiv(9, pixelsPerInch, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                     L"Arial");
}

double PrinterObjectRun() {
  // Making the object reads the printer list and the default printer's
  // settings; the report does that once, before its run, so the timing
  // starts at BeginDoc.
  TQRPrinter printer(nullptr);
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  printer.BeginDoc();
  HFONT font = LabelFont(static_cast<int>(printer.XFactor() * 254 + 0.5L));
  const ToPixels toX = [&](int x) { return printer.DeviceX(x); };
  const ToPixels toY = [&](int y) { return printer.DeviceY(y); };
  for (int page = 0; page < kPages; ++page) {
    printer.NewPage();
    DrawLabelPage(printer.CurrentCanvas().Handle(), page, toX, toY, font);
  }
  printer.EndDoc();
  QueryPerformanceCounter(&end);
  DeleteObject(font);
  if (printer.PageCount() != kPages)
    std::fprintf(stderr, "the printer object stored %d pages\n", static_cast<int>(printer.PageCount()));
  return Seconds(start, end);
}

double PlainEmfRun() {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  HDC screen = GetDC(nullptr);
  const int ppi = GetDeviceCaps(screen, LOGPIXELSX);
  HFONT font = LabelFont(ppi);
  const ToPixels toX = [&](int x) { return MulDiv(x, ppi, 254); };
  const ToPixels toY = toX;
  const RECT frame{0, 0, 21000, 29700};  // A4 in 0.01 mm
  for (int page = 0; page < kPages; ++page) {
    HDC dc = CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
    DrawLabelPage(dc, page, toX, toY, font);
    DeleteEnhMetaFile(CloseEnhMetaFile(dc));
  }
  ReleaseDC(nullptr, screen);
  QueryPerformanceCounter(&end);
  DeleteObject(font);
  return Seconds(start, end);
}

// Plain recording plus the page store alone (the page's EMF bytes copied
// into a page list over a page stream): what storing the pages costs.
double PlainEmfStoredRun(std::int32_t memoryLimit, std::size_t* bytes) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  HDC screen = GetDC(nullptr);
  const int ppi = GetDeviceCaps(screen, LOGPIXELSX);
  HFONT font = LabelFont(ppi);
  const ToPixels toX = [&](int x) { return MulDiv(x, ppi, 254); };
  const ToPixels toY = toX;
  const RECT frame{0, 0, 21000, 29700};
  TQRPageList list;
  list.AttachStream(std::make_unique<TQRStream>(memoryLimit));
  for (int page = 0; page < kPages; ++page) {
    HDC dc = CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
    DrawLabelPage(dc, page, toX, toY, font);
    HENHMETAFILE emf = CloseEnhMetaFile(dc);
    TQRPageList::TPageData data(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(data.size()), data.data());
    *bytes = data.size();
    list.AddPageData(data);
    DeleteEnhMetaFile(emf);
  }
  list.Finish();
  ReleaseDC(nullptr, screen);
  QueryPerformanceCounter(&end);
  DeleteObject(font);
  return Seconds(start, end);
}

// The class library's metafile and canvas used as they come, without the
// page store: the size set in pixels and the screen as reference device ask
// the screen three times a page, which the printer object avoids.
double MetafileCanvasRun() {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  const int ppi = 96;
  HFONT font = LabelFont(ppi);
  const ToPixels toX = [&](int x) { return MulDiv(x, ppi, 254); };
  const ToPixels toY = toX;
  for (int page = 0; page < kPages; ++page) {
    TMetafile mf;
    mf.SetWidth(794);
    mf.SetHeight(1123);
    {
      TMetafileCanvas canvas(&mf, nullptr);
      DrawLabelPage(canvas.Handle(), page, toX, toY, font);
    }
  }
  QueryPerformanceCounter(&end);
  DeleteObject(font);
  return Seconds(start, end);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  // One round of each first, so fonts and code are warm.
  PrinterObjectRun();
  PlainEmfRun();
  std::vector<double> printerTimes, plainTimes, canvasTimes, storedTimes;
  std::size_t pageBytes = 0;
  for (int round = 0; round < kRounds; ++round) {
    printerTimes.push_back(PrinterObjectRun());
    plainTimes.push_back(PlainEmfRun());
    canvasTimes.push_back(MetafileCanvasRun());
    storedTimes.push_back(PlainEmfStoredRun(TQRStream::DefaultMemoryLimit, &pageBytes));
  }
  const double printer = Median(printerTimes), plain = Median(plainTimes);
  const auto perPage = [](double seconds) { return seconds / kPages * 1000; };
  std::printf("pages per run:                  %d (A4, %d labels each, %zu EMF bytes a page)\n", kPages,
              kColumns * kRows, pageBytes);
  std::printf("printer object, per page:       %.3f ms\n", perPage(printer));
  std::printf("plain GDI EMF, per page:        %.3f ms\n", perPage(plain));
  std::printf("  where the difference goes:\n");
  std::printf("  metafile canvas as it comes:  %.3f ms\n", perPage(Median(canvasTimes)));
  std::printf("  plain EMF + page store:       %.3f ms\n", perPage(Median(storedTimes)));
  std::printf("ratio printer/plain:            %.3f\n", printer / plain);
  std::printf("overhead:                       %.1f %% (goal: under 20 %%)\n", (printer / plain - 1) * 100);
  return 0;
}
