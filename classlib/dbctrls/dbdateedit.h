// TDBDateEdit: a one-line edit of a date field with a drop-down calendar.
//
// It edits the field as TDBEdit does. F4 or Alt+Down drops a month calendar
// down below the edit, starting at the edit's date (today when it has none);
// a date clicked there, or the calendar's date on Enter, goes into the field
// (putting the data set into edit mode first) and closes the calendar. Esc,
// F4, Alt+Up and leaving the edit close it without a change.
#pragma once
#include "classlib/dbctrls/dbedit.h"
#include "classlib/system/datetime.h"

class TDBDateEdit : public TDBEdit {
  DECLARE_CLASS(TDBDateEdit, TDBEdit)

public:
  explicit TDBDateEdit(TComponent* AOwner);
  ~TDBDateEdit() override;

  // Whether the calendar is dropped down.
  bool PopupVisible() const { return FCalendar != nullptr; }
  void DropDown();
  // Closes the calendar; with Accept its date goes into the field.
  void CloseUp(bool Accept);

  void Dispatch(TMessage& Message) override;

protected:
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void DestroyWnd() override;

private:
  // The date the calendar opens at: the field's, else today's.
  TDateTime StartDate() const;
  void AcceptDate(TDateTime Date);
  bool CalendarNotification(TMessage& Message);

  HWND FCalendar = nullptr;
  bool FSwallowChar = false;
};
