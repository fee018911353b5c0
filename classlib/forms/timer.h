// TTimer: OnTimer every Interval milliseconds while Enabled, through
// SetTimer on a hidden utility window, so it fires from the message loop of
// the thread that made it.
#pragma once
#include <memory>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"

class TUtilWindow;

class TTimer : public TComponent {
  DECLARE_CLASS(TTimer, TComponent)

public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned Value);

  TNotifyEvent OnTimer;

protected:
  // Runs OnTimer; descendants override it to do their own work.
  virtual void Timer();

private:
  void UpdateTimer();

  std::unique_ptr<TUtilWindow> window_;
  bool enabled_ = true;
  unsigned interval_ = 1000;
};
