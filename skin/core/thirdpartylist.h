// The skin manager's 18 lists of control class names, one text per
// category with a class name per line, that tell the control adapter which
// adapter to give a class it does not know. Portable: no Win32.
#pragma once
#include <array>

#include "classlib/classes/persistent.h"
#include "classlib/system/ansistring.h"

constexpr int ThirdListCount = 18;

// The text a category starts with: "TButton" for the buttons, else " ".
AnsiString DefaultThirdList(int Index);

class ThirdPartyList : public TPersistent {
  DECLARE_CLASS(ThirdPartyList, TPersistent)

public:
  ThirdPartyList();

  // Empty outside 0..17.
  AnsiString GetByIndex(int Index) const;
  // Nothing outside 0..17.
  void SetByIndex(int Index, const AnsiString& Value);

  template <int Index>
  AnsiString Get() const { return GetByIndex(Index); }
  template <int Index>
  void Set(const AnsiString& Value) { SetByIndex(Index, Value); }

private:
  std::array<AnsiString, ThirdListCount> FLists;
};

// Indexes of the categories.
enum TThirdListIndex {
  tlEdits = 0, tlButtons = 1, tlBitBtns = 2, tlCheckBoxes = 3, tlComboBoxes = 4, tlGrids = 5, tlGroupBoxes = 6,
  tlListViews = 7, tlPanels = 8, tlTreeViews = 9, tlWWEdits = 10, tlGridEh = 11, tlVirtualTrees = 12,
  tlPageControl = 13, tlTabControl = 14, tlToolBar = 15, tlStatusBar = 16, tlSpeedButton = 17
};
