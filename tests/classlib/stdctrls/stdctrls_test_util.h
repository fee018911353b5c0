// Helpers shared by the standard control tests: a shown form that frees
// itself, a message pump that goes the application's way, and real key
// messages posted to a control's window.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/wintext.h"
#include "classlib/stdctrls/stdctrlsreg.h"

namespace stdctrls_test {

// Handles every queued message, as the application's loop does.
inline void Pump() {
  for (int i = 0; i < 5; ++i) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

// Handles messages until done() holds or the time is up; gives done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    Application->ProcessMessages();
    if (GetTickCount() - start > timeoutMs)
      return false;
    Sleep(5);
  }
  return true;
}

// The LParam of a key message: repeat count 1 and the key's scan code (and
// bits 30 and 31 for a key going up).
inline LPARAM KeyData(WORD key, bool up = false) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
  if (up)
    data |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  return data;
}

// Posts a key press (down and up) to the window with the focus and handles
// it; TranslateMessage makes the WM_CHAR of character keys.
inline void PressKey(WORD key) {
  HWND target = GetFocus();
  PostMessageW(target, WM_KEYDOWN, key, KeyData(key));
  PostMessageW(target, WM_KEYUP, key, KeyData(key, true));
  Pump();
}

// Types text into the window with the focus, one WM_CHAR per character.
inline void TypeChars(const wchar_t* text) {
  HWND target = GetFocus();
  for (const wchar_t* c = text; *c != 0; ++c)
    PostMessageW(target, WM_CHAR, *c, 1);
  Pump();
}

// The colour of a pixel of what the control paints (children included),
// in the control's client coordinates.
// PaintTo draws the window's border (a frame or a sunken edge) first and
// the client area inside it.
inline int PaintToBorder(TWinControl* control) {
  if (GetWindowLongPtrW(control->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
    return 2;
  return (GetWindowLongPtrW(control->Handle(), GWL_STYLE) & WS_BORDER) != 0 ? 1 : 0;
}

// What PaintTo draws, shifted so that (0, 0) is the client area's corner.
inline void PaintClient(TWinControl* control, TBitmap& bitmap) {
  bitmap.SetSize(control->Width(), control->Height());
  const int border = PaintToBorder(control);
  control->PaintTo(bitmap.Canvas().Handle(), -border, -border);
}

inline COLORREF PixelOf(TWinControl* control, int x, int y) {
  TBitmap bitmap;
  PaintClient(control, bitmap);
  return GetPixel(bitmap.Canvas().Handle(), x, y);
}

// Posts a left click at a client point of a window and handles it.
inline void ClickAt(HWND window, int x, int y) {
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  Pump();
}

// A form shown on the screen for one test, freed at its end.
class FormFixture : public ::testing::Test {
protected:
  FormFixture() {
    RegisterStdControls();
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 480, 360);
    form->SetCaption("Denetimler");
  }
  ~FormFixture() override { form->Free(); }

  void ShowForm() {
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
  }

public:
  // Creates a control of class C on the form.
  template <class C>
  C* Make(int left = 10, int top = 10, int width = -1, int height = -1) {
    auto* control = new C(form);
    control->SetParent(form);
    control->SetBounds(left, top, width < 0 ? control->Width() : width, height < 0 ? control->Height() : height);
    return control;
  }

protected:
  // Focuses the control through the form and handles the messages.
  void Focus(TWinControl* control) {
    control->SetFocus();
    Pump();
    // A combo box with an edit part gives the focus to that inner window.
    HWND focus = GetFocus();
    ASSERT_TRUE(focus == control->Handle() || IsChild(control->Handle(), focus))
        << "the control did not get the focus";
  }

  TForm* form;
};

}  // namespace stdctrls_test
