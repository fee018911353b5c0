// Collections: items, IDs, order, updates and Assign.
#include <gtest/gtest.h>

#include <vector>

#include "fixtures.h"

namespace {

// Counts Update calls and notifications.
class TCountingCollection : public TCollection {
public:
  TCountingCollection() : TCollection(TSampleItem::StaticClass()) {}
  int updates = 0;
  std::vector<TCollectionItem*> updated;
  std::vector<TCollectionNotification> notices;

protected:
  void Update(TCollectionItem* Item) override {
    ++updates;
    updated.push_back(Item);
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override { notices.push_back(Action); }
};

TSampleItem* AddItem(TCollection& c, const char* caption) {
  auto* item = static_cast<TSampleItem*>(c.Add());
  item->Caption = caption;
  return item;
}

TEST(Collection, AddInsertDeleteKeepOrderAndIDs) {
  TCountingCollection c;
  auto* a = AddItem(c, "a");
  auto* b = AddItem(c, "b");
  auto* x = static_cast<TSampleItem*>(c.Insert(0));
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Items(0), x);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(a->ID(), 0);
  EXPECT_EQ(b->ID(), 1);
  EXPECT_EQ(x->ID(), 2);
  c.Delete(1);  // a
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(c.FindItemID(0), nullptr);
  EXPECT_EQ(c.FindItemID(1), b);
  auto* d = AddItem(c, "d");
  EXPECT_EQ(d->ID(), 3);  // IDs never repeat
  EXPECT_THROW(c.Delete(5), EListError);
  EXPECT_THROW(c.Items(-1), EListError);
  b->SetIndex(0);
  EXPECT_EQ(c.Items(0), b);
  EXPECT_EQ(b->DisplayName(), "TSampleItem");
  delete d;  // an item leaves its collection when freed
  EXPECT_EQ(c.Count(), 2);
}

TEST(Collection, UpdateRunsOncePerChangeAndOnceAfterBatch) {
  TCountingCollection c;
  AddItem(c, "a");
  EXPECT_EQ(c.updates, 1);
  EXPECT_EQ(c.updated.back(), nullptr);
  c.BeginUpdate();
  AddItem(c, "b");
  AddItem(c, "c");
  c.Delete(0);
  EXPECT_EQ(c.updates, 1);
  c.EndUpdate();
  EXPECT_EQ(c.updates, 2);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(c.updates, 3);
  EXPECT_EQ(c.notices.front(), cnAdded);
}

TEST(Collection, AssignCopiesItemsOrRaises) {
  TOwnedCollection source(nullptr, TSampleItem::StaticClass());
  AddItem(source, "x");
  AddItem(source, "y");
  TOwnedCollection target(nullptr, TSampleItem::StaticClass());
  AddItem(target, "old");
  // TSampleItem has no Assign of its own: the platform's item Assign raises.
  EXPECT_THROW(target.Assign(&source), EConvertError);
  TStringList strings;
  EXPECT_THROW(target.Assign(&strings), EConvertError);
}

TEST(Collection, AssignToItselfKeepsTheItems) {
  TOwnedCollection c(nullptr, TSampleItem::StaticClass());
  auto* x = AddItem(c, "x");
  auto* y = AddItem(c, "y");
  c.Assign(&c);
  ASSERT_EQ(c.Count(), 2);
  EXPECT_EQ(c.Items(0), x);
  EXPECT_EQ(c.Items(1), y);
}

}  // namespace
