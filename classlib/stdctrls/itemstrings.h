// The item list of a list box or combo box. The lines live in the list
// itself and are mirrored into the control's window whenever it has one,
// so items set before the window exists, or kept across RecreateWnd, are
// never lost. Objects stay with their lines and never reach the window.
#pragma once
#include "classlib/classes/strings.h"
#include "classlib/controls/wincontrol.h"

// The messages of the window class that holds the items.
struct TItemMessages {
  UINT InsertString;  // LB_INSERTSTRING / CB_INSERTSTRING
  UINT DeleteString;
  UINT ResetContent;
};

extern const TItemMessages ListBoxItemMessages;
extern const TItemMessages ComboBoxItemMessages;

class TItemStrings : public TStringList {
  DECLARE_CLASS(TItemStrings, TStringList)

public:
  TItemStrings(TWinControl* Control, const TItemMessages& Messages);

  int Add(const AnsiString& text) override;
  int AddObject(const AnsiString& text, TObject* object) override;
  void Insert(int index, const AnsiString& text) override;
  void Delete(int index) override;
  void Clear() override;
  // Fills the control's (new) window with every line.
  void FillWindow();

protected:
  void Changed() override;
  void SetUpdateState(bool updating) override;

private:
  // Runs a change of the list with the window kept in step by hand
  // (Changed then leaves the window alone).
  template <class Op>
  auto Mirrored(Op op);
  void WindowInsert(int index, const AnsiString& text);

  TWinControl* FControl;
  const TItemMessages& FMessages;
  int FBusy = 0;
};
