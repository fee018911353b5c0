// The output of a layout's single graphic report page, in the order the
// runner keeps: preview settings, the last record when a label asks for it,
// the printer form of a custom page on a dot-matrix printer, the pages
// prepared when the mode takes finished pages (Preview and Print make
// their own), a title band for a band-less page, the host's last word
// (BeforeReportPrint), then the mode, or the print helper for a custom page
// when the helper is loaded. The printer's former form comes back on every
// path out.
#pragma once
#include "classlib/system/ansistring.h"
#include "layouts/printhelper.h"

class TQuickRep;
class TVtRapor;

struct TSingleOutputRequest {
  AnsiString Mode;
  // The name of the page's printer.
  AnsiString PrinterName;
  // The print helper's entry when the library is loaded.
  TPrintHelperExecute PrintHelper = nullptr;
  // A label asks for the data set's last record (PRINTOPTION 0-3).
  bool MoveToLastRecord = false;
  // The largest absolute negative tag of the layout's data texts.
  int NegativeTagMax = 0;
};

void OutputSingleGraphicReport(TQuickRep& Page, TVtRapor& Rapor, const TSingleOutputRequest& Request);
