#include "app/shell/reportoutput.h"

#include "classlib/printers/printers.h"
#include "classlib/system/exceptions.h"
#include "layouts/dizaynpreview.h"
#include "layouts/output/compositeoutput.h"
#include "layouts/output/singleoutput.h"
#include "layouts/vtrapor.h"
#include "reportengine/composite/qrcomposite.h"

namespace {

// The name of the printer the runner settled on (the page's printer).
AnsiString CurrentPrinterName() {
  TPrinter& printer = Printer();
  const int index = printer.PrinterIndex();
  TStrings& names = printer.Printers();
  return index >= 0 && index < names.Count() ? names.Strings(index) : AnsiString();
}

void OutputSingle(TDizaynPreviewF& Runner) {
  TSingleOutputRequest request;
  request.Mode = Runner.Mode;
  request.PrinterName = CurrentPrinterName();
  request.PrintHelper = Runner.VtRapor->PrintHelperExecute();
  request.MoveToLastRecord = Runner.LastYapilsin();
  request.NegativeTagMax = Runner.LargestNegativeDataTextTag();
  OutputSingleGraphicReport(*Runner.FirstGraphicPage(), *Runner.VtRapor, request);
}

void OutputComposite(TDizaynPreviewF& Runner) {
  auto* composite = dynamic_cast<TQRCompositeReport*>(Runner.QRCompositeReport1);
  if (composite == nullptr)
    throw Exception("Birleşik rapor oluşturulamadı; rapor yazdırılamadı.");
  OutputCompositeGraphicReport(*composite, Runner.GraphicPages(), *Runner.VtRapor, Runner.Mode,
                               [&Runner](TQuickRep& Page) { Runner.JoinComposite(Page); });
}

void OutputLayout(TDizaynPreviewF& Runner) {
  if (Runner.VtRapor == nullptr)
    return;
  switch (ChooseOutputPath(Runner.QuickRepCount(), Runner.ZRepCount())) {
    case TOutputPath::SingleGraphic:
      OutputSingle(Runner);
      break;
    case TOutputPath::CompositeGraphic:
      OutputComposite(Runner);
      break;
    case TOutputPath::SingleText:
    case TOutputPath::CompositeText:
      // Text layouts print through the text-mode engine's own window.
      throw Exception("Metin (nokta vuruşlu) rapor sayfaları bu pencereden yazdırılamaz.");
    case TOutputPath::None:
      break;
  }
}

}  // namespace

void InstallLayoutOutput() { InstallRunnerOutput(OutputLayout); }
