#include "classlib/comctrls/treeview.h"

#include <algorithm>

#include "classlib/comctrls/comctrls.h"
#include "classlib/graphics/wintext.h"
#include "classlib/system/exceptions.h"

namespace {

bool IsInside(const TTreeNode* Node, const TTreeNode* Ancestor) {
  for (; Node != nullptr; Node = Node->Parent())
    if (Node == Ancestor)
      return true;
  return false;
}

}  // namespace

// ---- TTreeNode -----------------------------------------------------------------------
IMPLEMENT_CLASS(TTreeNode)

TTreeNode::TTreeNode(TTreeNodes* Owner, TTreeNode* Parent) : FOwner(Owner), FParent(Parent) {}

TTreeNode::~TTreeNode() {
  for (TTreeNode* child : FChildren)
    delete child;
}

TCustomTreeView* TTreeNode::TreeView() const { return FOwner->Owner(); }

std::vector<TTreeNode*>& TTreeNode::Siblings() const {
  return FParent != nullptr ? FParent->FChildren : FOwner->FRoots;
}

TTreeNode* TTreeNode::Item(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FChildren[static_cast<std::size_t>(Index)];
}

int TTreeNode::Index() const {
  const auto& siblings = Siblings();
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* p = FParent; p != nullptr; p = p->FParent)
    ++level;
  return level;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& siblings = Siblings();
  auto it = std::find(siblings.begin(), siblings.end(), this);
  return it != siblings.end() && it + 1 != siblings.end() ? *(it + 1) : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty())
    return FChildren.front();
  for (const TTreeNode* node = this; node != nullptr; node = node->FParent)
    if (TTreeNode* next = node->GetNextSibling())
      return next;
  return nullptr;
}

void TTreeNode::SetText(const AnsiString& Value) {
  FText = Value;
  TreeView()->UpdateWindowNode(this);
}

void TTreeNode::SetImageIndex(int Value) {
  FImageIndex = Value;
  TreeView()->UpdateWindowNode(this);
}

void TTreeNode::SetSelectedIndex(int Value) {
  FSelectedIndex = Value;
  TreeView()->UpdateWindowNode(this);
}

bool TTreeNode::Selected() const { return TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool Value) {
  if (Value)
    TreeView()->SetSelected(this);
  else if (Selected())
    TreeView()->SetSelected(nullptr);
}

bool TTreeNode::Expanded() const {
  if (FItem == nullptr)
    return FExpanded;
  return (SendMessageW(TreeView()->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItem), TVIS_EXPANDED) &
          TVIS_EXPANDED) != 0;
}

void TTreeNode::SetExpanded(bool Value) {
  FExpanded = Value;
  if (FItem != nullptr)
    SendMessageW(TreeView()->Handle(), TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE,
                 reinterpret_cast<LPARAM>(FItem));
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (TTreeNode* child : FChildren)
      child->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  SetExpanded(false);
  if (Recurse)
    for (TTreeNode* child : FChildren)
      child->Collapse(true);
}

void TTreeNode::MakeVisible() {
  if (FItem != nullptr)
    SendMessageW(TreeView()->Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItem));
}

void TTreeNode::Delete() { FOwner->Delete(this); }

// ---- TTreeNodes ---------------------------------------------------------------------------
IMPLEMENT_CLASS(TTreeNodes)

TTreeNodes::TTreeNodes(TCustomTreeView* Owner) : FOwner(Owner) {}

TTreeNodes::~TTreeNodes() {
  for (TTreeNode* node : FRoots)
    delete node;
}

TPersistent* TTreeNodes::GetOwner() { return FOwner; }

int TTreeNodes::Count() const {
  int count = 0;
  for (TTreeNode* node = GetFirstNode(); node != nullptr; node = node->GetNext())
    ++count;
  return count;
}

TTreeNode* TTreeNodes::Item(int Index) const {
  TTreeNode* node = Index >= 0 ? GetFirstNode() : nullptr;
  for (int i = 0; node != nullptr && i < Index; ++i)
    node = node->GetNext();
  if (node == nullptr)
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return node;
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* Parent, bool First, const AnsiString& S, void* Ptr) {
  auto* node = new TTreeNode(this, Parent);
  node->FText = S;
  node->FData = Ptr;
  auto& siblings = node->Siblings();
  siblings.insert(First ? siblings.begin() : siblings.end(), node);
  if (FOwner->HandleAllocated())
    FOwner->InsertWindowNode(node, First ? TVI_FIRST : TVI_LAST);
  return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const AnsiString& S) { return AddObject(Sibling, S, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const AnsiString& S, void* Ptr) {
  return InsertNode(Sibling != nullptr ? Sibling->Parent() : nullptr, false, S, Ptr);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const AnsiString& S) {
  return InsertNode(Sibling != nullptr ? Sibling->Parent() : nullptr, true, S, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const AnsiString& S) {
  return AddChildObject(Parent, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const AnsiString& S, void* Ptr) {
  return InsertNode(Parent, false, S, Ptr);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const AnsiString& S) {
  return InsertNode(Parent, true, S, nullptr);
}

// The window moves its selection off deleted items without the user: the
// change is reported once, after the nodes are gone.
void TTreeNodes::Delete(TTreeNode* Node) {
  if (Node == nullptr || Node->FOwner != this)
    return;
  TTreeNode* before = FOwner->Selected();
  if (Node->FItem != nullptr) {
    ++FOwner->FQuiet;
    SendMessageW(FOwner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->FItem));
    --FOwner->FQuiet;
  }
  auto& siblings = Node->Siblings();
  siblings.erase(std::find(siblings.begin(), siblings.end(), Node));
  if (IsInside(FOwner->FSelectedKept, Node))
    FOwner->FSelectedKept = nullptr;
  const bool selectionGone = IsInside(before, Node);
  delete Node;
  if (selectionGone)
    FOwner->Change(FOwner->Selected());
}

void TTreeNodes::Clear() {
  TTreeNode* before = FOwner->Selected();
  if (FOwner->HandleAllocated()) {
    ++FOwner->FQuiet;
    SendMessageW(FOwner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    --FOwner->FQuiet;
  }
  std::vector<TTreeNode*> roots;
  roots.swap(FRoots);
  for (TTreeNode* node : roots)
    delete node;
  FOwner->FSelectedKept = nullptr;
  if (before != nullptr)
    FOwner->Change(nullptr);
}

void TTreeNodes::BeginUpdate() {
  if (FUpdateCount++ == 0 && FOwner->HandleAllocated())
    SendMessageW(FOwner->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0)
    return;
  if (FOwner->HandleAllocated()) {
    SendMessageW(FOwner->Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FOwner->Handle(), nullptr, TRUE);
  }
}

// ---- TCustomTreeView ---------------------------------------------------------------------------
IMPLEMENT_CLASS(TCustomTreeView)

BEGIN_PUBLISHED(TTreeView)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(HideSelection, HideSelection, SetHideSelection).Default(true),
  PROPERTY(Images, Images, SetImages),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(false),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ReadOnly, ReadOnly, SetReadOnly).Default(false),
  PROPERTY(RowSelect, RowSelect, SetRowSelect).Default(false),
  PROPERTY(ShowButtons, ShowButtons, SetShowButtons).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(ShowLines, ShowLines, SetShowLines).Default(true),
  PROPERTY(ShowRoot, ShowRoot, SetShowRoot).Default(true),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnChange, OnChange, OnChange),
  PROPERTY(OnChanging, OnChanging, OnChanging),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnCollapsing, OnCollapsing, OnCollapsing),
  PROPERTY(OnDblClick, OnDblClick, OnDblClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
  PROPERTY(OnExpanding, OnExpanding, OnExpanding),
  PROPERTY(OnKeyDown, OnKeyDown, OnKeyDown),
  PROPERTY(OnMouseDown, OnMouseDown, OnMouseDown),
  PROPERTY(OnMouseUp, OnMouseUp, OnMouseUp),
END_PUBLISHED

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TWinControl(AOwner), FNodes(new TTreeNodes(this)), FImageChangeLink(new TChangeLink) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
  FImageChangeLink->OnChange = [this](TObject*) { SetImages(FImages); };
}

TCustomTreeView::~TCustomTreeView() {
  if (FImages != nullptr)
    FImages->UnRegisterChanges(FImageChangeLink.get());
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  InitCommonControl(ICC_TREEVIEW_CLASSES);
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_TREEVIEWW);
  if (FShowLines)
    Params.Style |= TVS_HASLINES;
  if (FShowRoot)
    Params.Style |= TVS_LINESATROOT;
  if (FShowButtons)
    Params.Style |= TVS_HASBUTTONS;
  if (!FReadOnly)
    Params.Style |= TVS_EDITLABELS;
  if (!FHideSelection)
    Params.Style |= TVS_SHOWSELALWAYS;
  if (FRowSelect)
    Params.Style |= TVS_FULLROWSELECT;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomTreeView::CreateWnd() {
  TWinControl::CreateWnd();
  if (FImages != nullptr)
    SendMessageW(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages->Handle()));
  for (TTreeNode* node : FNodes->FRoots)
    InsertWindowNode(node, TVI_LAST);
  if (FSelectedKept != nullptr) {
    ++FQuiet;
    SendMessageW(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSelectedKept->FItem));
    --FQuiet;
  }
}

void TCustomTreeView::DestroyWnd() {
  FSelectedKept = Selected();
  for (TTreeNode* node = FNodes->GetFirstNode(); node != nullptr; node = node->GetNext())
    node->FExpanded = node->Expanded();
  ++FQuiet;
  TWinControl::DestroyWnd();
  --FQuiet;
  for (TTreeNode* node : FNodes->FRoots)
    ForgetWindowItems(node);
}

void TCustomTreeView::ForgetWindowItems(TTreeNode* Node) {
  Node->FItem = nullptr;
  for (TTreeNode* child : Node->FChildren)
    ForgetWindowItems(child);
}

void TCustomTreeView::InsertWindowNode(TTreeNode* Node, HTREEITEM InsertAfter) {
  std::wstring text = WideOf(Node->FText);
  TVINSERTSTRUCTW insert{};
  insert.hParent = Node->FParent != nullptr ? Node->FParent->FItem : TVI_ROOT;
  insert.hInsertAfter = InsertAfter;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = text.data();
  insert.item.lParam = reinterpret_cast<LPARAM>(Node);
  insert.item.iImage = Node->FImageIndex;
  insert.item.iSelectedImage = Node->FSelectedIndex;
  ++FQuiet;
  Node->FItem = reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  for (TTreeNode* child : Node->FChildren)
    InsertWindowNode(child, TVI_LAST);
  if (Node->FExpanded && !Node->FChildren.empty())
    SendMessageW(FHandle, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->FItem));
  --FQuiet;
}

void TCustomTreeView::UpdateWindowNode(TTreeNode* Node) {
  if (Node->FItem == nullptr)
    return;
  std::wstring text = WideOf(Node->FText);
  TVITEMW item{};
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  item.hItem = Node->FItem;
  item.pszText = text.data();
  item.iImage = Node->FImageIndex;
  item.iSelectedImage = Node->FSelectedIndex;
  SendMessageW(FHandle, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

TTreeNode* TCustomTreeView::NodeOfItem(const TVITEMW& Item) { return reinterpret_cast<TTreeNode*>(Item.lParam); }

TTreeNode* TCustomTreeView::Selected() const {
  if (FHandle == nullptr)
    return FSelectedKept;
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (item == nullptr)
    return nullptr;
  TVITEMW tvi{};
  tvi.mask = TVIF_PARAM;
  tvi.hItem = item;
  SendMessageW(FHandle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
  return NodeOfItem(tvi);
}

// Selecting through the window asks OnChanging and reports OnChange, as a
// selection by the user does.
void TCustomTreeView::SetSelected(TTreeNode* Value) {
  if (!HandleAllocated()) {
    FSelectedKept = Value;
    return;
  }
  SendMessageW(FHandle, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Value != nullptr ? Value->FItem : nullptr));
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* node : FNodes->FRoots)
    node->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* node : FNodes->FRoots)
    node->Collapse(true);
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  TVHITTESTINFO info{};
  info.pt = POINT{X, Y};
  auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
  if (item == nullptr || (info.flags & TVHT_ONITEM) == 0)
    return nullptr;
  TVITEMW tvi{};
  tvi.mask = TVIF_PARAM;
  tvi.hItem = item;
  SendMessageW(FHandle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
  return NodeOfItem(tvi);
}

void TCustomTreeView::SetImages(TImageList* Value) {
  if (FImages != nullptr && FImages != Value)
    FImages->UnRegisterChanges(FImageChangeLink.get());
  if (Value != nullptr && Value != FImages) {
    Value->RegisterChanges(FImageChangeLink.get());
    Value->FreeNotification(this);
  }
  FImages = Value;
  if (HandleAllocated())
    SendMessageW(FHandle, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(Value != nullptr ? Value->Handle() : nullptr));
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages)
    SetImages(nullptr);
}

void TCustomTreeView::SetShowLines(bool Value) {
  if (FShowLines != Value) {
    FShowLines = Value;
    RecreateWnd();
  }
}

void TCustomTreeView::SetShowRoot(bool Value) {
  if (FShowRoot != Value) {
    FShowRoot = Value;
    RecreateWnd();
  }
}

void TCustomTreeView::SetShowButtons(bool Value) {
  if (FShowButtons != Value) {
    FShowButtons = Value;
    RecreateWnd();
  }
}

void TCustomTreeView::SetReadOnly(bool Value) {
  if (FReadOnly != Value) {
    FReadOnly = Value;
    RecreateWnd();
  }
}

void TCustomTreeView::SetHideSelection(bool Value) {
  if (FHideSelection != Value) {
    FHideSelection = Value;
    RecreateWnd();
  }
}

void TCustomTreeView::SetRowSelect(bool Value) {
  if (FRowSelect != Value) {
    FRowSelect = Value;
    RecreateWnd();
  }
}

bool TCustomTreeView::CanChange(TTreeNode* Node) {
  bool allow = true;
  if (OnChanging)
    OnChanging(this, Node, allow);
  return allow;
}

void TCustomTreeView::Change(TTreeNode* Node) {
  if (OnChange)
    OnChange(this, Node);
}

void TCustomTreeView::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_NOTIFY)
    CNNotify(Message);
  else
    TWinControl::Dispatch(Message);
}

void TCustomTreeView::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
  const bool quiet = FQuiet > 0 || ComponentState().Contains(csDestroying);
  auto* nm = reinterpret_cast<NMTREEVIEWW*>(Message.LParam);
  switch (header->code) {
    case TVN_SELCHANGINGW:
      Message.Result = quiet || CanChange(NodeOfItem(nm->itemNew)) ? 0 : 1;
      return;
    case TVN_SELCHANGEDW:
      if (!quiet)
        Change(NodeOfItem(nm->itemNew));
      return;
    case TVN_ITEMEXPANDINGW: {
      bool allow = true;
      TTreeNode* node = NodeOfItem(nm->itemNew);
      if (!quiet && nm->action == TVE_EXPAND && OnExpanding)
        OnExpanding(this, node, allow);
      else if (!quiet && nm->action == TVE_COLLAPSE && OnCollapsing)
        OnCollapsing(this, node, allow);
      Message.Result = allow ? 0 : 1;
      return;
    }
  }
  DefaultHandler(Message);
}
