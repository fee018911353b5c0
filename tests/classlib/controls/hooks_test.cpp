// What later units plug into the controls: popup menus, actions, the mouse
// wheel path, and component streaming of a control tree.
#include <gtest/gtest.h>

#include <string>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "controls_test_util.h"

using namespace controls_test;

// Stand-ins carrying the class names of the menus and actions units.
namespace fake {
class TPopupMenu : public TComponent {
  DECLARE_CLASS(TPopupMenu, TComponent)

public:
  explicit TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}
};
IMPLEMENT_CLASS(TPopupMenu)

class TBasicAction : public TComponent {
  DECLARE_CLASS(TBasicAction, TComponent)

public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  int executed = 0;
};
IMPLEMENT_CLASS(TBasicAction)
}  // namespace fake

namespace {

class Hooks : public ::testing::Test {
protected:
  void SetUp() override {
    panel = new TPanel(shown.host);
    panel->SetParent(shown.host);
    panel->SetBounds(10, 10, 200, 150);
    label = new TLabel(shown.host);
    label->SetParent(panel);
    label->SetBounds(20, 20, 60, 20);
    shown.Show();
  }
  ShownHost shown;
  TPanel* panel;
  TLabel* label;
};

TEST_F(Hooks, PopupMenuTakesOnlyPopupMenusAndForgetsAFreedOne) {
  auto* menu = new fake::TPopupMenu(nullptr);
  panel->SetPopupMenuComponent(menu);
  EXPECT_EQ(panel->PopupMenuComponent(), menu);
  EXPECT_EQ(GetObjectProp(panel, "PopupMenu"), menu);
  TComponent other(nullptr);
  EXPECT_THROW(panel->SetPopupMenuComponent(&other), EInvalidCast);
  menu->Free();
  EXPECT_EQ(panel->PopupMenuComponent(), nullptr);
}

TEST_F(Hooks, ContextMenuPopsUpTheMenuOfTheControlUnderTheMouse) {
  static TComponent* shownMenu = nullptr;
  static TControl* shownFor = nullptr;
  static TPoint shownAt{};
  auto saved = PopupMenuHook;
  PopupMenuHook = [](TComponent* menu, TControl* control, TPoint at) {
    shownMenu = menu;
    shownFor = control;
    shownAt = at;
    return true;
  };
  fake::TPopupMenu labelMenu(nullptr), panelMenu(nullptr);
  label->SetPopupMenuComponent(&labelMenu);
  panel->SetPopupMenuComponent(&panelMenu);
  POINT onLabel{30, 25};
  ClientToScreen(panel->Handle(), &onLabel);
  SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()),
               MAKELPARAM(onLabel.x, onLabel.y));
  EXPECT_EQ(shownMenu, &labelMenu);
  EXPECT_EQ(shownFor, label);
  EXPECT_EQ(shownAt.x, onLabel.x);
  POINT offLabel{150, 100};
  ClientToScreen(panel->Handle(), &offLabel);
  SendMessageW(panel->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(panel->Handle()),
               MAKELPARAM(offLabel.x, offLabel.y));
  EXPECT_EQ(shownMenu, &panelMenu);
  EXPECT_EQ(shownFor, panel);
  label->SetPopupMenuComponent(nullptr);
  panel->SetPopupMenuComponent(nullptr);
  PopupMenuHook = saved;
}

// A link that runs the action in place of OnClick.
class TTestLink : public TControlActionLink {
public:
  explicit TTestLink(fake::TBasicAction* action) : action_(action) {}
  bool Execute(TControl*) override {
    ++action_->executed;
    return true;
  }

private:
  fake::TBasicAction* action_;
};

TEST_F(Hooks, ClickRunsTheActionThroughItsLink) {
  auto saved = ControlActionLinkFactory;
  ControlActionLinkFactory = [](TControl*, TComponent* action) -> std::unique_ptr<TControlActionLink> {
    return std::make_unique<TTestLink>(static_cast<fake::TBasicAction*>(action));
  };
  auto* action = new fake::TBasicAction(nullptr);
  int clicks = 0;
  label->OnClick = [&](TObject*) { ++clicks; };
  label->SetActionComponent(action);
  label->Click();
  EXPECT_EQ(action->executed, 1);
  EXPECT_EQ(clicks, 0);
  EXPECT_THROW(label->SetActionComponent(panel), EInvalidCast);
  action->Free();  // the control lets go of it and clicks itself again
  EXPECT_EQ(label->ActionComponent(), nullptr);
  EXPECT_EQ(label->ActionLink(), nullptr);
  label->Click();
  EXPECT_EQ(clicks, 1);
  ControlActionLinkFactory = saved;
}

TEST_F(Hooks, MouseWheelBubblesUpToTheFirstControlThatTakesIt) {
  auto* edit = new TEdit(shown.host);
  edit->SetParent(panel);
  int seenDelta = 0;
  TShiftState seenShift;
  shown.host->OnMouseWheel = [&](TObject*, TShiftState shift, int delta, TPoint, bool& handled) {
    seenDelta = delta;
    seenShift = shift;
    handled = true;
  };
  SendMessageW(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-240)), MAKELPARAM(50, 60));
  EXPECT_EQ(seenDelta, -240);
  EXPECT_TRUE(seenShift.Contains(ssCtrl));
  bool panelTook = false;
  panel->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& handled) { handled = panelTook = true; };
  seenDelta = 0;
  SendMessageW(edit->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_TRUE(panelTook);
  EXPECT_EQ(seenDelta, 0);
}

TEST_F(Hooks, DoubleBufferedPanelPaintsItsChildrenToo) {
  panel->SetDoubleBuffered(true);
  label->SetColor(clLime);
  label->SetTransparent(false);
  RedrawWindow(panel->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(panel->Handle());
  COLORREF onLabel = GetPixel(dc, 21, 38);
  COLORREF body = GetPixel(dc, 150, 120);
  ReleaseDC(panel->Handle(), dc);
  EXPECT_EQ(onLabel, static_cast<COLORREF>(clLime));
  EXPECT_EQ(body, static_cast<COLORREF>(ColorToRGB(clBtnFace)));
}

TEST_F(Hooks, CursorOfTheControlUnderTheMouseIsAskedFor) {
  static TCursor asked = 12345;
  auto saved = CursorHandleHook;
  CursorHandleHook = [](TCursor cursor) {
    asked = cursor;
    return StandardCursorHandle(cursor);
  };
  label->SetCursor(crHandPoint);
  POINT onLabel{30, 25};
  ClientToScreen(panel->Handle(), &onLabel);
  SetCursorPos(onLabel.x, onLabel.y);
  LRESULT set = SendMessageW(panel->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel->Handle()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  CursorHandleHook = saved;
  EXPECT_EQ(asked, crHandPoint);
  EXPECT_EQ(set, TRUE);
  EXPECT_NE(StandardCursorHandle(crHandPoint), nullptr);
  EXPECT_EQ(StandardCursorHandle(crDefault), nullptr);
}

// The control tree streams as the platform's nested objects and reads back.
TEST(Streaming, ControlTreeRoundTrips) {
  RegisterClasses({THostWindow::StaticClass(), TPanel::StaticClass(), TButton::StaticClass(),
                   TEdit::StaticClass(), TLabel::StaticClass()});
  TMemoryStream binary;
  {
    THostWindow host(nullptr);
    host.SetName("Host");
    auto* panel = new TPanel(&host);
    panel->SetName("Panel1");
    panel->SetParent(&host);
    panel->SetAlign(alTop);
    panel->Font()->SetName("Arial");
    panel->SetColor(clWindow);
    panel->SetCursor(crHandPoint);
    auto* label = new TLabel(&host);
    label->SetName("Label1");
    label->SetParent(panel);
    auto* button = new TButton(&host);
    button->SetName("Button1");
    button->SetParent(panel);
    button->SetCaption("&Kaydet");
    button->SetModalResult(mrOk);
    auto* edit = new TEdit(&host);
    edit->SetName("Edit1");
    edit->SetParent(&host);
    edit->SetBounds(8, 60, 150, 21);
    edit->SetTabOrder(0);
    TWriter writer(binary);
    writer.WriteRootComponent(&host);
  }
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  std::string dump(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
  EXPECT_NE(dump.find("object Panel1: TPanel"), std::string::npos) << dump;
  EXPECT_NE(dump.find("    object Button1: TButton"), std::string::npos) << dump;  // nested in the panel
  EXPECT_NE(dump.find("Align = alTop"), std::string::npos) << dump;
  EXPECT_NE(dump.find("ModalResult = 1"), std::string::npos) << dump;
  // Colours and cursors travel by name, as layouts from elsewhere hold them.
  EXPECT_NE(dump.find("Color = clWindow\r\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("Cursor = crHandPoint"), std::string::npos) << dump;

  binary.SetPosition(0);
  THostWindow copy(nullptr);
  {
    TReader reader(binary);
    reader.ReadRootComponent(&copy);
  }
  auto* panel = dynamic_cast<TPanel*>(copy.FindComponent("Panel1"));
  auto* button = dynamic_cast<TButton*>(copy.FindComponent("Button1"));
  auto* edit = dynamic_cast<TEdit*>(copy.FindComponent("Edit1"));
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(button, nullptr);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(panel->Parent(), &copy);
  EXPECT_EQ(button->Parent(), panel);
  EXPECT_EQ(edit->Parent(), &copy);
  EXPECT_EQ(button->Caption(), "&Kaydet");
  EXPECT_EQ(button->ModalResult(), mrOk);
  EXPECT_EQ(panel->Align(), alTop);
  EXPECT_EQ(panel->Color(), clWindow);
  EXPECT_EQ(panel->Cursor(), crHandPoint);
  EXPECT_EQ(panel->Width(), copy.Width());
  EXPECT_EQ(BoundsText(edit), "8,60,150,21");
  EXPECT_EQ(edit->TabOrder(), 0);
  EXPECT_EQ(panel->TabOrder(), 1);
  auto* label = dynamic_cast<TLabel*>(copy.FindComponent("Label1"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Font()->Name(), "Arial");  // taken from the panel it was read into
  EXPECT_TRUE(label->ParentFont());
}

}  // namespace
