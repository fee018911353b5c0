#include "skin/core/thirdpartylist.h"

#include "classlib/classes/typinfo.h"

#define THIRD_LIST(Name, Index) ::dozuri::PropertyEntry<&Self::Get<Index>, &Self::Set<Index>>(#Name)

// Stream order, as the form designer writes them.
BEGIN_PUBLISHED(ThirdPartyList)
  THIRD_LIST(ThirdEdits, 0),
  THIRD_LIST(ThirdButtons, 1),
  THIRD_LIST(ThirdBitBtns, 2),
  THIRD_LIST(ThirdCheckBoxes, 3),
  THIRD_LIST(ThirdGroupBoxes, 6),
  THIRD_LIST(ThirdListViews, 7),
  THIRD_LIST(ThirdPanels, 8),
  THIRD_LIST(ThirdGrids, 5),
  THIRD_LIST(ThirdTreeViews, 9),
  THIRD_LIST(ThirdComboBoxes, 4),
  THIRD_LIST(ThirdWWEdits, 10),
  THIRD_LIST(ThirdVirtualTrees, 12),
  THIRD_LIST(ThirdGridEh, 11),
  THIRD_LIST(ThirdPageControl, 13),
  THIRD_LIST(ThirdTabControl, 14),
  THIRD_LIST(ThirdToolBar, 15),
  THIRD_LIST(ThirdStatusBar, 16),
  THIRD_LIST(ThirdSpeedButton, 17),
END_PUBLISHED

AnsiString DefaultThirdList(int Index) { return Index == tlButtons ? "TButton" : " "; }

ThirdPartyList::ThirdPartyList() {
  for (int i = 0; i < ThirdListCount; ++i)
    FLists[i] = DefaultThirdList(i);
}

AnsiString ThirdPartyList::GetByIndex(int Index) const {
  return Index >= 0 && Index < ThirdListCount ? FLists[Index] : AnsiString();
}

void ThirdPartyList::SetByIndex(int Index, const AnsiString& Value) {
  if (Index >= 0 && Index < ThirdListCount)
    FLists[Index] = Value;
}
