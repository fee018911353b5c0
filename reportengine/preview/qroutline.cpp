#include "reportengine/preview/qroutline.h"

#include "classlib/comctrls/treeview.h"

IMPLEMENT_CLASS(TQROutline)

TQROutline::~TQROutline() = default;

void TQROutline::AddEntry(const TQROutlineEntry& Entry) {
  FEntries.push_back(Entry);
}

void TQROutline::Clear() {
  FEntries.clear();
}

void TQROutline::SetTreeNodes(TTreeNodes* Value) {
  FTreeNodes = Value;
  if (FTreeNodes != nullptr)
    Rebuild();
}

// Each entry goes under the last item added one level above it; an entry
// with no such item (a heading, or a level skipped) goes to the root.
void TQROutline::Rebuild() {
  FTreeNodes->BeginUpdate();
  try {
    FTreeNodes->Clear();
    std::vector<TTreeNode*> lastAtLevel;
    for (const TQROutlineEntry& entry : FEntries) {
      const int level = entry.Level < 0 ? 0 : entry.Level;
      TTreeNode* parent = nullptr;
      if (level > 0 && level - 1 < static_cast<int>(lastAtLevel.size()))
        parent = lastAtLevel[level - 1];
      TTreeNode* node = FTreeNodes->AddChild(parent, entry.Caption);
      if (static_cast<int>(lastAtLevel.size()) <= level)
        lastAtLevel.resize(level + 1, nullptr);
      lastAtLevel[level] = node;
    }
  } catch (...) {
    FTreeNodes->EndUpdate();
    throw;
  }
  FTreeNodes->EndUpdate();
}

void TQROutline::FindEntry(const AnsiString& Key, RECT& Rect, int& PageNumber) const {
  for (const TQROutlineEntry& entry : FEntries) {
    if (entry.Key == Key) {
      Rect = entry.Rect;
      PageNumber = entry.PageNumber;
      return;
    }
  }
  Rect = RECT{};
  PageNumber = 0;
}
