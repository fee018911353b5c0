// A skin change reaches the skinned controls of the application's forms:
// loading a skin makes a panel skinned by its section, removing the skin
// takes it back to its standard look.
#include <gtest/gtest.h>

#include <filesystem>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/system/strutils.h"
#include "skin/controls/spanel.h"
#include "skin/core/skinmanager.h"
#include "tests/skin/testskinfiles.h"
#include "tests/support/scratchfolder.h"

namespace {

// A form of the application with a skinned panel, its first control.
TForm* FormWithPanel() {
  auto* form = new TForm(Application);
  form->SetBounds(20, 20, 200, 120);
  auto* panel = new TsPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 100, 50);
  form->HandleNeeded();
  return form;
}

TEST(SkinChange, NewSkinReachesAPanelOnAFormAndRemovalTakesItBack) {
  ScratchFolder scratch;
  std::filesystem::create_directory(scratch.Path() / "Flat");
  const std::string options = "[GLOBALINFO]\r\nVERSION=6.1\r\n[PANEL]\r\nCOLOR=255\r\n";
  WriteFileBytes(scratch.File("Flat\\Options.dat"), FileBytes(options.begin(), options.end()));

  TForm* form = FormWithPanel();
  auto* panel = static_cast<TsPanel*>(form->Controls(0));

  SetDefaultManager(nullptr);
  TsSkinManager manager(nullptr);
  ASSERT_EQ(DefaultManager(), &manager);
  manager.SetSkinDirectory(ExcludeTrailingPathDelimiter(scratch.File("")));
  EXPECT_FALSE(panel->SkinData()->IsSkinned());

  manager.SetSkinName("Flat");
  EXPECT_TRUE(manager.SkinData()->SkinActive);
  EXPECT_TRUE(panel->SkinData()->IsSkinned());
  EXPECT_EQ(panel->SkinData()->SectionIndex(), manager.FindSection("PANEL"));

  // The mouse entering the panel makes its window the manager's hot window
  // (the skin state's common handling of the message; the skinned panel's
  // own painting path is not built yet).
  panel->HandleNeeded();
  TMessage enter{CM_MOUSEENTER, 0, 0, 0};
  panel->SkinData()->HandleCommonMessage(enter);
  EXPECT_EQ(manager.HotWindow(), panel->Handle());
  manager.SetHotWindow(nullptr);
  EXPECT_EQ(manager.HotWindow(), nullptr);

  manager.SetSkinName("Nowhere");  // no such skin: the skin is removed
  EXPECT_FALSE(manager.Active());
  EXPECT_FALSE(panel->SkinData()->IsSkinned());
  form->Free();
  SetDefaultManager(nullptr);
}

// The same with the test skin: the panel takes the PANEL section with the
// skin's colour; turning the manager off sends the removal and the panel
// is unskinned again.
TEST(SkinChange, TestSkinReachesAPanelAndLeavesIt) {
  TForm* form = FormWithPanel();
  auto* panel = static_cast<TsPanel*>(form->Controls(0));

  SetDefaultManager(nullptr);
  TsSkinManager manager(nullptr);
  manager.SetSkinDirectory(skin_test::TestSkinsDirectory());
  manager.SetSkinName("TestSkin");
  ASSERT_TRUE(panel->SkinData()->IsSkinned());
  EXPECT_EQ(panel->SkinData()->SectionIndex(), manager.FindSection("PANEL"));
  EXPECT_EQ(panel->SkinData()->Section()->Color, skin_test::TestSkinColour("PANEL.COLOR"));

  manager.SetActive(false);
  EXPECT_FALSE(panel->SkinData()->IsSkinned());
  EXPECT_EQ(manager.SectionCount(), 0);
  form->Free();
  SetDefaultManager(nullptr);
}

}  // namespace
