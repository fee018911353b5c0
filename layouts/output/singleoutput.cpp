#include "layouts/output/singleoutput.h"

#include "classlib/data/dataset.h"
#include "layouts/output/custompaperform.h"
#include "layouts/output/outputreports.h"
#include "layouts/output/outputsettings.h"
#include "layouts/output/printhelperrun.h"
#include "layouts/vtrapor.h"
#include "reportengine/report/quickrep.h"

namespace {

// Data-aware controls stay still while the pages are made: a run moves
// through every record, and a preview's run does so on its own thread.
class TControlsDisabled {
public:
  explicit TControlsDisabled(TQuickRep& Page) : FData(Page.DataSet()) {
    if (FData != nullptr)
      FData->DisableControls();
  }
  ~TControlsDisabled() {
    if (FData != nullptr)
      FData->EnableControls();
  }
  TControlsDisabled(const TControlsDisabled&) = delete;
  TControlsDisabled& operator=(const TControlsDisabled&) = delete;

private:
  TDataSet* FData;
};

// Preview and Print on the direct path run the report themselves (the
// preview on its worker thread, showing page 1 while later pages are made),
// so pages made before them would only be made twice while the user waits.
// The print helper and the file modes take the finished pages.
bool NeedsPreparedPages(TOutputMode Mode, bool HelperPath) {
  return HelperPath || (Mode != TOutputMode::Preview && Mode != TOutputMode::Print);
}

}  // namespace

void OutputSingleGraphicReport(TQuickRep& Page, TVtRapor& Rapor, const TSingleOutputRequest& Request) {
  SetSingleOutputSettings(Page);
  if (Request.MoveToLastRecord && Page.DataSet() != nullptr)
    Page.DataSet()->Last();
  const TFormTextTranslation translate = [&Rapor](const AnsiString& Text) { return Rapor.Translate(Text); };
  TCustomPaperForm form(Page, Request.PrinterName, Request.PrintHelper != nullptr, translate);
  const TOutputMode mode = OutputModeOf(Request.Mode);
  const bool helperPath = Request.PrintHelper != nullptr && Page.Page()->PaperSize() == TQRPaperSize::Custom;
  if (NeedsPreparedPages(mode, helperPath)) {
    TControlsDisabled still(Page);
    Page.Prepare();
  }
  GiveBandlessPageATitleBand(Page, Request.NegativeTagMax);
  Rapor.DoBeforeReportPrint(&Page);
  if (helperPath && (mode == TOutputMode::Preview || mode == TOutputMode::Print)) {
    RunPrintHelper(Request.PrintHelper, Page, Request.PrinterName,
                   mode == TOutputMode::Preview ? PrintHelperPreview : PrintHelperPrint, translate);
    return;
  }
  TQuickRepOutput output(Page);
  if (NeedsPreparedPages(mode, helperPath)) {
    RunOutputMode(Request.Mode, output, Rapor);
    return;
  }
  TControlsDisabled still(Page);
  RunOutputMode(Request.Mode, output, Rapor);
}
