// A picture of another program's window, frame and menu bar included.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// Copies the window through its window DC into a 24-bit BMP file; false when
// the copy or the file fails. (Copying from the screen DC gives black under
// Wine without a window manager: the root window's copy leaves the windows out.)
bool SaveWindowShot(HWND window, const std::wstring& fileName);

}  // namespace e2e
