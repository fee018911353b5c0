#include "classlib/controls/graphiccontrol.h"

IMPLEMENT_CLASS(TGraphicControl)

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_PAINT) {
    WMPaint(Message);
    return;
  }
  TControl::Dispatch(Message);
}

// The parent's DC comes in WParam, its origin at this control's corner.
void TGraphicControl::WMPaint(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  if (dc == nullptr || ComponentState().Contains(csDestroying))
    return;
  FCanvas->Lock();
  FCanvas->FreeDeviceContext();
  FCanvas->SetHandle(dc);
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
