#include "classlib/comctrls/pagecontrol.h"

#include <algorithm>

#include "classlib/system/exceptions.h"

// ---- TTabSheet ------------------------------------------------------------------
BEGIN_PUBLISHED(TTabSheet)
  PROPERTY(BorderWidth, BorderWidth, SetBorderWidth).Default(0),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ImageIndex, ImageIndex, SetImageIndex).Default(-1),
  PROPERTY(PageIndex, PageIndex, SetPageIndex).Stored(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabVisible, TabVisible, SetTabVisible).Default(true),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnHide, OnHide, OnHide),
  PROPERTY(OnShow, OnShow, OnShow),
END_PUBLISHED

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csClickEvents, csSetCaption, csDoubleClicks};
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() {
  if (FPageControl != nullptr)
    FPageControl->RemovePage(this);
}

void TTabSheet::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (FPageControl == Value)
    return;
  if (FPageControl != nullptr)
    FPageControl->RemovePage(this);
  SetParent(Value);
  if (Value != nullptr)
    Value->InsertPage(this);
}

// A sheet read from a stream joins the page control it was written in.
void TTabSheet::SetParentComponent(TComponent* Value) {
  if (auto* pages = dynamic_cast<TPageControl*>(Value))
    SetPageControl(pages);
  else
    TWinControl::SetParentComponent(Value);
}

int TTabSheet::PageIndex() const {
  if (FPageControl == nullptr)
    return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (FPageControl != nullptr)
    FPageControl->MovePage(this, Value);
}

int TTabSheet::TabIndex() const {
  if (FPageControl == nullptr || !FTabVisible)
    return -1;
  int index = 0;
  for (TTabSheet* page : FPageControl->FPages) {
    if (page == this)
      return index;
    if (page->FTabVisible)
      ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value)
    return;
  FTabVisible = Value;
  if (FPageControl != nullptr)
    FPageControl->UpdatePageTabs();
}

void TTabSheet::SetImageIndex(int Value) {
  if (FImageIndex == Value)
    return;
  FImageIndex = Value;
  if (FPageControl != nullptr)
    FPageControl->UpdateTab(this);
}

void TTabSheet::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  if (FPageControl != nullptr)
    FPageControl->UpdateTab(this);
}

void TTabSheet::CMShowingChanged(TMessage& Message) {
  TWinControl::CMShowingChanged(Message);
  if (Showing()) {
    if (OnShow)
      OnShow(this);
  } else if (OnHide) {
    OnHide(this);
  }
}

// ---- TPageControl ---------------------------------------------------------------
BEGIN_PUBLISHED(TPageControl)
  PROPERTY(ActivePage, ActivePage, SetActivePage),
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

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {
  FControlStyle = TControlStyle{csDoubleClicks};
}

// The sheets outlive this part of the object (the control frees its
// children later): they must not call back.
TPageControl::~TPageControl() {
  for (TTabSheet* page : FPages)
    page->FPageControl = nullptr;
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FPages[static_cast<std::size_t>(Index)];
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  UpdatePageTabs();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end())
    return;
  TTabSheet* next = FActivePage == Page ? FindNextPage(Page, true, !ComponentState().Contains(csDesigning)) : nullptr;
  if (next == Page)
    next = nullptr;
  FPages.erase(it);
  Page->FPageControl = nullptr;
  if (FActivePage == Page) {
    FActivePage = nullptr;
    if (!ComponentState().Contains(csDestroying))
      SetActivePage(next);
  }
  UpdatePageTabs();
}

void TPageControl::MovePage(TTabSheet* Page, int NewIndex) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end())
    return;
  FPages.erase(it);
  NewIndex = std::clamp(NewIndex, 0, PageCount());
  FPages.insert(FPages.begin() + NewIndex, Page);
  UpdatePageTabs();
}

void TPageControl::UpdatePageTabs() {
  Tabs()->BeginUpdate();
  Tabs()->Clear();
  for (TTabSheet* page : FPages)
    if (page->FTabVisible)
      Tabs()->AddObject(page->Caption(), page);
  Tabs()->EndUpdate();
  SetTabIndex(FActivePage != nullptr ? FActivePage->TabIndex() : -1);
}

void TPageControl::UpdateTab(TTabSheet* Page) {
  int index = Page->TabIndex();
  if (index >= 0)
    Tabs()->SetStrings(index, Page->Caption());
}

int TPageControl::GetImageIndex(int TabIndex) {
  if (TabIndex >= 0 && TabIndex < Tabs()->Count())
    return static_cast<TTabSheet*>(Tabs()->Objects(TabIndex))->ImageIndex();
  return -1;
}

void TPageControl::CreateWnd() {
  TCustomTabControl::CreateWnd();
  SetTabIndex(FActivePage != nullptr ? FActivePage->TabIndex() : -1);
}

void TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (FActivePage == Page)
    return;
  TTabSheet* old = FActivePage;
  bool hadFocus = old != nullptr && old->HandleAllocated() && IsChild(old->Handle(), GetFocus());
  FActivePage = Page;
  if (Page != nullptr) {
    Page->BringToFront();
    Page->SetVisible(true);
  }
  if (old != nullptr)
    old->SetVisible(false);
  if (hadFocus && CanFocus())
    SetFocus();
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page != nullptr && Page->FPageControl != this)
    return;
  ChangeActivePage(Page);
  SetTabIndex(Page != nullptr ? Page->TabIndex() : -1);
}

int TPageControl::ActivePageIndex() const { return FActivePage != nullptr ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<std::size_t>(Value)] : nullptr);
}

// The user picked a tab: its sheet comes up.
void TPageControl::Change() {
  int index = TabIndex();
  ChangeActivePage(index >= 0 && index < Tabs()->Count() ? static_cast<TTabSheet*>(Tabs()->Objects(index))
                                                         : nullptr);
  TCustomTabControl::Change();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) {
  if (FPages.empty())
    return nullptr;
  const int count = PageCount();
  auto it = std::find(FPages.begin(), FPages.end(), CurPage);
  int start = it == FPages.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
  int i = start;
  for (int step = 0; step < count; ++step) {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TTabSheet* page = FPages[static_cast<std::size_t>(i)];
    if (!CheckTabVisible || page->FTabVisible)
      return page;
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
  TTabSheet* page = FindNextPage(FActivePage, GoForward, CheckTabVisible);
  if (page != nullptr && page != FActivePage && CanChange()) {
    SetActivePage(page);
    TCustomTabControl::Change();
  }
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the pages while the focus is on the
// control or inside it.
void TPageControl::CMDialogKey(TMessage& Message) {
  if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && HandleAllocated() &&
      (GetFocus() == FHandle || IsChild(FHandle, GetFocus()))) {
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    Message.Result = 1;
    return;
  }
  TCustomTabControl::CMDialogKey(Message);
}

void TPageControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TTabSheet* page : FPages)
    Proc(page);
}
