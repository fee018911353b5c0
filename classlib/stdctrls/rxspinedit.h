// A spin edit: a numeric edit with up and down arrows (an up-down control
// inside the edit's right edge). The arrows, the Up and Down keys and the
// mouse wheel add or take Increment; the value stays within
// MinValue..MaxValue when they differ. EditorEnabled false refuses typing
// (the arrows still work).
#pragma once
#include "classlib/controls/stdctrls.h"

enum TSpinValueType { vtInteger, vtFloat };
DOZURI_ENUM(TSpinValueType, "vtInteger", "vtFloat");

class TRxSpinEdit : public TCustomEdit {
  DECLARE_CLASS(TRxSpinEdit, TCustomEdit)

public:
  explicit TRxSpinEdit(TComponent* AOwner);

  double Value();
  void SetValue(double Value);
  int AsInteger() { return static_cast<int>(Value()); }
  void SetAsInteger(int Value) { SetValue(Value); }
  double MinValue() const { return FMinValue; }
  void SetMinValue(double Value);
  double MaxValue() const { return FMaxValue; }
  void SetMaxValue(double Value);
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value) { FIncrement = Value; }
  TSpinValueType ValueType() const { return FValueType; }
  void SetValueType(TSpinValueType Value);
  int Decimal() const { return FDecimal; }
  void SetDecimal(int Value);
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  // One step up or down.
  void UpClick();
  void DownClick();
  // The up-down window inside the edit.
  HWND ButtonHandle() const { return FButton; }

  void Dispatch(TMessage& Message) override;

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void CMExit(TMessage& Message) override;

private:
  double CheckValue(double Value) const;
  AnsiString FormatValue(double Value) const;
  void PlaceButton();

  double FMinValue = 0;
  double FMaxValue = 0;
  double FIncrement = 1;
  TSpinValueType FValueType = vtInteger;
  int FDecimal = 2;
  bool FEditorEnabled = true;
  HWND FButton = nullptr;
};
