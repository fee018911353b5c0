#include "layouts/output/singleoutput.h"

#include "classlib/data/dataset.h"
#include "layouts/output/custompaperform.h"
#include "layouts/output/outputreports.h"
#include "layouts/output/outputsettings.h"
#include "layouts/output/printhelperrun.h"
#include "layouts/vtrapor.h"
#include "reportengine/report/quickrep.h"

namespace {

// Data-aware controls stay still while the pages are made.
void PrepareWithControlsDisabled(TQuickRep& Page) {
  TDataSet* data = Page.DataSet();
  if (data != nullptr)
    data->DisableControls();
  try {
    Page.Prepare();
  } catch (...) {
    if (data != nullptr)
      data->EnableControls();
    throw;
  }
  if (data != nullptr)
    data->EnableControls();
}

}  // namespace

void OutputSingleGraphicReport(TQuickRep& Page, TVtRapor& Rapor, const TSingleOutputRequest& Request) {
  SetSingleOutputSettings(Page);
  if (Request.MoveToLastRecord && Page.DataSet() != nullptr)
    Page.DataSet()->Last();
  TCustomPaperForm form(Page, Request.PrinterName, Request.PrintHelper != nullptr);
  PrepareWithControlsDisabled(Page);
  GiveBandlessPageATitleBand(Page, Request.NegativeTagMax);
  Rapor.DoBeforeReportPrint(&Page);
  const TOutputMode mode = OutputModeOf(Request.Mode);
  const bool helperPath = Request.PrintHelper != nullptr && Page.Page()->PaperSize() == TQRPaperSize::Custom;
  if (helperPath && (mode == TOutputMode::Preview || mode == TOutputMode::Print)) {
    RunPrintHelper(Request.PrintHelper, Page, Request.PrinterName,
                   mode == TOutputMode::Preview ? PrintHelperPreview : PrintHelperPrint);
    return;
  }
  TQuickRepOutput output(Page);
  RunOutputMode(Request.Mode, output, Rapor);
}
