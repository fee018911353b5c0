#include "design/dsnsub8.h"

// L, T, W, H: the control's bounds; s: the grip size; the middles are taken
// with division truncating toward zero.
void TNakaueRect::SetControl() {
  if (TControl* c = Target())
    PlaceAt(c->Left() + c->Width() / 2 - GripSize() / 2, c->Top() - 2);
}

void TNakashitaRect::SetControl() {
  if (TControl* c = Target())
    PlaceAt(c->Left() + c->Width() / 2 - GripSize() / 2, c->Top() + c->Height() - GripSize() + 2);
}

void TNakamigiRect::SetControl() {
  if (TControl* c = Target())
    PlaceAt(c->Left() + c->Width() - GripSize() + 2, c->Top() + c->Height() / 2 - GripSize() / 2);
}

void TNakahidariRect::SetControl() {
  if (TControl* c = Target())
    PlaceAt(c->Left() - 2, c->Top() + c->Height() / 2 - GripSize() / 2);
}

void THandler8Rect::CreateGrips() {
  THandlerRect::CreateGrips();
  AddGrip<TNakaueRect>();
  AddGrip<TNakashitaRect>();
  AddGrip<TNakamigiRect>();
  AddGrip<TNakahidariRect>();
}

THandlerRect* TMultiDpHandler::CreateRect(TControl* Control) {
  return THandlerRect::Make<THandler8Rect>(*this, Control);
}
