#include "classlib/classes/collection.h"

#include <algorithm>

#include "classlib/classes/typinfo.h"

IMPLEMENT_CLASS(TCollectionItem)
IMPLEMENT_CLASS(TCollection)
IMPLEMENT_CLASS(TOwnedCollection)

// ---- TCollectionItem --------------------------------------------------------
TCollectionItem::TCollectionItem(TCollection* Collection) { SetCollection(Collection); }

TCollectionItem::~TCollectionItem() {
  if (FCollection != nullptr)
    FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value)
    return;
  if (FCollection != nullptr)
    FCollection->RemoveItem(this);
  if (Value != nullptr)
    Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (FCollection == nullptr)
    return -1;
  auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  int current = Index();
  if (current < 0 || Value < 0 || current == Value)
    return;
  auto& items = FCollection->FItems;
  Value = std::min(Value, static_cast<int>(items.size()) - 1);
  items.erase(items.begin() + current);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection != nullptr && FCollection->FUpdateCount == 0)
    FCollection->Update(AllItems ? nullptr : this);
}

AnsiString TCollectionItem::GetNamePath() {
  if (FCollection == nullptr)
    return ClassName();
  return FCollection->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

TPersistent* TCollectionItem::GetOwner() { return FCollection; }

// ---- TCollection ------------------------------------------------------------
TCollection::TCollection(TClass ItemClass) : FItemClass(ItemClass) {}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no Update calls into a class that is already gone
  while (!FItems.empty())
    delete FItems.back();
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
  Item->FCollection = nullptr;
  Changed();
}

TCollectionItem* TCollection::Add() {
  // The item joins the collection in its constructor; Update runs only once
  // it is whole.
  TObject* created = FItemClass->Create(TCreateContext{nullptr, this});
  auto* item = dynamic_cast<TCollectionItem*>(created);
  if (item == nullptr) {
    delete created;
    throw EInvalidOperation(AnsiString(FItemClass->Name) + " is not a collection item class");
  }
  if (item->FCollection != this)
    item->SetCollection(this);
  Notify(item, cnAdded);
  Changed();
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::CheckIndex(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

void TCollection::Delete(int Index) {
  CheckIndex(Index);
  TCollectionItem* item = FItems[Index];
  Notify(item, cnDeleting);
  delete item;
}

void TCollection::Clear() {
  if (FItems.empty())
    return;
  BeginUpdate();
  try {
    while (!FItems.empty())
      delete FItems.back();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TCollectionItem* TCollection::Items(int Index) const {
  CheckIndex(Index);
  return FItems[Index];
}

void TCollection::SetItem(int Index, TCollectionItem* Value) { Items(Index)->Assign(Value); }

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID)
      return item;
  return nullptr;
}

void TCollection::EndUpdate() {
  if (FUpdateCount > 0)
    --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0)
    Update(nullptr);
}

void TCollection::Assign(TPersistent* Source) {
  if (Source == this)
    return;  // clearing first would lose the items
  auto* source = dynamic_cast<TCollection*>(Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : source->FItems)
      Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

AnsiString TCollection::PropName() {
  TPersistent* owner = GetOwner();
  if (owner == nullptr)
    return {};
  for (PPropInfo p : GetPropList(owner))
    if (p->Kind() == tkClass && p->GetObject != nullptr && p->GetObject(owner) == this)
      return p->Name;
  return {};
}

AnsiString TCollection::GetNamePath() {
  AnsiString result = ClassName();
  TPersistent* owner = GetOwner();
  if (owner == nullptr)
    return result;
  AnsiString ownerPath = owner->GetNamePath();
  if (ownerPath.empty())
    return result;
  AnsiString prop = PropName();
  if (prop.empty())
    return result;
  return ownerPath + "." + prop;
}
