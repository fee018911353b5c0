// The designer's new-layout commands: a graphic layout, a text layout, and
// the invoice layouts of both kinds, which start from the first two with
// their page presets and open the invoice settings at once.
//
// Every command asks the save question first. Cancel there, or in the save
// dialog it opens, stops the whole command: the layout the user chose to
// keep is neither replaced nor given invoice presets.
#include "layouts/core/newlayoutpresets.h"
#include "layouts/designinspector.h"
#include "layouts/dizaynanaf.h"
#include "reportengine/printer/qrpapers.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"
#include "textreport/engine/zrbands.h"
#include "textreport/engine/zreport.h"

namespace {

// The inspector's first row on an invoice page: the invoice settings.
constexpr int InvoiceSettingsRow = 1;
constexpr char InvoiceSettingsKind[] = "TFatura";

void SetTextBandLines(TZReport* Page, TZRBandType Kind, int Lines) {
  if (Lines <= 0)
    return;
  Page->Bands()->SetHas(Kind, true);
  if (TZRCustomBand* band = Page->FindBand(Kind))
    band->SetHeight(Lines);
}

void SetGraphicBandHeight(TQRCustomBand* Band, int Millimetres) {
  if (Band != nullptr)
    Band->Size()->SetHeight(Millimetres);
}

}  // namespace

void TDizaynAnaF::ToolButton1Click(TObject*) { StartNewLayout(false); }

void TDizaynAnaF::YeniTextRapor1Click(TObject*) { StartNewLayout(true); }

void TDizaynAnaF::YeniFaturaFis1Click(TObject*) {
  if (!StartNewLayout(false) || CurrentQuickRep == nullptr)
    return;
  TQuickRep* page = CurrentQuickRep;
  ApplyGraphicInvoicePreset(page, GraphicInvoicePreset);
  FinishInvoiceLayout(page, GraphicInvoicePreset);
}

void TDizaynAnaF::YeniTextFaturaFis1Click(TObject*) {
  if (!StartNewLayout(true) || CurrentZReport == nullptr)
    return;
  TZReport* page = CurrentZReport;
  ApplyTextInvoicePreset(page, TextInvoicePreset);
  FinishInvoiceLayout(page, TextInvoicePreset);
}

bool TDizaynAnaF::StartNewLayout(bool TextLayout) {
  if (LayoutModified) {
    DsnDpRegister1->UnselectAll();
    if (!AskSaveQuestion())
      return false;
  }
  NewReport(TextLayout);
  FileName.clear();
  ShowFileName();
  ZReportDuzenle();
  return true;
}

void TDizaynAnaF::ApplyGraphicInvoicePreset(TQuickRep* Page, const TInvoicePreset& Preset) {
  TQRPage* paper = Page->Page();
  paper->SetPaperSize(TQRPaperSize::Custom);
  paper->SetTopMargin(Preset.Margin);
  paper->SetLeftMargin(Preset.Margin);
  paper->SetRightMargin(Preset.Margin);
  paper->SetBottomMargin(Preset.Margin);
  if (Preset.PageHeader > 0) {
    Page->Bands()->SetHasPageHeader(true);
    SetGraphicBandHeight(Page->Bands()->PageHeaderBand(), Preset.PageHeader);
  }
  SetGraphicBandHeight(Page->Bands()->DetailBand(), Preset.Detail);
}

void TDizaynAnaF::ApplyTextInvoicePreset(TZReport* Page, const TInvoicePreset& Preset) {
  TZRMargins* margins = Page->Margins();
  margins->SetLeft(Preset.Margin);
  margins->SetTop(Preset.Margin);
  margins->SetRight(Preset.Margin);
  margins->SetBottom(Preset.Margin);
  SetTextBandLines(Page, zbtColumnHeader, Preset.ColumnHeader);
  SetTextBandLines(Page, zbtDetail, Preset.Detail);
  SetTextBandLines(Page, zbtPageFooter, Preset.PageFooter);
}

void TDizaynAnaF::FinishInvoiceLayout(TControl* Page, const TInvoicePreset& Preset) {
  DsnDpRegister1->SetActive(false);
  DsnDpRegister1->SetActive(true);
  AddComponentsCombo();
  TabControlDuzenle();
  Page->SetHint(InvoicePageHint(Preset));
  FitStageToPage(Page);
  SelectInComponentList(Page);
  Inspector->SelectRow(InvoiceSettingsRow);
  ZReportDuzenle();
  BtnEditKindClick(InvoiceSettingsKind);
}
