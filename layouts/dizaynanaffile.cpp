// The designer's file commands: the save question, open, save, save as,
// preview and close.
//
// A layout is read all or nothing: when the stage cannot read a file, its
// error is shown and the designer keeps the layout, the file name, the
// status bar and the modified flag it had, so a later save never writes over
// the damaged file. A save that fails shows its error and leaves the old file
// whole (the stage writes a new file and replaces the old one); the layout
// still counts as modified.
#include <memory>

#include "classlib/forms/application.h"
#include "classlib/forms/dialogservice.h"
#include "layouts/dizaynanaf.h"
#include "layouts/designinspector.h"
#include "layouts/dizaynpreview.h"
#include "reportengine/report/quickrep.h"
#include "textreport/engine/zreport.h"

namespace {

constexpr char SaveFirstMessage[] = "Oncelikle raporu kaydetmelisiniz.";

struct FreeDesignerRunner {
  void operator()(TDizaynPreviewF* Runner) const { Runner->Free(); }
};

}  // namespace

bool TDizaynAnaF::AskSaveQuestion() {
  if (!LayoutModified)
    return true;
  TMessageBoxRequest question;
  question.Caption = Caption();
  question.Text = SaveQuestion;
  question.Flags = MB_YESNOCANCEL | MB_ICONINFORMATION;
  const int answer = DialogService().MessageBox(question);
  if (answer == IDNO)
    return true;
  if (answer != IDYES)
    return false;
  AnsiString name = FileName;
  if (name.empty() && SD->Execute())
    name = SD->FileName();
  if (name.empty() || !SaveLayoutTo(name))
    return false;
  LayoutModified = false;
  return true;
}

bool TDizaynAnaF::SaveLayoutTo(const AnsiString& Name) {
  try {
    DsnStage1->SaveToFile(Name);
    return true;
  } catch (...) {
    Application->HandleException(this);
    return false;
  }
}

bool TDizaynAnaF::LoadLayout(const AnsiString& Name) {
  const bool wasActive = DsnDpRegister1->Active();
  try {
    DsnStage1->LoadFromFile(Name);
    return true;
  } catch (...) {
    // The stage kept its pages; design mode comes back as it was.
    if (wasActive && !DsnDpRegister1->Active())
      DsnDpRegister1->SetActive(true);
    Application->HandleException(this);
    return false;
  }
}

void TDizaynAnaF::ShowFileName() { StatusBar1->SetSimpleText(FileName); }

void TDizaynAnaF::LayoutReplaced() {
  CurrentQuickRep = nullptr;
  CurrentZReport = nullptr;
  TComponent* first = FindComponent("Report1");
  if (auto* graphic = dynamic_cast<TQuickRep*>(first))
    CurrentQuickRep = graphic;
  else if (auto* text = dynamic_cast<TZReport*>(first))
    CurrentZReport = text;
  AddComponentsCombo();
  TabControlDuzenle();
  RepaintGraphicPages();
  TabControl1Change(this);
  ZReportDuzenle();
}

void TDizaynAnaF::ToolButton2Click(TObject*) {
  if (!AskSaveQuestion())
    return;
  if (OD->Execute() && !OD->FileName().empty()) {
    const AnsiString name = OD->FileName();
    if (!LoadLayout(name))
      return;
    FileName = name;
    ShowFileName();
    LayoutModified = false;
  }
  if (FormOpenHook)
    FormOpenHook(this);
  LayoutReplaced();
}

bool TDizaynAnaF::SaveUnderChosenName() {
  if (!SD->Execute() || SD->FileName().empty())
    return false;
  const AnsiString name = SD->FileName();
  if (!SaveLayoutTo(name))
    return false;
  FileName = name;
  ShowFileName();
  LayoutModified = false;
  return true;
}

void TDizaynAnaF::ToolButton3Click(TObject*) {
  if (FileName.empty())
    SaveUnderChosenName();
  else if (SaveLayoutTo(FileName))
    LayoutModified = false;
  // Saving empties the selection: the current page is chosen again.
  SelectInComponentList(CurrentPage());
}

void TDizaynAnaF::FarkliKaydet1Click(TObject*) { SaveUnderChosenName(); }

// The runner loads the saved file itself, so only a saved, unchanged layout
// can be previewed.
void TDizaynAnaF::ToolButton7Click(TObject*) {
  if (FileName.empty() || LayoutModified) {
    MesajBilgi(_(SaveFirstMessage));
    return;
  }
  std::unique_ptr<TDizaynPreviewF, FreeDesignerRunner> runner(NewForm<TDizaynPreviewF>(Application));
  struct Unlink {
    TDizaynPreviewF& Runner;
    ~Unlink() { Runner.VtRapor = nullptr; }
  } unlink{*runner};
  runner->VtRapor = Rapor;
  runner->Mode = ReportModePreview;
  runner->LayoutFileName = FileName;
  runner->Button1Click(this);
}

void TDizaynAnaF::Kapat1Click(TObject*) { Close(); }

void TDizaynAnaF::FormClose(TObject*, TCloseAction& Action) {
  if (!AskSaveQuestion()) {
    Action = caNone;
    return;
  }
  if (DsnDpRegister1->Active())
    DsnDpRegister1->SetActive(false);
  Inspector->ForgetEditor();
  CurrentQuickRep = nullptr;
  CurrentZReport = nullptr;
  LayoutModified = false;
}
