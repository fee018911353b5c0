// The skinned panel without a skin: it paints as the standard panel does,
// runs its OnPaint handler after that, takes over erasing and printing only
// while a handler is set, fires its mouse events and answers the skin
// commands that concern it.
#include <gtest/gtest.h>

#include <vector>

#include "skin/controls/skinctrlsreg.h"
#include "skin/controls/spanel.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinmanager.h"
#include "skin_test_util.h"

namespace {

using namespace skin_test;

struct PanelLook {
  const char* Name;
  TBevelCut Outer;
  TBevelCut Inner;
  int BevelWidth;
  int BorderWidth;
  TColor Color;
  TAlignment Alignment;
  const char* Caption;
};

const PanelLook kLooks[] = {
    {"raised", bvRaised, bvNone, 1, 0, clBtnFace, taCenter, "Panel"},
    {"lowered-wide", bvLowered, bvNone, 2, 0, clYellow, taLeftJustify, "Sol"},
    {"double-border", bvRaised, bvLowered, 1, 3, clAqua, taRightJustify, "Sağ"},
    {"flat", bvNone, bvNone, 1, 0, clWhite, taCenter, ""},
};

template <class P>
P* AddPanel(FormFixture& form, const PanelLook& look, int top) {
  auto* panel = form.Add<P>(10, top, 160, 50);
  panel->SetBevelOuter(look.Outer);
  panel->SetBevelInner(look.Inner);
  panel->SetBevelWidth(look.BevelWidth);
  panel->SetBorderWidth(look.BorderWidth);
  panel->SetColor(look.Color);
  panel->SetAlignment(look.Alignment);
  panel->SetCaption(look.Caption);
  return panel;
}

// Fills the bitmap with a colour no panel paints, to see what was touched.
void FillMarker(TBitmap& bitmap, int width, int height) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  bitmap.Canvas().Brush().SetColor(clFuchsia);
  bitmap.Canvas().FillRect(RECT{0, 0, width, height});
}

TEST(SkinnedPanel, WithoutHandlerPaintsLikeTheStandardPanel) {
  FormFixture form;
  form.Show();
  for (const PanelLook& look : kLooks) {
    SCOPED_TRACE(look.Name);
    auto* standard = AddPanel<TPanel>(form, look, 10);
    auto* skinned = AddPanel<TsPanel>(form, look, 80);
    Pump();
    TBitmap expected, actual;
    PaintClient(standard, expected);
    PaintClient(skinned, actual);
    EXPECT_EQ(FirstDifference(expected, actual), "");
    standard->Free();
    skinned->Free();
  }
}

TEST(SkinnedPanel, IsNotSkinnedWithoutAManagerOrWithOneThatHasNoSkin) {
  FormFixture form;
  auto* panel = form.Add<TsPanel>(10, 10, 100, 40);
  EXPECT_EQ(panel->SkinData()->SkinManager(), nullptr);
  EXPECT_FALSE(panel->SkinData()->IsSkinned());

  auto* manager = new TsSkinManager(nullptr);
  SetDefaultManager(manager);
  EXPECT_EQ(panel->SkinData()->SkinManager(), manager);
  EXPECT_FALSE(panel->SkinData()->IsSkinned());
  EXPECT_FALSE(panel->SkinData()->IsSkinned(true));
  manager->Free();
  EXPECT_EQ(DefaultManager(), nullptr) << "a freed manager must stop being the default";
  EXPECT_EQ(panel->SkinData()->SkinManager(), nullptr);
}

TEST(SkinnedPanel, ForgetsItsOwnManagerWhenThatIsFreed) {
  FormFixture form;
  auto* panel = form.Add<TsPanel>(10, 10, 100, 40);
  auto* manager = new TsSkinManager(nullptr);
  SetDefaultManager(nullptr);  // the first manager made is the default one; this one is the panel's own
  panel->SkinData()->SetSkinManager(manager);
  EXPECT_EQ(panel->SkinData()->OwnSkinManager(), manager);
  manager->Free();
  EXPECT_EQ(panel->SkinData()->OwnSkinManager(), nullptr);
  EXPECT_EQ(panel->SkinData()->SkinManager(), nullptr);
}

TEST(SkinnedPanel, SkinSectionDefaultsToPanelAndIsKeptUpperCase) {
  FormFixture form;
  auto* panel = form.Add<TsPanel>(10, 10, 100, 40);
  TsCommonData* data = panel->SkinData();
  EXPECT_EQ(data->SkinSection(), "PANEL");
  data->SetSkinSection("edit");
  EXPECT_EQ(data->SkinSection(), "EDIT");
  data->SetSkinSection("");
  EXPECT_EQ(data->SkinSection(), "UNKNOWN");
  EXPECT_EQ(data->SectionIndex(), -1);
}

TEST(SkinnedPanel, WithoutHandlerErasesNormallyAndIgnoresPrint) {
  FormFixture form;
  form.Show();
  auto* panel = form.Add<TsPanel>(10, 10, 120, 40);
  panel->SetColor(clYellow);
  Pump();

  TBitmap erased;
  FillMarker(erased, 120, 40);
  panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.Canvas().Handle()), 0);
  EXPECT_EQ(Pixel(erased, 60, 20), static_cast<COLORREF>(clYellow));

  TBitmap printed;
  FillMarker(printed, 120, 40);
  SendMessageW(panel->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas().Handle()),
               PRF_CLIENT | PRF_ERASEBKGND);
  for (POINT p : {POINT{1, 1}, POINT{60, 20}, POINT{118, 38}})
    EXPECT_EQ(Pixel(printed, p.x, p.y), static_cast<COLORREF>(clFuchsia)) << p.x << "," << p.y;
}

TEST(SkinnedPanel, HandlerRunsAfterTheStandardPaintingOnThePanelsCanvas) {
  FormFixture form;
  form.Show();
  auto* panel = form.Add<TsPanel>(10, 10, 120, 40);
  panel->SetColor(clYellow);
  panel->SetCaption("");
  Pump();
  std::vector<COLORREF> faceSeen;
  TObject* sender = nullptr;
  TCanvas* canvas = nullptr;
  panel->OnPaint = [&](TObject* Sender, TCanvas* Canvas) {
    sender = Sender;
    canvas = Canvas;
    faceSeen.push_back(GetPixel(Canvas->Handle(), 60, 20));
    Canvas->Brush().SetColor(clBlue);
    Canvas->FillRect(RECT{5, 5, 15, 15});
  };
  TBitmap painted;
  PaintClient(panel, painted);
  ASSERT_EQ(faceSeen.size(), 1u);
  EXPECT_EQ(faceSeen[0], static_cast<COLORREF>(clYellow)) << "the standard painting comes first";
  EXPECT_EQ(sender, panel);
  EXPECT_EQ(canvas, panel->Canvas());
  EXPECT_EQ(Pixel(painted, 10, 10), static_cast<COLORREF>(clBlue));
  EXPECT_EQ(Pixel(painted, 60, 20), static_cast<COLORREF>(clYellow));
}

TEST(SkinnedPanel, WithHandlerEraseIsSwallowed) {
  FormFixture form;
  form.Show();
  auto* panel = form.Add<TsPanel>(10, 10, 120, 40);
  panel->SetColor(clYellow);
  panel->OnPaint = [](TObject*, TCanvas*) {};
  Pump();
  TBitmap erased;
  FillMarker(erased, 120, 40);
  panel->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.Canvas().Handle()), 0);
  EXPECT_EQ(Pixel(erased, 60, 20), static_cast<COLORREF>(clFuchsia));
}

TEST(SkinnedPanel, PrintRunsTheHandlerAndCopiesThePanelIntoTheDeviceContext) {
  FormFixture form;
  form.Show();
  auto* panel = form.Add<TsPanel>(10, 10, 120, 40);
  panel->SetColor(clYellow);
  panel->SetCaption("");
  int calls = 0;
  TCanvas* canvas = nullptr;
  panel->OnPaint = [&](TObject*, TCanvas* Canvas) {
    ++calls;
    canvas = Canvas;
    Canvas->Brush().SetColor(clBlue);
    Canvas->FillRect(RECT{5, 5, 15, 15});
  };
  panel->Repaint();
  Pump();
  calls = 0;

  TBitmap printed;
  FillMarker(printed, 140, 60);
  SendMessageW(panel->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(printed.Canvas().Handle()), PRF_CLIENT);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(canvas, panel->Canvas());
  EXPECT_EQ(Pixel(printed, 10, 10), static_cast<COLORREF>(clBlue));
  EXPECT_EQ(Pixel(printed, 60, 20), static_cast<COLORREF>(clYellow));
  // Only Width x Height is copied.
  EXPECT_EQ(Pixel(printed, 125, 20), static_cast<COLORREF>(clFuchsia));
  EXPECT_EQ(Pixel(printed, 60, 45), static_cast<COLORREF>(clFuchsia));

  // Without a device context the handler still runs.
  SendMessageW(panel->Handle(), WM_PRINT, 0, PRF_CLIENT);
  EXPECT_EQ(calls, 2);
}

TEST(SkinnedPanel, HandlerThatClearsItselfIsNotCalledAgain) {
  FormFixture form;
  form.Show();
  PanelLook look = kLooks[1];
  auto* standard = AddPanel<TPanel>(form, look, 10);
  auto* panel = AddPanel<TsPanel>(form, look, 80);
  int calls = 0;
  panel->OnPaint = [&calls, panel](TObject*, TCanvas* Canvas) {
    ++calls;
    panel->OnPaint = nullptr;
    Canvas->Brush().SetColor(clBlue);
    Canvas->FillRect(RECT{5, 5, 15, 15});
  };
  TBitmap first, second, expected;
  PaintClient(panel, first);
  EXPECT_EQ(Pixel(first, 10, 10), static_cast<COLORREF>(clBlue));
  PaintClient(panel, second);
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(panel->OnPaint);
  PaintClient(standard, expected);
  EXPECT_EQ(FirstDifference(expected, second), "") << "the next paint is the standard panel's";
}

TEST(SkinnedPanel, HandlerIsNotCalledWhileThePanelIsNotShowing) {
  FormFixture form;
  form.Show();
  auto* panel = form.Add<TsPanel>(10, 10, 120, 40);
  int calls = 0;
  panel->OnPaint = [&calls](TObject*, TCanvas*) { ++calls; };
  panel->Hide();
  TBitmap bitmap;
  PaintClient(panel, bitmap);
  EXPECT_EQ(calls, 0);
  panel->Show();
  PaintClient(panel, bitmap);
  EXPECT_EQ(calls, 1);
}

TEST(SkinnedPanel, MouseEnterAndLeaveFireOnceForEveryMessage) {
  FormFixture form;
  form.Show();
  auto* panel = form.Add<TsPanel>(10, 10, 160, 80);
  auto* child = new TPanel(panel);
  child->SetParent(panel);
  child->SetBounds(10, 10, 40, 30);
  std::vector<std::string> events;
  panel->OnMouseEnter = [&events](TObject* Sender) { events.push_back("enter"); };
  panel->OnMouseLeave = [&events](TObject* Sender) { events.push_back("leave"); };
  Pump();

  panel->Perform(CM_MOUSEENTER, 0, 0);
  panel->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));

  // The messages that tell the panel of its child fire its events too.
  events.clear();
  child->Perform(CM_MOUSEENTER, 0, 0);
  child->Perform(CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));

  // A mouse move over the panel makes it the mouse control.
  events.clear();
  SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(120, 60));
  EXPECT_EQ(MouseControl(), panel);
  EXPECT_EQ(events, (std::vector<std::string>{"enter"}));
  SendMessageW(panel->Handle(), WM_MOUSELEAVE, 0, 0);
  Pump();
}

TEST(SkinnedPanel, AnswersAreYouSkinnedAndTheApplicationEvenUnskinned) {
  FormFixture form;
  auto* panel = form.Add<TsPanel>(10, 10, 100, 40);
  struct Case {
    WORD Command;
    LRESULT Expected;
  };
  const Case cases[] = {
      {SkinCmdAreYouSkinned, 1},
      {SkinCmdApplication, reinterpret_cast<LRESULT>(Application)},
      // Unskinned these go to the normal handling, which does not know them.
      {SkinCmdIsLocked, 0},
      {SkinCmdEndUpdate, 0},
      {SkinCmdBackgroundQuery, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Command);
    EXPECT_EQ(panel->Perform(SM_ALPHACMD, SkinCommandWParam(c.Command), 0), c.Expected);
    EXPECT_EQ(SendMessageW(panel->Handle(), SM_ALPHACMD, SkinCommandWParam(c.Command), 0), c.Expected);
  }
}

TEST(SkinnedPanel, NewSkinCommandReachesSkinnedChildrenAndDropsOpacity) {
  FormFixture form;
  auto* outer = form.Add<TsPanel>(10, 10, 200, 120);
  auto* plain = new TPanel(outer);
  plain->SetParent(outer);
  plain->SetBounds(5, 5, 150, 100);
  auto* inner = new TsPanel(plain);
  inner->SetParent(plain);
  inner->SetBounds(5, 5, 60, 40);
  outer->HandleNeeded();
  ASSERT_TRUE(outer->ControlStyle().Contains(csOpaque));
  ASSERT_TRUE(inner->ControlStyle().Contains(csOpaque));

  SendMessageW(outer->Handle(), SM_ALPHACMD, SkinCommandWParam(SkinCmdNewSkin), 0);
  EXPECT_FALSE(outer->ControlStyle().Contains(csOpaque));
  EXPECT_FALSE(inner->ControlStyle().Contains(csOpaque)) << "passed through the unskinned panel";
  EXPECT_TRUE(plain->ControlStyle().Contains(csOpaque)) << "an unskinned container is not sent the command";
}

TEST(SkinnedPanel, StreamsWithItsSkinData) {
  RegisterSkinControls();
  RegisterClasses({TPanel::StaticClass()});
  Owned<TPanel> root{new TPanel(nullptr)};
  ReadComponentText(
      "object Root: TPanel\n"
      "  object Head: TsPanel\n"
      "    Caption = 'Başlık'\n"
      "    BevelOuter = bvLowered\n"
      "    SkinData.CustomColor = True\n"
      "    SkinData.SkinSection = 'TOOLBAR'\n"
      "  end\n"
      "end\n",
      root.get());
  auto* panel = dynamic_cast<TsPanel*>(root->FindComponent("Head"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Caption(), "Başlık");
  EXPECT_EQ(panel->BevelOuter(), bvLowered);
  EXPECT_TRUE(panel->SkinData()->CustomColor());
  EXPECT_EQ(panel->SkinData()->SkinSection(), "TOOLBAR");

  std::string text = ComponentText(root.get());
  EXPECT_NE(text.find("SkinData.CustomColor = True"), std::string::npos) << text;
  EXPECT_EQ(text.find("SkinData.CustomFont"), std::string::npos) << text;
  EXPECT_EQ(text.find("SkinData.SkinManager"), std::string::npos) << text;
}

}  // namespace
