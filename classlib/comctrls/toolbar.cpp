#include "classlib/comctrls/toolbar.h"

#include <algorithm>

#include "classlib/comctrls/comctrls.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/wintext.h"
#include "classlib/system/exceptions.h"

// ---- TToolButton -----------------------------------------------------------------------
BEGIN_PUBLISHED(TToolButton)
  PROPERTY(Action, ActionComponent, SetActionComponent),
  PROPERTY(AllowAllUp, AllowAllUp, SetAllowAllUp).Default(false),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Down, Down, SetDown).Default(false),
  PROPERTY(DropdownMenu, DropdownMenu, SetDropdownMenu),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Grouped, Grouped, SetGrouped).Default(false),
  PROPERTY(ImageIndex, ImageIndex, SetImageIndex).Default(-1),
  PROPERTY(Indeterminate, Indeterminate, SetIndeterminate).Default(false),
  PROPERTY(Marked, Marked, SetMarked).Default(false),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Style, Style, SetStyle).Default(tbsButton),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(Wrap, Wrap, SetWrap).Default(false),
  PROPERTY(OnClick, OnClick, OnClick),
END_PUBLISHED

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption};
  SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
  if (FToolBar != nullptr)
    FToolBar->RemoveButton(this);
}

void TToolButton::SetParent(TWinControl* AParent) {
  if (FToolBar != nullptr && AParent != FToolBar)
    FToolBar->RemoveButton(this);
  TGraphicControl::SetParent(AParent);
  if (auto* bar = dynamic_cast<TToolBar*>(AParent); bar != nullptr && bar != FToolBar)
    bar->InsertButton(this);
}

int TToolButton::Index() const {
  if (FToolBar == nullptr)
    return -1;
  const auto& buttons = FToolBar->FButtons;
  return static_cast<int>(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

void TToolButton::Changed() {
  if (FToolBar != nullptr)
    FToolBar->RecreateButtons();
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (FStyle == Value)
    return;
  FStyle = Value;
  if (Value == tbsSeparator || Value == tbsDivider)
    SetWidth(8);
  Changed();
}

void TToolButton::SetGrouped(bool Value) {
  if (FGrouped != Value) {
    FGrouped = Value;
    Changed();
  }
}

bool TToolButton::Down() const {
  if (FToolBar != nullptr && FToolBar->HandleAllocated())
    return SendMessageW(FToolBar->Handle(), TB_ISBUTTONCHECKED, static_cast<WPARAM>(Index()), 0) != 0;
  return FDown;
}

// Down on a grouped button puts the others of its group up.
void TToolButton::SetDown(bool Value) {
  FDown = Value;
  if (FToolBar == nullptr)
    return;
  if (Value && FGrouped) {
    int index = Index();
    auto grouped = [](TToolButton* b) { return b->FGrouped && b->FStyle == tbsCheck; };
    for (int i = index - 1; i >= 0 && grouped(FToolBar->FButtons[i]); --i)
      FToolBar->FButtons[i]->FDown = false;
    for (int i = index + 1; i < FToolBar->ButtonCount() && grouped(FToolBar->FButtons[i]); ++i)
      FToolBar->FButtons[i]->FDown = false;
  }
  if (FToolBar->HandleAllocated())
    SendMessageW(FToolBar->Handle(), TB_CHECKBUTTON, static_cast<WPARAM>(Index()), MAKELPARAM(Value, 0));
}

void TToolButton::SetIndeterminate(bool Value) {
  FIndeterminate = Value;
  if (FToolBar != nullptr)
    FToolBar->UpdateButtonState(this);
}

void TToolButton::SetMarked(bool Value) {
  FMarked = Value;
  if (FToolBar != nullptr)
    FToolBar->UpdateButtonState(this);
}

void TToolButton::SetWrap(bool Value) {
  if (FWrap != Value) {
    FWrap = Value;
    Changed();
  }
}

void TToolButton::SetImageIndex(int Value) {
  if (FImageIndex != Value) {
    FImageIndex = Value;
    Changed();
  }
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) {
  FDropdownMenu = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropdownMenu)
    FDropdownMenu = nullptr;
}

bool TToolButton::CheckMenuDropdown() {
  if (FDropdownMenu == nullptr || FToolBar == nullptr)
    return false;
  RECT r{};
  SendMessageW(FToolBar->Handle(), TB_GETITEMRECT, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&r));
  POINT p{r.left, r.bottom};
  ::ClientToScreen(FToolBar->Handle(), &p);
  FDropdownMenu->SetPopupComponent(this);
  FDropdownMenu->Popup(p.x, p.y);
  return true;
}

void TToolButton::CMHitTest(TMessage& Message) {
  Message.Result = ComponentState().Contains(csDesigning) ? HTCLIENT : HTNOWHERE;
}

void TToolButton::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  Changed();
}

void TToolButton::CMEnabledChanged(TMessage& Message) {
  TGraphicControl::CMEnabledChanged(Message);
  if (FToolBar != nullptr)
    FToolBar->UpdateButtonState(this);
}

void TToolButton::CMVisibleChanged(TMessage& Message) {
  TGraphicControl::CMVisibleChanged(Message);
  if (FToolBar != nullptr)
    FToolBar->UpdateButtonState(this);
}

// ---- TToolBar -------------------------------------------------------------------------
BEGIN_PUBLISHED(TToolBar)
  PROPERTY(Align, Align, SetAlign).Default(alTop),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(BorderWidth, BorderWidth, SetBorderWidth).Default(0),
  PROPERTY(ButtonHeight, ButtonHeight, SetButtonHeight).Default(22),
  PROPERTY(ButtonWidth, ButtonWidth, SetButtonWidth).Default(23),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Flat, Flat, SetFlat).Default(false),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Images, Images, SetImages),
  PROPERTY(List, List, SetList).Default(false),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowCaptions, ShowCaptions, SetShowCaptions).Default(false),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnResize, OnResize, OnResize),
END_PUBLISHED

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner), FImageChangeLink(new TChangeLink) {
  FControlStyle = TControlStyle{csAcceptsControls, csClickEvents, csDoubleClicks, csMenuEvents, csSetCaption};
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  FImageChangeLink->OnChange = Method<&TToolBar::ImageListChanged>(this);
}

// The buttons outlive this part of the object (the control frees its
// children later): they must not call back.
TToolBar::~TToolBar() {
  for (TToolButton* button : FButtons)
    button->FToolBar = nullptr;
  if (FImages != nullptr)
    FImages->UnRegisterChanges(FImageChangeLink.get());
}

TToolButton* TToolBar::Buttons(int Index) const {
  if (Index < 0 || Index >= ButtonCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FButtons[static_cast<std::size_t>(Index)];
}

void TToolBar::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, TOOLBARCLASSNAMEW);
  Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
  if (FFlat)
    Params.Style |= TBSTYLE_FLAT | TBSTYLE_TRANSPARENT;
  if (FList)
    Params.Style |= TBSTYLE_LIST;
}

void TToolBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(FHandle, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(FHandle, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  if (FImages != nullptr)
    SendMessageW(FHandle, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->Handle()));
  RecreateButtons();
}

void TToolBar::DestroyWnd() {
  ReadButtonStates();
  TWinControl::DestroyWnd();
}

void TToolBar::InsertButton(TToolButton* Button) {
  FButtons.push_back(Button);
  Button->FToolBar = this;
  RecreateButtons();
}

void TToolBar::RemoveButton(TToolButton* Button) {
  auto it = std::find(FButtons.begin(), FButtons.end(), Button);
  if (it == FButtons.end())
    return;
  ReadButtonStates();
  FButtons.erase(it);
  Button->FToolBar = nullptr;
  RecreateButtons();
}

BYTE TToolBar::ButtonState(TToolButton* Button) const {
  BYTE state = 0;
  if (Button->Enabled())
    state |= TBSTATE_ENABLED;
  if (Button->FDown)
    state |= TBSTATE_CHECKED;
  if (!Button->Visible() && !ComponentState().Contains(csDesigning))
    state |= TBSTATE_HIDDEN;
  if (Button->FIndeterminate)
    state |= TBSTATE_INDETERMINATE;
  if (Button->FMarked)
    state |= TBSTATE_MARKED;
  if (Button->FWrap)
    state |= TBSTATE_WRAP;
  return state;
}

BYTE TToolBar::ButtonStyle(TToolButton* Button) const {
  switch (Button->FStyle) {
    case tbsCheck: return Button->FGrouped ? BTNS_CHECKGROUP : BTNS_CHECK;
    case tbsDropDown: return BTNS_DROPDOWN;
    case tbsSeparator:
    case tbsDivider: return BTNS_SEP;
    case tbsButton: break;
  }
  return BTNS_BUTTON;
}

void TToolBar::ReadButtonStates() {
  if (!HandleAllocated())
    return;
  const int count = static_cast<int>(SendMessageW(FHandle, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count && i < ButtonCount(); ++i)
    FButtons[i]->FDown = SendMessageW(FHandle, TB_ISBUTTONCHECKED, i, 0) != 0;
}

// Button command ids are their places on the bar, so the bar is rebuilt
// whenever a button comes, goes or changes how it looks.
void TToolBar::RecreateButtons() {
  if (!HandleAllocated())
    return;
  SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
  while (SendMessageW(FHandle, TB_BUTTONCOUNT, 0, 0) > 0)
    SendMessageW(FHandle, TB_DELETEBUTTON, 0, 0);
  const bool images = FImages != nullptr;
  if (images)
    SendMessageW(FHandle, TB_SETBITMAPSIZE, 0, MAKELPARAM(FImages->Width(), FImages->Height()));
  else
    SendMessageW(FHandle, TB_SETBITMAPSIZE, 0, FShowCaptions ? MAKELPARAM(0, 0) : MAKELPARAM(16, 16));
  for (int i = 0; i < ButtonCount(); ++i) {
    TToolButton* button = FButtons[i];
    std::wstring caption = WideOf(button->Caption());
    TBBUTTON b{};
    b.idCommand = i;
    b.fsState = ButtonState(button);
    b.fsStyle = ButtonStyle(button);
    if (b.fsStyle == BTNS_SEP)
      b.iBitmap = button->Width();
    else
      b.iBitmap = images && button->FImageIndex >= 0 ? button->FImageIndex : I_IMAGENONE;
    b.iString = FShowCaptions && b.fsStyle != BTNS_SEP ? reinterpret_cast<INT_PTR>(caption.c_str()) : -1;
    SendMessageW(FHandle, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
  }
  // With captions the bar sizes the buttons to their texts.
  if (!FShowCaptions)
    SendMessageW(FHandle, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
  SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(FHandle, nullptr, TRUE);
  UpdateButtonBounds();
}

void TToolBar::UpdateButtonState(TToolButton* Button) {
  if (HandleAllocated())
    SendMessageW(FHandle, TB_SETSTATE, static_cast<WPARAM>(Button->Index()), MAKELPARAM(ButtonState(Button), 0));
}

void TToolBar::UpdateButtonBounds() {
  for (int i = 0; i < ButtonCount(); ++i) {
    RECT r{};
    if (SendMessageW(FHandle, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
      FButtons[i]->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
}

void TToolBar::SetImages(TImageList* Value) {
  if (FImages != nullptr)
    FImages->UnRegisterChanges(FImageChangeLink.get());
  FImages = Value;
  if (FImages != nullptr) {
    FImages->RegisterChanges(FImageChangeLink.get());
    FImages->FreeNotification(this);
  }
  ImageListChanged(nullptr);
}

void TToolBar::ImageListChanged(TObject*) {
  if (!HandleAllocated())
    return;
  SendMessageW(FHandle, TB_SETIMAGELIST, 0,
               reinterpret_cast<LPARAM>(FImages != nullptr ? FImages->Handle() : nullptr));
  RecreateButtons();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages)
    SetImages(nullptr);
}

void TToolBar::SetShowCaptions(bool Value) {
  if (FShowCaptions != Value) {
    FShowCaptions = Value;
    RecreateButtons();
  }
}

void TToolBar::SetFlat(bool Value) {
  if (FFlat != Value) {
    FFlat = Value;
    RecreateWnd();
  }
}

void TToolBar::SetList(bool Value) {
  if (FList != Value) {
    FList = Value;
    RecreateWnd();
  }
}

void TToolBar::SetButtonWidth(int Value) {
  if (FButtonWidth != Value) {
    FButtonWidth = Value;
    RecreateButtons();
  }
}

void TToolBar::SetButtonHeight(int Value) {
  if (FButtonHeight != Value) {
    FButtonHeight = Value;
    RecreateButtons();
  }
}

// The bar's window draws the buttons and takes their clicks, so a mouse move
// comes to the bar; the button there is what the mouse is over.
TControl* TToolBar::MouseTargetAt(int X, int Y) {
  if (!HandleAllocated() || ComponentState().Contains(csDesigning))
    return this;
  POINT at{X, Y};
  const auto index = static_cast<int>(SendMessageW(FHandle, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&at)));
  if (index < 0 || index >= ButtonCount())
    return this;
  TToolButton* button = FButtons[static_cast<std::size_t>(index)];
  if (button->Style() == tbsSeparator || button->Style() == tbsDivider)
    return this;
  return button;
}

void TToolBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_NOTIFY: CNNotify(Message); break;
    default: TWinControl::Dispatch(Message); break;
  }
}

// The bar toggled a check button before telling us: the objects learn the
// new states, then the button clicked hears of it.
void TToolBar::CNCommand(TMessage& Message) {
  int index = LOWORD(Message.WParam);
  ReadButtonStates();
  if (index >= 0 && index < ButtonCount())
    FButtons[index]->Click();
  Message.Result = 0;
}

void TToolBar::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  if (header->code == TBN_DROPDOWN) {
    int index = reinterpret_cast<NMTOOLBARW*>(Message.LParam)->iItem;
    if (index >= 0 && index < ButtonCount())
      FButtons[index]->CheckMenuDropdown();
    Message.Result = TBDDRET_DEFAULT;
    return;
  }
  DefaultHandler(Message);
}
