// The component palette as the design controller sees it: its select-mode
// button and the abstract palette. The palette itself (buttons, prototypes,
// cloning) builds on these.
#pragma once
#include "classlib/controls/extctrls.h"
#include "classlib/stdctrls/speedbutton.h"

class TCustomCmpPlt;

// The palette's select-mode button.
class TArrowButton : public TSpeedButton {
  DECLARE_CLASS(TArrowButton, TSpeedButton)

public:
  explicit TArrowButton(TComponent* AOwner) : TSpeedButton(AOwner) {}
  ~TArrowButton() override;

  TCustomCmpPlt* Palette() const { return FPalette; }
  void SetPalette(TCustomCmpPlt* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TCustomCmpPlt* FPalette = nullptr;
};

// A palette: while design mode is on it offers templates to create controls
// from; with none chosen it is in select mode.
class TCustomCmpPlt : public TPanel {
  DECLARE_CLASS(TCustomCmpPlt, TPanel)

public:
  explicit TCustomCmpPlt(TComponent* AOwner) : TPanel(AOwner) {}

  virtual void SetActive(bool Value) = 0;
  // The template chosen, nullptr in select mode.
  virtual TComponent* CurrentTemplate() = 0;
  virtual void SetCurrentTemplate(TComponent* Template) = 0;
  virtual void SetArrowButton(TArrowButton* Button) = 0;
  // Pushes the select-mode button.
  virtual void ResetToArrow() = 0;
};
