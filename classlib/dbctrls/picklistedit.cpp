#include "classlib/dbctrls/picklistedit.h"

#include "classlib/dbctrls/dbgrid.h"
#include "classlib/stdctrls/listbox.h"

IMPLEMENT_CLASS(TInplacePickList)

namespace {
constexpr int MaxVisibleChoices = 7;
}

TInplacePickList::TInplacePickList(TComponent* AOwner) : TInplaceEdit(AOwner) {}

TInplacePickList::~TInplacePickList() {
  if (FList != nullptr)
    FList->Free();
}

bool TInplacePickList::ListVisible() const { return FList != nullptr && FList->Visible(); }

TStrings* TInplacePickList::PickList() const {
  auto* grid = dynamic_cast<TCustomDBGrid*>(Grid());
  if (grid == nullptr)
    return nullptr;
  int index = grid->SelectedIndex();
  if (index < 0 || index >= grid->VisibleColumnCount())
    return nullptr;
  TStrings* list = grid->VisibleColumns(index)->PickList();
  return list->Count() > 0 ? list : nullptr;
}

// The list stands on the grid's form, below the cell, over the other controls.
void TInplacePickList::DropDown() {
  TStrings* choices = PickList();
  TWinControl* host = Grid() != nullptr ? Grid()->TopLevelControl() : nullptr;
  if (choices == nullptr || host == nullptr || ListVisible())
    return;
  if (FList == nullptr) {
    FList = new TListBox(nullptr);
    FList->SetTabStop(false);
    FList->OnClick = [this](TObject*) { CloseUp(true); };
  }
  FList->SetParent(host);
  FList->Items()->Assign(choices);
  FList->SetItemIndex(choices->IndexOf(Text()));
  POINT corner = host->ScreenToClient(ClientToScreen(Point(0, Height())));
  int rows = std::min(choices->Count(), MaxVisibleChoices);
  FList->SetBounds(corner.x, corner.y, std::max(Width(), 60), rows * FList->ItemHeight() + 4);
  FList->SetVisible(true);
  FList->BringToFront();
}

void TInplacePickList::CloseUp(bool Accept) {
  if (!ListVisible())
    return;
  int index = FList->ItemIndex();
  AnsiString choice = index >= 0 ? FList->Items()->Strings(index) : AnsiString();
  FList->SetVisible(false);
  if (CanFocus())
    SetFocus();
  if (!Accept || index < 0 || Grid() == nullptr)
    return;
  auto* grid = static_cast<TCustomDBGrid*>(Grid());
  if (!grid->PickListChoiceAllowed())
    return;
  SetText(choice);
  SetModified(true);
  SelectAll();
}

void TInplacePickList::KeyDown(WORD& Key, TShiftState Shift) {
  bool toggle = (Key == VK_DOWN && Shift.Contains(ssAlt)) || Key == VK_F4;
  if (toggle && PickList() != nullptr) {
    if (ListVisible())
      CloseUp(false);
    else
      DropDown();
    Key = 0;
    return;
  }
  if (ListVisible() && (Key == VK_RETURN || Key == VK_ESCAPE)) {
    CloseUp(Key == VK_RETURN);
    FEatChar = true;
    Key = 0;
    return;
  }
  if (ListVisible() && (Key == VK_UP || Key == VK_DOWN)) {
    int index = FList->ItemIndex() + (Key == VK_DOWN ? 1 : -1);
    if (index >= 0 && index < FList->Items()->Count())
      FList->SetItemIndex(index);
    Key = 0;
    return;
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

void TInplacePickList::KeyPress(char& Key) {
  bool closing = Key == '\r' || Key == 27;
  if (FEatChar && closing) {
    FEatChar = false;
    Key = 0;
    return;
  }
  FEatChar = false;
  if (ListVisible() && closing) {
    CloseUp(Key == '\r');
    Key = 0;
    return;
  }
  TInplaceEdit::KeyPress(Key);
}

void TInplacePickList::DoExit() {
  if (ListVisible() && (FList == nullptr || !FList->Focused()))
    FList->SetVisible(false);
  TInplaceEdit::DoExit();
}
