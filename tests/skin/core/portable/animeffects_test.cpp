// The skin manager's animation options and class-name lists: defaults and
// the published properties the form designer streams.
#include <gtest/gtest.h>

#include "classlib/classes/typinfo.h"
#include "skin/core/animeffects.h"
#include "skin/core/thirdpartylist.h"

namespace {

TEST(SkinAnimEffects, Defaults) {
  TacAnimEffects effects;
  EXPECT_EQ(effects.Buttons()->Events(), (TacBtnEvents{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp}));
  const struct {
    const char* What;
    TacFormAnimation* Animation;
    int Time;
    TacAnimType Mode;
  } cases[] = {{"FormShow", effects.FormShow(), 0, atAero},       {"FormHide", effects.FormHide(), 0, atAero},
               {"DialogShow", effects.DialogShow(), 0, atAero},   {"DialogHide", effects.DialogHide(), 0, atAero},
               {"PageChange", effects.PageChange(), 0, atAero},   {"SkinChanging", effects.SkinChanging(), 100, atFading}};
  for (const auto& c : cases) {
    EXPECT_TRUE(c.Animation->Active()) << c.What;
    EXPECT_EQ(c.Animation->Time(), c.Time) << c.What;
    EXPECT_EQ(c.Animation->Mode(), c.Mode) << c.What;
  }
  for (const char* name : {"Buttons", "DialogShow", "FormShow", "FormHide", "DialogHide", "PageChange", "SkinChanging"})
    EXPECT_NE(GetPropInfo(&effects, name), nullptr) << name;
  EXPECT_NE(GetPropInfo(effects.FormShow(), "Mode"), nullptr);
  EXPECT_EQ(GetPropInfo(effects.PageChange(), "Mode"), nullptr);  // a page change has no kind
}

TEST(SkinThirdParty, DefaultListsAndIndexes) {
  ThirdPartyList lists;
  for (int i = 0; i < ThirdListCount; ++i)
    EXPECT_EQ(lists.GetByIndex(i), i == tlButtons ? "TButton" : " ") << i;
  EXPECT_EQ(lists.GetByIndex(18), "");
  EXPECT_EQ(lists.GetByIndex(-1), "");
  lists.SetByIndex(18, "TLost");
  lists.SetByIndex(tlGrids, "TMyGrid\r\nTOtherGrid");
  EXPECT_EQ(GetStrProp(&lists, "ThirdGrids"), "TMyGrid\r\nTOtherGrid");
  EXPECT_EQ(GetStrProp(&lists, "ThirdButtons"), "TButton");
  SetStrProp(&lists, "ThirdSpeedButton", "TMySpeed");
  EXPECT_EQ(lists.GetByIndex(tlSpeedButton), "TMySpeed");
}

}  // namespace
