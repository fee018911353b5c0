#include "design/core/layoutnames.h"

#include <algorithm>

#include "design/core/uniquename.h"

void CollectOwnedTree(TComponent* Root, TComponent* Top, std::vector<TComponent*>& Out) {
  if (Top == nullptr)
    return;
  if (Top->Owner() == Root)
    Out.push_back(Top);
  Top->GetChildren([&](TComponent* child) { CollectOwnedTree(Root, child, Out); }, Root);
}

TNamesSetAside::TNamesSetAside(TComponent* Root, const std::vector<TComponent*>& Tops)
    : FRoot(Root), FWatch(std::make_unique<TComponentWatch>([this](TComponent* gone) {
        std::erase_if(FEntries, [gone](const TEntry& e) { return e.Component == gone; });
      })) {
  std::vector<TComponent*> owned;
  for (TComponent* top : Tops)
    CollectOwnedTree(Root, top, owned);
  for (TComponent* c : owned) {
    if (c->Name().empty())
      continue;
    FEntries.push_back(TEntry{c, c->Name()});
    FWatch->Watch(c);
    c->SetName("");
  }
}

TNamesSetAside::~TNamesSetAside() {
  try {
    Restore();
  } catch (...) {
    // A name that cannot come back leaves its component nameless.
  }
  FEntries.clear();
}

void TNamesSetAside::Keep() {
  for (const TEntry& e : FEntries)
    FWatch->Unwatch(e.Component);
  FEntries.clear();
}

void TNamesSetAside::Restore() {
  std::vector<TEntry> entries;
  entries.swap(FEntries);
  for (TEntry& e : entries) {
    FWatch->Unwatch(e.Component);
    // Whatever took the name meanwhile keeps it; the old component then
    // gets a name of its own class.
    MakeUniqueComponentName(FRoot, e.Component, e.Name);
    e.Component->SetName(e.Name);
  }
}

TNewComponents::TNewComponents(TComponent* Root) : FRoot(Root) {
  for (int i = 0; i < Root->ComponentCount(); ++i)
    FBefore.insert(Root->Components(i));
}

TComponent* TNewComponents::NewestNew() const {
  for (int i = FRoot->ComponentCount() - 1; i >= 0; --i)
    if (!FBefore.contains(FRoot->Components(i)))
      return FRoot->Components(i);
  return nullptr;
}

void TNewComponents::FreeAll() {
  while (TComponent* victim = NewestNew())
    victim->Free();
}
