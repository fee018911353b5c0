// The spooler's answers kept for one print or preview request.
//
// A request makes its printer object several times over (the request's own,
// the report's, the preview's, the run reading the settings again), and each
// asks the spooler the same questions: the printer list, the default
// printer, a printer's details, its driver defaults and papers. Under a
// SpoolerRequestScope the first answer to each question is kept and given
// again until the scope ends, the program changes a printer (SetPrinter,
// AddForm, SetForm), or the system says printers or their settings changed
// (ForgetSpoolerAnswers, called on WM_DEVMODECHANGE and WM_SETTINGCHANGE).
// Outside a scope every question goes to the spooler, so a printer the user
// adds between two requests is seen by the next one.
//
// The answers belong to the spooler in force: a SpoolerScope that puts
// another spooler in place inside a request starts with nothing kept.
// Raw jobs always go straight to the spooler. For the UI thread only.
#pragma once
#include <map>
#include <optional>
#include <utility>

#include "classlib/printers/spooler.h"
#include "classlib/printers/spoolerrequest.h"

class TSpoolerMemory : public TSpooler {
public:
  // Answers for the spooler given; forgets what another spooler said.
  TSpoolerMemory& Over(TSpooler& inner);
  void Forget();

  std::vector<AnsiString> PrinterNames() override;
  AnsiString DefaultPrinter() override;
  bool GetPrinter(const AnsiString& name, TPrinterDetails& details) override;
  bool SetPrinter(const AnsiString& name, const std::vector<std::uint8_t>& devMode) override;
  std::vector<std::uint8_t> DocumentProperties(const AnsiString& name) override;
  std::vector<WORD> Papers(const AnsiString& name, const AnsiString& port) override;
  std::vector<AnsiString> PaperNames(const AnsiString& name, const AnsiString& port) override;
  std::vector<POINT> PaperSizes(const AnsiString& name, const AnsiString& port) override;
  std::vector<WORD> Bins(const AnsiString& name, const AnsiString& port) override;
  int TrueType(const AnsiString& name, const AnsiString& port) override;
  int NumColors(const AnsiString& name) override;
  std::vector<TPrinterForm> EnumForms(const AnsiString& name) override;
  bool AddForm(const AnsiString& name, const TPrinterForm& form) override;
  bool SetForm(const AnsiString& name, const TPrinterForm& form) override;
  TSpoolerHandle OpenPrinter(const AnsiString& name) override;
  DWORD StartDocPrinter(TSpoolerHandle printer, const AnsiString& docName, const AnsiString& dataType) override;
  bool StartPagePrinter(TSpoolerHandle printer) override;
  bool WritePrinter(TSpoolerHandle printer, const void* data, DWORD size, DWORD& written) override;
  bool EndPagePrinter(TSpoolerHandle printer) override;
  bool EndDocPrinter(TSpoolerHandle printer) override;
  bool AbortPrinter(TSpoolerHandle printer) override;
  bool ClosePrinter(TSpoolerHandle printer) override;

private:
  using TDevice = std::pair<AnsiString, AnsiString>;  // printer name and port

  TSpooler* inner_ = nullptr;
  std::optional<std::vector<AnsiString>> names_;
  std::optional<AnsiString> default_;
  std::map<AnsiString, std::optional<TPrinterDetails>> details_;  // nullopt: GetPrinter failed
  std::map<AnsiString, std::vector<std::uint8_t>> documentDefaults_;
  std::map<AnsiString, int> colors_;
  std::map<AnsiString, std::vector<TPrinterForm>> forms_;
  std::map<TDevice, std::vector<WORD>> papers_;
  std::map<TDevice, std::vector<AnsiString>> paperNames_;
  std::map<TDevice, std::vector<POINT>> paperSizes_;
  std::map<TDevice, std::vector<WORD>> bins_;
  std::map<TDevice, int> trueType_;
};

// The spooler Spooler() gives: the request's memory over the spooler in
// force while a request is open, else that spooler itself.
TSpooler& AnsweringSpooler(TSpooler& inForce);
