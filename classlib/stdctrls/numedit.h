// Numeric edits. The value is a floating-point number rounded to
// DecimalPlaces. Without the focus the edit shows it through DisplayFormat
// (FormatFloat's mask, with the locale's separators); with the focus it
// shows the plain number to type over (empty for 0 when ZeroEmpty). Typing
// takes digits, one decimal separator ('.' and ',' both type the locale's)
// and a leading minus; MinValue/MaxValue (when they differ) limit the value.
#pragma once
#include "classlib/controls/stdctrls.h"

class TCustomNumEdit : public TCustomEdit {
  DECLARE_CLASS(TCustomNumEdit, TCustomEdit)

public:
  explicit TCustomNumEdit(TComponent* AOwner);

  // The value; while the edit has the focus, what is typed so far.
  double Value();
  void SetValue(double Value);
  int AsInteger() { return static_cast<int>(Value()); }
  void SetAsInteger(int Value) { SetValue(Value); }
  const AnsiString& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const AnsiString& Value);
  int DecimalPlaces() const { return FDecimalPlaces; }
  void SetDecimalPlaces(int Value);
  double MinValue() const { return FMinValue; }
  void SetMinValue(double Value);
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value);
  bool ZeroEmpty() const { return FZeroEmpty; }
  void SetZeroEmpty(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The text shown without the focus.
  AnsiString DisplayText() const;
  void Clear() { SetValue(0); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void KeyPress(char& Key) override;
  void Change() override;
  void CMEnter(TMessage& Message) override;
  void CMExit(TMessage& Message) override;
  // The format used when DisplayFormat is empty.
  virtual AnsiString DefaultDisplayFormat() const;

private:
  double CheckValue(double Value) const;
  // The value of the typed text (the current value for text that is no number).
  double TextToValue(const AnsiString& Text) const;
  AnsiString EditText() const;
  // Puts the display or edit text into the window without an OnChange.
  void ShowValue();

  double FValue = 0;
  AnsiString FDisplayFormat;
  int FDecimalPlaces = 2;
  double FMinValue = 0;
  double FMaxValue = 0;
  bool FZeroEmpty = true;
  TAlignment FAlignment = taRightJustify;
  bool FEditing = false;
  int FShowing = 0;
};

// A numeric edit for amounts: two decimals by default, thousands separated.
class TCurrencyEdit : public TCustomNumEdit {
  DECLARE_CLASS(TCurrencyEdit, TCustomNumEdit)

public:
  explicit TCurrencyEdit(TComponent* AOwner);

protected:
  AnsiString DefaultDisplayFormat() const override;
};

// A numeric edit for calculations: shows as many decimals as it has, up to
// DecimalPlaces.
class TRxCalcEdit : public TCustomNumEdit {
  DECLARE_CLASS(TRxCalcEdit, TCustomNumEdit)

public:
  explicit TRxCalcEdit(TComponent* AOwner) : TCustomNumEdit(AOwner) {}
};
