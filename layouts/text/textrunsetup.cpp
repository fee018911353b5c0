#include "layouts/text/textrunsetup.h"

#include "layouts/core/bindinghints.h"
#include "textreport/engine/zreport.h"

namespace {

constexpr char ESC = '\x1B';
constexpr char FF = '\x0C';
constexpr char SI = '\x0F';
constexpr char DC2 = '\x12';

bool IsCondensed(int PageWidth) { return PageWidth > CondensedPageWidth; }

}  // namespace

std::vector<TZReport*> TextPagesOf(const TComponent& Runner) {
  std::vector<TZReport*> pages;
  for (int k = 0; k < Runner.ComponentCount(); ++k)
    if (auto* page = dynamic_cast<TZReport*>(Runner.Components(k)); page != nullptr && page->Tag() != PrototypeTag)
      pages.push_back(page);
  return pages;
}

int CountTextPages(const TComponent& Runner) { return static_cast<int>(TextPagesOf(Runner).size()); }

void ForceTextRunOptions(TZReport& Page) {
  TZReportOptions& options = *Page.Options();
  options.SetPreviewMode(zpmSinglePage);
  options.SetScissors(false);
  options.SetPaperType(zptSheet);
  Page.SetShowProgress(false);
}

AnsiString TextResetCode() { return AnsiString{ESC, '@'}; }

AnsiString TextReportStartCode(int PageWidth, int PageHeight) {
  AnsiString code;
  if (PageHeight >= 1 && PageHeight <= 127)
    code += AnsiString{ESC, 'C', static_cast<char>(PageHeight)};
  if (IsCondensed(PageWidth))
    code += SI;
  return code;
}

AnsiString TextReportFinishCode(int PageWidth) {
  return IsCondensed(PageWidth) ? AnsiString{DC2, FF} : AnsiString{FF};
}

void SetTextPrinterCodes(TZReportOptions& Options, int PageWidth, int PageHeight) {
  TZREscapes& escapes = *Options.Escapes();
  escapes.SetValues(zecReset, TextResetCode());
  escapes.SetValues(zecReportStart, TextReportStartCode(PageWidth, PageHeight));
  escapes.SetValues(zecReportFinish, TextReportFinishCode(PageWidth));
  // Equal strings leave the model as it was; the run's codes are the
  // runner's own, so the set is custom whatever they happened to match.
  escapes.SetModel(emCustom);
}

void SetUpTextPage(TZReport& Page) {
  ForceTextRunOptions(Page);
  SetTextPrinterCodes(*Page.Options(), Page.Width(), Page.Height());
}

void SetUpTextComposite(TZRComposite& Composite, TZReport& FirstPage) {
  Composite.SetPageWidth(FirstPage.Width());
  Composite.SetPageHeight(FirstPage.Height());
  Composite.SetShowProgress(false);
  // The host's copies were given to the first page; the composite's
  // document prints with the composite's options, so they go there too.
  Composite.Options()->SetCopies(FirstPage.Options()->Copies());
  SetTextPrinterCodes(*Composite.Options(), Composite.PageWidth(), Composite.PageHeight());
}

void AddTextPages(TZRComposite& Composite, const TComponent& Runner) {
  for (TZReport* page : TextPagesOf(Runner))
    Composite.Reports().push_back(page);
}

void ApplyTextInvoiceHeight(TZReport& Page) {
  if (!TBindingHint(Page.Hint()).IsInvoicePage())
    return;
  if (TZRCustomBand* detail = Page.FindBand(zbtDetail))
    detail->SetHeight(1);
}
