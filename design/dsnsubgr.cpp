#include "design/dsnsubgr.h"

#include "design/dsnhandle.h"

IMPLEMENT_CLASS(TDsnGrRegister)

void TDsnGrRegister::SetActive(bool Value) {
  FGroupMarkPainter = nullptr;
  TDsnMlRegister::SetActive(Value);
}

TDsnCtrl* TDsnGrRegister::CreateCover(TWinControl* Control) { return TDsnGrCtrl::Create(this, Control); }

TMultiHandler* TDsnGrRegister::CreateHandler() { return new TMultiGrHandler; }

void TDsnGrRegister::UpdateGroupMarks() {
  if (SelectedCount() < 2)
    FGroupMarkPainter = nullptr;
  else
    FGroupMarkPainter = [this](TControl* Control) { PaintGroupMarks(Control); };
}

namespace {

// The side of a group mark.
constexpr int GroupMarkSize = 6;

}  // namespace

void TDsnGrRegister::PaintGroupMarks(TControl* Control) {
  TTargetList* selection = SelectionList();
  if (Control == nullptr || selection == nullptr)
    return;
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (windowed != nullptr)
    for (int i = 0; i < windowed->ControlCount(); ++i) {
      TControl* child = windowed->Controls(i);
      if (dynamic_cast<TWinControl*>(child) == nullptr && selection->IndexOf(child) >= 0)
        PaintGroupMarks(child);
    }
  if (selection->IndexOf(Control) < 0)
    return;
  TWinControl* surface = windowed != nullptr ? windowed : Control->Parent();
  if (surface == nullptr || !surface->HandleAllocated())
    return;
  const int x = windowed != nullptr ? 0 : Control->Left();
  const int y = windowed != nullptr ? 0 : Control->Top();
  const int w = Control->ClientWidth();
  const int h = Control->ClientHeight();
  const int s = GroupMarkSize;
  const RECT marks[] = {{x, y, x + s, y + s},
                        {x + w - s, y, x + w, y + s},
                        {x, y + h - s, x + s, y + h},
                        {x + w - s, y + h - s, x + w, y + h}};
  HWND window = surface->Handle();
  HDC dc = GetDC(window);
  if (dc == nullptr)
    return;
  // FillRect leaves the right and bottom edges out, as the marks want.
  HBRUSH grey = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clGray)));
  for (const RECT& mark : marks)
    FillRect(dc, &mark, grey);
  DeleteObject(grey);
  ReleaseDC(window, dc);
}

TDsnGrCtrl* TDsnGrCtrl::Create(TDsnRegister* Controller, TWinControl* Control) {
  return Start(new TDsnGrCtrl(Controller, Control));
}

void TDsnGrCtrl::PaintMessage(TMessage& Message) {
  TDsnCtrl::PaintMessage(Message);
  if (auto* controller = dynamic_cast<TDsnGrRegister*>(Controller()))
    if (controller->GroupMarkPainter())
      controller->GroupMarkPainter()(Control());
}
