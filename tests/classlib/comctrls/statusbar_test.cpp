// The status bar: panels' edges and texts as the window holds them, the
// simple panel, owner-drawn panels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/comctrls/statusbar.h"
#include "classlib/graphics/canvas.h"
#include "comctrls_test_util.h"

namespace {

using namespace comctrls_test;

std::vector<int> WindowEdges(HWND wnd) {
  int edges[16] = {};
  int count = static_cast<int>(SendMessageW(wnd, SB_GETPARTS, 16, reinterpret_cast<LPARAM>(edges)));
  return std::vector<int>(edges, edges + count);
}

std::string WindowText(HWND wnd, int part) {
  wchar_t text[128] = {};
  SendMessageW(wnd, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text));
  return AnsiOf(text);
}

// The simple panel's text: some bars answer for it by its own id, others
// by any index while in simple mode.
std::string WindowSimpleText(HWND wnd) {
  std::string text = WindowText(wnd, SB_SIMPLEID);
  return text.empty() ? WindowText(wnd, 0) : text;
}

class StatusBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    bar = fixture.Add<TStatusBar>(0, 0, 400, 19);
    struct Panel {
      const char* text;
      int width;
      TAlignment alignment;
    };
    for (const Panel& p : {Panel{"1/3", 40, taRightJustify}, Panel{"Sayfa", 120, taLeftJustify},
                           Panel{"%100", 50, taCenter}}) {
      TStatusPanel* panel = bar->Panels()->Add();
      panel->SetText(p.text);
      panel->SetWidth(p.width);
      panel->SetAlignment(p.alignment);
    }
    fixture.Show();
  }

  FormFixture fixture;
  TStatusBar* bar = nullptr;
};

TEST_F(StatusBarTest, PanelsBecomeTheWindowsPartsWithTheLastTakingTheRest) {
  EXPECT_EQ(WindowEdges(bar->Handle()), (std::vector<int>{40, 160, -1}));
  // The bar aligns text after tab characters.
  EXPECT_EQ(WindowText(bar->Handle(), 0), "\t\t1/3");
  EXPECT_EQ(WindowText(bar->Handle(), 1), "Sayfa");
  EXPECT_EQ(WindowText(bar->Handle(), 2), "\t%100");
  EXPECT_EQ(bar->Align(), alBottom);
  EXPECT_EQ(bar->Top() + bar->Height(), fixture.Host()->ClientHeight()) << "at the bottom of its parent";
}

TEST_F(StatusBarTest, PanelChangesReachTheWindow) {
  bar->Panels()->Items(1)->SetText("Sayfa 2");
  bar->Panels()->Items(0)->SetWidth(60);
  EXPECT_EQ(WindowText(bar->Handle(), 1), "Sayfa 2");
  EXPECT_EQ(WindowEdges(bar->Handle()), (std::vector<int>{60, 180, -1}));
  bar->Panels()->Delete(2);
  EXPECT_EQ(WindowEdges(bar->Handle()), (std::vector<int>{60, -1}));
}

TEST_F(StatusBarTest, TheSimplePanelShowsItsOwnText) {
  bar->SetSimpleText("Hazır");
  bar->SetSimplePanel(true);
  EXPECT_NE(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0), 0);
  EXPECT_EQ(WindowSimpleText(bar->Handle()), "Hazır");
  bar->SetSimpleText("Yazdırılıyor");
  EXPECT_EQ(WindowSimpleText(bar->Handle()), "Yazdırılıyor");
  bar->SetSimplePanel(false);
  EXPECT_EQ(SendMessageW(bar->Handle(), SB_ISSIMPLE, 0, 0), 0);
  EXPECT_EQ(WindowText(bar->Handle(), 1), "Sayfa") << "the panels are still there";
}

TEST_F(StatusBarTest, AnOwnerDrawnPanelIsDrawnByOnDrawPanel) {
  std::vector<TStatusPanel*> drawn;
  TRect area{};
  bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const TRect& rect) {
    drawn.push_back(panel);
    area = rect;
    sender->Canvas()->Brush().SetColor(clRed);
    sender->Canvas()->FillRect(rect);
  };
  bar->Panels()->Items(1)->SetStyle(psOwnerDraw);
  RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.front(), bar->Panels()->Items(1));
  EXPECT_GE(area.left, 40);
  EXPECT_LE(area.right, 162);
}

}  // namespace
