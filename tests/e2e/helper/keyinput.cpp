#include "tests/e2e/helper/keyinput.h"

#include <array>
#include <vector>

namespace e2e {

namespace {

constexpr DWORD FrontTimeoutMs = 5000;
constexpr DWORD PollIntervalMs = 50;
constexpr UINT MessageTimeoutMs = 5000;
// Time for the receiving program to handle one key before the next arrives;
// the input queue keeps the order, the pause only spares a busy program.
constexpr DWORD KeyPauseMs = 30;

INPUT KeyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = flags;
  return input;
}

bool Send(std::vector<INPUT> inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(KeyPauseMs);
  return sent == inputs.size();
}

}  // namespace

bool BringToFront(HWND window) {
  const ULONGLONG deadline = GetTickCount64() + FrontTimeoutMs;
  for (;;) {
    if (GetForegroundWindow() == window)
      return true;
    SetForegroundWindow(window);
    if (GetTickCount64() >= deadline)
      return GetForegroundWindow() == window;
    Sleep(PollIntervalMs);
  }
}

bool PressKey(WORD virtualKey) {
  const WORD scan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  return Send({KeyInput(virtualKey, scan, 0), KeyInput(virtualKey, scan, KEYEVENTF_KEYUP)});
}

bool PressKeyWithModifier(WORD modifier, WORD virtualKey) {
  const WORD modifierScan = static_cast<WORD>(MapVirtualKeyW(modifier, MAPVK_VK_TO_VSC));
  const WORD scan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  return Send({KeyInput(modifier, modifierScan, 0), KeyInput(virtualKey, scan, 0),
               KeyInput(virtualKey, scan, KEYEVENTF_KEYUP), KeyInput(modifier, modifierScan, KEYEVENTF_KEYUP)});
}

// Unicode key events: the text arrives as itself whatever keyboard layout the
// prefix has chosen.
bool TypeText(const std::wstring& text) {
  for (wchar_t c : text)
    if (!Send({KeyInput(0, c, KEYEVENTF_UNICODE), KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)}))
      return false;
  return true;
}

std::optional<WORD> VirtualKeyByName(const std::wstring& name) {
  struct Named {
    const wchar_t* name;
    WORD key;
  };
  static constexpr std::array<Named, 13> keys{{
      {L"RETURN", VK_RETURN}, {L"ESCAPE", VK_ESCAPE}, {L"TAB", VK_TAB}, {L"F2", VK_F2}, {L"F3", VK_F3},
      {L"BACK", VK_BACK}, {L"DOWN", VK_DOWN}, {L"UP", VK_UP}, {L"HOME", VK_HOME}, {L"RIGHT", VK_RIGHT},
      {L"F5", VK_F5}, {L"F10", VK_F10}, {L"END", VK_END},
  }};
  for (const Named& k : keys)
    if (name == k.name)
      return k.key;
  // A letter or digit is its own virtual key (for CTRL+S and the like).
  if (name.size() == 1 && ((name[0] >= L'A' && name[0] <= L'Z') || (name[0] >= L'0' && name[0] <= L'9')))
    return static_cast<WORD>(name[0]);
  return std::nullopt;
}

std::optional<std::wstring> FocusedControlText(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus)
    return std::nullopt;
  wchar_t text[1024];
  DWORD_PTR length = 0;
  // WM_GETTEXT crosses the process boundary (the text is copied back to us);
  // the time-out keeps a hung program from hanging the driver too.
  if (!SendMessageTimeoutW(info.hwndFocus, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                           MessageTimeoutMs, &length))
    return std::nullopt;
  return std::wstring(text, static_cast<size_t>(length));
}

}  // namespace e2e
