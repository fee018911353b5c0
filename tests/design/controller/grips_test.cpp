// Grips around a single selected control, resizing with them on the grid,
// and the group marks of a multi-selection, read back from the screen.
#include <gtest/gtest.h>

#include <typeinfo>

#include "design/dsnsub8.h"
#include "editfixture.h"

namespace {

class Grips : public EditSurface {
protected:
  // The grip of a kind among Parent's children.
  template <class T>
  static T* GripOf(TWinControl* Parent) {
    for (TSmallRect* grip : GripsOn(Parent))
      if (auto* found = dynamic_cast<T*>(grip))
        return found;
    return nullptr;
  }
  // The visible grips of a parent, once waiting messages are handled.
  static std::vector<TSmallRect*> VisibleGripsOn(TWinControl* Parent) {
    test_support::Pump();
    std::vector<TSmallRect*> shown;
    for (TSmallRect* grip : GripsOn(Parent))
      if (grip->Visible() && IsWindowVisible(grip->Handle()))
        shown.push_back(grip);
    return shown;
  }
};

constexpr COLORREF Grey = RGB(128, 128, 128);

TEST_F(Grips, ASelectedLabelHasEightGripsPlacedAroundIt) {
  controller->SetActive(true);
  select->SelectComponent(labelA);
  const std::vector<TSmallRect*> grips = GripsOn(title);
  ASSERT_EQ(grips.size(), 8u);
  for (TSmallRect* grip : grips) {
    EXPECT_EQ(grip->Width(), 6);
    EXPECT_EQ(grip->Height(), 6);
    EXPECT_TRUE(grip->Visible());
    EXPECT_TRUE(grip->Active());
    EXPECT_EQ(grip->Owner(), nullptr);
    EXPECT_EQ(grip->Target(), labelA);
  }
  // Label at (40, 30), 100 by 20.
  struct Case {
    TSmallRect* grip;
    int left, top;
    TCursor cursor;
  };
  for (const Case& c : {Case{GripOf<THidariueRect>(title), 38, 28, crSizeNWSE},
                        Case{GripOf<TMigiueRect>(title), 136, 28, crSizeNESW},
                        Case{GripOf<THidarishitaRect>(title), 38, 46, crSizeNESW},
                        Case{GripOf<TMigishitaRect>(title), 136, 46, crSizeNWSE},
                        Case{GripOf<TNakaueRect>(title), 87, 28, crSizeNS},
                        Case{GripOf<TNakashitaRect>(title), 87, 46, crSizeNS},
                        Case{GripOf<TNakamigiRect>(title), 136, 37, crSizeWE},
                        Case{GripOf<TNakahidariRect>(title), 38, 37, crSizeWE}}) {
    ASSERT_NE(c.grip, nullptr);
    SCOPED_TRACE(typeid(*c.grip).name());
    EXPECT_EQ(c.grip->Left(), c.left);
    EXPECT_EQ(c.grip->Top(), c.top);
    EXPECT_EQ(c.grip->Cursor(), c.cursor);
  }
  // An active grip is black.
  TSmallRect* corner = GripOf<TMigishitaRect>(title);
  test_support::Pump();
  EXPECT_EQ(PixelOf(corner, 3, 3), RGB(0, 0, 0));

  // The grips follow a control the host moved, at the next update.
  labelA->SetLeft(48);
  stage->UpdateSelection();
  EXPECT_EQ(GripOf<TMigishitaRect>(title)->Left(), 144);
}

TEST_F(Grips, MovingTheSelectionLeavesActiveGripsOnlyAroundTheNewControl) {
  controller->SetActive(true);
  struct Step {
    TControl* selected;
    TWinControl* parent;
    TWinControl* other;  // the other band, which shows no grip
    int cornerLeft, cornerTop;  // the bottom right grip
  };
  // Label A at (40, 30) 100 by 20, label B at (160, 30) 60 by 20, both on
  // the title; label C at (10, 5) 60 by 20 on the detail.
  const Step steps[] = {{labelA, title, detail, 136, 46},
                        {labelB, title, detail, 216, 46},
                        {labelC, detail, title, 66, 21},
                        {labelA, title, detail, 136, 46}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.selected->Name());
    select->SelectComponent(step.selected);
    const std::vector<TSmallRect*> shown = VisibleGripsOn(step.parent);
    ASSERT_EQ(shown.size(), 8u);
    for (TSmallRect* grip : shown) {
      EXPECT_TRUE(grip->Active());
      EXPECT_EQ(grip->Target(), step.selected);
    }
    EXPECT_TRUE(VisibleGripsOn(step.other).empty());
    TSmallRect* corner = GripOf<TMigishitaRect>(step.parent);
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->Left(), step.cornerLeft);
    EXPECT_EQ(corner->Top(), step.cornerTop);
    // The grips stay in front of the controls they sit beside.
    const int count = step.parent->ControlCount();
    for (int i = count - 8; i < count; ++i)
      EXPECT_NE(dynamic_cast<TSmallRect*>(step.parent->Controls(i)), nullptr) << i;
  }
  // A selection emptied without an update shows no grip after the next pump.
  controller->SelectionList()->Clear();
  EXPECT_TRUE(VisibleGripsOn(title).empty());
  controller->UnselectAll();
  EXPECT_TRUE(GripsOn(title).empty());
}

TEST_F(Grips, DraggingAGripResizesOnTheGridAndReportsTheResizeOnce) {
  struct Case {
    const char* what;
    int grid;
    TSmallRect* (*grip)(TWinControl*);
    TPoint from, to;
    TRect bounds;  // left, top, width, height afterwards
  };
  const Case cases[] = {
      // The right edge dragged past the left one: the control spans from
      // the release point to its old left edge.
      {"right middle 130 to the left", 1, [](TWinControl* p) -> TSmallRect* { return GripOf<TNakamigiRect>(p); },
       Point(3, 3), Point(3 - 130, 3), TRect{10, 30, 30, 20}},
      {"bottom right by (13, 13) on a grid of 8", 8,
       [](TWinControl* p) -> TSmallRect* { return GripOf<TMigishitaRect>(p); }, Point(0, 0), Point(13, 13),
       TRect{40, 30, 108, 28}},
      {"top left pressed and released in place", 8,
       [](TWinControl* p) -> TSmallRect* { return GripOf<THidariueRect>(p); }, Point(2, 2), Point(2, 2),
       TRect{40, 30, 100, 20}},
      {"top middle to the bottom edge exactly", 1,
       [](TWinControl* p) -> TSmallRect* { return GripOf<TNakaueRect>(p); }, Point(3, 3), Point(3, 23),
       TRect{40, 50, 100, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    labelA->SetBounds(40, 30, 100, 20);
    UseGrid(c.grid);
    controller->SetActive(true);
    select->SelectComponent(labelA);
    TSmallRect* grip = c.grip(title);
    ASSERT_NE(grip, nullptr);
    moveResizes = 0;
    Drag(grip, c.from, c.to);
    EXPECT_EQ(labelA->Left(), c.bounds.left);
    EXPECT_EQ(labelA->Top(), c.bounds.top);
    EXPECT_EQ(labelA->Width(), c.bounds.right);
    EXPECT_EQ(labelA->Height(), c.bounds.bottom);
    EXPECT_EQ(moveResizes, 1);
    // The grips sit at the new bounds.
    TSmallRect* corner = GripOf<TMigishitaRect>(title);
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->Left(), labelA->Left() + labelA->Width() - 4);
    EXPECT_EQ(corner->Top(), labelA->Top() + labelA->Height() - 4);
    controller->SetActive(false);
  }
}

TEST_F(Grips, AnInactiveGripDoesNotResize) {
  auto* handler = new TMultiHandler;  // the base handler: inactive grips for two
  TTargetList list;
  list.Link(handler);
  list.Add(labelA);
  list.Add(labelB);
  list.Update();
  std::vector<TSmallRect*> grips = GripsOn(title);
  ASSERT_EQ(grips.size(), 8u) << "four corner grips per control";
  for (TSmallRect* grip : grips)
    EXPECT_FALSE(grip->Active());
  Drag(grips[0], Point(2, 2), Point(30, 30));
  EXPECT_EQ(labelA->Width(), 100);
  EXPECT_EQ(labelB->Width(), 60);
  EXPECT_EQ(grips[0]->Outline(), nullptr);
  // One left: its four grips are active again.
  list.Delete(1);
  grips = GripsOn(title);
  ASSERT_EQ(grips.size(), 4u);
  for (TSmallRect* grip : grips) {
    EXPECT_TRUE(grip->Active());
    EXPECT_EQ(grip->Target(), labelA);
  }
  delete handler;
  EXPECT_TRUE(GripsOn(title).empty());
}

TEST_F(Grips, ASecondControlTurnsGripsIntoGroupMarksAndLosingItGivesTheGripsBack) {
  controller->SetActive(true);
  Click(labelA, Point(50, 10));
  ASSERT_EQ(Selected(), std::vector<TComponent*>{labelA});
  EXPECT_EQ(GripsOn(title).size(), 8u);

  Click(labelB, Point(30, 10), MK_SHIFT);
  ASSERT_EQ(Selected(), (std::vector<TComponent*>{labelA, labelB}));
  EXPECT_TRUE(GripsOn(title).empty());
  test_support::Pump();
  for (TQRLabel* label : {labelA, labelB}) {
    SCOPED_TRACE(label->Name());
    const int w = label->Width();
    const int h = label->Height();
    // Inside each corner square, and just outside it.
    for (TPoint p : {Point(2, 2), Point(w - 3, 2), Point(2, h - 3), Point(w - 3, h - 3)})
      EXPECT_EQ(PixelOf(label, p.x, p.y), Grey) << p.x << ", " << p.y;
    EXPECT_NE(PixelOf(label, 8, 8), Grey);
    EXPECT_NE(PixelOf(label, w - 9, h - 9), Grey);
  }

  Click(labelB, Point(30, 10), MK_SHIFT);
  ASSERT_EQ(Selected(), std::vector<TComponent*>{labelA});
  EXPECT_EQ(GripsOn(title).size(), 8u);
  test_support::Pump();
  EXPECT_NE(PixelOf(labelA, 2, 2), Grey) << "the marks went with the second control";
  EXPECT_NE(PixelOf(labelB, 2, 2), Grey);
}

TEST_F(Grips, AControlWithoutAWindowHasItsMarksOnItsParent) {
  controller->SetActive(true);
  select->SelectComponents({labelC, barcode});
  test_support::Pump();
  const int x = barcode->Left();
  const int y = barcode->Top();
  const int w = barcode->Width();
  const int h = barcode->Height();
  for (TPoint p : {Point(x + 1, y + 1), Point(x + w - 2, y + 1), Point(x + 1, y + h - 2), Point(x + w - 2, y + h - 2)})
    EXPECT_EQ(PixelOf(detail, p.x, p.y), Grey) << p.x << ", " << p.y;
  EXPECT_EQ(PixelOf(labelC, 1, 1), Grey);
}

// ---- Nothing freed twice ----
TEST_F(Grips, AGripFreedWithItsParentOrItsControlIsNotFreedAgain) {
  controller->SetActive(true);
  // The control goes while its grips show.
  select->SelectComponent(labelC);
  ASSERT_EQ(GripsOn(detail).size(), 8u);
  labelC->Free();
  EXPECT_TRUE(GripsOn(detail).empty());
  EXPECT_EQ(controller->SelectedCount(), 0);

  // The parent goes, and the grips among its children with it.
  select->SelectComponent(labelA);
  ASSERT_EQ(GripsOn(title).size(), 8u);
  title->Free();
  title = nullptr;
  EXPECT_EQ(controller->SelectedCount(), 0);
  controller->UnselectAll();
  stage->UpdateSelection();

  // A grip freed alone leaves the others to their rect.
  select->SelectComponent(barcode);
  std::vector<TSmallRect*> grips = GripsOn(detail);
  ASSERT_EQ(grips.size(), 8u);
  grips[0]->Free();
  EXPECT_EQ(GripsOn(detail).size(), 7u);
  controller->UnselectAll();
  EXPECT_TRUE(GripsOn(detail).empty());
}

}  // namespace
