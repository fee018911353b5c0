// TVTRXDBGrid: the data grid with an option to ignore Ctrl+End and two
// optional overlay editors that stand over the current cell: a date edit for
// a date column (TVtDGDateEdit) and a check box for a column whose field has
// Tag 123 (TVtDGCheckBox). The overlays are controls of the form, linked to
// the grid through Cont_DateEdit and Cont_CheckBox; each knows the grid back
// through its DBGrid, so that Enter, Tab and the arrows return to the grid.
//
// StatusBar, OnCustomize and Azerice are kept and streamed with the form but
// change nothing.
#pragma once
#include "classlib/comctrls/statusbar.h"
#include "classlib/dbctrls/dbcheckbox.h"
#include "classlib/dbctrls/dbdateedit.h"
#include "classlib/dbctrls/rxdbgrid.h"

class TVtDGDateEdit;
class TVtDGCheckBox;

// The field Tag that asks for the check-box overlay.
constexpr int CheckBoxFieldTag = 123;

class TVTRXDBGrid : public TRxDBGrid {
  DECLARE_CLASS(TVTRXDBGrid, TRxDBGrid)

public:
  explicit TVTRXDBGrid(TComponent* AOwner);

  // The component's version; writing it does nothing.
  AnsiString About() const { return "s1.09"; }
  void SetAbout(const AnsiString&) {}
  TStatusBar* StatusBar() const { return FStatusBar; }
  void SetStatusBar(TStatusBar* Value);
  // False: Ctrl+End does not move to the last record (End alone still works).
  bool KeyVK_END() const { return FKeyVK_END; }
  void SetKeyVK_END(bool Value) { FKeyVK_END = Value; }
  TVtDGDateEdit* Cont_DateEdit() const { return FDateEdit; }
  void SetCont_DateEdit(TVtDGDateEdit* Value);
  TVtDGCheckBox* Cont_CheckBox() const { return FCheckBox; }
  void SetCont_CheckBox(TVtDGCheckBox* Value);
  bool Azerice() const { return FAzerice; }
  void SetAzerice(bool Value) { FAzerice = Value; }

  TNotifyEvent OnCustomize;

  void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  void ColExit() override;

private:
  // Whether the overlay edits the current column's field and can take the focus.
  bool OverlayServesSelectedField(TWinControl* Overlay, const AnsiString& DataField) const;
  bool DateEditServes() const;
  bool CheckBoxServes() const;
  // Shows an overlay over the current cell, in the grid's colours.
  void PlaceOverlay(TWinControl* Overlay, const TRect& Cell);

  TStatusBar* FStatusBar = nullptr;
  TVtDGDateEdit* FDateEdit = nullptr;
  TVtDGCheckBox* FCheckBox = nullptr;
  bool FKeyVK_END = true;
  bool FAzerice = false;
};

// The date overlay: a date edit that hands Enter, Tab, Up and Down back to
// its grid.
class TVtDGDateEdit : public TDBDateEdit {
  DECLARE_CLASS(TVtDGDateEdit, TDBDateEdit)

public:
  explicit TVtDGDateEdit(TComponent* AOwner) : TDBDateEdit(AOwner) {}

  TVTRXDBGrid* DBGrid() const { return FDBGrid; }
  void SetDBGrid(TVTRXDBGrid* Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;

private:
  TVTRXDBGrid* FDBGrid = nullptr;
};

// The check-box overlay, checked for "1" and unchecked for "0". With a
// Caption2 of two texts joined by ";" it shows the first while checked and
// the second while unchecked.
class TVtDGCheckBox : public TDBCheckBox {
  DECLARE_CLASS(TVtDGCheckBox, TDBCheckBox)

public:
  explicit TVtDGCheckBox(TComponent* AOwner);

  TVTRXDBGrid* DBGrid() const { return FDBGrid; }
  void SetDBGrid(TVTRXDBGrid* Value);
  const AnsiString& Caption2() const { return FCaption2; }
  void SetCaption2(const AnsiString& Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;
  void Click() override;
  // Moves the box to its next state as a click does (the grid's Space).
  using TDBCheckBox::Toggle;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;

private:
  bool IsCheckedValueStored() { return ValueChecked() != "1"; }
  bool IsUncheckedValueStored() { return ValueUnchecked() != "0"; }

  TVTRXDBGrid* FDBGrid = nullptr;
  AnsiString FCaption2;
};
