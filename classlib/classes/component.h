// TComponent: named, owned objects that stream themselves.
//
// A component created with an owner is inserted into the owner's list
// (insertion order is kept) and is freed with it. Names are identifiers,
// unique among the components of one owner (case-insensitive); "" is always
// allowed. An owner tells every component it owns when a component is added
// or removed (Notification); FreeNotification links two components across
// owners, so each hears when the other is freed.
//
// Component streaming calls the virtual hooks below: GetChildren lists what
// a component writes nested in itself, GetChildOwner/GetChildParent say who
// owns and parents what is read nested in it, Loaded runs once the whole
// read and its reference fix-ups are done.
#pragma once
#include <functional>
#include <vector>

#include "classlib/classes/persistent.h"
#include "classlib/classes/typinfo.h"

class TReader;
class TWriter;

enum TComponentStateFlag {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
  csFreeNotification, csInline, csDesignInstance
};
DOZURI_ENUM(TComponentStateFlag, "csLoading", "csReading", "csWriting", "csDestroying", "csDesigning",
            "csAncestor", "csUpdating", "csFixups", "csFreeNotification", "csInline", "csDesignInstance");
DOZURI_SET(TComponentState, TComponentStateFlag);

enum TOperation { opInsert, opRemove };

class TComponent;
using TGetChildProc = std::function<void(TComponent* Child)>;

// True for a name made of a letter or "_" followed by letters, digits and "_".
bool IsValidIdent(const AnsiString& ident);

class TComponent : public TPersistent {
  DECLARE_CLASS(TComponent, TPersistent)

public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;
  void BeforeDestruction() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Raises EListError "List index out of bounds (%d)" for a bad index.
  TComponent* Components(int Index) const;
  // Position in the owner's list; -1 without owner.
  int ComponentIndex() const;
  void SetComponentIndex(int Value);
  // Takes AComponent from its former owner (if any) and appends it.
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Frees every owned component, last first.
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();
  // The owned component of that name (case-insensitive), or nullptr.
  TComponent* FindComponent(const AnsiString& AName) const;

  const AnsiString& Name() const { return FName; }
  // Raises EComponentError for an invalid identifier or a name taken in the owner.
  virtual void SetName(const AnsiString& NewName);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  TComponentState ComponentState() const { return FComponentState; }
  // Sets or clears csDesigning here and, with SetChildren, on everything owned.
  void SetDesigning(bool Value, bool SetChildren = true);
  void SetAncestor(bool Value);
  void SetInline(bool Value);
  // Design position of a component that is not a control: low word left, high word top.
  int DesignInfo() const { return FDesignInfo; }
  void SetDesignInfo(int Value) { FDesignInfo = Value; }

  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // ---- Streaming ----
  virtual void Loaded();
  virtual void GetChildren(TGetChildProc Proc, TComponent* Root) {}
  virtual TComponent* GetChildOwner() { return nullptr; }
  virtual TComponent* GetChildParent() { return this; }
  virtual bool HasParent() { return false; }
  virtual TComponent* GetParentComponent() { return nullptr; }
  virtual void SetParentComponent(TComponent* Value) {}
  virtual void SetChildOrder(TComponent* Child, int Order) {}
  virtual void ReadState(TReader& Reader);
  virtual void WriteState(TWriter& Writer);
  void DefineProperties(TFiler& Filer) override;

  AnsiString GetNamePath() override { return FName; }
  TPersistent* GetOwner() override { return FOwner; }

  // Raises the duplicate-name error when AComponent (owned here) may not take NewName.
  virtual void ValidateRename(TComponent* AComponent, const AnsiString& CurName, const AnsiString& NewName);

protected:
  virtual void ChangeName(const AnsiString& NewName) { FName = NewName; }
  void SetStateFlag(TComponentStateFlag Flag, bool On);

private:
  friend class TReader;
  friend class TWriter;

  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveFreeNotifications();
  void UnlinkFreeNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  AnsiString FName;
  int FTag = 0;
  int FDesignInfo = 0;
  TComponentState FComponentState;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

// Points Field at Value for Self, moving Self's free notification from the
// old component to the new one, so Self hears (Notification, opRemove) when
// the component it names is freed and can clear Field.
template <class C>
void ReplaceComponentReference(TComponent* Self, C*& Field, C* Value) {
  if (Field == Value)
    return;
  if (Field != nullptr)
    Field->RemoveFreeNotification(Self);
  Field = Value;
  if (Field != nullptr)
    Field->FreeNotification(Self);
}
