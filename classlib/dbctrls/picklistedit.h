// TInplacePickList: the in-place editor of a data grid, which for a column
// with a PickList drops a list of its choices below the cell (Alt+Down or
// F4). While the list is down, Up and Down move in it, Enter takes the
// choice into the cell (editing the record like typing would), Esc and a
// second Alt+Down close it; a click on a choice takes it.
#pragma once
#include "classlib/grids/inplaceedit.h"

class TCustomDBGrid;
class TListBox;
class TStrings;

class TInplacePickList : public TInplaceEdit {
  DECLARE_CLASS(TInplacePickList, TInplaceEdit)

public:
  explicit TInplacePickList(TComponent* AOwner);
  ~TInplacePickList() override;

  bool ListVisible() const;
  // The list of the column being edited, or nullptr.
  TStrings* PickList() const;
  void DropDown();
  void CloseUp(bool Accept);

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DoExit() override;

private:
  TListBox* FList = nullptr;
  // Enter or Esc closed the list on key down: their character is dropped.
  bool FEatChar = false;
};
