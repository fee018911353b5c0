#include "classlib/comctrls/progressbar.h"

#include <algorithm>

#include "classlib/comctrls/comctrls.h"

BEGIN_PUBLISHED(TProgressBar)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Max, Max, SetMax).Default(100),
  PROPERTY(Min, Min, SetMin).Default(0),
  PROPERTY(Orientation, Orientation, SetOrientation).Default(pbHorizontal),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(Position, Position, SetPosition).Default(0),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Smooth, Smooth, SetSmooth).Default(false),
  PROPERTY(Step, Step, SetStep).Default(10),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
END_PUBLISHED

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_PROGRESS_CLASS);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, PROGRESS_CLASSW);
  if (FSmooth)
    Params.Style |= PBS_SMOOTH;
  if (FOrientation == pbVertical)
    Params.Style |= PBS_VERTICAL;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, PBM_SETRANGE32, FMin, FMax);
  SendMessageW(FHandle, PBM_SETSTEP, FStep, 0);
  SendMessageW(FHandle, PBM_SETPOS, FPosition, 0);
}

void TProgressBar::DestroyWnd() {
  FPosition = Position();
  TWinControl::DestroyWnd();
}

int TProgressBar::Position() const {
  if (FHandle != nullptr)
    return static_cast<int>(SendMessageW(FHandle, PBM_GETPOS, 0, 0));
  return FPosition;
}

void TProgressBar::SetPosition(int Value) {
  FPosition = std::clamp(Value, FMin, std::max(FMin, FMax));
  if (HandleAllocated())
    SendMessageW(FHandle, PBM_SETPOS, FPosition, 0);
}

void TProgressBar::SetRange(int AMin, int AMax) {
  FMin = AMin;
  FMax = AMax;
  if (HandleAllocated())
    SendMessageW(FHandle, PBM_SETRANGE32, FMin, FMax);
  SetPosition(Position());
}

void TProgressBar::SetStep(int Value) {
  FStep = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, PBM_SETSTEP, Value, 0);
}

void TProgressBar::StepIt() {
  if (HandleAllocated()) {
    SendMessageW(FHandle, PBM_STEPIT, 0, 0);
    return;
  }
  int next = FPosition + FStep;
  FPosition = next > FMax ? FMin + (next - FMax) % std::max(1, FMax - FMin) : next;
}

void TProgressBar::StepBy(int Delta) {
  if (HandleAllocated())
    SendMessageW(FHandle, PBM_DELTAPOS, Delta, 0);
  else
    SetPosition(FPosition + Delta);
}

void TProgressBar::SetSmooth(bool Value) {
  if (FSmooth != Value) {
    FSmooth = Value;
    RecreateWnd();
  }
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value) {
  if (FOrientation != Value) {
    FOrientation = Value;
    RecreateWnd();
  }
}
