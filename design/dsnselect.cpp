#include "design/dsnselect.h"

// ---- TSelectedComponents ----------------------------------------------------------------
TComponent* TSelectedComponents::ComponentAt(int Index) const {
  return Index >= 0 && Index < Count() ? FComponents[Index] : nullptr;
}

// ---- TSelectionManager ------------------------------------------------------------------
void TSelectionManager::Report(TSelectOperation Operation) {
  if (!FPartner->OnChangeSelected)
    return;
  // The snapshot lives only while the handler runs.
  TSelectedComponents snapshot(FMirror);
  FPartner->OnChangeSelected(FPartner, &snapshot, Operation);
}

void TSelectionManager::Add(TComponent* Component) {
  FMirror.push_back(Component);
  Report(opAdd);
}

void TSelectionManager::Clear() {
  FMirror.clear();
  Report(opClear);
}

void TSelectionManager::Delete(int Index) {
  if (!InRange(Index))
    return;
  FMirror.erase(FMirror.begin() + Index);
  Report(opDelete);
}

void TSelectionManager::ItemDeath(int Index) {
  if (!InRange(Index))
    return;
  FMirror[Index] = nullptr;
  Report(opItemDeath);
}

// ---- TDsnSelect -------------------------------------------------------------------------
BEGIN_PUBLISHED(TDsnSelect)
  PROPERTY(DsnRegister, DsnRegister, SetDsnRegister),
  PROPERTY(OnChangeSelected, OnChangeSelected, OnChangeSelected),
END_PUBLISHED

TDsnSelect::~TDsnSelect() {
  // The controller keeps no reference to a manager that is gone.
  if (FController != nullptr && FManager != nullptr)
    FController->RemoveReceiver(FManager.get());
}

void TDsnSelect::SetDsnRegister(TDsnRegister* Value) {
  if (FController != nullptr && FController != Value) {
    FController->RemovePartner(this);
    if (FManager != nullptr)
      FController->RemoveReceiver(FManager.get());
    FController->RemoveFreeNotification(this);
  }
  FController = Value;
  if (Value == nullptr)
    return;
  Value->FreeNotification(this);
  Value->AddPartner(this);
  if (FManager != nullptr)
    Value->AddReceiver(FManager.get());
}

void TDsnSelect::SetActive(bool Value) {
  TDsnPartner::SetActive(Value);
  // Partners hear of activation before the stage is covered, so the manager
  // is linked to every selection list the controller makes from now on.
  if (Value && FController != nullptr && FManager == nullptr) {
    FManager = std::make_unique<TSelectionManager>(this);
    FController->AddReceiver(FManager.get());
  }
}

void TDsnSelect::SelectComponent(TComponent* Component) {
  if (!Active() || !CanSelect(Component))
    return;
  Replace({Component});
}

void TDsnSelect::SelectComponents(const std::vector<TComponent*>& List) {
  if (!Active())
    return;
  bool any = false;
  for (TComponent* component : List)
    if (CanSelect(component)) {
      any = true;
      break;
    }
  if (any)
    Replace(List);
}

void TDsnSelect::Replace(const std::vector<TComponent*>& List) {
  if (SelectionList() == nullptr)
    MakeSelectionList();
  TTargetList* selection = SelectionList();
  if (selection == nullptr)
    return;
  selection->Clear();
  for (TComponent* component : List)
    selection->Add(component);
  selection->Update();
}
