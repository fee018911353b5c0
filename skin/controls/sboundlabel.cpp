#include "skin/controls/sboundlabel.h"

#include <algorithm>

#include "classlib/controls/wincontrol.h"
#include "skin/controls/slabel.h"

BEGIN_PUBLISHED(TsBoundLabel)
  PROPERTY(Active, Active, SetActive).Default(false),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Indent, Indent, SetIndent),
  PROPERTY(Font, Font, SetFont),
  PROPERTY(Layout, Layout, SetLayout),
  PROPERTY(MaxWidth, MaxWidth, SetMaxWidth),
  PROPERTY(UseSkinColor, UseSkinColor, SetUseSkinColor),
END_PUBLISHED

TsBoundLabel::TsBoundLabel(TWinControl* Control, TsCommonData* CommonData)
    : FKeptFont(std::make_unique<TFont>()), FCommonData(CommonData), FControl(Control) {}

TsBoundLabel::~TsBoundLabel() {
  if (FTheLabel != nullptr) {
    TsEditLabel* label = FTheLabel;
    FTheLabel = nullptr;
    label->FBoundLabel = nullptr;
    delete label;
  }
}

void TsBoundLabel::LabelDestroyed(TsEditLabel* Label) {
  if (Label != FTheLabel)
    return;
  FTheLabel = nullptr;
  FActive = false;
}

TFont* TsBoundLabel::Font() const { return FTheLabel != nullptr ? FTheLabel->Font() : FKeptFont.get(); }

void TsBoundLabel::SetFont(TFont* Value) {
  if (FTheLabel == nullptr) {
    FKeptFont->Assign(Value);
    return;
  }
  FTheLabel->Font()->Assign(Value);
  FTheLabel->SetParent(FControl->Parent());
  UpdatePosition();
}

bool TsBoundLabel::UseSkinColor() const { return FTheLabel == nullptr || FTheLabel->UseSkinColor(); }

void TsBoundLabel::SetUseSkinColor(bool Value) {
  if (FTheLabel != nullptr)
    FTheLabel->SetUseSkinColor(Value);
}

void TsBoundLabel::SetIndent(int Value) {
  FIndent = Value;
  if (FActive)
    UpdatePosition();
}

void TsBoundLabel::SetMaxWidth(int Value) {
  FMaxWidth = Value;
  if (FActive)
    UpdatePosition();
}

void TsBoundLabel::SetLayout(TsCaptionLayout Value) {
  FLayout = Value;
  UpdateAlignment();
  if (FActive)
    UpdatePosition();
}

void TsBoundLabel::SetCaption(const AnsiString& Value) {
  if (FCaption == Value)
    return;
  FCaption = Value;
  if (FActive && FTheLabel != nullptr) {
    FTheLabel->SetCaption(FCaption);
    UpdatePosition();
  }
}

void TsBoundLabel::SetActive(bool Value) {
  if (FActive == Value)
    return;
  if (!Value) {
    TsEditLabel* label = FTheLabel;
    FTheLabel = nullptr;
    FActive = false;
    if (label != nullptr) {
      label->FBoundLabel = nullptr;
      delete label;
    }
    return;
  }
  FActive = true;
  CreateLabel();
}

void TsBoundLabel::CreateLabel() {
  if (FTheLabel == nullptr)
    FTheLabel = new TsEditLabel(FControl, this);
  FTheLabel->SetVisible(false);
  FTheLabel->SetParent(FControl->Parent());
  FTheLabel->SetFocusControl(FControl);
  UpdateAlignment();
  FTheLabel->SetName(FControl->Name() + "Label");
  if (FCaption.empty())
    FCaption = FControl->Name();
  FTheLabel->SetCaption(FCaption);
  FTheLabel->SetVisible(FControl->Visible() || FControl->ComponentState().Contains(csDesigning));
  FTheLabel->SetEnabled(FControl->Enabled());
  UpdatePosition();
}

void TsBoundLabel::UpdateAlignment() {
  if (FTheLabel == nullptr)
    return;
  switch (FLayout) {
    case sclTopLeft: FTheLabel->SetAlignment(taLeftJustify); break;
    case sclTopCenter: FTheLabel->SetAlignment(taCenter); break;
    case sclLeft:
    case sclTopRight: FTheLabel->SetAlignment(taRightJustify); break;
  }
}

void TsBoundLabel::UpdatePosition() {
  if (FTheLabel == nullptr || !FTheLabel->Visible() || FTheLabel->FocusControl() == nullptr)
    return;
  PlaceLabel();
}

void TsBoundLabel::PlaceLabel() {
  TsEditLabel& label = *FTheLabel;
  TWinControl& control = *label.FocusControl();
  label.SetAutoSize(true);
  switch (FLayout) {
    case sclLeft:
      label.SetLeft(control.Left() - label.Width() - FIndent - 4);
      label.SetTop(control.Top() + (control.Height() - label.Height()) / 2 - 1);
      break;
    case sclTopLeft: label.SetLeft(control.Left()); break;
    case sclTopCenter: label.SetLeft(control.Left() + (control.Width() - label.Width()) / 2); break;
    case sclTopRight: label.SetLeft(control.Left() + control.Width() - label.Width()); break;
  }
  if (FLayout != sclLeft)
    label.SetTop(control.Top() - label.Height() - FIndent);
  label.SetParent(FControl->Parent());
  if (FMaxWidth != 0) {
    label.SetAutoSize(false);
    label.SetWidth(FMaxWidth);
    label.SetWordWrap(true);
    label.SetHeight(std::max(control.Height(), label.Height()));
  }
}
