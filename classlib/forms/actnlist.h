// Actions: one command (its caption, shortcut, enabled and checked state and
// its OnExecute) shared by the menu items and controls that show it.
//
// A client joins an action through an action link. The action tells its links
// when a property changes; a TActionLink passes the new value on to its client
// (a TMenuActionLink to a menu item; controls have their own link class). The
// action lists of a form see its keys: an action whose ShortCut is pressed is
// updated and, when enabled, executed.
#pragma once
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/forms/shortcuts.h"

class TBasicAction;
class TCustomActionList;
class TImageList;
class TMenuItem;

class TBasicActionLink : public TObject {
  DECLARE_CLASS(TBasicActionLink, TObject)

public:
  explicit TBasicActionLink(TObject* AClient) {}
  ~TBasicActionLink() override;

  TBasicAction* Action() const { return action_; }
  void SetAction(TBasicAction* Value);
  // Runs the action for the client; false when the action did nothing.
  virtual bool Execute(TComponent* Target = nullptr);
  virtual bool Update();

  TNotifyEvent OnChange;

protected:
  friend class TBasicAction;
  // The action changed: subclasses copy what they link.
  virtual void Change();

private:
  TBasicAction* action_ = nullptr;
};

class TBasicAction : public TComponent {
  DECLARE_CLASS(TBasicAction, TComponent)

public:
  explicit TBasicAction(TComponent* AOwner);
  ~TBasicAction() override;

  // Runs OnExecute; false when there is none.
  virtual bool Execute();
  // Runs OnUpdate; false when there is none.
  virtual bool Update();
  // The client that last executed the action.
  TComponent* ActionComponent() const { return actionComponent_; }
  void SetActionComponent(TComponent* Value) { actionComponent_ = Value; }

  void RegisterChanges(TBasicActionLink* Link);
  void UnRegisterChanges(TBasicActionLink* Link);
  int ClientCount() const { return static_cast<int>(clients_.size()); }

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

protected:
  // Tells every link that the action changed.
  void Change();
  const std::vector<TBasicActionLink*>& Clients() const { return clients_; }

private:
  std::vector<TBasicActionLink*> clients_;
  TComponent* actionComponent_ = nullptr;
};

// An action that belongs to an action list.
class TContainedAction : public TBasicAction {
  DECLARE_CLASS(TContainedAction, TBasicAction)

public:
  explicit TContainedAction(TComponent* AOwner);
  ~TContainedAction() override;

  // The list's OnExecute comes first; then the action's own.
  bool Execute() override;
  bool Update() override;

  TCustomActionList* ActionList() const { return actionList_; }
  void SetActionList(TCustomActionList* Value);
  const AnsiString& Category() const { return category_; }
  void SetCategory(const AnsiString& Value) { category_ = Value; }
  int Index() const;

  // Streams write an action inside its list, and reading puts it back there.
  bool HasParent() override;
  TComponent* GetParentComponent() override;
  void SetParentComponent(TComponent* Value) override;
  void ReadState(TReader& Reader) override;

private:
  friend class TCustomActionList;
  TCustomActionList* actionList_ = nullptr;
  AnsiString category_;
};

class TCustomAction : public TContainedAction {
  DECLARE_CLASS(TCustomAction, TContainedAction)

public:
  explicit TCustomAction(TComponent* AOwner);

  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& Value);
  bool Checked() const { return checked_; }
  void SetChecked(bool Value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);
  const AnsiString& Hint() const { return hint_; }
  void SetHint(const AnsiString& Value);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int Value);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut Value);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int Value) { groupIndex_ = Value; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int Value) { helpContext_ = Value; }

private:
  AnsiString caption_;
  AnsiString hint_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  int imageIndex_ = -1;
  TShortCut shortCut_ = 0;
  int groupIndex_ = 0;
  int helpContext_ = 0;
};

class TAction : public TCustomAction {
  DECLARE_CLASS(TAction, TCustomAction)

public:
  explicit TAction(TComponent* AOwner);
};

// A link that copies the action's properties into its client.
class TActionLink : public TBasicActionLink {
  DECLARE_CLASS(TActionLink, TBasicActionLink)

public:
  using TBasicActionLink::TBasicActionLink;

  virtual void SetCaption(const AnsiString& Value) {}
  virtual void SetChecked(bool Value) {}
  virtual void SetEnabled(bool Value) {}
  virtual void SetHint(const AnsiString& Value) {}
  virtual void SetImageIndex(int Value) {}
  virtual void SetShortCut(TShortCut Value) {}
  virtual void SetVisible(bool Value) {}

protected:
  // Copies every property of a TCustomAction into the client.
  void Change() override;
};

class TMenuActionLink : public TActionLink {
  DECLARE_CLASS(TMenuActionLink, TActionLink)

public:
  explicit TMenuActionLink(TMenuItem* AClient);

  bool Execute(TComponent* Target = nullptr) override;
  void SetCaption(const AnsiString& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetHint(const AnsiString& Value) override;
  void SetImageIndex(int Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;

private:
  TMenuItem* client_;
};

DOZURI_EVENT(TActionEvent, void(TBasicAction* Action, bool& Handled));

class TCustomActionList : public TComponent {
  DECLARE_CLASS(TCustomActionList, TComponent)

public:
  explicit TCustomActionList(TComponent* AOwner);
  ~TCustomActionList() override;

  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TContainedAction* Actions(int Index) const;
  void AddAction(TContainedAction* Action);
  void RemoveAction(TContainedAction* Action);
  int IndexOfAction(const TContainedAction* Action) const;

  // OnExecute of the list; true when it handled the action.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);
  // Executes the enabled action with this shortcut (after updating it); false
  // when no action of the list has it.
  virtual bool IsShortCut(TShortCut Key);
  // Runs OnUpdate of every action (the application does this when idle).
  void UpdateActions();

  TImageList* Images() const { return images_; }
  void SetImages(TImageList* Value) { images_ = Value; }

  TActionEvent OnExecute;
  TActionEvent OnUpdate;
  TNotifyEvent OnChange;

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

private:
  std::vector<TContainedAction*> actions_;
  TImageList* images_ = nullptr;
};

class TActionList : public TCustomActionList {
  DECLARE_CLASS(TActionList, TCustomActionList)

public:
  explicit TActionList(TComponent* AOwner);
};
