#include "design/core/postednotices.h"

#include <gtest/gtest.h>

#include <memory>

#include "layoutfixtures.h"

namespace {

// An object that is not a component, with a life tickets can watch.
class TAgentLike : public TObject {
public:
  TLifeToken Life;
};

class PostedNoticesTest : public testing::Test {
protected:
  TPostedNotices notices;
  TTestForm form{nullptr};
};

TEST_F(PostedNoticesTest, LiveComponentIsRedeemedOnce) {
  auto* page = new TTestPage(&form);
  auto ticket = notices.Issue(page);
  EXPECT_NE(ticket, 0u);
  EXPECT_EQ(notices.Redeem(ticket), page);
  EXPECT_EQ(notices.Redeem(ticket), nullptr);
  EXPECT_EQ(notices.Pending(), 0u);
}

TEST_F(PostedNoticesTest, FreedComponentVoidsAllItsTickets) {
  auto* page = new TTestPage(&form);
  auto created = notices.Issue(page);
  auto loaded = notices.Issue(page);
  page->Free();
  EXPECT_EQ(notices.Pending(), 0u);
  EXPECT_EQ(notices.Redeem(created), nullptr);
  EXPECT_EQ(notices.Redeem(loaded), nullptr);
}

TEST_F(PostedNoticesTest, ComponentFreedAfterOneRedeemVoidsTheOther) {
  auto* page = new TTestPage(&form);
  auto first = notices.Issue(page);
  auto second = notices.Issue(page);
  EXPECT_EQ(notices.Redeem(first), page);
  page->Free();
  EXPECT_EQ(notices.Redeem(second), nullptr);
}

TEST_F(PostedNoticesTest, RedeemedComponentIsNoLongerWatched) {
  // Freeing a component after its last ticket was used must not reach the
  // table at all (nothing left to forget, no link left behind).
  auto* page = new TTestPage(&form);
  EXPECT_EQ(notices.Redeem(notices.Issue(page)), page);
  auto* other = new TTestPage(&form);
  auto kept = notices.Issue(other);
  page->Free();
  EXPECT_EQ(notices.Redeem(kept), other);
}

TEST_F(PostedNoticesTest, ObjectTicketDiesWithItsLife) {
  auto agent = std::make_unique<TAgentLike>();
  auto live = notices.Issue(agent.get(), agent->Life);
  auto stale = notices.Issue(agent.get(), agent->Life);
  EXPECT_EQ(notices.Redeem(live), agent.get());
  agent.reset();
  EXPECT_EQ(notices.Redeem(stale), nullptr);
}

TEST_F(PostedNoticesTest, ExpiredObjectTicketsAreDroppedWhenNewOnesAreIssued) {
  auto gone = std::make_unique<TAgentLike>();
  notices.Issue(gone.get(), gone->Life);
  gone.reset();
  TAgentLike kept;
  auto ticket = notices.Issue(&kept, kept.Life);
  EXPECT_EQ(notices.Pending(), 1u);
  EXPECT_EQ(notices.Redeem(ticket), &kept);
}

TEST_F(PostedNoticesTest, UnknownAndNullTicketsGiveNothing) {
  EXPECT_EQ(notices.Issue(static_cast<TComponent*>(nullptr)), 0u);
  EXPECT_EQ(notices.Redeem(0), nullptr);
  EXPECT_EQ(notices.Redeem(12345), nullptr);
}

TEST_F(PostedNoticesTest, TicketsAreNeverReused) {
  auto* page = new TTestPage(&form);
  auto first = notices.Issue(page);
  notices.Redeem(first);
  auto second = notices.Issue(page);
  EXPECT_NE(first, second);
  EXPECT_EQ(notices.Redeem(first), nullptr);
  EXPECT_EQ(notices.Redeem(second), page);
}

TEST_F(PostedNoticesTest, ClearVoidsEverything) {
  auto* page = new TTestPage(&form);
  auto ticket = notices.Issue(page);
  notices.Clear();
  EXPECT_EQ(notices.Redeem(ticket), nullptr);
  page->Free();  // no watch link left to a cleared table
  EXPECT_EQ(notices.Pending(), 0u);
}

TEST(PostedNoticesLifetime, TableMayGoBeforeTheComponents) {
  TTestForm form(nullptr);
  auto* page = new TTestPage(&form);
  {
    TPostedNotices notices;
    notices.Issue(page);
  }
  page->Free();  // must not reach the destroyed table (the sanitizers watch)
  EXPECT_EQ(form.ComponentCount(), 0);
}

}  // namespace
