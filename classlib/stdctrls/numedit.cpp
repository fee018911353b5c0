#include "classlib/stdctrls/numedit.h"

#include <algorithm>
#include <cmath>

#include "classlib/system/formatsettings.h"
#include "classlib/system/numconv.h"

IMPLEMENT_CLASS(TCustomNumEdit)

#define NUMEDIT_PROPERTIES                                                   \
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taRightJustify),      \
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),   \
  PROPERTY(AutoSelect, AutoSelect, SetAutoSelect).Default(true),             \
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),      \
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),           \
  PROPERTY(DecimalPlaces, DecimalPlaces, SetDecimalPlaces).Default(2),       \
  PROPERTY(DisplayFormat, DisplayFormat, SetDisplayFormat),                  \
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),                      \
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),               \
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),                   \
  PROPERTY(MaxValue, MaxValue, SetMaxValue),                                 \
  PROPERTY(MinValue, MinValue, SetMinValue),                                 \
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),         \
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),             \
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),            \
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),                  \
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(), \
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),                     \
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),                      \
  PROPERTY(Value, Value, SetValue),                                          \
  PROPERTY(Visible, Visible, SetVisible).Default(true),                      \
  PROPERTY(ZeroEmpty, ZeroEmpty, SetZeroEmpty).Default(true),                \
  PROPERTY(OnChange, OnChange, OnChange),                                    \
  PROPERTY(OnClick, OnClick, OnClick),                                       \
  PROPERTY(OnEnter, OnEnter, OnEnter),                                       \
  PROPERTY(OnExit, OnExit, OnExit),                                          \
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),                                 \
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),                              \
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp)

BEGIN_PUBLISHED(TCurrencyEdit)
  NUMEDIT_PROPERTIES,
END_PUBLISHED

BEGIN_PUBLISHED(TRxCalcEdit)
  NUMEDIT_PROPERTIES,
END_PUBLISHED

TCustomNumEdit::TCustomNumEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  FControlStyle.Exclude(csSetCaption);
  SetText(DisplayText());
}

void TCustomNumEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
  Params.Style |= alignments[FAlignment];
}

void TCustomNumEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  ShowValue();
}

AnsiString TCustomNumEdit::DefaultDisplayFormat() const {
  AnsiString decimals = FDecimalPlaces > 0 ? "." + AnsiString(static_cast<std::size_t>(FDecimalPlaces), '#') : "";
  return ",0" + decimals;
}

AnsiString TCustomNumEdit::DisplayText() const {
  return FormatFloat(FDisplayFormat.empty() ? DefaultDisplayFormat() : FDisplayFormat, FValue);
}

AnsiString TCustomNumEdit::EditText() const {
  if (FValue == 0 && FZeroEmpty)
    return AnsiString();
  AnsiString format = "0";
  if (FDecimalPlaces > 0)
    format += "." + AnsiString(static_cast<std::size_t>(FDecimalPlaces), '#');
  return FormatFloat(format, FValue);
}

// Limits apply only when they differ; the value keeps DecimalPlaces decimals.
double TCustomNumEdit::CheckValue(double Value) const {
  if (FMaxValue != FMinValue)
    Value = std::clamp(Value, FMinValue, FMaxValue);
  double scale = std::pow(10.0, FDecimalPlaces);
  double rounded = std::round(Value * scale) / scale;
  return std::isfinite(rounded) ? rounded : Value;
}

// Thousands separators typed or pasted are ignored.
double TCustomNumEdit::TextToValue(const AnsiString& Text) const {
  AnsiString digits;
  for (char c : Text)
    if (c != FormatSettings.ThousandSeparator || c == FormatSettings.DecimalSeparator)
      digits += c;
  if (digits.empty() || digits == "-")
    return 0;
  double value = 0;
  if (!TryStrToFloat(digits, value))
    return FValue;
  return value;
}

void TCustomNumEdit::ShowValue() {
  ++FShowing;
  SetText(FEditing ? EditText() : DisplayText());
  --FShowing;
}

double TCustomNumEdit::Value() {
  if (FEditing)
    return CheckValue(TextToValue(Text()));
  return FValue;
}

void TCustomNumEdit::SetValue(double Value) {
  double checked = CheckValue(Value);
  bool changed = checked != FValue;
  FValue = checked;
  ShowValue();
  if (changed)
    TCustomEdit::Change();
}

void TCustomNumEdit::SetDisplayFormat(const AnsiString& Value) {
  FDisplayFormat = Value;
  ShowValue();
}

void TCustomNumEdit::SetDecimalPlaces(int Value) {
  FDecimalPlaces = std::clamp(Value, 0, 15);
  FValue = CheckValue(FValue);
  ShowValue();
}

void TCustomNumEdit::SetMinValue(double Value) {
  FMinValue = Value;
  FValue = CheckValue(FValue);
  ShowValue();
}

void TCustomNumEdit::SetMaxValue(double Value) {
  FMaxValue = Value;
  FValue = CheckValue(FValue);
  ShowValue();
}

void TCustomNumEdit::SetZeroEmpty(bool Value) {
  FZeroEmpty = Value;
  ShowValue();
}

void TCustomNumEdit::SetAlignment(TAlignment Value) {
  if (FAlignment == Value)
    return;
  FAlignment = Value;
  RecreateWnd();
}

// Text put in by the edit itself (switching between shown and typed forms)
// is no change of the value.
void TCustomNumEdit::Change() {
  if (FShowing == 0)
    TCustomEdit::Change();
}

void TCustomNumEdit::CMEnter(TMessage& Message) {
  FEditing = true;
  ShowValue();
  TCustomEdit::CMEnter(Message);
}

void TCustomNumEdit::CMExit(TMessage& Message) {
  FValue = CheckValue(TextToValue(Text()));
  FEditing = false;
  ShowValue();
  TCustomEdit::CMExit(Message);
}

void TCustomNumEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (Key == '\0' || static_cast<unsigned char>(Key) < ' ')
    return;
  const char separator = FormatSettings.DecimalSeparator;
  if (Key == '.' || Key == ',')
    Key = separator;
  AnsiString text = Text();
  int start = SelStart(), length = SelLength();
  AnsiString rest = text.substr(0, static_cast<std::size_t>(start)) +
                    text.substr(static_cast<std::size_t>(start + length));
  bool ok = false;
  if (Key >= '0' && Key <= '9') {
    // No more decimals than DecimalPlaces after the separator.
    std::size_t dot = rest.find(separator);
    ok = dot == AnsiString::npos || start <= static_cast<int>(dot) ||
         static_cast<int>(rest.size() - dot - 1) < FDecimalPlaces;
  } else if (Key == separator) {
    ok = FDecimalPlaces > 0 && rest.find(separator) == AnsiString::npos;
  } else if (Key == '-') {
    ok = start == 0 && rest.find('-') == AnsiString::npos && (FMinValue < 0 || FMaxValue == FMinValue);
  }
  if (!ok) {
    MessageBeep(0);
    Key = '\0';
  }
}

// ---- The currency edit ----------------------------------------------------------------
TCurrencyEdit::TCurrencyEdit(TComponent* AOwner) : TCustomNumEdit(AOwner) {
  SetDecimalPlaces(FormatSettings.CurrencyDecimals);
}

AnsiString TCurrencyEdit::DefaultDisplayFormat() const {
  AnsiString decimals = DecimalPlaces() > 0 ? "." + AnsiString(static_cast<std::size_t>(DecimalPlaces()), '0') : "";
  return ",0" + decimals + ";-,0" + decimals;
}
