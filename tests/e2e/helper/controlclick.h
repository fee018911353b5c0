// Clicking the parts of another program's common controls that have no
// window of their own: the buttons of a tool bar and the tabs of a tab
// control. Their texts and places are read through memory lent in the other
// process (the control messages carry pointers, which only mean something
// there), and the click is the pair of mouse messages a real click gives.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Clicks the enabled tool bar button with the caption `text` in a tool bar of
// `window`; false when there is none.
bool ClickToolButton(HWND window, const std::wstring& text);

// Clicks the tab with the caption `text` in a tab control of `window`; false
// when there is none.
bool ClickTab(HWND window, const std::wstring& text);

// The visible child windows (at any depth) of `window` whose window class is
// one of `classNames`, letters' case ignored, in the order EnumChildWindows
// meets them.
std::vector<HWND> VisibleChildrenOfClass(HWND window, std::vector<const wchar_t*> classNames);

// The text of the first visible status bar of `window` (in simple mode its
// simple text); false when there is no status bar.
bool StatusBarText(HWND window, std::wstring& text);

// A left click at (x, y) of the control's client area.
void PostClick(HWND control, int x, int y);

}  // namespace e2e
