#include "textreport/forms/zrprgres.h"

#include "classlib/forms/application.h"
#include "classlib/system/numconv.h"
#include "textreport/core/zrconst.h"
#include "textreport/engine/zreport.h"

BEGIN_PUBLISHED(TZRProgressForm)
  METHOD(FormCreate),
  METHOD(FormClose),
  METHOD(FormDestroy),
  METHOD(CancelClick),
END_PUBLISHED

TZRProgressForm::TZRProgressForm(TComponent* AOwner, TZRPrinter* Document) : TForm(AOwner) {
  SetName("ZRProgressForm");
  SetBorderStyle(bsSizeToolWin);
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 200, 111);
  CreateControls();
  OnCreate = Method<&TZRProgressForm::FormCreate>(this);
  OnClose = Method<&TZRProgressForm::FormClose>(this);
  OnDestroy = Method<&TZRProgressForm::FormDestroy>(this);
  SetDocument(Document);
}

TZRProgressForm::~TZRProgressForm() { SetDocument(nullptr); }

void TZRProgressForm::CreateControls() {
  Info = new TLabel(this);
  Info->SetName("Info");
  Info->SetParent(this);
  Info->SetAutoSize(false);
  Info->SetAlignment(taCenter);
  Info->SetBounds(8, 8, 176, 14);
  Gauge = new TProgressBar(this);
  Gauge->SetName("Gauge");
  Gauge->SetParent(this);
  Gauge->SetBounds(8, 26, 176, 16);
  Cancel = new TBitBtn(this);
  Cancel->SetName("Cancel");
  Cancel->SetParent(this);
  Cancel->SetBounds(54, 50, 85, 25);
  Cancel->SetKind(bkCancel);
  Cancel->OnClick = Method<&TZRProgressForm::CancelClick>(this);
}

void TZRProgressForm::SetDocument(TZRPrinter* Value) {
  if (Value == FDocument)
    return;
  if (FDocument != nullptr && FDocument->ProgressForm() == this)
    FDocument->SetProgressForm(nullptr);
  FDocument = Value;
  if (FDocument != nullptr)
    FDocument->SetProgressForm(this);
}

void TZRProgressForm::FormCreate(TObject*) {
  SetCaption(LoadZRString(SZRPrinting));
  Cancel->SetCaption(LoadZRString(SZRCancel));
}

void TZRProgressForm::FormClose(TObject*, TCloseAction& Action) {
  // Out of the document's slot at once: the document may be gone before
  // the form is freed.
  TZRPrinter* document = FDocument;
  SetDocument(nullptr);
  Action = caFree;
  // Closing the window of a build still under way is taken as its Cancel:
  // the build stops and nothing is output.
  if (document != nullptr && document->State() == TZRDocumentState::Building)
    document->Cancel();
}

void TZRProgressForm::FormDestroy(TObject*) { SetDocument(nullptr); }

void TZRProgressForm::CancelClick(TObject*) {
  if (FDocument != nullptr)
    FDocument->Cancel();
}

void TZRProgressForm::Dispatch(TMessage& Message) {
  if (Message.Msg == ZRNoticeProgress) {
    const int percent = static_cast<int>(Message.WParam);
    Gauge->SetPosition(percent);
    Info->SetCaption(IntToStr(percent) + "% " + LoadZRString(SZRComplete));
    Message.Result = 0;
    return;
  }
  TForm::Dispatch(Message);
}

void TZRProgressForm::DocumentNotice(unsigned Message, int Value) {
  Perform(Message, static_cast<WPARAM>(Value), 0);
}

void TZRProgressForm::CloseForm() { Close(); }

void TZRProgressForm::ShowForm() { Show(); }

void TZRProgressForm::ReleaseForm() {
  SetDocument(nullptr);
  Release();
}

void InstallProgressForm() {
  ProgressFormFactory = [](TZRPrinter& document) { NewForm<TZRProgressForm>(Application, &document); };
}
