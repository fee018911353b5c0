// The skin state of a control over a skin built in memory: sections, the
// shared command handler, colours, the background query and the paint lock.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "classlib/controls/stdctrls.h"
#include "classlib/forms/application.h"
#include "skin/core/commondata.h"
#include "skin/core/skinmanager.h"
#include "tests/skin/testskin.h"
#include "tests/support/formfixture.h"
#include "skinprobe.h"

namespace {

using skin_test::TestSkin;
using skin_test::TSkinProbe;
using test_support::FormFixture;

LRESULT Command(TControl* control, WORD command, LPARAM lparam = 0, WORD argument = 0) {
  return control->Perform(SM_ALPHACMD, SkinCommandWParam(command, argument), lparam);
}

TEST(SkinState, SectionNamesAreUpperCaseAndUnknownWhenEmpty) {
  TestSkin skin;
  skin.AddSection("EDIT");
  skin.Apply();
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 60, 30);
  TsCommonData& data = probe->Data;
  data.SetSkinSection("PANEL");
  data.SetSkinSection("");
  EXPECT_EQ(data.SkinSection(), "UNKNOWN");
  EXPECT_EQ(data.SectionIndex(), -1);
  data.SetSkinSection("EDIT");
  EXPECT_EQ(data.SectionIndex(), 0);
  // Under the Turkish locale a locale upper-case of "edit" is not "EDIT".
  data.SetSkinSection("edit");
  EXPECT_EQ(data.SkinSection(), "EDIT");
  EXPECT_EQ(data.SectionIndex(), 0);
  EXPECT_TRUE(data.IsSkinned());
  EXPECT_TRUE(data.IsSkinned(true));
  skin.Manager()->SkinData()->SkinActive = false;
  EXPECT_FALSE(data.IsSkinned(true)) << "CheckActive asks whether the skin is applied";
}

TEST(SkinState, AnUnlistedKindTakesItsClassName) {
  FormFixture form;
  auto* panel = form.Add<TPanel>(10, 10, 60, 30);
  {
    TsCommonData data(panel);
    data.SetControlKind(0);
    data.OwnerLoaded();
    EXPECT_EQ(data.SkinSection(), "TPANEL");
    EXPECT_FALSE(data.IsSkinned()) << "no skin, no section";
  }
  TestSkin skin;
  skin.AddSection("TPANEL");
  skin.Apply();
  TsCommonData data(panel);
  data.SetControlKind(0);
  data.OwnerLoaded();
  EXPECT_TRUE(data.IsSkinned());
  data.SetControlKind(93);
  data.SetSkinSection("");
  data.SetSkinSection("x");
  EXPECT_EQ(DefaultSectionOfKind(93), "BUTTON");
}

TEST(SkinState, KindSets) {
  struct Case {
    int Kind;
    bool Edit, NoGlow, NoHover;
  };
  const Case cases[] = {
      {1, false, false, false},   {2, true, false, false},    {18, true, false, false},
      {19, false, false, true},   {51, false, true, true},    {55, false, false, true},
      {74, false, true, true},    {80, true, false, false},   {110, false, true, true},
      {140, true, false, false},  {151, false, true, true},   {161, false, true, true},
      {226, false, true, false},  {256, false, false, false}, {51 + 256, false, false, false},
      {2 + 256, false, false, false}, {-1, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Kind);
    EXPECT_EQ(EditKinds.Contains(c.Kind), c.Edit);
    EXPECT_EQ(NoGlowKinds.Contains(c.Kind), c.NoGlow);
    EXPECT_EQ(NoHoverKinds.Contains(c.Kind), c.NoHover);
  }
}

// A skinned probe on the form, in the section of that name.
TSkinProbe* SkinnedProbe(FormFixture& form, const char* section, int left = 10, int top = 10) {
  auto* probe = form.Add<TSkinProbe>(left, top, 80, 40);
  probe->Data.SetSkinSection(section);
  return probe;
}

TEST(SkinCommands, ManagerCommandsActOnlyForTheirOwnManager) {
  TestSkin skin;
  skin.AddSection("PANEL");
  skin.Apply();
  TsSkinManager other(nullptr);
  FormFixture form;
  TSkinProbe* probe = SkinnedProbe(form, "PANEL");
  TsCommonData& data = probe->Data;
  ASSERT_EQ(data.SectionIndex(), 0);

  for (WORD command : {SkinCmdNewSkin, SkinCmdSkinRemoved, SkinCmdRefresh}) {
    SCOPED_TRACE(command);
    data.CacheInvalid = false;
    data.PaintLocked = false;
    Command(probe, command, reinterpret_cast<LPARAM>(&other));
    Command(probe, command, 0);
    EXPECT_EQ(data.SectionIndex(), 0);
    EXPECT_FALSE(data.CacheInvalid);
    EXPECT_FALSE(data.PaintLocked);
  }
  data.CacheInvalid = false;
  Command(probe, SkinCmdNewSkin, reinterpret_cast<LPARAM>(skin.Manager()));
  EXPECT_TRUE(data.CacheInvalid);
  Command(probe, SkinCmdSkinRemoved, reinterpret_cast<LPARAM>(skin.Manager()));
  EXPECT_EQ(data.SectionIndex(), -1);
  EXPECT_TRUE(data.PaintLocked);
  Command(probe, SkinCmdRefresh, reinterpret_cast<LPARAM>(skin.Manager()));
  EXPECT_FALSE(data.PaintLocked);
}

TEST(SkinCommands, WithoutAManagerChildLabelsKeepTheirColour) {
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 120, 60);
  auto* label = new TLabel(probe);
  label->SetParent(probe);
  label->Font()->SetColor(clRed);
  Command(probe, SkinCmdSkinRemoved, 0);
  EXPECT_EQ(label->Font()->Color(), clRed) << "LParam 0 is no manager";

  TestSkin skin;
  Command(probe, SkinCmdSkinRemoved, reinterpret_cast<LPARAM>(skin.Manager()));
  EXPECT_EQ(label->Font()->Color(), clWindowText);
}

TEST(SkinCommands, OnlyTheAnsweringCommandsAreHandled) {
  TestSkin skin;
  skin.AddSection("PANEL");
  skin.Apply();
  FormFixture form;
  TSkinProbe* probe = SkinnedProbe(form, "PANEL");
  const WORD answered[] = {0x07, 0x0A, 0x0B, 0x13, 0x15, 0x1A, 0x24};
  for (WORD command = 0x01; command <= 0x3D; ++command) {
    SCOPED_TRACE(command);
    TMessage message{SM_ALPHACMD, SkinCommandWParam(command), 0, 0};
    bool expected = std::find(std::begin(answered), std::end(answered), command) != std::end(answered);
    EXPECT_EQ(HandleCommonSkinCommand(message, &probe->Data), expected);
    if (command == SkinCmdApplication) {
      EXPECT_EQ(message.Result, reinterpret_cast<LRESULT>(Application)) << "answers and goes on";
    }
  }
  TMessage message{SM_ALPHACMD, SkinCommandWParam(SkinCmdAreYouSkinned), 0, 0};
  EXPECT_FALSE(HandleCommonSkinCommand(message, nullptr));
  TMessage other{WM_USER, SkinCommandWParam(SkinCmdAreYouSkinned), 0, 0};
  EXPECT_FALSE(HandleCommonSkinCommand(other, &probe->Data));
}

TEST(SkinCommands, SectionIndexIsWrittenThroughThePointer) {
  TestSkin skin;
  skin.AddSection("PANEL");
  skin.AddSection("EDIT");
  skin.Apply();
  FormFixture form;
  struct Case {
    const char* Section;
    int Expected;
  };
  for (Case c : {Case{"EDIT", 1}, Case{"PANEL", 0}, Case{"NOSUCH", -1}}) {
    SCOPED_TRACE(c.Section);
    TSkinProbe* probe = SkinnedProbe(form, c.Section);
    int index = 99;
    EXPECT_EQ(Command(probe, SkinCmdGetSectionIndex, reinterpret_cast<LPARAM>(&index)), 0) << "Result untouched";
    EXPECT_EQ(index, c.Expected);
  }
}

TEST(SkinCommands, BackColorForChildrenWeightsTheParentByTransparencyOver256) {
  TestSkin skin;
  skin.AddSection("WHITE").Color = clWhite;
  TsGeneralData& half = skin.AddSection("HALF");
  half.Color = clBlack;
  half.Transparency = 50;
  skin.AddSection("CLEAR").Transparency = 100;
  skin.Apply();
  FormFixture form;
  TSkinProbe* parent = SkinnedProbe(form, "WHITE", 10, 10);
  parent->SetBounds(10, 10, 300, 200);
  auto add = [parent](const char* section) {
    auto* child = new TSkinProbe(parent);
    child->SetParent(parent);
    child->Data.SetSkinSection(section);
    return child;
  };
  struct Case {
    const char* Section;
    TColor Expected;
  };
  for (Case c : {Case{"HALF", 0x313131}, Case{"CLEAR", clWhite}, Case{"WHITE", clWhite}}) {
    SCOPED_TRACE(c.Section);
    EXPECT_EQ(Command(add(c.Section), SkinCmdBackColor), c.Expected);
  }
  // Unskinned: the control's own colour.
  auto* plain = add("NOSUCH");
  plain->SetColor(clBtnFace);
  EXPECT_EQ(Command(plain, SkinCmdBackColor), ColorToRGB(clBtnFace));
}

TEST(SkinState, StateColorWeightsTheParentByTransparency) {
  TestSkin skin;
  skin.AddSection("WHITE").Color = clWhite;
  TsGeneralData& part = skin.AddSection("PART");
  part.Color = clBlack;
  part.Transparency = 20;
  part.HotColor = clRed;
  part.HotTransparency = 0;
  skin.Apply();
  FormFixture form;
  TSkinProbe* parent = SkinnedProbe(form, "WHITE");
  parent->SetBounds(10, 10, 300, 200);
  auto* child = new TSkinProbe(parent);
  child->SetParent(parent);
  child->Data.SetSkinSection("PART");
  EXPECT_EQ(child->Data.StateColor(0), 0x333333) << "20 % white over black";
  EXPECT_EQ(child->Data.StateColor(1), clRed) << "hot: HotTransparency 0 gives HotColor";
  child->Data.SetCustomColor(true);
  child->SetColor(clYellow);
  EXPECT_EQ(child->Data.StateColor(0), clYellow);
}

TEST(SkinCommands, PositionAndPlainLookAnswers) {
  TestSkin skin;
  skin.AddSection("FLAT");
  skin.AddSection("GRADIENT").GradientPercent = 10;
  skin.AddSection("CLEAR").Transparency = 100;
  skin.Apply();
  FormFixture form;
  TSkinProbe* flat = SkinnedProbe(form, "FLAT");
  TSkinProbe* gradient = SkinnedProbe(form, "GRADIENT", 100, 10);
  flat->HandleNeeded();
  gradient->HandleNeeded();
  EXPECT_EQ(Command(flat, SkinCmdPositionDependent), 0);
  EXPECT_EQ(Command(gradient, SkinCmdPositionDependent), 1);
  EXPECT_EQ(Command(flat, SkinCmdPlainLook), sfPlainLook) << "a flat panel has a plain look";
  EXPECT_EQ(Command(gradient, SkinCmdPlainLook), 0);

  auto* clear = new TSkinProbe(gradient);
  clear->SetParent(gradient);
  clear->Data.SetSkinSection("CLEAR");
  EXPECT_EQ(Command(clear, SkinCmdPositionDependent), 1) << "the parent's answer";
  clear->SetParent(flat);
  EXPECT_EQ(Command(clear, SkinCmdPositionDependent), 0);
  // Unresolved: answered, 0.
  TSkinProbe* none = SkinnedProbe(form, "NOSUCH", 200, 10);
  EXPECT_EQ(Command(none, SkinCmdPositionDependent), 0);
}

TEST(SkinState, PaintLockOfAControlWithoutParent) {
  TestSkin skin;
  skin.AddSection("PANEL");
  skin.AddSection("GRADIENT").GradientPercent = 30;
  skin.Apply();
  TSkinProbe lone(nullptr);
  lone.Data.SetSkinSection("GRADIENT");
  ASSERT_TRUE(lone.Data.NeedsFullRepaint());
  ASSERT_FALSE(lone.Data.PaintLocked);
  EXPECT_TRUE(lone.Data.IsPaintLocked());
  FormFixture form;
  TSkinProbe* placed = SkinnedProbe(form, "PANEL");
  placed->Data.PaintLocked = false;
  EXPECT_FALSE(placed->Data.IsPaintLocked()) << "a plain look keeps its own flag";
  placed->Data.BeginPaintLock();
  EXPECT_TRUE(placed->Data.IsPaintLocked());
  EXPECT_TRUE(placed->Received(SkinCmdPaintLockBegan));
  placed->Data.EndPaintLock(false);
  EXPECT_FALSE(placed->Data.IsPaintLocked());
  EXPECT_TRUE(placed->Received(SkinCmdPaintLockEnded));
}

TEST(SkinBackground, TransparentSectionsClimbToTheFirstPainterAndAddOffsets) {
  TestSkin skin;
  skin.AddSection("GRAD").GradientPercent = 50;
  skin.AddSection("CLEAR").Transparency = 100;
  TsGeneralData& framed = skin.AddSection("FRAMED");
  framed.Transparency = 100;
  TsMaskData& border = skin.AddImageMask("FRAMED", "BORDERSMASK", itisaBorder, 90, 60, clBlue, 3, 1);
  border.WL = border.WR = 13;
  border.WT = border.WB = 2;
  skin.Apply();

  FormFixture form;
  auto* grand = new TSkinProbe(form.Host(), true);
  grand->SetParent(form.Host());
  grand->SetBounds(5, 5, 300, 200);
  grand->Data.SetSkinSection("GRAD");
  grand->Data.SizeCacheBitmap();
  auto* parent = new TSkinProbe(grand);
  parent->SetParent(grand);
  parent->SetBounds(10, 20, 200, 150);
  parent->Data.SetSkinSection("CLEAR");
  auto* child = new TSkinProbe(parent, true);
  child->SetParent(parent);
  child->SetBounds(3, 4, 100, 80);
  child->Data.SetSkinSection("CLEAR");
  grand->HandleNeeded();

  TsBackgroundQuery query;
  EXPECT_TRUE(QueryControlBackground(query, child, false));
  EXPECT_EQ(query.AnswerKind, bqBitmap);
  EXPECT_EQ(query.Bitmap, grand->Data.CacheBitmap());
  EXPECT_EQ(query.OffsetX, 13);
  EXPECT_EQ(query.OffsetY, 24);
  TsBackgroundSource source = BackgroundToSource(query);
  EXPECT_TRUE(source.Ready);
  EXPECT_EQ(source.X, 13);

  child->Data.SetSkinSection("FRAMED");
  child->Data.SizeCacheBitmap();
  ASSERT_EQ(child->Data.MaxBorderWidth(), 13);
  TsBackgroundQuery own;
  EXPECT_TRUE(QueryControlBackground(own, child, false));
  EXPECT_EQ(own.AnswerKind, bqBitmap);
  EXPECT_EQ(own.Bitmap, child->Data.CacheBitmap()) << "a border wider than 24 pixels answers from its own cache";
  EXPECT_EQ(own.OffsetX, 0);
}

TEST(SkinBackground, UnansweredQueriesFallBackToColours) {
  FormFixture form;
  auto* plain = form.Add<TPanel>(10, 10, 50, 50);
  plain->SetColor(clYellow);
  plain->HandleNeeded();
  TsBackgroundQuery query;
  EXPECT_FALSE(QueryControlBackground(query, plain, false));
  EXPECT_EQ(query.AnswerKind, bqColor);
  EXPECT_EQ(query.Color, clYellow) << "an answer of 0 to command 0x15 gives the control's colour";
  TsBackgroundSource source = BackgroundToSource(query);
  EXPECT_FALSE(source.Ready);
  EXPECT_EQ(source.FillColor, clYellow);

  TsBackgroundQuery window;
  EXPECT_FALSE(QueryWindowBackground(window, plain->Handle(), false));
  EXPECT_EQ(window.Color, clBtnFace) << "no default manager";
  TestSkin skin;
  skin.AddSection("GLOBALINFO").Color = 0x123456;
  QueryWindowBackground(window, plain->Handle(), false);
  EXPECT_EQ(window.Color, 0x123456);

  EXPECT_EQ(WindowParentBackground(nullptr).Ready, EmptyBackgroundSource.Ready);
  EXPECT_EQ(MakeBackgroundSource(nullptr, 1, 2).FillColor, clFuchsia);
}

TEST(SkinState, CacheSizingFollowsTheOwner) {
  FormFixture form;
  auto* probe = form.Add<TSkinProbe>(10, 10, 70, 30);
  EXPECT_EQ(probe->Data.CacheBitmap(), nullptr);
  probe->Data.SizeCacheBitmap();
  ASSERT_NE(probe->Data.CacheBitmap(), nullptr);
  EXPECT_EQ(probe->Data.CacheBitmap()->Width(), 70);
  EXPECT_EQ(probe->Data.CacheBitmap()->Height(), 30);
  probe->Data.CacheBitmap()->SetPixelFormat(pf32bit);
  probe->Data.SizeCacheBitmap24();
  EXPECT_EQ(probe->Data.CacheBitmap()->PixelFormat(), pf24bit);
}

TEST(SkinState, FontSectionComesFromAParentThatGivesItsOwnFont) {
  TestSkin skin;
  skin.AddSection("OWN").GiveOwnFont = true;
  skin.AddSection("PLAIN");
  skin.AddSection("GLASS", "").Transparency = 80;
  skin.Apply();
  FormFixture form;
  TSkinProbe* own = SkinnedProbe(form, "OWN");
  own->SetBounds(0, 0, 300, 200);
  auto* glass = new TSkinProbe(own);
  glass->SetParent(own);
  glass->SetBounds(5, 5, 200, 100);
  glass->Data.SetSkinSection("GLASS");
  auto* label = new TLabel(glass);
  label->SetParent(glass);
  glass->HandleNeeded();
  ASSERT_TRUE(own->HandleAllocated());
  EXPECT_EQ(FindFontSection(label, -5, skin.Manager()), 0) << "climbs past the glass";
  glass->Data.SetSkinSection("PLAIN");
  EXPECT_EQ(FindFontSection(label, -5, skin.Manager()), -5);
  EXPECT_EQ(FindFontSection(nullptr, -5, skin.Manager()), -5);
}

}  // namespace
