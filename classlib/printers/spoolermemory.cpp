#include "classlib/printers/spoolermemory.h"

namespace {

int gRequestDepth = 0;

TSpoolerMemory& RequestMemory() {
  static TSpoolerMemory memory;
  return memory;
}

// The kept answer for key, asking the spooler first when there is none.
template <class Map, class Key, class Ask>
typename Map::mapped_type Remembered(Map& kept, const Key& key, Ask ask) {
  auto found = kept.find(key);
  if (found == kept.end())
    found = kept.emplace(key, ask()).first;
  return found->second;
}

}  // namespace

TSpoolerMemory& TSpoolerMemory::Over(TSpooler& inner) {
  if (inner_ != &inner) {
    Forget();
    inner_ = &inner;
  }
  return *this;
}

void TSpoolerMemory::Forget() {
  names_.reset();
  default_.reset();
  details_.clear();
  documentDefaults_.clear();
  colors_.clear();
  forms_.clear();
  papers_.clear();
  paperNames_.clear();
  paperSizes_.clear();
  bins_.clear();
  trueType_.clear();
}

std::vector<AnsiString> TSpoolerMemory::PrinterNames() {
  if (!names_)
    names_ = inner_->PrinterNames();
  return *names_;
}

AnsiString TSpoolerMemory::DefaultPrinter() {
  if (!default_)
    default_ = inner_->DefaultPrinter();
  return *default_;
}

bool TSpoolerMemory::GetPrinter(const AnsiString& name, TPrinterDetails& details) {
  std::optional<TPrinterDetails> kept = Remembered(details_, name, [&]() -> std::optional<TPrinterDetails> {
    TPrinterDetails asked;
    if (!inner_->GetPrinter(name, asked))
      return std::nullopt;
    return asked;
  });
  if (!kept)
    return false;
  details = *kept;
  return true;
}

std::vector<std::uint8_t> TSpoolerMemory::DocumentProperties(const AnsiString& name) {
  return Remembered(documentDefaults_, name, [&] { return inner_->DocumentProperties(name); });
}

std::vector<WORD> TSpoolerMemory::Papers(const AnsiString& name, const AnsiString& port) {
  return Remembered(papers_, TDevice{name, port}, [&] { return inner_->Papers(name, port); });
}

std::vector<AnsiString> TSpoolerMemory::PaperNames(const AnsiString& name, const AnsiString& port) {
  return Remembered(paperNames_, TDevice{name, port}, [&] { return inner_->PaperNames(name, port); });
}

std::vector<POINT> TSpoolerMemory::PaperSizes(const AnsiString& name, const AnsiString& port) {
  return Remembered(paperSizes_, TDevice{name, port}, [&] { return inner_->PaperSizes(name, port); });
}

std::vector<WORD> TSpoolerMemory::Bins(const AnsiString& name, const AnsiString& port) {
  return Remembered(bins_, TDevice{name, port}, [&] { return inner_->Bins(name, port); });
}

int TSpoolerMemory::TrueType(const AnsiString& name, const AnsiString& port) {
  return Remembered(trueType_, TDevice{name, port}, [&] { return inner_->TrueType(name, port); });
}

int TSpoolerMemory::NumColors(const AnsiString& name) {
  return Remembered(colors_, name, [&] { return inner_->NumColors(name); });
}

std::vector<TPrinterForm> TSpoolerMemory::EnumForms(const AnsiString& name) {
  return Remembered(forms_, name, [&] { return inner_->EnumForms(name); });
}

// A change the program makes may alter any kept answer about that printer
// (its default device mode, its forms, the papers its driver offers).
bool TSpoolerMemory::SetPrinter(const AnsiString& name, const std::vector<std::uint8_t>& devMode) {
  Forget();
  return inner_->SetPrinter(name, devMode);
}

bool TSpoolerMemory::AddForm(const AnsiString& name, const TPrinterForm& form) {
  Forget();
  return inner_->AddForm(name, form);
}

bool TSpoolerMemory::SetForm(const AnsiString& name, const TPrinterForm& form) {
  Forget();
  return inner_->SetForm(name, form);
}

TSpoolerHandle TSpoolerMemory::OpenPrinter(const AnsiString& name) {
  return inner_->OpenPrinter(name);
}

DWORD TSpoolerMemory::StartDocPrinter(TSpoolerHandle printer, const AnsiString& docName, const AnsiString& dataType) {
  return inner_->StartDocPrinter(printer, docName, dataType);
}

bool TSpoolerMemory::StartPagePrinter(TSpoolerHandle printer) {
  return inner_->StartPagePrinter(printer);
}

bool TSpoolerMemory::WritePrinter(TSpoolerHandle printer, const void* data, DWORD size, DWORD& written) {
  return inner_->WritePrinter(printer, data, size, written);
}

bool TSpoolerMemory::EndPagePrinter(TSpoolerHandle printer) {
  return inner_->EndPagePrinter(printer);
}

bool TSpoolerMemory::EndDocPrinter(TSpoolerHandle printer) {
  return inner_->EndDocPrinter(printer);
}

bool TSpoolerMemory::AbortPrinter(TSpoolerHandle printer) {
  return inner_->AbortPrinter(printer);
}

bool TSpoolerMemory::ClosePrinter(TSpoolerHandle printer) {
  return inner_->ClosePrinter(printer);
}

SpoolerRequestScope::SpoolerRequestScope() {
  if (gRequestDepth++ == 0)
    RequestMemory().Forget();
}

SpoolerRequestScope::~SpoolerRequestScope() {
  if (--gRequestDepth == 0)
    RequestMemory().Forget();
}

void ForgetSpoolerAnswers() {
  RequestMemory().Forget();
}

TSpooler& AnsweringSpooler(TSpooler& inForce) {
  return gRequestDepth > 0 ? RequestMemory().Over(inForce) : inForce;
}
