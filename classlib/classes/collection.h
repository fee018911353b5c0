// TCollection: an ordered list of items of one class, streamed as one
// property (vaCollection) of its owner.
//
// Items belong to their collection: an item created with a collection joins
// it, deleting an item takes it out, and the collection frees its items.
// Each item gets a serial ID that never repeats within the collection.
// Update runs after a change unless updates are suspended (BeginUpdate).
#pragma once
#include <vector>

#include "classlib/classes/persistent.h"

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem : public TPersistent {
  DECLARE_CLASS(TCollectionItem, TPersistent)

public:
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (nullptr: none).
  void SetCollection(TCollection* Value);
  int ID() const { return FID; }
  int Index() const;
  virtual void SetIndex(int Value);
  // The class name unless a class names its items otherwise.
  virtual AnsiString GetDisplayName() { return ClassName(); }
  virtual void SetDisplayName(const AnsiString& Value) { Changed(false); }
  AnsiString DisplayName() { return GetDisplayName(); }

  // "Owner.Property[Index]".
  AnsiString GetNamePath() override;
  TPersistent* GetOwner() override;

protected:
  // Tells the collection: AllItems for changes that concern the others too.
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

class TCollection : public TPersistent {
  DECLARE_CLASS(TCollection, TPersistent)

public:
  explicit TCollection(TClass ItemClass);
  ~TCollection() override;

  TCollectionItem* Add();
  TCollectionItem* Insert(int Index);
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  void Delete(int Index);
  void Clear();
  TCollectionItem* Items(int Index) const;
  // Copies Value into the item at Index (Assign).
  void SetItem(int Index, TCollectionItem* Value);
  int Count() const { return static_cast<int>(FItems.size()); }
  TClass ItemClass() const { return FItemClass; }
  TCollectionItem* FindItemID(int ID) const;

  virtual void BeginUpdate() { ++FUpdateCount; }
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  void Assign(TPersistent* Source) override;
  // "Owner.Property" when the owner publishes this collection, else the class name.
  AnsiString GetNamePath() override;

protected:
  // Item nullptr: every item may have changed.
  virtual void Update(TCollectionItem* Item) {}
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  void Changed();
  // The name of the owner's published property that holds this collection.
  AnsiString PropName();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void CheckIndex(int Index) const;

  TClass FItemClass;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
};

// A collection that knows its owner (for GetNamePath and designers).
class TOwnedCollection : public TCollection {
  DECLARE_CLASS(TOwnedCollection, TCollection)

public:
  TOwnedCollection(TPersistent* AOwner, TClass ItemClass) : TCollection(ItemClass), FOwner(AOwner) {}
  TPersistent* GetOwner() override { return FOwner; }

private:
  TPersistent* FOwner;
};
