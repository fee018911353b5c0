#include "reportengine/printables/qrtexthost.h"

#include <windows.h>

#include "classlib/graphics/canvas.h"
#include "classlib/graphics/font.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrbasepanel.h"

namespace {

// A memory context compatible with the screen, the reference the report
// measures text on when no printer canvas is in use. One per thread: a run
// may measure on its worker thread while the designer measures on the GUI.
TCanvas& MeasuringCanvas() {
  thread_local TCanvas canvas;
  if (!canvas.HandleAllocated())
    canvas.SetHandle(CreateCompatibleDC(nullptr));
  return canvas;
}

SIZE ExtentOn(TCanvas& canvas, TFont& font, const AnsiString& text) {
  canvas.Font().Assign(&font);
  return canvas.TextExtent(text);
}

}  // namespace

int QRReportTextWidth(TQRBasePanel& Report, TFont& Font, const AnsiString& Text) {
  TQRPrinter* printer = Report.RunPrinter();
  if (printer != nullptr && printer->Destination() == qrdPrinter && printer->Status() == mpBusy &&
      printer->XFactor() > 0) {
    long double pixelsPerInch = printer->XFactor() * 254;
    int width = ExtentOn(printer->CurrentCanvas(), Font, Text).cx;
    return static_cast<int>(Round(static_cast<double>(width * 96 / pixelsPerInch)));
  }
  return ExtentOn(MeasuringCanvas(), Font, Text).cx + 1;
}

int QRReportTextHeight(TQRBasePanel&, TFont& Font) { return ExtentOn(MeasuringCanvas(), Font, "W").cy; }

bool QRBandCanExpand(TWinControl*, long double) { return false; }

void QRBandExpand(TWinControl*, long double, long double& NewExpanded, bool& HasExpanded) {
  NewExpanded = 0;
  HasExpanded = true;
}

bool QRIsQuickRep(TQRBasePanel*) { return false; }
int QRReportPageNumber(TQRBasePanel*) { return 0; }
AnsiString QRReportTitle(TQRBasePanel*) { return ""; }
int QRReportDetailCount(TQRBasePanel*) { return 1; }
int QRReportDetailNumber(TQRBasePanel*) { return 0; }
TList* QRReportDataSets(TQRBasePanel*) { return nullptr; }
TQREvEnvironment* QRReportFunctions(TQRBasePanel*) { return nullptr; }
bool QRAddNotifyClient(TComponent*, TQRPrintable*) { return false; }
