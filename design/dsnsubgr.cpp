#include "design/dsnsubgr.h"

IMPLEMENT_CLASS(TDsnGrRegister)

void TDsnGrRegister::SetActive(bool Value) {
  FGroupMarkPainter = nullptr;
  TDsnMlRegister::SetActive(Value);
}

TDsnCtrl* TDsnGrRegister::CreateCover(TWinControl* Control) { return TDsnGrCtrl::Create(this, Control); }

TDsnGrCtrl* TDsnGrCtrl::Create(TDsnRegister* Controller, TWinControl* Control) {
  return Start(new TDsnGrCtrl(Controller, Control));
}

void TDsnGrCtrl::PaintMessage(TMessage& Message) {
  TDsnCtrl::PaintMessage(Message);
  if (auto* controller = dynamic_cast<TDsnGrRegister*>(Controller()))
    if (controller->GroupMarkPainter())
      controller->GroupMarkPainter()(Control());
}
