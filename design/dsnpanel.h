// The component palette: a panel of speed buttons from which the user picks
// what the next drag on the design stage creates.
//
// Every creation button (TDsnButton) names a prototype by its "GeneName": a
// fully set-up component that lives, invisible, on a hidden panel of the
// same form. Picking the button makes the prototype the palette's current
// template; the controller clones it into the container under the mouse.
// The select-mode button (TArrowButton) returns to plain selecting. All
// palette buttons share one group, so pushing one releases the others.
//
// Palettes are built in code or read with their form; their buttons hook
// themselves up when they finish loading.
#pragma once
#include <vector>

#include "classlib/controls/extctrls.h"
#include "classlib/stdctrls/speedbutton.h"

class TCustomCmpPlt;

// The group every palette button belongs to.
constexpr int DsnButtonGroupIndex = 2301;
// The longest "GeneName" a creation button keeps.
constexpr int MaxGeneNameLength = 255;

// Registers the palette classes for component streaming, once; the program
// calls it at start-up, before forms holding a palette are read.
void RegisterDsnPanelClasses();

// The palette's select-mode button.
class TArrowButton : public TSpeedButton {
  DECLARE_CLASS(TArrowButton, TSpeedButton)

public:
  explicit TArrowButton(TComponent* AOwner);
  ~TArrowButton() override;

  TCustomCmpPlt* Palette() const { return FPalette; }
  void SetPalette(TCustomCmpPlt* Value);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Pushed, the palette goes to select mode.
  void Click() override;
  // The arrow cannot be released by a second click; it waits disabled for
  // design mode.
  void Loaded() override;

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

class TDsnPanel;

// A creation button: "GeneName" names its prototype among the components of
// the palette's owner form, letter case ignored.
class TDsnButton : public TSpeedButton {
  DECLARE_CLASS(TDsnButton, TSpeedButton)

public:
  explicit TDsnButton(TComponent* AOwner);
  ~TDsnButton() override;

  const AnsiString& GeneName() const { return FGeneName; }
  // Longer names are cut to MaxGeneNameLength characters.
  void SetGeneName(const AnsiString& Value);
  // The prototype found by the palette when design mode started.
  TComponent* Prototype() const { return FPrototype; }
  void SetPrototype(TComponent* Value);
  TDsnPanel* Palette() const { return FPalette; }
  void SetPalette(TDsnPanel* Value);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Pushed, its prototype becomes the palette's template; a button without
  // one pushes the arrow again.
  void Click() override;
  // "GeneName" is always stored.
  void DefineProperties(TFiler& Filer) override;
  // Waits disabled for design mode and joins its parent palette.
  void Loaded() override;

private:
  AnsiString FGeneName;
  TComponent* FPrototype = nullptr;
  TDsnPanel* FPalette = nullptr;
};

class TDsnPanel : public TCustomCmpPlt {
  DECLARE_CLASS(TDsnPanel, TCustomCmpPlt)

public:
  explicit TDsnPanel(TComponent* AOwner);
  ~TDsnPanel() override;

  // True: the arrow is pushed and every button enabled, each with the
  // prototype its "GeneName" names (nullptr when the form has none).
  // False: every button is disabled.
  void SetActive(bool Value) override;
  bool Active() const { return FActive; }
  TComponent* CurrentTemplate() override { return FCurrentTemplate; }
  // nullptr or the arrow button: select mode.
  void SetCurrentTemplate(TComponent* Template) override;
  // nullptr is ignored.
  void SetArrowButton(TArrowButton* Button) override;
  TArrowButton* ArrowButton() const { return FArrowButton; }
  // The arrow goes down; the current template is left as it is.
  void ResetToArrow() override;

  // The creation buttons that joined the palette, in joining order.
  const std::vector<TDsnButton*>& Buttons() const { return FButtons; }
  void AddButton(TDsnButton* Button);
  void RemoveButton(TDsnButton* Button);

  // ---- Published ----
  int BtnWidth() const { return FBtnWidth; }
  void SetBtnWidth(int Value) { FBtnWidth = Value; }
  int BtnHeight() const { return FBtnHeight; }
  void SetBtnHeight(int Value) { FBtnHeight = Value; }
  bool BtnCaption() const { return FBtnCaption; }
  void SetBtnCaption(bool Value) { FBtnCaption = Value; }

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  bool FActive = false;
  TArrowButton* FArrowButton = nullptr;
  TComponent* FCurrentTemplate = nullptr;
  std::vector<TDsnButton*> FButtons;
  int FBtnWidth = 90;
  int FBtnHeight = 50;
  bool FBtnCaption = true;
};
