#include "reportengine/printables/qrtexthost.h"

#include <windows.h>

#include "classlib/graphics/canvas.h"
#include "classlib/graphics/font.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrbasepanel.h"
#include "reportengine/report/qrcontroller.h"
#include "reportengine/report/qrsubdetail.h"
#include "reportengine/report/quickrep.h"

namespace {

// A memory context compatible with the screen, the reference a stand-in
// report measures text on when no printer canvas is in use. Made for each
// measure and let go at once, so no thread keeps a context behind.
class MeasuringCanvas {
public:
  MeasuringCanvas() : dc_(CreateCompatibleDC(nullptr)) { canvas_.SetHandle(dc_); }
  ~MeasuringCanvas() {
    canvas_.SetHandle(nullptr);
    if (dc_ != nullptr)
      DeleteDC(dc_);
  }
  MeasuringCanvas(const MeasuringCanvas&) = delete;
  MeasuringCanvas& operator=(const MeasuringCanvas&) = delete;
  TCanvas& Canvas() { return canvas_; }

private:
  HDC dc_;
  TCanvas canvas_;
};

SIZE ExtentOn(TCanvas& canvas, TFont& font, const AnsiString& text) {
  canvas.Font().Assign(&font);
  return canvas.TextExtent(text);
}

TCustomQuickRep* AsReport(TQRBasePanel* panel) { return dynamic_cast<TCustomQuickRep*>(panel); }

}  // namespace

// A report page measures itself; another panel standing for a report (a
// test's or a host's) measures the same way on the reference context.
int QRReportTextWidth(TQRBasePanel& Report, TFont& Font, const AnsiString& Text) {
  if (TCustomQuickRep* report = AsReport(&Report))
    return report->TextWidth(&Font, Text);
  TQRPrinter* printer = Report.RunPrinter();
  if (printer != nullptr && printer->Destination() == qrdPrinter && printer->Status() == mpBusy &&
      printer->XFactor() > 0) {
    long double pixelsPerInch = printer->XFactor() * 254;
    int width = ExtentOn(printer->CurrentCanvas(), Font, Text).cx;
    return static_cast<int>(Round(static_cast<double>(width * 96 / pixelsPerInch)));
  }
  MeasuringCanvas measuring;
  return ExtentOn(measuring.Canvas(), Font, Text).cx + 1;
}

int QRReportTextHeight(TQRBasePanel& Report, TFont& Font) {
  if (TCustomQuickRep* report = AsReport(&Report))
    return report->TextHeight(&Font, "W");
  MeasuringCanvas measuring;
  return ExtentOn(measuring.Canvas(), Font, "W").cy;
}

bool QRBandCanExpand(TWinControl* Band, long double Amount) {
  auto* band = dynamic_cast<TQRCustomBand*>(Band);
  return band != nullptr && band->ParentReport() != nullptr && band->CanExpand(Amount);
}

void QRBandExpand(TWinControl* Band, long double Amount, long double& NewExpanded, bool& HasExpanded) {
  if (auto* band = dynamic_cast<TQRCustomBand*>(Band))
    band->ExpandBand(NewExpanded, HasExpanded, Amount);
}

bool QRIsQuickRep(TQRBasePanel* Report) { return dynamic_cast<TQuickRep*>(Report) != nullptr; }

int QRReportPageNumber(TQRBasePanel* Report) {
  TCustomQuickRep* report = AsReport(Report);
  return report != nullptr ? report->PageCount() : 0;
}

AnsiString QRReportTitle(TQRBasePanel* Report) {
  TCustomQuickRep* report = AsReport(Report);
  return report != nullptr ? report->ReportTitle() : AnsiString();
}

int QRReportDetailCount(TQRBasePanel* Report) {
  auto* report = dynamic_cast<TQuickRep*>(Report);
  return report != nullptr ? report->CountRecords() : 1;
}

int QRReportDetailNumber(TQRBasePanel* Report) {
  TCustomQuickRep* report = AsReport(Report);
  auto* controller = report != nullptr ? dynamic_cast<TQRController*>(report->Controller()) : nullptr;
  return controller != nullptr ? controller->DetailNumber() : 0;
}

TList* QRReportDataSets(TQRBasePanel* Report) {
  TCustomQuickRep* report = AsReport(Report);
  return report != nullptr ? report->DataSetList() : nullptr;
}

TQREvEnvironment* QRReportFunctions(TQRBasePanel* Report) {
  TCustomQuickRep* report = AsReport(Report);
  return report != nullptr ? report->Functions() : nullptr;
}

bool QRAddNotifyClient(TComponent* Master, TQRPrintable* Client) {
  if (auto* report = dynamic_cast<TCustomQuickRep*>(Master)) {
    report->AddNotifyClient(Client);
    return true;
  }
  if (auto* subDetail = dynamic_cast<TQRSubDetail*>(Master)) {
    if (subDetail->Controller() == nullptr)
      return false;
    subDetail->Controller()->AddNotifyClient(Client);
    return true;
  }
  return false;
}

void QRRemoveNotifyClient(TComponent* Master, TQRPrintable* Client) {
  TQRCustomController* controller = nullptr;
  if (auto* report = dynamic_cast<TCustomQuickRep*>(Master))
    controller = report->Controller();
  else if (auto* subDetail = dynamic_cast<TQRSubDetail*>(Master))
    controller = subDetail->Controller();
  if (controller != nullptr)
    controller->RemoveNotifyClient(Client);
}
