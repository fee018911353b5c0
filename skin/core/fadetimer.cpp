#include "skin/core/fadetimer.h"

#include <windows.h>

#include "classlib/controls/wincontrol.h"
#include "classlib/forms/application.h"
#include "classlib/graphics/bitmap.h"
#include "skin/core/alphagraph.h"
#include "skin/core/animeffects.h"
#include "skin/core/bitmappixels.h"
#include "skin/core/commondata.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"
#include "skin/core/skinsections.h"
#include "skin/core/skinutils.h"

int LiveFadeTimerCount = 0;
bool FadingSuspended = false;
bool SkinChangeInProgress = false;

namespace {

constexpr unsigned kFadeInterval = 10;

bool FadeComponentDying(const TComponent* C) { return C->ComponentState().Contains(csDestroying); }
bool FadeApplicationTerminating() { return Application != nullptr && Application->Terminated(); }

LRESULT PerformCommand(TControl* Control, WORD Command, LPARAM LParam = 0, WORD Argument = 0) {
  return Control->Perform(SM_ALPHACMD, SkinCommandWParam(Command, Argument), LParam);
}

// The owner of Data when it exists and is not being destroyed.
TControl* LiveOwnerOf(TsCommonData* Data) {
  if (Data == nullptr)
    return nullptr;
  TControl* owner = Data->OwnerControl();
  return owner != nullptr && !FadeComponentDying(owner) ? owner : nullptr;
}

// A 24-bit copy of the start image blended with the cache: W parts start.
std::unique_ptr<TBitmap> BlendedFrame(TBitmap* Start, TBitmap* Cache, int W) {
  auto frame = std::make_unique<TBitmap>();
  frame->Assign(Start);
  frame->SetPixelFormat(pf24bit);
  BlendSameSize24(PixelViewOf(frame.get()), PixelViewOf(Cache), static_cast<std::uint8_t>(W));
  return frame;
}

int SectionFadingIterations(TsCommonData* Data) {
  const TsGeneralData* section = Data->Section();
  return section != nullptr ? section->FadingIterations : 0;
}

bool SectionFades(TsCommonData* Data) {
  const TsGeneralData* section = Data->Section();
  return section != nullptr && section->FadingEnabled;
}

}  // namespace

int FadeWeight(int Step, int Count) { return Count == 0 ? 0 : ClampByte(255 - Step * 256 / Count); }

// ---- TsFadeTimer ----------------------------------------------------------------------------------

IMPLEMENT_CLASS(TsFadeTimer)

TsFadeTimer::TsFadeTimer(TComponent* AOwner) : TTimer(AOwner) {
  SetEnabled(false);
  ++LiveFadeTimerCount;
}

TsFadeTimer::~TsFadeTimer() { --LiveFadeTimerCount; }

void TsFadeTimer::SetDirection(std::uint8_t Value) {
  FDirection = Value;
  if (CurrentStep < 0)
    CurrentStep = 1;
  SetEnabled(Value != 0);
}

void TsFadeTimer::Attach(TsCommonData* Data) {
  FData = Data;
  TBitmap* cache = Data->CacheBitmap();
  TControl* owner = Data->OwnerControl();
  if (Data->CacheInvalid && (cache == nullptr || cache->Empty()) && owner != nullptr)
    SendControlSkinCommand(owner, SkinCmdRebuildCache, 0);
  FStartImage = std::make_unique<TBitmap>();
  if (cache != nullptr)
    FStartImage->Assign(cache);
  SetInterval(kFadeInterval);
  const int iterations = SectionFadingIterations(Data);
  StepCount = iterations;
  if (FDirection == 1)
    StepCount = CurrentStep;
  else if (FDirection == 2)
    StepCount = iterations - CurrentStep;
}

TControl* TsFadeTimer::LiveOwner() const { return LiveOwnerOf(FData); }

bool TsFadeTimer::Finished() {
  TControl* owner = LiveOwner();
  if (owner == nullptr || FadeApplicationTerminating()) {
    FDirection = 0;
    return false;
  }
  if (StepCount >= CurrentStep && CurrentStep >= 0)
    return false;
  // The owner answers by freeing this timer: nothing of it is touched after.
  try {
    PerformCommand(owner, SkinCmdStopFading);
  } catch (...) {
    return false;
  }
  return true;
}

void TsFadeTimer::Timer() {
  if (FData == nullptr || FadeComponentDying(this))
    return;
  if (Finished())
    return;
  if (FadingSuspended)
    return;
  if (FDirection == 1 || FDirection == 2)
    FadeStep();
}

void TsFadeTimer::FadeStep() {
  TControl* owner = LiveOwner();
  if (owner == nullptr || StepCount == 0 || FadingSuspended)
    return;
  if (!owner->Enabled()) {
    SetEnabled(false);
    StepCount = 0;
    FData->InvalidateOwner();
    return;
  }
  struct StepAdvance {
    int& Step;
    ~StepAdvance() { ++Step; }
  } advance{CurrentStep};
  std::unique_ptr<TBitmap> frame = BlendedFrame(FStartImage.get(), FData->CacheBitmap(), FadeWeight(CurrentStep, StepCount));
  auto* windowed = dynamic_cast<TWinControl*>(owner);
  HWND wnd = windowed != nullptr && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
  HDC dc = wnd != nullptr ? GetWindowDC(wnd) : nullptr;
  const int saved = dc != nullptr ? SaveDC(dc) : 0;
  try {
    if (PerformCommand(owner, SkinCmdDropRegion, reinterpret_cast<LPARAM>(frame.get())) == 0 && dc != nullptr)
      BitBlt(dc, 0, 0, frame->Width(), frame->Height(), frame->Canvas().Handle(), 0, 0, SRCCOPY);
  } catch (...) {
    if (dc != nullptr && IsWindow(wnd)) {
      RestoreDC(dc, saved);
      ReleaseDC(wnd, dc);
    }
    throw;
  }
  if (dc != nullptr && IsWindow(wnd)) {
    RestoreDC(dc, saved);
    ReleaseDC(wnd, dc);
  }
}

// ---- TsAnimTimer ----------------------------------------------------------------------------------

IMPLEMENT_CLASS(TsAnimTimer)

TsAnimTimer::TsAnimTimer(TComponent* AOwner) : TTimer(AOwner) {
  SetEnabled(false);
  ++LiveFadeTimerCount;
}

TsAnimTimer::~TsAnimTimer() { --LiveFadeTimerCount; }

void TsAnimTimer::Attach(TsCommonData* Data) {
  FData = Data;
  SetInterval(kFadeInterval);
  StepCount = SectionFadingIterations(Data);
}

TControl* TsAnimTimer::LiveOwner() const { return LiveOwnerOf(FData); }

bool TsAnimTimer::Finished() {
  TControl* owner = LiveOwner();
  if (FadeComponentDying(this) || owner == nullptr || FadeApplicationTerminating())
    return true;
  if (StepCount >= CurrentStep && CurrentStep >= 0)
    return false;
  PerformCommand(owner, SkinCmdStopFading);
  return true;
}

void TsAnimTimer::Timer() {
  if (FadeComponentDying(this) || Finished())
    return;
  AnimStep();
}

void TsAnimTimer::AnimStep() {
  TControl* owner = LiveOwner();
  if (FInProgress || owner == nullptr || StepCount == 0 || CurrentStep < 0) {
    ++CurrentStep;
    return;
  }
  FInProgress = true;
  if (FStartImage == nullptr) {
    FStartImage = std::make_unique<TBitmap>();
    if (FData->CacheBitmap() != nullptr)
      FStartImage->Assign(FData->CacheBitmap());
  }
  FWorkImage = BlendedFrame(FStartImage.get(), FData->CacheBitmap(), FadeWeight(CurrentStep, StepCount));
  PerformCommand(owner, SkinCmdSetPaintLock, 0, 0);
  PerformCommand(owner, SkinCmdAfterAnimation);
  ++CurrentStep;
  FInProgress = false;
}

// ---- Fading routines -----------------------------------------------------------------------------

void RepaintWithFading(TsFadeTimer*& Timer, TsCommonData* Data, int State, std::uint8_t Direction, bool AllowFading) {
  if (Data == nullptr || !Data->IsSkinned(false))
    return;
  TBitmap* cache = Data->CacheBitmap();
  if (AllowFading && !SkinChangeInProgress && SectionFades(Data) && !FadingSuspended && cache != nullptr &&
      !Data->CacheInvalid) {
    Data->CacheInvalid = true;
    StartFade(Timer, Data, (State & 0xFF) != 0, Direction);
    return;
  }
  Data->CacheInvalid = true;
  if (Timer != nullptr)
    StopFadeTimer(Timer, Data);
  if (TControl* owner = LiveOwnerOf(Data))
    owner->Repaint();
}

void StartFade(TsFadeTimer*& Timer, TsCommonData* Data, bool HalveSteps, std::uint8_t Direction) {
  if (Data == nullptr || !SectionFades(Data))
    return;
  TControl* owner = Data->OwnerControl();
  if (Timer == nullptr) {
    Timer = new TsFadeTimer(owner);
    Timer->SetEnabled(false);
    Timer->CurrentStep = 1;
  } else {
    Timer->CurrentStep = SectionFadingIterations(Data);
  }
  Timer->Attach(Data);
  if (HalveSteps)
    Timer->StepCount /= 2;
  if (Timer->CurrentStep >= Timer->StepCount || Timer->CurrentStep < 1)
    Timer->CurrentStep = 1;
  if (owner != nullptr)
    PerformCommand(owner, SkinCmdRebuildCache);
  Timer->SetDirection(Direction);
}

void StopFadeTimer(TsFadeTimer*& Timer, TsCommonData*) {
  if (Timer == nullptr || FadeComponentDying(Timer))
    return;
  TsFadeTimer* timer = Timer;
  Timer = nullptr;
  timer->SetEnabled(false);
  timer->SetDirection(0);
  timer->Free();
}

bool AnimEventAllowed(TacAnimatEvent Event, TacAnimatEvents Events, TsSkinManager* Manager) {
  if (Events.Contains(Event))
    return true;
  if (!Events.Contains(aeGlobalDef))
    return false;
  if (Manager == nullptr)
    Manager = DefaultManager();
  if (Manager == nullptr)
    return false;
  static constexpr TacBtnEvent kMapping[] = {beMouseEnter, beMouseLeave, beMouseDown, beMouseUp, beMouseUp};
  return Manager->AnimEffects()->Buttons()->Events().Contains(kMapping[Event]);
}
