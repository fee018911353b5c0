#include "classlib/comctrls/trackbar.h"

#include <algorithm>

#include "classlib/comctrls/comctrls.h"

BEGIN_PUBLISHED(TTrackBar)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Frequency, Frequency, SetFrequency).Default(1),
  PROPERTY(LineSize, LineSize, SetLineSize).Default(1),
  PROPERTY(Max, Max, SetMax).Default(10),
  PROPERTY(Min, Min, SetMin).Default(0),
  PROPERTY(Orientation, Orientation, SetOrientation).Default(trHorizontal),
  PROPERTY(PageSize, PageSize, SetPageSize).Default(2),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(Position, Position, SetPosition).Default(0),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(TickMarks, TickMarks, SetTickMarks).Default(tmBottomRight),
  PROPERTY(TickStyle, TickStyle, SetTickStyle).Default(tsAuto),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
END_PUBLISHED

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
}

void TTrackBar::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, TRACKBAR_CLASSW);
  Params.Style |= FOrientation == trVertical ? TBS_VERT : TBS_HORZ;
  switch (FTickMarks) {
    case tmBottomRight: Params.Style |= TBS_BOTTOM; break;
    case tmTopLeft: Params.Style |= TBS_TOP; break;
    case tmBoth: Params.Style |= TBS_BOTH; break;
  }
  if (FTickStyle == tsNone)
    Params.Style |= TBS_NOTICKS;
  else if (FTickStyle == tsAuto)
    Params.Style |= TBS_AUTOTICKS;
}

void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, TBM_SETRANGEMIN, FALSE, FMin);
  SendMessageW(FHandle, TBM_SETRANGEMAX, FALSE, FMax);
  SendMessageW(FHandle, TBM_SETLINESIZE, 0, FLineSize);
  SendMessageW(FHandle, TBM_SETPAGESIZE, 0, FPageSize);
  SendMessageW(FHandle, TBM_SETTICFREQ, FFrequency, 0);
  SendMessageW(FHandle, TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::DestroyWnd() {
  FPosition = Position();
  TWinControl::DestroyWnd();
}

int TTrackBar::Position() const {
  if (FHandle != nullptr)
    return static_cast<int>(SendMessageW(FHandle, TBM_GETPOS, 0, 0));
  return FPosition;
}

void TTrackBar::SetPosition(int Value) {
  FPosition = std::clamp(Value, FMin, std::max(FMin, FMax));
  if (HandleAllocated())
    SendMessageW(FHandle, TBM_SETPOS, TRUE, FPosition);
}

void TTrackBar::SetMin(int Value) {
  FMin = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, TBM_SETRANGEMIN, TRUE, Value);
  SetPosition(Position());
}

void TTrackBar::SetMax(int Value) {
  FMax = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, TBM_SETRANGEMAX, TRUE, Value);
  SetPosition(Position());
}

void TTrackBar::SetFrequency(int Value) {
  FFrequency = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, TBM_SETTICFREQ, Value, 0);
}

void TTrackBar::SetLineSize(int Value) {
  FLineSize = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, TBM_SETLINESIZE, 0, Value);
}

void TTrackBar::SetPageSize(int Value) {
  FPageSize = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, TBM_SETPAGESIZE, 0, Value);
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (FOrientation == Value)
    return;
  FOrientation = Value;
  if (!ComponentState().Contains(csLoading))
    SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark Value) {
  if (FTickMarks != Value) {
    FTickMarks = Value;
    RecreateWnd();
  }
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
  if (FTickStyle != Value) {
    FTickStyle = Value;
    RecreateWnd();
  }
}

void TTrackBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL)
    CNScroll(Message);
  else
    TWinControl::Dispatch(Message);
}

void TTrackBar::CNScroll(TMessage& Message) {
  int position = Position();
  if (position != FPosition) {
    FPosition = position;
    Changed();
  }
  Message.Result = 0;
}

void TTrackBar::Changed() {
  if (OnChange)
    OnChange(this);
}
