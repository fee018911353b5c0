#include "classlib/forms/menus.h"

#include <algorithm>
#include <unordered_set>

#include "classlib/controls/control.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/utilwindow.h"
#include "classlib/graphics/canvas.h"
#include "classlib/system/win/widestring.h"

namespace {

// Command numbers are 16-bit in WM_COMMAND; 0 means "no command".
class CommandPool {
public:
  int Allocate() {
    for (int tries = 0; tries < kLimit; ++tries) {
      next_ = next_ % (kLimit - 1) + 1;
      if (!used_[next_]) {
        used_[next_] = true;
        return next_;
      }
    }
    throw EMenuError("Out of menu command numbers");
  }
  void Release(int command) {
    if (command > 0 && command < kLimit)
      used_[command] = false;
  }

private:
  static constexpr int kLimit = 0x10000;
  std::vector<bool> used_ = std::vector<bool>(kLimit, false);
  int next_ = 0;
};

CommandPool& Commands() {
  static CommandPool pool;
  return pool;
}

// A control's popup menu on WM_CONTEXTMENU: shown for the control when AutoPopup.
bool ShowControlPopupMenu(TComponent* menu, TControl* control, TPoint screenPos) {
  auto* popup = dynamic_cast<TPopupMenu*>(menu);
  if (popup == nullptr || !popup->AutoPopup())
    return false;
  popup->SetPopupComponent(control);
  popup->Popup(screenPos.x, screenPos.y);
  return true;
}

const bool popupHookInstalled = [] {
  PopupMenuHook = &ShowControlPopupMenu;
  return true;
}();

std::unordered_set<const TMenuItem*>& LiveItems() {
  static std::unordered_set<const TMenuItem*> items;
  return items;
}

}  // namespace

TOwnerDrawState OwnerDrawStateOf(UINT itemState) {
  struct Pair {
    UINT bit;
    TOwnerDrawStateFlag flag;
  };
  static constexpr Pair pairs[] = {
      {ODS_SELECTED, odSelected}, {ODS_GRAYED, odGrayed},     {ODS_DISABLED, odDisabled},
      {ODS_CHECKED, odChecked},   {ODS_FOCUS, odFocused},     {ODS_DEFAULT, odDefault},
      {ODS_HOTLIGHT, odHotLight}, {ODS_INACTIVE, odInactive}, {ODS_NOACCEL, odNoAccel},
      {ODS_NOFOCUSRECT, odNoFocusRect}, {ODS_COMBOBOXEDIT, odComboBoxEdit}};
  TOwnerDrawState state;
  for (const Pair& p : pairs)
    if (itemState & p.bit)
      state.Include(p.flag);
  return state;
}

// ---- TMenuItem -------------------------------------------------------------------
BEGIN_PUBLISHED(TMenuItem)
  PROPERTY(Break, Break, SetBreak).Default(mbNone),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Checked, Checked, SetChecked).Default(false),
  PROPERTY(Default, Default, SetDefault).Default(false),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(GroupIndex, GroupIndex, SetGroupIndex).Default(0),
  PROPERTY(Hint, Hint, SetHint),
  PROPERTY(ImageIndex, ImageIndex, SetImageIndex).Default(-1),
  PROPERTY(RadioItem, RadioItem, SetRadioItem).Default(false),
  PROPERTY(ShortCut, ShortCut, SetShortCut).Default(0),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDrawItem, OnDrawItem, OnDrawItem),
  PROPERTY(OnAdvancedDrawItem, OnAdvancedDrawItem, OnAdvancedDrawItem),
  PROPERTY(OnMeasureItem, OnMeasureItem, OnMeasureItem),
END_PUBLISHED

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(Commands().Allocate()) {
  LiveItems().insert(this);
}

TMenuItem::~TMenuItem() {
  LiveItems().erase(this);
  delete actionLink_;
  actionLink_ = nullptr;
  // Children go with their parent; each one's destructor takes it out of items_.
  while (!items_.empty())
    items_.back()->Free();
  if (parent_ != nullptr)
    parent_->Remove(this);
  DestroyHandle();
  Commands().Release(command_);
}

TMenuItem* TMenuItem::FromItemData(ULONG_PTR data) {
  auto* item = reinterpret_cast<TMenuItem*>(data);
  return LiveItems().count(item) != 0 ? item : nullptr;
}

void TMenuItem::CheckIndex(int Index, bool inserting) const {
  const int limit = inserting ? Count() : Count() - 1;
  if (Index < 0 || Index > limit)
    throw EMenuError("Menu index out of range");
}

TMenuItem* TMenuItem::Items(int Index) const {
  CheckIndex(Index, false);
  return items_[Index];
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->parent_ != nullptr)
    root = root->parent_;
  return root->menu_;
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::SetMenuIndex(int Value) {
  if (parent_ == nullptr)
    return;
  TMenuItem* parent = parent_;
  const int count = parent->Count();
  Value = std::clamp(Value, 0, count - 1);
  if (Value == MenuIndex())
    return;
  parent->items_.erase(parent->items_.begin() + MenuIndex());
  parent->items_.insert(parent->items_.begin() + Value, this);
  parent->MenuChanged(true);
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (Item == nullptr)
    return;
  if (Item->parent_ != nullptr)
    throw EMenuError("Menu inserted twice");
  CheckIndex(Index, true);
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
  RebuildHandle();
  // The first child gives this item a submenu in its parent's entry.
  if (parent_ != nullptr && Count() == 1)
    parent_->RebuildHandle();
  if (TMenu* menu = GetParentMenu())
    menu->MenuChanged(this, true);
}

void TMenuItem::Delete(int Index) {
  CheckIndex(Index, false);
  TMenuItem* item = items_[Index];
  items_.erase(items_.begin() + Index);
  item->parent_ = nullptr;
  RebuildHandle();
  if (parent_ != nullptr && Count() == 0)
    parent_->RebuildHandle();
  if (TMenu* menu = GetParentMenu())
    menu->MenuChanged(this, true);
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int index = IndexOf(Item);
  if (index < 0)
    throw EMenuError("Sub-menu is not in menu");
  Delete(index);
}

void TMenuItem::Clear() {
  while (!items_.empty())
    items_.back()->Free();
}

TMenuItem* TMenuItem::FindCommand(int Command) {
  if (command_ == Command)
    return this;
  for (TMenuItem* child : items_)
    if (TMenuItem* found = child->FindCommand(Command))
      return found;
  return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut Key) {
  for (TMenuItem* child : items_) {
    if (child->shortCut_ == Key && Key != 0)
      return child;
    if (TMenuItem* found = child->FindShortCut(Key))
      return found;
  }
  return nullptr;
}

void TMenuItem::Click() {
  if (!enabled_)
    return;
  if (actionLink_ != nullptr && actionLink_->Execute(this))
    return;
  if (OnClick)
    OnClick(this);
}

void TMenuItem::SetCaption(const AnsiString& Value) {
  if (caption_ == Value)
    return;
  caption_ = Value;
  MenuChanged(true);
}

void TMenuItem::SetChecked(bool Value) {
  if (checked_ == Value)
    return;
  checked_ = Value;
  // A checked radio item unchecks the others of its group.
  if (Value && radioItem_ && parent_ != nullptr)
    for (TMenuItem* sibling : parent_->items_)
      if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
        sibling->checked_ = false;
  MenuChanged(true);
}

void TMenuItem::SetEnabled(bool Value) {
  if (enabled_ == Value)
    return;
  enabled_ = Value;
  MenuChanged(true);
}

void TMenuItem::SetVisible(bool Value) {
  if (visible_ == Value)
    return;
  visible_ = Value;
  MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value) {
  if (default_ == Value)
    return;
  if (Value && parent_ != nullptr)
    for (TMenuItem* sibling : parent_->items_)
      sibling->default_ = false;
  default_ = Value;
  MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool Value) {
  if (radioItem_ == Value)
    return;
  radioItem_ = Value;
  MenuChanged(true);
}

void TMenuItem::SetGroupIndex(int Value) {
  if (groupIndex_ == Value)
    return;
  groupIndex_ = Value;
  MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut Value) {
  if (shortCut_ == Value)
    return;
  shortCut_ = Value;
  MenuChanged(true);
}

void TMenuItem::SetImageIndex(int Value) {
  if (imageIndex_ == Value)
    return;
  imageIndex_ = Value;
  MenuChanged(true);
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  if (break_ == Value)
    return;
  break_ = Value;
  MenuChanged(true);
}

TBasicAction* TMenuItem::Action() const { return actionLink_ != nullptr ? actionLink_->Action() : nullptr; }

void TMenuItem::SetAction(TBasicAction* Value) {
  if (Value == nullptr) {
    delete actionLink_;
    actionLink_ = nullptr;
    return;
  }
  if (actionLink_ == nullptr)
    actionLink_ = new TMenuActionLink(this);
  actionLink_->SetAction(Value);
  Value->FreeNotification(this);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && actionLink_ != nullptr && AComponent == actionLink_->Action())
    SetAction(nullptr);
}

HMENU TMenuItem::Handle() {
  if (handle_ == nullptr) {
    handle_ = menu_ != nullptr ? menu_->CreateMenuHandle() : CreatePopupMenu();
    if (handle_ == nullptr)
      RaiseLastOSError();
    RebuildHandle();
  }
  return handle_;
}

void TMenuItem::DestroyHandle() {
  if (handle_ == nullptr)
    return;
  // Take the children's menus out first, so DestroyMenu does not free them.
  while (GetMenuItemCount(handle_) > 0)
    RemoveMenu(handle_, 0, MF_BYPOSITION);
  DestroyMenu(handle_);
  handle_ = nullptr;
}

void TMenuItem::MenuChanged(bool Rebuild) {
  TMenuItem* scope = parent_ != nullptr ? parent_ : this;
  if (Rebuild)
    scope->RebuildHandle();
  if (TMenu* menu = GetParentMenu())
    menu->MenuChanged(this, Rebuild);
}

bool TMenuItem::IsOwnerDraw() const {
  if (OnDrawItem || OnAdvancedDrawItem || OnMeasureItem)
    return true;
  TMenu* menu = GetParentMenu();
  return menu != nullptr && menu->OwnerDraw();
}

bool TMenuItem::IsBarItem() const {
  return parent_ != nullptr && parent_->menu_ != nullptr && parent_->menu_->InheritsFrom(TMainMenu::StaticClass());
}

AnsiString TMenuItem::EntryText() const {
  // The bar shows captions only; drop-down entries show their shortcut on the right.
  if (shortCut_ == 0 || IsBarItem())
    return caption_;
  return caption_ + "\t" + ShortCutToText(shortCut_);
}

void TMenuItem::RebuildHandle() {
  if (handle_ == nullptr)
    return;
  while (GetMenuItemCount(handle_) > 0)
    RemoveMenu(handle_, 0, MF_BYPOSITION);
  for (TMenuItem* child : items_)
    if (child->visible_)
      child->AppendTo(handle_);
  if (menu_ != nullptr && menu_->WindowHandle() != nullptr && menu_->InheritsFrom(TMainMenu::StaticClass()))
    DrawMenuBar(menu_->WindowHandle());
}

void TMenuItem::RebuildTree() {
  RebuildHandle();
  for (TMenuItem* child : items_)
    child->RebuildTree();
}

void TMenuItem::AppendTo(HMENU menu) {
  std::wstring text = AnsiToWide(EntryText());
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU;
  info.wID = static_cast<UINT>(command_);
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  if (IsLine()) {
    info.fType = MFT_SEPARATOR;
  } else {
    info.fMask |= MIIM_STRING;
    info.dwTypeData = text.data();
    info.cch = static_cast<UINT>(text.size());
    if (radioItem_)
      info.fType |= MFT_RADIOCHECK;
    if (IsOwnerDraw())
      info.fType |= MFT_OWNERDRAW;
  }
  if (break_ == mbBreak)
    info.fType |= MFT_MENUBREAK;
  else if (break_ == mbBarBreak)
    info.fType |= MFT_MENUBARBREAK;
  if (checked_)
    info.fState |= MFS_CHECKED;
  if (!enabled_)
    info.fState |= MFS_GRAYED;
  if (default_)
    info.fState |= MFS_DEFAULT;
  info.hSubMenu = items_.empty() ? nullptr : Handle();
  InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
}

void TMenuItem::MeasureItem(TCanvas& ACanvas, int& Width, int& Height) {
  if (IsLine()) {
    Height = 5;
    Width = 10;
  } else {
    SIZE extent = ACanvas.TextExtent(EntryText());
    Width = extent.cx + 2 * GetSystemMetrics(SM_CXMENUCHECK) + 8;
    Height = std::max<int>(extent.cy + 4, GetSystemMetrics(SM_CYMENUCHECK));
  }
  if (OnMeasureItem)
    OnMeasureItem(this, &ACanvas, Width, Height);
}

void TMenuItem::DoDrawText(TCanvas& ACanvas, const AnsiString& Text, RECT& Rect, bool Selected, UINT Flags) {
  ACanvas.Brush().SetStyle(bsClear);
  if (!enabled_)
    ACanvas.Font().SetColor(clGrayText);
  else if (Selected)
    ACanvas.Font().SetColor(clHighlightText);
  ACanvas.TextRect(Rect, Text, Flags);
}

void TMenuItem::AdvancedDrawItem(TCanvas& ACanvas, const RECT& ARect, TOwnerDrawState State, bool TopLevel) {
  if (OnAdvancedDrawItem) {
    OnAdvancedDrawItem(this, &ACanvas, ARect, State);
    return;
  }
  const bool selected = State.Contains(odSelected);
  if (OnDrawItem) {
    OnDrawItem(this, &ACanvas, ARect, selected);
    return;
  }
  ACanvas.Brush().SetColor(selected ? clHighlight : clMenu);
  ACanvas.FillRect(ARect);
  RECT r = ARect;
  if (IsLine()) {
    r.top += (r.bottom - r.top) / 2;
    DrawEdge(ACanvas.Handle(), &r, EDGE_ETCHED, BF_TOP);
    return;
  }
  r.left += TopLevel ? 6 : GetSystemMetrics(SM_CXMENUCHECK) + 4;
  DoDrawText(ACanvas, caption_, r, selected, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (shortCut_ != 0 && !TopLevel) {
    r.right -= 8;
    DoDrawText(ACanvas, ShortCutToText(shortCut_), r, selected, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
}

// ---- TMenu -------------------------------------------------------------------------
BEGIN_PUBLISHED(TMenu)
  PROPERTY(AutoMerge, AutoMerge, SetAutoMerge).Default(false),
  PROPERTY(OwnerDraw, OwnerDraw, SetOwnerDraw).Default(false),
END_PUBLISHED

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(nullptr)) { items_->menu_ = this; }

TMenu::~TMenu() {
  items_->menu_ = nullptr;
  // The root's HMENU was made by CreateMenuHandle; it is destroyed with it.
  items_->Free();
}

void TMenu::SetWindowHandle(HWND Value) {
  window_ = Value;
  if (window_ != nullptr && InheritsFrom(TMainMenu::StaticClass()))
    DrawMenuBar(window_);
}

void TMenu::SetOwnerDraw(bool Value) {
  if (ownerDraw_ == Value)
    return;
  ownerDraw_ = Value;
  items_->RebuildTree();
}

void TMenu::SetImages(TImageList* Value) { images_ = Value; }

bool TMenu::DispatchCommand(WORD Command) {
  TMenuItem* item = Command != 0 ? items_->FindCommand(Command) : nullptr;
  if (item == nullptr)
    return false;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(TShortCut Key) {
  TMenuItem* item = items_->FindShortCut(Key);
  if (item == nullptr)
    return false;
  // Every item on the way must be enabled and visible for the key to count.
  for (TMenuItem* p = item; p != nullptr && p != items_; p = p->Parent())
    if (!p->Enabled() || !p->Visible())
      return false;
  item->Click();
  return true;
}

void TMenu::MenuChanged(TMenuItem* Source, bool Rebuild) {
  if (OnChange)
    OnChange(this);
}

// ---- TMainMenu -------------------------------------------------------------------
IMPLEMENT_CLASS(TMainMenu)

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}

HMENU TMainMenu::CreateMenuHandle() { return CreateMenu(); }

void TMainMenu::MenuChanged(TMenuItem* Source, bool Rebuild) {
  if (WindowHandle() != nullptr && Items()->HandleAllocated())
    DrawMenuBar(WindowHandle());
  TMenu::MenuChanged(Source, Rebuild);
}

// ---- TPopupMenu ------------------------------------------------------------------
BEGIN_PUBLISHED(TPopupMenu)
  PROPERTY(Alignment, Alignment, SetAlignment).Default(paLeft),
  PROPERTY(AutoPopup, AutoPopup, SetAutoPopup).Default(true),
  PROPERTY(OnPopup, OnPopup, OnPopup),
END_PUBLISHED

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() { SetPopupComponent(nullptr); }

HMENU TPopupMenu::CreateMenuHandle() { return CreatePopupMenu(); }

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (popupComponent_ == Value)
    return;
  if (popupComponent_ != nullptr)
    popupComponent_->RemoveFreeNotification(this);
  popupComponent_ = Value;
  if (popupComponent_ != nullptr)
    popupComponent_->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenu::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupComponent_)
    popupComponent_ = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender) {
  if (OnPopup)
    OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y) {
  popupPoint_ = POINT{X, Y};
  DoPopup(this);
  static constexpr UINT kAlign[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
  HWND owner = PopupListWindow();
  SetWindowHandle(owner);
  // The owner must be foreground, or the menu would not close on an outside click.
  SetForegroundWindow(owner);
  const UINT command = static_cast<UINT>(TrackPopupMenuEx(
      Handle(), kAlign[alignment_] | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, X, Y, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  if (command != 0)
    DispatchCommand(static_cast<WORD>(command));
}

// ---- Owner draw and the popup window ----------------------------------------------
bool DispatchMenuOwnerDraw(UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_MEASUREITEM) {
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(LParam);
    if (mis == nullptr || mis->CtlType != ODT_MENU)
      return false;
    TMenuItem* item = TMenuItem::FromItemData(mis->itemData);
    if (item == nullptr)
      return false;
    HDC dc = GetDC(nullptr);
    {
      TCanvas canvas(dc, TCanvasOwnership::Borrows);
      NONCLIENTMETRICSW metrics{};
      metrics.cbSize = sizeof(metrics);
      if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        canvas.Font().SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
      int width = 0, height = 0;
      item->MeasureItem(canvas, width, height);
      mis->itemWidth = static_cast<UINT>(std::max(width, 0));
      mis->itemHeight = static_cast<UINT>(std::max(height, 0));
    }
    ReleaseDC(nullptr, dc);
    return true;
  }
  if (Msg == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(LParam);
    if (dis == nullptr || dis->CtlType != ODT_MENU)
      return false;
    TMenuItem* item = TMenuItem::FromItemData(dis->itemData);
    if (item == nullptr)
      return false;
    const int saved = SaveDC(dis->hDC);
    {
      TCanvas canvas(dis->hDC, TCanvasOwnership::Borrows);
      item->AdvancedDrawItem(canvas, dis->rcItem, OwnerDrawStateOf(dis->itemState), item->IsBarItem());
    }
    RestoreDC(dis->hDC, saved);
    return true;
  }
  return false;
}

HWND PopupListWindow() {
  static TUtilWindow window([](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (DispatchMenuOwnerDraw(msg, wParam, lParam)) {
      result = TRUE;
      return true;
    }
    return false;
  });
  return window.Handle();
}
