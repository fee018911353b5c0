#include "classlib/stdctrls/rxspinedit.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "classlib/system/formatsettings.h"
#include "classlib/system/numconv.h"

BEGIN_PUBLISHED(TRxSpinEdit)
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(AutoSelect, AutoSelect, SetAutoSelect).Default(true),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Decimal, Decimal, SetDecimal).Default(2),
  PROPERTY(EditorEnabled, EditorEnabled, SetEditorEnabled).Default(true),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Increment, Increment, SetIncrement),
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),
  PROPERTY(MaxValue, MaxValue, SetMaxValue),
  PROPERTY(MinValue, MinValue, SetMinValue),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Value, Value, SetValue),
  PROPERTY(ValueType, ValueType, SetValueType).Default(vtInteger),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
END_PUBLISHED

namespace {
constexpr int kButtonWidth = 15;
}

TRxSpinEdit::TRxSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  FControlStyle.Exclude(csSetCaption);
  SetText("0");
}

void TRxSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&init);
  FButton = CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, kButtonWidth, Height(),
                            FHandle, nullptr, GetModuleHandleW(nullptr), nullptr);
  // The whole range lets the arrows always report a step; the value is ours.
  SendMessageW(FButton, UDM_SETRANGE32, static_cast<WPARAM>(-0x7FFFFFFF), 0x7FFFFFFF);
  PlaceButton();
}

void TRxSpinEdit::DestroyWnd() {
  FButton = nullptr;  // goes with the edit's window
  TCustomEdit::DestroyWnd();
}

// The arrows sit at the right edge, and the text stops before them.
void TRxSpinEdit::PlaceButton() {
  if (FButton == nullptr)
    return;
  RECT client;
  GetClientRect(FHandle, &client);
  SetWindowPos(FButton, nullptr, client.right - kButtonWidth, 0, kButtonWidth, client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(FHandle, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kButtonWidth + 2));
}

double TRxSpinEdit::CheckValue(double Value) const {
  if (FMaxValue != FMinValue)
    Value = std::clamp(Value, FMinValue, FMaxValue);
  if (FValueType == vtInteger)
    Value = std::round(Value);
  return Value;
}

AnsiString TRxSpinEdit::FormatValue(double Value) const {
  if (FValueType == vtInteger)
    return FormatFloat("0", Value);
  return FloatToStrF(Value, ffFixed, 15, FDecimal);
}

// The typed text; text that is no number counts as the lower limit.
double TRxSpinEdit::Value() {
  double value = 0;
  if (!TryStrToFloat(Text(), value))
    value = FMinValue;
  return CheckValue(value);
}

void TRxSpinEdit::SetValue(double Value) { SetText(FormatValue(CheckValue(Value))); }

void TRxSpinEdit::SetMinValue(double Value) {
  FMinValue = Value;
  SetValue(this->Value());
}

void TRxSpinEdit::SetMaxValue(double Value) {
  FMaxValue = Value;
  SetValue(this->Value());
}

void TRxSpinEdit::SetValueType(TSpinValueType Value) {
  FValueType = Value;
  SetValue(this->Value());
}

void TRxSpinEdit::SetDecimal(int Value) {
  FDecimal = std::clamp(Value, 0, 15);
  SetValue(this->Value());
}

void TRxSpinEdit::UpClick() {
  if (!ReadOnly())
    SetValue(Value() + FIncrement);
}

void TRxSpinEdit::DownClick() {
  if (!ReadOnly())
    SetValue(Value() - FIncrement);
}

void TRxSpinEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_VSCROLL && FButton != nullptr && reinterpret_cast<HWND>(Message.LParam) == FButton) {
    if (LOWORD(Message.WParam) == SB_THUMBPOSITION) {
      // The up-down's position only tells the direction; it goes back to 0.
      int position = static_cast<short>(HIWORD(Message.WParam));
      if (position > 0)
        UpClick();
      else if (position < 0)
        DownClick();
      SendMessageW(FButton, UDM_SETPOS32, 0, 0);
    }
    Message.Result = 0;
    return;
  }
  if (Message.Msg == WM_SIZE) {
    TCustomEdit::Dispatch(Message);
    PlaceButton();
    return;
  }
  TCustomEdit::Dispatch(Message);
}

void TRxSpinEdit::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (Key == VK_UP) {
    UpClick();
    Key = 0;
  } else if (Key == VK_DOWN) {
    DownClick();
    Key = 0;
  }
}

// Digits, the decimal separator of a float value and a leading minus (when
// the limits allow negatives) type; with EditorEnabled off nothing does.
void TRxSpinEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (Key == '\0' || static_cast<unsigned char>(Key) < ' ')
    return;
  if (!FEditorEnabled) {
    Key = '\0';
    return;
  }
  const char separator = FormatSettings.DecimalSeparator;
  if (FValueType == vtFloat && (Key == '.' || Key == ','))
    Key = separator;
  bool ok = (Key >= '0' && Key <= '9') || (FValueType == vtFloat && Key == separator) ||
            (Key == '-' && (FMinValue < 0 || FMinValue == FMaxValue));
  if (!ok) {
    MessageBeep(0);
    Key = '\0';
  }
}

bool TRxSpinEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomEdit::DoMouseWheel(Shift, WheelDelta, MousePos))
    return true;
  if (WheelDelta > 0)
    UpClick();
  else
    DownClick();
  return true;
}

// Leaving the edit puts the value in its limits.
void TRxSpinEdit::CMExit(TMessage& Message) {
  AnsiString checked = FormatValue(Value());
  if (checked != Text())
    SetText(checked);
  TCustomEdit::CMExit(Message);
}
