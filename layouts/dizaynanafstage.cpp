// The designer's answers to its stage and controller, the clipboard and
// z-order commands, and the label-sheet dialog.
#include <memory>

#include "classlib/forms/application.h"
#include "layouts/dizaynanaf.h"
#include "layouts/designinspector.h"
#include "layouts/k_etiketf.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/report/quickrep.h"
#include "textreport/engine/zrbands.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"

namespace {

struct FreeLabelSheetForm {
  void operator()(TK_EtiketF* Form) const { Form->Free(); }
};

}  // namespace

// ---- Stage events ------------------------------------------------------------------------

void TDizaynAnaF::DsnStage1MoveQuery(TObject*, TComponent* Component, bool& CanMove) {
  if (dynamic_cast<TQuickRep*>(Component) != nullptr || dynamic_cast<TZReport*>(Component) != nullptr)
    CanMove = false;
}

void TDizaynAnaF::DsnStage1DeleteQuery(TObject*, TComponent* Component, bool& CanDelete) {
  if (ProtectCurrentPage && Component != nullptr &&
      (Component == static_cast<TComponent*>(CurrentQuickRep) || Component == static_cast<TComponent*>(CurrentZReport)))
    CanDelete = false;
  if (!SuppressDeleteNotice)
    PostMessageW(Handle(), DesignerDeleteNotice, 0, 0);
}

void TDizaynAnaF::DeleteMessage(TMessage&) {
  LayoutModified = true;
  AddComponentsCombo();
  if (ComboBox1->Items()->Count() > 0) {
    ComboBox1->SetItemIndex(0);
    ComboBox1Change(this);
  }
}

void TDizaynAnaF::DsnStage1ControlCreate(TObject*, TComponent* Component) {
  ComboBox1->Items()->Add(Component->Name());
  // A data text's tag is its character number; nothing else keeps one.
  if (dynamic_cast<TQRDBText*>(Component) == nullptr)
    Component->SetTag(0);
  if (DsnStage1->SelectedCount() == 1)
    DsnSelect1->SelectComponent(Component);
  LayoutModified = true;
}

void TDizaynAnaF::DsnDpRegister1MoveResize(TObject*) {
  Inspector->SelectRow(Inspector->ActiveRow());
  LayoutModified = true;
  if (!IsZReport())
    return;
  for (int k = 0; k < ComponentCount(); ++k)
    if (dynamic_cast<TZRCustomLabel*>(Components(k)) != nullptr || dynamic_cast<TZRCustomBand*>(Components(k)) != nullptr)
      static_cast<TControl*>(Components(k))->Invalidate();
}

// ---- Label sheet -------------------------------------------------------------------------

void TDizaynAnaF::Button3Click(TObject*) {
  if (CurrentQuickRep == nullptr)
    return;
  std::unique_ptr<TK_EtiketF, FreeLabelSheetForm> sheet(NewForm<TK_EtiketF>(Application));
  sheet->QuickRep = CurrentQuickRep;
  sheet->VtRapor = Rapor;
  sheet->Controller = DsnDpRegister1;
  // The values it writes are changes to the layout like any other.
  if (sheet->ShowModal() == mrOk)
    LayoutModified = true;
  FitStageToPage(CurrentQuickRep);
}

// ---- Clipboard and z-order ---------------------------------------------------------------

void TDizaynAnaF::Kopyala1Click(TObject*) { DsnStage1->CopySelection(); }

void TDizaynAnaF::Kes1Click(TObject*) { DsnStage1->CutSelection(); }

void TDizaynAnaF::Yapistir1Click(TObject*) { DsnStage1->PasteClipboard(); }

void TDizaynAnaF::Sil1Click(TObject*) { DsnStage1->DeleteSelection(); }

void TDizaynAnaF::OneGetir1Click(TObject*) { MoveFirstSelected(true); }

void TDizaynAnaF::ArkayaGonder1Click(TObject*) { MoveFirstSelected(false); }

// The order of a parent's controls is the order they are saved and printed
// in, so a change of it is a change to the layout.
void TDizaynAnaF::MoveFirstSelected(bool ToFront) {
  TControl* first = DsnStage1->SelectedCount() > 0 ? DsnStage1->SelectedControl(0) : nullptr;
  if (first == nullptr)
    return;
  if (ToFront)
    first->BringToFront();
  else
    first->SendToBack();
  LayoutModified = true;
}
