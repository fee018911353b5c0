#include "classlib/stdctrls/itemstrings.h"

#include "classlib/graphics/wintext.h"

const TItemMessages ListBoxItemMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT};
const TItemMessages ComboBoxItemMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT};

IMPLEMENT_CLASS(TItemStrings)

TItemStrings::TItemStrings(TWinControl* Control, const TItemMessages& Messages)
    : FControl(Control), FMessages(Messages) {}

template <class Op>
auto TItemStrings::Mirrored(Op op) {
  ++FBusy;
  try {
    auto result = op();
    --FBusy;
    return result;
  } catch (...) {
    --FBusy;
    throw;
  }
}

void TItemStrings::WindowInsert(int index, const AnsiString& text) {
  if (FBusy > 1 || !FControl->HandleAllocated())
    return;
  std::wstring wide = WideOf(text);
  SendMessageW(FControl->Handle(), FMessages.InsertString, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(wide.c_str()));
}

// A sorted list that ignores a duplicate adds nothing: only a line really
// added reaches the window.
int TItemStrings::Add(const AnsiString& text) {
  return Mirrored([&] {
    int before = Count();
    int index = TStringList::Add(text);
    if (Count() > before)
      WindowInsert(index, text);
    return index;
  });
}

int TItemStrings::AddObject(const AnsiString& text, TObject* object) {
  return Mirrored([&] {
    int before = Count();
    int index = TStringList::AddObject(text, object);
    if (Count() > before)
      WindowInsert(index, text);
    return index;
  });
}

void TItemStrings::Insert(int index, const AnsiString& text) {
  Mirrored([&] {
    TStringList::Insert(index, text);
    WindowInsert(index, text);
    return 0;
  });
}

void TItemStrings::Delete(int index) {
  Mirrored([&] {
    TStringList::Delete(index);
    if (FBusy == 1 && FControl->HandleAllocated())
      SendMessageW(FControl->Handle(), FMessages.DeleteString, static_cast<WPARAM>(index), 0);
    return 0;
  });
}

void TItemStrings::Clear() {
  Mirrored([&] {
    TStringList::Clear();
    if (FBusy == 1 && FControl->HandleAllocated())
      SendMessageW(FControl->Handle(), FMessages.ResetContent, 0, 0);
    return 0;
  });
}

void TItemStrings::FillWindow() {
  HWND wnd = FControl->Handle();
  SendMessageW(wnd, FMessages.ResetContent, 0, 0);
  for (int i = 0; i < Count(); ++i) {
    std::wstring wide = WideOf(Get(i));
    SendMessageW(wnd, FMessages.InsertString, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

// Changes made without a mirrored operation (Put, Exchange, Sort, Assign,
// the end of an update) fill the window again.
void TItemStrings::Changed() {
  if (FBusy == 0 && UpdateCount() == 0 && FControl->HandleAllocated())
    FillWindow();
  TStringList::Changed();
}

void TItemStrings::SetUpdateState(bool updating) {
  if (FControl->HandleAllocated())
    SendMessageW(FControl->Handle(), WM_SETREDRAW, updating ? FALSE : TRUE, 0);
  TStringList::SetUpdateState(updating);
  if (!updating && FControl->HandleAllocated())
    InvalidateRect(FControl->Handle(), nullptr, TRUE);
}
