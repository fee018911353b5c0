#include "design/dsnpanel.h"

IMPLEMENT_CLASS(TArrowButton)
IMPLEMENT_CLASS(TCustomCmpPlt)

TArrowButton::~TArrowButton() = default;

void TArrowButton::SetPalette(TCustomCmpPlt* Value) {
  if (FPalette == Value)
    return;
  if (FPalette != nullptr)
    FPalette->RemoveFreeNotification(this);
  FPalette = Value;
  if (FPalette != nullptr)
    FPalette->FreeNotification(this);
}

void TArrowButton::Notification(TComponent* AComponent, TOperation Operation) {
  TSpeedButton::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FPalette)
    FPalette = nullptr;
}
