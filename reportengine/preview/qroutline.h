// TQROutline: the headings of a run's pages, each leading to a place on a
// page, and the tree view items that show them. Nothing in this system adds
// entries yet, so the tree stays empty; the outline still keeps its tree in
// step with its entries.
#pragma once
#include <windows.h>

#include <vector>

#include "classlib/classes/object.h"
#include "classlib/system/ansistring.h"

class TTreeNodes;

struct TQROutlineEntry {
  AnsiString Caption;
  int Level = 0;  // 0 for a heading at the root
  RECT Rect{};
  int PageNumber = 0;
  AnsiString Key;
};

class TQROutline : public TObject {
  DECLARE_CLASS(TQROutline, TObject)

public:
  TQROutline() = default;
  ~TQROutline() override;

  int Count() const { return static_cast<int>(FEntries.size()); }
  const TQROutlineEntry& Entry(int Index) const { return FEntries.at(Index); }
  // Adds an entry at the end; a tree attached shows it after a rebuild.
  void AddEntry(const TQROutlineEntry& Entry);
  void Clear();

  TTreeNodes* TreeNodes() const { return FTreeNodes; }
  // Keeps the items and, when there are any, builds the tree from the entries.
  void SetTreeNodes(TTreeNodes* Value);
  // The rectangle and page of the first entry with the key; page 0 when none.
  void FindEntry(const AnsiString& Key, RECT& Rect, int& PageNumber) const;

private:
  void Rebuild();

  std::vector<TQROutlineEntry> FEntries;
  TTreeNodes* FTreeNodes = nullptr;
};
