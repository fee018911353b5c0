#include "design/core/postednotices.h"

#include <iterator>

TPostedNotices::TPostedNotices()
    : FWatch(std::make_unique<TComponentWatch>([this](TComponent* gone) { Forget(gone); })) {}

TPostedNotices::~TPostedNotices() = default;

TPostedNotices::TTicket TPostedNotices::Issue(TComponent* Component) {
  if (Component == nullptr)
    return 0;
  TTicket ticket = FNext++;
  FEntries[ticket] = TEntry{Component, Component, {}};
  FWatch->Watch(Component);
  return ticket;
}

TPostedNotices::TTicket TPostedNotices::Issue(TObject* Object, const TLifeToken& Life) {
  if (Object == nullptr)
    return 0;
  // Expired tickets of other objects are dropped here, so the table stays
  // as small as the notices really waiting.
  std::erase_if(FEntries, [](const auto& entry) {
    return entry.second.Component == nullptr && entry.second.Life.expired();
  });
  TTicket ticket = FNext++;
  FEntries[ticket] = TEntry{Object, nullptr, Life.Watch()};
  return ticket;
}

TObject* TPostedNotices::Redeem(TTicket Ticket) {
  auto found = FEntries.find(Ticket);
  if (found == FEntries.end())
    return nullptr;
  TEntry entry = found->second;
  FEntries.erase(found);
  if (entry.Component != nullptr) {
    if (!StillWatched(entry.Component))
      FWatch->Unwatch(entry.Component);
    return entry.Object;
  }
  return entry.Life.expired() ? nullptr : entry.Object;
}

void TPostedNotices::Clear() {
  for (auto& [ticket, entry] : FEntries)
    if (entry.Component != nullptr)
      FWatch->Unwatch(entry.Component);
  FEntries.clear();
}

void TPostedNotices::Forget(TComponent* Component) {
  std::erase_if(FEntries, [Component](const auto& entry) { return entry.second.Component == Component; });
}

bool TPostedNotices::StillWatched(TComponent* Component) const {
  for (const auto& [ticket, entry] : FEntries)
    if (entry.Component == Component)
      return true;
  return false;
}
