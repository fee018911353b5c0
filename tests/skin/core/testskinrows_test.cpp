// The skin commands a skinned control answers about its background,
// against the test skin loaded from its folder: whether the background
// depends on the position (0x13), the colour children paint with (0x15)
// and the background query (0x22: a colour, the parent's bitmap with
// offsets, or the control's own cache).
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/core/commondata.h"
#include "skin/core/skinbackground.h"
#include "skin/core/skinmanager.h"
#include "tests/skin/core/skinprobe.h"
#include "tests/skin/testskinfiles.h"
#include "tests/support/formfixture.h"

namespace {

using skin_test::TestSkinColour;
using skin_test::TSkinProbe;
using test_support::FormFixture;

LRESULT AskSkinCommand(TControl* Control, WORD Command) {
  return Control->Perform(SM_ALPHACMD, SkinCommandWParam(Command), 0);
}

// The test skin applied by the default manager, and a form to put probes on.
class TestSkinRows : public testing::Test {
protected:
  void SetUp() override {
    SetDefaultManager(nullptr);
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->SetSkinDirectory(skin_test::TestSkinsDirectory());
    manager->SetSkinName("TestSkin");
    ASSERT_TRUE(manager->Active());
  }
  void TearDown() override {
    form.reset();
    manager.reset();
    SetDefaultManager(nullptr);
  }

  TSkinProbe* AddProbe(TWinControl* Parent, const char* Section, RECT Bounds, bool Cache = false) {
    auto* probe = new TSkinProbe(Parent == nullptr ? static_cast<TComponent*>(form->Host()) : Parent, Cache);
    probe->SetParent(Parent == nullptr ? form->Host() : Parent);
    probe->SetBounds(Bounds.left, Bounds.top, Bounds.right, Bounds.bottom);
    probe->Data.SetSkinSection(Section);
    if (Cache)
      probe->Data.SizeCacheBitmap();
    return probe;
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<FormFixture> form = std::make_unique<FormFixture>();
};

// Each low byte: (T x (P - S) + S x 256) shr 8.
TColor WeighParent(TColor Parent, TColor Section, int Transparency) {
  TColor result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int p = (Parent >> shift) & 0xFF, s = (Section >> shift) & 0xFF;
    result |= std::clamp((Transparency * (p - s) + s * 256) >> 8, 0, 255) << shift;
  }
  return result;
}

TEST_F(TestSkinRows, BackColourForChildren) {
  TSkinProbe* button = AddProbe(nullptr, "BUTTON", {10, 10, 300, 200});
  const TColor buttonColour = TestSkinColour("BUTTON.COLOR");
  struct Case {
    const char* Section;
    TColor Expected;
  };
  const Case cases[] = {
      {"EDIT", TestSkinColour("EDIT.COLOR")},     // opaque: its own colour
      {"CLEARPANEL", buttonColour},               // transparent: the parent's answer
      {"PANEL_LOW", WeighParent(buttonColour, TestSkinColour("PANEL.COLOR"), 50)},  // half: weighed
  };
  for (const Case& c : cases) {
    TSkinProbe* child = AddProbe(button, c.Section, {5, 5, 50, 40});
    ASSERT_TRUE(child->Data.IsSkinned()) << c.Section;
    EXPECT_EQ(AskSkinCommand(child, SkinCmdBackColor), c.Expected) << c.Section;
  }
  EXPECT_EQ(AskSkinCommand(button, SkinCmdBackColor), buttonColour);
}

TEST_F(TestSkinRows, PositionDependence) {
  TSkinProbe* button = AddProbe(nullptr, "BUTTON", {10, 10, 150, 100});
  TSkinProbe* panel = AddProbe(nullptr, "PANEL", {170, 10, 150, 100});
  button->HandleNeeded();
  panel->HandleNeeded();
  EXPECT_EQ(AskSkinCommand(button, SkinCmdPositionDependent), 1) << "a gradient moves with the control";
  EXPECT_EQ(AskSkinCommand(panel, SkinCmdPositionDependent), 0) << "a flat colour does not";
  TSkinProbe* clear = AddProbe(button, "CLEARPANEL", {5, 5, 40, 30});
  EXPECT_EQ(AskSkinCommand(clear, SkinCmdPositionDependent), 1) << "transparent: the parent's answer";
  clear->SetParent(panel);
  EXPECT_EQ(AskSkinCommand(clear, SkinCmdPositionDependent), 0);
}

TEST_F(TestSkinRows, BackgroundQueryAnswers) {
  TSkinProbe* button = AddProbe(nullptr, "BUTTON", {5, 5, 300, 200}, true);
  TSkinProbe* clear = AddProbe(button, "CLEARPANEL", {10, 20, 200, 150});
  TSkinProbe* inner = AddProbe(clear, "CLEARPANEL", {3, 4, 100, 80}, true);
  TSkinProbe* panel = AddProbe(button, "PANEL", {220, 20, 60, 60});
  button->HandleNeeded();

  TsBackgroundQuery colour;
  EXPECT_TRUE(QueryControlBackground(colour, panel, false));
  EXPECT_EQ(colour.AnswerKind, bqColor) << "an opaque flat section answers its colour";
  EXPECT_EQ(colour.Color, TestSkinColour("PANEL.COLOR"));

  TsBackgroundQuery parents;
  EXPECT_TRUE(QueryControlBackground(parents, inner, false));
  EXPECT_EQ(parents.AnswerKind, bqBitmap) << "transparent sections climb to the first painter";
  EXPECT_EQ(parents.Bitmap, button->Data.CacheBitmap());
  EXPECT_EQ(parents.OffsetX, 10 + 3);
  EXPECT_EQ(parents.OffsetY, 20 + 4);

  inner->Data.SetSkinSection("WIDEFRAME");  // transparent, with a border 13 + 13 wide
  inner->Data.SizeCacheBitmap();
  TsBackgroundQuery own;
  EXPECT_TRUE(QueryControlBackground(own, inner, false));
  EXPECT_EQ(own.AnswerKind, bqBitmap);
  EXPECT_EQ(own.Bitmap, inner->Data.CacheBitmap()) << "a wide border answers from the control's own cache";
  EXPECT_EQ(own.OffsetX, 0);
}

}  // namespace
