#include "classlib/stdctrls/listbox.h"

IMPLEMENT_CLASS(TCustomListBox)

BEGIN_PUBLISHED(TListBox)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).Default(bsSingle),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Columns, Columns, SetColumns).Default(0),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(ExtendedSelect, ExtendedSelect, SetExtendedSelect).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(IntegralHeight, IntegralHeight, SetIntegralHeight).Default(false),
  PROPERTY(ItemHeight, ItemHeight, SetItemHeight).Default(16),
  PROPERTY(Items, Items, SetItems),
  PROPERTY(MultiSelect, MultiSelect, SetMultiSelect).Default(false),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Sorted, Sorted, SetSorted).Default(false),
  PROPERTY(Style, Style, SetStyle).Default(lbStandard),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnDrawItem, OnDrawItem, OnDrawItem),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
  PROPERTY(OnMeasureItem, OnMeasureItem, OnMeasureItem),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TItemStrings>(this, ListBoxItemMessages)),
      FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"LISTBOX");
  Params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL | WS_HSCROLL;
  if (!FIntegralHeight)
    Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (FMultiSelect)
    Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (FStyle == lbOwnerDrawFixed)
    Params.Style |= LBS_OWNERDRAWFIXED;
  else if (FStyle == lbOwnerDrawVariable)
    Params.Style |= LBS_OWNERDRAWVARIABLE;
  if (FColumns > 0)
    Params.Style |= LBS_MULTICOLUMN;
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  FItems->FillWindow();
  if (FColumns > 0)
    SendMessageW(FHandle, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(Width() / FColumns), 0);
  if (FStyle == lbOwnerDrawFixed)
    SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  if (FKeptItemIndex >= 0)
    SetItemIndex(FKeptItemIndex);
}

void TCustomListBox::DestroyWnd() {
  FKeptItemIndex = ItemIndex();
  FCanvas->FreeDeviceContext();
  TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex() {
  if (!HandleAllocated())
    return FKeptItemIndex;
  UINT msg = FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL;
  int index = static_cast<int>(SendMessageW(FHandle, msg, 0, 0));
  if (FMultiSelect && (index >= FItems->Count() || !Selected(index)) && SelCount() == 0)
    return -1;
  return index;
}

void TCustomListBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count())
    Value = -1;
  if (!HandleAllocated()) {
    FKeptItemIndex = Value;
    return;
  }
  if (FMultiSelect) {
    SendMessageW(FHandle, LB_SETSEL, FALSE, -1);
    if (Value >= 0) {
      SendMessageW(FHandle, LB_SETSEL, TRUE, Value);
      SendMessageW(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(Value), FALSE);
    }
  } else {
    SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  }
  FClickedIndex = Value;
}

bool TCustomListBox::Selected(int Index) {
  if (Index < 0 || Index >= FItems->Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return SendMessageW(Handle(), LB_GETSEL, static_cast<WPARAM>(Index), 0) > 0;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= FItems->Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  if (FMultiSelect)
    SendMessageW(Handle(), LB_SETSEL, Value ? TRUE : FALSE, Index);
  else if (Value)
    SetItemIndex(Index);
  else if (ItemIndex() == Index)
    SetItemIndex(-1);
}

int TCustomListBox::SelCount() {
  if (!FMultiSelect)
    return ItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(SendMessageW(Handle(), LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value)
    return;
  FMultiSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value) {
  if (FExtendedSelect == Value)
    return;
  FExtendedSelect = Value;
  RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (FStyle == Value)
    return;
  FStyle = Value;
  RecreateWnd();
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || FItemHeight == Value)
    return;
  FItemHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetColumns(int Value) {
  if (Value < 0 || FColumns == Value)
    return;
  FColumns = Value;
  RecreateWnd();
}

void TCustomListBox::SetIntegralHeight(bool Value) {
  if (FIntegralHeight == Value)
    return;
  FIntegralHeight = Value;
  RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value)
    return;
  FBorderStyle = Value;
  RecreateWnd();
}

int TCustomListBox::TopIndex() { return static_cast<int>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0)); }

void TCustomListBox::SetTopIndex(int Value) { SendMessageW(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0); }

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) {
  TRect client = ClientRect();
  if (PtInRect(&client, Pos)) {
    for (int i = TopIndex(); i < FItems->Count(); ++i) {
      TRect r = ItemRect(i);
      if (r.top > client.bottom)
        break;
      if (PtInRect(&r, Pos))
        return i;
    }
  }
  return Existing ? -1 : FItems->Count();
}

TRect TCustomListBox::ItemRect(int Index) {
  TRect r{};
  if (Index >= 0 && Index < FItems->Count())
    SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    default: TWinControl::Dispatch(Message); break;
  }
}

// A selection made by the user (mouse or keys) is a click; one made by
// code is not. The window reports a key press that moved nothing (an arrow
// at the end of the list) too; a single-selection list clicks only when the
// selection really changed.
void TCustomListBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case LBN_SELCHANGE: {
      int index = ItemIndex();
      if (!FMultiSelect && index == FClickedIndex)
        break;
      FClickedIndex = index;
      Click();
      break;
    }
    case LBN_DBLCLK: DblClick(); break;
  }
}

void TCustomListBox::CNDrawItem(TMessage& Message) {
  auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TOwnerDrawState state = OwnerDrawStateOf(item.itemState);
  TItemPaintScope scope(*FCanvas, *this, item);
  if (static_cast<int>(item.itemID) >= 0 && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0)
    DrawItem(static_cast<int>(item.itemID), item.rcItem, state);
  else
    FCanvas->FillRect(item.rcItem);
  if ((item.itemState & ODS_FOCUS) != 0)
    FCanvas->DrawFocusRect(item.rcItem);
  Message.Result = 1;
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  if (OnDrawItem)
    OnDrawItem(this, Index, Rect, State);
  else
    DrawItemText(*FCanvas, Rect, FItems->Strings(Index));
}

void TCustomListBox::CNMeasureItem(TMessage& Message) {
  auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = FItemHeight;
  if (FStyle == lbOwnerDrawVariable)
    MeasureItem(static_cast<int>(item.itemID), height);
  item.itemHeight = static_cast<UINT>(height);
  Message.Result = 1;
}

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem)
    OnMeasureItem(this, Index, Height);
}
