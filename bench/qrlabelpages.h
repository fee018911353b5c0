// What the preview benchmarks under Wine share: a clock in milliseconds,
// handling the waiting messages, the median of rounds, and A4 label pages
// of 3 x 7 labels (three text lines and a bar code drawn as rectangles)
// drawn on a printer object's pages.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "reportengine/printer/qrprinter.h"

namespace qrbench {

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

inline void HandleWaitingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One A4 page of 3 x 7 labels drawn on the printer object's page.
inline void DrawLabelPage(TQRPrinter& printer, int page, HFONT font) {
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

inline HFONT LabelFont() {
  return CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
}

inline void DrawPages(TQRPrinter& printer, int from, int to, HFONT font) {
  for (int page = from; page <= to; ++page) {
    printer.NewPage();
    DrawLabelPage(printer, page, font);
  }
}

}  // namespace qrbench
