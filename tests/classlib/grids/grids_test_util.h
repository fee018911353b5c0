// Helpers shared by the grid tests: a shown form holding a grid, a message
// pump, real key and mouse messages, and pixels of a painted copy.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/grids/drawgrid.h"
#include "classlib/grids/stringgrid.h"

namespace grids_test {

// Handles what is queued the way the application's loop does.
inline void Pump() { Application->ProcessMessages(); }

inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    Pump();
    if (GetTickCount() - start > timeoutMs)
      return false;
    Sleep(5);
  }
  return true;
}

// The LParam of a key message: repeat count 1 and the key's scan code.
inline LPARAM KeyData(WORD key, bool up = false) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
  if (up)
    data |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  return data;
}

// Holds modifier keys down in the thread's keyboard state (what
// GetKeyState reports to the key handlers) while it lives.
class HeldKeys {
public:
  explicit HeldKeys(std::initializer_list<WORD> keys) : keys_(keys.begin(), keys.end()) { Set(0x80); }
  ~HeldKeys() { Set(0); }

private:
  void Set(BYTE state) {
    BYTE keyboard[256];
    GetKeyboardState(keyboard);
    for (WORD k : keys_)
      keyboard[k] = state;
    SetKeyboardState(keyboard);
  }
  std::vector<WORD> keys_;
};

// Presses and releases a key on the window with the focus (the grid or its
// editor) and handles what follows, the characters TranslateMessage makes
// included.
inline void PressKey(WORD key) {
  HWND target = GetFocus();
  PostMessageW(target, WM_KEYDOWN, key, KeyData(key));
  PostMessageW(target, WM_KEYUP, key, KeyData(key, true));
  Pump();
}

// Types text character by character into the focused window: the
// characters a keyboard (or an input method) sends as WM_CHAR.
inline void TypeText(const wchar_t* text) {
  for (const wchar_t* p = text; *p != 0; ++p) {
    PostMessageW(GetFocus(), WM_CHAR, *p, 1);
    Pump();
  }
}

inline void Click(TControl* control, int x, int y, WPARAM keys = 0) {
  HWND wnd = static_cast<TWinControl*>(control)->Handle();
  PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
  PostMessageW(wnd, WM_LBUTTONUP, keys, MAKELPARAM(x, y));
  Pump();
}

inline void Drag(TWinControl* control, POINT from, POINT to) {
  HWND wnd = control->Handle();
  PostMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
  PostMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  PostMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
  Pump();
}

inline POINT Center(const TRect& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The form the grids of the tests stand on: made and shown once, since
// hiding a top-level window costs seconds under Wine without a window
// manager. It lives until the process ends.
inline TForm* SharedForm() {
  static TForm* form = [] {
    auto* f = new TForm(nullptr);
    f->SetBounds(60, 60, 460, 340);
    f->SetCaption("Izgara");
    f->Show();
    SetForegroundWindow(f->Handle());
    Pump();
    return f;
  }();
  return form;
}

// One grid of class G on the shared form, freed at the end of the test.
template <class G>
class GridOnForm {
public:
  GridOnForm() {
    grid = new G(SharedForm());
    grid->SetParent(SharedForm());
    grid->SetBorderStyle(bsNone);
    grid->SetBounds(10, 10, 400, 260);
  }
  ~GridOnForm() {
    // Taken off the form first: a control freed on its own is left in its
    // parent's tab list by the control core (reported), which later Tab
    // keys would walk.
    grid->SetParent(nullptr);
    grid->Free();
    Pump();
  }

  // Shows the grid and gives it the focus.
  void Show() {
    SetForegroundWindow(SharedForm()->Handle());
    Pump();
    grid->SetFocus();
    Pump();
  }
  TForm* Form() const { return SharedForm(); }

  // A painted copy of the grid (PaintTo), in a bitmap of the grid's size.
  std::unique_ptr<TBitmap> Snapshot() {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(grid->Width(), grid->Height());
    grid->PaintTo(bitmap->Canvas(), 0, 0);
    return bitmap;
  }

  G* grid;
};

}  // namespace grids_test
