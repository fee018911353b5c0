// TInplaceEdit: the borderless edit a grid places over its current cell.
//
// It belongs to the grid: the keys that move between cells (Up, Down,
// PgUp, PgDn, Tab with goTabs, Left and Right at the ends of the text, Ctrl
// with Home or End) go on to the grid; Enter ends the edit and Esc cancels
// it. Characters the grid refuses (CanEditAcceptKey) or typing into a cell
// that cannot change (CanEditModify) are dropped. When the editor loses
// the focus its text is written to the cell.
#pragma once
#include "classlib/controls/stdctrls.h"

class TCustomGrid;

class TInplaceEdit : public TCustomEdit {
  DECLARE_CLASS(TInplaceEdit, TCustomEdit)

public:
  explicit TInplaceEdit(TComponent* AOwner);

  TCustomGrid* Grid() const { return FGrid; }
  // Places the editor over a cell rectangle of the grid and shows it.
  void Move(const TRect& Loc);
  // Hides the editor (the grid keeps it for the next edit).
  void Hide();
  // Takes the text of the grid's current cell and selects it.
  void UpdateContents();

  void Dispatch(TMessage& Message) override;

protected:
  friend class TCustomGrid;

  void CreateParams(TCreateParams& Params) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

private:
  // Whether a key down moves the grid rather than the caret.
  bool ForGrid(WORD Key, TShiftState Shift);
  void SetGrid(TCustomGrid* Value) { FGrid = Value; }

  TCustomGrid* FGrid = nullptr;
};
