// The animated show of an unskinned panel as the about box uses it (the
// snapshot of the old look, then the cross-fade to the new caption), the
// frame counts and alphas by time, a hidden control, the overlay window,
// and the animated hide on its threaded timer.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/bitmap.h"
#include "skin/controls/spanel.h"
#include "skin/core/animshow.h"
#include "skin/core/skinbitmaps.h"
#include "skin_test_util.h"

namespace {

using skin_test::FormFixture;
using skin_test::Pump;

constexpr int kOld = 200;
constexpr int kNew = 100;

TColor ShowGrey(int Level) { return static_cast<TColor>(RGB(Level, Level, Level)); }

// A recorded cross-fade frame: its alpha, the red channel of a background
// pixel and the number of dark (text) pixels.
struct Frame {
  int Alpha;
  int Background;
  int DarkPixels;
};

// Frames recorded and no pauses between them, for one test.
struct SeamScope {
  SeamScope() {
    AnimationSeams().Sleep = [](unsigned) {};
    AnimationSeams().OnCrossFadeFrame = [this](int Alpha, TBitmap* Image) {
      HDC dc = Image->Canvas().Handle();
      int dark = 0;
      for (int y = 0; y < Image->Height(); ++y)
        for (int x = 0; x < Image->Width(); ++x)
          if (GetRValue(GetPixel(dc, x, y)) < 60)
            ++dark;
      Frames.push_back({Alpha, GetRValue(GetPixel(dc, 6, 6)), dark});
    };
  }
  ~SeamScope() { AnimationSeams() = {}; }
  std::vector<Frame> Frames;
};

// A plain panel that counts the WM_SETREDRAW messages it gets.
class TRedrawPanel : public TsPanel {
public:
  using TsPanel::TsPanel;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_SETREDRAW)
      ++Redraws;
    TsPanel::WndProc(Message);
  }
  int Redraws = 0;
};

// A shown panel of the old colour without caption, its old look captured;
// then the new colour and a caption, as the about box changes its credits.
struct ShowScene {
  ShowScene() {
    panel = form.Add<TRedrawPanel>(20, 20, 160, 40);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption("");
    panel->SetColor(ShowGrey(kOld));
    panel->Font()->SetColor(clBlack);
    form.Show();
    Pump();
    CaptureControlSnapshot(panel);
    panel->SetColor(ShowGrey(kNew));
    panel->SetCaption("Yeni satir WWW");
  }
  FormFixture form;
  TRedrawPanel* panel = nullptr;
};

bool OverlayWindowLeft(HWND Parent) { return FindWindowExW(Parent, nullptr, nullptr, L"acOutputWindow") != nullptr; }

TEST(AnimatedShow, AnUnskinnedPanelCrossFadesToItsNewCaption) {
  SeamScope seams;
  ShowScene scene;
  ASSERT_NE(SharedOverlay(), nullptr);
  ASSERT_NE(SharedSnapshot(), nullptr);
  EXPECT_TRUE(OverlayWindowLeft(scene.form.Host()->Handle()));
  ShowControlAnimated(scene.panel, 300, 255, atFading);
  ASSERT_EQ(seams.Frames.size(), 31u);
  for (size_t i = 0; i < seams.Frames.size(); ++i)
    EXPECT_EQ(seams.Frames[i].Alpha, 255 - static_cast<int>(i) * 8) << i;
  EXPECT_EQ(seams.Frames.front().Background, 199) << "(255 * (200 - 100) + 256 * 100) >> 8";
  EXPECT_EQ(seams.Frames.front().DarkPixels, 0) << "the first frame is the old look";
  EXPECT_EQ(seams.Frames.back().Background, (15 * (kOld - kNew) + 256 * kNew) >> 8) << "not black";
  EXPECT_GT(seams.Frames.back().DarkPixels, 20) << "the new caption's text shows in the last frame";
  EXPECT_GT(scene.panel->Redraws, 0);
  EXPECT_EQ(SharedOverlay(), nullptr);
  EXPECT_EQ(SharedSnapshot(), nullptr);
  EXPECT_FALSE(OverlayWindowLeft(scene.form.Host()->Handle()));
  EXPECT_FALSE(AnimationRunning);
  EXPECT_EQ(AnimationDC, nullptr);
}

TEST(AnimatedShow, FramesAndAlphasByTime) {
  struct Case {
    unsigned short Time;
    size_t Frames;
    int Second, Last;
  } cases[] = {
      {300, 31, 247, 15},
      {20, 3, 128, 1},
      {2560, 257, 255, 0},  // 255 div 256 is 0: these still fade
      {3000, 301, 255 - 255 / 300, 0},
      {9, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SeamScope seams;
    ShowScene scene;
    ShowControlAnimated(scene.panel, c.Time, 255, atFading);
    ASSERT_EQ(seams.Frames.size(), c.Frames) << c.Time;
    EXPECT_EQ(SharedOverlay(), nullptr);
    if (c.Frames == 0)
      continue;
    EXPECT_EQ(seams.Frames[0].Alpha, 255) << c.Time;
    EXPECT_EQ(seams.Frames[1].Alpha, c.Second) << c.Time;
    EXPECT_EQ(seams.Frames.back().Alpha, c.Last) << c.Time;
    for (size_t i = 1; i < seams.Frames.size(); ++i)
      ASSERT_LE(seams.Frames[i].Alpha, seams.Frames[i - 1].Alpha) << c.Time << " frame " << i;
  }
}

TEST(AnimatedShow, AHiddenControlGetsNoRedrawButTheOverlayGoes) {
  SeamScope seams;
  ShowScene scene;
  scene.panel->SetVisible(false);
  scene.panel->Redraws = 0;
  ShowControlAnimated(scene.panel, 100, 255, atFading);
  EXPECT_EQ(scene.panel->Redraws, 0);
  EXPECT_EQ(seams.Frames.size(), 11u);
  EXPECT_EQ(SharedOverlay(), nullptr);
  EXPECT_EQ(SharedSnapshot(), nullptr);
  EXPECT_FALSE(OverlayWindowLeft(scene.form.Host()->Handle()));
}

TEST(AnimatedShow, WithoutASnapshotTheShowCapturesFirst) {
  SeamScope seams;
  FormFixture form;
  auto* panel = form.Add<TsPanel>(20, 20, 100, 30);
  panel->SetBevelOuter(bvNone);
  panel->SetCaption("");
  panel->SetColor(ShowGrey(kOld));
  form.Show();
  Pump();
  ASSERT_EQ(SharedOverlay(), nullptr);
  ShowControlAnimated(panel, 30, 255, atFading);
  ASSERT_EQ(seams.Frames.size(), 4u);
  EXPECT_EQ(seams.Frames[0].Background, kOld) << "old and new look are the same";
  EXPECT_EQ(SharedOverlay(), nullptr);
}

TEST(OutputWindow, AParentlessOverlayIsAPopupOfTheApplication) {
  auto* overlay = new TOutputWindow(nullptr);
  HWND wnd = overlay->Handle();
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & (WS_POPUP | WS_CHILD), WS_POPUP);
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), Application->Handle());
  EXPECT_FALSE(overlay->Visible());
  EXPECT_EQ(overlay->Color(), static_cast<TColor>(0x800080));
  wchar_t text[32] = {};
  GetWindowTextW(wnd, text, 32);
  EXPECT_STREQ(text, L"acOutputWindow");
  EXPECT_EQ(SendMessageW(wnd, WM_ERASEBKGND, 0, 0), 1) << "answers without erasing";
  overlay->Free();
}

// A hide form that tells when it is freed.
class TWatchedForm : public TForm {
public:
  TWatchedForm(bool& Freed) : TForm(nullptr), FFreed(Freed) {
    SetBorderStyle(bsNone);
    SetBounds(100, 100, 40, 30);
  }
  ~TWatchedForm() override { FFreed = true; }

private:
  bool& FFreed;
};

struct HideScope {
  HideScope() {
    AnimationSeams().LayeredWindows = [] { return true; };
    AnimationSeams().OnLayeredUpdate = [this](HWND, TBitmap*, BYTE Alpha) { Alphas.push_back(Alpha); };
  }
  ~HideScope() { AnimationSeams() = {}; }
  std::vector<int> Alphas;
};

TEST(AnimatedHide, FadesOutOnTheTimerAndFreesTheFormAfterTheLastFrame) {
  for (TacAnimType mode : {atFading, atAero}) {
    HideScope seams;
    bool freed = false;
    StartAnimatedHide(new TWatchedForm(freed), CreateBitmap32(40, 30), 100, mode, 200);
    ASSERT_NE(SharedHideTimer(), nullptr);
    const DWORD start = GetTickCount();
    while (!freed && GetTickCount() - start < 5000) {
      Application->ProcessMessages();
      Sleep(1);
    }
    EXPECT_TRUE(freed) << mode;
    // Half of MaxAlpha when shown, then 200 / 20 less on each tick down to 0;
    // the tick after the last frame frees the form.
    const std::vector<int> expected{100, 90, 80, 70, 60, 50, 40, 30, 20, 10, 0, 0};
    EXPECT_EQ(seams.Alphas, expected) << mode;
    EXPECT_EQ(SharedHideTimer()->HideForm(), nullptr);
  }
}

TEST(AnimatedHide, NoFramesOrNoLayeredWindowsFreeWhatWasGiven) {
  struct Case {
    unsigned short Time;
    bool Layered;
  } cases[] = {{5, true}, {100, false}};
  for (const Case& c : cases) {
    HideScope seams;
    AnimationSeams().LayeredWindows = [&] { return c.Layered; };
    bool freed = false;
    StartAnimatedHide(new TWatchedForm(freed), CreateBitmap32(40, 30), c.Time, atFading, 255);
    EXPECT_TRUE(freed) << c.Time;
    EXPECT_TRUE(seams.Alphas.empty()) << c.Time;
  }
}

}  // namespace
