// The list view over comctl32's list view class: columns (a collection),
// items with sub-items, check boxes, selection, and caption editing.
//
// The item objects are the model; the window shows them in the same order
// (an item's window index is its Index). States the user changes (check
// box, selection, focus) are read from the window while it exists.
// OnChanging can refuse a change (a click on a check box, a selection);
// OnEditing can refuse caption editing.
#pragma once
#include <memory>
#include <vector>

#include "classlib/classes/collection.h"
#include "classlib/classes/strings.h"
#include "classlib/controls/wincontrol.h"
#include "classlib/graphics/imagelist.h"

class TCustomListView;
class TListItems;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
DOZURI_ENUM(TViewStyle, "vsIcon", "vsSmallIcon", "vsList", "vsReport");
enum TItemChange { ctText, ctImage, ctState };
DOZURI_ENUM(TItemChange, "ctText", "ctImage", "ctState");

// ---- Columns ----------------------------------------------------------------
class TListColumn : public TCollectionItem {
  DECLARE_CLASS(TListColumn, TCollectionItem)

public:
  explicit TListColumn(TCollection* Collection);

  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  // The width the window shows (the user may drag it).
  int Width() const;
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  void Assign(TPersistent* Source) override;
  AnsiString GetDisplayName() override;

private:
  friend class TCustomListView;
  AnsiString FCaption;
  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
};

class TListColumns : public TCollection {
  DECLARE_CLASS(TListColumns, TCollection)

public:
  explicit TListColumns(TCustomListView* Owner);

  TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
  TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
  TListColumn* operator[](int Index) const { return Items(Index); }
  TCustomListView* Owner() const { return FOwner; }
  TPersistent* GetOwner() override;

protected:
  void Update(TCollectionItem* Item) override;

private:
  TCustomListView* FOwner;
};

// ---- Items -------------------------------------------------------------------
class TListItem : public TPersistent {
  DECLARE_CLASS(TListItem, TPersistent)

public:
  explicit TListItem(TListItems* Owner);
  ~TListItem() override;

  TListItems* Owner() const { return FOwner; }
  TCustomListView* ListView() const;
  int Index() const;
  const AnsiString& Caption() const { return FCaption; }
  void SetCaption(const AnsiString& Value);
  // The texts of the columns after the first.
  TStrings* SubItems() const { return FSubItems.get(); }
  void SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }
  bool Checked() const;
  void SetChecked(bool Value);
  bool Selected() const;
  void SetSelected(bool Value);
  bool Focused() const;
  void SetFocused(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }

  // Starts editing the caption in place; false when refused (OnEditing,
  // ReadOnly) or not possible.
  bool EditCaption();
  void MakeVisible(bool PartialOK);
  // Takes the item out of the list and frees it.
  void Delete();

  void Assign(TPersistent* Source) override;

private:
  friend class TListItems;
  friend class TCustomListView;
  // The item's index in the window, or -1 while there is no window.
  int WindowIndex() const;
  void SubItemsChanged(TObject* Sender);
  void SetState(UINT Mask, UINT State);
  bool HasState(UINT Mask) const;

  TListItems* FOwner;
  AnsiString FCaption;
  std::unique_ptr<TStringList> FSubItems;
  int FImageIndex = -1;
  void* FData = nullptr;
  // While there is no window.
  bool FChecked = false;
  bool FSelected = false;
  bool FFocused = false;
};

class TListItems : public TPersistent {
  DECLARE_CLASS(TListItems, TPersistent)

public:
  explicit TListItems(TCustomListView* Owner);
  ~TListItems() override;

  TCustomListView* Owner() const { return FOwner; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // Raises EListError for a bad index.
  TListItem* Item(int Index) const;
  TListItem* operator[](int Index) const { return Item(Index); }
  TListItem* Add();
  TListItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  int IndexOf(const TListItem* Value) const;
  // Suspends drawing while many items change.
  void BeginUpdate();
  void EndUpdate();
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

private:
  friend class TListItem;
  friend class TCustomListView;
  void Remove(TListItem* Item);

  TCustomListView* FOwner;
  std::vector<TListItem*> FItems;
  int FUpdateCount = 0;
};

DOZURI_EVENT(TLVChangeEvent, void(TObject* Sender, TListItem* Item, TItemChange Change));
DOZURI_EVENT(TLVChangingEvent, void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange));
DOZURI_EVENT(TLVEditingEvent, void(TObject* Sender, TListItem* Item, bool& AllowEdit));
DOZURI_EVENT(TLVEditedEvent, void(TObject* Sender, TListItem* Item, AnsiString& S));
DOZURI_EVENT(TLVSelectItemEvent, void(TObject* Sender, TListItem* Item, bool Selected));

// ---- The control --------------------------------------------------------------
class TCustomListView : public TWinControl {
  DECLARE_CLASS(TCustomListView, TWinControl)

public:
  explicit TCustomListView(TComponent* AOwner);
  ~TCustomListView() override;

  TListColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TListColumns* Value) { FColumns->Assign(Value); }
  TListItems* Items() const { return FItems.get(); }
  void SetItems(TListItems* Value) { FItems->Assign(Value); }
  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);
  bool Checkboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool Value);
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool Value);
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);
  TImageList* SmallImages() const { return FSmallImages; }
  void SetSmallImages(TImageList* Value);
  TImageList* LargeImages() const { return FLargeImages; }
  void SetLargeImages(TImageList* Value);

  // The first selected item, or nullptr; setting it selects only that item.
  TListItem* Selected() const;
  void SetSelected(TListItem* Value);
  TListItem* ItemFocused() const;
  void SetItemFocused(TListItem* Value);
  int SelCount() const;
  // The item at a client point, or nullptr.
  TListItem* GetItemAt(int X, int Y);
  bool IsEditing() const;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  TLVChangeEvent OnChange;
  TLVChangingEvent OnChanging;
  TLVEditingEvent OnEditing;
  TLVEditedEvent OnEdited;
  TLVSelectItemEvent OnSelectItem;

protected:
  friend class TListColumns;
  friend class TListColumn;
  friend class TListItem;
  friend class TListItems;

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual bool CanChange(TListItem* Item, TItemChange Change);
  virtual void Change(TListItem* Item, TItemChange Change);
  virtual bool CanEdit(TListItem* Item);
  virtual void Edit(TListItem* Item, AnsiString& Text);

private:
  DWORD ExtendedStyle() const;
  void UpdateExtendedStyle();
  void UpdateColumns();
  void UpdateColumn(int Index);
  // Puts one item (text, image, sub-items, states) into the window at Index.
  void InsertWindowItem(TListItem* Item, int Index);
  void UpdateWindowItem(TListItem* Item);
  void SetImageLists();
  TListItem* ItemOfIndex(int Index) const;
  void CNNotify(TMessage& Message);
  void ItemChanging(TMessage& Message);
  void ItemChanged(TMessage& Message);

  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TListItems> FItems;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TImageList* FSmallImages = nullptr;
  TImageList* FLargeImages = nullptr;
  TViewStyle FViewStyle = vsIcon;
  bool FCheckboxes = false;
  bool FGridLines = false;
  bool FRowSelect = false;
  bool FReadOnly = false;
  bool FMultiSelect = false;
  bool FHideSelection = true;
  bool FShowColumnHeaders = true;
  // Notifications the window sends while the library itself fills or
  // empties it are not the user's changes.
  int FQuiet = 0;
};

class TListView : public TCustomListView {
  DECLARE_CLASS(TListView, TCustomListView)

public:
  explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};
