// Bookkeeping of a layout read that must leave no trace when it fails: the
// names of the components it replaces, set aside while it runs, and the
// components it creates, freed when it fails.
#pragma once
#include <memory>
#include <unordered_set>
#include <vector>

#include "classlib/system/ansistring.h"
#include "design/core/componentwatch.h"

// Every component owned by Root in the tree of Top (Top itself and, through
// GetChildren, what it would stream nested in it), parents first.
void CollectOwnedTree(TComponent* Root, TComponent* Top, std::vector<TComponent*>& Out);

// Clears the names of the Root-owned components in the trees of Tops, and
// gives them back when destroyed, unless Keep was called.
class TNamesSetAside {
public:
  TNamesSetAside(TComponent* Root, const std::vector<TComponent*>& Tops);
  ~TNamesSetAside();
  TNamesSetAside(const TNamesSetAside&) = delete;
  TNamesSetAside& operator=(const TNamesSetAside&) = delete;

  // The names stay cleared.
  void Keep();

private:
  struct TEntry {
    TComponent* Component;
    AnsiString Name;
  };
  void Restore();

  TComponent* FRoot;
  std::vector<TEntry> FEntries;
  std::unique_ptr<TComponentWatch> FWatch;  // drops entries of components freed meanwhile
};

// The components Root gains from now on.
class TNewComponents {
public:
  explicit TNewComponents(TComponent* Root);

  // Frees every component Root owns now that it did not own at creation,
  // the last first (freeing a container may free what it holds).
  void FreeAll();

private:
  TComponent* NewestNew() const;

  TComponent* FRoot;
  std::unordered_set<TComponent*> FBefore;
};
