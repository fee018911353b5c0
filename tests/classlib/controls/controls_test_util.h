// Helpers shared by the control tests: a top-level host window and a
// message pump that goes the way the application's loop goes.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/controls/controls.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"

namespace controls_test {

// A parentless control with a top-level window of its own, standing in for
// a form: it accepts children and is hidden until shown.
class THostWindow : public TCustomControl {
  DECLARE_CLASS(THostWindow, TCustomControl)

public:
  explicit THostWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetVisible(false);
    SetBounds(100, 100, 400, 300);
    SetColor(clBtnFace);
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.ExStyle = WS_EX_CONTROLPARENT;
    Params.WndParent = nullptr;
  }
};

// Dispatches what is queued, offering key messages to the controls first as
// the application's loop does.
inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (IsControlKeyMsg(msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Pumps until done() or the time is up; gives done()'s last answer.
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 2000) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end)
      return false;
    Pump();
    Sleep(10);
  }
  return true;
}

// A host shown on the screen at (100, 100), freed at the end of the test.
struct ShownHost {
  ShownHost() : host(new THostWindow(nullptr)) {}
  ~ShownHost() { host->Free(); }
  // The mouse is parked away from the host, so no test starts with it over
  // a control (mouse moves of earlier tests may still be on their way).
  void Show() {
    SetCursorPos(0, 0);
    host->Show();
    SetForegroundWindow(host->Handle());
    Pump();
    PumpUntil([] { return MouseControl() == nullptr; }, 1000);
  }
  THostWindow* host;
};

inline std::string BoundsText(TControl* c) {
  return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + "," + std::to_string(c->Width()) + "," +
         std::to_string(c->Height());
}

}  // namespace controls_test
