#include "classlib/controls/customcontrol.h"

IMPLEMENT_CLASS(TCustomControl)

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    // Paint runs even without children (the window class paints nothing).
    FControlState.Include(csCustomPaint);
    try {
      TWinControl::Dispatch(Message);
    } catch (...) {
      FControlState.Exclude(csCustomPaint);
      throw;
    }
    FControlState.Exclude(csCustomPaint);
    return;
  }
  TWinControl::Dispatch(Message);
}

void TCustomControl::PaintWindow(HDC DC) {
  FCanvas->Lock();
  FCanvas->FreeDeviceContext();
  FCanvas->SetHandle(DC);
  try {
    FCanvas->UpdateTextFlags();
    Paint();
  } catch (...) {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
    throw;
  }
  FCanvas->SetHandle(nullptr);
  FCanvas->Unlock();
}

void TCustomControl::DestroyWnd() {
  FCanvas->FreeDeviceContext();
  TWinControl::DestroyWnd();
}
