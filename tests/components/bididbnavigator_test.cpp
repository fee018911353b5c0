// The mirrored navigator: its shortcut actions joining a form's action list,
// the mirrored row and arrows of a right-to-left navigator (also after a
// resize), the glyph properties, and the actions following their list and
// source away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/dbctrls/dbactns.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/shortcuts.h"
#include "classlib/graphics/bitmap.h"
#include "components/bididbnavigator.h"
#include "tests/classlib/dbctrls/dbctrls_test_util.h"

namespace {

using namespace dbctrls_test;

class BiDiNavigatorTest : public DataFixture {
protected:
  TBiDiDBNavigator* MakeNavigator(TButtonSet visible) {
    auto* navigator = Make<TBiDiDBNavigator>(10, 10, 200, 25);
    navigator->SetVisibleButtons(visible);
    navigator->SetDataSource(Source);
    return navigator;
  }

  // The visible buttons' kinds from left to right, and the symbols they draw.
  static std::string Row(TBiDiDBNavigator* navigator, bool symbols) {
    static const char* const names[] = {"first", "prior", "next", "last", "insert",
                                        "delete", "edit", "post", "cancel", "refresh"};
    std::vector<TNavButton*> buttons;
    for (int i = 0; i < TDBNavigator::ButtonKinds; ++i)
      if (navigator->Buttons(static_cast<TNavigateBtn>(i))->Visible())
        buttons.push_back(navigator->Buttons(static_cast<TNavigateBtn>(i)));
    std::sort(buttons.begin(), buttons.end(), [](TNavButton* a, TNavButton* b) { return a->Left() < b->Left(); });
    std::string row;
    for (TNavButton* b : buttons)
      row += std::string(row.empty() ? "" : " ") + names[symbols ? b->Symbol() : b->Index()];
    return row;
  }

  const TButtonSet arrows{nbFirst, nbPrior, nbNext, nbLast};
};

TEST_F(BiDiNavigatorTest, ShortcutsRunThroughTheFormsActionList) {
  AddRows({{"Ali", 1, true}, {"Berk", 2, false}, {"Can", 3, true}});
  Table->First();
  auto* list = new TActionList(Owner.get());
  auto* navigator = MakeNavigator(arrows);
  navigator->SetActionList(list);
  navigator->SetDataSourceAct(Source);
  const char* keys[] = {"Ctrl+PgUp", "PgUp", "PgDn", "Ctrl+PgDn", "Ctrl+F2", "Ctrl+F3", "Alt+F2", "F3"};
  for (int i = 0; i < TBiDiDBNavigator::ShortcutActions; ++i) {
    TDataSetAction* action = navigator->ShortcutAction(i);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->ShortCut(), TextToShortCut(keys[i])) << keys[i];
    EXPECT_EQ(action->ActionList(), list);
    EXPECT_EQ(action->DataSource(), Source);
  }
  EXPECT_TRUE(list->IsShortCut(ShortCut(VK_NEXT, TShiftState{})));
  EXPECT_EQ(Name(), "Berk");
  EXPECT_TRUE(list->IsShortCut(ShortCut(VK_NEXT, TShiftState{ssCtrl})));
  EXPECT_EQ(Name(), "Can");
  EXPECT_TRUE(list->IsShortCut(ShortCut(VK_F3, TShiftState{ssCtrl})));
  EXPECT_EQ(Table->RecordCount(), 2);
  EXPECT_TRUE(list->IsShortCut(ShortCut(VK_PRIOR, TShiftState{ssCtrl})));
  EXPECT_EQ(Name(), "Ali");
}

TEST_F(BiDiNavigatorTest, WithoutOldCreatorTheActionsStayUnbound) {
  auto* list = new TActionList(Owner.get());
  auto* navigator = MakeNavigator(arrows);
  navigator->SetOldCreator(false);
  navigator->SetActionList(list);
  EXPECT_EQ(navigator->ShortcutAction(0)->ActionList(), nullptr);
  EXPECT_EQ(list->ActionCount(), 0);
}

TEST_F(BiDiNavigatorTest, RightToLeftMirrorsTheRowAndTheArrows) {
  auto* navigator = MakeNavigator(arrows);
  EXPECT_EQ(Row(navigator, false), "first prior next last");
  EXPECT_FALSE(navigator->IsMirrored());
  navigator->SetBiDiMode(bdRightToLeft);
  EXPECT_TRUE(navigator->IsMirrored());
  EXPECT_EQ(Row(navigator, false), "last next prior first");
  // The arrows point the other way: the leftmost button (last) draws the
  // symbol of first.
  EXPECT_EQ(Row(navigator, true), "first prior next last");
  navigator->SetWidth(260);
  EXPECT_TRUE(navigator->IsMirrored());
  EXPECT_EQ(Row(navigator, false), "last next prior first");
  navigator->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(navigator->IsMirrored());
  EXPECT_EQ(Row(navigator, false), "first prior next last");
  EXPECT_EQ(Row(navigator, true), "first prior next last");
}

TEST_F(BiDiNavigatorTest, MirroringExchangesTheGlyphsOfTheArrowButtons) {
  auto* navigator = MakeNavigator(arrows);
  TBitmap glyph;
  glyph.SetSize(7, 5);
  navigator->SetGlyph(nbFirst, &glyph);
  EXPECT_EQ(navigator->Glyph(nbFirst)->Width(), 7);
  // The published property writes and reads the same picture.
  EXPECT_EQ(GetObjectProp(navigator, "GlyphFirst"), navigator->Glyph(nbFirst));
  navigator->SetBiDiMode(bdRightToLeft);
  EXPECT_TRUE(navigator->Glyph(nbFirst)->Empty());
  EXPECT_EQ(navigator->Glyph(nbLast)->Width(), 7);
}

TEST_F(BiDiNavigatorTest, RemovedListAndSourceAreForgotten) {
  auto* list = new TActionList(nullptr);
  auto* source = new TDataSource(nullptr);
  auto* navigator = MakeNavigator(arrows);
  navigator->SetActionList(list);
  navigator->SetDataSourceAct(source);
  EXPECT_EQ(list->ActionCount(), TBiDiDBNavigator::ShortcutActions);
  source->Free();
  EXPECT_EQ(navigator->DataSourceAct(), nullptr);
  EXPECT_EQ(navigator->ShortcutAction(0)->DataSource(), nullptr);
  list->Free();
  EXPECT_EQ(navigator->ActionList(), nullptr);
  // A navigator freed while its list lives takes its actions out of it.
  auto* second = new TActionList(Owner.get());
  auto* other = new TBiDiDBNavigator(nullptr);
  other->SetActionList(second);
  EXPECT_EQ(second->ActionCount(), TBiDiDBNavigator::ShortcutActions);
  other->Free();
  EXPECT_EQ(second->ActionCount(), 0);
}

}  // namespace
