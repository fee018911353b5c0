// Hidden utility windows: a message-only target for timers, popup menus and
// cross-thread calls. Each window of class "TPUtilWindow" hands every message
// to its handler; what the handler leaves unanswered goes to DefWindowProcW.
// An exception a handler raises goes to the application's handler, never
// through the system's frames.
#pragma once
#include <windows.h>

#include <functional>

// Answers a message; returns true when it handled it (Result is then used).
using TUtilWindowHandler = std::function<bool(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result)>;

class TUtilWindow {
public:
  explicit TUtilWindow(TUtilWindowHandler handler);
  ~TUtilWindow();
  TUtilWindow(const TUtilWindow&) = delete;
  TUtilWindow& operator=(const TUtilWindow&) = delete;

  HWND Handle() const { return handle_; }

private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  TUtilWindowHandler handler_;
};
