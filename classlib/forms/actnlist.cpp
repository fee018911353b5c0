#include "classlib/forms/actnlist.h"

#include "classlib/classes/reader.h"

#include <algorithm>

#include "classlib/controls/control.h"
#include "classlib/forms/menus.h"

// ---- TBasicActionLink ----------------------------------------------------------
IMPLEMENT_CLASS(TBasicActionLink)

TBasicActionLink::~TBasicActionLink() {
  if (action_ != nullptr)
    action_->UnRegisterChanges(this);
}

void TBasicActionLink::SetAction(TBasicAction* Value) {
  if (action_ == Value)
    return;
  if (action_ != nullptr)
    action_->UnRegisterChanges(this);
  action_ = Value;
  if (action_ != nullptr) {
    action_->RegisterChanges(this);
    Change();
  }
}

bool TBasicActionLink::Execute(TComponent* Target) {
  if (action_ == nullptr)
    return false;
  action_->SetActionComponent(Target);
  struct Reset {
    TBasicAction* a;
    ~Reset() { a->SetActionComponent(nullptr); }
  } reset{action_};
  return action_->Execute();
}

bool TBasicActionLink::Update() { return action_ != nullptr && action_->Update(); }

void TBasicActionLink::Change() {
  if (OnChange)
    OnChange(action_);
}

// ---- TBasicAction ----------------------------------------------------------------
BEGIN_PUBLISHED(TBasicAction)
  PROPERTY(OnExecute, OnExecute, OnExecute),
  PROPERTY(OnUpdate, OnUpdate, OnUpdate),
END_PUBLISHED

TBasicAction::TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}

TBasicAction::~TBasicAction() {
  // Links outlive the action; they are told to let it go.
  while (!clients_.empty())
    clients_.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
  if (!OnExecute)
    return false;
  OnExecute(this);
  return true;
}

bool TBasicAction::Update() {
  if (!OnUpdate)
    return false;
  OnUpdate(this);
  return true;
}

void TBasicAction::RegisterChanges(TBasicActionLink* Link) {
  if (std::find(clients_.begin(), clients_.end(), Link) == clients_.end())
    clients_.push_back(Link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* Link) {
  clients_.erase(std::remove(clients_.begin(), clients_.end(), Link), clients_.end());
}

void TBasicAction::Change() {
  // A link may drop out while it is told; walk a copy.
  std::vector<TBasicActionLink*> clients = clients_;
  for (TBasicActionLink* link : clients)
    link->Change();
}

// ---- TContainedAction -----------------------------------------------------------
BEGIN_PUBLISHED(TContainedAction)
  PROPERTY(Category, Category, SetCategory),
END_PUBLISHED

TContainedAction::TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

bool TContainedAction::Execute() {
  if (actionList_ != nullptr && actionList_->ExecuteAction(this))
    return true;
  return TBasicAction::Execute();
}

bool TContainedAction::Update() {
  if (actionList_ != nullptr && actionList_->UpdateAction(this))
    return true;
  return TBasicAction::Update();
}

void TContainedAction::SetActionList(TCustomActionList* Value) {
  if (actionList_ == Value)
    return;
  if (actionList_ != nullptr)
    actionList_->RemoveAction(this);
  if (Value != nullptr)
    Value->AddAction(this);
}

int TContainedAction::Index() const { return actionList_ != nullptr ? actionList_->IndexOfAction(this) : -1; }

// ---- TCustomAction --------------------------------------------------------------
IMPLEMENT_CLASS(TCustomAction)

TCustomAction::TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

namespace {

// Passes one property change to every TActionLink of an action.
template <class F>
void ForEachActionLink(const std::vector<TBasicActionLink*>& clients, F apply) {
  std::vector<TBasicActionLink*> copy = clients;
  for (TBasicActionLink* link : copy)
    if (auto* actionLink = dynamic_cast<TActionLink*>(link))
      apply(*actionLink);
}

}  // namespace

void TCustomAction::SetCaption(const AnsiString& Value) {
  if (caption_ == Value)
    return;
  caption_ = Value;
  ForEachActionLink(Clients(), [&](TActionLink& l) { l.SetCaption(Value); });
}

void TCustomAction::SetChecked(bool Value) {
  if (checked_ == Value)
    return;
  checked_ = Value;
  // Checking one action of a group unchecks the others of its list.
  if (Value && groupIndex_ > 0 && ActionList() != nullptr)
    for (int i = 0; i < ActionList()->ActionCount(); ++i) {
      auto* other = dynamic_cast<TCustomAction*>(ActionList()->Actions(i));
      if (other != nullptr && other != this && other->groupIndex_ == groupIndex_)
        other->SetChecked(false);
    }
  ForEachActionLink(Clients(), [&](TActionLink& l) { l.SetChecked(Value); });
}

void TCustomAction::SetEnabled(bool Value) {
  if (enabled_ == Value)
    return;
  enabled_ = Value;
  ForEachActionLink(Clients(), [&](TActionLink& l) { l.SetEnabled(Value); });
}

void TCustomAction::SetVisible(bool Value) {
  if (visible_ == Value)
    return;
  visible_ = Value;
  ForEachActionLink(Clients(), [&](TActionLink& l) { l.SetVisible(Value); });
}

void TCustomAction::SetHint(const AnsiString& Value) {
  if (hint_ == Value)
    return;
  hint_ = Value;
  ForEachActionLink(Clients(), [&](TActionLink& l) { l.SetHint(Value); });
}

void TCustomAction::SetImageIndex(int Value) {
  if (imageIndex_ == Value)
    return;
  imageIndex_ = Value;
  ForEachActionLink(Clients(), [&](TActionLink& l) { l.SetImageIndex(Value); });
}

void TCustomAction::SetShortCut(TShortCut Value) {
  if (shortCut_ == Value)
    return;
  shortCut_ = Value;
  ForEachActionLink(Clients(), [&](TActionLink& l) { l.SetShortCut(Value); });
}

// ---- TAction ------------------------------------------------------------------------
BEGIN_PUBLISHED(TAction)
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Checked, Checked, SetChecked).Default(false),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(GroupIndex, GroupIndex, SetGroupIndex).Default(0),
  PROPERTY(HelpContext, HelpContext, SetHelpContext).Default(0),
  PROPERTY(Hint, Hint, SetHint),
  PROPERTY(ImageIndex, ImageIndex, SetImageIndex).Default(-1),
  PROPERTY(ShortCut, ShortCut, SetShortCut).Default(0),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
END_PUBLISHED

TAction::TAction(TComponent* AOwner) : TCustomAction(AOwner) {}

// ---- TActionLink -----------------------------------------------------------------
IMPLEMENT_CLASS(TActionLink)

void TActionLink::Change() {
  if (auto* action = dynamic_cast<TCustomAction*>(Action())) {
    SetCaption(action->Caption());
    SetChecked(action->Checked());
    SetEnabled(action->Enabled());
    SetHint(action->Hint());
    SetImageIndex(action->ImageIndex());
    SetShortCut(action->ShortCut());
    SetVisible(action->Visible());
  }
  TBasicActionLink::Change();
}

// ---- TMenuActionLink -------------------------------------------------------------
IMPLEMENT_CLASS(TMenuActionLink)

TMenuActionLink::TMenuActionLink(TMenuItem* AClient) : TActionLink(AClient), client_(AClient) {}

bool TMenuActionLink::Execute(TComponent* Target) { return TActionLink::Execute(Target != nullptr ? Target : client_); }
void TMenuActionLink::SetCaption(const AnsiString& Value) { client_->SetCaption(Value); }
void TMenuActionLink::SetChecked(bool Value) { client_->SetChecked(Value); }
void TMenuActionLink::SetEnabled(bool Value) { client_->SetEnabled(Value); }
void TMenuActionLink::SetHint(const AnsiString& Value) { client_->SetHint(Value); }
void TMenuActionLink::SetImageIndex(int Value) { client_->SetImageIndex(Value); }
void TMenuActionLink::SetShortCut(TShortCut Value) { client_->SetShortCut(Value); }
void TMenuActionLink::SetVisible(bool Value) { client_->SetVisible(Value); }

// ---- Controls' links ---------------------------------------------------------------
namespace {

// The link a control gets when its Action is set: the action's caption,
// enabled and visible state and hint go to the control, and a click runs it.
class TControlToActionLink : public TActionLink, public TControlActionLink {
public:
  TControlToActionLink(TControl* control, TBasicAction* action) : TActionLink(control), control_(control) {
    SetAction(action);
  }
  bool Execute(TControl* Control) override { return TActionLink::Execute(Control); }
  void SetCaption(const AnsiString& Value) override { control_->SetCaption(Value); }
  void SetEnabled(bool Value) override { control_->SetEnabled(Value); }
  void SetHint(const AnsiString& Value) override { control_->SetHint(Value); }
  void SetVisible(bool Value) override { control_->SetVisible(Value); }

private:
  TControl* control_;
};

std::unique_ptr<TControlActionLink> MakeControlActionLink(TControl* control, TComponent* action) {
  auto* basic = dynamic_cast<TBasicAction*>(action);
  if (basic == nullptr)
    return nullptr;
  return std::make_unique<TControlToActionLink>(control, basic);
}

// Controls come before actions in the library; actions plug their links in.
const bool controlLinksInstalled = [] {
  ControlActionLinkFactory = &MakeControlActionLink;
  return true;
}();

}  // namespace

// ---- TCustomActionList -----------------------------------------------------------
BEGIN_PUBLISHED(TCustomActionList)
  PROPERTY(OnExecute, OnExecute, OnExecute),
  PROPERTY(OnUpdate, OnUpdate, OnUpdate),
  PROPERTY(OnChange, OnChange, OnChange),
END_PUBLISHED

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) {}

TCustomActionList::~TCustomActionList() {
  // The list frees its actions, as the platform's does.
  while (!actions_.empty())
    actions_.back()->Free();
}

TContainedAction* TCustomActionList::Actions(int Index) const {
  if (Index < 0 || Index >= ActionCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return actions_[Index];
}

void TCustomActionList::AddAction(TContainedAction* Action) {
  if (Action == nullptr || IndexOfAction(Action) >= 0)
    return;
  if (Action->ActionList() != nullptr)
    Action->ActionList()->RemoveAction(Action);
  actions_.push_back(Action);
  Action->actionList_ = this;
  if (OnChange)
    OnChange(this);
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
  auto it = std::find(actions_.begin(), actions_.end(), Action);
  if (it == actions_.end())
    return;
  actions_.erase(it);
  Action->actionList_ = nullptr;
  if (OnChange)
    OnChange(this);
}

int TCustomActionList::IndexOfAction(const TContainedAction* Action) const {
  auto it = std::find(actions_.begin(), actions_.end(), Action);
  return it == actions_.end() ? -1 : static_cast<int>(it - actions_.begin());
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
  bool handled = false;
  if (OnExecute)
    OnExecute(Action, handled);
  return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
  bool handled = false;
  if (OnUpdate)
    OnUpdate(Action, handled);
  return handled;
}

bool TCustomActionList::IsShortCut(TShortCut Key) {
  if (Key == 0)
    return false;
  std::vector<TContainedAction*> actions = actions_;
  for (TContainedAction* contained : actions) {
    auto* action = dynamic_cast<TCustomAction*>(contained);
    if (action == nullptr || action->ShortCut() != Key)
      continue;
    action->Update();
    if (!action->Enabled())
      continue;
    action->Execute();
    return true;
  }
  return false;
}

void TCustomActionList::UpdateActions() {
  std::vector<TContainedAction*> actions = actions_;
  for (TContainedAction* action : actions)
    action->Update();
}

bool TContainedAction::HasParent() { return actionList_ != nullptr; }

TComponent* TContainedAction::GetParentComponent() { return actionList_; }

void TContainedAction::SetParentComponent(TComponent* Value) {
  if (auto* list = dynamic_cast<TCustomActionList*>(Value))
    SetActionList(list);
}

// A new action has no list yet, so it is put into the list it is read in.
void TContainedAction::ReadState(TReader& Reader) {
  TBasicAction::ReadState(Reader);
  SetParentComponent(Reader.Parent());
}

void TCustomActionList::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TContainedAction* action : actions_)
    if (action->Owner() == Root)
      Proc(action);
}

IMPLEMENT_CLASS(TActionList)

TActionList::TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
