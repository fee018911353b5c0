#include "classlib/stdctrls/rxspeedbutton.h"

#include "classlib/forms/menus.h"

BEGIN_PUBLISHED(TRxSpeedButton)
  PROPERTY(DropDownMenu, DropDownMenu, SetDropDownMenu),
END_PUBLISHED

void TRxSpeedButton::SetDropDownMenu(TComponent* Value) {
  if (Value != nullptr && dynamic_cast<TPopupMenu*>(Value) == nullptr)
    throw EInvalidCast("Invalid class typecast");
  if (FDropDownMenu != nullptr)
    FDropDownMenu->RemoveFreeNotification(this);
  FDropDownMenu = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
}

void TRxSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
  TSpeedButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDropDownMenu)
    FDropDownMenu = nullptr;
}

void TRxSpeedButton::Click() {
  TSpeedButton::Click();
  if (auto* menu = dynamic_cast<TPopupMenu*>(FDropDownMenu)) {
    TPoint corner = ClientToScreen(Point(0, Height()));
    menu->Popup(corner.x, corner.y);
  }
}
