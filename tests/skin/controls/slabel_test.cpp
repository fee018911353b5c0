// The skinned labels: without a manager they paint as the standard
// transparent label; TsLabelFX leaves room for its blurred shadow and draws
// its text inside it; under a skin the font colour follows the skin unless
// the label keeps its own, and a removed skin gives the window text colour
// back.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "skin/controls/slabel.h"
#include "skin/controls/slabelfx.h"
#include "skin/core/alphagraph.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"
#include "skin_test_util.h"
#include "tests/skin/testskin.h"
#include "tests/skin/testskinfiles.h"

namespace {

using namespace skin_test;

// A white borderless panel of its own for each label, so that what one
// label paints can be compared with another's.
TPanel* LabelHost(FormFixture& form, int top) {
  auto* host = form.Add<TPanel>(10, top, 200, 60);
  host->SetBevelOuter(bvNone);
  host->SetCaption("");
  host->SetColor(clWhite);
  return host;
}

template <class L>
L* AddLabel(TPanel* host, const char* caption) {
  auto* label = new L(host);
  label->SetParent(host);
  label->SetLeft(5);
  label->SetTop(5);
  label->Font()->SetName("Arial");
  label->Font()->SetSize(12);
  label->SetCaption(caption);
  return label;
}

// The box holding every pixel of exactly that colour; left INT_MAX when none.
RECT ColourBox(TBitmap& bitmap, COLORREF colour) {
  RECT box{INT_MAX, INT_MAX, -1, -1};
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (Pixel(bitmap, x, y) == colour) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x);
        box.bottom = std::max<LONG>(box.bottom, y);
      }
  return box;
}

int CountNotWhiteOrColour(TBitmap& bitmap, COLORREF colour) {
  int count = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      COLORREF p = Pixel(bitmap, x, y);
      count += p != RGB(255, 255, 255) && p != colour ? 1 : 0;
    }
  return count;
}

struct LabelLook {
  const char* Name;
  bool Enabled;
  TAlignment Alignment;
  TTextLayout Layout;
  bool AutoSize;
  const char* Caption;
};

const LabelLook kLabelLooks[] = {
    {"plain", true, taLeftJustify, tlTop, true, "Barkod Etiketi"},
    {"disabled", false, taLeftJustify, tlTop, true, "Kapalı"},
    {"centred-fixed", true, taCenter, tlCenter, false, "Orta"},
    {"right-bottom", true, taRightJustify, tlBottom, false, "&Sağ"},
};

TEST(SkinnedLabel, WithoutAManagerPaintsLikeATransparentStandardLabel) {
  SetDefaultManager(nullptr);
  FormFixture form;
  form.Show();
  for (const LabelLook& look : kLabelLooks) {
    SCOPED_TRACE(look.Name);
    TPanel* hosts[2] = {LabelHost(form, 10), LabelHost(form, 80)};
    TCustomLabel* labels[2] = {AddLabel<TLabel>(hosts[0], look.Caption), AddLabel<TsLabel>(hosts[1], look.Caption)};
    static_cast<TLabel*>(labels[0])->SetTransparent(true);
    for (TCustomLabel* label : labels) {
      label->SetAutoSize(look.AutoSize);
      if (!look.AutoSize)
        label->SetBounds(5, 5, 150, 40);
      label->SetAlignment(look.Alignment);
      label->SetLayout(look.Layout);
      label->SetEnabled(look.Enabled);
      label->Font()->SetColor(clNavy);
    }
    EXPECT_TRUE(labels[1]->Transparent());
    Pump();
    TBitmap expected, actual;
    PaintClient(hosts[0], expected);
    PaintClient(hosts[1], actual);
    EXPECT_NE(CountNotWhiteOrColour(expected, RGB(255, 255, 255)), 0) << "the standard label drew nothing";
    EXPECT_EQ(FirstDifference(expected, actual), "");
    EXPECT_EQ(labels[1]->Font()->Color(), clNavy);
    hosts[0]->Free();
    hosts[1]->Free();
  }
}

TEST(SkinnedLabel, MouseEventsFireAroundTheStandardHandling) {
  FormFixture form;
  auto* label = AddLabel<TsLabel>(LabelHost(form, 10), "Fare");
  int enters = 0, leaves = 0;
  label->OnMouseEnter = [&](TObject* sender) { enters += sender == label ? 1 : 100; };
  label->OnMouseLeave = [&](TObject* sender) { leaves += sender == label ? 1 : 100; };
  label->Perform(CM_MOUSEENTER, 0, 0);
  label->Perform(CM_MOUSEENTER, 0, 0);
  label->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(enters, 2);
  EXPECT_EQ(leaves, 1);
}

// ---- TsLabelFX --------------------------------------------------------------

struct FxPair {
  TLabel* Plain;
  TsLabelFX* Fx;
  TPanel* PlainHost;
  TPanel* FxHost;
};

// A standard label in the text colour beside a TsLabelFX of custom shadow
// and custom red text, both auto-sized.
FxPair MakeFxPair(FormFixture& form, TColor shadowColour, int blurCount, int distance) {
  FxPair pair{};
  pair.PlainHost = LabelHost(form, 10);
  pair.FxHost = LabelHost(form, 80);
  pair.Plain = AddLabel<TLabel>(pair.PlainHost, "Etiket");
  pair.Plain->SetTransparent(true);
  pair.Plain->Font()->SetColor(clRed);
  pair.Fx = AddLabel<TsLabelFX>(pair.FxHost, "Etiket");
  pair.Fx->Kind()->SetKindType(ktCustom);
  pair.Fx->Kind()->SetColor(clRed);
  pair.Fx->Shadow()->SetMode(smCustom);
  pair.Fx->Shadow()->SetColor(shadowColour);
  pair.Fx->Shadow()->SetBlurCount(blurCount);
  pair.Fx->Shadow()->SetDistance(distance);
  pair.Fx->SetAutoSize(false);
  pair.Fx->SetAutoSize(true);
  return pair;
}

TEST(SkinnedLabelFX, CustomShadowGrowsTheLabelAndDrawsTheTextInside) {
  SetDefaultManager(nullptr);
  FormFixture form;
  form.Show();
  FxPair pair = MakeFxPair(form, clBlack, 16, 1);
  EXPECT_EQ(pair.Fx->InsetLow(), -15);
  EXPECT_EQ(pair.Fx->InsetHigh(), 17);
  EXPECT_EQ(pair.Fx->Width(), pair.Plain->Width() + 32);
  EXPECT_EQ(pair.Fx->Height(), pair.Plain->Height() + 32);
  Pump();
  TBitmap plain, fx;
  PaintClient(pair.PlainHost, plain);
  PaintClient(pair.FxHost, fx);
  const RECT plainText = ColourBox(plain, RGB(255, 0, 0));
  const RECT fxText = ColourBox(fx, RGB(255, 0, 0));
  ASSERT_NE(plainText.left, INT_MAX);
  ASSERT_NE(fxText.left, INT_MAX);
  EXPECT_EQ(fxText.left - plainText.left, 15);
  EXPECT_EQ(fxText.top - plainText.top, 15);
  // The shadow darkens pixels below and right of the text, inside the label.
  EXPECT_LT(GetRValue(Pixel(fx, fxText.left + 2, fxText.bottom + 3)), 255);
  EXPECT_EQ(Pixel(fx, pair.Fx->Left() + pair.Fx->Width() + 2, fxText.top), RGB(255, 255, 255));
}

TEST(SkinnedLabelFX, NoShadowColourOrNoBlurAddsNoRoomAndNoShadow) {
  SetDefaultManager(nullptr);
  struct Case {
    const char* Name;
    TColor Colour;
    int BlurCount;
  };
  const Case cases[] = {{"clNone", clNone, 16}, {"blur 0", clBlack, 0}};
  FormFixture form;
  form.Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    FxPair pair = MakeFxPair(form, c.Colour, c.BlurCount, 1);
    EXPECT_EQ(pair.Fx->Width(), pair.Plain->Width());
    EXPECT_EQ(pair.Fx->Height(), pair.Plain->Height());
    Pump();
    TBitmap plain, fx;
    PaintClient(pair.PlainHost, plain);
    PaintClient(pair.FxHost, fx);
    EXPECT_EQ(FirstDifference(plain, fx), "");
    pair.PlainHost->Free();
    pair.FxHost->Free();
  }
}

TEST(SkinnedLabelFX, DisabledDrawsEmbossedTextWithoutShadow) {
  SetDefaultManager(nullptr);
  FormFixture form;
  form.Show();
  FxPair pair = MakeFxPair(form, clBlack, 4, 1);
  pair.Plain->SetEnabled(false);
  pair.Fx->SetEnabled(false);
  pair.Fx->SetAutoSize(false);
  pair.Fx->SetBounds(5, 5, pair.Plain->Width(), pair.Plain->Height());
  Pump();
  TBitmap plain, fx;
  PaintClient(pair.PlainHost, plain);
  PaintClient(pair.FxHost, fx);
  EXPECT_EQ(FirstDifference(plain, fx), "");
}

TEST(SkinnedLabelFX, MeasuresOneSpaceForAnEmptyCaptionOrALoneAmpersand) {
  SetDefaultManager(nullptr);
  FormFixture form;
  TPanel* host = LabelHost(form, 10);
  auto* space = AddLabel<TsLabelFX>(host, " ");
  space->Shadow()->SetMode(smCustom);
  for (const char* caption : {"", "&"}) {
    SCOPED_TRACE(caption);
    auto* label = AddLabel<TsLabelFX>(host, caption);
    label->Shadow()->SetMode(smCustom);
    label->SetAutoSize(false);
    label->SetAutoSize(true);
    space->SetAutoSize(false);
    space->SetAutoSize(true);
    EXPECT_EQ(label->Width(), space->Width());
    EXPECT_EQ(label->Height(), space->Height());
    EXPECT_GT(label->Width(), 10);  // one space plus the room of the shadow
  }
}

TEST(SkinnedLabelFX, ShadowAndKindDefaultsAndStoredColourComponents) {
  TsLabelFX label(nullptr);
  EXPECT_EQ(label.Shadow()->Mode(), smSkin1);
  EXPECT_EQ(label.Shadow()->Color(), 0);
  EXPECT_EQ(label.Shadow()->BlurCount(), 4);
  EXPECT_EQ(label.Shadow()->Distance(), 1);
  EXPECT_EQ(label.Kind()->KindType(), ktSkin);
  EXPECT_EQ(label.Kind()->Color(), 0xFFFFFF);
  EXPECT_TRUE(label.Transparent());
  label.Shadow()->SetColor(RGB(10, 20, 30));
  EXPECT_EQ(label.Shadow()->Red(), 10);
  EXPECT_EQ(label.Shadow()->Green(), 20);
  EXPECT_EQ(label.Shadow()->Blue(), 30);
}

// ---- Under a skin -------------------------------------------------------------

class LabelUnderTestSkin : public ::testing::Test {
protected:
  void SetUp() override {
    SetDefaultManager(nullptr);
    manager_ = std::make_unique<TsSkinManager>(nullptr);
    manager_->SetSkinDirectory(TestSkinsDirectory());
    manager_->SetSkinName("TestSkin");
    ASSERT_TRUE(manager_->SkinData()->SkinActive);
    ASSERT_EQ(DefaultManager(), manager_.get());
  }
  void TearDown() override { manager_.reset(); }

  void SendRemoval(TControl* label, LPARAM manager) {
    TMessage removal{SM_ALPHACMD, SkinCommandWParam(SkinCmdSkinRemoved), manager, 0};
    label->WindowProc(removal);
  }

  std::unique_ptr<TsSkinManager> manager_;
};

TEST_F(LabelUnderTestSkin, FontColourFollowsTheSkinUnlessUseSkinColorIsOff) {
  const TColor skinText = TestSkinColour("GLOBALINFO.FONTCOLOR");
  FormFixture form;
  TPanel* host = LabelHost(form, 10);
  auto* following = AddLabel<TsLabel>(host, "Deri");
  auto* keeping = AddLabel<TsLabel>(host, "Kendi");
  following->Font()->SetColor(clGreen);
  keeping->Font()->SetColor(clGreen);
  keeping->SetUseSkinColor(false);
  EXPECT_EQ(following->GetCurrentFont()->Color(), skinText);
  EXPECT_EQ(keeping->GetCurrentFont()->Color(), clGreen);
  form.Show();
  TBitmap shot;
  PaintClient(host, shot);
  EXPECT_EQ(keeping->Font()->Color(), clGreen);
}

TEST_F(LabelUnderTestSkin, SkinRemovedByTheDefaultManagerGivesWindowTextBack) {
  FormFixture form;
  TPanel* host = LabelHost(form, 10);
  auto* label = AddLabel<TsLabel>(host, "Deri");
  auto* keeping = AddLabel<TsLabel>(host, "Kendi");
  keeping->SetUseSkinColor(false);
  auto* fx = AddLabel<TsLabelFX>(host, "Efekt");
  struct Case {
    const char* Name;
    LPARAM Sender;
    bool Resets;
  };
  TsSkinManager other(nullptr);
  const Case cases[] = {{"no manager", 0, false},
                        {"another manager", reinterpret_cast<LPARAM>(&other), false},
                        {"the default manager", reinterpret_cast<LPARAM>(manager_.get()), true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    for (TCustomLabel* l : {static_cast<TCustomLabel*>(label), static_cast<TCustomLabel*>(keeping),
                            static_cast<TCustomLabel*>(fx)}) {
      l->Font()->SetColor(clMaroon);
      SendRemoval(l, c.Sender);
    }
    EXPECT_EQ(label->Font()->Color(), c.Resets ? clWindowText : clMaroon);
    EXPECT_EQ(keeping->Font()->Color(), clMaroon);
    EXPECT_EQ(fx->Font()->Color(), c.Resets ? clWindowText : clMaroon);
  }
}

TEST_F(LabelUnderTestSkin, SkinSectionPaintsItsBackgroundAndFontColour) {
  FormFixture form;
  form.Show();
  TPanel* host = LabelHost(form, 10);
  auto* label = AddLabel<TsLabel>(host, "Bölüm");
  label->SetAutoSize(false);
  label->SetBounds(5, 2, 180, 56);
  label->SetSkinSection("PANEL");
  Pump();
  TBitmap shot;
  PaintClient(host, shot);
  EXPECT_EQ(label->Font()->Color(), TestSkinColour("PANEL.FONTCOLOR"));
  // Inside the border strips the section's own colour; outside the label
  // the host's white.
  EXPECT_EQ(Pixel(shot, 5 + 150, 2 + 28), static_cast<COLORREF>(TestSkinColour("PANEL.COLOR")));
  EXPECT_EQ(Pixel(shot, 5 + 1, 2 + 28), static_cast<COLORREF>(TestSkinColour("PANEL.BORDERSMASK.0")));
  EXPECT_EQ(Pixel(shot, 190, 30), RGB(255, 255, 255));
}

TEST_F(LabelUnderTestSkin, DisabledTextIsBlendedIntoTheParentsColour) {
  FormFixture form;
  form.Show();
  TPanel* host = LabelHost(form, 10);
  auto* label = AddLabel<TsLabel>(host, "Kapalı");
  label->SetEnabled(false);
  Pump();
  TBitmap shot;
  PaintClient(host, shot);
  const TColor text = TestSkinColour("GLOBALINFO.FONTCOLOR");
  const TColor blended = BlendColors(text, clWhite, 0.4);
  EXPECT_NE(ColourBox(shot, static_cast<COLORREF>(blended)).left, INT_MAX);
  EXPECT_EQ(ColourBox(shot, static_cast<COLORREF>(text)).left, INT_MAX);
  EXPECT_EQ(ColourBox(shot, GetSysColor(COLOR_BTNSHADOW)).left, INT_MAX);
}

TEST(SkinnedLabelColour, DesignersColourKeptWhenTheSkinGivesNone) {
  TestSkin skin;
  skin.AddSection("GLOBALINFO").FontColor[0] = clFuchsia;
  skin.AddSection("LABELBACK").FontColor[0] = clFuchsia;
  skin.Apply();
  skin.Manager()->SkinData()->SkinActive = true;
  FormFixture form;
  TPanel* host = LabelHost(form, 10);
  auto* label = AddLabel<TsLabel>(host, "Tasarım");
  auto* fx = AddLabel<TsLabelFX>(host, "Efekt");
  label->Font()->SetColor(clPurple);
  fx->Font()->SetColor(clPurple);
  EXPECT_EQ(label->GetCurrentFont()->Color(), clPurple);
  EXPECT_EQ(fx->GetCurrentFont()->Color(), clPurple);
  skin.Section("GLOBALINFO").FontColor[0] = clTeal;
  EXPECT_EQ(label->GetCurrentFont()->Color(), clTeal);
}

TEST(SkinnedLabelColour, RecolouringWhilePaintingDoesNotRepaintOrResize) {
  TestSkin skin;
  skin.AddSection("GLOBALINFO").FontColor[0] = clTeal;
  skin.Apply();
  skin.Manager()->SkinData()->SkinActive = true;
  FormFixture form;
  form.Show();
  TPanel* host = LabelHost(form, 10);
  auto* label = AddLabel<TsLabel>(host, "Boya");
  label->Font()->SetColor(clPurple);
  Pump();
  TBitmap shot;
  PaintClient(host, shot);
  EXPECT_EQ(label->Font()->Color(), clTeal);
  // The change came from painting: no invalidation is left waiting.
  RECT waiting{};
  EXPECT_FALSE(GetUpdateRect(host->Handle(), &waiting, FALSE));
}

}  // namespace
