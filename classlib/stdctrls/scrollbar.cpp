#include "classlib/stdctrls/scrollbar.h"

#include <algorithm>

BEGIN_PUBLISHED(TScrollBar)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Kind, Kind, SetKind).Default(sbHorizontal),
  PROPERTY(LargeChange, LargeChange, SetLargeChange).Default(1),
  PROPERTY(Max, Max, SetMax).Default(100),
  PROPERTY(Min, Min, SetMin).Default(0),
  PROPERTY(PageSize, PageSize, SetPageSize).Default(0),
  PROPERTY(Position, Position, SetPosition).Default(0),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(SmallChange, SmallChange, SetSmallChange).Default(1),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnScroll, OnScroll, OnScroll),
END_PUBLISHED

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csFramed, csDoubleClicks, csOpaque};
  SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"SCROLLBAR");
  Params.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollInfo();
  EnableWindow(FHandle, Enabled() ? TRUE : FALSE);
}

void TScrollBar::UpdateScrollInfo() {
  if (!HandleAllocated())
    return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
  info.nMin = FMin;
  info.nMax = FMax;
  info.nPage = static_cast<UINT>(FPageSize);
  info.nPos = FPosition;
  SetScrollInfo(FHandle, SB_CTL, &info, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (FKind == Value)
    return;
  FKind = Value;
  if (!ComponentState().Contains(csLoading))
    SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax) {
  if (AMax < AMin)
    throw EInvalidOperation("Scroll bar property out of range");
  APosition = std::clamp(APosition, AMin, AMax);
  bool moved = APosition != FPosition;
  if (AMin == FMin && AMax == FMax && !moved)
    return;
  FMin = AMin;
  FMax = AMax;
  FPosition = APosition;
  UpdateScrollInfo();
  if (moved)
    Change();
}

void TScrollBar::SetPageSize(int Value) {
  if (Value < 0 || FPageSize == Value)
    return;
  FPageSize = Value;
  UpdateScrollInfo();
}

void TScrollBar::Change() {
  if (OnChange)
    OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos) {
  if (OnScroll)
    OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL)
    CNScroll(Message);
  else
    TWinControl::Dispatch(Message);
}

// The thumb position of SB_THUMBTRACK comes from the window (the message's
// 16 bits would cut large ranges).
void TScrollBar::CNScroll(TMessage& Message) {
  int code = LOWORD(Message.WParam);
  int pos = FPosition;
  int pageMax = FMax - std::max(FPageSize - 1, 0);
  TScrollCode scrollCode = scEndScroll;
  switch (code) {
    case SB_LINEUP: scrollCode = scLineUp; pos -= FSmallChange; break;
    case SB_LINEDOWN: scrollCode = scLineDown; pos += FSmallChange; break;
    case SB_PAGEUP: scrollCode = scPageUp; pos -= FLargeChange; break;
    case SB_PAGEDOWN: scrollCode = scPageDown; pos += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(FHandle, SB_CTL, &info);
      pos = info.nTrackPos;
      scrollCode = code == SB_THUMBTRACK ? scTrack : scPosition;
      break;
    }
    case SB_TOP: scrollCode = scTop; pos = FMin; break;
    case SB_BOTTOM: scrollCode = scBottom; pos = FMax; break;
    case SB_ENDSCROLL: scrollCode = scEndScroll; break;
  }
  pos = std::clamp(pos, FMin, std::max(FMin, pageMax));
  Scroll(scrollCode, pos);
  SetPosition(pos);
  Message.Result = 0;
}
