// The fade component driven tick by tick: the opacities a fade-in and a
// fade-out step through, when each fires its event, what it leaves alone
// (inactive, close action "none", StartStep 0), MaxValue and the time-out.
#include <gtest/gtest.h>

#include <vector>

#include "app/splash/vtanimate.h"
#include "classlib/classes/typinfo.h"
#include "tests/classlib/forms/forms_test_util.h"
#include "tests/support/componenttext.h"

namespace {

struct FadedForm {
  explicit FadedForm(bool withWindow = true) : form(NewForm<TForm>(Application)) {
    form->OnCreate = [this](TObject*) { ++created; };
    form->OnActivate = [this](TObject*) { ++activated; };
    form->OnClose = [this](TObject*, TCloseAction& action) {
      ++closed;
      action = closeAction;
    };
    animate = new TVtAnimate(form.get());
    animate->SetActive(true);
    animate->OnAfterStartAnim = [this](TObject*) { ++startEnded; };
    animate->OnAfterEndAnim = [this](TObject*) { ++endEnded; };
    animate->HookOwnerFormEvents();
    if (withWindow)
      form->HandleNeeded();
  }
  // The form's alpha value after each tick until the fade stops.
  std::vector<int> Ticks(void (TVtAnimate::*tick)(TObject*), int limit = 300) {
    std::vector<int> alphas;
    while (animate->Animated() && limit-- > 0) {
      (animate->*tick)(nullptr);
      alphas.push_back(form->AlphaBlendValue());
    }
    return alphas;
  }

  forms_test::Owned<TForm> form;
  TVtAnimate* animate;
  int created = 0, activated = 0, closed = 0, startEnded = 0, endEnded = 0;
  TCloseAction closeAction = caHide;
};

TEST(VtAnimate, PublishesItsPropertiesInOrderWithTheirDefaults) {
  std::vector<AnsiString> names;
  for (PPropInfo p : GetPropList(&TVtAnimate::ClassRecord))
    names.push_back(p->Name);
  const std::vector<AnsiString> own = {"Active",   "StartInt", "StartStep",        "StopInt",       "StopStep",
                                       "MaxValue", "About",    "OnAfterStartAnim", "OnAfterEndAnim"};
  ASSERT_GE(names.size(), own.size());
  EXPECT_EQ(std::vector<AnsiString>(names.end() - static_cast<long>(own.size()), names.end()), own);
  forms_test::Owned<TForm> form(NewForm<TForm>(Application));
  TVtAnimate* a = new TVtAnimate(form.get());
  EXPECT_FALSE(a->Active());
  EXPECT_EQ(a->StartInt(), 5u);
  EXPECT_EQ(a->StartStep(), 10u);
  EXPECT_EQ(a->StopInt(), 5u);
  EXPECT_EQ(a->StopStep(), 10u);
  EXPECT_EQ(a->MaxValue(), 255u);
  EXPECT_EQ(a->About(), "s1.02");
  EXPECT_EQ(a->GetOwnerForm(), form.get());
  EXPECT_FALSE(a->Animated());
  a->SetMaxValue(300);
  EXPECT_EQ(a->MaxValue(), 255u);
}

TEST(VtAnimate, FadeInStepsUpToMaxValueAndFiresOnce) {
  struct Case {
    unsigned step, max;
    std::vector<int> alphas;
  } cases[] = {
      {100, 255, {100, 200, 255}},
      {100, 200, {100, 200}},
      {30, 200, {30, 60, 90, 120, 150, 180, 200}},
      {255, 255, {255}},
      {300, 255, {255}},
  };
  for (const Case& c : cases) {
    FadedForm f;
    f.animate->SetStartStep(c.step);
    f.animate->SetMaxValue(c.max);
    f.animate->StartAnimasyon(false, 10000);
    EXPECT_TRUE(f.animate->Animated());
    EXPECT_EQ(f.Ticks(&TVtAnimate::DoStart), c.alphas) << c.step << " " << c.max;
    EXPECT_EQ(f.startEnded, 1) << c.step;
  }
  FadedForm slow;
  slow.animate->SetStartStep(5);
  slow.animate->StartAnimasyon(false, 10000);
  EXPECT_EQ(slow.Ticks(&TVtAnimate::DoStart).size(), 51u);
  EXPECT_EQ(slow.form->AlphaBlendValue(), 255);
}

TEST(VtAnimate, FadeOutStepsDownToZero) {
  FadedForm f;
  f.animate->SetStopStep(100);
  f.animate->EndAnimasyon(false, 10000);
  EXPECT_EQ(f.Ticks(&TVtAnimate::DoEnd), (std::vector<int>{155, 55, 0}));
  EXPECT_EQ(f.endEnded, 1);
  f.animate->SetStopStep(0);
  f.animate->EndAnimasyon(false, 10000);
  EXPECT_FALSE(f.animate->Animated());
}

TEST(VtAnimate, StartStepZeroShowsTheFormAtOnce) {
  FadedForm f;
  f.animate->SetStartStep(0);
  f.animate->StartAnimasyon(true, 10000);
  EXPECT_TRUE(f.form->Visible());
  EXPECT_FALSE(f.animate->Animated());
  EXPECT_EQ(f.startEnded, 0);
}

TEST(VtAnimate, TheTimeOutJumpsToMaxValue) {
  for (int timeout : {0, -1}) {
    for (unsigned max : {255u, 200u}) {
      FadedForm f;
      f.animate->SetStartStep(1);
      f.animate->SetStartInt(1000);
      f.animate->SetMaxValue(max);
      f.animate->StartAnimasyon(true, timeout);
      EXPECT_FALSE(f.animate->Animated());
      EXPECT_EQ(f.form->AlphaBlendValue(), static_cast<int>(max));
      EXPECT_EQ(f.startEnded, 1);
      f.animate->SetStopStep(1);
      f.animate->SetStopInt(1000);
      f.animate->EndAnimasyon(true, timeout);
      EXPECT_FALSE(f.animate->Animated());
      EXPECT_EQ(f.form->AlphaBlendValue(), 0);
      EXPECT_EQ(f.endEnded, 1);
    }
  }
}

TEST(VtAnimate, TheFormsEventsAreForwardedAndTheFadeRunsOnTheFirstActivationOnly) {
  FadedForm f;
  f.animate->SetStartStep(255);  // one tick
  f.form->OnCreate(f.form.get());
  EXPECT_EQ(f.created, 1);
  EXPECT_TRUE(f.form->AlphaBlend());
  EXPECT_EQ(f.form->AlphaBlendValue(), 0);
  f.form->OnActivate(f.form.get());
  f.form->OnActivate(f.form.get());
  EXPECT_EQ(f.activated, 2);
  EXPECT_EQ(f.startEnded, 1);
  EXPECT_EQ(f.form->AlphaBlendValue(), 255);
  // Close action "none": the form's handler runs, no fade-out.
  f.closeAction = caNone;
  f.animate->SetStopStep(255);
  TCloseAction action = caHide;
  f.form->OnClose(f.form.get(), action);
  EXPECT_EQ(f.closed, 1);
  EXPECT_EQ(f.endEnded, 0);
  EXPECT_EQ(f.form->AlphaBlendValue(), 255);
  f.closeAction = caHide;
  f.form->OnClose(f.form.get(), action);
  EXPECT_EQ(f.closed, 2);
  EXPECT_EQ(f.endEnded, 1);
  EXPECT_EQ(f.form->AlphaBlendValue(), 0);
}

TEST(VtAnimate, InactiveOrWithoutAWindowItLeavesTheAlphaAlone) {
  FadedForm inactive;
  inactive.animate->SetActive(false);
  FadedForm windowless(false);
  for (FadedForm* f : {&inactive, &windowless}) {
    f->form->OnCreate(f->form.get());
    EXPECT_FALSE(f->form->AlphaBlend());
    EXPECT_EQ(f->created, 1);
  }
  inactive.form->OnActivate(inactive.form.get());
  TCloseAction action = caHide;
  inactive.form->OnClose(inactive.form.get(), action);
  EXPECT_EQ(inactive.activated, 1);
  EXPECT_EQ(inactive.closed, 1);
  EXPECT_FALSE(inactive.animate->Animated());
  EXPECT_FALSE(inactive.form->AlphaBlend());
  EXPECT_EQ(inactive.form->AlphaBlendValue(), 255);
  EXPECT_EQ(inactive.startEnded + inactive.endEnded, 0);
}

TEST(VtAnimate, ReadFromAFormDescriptionItTakesOverTheFormsEvents) {
  RegisterComponentClass(&TVtAnimate::ClassRecord);
  forms_test::Owned<TForm> form(NewForm<TForm>(Application));
  int activated = 0;
  form->OnActivate = [&](TObject*) { ++activated; };
  test_support::ReadComponentText(
      "object TestF: TForm\n  object VtAnimate1: TVtAnimate\n    StartStep = 7\n    MaxValue = 200\n  end\nend\n",
      form.get());
  auto* animate = dynamic_cast<TVtAnimate*>(form->FindComponent("VtAnimate1"));
  ASSERT_NE(animate, nullptr);
  EXPECT_EQ(animate->StartStep(), 7u);
  EXPECT_EQ(animate->MaxValue(), 200u);
  EXPECT_EQ(form->OnActivate.GetMethod().Data, animate);
  form->OnActivate(form.get());  // inactive: only the form's own handler runs
  EXPECT_EQ(activated, 1);
  // Made in code, Loaded alone takes over nothing.
  forms_test::Owned<TForm> other(NewForm<TForm>(Application));
  TVtAnimate* made = new TVtAnimate(other.get());
  made->Loaded();
  EXPECT_FALSE(other->OnActivate);
}

}  // namespace
