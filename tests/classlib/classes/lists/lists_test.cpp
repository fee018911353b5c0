#include "classlib/classes/lists.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

#include "classlib/classes/object.h"

namespace {

int items[8];

void* P(int i) { return &items[i]; }

void Fill(TList& list, int count) {
  for (int i = 0; i < count; ++i)
    list.Add(P(i));
}

// Sets a flag when deleted.
class Tracked : public TObject {
public:
  explicit Tracked(int& deaths) : deaths_(deaths) {}
  ~Tracked() override { ++deaths_; }

private:
  int& deaths_;
};

}  // namespace

TEST(List, AddInsertDeleteKeepOrder) {
  TList list;
  Fill(list, 3);
  list.Insert(1, P(5));
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Items(1), P(5));
  EXPECT_EQ(list.Items(2), P(1));
  list.Delete(0);
  EXPECT_EQ(list.First(), P(5));
  EXPECT_EQ(list.Last(), P(2));
  EXPECT_EQ(list.IndexOf(P(2)), 2);
  EXPECT_EQ(list.IndexOf(P(7)), -1);
  EXPECT_EQ(list.Remove(P(1)), 1);
  EXPECT_EQ(list.Remove(P(1)), -1);
  EXPECT_EQ(list.Count(), 2);
}

TEST(List, ExchangeMoveExtractPackAndSetCount) {
  TList list;
  Fill(list, 4);
  list.Exchange(0, 3);
  EXPECT_EQ(list.Items(0), P(3));
  EXPECT_EQ(list.Items(3), P(0));
  list.Move(0, 2);  // 1 2 3 0
  EXPECT_EQ(list.Items(0), P(1));
  EXPECT_EQ(list.Items(2), P(3));
  EXPECT_EQ(list.Extract(P(2)), P(2));
  EXPECT_EQ(list.Extract(P(2)), nullptr);
  list.SetCount(5);
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.Items(4), nullptr);
  list.Pack();
  EXPECT_EQ(list.Count(), 3);
  list.SetCapacity(100);
  EXPECT_GE(list.Capacity(), 100);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(List, SortOrdersByTheCompareFunction) {
  TList list;
  for (int i : {4, 1, 3, 0, 2})
    list.Add(P(i));
  list.Sort([](void* a, void* b) { return static_cast<int>(static_cast<int*>(a) - static_cast<int*>(b)); });
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(list.Items(i), P(i));
}

struct BoundsCase {
  const char* what;
  std::function<void(TList&)> call;
  const char* message;
};

class ListBounds : public testing::TestWithParam<BoundsCase> {};

TEST_P(ListBounds, RaisesListErrorNamingTheIndex) {
  TList list;
  Fill(list, 3);
  try {
    GetParam().call(list);
    FAIL() << "no exception for " << GetParam().what;
  } catch (const EListError& error) {
    EXPECT_EQ(error.Message, GetParam().message);
  }
  EXPECT_EQ(list.Count(), 3) << "a refused call changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListBounds,
    testing::Values(BoundsCase{"Items(-1)", [](TList& l) { l.Items(-1); }, "List index out of bounds (-1)"},
                    BoundsCase{"Items(Count)", [](TList& l) { l.Items(3); }, "List index out of bounds (3)"},
                    BoundsCase{"SetItems", [](TList& l) { l.SetItems(7, nullptr); }, "List index out of bounds (7)"},
                    BoundsCase{"Delete", [](TList& l) { l.Delete(3); }, "List index out of bounds (3)"},
                    BoundsCase{"Insert", [](TList& l) { l.Insert(4, P(0)); }, "List index out of bounds (4)"},
                    BoundsCase{"Exchange", [](TList& l) { l.Exchange(0, 5); }, "List index out of bounds (5)"},
                    BoundsCase{"Move", [](TList& l) { l.Move(-2, 0); }, "List index out of bounds (-2)"},
                    BoundsCase{"SetCount", [](TList& l) { l.SetCount(-1); }, "List count out of bounds (-1)"},
                    BoundsCase{"SetCapacity", [](TList& l) { l.SetCapacity(2); },
                               "List capacity out of bounds (2)"}));

TEST(List, FirstAndLastOfAnEmptyListRaise) {
  TList list;
  EXPECT_THROW(list.First(), EListError);
  try {
    list.Last();
    FAIL();
  } catch (const EListError& error) {
    EXPECT_EQ(error.Message, "List index out of bounds (-1)");
  }
}

TEST(ObjectList, FreesWhatItOwnsButNotWhatItGivesBack) {
  int deaths = 0;
  auto* kept = new Tracked(deaths);
  {
    TObjectList list;
    EXPECT_TRUE(list.OwnsObjects());
    auto* first = new Tracked(deaths);
    list.Add(first);
    list.Add(new Tracked(deaths));
    list.Add(kept);
    list.Add(new Tracked(deaths));
    list.Delete(0);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(list.Extract(kept), kept);
    EXPECT_EQ(deaths, 1);
    list.SetItems(0, new Tracked(deaths));  // replaces and frees the old one
    EXPECT_EQ(deaths, 2);
    EXPECT_EQ(list.Count(), 2);
  }
  EXPECT_EQ(deaths, 4) << "the list's own destruction frees the rest";
  delete kept;
  EXPECT_EQ(deaths, 5);
}

TEST(ObjectList, NotOwningLeavesObjectsAlone) {
  int deaths = 0;
  Tracked a(deaths), b(deaths);
  {
    TObjectList list(false);
    list.Add(&a);
    list.Add(&b);
    list.Remove(&a);
    list.Clear();
  }
  EXPECT_EQ(deaths, 0);
}

TEST(ThreadList, DuplicatesAndLocking) {
  TThreadList list;
  list.Add(P(0));
  list.Add(P(0));
  EXPECT_EQ(list.LockList()->Count(), 1) << "dupIgnore by default";
  list.UnlockList();
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add(P(0)), EListError);
  list.SetDuplicates(dupAccept);
  list.Add(P(0));
  EXPECT_EQ(list.LockList()->Count(), 2);
  list.UnlockList();
  list.Remove(P(0));
  list.Clear();
  EXPECT_EQ(list.LockList()->Count(), 0);
  list.UnlockList();
}

TEST(ThreadList, ConcurrentAddsAreAllKept) {
  TThreadList list;
  list.SetDuplicates(dupAccept);
  std::vector<std::thread> workers;
  for (int w = 0; w < 4; ++w)
    workers.emplace_back([&] {
      for (int i = 0; i < 1000; ++i)
        list.Add(P(i % 8));
    });
  for (auto& worker : workers)
    worker.join();
  TList* locked = list.LockList();
  EXPECT_EQ(locked->Count(), 4000);
  list.UnlockList();
}
