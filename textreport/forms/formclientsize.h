// A form's frame and its size from a client size, known before its window
// exists: the frame its border style and icons give.
#pragma once
#include <windows.h>

#include "classlib/forms/forms.h"

// What the frame adds to the client width and height.
inline SIZE FormFrameSize(const TCustomForm& Form) {
  const TFormWindowStyle style =
      FormWindowStyle(Form.BorderStyle(), Form.BorderIcons(), Form.FormStyle(), Form.WindowState());
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, style.Style, FALSE, style.ExStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

inline void SetFormClientSize(TCustomForm& Form, int ClientWidth, int ClientHeight) {
  const SIZE frame = FormFrameSize(Form);
  Form.SetBounds(Form.Left(), Form.Top(), ClientWidth + frame.cx, ClientHeight + frame.cy);
}
