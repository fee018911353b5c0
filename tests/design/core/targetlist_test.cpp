// The selection list and its receivers: links both ways, forwarding of every
// change, and no reference left to a receiver that is gone.
#include "design/core/targetlist.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A receiver that writes down what reaches it.
class TRecordingReceiver : public TReceiveTargets {
public:
  void ItemDeath(int Index) override { Log.push_back("ItemDeath " + std::to_string(Index)); }
  void Add(TComponent* Component) override { Log.push_back("Add " + Component->Name()); }
  void Clear() override { Log.push_back("Clear"); }
  void Delete(int Index) override { Log.push_back("Delete " + std::to_string(Index)); }
  void Update() override { Log.push_back("Update"); }

  std::vector<std::string> Log;
};

class TargetList : public testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"A", "B", "C"}) {
      components.push_back(std::make_unique<TComponent>(nullptr));
      components.back()->SetName(name);
    }
  }

  TComponent* C(int i) { return components[i].get(); }

  std::vector<std::unique_ptr<TComponent>> components;
};

TEST_F(TargetList, LinkingJoinsTwoPartiesBothWaysOnceWhicheverSideLinks) {
  TTargetList list;
  TRecordingReceiver receiver;
  list.Link(&receiver);
  receiver.Link(&list);
  list.Link(&receiver);
  ASSERT_EQ(list.PartyCount(), 1);
  ASSERT_EQ(receiver.PartyCount(), 1);
  EXPECT_EQ(list.Parties(0), &receiver);
  EXPECT_EQ(receiver.Parties(0), &list);

  receiver.Unlink(&list);
  EXPECT_EQ(receiver.PartyCount(), 0);
  EXPECT_EQ(list.PartyCount(), 0) << "unlinking works both ways, as linking does";
  list.Add(nullptr);
  EXPECT_TRUE(receiver.Log.empty());
}

TEST_F(TargetList, AReceiverThatIsDestroyedLeavesEveryListItWasLinkedTo) {
  TTargetList first;
  TTargetList second;
  TRecordingReceiver kept;
  {
    TRecordingReceiver gone;
    first.Link(&gone);
    second.Link(&gone);
    first.Link(&kept);
  }
  EXPECT_EQ(second.PartyCount(), 0);
  ASSERT_EQ(first.PartyCount(), 1);
  EXPECT_EQ(first.Parties(0), &kept);
  first.Add(C(0));  // reaches only the receiver still there
  EXPECT_EQ(kept.Log, (std::vector<std::string>{"Add A"}));

  auto list = std::make_unique<TTargetList>();
  list->Link(&kept);
  list.reset();
  EXPECT_EQ(kept.PartyCount(), 1) << "the destroyed list unlinked itself, the other one stays";
}

TEST_F(TargetList, EveryChangeIsAppliedAndThenRepeatedOnEachParty) {
  TTargetList list;
  TRecordingReceiver one;
  TRecordingReceiver two;
  list.Link(&one);
  list.Link(&two);

  EXPECT_EQ(list.Count(), -1) << "no inner list before the first entry";
  list.Add(C(0));
  list.Add(C(1));
  list.Add(C(2));
  EXPECT_EQ(list.Count(), 3);
  list.ItemDeath(1);
  EXPECT_EQ(list.Items(1), nullptr);
  EXPECT_EQ(list.Count(), 3) << "a dead entry stays until it is deleted";
  list.Delete(1);
  EXPECT_EQ(list.Items(1), C(2));
  list.Update();
  list.Clear();
  EXPECT_EQ(list.Count(), 0);

  const std::vector<std::string> expected{"Add A", "Add B", "Add C", "ItemDeath 1", "Delete 1", "Update", "Clear"};
  EXPECT_EQ(one.Log, expected);
  EXPECT_EQ(two.Log, expected);
}

TEST_F(TargetList, QueriesAnswerNothingOutsideTheListAndBadIndexesChangeNothing) {
  TTargetList list;
  TRecordingReceiver receiver;
  list.Link(&receiver);
  list.Add(C(0));
  list.Add(C(1));
  receiver.Log.clear();

  for (int index : {-1, 2, 5}) {
    EXPECT_EQ(list.Items(index), nullptr) << index;
    list.Delete(index);
    list.ItemDeath(index);
  }
  EXPECT_EQ(list.Count(), 2);
  EXPECT_TRUE(receiver.Log.empty()) << "nothing to repeat";
  EXPECT_EQ(list.IndexOf(C(1)), 1);
  EXPECT_EQ(list.IndexOf(C(2)), -1);
}

}  // namespace
