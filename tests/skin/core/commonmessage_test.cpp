// The shared window-message handler and the colours a skinned edit takes
// from its section.
#include <gtest/gtest.h>

#include "classlib/controls/stdctrls.h"
#include "skin/core/commondata.h"
#include "skin/core/skinmanager.h"
#include "skinprobe.h"
#include "tests/skin/testskin.h"
#include "tests/support/formfixture.h"

namespace {

using skin_test::TestSkin;
using skin_test::TSkinProbe;
using test_support::FormFixture;

// An edit with a skin state, as a skinned edit is made.
class TSkinnedEdit : public TEdit {
public:
  explicit TSkinnedEdit(TComponent* AOwner) : TEdit(AOwner), Data(this) { Data.SetControlKind(ckEdit); }
  void WndProc(TMessage& Message) override {
    if (!Data.HandleCommonMessage(Message))
      TEdit::WndProc(Message);
  }
  TsCommonData Data;
};

TEST(SkinMessages, HoverFocusAndVisibilityMarks) {
  FormFixture form;
  form.Show();
  auto* probe = form.Add<TSkinProbe>(10, 10, 60, 30);
  auto* edit = form.Add<TSkinnedEdit>(10, 60, 80, 24);
  edit->HandleNeeded();

  struct Case {
    TControl* Control;
    UINT Msg;
    bool MouseOver;
  };
  // Panels are not highlighted by the mouse; edits are.
  for (Case c : {Case{probe, CM_MOUSEENTER, false}, Case{edit, CM_MOUSEENTER, true},
                 Case{edit, CM_MOUSELEAVE, false}}) {
    c.Control->Perform(c.Msg, 0, 0);
    TsCommonData& data = c.Control == probe ? probe->Data : edit->Data;
    EXPECT_EQ(data.MouseOver, c.MouseOver) << c.Control->ClassName() << " " << c.Msg;
  }

  edit->Data.CacheInvalid = false;
  edit->Perform(WM_SETFOCUS, 0, 0);
  EXPECT_TRUE(edit->Data.HasFocusMark);
  EXPECT_TRUE(edit->Data.CacheInvalid);
  edit->Perform(CM_MOUSEENTER, 0, 0);
  edit->Perform(CM_ENABLEDCHANGED, 0, 0);
  EXPECT_FALSE(edit->Data.HasFocusMark);
  EXPECT_FALSE(edit->Data.MouseOver);

  probe->Data.SizeCacheBitmap();
  probe->Data.PaintLocked = true;
  probe->Perform(CM_VISIBLECHANGED, 0, 0);
  EXPECT_EQ(probe->Data.CacheBitmap()->Width(), 0) << "hidden: the cache is emptied";
  probe->Perform(CM_VISIBLECHANGED, 1, 0);
  EXPECT_FALSE(probe->Data.PaintLocked);
  EXPECT_TRUE(probe->Data.CacheInvalid);
}

TEST(SkinMessages, MovingAndSizingMarkTheCacheOfTransparentSections) {
  TestSkin skin;
  skin.AddSection("FLAT");
  skin.AddSection("GLASS").Transparency = 40;
  skin.AddSection("GRADIENT").GradientPercent = 30;
  skin.Apply();
  FormFixture form;
  // A transparent section follows its parent: here one whose gradient
  // depends on the position.
  auto* painted = form.Add<TSkinProbe>(0, 60, 200, 100);
  painted->Data.SetSkinSection("GRADIENT");
  auto* glass = new TSkinProbe(painted);
  glass->SetParent(painted);
  glass->SetBounds(10, 10, 60, 30);
  glass->Data.SetSkinSection("GLASS");
  auto* flat = form.Add<TSkinProbe>(100, 10, 60, 30);
  flat->Data.SetSkinSection("FLAT");
  glass->HandleNeeded();
  flat->HandleNeeded();
  EXPECT_TRUE(glass->Data.MoveChangesLook());
  EXPECT_FALSE(flat->Data.MoveChangesLook());
  glass->Data.CacheInvalid = flat->Data.CacheInvalid = false;
  glass->Perform(WM_MOVE, 0, 0);
  flat->Perform(WM_MOVE, 0, 0);
  EXPECT_TRUE(glass->Data.CacheInvalid);
  EXPECT_FALSE(flat->Data.CacheInvalid);
  flat->Perform(WM_SIZE, 0, 0);
  EXPECT_TRUE(flat->Data.CacheInvalid) << "any skinned owner repaints when sized";
  flat->Data.PositionMark = true;
  EXPECT_TRUE(flat->Data.MoveChangesLook());
}

TEST(SkinMessages, AnEditTakesItsSectionColoursAndGivesThemBack) {
  TestSkin skin;
  TsGeneralData& section = skin.AddSection("EDIT");
  section.Color = clYellow;
  section.FontColor[0] = clBlue;
  skin.Apply();
  FormFixture form;
  auto* edit = form.Add<TSkinnedEdit>(10, 10, 80, 24);
  edit->Data.OwnerLoaded();
  EXPECT_EQ(edit->Data.SkinSection(), "EDIT");
  EXPECT_EQ(edit->Color(), clYellow);
  EXPECT_EQ(edit->Font()->Color(), clBlue);

  edit->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdSkinRemoved), reinterpret_cast<LPARAM>(skin.Manager()));
  EXPECT_EQ(edit->Color(), clWindow);
  EXPECT_EQ(edit->Font()->Color(), clWindowText);

  edit->Data.SetCustomColor(true);
  edit->SetColor(clAqua);
  edit->Data.ResolveSection();
  edit->Perform(SM_ALPHACMD, SkinCommandWParam(SkinCmdRefresh), reinterpret_cast<LPARAM>(skin.Manager()));
  EXPECT_EQ(edit->Color(), clAqua) << "a custom colour stays";
  EXPECT_EQ(edit->Font()->Color(), clBlue);
}

}  // namespace
