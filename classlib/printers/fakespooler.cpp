#include "classlib/printers/fakespooler.h"

#include "classlib/printers/devmode.h"

TFakePrinter& TFakeSpooler::AddPrinter(TFakePrinter printer) {
  if (printer.DevMode.empty())
    printer.DevMode = MakeDevMode(printer.Name);
  Printers.push_back(std::move(printer));
  return Printers.back();
}

TFakePrinter* TFakeSpooler::Find(const AnsiString& name) {
  for (TFakePrinter& p : Printers)
    if (p.Name == name)
      return &p;
  return nullptr;
}

std::vector<AnsiString> TFakeSpooler::PrinterNames() {
  Calls.push_back("PrinterNames");
  std::vector<AnsiString> names;
  for (const TFakePrinter& p : Printers)
    names.push_back(p.Name);
  return names;
}

AnsiString TFakeSpooler::DefaultPrinter() {
  Calls.push_back("DefaultPrinter");
  return Default;
}

bool TFakeSpooler::GetPrinter(const AnsiString& name, TPrinterDetails& details) {
  Calls.push_back("GetPrinter(" + name + ")");
  TFakePrinter* p = Find(name);
  if (p == nullptr)
    return false;
  details = TPrinterDetails{p->Name, p->Driver, p->Port, p->DevMode};
  return true;
}

bool TFakeSpooler::SetPrinter(const AnsiString& name, const std::vector<std::uint8_t>& devMode) {
  Calls.push_back("SetPrinter(" + name + ")");
  TFakePrinter* p = Find(name);
  if (p == nullptr || devMode.size() < sizeof(DEVMODEW))
    return false;
  p->DevMode = devMode;
  return true;
}

std::vector<std::uint8_t> TFakeSpooler::DocumentProperties(const AnsiString& name) {
  Calls.push_back("DocumentProperties(" + name + ")");
  TFakePrinter* p = Find(name);
  return p != nullptr ? p->DevMode : std::vector<std::uint8_t>();
}

std::vector<WORD> TFakeSpooler::Papers(const AnsiString& name, const AnsiString&) {
  Calls.push_back("Papers(" + name + ")");
  TFakePrinter* p = Find(name);
  return p != nullptr ? p->Papers : std::vector<WORD>();
}

std::vector<AnsiString> TFakeSpooler::PaperNames(const AnsiString& name, const AnsiString&) {
  Calls.push_back("PaperNames(" + name + ")");
  TFakePrinter* p = Find(name);
  return p != nullptr ? p->PaperNames : std::vector<AnsiString>();
}

std::vector<POINT> TFakeSpooler::PaperSizes(const AnsiString& name, const AnsiString&) {
  Calls.push_back("PaperSizes(" + name + ")");
  TFakePrinter* p = Find(name);
  return p != nullptr ? p->PaperSizes : std::vector<POINT>();
}

std::vector<WORD> TFakeSpooler::Bins(const AnsiString& name, const AnsiString&) {
  Calls.push_back("Bins(" + name + ")");
  TFakePrinter* p = Find(name);
  return p != nullptr ? p->Bins : std::vector<WORD>();
}

int TFakeSpooler::TrueType(const AnsiString& name, const AnsiString&) {
  Calls.push_back("TrueType(" + name + ")");
  TFakePrinter* p = Find(name);
  return p != nullptr ? p->TrueType : -1;
}

int TFakeSpooler::NumColors(const AnsiString& name) {
  Calls.push_back("NumColors(" + name + ")");
  TFakePrinter* p = Find(name);
  return p != nullptr ? p->NumColors : 0;
}

std::vector<TPrinterForm> TFakeSpooler::EnumForms(const AnsiString& name) {
  Calls.push_back("EnumForms(" + name + ")");
  TFakePrinter* p = Find(name);
  return p != nullptr ? p->Forms : std::vector<TPrinterForm>();
}

bool TFakeSpooler::AddForm(const AnsiString& name, const TPrinterForm& form) {
  Calls.push_back("AddForm(" + name + "," + form.Name + ")");
  TFakePrinter* p = Find(name);
  if (p == nullptr)
    return false;
  for (const TPrinterForm& f : p->Forms)
    if (f.Name == form.Name)
      return false;
  p->Forms.push_back(form);
  return true;
}

bool TFakeSpooler::SetForm(const AnsiString& name, const TPrinterForm& form) {
  Calls.push_back("SetForm(" + name + "," + form.Name + ")");
  TFakePrinter* p = Find(name);
  if (p == nullptr)
    return false;
  for (TPrinterForm& f : p->Forms)
    if (f.Name == form.Name) {
      f = form;
      return true;
    }
  return false;
}

TSpoolerHandle TFakeSpooler::OpenPrinter(const AnsiString& name) {
  Calls.push_back("OpenPrinter(" + name + ")");
  if (Find(name) == nullptr)
    return 0;
  TSpoolerHandle handle = nextHandle_++;
  open_[handle] = name;
  return handle;
}

TFakeJob* TFakeSpooler::OpenJob(TSpoolerHandle printer) {
  auto it = jobOf_.find(printer);
  if (it == jobOf_.end() || Jobs[it->second].Ended)
    return nullptr;
  return &Jobs[it->second];
}

DWORD TFakeSpooler::StartDocPrinter(TSpoolerHandle printer, const AnsiString& docName, const AnsiString& dataType) {
  Calls.push_back("StartDocPrinter(" + docName + "," + dataType + ")");
  auto it = open_.find(printer);
  if (it == open_.end() || OpenJob(printer) != nullptr)
    return 0;
  Jobs.push_back(TFakeJob{it->second, docName, dataType, {}, 0, false});
  jobOf_[printer] = Jobs.size() - 1;
  return static_cast<DWORD>(Jobs.size());
}

bool TFakeSpooler::StartPagePrinter(TSpoolerHandle printer) {
  Calls.push_back("StartPagePrinter");
  TFakeJob* job = OpenJob(printer);
  if (job == nullptr)
    return false;
  ++job->Pages;
  return true;
}

bool TFakeSpooler::WritePrinter(TSpoolerHandle printer, const void* data, DWORD size, DWORD& written) {
  Calls.push_back("WritePrinter(" + std::to_string(size) + ")");
  written = 0;
  TFakeJob* job = OpenJob(printer);
  if (job == nullptr)
    return false;
  const auto* p = static_cast<const std::uint8_t*>(data);
  job->Bytes.insert(job->Bytes.end(), p, p + size);
  written = size;
  return true;
}

bool TFakeSpooler::EndPagePrinter(TSpoolerHandle printer) {
  Calls.push_back("EndPagePrinter");
  return OpenJob(printer) != nullptr;
}

bool TFakeSpooler::EndDocPrinter(TSpoolerHandle printer) {
  Calls.push_back("EndDocPrinter");
  TFakeJob* job = OpenJob(printer);
  if (job == nullptr)
    return false;
  job->Ended = true;
  return true;
}

bool TFakeSpooler::AbortPrinter(TSpoolerHandle printer) {
  Calls.push_back("AbortPrinter");
  TFakeJob* job = OpenJob(printer);
  if (job == nullptr)
    return false;
  job->Aborted = true;
  jobOf_.erase(printer);
  return true;
}

bool TFakeSpooler::ClosePrinter(TSpoolerHandle printer) {
  Calls.push_back("ClosePrinter");
  jobOf_.erase(printer);
  return open_.erase(printer) != 0;
}
