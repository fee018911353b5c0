// Tickets for notices that name an object and wait in a message queue.
//
// A notice posted to a window reaches its receiver only after the poster has
// returned to the message loop; by then the object it names may be gone. So
// the notice carries a ticket instead of the object's address: the receiver
// redeems the ticket and gets the object only while it is alive. A ticket is
// redeemed once; tickets are never reused.
#pragma once
#include <cstdint>
#include <map>
#include <memory>

#include "design/core/componentwatch.h"

// The life of an object that is not a component, as tickets see it: the
// tickets issued for the object are void once its token is destroyed.
class TLifeToken {
public:
  TLifeToken() : FLife(std::make_shared<char>(0)) {}
  TLifeToken(const TLifeToken&) = delete;
  TLifeToken& operator=(const TLifeToken&) = delete;

  std::weak_ptr<const void> Watch() const { return FLife; }

private:
  std::shared_ptr<char> FLife;
};

class TPostedNotices {
public:
  using TTicket = std::uint64_t;  // 0 is never issued

  TPostedNotices();
  ~TPostedNotices();
  TPostedNotices(const TPostedNotices&) = delete;
  TPostedNotices& operator=(const TPostedNotices&) = delete;

  // A ticket for a component: void once the component is freed.
  TTicket Issue(TComponent* Component);
  // A ticket for another object: void once Life has expired.
  TTicket Issue(TObject* Object, const TLifeToken& Life);
  // The object of a live ticket, which is used up; nullptr for a ticket whose
  // object is gone, one redeemed already and one never issued.
  TObject* Redeem(TTicket Ticket);
  // Tickets issued and neither redeemed nor void.
  std::size_t Pending() const { return FEntries.size(); }
  void Clear();

private:
  struct TEntry {
    TObject* Object = nullptr;
    TComponent* Component = nullptr;  // set for component tickets
    std::weak_ptr<const void> Life;   // set for the others
  };

  void Forget(TComponent* Component);
  bool StillWatched(TComponent* Component) const;

  std::map<TTicket, TEntry> FEntries;
  TTicket FNext = 1;
  std::unique_ptr<TComponentWatch> FWatch;
};
