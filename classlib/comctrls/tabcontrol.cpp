#include "classlib/comctrls/tabcontrol.h"

#include "classlib/comctrls/comctrls.h"
#include "classlib/graphics/wintext.h"

IMPLEMENT_CLASS(TCustomTabControl)

BEGIN_PUBLISHED(TTabControl)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(HotTrack, HotTrack, SetHotTrack).Default(false),
  PROPERTY(Images, Images, SetImages),
  PROPERTY(MultiLine, MultiLine, SetMultiLine).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Style, Style, SetStyle).Default(tsTabs),
  PROPERTY(TabHeight, TabHeight, SetTabHeight).Default(0),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabPosition, TabPosition, SetTabPosition).Default(tpTop),
  PROPERTY(Tabs, Tabs, SetTabs),
  PROPERTY(TabIndex, TabIndex, SetTabIndex).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(TabWidth, TabWidth, SetTabWidth).Default(0),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnChanging, OnChanging, OnChanging),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseMove, OnMouseMove, OnMouseMove),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner), FTabs(new TStringList), FImageChangeLink(new TChangeLink) {
  FControlStyle = TControlStyle{csAcceptsControls, csDoubleClicks};
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  FTabs->OnChange = Method<&TCustomTabControl::TabsChanged>(this);
  FImageChangeLink->OnChange = Method<&TCustomTabControl::ImageListChanged>(this);
}

TCustomTabControl::~TCustomTabControl() { FTabs->OnChange = TNotifyEvent(); }

void TCustomTabControl::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_TAB_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TABCONTROLW);
  Params.Style |= WS_CLIPCHILDREN;
  if (FMultiLine)
    Params.Style |= TCS_MULTILINE;
  if (FHotTrack)
    Params.Style |= TCS_HOTTRACK;
  if (FTabWidth > 0 || FTabHeight > 0)
    Params.Style |= TCS_FIXEDWIDTH;
  switch (FTabPosition) {
    case tpTop: break;
    case tpBottom: Params.Style |= TCS_BOTTOM; break;
    case tpLeft: Params.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case tpRight: Params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
  }
  if (FStyle == tsButtons)
    Params.Style |= TCS_BUTTONS;
  else if (FStyle == tsFlatButtons)
    Params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS;
}

void TCustomTabControl::CreateWnd() {
  TWinControl::CreateWnd();
  if (FImages != nullptr)
    SendMessageW(FHandle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->Handle()));
  if (FTabWidth > 0 || FTabHeight > 0)
    SendMessageW(FHandle, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
  int index = FTabIndex;
  UpdateTabs();
  SendMessageW(FHandle, TCM_SETCURSEL, index, 0);
}

void TCustomTabControl::DestroyWnd() {
  FTabIndex = TabIndex();
  TWinControl::DestroyWnd();
}

void TCustomTabControl::UpdateTabs() {
  if (!HandleAllocated())
    return;
  int selected = static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
  SendMessageW(FHandle, TCM_DELETEALLITEMS, 0, 0);
  for (int i = 0; i < FTabs->Count(); ++i) {
    std::wstring text = WideOf(FTabs->Strings(i));
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = GetImageIndex(i);
    SendMessageW(FHandle, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (selected >= FTabs->Count())
    selected = FTabs->Count() - 1;
  SendMessageW(FHandle, TCM_SETCURSEL, selected, 0);
  Realign();
}

void TCustomTabControl::TabsChanged(TObject*) {
  if (HandleAllocated())
    UpdateTabs();
  else if (FTabIndex >= FTabs->Count())
    FTabIndex = FTabs->Count() - 1;
}

int TCustomTabControl::TabIndex() const {
  if (FHandle != nullptr)
    return static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
  return FTabIndex;
}

void TCustomTabControl::SetTabIndex(int Value) {
  if (Value < -1 || Value >= FTabs->Count())
    Value = -1;
  FTabIndex = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, TCM_SETCURSEL, Value, 0);
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  if (OnChanging)
    OnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Change() {
  if (OnChange)
    OnChange(this);
}

void TCustomTabControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY)
    CNNotify(Message);
  else
    TWinControl::Dispatch(Message);
}

void TCustomTabControl::CNNotify(TMessage& Message) {
  switch (reinterpret_cast<NMHDR*>(Message.LParam)->code) {
    case TCN_SELCHANGING: Message.Result = CanChange() ? 0 : 1; break;
    case TCN_SELCHANGE: Change(); break;
    default: DefaultHandler(Message); break;
  }
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) {
  TWinControl::AdjustClientRect(Rect);
  if (HandleAllocated())
    SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&Rect));
}

TRect TCustomTabControl::DisplayRect() {
  TRect r = ClientRect();
  AdjustClientRect(r);
  return r;
}

int TCustomTabControl::IndexOfTabAt(int X, int Y) {
  TCHITTESTINFO info{{X, Y}, 0};
  return static_cast<int>(SendMessageW(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

TRect TCustomTabControl::TabRect(int Index) {
  TRect r{};
  SendMessageW(Handle(), TCM_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomTabControl::SetMultiLine(bool Value) {
  if (FMultiLine != Value) {
    FMultiLine = Value;
    RecreateWnd();
  }
}

void TCustomTabControl::SetTabPosition(TTabPosition Value) {
  if (FTabPosition != Value) {
    FTabPosition = Value;
    RecreateWnd();
  }
}

void TCustomTabControl::SetStyle(TTabStyle Value) {
  if (FStyle != Value) {
    FStyle = Value;
    RecreateWnd();
  }
}

void TCustomTabControl::SetHotTrack(bool Value) {
  if (FHotTrack != Value) {
    FHotTrack = Value;
    RecreateWnd();
  }
}

void TCustomTabControl::SetTabHeight(int Value) {
  if (FTabHeight != Value) {
    FTabHeight = Value;
    RecreateWnd();
  }
}

void TCustomTabControl::SetTabWidth(int Value) {
  if (FTabWidth != Value) {
    FTabWidth = Value;
    RecreateWnd();
  }
}

void TCustomTabControl::SetImages(TImageList* Value) {
  if (FImages != nullptr)
    FImages->UnRegisterChanges(FImageChangeLink.get());
  FImages = Value;
  if (FImages != nullptr) {
    FImages->RegisterChanges(FImageChangeLink.get());
    FImages->FreeNotification(this);
  }
  ImageListChanged(nullptr);
}

void TCustomTabControl::ImageListChanged(TObject*) {
  if (!HandleAllocated())
    return;
  SendMessageW(FHandle, TCM_SETIMAGELIST, 0,
               reinterpret_cast<LPARAM>(FImages != nullptr ? FImages->Handle() : nullptr));
  UpdateTabs();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages)
    SetImages(nullptr);
}
