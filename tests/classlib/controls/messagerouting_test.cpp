// The message path: WindowProc in front of WndProc, Perform, reflection of
// child notifications, and the mouse enter/leave notifications.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls_test_util.h"

using namespace controls_test;

namespace {

// Records every message a control's WindowProc sees, then hands it on to
// the method that was there before (or swallows the listed ones).
class TMessageSpy : public TObject {
public:
  explicit TMessageSpy(TControl* control) : control_(control), saved_(control->WindowProc) {
    control->WindowProc = Method<&TMessageSpy::SpyProc>(this);
  }
  ~TMessageSpy() override { Restore(); }

  void Restore() {
    if (control_ != nullptr)
      control_->WindowProc = saved_;
    control_ = nullptr;
  }
  bool Saw(UINT msg) const { return std::find(seen_.begin(), seen_.end(), msg) != seen_.end(); }
  int Count(UINT msg) const { return static_cast<int>(std::count(seen_.begin(), seen_.end(), msg)); }
  void Swallow(UINT msg) { swallowed_.push_back(msg); }
  void Clear() { seen_.clear(); }

private:
  void SpyProc(TMessage& Message) {
    seen_.push_back(Message.Msg);
    if (std::find(swallowed_.begin(), swallowed_.end(), Message.Msg) != swallowed_.end())
      return;
    saved_(Message);
  }

  TControl* control_;
  TWndMethod saved_;
  std::vector<UINT> seen_;
  std::vector<UINT> swallowed_;
};

class MessageRouting : public ::testing::Test {
protected:
  void SetUp() override {
    panel = new TPanel(shown.host);
    panel->SetParent(shown.host);
    panel->SetBounds(10, 10, 300, 200);
    button = new TButton(shown.host);
    button->SetParent(panel);
    button->SetBounds(10, 10, 75, 25);
    label = new TLabel(shown.host);
    label->SetParent(panel);
    label->SetAutoSize(false);
    label->SetBounds(100, 100, 80, 30);
    shown.Show();
  }

  ShownHost shown;
  TPanel* panel = nullptr;
  TButton* button = nullptr;
  TLabel* label = nullptr;
};

TEST_F(MessageRouting, WindowProcStartsAsTheControlsOwnWndProc) {
  TMethod expected = Method<&TControl::WndProc>(panel);
  EXPECT_EQ(panel->WindowProc.GetMethod(), expected);
  EXPECT_NE(label->WindowProc.GetMethod(), expected);  // another instance
}

TEST_F(MessageRouting, ReplacedWindowProcSeesPerformedWin32AndSetterMessages) {
  TMessageSpy spy(panel);
  panel->Perform(CM_MOUSEWHEEL, 0, 0);
  SendMessageW(panel->Handle(), WM_USER + 7, 0, 0);
  panel->SetCaption("Yeni başlık");
  panel->SetColor(clRed);
  panel->SetEnabled(false);
  panel->Invalidate();

  EXPECT_TRUE(spy.Saw(CM_MOUSEWHEEL));
  EXPECT_TRUE(spy.Saw(WM_USER + 7));
  EXPECT_TRUE(spy.Saw(WM_SETTEXT));
  EXPECT_TRUE(spy.Saw(CM_TEXTCHANGED));
  EXPECT_TRUE(spy.Saw(CM_COLORCHANGED));
  EXPECT_TRUE(spy.Saw(CM_ENABLEDCHANGED));
  EXPECT_TRUE(spy.Saw(CM_INVALIDATE));
  EXPECT_EQ(panel->Caption(), "Yeni başlık");
}

TEST_F(MessageRouting, RestoringWindowProcRestoresBehaviour) {
  TMessageSpy spy(label);
  spy.Swallow(WM_SETTEXT);
  label->SetCaption("yutuldu");
  EXPECT_EQ(label->Caption(), "");  // the spy kept the text from the control

  spy.Restore();
  EXPECT_EQ(label->WindowProc.GetMethod(), Method<&TControl::WndProc>(label));
  spy.Clear();
  label->SetCaption("geçti");
  EXPECT_EQ(label->Caption(), "geçti");
  EXPECT_FALSE(spy.Saw(WM_SETTEXT));
}

TEST_F(MessageRouting, GraphicChildGetsPaintThroughItsWindowProcWithTheParentsDC) {
  TMessageSpy spy(label);
  RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_GE(spy.Count(WM_PAINT), 1);
}

TEST_F(MessageRouting, CommandNotificationIsReflectedToTheButton) {
  TMessageSpy spy(button);
  int clicks = 0;
  button->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, button);
    ++clicks;
  };
  // The parent receives WM_COMMAND from the button's window ...
  SendMessageW(panel->Handle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button->Handle()));
  EXPECT_TRUE(spy.Saw(CN_COMMAND));
  EXPECT_EQ(clicks, 1);
  // ... and the standard button class sends it itself when clicked.
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(spy.Count(CN_COMMAND), 2);
}

TEST_F(MessageRouting, CtlColorOfAChildIsAnsweredByTheChild) {
  auto* edit = new TEdit(shown.host);
  edit->SetParent(panel);
  edit->SetColor(clYellow);
  TMessageSpy spy(edit);
  HDC dc = GetDC(edit->Handle());
  LRESULT brush = SendMessageW(panel->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(edit->Handle()));
  COLORREF background = GetBkColor(dc);
  ReleaseDC(edit->Handle(), dc);
  EXPECT_TRUE(spy.Saw(CN_CTLCOLOREDIT));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(background, static_cast<COLORREF>(clYellow));
}

// Notifications a parent gets about a child reach the child as CN_ messages;
// those about menus stay with the parent.
TEST_F(MessageRouting, ChildNotificationsAreReflected) {
  HWND child = button->Handle();
  NMHDR notify{child, 0, static_cast<UINT>(-2)};  // NM_CLICK
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_BUTTON;
  draw.hwndItem = child;
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_LISTBOX;
  measure.CtlID = static_cast<UINT>(GetWindowLongPtrW(child, GWLP_ID));
  DRAWITEMSTRUCT menuDraw{};
  menuDraw.CtlType = ODT_MENU;
  struct Case {
    UINT msg;
    LPARAM lParam;
    UINT reflected;  // 0: not reflected
  } cases[] = {
      {WM_NOTIFY, reinterpret_cast<LPARAM>(&notify), CN_NOTIFY},
      {WM_DRAWITEM, reinterpret_cast<LPARAM>(&draw), CN_DRAWITEM},
      {WM_MEASUREITEM, reinterpret_cast<LPARAM>(&measure), CN_MEASUREITEM},
      {WM_CTLCOLORBTN, reinterpret_cast<LPARAM>(child), CN_CTLCOLORBTN},
      {WM_HSCROLL, reinterpret_cast<LPARAM>(child), CN_HSCROLL},
      {WM_DRAWITEM, reinterpret_cast<LPARAM>(&menuDraw), 0},
  };
  for (const Case& c : cases) {
    TMessageSpy spy(button);
    HDC dc = GetDC(child);
    SendMessageW(panel->Handle(), c.msg, c.msg == WM_CTLCOLORBTN ? reinterpret_cast<WPARAM>(dc) : 0, c.lParam);
    ReleaseDC(child, dc);
    if (c.reflected != 0)
      EXPECT_TRUE(spy.Saw(c.reflected)) << std::hex << c.msg;
    else
      EXPECT_FALSE(spy.Saw(CN_BASE + c.msg)) << std::hex << c.msg;
  }
}

TEST_F(MessageRouting, LibraryMessagesNeverReachTheWindowClass) {
  // A CM_ message unanswered by every handler gives 0, not what the system's
  // BUTTON procedure would make of an unknown number.
  EXPECT_EQ(button->Perform(CM_BASE + 200, 1, 2), 0);
}

class MouseEnterLeave : public MessageRouting {
protected:
  void SetUp() override {
    MessageRouting::SetUp();
    auto log = [this](const char* what) { return [this, what](TObject* s) { events.push_back(Name(s) + what); }; };
    label->OnMouseEnter = log(" enter");
    label->OnMouseLeave = log(" leave");
    panel->OnMouseEnter = log(" enter");
    panel->OnMouseLeave = log(" leave");
  }
  std::string Name(TObject* s) { return s == label ? "label" : s == panel ? "panel" : "?"; }
  // Moves the cursor to a client point of the panel and tells the panel.
  void MoveTo(int x, int y) {
    POINT screen{x, y};
    ClientToScreen(panel->Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  }

  std::vector<std::string> events;
};

TEST_F(MouseEnterLeave, MovingOverAGraphicChildEntersItAndLeavesTheParent) {
  MoveTo(50, 150);
  EXPECT_EQ(events, (std::vector<std::string>{"panel enter"}));
  MoveTo(110, 110);
  EXPECT_EQ(events, (std::vector<std::string>{"panel enter", "panel leave", "label enter"}));
  EXPECT_EQ(MouseControl(), label);
  MoveTo(120, 112);  // still on the label: nothing new
  EXPECT_EQ(events.size(), 3u);
  MoveTo(250, 150);
  EXPECT_EQ(events.back(), "panel enter");
  EXPECT_EQ(events[3], "label leave");
}

TEST_F(MouseEnterLeave, ParentHearsOfTheChildEnteredWithTheChildInLParam) {
  TMessageSpy spy(panel);
  std::vector<LPARAM> enterParams;
  TWndMethod inner = panel->WindowProc;
  panel->WindowProc = [&](TMessage& m) {
    if (m.Msg == CM_MOUSEENTER)
      enterParams.push_back(m.LParam);
    inner(m);
  };
  MoveTo(110, 110);
  ASSERT_FALSE(enterParams.empty());
  EXPECT_EQ(enterParams.back(), reinterpret_cast<LPARAM>(label));
  panel->WindowProc = inner;
}

TEST_F(MouseEnterLeave, LeavingTheWindowLeavesTheControl) {
  MoveTo(50, 150);
  ASSERT_EQ(MouseControl(), panel);
  SetCursorPos(5, 5);  // outside the host
  EXPECT_TRUE(PumpUntil([&] { return MouseControl() == nullptr; }));
  EXPECT_EQ(events.back(), "panel leave");
}

TEST_F(MouseEnterLeave, FreedMouseControlIsForgotten) {
  MoveTo(110, 110);
  ASSERT_EQ(MouseControl(), label);
  label->Free();
  label = nullptr;
  EXPECT_EQ(MouseControl(), nullptr);
}

TEST_F(MessageRouting, MouseCaptureKeepsMessagesGoingToTheGraphicChild) {
  int downs = 0, ups = 0, moves = 0, clicks = 0;
  label->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  std::vector<POINT> upAt;
  label->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    ++ups;
    upAt.push_back(POINT{x, y});
  };
  label->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };
  label->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 110));
  EXPECT_EQ(CaptureControl(), label);
  EXPECT_EQ(GetCapture(), panel->Handle());
  SendMessageW(panel->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(190, 20));
  SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(190, 20));
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(ups, 1);
  ASSERT_EQ(upAt.size(), 1u);
  EXPECT_EQ(upAt[0].x, 190 - 100);  // relative to the label, though outside it
  EXPECT_EQ(upAt[0].y, 20 - 100);
  EXPECT_EQ(clicks, 0);  // released outside the label
  EXPECT_EQ(CaptureControl(), nullptr);

  SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 110));
  SendMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(111, 111));
  EXPECT_EQ(clicks, 1);
}

TEST_F(MessageRouting, ExceptionInAHandlerGoesToTheApplicationHandler) {
  static TObject* reported = nullptr;
  static std::string message;
  auto saved = ApplicationHandleException;
  ApplicationHandleException = [](TObject* sender) {
    reported = sender;
    try {
      throw;
    } catch (const Exception& e) {
      message = e.Message;
    }
  };
  panel->OnResize = [](TObject*) { throw EConvertError("kötü değer"); };
  SetWindowPos(panel->Handle(), nullptr, 0, 0, 120, 80, SWP_NOZORDER | SWP_NOMOVE);
  ApplicationHandleException = saved;
  EXPECT_EQ(reported, panel);
  EXPECT_EQ(message, "kötü değer");
}

}  // namespace
