#include "components/bididbnavigator.h"

#include <utility>
#include <vector>

#include "classlib/dbctrls/dbactns.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/shortcuts.h"
#include "classlib/graphics/bitmap.h"

namespace {

// The shortcut actions: their class and key, in the order of ShortcutAction.
struct ShortcutActionKind {
  TDataSetAction* (*Create)(TComponent* Owner);
  const char* Key;
};

template <class T>
TDataSetAction* CreateAction(TComponent* Owner) {
  return new T(Owner);
}

const ShortcutActionKind ActionKinds[TBiDiDBNavigator::ShortcutActions] = {
    {CreateAction<TDataSetFirst>, "Ctrl+PgUp"}, {CreateAction<TDataSetPrior>, "PgUp"},
    {CreateAction<TDataSetNext>, "PgDn"},       {CreateAction<TDataSetLast>, "Ctrl+PgDn"},
    {CreateAction<TDataSetInsert>, "Ctrl+F2"},  {CreateAction<TDataSetDelete>, "Ctrl+F3"},
    {CreateAction<TDataSetPost>, "Alt+F2"},     {CreateAction<TDataSetCancel>, "F3"},
};

}  // namespace


BEGIN_PUBLISHED(TBiDiDBNavigator)
  PROPERTY(ActionList, ActionList, SetActionList),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(DataSourceAct, DataSourceAct, SetDataSourceAct),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(GlyphFirst, GlyphOf<nbFirst>, SetGlyphOf<nbFirst>),
  PROPERTY(GlyphPrior, GlyphOf<nbPrior>, SetGlyphOf<nbPrior>),
  PROPERTY(GlyphNext, GlyphOf<nbNext>, SetGlyphOf<nbNext>),
  PROPERTY(GlyphLast, GlyphOf<nbLast>, SetGlyphOf<nbLast>),
  PROPERTY(GlyphInsert, GlyphOf<nbInsert>, SetGlyphOf<nbInsert>),
  PROPERTY(GlyphDelete, GlyphOf<nbDelete>, SetGlyphOf<nbDelete>),
  PROPERTY(GlyphEdit, GlyphOf<nbEdit>, SetGlyphOf<nbEdit>),
  PROPERTY(GlyphPost, GlyphOf<nbPost>, SetGlyphOf<nbPost>),
  PROPERTY(GlyphCancel, GlyphOf<nbCancel>, SetGlyphOf<nbCancel>),
  PROPERTY(GlyphRefresh, GlyphOf<nbRefresh>, SetGlyphOf<nbRefresh>),
  PROPERTY(OldCreator, OldCreator, SetOldCreator).Default(true),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(ParentColor, ParentColor, SetParentColor).Default(true),
END_PUBLISHED

TBiDiDBNavigator::TBiDiDBNavigator(TComponent* AOwner) : TDBNavigator(AOwner) {
  if (!ComponentState().Contains(csDesigning)) {
    CreateActions();
    BindActions();
  }
}

TBiDiDBNavigator::~TBiDiDBNavigator() {
  // The actions leave the form's list before the navigator goes, so the list
  // never holds an action that is being freed with its owner.
  for (TDataSetAction*& action : FActions) {
    delete action;
    action = nullptr;
  }
}

void TBiDiDBNavigator::CreateActions() {
  for (int i = 0; i < ShortcutActions; ++i) {
    TDataSetAction* action = ActionKinds[i].Create(this);
    action->SetShortCut(TextToShortCut(ActionKinds[i].Key));
    FActions[i] = action;
  }
}

// Each action's source is cleared and set again, so an action whose source
// did not change still picks up the data set's current state.
void TBiDiDBNavigator::BindActions() {
  if (ComponentState().Contains(csDesigning) || !FOldCreator)
    return;
  for (TDataSetAction* action : FActions) {
    if (action == nullptr)
      continue;
    action->SetDataSource(nullptr);
    action->SetDataSource(FDataSourceAct);
    action->SetActionList(FActionList);
  }
}

void TBiDiDBNavigator::SetDataSourceAct(TDataSource* Value) {
  if (FDataSourceAct != nullptr)
    FDataSourceAct->RemoveFreeNotification(this);
  FDataSourceAct = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
  BindActions();
}

void TBiDiDBNavigator::SetActionList(TActionList* Value) {
  if (FActionList != nullptr)
    FActionList->RemoveFreeNotification(this);
  FActionList = Value;
  if (Value != nullptr)
    Value->FreeNotification(this);
  BindActions();
}

void TBiDiDBNavigator::Notification(TComponent* AComponent, TOperation Operation) {
  TDBNavigator::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FActionList)
    SetActionList(nullptr);
  if (AComponent == FDataSourceAct)
    SetDataSourceAct(nullptr);
  for (TDataSetAction*& action : FActions)
    if (AComponent == action)
      action = nullptr;
}

namespace {

std::vector<TNavButton*> VisibleButtonsInOrder(const TDBNavigator& Navigator) {
  std::vector<TNavButton*> buttons;
  for (int i = 0; i < TDBNavigator::ButtonKinds; ++i) {
    TNavButton* button = Navigator.Buttons(static_cast<TNavigateBtn>(i));
    if (button->Visible())
      buttons.push_back(button);
  }
  return buttons;
}

}  // namespace

bool TBiDiDBNavigator::IsMirrored() const {
  std::vector<TNavButton*> buttons = VisibleButtonsInOrder(*this);
  return buttons.size() > 1 && buttons.back()->Left() < buttons.front()->Left();
}

// Pairs the visible buttons from the outside in and exchanges their left
// positions.
void TBiDiDBNavigator::MirrorRow() {
  std::vector<TNavButton*> buttons = VisibleButtonsInOrder(*this);
  for (size_t i = 0, j = buttons.size(); i + 1 < j; ++i) {
    --j;
    int left = buttons[i]->Left();
    buttons[i]->SetLeft(buttons[j]->Left());
    buttons[j]->SetLeft(left);
  }
}

// The base lays the buttons out left to right on every resize.
void TBiDiDBNavigator::KeepMirrored() {
  if (ComponentState().Contains(csLoading))
    return;
  if (UseRightToLeftAlignment() && !IsMirrored())
    MirrorRow();
}

void TBiDiDBNavigator::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TDBNavigator::SetBounds(ALeft, ATop, AWidth, AHeight);
  KeepMirrored();
}

void TBiDiDBNavigator::Loaded() {
  TDBNavigator::Loaded();
  KeepMirrored();
}

void TBiDiDBNavigator::Dispatch(TMessage& Message) {
  TDBNavigator::Dispatch(Message);
  if (Message.Msg == CM_BIDIMODECHANGED)
    BiDiModeChanged();
}

void TBiDiDBNavigator::BiDiModeChanged() {
  for (int i = 0; i < ButtonKinds; ++i)
    Buttons(static_cast<TNavigateBtn>(i))->SetBiDiMode(BiDiMode());
  if (UseRightToLeftAlignment() == IsMirrored())
    return;
  MirrorRow();
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading))
    return;
  ExchangeGlyphs(nbFirst, nbLast);
  ExchangeGlyphs(nbPrior, nbNext);
}

// Exchanges the pictures, and the drawn symbols of buttons without one, so
// the arrows point the other way.
void TBiDiDBNavigator::ExchangeGlyphs(TNavigateBtn A, TNavigateBtn B) {
  TNavButton* a = Buttons(A);
  TNavButton* b = Buttons(B);
  TBitmap held;
  held.Assign(a->Glyph());
  a->SetGlyph(b->Glyph());
  b->SetGlyph(&held);
  TNavigateBtn symbol = a->Symbol();
  a->SetSymbol(b->Symbol());
  b->SetSymbol(symbol);
}
