#include "design/dsnpanel.h"

#include <algorithm>

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"

IMPLEMENT_CLASS(TCustomCmpPlt)

void RegisterDsnPanelClasses() {
  static const bool done = [] {
    RegisterClasses({TDsnPanel::StaticClass(), TDsnButton::StaticClass(), TArrowButton::StaticClass()});
    return true;
  }();
  (void)done;
}

// ---- TArrowButton ----------------------------------------------------------------------
IMPLEMENT_CLASS(TArrowButton)

TArrowButton::TArrowButton(TComponent* AOwner) : TSpeedButton(AOwner) { SetGroupIndex(DsnButtonGroupIndex); }

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

void TArrowButton::Loaded() {
  TSpeedButton::Loaded();
  SetAllowAllUp(false);
  SetEnabled(false);
}

void TArrowButton::Click() {
  TSpeedButton::Click();
  if (Down() && FPalette != nullptr)
    FPalette->SetCurrentTemplate(this);
}

// ---- TDsnButton ------------------------------------------------------------------------
IMPLEMENT_CLASS(TDsnButton)

TDsnButton::TDsnButton(TComponent* AOwner) : TSpeedButton(AOwner) { SetGroupIndex(DsnButtonGroupIndex); }

TDsnButton::~TDsnButton() {
  if (FPalette != nullptr)
    FPalette->RemoveButton(this);
}

void TDsnButton::SetGeneName(const AnsiString& Value) { FGeneName = Value.substr(0, MaxGeneNameLength); }

void TDsnButton::SetPrototype(TComponent* Value) {
  if (FPrototype == Value)
    return;
  if (FPrototype != nullptr)
    FPrototype->RemoveFreeNotification(this);
  FPrototype = Value;
  if (FPrototype != nullptr)
    FPrototype->FreeNotification(this);
}

void TDsnButton::SetPalette(TDsnPanel* Value) {
  if (FPalette == Value)
    return;
  if (FPalette != nullptr) {
    FPalette->RemoveFreeNotification(this);
    FPalette->RemoveButton(this);
  }
  FPalette = Value;
  if (FPalette != nullptr)
    FPalette->FreeNotification(this);
}

void TDsnButton::Notification(TComponent* AComponent, TOperation Operation) {
  TSpeedButton::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent == nullptr)
    return;
  if (AComponent == FPrototype)
    FPrototype = nullptr;
  if (AComponent == FPalette)
    FPalette = nullptr;
}

void TDsnButton::DefineProperties(TFiler& Filer) {
  TSpeedButton::DefineProperties(Filer);
  Filer.DefineProperty(
      "GeneName", [this](TReader& Reader) { SetGeneName(Reader.ReadString()); },
      [this](TWriter& Writer) { Writer.WriteString(FGeneName); }, true);
}

void TDsnButton::Loaded() {
  TSpeedButton::Loaded();
  SetEnabled(false);
  if (auto* palette = dynamic_cast<TDsnPanel*>(Parent()))
    palette->AddButton(this);
}

void TDsnButton::Click() {
  TSpeedButton::Click();
  if (!Down() || FPalette == nullptr)
    return;
  if (FPrototype != nullptr)
    FPalette->SetCurrentTemplate(FPrototype);
  else
    FPalette->ResetToArrow();
}

// ---- TDsnPanel -------------------------------------------------------------------------
BEGIN_PUBLISHED(TDsnPanel)
  PROPERTY(BtnWidth, BtnWidth, SetBtnWidth),
  PROPERTY(BtnHeight, BtnHeight, SetBtnHeight),
  PROPERTY(BtnCaption, BtnCaption, SetBtnCaption),
END_PUBLISHED

TDsnPanel::TDsnPanel(TComponent* AOwner) : TCustomCmpPlt(AOwner) {}

TDsnPanel::~TDsnPanel() {
  // The buttons belong to the form; they only forget this palette.
  for (TDsnButton* button : std::vector<TDsnButton*>(FButtons))
    button->SetPalette(nullptr);
}

void TDsnPanel::AddButton(TDsnButton* Button) {
  if (Button == nullptr || std::find(FButtons.begin(), FButtons.end(), Button) != FButtons.end())
    return;
  FButtons.push_back(Button);
  Button->SetPalette(this);
}

void TDsnPanel::RemoveButton(TDsnButton* Button) { std::erase(FButtons, Button); }

void TDsnPanel::SetActive(bool Value) {
  FActive = Value;
  if (FArrowButton != nullptr) {
    if (Value)
      FArrowButton->SetDown(true);
    FArrowButton->SetEnabled(Value);
  }
  for (TDsnButton* button : FButtons) {
    if (Value) {
      // FindComponent ignores letter case; an empty name finds nothing.
      TComponent* form = Owner();
      button->SetPrototype(form != nullptr && !button->GeneName().empty() ? form->FindComponent(button->GeneName())
                                                                          : nullptr);
    }
    button->SetEnabled(Value);
  }
}

void TDsnPanel::SetCurrentTemplate(TComponent* Template) {
  if (Template == FArrowButton && Template != nullptr)
    Template = nullptr;
  if (FCurrentTemplate == Template)
    return;
  if (FCurrentTemplate != nullptr)
    FCurrentTemplate->RemoveFreeNotification(this);
  FCurrentTemplate = Template;
  if (FCurrentTemplate != nullptr)
    FCurrentTemplate->FreeNotification(this);
}

void TDsnPanel::SetArrowButton(TArrowButton* Button) {
  if (Button == nullptr || Button == FArrowButton)
    return;
  if (FArrowButton != nullptr)
    FArrowButton->RemoveFreeNotification(this);
  FArrowButton = Button;
  FArrowButton->FreeNotification(this);
}

void TDsnPanel::ResetToArrow() {
  if (FArrowButton != nullptr)
    FArrowButton->SetDown(true);
}

void TDsnPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomCmpPlt::Notification(AComponent, Operation);
  if (Operation != opRemove || AComponent == nullptr)
    return;
  if (AComponent == FArrowButton)
    FArrowButton = nullptr;
  if (AComponent == FCurrentTemplate)
    FCurrentTemplate = nullptr;
  // The component may be part-way through its destruction: compared by
  // address only.
  std::erase_if(FButtons, [AComponent](TDsnButton* b) { return static_cast<TComponent*>(b) == AComponent; });
}
