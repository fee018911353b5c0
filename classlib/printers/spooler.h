// The spooler seam: what the printer classes ask the print spooler.
//
// TWinSpooler, the default, calls winspool's W functions. TFakeSpooler
// answers from a table of printers and records every call, so tests can run
// the printer-form and device-mode logic without a spooler; Wine keeps no
// printer forms (AddForm succeeds and stores nothing), so that logic can only
// be tested on the fake. SpoolerScope puts a spooler in place for a scope.
//
// Method names are those of the winspool calls they stand for; with UNICODE,
// winspool.h turns some of them into their W names, consistently for every
// unit that includes this header.
#pragma once
#include <windows.h>
#include <winspool.h>

#include <cstdint>
#include <vector>

#include "classlib/system/ansistring.h"

// A printer form; sizes in thousandths of a millimetre.
struct TPrinterForm {
  AnsiString Name;
  DWORD Flags = 0;  // FORM_USER, FORM_BUILTIN, FORM_PRINTER
  SIZE Size{0, 0};
  RECT ImageableArea{0, 0, 0, 0};
  bool operator==(const TPrinterForm& other) const;
};

// What GetPrinter level 2 tells about a printer.
struct TPrinterDetails {
  AnsiString Name;
  AnsiString Driver;
  AnsiString Port;
  std::vector<std::uint8_t> DevMode;  // DEVMODEW with the driver's extra bytes
};

// An open printer for raw jobs; 0 when closed.
using TSpoolerHandle = std::uintptr_t;

class TSpooler {
public:
  virtual ~TSpooler() = default;

  virtual std::vector<AnsiString> PrinterNames() = 0;
  // "" when there is none.
  virtual AnsiString DefaultPrinter() = 0;
  virtual bool GetPrinter(const AnsiString& name, TPrinterDetails& details) = 0;
  // SetPrinter level 2 with a new default device mode for the printer.
  virtual bool SetPrinter(const AnsiString& name, const std::vector<std::uint8_t>& devMode) = 0;
  // The driver's default device mode (DocumentProperties); empty on failure.
  virtual std::vector<std::uint8_t> DocumentProperties(const AnsiString& name) = 0;

  // DeviceCapabilities: DC_PAPERS, DC_PAPERNAMES, DC_BINS, DC_TRUETYPE.
  virtual std::vector<WORD> Papers(const AnsiString& name, const AnsiString& port) = 0;
  virtual std::vector<AnsiString> PaperNames(const AnsiString& name, const AnsiString& port) = 0;
  // DC_PAPERSIZE: width and length of each paper of Papers, tenths of a
  // millimetre; empty when the device cannot tell (also for spoolers that
  // do not answer it).
  virtual std::vector<POINT> PaperSizes(const AnsiString&, const AnsiString&) { return {}; }
  virtual std::vector<WORD> Bins(const AnsiString& name, const AnsiString& port) = 0;
  // DCTT_ flags; -1 when the call fails.
  virtual int TrueType(const AnsiString& name, const AnsiString& port) = 0;
  // GetDeviceCaps NUMCOLORS of the printer's device context: the colours of
  // its palette, -1 for more than 256; 0 when no context can be made.
  virtual int NumColors(const AnsiString& name) = 0;

  virtual std::vector<TPrinterForm> EnumForms(const AnsiString& name) = 0;
  virtual bool AddForm(const AnsiString& name, const TPrinterForm& form) = 0;
  // Changes the size of the form of that name.
  virtual bool SetForm(const AnsiString& name, const TPrinterForm& form) = 0;

  // Raw jobs. OpenPrinter gives 0 on failure; StartDocPrinter the job id or 0.
  virtual TSpoolerHandle OpenPrinter(const AnsiString& name) = 0;
  virtual DWORD StartDocPrinter(TSpoolerHandle printer, const AnsiString& docName, const AnsiString& dataType) = 0;
  virtual bool StartPagePrinter(TSpoolerHandle printer) = 0;
  virtual bool WritePrinter(TSpoolerHandle printer, const void* data, DWORD size, DWORD& written) = 0;
  virtual bool EndPagePrinter(TSpoolerHandle printer) = 0;
  virtual bool EndDocPrinter(TSpoolerHandle printer) = 0;
  // Deletes the open job instead of ending it: nothing of it is printed.
  virtual bool AbortPrinter(TSpoolerHandle printer) = 0;
  virtual bool ClosePrinter(TSpoolerHandle printer) = 0;

  // The form name of the printer's default device mode ("" when it names none).
  AnsiString DefaultFormName(const AnsiString& name);
  // Makes a form the printer's default paper: the device mode names the form
  // and no longer a paper size or length and width.
  bool SetDefaultFormName(const AnsiString& name, const AnsiString& formName);
};

// The spooler in force: the innermost SpoolerScope's, else the winspool one;
// inside a print or preview request, answering through the request's memory
// (spoolermemory.h).
TSpooler& Spooler();

class SpoolerScope {
public:
  explicit SpoolerScope(TSpooler& spooler);
  ~SpoolerScope();
  SpoolerScope(const SpoolerScope&) = delete;
  SpoolerScope& operator=(const SpoolerScope&) = delete;

private:
  TSpooler* saved_;
};
