#include "textreport/forms/zrsearch.h"

#include "classlib/controls/controlmaking.h"

#include "textreport/core/zrconst.h"
#include "textreport/forms/formclientsize.h"

BEGIN_PUBLISHED(TfmSearch)
  METHOD(FormCreate),
  METHOD(FormShow),
END_PUBLISHED

namespace {

template <class C>
C* MakeAt(TfmSearch* form, const char* name, int left, int top, int width, int height) {
  return MakeControlAt<C>(form, form, name, left, top, width, height);
}

TBitBtn* MakeButton(TfmSearch* form, const char* name, TBitBtnKind kind, int left) {
  TBitBtn* button = MakeAt<TBitBtn>(form, name, left, 88, 100, 25);
  button->SetKind(kind);
  return button;
}

}  // namespace

TfmSearch::TfmSearch(TComponent* AOwner) : TForm(AOwner) {
  SetName("fmSearch");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetFormClientSize(*this, 459, 122);
  CreateControls();
  OnCreate = Method<&TfmSearch::FormCreate>(this);
  OnShow = Method<&TfmSearch::FormShow>(this);
}

void TfmSearch::CreateControls() {
  lbInvitation = MakeAt<TLabel>(this, "lbInvitation", 8, 8, 440, 14);
  edSearchStr = MakeAt<TEdit>(this, "edSearchStr", 8, 26, 443, 21);
  edSearchStr->SetText("");
  lbInvitation->SetFocusControl(edSearchStr);
  cbUseCase = MakeAt<TCheckBox>(this, "cbUseCase", 8, 56, 200, 17);
  cbFromCurrent = MakeAt<TCheckBox>(this, "cbFromCurrent", 220, 56, 230, 17);
  btFind = MakeButton(this, "btFind", bkOK, 135);
  btCont = MakeButton(this, "btCont", bkRetry, 243);
  btCancel = MakeButton(this, "btCancel", bkCancel, 351);
}

void TfmSearch::FormCreate(TObject*) {
  SetCaption(LoadZRString(SZRSearchCaption));
  lbInvitation->SetCaption(LoadZRString(SZRTextToSearch));
  cbUseCase->SetCaption(LoadZRString(SZRCaseSensitive));
  cbFromCurrent->SetCaption(LoadZRString(SZRFromCurrentPosition));
  btFind->SetCaption(LoadZRString(SZRFind));
  btCont->SetCaption(LoadZRString(SZRContinue));
  btCancel->SetCaption(LoadZRString(SZRCancel));
}

void TfmSearch::FormShow(TObject*) { SetActiveControl(edSearchStr); }
