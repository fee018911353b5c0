#include "layouts/output/printhelperrun.h"

#include <memory>
#include <string>
#include <vector>

#include "classlib/graphics/metafile.h"
#include "layouts/custompaper.h"
#include "reportengine/report/quickrep.h"

namespace {

std::vector<std::string> PageBytes(TQRPrinter& Printer) {
  std::vector<std::string> pages;
  for (int n = 1; n <= Printer.PageCount(); ++n) {
    std::unique_ptr<TMetafile> page = Printer.GetPage(n);
    if (!page)
      continue;
    const std::vector<std::uint8_t> bytes = page->EmfBytes();
    pages.emplace_back(bytes.begin(), bytes.end());
  }
  return pages;
}

}  // namespace

void RunPrintHelper(TPrintHelperExecute Execute, TCustomQuickRep& Page, const AnsiString& PrinterName, int Mode) {
  if (Execute == nullptr)
    return;
  const std::string pages = Page.QRPrinter() ? JoinPrintHelperPages(PageBytes(*Page.QRPrinter())) : std::string();
  TQRPage& page = *Page.Page();
  // The form is named and sized in millimetres; the helper gets the page's own units.
  const long double width = page.Width(), length = page.Length();
  const TQRUnit units = Page.Units();
  Page.SetUnits(MM);
  const int lengthMM = PageSideMillimetres(page.Length()), widthMM = PageSideMillimetres(page.Width());
  Page.SetUnits(units);
  try {
    CreateForm(PrinterName, lengthMM, widthMM);
  } catch (const Exception&) {
    // The helper prints on its own terms; a form it may miss is its business.
  }
  Execute(PrinterName.c_str(), Page.PrinterSettings()->Copies(), Mode, width, length, pages.c_str());
}
