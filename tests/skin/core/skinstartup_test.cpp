// The skin library's start-up and shut-down: the text table, the platform
// facts, the shadow pictures from the resources, "/acver" in any letter case
// showing one box, and what the shut-down clears. The test program carries
// the library's resources (skinlibrary.rc).
#include <gtest/gtest.h>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/icon.h"
#include "skin/core/commondata.h"
#include "skin/core/skinforms.h"
#include "skin/core/skinstartup.h"
#include "support/png/graphic/pnggraphic.h"

namespace {

// Sets the library up with the given parameters and takes it down again.
struct StartupScope {
  explicit StartupScope(std::vector<AnsiString> Parameters, bool Composition = true) {
    SkinStartupSeams().Parameters = [Parameters] { return Parameters; };
    SkinStartupSeams().DesktopComposition = [Composition] { return Composition; };
    SetUpSkinLibrary();
  }
  ~StartupScope() {
    ShutDownSkinLibrary();
    SkinStartupSeams() = {};
  }
};

TEST(SkinStartup, LoadsTheTextsAndPlatformFactsOnce) {
  ASSERT_FALSE(SkinLibrarySetUp());
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  StartupScope startup({});
  EXPECT_TRUE(SkinLibrarySetUp());
  EXPECT_EQ(SkinTextConstantCount(), 54);
  struct Case {
    int Id;
    const char* Text;
  } cases[] = {{58992, "OK"},       {58991, "Cancel"},
               {58990, "&Help"},    {58976, "Close"},
               {58961, "Listbox (%s) style must be virtual in order to set Count"},
               {58924, "Preview of the future hint window"},
               {58910, "Create"},   {58911, "Select directory"},
               {58912, ""},         {58993, ""}};
  for (const Case& c : cases)
    EXPECT_EQ(SkinTextConstant(c.Id), c.Text) << c.Id;
  EXPECT_STREQ(SkinTextRoot, "Root :");
  EXPECT_EQ(TransparentKeyColor, clFuchsia);
  EXPECT_EQ(ScrollArrowWidth, GetSystemMetrics(SM_CXHSCROLL));
  EXPECT_TRUE(IsNTPlatform);
  EXPECT_FALSE(GlowingDisabled) << "a 64-bit program never runs under WOW64";
  ASSERT_NE(ShadowPictureActive, nullptr);
  ASSERT_NE(ShadowPictureInactive, nullptr);
  EXPECT_EQ(ShadowPictureActive->Width(), 64);
  EXPECT_EQ(ShadowPictureInactive->Height(), 64);
  EXPECT_TRUE(dialogs.Records().empty()) << "no version box without the switch";
  // A second set-up does nothing, and needs a second shut-down.
  SetUpSkinLibrary();
  ShutDownSkinLibrary();
  EXPECT_TRUE(SkinLibrarySetUp());
  EXPECT_EQ(SkinTextConstant(58992), "OK");
}

TEST(SkinStartup, TheVersionSwitchInAnyCaseShowsOneBox) {
  struct Case {
    std::vector<AnsiString> Parameters;
    bool Shown;
  } cases[] = {
      {{"/acver"}, true},          {{"/ACVER"}, true},          {{"/AcVeR"}, true},
      {{"/acver", "/acver"}, true}, {{"x.asz", "/ACVER"}, true}, {{"-acver"}, false},
      {{"acver"}, false},          {{"/acverx"}, false},        {{}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AsksForSkinVersion(c.Parameters), c.Shown);
    TScriptedDialogService dialogs;
    TDialogServiceScope scope(dialogs);
    if (c.Shown)
      dialogs.AnswerButton(mrOk);
    {
      StartupScope startup(c.Parameters);
    }
    ASSERT_EQ(dialogs.Records().size(), c.Shown ? 1u : 0u);
    if (c.Shown)
      EXPECT_EQ(dialogs.Records()[0].Text, "Skin library v6.68");
  }
}

TEST(SkinStartup, ShutDownClearsWhatTheStartUpMade) {
  {
    StartupScope startup({});
    SkinnedFormRegistry().push_back(nullptr);
    ChangedSectionName = "BUTTON";
  }
  EXPECT_FALSE(SkinLibrarySetUp());
  EXPECT_TRUE(SkinnedFormRegistry().empty());
  EXPECT_TRUE(ChangedSectionName.empty());
  EXPECT_EQ(SkinTextConstant(58992), "");
  EXPECT_EQ(ShadowPictureActive, nullptr);
  EXPECT_EQ(ShadowPictureInactive, nullptr);
  EXPECT_EQ(ProgramIconSmall, nullptr);
  EXPECT_EQ(ProgramIconLarge, nullptr);
  ShutDownSkinLibrary();  // one shut-down too many does nothing
  EXPECT_FALSE(SkinLibrarySetUp());
}

}  // namespace
