// The document's print setup: the print dialog filled from the options, the
// setup form's check boxes and printer model, and a save dialog for the file
// name when the user prints to a file.
#include "classlib/forms/dialogs.h"
#include "textreport/output/zrprntr.h"

namespace {

void FillPrintDialog(TPrintDialog& dialog, const TZReportOptions& options, int pageCount) {
  dialog.SetOptions(TPrintDialogOptions{poPrintToFile, poPageNums, poWarning});
  dialog.SetMinPage(1);
  dialog.SetMaxPage(pageCount);
  dialog.SetCopies(options.Copies());
  dialog.SetCollate(true);
  dialog.SetFromPage(options.PageFrom());
  dialog.SetToPage(options.PageTo());
  const bool part = dialog.FromPage() > 1 || dialog.ToPage() < pageCount;
  dialog.SetPrintRange(part ? prPageNums : prAllPages);
  dialog.SetPrintToFile(options.Destination() == zrdFile);
}

// The output file's name; false when the save dialog was cancelled.
bool ChooseFileName(AnsiString& fileName) {
  TSaveDialog dialog(nullptr);
  dialog.SetFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*");
  dialog.SetOptions(dialog.Options() + TOpenOptions{ofOverwritePrompt, ofPathMustExist});
  dialog.SetFileName(fileName);
  if (!dialog.Execute())
    return false;
  fileName = dialog.FileName();
  return true;
}

}  // namespace

bool TZRPrinter::SetupDialog() {
  TZReportOptions& options = Options();
  TPrintDialog dialog(nullptr);
  FillPrintDialog(dialog, options, PageCount());
  TZRSetupFormValues form;
  form.OEMConvert = options.OEMConvert();
  form.IgnoreStyles = options.IgnoreStyles();
  form.ModelIndex = static_cast<int>(options.Escapes()->Model());
  const bool confirmed = SetupForm ? SetupForm(dialog, form) : dialog.Execute();
  if (!confirmed)
    return false;
  // "All pages" means every page, whatever range the dialog still holds.
  const bool all = dialog.PrintRange() != prPageNums;
  options.SetPageFrom(all ? 1 : dialog.FromPage());
  options.SetPageTo(all ? PageCount() : dialog.ToPage());
  options.SetCopies(dialog.Copies());
  options.SetOEMConvert(form.OEMConvert);
  options.SetIgnoreStyles(form.IgnoreStyles);
  if (form.ModelIndex >= 0 && form.ModelIndex <= static_cast<int>(emStarSDSGStarMode))
    options.Escapes()->SetModel(static_cast<TZREscapeModel>(form.ModelIndex));
  if (!dialog.PrintToFile()) {
    options.SetDestination(zrdPrinter);
    return true;
  }
  options.SetDestination(zrdFile);
  AnsiString fileName = FReport->FetchFileName();
  if (!ChooseFileName(fileName))
    return false;
  options.SetFileName(fileName);
  return true;
}
