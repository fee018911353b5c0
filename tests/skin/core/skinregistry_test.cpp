// The skinned form registry: adding once, removing every entry of a form
// with the last entry moving into its place, and the redraw lock around a
// skin change, which does nothing while the application is minimized.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "skin/core/commondata.h"
#include "skin/core/skinforms.h"
#include "skin/core/skinregistry.h"
#include "tests/skin/testskin.h"
#include "tests/support/formfixture.h"

namespace {

using test_support::FreeComponent;
using test_support::Owned;

// Three forms without windows, and an empty registry that is emptied again afterwards.
struct RegistryScene {
  RegistryScene() {
    SkinnedFormRegistry().clear();
    for (auto& form : forms)
      form.reset(new TForm(nullptr));
  }
  ~RegistryScene() { SkinnedFormRegistry().clear(); }
  TForm* operator[](int i) const { return forms[i].get(); }
  Owned<TForm> forms[3];
};

TEST(SkinnedFormRegistry, AddsAFormOnceAndRemovesEveryEntryOfIt) {
  RegistryScene f;
  std::vector<TForm*>& registry = SkinnedFormRegistry();
  AddSkinnedForm(f[0]);
  AddSkinnedForm(f[1]);
  AddSkinnedForm(f[0]);
  EXPECT_EQ(registry, (std::vector<TForm*>{f[0], f[1]}));
  // An entry made twice by other means still goes entirely.
  registry.push_back(f[0]);
  RemoveSkinnedForm(f[0]);
  EXPECT_EQ(registry, (std::vector<TForm*>{f[1]}));
  RemoveSkinnedForm(f[2]);
  EXPECT_EQ(registry, (std::vector<TForm*>{f[1]})) << "removing an unknown form changes nothing";
}

TEST(SkinnedFormRegistry, RemovingShrinksOrMovesTheLastEntryIntoPlace) {
  struct Case {
    int Removed;
    std::vector<int> Left;
  } cases[] = {{2, {0, 1}}, {1, {0, 2}}, {0, {2, 1}}};
  for (const Case& c : cases) {
    RegistryScene f;
    for (int i = 0; i < 3; ++i)
      AddSkinnedForm(f[i]);
    RemoveSkinnedForm(f[c.Removed]);
    std::vector<TForm*> expected;
    for (int i : c.Left)
      expected.push_back(f[i]);
    EXPECT_EQ(SkinnedFormRegistry(), expected) << "removed " << c.Removed;
  }
}

TEST(SkinnedFormRegistry, LockAndUnlockSetTheAnimationFlagUnlessMinimized) {
  skin_test::TestSkin skin;
  TsSkinManager* manager = skin.Manager();
  AnimationRunning = false;
  LockSkinnedFormsRedraw(manager);
  EXPECT_TRUE(AnimationRunning) << "the default manager animates skin changes";
  UnlockSkinnedFormsRedraw(manager, false);
  EXPECT_FALSE(AnimationRunning);

  HWND app = Application->Handle();
  ShowWindow(app, SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(ApplicationMinimized());
  LockSkinnedFormsRedraw(manager);
  EXPECT_FALSE(AnimationRunning) << "minimized: the lock changes nothing";
  AnimationRunning = true;
  UnlockSkinnedFormsRedraw(manager, true);
  EXPECT_TRUE(AnimationRunning) << "minimized: the unlock changes nothing";
  ShowWindow(app, SW_RESTORE);
  ShowWindow(app, SW_HIDE);
  AnimationRunning = false;
  EXPECT_FALSE(ApplicationMinimized());
}

}  // namespace
