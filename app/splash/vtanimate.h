// TVtAnimate: fades the form it is placed on, in when the form is first
// activated and out when it is closed, by stepping the window's
// layered-window opacity from a timer. It attaches itself to its form by
// taking over the form's OnCreate, OnActivate and OnClose and calling the
// form's own handlers from its own.
//
// MaxValue is held to 0-255 (the form's alpha value is a byte), and a fade
// never steps past it: the fade-in ends at MaxValue, also at its time-out.
#pragma once
#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/forms/forms.h"

class TTimer;

class TVtAnimate : public TComponent {
  DECLARE_CLASS(TVtAnimate, TComponent)

public:
  explicit TVtAnimate(TComponent* AOwner);
  ~TVtAnimate() override;

  // The component works only when Active.
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  // Timer interval (ms) and opacity step of the fade-in; step 0: none.
  unsigned StartInt() const { return FStartInt; }
  void SetStartInt(unsigned Value) { FStartInt = Value; }
  unsigned StartStep() const { return FStartStep; }
  void SetStartStep(unsigned Value) { FStartStep = Value; }
  // The same for the fade-out.
  unsigned StopInt() const { return FStopInt; }
  void SetStopInt(unsigned Value) { FStopInt = Value; }
  unsigned StopStep() const { return FStopStep; }
  void SetStopStep(unsigned Value) { FStopStep = Value; }
  // Full opacity, 0-255.
  unsigned MaxValue() const { return FMaxValue; }
  void SetMaxValue(unsigned Value);
  // The component's version.
  AnsiString About() const { return "s1.02"; }

  TNotifyEvent OnAfterStartAnim;
  TNotifyEvent OnAfterEndAnim;

  // Read from a form description (not in a designer): takes over the
  // form's events.
  void Loaded() override;
  // Saves the owner form's OnCreate, OnActivate and OnClose and puts this
  // component's handlers in their place. Forms built in code call it once
  // their components are made, where loading would call it.
  void HookOwnerFormEvents();
  TCustomForm* GetOwnerForm() const;
  // Active, the system offers layered windows, and the form's window exists.
  bool CanAnimate();
  // A fade is running.
  bool Animated() const;

  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // Fade-in and fade-out. With Wait the call handles messages until the
  // fade ends or Timeout milliseconds passed (negative: at once), and then
  // jumps to the end.
  void StartAnimasyon(bool Wait, int Timeout);
  void EndAnimasyon(bool Wait, int Timeout);
  // One timer tick of the fade-in and of the fade-out.
  void DoStart(TObject* Sender);
  void DoEnd(TObject* Sender);

private:
  void SetFormAlpha(unsigned Value);
  // Handles messages while the timer runs; at the time-out sets the
  // opacity to Final, stops the timer and applies one last tick.
  void WaitForFade(int Timeout, unsigned Final, void (TVtAnimate::*Tick)(TObject*));

  bool FActive = false;
  unsigned FStartInt = 5;
  unsigned FStartStep = 10;
  unsigned FStopInt = 5;
  unsigned FStopStep = 10;
  unsigned FMaxValue = 255;
  TTimer* FTimer = nullptr;
  unsigned FOpacity = 0;
  bool FFirstActivation = true;
  TNotifyEvent FSavedCreate;
  TNotifyEvent FSavedActivate;
  TCloseEvent FSavedClose;
};
