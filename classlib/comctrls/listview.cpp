#include "classlib/comctrls/listview.h"

#include <algorithm>

#include "classlib/comctrls/comctrls.h"
#include "classlib/graphics/wintext.h"
#include "classlib/system/exceptions.h"

namespace {

constexpr int kUnchecked = 1;  // state image of an unchecked box
constexpr int kChecked = 2;

int ColumnFormat(TAlignment Alignment) {
  switch (Alignment) {
    case taRightJustify: return LVCFMT_RIGHT;
    case taCenter: return LVCFMT_CENTER;
    case taLeftJustify: break;
  }
  return LVCFMT_LEFT;
}

// False when the window refused the change (OnChanging).
bool SetItemText(HWND Wnd, int Index, int SubItem, const AnsiString& Text) {
  std::wstring wide = WideOf(Text);
  LVITEMW item{};
  item.iSubItem = SubItem;
  item.pszText = wide.data();
  return SendMessageW(Wnd, LVM_SETITEMTEXTW, Index, reinterpret_cast<LPARAM>(&item)) != 0;
}

}  // namespace

// ---- TListColumn ------------------------------------------------------------------------
BEGIN_PUBLISHED(TListColumn)
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Width, Width, SetWidth).Default(50),
END_PUBLISHED

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}

void TListColumn::SetCaption(const AnsiString& Value) {
  if (FCaption != Value) {
    FCaption = Value;
    Changed(false);
  }
}

int TListColumn::Width() const {
  auto* columns = static_cast<TListColumns*>(Collection());
  if (columns != nullptr && columns->Owner()->HandleAllocated())
    return static_cast<int>(SendMessageW(columns->Owner()->Handle(), LVM_GETCOLUMNWIDTH, Index(), 0));
  return FWidth;
}

void TListColumn::SetWidth(int Value) {
  FWidth = Value;
  Changed(false);
}

void TListColumn::SetAlignment(TAlignment Value) {
  if (FAlignment != Value) {
    FAlignment = Value;
    Changed(false);
  }
}

void TListColumn::Assign(TPersistent* Source) {
  if (auto* column = dynamic_cast<TListColumn*>(Source)) {
    FCaption = column->FCaption;
    FWidth = column->Width();
    FAlignment = column->FAlignment;
    Changed(false);
    return;
  }
  TCollectionItem::Assign(Source);
}

AnsiString TListColumn::GetDisplayName() { return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption; }

// ---- TListColumns -----------------------------------------------------------------------
IMPLEMENT_CLASS(TListColumns)

TListColumns::TListColumns(TCustomListView* Owner) : TCollection(TListColumn::StaticClass()), FOwner(Owner) {}

TPersistent* TListColumns::GetOwner() { return FOwner; }

void TListColumns::Update(TCollectionItem* Item) {
  if (Item != nullptr)
    FOwner->UpdateColumn(Item->Index());
  else
    FOwner->UpdateColumns();
}

// ---- TListItem ---------------------------------------------------------------------------
IMPLEMENT_CLASS(TListItem)

TListItem::TListItem(TListItems* Owner) : FOwner(Owner), FSubItems(new TStringList) {
  FSubItems->OnChange = Method<&TListItem::SubItemsChanged>(this);
}

TListItem::~TListItem() { FSubItems->OnChange = TNotifyEvent(); }

TCustomListView* TListItem::ListView() const { return FOwner->Owner(); }

int TListItem::Index() const { return FOwner->IndexOf(this); }

int TListItem::WindowIndex() const { return ListView()->HandleAllocated() ? Index() : -1; }

bool TListItem::HasState(UINT Mask) const {
  return (SendMessageW(ListView()->Handle(), LVM_GETITEMSTATE, Index(), Mask) & Mask) != 0;
}

void TListItem::SetState(UINT Mask, UINT State) {
  LVITEMW item{};
  item.stateMask = Mask;
  item.state = State;
  SendMessageW(ListView()->Handle(), LVM_SETITEMSTATE, Index(), reinterpret_cast<LPARAM>(&item));
}

// The window may refuse (OnChanging): the caption stays what it shows.
void TListItem::SetCaption(const AnsiString& Value) {
  if (int index = WindowIndex(); index < 0 || SetItemText(ListView()->Handle(), index, 0, Value))
    FCaption = Value;
}

void TListItem::SubItemsChanged(TObject*) {
  int index = WindowIndex();
  if (index < 0)
    return;
  const int count = std::max(FSubItems->Count(), ListView()->Columns()->Count() - 1);
  for (int i = 0; i < count; ++i)
    SetItemText(ListView()->Handle(), index, i + 1, i < FSubItems->Count() ? FSubItems->Strings(i) : "");
}

bool TListItem::Checked() const {
  if (WindowIndex() < 0)
    return FChecked;
  auto state = static_cast<UINT>(SendMessageW(ListView()->Handle(), LVM_GETITEMSTATE, Index(), LVIS_STATEIMAGEMASK));
  return (state >> 12) == kChecked;
}

// The window may refuse (OnChanging): the object keeps what the window shows.
void TListItem::SetChecked(bool Value) {
  FChecked = Value;
  if (WindowIndex() >= 0) {
    SetState(LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(Value ? kChecked : kUnchecked));
    FChecked = Checked();
  }
}

bool TListItem::Selected() const { return WindowIndex() >= 0 ? HasState(LVIS_SELECTED) : FSelected; }

void TListItem::SetSelected(bool Value) {
  FSelected = Value;
  if (WindowIndex() >= 0)
    SetState(LVIS_SELECTED, Value ? LVIS_SELECTED : 0);
}

bool TListItem::Focused() const { return WindowIndex() >= 0 ? HasState(LVIS_FOCUSED) : FFocused; }

void TListItem::SetFocused(bool Value) {
  FFocused = Value;
  if (WindowIndex() >= 0)
    SetState(LVIS_FOCUSED, Value ? LVIS_FOCUSED : 0);
}

void TListItem::SetImageIndex(int Value) {
  if (int index = WindowIndex(); index >= 0) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    item.iImage = Value;
    if (SendMessageW(ListView()->Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) == 0)
      return;
  }
  FImageIndex = Value;
}

bool TListItem::EditCaption() {
  TCustomListView* view = ListView();
  if (view->FReadOnly)
    return false;
  HWND wnd = view->Handle();
  ::SetFocus(wnd);
  return SendMessageW(wnd, LVM_EDITLABELW, Index(), 0) != 0;
}

void TListItem::MakeVisible(bool PartialOK) {
  SendMessageW(ListView()->Handle(), LVM_ENSUREVISIBLE, Index(), PartialOK ? TRUE : FALSE);
}

void TListItem::Delete() { FOwner->Delete(Index()); }

void TListItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TListItem*>(Source)) {
    SetCaption(item->FCaption);
    SetImageIndex(item->FImageIndex);
    FData = item->FData;
    FSubItems->Assign(item->FSubItems.get());
    SetChecked(item->Checked());
    return;
  }
  TPersistent::Assign(Source);
}

// ---- TListItems ----------------------------------------------------------------------------
IMPLEMENT_CLASS(TListItems)

TListItems::TListItems(TCustomListView* Owner) : FOwner(Owner) {}

TListItems::~TListItems() {
  for (TListItem* item : FItems)
    delete item;
}

TPersistent* TListItems::GetOwner() { return FOwner; }

TListItem* TListItems::Item(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FItems[static_cast<std::size_t>(Index)];
}

int TListItems::IndexOf(const TListItem* Value) const {
  auto it = std::find(FItems.begin(), FItems.end(), Value);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int Index) {
  Index = std::clamp(Index, 0, Count());
  auto* item = new TListItem(this);
  FItems.insert(FItems.begin() + Index, item);
  if (FOwner->HandleAllocated())
    FOwner->InsertWindowItem(item, Index);
  return item;
}

void TListItems::Delete(int Index) {
  TListItem* item = Item(Index);
  if (FOwner->HandleAllocated()) {
    ++FOwner->FQuiet;
    SendMessageW(FOwner->Handle(), LVM_DELETEITEM, Index, 0);
    --FOwner->FQuiet;
  }
  FItems.erase(FItems.begin() + Index);
  delete item;
}

void TListItems::Clear() {
  if (FOwner->HandleAllocated()) {
    ++FOwner->FQuiet;
    SendMessageW(FOwner->Handle(), LVM_DELETEALLITEMS, 0, 0);
    --FOwner->FQuiet;
  }
  std::vector<TListItem*> items;
  items.swap(FItems);
  for (TListItem* item : items)
    delete item;
}

void TListItems::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated())
    SendMessageW(FOwner->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0)
    return;
  if (FOwner->HandleAllocated()) {
    SendMessageW(FOwner->Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FOwner->Handle(), nullptr, TRUE);
  }
}

void TListItems::Assign(TPersistent* Source) {
  if (auto* items = dynamic_cast<TListItems*>(Source)) {
    BeginUpdate();
    Clear();
    for (TListItem* item : items->FItems)
      Add()->Assign(item);
    EndUpdate();
    return;
  }
  TPersistent::Assign(Source);
}

// ---- TCustomListView -----------------------------------------------------------------------
IMPLEMENT_CLASS(TCustomListView)

BEGIN_PUBLISHED(TListView)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Checkboxes, Checkboxes, SetCheckboxes).Default(false),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Columns, Columns, SetColumns),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(GridLines, GridLines, SetGridLines).Default(false),
  PROPERTY(HideSelection, HideSelection, SetHideSelection).Default(true),
  PROPERTY(LargeImages, LargeImages, SetLargeImages),
  PROPERTY(MultiSelect, MultiSelect, SetMultiSelect).Default(false),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(RowSelect, RowSelect, SetRowSelect).Default(false),
  PROPERTY(ShowColumnHeaders, ShowColumnHeaders, SetShowColumnHeaders).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(SmallImages, SmallImages, SetSmallImages),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(ViewStyle, ViewStyle, SetViewStyle).Default(vsIcon),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnChanging, OnChanging, OnChanging),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnEdited, OnEdited, OnEdited),
  PROPERTY(OnEditing, OnEditing, OnEditing),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
  PROPERTY(OnSelectItem, OnSelectItem, OnSelectItem),
END_PUBLISHED

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner),
      FColumns(new TListColumns(this)),
      FItems(new TListItems(this)),
      FImageChangeLink(new TChangeLink) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks};
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  FImageChangeLink->OnChange = [this](TObject*) { SetImageLists(); };
}

TCustomListView::~TCustomListView() {
  if (FSmallImages != nullptr)
    FSmallImages->UnRegisterChanges(FImageChangeLink.get());
  if (FLargeImages != nullptr)
    FLargeImages->UnRegisterChanges(FImageChangeLink.get());
}

void TCustomListView::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_LISTVIEW_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_LISTVIEWW);
  static constexpr DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
  Params.Style |= kViews[FViewStyle] | LVS_SHAREIMAGELISTS;
  if (!FReadOnly)
    Params.Style |= LVS_EDITLABELS;
  if (!FMultiSelect)
    Params.Style |= LVS_SINGLESEL;
  if (!FHideSelection)
    Params.Style |= LVS_SHOWSELALWAYS;
  if (!FShowColumnHeaders)
    Params.Style |= LVS_NOCOLUMNHEADER;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd() {
  TWinControl::CreateWnd();
  ++FQuiet;
  SendMessageW(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ExtendedStyle());
  SendMessageW(FHandle, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  SendMessageW(FHandle, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  --FQuiet;
  SetImageLists();
  UpdateColumns();
  for (int i = 0; i < FItems->Count(); ++i)
    InsertWindowItem(FItems->Item(i), i);
}

// What the user set in the window survives a new window.
void TCustomListView::DestroyWnd() {
  for (int i = 0; i < FColumns->Count(); ++i)
    FColumns->Items(i)->FWidth = FColumns->Items(i)->Width();
  for (TListItem* item : FItems->FItems) {
    item->FChecked = item->Checked();
    item->FSelected = item->Selected();
    item->FFocused = item->Focused();
  }
  TWinControl::DestroyWnd();
}

DWORD TCustomListView::ExtendedStyle() const {
  DWORD style = 0;
  if (FCheckboxes)
    style |= LVS_EX_CHECKBOXES;
  if (FGridLines)
    style |= LVS_EX_GRIDLINES;
  if (FRowSelect)
    style |= LVS_EX_FULLROWSELECT;
  return style;
}

// Switching check boxes on resets every box in the window: the items'
// states are put back afterwards.
void TCustomListView::UpdateExtendedStyle() {
  if (!HandleAllocated())
    return;
  for (TListItem* item : FItems->FItems)
    item->FChecked = item->Checked();
  ++FQuiet;
  SendMessageW(FHandle, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ExtendedStyle());
  if (FCheckboxes)
    for (TListItem* item : FItems->FItems)
      item->SetState(LVIS_STATEIMAGEMASK, INDEXTOSTATEIMAGEMASK(item->FChecked ? kChecked : kUnchecked));
  --FQuiet;
}

void TCustomListView::UpdateColumns() {
  if (!HandleAllocated())
    return;
  while (SendMessageW(FHandle, LVM_DELETECOLUMN, 0, 0))
    ;
  for (int i = 0; i < FColumns->Count(); ++i) {
    TListColumn* column = FColumns->Items(i);
    std::wstring caption = WideOf(column->Caption());
    LVCOLUMNW lvc{};
    lvc.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    lvc.fmt = ColumnFormat(column->Alignment());
    lvc.cx = column->FWidth;
    lvc.pszText = caption.data();
    lvc.iSubItem = i;
    SendMessageW(FHandle, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&lvc));
  }
  for (TListItem* item : FItems->FItems)
    item->SubItemsChanged(nullptr);
}

void TCustomListView::UpdateColumn(int Index) {
  if (!HandleAllocated())
    return;
  if (Index >= static_cast<int>(SendMessageW(ListView_GetHeader(FHandle), HDM_GETITEMCOUNT, 0, 0))) {
    UpdateColumns();
    return;
  }
  TListColumn* column = FColumns->Items(Index);
  std::wstring caption = WideOf(column->Caption());
  LVCOLUMNW lvc{};
  lvc.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
  lvc.fmt = ColumnFormat(column->Alignment());
  lvc.cx = column->FWidth;
  lvc.pszText = caption.data();
  SendMessageW(FHandle, LVM_SETCOLUMNW, Index, reinterpret_cast<LPARAM>(&lvc));
}

void TCustomListView::InsertWindowItem(TListItem* Item, int Index) {
  ++FQuiet;
  std::wstring caption = WideOf(Item->FCaption);
  LVITEMW lvi{};
  lvi.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  lvi.iItem = Index;
  lvi.pszText = caption.data();
  lvi.iImage = Item->FImageIndex;
  lvi.lParam = reinterpret_cast<LPARAM>(Item);
  SendMessageW(FHandle, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&lvi));
  Item->SubItemsChanged(nullptr);
  UINT state = (Item->FSelected ? LVIS_SELECTED : 0) | (Item->FFocused ? LVIS_FOCUSED : 0);
  UINT mask = LVIS_SELECTED | LVIS_FOCUSED;
  if (FCheckboxes) {
    state |= INDEXTOSTATEIMAGEMASK(Item->FChecked ? kChecked : kUnchecked);
    mask |= LVIS_STATEIMAGEMASK;
  }
  Item->SetState(mask, state);
  --FQuiet;
}

void TCustomListView::SetImageLists() {
  if (!HandleAllocated())
    return;
  SendMessageW(FHandle, LVM_SETIMAGELIST, LVSIL_SMALL,
               reinterpret_cast<LPARAM>(FSmallImages != nullptr ? FSmallImages->Handle() : nullptr));
  SendMessageW(FHandle, LVM_SETIMAGELIST, LVSIL_NORMAL,
               reinterpret_cast<LPARAM>(FLargeImages != nullptr ? FLargeImages->Handle() : nullptr));
}

void TCustomListView::SetSmallImages(TImageList* Value) {
  if (FSmallImages != nullptr)
    FSmallImages->UnRegisterChanges(FImageChangeLink.get());
  FSmallImages = Value;
  if (Value != nullptr) {
    Value->RegisterChanges(FImageChangeLink.get());
    Value->FreeNotification(this);
  }
  SetImageLists();
}

void TCustomListView::SetLargeImages(TImageList* Value) {
  if (FLargeImages != nullptr)
    FLargeImages->UnRegisterChanges(FImageChangeLink.get());
  FLargeImages = Value;
  if (Value != nullptr) {
    Value->RegisterChanges(FImageChangeLink.get());
    Value->FreeNotification(this);
  }
  SetImageLists();
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FSmallImages)
    SetSmallImages(nullptr);
  if (AComponent == FLargeImages)
    SetLargeImages(nullptr);
}

void TCustomListView::SetViewStyle(TViewStyle Value) {
  if (FViewStyle == Value)
    return;
  FViewStyle = Value;
  if (HandleAllocated()) {
    static constexpr DWORD kViews[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    SetWindowLongPtrW(FHandle, GWL_STYLE, (style & ~static_cast<LONG_PTR>(LVS_TYPEMASK)) | kViews[Value]);
  }
}

void TCustomListView::SetCheckboxes(bool Value) {
  if (FCheckboxes != Value) {
    FCheckboxes = Value;
    UpdateExtendedStyle();
  }
}

void TCustomListView::SetGridLines(bool Value) {
  if (FGridLines != Value) {
    FGridLines = Value;
    UpdateExtendedStyle();
  }
}

void TCustomListView::SetRowSelect(bool Value) {
  if (FRowSelect != Value) {
    FRowSelect = Value;
    UpdateExtendedStyle();
  }
}

void TCustomListView::SetReadOnly(bool Value) {
  if (FReadOnly != Value) {
    FReadOnly = Value;
    RecreateWnd();
  }
}

void TCustomListView::SetMultiSelect(bool Value) {
  if (FMultiSelect != Value) {
    FMultiSelect = Value;
    RecreateWnd();
  }
}

void TCustomListView::SetHideSelection(bool Value) {
  if (FHideSelection != Value) {
    FHideSelection = Value;
    RecreateWnd();
  }
}

void TCustomListView::SetShowColumnHeaders(bool Value) {
  if (FShowColumnHeaders != Value) {
    FShowColumnHeaders = Value;
    RecreateWnd();
  }
}

TListItem* TCustomListView::ItemOfIndex(int Index) const {
  return Index >= 0 && Index < FItems->Count() ? FItems->FItems[static_cast<std::size_t>(Index)] : nullptr;
}

TListItem* TCustomListView::Selected() const {
  if (FHandle == nullptr) {
    for (TListItem* item : FItems->FItems)
      if (item->FSelected)
        return item;
    return nullptr;
  }
  return ItemOfIndex(static_cast<int>(SendMessageW(FHandle, LVM_GETNEXTITEM, -1, LVNI_SELECTED)));
}

void TCustomListView::SetSelected(TListItem* Value) {
  for (TListItem* item : FItems->FItems)
    if (item != Value && item->Selected())
      item->SetSelected(false);
  if (Value != nullptr) {
    Value->SetSelected(true);
    Value->SetFocused(true);
  }
}

TListItem* TCustomListView::ItemFocused() const {
  if (FHandle == nullptr) {
    for (TListItem* item : FItems->FItems)
      if (item->FFocused)
        return item;
    return nullptr;
  }
  return ItemOfIndex(static_cast<int>(SendMessageW(FHandle, LVM_GETNEXTITEM, -1, LVNI_FOCUSED)));
}

void TCustomListView::SetItemFocused(TListItem* Value) {
  if (Value != nullptr)
    Value->SetFocused(true);
  else if (TListItem* focused = ItemFocused())
    focused->SetFocused(false);
}

int TCustomListView::SelCount() const {
  if (FHandle != nullptr)
    return static_cast<int>(SendMessageW(FHandle, LVM_GETSELECTEDCOUNT, 0, 0));
  return static_cast<int>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(),
                                        [](TListItem* item) { return item->FSelected; }));
}

TListItem* TCustomListView::GetItemAt(int X, int Y) {
  LVHITTESTINFO info{};
  info.pt = POINT{X, Y};
  int index = static_cast<int>(SendMessageW(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  return (info.flags & LVHT_ONITEM) != 0 ? ItemOfIndex(index) : nullptr;
}

bool TCustomListView::IsEditing() const {
  return FHandle != nullptr && SendMessageW(FHandle, LVM_GETEDITCONTROL, 0, 0) != 0;
}

bool TCustomListView::CanChange(TListItem* Item, TItemChange Change) {
  bool allow = true;
  if (OnChanging)
    OnChanging(this, Item, Change, allow);
  return allow;
}

void TCustomListView::Change(TListItem* Item, TItemChange Change) {
  if (OnChange)
    OnChange(this, Item, Change);
}

bool TCustomListView::CanEdit(TListItem* Item) {
  bool allow = !FReadOnly;
  if (allow && OnEditing)
    OnEditing(this, Item, allow);
  return allow;
}

void TCustomListView::Edit(TListItem* Item, AnsiString& Text) {
  if (OnEdited)
    OnEdited(this, Item, Text);
}

void TCustomListView::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY)
    CNNotify(Message);
  else
    TWinControl::Dispatch(Message);
}

namespace {

TItemChange ChangeOf(UINT Changed) {
  if (Changed & LVIF_TEXT)
    return ctText;
  if (Changed & LVIF_IMAGE)
    return ctImage;
  return ctState;
}

}  // namespace

void TCustomListView::ItemChanging(TMessage& Message) {
  auto* nm = reinterpret_cast<NMLISTVIEW*>(Message.LParam);
  Message.Result = CanChange(ItemOfIndex(nm->iItem), ChangeOf(nm->uChanged)) ? 0 : 1;
}

void TCustomListView::ItemChanged(TMessage& Message) {
  auto* nm = reinterpret_cast<NMLISTVIEW*>(Message.LParam);
  TListItem* item = ItemOfIndex(nm->iItem);
  Change(item, ChangeOf(nm->uChanged));
  if ((nm->uChanged & LVIF_STATE) != 0 && ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED) != 0 && OnSelectItem)
    OnSelectItem(this, item, (nm->uNewState & LVIS_SELECTED) != 0);
}

void TCustomListView::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  const bool quiet = FQuiet > 0 || ComponentState().Contains(csDestroying);
  switch (header->code) {
    case LVN_ITEMCHANGING:
      if (!quiet)
        ItemChanging(Message);
      return;
    case LVN_ITEMCHANGED:
      if (!quiet)
        ItemChanged(Message);
      return;
    case LVN_BEGINLABELEDITW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(Message.LParam);
      TListItem* item = ItemOfIndex(info->item.iItem);
      Message.Result = item != nullptr && CanEdit(item) ? 0 : 1;
      return;
    }
    case LVN_ENDLABELEDITW: {
      auto* info = reinterpret_cast<NMLVDISPINFOW*>(Message.LParam);
      TListItem* item = ItemOfIndex(info->item.iItem);
      // A cancelled edit has no text; an accepted one may be changed by
      // OnEdited before it becomes the caption.
      if (item != nullptr && info->item.pszText != nullptr) {
        AnsiString text = AnsiOf(info->item.pszText);
        Edit(item, text);
        item->SetCaption(text);
      }
      Message.Result = 0;
      return;
    }
  }
  DefaultHandler(Message);
}
