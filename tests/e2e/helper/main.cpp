// e2e_helper: the end-to-end driver's hands and eyes inside Wine. Each call
// does one thing to the window with the given caption and ends; every wait is
// bounded. Exit code 0 on success, 1 on failure (reason on stderr), 2 on a
// wrong command line.
//
//   e2e_helper wait  CAPTION MS        wait until the window is visible
//   e2e_helper gone  CAPTION MS        wait until no such window is visible
//   e2e_helper keys  CAPTION ITEM...   bring it to the front and type; an ITEM is
//                                      text:CHARS or key:NAME (RETURN, ESCAPE, TAB, ..., a letter),
//                                      key:CTRL+NAME or key:ALT+NAME
//   e2e_helper focus CAPTION           print the text of the focused control
//   e2e_helper shot  CAPTION FILE      save a picture of the window as a BMP
//   e2e_helper click CAPTION TEXT      click the button with that text (BM_CLICK)
//   e2e_helper press CAPTION TEXT X Y  press the left mouse button at X,Y of the
//                                      parent of the control with that text
//                                      (for controls without a window)
//   e2e_helper clickrel CAPTION TEXT DX DY  click the left mouse button on the window
//                                      under the point DX,DY from the top left of the
//                                      control with that text (same parent), e.g. a grid cell
//   e2e_helper tool  CAPTION TEXT MS   click the enabled tool bar button TEXT, waiting
//                                      up to MS for the window and the button
//   e2e_helper tab   CAPTION TEXT      click the tab TEXT of a tab control
//   e2e_helper clickat CAPTION X Y     click at X,Y of the window's client area (a
//                                      negative X counts from its right edge) on
//                                      the control that is there
//   e2e_helper clickon CAPTION TEXT    click the control with that text itself
//                                      (it takes the focus, as under a real click)
//   e2e_helper front                   print the caption and class of the
//                                      foreground window
//   e2e_helper message CAPTION         print the text of the message box with
//                                      that caption (its static texts, a line each)
//   e2e_helper hold  MS                join Wine's desktop, print "ready", then
//                                      stay MS so the desktop stays up
//   e2e_helper texts CAPTION           print the text of every child window
//                                      that has one, a line each
//   e2e_helper clipboard               print the clipboard's text
//   e2e_helper rect  CAPTION CLASS N   print the screen rectangle (left top right
//                                      bottom) of the N-th visible child window
//                                      (1 = first, as EnumChildWindows meets them)
//                                      of window class CLASS
//   e2e_helper status CAPTION          print the text of the window's status bar
//   e2e_helper drag  CAPTION X1 Y1 X2 Y2 STEPS  bring the window to the front, press
//                                      the left mouse button at the screen point
//                                      X1,Y1, move to X2,Y2 in STEPS steps, release
//   e2e_helper shiftclick CAPTION X Y  bring the window to the front and click the
//                                      left mouse button at the screen point X,Y
//                                      with Shift held
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "tests/e2e/helper/controlclick.h"
#include "tests/e2e/helper/keyinput.h"
#include "tests/e2e/helper/mousedrag.h"
#include "tests/e2e/helper/windowlookup.h"
#include "tests/e2e/helper/windowshot.h"

namespace {

using Args = std::vector<std::wstring>;

int Fail(const wchar_t* what, const std::wstring& detail) {
  fwprintf(stderr, L"e2e_helper: %ls: %ls\n", what, detail.c_str());
  return 1;
}

HWND FindOrFail(const std::wstring& caption) {
  HWND window = e2e::FindVisibleWindow(caption);
  if (!window)
    Fail(L"no visible window", caption);
  return window;
}

bool TypeItem(const std::wstring& item) {
  if (item.rfind(L"text:", 0) == 0)
    return e2e::TypeText(item.substr(5));
  if (item.rfind(L"key:CTRL+", 0) == 0) {
    const auto key = e2e::VirtualKeyByName(item.substr(9));
    return key && e2e::PressKeyWithModifier(VK_CONTROL, *key);
  }
  if (item.rfind(L"key:ALT+", 0) == 0) {
    const auto key = e2e::VirtualKeyByName(item.substr(8));
    return key && e2e::PressKeyWithModifier(VK_MENU, *key);
  }
  if (item.rfind(L"key:", 0) == 0) {
    const auto key = e2e::VirtualKeyByName(item.substr(4));
    return key && e2e::PressKey(*key);
  }
  return false;
}

// The window with that caption, made the foreground window (input goes there).
HWND FindInFrontOrFail(const std::wstring& caption) {
  HWND window = FindOrFail(caption);
  if (window && !e2e::BringToFront(window)) {
    Fail(L"cannot bring to front", caption);
    return nullptr;
  }
  return window;
}

int Keys(const Args& args) {
  if (!FindInFrontOrFail(args[0]))
    return 1;
  for (size_t i = 1; i < args.size(); ++i)
    if (!TypeItem(args[i]))
      return Fail(L"cannot send", args[i]);
  return 0;
}

int Focus(const Args& args) {
  HWND window = FindOrFail(args[0]);
  if (!window)
    return 1;
  const auto text = e2e::FocusedControlText(window);
  if (!text)
    return Fail(L"no focused control", args[0]);
  // UTF-8 out, so the driver reads the text whatever the console code page is.
  const int size = WideCharToMultiByte(CP_UTF8, 0, text->data(), static_cast<int>(text->size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text->data(), static_cast<int>(text->size()), utf8.data(), size, nullptr, nullptr);
  fwrite(utf8.data(), 1, utf8.size(), stdout);
  fputc('\n', stdout);
  return 0;
}

int Shot(const Args& args) {
  HWND window = FindOrFail(args[0]);
  if (!window)
    return 1;
  return e2e::SaveWindowShot(window, args[1]) ? 0 : Fail(L"cannot save the picture", args[1]);
}

struct ChildSearch {
  const std::wstring* text;
  HWND found;
};

HWND FindChildByText(HWND window, const std::wstring& text) {
  ChildSearch search{&text, nullptr};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<ChildSearch*>(data);
        wchar_t buffer[256];
        GetWindowTextW(child, buffer, 256);
        if (*s->text == buffer) {
          s->found = child;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The child control with that text in the window with that caption; says
// which of the two is missing.
HWND FindControlOrFail(const std::wstring& caption, const std::wstring& text) {
  HWND window = FindOrFail(caption);
  if (!window)
    return nullptr;
  HWND control = FindChildByText(window, text);
  if (!control)
    Fail(L"no control with the text", text);
  return control;
}

int Click(const Args& args) {
  HWND button = FindControlOrFail(args[0], args[1]);
  if (!button)
    return 1;
  PostMessageW(button, BM_CLICK, 0, 0);
  return 0;
}

int Press(const Args& args) {
  HWND control = FindControlOrFail(args[0], args[1]);
  if (!control)
    return 1;
  HWND parent = GetParent(control);
  const LPARAM at = MAKELPARAM(wcstol(args[2].c_str(), nullptr, 10), wcstol(args[3].c_str(), nullptr, 10));
  PostMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(parent, WM_LBUTTONUP, 0, at);
  return 0;
}

DWORD Milliseconds(const std::wstring& text) { return static_cast<DWORD>(wcstoul(text.c_str(), nullptr, 10)); }

// Waits for the window too: a form opened by an earlier click comes up
// some time later, and its buttons are enabled only in some states.
int Tool(const Args& args) {
  const ULONGLONG deadline = GetTickCount64() + Milliseconds(args[2]);
  for (;;) {
    HWND window = e2e::FindVisibleWindow(args[0]);
    if (window && e2e::ClickToolButton(window, args[1]))
      return 0;
    if (GetTickCount64() >= deadline)
      return Fail(window ? L"no enabled tool bar button" : L"no visible window", window ? args[1] : args[0]);
    Sleep(100);
  }
}

int Tab(const Args& args) {
  HWND window = FindOrFail(args[0]);
  if (!window)
    return 1;
  return e2e::ClickTab(window, args[1]) ? 0 : Fail(L"no tab", args[1]);
}

int ClickAt(const Args& args) {
  HWND window = FindOrFail(args[0]);
  if (!window)
    return 1;
  RECT client{};
  GetClientRect(window, &client);
  int x = static_cast<int>(wcstol(args[1].c_str(), nullptr, 10));
  if (x < 0)
    x += client.right;
  POINT at{x, static_cast<int>(wcstol(args[2].c_str(), nullptr, 10))};
  ClientToScreen(window, &at);
  HWND control = window;
  // The innermost child window under the point receives the click.
  for (;;) {
    POINT local = at;
    ScreenToClient(control, &local);
    HWND child = ChildWindowFromPointEx(control, local, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == control)
      break;
    control = child;
  }
  ScreenToClient(control, &at);
  e2e::PostClick(control, at.x, at.y);
  return 0;
}

int ClickRelative(const Args& args) {
  HWND control = FindControlOrFail(args[0], args[1]);
  if (!control)
    return 1;
  HWND parent = GetParent(control);
  RECT rect;
  GetWindowRect(control, &rect);
  POINT at{rect.left + wcstol(args[2].c_str(), nullptr, 10), rect.top + wcstol(args[3].c_str(), nullptr, 10)};
  ScreenToClient(parent, &at);
  HWND target = ChildWindowFromPointEx(parent, at, CWP_SKIPINVISIBLE);
  if (!target)
    return Fail(L"no window at the point", args[1]);
  MapWindowPoints(parent, target, &at, 1);
  e2e::PostClick(target, at.x, at.y);
  return 0;
}

int ClickOn(const Args& args) {
  HWND control = FindControlOrFail(args[0], args[1]);
  if (!control)
    return 1;
  e2e::PostClick(control, 4, 4);
  return 0;
}

void PrintUtf8Line(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
  fwrite(utf8.data(), 1, utf8.size(), stdout);
  fputc('\n', stdout);
}

struct MessageSearch {
  const std::wstring* caption;
  HWND found;
};

// A message box is a visible top-level dialog window (class #32770); the
// program's own windows may carry the same caption.
HWND FindMessageBox(const std::wstring& caption) {
  MessageSearch search{&caption, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<MessageSearch*>(data);
        wchar_t text[256], kind[64];
        GetWindowTextW(window, text, 256);
        GetClassNameW(window, kind, 64);
        if (IsWindowVisible(window) && *s->caption == text && std::wstring(kind) == L"#32770") {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int Message(const Args& args) {
  HWND box = FindMessageBox(args[0]);
  if (!box)
    return Fail(L"no message box", args[0]);
  EnumChildWindows(
      box,
      [](HWND child, LPARAM) -> BOOL {
        wchar_t kind[64];
        GetClassNameW(child, kind, 64);
        const int length = GetWindowTextLengthW(child);
        if (std::wstring(kind) == L"Static" && length > 0) {
          std::wstring text(static_cast<size_t>(length) + 1, L'\0');
          text.resize(static_cast<size_t>(GetWindowTextW(child, text.data(), length + 1)));
          PrintUtf8Line(text);
        }
        return TRUE;
      },
      0);
  return 0;
}

int Front() {
  HWND window = GetForegroundWindow();
  wchar_t text[256] = L"", kind[64] = L"";
  if (window) {
    GetWindowTextW(window, text, 256);
    GetClassNameW(window, kind, 64);
  }
  PrintUtf8Line(std::wstring(text) + L"\t" + kind);
  return window ? 0 : Fail(L"no foreground window", L"");
}

int Texts(const Args& args) {
  HWND window = FindOrFail(args[0]);
  if (!window)
    return 1;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM) -> BOOL {
        wchar_t text[1024];
        DWORD_PTR length = 0;
        if (SendMessageTimeoutW(child, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                                &length) &&
            length > 0)
          PrintUtf8Line(std::wstring(text, static_cast<size_t>(length)));
        return TRUE;
      },
      0);
  return 0;
}

int ClipboardText() {
  if (!OpenClipboard(nullptr))
    return Fail(L"cannot open the clipboard", L"");
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
  if (text) {
    PrintUtf8Line(text);
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text ? 0 : Fail(L"no text on the clipboard", L"");
}

int ChildRectangle(const Args& args) {
  HWND window = FindOrFail(args[0]);
  if (!window)
    return 1;
  const std::vector<HWND> children = e2e::VisibleChildrenOfClass(window, {args[1].c_str()});
  const long order = wcstol(args[2].c_str(), nullptr, 10);
  if (order < 1 || static_cast<size_t>(order) > children.size())
    return Fail(L"no such child of the class", args[1] + L" " + args[2]);
  RECT rect{};
  GetWindowRect(children[static_cast<size_t>(order) - 1], &rect);
  printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  return 0;
}

int StatusText(const Args& args) {
  HWND window = FindOrFail(args[0]);
  if (!window)
    return 1;
  std::wstring text;
  if (!e2e::StatusBarText(window, text))
    return Fail(L"no status bar", args[0]);
  PrintUtf8Line(text);
  return 0;
}

int Drag(const Args& args) {
  if (!FindInFrontOrFail(args[0]))
    return 1;
  auto number = [&args](size_t index) { return static_cast<LONG>(wcstol(args[index].c_str(), nullptr, 10)); };
  const POINT from{number(1), number(2)}, to{number(3), number(4)};
  return e2e::DragMouse(from, to, static_cast<int>(number(5))) ? 0 : Fail(L"the mouse did not follow", args[0]);
}

int ShiftClick(const Args& args) {
  if (!FindInFrontOrFail(args[0]))
    return 1;
  const POINT at{wcstol(args[1].c_str(), nullptr, 10), wcstol(args[2].c_str(), nullptr, 10)};
  return e2e::ShiftClickMouse(at) ? 0 : Fail(L"the mouse did not follow", args[0]);
}

// Asking for the desktop window makes Wine start its desktop process when it
// is not running, and returns once it is there.
int Hold(const Args& args) {
  if (!GetDesktopWindow())
    return Fail(L"no desktop window", L"");
  fputs("ready\n", stdout);
  fflush(stdout);
  Sleep(Milliseconds(args[0]));
  return 0;
}

int Run(const std::wstring& command, const Args& args) {
  if (command == L"wait" && args.size() == 2)
    return e2e::WaitForWindow(args[0], Milliseconds(args[1])) ? 0 : Fail(L"window did not appear", args[0]);
  if (command == L"gone" && args.size() == 2)
    return e2e::WaitForWindowGone(args[0], Milliseconds(args[1])) ? 0 : Fail(L"window is still there", args[0]);
  if (command == L"keys" && args.size() >= 2)
    return Keys(args);
  if (command == L"focus" && args.size() == 1)
    return Focus(args);
  if (command == L"shot" && args.size() == 2)
    return Shot(args);
  if (command == L"click" && args.size() == 2)
    return Click(args);
  if (command == L"press" && args.size() == 4)
    return Press(args);
  if (command == L"clickrel" && args.size() == 4)
    return ClickRelative(args);
  if (command == L"tool" && args.size() == 3)
    return Tool(args);
  if (command == L"tab" && args.size() == 2)
    return Tab(args);
  if (command == L"clickat" && args.size() == 3)
    return ClickAt(args);
  if (command == L"clickon" && args.size() == 2)
    return ClickOn(args);
  if (command == L"front" && args.empty())
    return Front();
  if (command == L"message" && args.size() == 1)
    return Message(args);
  if (command == L"hold" && args.size() == 1)
    return Hold(args);
  if (command == L"texts" && args.size() == 1)
    return Texts(args);
  if (command == L"clipboard" && args.empty())
    return ClipboardText();
  if (command == L"rect" && args.size() == 3)
    return ChildRectangle(args);
  if (command == L"status" && args.size() == 1)
    return StatusText(args);
  if (command == L"drag" && args.size() == 6)
    return Drag(args);
  if (command == L"shiftclick" && args.size() == 3)
    return ShiftClick(args);
  fwprintf(stderr, L"e2e_helper: wrong command line (see the head of main.cpp)\n");
  return 2;
}

}  // namespace

int main() {
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv || count < 2)
    return Run(L"", {});
  Args args(argv + 2, argv + count);
  const std::wstring command = argv[1];
  LocalFree(argv);
  return Run(command, args);
}
