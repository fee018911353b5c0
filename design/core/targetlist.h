// Target lists: the selection list of the design controller and the
// receivers that mirror it.
//
// A selection list repeats every change on the parties linked to it (the
// grip handler, a property merger, the selection manager of a selection
// partner), synchronously, inside the list operation that caused it.
#pragma once
#include <vector>

#include "classlib/classes/component.h"

// The base of the selection list and of every receiver. Parties are linked
// and unlinked both ways, each once; a party that is destroyed unlinks
// itself from every party linked to it, so none keeps a reference to it.
// (Unlinking one side only would leave the other pointing at a party that
// no longer knows it, and that may be freed.)
class TReceiveTargets {
public:
  TReceiveTargets() = default;
  virtual ~TReceiveTargets();
  TReceiveTargets(const TReceiveTargets&) = delete;
  TReceiveTargets& operator=(const TReceiveTargets&) = delete;

  // The entry at Index belongs to a component being destroyed.
  virtual void ItemDeath(int Index) = 0;
  virtual void Add(TComponent* Component) = 0;
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  // The selected components moved or changed: refresh what shows them.
  virtual void Update() = 0;
  // Unlinks Party here and this from Party.
  virtual void Unlink(TReceiveTargets* Party);
  // Links Party here and this to Party, when not linked already.
  virtual void Link(TReceiveTargets* Party);

  int PartyCount() const { return static_cast<int>(FParties.size()); }
  TReceiveTargets* Parties(int Index) const { return FParties.at(Index); }
  bool IsLinked(const TReceiveTargets* Party) const;

protected:
  // A copy of the parties, safe to walk while a party unlinks itself.
  std::vector<TReceiveTargets*> PartiesNow() const { return FParties; }

private:
  std::vector<TReceiveTargets*> FParties;
};

// The selection list: the selected components in selection order. Every
// change is applied and then forwarded to the linked parties.
class TTargetList : public TReceiveTargets {
public:
  TTargetList() = default;

  void ItemDeath(int Index) override;
  void Add(TComponent* Component) override;
  void Clear() override;
  void Delete(int Index) override;
  void Update() override;

  // The number of entries; -1 while the list has never held one (the
  // inner list is made by the first Add).
  int Count() const { return FMade ? static_cast<int>(FItems.size()) : -1; }
  // nullptr at or past the end (and before the start).
  TComponent* Items(int Index) const;
  int IndexOf(const TComponent* Component) const;

private:
  bool InRange(int Index) const { return Index >= 0 && Index < static_cast<int>(FItems.size()); }

  std::vector<TComponent*> FItems;
  bool FMade = false;
};
