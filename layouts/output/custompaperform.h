// Custom paper of a single report page on the direct path: a page of
// paper size "Custom" printed without the print helper library on a
// dot-matrix printer gets a printer form of exactly its size for the run
// and prints on the printer's default paper (now that form); the printer's
// former form comes back when the run ends, on every path out. Every other
// printer keeps the engine's own custom paper size.
#pragma once
#include <memory>

#include "classlib/system/ansistring.h"
#include "layouts/custompaper.h"

class TCustomQuickRep;

class TCustomPaperForm {
public:
  // Printer is the name of the page's printer. Raises as the form
  // operations do (the printer cannot be read or written, the form is
  // refused); the page is then left as it was.
  TCustomPaperForm(TCustomQuickRep& Page, const AnsiString& Printer, bool PrintHelperAvailable);
  ~TCustomPaperForm();
  TCustomPaperForm(const TCustomPaperForm&) = delete;
  TCustomPaperForm& operator=(const TCustomPaperForm&) = delete;

  // A form was selected and the page set to the printer's default paper.
  bool Selected() const { return form_ != nullptr; }

private:
  std::unique_ptr<TPrinterFormScope> form_;
};
