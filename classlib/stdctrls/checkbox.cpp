#include "classlib/stdctrls/checkbox.h"

// ---- Check boxes ----------------------------------------------------------------------
IMPLEMENT_CLASS(TCustomCheckBox)

BEGIN_PUBLISHED(TCheckBox)
  PROPERTY(Action, ActionComponent, SetActionComponent),
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taRightJustify),
  PROPERTY(AllowGrayed, AllowGrayed, SetAllowGrayed).Default(false),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Default(bdLeftToRight),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Checked, Checked, SetChecked).Default(false),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(State, State, SetState).Default(cbUnchecked),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

namespace {
const WPARAM kCheckOfState[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify)
    Params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(FHandle, BM_SETCHECK, kCheckOfState[FState], 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value)
    return;
  FState = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, BM_SETCHECK, kCheckOfState[FState], 0);
  if (!ComponentState().Contains(csLoading))
    Click();
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND)
    CNCommand(Message);
  else
    TButtonControl::Dispatch(Message);
}

// The user clicked (mouse or space): the box moves to its next state.
void TCustomCheckBox::CNCommand(TMessage& Message) {
  if (HIWORD(Message.WParam) == BN_CLICKED)
    Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused())
      Toggle();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(Message);
}

// ---- Radio buttons --------------------------------------------------------------------
BEGIN_PUBLISHED(TRadioButton)
  PROPERTY(Action, ActionComponent, SetActionComponent),
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taRightJustify),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Default(bdLeftToRight),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Checked, Checked, SetChecked).Default(false),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
END_PUBLISHED

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, L"BUTTON");
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify)
    Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Checking one unchecks its siblings; a change clicks the button checked.
void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value)
    return;
  FChecked = Value;
  SetTabStop(Value);
  if (HandleAllocated())
    SendMessageW(FHandle, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value)
    return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (sibling != nullptr && sibling != this)
        sibling->SetChecked(false);
    }
  }
  if (!ComponentState().Contains(csLoading))
    Click();
}

void TRadioButton::SetAlignment(TAlignment Value) {
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  RecreateWnd();
}

void TRadioButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND)
    CNCommand(Message);
  else
    TButtonControl::Dispatch(Message);
}

void TRadioButton::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case BN_CLICKED: SetChecked(true); break;
    case BN_DOUBLECLICKED: DblClick(); break;
  }
}

void TRadioButton::CMDialogChar(TMessage& Message) {
  if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused())
      SetChecked(true);
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(Message);
}
