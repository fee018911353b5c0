// The fade of a skinned control, driven tick by tick: the steps and weights
// of the blend, a restart, a disabled owner, and the choice of animated
// button events.
#include <gtest/gtest.h>

#include <vector>

#include "classlib/graphics/bitmap.h"
#include "skin/core/animeffects.h"
#include "skin/core/fadetimer.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skinsections.h"
#include "tests/skin/testskin.h"
#include "tests/support/formfixture.h"
#include "skinprobe.h"

namespace {

using skin_test::TestSkin;
using test_support::FormFixture;

constexpr int kOld = 200;
constexpr int kNew = 100;

TColor FadeGrey(int Level) { return static_cast<TColor>(RGB(Level, Level, Level)); }

// A skinned probe whose cache holds kOld until it is told to rebuild it
// (command 0x17), then kNew. It records the red channel of each fade frame
// it is handed (command 0x18) and stops its fade when told (0x10).
class TFadeProbe : public skin_test::TSkinProbe {
public:
  explicit TFadeProbe(TComponent* AOwner) : TSkinProbe(AOwner, true) {}
  void WndProc(TMessage& Message) override {
    switch (SkinCommandOf(Message)) {
      case SkinCmdRebuildCache:
        FillCache(kNew);
        Message.Result = 1;
        return;
      case SkinCmdDropRegion:
        Frames.push_back(GetRValue(GetPixel(reinterpret_cast<TBitmap*>(Message.LParam)->Canvas().Handle(), 1, 1)));
        Message.Result = 1;
        return;
      case SkinCmdStopFading:
        ++Stops;
        StopFadeTimer(Timer, &Data);
        return;
    }
    TSkinProbe::WndProc(Message);
  }
  void FillCache(int Level) {
    TBitmap* cache = Data.CacheBitmap();
    cache->SetSize(Width(), Height());
    FillDeviceRect(cache->Canvas().Handle(), RECT{0, 0, Width(), Height()}, FadeGrey(Level));
  }

  TsFadeTimer* Timer = nullptr;
  std::vector<int> Frames;
  int Stops = 0;
};

// A fading section and a probe painted from it, its cache holding kOld.
struct FadeScene {
  FadeScene() {
    TsGeneralData& panel = skin.AddSection("PANEL");
    panel.FadingEnabled = true;
    panel.FadingIterations = 10;
    skin.Apply();
    probe = form.Add<TFadeProbe>(10, 10, 40, 20);
    probe->Data.SetSkinSection("PANEL");
    probe->FillCache(kOld);
    probe->Data.CacheInvalid = false;
  }
  // Starts a fade as a state change does, then holds the real timer so
  // only the test's ticks drive it.
  void Start(int State) {
    RepaintWithFading(probe->Timer, &probe->Data, State, 1, true);
    ASSERT_NE(probe->Timer, nullptr);
    probe->Timer->SetEnabled(false);
  }

  TestSkin skin;
  FormFixture form;
  TFadeProbe* probe = nullptr;
};

int Blend(int Start, int Cache, int W) { return (Start * W + Cache * (255 - W) + 127) >> 8; }

TEST(FadeTimer, HalvedStepsFadeInFiveStepsFromTheStartImage) {
  FadeScene scene;
  const int liveBefore = LiveFadeTimerCount;
  scene.Start(1);  // a state in the low byte halves the steps
  EXPECT_EQ(LiveFadeTimerCount, liveBefore + 1);
  EXPECT_EQ(scene.probe->Timer->StepCount, 5);
  EXPECT_EQ(scene.probe->Timer->CurrentStep, 1);
  EXPECT_EQ(scene.probe->Timer->Direction(), 1);
  for (int tick = 0; tick < 6 && scene.probe->Timer != nullptr; ++tick)
    scene.probe->Timer->Tick();
  EXPECT_EQ(scene.probe->Timer, nullptr) << "the sixth tick ends the fade and the owner frees the timer";
  EXPECT_EQ(scene.probe->Stops, 1);
  EXPECT_EQ(LiveFadeTimerCount, liveBefore);
  const std::vector<int> expected{Blend(kOld, kNew, 204), Blend(kOld, kNew, 153), Blend(kOld, kNew, 102),
                                  Blend(kOld, kNew, 51), kNew};
  EXPECT_EQ(scene.probe->Frames, expected) << "the first frame holds 204 parts of the start image, the last none";
}

TEST(FadeTimer, FullStepsAndTheWeightTable) {
  struct Case {
    int Step, Count, Weight;
  } cases[] = {{1, 5, 204}, {5, 5, 0}, {1, 10, 230}, {10, 10, 0}, {0, 10, 255}, {3, 0, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(FadeWeight(c.Step, c.Count), c.Weight) << c.Step << "/" << c.Count;
  FadeScene scene;
  scene.Start(0);
  EXPECT_EQ(scene.probe->Timer->StepCount, 10);
  while (scene.probe->Timer != nullptr)
    scene.probe->Timer->Tick();
  EXPECT_EQ(scene.probe->Frames.size(), 10u);
}

TEST(FadeTimer, ARestartBeginsAtStepOne) {
  FadeScene scene;
  scene.Start(0);
  scene.probe->Timer->Tick();
  scene.probe->Timer->Tick();
  ASSERT_EQ(scene.probe->Timer->CurrentStep, 3);
  TsFadeTimer* running = scene.probe->Timer;
  StartFade(scene.probe->Timer, &scene.probe->Data, false, 1);
  EXPECT_EQ(scene.probe->Timer, running) << "the running timer is reused";
  EXPECT_EQ(scene.probe->Timer->CurrentStep, 1);
  StopFadeTimer(scene.probe->Timer, &scene.probe->Data);
  EXPECT_EQ(scene.probe->Timer, nullptr);
}

TEST(FadeTimer, ADisabledOwnerStopsAndIsInvalidated) {
  FadeScene scene;
  scene.Start(0);
  scene.probe->SetEnabled(false);
  scene.probe->Timer->SetEnabled(true);
  scene.probe->Data.CacheInvalid = false;
  scene.probe->Timer->Tick();
  EXPECT_FALSE(scene.probe->Timer->Enabled());
  EXPECT_EQ(scene.probe->Timer->StepCount, 0);
  EXPECT_TRUE(scene.probe->Data.CacheInvalid) << "the owner is invalidated";
  EXPECT_TRUE(scene.probe->Frames.empty()) << "no frame is drawn";
  StopFadeTimer(scene.probe->Timer, &scene.probe->Data);
}

TEST(FadeTimer, NoFadeWithoutFadingOrWhileSkinsChange) {
  FadeScene scene;
  SkinChangeInProgress = true;
  RepaintWithFading(scene.probe->Timer, &scene.probe->Data, 0, 1, true);
  SkinChangeInProgress = false;
  EXPECT_EQ(scene.probe->Timer, nullptr);
  EXPECT_TRUE(scene.probe->Data.CacheInvalid);
  scene.probe->Data.CacheInvalid = false;
  RepaintWithFading(scene.probe->Timer, &scene.probe->Data, 0, 1, false);
  EXPECT_EQ(scene.probe->Timer, nullptr);
  // Unskinned, nothing at all happens.
  FormFixture form;
  auto* plain = form.Add<skin_test::TSkinProbe>(10, 10, 40, 20);
  plain->Data.SetSkinSection("NOSUCHSECTION");
  TsFadeTimer* timer = nullptr;
  plain->Data.CacheInvalid = false;
  RepaintWithFading(timer, &plain->Data, 0, 1, true);
  EXPECT_EQ(timer, nullptr);
  EXPECT_FALSE(plain->Data.CacheInvalid);
}

TEST(FadeTimer, AnimatedButtonEvents) {
  EXPECT_FALSE(AnimEventAllowed(aeMouseDown, TacAnimatEvents{aeGlobalDef}, nullptr)) << "no manager";
  EXPECT_TRUE(AnimEventAllowed(aeMouseDown, TacAnimatEvents{aeMouseDown}, nullptr));
  TestSkin skin;
  TacBtnEffects* buttons = skin.Manager()->AnimEffects()->Buttons();
  struct Case {
    TacAnimatEvent Event;
    TacAnimatEvents Events;
    TacBtnEvents ManagerEvents;
    bool Allowed;
  } cases[] = {
      {aeMouseDown, {aeGlobalDef}, {beMouseEnter, beMouseLeave, beMouseDown, beMouseUp}, true},
      {aeMouseDown, {aeGlobalDef}, {beMouseEnter}, false},
      {aeMouseDown, {aeMouseDown}, {}, true},
      {aeMouseDown, {aeMouseUp}, {beMouseDown}, false},
      {aeGlobalDef, {aeGlobalDef}, {beMouseUp}, true},
      {aeMouseLeave, {aeGlobalDef}, {beMouseUp}, false},
  };
  for (const Case& c : cases) {
    buttons->SetEvents(c.ManagerEvents);
    EXPECT_EQ(AnimEventAllowed(c.Event, c.Events, nullptr), c.Allowed) << static_cast<int>(c.Event);
    EXPECT_EQ(AnimEventAllowed(c.Event, c.Events, skin.Manager()), c.Allowed) << static_cast<int>(c.Event);
  }
}

}  // namespace
