// The standard controls the forms need first: push buttons, single-line
// edits (both over the system's window classes) and labels (painted by
// their parent).
#pragma once
#include "classlib/controls/graphiccontrol.h"
#include "classlib/controls/wincontrol.h"

class TButton;

// Sets the ModalResult of the form a control is on; the forms unit installs
// it. Every click of a button calls it with the button's ModalResult.
extern void (*ParentFormModalResultHook)(TControl* Control, TModalResult Result);

// True when Str has an accelerator ("&" before a character) for the key VK,
// compared without regard to case.
bool IsAccel(WORD VK, const AnsiString& Str);

// ---- Buttons ------------------------------------------------------------------
class TButtonControl : public TWinControl {
  DECLARE_CLASS(TButtonControl, TWinControl)

public:
  explicit TButtonControl(TComponent* AOwner);
};

// A push button over the system's BUTTON class. Default: Enter clicks it
// unless another button has the focus; Cancel: Esc clicks it. A click hands
// a non-zero ModalResult to the form first.
class TButton : public TButtonControl {
  DECLARE_CLASS(TButton, TButtonControl)

public:
  explicit TButton(TComponent* AOwner);

  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  // Clicks the button as the user would.
  void Click() override;
  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  // Shows the button as the default one (BS_DEFPUSHBUTTON) or not.
  void SetButtonStyle(bool ADefault);

private:
  void CNCommand(TMessage& Message);
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void CMFocusChanged(TMessage& Message) override;

  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;
  bool FShownDefault = false;
  TModalResult FModalResult = mrNone;
};

// ---- Edits ----------------------------------------------------------------------
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
DOZURI_ENUM(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase");

// A single-line edit over the system's EDIT class. OnChange fires whenever
// the text changes, by the user or by code.
class TCustomEdit : public TWinControl {
  DECLARE_CLASS(TCustomEdit, TWinControl)

public:
  explicit TCustomEdit(TComponent* AOwner);

  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // 0 = no limit.
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  bool Modified() const;
  void SetModified(bool Value);

  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  AnsiString SelText();
  void SetSelText(const AnsiString& Value);
  void SelectAll();
  void Clear() { SetText(""); }

  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  void DoEnter() override;

private:
  void CNCommand(TMessage& Message);
  void CMTextChanged(TMessage& Message) override;
  void CMCtl3DChanged(TMessage& Message) override;

  bool FAutoSelect = true;
  bool FReadOnly = false;
  int FMaxLength = 0;
  TBorderStyle FBorderStyle = bsSingle;
  TEditCharCase FCharCase = ecNormal;
  char FPasswordChar = '\0';
  bool FModifiedKept = false;  // Modified while there is no window
  bool FCreating = false;
};

class TEdit : public TCustomEdit {
  DECLARE_CLASS(TEdit, TCustomEdit)

public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// ---- Labels ---------------------------------------------------------------------
enum TTextLayout { tlTop, tlCenter, tlBottom };
DOZURI_ENUM(TTextLayout, "tlTop", "tlCenter", "tlBottom");

// Text painted by the parent. AutoSize fits the bounds to the text (keeping
// the width when WordWrap); an "&" before a character underlines it and,
// with ShowAccelChar, Alt+that character focuses FocusControl.
class TCustomLabel : public TGraphicControl {
  DECLARE_CLASS(TCustomLabel, TGraphicControl)

public:
  explicit TCustomLabel(TComponent* AOwner);

  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool Transparent() const;
  void SetTransparent(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

protected:
  void Paint() override;
  // Sizes the label to its text when AutoSize.
  void Loaded() override;
  // Draws the caption into Rect with DrawText Flags (DT_CALCRECT measures).
  virtual void DoDrawText(TRect& Rect, UINT Flags);
  // The caption as drawn ("&&" shown as "&" unless ShowAccelChar is off).
  virtual AnsiString GetLabelText() const { return Caption(); }
  virtual void AdjustBounds();

private:
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMDialogChar(TMessage& Message);
  UINT TextFlags() const;

  bool FAutoSize = true;
  bool FWordWrap = false;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  DECLARE_CLASS(TLabel, TCustomLabel)

public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
