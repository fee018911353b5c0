// A speed button that can drop down a popup menu: with DropDownMenu set, a
// click shows the menu under the button (and runs OnClick first).
#pragma once
#include "classlib/stdctrls/speedbutton.h"

class TRxSpeedButton : public TSpeedButton {
  DECLARE_CLASS(TRxSpeedButton, TSpeedButton)

public:
  explicit TRxSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

  // A TPopupMenu of the menus unit (or nullptr).
  TComponent* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TComponent* Value);

  void Click() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TComponent* FDropDownMenu = nullptr;
};
