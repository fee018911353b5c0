#include "classlib/stdctrls/radiogroup.h"

// ---- Group buttons --------------------------------------------------------------------
IMPLEMENT_CLASS(TGroupButton)

TGroupButton::TGroupButton(TCustomRadioGroup* Group, int Index)
    : TRadioButton(nullptr), FGroup(Group), FIndex(Index) {}

void TGroupButton::Click() {
  FGroup->ButtonClicked(FIndex);
  TRadioButton::Click();
}

// ---- The group ------------------------------------------------------------------------
IMPLEMENT_CLASS(TCustomRadioGroup)

BEGIN_PUBLISHED(TRadioGroup)
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(Anchors, Anchors, SetAnchors).Default(TAnchors{akLeft, akTop}),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Color, Color, SetColor).Stored<&Self::IsColorStored>(),
  PROPERTY(Columns, Columns, SetColumns).Default(1),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ItemIndex, ItemIndex, SetItemIndex).Default(-1),
  PROPERTY(Items, Items, SetItems),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(PopupMenu, PopupMenuComponent, SetPopupMenuComponent),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(TabOrder, TabOrder, SetTabOrder).Default(-1),
  PROPERTY(TabStop, TabStop, SetTabStop).Default(true),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(OnClick, OnClick, OnClick),
  PROPERTY(OnEnter, OnEnter, OnEnter),
  PROPERTY(OnExit, OnExit, OnExit),
END_PUBLISHED

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>()) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
  SetTabStop(true);
}

TCustomRadioGroup::~TCustomRadioGroup() {
  FItems->OnChange = nullptr;
  for (TGroupButton* button : FButtons)
    button->Free();
  FButtons.clear();
}

// The buttons are made from Items; they are not streamed.
void TCustomRadioGroup::GetChildren(TGetChildProc, TComponent*) {}

void TCustomRadioGroup::ItemsChanged(TObject*) {
  if (ComponentState().Contains(csLoading))
    return;
  if (FItemIndex >= FItems->Count())
    FItemIndex = FItems->Count() - 1;
  UpdateButtons();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
  FUpdating = true;
  while (static_cast<int>(FButtons.size()) > FItems->Count()) {
    FButtons.back()->Free();
    FButtons.pop_back();
  }
  while (static_cast<int>(FButtons.size()) < FItems->Count()) {
    auto* button = new TGroupButton(this, static_cast<int>(FButtons.size()));
    button->SetParent(this);
    FButtons.push_back(button);
  }
  for (std::size_t i = 0; i < FButtons.size(); ++i) {
    FButtons[i]->SetCaption(FItems->Strings(static_cast<int>(i)));
    FButtons[i]->SetChecked(static_cast<int>(i) == FItemIndex);
    FButtons[i]->SetEnabled(Enabled());
  }
  FUpdating = false;
  ArrangeButtons();
}

// Columns side by side, the rows sharing the height below the caption.
void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty())
    return;
  TRect area = ClientRect();
  AdjustClientRect(area);
  int columns = FColumns < 1 ? 1 : FColumns;
  int count = static_cast<int>(FButtons.size());
  int rows = (count + columns - 1) / columns;
  int columnWidth = (area.right - area.left - 8) / columns;
  int rowHeight = (area.bottom - area.top) / rows;
  for (int i = 0; i < count; ++i) {
    int column = i / rows, row = i % rows;
    int buttonHeight = rowHeight < 17 ? rowHeight : 17;
    FButtons[static_cast<std::size_t>(i)]->SetBounds(area.left + 8 + column * columnWidth,
                                                     area.top + row * rowHeight + (rowHeight - buttonHeight) / 2,
                                                     columnWidth, buttonHeight);
  }
}

void TCustomRadioGroup::Resize() {
  TCustomGroupBox::Resize();
  ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FItemIndex = Value;
    return;
  }
  if (Value < -1)
    Value = -1;
  if (Value >= static_cast<int>(FButtons.size()))
    Value = static_cast<int>(FButtons.size()) - 1;
  if (FItemIndex == Value)
    return;
  if (FItemIndex >= 0)
    FButtons[static_cast<std::size_t>(FItemIndex)]->SetChecked(false);
  FItemIndex = Value;
  if (Value >= 0)
    FButtons[static_cast<std::size_t>(Value)]->SetChecked(true);
}

void TCustomRadioGroup::ButtonClicked(int Index) {
  if (FUpdating)
    return;
  FItemIndex = Index;
  Click();
}

void TCustomRadioGroup::SetColumns(int Value) {
  if (Value < 1)
    Value = 1;
  if (Value > 16)
    Value = 16;
  if (FColumns == Value)
    return;
  FColumns = Value;
  ArrangeButtons();
}
