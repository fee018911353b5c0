#include "layouts/text/textoutput.h"

#include <windows.h>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "layouts/text/textfieldvariables.h"
#include "layouts/text/textrunsetup.h"
#include "textreport/engine/zreport.h"

namespace {

AnsiString Translated(const TTextRunHost& Host, const AnsiString& Text) {
  return Host.Translate ? Host.Translate(Text) : Text;
}

void Tell(const TTextRunHost& Host, const AnsiString& Text) {
  TCustomForm* main = Application->MainForm();
  const AnsiString caption = main != nullptr ? main->Caption() : Application->Title();
  Application->MessageBox(Translated(Host, Text), caption, MB_OK);
}

void BeforeReportPrint(const TTextRunHost& Host, TComponent* Report) {
  if (Host.BeforeReportPrint)
    Host.BeforeReportPrint(Report);
}

// Preview and Print on the report or composite; a refusal for the rest.
void Act(IZReport& Report, const AnsiString& Mode, const TTextRunHost& Host) {
  if (Mode == "Preview")
    Report.Preview();
  else if (Mode == "Print")
    Report.Print();
  else if (const AnsiString refusal = TextModeRefusal(Mode); !refusal.empty())
    Tell(Host, refusal);
}

}  // namespace

AnsiString TextModeRefusal(const AnsiString& Mode) {
  if (Mode == "EMail")
    return TextNoMailMessage;
  if (Mode == "PDF")
    return TextNoPdfMessage;
  if (Mode == "QRP")
    return TextNoQrpMessage;
  return AnsiString();
}

void RunTextPage(TZReport& Page, const AnsiString& Mode, const TTextRunHost& Host) {
  SetUpTextPage(Page);
  BeforeReportPrint(Host, &Page);
  Act(Page, Mode, Host);
}

void RunTextComposite(TZRComposite& Composite, TZReport& FirstPage, const AnsiString& Mode, const TTextRunHost& Host) {
  SetUpTextComposite(Composite, FirstPage);
  BeforeReportPrint(Host, &Composite);
  Act(Composite, Mode, Host);
}

bool RunTextOutput(const TComponent& Runner, TZRComposite& Composite, const AnsiString& Mode, const TTextRunHost& Host) {
  const std::vector<TZReport*> pages = TextPagesOf(Runner);
  if (pages.empty())
    return false;
  if (pages.size() == 1)
    RunTextPage(*pages.front(), Mode, Host);
  else
    RunTextComposite(Composite, *pages.front(), Mode, Host);
  return true;
}

void CleanUpTextPages(const TComponent& Runner) {
  for (TZReport* page : TextPagesOf(Runner))
    FreeTextFieldVariables(*page);
}
