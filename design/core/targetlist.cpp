#include "design/core/targetlist.h"

#include <algorithm>

// ---- TReceiveTargets ------------------------------------------------------------------
TReceiveTargets::~TReceiveTargets() {
  for (TReceiveTargets* party : PartiesNow())
    party->Unlink(this);
}

bool TReceiveTargets::IsLinked(const TReceiveTargets* Party) const {
  return std::find(FParties.begin(), FParties.end(), Party) != FParties.end();
}

void TReceiveTargets::Unlink(TReceiveTargets* Party) {
  if (!IsLinked(Party))
    return;
  std::erase(FParties, Party);
  Party->Unlink(this);
}

void TReceiveTargets::Link(TReceiveTargets* Party) {
  if (Party == nullptr || Party == this || IsLinked(Party))
    return;
  FParties.push_back(Party);
  Party->Link(this);
}

// ---- TTargetList ----------------------------------------------------------------------
void TTargetList::ItemDeath(int Index) {
  if (!InRange(Index))
    return;
  FItems[Index] = nullptr;
  for (TReceiveTargets* party : PartiesNow())
    party->ItemDeath(Index);
}

void TTargetList::Add(TComponent* Component) {
  FMade = true;
  FItems.push_back(Component);
  for (TReceiveTargets* party : PartiesNow())
    party->Add(Component);
}

void TTargetList::Clear() {
  FItems.clear();
  for (TReceiveTargets* party : PartiesNow())
    party->Clear();
}

void TTargetList::Delete(int Index) {
  if (!InRange(Index))
    return;
  FItems.erase(FItems.begin() + Index);
  for (TReceiveTargets* party : PartiesNow())
    party->Delete(Index);
}

void TTargetList::Update() {
  for (TReceiveTargets* party : PartiesNow())
    party->Update();
}

TComponent* TTargetList::Items(int Index) const { return InRange(Index) ? FItems[Index] : nullptr; }

int TTargetList::IndexOf(const TComponent* Component) const {
  auto found = std::find(FItems.begin(), FItems.end(), Component);
  return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}
