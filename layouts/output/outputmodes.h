// The runner's output modes for graphic reports: "Preview", "Print",
// "EMail", "PDF" and "QRP", compared with letter case; any other text
// produces no output.
//
// The runner hands the report (a single report page or a composite) through
// TOutputReport, so the modes need nothing of how the report runs. The
// file-producing modes work on the prepared pages of its printer object,
// preparing them first when the report has none finished.
#pragma once
#include "classlib/system/ansistring.h"

class TQRPrinter;
class TVtRapor;

class TOutputReport {
public:
  virtual ~TOutputReport() = default;
  // Runs the report into its printer object, keeping the pages.
  virtual void Prepare() = 0;
  virtual int PageCount() = 0;
  // The printer object of the last Prepare; nullptr before the first.
  virtual TQRPrinter* QRPrinter() = 0;
  virtual void Preview() = 0;
  virtual void Print() = 0;
};

enum class TOutputMode { None, Preview, Print, EMail, PDF, QRP };

TOutputMode OutputModeOf(const AnsiString& Mode);

// Acts on the report by the mode. The host gives the output file
// (OutputFileName), the mail address hook and the translated texts.
void RunOutputMode(const AnsiString& Mode, TOutputReport& Report, TVtRapor& Rapor);

// The modes on a printer object with finished pages; Pages from 1 to
// PageCount are handed on.
void SendPagesByMail(TQRPrinter& Printer, int PageCount, TVtRapor& Rapor);
void WritePagesToPdf(TQRPrinter& Printer, int PageCount, TVtRapor& Rapor);
void SavePagesToPageStore(TQRPrinter& Printer, TVtRapor& Rapor);

// Writes the pages as a PDF file: each page the size of its own metafile
// (the report's page), with its JPEG picture filling it. An old file of that
// name stays as it was when writing fails.
void WritePdfFile(TQRPrinter& Printer, int PageCount, const AnsiString& FileName);

// The caption of the program's main form; the application's title while
// there is none.
AnsiString MainFormCaption();
