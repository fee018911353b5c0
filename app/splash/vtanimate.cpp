#include "app/splash/vtanimate.h"

#include <windows.h>

#include <algorithm>

#include "classlib/forms/application.h"
#include "classlib/forms/timer.h"

BEGIN_PUBLISHED(TVtAnimate)
  PROPERTY(Active, Active, SetActive).Default(false),
  PROPERTY(StartInt, StartInt, SetStartInt).Default(5),
  PROPERTY(StartStep, StartStep, SetStartStep).Default(10),
  PROPERTY(StopInt, StopInt, SetStopInt).Default(5),
  PROPERTY(StopStep, StopStep, SetStopStep).Default(10),
  PROPERTY(MaxValue, MaxValue, SetMaxValue).Default(255),
  PROPERTY_RO(About, About),
  PROPERTY(OnAfterStartAnim, OnAfterStartAnim, OnAfterStartAnim),
  PROPERTY(OnAfterEndAnim, OnAfterEndAnim, OnAfterEndAnim),
  METHOD(FormCreate),
  METHOD(FormActivate),
  METHOD(FormClose),
  METHOD(DoStart),
  METHOD(DoEnd),
END_PUBLISHED

TVtAnimate::TVtAnimate(TComponent* AOwner) : TComponent(AOwner) {
  FTimer = new TTimer(this);
  FTimer->SetEnabled(false);
}

TVtAnimate::~TVtAnimate() {
  FTimer->SetEnabled(false);
  FTimer->OnTimer = nullptr;
  FTimer->Free();
  FTimer = nullptr;
}

void TVtAnimate::SetMaxValue(unsigned Value) { FMaxValue = std::min(Value, 255u); }

void TVtAnimate::Loaded() {
  const bool loading = ComponentState().Contains(csLoading);
  TComponent::Loaded();
  if (loading && !ComponentState().Contains(csDesigning))
    HookOwnerFormEvents();
}

void TVtAnimate::HookOwnerFormEvents() {
  TCustomForm* form = GetOwnerForm();
  if (form == nullptr)
    return;
  FSavedCreate = form->OnCreate;
  FSavedActivate = form->OnActivate;
  FSavedClose = form->OnClose;
  form->OnCreate = Method<&TVtAnimate::FormCreate>(this);
  form->OnActivate = Method<&TVtAnimate::FormActivate>(this);
  form->OnClose = Method<&TVtAnimate::FormClose>(this);
}

TCustomForm* TVtAnimate::GetOwnerForm() const { return dynamic_cast<TCustomForm*>(Owner()); }

// The layered-window function is looked up at run time, as on systems
// that may lack it.
bool TVtAnimate::CanAnimate() {
  if (!FActive)
    return false;
  HMODULE user32 = GetModuleHandleW(L"User32.dll");
  if (user32 == nullptr || GetProcAddress(user32, "SetLayeredWindowAttributes") == nullptr)
    return false;
  TCustomForm* form = GetOwnerForm();
  return form != nullptr && form->HandleAllocated();
}

bool TVtAnimate::Animated() const { return FTimer->Enabled(); }

void TVtAnimate::FormCreate(TObject* Sender) {
  if (CanAnimate()) {
    TCustomForm* form = GetOwnerForm();
    form->SetAlphaBlendValue(0);
    form->SetAlphaBlend(true);
  }
  if (FSavedCreate)
    FSavedCreate(Sender);
}

void TVtAnimate::FormActivate(TObject* Sender) {
  if (FFirstActivation && CanAnimate() && GetOwnerForm() != nullptr) {
    FFirstActivation = false;
    StartAnimasyon(true, 10000);
  }
  if (FSavedActivate)
    FSavedActivate(Sender);
}

void TVtAnimate::FormClose(TObject* Sender, TCloseAction& Action) {
  if (FSavedClose)
    FSavedClose(Sender, Action);
  if (CanAnimate() && GetOwnerForm() != nullptr && Action != caNone)
    EndAnimasyon(true, 10000);
}

void TVtAnimate::SetFormAlpha(unsigned Value) {
  if (TCustomForm* form = GetOwnerForm())
    form->SetAlphaBlendValue(static_cast<BYTE>(Value));
}

void TVtAnimate::StartAnimasyon(bool Wait, int Timeout) {
  if (FStartStep == 0) {
    if (TCustomForm* form = GetOwnerForm())
      form->Show();
    return;
  }
  FTimer->SetEnabled(false);
  FTimer->SetInterval(FStartInt);
  FTimer->OnTimer = Method<&TVtAnimate::DoStart>(this);
  FOpacity = 0;
  FTimer->SetEnabled(true);
  if (Wait)
    WaitForFade(Timeout, FMaxValue, &TVtAnimate::DoStart);
}

void TVtAnimate::EndAnimasyon(bool Wait, int Timeout) {
  if (FStopStep == 0)
    return;
  FTimer->SetEnabled(false);
  FTimer->SetInterval(FStopInt);
  FTimer->OnTimer = Method<&TVtAnimate::DoEnd>(this);
  FOpacity = FMaxValue;
  FTimer->SetEnabled(true);
  if (Wait)
    WaitForFade(Timeout, 0, &TVtAnimate::DoEnd);
}

// The wait sleeps until a message arrives (a timer tick among them) rather
// than spinning.
void TVtAnimate::WaitForFade(int Timeout, unsigned Final, void (TVtAnimate::*Tick)(TObject*)) {
  const DWORD start = GetTickCount();
  while (FTimer->Enabled()) {
    if (Timeout < 0 || GetTickCount() - start >= static_cast<DWORD>(Timeout)) {
      FOpacity = Final;
      FTimer->SetEnabled(false);
      (this->*Tick)(this);
      break;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Application->ProcessMessages();
  }
}

void TVtAnimate::DoStart(TObject*) {
  if (FOpacity < FMaxValue && FStartStep < FMaxValue - FOpacity)
    FOpacity += FStartStep;
  else
    FOpacity = FMaxValue;
  SetFormAlpha(FOpacity);
  if (FOpacity >= FMaxValue) {
    FOpacity = 0;
    FTimer->SetEnabled(false);
    SetFormAlpha(FMaxValue);
    if (OnAfterStartAnim)
      OnAfterStartAnim(this);
  }
}

void TVtAnimate::DoEnd(TObject*) {
  if (FStopStep < FOpacity)
    FOpacity -= FStopStep;
  else
    FOpacity = 0;
  SetFormAlpha(FOpacity);
  if (FOpacity == 0) {
    FTimer->SetEnabled(false);
    SetFormAlpha(0);
    if (OnAfterEndAnim)
      OnAfterEndAnim(this);
  }
}
