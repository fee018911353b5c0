// The command senders and the control utilities built on them.
#include <gtest/gtest.h>

#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/stdctrls/shape.h"
#include "skin/core/skincommands.h"
#include "skin/core/svclutils.h"
#include "skinprobe.h"
#include "tests/support/formfixture.h"

namespace {

using skin_test::TCountingPanel;
using skin_test::TSkinProbe;
using test_support::FormFixture;

template <class C>
C* AddChild(TWinControl* parent, int left, int top, int width, int height) {
  auto* child = new C(parent);
  child->SetParent(parent);
  child->SetBounds(left, top, width, height);
  return child;
}

// A graphic control that counts the skin commands it receives.
class TCountingShape : public TShape {
public:
  using TShape::TShape;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == SM_ALPHACMD)
      ++Count;
    TShape::WndProc(Message);
  }
  int Count = 0;
};

TEST(SkinSenders, AControlWithoutAWindowGetsNothingAndNoWindowIsMade) {
  TSkinProbe lone(nullptr);
  ASSERT_FALSE(lone.HandleAllocated());
  EXPECT_EQ(SendControlSkinCommand(&lone, SkinCmdAreYouSkinned, 0), 0);
  EXPECT_EQ(QueryControlSkinCommand(&lone, SkinCmdAreYouSkinned), 0);
  EXPECT_FALSE(lone.HandleAllocated());
  EXPECT_TRUE(lone.Commands.empty());
  EXPECT_EQ(SendControlSkinCommand(nullptr, SkinCmdAreYouSkinned, 0), 0);
  EXPECT_EQ(SendSkinCommand(nullptr, SkinCmdAreYouSkinned, 0), 0);

  FormFixture form;
  auto* placed = form.Add<TSkinProbe>(10, 10, 50, 30);
  placed->HandleNeeded();
  EXPECT_EQ(SendControlSkinCommand(placed, SkinCmdAreYouSkinned, 0), 1);
  EXPECT_TRUE(WindowAnswersCommand(placed->Handle(), SkinCmdAreYouSkinned));
  auto* plain = form.Add<TPanel>(80, 10, 50, 30);
  plain->HandleNeeded();
  EXPECT_FALSE(WindowAnswersCommand(plain->Handle(), SkinCmdAreYouSkinned));
  // A graphic control is reached through Perform.
  auto* shape = form.Add<TCountingShape>(150, 10, 20, 20);
  SendControlSkinCommand(shape, SkinCmdInvalidateCache, 0);
  EXPECT_EQ(shape->Count, 1);
}

TEST(SkinSenders, ChildControlsAreReachedThroughUnskinnedContainers) {
  FormFixture form;
  auto* outer = form.Add<TSkinProbe>(10, 10, 300, 200);
  auto* middle = AddChild<TCountingPanel>(outer, 5, 5, 250, 150);
  auto* inner = AddChild<TSkinProbe>(middle, 5, 5, 100, 60);
  auto* deeper = AddChild<TSkinProbe>(inner, 5, 5, 40, 20);
  auto* shape = AddChild<TCountingShape>(outer, 260, 5, 20, 20);
  deeper->HandleNeeded();
  ASSERT_TRUE(inner->HandleAllocated());
  middle->Commands.clear();
  inner->Commands.clear();
  deeper->Commands.clear();
  shape->Count = 0;

  TMessage message{SM_ALPHACMD, SkinCommandWParam(SkinCmdInvalidateCache), 0, 0};
  SendToChildControls(outer, message);
  EXPECT_TRUE(inner->Received(SkinCmdInvalidateCache)) << "the skinned control below the unskinned panel";
  for (WORD c : middle->Commands)
    EXPECT_NE(c, SkinCmdInvalidateCache) << "the unskinned panel is only asked whether it is skinned";
  EXPECT_FALSE(deeper->Received(SkinCmdInvalidateCache)) << "a skinned control passes commands on itself";
  EXPECT_EQ(shape->Count, 1);
}

TEST(SkinSenders, ChildWindowsAreMessagedButNotGrandchildren) {
  FormFixture form;
  auto* outer = form.Add<TSkinProbe>(10, 10, 300, 200);
  auto* child = AddChild<TSkinProbe>(outer, 5, 5, 200, 150);
  auto* grandchild = AddChild<TSkinProbe>(child, 5, 5, 50, 50);
  grandchild->HandleNeeded();
  child->Commands.clear();
  grandchild->Commands.clear();
  TMessage message{SM_ALPHACMD, SkinCommandWParam(SkinCmdInvalidateCache), 0, 0};
  SendToChildWindows(outer->Handle(), message);
  EXPECT_TRUE(child->Received(SkinCmdInvalidateCache));
  EXPECT_FALSE(grandchild->Received(SkinCmdInvalidateCache));

  UnlockChildWindows(outer->Handle());
  EXPECT_TRUE(child->Received(SkinCmdEndUpdate));
  EXPECT_FALSE(grandchild->Received(SkinCmdEndUpdate));
}

TEST(SkinSenders, UnlockSkipsGraphicChildrenAndWaitsForAnimations) {
  FormFixture form;
  form.Show();
  auto* outer = form.Add<TSkinProbe>(10, 10, 300, 200);
  auto* child = AddChild<TSkinProbe>(outer, 5, 5, 100, 100);
  auto* shape = AddChild<TCountingShape>(outer, 200, 5, 20, 20);
  child->HandleNeeded();
  AnimationRunning = true;
  UnlockChildControls(outer);
  AnimationRunning = false;
  EXPECT_FALSE(child->Received(SkinCmdEndUpdate));
  UnlockChildControls(outer);
  EXPECT_TRUE(child->Received(SkinCmdEndUpdate));
  EXPECT_EQ(shape->Count, 0);
}

TEST(SkinControlUtils, BackColoursOfUnskinnedControlsAndWindows) {
  FormFixture form;
  auto* plain = form.Add<TPanel>(10, 10, 50, 30);
  plain->SetColor(clBtnFace);
  EXPECT_EQ(ControlBackColor(plain), ColorToRGB(clBtnFace)) << "system colours resolved";
  EXPECT_EQ(ControlBackColor(nullptr), clFuchsia);
  auto* probe = form.Add<TSkinProbe>(80, 10, 50, 30);
  probe->SetColor(clAqua);
  EXPECT_EQ(ControlBackColor(probe), clAqua) << "an unskinned skin state answers its own colour";
  probe->HandleNeeded();
  EXPECT_EQ(WindowBackColor(probe->Handle()), clAqua);
  EXPECT_EQ(WindowBackColor(nullptr), clFuchsia);
}

TEST(SkinControlUtils, PaintabilityOwnersAndWalks) {
  FormFixture form;
  auto* placed = form.Add<TPanel>(10, 10, 100, 80);
  EXPECT_FALSE(ControlCanPaint(nullptr));
  TPanel lone(nullptr);
  EXPECT_FALSE(ControlCanPaint(&lone));
  placed->HandleNeeded();
  EXPECT_TRUE(ControlCanPaint(placed));
  auto* shape = AddChild<TShape>(placed, 0, 0, 10, 10);
  EXPECT_TRUE(ControlCanPaint(shape));

  TCustomForm* shared = test_support::SharedForm();
  EXPECT_EQ(FindOwnerForm(shared), shared) << "a form's owner form is itself";
  EXPECT_EQ(FindOwnerForm(placed), nullptr) << "owned by the test's host panel";
  EXPECT_EQ(FindOwnerFrame(placed), nullptr);
  EXPECT_EQ(TopLevelWindow(placed->Handle()), shared->Handle());

  AddChild<TPanel>(placed, 0, 0, 100, 15)->SetAlign(alTop);
  AddChild<TPanel>(placed, 0, 0, 100, 10)->SetAlign(alTop);
  AddChild<TShape>(placed, 0, 0, 100, 7)->SetAlign(alTop);
  AddChild<TPanel>(placed, 0, 0, 100, 10)->SetAlign(alClient);
  EXPECT_EQ(AlignedControlsSize(placed, alTop, false), 25);
  EXPECT_EQ(AlignedControlsSize(placed, alTop, true), 32);
  EXPECT_EQ(AlignedControlsSize(placed, alClient, true), 0);
  EXPECT_EQ(ControlTextFlags(placed, taCenter), DT_CENTER | DT_EXPANDTABS | DT_VCENTER);
  EXPECT_EQ(ControlTextFlags(placed, taRightJustify), DT_RIGHT | DT_EXPANDTABS | DT_VCENTER);
}

TEST(SkinControlUtils, ThemeEntryIsLookedUpAtStartUp) {
  EXPECT_NE(SetWindowThemeProc, nullptr);
  FreeSkinThemeLibrary();
  EXPECT_EQ(SetWindowThemeProc, nullptr);
  LoadSkinThemeLibrary();
  EXPECT_NE(SetWindowThemeProc, nullptr);
}

struct Canvas24 {
  Canvas24(int width, int height) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    bitmap.Canvas().Brush().SetColor(clFuchsia);
    bitmap.Canvas().FillRect(RECT{0, 0, width, height});
  }
  COLORREF At(int x, int y) { return GetPixel(bitmap.Canvas().Handle(), x, y); }
  TBitmap bitmap;
};

TEST(SkinControlUtils, GraphicChildrenArePaintedOverTheBackground) {
  FormFixture form;
  form.Show();
  auto* container = form.Add<TSkinProbe>(10, 10, 120, 80);
  container->SetColor(clYellow);
  auto* shape = AddChild<TShape>(container, 20, 10, 30, 20);
  shape->Brush()->SetColor(clBlue);
  shape->Pen()->SetColor(clBlue);
  container->HandleNeeded();

  Canvas24 target(200, 120);
  PaintGraphicControls(target.bitmap.Canvas().Handle(), container, true, POINT{5, 7}, 0);
  EXPECT_EQ(target.At(5 + 35, 7 + 20), static_cast<COLORREF>(clBlue));
  EXPECT_EQ(target.At(5 + 80, 7 + 50), static_cast<COLORREF>(clFuchsia)) << "only the children's bounds";

  // An empty clip box: command 0x16 to the container, nothing painted.
  Canvas24 clipped(200, 120);
  HDC dc = clipped.bitmap.Canvas().Handle();
  HRGN empty = CreateRectRgn(0, 0, 0, 0);
  SelectClipRgn(dc, empty);
  DeleteObject(empty);
  container->Commands.clear();
  PaintGraphicControls(dc, container, true, POINT{5, 7}, 0);
  SelectClipRgn(dc, nullptr);
  EXPECT_TRUE(container->Received(SkinCmdSetPartlyPainted));
  EXPECT_EQ(clipped.At(5 + 35, 7 + 20), static_cast<COLORREF>(clFuchsia));
}

}  // namespace
