// Ownership, names, notifications and component state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures.h"

namespace {

// Records every notification it receives.
class TListener : public TComponent {
public:
  explicit TListener(TComponent* AOwner) : TComponent(AOwner) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    heard.push_back({AComponent, Operation});
  }
  std::vector<std::pair<TComponent*, TOperation>> heard;
};

// Tells a shared log when it is destroyed.
class TLogged : public TComponent {
public:
  TLogged(TComponent* AOwner, std::vector<std::string>& log, std::string name)
      : TComponent(AOwner), log_(log), name_(std::move(name)) {}
  ~TLogged() override { log_.push_back(name_); }

private:
  std::vector<std::string>& log_;
  std::string name_;
};

TEST(Ownership, InsertionOrderIndexAndFreeing) {
  std::vector<std::string> log;
  auto* owner = new TComponent(nullptr);
  auto* a = new TLogged(owner, log, "a");
  auto* b = new TLogged(owner, log, "b");
  auto* c = new TLogged(owner, log, "c");
  ASSERT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->Components(0), a);
  EXPECT_EQ(owner->Components(2), c);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_THROW(owner->Components(3), EListError);
  c->SetComponentIndex(0);
  EXPECT_EQ(owner->Components(0), c);
  EXPECT_EQ(a->ComponentIndex(), 1);
  delete b;
  EXPECT_EQ(owner->ComponentCount(), 2);
  owner->Free();
  // Owned components go last first.
  EXPECT_EQ(log, (std::vector<std::string>{"b", "a", "c"}));
}

TEST(Ownership, InsertTakesFromFormerOwnerAndRemoveKeepsAlive) {
  TComponent first(nullptr);
  TComponent second(nullptr);
  auto* child = new TComponent(&first);
  child->SetName("Child");
  second.InsertComponent(child);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(child->Owner(), &second);
  second.RemoveComponent(child);
  EXPECT_EQ(child->Owner(), nullptr);
  EXPECT_EQ(second.ComponentCount(), 0);
  delete child;
}

TEST(Names, ValidationAndDuplicates) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Label1");
  EXPECT_EQ(owner.FindComponent("LABEL1"), a);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  struct Case {
    const char* name;
    const char* message;
  };
  const Case bad[] = {
      {"1Label", "Component name \"1Label\" is not a valid identifier"},
      {"Label 2", "Component name \"Label 2\" is not a valid identifier"},
      {"Çizgi", nullptr},
      {"label1", "A component named label1 already exists"},
  };
  for (const Case& c : bad) {
    try {
      b->SetName(c.name);
      FAIL() << c.name;
    } catch (EComponentError& e) {
      if (c.message != nullptr) {
        EXPECT_EQ(e.Message, c.message);
      }
    }
    EXPECT_EQ(b->Name(), "");
  }
  // Case changes of one's own name, "" for several, underscores and digits.
  a->SetName("LABEL1");
  EXPECT_EQ(a->Name(), "LABEL1");
  b->SetName("_x9");
  b->SetName("");
  (new TComponent(&owner))->SetName("");
  EXPECT_EQ(owner.ComponentCount(), 3);
  // Inserting a component whose name is taken fails too.
  TComponent stranger(nullptr);
  auto* twin = new TComponent(&stranger);
  twin->SetName("Label1");
  EXPECT_THROW(owner.InsertComponent(twin), EComponentError);
  EXPECT_EQ(twin->Owner(), &stranger);
}

TEST(Notifications, OwnerTellsEveryOwnedComponent) {
  TComponent owner(nullptr);
  auto* listener = new TListener(&owner);
  auto* other = new TListener(&owner);
  auto* added = new TComponent(&owner);
  ASSERT_FALSE(listener->heard.empty());
  EXPECT_EQ(listener->heard.back(), std::make_pair(added, opInsert));
  EXPECT_EQ(other->heard.back(), std::make_pair(added, opInsert));
  added->Free();
  EXPECT_EQ(listener->heard.back(), std::make_pair(added, opRemove));
  EXPECT_EQ(other->heard.back(), std::make_pair(added, opRemove));
}

TEST(Notifications, FreeNotificationAcrossOwners) {
  TComponent formA(nullptr);
  TComponent formB(nullptr);
  auto* holder = new TSample(&formA);
  auto* target = new TSample(&formB);
  holder->SetBuddy(target);
  EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));
  target->Free();
  EXPECT_EQ(holder->Buddy(), nullptr);

  // Removing the link: no notice any more.
  auto* listener = new TListener(&formB);
  auto* watched = new TComponent(&formA);
  listener->FreeNotification(watched);
  listener->RemoveFreeNotification(watched);
  listener->heard.clear();
  watched->Free();
  EXPECT_TRUE(listener->heard.empty());

  // The link runs both ways: the listener dying first leaves nothing behind.
  auto* watched2 = new TComponent(&formA);
  listener->FreeNotification(watched2);
  listener->Free();
  watched2->Free();  // ASan: no use of the freed listener
}

TEST(State, DesigningSpreadsAndDestroyingIsSeen) {
  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  owner.SetDesigning(true);
  EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
  auto* later = new TComponent(&owner);
  EXPECT_TRUE(later->ComponentState().Contains(csDesigning));
  owner.SetDesigning(false, false);
  EXPECT_FALSE(owner.ComponentState().Contains(csDesigning));
  EXPECT_TRUE(child->ComponentState().Contains(csDesigning));

  struct TProbe : TComponent {
    explicit TProbe(TComponent* AOwner, bool& seen) : TComponent(AOwner), seen_(seen) {}
    ~TProbe() override { seen_ = ComponentState().Contains(csDestroying); }
    bool& seen_;
  };
  bool seen = false;
  auto* parent = new TComponent(nullptr);
  new TProbe(parent, seen);
  parent->Free();
  EXPECT_TRUE(seen);
}

TEST(State, DesignInfoStreamsAsLeftAndTop) {
  TComponent component(nullptr);
  component.SetDesignInfo((20 << 16) | 10);
  EXPECT_EQ(component.DesignInfo() & 0xFFFF, 10);
  EXPECT_EQ(component.DesignInfo() >> 16, 20);
}

}  // namespace
