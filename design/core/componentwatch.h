// A component that hears when the components it watches are freed, for
// helpers that keep pointers to components they do not own.
#pragma once
#include <functional>

#include "classlib/classes/component.h"

class TComponentWatch : public TComponent {
public:
  // Removed hears of every watched component that is freed.
  explicit TComponentWatch(std::function<void(TComponent*)> Removed);
  ~TComponentWatch() override;

  void Watch(TComponent* Component) { FreeNotification(Component); }
  void Unwatch(TComponent* Component) { RemoveFreeNotification(Component); }
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  std::function<void(TComponent*)> FRemoved;
};
