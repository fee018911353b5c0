#include "classlib/forms/textbounds.h"

#include "classlib/graphics/canvas.h"

RECT TextBounds(TFont& font, const AnsiString& text, int maxWidth, UINT format) {
  HDC dc = GetDC(nullptr);
  RECT r{0, 0, maxWidth, 0};
  {
    TCanvas canvas(dc, TCanvasOwnership::Borrows);
    canvas.Font().Assign(&font);
    canvas.TextRect(r, text.empty() ? AnsiString(" ") : text, format | DT_CALCRECT);
  }
  ReleaseDC(nullptr, dc);
  return r;
}
