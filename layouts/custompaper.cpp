#include "layouts/custompaper.h"

#include <cmath>

#include "classlib/forms/application.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/mathutils.h"
#include "classlib/system/numconv.h"
#include "support/base64/base64.h"

namespace {

constexpr int FormNameLimit = 31;

[[noreturn]] void RaisePrinterError(const AnsiString& what, const AnsiString& printer) {
  throw Exception(what + ": \"" + printer + "\"");
}

}  // namespace

int PageSideMillimetres(long double Millimetres) { return static_cast<int>(Round(static_cast<double>(Millimetres))); }

AnsiString PrinterFormName(int Length, int Width) {
  return "VORTELIMCF_" + IntToStr(Length) + "X" + IntToStr(Width);
}

TPrinterForm PrinterFormRecord(int Length, int Width) {
  TPrinterForm form;
  form.Name = PrinterFormName(Length, Width);
  form.Flags = 0;
  form.Size = SIZE{Width * 1000, Length * 1000};
  form.ImageableArea = RECT{0, 0, Width * 1000, Length * 1000};
  return form;
}

// NUMCOLORS is -1 on a device of more than 256 colours: that is no
// dot-matrix printer, though -1 is "at most 16" as a number.
bool IsPrinterMatrix(const AnsiString& Printer) {
  try {
    TPrinterDetails details;
    if (!Spooler().GetPrinter(Printer, details))
      return false;
    int colors = Spooler().NumColors(Printer);
    return colors > 0 && colors <= 16 && Spooler().TrueType(Printer, details.Port) == DCTT_BITMAP;
  } catch (const Exception&) {
    return false;
  }
}

bool IsOSNT() {
#ifdef _WIN32
  return true;  // every system this program runs on is of the NT family
#else
  return false;
#endif
}

AnsiString SystemPrinterGetForm(const AnsiString& Printer) {
  TPrinterDetails details;
  if (!Spooler().GetPrinter(Printer, details))
    RaisePrinterError("Yazıcının ayarları okunamadı", Printer);
  return Spooler().DefaultFormName(Printer);
}

void SystemPrinterSetFormXP(const AnsiString& Printer, const AnsiString& FormName) {
  if (!Spooler().SetDefaultFormName(Printer, FormName.substr(0, FormNameLimit)))
    RaisePrinterError("Yazıcının kağıt ayarı değiştirilemedi", Printer);
}

void CreateForm(const AnsiString& Printer, int Length, int Width, const TFormTextTranslation& Translate) {
  if (Length < 1 || Width < 1)
    throw Exception("Kağıt boyutu en az 1 mm olmalıdır (" + IntToStr(Length) + " x " + IntToStr(Width) + " mm).");
  const TPrinterForm wanted = PrinterFormRecord(Length, Width);
  for (const TPrinterForm& form : Spooler().EnumForms(Printer)) {
    if (form.Name != wanted.Name)
      continue;
    if (form.Size.cx == wanted.Size.cx && form.Size.cy == wanted.Size.cy)
      return;
    // A form of that name with another size: resize it, so the run prints on
    // the page it was designed for.
    if (Spooler().SetForm(Printer, wanted))
      return;
    break;
  }
  if (!Spooler().AddForm(Printer, wanted)) {
    const auto text = [&Translate](const AnsiString& Text) { return Translate ? Translate(Text) : Text; };
    Application->MessageBox(text("Yazdirma esnasında problem oluştu"), text("Bilgi"), MB_ICONINFORMATION);
    throw EAbort("");
  }
}

TPrinterFormScope::TPrinterFormScope(const AnsiString& Printer, long double Length, long double Width,
                                     const TFormTextTranslation& Translate)
    : printer_(Printer) {
  savedForm_ = SystemPrinterGetForm(Printer);
  if (!IsOSNT())
    return;
  const int length = PageSideMillimetres(Length), width = PageSideMillimetres(Width);
  CreateForm(Printer, length, width, Translate);
  SystemPrinterSetFormXP(Printer, PrinterFormName(length, width));
  selected_ = true;
}

TPrinterFormScope::~TPrinterFormScope() {
  if (!selected_)
    return;
  try {
    SystemPrinterSetFormXP(printer_, savedForm_);
  } catch (const Exception&) {
    // The run's own outcome is what the user sees; a printer that refuses
    // the old form back keeps the new one.
  }
}

std::string JoinPrintHelperPages(const std::vector<std::string>& PageBytes) {
  std::string pages;
  for (const std::string& page : PageBytes) {
    if (!pages.empty())
      pages += "|||";
    pages += MimeEncodeNoCRLF(page);
  }
  return pages;
}
