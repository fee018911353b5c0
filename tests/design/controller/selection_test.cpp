// The selection interface of the design controller and its partner: what
// the host is told of each change, which components may be selected, and
// the snap grid.
#include <gtest/gtest.h>

#include "classlib/classes/typinfo.h"
#include "classlib/forms/forms.h"
#include "surfacefixture.h"

namespace {

using Selection = DesignSurface;

std::vector<TComponent*> Of(std::initializer_list<TComponent*> list) { return list; }

TEST_F(Selection, TheCountIsMinusOneUntilTheFirstSelectionAndZeroWhenEmptied) {
  controller->SetActive(true);
  EXPECT_EQ(stage->SelectedCount(), -1);
  controller->UnselectAll();  // no list yet: nothing happens
  EXPECT_EQ(stage->SelectedCount(), -1);
  EXPECT_TRUE(notices.empty());

  select->SelectComponent(label1);
  EXPECT_EQ(stage->SelectedCount(), 1);
  EXPECT_EQ(stage->SelectedControl(0), label1);
  EXPECT_EQ(stage->SelectedControl(1), nullptr);
  controller->UnselectAll();
  EXPECT_EQ(stage->SelectedCount(), 0);
  ASSERT_FALSE(notices.empty());
  EXPECT_EQ(notices.back().Operation, opClear);
}

TEST_F(Selection, EndingDesignModeReportsOneClearAndANewSelectionHoldsExactlyItsControl) {
  controller->SetActive(true);
  select->SelectComponents({label1, label2, barcode});
  ASSERT_EQ(stage->SelectedCount(), 3);
  notices.clear();

  controller->SetActive(false);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].Operation, opClear);
  EXPECT_TRUE(notices[0].Targets.empty());
  EXPECT_EQ(stage->SelectedCount(), -1) << "the list went with design mode";

  controller->SetActive(true);
  notices.clear();
  select->SelectComponent(label2);
  ASSERT_FALSE(notices.empty());
  EXPECT_EQ(notices.back().Operation, opAdd);
  EXPECT_EQ(notices.back().Targets, Of({label2}));

  // An inspector's "select only" message to a covered control.
  SendMessageW(label1->Handle(), DSN_SELECTONLY, reinterpret_cast<WPARAM>(label1), 0);
  EXPECT_EQ(notices.back().Targets, Of({label1}));
  EXPECT_EQ(stage->SelectedCount(), 1);
}

TEST_F(Selection, OnlyComponentsOnTheStageAreSelectedAndOnlyWhileActive) {
  test_support::Owned<TForm> other(new TForm(nullptr));
  auto* outside = new TQRLabel(other.get());
  outside->SetParent(other.get());
  auto* loose = new TQRLabel(host);

  select->SelectComponent(label1);
  EXPECT_EQ(stage->SelectedCount(), -1) << "the partner is not active yet";

  controller->SetActive(true);
  select->SelectComponent(label1);
  for (TComponent* refused : Of({outside, loose, stage, select})) {
    EXPECT_FALSE(controller->CanSelectComponent(refused)) << refused->ClassName();
    select->SelectComponent(refused);
    EXPECT_EQ(stage->SelectedControl(0), label1) << refused->ClassName();
  }
  EXPECT_TRUE(controller->CanSelectComponent(report));
  EXPECT_TRUE(controller->CanSelectComponent(barcode));

  // One that may be selected is enough to select them all.
  select->SelectComponents({outside, barcode});
  EXPECT_EQ(stage->SelectedCount(), 2);
  EXPECT_EQ(stage->SelectedControl(0), outside);
  select->SelectComponents({outside, loose});
  EXPECT_EQ(stage->SelectedCount(), 2) << "none may be selected: nothing changes";
  EXPECT_EQ(stage->SelectedControl(1), barcode);

  // The host's select query can keep a component from being moved.
  stage->OnSelectQuery = TSelectQuery([&](TObject*, TComponent* component, TSelectAccept& canSelect) {
    if (component == label2)
      canSelect.Exclude(saMove);
  });
  EXPECT_FALSE(controller->CanSelectComponent(label2));
  EXPECT_TRUE(controller->CanSelectComponent(label1));
  controller->UnselectAll();
  loose->Free();
  controller->SetActive(false);
}

TEST_F(Selection, FreeingOneOfTwoSelectedLabelsOfABandLeavesTheOtherSelected) {
  controller->SetActive(true);
  select->SelectComponents({label1, label2});
  notices.clear();

  label1->Free();
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].Operation, opItemDeath);
  EXPECT_EQ(notices[0].Targets, Of({nullptr, label2}));
  EXPECT_EQ(notices[1].Operation, opDelete);
  EXPECT_EQ(notices[1].Targets, Of({label2}));
  EXPECT_EQ(stage->SelectedCount(), 1);
  EXPECT_EQ(stage->SelectedControl(0), label2);
  label1 = nullptr;
}

TEST_F(Selection, FreeingASelectedControlClearsASelectionNoLongerSharingAParent) {
  controller->SetActive(true);
  select->SelectComponents({label1, report, label2});
  notices.clear();

  report->Free();  // takes the band and both labels with it
  report = nullptr;
  band = nullptr;
  label1 = label2 = nullptr;
  barcode = nullptr;
  EXPECT_EQ(stage->SelectedCount(), 0);
  ASSERT_FALSE(notices.empty());
  EXPECT_EQ(notices.back().Targets, Of({}));
}

TEST_F(Selection, SnapToGridTruncatesTowardZero) {
  struct Case {
    int grid;
    int value;
    int snapped;
  };
  const Case cases[] = {
      {8, 13, 8}, {8, 16, 16}, {8, -5, 0}, {8, -13, -8}, {8, 0, 0},
      {0, 13, 13}, {0, -13, -13}, {-4, 13, 13}, {1, -7, -7},
  };
  for (const Case& c : cases) {
    stage->Rubberband()->SetMoveWidth(c.grid);
    stage->Rubberband()->SetMoveHeight(c.grid);
    controller->SetDsnStage(stage);  // hands over the changed grid
    int x = c.value;
    int y = c.value;
    controller->SnapToGrid(x, y);
    EXPECT_EQ(x, c.snapped) << "grid " << c.grid << ", " << c.value;
    EXPECT_EQ(y, c.snapped) << "grid " << c.grid << ", " << c.value;
  }
  // Each direction has a grid of its own.
  stage->Rubberband()->SetMoveWidth(8);
  stage->Rubberband()->SetMoveHeight(5);
  controller->SetDsnStage(stage);
  int x = 13;
  int y = 13;
  controller->SnapToGrid(x, y);
  EXPECT_EQ(x, 8);
  EXPECT_EQ(y, 10);
}

TEST_F(Selection, TheControllerTakesTheStagesOutlineSettingsAndLinksItself) {
  EXPECT_EQ(stage->Controller(), controller);
  EXPECT_EQ(controller->GridWidth(), 8);
  EXPECT_EQ(controller->GridHeight(), 8);
  EXPECT_EQ(controller->OutlineColor(), clGray);
  EXPECT_EQ(controller->OutlinePenWidth(), 2);
  for (const char* name : {"DsnStage", "DsnPanel", "DsnInspector", "ArrowButton", "OnMoveResize"})
    EXPECT_TRUE(IsPublishedProp(controller, name)) << name;
  for (const char* name : {"DsnRegister", "OnChangeSelected"})
    EXPECT_TRUE(IsPublishedProp(select, name)) << name;

  // A controller freed first leaves neither the stage nor its partner
  // pointing at it.
  controller->SetActive(true);
  select->SelectComponent(label1);
  controller->Free();
  EXPECT_EQ(stage->Controller(), nullptr);
  EXPECT_EQ(select->DsnRegister(), nullptr);
  EXPECT_EQ(TAgent::LiveCount(), 0);
  controller = new TRecordingRegister(host);  // for the common tear-down
}

}  // namespace
