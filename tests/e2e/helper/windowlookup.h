// Finding another program's top-level window by its caption, with a bounded
// wait: the end-to-end driver must never hang on a window that never comes.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// The first visible, preferably enabled, top-level window whose caption is
// exactly `caption`, or null.
HWND FindVisibleWindow(const std::wstring& caption);

// Polls for the window until it is visible or `timeoutMs` has passed.
HWND WaitForWindow(const std::wstring& caption, DWORD timeoutMs);

// Polls until no visible window has the caption; false when it is still there
// after `timeoutMs`.
bool WaitForWindowGone(const std::wstring& caption, DWORD timeoutMs);

}  // namespace e2e
