#include "layouts/output/custompaperform.h"

#include "reportengine/report/quickrep.h"

TCustomPaperForm::TCustomPaperForm(TCustomQuickRep& Page, const AnsiString& Printer, bool PrintHelperAvailable) {
  TQRPage& page = *Page.Page();
  if (page.PaperSize() != TQRPaperSize::Custom || PrintHelperAvailable || !IsPrinterMatrix(Printer))
    return;
  // The form is sized in millimetres whatever units the page is shown in.
  const TQRUnit units = Page.Units();
  Page.SetUnits(MM);
  const long double length = page.Length(), width = page.Width();
  Page.SetUnits(units);
  form_ = std::make_unique<TPrinterFormScope>(Printer, length, width);
  if (IsOSNT())
    page.SetPaperSize(TQRPaperSize::Default);
}

TCustomPaperForm::~TCustomPaperForm() = default;
