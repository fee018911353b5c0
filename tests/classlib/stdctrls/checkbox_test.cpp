#include "classlib/stdctrls/checkbox.h"

#include <gtest/gtest.h>

#include "classlib/stdctrls/groupbox.h"
#include "classlib/stdctrls/radiogroup.h"
#include "stdctrls_test_util.h"

namespace {

using namespace stdctrls_test;

LRESULT WindowCheck(TWinControl* c) { return SendMessageW(c->Handle(), BM_GETCHECK, 0, 0); }

class CheckBoxTest : public FormFixture {
protected:
  CheckBoxTest() : box(Make<TCheckBox>(10, 10, 150, 17)) {
    box->SetCaption("Fiyatı yazdır");
    box->OnClick = [this](TObject*) { ++clicks; };
  }
  TCheckBox* box;
  int clicks = 0;
};

TEST_F(CheckBoxTest, StateSetByCodeShowsInTheWindowAndClicksOncePerChange) {
  struct Case {
    TCheckBoxState state;
    LRESULT check;
    int clicks;
  };
  const Case cases[] = {{cbChecked, BST_CHECKED, 1},
                        {cbChecked, BST_CHECKED, 1},
                        {cbGrayed, BST_INDETERMINATE, 2},
                        {cbUnchecked, BST_UNCHECKED, 3}};
  ShowForm();
  for (const Case& c : cases) {
    box->SetState(c.state);
    EXPECT_EQ(WindowCheck(box), c.check) << c.state;
    EXPECT_EQ(clicks, c.clicks) << c.state;
  }
  box->SetChecked(true);
  box->RecreateWnd();
  EXPECT_EQ(WindowCheck(box), BST_CHECKED) << "the state survives a new window";
}

TEST_F(CheckBoxTest, SpaceTogglesThroughTheStatesTheBoxAllows) {
  struct Case {
    bool allowGrayed;
    TCheckBoxState after[3];
  };
  const Case cases[] = {{false, {cbChecked, cbUnchecked, cbChecked}},
                        {true, {cbGrayed, cbChecked, cbUnchecked}}};
  ShowForm();
  Focus(box);
  for (const Case& c : cases) {
    box->SetState(cbUnchecked);
    box->SetAllowGrayed(c.allowGrayed);
    clicks = 0;
    for (int i = 0; i < 3; ++i) {
      PressKey(VK_SPACE);
      EXPECT_EQ(box->State(), c.after[i]) << "press " << i << " grayed " << c.allowGrayed;
      EXPECT_EQ(clicks, i + 1);
    }
  }
}

TEST_F(CheckBoxTest, AMouseClickTogglesOnce) {
  ShowForm();
  PostMessageW(box->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(box->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);
}

class RadioTest : public FormFixture {};

TEST_F(RadioTest, CheckingOneButtonUnchecksItsSiblingsOnly) {
  auto* a = Make<TRadioButton>(10, 10);
  auto* b = Make<TRadioButton>(10, 30);
  auto* group = Make<TGroupBox>(200, 10, 150, 100);
  auto* c = new TRadioButton(form);
  c->SetParent(group);
  ShowForm();
  a->SetChecked(true);
  c->SetChecked(true);
  EXPECT_TRUE(a->Checked()) << "a button in another parent stays checked";
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_EQ(WindowCheck(a), BST_UNCHECKED);
  EXPECT_EQ(WindowCheck(b), BST_CHECKED);
  EXPECT_TRUE(c->Checked());
  PostMessageW(a->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(a->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
}

TEST_F(RadioTest, GroupBoxKeepsItsChildrenBelowTheCaption) {
  auto* group = Make<TGroupBox>(10, 10, 200, 120);
  group->SetCaption("Yazıcı");
  auto* inner = new TEdit(form);
  inner->SetParent(group);
  inner->SetAlign(alTop);
  ShowForm();
  EXPECT_EQ(inner->Parent(), group);
  EXPECT_GT(inner->Top(), 8) << "the caption is not covered";
  EXPECT_EQ(GetParent(inner->Handle()), group->Handle());
}

class RadioGroupTest : public FormFixture {
protected:
  RadioGroupTest() : group(Make<TRadioGroup>(10, 10, 200, 120)) {
    group->SetCaption("Kağıt");
    group->Items()->SetText("A4\r\nA5\r\nEtiket\r\n");
    group->OnClick = [this](TObject*) { ++clicks; };
  }
  TRadioGroup* group;
  int clicks = 0;
};

TEST_F(RadioGroupTest, ItemsMakeOneButtonEachInColumns) {
  ShowForm();
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->Buttons(2)->Caption(), "Etiket");
  group->Items()->Add("Zarf");
  ASSERT_EQ(group->ButtonCount(), 4);
  group->SetColumns(2);
  EXPECT_EQ(group->Buttons(0)->Left(), group->Buttons(1)->Left());
  EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left());
  group->Items()->Delete(3);
  EXPECT_EQ(group->ButtonCount(), 3);
}

TEST_F(RadioGroupTest, ItemIndexChecksItsButtonAndClicksOncePerChange) {
  ShowForm();
  struct Case {
    int set;
    int index;
    int clicks;
  };
  const Case cases[] = {{1, 1, 1}, {1, 1, 1}, {2, 2, 2}, {-1, -1, 2}, {9, 2, 3}};
  for (const Case& c : cases) {
    group->SetItemIndex(c.set);
    EXPECT_EQ(group->ItemIndex(), c.index) << "set " << c.set;
    EXPECT_EQ(clicks, c.clicks) << "set " << c.set;
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(group->Buttons(i)->Checked(), i == c.index) << "set " << c.set << " button " << i;
  }
}

TEST_F(RadioGroupTest, ClickingAButtonSetsItemIndex) {
  ShowForm();
  HWND button = group->Buttons(1)->Handle();
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  Pump();
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
