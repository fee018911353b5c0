#include "classlib/stdctrls/combobox.h"

#include "classlib/graphics/wintext.h"

IMPLEMENT_CLASS(TCustomComboBox)

BEGIN_PUBLISHED(TComboBox)
  PROPERTY(Style, Style, SetStyle).Default(csDropDown),
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(DropDownCount, DropDownCount, SetDropDownCount).Default(8),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ItemHeight, ItemHeight, SetItemHeight).Default(16),
  PROPERTY(MaxLength, MaxLength, SetMaxLength).Default(0),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Sorted, Sorted, SetSorted).Default(false),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Text, Text, SetText),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnCloseUp, OnCloseUp, OnCloseUp),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnDrawItem, OnDrawItem, OnDrawItem),
  PROPERTY(OnDropDown, OnDropDown, OnDropDown),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnKeyPress, OnKeyPress, OnKeyPress),
  PROPERTY(OnKeyUp, OnKeyUp, OnKeyUp),
  PROPERTY(OnMeasureItem, OnMeasureItem, OnMeasureItem),
  PROPERTY(Items, Items, SetItems),
END_PUBLISHED

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TItemStrings>(this, ComboBoxItemMessages)),
      FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetParentColor(false);
}

TCustomComboBox::~TCustomComboBox() = default;

// The window's height includes the dropped-down list.
void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, L"COMBOBOX");
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
  static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  Params.Style |= styles[FStyle];
  if (FStyle != csSimple)
    Params.Height = Height() + FItemHeight * FDropDownCount + 2;
}

void TCustomComboBox::CreateWnd() {
  AnsiString text = FText;
  TWinControl::CreateWnd();
  FItems->FillWindow();
  if (FMaxLength > 0)
    SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FKeptItemIndex >= 0)
    SetItemIndex(FKeptItemIndex);
  else if (HasEdit() && !text.empty())
    SetWindowTextW(FHandle, WideOf(text).c_str());
  SizeDropDown();
}

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  SizeDropDown();
}

void TCustomComboBox::SizeDropDown() {
  if (!HandleAllocated() || FStyle == csSimple)
    return;
  int height = Height() + FItemHeight * FDropDownCount + 2;
  SetWindowPos(FHandle, nullptr, 0, 0, Width(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::DestroyWnd() {
  FKeptItemIndex = ItemIndex();
  FCanvas->FreeDeviceContext();
  TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() {
  if (!HandleAllocated())
    return FKeptItemIndex;
  return static_cast<int>(SendMessageW(FHandle, CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= FItems->Count())
    Value = -1;
  if (!HandleAllocated()) {
    FKeptItemIndex = Value;
    FText = Value >= 0 ? FItems->Strings(Value) : AnsiString();
    return;
  }
  SendMessageW(FHandle, CB_SETCURSEL, static_cast<WPARAM>(Value), 0);
  FChangedIndex = Value;
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value)
    return;
  FStyle = Value;
  RecreateWnd();
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value <= 0 || FItemHeight == Value)
    return;
  FItemHeight = Value;
  if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable)
    RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int Value) {
  FMaxLength = Value < 0 ? 0 : Value;
  if (HandleAllocated())
    SendMessageW(FHandle, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

bool TCustomComboBox::DroppedDown() {
  return HandleAllocated() && SendMessageW(FHandle, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) {
  SendMessageW(Handle(), CB_SHOWDROPDOWN, Value ? TRUE : FALSE, 0);
}

int TCustomComboBox::SelStart() {
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TCustomComboBox::SelLength() {
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomComboBox::SelectAll() { SendMessageW(Handle(), CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF)); }

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetText("");
}

void TCustomComboBox::Change() {
  if (OnChange)
    OnChange(this);
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    case CN_MEASUREITEM: CNMeasureItem(Message); break;
    default: TWinControl::Dispatch(Message); break;
  }
}

// The edit part shows the picked item only after the notification, so the
// text is put there first for OnChange to read.
void TCustomComboBox::CNCommand(TMessage& Message) {
  switch (HIWORD(Message.WParam)) {
    case CBN_DBLCLK: DblClick(); break;
    case CBN_EDITCHANGE:
      FChangedIndex = -1;
      Change();
      break;
    case CBN_DROPDOWN:
      if (OnDropDown)
        OnDropDown(this);
      break;
    case CBN_CLOSEUP:
      if (OnCloseUp)
        OnCloseUp(this);
      break;
    case CBN_SELCHANGE: {
      // The window reports an arrow at the end of the list as well.
      int index = ItemIndex();
      if (index == FChangedIndex)
        break;
      FChangedIndex = index;
      if (HasEdit() && index >= 0)
        SetWindowTextW(FHandle, WideOf(FItems->Strings(index)).c_str());
      Click();
      Change();
      break;
    }
  }
}

void TCustomComboBox::CNDrawItem(TMessage& Message) {
  auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  TOwnerDrawState state = OwnerDrawStateOf(item.itemState);
  TItemPaintScope scope(*FCanvas, *this, item);
  if (static_cast<int>(item.itemID) >= 0)
    DrawItem(static_cast<int>(item.itemID), item.rcItem, state);
  else
    FCanvas->FillRect(item.rcItem);
  if ((item.itemState & ODS_FOCUS) != 0)
    FCanvas->DrawFocusRect(item.rcItem);
  Message.Result = 1;
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  if (OnDrawItem)
    OnDrawItem(this, Index, Rect, State);
  else
    DrawItemText(*FCanvas, Rect, FItems->Strings(Index));
}

void TCustomComboBox::CNMeasureItem(TMessage& Message) {
  auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = FItemHeight;
  if (FStyle == csOwnerDrawVariable && static_cast<int>(item.itemID) >= 0)
    MeasureItem(static_cast<int>(item.itemID), height);
  item.itemHeight = static_cast<UINT>(height);
  Message.Result = 1;
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem)
    OnMeasureItem(this, Index, Height);
}
