#include "design/dsnctrl.h"

#include <windowsx.h>

#include "design/dsnregister.h"

namespace {

TPoint MessagePoint(const TMessage& Message) {
  return Point(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
}

}  // namespace

TDsnCtrl::TDsnCtrl(TDsnRegister* Controller, TWinControl* Control)
    : TClientAgent(Control), FController(Controller) {}

TDsnCtrl* TDsnCtrl::Create(TDsnRegister* Controller, TWinControl* Control) {
  return Start(new TDsnCtrl(Controller, Control));
}

TDsnCtrl::~TDsnCtrl() {
  if (FController != nullptr)
    FController->AgentGone(this);
  Uncover();
}

TDsnStage* TDsnCtrl::Stage() const { return FController != nullptr ? FController->DsnStage() : nullptr; }

void TDsnCtrl::AttachToControl() { Attach(Control()->Handle()); }

void TDsnCtrl::CoverStarted() {
  Control()->SetCursor(crArrow);
  Control()->Invalidate();
}

void TDsnCtrl::CoverEnded() {
  if (FDead)
    return;
  Control()->SetCursor(crDefault);
  Control()->Invalidate();
}

void TDsnCtrl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_DESTROY: DestroyMessage(Message); return;
    case WM_SETFOCUS: SetFocusMessage(Message); return;
    case WM_PAINT: PaintMessage(Message); return;
    case WM_NCHITTEST: Message.Result = HTCLIENT; return;
    case WM_MOUSEMOVE: MouseMoved(Message); return;
    case WM_LBUTTONDOWN:
      // A control may still want a click in design mode.
      if (Control()->Perform(CM_DESIGNHITTEST, Message.WParam, Message.LParam) == 1)
        CallOldProcedure(Message);
      LButtonDown(Message);
      return;
    case WM_LBUTTONUP: LButtonUp(Message); return;
    case WM_LBUTTONDBLCLK: DblClick(Message); return;
    case WM_RBUTTONDOWN: RButtonDown(Message); return;
    case WM_RBUTTONUP: RButtonUp(Message); return;
    case WM_CAPTURECHANGED:
      // Another window took the mouse: the drag cannot end by a release
      // here, so its outline goes now and lets the cursor go.
      if (reinterpret_cast<HWND>(Message.LParam) != Window())
        FController->DropOutlines();
      return;
    case DSN_SETPRESSTARGET: SetPressTarget(Message); return;
    case DSN_RESIZED: ResizedMessage(Message); return;
    case DSN_GROUPMARKS: GroupMarksMessage(Message); return;
    case DSN_SELECTONLY: SelectOnlyMessage(Message); return;
    default: CallOldProcedure(Message);
  }
}

TControl* TDsnCtrl::FindPressTarget(TPoint Point) {
  TControl* target = Control()->ControlAtPos(Point, true, false);
  if (target == nullptr || target->Owner() != Control()->Owner())
    target = Control();
  return target;
}

void TDsnCtrl::FocusStage() {
  TDsnStage* stage = Stage();
  if (stage != nullptr && stage->CanFocus())
    stage->SetFocus();
}

void TDsnCtrl::LButtonDown(TMessage& Message) {
  FLastPoint = MessagePoint(Message);
  FPressTarget = FindPressTarget(FLastPoint);
  SetCapture(Control()->Handle());
  // The controller may end design mode, and so free this agent.
  auto life = Life().Watch();
  FController->DoMouseDown(Control(), FPressTarget, KeysToShiftState(Message.WParam), FLastPoint);
  if (!life.expired())
    FocusStage();
}

void TDsnCtrl::MouseMoved(TMessage& Message) {
  FLastPoint = MessagePoint(Message);
  if (FPressTarget != nullptr)
    FController->DoMouseMove(Control(), FLastPoint, KeysToShiftState(Message.WParam));
}

void TDsnCtrl::LButtonUp(TMessage& Message) {
  FLastPoint = MessagePoint(Message);
  auto life = Life().Watch();
  if (FPressTarget != nullptr)
    FController->DoMouseUp(Control(), FLastPoint, KeysToShiftState(Message.WParam));
  if (!life.expired())
    ReleaseCapture();
}

void TDsnCtrl::PaintMessage(TMessage& Message) { Control()->Dispatch(Message); }

void TDsnCtrl::SetPressTarget(TMessage& Message) { FPressTarget = reinterpret_cast<TControl*>(Message.WParam); }

void TDsnCtrl::ResizedMessage(TMessage&) { FController->DoResized(); }

void TDsnCtrl::GroupMarksMessage(TMessage&) { FController->UpdateGroupMarks(); }

void TDsnCtrl::SelectOnlyMessage(TMessage& Message) {
  FController->SelectOnly(reinterpret_cast<TComponent*>(Message.WParam));
}

void TDsnCtrl::SetFocusMessage(TMessage& Message) {
  if (Control() == Stage())
    CallOldProcedure(Message);
  else
    FocusStage();
}

void TDsnCtrl::DblClick(TMessage&) { FController->DoCoverDblClick(FPressTarget); }

void TDsnCtrl::RButtonDown(TMessage& Message) {
  FLastPoint = MessagePoint(Message);
  FPressTarget = FindPressTarget(FLastPoint);
  SetCapture(Control()->Handle());
  auto life = Life().Watch();
  FController->DoContextPopup(Control(), FPressTarget, FLastPoint.x, FLastPoint.y);
  if (life.expired())
    return;
  // The menu has run its own loop; the press is over, so the mouse goes
  // free again (a right press has no drag to wait for).
  ReleaseOwnCapture();
  FocusStage();
}

void TDsnCtrl::RButtonUp(TMessage& Message) {
  ReleaseOwnCapture();
  CallOldProcedure(Message);
}

void TDsnCtrl::ReleaseOwnCapture() {
  if (GetCapture() == Window())
    ReleaseCapture();
}

void TDsnCtrl::DestroyMessage(TMessage& Message) {
  WNDPROC old = OldProcedure();
  HWND window = Window();
  Unsubclass();
  Message.Result = CallWindowProcW(old, window, Message.Msg, Message.WParam, Message.LParam);
  // A stage whose own window is gone takes no notice (asking it for its
  // handle would make a new window).
  TDsnStage* stage = Stage();
  if (stage != nullptr && stage->HandleAllocated())
    stage->PostAgentDestroyed(this);
}
