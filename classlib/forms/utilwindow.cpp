#include "classlib/forms/utilwindow.h"

#include "classlib/controls/control.h"
#include "classlib/system/exceptions.h"

namespace {

const wchar_t kUtilClassName[] = L"TPUtilWindow";

void RegisterUtilClass(WNDPROC proc) {
  WNDCLASSW existing{};
  if (GetClassInfoW(GetModuleHandleW(nullptr), kUtilClassName, &existing))
    return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kUtilClassName;
  if (RegisterClassW(&wc) == 0)
    RaiseLastOSError();
}

}  // namespace

TUtilWindow::TUtilWindow(TUtilWindowHandler handler) : handler_(std::move(handler)) {
  RegisterUtilClass(&TUtilWindow::WindowProc);
  // A hidden top-level popup rather than a message-only window: popup menus
  // need an owner that can be made foreground.
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW, kUtilClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (handle_ == nullptr)
    RaiseLastOSError();
  SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TUtilWindow::~TUtilWindow() {
  if (handle_ != nullptr) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

LRESULT CALLBACK TUtilWindow::WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TUtilWindow*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (self != nullptr && self->handler_) {
    try {
      LRESULT result = 0;
      if (self->handler_(msg, wParam, lParam, result))
        return result;
    } catch (...) {
      ApplicationHandleException(nullptr);
      return 0;
    }
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}
