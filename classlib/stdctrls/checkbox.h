// Check boxes and radio buttons over the system's BUTTON class. The control
// keeps its own state (the window only shows it), so a click toggles it
// once and OnClick fires once per change, by the user or by code.
#pragma once
#include "classlib/controls/stdctrls.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
DOZURI_ENUM(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed");


class TCustomCheckBox : public TButtonControl {
  DECLARE_CLASS(TCustomCheckBox, TButtonControl)

public:
  explicit TCustomCheckBox(TComponent* AOwner);

  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  // taLeftJustify puts the text left of the box.
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  // The next state of a click: unchecked, checked, grayed (when allowed).
  virtual void Toggle();

private:
  void CNCommand(TMessage& Message);
  void CMDialogChar(TMessage& Message) override;

  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  DECLARE_CLASS(TCheckBox, TCustomCheckBox)

public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

// A radio button: checking it unchecks the radio buttons of the same parent.
class TRadioButton : public TButtonControl {
  DECLARE_CLASS(TRadioButton, TButtonControl)

public:
  explicit TRadioButton(TComponent* AOwner);

  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  void CNCommand(TMessage& Message);
  void CMDialogChar(TMessage& Message) override;

  bool FChecked = false;
  TAlignment FAlignment = taRightJustify;
};
