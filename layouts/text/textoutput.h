// The text output paths of a run (the runner's step 14 for text pages): one
// text page runs as a text report, several as the text composite. Preview
// and Print act; a dot-matrix layout cannot be mailed or turned into a PDF
// or page store file, and the user is told so instead of getting nothing.
#pragma once
#include <functional>

#include "classlib/system/ansistring.h"

class TComponent;
class TZReport;
class TZRComposite;

// What the text paths ask of the runner's report component.
struct TTextRunHost {
  // DoBeforeReportPrint with the page or composite about to run.
  std::function<void(TComponent* Report)> BeforeReportPrint;
  // OnTranslate; a text stays as it is while unset.
  std::function<AnsiString(const AnsiString& Text)> Translate;
};

// The messages, before translation.
inline constexpr char TextNoMailMessage[] = "Dot Matrix raporlar icin email gonderilemez";
inline constexpr char TextNoPdfMessage[] = "Dot Matrix raporlar icin PDF dosyasi olusturulamaz";
inline constexpr char TextNoQrpMessage[] = "Dot Matrix raporlar icin QRP dosyasi olusturulamaz";

// One text page: forced options, printer codes, BeforeReportPrint, then the
// mode ("Preview", "Print", "EMail", "PDF", "QRP"; anything else does nothing).
void RunTextPage(TZReport& Page, const AnsiString& Mode, const TTextRunHost& Host);
// The composite over several pages, sized after the first. Its OnAddReports
// (bound by the runner, usually to AddTextPages) chains the pages.
void RunTextComposite(TZRComposite& Composite, TZReport& FirstPage, const AnsiString& Mode, const TTextRunHost& Host);

// The choice by the number of text pages the runner holds: none → false
// (the graphic paths run), one → RunTextPage, more → RunTextComposite.
bool RunTextOutput(const TComponent& Runner, TZRComposite& Composite, const AnsiString& Mode, const TTextRunHost& Host);

// After the run: every text page frees its "gfield..." variables.
void CleanUpTextPages(const TComponent& Runner);

// The message a mode that text pages cannot serve shows ("" for the others).
AnsiString TextModeRefusal(const AnsiString& Mode);
