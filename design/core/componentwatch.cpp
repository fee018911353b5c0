#include "design/core/componentwatch.h"

#include <utility>

TComponentWatch::TComponentWatch(std::function<void(TComponent*)> Removed)
    : TComponent(nullptr), FRemoved(std::move(Removed)) {}

TComponentWatch::~TComponentWatch() {
  // Whoever owns the watch is going away; nothing may be reported to it now.
  FRemoved = nullptr;
}

void TComponentWatch::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && FRemoved)
    FRemoved(AComponent);
}
