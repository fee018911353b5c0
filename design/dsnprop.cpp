#include "design/dsnprop.h"

#include "classlib/controls/control.h"
#include "classlib/system/strutils.h"
#include "design/dsnhandle.h"
#include "design/dsnunit.h"
#include "design/propertytext.h"

IMPLEMENT_CLASS(TCustomInspector)

void TCustomInspector::SetActive(bool Value) {
  FActive = Value;
  if (Value)
    Activate();
  else
    Deactivate();
}

void TCustomInspector::ApplyValue(const AnsiString& PropName, const AnsiString& Value) {
  if (FMerger == nullptr)
    return;
  std::vector<TComponent*> targets;
  for (TComponent* component : FMerger->Components())
    if (component != nullptr)
      targets.push_back(component);
  SetPropertyText(targets, PropName, Value);
  if (FStageHandle != nullptr)
    PostMessageW(FStageHandle, DSN_UPDATESELECTION, 0, 0);
  FMerger->Recompute();
}

void TCustomInspector::SelectControl(TControl* Control) {
  if (HWND window = DesignWindowOf(Control))
    SendMessageW(window, DSN_SELECTONLY, reinterpret_cast<WPARAM>(Control), 0);
}

// ---- TMultiProps ------------------------------------------------------------------------
void TMultiProps::SetPropLists(TStrings* Names, TStrings* SingleOnly) {
  FNames.Clear();
  FSingleOnly.Clear();
  if (Names != nullptr)
    FNames.Assign(Names);
  if (SingleOnly != nullptr)
    FSingleOnly.Assign(SingleOnly);
  Recompute();
}

void TMultiProps::ItemDeath(int Index) {
  if (Index >= 0 && Index < static_cast<int>(FComponents.size()))
    FComponents[Index] = nullptr;
  Recompute();
}

void TMultiProps::Add(TComponent* Component) {
  FComponents.push_back(Component);
  Recompute();
}

void TMultiProps::Clear() {
  FComponents.clear();
  Recompute();
}

void TMultiProps::Delete(int Index) {
  if (Index >= 0 && Index < static_cast<int>(FComponents.size()))
    FComponents.erase(FComponents.begin() + Index);
  Recompute();
}

void TMultiProps::Recompute() { FProps = std::make_unique<TContextProps>(&FNames, &FSingleOnly, FComponents); }

AnsiString TMultiProps::ValueOf(const AnsiString& PropName) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Names(i), PropName))
      return Values(i);
  return AnsiString();
}
