// Pointer lists: TList, the owning TObjectList and the locked TThreadList.
//
// Indexes are checked; a bad one raises EListError "List index out of
// bounds (%d)". Derived lists hear of every pointer that enters or leaves
// through Notify, which is how TObjectList frees what it owns.
#pragma once
#include <mutex>
#include <vector>

#include "classlib/system/exceptions.h"

class TObject;

enum TListNotification { lnAdded, lnExtracted, lnDeleted };
enum TDuplicates { dupIgnore, dupAccept, dupError };

// Returns < 0, 0 or > 0 as item1 sorts before, with or after item2.
using TListSortCompare = int (*)(void* item1, void* item2);

class TList {
public:
  TList() = default;
  virtual ~TList();
  TList(const TList&) = delete;
  TList& operator=(const TList&) = delete;

  int Add(void* item);
  void Insert(int index, void* item);
  void Delete(int index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* item);
  // Removes the first occurrence without the deletion notice; returns it or nullptr.
  void* Extract(void* item);
  int IndexOf(void* item) const;
  virtual void Clear();
  void Exchange(int index1, int index2);
  void Move(int curIndex, int newIndex);
  void Sort(TListSortCompare compare);
  // Removes every nil pointer.
  void Pack();

  void* First() const;
  void* Last() const;
  void* Items(int index) const;
  void SetItems(int index, void* item);
  int Count() const { return static_cast<int>(items_.size()); }
  // Growing adds nil pointers; shrinking deletes from the end.
  void SetCount(int newCount);
  int Capacity() const { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int newCapacity);
  // The pointers themselves, for fast iteration.
  void* const* List() const { return items_.data(); }

protected:
  virtual void Notify(void* item, TListNotification action) {}
  [[noreturn]] static void Error(const char* format, int value);

private:
  void CheckIndex(int index) const;

  std::vector<void*> items_;
};

// A list of objects that, while OwnsObjects is true, deletes every object
// deleted from it (Delete, Remove, Clear, SetItems, its own destruction).
class TObjectList : public TList {
public:
  explicit TObjectList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
  ~TObjectList() override;

  int Add(TObject* object) { return TList::Add(object); }
  void Insert(int index, TObject* object) { TList::Insert(index, object); }
  int Remove(TObject* object) { return TList::Remove(object); }
  TObject* Extract(TObject* object) { return static_cast<TObject*>(TList::Extract(object)); }
  int IndexOf(TObject* object) const { return TList::IndexOf(object); }
  TObject* Items(int index) const { return static_cast<TObject*>(TList::Items(index)); }
  void SetItems(int index, TObject* object) { TList::SetItems(index, object); }
  TObject* First() const { return static_cast<TObject*>(TList::First()); }
  TObject* Last() const { return static_cast<TObject*>(TList::Last()); }

  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool value) { ownsObjects_ = value; }

protected:
  void Notify(void* item, TListNotification action) override;

private:
  bool ownsObjects_;
};

// A TList guarded by a re-entrant lock. LockList hands out the list and
// holds the lock until UnlockList.
class TThreadList {
public:
  TThreadList() = default;
  TThreadList(const TThreadList&) = delete;
  TThreadList& operator=(const TThreadList&) = delete;

  // With Duplicates dupIgnore (the default) an item already present is not
  // added again; dupError raises EListError "List does not allow duplicates".
  void Add(void* item);
  void Remove(void* item);
  void Clear();
  TList* LockList();
  void UnlockList();

  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates value) { duplicates_ = value; }

private:
  std::recursive_mutex lock_;
  TList list_;
  TDuplicates duplicates_ = dupIgnore;
};
