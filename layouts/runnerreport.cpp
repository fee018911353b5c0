#include "layouts/runnerreport.h"

#include <utility>

#include "classlib/classes/typinfo.h"
#include "classlib/data/dataset.h"
#include "layouts/core/bindinghints.h"
#include "layouts/runnerbinding.h"
#include "reportengine/report/qrprintable.h"

TQRCustomBand* DetailBandOf(TQuickRep& Page) {
  if (TQRCustomBand* detail = Page.BandOfType(rbDetail))
    return detail;
  // A page whose band list was not built yet: its child bands decide.
  for (int k = 0; k < Page.ControlCount(); ++k)
    if (auto* band = dynamic_cast<TQRBand*>(Page.Controls(k)); band != nullptr && band->BandType() == rbDetail)
      return band;
  return nullptr;
}

TQRCustomBand* LinkedBand(TQRCustomBand& Band) { return Band.LinkBand(); }

TQuickRep* ReportOfBand(TQRCustomBand& Band) {
  if (auto* report = dynamic_cast<TQuickRep*>(Band.ParentReport()))
    return report;
  return PageOfControl(&Band);
}

TQuickRep* PageOfControl(TControl* Control) {
  for (TControl* c = Control; c != nullptr; c = c->Parent())
    if (auto* page = dynamic_cast<TQuickRep*>(c))
      return page;
  return nullptr;
}

TDataSet* ReportDataSet(TQuickRep& Page) { return Page.DataSet(); }

int PageColumns(TQuickRep& Page) { return Page.Page() != nullptr ? Page.Page()->Columns() : 1; }

TInvoiceSettings InvoiceSettingsOf(TComponent& Page) {
  TBindingHint hint;
  ReadComponentHint(&Page, hint);
  TInvoiceSettings settings;
  settings.LinesPerPage = hint.HareketSayisi();
  settings.LineHeight = hint.HareketAlaniYukseklik() / settings.LinesPerPage * 10;
  return settings;
}

void SetInvoiceLineHeight(TQRCustomBand& Band, double Height) {
  Band.Size()->SetHeight(Height);
  if (TQRCustomBand* linked = Band.LinkBand())
    linked->Size()->SetHeight(Height);
}

void StartNewPage(TQuickRep& Page) { Page.NewPage(); }

int CountReportRecords(TQuickRep& Page) { return Page.CountRecords(); }

int CurrentPageNumberOf(TComponent* Printable) {
  auto* printable = dynamic_cast<TQRPrintable*>(Printable);
  TQuickRep* page = printable != nullptr ? PageOfControl(printable) : nullptr;
  if (page == nullptr || page->QRPrinter() == nullptr)
    return 0;
  return page->QRPrinter()->PageNumber();
}

void SetPagePrinter(TQuickRep& Page, int PrinterIndex, int Copies) {
  Page.PrinterSettings()->SetPrinterIndex(PrinterIndex);
  Page.PrinterSettings()->SetCopies(Copies);
}

void SetCompositePrinter(TComponent& Composite, TQuickRep& FirstPage, int PrinterIndex, int Copies) {
  if (GetPropInfo(&Composite, "PrinterSettings") == nullptr)
    return;
  auto* settings = dynamic_cast<TQRPrinterSettings*>(GetObjectProp(&Composite, "PrinterSettings"));
  if (settings == nullptr)
    return;
  settings->SetPrinterIndex(PrinterIndex);
  settings->SetCopies(Copies);
  settings->SetOrientation(FirstPage.Page()->Orientation());
}

namespace {

TCompositeMemberAdder& InstalledAdder() {
  static TCompositeMemberAdder adder;
  return adder;
}

}  // namespace

TCompositeMemberAdder InstallCompositeMemberAdder(TCompositeMemberAdder Adder) {
  return std::exchange(InstalledAdder(), std::move(Adder));
}

void AddCompositeMember(TComponent& Composite, TQuickRep& Page) {
  const TCompositeMemberAdder adder = InstalledAdder();
  if (!adder)
    throw Exception("Birleşik rapor oluşturulamadı; rapor yazdırılamadı.");
  adder(Composite, Page);
}

void PreparePage(TQuickRep& Page) {
  TDataSet* dataSet = Page.DataSet();
  if (dataSet == nullptr) {
    Page.Prepare();
    return;
  }
  dataSet->DisableControls();
  try {
    Page.Prepare();
  } catch (...) {
    dataSet->EnableControls();
    throw;
  }
  dataSet->EnableControls();
}

int PreparedPageCount(TQuickRep& Page) { return Page.QRPrinter() != nullptr ? Page.QRPrinter()->PageCount() : 0; }
