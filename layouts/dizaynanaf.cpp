#include "layouts/dizaynanaf.h"
#include "layouts/core/inspectorvalues.h"
#include "layouts/designinspector.h"
#include "layouts/designpickertables.h"
#include "components/vtbtnedit.h"

#include <memory>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/application.h"
#include "classlib/forms/dialogservice.h"
#include "layouts/core/bindinghints.h"
#include "classlib/system/fileutils.h"
#include "layouts/dizaynpreview.h"
#include "reportengine/report/quickrep.h"
#include "textreport/engine/zreport.h"

BEGIN_PUBLISHED(TDizaynAnaF)
  METHOD(FormCreate),
  METHOD(FormShow),
  METHOD(FormClose),
  METHOD(ToolButton2Click),
  METHOD(ToolButton3Click),
  METHOD(FarkliKaydet1Click),
  METHOD(ToolButton7Click),
  METHOD(Kapat1Click),
  METHOD(Button2Click),
  METHOD(Button1Click),
  METHOD(Button3Click),
  METHOD(TabControl1Change),
  METHOD(ComboBox1Change),
  METHOD(DsnStage1MoveQuery),
  METHOD(DsnStage1DeleteQuery),
  METHOD(DsnStage1ControlCreate),
  METHOD(DsnDpRegister1MoveResize),
  METHOD(DsnSelect1ChangeSelected),
  METHOD(Kopyala1Click),
  METHOD(Kes1Click),
  METHOD(Yapistir1Click),
  METHOD(Sil1Click),
  METHOD(OneGetir1Click),
  METHOD(ArkayaGonder1Click),
  METHOD(ToolButton1Click),
  METHOD(YeniTextRapor1Click),
  METHOD(YeniFaturaFis1Click),
  METHOD(YeniTextFaturaFis1Click),
  METHOD(BtnEditBtnClick),
  METHOD(RxGrupAfterScroll),
  METHOD(RxTableAfterScroll),
END_PUBLISHED

bool LayoutModified = false;
bool ProtectCurrentPage = true;
bool SuppressDeleteNotice = false;
TDizaynAnaF* DizaynAnaF = nullptr;

namespace {

constexpr char DesignerSaveQuestion[] = "Degisiklikler kaydedilsin mi?";
constexpr char DesignerInfoCaption[] = "Bilgi";

}  // namespace

TDizaynAnaF::TDizaynAnaF(TComponent* AOwner) : TForm(AOwner) {
  SetName("DizaynAnaF");
  SetCaption("Rapor Tasarimi");
  SetKeyPreview(true);
  SetBounds(0, 0, 1024, 700);
  RegisterRunnerClasses();
  CreateRegions();
  CreatePickerTables(*this);
  Inspector->BtnEdit()->OnBtnClick = Method<&TDizaynAnaF::BtnEditBtnClick>(this);
  OnCreate = Method<&TDizaynAnaF::FormCreate>(this);
  OnShow = Method<&TDizaynAnaF::FormShow>(this);
  OnClose = Method<&TDizaynAnaF::FormClose>(this);
  DizaynAnaF = this;
}

TDizaynAnaF::~TDizaynAnaF() {
  if (DizaynAnaF == this)
    DizaynAnaF = nullptr;
  // The controller lets go of its agents before the controls they cover go.
  if (DsnDpRegister1 != nullptr && DsnDpRegister1->Active())
    DsnDpRegister1->SetActive(false);
}

// ---- Texts and kinds -----------------------------------------------------------------

AnsiString TDizaynAnaF::_(const AnsiString& Text) const { return Rapor != nullptr ? Rapor->Translate(Text) : Text; }

void TDizaynAnaF::MesajBilgi(const AnsiString& Text) {
  Application->MessageBox(Text, DesignerInfoCaption, MB_OK | MB_ICONINFORMATION);
}

bool TDizaynAnaF::IsZReport() {
  auto* marker = dynamic_cast<TCheckBox*>(FindComponent(TextLayoutMarkerName));
  return marker != nullptr && marker->Checked();
}

bool TDizaynAnaF::IsFatura() {
  TControl* page = IsZReport() ? static_cast<TControl*>(CurrentZReport) : static_cast<TControl*>(CurrentQuickRep);
  if (page == nullptr)
    return false;
  TStringList lines;
  lines.SetText(page->Hint());
  return lines.IndexOfName(PageHareketSayisi) >= 0;
}

// ---- Showing -------------------------------------------------------------------------

void TDizaynAnaF::FormCreate(TObject*) { SetWindowState(wsMaximized); }

void TDizaynAnaF::FormShow(TObject*) {
  if (TCustomForm* main = Application->MainForm(); main != nullptr && main != this)
    SetCaption(main->Caption());
  Invalidate();
  PlaceToolBarButtons();
  LayoutModified = false;
  if (Rapor != nullptr && Rapor->OnFormOpen)
    FormOpenHook = Rapor->OnFormOpen;
  SaveQuestion = DesignerSaveQuestion;
  if (FormOpenHook) {
    FormOpenHook(this);
    Inspector->TextYes = _(InspectorTextYes);
    Inspector->TextNo = _(InspectorTextNo);
    SaveQuestion = _(DesignerSaveQuestion);
  }
  DsnDpRegister1->SetActive(true);
  CurrentQuickRep = Report1;
  CurrentZReport = nullptr;
  AddComponentsCombo();
  TabControlDuzenle();
  // A file that cannot be read leaves the designer on its own page, without
  // a file name, so nothing is later saved over the damaged file.
  if (!FileName.empty() && FileExists(FileName)) {
    if (LoadLayout(FileName)) {
      if (FormOpenHook)
        FormOpenHook(this);
      LayoutReplaced();
      ShowFileName();
      LayoutModified = false;
    } else {
      FileName.clear();
    }
  }
  ZReportDuzenle();
  if (FileName == NewTextLayoutName) {
    NewReport(true);
    FileName.clear();
    ShowFileName();
    ZReportDuzenle();
  }
}

void TDizaynAnaF::Notification(TComponent* AComponent, TOperation Operation) {
  TForm::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == Report1)
    Report1 = nullptr;
  if (AComponent == DetailBand1)
    DetailBand1 = nullptr;
  if (AComponent == CurrentQuickRep)
    CurrentQuickRep = nullptr;
  if (AComponent == CurrentZReport)
    CurrentZReport = nullptr;
  if (AComponent == PrototypeReport)
    PrototypeReport = nullptr;
  if (AComponent == ZReport1)
    ZReport1 = nullptr;
}

void TDizaynAnaF::Dispatch(TMessage& Message) {
  if (Message.Msg == DesignerDeleteNotice) {
    DeleteMessage(Message);
    return;
  }
  TForm::Dispatch(Message);
}

// ---- The way in ------------------------------------------------------------------------

namespace {

struct FreeDesigner {
  void operator()(TDizaynAnaF* Form) const { Form->Free(); }
};

void RunDesigner(TVtRapor& Rapor, const AnsiString& LayoutFile) {
  std::unique_ptr<TDizaynAnaF, FreeDesigner> form(NewForm<TDizaynAnaF>(Application));
  struct Unlink {
    TVtRapor& Rapor;
    TDizaynAnaF& Form;
    ~Unlink() {
      Form.Rapor = nullptr;
      Rapor.SetDesignerForm(nullptr);
    }
  } unlink{Rapor, *form};
  Rapor.SetDesignerForm(form.get());
  form->FileName = LayoutFile;
  form->Rapor = &Rapor;
  form->ShowModal();
}

}  // namespace

void InstallReportDesigner() {
  RegisterRunnerClasses();
  SetReportDesigner(RunDesigner);
}
