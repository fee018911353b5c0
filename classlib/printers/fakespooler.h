// A spooler that answers from a table of printers and records every call,
// for tests of the printer logic without a print spooler.
//
// Forms behave as a spooler keeps them: AddForm refuses a name that exists.
// Raw jobs keep their bytes per job.
#pragma once
#include <map>

#include "classlib/printers/spooler.h"

struct TFakePrinter {
  AnsiString Name;
  AnsiString Driver = "Fake Driver";
  AnsiString Port = "FAKE:";
  std::vector<std::uint8_t> DevMode;  // the printer's default device mode
  std::vector<WORD> Papers;
  std::vector<AnsiString> PaperNames;
  std::vector<POINT> PaperSizes;  // tenths of a millimetre, one per paper
  std::vector<WORD> Bins;
  int TrueType = DCTT_BITMAP | DCTT_DOWNLOAD;
  int NumColors = -1;  // a true-colour device
  std::vector<TPrinterForm> Forms;
};

struct TFakeJob {
  AnsiString Printer;
  AnsiString DocName;
  AnsiString DataType;
  std::vector<std::uint8_t> Bytes;
  int Pages = 0;
  bool Ended = false;
  bool Aborted = false;
};

class TFakeSpooler : public TSpooler {
public:
  // Adds a printer with a default device mode (A4 portrait, one copy) unless
  // one is given.
  TFakePrinter& AddPrinter(TFakePrinter printer);
  TFakePrinter* Find(const AnsiString& name);

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

  std::vector<TFakePrinter> Printers;
  AnsiString Default;
  // "Call(printer)" for every call, in order.
  std::vector<AnsiString> Calls;
  std::vector<TFakeJob> Jobs;

private:
  TFakeJob* OpenJob(TSpoolerHandle printer);

  std::map<TSpoolerHandle, AnsiString> open_;
  std::map<TSpoolerHandle, std::size_t> jobOf_;
  TSpoolerHandle nextHandle_ = 1;
};
