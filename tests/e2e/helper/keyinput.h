// Keyboard input for another program's window, sent through the system's
// input queue as a real keyboard's would be, so the program sees the usual
// key-down, character and key-up messages in its own message loop.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

// Makes the window the foreground window; false when it is not after a bounded wait.
bool BringToFront(HWND window);

// Presses and releases one virtual key.
bool PressKey(WORD virtualKey);
// Presses and releases one virtual key with a modifier (VK_CONTROL, VK_MENU) held.
bool PressKeyWithModifier(WORD modifier, WORD virtualKey);

// Types the text character by character.
bool TypeText(const std::wstring& text);

// The virtual key of a name such as "RETURN" or "ESCAPE", if it is known.
std::optional<WORD> VirtualKeyByName(const std::wstring& name);

// The text of the control that has the keyboard focus in the window's thread.
std::optional<std::wstring> FocusedControlText(HWND window);

}  // namespace e2e
