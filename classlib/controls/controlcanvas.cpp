#include "classlib/controls/controlcanvas.h"

#include "classlib/controls/wincontrol.h"

IMPLEMENT_CLASS(TControlCanvas)

TControlCanvas::~TControlCanvas() { FreeDeviceContext(); }

void TControlCanvas::SetControl(TControl* AControl) {
  if (FControl == AControl)
    return;
  FreeDeviceContext();
  FControl = AControl;
}

void TControlCanvas::FreeDeviceContext() {
  if (FDeviceContext == nullptr)
    return;
  HDC dc = FDeviceContext;
  FDeviceContext = nullptr;
  if (HandleAllocated())
    SetHandle(nullptr);
  ReleaseDC(FDeviceWindow, dc);
  FDeviceWindow = nullptr;
}

// A DC of the control's window; a non-windowed control draws on its parent's
// window with the origin moved to it and the drawing clipped to it.
void TControlCanvas::CreateHandle() {
  if (FControl == nullptr)
    return;
  auto* window = dynamic_cast<TWinControl*>(FControl);
  int dx = 0, dy = 0;
  if (window == nullptr) {
    window = FControl->Parent();
    dx = FControl->Left();
    dy = FControl->Top();
  }
  if (window == nullptr)
    return;
  HWND wnd = window->Handle();
  HDC dc = GetDCEx(wnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (dc == nullptr)
    return;
  if (window != FControl) {
    SetWindowOrgEx(dc, -dx, -dy, nullptr);
    IntersectClipRect(dc, 0, 0, FControl->Width(), FControl->Height());
  }
  FDeviceWindow = wnd;
  FDeviceContext = dc;
  SetHandle(dc);
  UpdateTextFlags();
}

void TControlCanvas::UpdateTextFlags() {
  if (FControl == nullptr)
    return;
  if (FControl->UseRightToLeftReading())
    SetTextFlags(TextFlags() | ETO_RTLREADING);
  else
    SetTextFlags(TextFlags() & ~ETO_RTLREADING);
}
