#include "layouts/output/runneroutput.h"

#include "classlib/printers/printers.h"
#include "classlib/system/exceptions.h"
#include "layouts/dizaynpreview.h"
#include "layouts/output/compositeoutput.h"
#include "layouts/output/singleoutput.h"
#include "layouts/runnerreport.h"
#include "layouts/vtrapor.h"
#include "reportengine/composite/qrcomposite.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/quickrep.h"

namespace {

// The name of the printer the runner settled on for the page; empty when
// the index names none (the page then prints on the current printer).
AnsiString PagePrinterName(TQuickRep& Page) {
  const int index = Page.PrinterSettings()->PrinterIndex();
  TStrings& printers = Printer().Printers();
  if (index >= 0 && index < printers.Count())
    return printers.Strings(index);
  const int current = Printer().PrinterIndex();
  return current >= 0 && current < printers.Count() ? printers.Strings(current) : AnsiString();
}

void RunSingleGraphic(TDizaynPreviewF& Runner, TVtRapor& Rapor) {
  TQuickRep& page = *Runner.FirstGraphicPage();
  TSingleOutputRequest request;
  request.Mode = Runner.Mode;
  request.PrinterName = PagePrinterName(page);
  request.PrintHelper = Runner.DirectPath() ? nullptr : Rapor.PrintHelperExecute();
  request.MoveToLastRecord = Runner.LastYapilsin();
  request.NegativeTagMax = Runner.LargestNegativeDataTextTag();
  OutputSingleGraphicReport(page, Rapor, request);
  if (page.QRPrinter() != nullptr)
    Runner.SetPageCount(page.QRPrinter()->PageCount());
}

void RunCompositeGraphic(TDizaynPreviewF& Runner, TVtRapor& Rapor) {
  auto* composite = dynamic_cast<TQRCompositeReport*>(Runner.QRCompositeReport1);
  if (composite == nullptr)
    throw Exception("Birleşik rapor oluşturulamadı; rapor yazdırılamadı.");
  OutputCompositeGraphicReport(*composite, Runner.GraphicPages(), Rapor, Runner.Mode,
                               [&Runner](TQuickRep& Page) { Runner.JoinComposite(Page); });
}

}  // namespace

void RunRunnerOutput(TDizaynPreviewF& Runner) {
  if (Runner.VtRapor == nullptr) {
    PrepareRunnerPages(Runner);
    return;
  }
  switch (ChooseOutputPath(Runner.QuickRepCount(), Runner.ZRepCount())) {
    case TOutputPath::SingleGraphic:
      RunSingleGraphic(Runner, *Runner.VtRapor);
      break;
    case TOutputPath::CompositeGraphic:
      RunCompositeGraphic(Runner, *Runner.VtRapor);
      break;
    case TOutputPath::SingleText:
    case TOutputPath::CompositeText:
      // The runner serves its text pages itself before it calls the
      // installed output; a direct call gets the same paths.
      Runner.RunTextPages();
      break;
    case TOutputPath::None:
      break;
  }
}

void InstallRunnerOutputPaths() {
  InstallCompositeMemberAdder([](TComponent& Composite, TQuickRep& Page) {
    auto* composite = dynamic_cast<TQRCompositeReport*>(&Composite);
    if (composite == nullptr)
      throw Exception("Birleşik rapor oluşturulamadı; rapor yazdırılamadı.");
    composite->AddReport(&Page);
  });
  InstallRunnerOutput(RunRunnerOutput);
}
