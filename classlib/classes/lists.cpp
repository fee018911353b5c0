#include "classlib/classes/lists.h"

#include <algorithm>
#include <string>

#include "classlib/classes/object.h"

// ---- TList

TList::~TList() {
  // Derived lists clear themselves in their own destructors, where their
  // Notify still runs; this only releases the pointers.
  items_.clear();
}

void TList::Error(const char* format, int value) {
  std::string text(format);
  size_t at = text.find("%d");
  if (at != std::string::npos)
    text.replace(at, 2, std::to_string(value));
  throw EListError(text);
}

void TList::CheckIndex(int index) const {
  if (index < 0 || index >= Count())
    Error("List index out of bounds (%d)", index);
}

int TList::Add(void* item) {
  int index = Count();
  items_.push_back(item);
  if (item != nullptr)
    Notify(item, lnAdded);
  return index;
}

void TList::Insert(int index, void* item) {
  if (index < 0 || index > Count())
    Error("List index out of bounds (%d)", index);
  items_.insert(items_.begin() + index, item);
  if (item != nullptr)
    Notify(item, lnAdded);
}

void TList::Delete(int index) {
  CheckIndex(index);
  void* item = items_[static_cast<size_t>(index)];
  items_.erase(items_.begin() + index);
  if (item != nullptr)
    Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
  int index = IndexOf(item);
  if (index >= 0)
    Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  int index = IndexOf(item);
  if (index < 0)
    return nullptr;
  void* found = items_[static_cast<size_t>(index)];
  items_.erase(items_.begin() + index);
  Notify(found, lnExtracted);
  return found;
}

int TList::IndexOf(void* item) const {
  auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TList::Clear() {
  SetCount(0);
  items_.shrink_to_fit();
}

void TList::Exchange(int index1, int index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex)
    return;
  CheckIndex(newIndex);
  CheckIndex(curIndex);
  void* item = items_[static_cast<size_t>(curIndex)];
  items_.erase(items_.begin() + curIndex);
  items_.insert(items_.begin() + newIndex, item);
}

void TList::Sort(TListSortCompare compare) {
  if (compare == nullptr)
    return;
  std::stable_sort(items_.begin(), items_.end(), [compare](void* a, void* b) { return compare(a, b) < 0; });
}

void TList::Pack() {
  items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
}

void* TList::First() const { return Items(0); }

void* TList::Last() const { return Items(Count() - 1); }

void* TList::Items(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)];
}

void TList::SetItems(int index, void* item) {
  CheckIndex(index);
  void* old = items_[static_cast<size_t>(index)];
  if (old == item)
    return;
  items_[static_cast<size_t>(index)] = item;
  if (old != nullptr)
    Notify(old, lnDeleted);
  if (item != nullptr)
    Notify(item, lnAdded);
}

void TList::SetCount(int newCount) {
  if (newCount < 0)
    Error("List count out of bounds (%d)", newCount);
  if (newCount >= Count()) {
    items_.resize(static_cast<size_t>(newCount), nullptr);
    return;
  }
  // Delete from the end so each notice sees a consistent list.
  while (Count() > newCount)
    Delete(Count() - 1);
}

void TList::SetCapacity(int newCapacity) {
  if (newCapacity < Count())
    Error("List capacity out of bounds (%d)", newCapacity);
  if (newCapacity > Capacity())
    items_.reserve(static_cast<size_t>(newCapacity));
  else {
    std::vector<void*> copy;
    copy.reserve(static_cast<size_t>(newCapacity));
    copy.assign(items_.begin(), items_.end());
    items_.swap(copy);
  }
}

// ---- TObjectList

TObjectList::~TObjectList() { Clear(); }

void TObjectList::Notify(void* item, TListNotification action) {
  if (ownsObjects_ && action == lnDeleted)
    delete static_cast<TObject*>(item);
}

// ---- TThreadList

void TThreadList::Add(void* item) {
  std::lock_guard guard(lock_);
  if (duplicates_ == dupAccept || list_.IndexOf(item) < 0) {
    list_.Add(item);
    return;
  }
  if (duplicates_ == dupError)
    throw EListError("List does not allow duplicates");
}

void TThreadList::Remove(void* item) {
  std::lock_guard guard(lock_);
  list_.Remove(item);
}

void TThreadList::Clear() {
  std::lock_guard guard(lock_);
  list_.Clear();
}

TList* TThreadList::LockList() {
  lock_.lock();
  return &list_;
}

void TThreadList::UnlockList() { lock_.unlock(); }
