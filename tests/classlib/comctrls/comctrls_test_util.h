// Helpers shared by the common control tests: a shown form to put controls
// on, a message pump, keys pressed as the application's loop delivers them,
// and clicks sent to a window.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/comctrls/comctrls.h"
#include "classlib/controls/extctrls.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/wintext.h"
#include "tests/support/formfixture.h"

namespace comctrls_test {

using test_support::FormFixture;
using test_support::FreeComponent;
using test_support::Owned;
using test_support::Pump;
using test_support::SharedForm;

// Holds Ctrl and/or Shift down in the thread's key state while alive.
class HeldKeys {
public:
  HeldKeys(bool Ctrl, bool Shift) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), std::begin(state));
    state[VK_CONTROL] = state[VK_LCONTROL] = Ctrl ? 0x80 : 0;
    state[VK_SHIFT] = state[VK_LSHIFT] = Shift ? 0x80 : 0;
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }

private:
  BYTE saved_[256];
};

// Delivers one key message the way the application's loop does: the
// controls see it first, then the window (with its character translated).
inline void Deliver(HWND Wnd, UINT Msg, WPARAM Key) {
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(Key), MAPVK_VK_TO_VSC);
  LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
  if (Msg == WM_KEYUP)
    data |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  MSG msg{Wnd, Msg, Key, data, static_cast<DWORD>(GetMessageTime()), {}};
  if (IsControlKeyMsg(msg))
    return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  Pump();
}

// Presses and releases a key on the focused window, with Ctrl/Shift held.
inline void PressKey(WORD Key, bool Ctrl = false, bool Shift = false) {
  HeldKeys held(Ctrl, Shift);
  HWND focus = GetFocus();
  Deliver(focus, WM_KEYDOWN, Key);
  Deliver(GetFocus() != nullptr ? GetFocus() : focus, WM_KEYUP, Key);
}

// A left click at a client point of a window.
inline void Click(HWND Wnd, int X, int Y) {
  SendMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
  SendMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
  Pump();
}

inline int CenterX(const RECT& r) { return (r.left + r.right) / 2; }
inline int CenterY(const RECT& r) { return (r.top + r.bottom) / 2; }

}  // namespace comctrls_test
