#include "classlib/forms/timer.h"

#include <windows.h>

#include "classlib/forms/utilwindow.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

BEGIN_PUBLISHED(TTimer)
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Interval, Interval, SetInterval).Default(1000),
  PROPERTY(OnTimer, OnTimer, OnTimer),
END_PUBLISHED

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  window_ = std::make_unique<TUtilWindow>([this](UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_TIMER || wParam != kTimerId)
      return false;
    Timer();
    result = 0;
    return true;
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  enabled_ = false;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(window_->Handle(), kTimerId);
  if (enabled_ && interval_ != 0)
    if (SetTimer(window_->Handle(), kTimerId, interval_, nullptr) == 0)
      throw EOutOfResources("Not enough timers available");
}

void TTimer::SetEnabled(bool Value) {
  if (enabled_ == Value)
    return;
  enabled_ = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (interval_ == Value)
    return;
  interval_ = Value;
  UpdateTimer();
}

void TTimer::Timer() {
  if (enabled_ && OnTimer)
    OnTimer(this);
}
