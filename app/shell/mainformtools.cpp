// The main form's tools menu and calculator: the tools component with the
// program's fixed entries under "Araçlar", the calculator the first fixed
// entry opens, and the clicks on the tools menu's entries.
#include "app/generalhelpers.h"
#include "app/shell/dialoghelpers.h"
#include "app/shell/mainform.h"
#include "app/shell/programidentity.h"
#include "app/shell/shellopen.h"
#include "classlib/system/fileutils.h"

void TAnaF::BuildToolComponents() {
  VtCalc1 = new TVtCalc(this);
  VtCalc1->SetName("VtCalc1");
  VtCalc1->SetCalcCaption("VORTELIM");
  VtCalc1->CalcFont()->SetName("MS Sans Serif");
  VtCalc1->CalcFont()->SetStyle(TFontStyles{fsBold});
  VtCalc1->CalcFont()->SetColor(clYellow);
  VtCalc1->SetAgentOkey(false);

  VtAraclar1 = new TVtAraclar(this);
  VtAraclar1->SetName("VtAraclar1");
  for (const TFixedTool& tool : FixedToolList) {
    TAraclarItem* entry = VtAraclar1->Sabitler()->Add();
    entry->SetCaption(tool.Caption);
    entry->SetImageIndex(tool.ImageIndex);
    entry->SetFileName(tool.FileName != nullptr ? tool.FileName : "");
  }
  VtAraclar1->SetMenuItem(Araclar1);
  VtAraclar1->OnSbtClick = Method<&TAnaF::VtAraclar1SbtClick>(this);
  VtAraclar1->OnTnmClick = Method<&TAnaF::VtAraclar1TnmClick>(this);
}

// The tools files live in Data\Ini, which IniDir makes when it is missing.
void TAnaF::LoadToolsMenu() {
  VtAraclar1->SetSbtFileName(IniDir() + "AraclarSabit.Ini");
  VtAraclar1->SetTnmFileName(IniDir() + "AraclarTanim.Ini");
  VtAraclar1->AraclarYukle();
}

namespace {

// Starts a tool's program, or says why it could not: missing (with the
// extra advice for the maker's tools), or refused by the shell.
void StartToolProgram(HWND parent, const AnsiString& fileName, const AnsiString& missingAdvice) {
  if (!FileExists(fileName)) {
    ShowInfo(fileName + " dosyasi bulunamadi." + missingAdvice);
    return;
  }
  const int result = ShellOpen(TShellOpenRequest{parent, "open", fileName, "", "", SW_SHOWNORMAL});
  if (result <= 32)
    ShowInfo(fileName + " programı başlatılamadı (Windows hata kodu " + std::to_string(result) + ").");
}

int ToolItemNo(TObject* Sender) {
  auto* item = dynamic_cast<TAraclarMenuItem*>(Sender);
  return item != nullptr ? item->ItemNo() : -1;
}

}  // namespace

void TAnaF::VtAraclar1SbtClick(TObject* Sender) {
  const int position = ToolItemNo(Sender);
  if (position == 0) {
    VtCalc1->Execute();
    return;
  }
  if (position < 0 || position >= VtAraclar1->Sabitler()->Count())
    return;
  StartToolProgram(Handle(), VtAraclar1->Sabitler()->Items(position)->FileName(),
                   "\r\nBu programi internet sitemizdeki Araclar bolumunden veya VORTELIM CD sindeki VT_ARAC "
                   "klasorinden kurabilirsiniz.");
}

void TAnaF::VtAraclar1TnmClick(TObject* Sender) {
  const int position = ToolItemNo(Sender);
  if (position < 0 || position >= VtAraclar1->Tanimlar()->Count())
    return;
  StartToolProgram(Handle(), VtAraclar1->Tanimlar()->Items(position)->FileName(), "");
}

void TAnaF::AralarMensnDzenle1Click(TObject*) { VtAraclar1->MenuDuzenle(nullptr); }
