// The bound caption label of a skinned memo: activation names and shows the
// label, the layouts place it beside or above the control, it follows the
// control's visibility, and freeing either side leaves no dangling label.
#include <gtest/gtest.h>

#include "skin/controls/sboundlabel.h"
#include "skin/controls/slabel.h"
#include "skin/controls/smemo.h"
#include "skin_test_util.h"

namespace {

using namespace skin_test;

TsMemo* AddMemo(FormFixture& form, const char* name, int top, int height) {
  auto* memo = form.Add<TsMemo>(150, top, 120, height);
  memo->SetName(name);
  return memo;
}

TEST(BoundLabel, ActivatingWithAnEmptyCaptionNamesTheLabelAfterTheControl) {
  FormFixture form;
  TsMemo* memo = AddMemo(form, "MemoTeam", 10, 100);
  TsBoundLabel* bound = memo->BoundLabel();
  EXPECT_FALSE(bound->Active());
  EXPECT_EQ(bound->TheLabel(), nullptr);
  bound->SetActive(true);
  TsEditLabel* label = bound->TheLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Name(), "MemoTeamLabel");
  EXPECT_EQ(label->Caption(), "MemoTeam");
  EXPECT_EQ(bound->Caption(), "MemoTeam");
  EXPECT_EQ(label->Owner(), memo);
  EXPECT_EQ(label->Parent(), memo->Parent());
  EXPECT_EQ(label->FocusControl(), memo);
  EXPECT_TRUE(label->Visible());
  bound->SetActive(false);
  EXPECT_EQ(bound->TheLabel(), nullptr);
}

TEST(BoundLabel, LayoutsPlaceTheLabelBesideOrAboveTheControl) {
  struct Case {
    const char* Name;
    TsCaptionLayout Layout;
    int Indent;
    TAlignment Alignment;
  };
  const Case cases[] = {
      {"left", sclLeft, 0, taRightJustify},       {"left indent 6", sclLeft, 6, taRightJustify},
      {"top-left", sclTopLeft, 2, taLeftJustify}, {"top-centre", sclTopCenter, 0, taCenter},
      {"top-right", sclTopRight, 3, taRightJustify},
  };
  FormFixture form;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TsMemo* memo = AddMemo(form, "Notlar", 150, 100);
    memo->SetTop(10);
    TsBoundLabel* bound = memo->BoundLabel();
    bound->SetCaption("Not");
    bound->SetIndent(c.Indent);
    bound->SetLayout(c.Layout);
    bound->SetActive(true);
    TsEditLabel* label = bound->TheLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Alignment(), c.Alignment);
    const int w = label->Width(), h = label->Height();
    switch (c.Layout) {
      case sclLeft:
        EXPECT_EQ(label->Left() + w, memo->Left() - c.Indent - 4);
        EXPECT_EQ(label->Top(), 10 + (100 - h) / 2 - 1);
        break;
      case sclTopLeft: EXPECT_EQ(label->Left(), memo->Left()); break;
      case sclTopCenter: EXPECT_EQ(label->Left(), memo->Left() + (memo->Width() - w) / 2); break;
      case sclTopRight: EXPECT_EQ(label->Left() + w, memo->Left() + memo->Width()); break;
    }
    if (c.Layout != sclLeft)
      EXPECT_EQ(label->Top(), 10 - h - c.Indent);
    memo->Free();
  }
}

TEST(BoundLabel, MovingTheControlMovesTheLabel) {
  FormFixture form;
  TsMemo* memo = AddMemo(form, "Tasin", 10, 60);
  memo->BoundLabel()->SetActive(true);
  TsEditLabel* label = memo->BoundLabel()->TheLabel();
  memo->HandleNeeded();
  memo->SetBounds(200, 40, 120, 60);
  EXPECT_EQ(label->Left() + label->Width(), 200 - 4);
  EXPECT_EQ(label->Top(), 40 + (60 - label->Height()) / 2 - 1);
}

TEST(BoundLabel, HiddenControlGetsAHiddenLabelAndFollowsLater) {
  FormFixture form;
  TsMemo* memo = AddMemo(form, "Gizli", 10, 60);
  memo->SetVisible(false);
  memo->BoundLabel()->SetActive(true);
  TsEditLabel* label = memo->BoundLabel()->TheLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_FALSE(label->Visible());
  memo->SetVisible(true);
  EXPECT_TRUE(label->Visible());
  memo->SetEnabled(false);
  EXPECT_FALSE(label->Enabled());  // the blended disabled look dims the caption too
  memo->SetEnabled(true);
  EXPECT_TRUE(label->Enabled());
  memo->SetDisabledKind(0);
  memo->SetEnabled(false);
  EXPECT_TRUE(label->Enabled());
}

TEST(BoundLabel, LayoutChangeWhileInactiveOnlyStoresIt) {
  FormFixture form;
  TsMemo* memo = AddMemo(form, "Pasif", 10, 60);
  memo->BoundLabel()->SetLayout(sclTopCenter);
  memo->BoundLabel()->SetIndent(7);
  EXPECT_EQ(memo->BoundLabel()->Layout(), sclTopCenter);
  EXPECT_EQ(memo->BoundLabel()->TheLabel(), nullptr);
  EXPECT_EQ(form.Host()->ControlCount(), 1);
}

TEST(BoundLabel, FontAndUseSkinColorWithoutAndWithALabel) {
  FormFixture form;
  TsMemo* memo = AddMemo(form, "Yazi", 10, 60);
  TsBoundLabel* bound = memo->BoundLabel();
  TFont font;
  font.SetColor(clMaroon);
  bound->SetFont(&font);
  EXPECT_EQ(bound->Font()->Color(), clMaroon);
  EXPECT_TRUE(bound->UseSkinColor());
  bound->SetUseSkinColor(false);  // dropped without a label
  EXPECT_TRUE(bound->UseSkinColor());
  bound->SetActive(true);
  bound->SetUseSkinColor(false);
  EXPECT_FALSE(bound->UseSkinColor());
  font.SetColor(clNavy);
  bound->SetFont(&font);
  EXPECT_EQ(bound->TheLabel()->Font()->Color(), clNavy);
}

TEST(BoundLabel, FreeingTheLabelElsewhereLeavesTheBoundLabelInactive) {
  FormFixture form;
  TsMemo* memo = AddMemo(form, "Sil", 10, 60);
  memo->BoundLabel()->SetActive(true);
  memo->BoundLabel()->TheLabel()->Free();
  EXPECT_FALSE(memo->BoundLabel()->Active());
  EXPECT_EQ(memo->BoundLabel()->TheLabel(), nullptr);
  memo->BoundLabel()->SetActive(true);  // a new label, no double free at the end
  EXPECT_NE(memo->BoundLabel()->TheLabel(), nullptr);
  memo->Free();
  EXPECT_EQ(form.Host()->ControlCount(), 0);
}

}  // namespace
