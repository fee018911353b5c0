#include "app/shell/defaultlayout.h"

#include "classlib/forms/forms.h"
#include "design/dsnunit.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"

namespace {

// Printables are placed in screen pixels of the design surface (96 per
// inch), as the designer places them.
int Pixels(double Millimetres) { return static_cast<int>(Millimetres * 96.0 / 25.4 + 0.5); }

TQuickRep* AddSheet(TForm& Form, TDsnStage& Stage) {
  auto* page = new TQuickRep(&Form);
  page->SetName("Report1");
  page->SetParent(&Stage);
  page->SetHint("DATASET=ETIKET");
  // The preview's caption names the report by this title.
  page->SetReportTitle("Etiketler");
  page->SetUnits(MM);
  TQRPage* sheet = page->Page();
  sheet->SetPaperSize(TQRPaperSize::A4);
  sheet->SetColumns(TDefaultLabelSheet::Columns);
  sheet->SetColumnSpace(TDefaultLabelSheet::ColumnSpace);
  sheet->SetTopMargin(TDefaultLabelSheet::TopMargin);
  sheet->SetBottomMargin(TDefaultLabelSheet::BottomMargin);
  sheet->SetLeftMargin(TDefaultLabelSheet::SideMargin);
  sheet->SetRightMargin(TDefaultLabelSheet::SideMargin);
  return page;
}

TQRBand* AddLabelBand(TForm& Form, TQuickRep& Page) {
  auto* band = new TQRBand(&Form);
  band->SetName("DetailBand1");
  band->SetBandType(rbDetail);
  band->SetParent(&Page);
  band->Size()->SetHeight(TDefaultLabelSheet::LabelHeight);
  return band;
}

void AddBarcode(TForm& Form, TQRBand& Band) {
  auto* barcode = new TStBarCode(&Form);
  barcode->SetName("StBarCode1");
  barcode->SetParent(&Band);
  barcode->SetBounds(Pixels(4), Pixels(2), Pixels(55.5), Pixels(21));
  barcode->SetBarCodeType(bcEAN_13);
  // 12 digits get their check digit; 13 digits are checked (the host says
  // which label carries a wrong one before the run).
  barcode->SetAddCheckChar(true);
  barcode->SetBarWidth(18);
  barcode->SetTallGuardBars(true);
  barcode->SetShowCode(true);
  barcode->SetCode("869000000000");
  barcode->SetHint("DATASET=ETIKET\r\nDATAFIELD=METIN1");
}

void AddDataText(TForm& Form, TQRBand& Band, const char* Name, const char* Field, int Top, bool Bold) {
  auto* text = new TQRDBText(&Form);
  text->SetName(Name);
  text->SetParent(&Band);
  text->SetBounds(Pixels(4), Pixels(Top), Pixels(55.5), Pixels(5));
  text->SetHint(AnsiString("DATASET=ETIKET\r\nDATAFIELD=") + Field);
  text->Font()->SetName("Arial");
  text->Font()->SetSize(9);
  if (Bold)
    text->Font()->SetStyle(TFontStyles{fsBold});
}

}  // namespace

void WriteDefaultLabelLayout(TForm& Form, const AnsiString& FileName) {
  auto* stage = new TDsnStage(&Form);
  stage->SetName("DsnStage1");
  stage->SetParent(&Form);
  TQuickRep* page = AddSheet(Form, *stage);
  TQRBand* band = AddLabelBand(Form, *page);
  AddBarcode(Form, *band);
  AddDataText(Form, *band, "QRDBText1", "METIN2", 25, true);
  AddDataText(Form, *band, "QRDBText2", "METIN3", 31, false);
  stage->SaveToFile(FileName);
}
