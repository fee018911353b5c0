// Helpers shared by the forms tests.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"

namespace forms_test {

// Frees a component (form, menu ...) made by a test.
struct FreeComponent {
  void operator()(TComponent* c) const { c->Free(); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeComponent>;

// Handles the messages waiting, up to timeoutMs, until done() holds.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    Application->ProcessMessages();
    if (GetTickCount() - start > timeoutMs)
      return false;
    Sleep(5);
  }
  return true;
}

// Ends a modal loop that a test's input failed to end, so no test hangs:
// every timeoutMs the form gets mrAbort (again, should a close query refuse).
class ModalWatchdog {
public:
  explicit ModalWatchdog(TCustomForm& form, UINT timeoutMs = 5000) {
    target() = &form;
    timer_ = SetTimer(nullptr, 0, timeoutMs, [](HWND, UINT, UINT_PTR, DWORD) {
      if (target() != nullptr)
        target()->SetModalResult(mrAbort);
    });
  }
  ~ModalWatchdog() {
    KillTimer(nullptr, timer_);
    target() = nullptr;
  }

private:
  static TCustomForm*& target() {
    static TCustomForm* form = nullptr;
    return form;
  }
  UINT_PTR timer_;
};

// The LParam of a key message: repeat count 1, and bit 29 for Alt.
inline LPARAM KeyData(WORD key, bool alt = false) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  return 1 | (static_cast<LPARAM>(scan) << 16) | (alt ? (LPARAM{1} << 29) : 0);
}

}  // namespace forms_test
