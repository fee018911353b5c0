// Custom paper on dot-matrix printers: a page of a size no paper of the
// printer has gets a printer form of exactly that size ("VORTELIMCF_" +
// length + "X" + width, whole millimetres), selected as the printer's
// default form for the run and given back afterwards. Everything goes
// through the spooler seam.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "classlib/printers/spooler.h"
#include "classlib/system/ansistring.h"

// A page side in whole millimetres; halves go to the even neighbour.
int PageSideMillimetres(long double Millimetres);

// "VORTELIMCF_<length>X<width>".
AnsiString PrinterFormName(int Length, int Width);

// The form as it is added: sizes and imageable area in thousandths of a
// millimetre, the area from the top left corner.
TPrinterForm PrinterFormRecord(int Length, int Width);

// A dot-matrix printer: a palette of at most 16 colours and TrueType fonts
// printed only as graphics. A printer that cannot be asked is not one.
bool IsPrinterMatrix(const AnsiString& Printer);

bool IsOSNT();

// The form name of the printer's default device mode. Raises when the
// printer cannot be read.
AnsiString SystemPrinterGetForm(const AnsiString& Printer);

// Makes the form the printer's default paper (no paper size, length or width
// in the device mode any more; at most 31 characters of the name). Raises
// when the printer cannot be read or written.
void SystemPrinterSetFormXP(const AnsiString& Printer, const AnsiString& FormName);

// Makes sure the printer's server has the form of that size. Sizes under
// 1 mm are refused; a form of that name with another size is resized. When
// the form cannot be added the user is told "Yazdirma esnasında problem
// oluştu" and the run ends silently (EAbort).
// The message's text and caption go through Translate when one is given
// (the runner's OnTranslate).
using TFormTextTranslation = std::function<AnsiString(const AnsiString&)>;
void CreateForm(const AnsiString& Printer, int Length, int Width, const TFormTextTranslation& Translate = {});

// While it lives, the printer's default form is the custom form of the page;
// the form it had before is given back on every path out.
class TPrinterFormScope {
public:
  TPrinterFormScope(const AnsiString& Printer, long double Length, long double Width,
                    const TFormTextTranslation& Translate = {});
  ~TPrinterFormScope();
  TPrinterFormScope(const TPrinterFormScope&) = delete;
  TPrinterFormScope& operator=(const TPrinterFormScope&) = delete;

private:
  AnsiString printer_;
  AnsiString savedForm_;
  bool selected_ = false;
};

// The pages handed to the print helper library: each page's metafile bytes
// in base64, joined by "|||".
std::string JoinPrintHelperPages(const std::vector<std::string>& PageBytes);
