// How many labels a layout puts on one sheet: the print request refuses a
// start position whose blank positions would fill whole sheets, which would
// only feed empty label sheets through the printer.
#pragma once
#include "classlib/system/ansistring.h"

class TQuickRep;

// The labels a graphic page holds: the detail band's rows between the
// margins and the page's own bands (title and page header on the first
// sheet, column header, page footer), times the page's columns. 0 when the
// page has no detail band of any height.
int LabelsPerPage(TQuickRep& Page);

// The labels per sheet of the layout file's graphic page, loaded as the
// report runner loads it; 0 when that is not known (no such file, a damaged
// one, no graphic page, or a text page, which the runner prefers and whose
// lines grow with their data), so the run goes on and reports any fault
// itself.
int LabelsPerPageOfLayout(const AnsiString& LayoutFile);
