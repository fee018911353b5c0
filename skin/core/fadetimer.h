// The fade timers of skinned controls: when the mouse enters, leaves or
// presses a skinned button or check box, its previous look (a copy of its
// cache bitmap) is blended into the newly rendered cache over the section's
// FadingIterations steps, 10 ms apart. Without a skin manager no fade ever
// starts: the controls are not skinned and repaint at once.
//
// Both timers do their work in Tick, which the class library's timer calls
// every 10 ms; tests call it by hand to drive a fade step by step.
#pragma once
#include <cstdint>
#include <memory>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/timer.h"

class TBitmap;
class TControl;
class TsCommonData;
class TsSkinManager;

enum TacAnimatEvent { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
DOZURI_ENUM(TacAnimatEvent, "aeMouseEnter", "aeMouseLeave", "aeMouseDown", "aeMouseUp", "aeGlobalDef");
DOZURI_SET(TacAnimatEvents, TacAnimatEvent);

// Number of fade and animation timers alive now.
extern int LiveFadeTimerCount;
// While set, fade steps draw nothing (the form skin provider sets it and
// waits until LiveFadeTimerCount is 0).
extern bool FadingSuspended;
// Set by the skin manager while it changes skins: state changes repaint at once.
extern bool SkinChangeInProgress;

class TsFadeTimer : public TTimer {
  DECLARE_CLASS(TsFadeTimer, TTimer)

public:
  explicit TsFadeTimer(TComponent* AOwner);
  ~TsFadeTimer() override;

  // 0 stopped, 1 and 2 fading.
  std::uint8_t Direction() const { return FDirection; }
  void SetDirection(std::uint8_t Value);
  // Takes the control's look before the change as the start image and
  // counts the steps from its section.
  void Attach(TsCommonData* Data);
  void Tick() { Timer(); }

  int StepCount = 0;
  int CurrentStep = 0;
  TBitmap* StartImage() const { return FStartImage.get(); }

protected:
  void Timer() override;

private:
  // True when the fade is over (the owner was told to stop it) or cannot go on.
  bool Finished();
  void FadeStep();
  TControl* LiveOwner() const;

  std::uint8_t FDirection = 0;
  TsCommonData* FData = nullptr;
  std::unique_ptr<TBitmap> FStartImage;
};

class TsAnimTimer : public TTimer {
  DECLARE_CLASS(TsAnimTimer, TTimer)

public:
  explicit TsAnimTimer(TComponent* AOwner);
  ~TsAnimTimer() override;

  void Attach(TsCommonData* Data);
  void Tick() { Timer(); }

  // Set by the control that starts the animation.
  int StepCount = 0;
  int CurrentStep = 0;
  TBitmap* StartImage() const { return FStartImage.get(); }
  // What the owner paints while it is told of a step (commands 0x08, 0x12).
  TBitmap* WorkImage() const { return FWorkImage.get(); }

protected:
  void Timer() override;

private:
  bool Finished();
  void AnimStep();
  TControl* LiveOwner() const;

  bool FInProgress = false;
  std::unique_ptr<TBitmap> FStartImage;
  std::unique_ptr<TBitmap> FWorkImage;
  TsCommonData* FData = nullptr;
};

// The weight of the start image at a step: ClampByte(255 - Step * 256 div Count).
int FadeWeight(int Step, int Count);

// A state change of a skinned control: fades when AllowFading and the
// section fades (and no skin change or suspension stands in the way),
// else stops any fade and repaints the owner at once.
void RepaintWithFading(TsFadeTimer*& Timer, TsCommonData* Data, int State, std::uint8_t Direction, bool AllowFading);
// Starts (or restarts from step 1) the fade of Data's owner.
void StartFade(TsFadeTimer*& Timer, TsCommonData* Data, bool HalveSteps, std::uint8_t Direction);
// Stops and frees the timer; the reference is cleared.
void StopFadeTimer(TsFadeTimer*& Timer, TsCommonData* Data);

// Whether a button event animates: True when Event is in Events; with
// aeGlobalDef in Events, whatever the manager's AnimEffects.Buttons.Events
// say (Manager nullptr: the default manager; none: False).
bool AnimEventAllowed(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* Manager);
