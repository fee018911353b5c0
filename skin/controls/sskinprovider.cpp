#include "skin/controls/sskinprovider.h"

#include "classlib/controls/stdctrls.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/system/exceptions.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"
#include "skin/core/skinregistry.h"
#include "skin/core/svclutils.h"

BEGIN_PUBLISHED(TsSkinProvider)
  PROPERTY(AllowExtBorders, AllowExtBorders, SetAllowExtBorders).Default(true),
  PROPERTY(DrawNonClientArea, DrawNonClientArea, SetDrawNonClientArea).Default(true),
  PROPERTY_RO(SkinData, SkinData),
  PROPERTY(MakeSkinMenu, MakeSkinMenu, SetMakeSkinMenu).Default(false),
  PROPERTY(MenuLineSkin, MenuLineSkin, SetMenuLineSkin),
  PROPERTY(ScreenSnap, ScreenSnap, SetScreenSnap).Default(false),
  PROPERTY(SnapBuffer, SnapBuffer, SetSnapBuffer).Default(10),
  PROPERTY(ShowAppIcon, ShowAppIcon, SetShowAppIcon).Default(true),
  PROPERTY(TitleSkin, TitleSkin, SetTitleSkin),
  PROPERTY(UseGlobalColor, UseGlobalColor, SetUseGlobalColor).Default(true),
END_PUBLISHED

namespace {

TsSkinProvider* ProviderAmong(TComponent* Owner, const TsSkinProvider* Except) {
  for (int i = 0; i < Owner->ComponentCount(); ++i) {
    auto* provider = dynamic_cast<TsSkinProvider*>(Owner->Components(i));
    if (provider != nullptr && provider != Except && !provider->ComponentState().Contains(csDestroying))
      return provider;
  }
  return nullptr;
}

}  // namespace

TsSkinProvider::TsSkinProvider(TComponent* AOwner) : TComponent(AOwner) {
  auto* form = dynamic_cast<TForm*>(AOwner);
  if (form == nullptr)
    throw EAbort("TsSkinProvider component may be used with forms only!");
  if (ComponentState().Contains(csDesigning)) {
    if (ProviderAmong(form, this) != nullptr)
      throw EAbort("Only one instance of the TsSkinProvider component is allowed!");
  } else {
    // A provider already serving the form answers for it.
    FDuplicate = form->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdGetProvider), 0) != 0;
  }
  FForm = dynamic_cast<TForm*>(FindOwnerForm(this));
  FSkinData = std::make_unique<TsCommonData>(this, true);
  FSkinData->SetSkinSection("FORM");
  FSkinData->SetControlKind(ckSkinProvider);
  FSkinData->PaintLocked = !FForm->ControlState().Empty();
  if (ComponentState().Contains(csDesigning) || FDuplicate)
    return;
  FForm->SetDoubleBuffered(false);
  FOldWindowProc = FForm->WindowProc;
  FForm->WindowProc = Method<&TsSkinProvider::FormWndProc>(this);
  AddSkinnedForm(FForm);
  FServing = true;
}

TsSkinProvider::~TsSkinProvider() {
  if (FServing) {
    RemoveSkinnedForm(FForm);
    FForm->WindowProc = FOldWindowProc;
    FServing = false;
  }
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  FSkinData->OwnerLoaded();
}

void TsSkinProvider::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (FSkinData == nullptr)
    return;
  auto* manager = dynamic_cast<TsSkinManager*>(AComponent);
  if (Operation == opInsert && manager != nullptr && FSkinData->OwnSkinManager() == nullptr)
    FSkinData->SetSkinManager(manager);
  else if (Operation == opRemove)
    FSkinData->ComponentRemoved(AComponent);
}

bool TsSkinProvider::FormDestroying() const {
  return FForm == nullptr || FForm->ComponentState().Contains(csDestroying);
}

// The form is drawn by its own window procedure; the provider only answers
// what a served form must answer.
void TsSkinProvider::FormWndProc(TMessage& Message) {
  if (AnswerInEveryState(Message))
    return;
  switch (SkinCommandOf(Message)) {
    case SkinCmdNewSkin:
      return;
    case SkinCmdGetProvider:
      Message.Result = reinterpret_cast<LRESULT>(this);
      return;
    default:
      break;
  }
  if (FOldWindowProc)
    FOldWindowProc(Message);
}

bool TsSkinProvider::AnswerInEveryState(TMessage& Message) {
  switch (SkinCommandOf(Message)) {
    case SkinCmdSkinRemoved:
      SkinRemoved(Message);
      return true;
    default:
      return AnswerSkinnedControlQuery(Message);
  }
}

// From the provider's own manager the form and its labels return to the
// standard colours; from another manager the command only goes on to the
// controls.
void TsSkinProvider::SkinRemoved(TMessage& Message) {
  if (!FSkinData->IsForManager(Message.LParam)) {
    SendToChildControls(FForm, Message);
    return;
  }
  FSkinData->HandleCommonSkinCommand(Message);
  SendToChildControls(FForm, Message);
  if (FormDestroying())
    return;
  for (int i = 0; i < FForm->ComponentCount(); ++i)
    if (auto* label = dynamic_cast<TLabel*>(FForm->Components(i)))
      label->Font()->SetColor(clWindowText);
  if (FUseGlobalColor && !FSkinData->CustomColor())
    FForm->SetColor(clBtnFace);
}

void SendToFormProvider(TCustomForm* Form, TMessage& Message) {
  if (Form == nullptr)
    return;
  if (TsSkinProvider* provider = ProviderAmong(Form, nullptr))
    provider->DeliverSkinMessage(Message);
}
