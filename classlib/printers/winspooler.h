// The spooler seam over winspool's W functions.
#pragma once
#include "classlib/printers/spooler.h"

class TWinSpooler : public TSpooler {
public:
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
};
