// Setting up a text page (TZReport) or the text composite for a run of the
// report runner: the forced options, the printer codes the runner writes
// around every copy, the composite taking the first page's size, and the
// invoice page's one-line detail band.
#pragma once
#include <vector>

#include "classlib/classes/component.h"

class TZReport;
class TZRComposite;
class TZReportOptions;

// The text pages the runner owns, in component order; palette prototypes
// (tag -100) are not among them.
std::vector<TZReport*> TextPagesOf(const TComponent& Runner);
// Their number (ZRepCount).
int CountTextPages(const TComponent& Runner);

// Single-page preview, no scissors line, sheet paper, no progress window.
void ForceTextRunOptions(TZReport& Page);

// Above this page width (characters) the run prints condensed.
inline constexpr int CondensedPageWidth = 150;

// ESC "@".
AnsiString TextResetCode();
// ESC "C" n sets the page length to n lines; the printer takes 1-127 only,
// so any other height leaves the command out. Condensed pages add SI.
AnsiString TextReportStartCode(int PageWidth, int PageHeight);
// FF; condensed pages switch condensed off first (DC2 FF).
AnsiString TextReportFinishCode(int PageWidth);
// Writes the three codes into the options' escapes, which makes their printer
// model custom (the other strings of the model stay as they were).
void SetTextPrinterCodes(TZReportOptions& Options, int PageWidth, int PageHeight);

// A single text page's whole set-up: forced options and printer codes.
void SetUpTextPage(TZReport& Page);
// The composite takes the first page's width, height and copies, shows no
// progress and gets the printer codes for its own size.
void SetUpTextComposite(TZRComposite& Composite, TZReport& FirstPage);
// Chains the text pages into the composite (its OnAddReports).
void AddTextPages(TZRComposite& Composite, const TComponent& Runner);

// An invoice page (its hint names HAREKETSAYISI) prints its detail band one
// line high; other pages are left alone.
void ApplyTextInvoiceHeight(TZReport& Page);
