// Alignment, anchors, constraints and the order of children.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls_test_util.h"

using namespace controls_test;

namespace {

class Layout : public ::testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    outer = MakePanel(shown.host, alClient);
    top = MakePanel(outer, alTop, 0, 0, 10, 30);
    bottom = MakePanel(outer, alBottom, 0, 0, 10, 20);
    left = MakePanel(outer, alLeft, 0, 0, 40, 10);
    right = MakePanel(outer, alRight, 0, 0, 50, 10);
    client = MakePanel(outer, alClient);
    anchored = MakePanel(outer, alNone, 300, 200, 50, 40);
    anchored->SetAnchors(TAnchors{akRight, akBottom});
    stretched = MakePanel(outer, alNone, 100, 250, 100, 20);
    stretched->SetAnchors(TAnchors{akLeft, akRight, akTop});
    // With windows or without: alignment must not depend on them.
    if (GetParam())
      shown.Show();
  }

  TPanel* MakePanel(TWinControl* parent, TAlign align, int l = 0, int t = 0, int w = 10, int h = 10) {
    auto* p = new TPanel(shown.host);
    p->SetBounds(l, t, w, h);
    p->SetParent(parent);
    p->SetAlign(align);
    return p;
  }

  ShownHost shown;
  TPanel *outer, *top, *bottom, *left, *right, *client, *anchored, *stretched;
};

// The outer panel's bevel (1 pixel) is taken off the aligned area.
TEST_P(Layout, AlignsInThePlatformsOrderInsideTheBevel) {
  EXPECT_EQ(BoundsText(outer), "0,0,400,300");
  EXPECT_EQ(BoundsText(top), "1,1,398,30");
  EXPECT_EQ(BoundsText(bottom), "1,279,398,20");
  EXPECT_EQ(BoundsText(left), "1,31,40,248");
  EXPECT_EQ(BoundsText(right), "349,31,50,248");
  EXPECT_EQ(BoundsText(client), "41,31,308,248");
}

TEST_P(Layout, ResizeRealignsAndMovesAnchoredChildren) {
  shown.host->SetBounds(100, 100, 500, 400);
  EXPECT_EQ(BoundsText(outer), "0,0,500,400");
  EXPECT_EQ(BoundsText(top), "1,1,498,30");
  EXPECT_EQ(BoundsText(bottom), "1,379,498,20");
  EXPECT_EQ(BoundsText(left), "1,31,40,348");
  EXPECT_EQ(BoundsText(right), "449,31,50,348");
  EXPECT_EQ(BoundsText(client), "41,31,408,348");
  EXPECT_EQ(BoundsText(anchored), "400,300,50,40");
  EXPECT_EQ(BoundsText(stretched), "100,250,200,20");

  shown.host->SetBounds(100, 100, 300, 250);  // and back below the first size
  EXPECT_EQ(BoundsText(anchored), "200,150,50,40");
  EXPECT_EQ(BoundsText(stretched), "100,250,0,20");
}

TEST_P(Layout, MovingAnAnchoredControlByHandKeepsItsNewDistances) {
  anchored->SetBounds(250, 100, 50, 40);
  shown.host->SetBounds(100, 100, 450, 300);
  EXPECT_EQ(BoundsText(anchored), "300,100,50,40");
}

TEST_P(Layout, HiddenAlignedControlGivesItsRoomBack) {
  top->Hide();
  EXPECT_EQ(BoundsText(left), "1,1,40,278");
  EXPECT_EQ(BoundsText(client), "41,1,308,278");
  top->Show();
  EXPECT_EQ(BoundsText(left), "1,31,40,248");
}

TEST_P(Layout, AlignedControlsOfOneKindKeepTheirOrderAlongTheEdge) {
  auto* second = MakePanel(client, alNone, 0, 50, 10, 15);
  auto* first = MakePanel(client, alNone, 0, 10, 10, 25);
  client->DisableAlign();
  second->SetAlign(alTop);
  first->SetAlign(alTop);
  client->EnableAlign();
  // Nearer the top edge comes first, whatever the order of insertion.
  EXPECT_EQ(BoundsText(first), "1,1,306,25");
  EXPECT_EQ(BoundsText(second), "1,26,306,15");
  // Moving the second above the first puts it first.
  second->SetTop(0);
  EXPECT_EQ(BoundsText(second), "1,1,306,15");
  EXPECT_EQ(BoundsText(first), "1,16,306,25");
}

TEST_P(Layout, BorderWidthNarrowsTheAlignedArea) {
  outer->SetBorderWidth(5);
  EXPECT_EQ(BoundsText(top), "6,6,388,30");
  EXPECT_EQ(BoundsText(client), "46,36,298,238");
}

TEST_P(Layout, DisableAlignDefersUntilEnableAlign) {
  outer->DisableAlign();
  top->SetHeight(60);
  bottom->SetHeight(40);
  EXPECT_EQ(BoundsText(client), "41,31,308,248");  // not yet
  outer->EnableAlign();
  EXPECT_EQ(BoundsText(client), "41,61,308,198");
}

TEST_P(Layout, ConstraintsLimitAlignedSizes) {
  left->Constraints()->SetMaxWidth(30);  // narrower than it is
  EXPECT_EQ(left->Width(), 30);
  client->Constraints()->SetMaxHeight(100);
  shown.host->SetBounds(100, 100, 400, 300);
  EXPECT_EQ(BoundsText(client), "31,31,318,100");
}

INSTANTIATE_TEST_SUITE_P(Windows, Layout, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Shown" : "NoWindows"; });

TEST(SizeConstraints, MinimumAndMaximumStayOrdered) {
  TSizeConstraints c;
  c.SetMinWidth(50);
  c.SetMaxWidth(30);
  EXPECT_EQ(c.MinWidth(), 30);
  c.SetMinHeight(80);
  c.SetMaxHeight(60);
  c.SetMinHeight(90);
  EXPECT_EQ(c.MaxHeight(), 90);
  int w = 10, h = 200;
  c.Apply(w, h);
  EXPECT_EQ(w, 30);
  EXPECT_EQ(h, 90);
}

class ChildOrder : public ::testing::Test {
protected:
  void SetUp() override {
    label1 = Make<TLabel>("Label1");
    panel = Make<TPanel>("Panel1");
    label2 = Make<TLabel>("Label2");
    button = Make<TButton>("Button1");
    edit = Make<TEdit>("Edit1");
  }
  template <class C>
  C* Make(const char* name) {
    auto* c = new C(shown.host);
    c->SetName(name);
    c->SetParent(shown.host);
    return c;
  }
  std::string Order() {
    std::string names;
    for (int i = 0; i < shown.host->ControlCount(); ++i)
      names += (i ? " " : "") + shown.host->Controls(i)->Name();
    return names;
  }
  // The host's child windows from the top of the z-order down.
  std::string WindowOrder() {
    std::string names;
    for (HWND w = GetWindow(shown.host->Handle(), GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
      names += (names.empty() ? "" : " ") + FindControl(w)->Name();
    return names;
  }

  ShownHost shown;
  TControl *label1, *label2;
  TWinControl *panel, *button, *edit;
};

TEST_F(ChildOrder, NonWindowedChildrenComeFirstThenWindowedInZOrder) {
  EXPECT_EQ(Order(), "Label1 Label2 Panel1 Button1 Edit1");
  EXPECT_THROW(shown.host->Controls(5), EListError);
}

TEST_F(ChildOrder, BringToFrontAndSendToBackMoveWithinTheirGroup) {
  shown.Show();
  EXPECT_EQ(WindowOrder(), "Edit1 Button1 Panel1");
  label1->BringToFront();
  edit->SendToBack();
  panel->BringToFront();
  EXPECT_EQ(Order(), "Label2 Label1 Edit1 Button1 Panel1");
  EXPECT_EQ(WindowOrder(), "Panel1 Button1 Edit1");
}

TEST_F(ChildOrder, ControlAtPosFindsTheTopmost) {
  for (TControl* c : std::initializer_list<TControl*>{label1, label2, panel, button})
    c->SetBounds(10, 10, 100, 50);
  edit->SetBounds(200, 10, 100, 20);
  EXPECT_EQ(shown.host->ControlAtPos(Point(20, 20), false), label2);
  EXPECT_EQ(shown.host->ControlAtPos(Point(20, 20), false, true), button);
  label2->SetEnabled(false);
  EXPECT_EQ(shown.host->ControlAtPos(Point(20, 20), false), label1);
  EXPECT_EQ(shown.host->ControlAtPos(Point(20, 20), true), label2);
  label1->SendToBack();
  EXPECT_EQ(shown.host->ControlAtPos(Point(200, 200), true), nullptr);
}

TEST_F(ChildOrder, ReparentingMovesTheChildBetweenLists) {
  button->SetParent(static_cast<TWinControl*>(panel));
  EXPECT_EQ(Order(), "Label1 Label2 Panel1 Edit1");
  EXPECT_EQ(static_cast<TWinControl*>(panel)->Controls(0), button);
  EXPECT_EQ(button->Parent(), panel);
  button->SetParent(nullptr);
  EXPECT_EQ(static_cast<TWinControl*>(panel)->ControlCount(), 0);
  button->Free();
}

TEST_F(ChildOrder, FreeingAParentFreesItsChildren) {
  auto* inner = new TPanel(nullptr);  // owned by nobody, parented to panel
  inner->SetParent(panel);
  bool freed = false;
  struct Watch : TComponent {
    explicit Watch(bool& f) : TComponent(nullptr), flag(f) {}
    void Notification(TComponent* c, TOperation op) override {
      if (op == opRemove)
        flag = true;
    }
    bool& flag;
  } watch(freed);
  inner->FreeNotification(&watch);
  panel->Free();
  EXPECT_TRUE(freed);
  EXPECT_EQ(Order(), "Label1 Label2 Button1 Edit1");
}

}  // namespace
