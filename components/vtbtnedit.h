// TVtBtnEdit: a one-line text edit with a small button docked inside its
// right edge, for "browse" or "edit" actions (OnBtnClick). Its text never
// holds a line break: Enter is handed to the form and then dropped, and
// pasted or assigned text loses its CR and LF characters.
//
// The edit window is a multi-line edit that clips its children, so that its
// formatting rectangle can stop short of the button.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "components/vtwinbutton.h"

enum TGlyphKind { gkCustom, gkDefault };
DOZURI_ENUM(TGlyphKind, "gkCustom", "gkDefault");

// The button inside the edit: named "EditButton", no caption. With
// GlyphKind gkDefault its glyph is the open-folder picture of the bitmap
// resource "OPENDIR", loaded once for all edit buttons.
class TVtEditButton : public TVtWinButton {
  DECLARE_CLASS(TVtEditButton, TVtWinButton)

public:
  explicit TVtEditButton(TComponent* AOwner);
  ~TVtEditButton() override;

  TGlyphKind GlyphKind() const { return FGlyphKind; }
  void SetGlyphKind(TGlyphKind Value);

private:
  TGlyphKind FGlyphKind = gkCustom;
};

class TVtBtnEdit : public TEdit {
  DECLARE_CLASS(TVtBtnEdit, TEdit)

public:
  explicit TVtBtnEdit(TComponent* AOwner);
  ~TVtBtnEdit() override;

  // Fired when the embedded button is clicked; Sender is the edit.
  TNotifyEvent OnBtnClick;
  // The component's version; writing it does nothing.
  AnsiString About() const { return "s1.04"; }
  void SetAbout(const AnsiString&) {}
  // The embedded button, owned by the edit.
  TVtEditButton* VtWinButton() const { return FButton; }
  // The embedded button's width; the button shows only above 1.
  int ButtonWidht() const { return FButtonWidht; }
  void SetButtonWidht(int Value);
  // A short description of the component.
  AnsiString GetTanim() const;

  void Dispatch(TMessage& Message) override;

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Change() override;
  // A multi-line edit window reports no change for text set by code, so the
  // text change itself is the change, with or without a window.
  void CMTextChanged(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  // The embedded button was clicked: fires OnBtnClick.
  virtual void BtnClick();

private:
  // Narrows the formatting rectangle so that text stays clear of the button.
  void SetEditRect();
  void ButtonClicked(TObject* Sender);
  void WMPaste(TMessage& Message);

  TVtEditButton* FButton = nullptr;
  int FButtonWidht = 21;
};

// Text without its CR and LF characters.
AnsiString WithoutLineBreaks(const AnsiString& Text);
