#include "classlib/classes/component.h"

#include <algorithm>

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/system/strutils.h"

BEGIN_PUBLISHED(TComponent)
  PROPERTY(Name, Name, SetName).Stored(false),
  PROPERTY(Tag, FTag, SetTag).Default(0),
END_PUBLISHED

bool IsValidIdent(const AnsiString& ident) {
  auto alpha = [](unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
  auto digit = [](unsigned char c) { return c >= '0' && c <= '9'; };
  if (ident.empty() || !alpha(static_cast<unsigned char>(ident[0])))
    return false;
  for (unsigned char c : ident)
    if (!alpha(c) && !digit(c))
      return false;
  return true;
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr)
    AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  RemoveFreeNotifications();
  DestroyComponents();
  if (FOwner != nullptr)
    FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction() { Destroying(); }

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying))
    return;
  FComponentState.Include(csDestroying);
  for (TComponent* c : FComponents)
    c->Destroying();
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FComponents[Index];
}

int TComponent::ComponentIndex() const {
  if (FOwner == nullptr)
    return -1;
  auto& list = FOwner->FComponents;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int Value) {
  if (FOwner == nullptr)
    return;
  auto& list = FOwner->FComponents;
  int current = ComponentIndex();
  Value = std::clamp(Value, 0, static_cast<int>(list.size()) - 1);
  if (current == Value)
    return;
  list.erase(list.begin() + current);
  list.insert(list.begin() + Value, this);
}

void TComponent::InsertComponent(TComponent* AComponent) {
  // Checked before the component leaves its former owner, so a refused
  // insertion leaves it where it was.
  if (FindComponent(AComponent->FName) != nullptr)
    throw EComponentError("A component named " + AComponent->FName + " already exists");
  if (AComponent->FOwner != nullptr)
    AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  if (FComponentState.Contains(csDesigning))
    AComponent->SetDesigning(true);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (AComponent->FOwner != this)
    return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  // Every owned component is announced to the others as it goes, so none of
  // them keeps a reference to a freed sibling while the rest are freed.
  while (!FComponents.empty()) {
    TComponent* instance = FComponents.back();
    RemoveComponent(instance);
    instance->Free();
  }
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const {
  if (AName.empty())
    return nullptr;
  for (TComponent* c : FComponents)
    if (SameText(c->FName, AName))
      return c;
  return nullptr;
}

void TComponent::SetName(const AnsiString& NewName) {
  if (FName == NewName)
    return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("Component name \"" + NewName + "\" is not a valid identifier");
  if (FOwner != nullptr)
    FOwner->ValidateRename(this, FName, NewName);
  else
    ValidateRename(nullptr, FName, NewName);
  ChangeName(NewName);
}

void TComponent::ValidateRename(TComponent* AComponent, const AnsiString& CurName, const AnsiString& NewName) {
  if (AComponent != nullptr && !SameText(CurName, NewName) && AComponent->FOwner == this &&
      FindComponent(NewName) != nullptr)
    throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::SetStateFlag(TComponentStateFlag Flag, bool On) {
  if (On)
    FComponentState.Include(Flag);
  else
    FComponentState.Exclude(Flag);
}

void TComponent::SetDesigning(bool Value, bool SetChildren) {
  SetStateFlag(csDesigning, Value);
  if (SetChildren)
    for (TComponent* c : FComponents)
      c->SetDesigning(Value, true);
}

void TComponent::SetAncestor(bool Value) {
  SetStateFlag(csAncestor, Value);
  for (TComponent* c : FComponents)
    c->SetAncestor(Value);
}

void TComponent::SetInline(bool Value) { SetStateFlag(csInline, Value); }

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this)
    return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(AComponent);
    AComponent->FreeNotification(this);
  }
  FComponentState.Include(csFreeNotification);
}

void TComponent::UnlinkFreeNotification(TComponent* AComponent) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent), FFreeNotifies.end());
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr)
    return;
  UnlinkFreeNotification(AComponent);
  AComponent->UnlinkFreeNotification(this);
}

void TComponent::RemoveFreeNotifications() {
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    other->UnlinkFreeNotification(this);
    other->Notification(this, opRemove);
  }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent != nullptr)
    RemoveFreeNotification(AComponent);
  // A receiver may free components while it is told; walk down and re-check.
  for (int i = ComponentCount() - 1; i >= 0; --i)
    if (i < ComponentCount())
      FComponents[i]->Notification(AComponent, Operation);
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::ReadState(TReader& Reader) {
  if (Reader.Parent() != nullptr && HasParent())
    SetParentComponent(Reader.Parent());
  Reader.ReadData(this);
}

void TComponent::WriteState(TWriter& Writer) { Writer.WriteData(this); }

void TComponent::DefineProperties(TFiler& Filer) {
  // Components that are not controls keep their design position in
  // DesignInfo and stream it as Left and Top.
  int ancestorInfo = 0;
  if (auto* ancestor = dynamic_cast<TComponent*>(Filer.Ancestor()))
    ancestorInfo = ancestor->FDesignInfo;
  auto low = [](int v) { return static_cast<int>(static_cast<unsigned>(v) & 0xFFFF); };
  auto high = [](int v) { return static_cast<int>((static_cast<unsigned>(v) >> 16) & 0xFFFF); };
  Filer.DefineProperty(
      "Left",
      [this, high](TReader& r) { FDesignInfo = static_cast<int>((high(FDesignInfo) << 16) | (r.ReadInteger() & 0xFFFF)); },
      [this, low](TWriter& w) { w.WriteInteger(low(FDesignInfo)); }, low(FDesignInfo) != low(ancestorInfo));
  Filer.DefineProperty(
      "Top",
      [this, low](TReader& r) {
        FDesignInfo = static_cast<int>((static_cast<unsigned>(r.ReadInteger() & 0xFFFF) << 16) | low(FDesignInfo));
      },
      [this, high](TWriter& w) { w.WriteInteger(high(FDesignInfo)); }, high(FDesignInfo) != high(ancestorInfo));
}
