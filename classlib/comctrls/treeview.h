// The tree view over comctl32's tree view class. The node objects are the
// model; the window shows them while it exists (each tree item carries its
// node). BeginUpdate/EndUpdate suspend drawing while many nodes change.
#pragma once
#include <memory>
#include <vector>

#include "classlib/controls/wincontrol.h"
#include "classlib/graphics/imagelist.h"

class TCustomTreeView;
class TTreeNodes;

class TTreeNode : public TPersistent {
  DECLARE_CLASS(TTreeNode, TPersistent)

public:
  TTreeNode(TTreeNodes* Owner, TTreeNode* Parent);
  ~TTreeNode() override;

  TTreeNodes* Owner() const { return FOwner; }
  TCustomTreeView* TreeView() const;
  TTreeNode* Parent() const { return FParent; }
  const AnsiString& Text() const { return FText; }
  void SetText(const AnsiString& Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int Value);
  // The children.
  int Count() const { return static_cast<int>(FChildren.size()); }
  TTreeNode* Item(int Index) const;
  bool HasChildren() const { return !FChildren.empty(); }
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  // The place among its siblings.
  int Index() const;
  // 0 for a root node.
  int Level() const;
  // The node after this one, depth first (nullptr after the last).
  TTreeNode* GetNext() const;
  TTreeNode* GetNextSibling() const;
  bool Selected() const;
  void SetSelected(bool Value);
  bool Expanded() const;
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  void MakeVisible();
  HTREEITEM ItemId() const { return FItem; }
  // Takes the node and its children out of the tree and frees them.
  void Delete();

private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  std::vector<TTreeNode*>& Siblings() const;

  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::vector<TTreeNode*> FChildren;
  AnsiString FText;
  void* FData = nullptr;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  bool FExpanded = false;  // while there is no window
  HTREEITEM FItem = nullptr;
};

class TTreeNodes : public TPersistent {
  DECLARE_CLASS(TTreeNodes, TPersistent)

public:
  explicit TTreeNodes(TCustomTreeView* Owner);
  ~TTreeNodes() override;

  TCustomTreeView* Owner() const { return FOwner; }
  // Every node of the tree.
  int Count() const;
  // The node at Index counting depth first; raises EListError when out of range.
  TTreeNode* Item(int Index) const;
  TTreeNode* operator[](int Index) const { return Item(Index); }
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }

  // A new last sibling of Sibling (nullptr: a new last root node).
  TTreeNode* Add(TTreeNode* Sibling, const AnsiString& S);
  TTreeNode* AddObject(TTreeNode* Sibling, const AnsiString& S, void* Ptr);
  TTreeNode* AddFirst(TTreeNode* Sibling, const AnsiString& S);
  // A new last child of Parent (nullptr: a new last root node).
  TTreeNode* AddChild(TTreeNode* Parent, const AnsiString& S);
  TTreeNode* AddChildObject(TTreeNode* Parent, const AnsiString& S, void* Ptr);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const AnsiString& S);
  void Delete(TTreeNode* Node);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  TPersistent* GetOwner() override;

private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  TTreeNode* InsertNode(TTreeNode* Parent, bool First, const AnsiString& S, void* Ptr);

  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdateCount = 0;
};

DOZURI_EVENT(TTVChangedEvent, void(TObject* Sender, TTreeNode* Node));
DOZURI_EVENT(TTVChangingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowChange));
DOZURI_EVENT(TTVExpandingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion));
DOZURI_EVENT(TTVCollapsingEvent, void(TObject* Sender, TTreeNode* Node, bool& AllowCollapse));

class TCustomTreeView : public TWinControl {
  DECLARE_CLASS(TCustomTreeView, TWinControl)

public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;

  TTreeNodes* Items() const { return FNodes.get(); }
  TTreeNode* Selected() const;
  void SetSelected(TTreeNode* Value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);

  void FullExpand();
  void FullCollapse();
  TTreeNode* GetNodeAt(int X, int Y);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandingEvent OnExpanding;
  TTVCollapsingEvent OnCollapsing;

protected:
  friend class TTreeNode;
  friend class TTreeNodes;

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual bool CanChange(TTreeNode* Node);
  virtual void Change(TTreeNode* Node);

private:
  // Puts a node and its children into the window after InsertAfter.
  void InsertWindowNode(TTreeNode* Node, HTREEITEM InsertAfter);
  void UpdateWindowNode(TTreeNode* Node);
  void ForgetWindowItems(TTreeNode* Node);
  static TTreeNode* NodeOfItem(const TVITEMW& Item);
  void CNNotify(TMessage& Message);

  std::unique_ptr<TTreeNodes> FNodes;
  TImageList* FImages = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TTreeNode* FSelectedKept = nullptr;  // while there is no window
  bool FShowLines = true;
  bool FShowRoot = true;
  bool FShowButtons = true;
  bool FReadOnly = false;
  bool FHideSelection = true;
  bool FRowSelect = false;
  // Notifications while the library fills or empties the window.
  int FQuiet = 0;
};

class TTreeView : public TCustomTreeView {
  DECLARE_CLASS(TTreeView, TCustomTreeView)

public:
  explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};
