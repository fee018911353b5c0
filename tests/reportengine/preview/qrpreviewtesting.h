// What the preview control's tests share: a printer object on A4 at 96 dots
// per inch with pages that each carry a black block at their own height, a
// picture of a painted control, and the block's place on a page.
// Header-only.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/screenfacts.h"
#include "reportengine/preview/qrpreview.h"
#include "reportengine/printer/qrprinter.h"
#include "tests/support/formfixture.h"

namespace qrpreview_test {

// The block of page n, in tenths of a millimetre: 150 mm wide, 40 mm high,
// 60 mm further down on each page.
inline RECT BlockOfPage(int n) {
  return RECT{300, 600 * n, 1800, 600 * n + 400};
}

// A printer object on A4 whose pages are drawn while a 96 dpi screen is in
// force.
class A4Printer {
public:
  A4Printer() : screen_(TScreenFacts{96, -1, 32}), printer(std::make_unique<TQRPrinter>(nullptr)) {
    printer->Settings().SetPaperSize(TQRPaperSize::A4);
    printer->Settings().SetOrientation(poPortrait);
  }

  void BeginRun() { printer->BeginDoc(); }
  // Opens page n and draws its block.
  void DrawPage(int n) {
    printer->NewPage();
    TCanvas& canvas = printer->CurrentCanvas();
    const RECT block = BlockOfPage(n);
    canvas.Brush().SetColor(clBlack);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(RECT{printer->DeviceX(block.left), printer->DeviceY(block.top), printer->DeviceX(block.right),
                         printer->DeviceY(block.bottom)});
  }
  void Run(int pages) {
    BeginRun();
    for (int n = 1; n <= pages; ++n)
      DrawPage(n);
    printer->EndDoc();
  }

private:
  ScreenFactsScope screen_;

public:
  std::unique_ptr<TQRPrinter> printer;
};

// A 24-bit picture of a control as it paints itself (PaintTo).
class Picture {
public:
  explicit Picture(TWinControl& control) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(control.Width(), control.Height());
    bitmap.Canvas().Brush().SetColor(clFuchsia);
    bitmap.Canvas().FillRect(RECT{0, 0, control.Width(), control.Height()});
    control.PaintTo(bitmap.Canvas(), 0, 0);
  }
  TColor At(int x, int y) { return bitmap.Canvas().GetPixel(x, y); }

  TBitmap bitmap;
};

// A preview control on the shared test form, without a border so that its
// client area starts at its own top left.
inline TQRPreview* AddPreview(test_support::FormFixture& form, int width, int height) {
  auto* preview = new TQRPreview(form.Host());
  preview->SetBorderStyle(bsNone);
  preview->SetParent(form.Host());
  preview->SetBounds(0, 0, width, height);
  preview->HandleNeeded();
  return preview;
}

}  // namespace qrpreview_test
