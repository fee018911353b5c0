// Stand-ins for the report page and a band, as the base panel and the
// printables see them, and pixel helpers for painted panels. Header-only.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "reportengine/printer/qrunits.h"
#include "reportengine/report/qrbasepanel.h"
#include "reportengine/report/qrprintable.h"
#include "tests/support/formfixture.h"

namespace qrreport_test {

// A report page: a panel with a page, units, a run printer and the design
// picture in the order the report paints it.
class TestReport : public TQRBasePanel, public IQRUnitReport, public IQRSizedControl {
public:
  explicit TestReport(TComponent* owner) : TQRBasePanel(owner), page(this, this) {
    SetColor(clWhite);
    SetBevelOuter(bvNone);
    SetCaption("");
  }

  TQRPanelRole PanelRole() const override { return TQRPanelRole::Report; }
  TQRBasePanel* OwningReport() override { return this; }
  IQRUnitReport* UnitReport() override { return this; }
  TQRUnit PrintableUnits() override { return page.Units(); }
  TQRPrinter* RunPrinter() override { return printer; }
  bool UsesPrinterPages() override { return usePrinterPages; }
  int UnitFontSize() override { return 10; }
  void GetSizedBounds(int& l, int& t, int& w, int& h) override {
    l = Left(), t = Top(), w = Width(), h = Height();
  }
  void SetSizedBounds(int l, int t, int w, int h) override { SetBounds(l, t, w, h); }

  void ApplyZoom(int value) override {
    TQRBasePanel::ApplyZoom(value);
    page.SetZoom(value);
  }

  TQRPage page;
  TQRPrinter* printer = nullptr;
  bool usePrinterPages = true;

protected:
  void Paint() override {
    TQRBasePanel::Paint();
    if (page.Ruler())
      PaintRuler(page.Units());
    QRPaintMargins(*Canvas(), page, ClientWidth(), ClientHeight());
    QRPaintPageFrame(*Canvas(), page, *Frame());
    QRPaintColumnLines(*Canvas(), page);
  }
};

// A band on a TestReport: its ruler in the report's units, its outline,
// frame and name.
class TestBand : public TQRBasePanel {
public:
  explicit TestBand(TComponent* owner) : TQRBasePanel(owner) {
    SetColor(clWhite);
    SetBevelOuter(bvNone);
    SetCaption("");
  }

  TQRPanelRole PanelRole() const override { return TQRPanelRole::Band; }
  TQRBasePanel* OwningReport() override { return dynamic_cast<TestReport*>(Parent()); }
  IQRUnitReport* UnitReport() override { return report() ? report()->UnitReport() : nullptr; }
  TQRUnit PrintableUnits() override { return bandUnits; }
  void MarkDesignRepaint() override {
    if (report())
      report()->MarkDesignRepaint();
  }

  TQRUnit bandUnits = MM;
  AnsiString name = "Detail";

protected:
  void Paint() override {
    TQRBasePanel::Paint();
    if (report() && report()->page.Ruler())
      PaintRuler(report()->page.Units());
    QRPaintBandDesign(*Canvas(), Width(), Height(), *Frame(), name);
  }

private:
  TestReport* report() const { return dynamic_cast<TestReport*>(Parent()); }
};

// A 24-bit picture of a control, painted with PaintTo.
class Picture {
public:
  Picture(TWinControl& control, int width, int height) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    bitmap.Canvas().Brush().SetColor(clFuchsia);
    bitmap.Canvas().FillRect(Rect(0, 0, width, height));
    control.PaintTo(bitmap.Canvas(), 0, 0);
  }
  TColor At(int x, int y) { return bitmap.Canvas().GetPixel(x, y); }
  // Pixels of the rectangle darker than $A0 in every channel.
  int DarkIn(const TRect& r) {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        TColor c = At(x, y);
        if ((c & 0xFF) < 0xA0 && ((c >> 8) & 0xFF) < 0xA0 && ((c >> 16) & 0xFF) < 0xA0)
          ++count;
      }
    return count;
  }
  void Save(const char* env) {
    if (const char* path = std::getenv(env))
      bitmap.SaveToFile(path);
  }

  TBitmap bitmap;
};

}  // namespace qrreport_test
