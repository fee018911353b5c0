#include "classlib/comctrls/updown.h"

#include <algorithm>

#include "classlib/comctrls/comctrls.h"

BEGIN_PUBLISHED(TUpDown)
  PROPERTY(AlignButton, AlignButton, SetAlignButton).Default(udRight),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(ArrowKeys, ArrowKeys, SetArrowKeys).Default(true),
  PROPERTY(Associate, Associate, SetAssociate),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Increment, Increment, SetIncrement).Default(1),
  PROPERTY(Max, Max, SetMax).Default(100),
  PROPERTY(Min, Min, SetMin).Default(0),
  PROPERTY(Orientation, Orientation, SetOrientation).Default(udVertical),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(Position, Position, SetPosition).Default(0),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(false),
  PROPERTY(Thousands, Thousands, SetThousands).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(Wrap, Wrap, SetWrap).Default(false),
  PROPERTY(OnChanging, OnChanging, OnChanging),
  PROPERTY(OnClick, OnClick, OnClick),
END_PUBLISHED

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{};
  SetBounds(0, 0, 17, 25);
}

void TUpDown::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_UPDOWN_CLASS);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, UPDOWN_CLASSW);
  Params.Style |= UDS_SETBUDDYINT;
  Params.Style |= FAlignButton == udRight ? UDS_ALIGNRIGHT : UDS_ALIGNLEFT;
  if (FOrientation == udHorizontal)
    Params.Style |= UDS_HORZ;
  if (FArrowKeys)
    Params.Style |= UDS_ARROWKEYS;
  if (!FThousands)
    Params.Style |= UDS_NOTHOUSANDS;
  if (FWrap)
    Params.Style |= UDS_WRAP;
}

void TUpDown::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, UDM_SETRANGE32, FMin, FMax);
  UDACCEL accel{0, static_cast<UINT>(FIncrement)};
  SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  UpdateBuddy();
  SendMessageW(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::DestroyWnd() {
  FPosition = Position();
  UndoAutoResizing();
  TWinControl::DestroyWnd();
}

// The window narrowed the associate to make room for the arrows; a new
// window or another associate would narrow it again.
void TUpDown::UndoAutoResizing() {
  if (!FBuddyResized || FAssociate == nullptr)
    return;
  FBuddyResized = false;
  const int room = Width();
  if (FAlignButton == udRight)
    FAssociate->SetWidth(FAssociate->Width() + room);
  else
    FAssociate->SetBounds(FAssociate->Left() - room, FAssociate->Top(), FAssociate->Width() + room,
                          FAssociate->Height());
}

// The arrows place themselves beside the associate and take its text.
void TUpDown::UpdateBuddy() {
  if (!HandleAllocated())
    return;
  HWND buddy = FAssociate != nullptr ? FAssociate->Handle() : nullptr;
  SendMessageW(FHandle, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  if (FAssociate != nullptr) {
    FBuddyResized = true;
    RECT r{};
    GetWindowRect(FHandle, &r);
    POINT p{r.left, r.top};
    HWND parent = GetParent(FHandle);
    ::ScreenToClient(parent, &p);
    SetBounds(p.x, p.y, r.right - r.left, r.bottom - r.top);
    SendMessageW(FHandle, UDM_SETPOS32, 0, Position());
  }
}

void TUpDown::SetAssociate(TWinControl* Value) {
  if (Value == this || Value == FAssociate)
    return;
  UndoAutoResizing();
  FAssociate = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
  if (HandleAllocated())
    RecreateWnd();
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAssociate) {
    FAssociate = nullptr;
    FBuddyResized = false;
    if (HandleAllocated())
      SendMessageW(FHandle, UDM_SETBUDDY, 0, 0);
  }
}

int TUpDown::Position() const {
  if (FHandle != nullptr)
    return static_cast<int>(SendMessageW(FHandle, UDM_GETPOS32, 0, 0));
  return FPosition;
}

void TUpDown::SetPosition(int Value) {
  FPosition = std::clamp(Value, std::min(FMin, FMax), std::max(FMin, FMax));
  if (HandleAllocated())
    SendMessageW(FHandle, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::SetMin(int Value) {
  FMin = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, UDM_SETRANGE32, FMin, FMax);
  SetPosition(Position());
}

void TUpDown::SetMax(int Value) {
  FMax = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, UDM_SETRANGE32, FMin, FMax);
  SetPosition(Position());
}

void TUpDown::SetIncrement(int Value) {
  FIncrement = Value;
  if (HandleAllocated()) {
    UDACCEL accel{0, static_cast<UINT>(Value)};
    SendMessageW(FHandle, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  }
}

void TUpDown::SetAlignButton(TUDAlignButton Value) {
  if (FAlignButton != Value) {
    FAlignButton = Value;
    RecreateWnd();
  }
}

void TUpDown::SetOrientation(TUDOrientation Value) {
  if (FOrientation != Value) {
    FOrientation = Value;
    RecreateWnd();
  }
}

void TUpDown::SetArrowKeys(bool Value) {
  if (FArrowKeys != Value) {
    FArrowKeys = Value;
    RecreateWnd();
  }
}

void TUpDown::SetThousands(bool Value) {
  if (FThousands != Value) {
    FThousands = Value;
    RecreateWnd();
  }
}

void TUpDown::SetWrap(bool Value) {
  if (FWrap != Value) {
    FWrap = Value;
    RecreateWnd();
  }
}

bool TUpDown::CanChange() {
  bool allow = true;
  if (OnChanging)
    OnChanging(this, allow);
  return allow;
}

void TUpDown::Click(TUDBtnType Button) {
  if (OnClick)
    OnClick(this, Button);
}

void TUpDown::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CN_HSCROLL:
    case CN_VSCROLL: CNScroll(Message); break;
    default: TWinControl::Dispatch(Message); break;
  }
}

// UDN_DELTAPOS comes before the move: OnChanging may refuse it.
void TUpDown::CNNotify(TMessage& Message) {
  if (reinterpret_cast<NMHDR*>(Message.LParam)->code == UDN_DELTAPOS) {
    FLastDelta = reinterpret_cast<NMUPDOWN*>(Message.LParam)->iDelta;
    Message.Result = CanChange() ? 0 : 1;
    return;
  }
  DefaultHandler(Message);
}

// The scroll message follows each move that was allowed; the step asked
// for says which arrow it was (wrapping round does not change that).
void TUpDown::CNScroll(TMessage& Message) {
  if (LOWORD(Message.WParam) == SB_THUMBPOSITION)
    Click(FLastDelta > 0 ? btNext : btPrev);
  Message.Result = 0;
}
