// TPrinter: the printer as the platform presents it: the list of printers,
// the current one with its device mode, a canvas on its DC and the page
// calls of a print job.
//
// Printer() is the program's shared printer; components that want their own
// settings create private instances. The printer list, the default printer
// and the device modes come through the spooler seam (spooler.h); DCs are
// made with CreateDCW from the current device mode.
#pragma once
#include <windows.h>
#include <winspool.h>

#include <memory>

#include "classlib/classes/strings.h"
#include "classlib/graphics/canvas.h"
#include "classlib/printers/printerorientation.h"
#include "classlib/system/exceptions.h"

DOZURI_EXCEPTION(EPrinter, Exception);

enum TPrinterCapability { pcCopies, pcOrientation, pcCollation };

// A set of printer capabilities.
struct TPrinterCapabilities {
  bool Copies = false;
  bool Orientation = false;
  bool Collation = false;
  bool Contains(TPrinterCapability c) const {
    return c == pcCopies ? Copies : c == pcOrientation ? Orientation : Collation;
  }
};

class TPrinter : public TObject {
  DECLARE_CLASS(TPrinter, TObject)

public:
  TPrinter();
  ~TPrinter() override;

  // The names of the installed printers.
  TStrings& Printers();
  // Reads the printer list again (the current printer stays when it still exists).
  void Refresh();
  // -1 selects the default printer; reading gives the current index.
  int PrinterIndex();
  void SetPrinterIndex(int value);

  // The printer's DC: made from the current device mode on first use.
  HDC Handle();
  // A canvas on the printer's DC; renewed for every page of a job.
  TCanvas& Canvas();

  void BeginDoc();
  void EndDoc();
  void NewPage();
  void Abort();
  bool Printing() const { return printing_; }
  bool Aborted() const { return aborted_; }
  int PageNumber() const { return pageNumber_; }
  int PageWidth();
  int PageHeight();

  TPrinterOrientation Orientation();
  void SetOrientation(TPrinterOrientation value);
  int Copies();
  void SetCopies(int value);
  TPrinterCapabilities Capabilities();

  AnsiString Title;
  // The font names the printer offers, sorted.
  TStrings& Fonts();

  // The current printer's device, driver and port, and its device mode as a
  // global block that stays the printer's own (change it in place and hand it
  // back with SetPrinter).
  void GetPrinter(AnsiString& device, AnsiString& driver, AnsiString& port, HGLOBAL& deviceMode);
  // Selects a printer by device name (added to the list when it is not in it)
  // and takes over the device mode block; without one (nullptr) the driver's
  // defaults are read again.
  void SetPrinter(const AnsiString& device, const AnsiString& driver, const AnsiString& port, HGLOBAL deviceMode);

private:
  class PrinterCanvas;
  void CheckPrinting(bool printing);
  void SetToDefaultPrinter();
  void Select(int index, HGLOBAL deviceMode);
  void FreeDC();
  void FreeDeviceMode();
  DEVMODEW* LockDevMode();
  void UnlockDevMode();

  std::unique_ptr<TStringList> printers_;
  std::unique_ptr<TStringList> fonts_;
  std::unique_ptr<PrinterCanvas> canvas_;
  int index_ = -1;
  HGLOBAL deviceMode_ = nullptr;
  AnsiString driver_;
  AnsiString port_;
  HDC dc_ = nullptr;
  bool printing_ = false;
  bool aborted_ = false;
  int pageNumber_ = 0;
};

// The program's shared printer.
TPrinter& Printer();
