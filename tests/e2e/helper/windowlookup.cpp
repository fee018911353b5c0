#include "tests/e2e/helper/windowlookup.h"

namespace e2e {

namespace {

constexpr DWORD PollIntervalMs = 100;

struct Search {
  const std::wstring* caption;
  HWND found;
  HWND disabled;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (!IsWindowVisible(window))
    return TRUE;
  wchar_t text[512];
  const int length = GetWindowTextW(window, text, 512);
  if (search->caption->compare(0, std::wstring::npos, text, length) != 0)
    return TRUE;
  if (!IsWindowEnabled(window)) {
    if (!search->disabled)
      search->disabled = window;
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

// EnumWindows rather than FindWindowW: a hidden window of the same caption
// (the application's own window, a form not yet shown) must not count. Of
// two visible ones, the enabled one is taken: a modal form may carry the
// caption of the form it disables.
HWND FindVisibleWindow(const std::wstring& caption) {
  Search search{&caption, nullptr, nullptr};
  EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
  return search.found ? search.found : search.disabled;
}

HWND WaitForWindow(const std::wstring& caption, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (HWND window = FindVisibleWindow(caption))
      return window;
    if (GetTickCount64() >= deadline)
      return nullptr;
    Sleep(PollIntervalMs);
  }
}

bool WaitForWindowGone(const std::wstring& caption, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (FindVisibleWindow(caption)) {
    if (GetTickCount64() >= deadline)
      return false;
    Sleep(PollIntervalMs);
  }
  return true;
}

}  // namespace e2e
