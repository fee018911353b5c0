#include "classlib/forms/hintwindow.h"

#include "classlib/forms/application.h"
#include "classlib/forms/screen.h"
#include "classlib/forms/textbounds.h"
#include "classlib/graphics/canvas.h"

namespace {
constexpr UINT kHintTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
}

AnsiString GetShortHint(const AnsiString& Hint) {
  const std::size_t bar = Hint.find('|');
  return bar == AnsiString::npos ? Hint : Hint.substr(0, bar);
}

AnsiString GetLongHint(const AnsiString& Hint) {
  const std::size_t bar = Hint.find('|');
  return bar == AnsiString::npos ? Hint : Hint.substr(bar + 1);
}

IMPLEMENT_CLASS(THintWindow)

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetVisible(false);
  SetColor(Application->HintColor());
  Font()->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  Params.WndParent = Application->Handle();
  Params.WindowClass.style |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const AnsiString& AHint) {
  RECT r = TextBounds(*Font(), AHint, MaxWidth, kHintTextFlags);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect Rect, const AnsiString& AHint) {
  SetCaption(AHint);
  // Kept on the screen's work area.
  const TRect work = Screen->WorkAreaRect();
  const int width = Rect.right - Rect.left, height = Rect.bottom - Rect.top;
  if (Rect.right > work.right)
    Rect.left = std::max<LONG>(work.left, work.right - width);
  if (Rect.bottom > work.bottom)
    Rect.top = std::max<LONG>(work.top, Rect.top - height - 24);
  SetColor(Application->HintColor());
  SetBounds(Rect.left, Rect.top, width, height);
  SetWindowPos(Handle(), HWND_TOPMOST, Rect.left, Rect.top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  if (HandleAllocated())
    ShowWindow(Handle(), SW_HIDE);
}

void THintWindow::Paint() {
  TCanvas& canvas = *Canvas();
  RECT r = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  r.left += 2;
  r.top += 1;
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(bsClear);
  canvas.TextRect(r, Caption(), kHintTextFlags);
}
