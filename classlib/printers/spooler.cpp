#include "classlib/printers/spooler.h"

#include "classlib/printers/devmode.h"
#include "classlib/printers/spoolermemory.h"
#include "classlib/printers/winspooler.h"

namespace {
TSpooler* gSubstitute = nullptr;
}

bool TPrinterForm::operator==(const TPrinterForm& other) const {
  return Name == other.Name && Flags == other.Flags && Size.cx == other.Size.cx && Size.cy == other.Size.cy &&
         ImageableArea.left == other.ImageableArea.left && ImageableArea.top == other.ImageableArea.top &&
         ImageableArea.right == other.ImageableArea.right && ImageableArea.bottom == other.ImageableArea.bottom;
}

AnsiString TSpooler::DefaultFormName(const AnsiString& name) {
  TPrinterDetails details;
  if (!GetPrinter(name, details) || details.DevMode.size() < sizeof(DEVMODEW))
    return AnsiString();
  return DevModeFormName(DevModeOf(details.DevMode));
}

bool TSpooler::SetDefaultFormName(const AnsiString& name, const AnsiString& formName) {
  TPrinterDetails details;
  if (!GetPrinter(name, details) || details.DevMode.size() < sizeof(DEVMODEW))
    return false;
  SetDevModeFormName(DevModeOf(details.DevMode), formName);
  return SetPrinter(name, details.DevMode);
}

TSpooler& Spooler() {
  static TWinSpooler winspool;
  return AnsweringSpooler(gSubstitute != nullptr ? *gSubstitute : winspool);
}

SpoolerScope::SpoolerScope(TSpooler& spooler) : saved_(gSubstitute) {
  gSubstitute = &spooler;
}

SpoolerScope::~SpoolerScope() {
  gSubstitute = saved_;
}
