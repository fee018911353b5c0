// The selection partner: it tells the host of every change of the design
// controller's selection and lets the host select components itself.
#pragma once
#include <memory>
#include <vector>

#include "design/dsnregister.h"

// A snapshot of the selected components, made for one notice and freed when
// the handler returns.
class TSelectedComponents {
public:
  explicit TSelectedComponents(std::vector<TComponent*> Components) : FComponents(std::move(Components)) {}

  int Count() const { return static_cast<int>(FComponents.size()); }
  // nullptr outside the snapshot.
  TComponent* ComponentAt(int Index) const;

private:
  std::vector<TComponent*> FComponents;
};

enum TSelectOperation { opAdd, opClear, opDelete, opItemDeath };
DOZURI_ENUM(TSelectOperation, "opAdd", "opClear", "opDelete", "opItemDeath");

DOZURI_EVENT(TChangeSelected, void(TObject* Sender, TSelectedComponents* Targets, TSelectOperation Operation));

class TDsnSelect;

// Mirrors the selection and reports each change through the partner's
// OnChangeSelected.
class TSelectionManager : public TReceiveTargets {
public:
  explicit TSelectionManager(TDsnSelect* Partner) : FPartner(Partner) {}

  void ItemDeath(int Index) override;
  void Add(TComponent* Component) override;
  void Clear() override;
  void Delete(int Index) override;
  // Nothing to report.
  void Update() override {}

private:
  void Report(TSelectOperation Operation);
  bool InRange(int Index) const { return Index >= 0 && Index < static_cast<int>(FMirror.size()); }

  TDsnSelect* FPartner;
  std::vector<TComponent*> FMirror;
};

class TDsnSelect : public TDsnPartner {
  DECLARE_CLASS(TDsnSelect, TDsnPartner)

public:
  explicit TDsnSelect(TComponent* AOwner) : TDsnPartner(AOwner) {}
  ~TDsnSelect() override;

  // ---- Published ----
  TDsnRegister* DsnRegister() const { return FController; }
  // Becomes a partner of the controller.
  void SetDsnRegister(TDsnRegister* Value);
  TChangeSelected OnChangeSelected;

  // ---- Overridables, in slot order ----
  // Makes the selection manager when first activated with a controller.
  void SetActive(bool Value) override;
  // While active: Component alone becomes the selection, when it may be
  // selected.
  virtual void SelectComponent(TComponent* Component);
  // While active: when one of List may be selected, all of List becomes the
  // selection, in order.
  virtual void SelectComponents(const std::vector<TComponent*>& List);

private:
  // Selects the components: Clear, Add each, Update.
  void Replace(const std::vector<TComponent*>& List);

  std::unique_ptr<TSelectionManager> FManager;
};
