// Properties of the controls: published tables, change notifications,
// parent-inherited values, text, the window's life.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "classlib/classes/typinfo.h"
#include "controls_test_util.h"

using namespace controls_test;

namespace {

TEST(PublishedProperties, EachControlPublishesWhatItShows) {
  struct Case {
    TClass cls;
    std::vector<const char*> names;
  } cases[] = {
      {TControl::StaticClass(), {"Left", "Top", "Width", "Height", "Cursor", "Hint", "HelpContext", "Name", "Tag"}},
      {TPanel::StaticClass(),
       {"Align", "Alignment", "Anchors", "BevelInner", "BevelOuter", "BevelWidth", "BorderStyle", "BorderWidth",
        "Caption", "Color", "Constraints", "Font", "ParentColor", "ParentFont", "PopupMenu", "ShowHint", "TabOrder",
        "Visible", "OnClick", "OnResize", "OnMouseEnter"}},
      {TButton::StaticClass(), {"Action", "Caption", "Cancel", "Default", "ModalResult", "TabStop", "OnClick"}},
      {TEdit::StaticClass(), {"Text", "ReadOnly", "MaxLength", "OnChange", "OnKeyPress", "OnEnter", "OnExit"}},
      {TLabel::StaticClass(),
       {"Caption", "AutoSize", "WordWrap", "Alignment", "Transparent", "FocusControl", "ShowAccelChar"}},
  };
  for (const Case& c : cases)
    for (const char* name : c.names)
      EXPECT_TRUE(IsPublishedProp(c.cls, name)) << c.cls->Name << "." << name;
  EXPECT_FALSE(IsPublishedProp(TLabel::StaticClass(), "Text"));
  EXPECT_FALSE(IsPublishedProp(TEdit::StaticClass(), "Caption"));
  EXPECT_EQ(PropType(TPanel::StaticClass(), "Caption"), tkLString);
}

TEST(PublishedProperties, EnumerationsAndSetsGoByName) {
  TPanel panel(nullptr);
  SetEnumProp(&panel, "Align", "alRight");
  EXPECT_EQ(panel.Align(), alRight);
  SetSetProp(&panel, "Anchors", "[akLeft,akBottom]");
  EXPECT_EQ(panel.Anchors(), (TAnchors{akLeft, akBottom}));
  EXPECT_EQ(GetEnumProp(&panel, "BevelOuter"), "bvRaised");
  SetStrProp(&panel, "Caption", "Başlık");
  EXPECT_EQ(panel.Caption(), "Başlık");
}

TEST(ClassNames, AreTheDeclaredNamesAndFollowTheAncestry) {
  TPanel panel(nullptr);
  TButton button(nullptr);
  TEdit edit(nullptr);
  TLabel label(nullptr);
  EXPECT_EQ(panel.ClassName(), "TPanel");
  EXPECT_EQ(button.ClassName(), "TButton");
  EXPECT_EQ(edit.ClassName(), "TEdit");
  EXPECT_EQ(label.ClassName(), "TLabel");
  EXPECT_TRUE(label.InheritsFrom(TGraphicControl::StaticClass()));
  EXPECT_TRUE(panel.InheritsFrom(TCustomControl::StaticClass()));
  EXPECT_TRUE(edit.InheritsFrom(TCustomEdit::StaticClass()));
}

// Every setter announces its change with the platform's CM_ message.
TEST(ChangeNotifications, SettersSendTheirMessages) {
  struct Case {
    const char* what;
    UINT msg;
    std::function<void(TControl&)> change;
  } cases[] = {
      {"text", CM_TEXTCHANGED, [](TControl& c) { c.SetCaption("x"); }},
      {"color", CM_COLORCHANGED, [](TControl& c) { c.SetColor(clRed); }},
      {"font", CM_FONTCHANGED, [](TControl& c) { c.Font()->SetSize(14); }},
      {"enabled", CM_ENABLEDCHANGED, [](TControl& c) { c.SetEnabled(false); }},
      {"visible", CM_VISIBLECHANGED, [](TControl& c) { c.SetVisible(false); }},
      {"cursor", CM_CURSORCHANGED, [](TControl& c) { c.SetCursor(crHandPoint); }},
      {"bidi", CM_BIDIMODECHANGED, [](TControl& c) { c.SetBiDiMode(bdRightToLeft); }},
      {"showhint", CM_SHOWHINTCHANGED, [](TControl& c) { c.SetShowHint(true); }},
  };
  for (const Case& c : cases) {
    TLabel label(nullptr);
    std::vector<UINT> seen;
    TWndMethod inner = label.WindowProc;
    label.WindowProc = [&](TMessage& m) {
      seen.push_back(m.Msg);
      inner(m);
    };
    c.change(label);
    EXPECT_NE(std::find(seen.begin(), seen.end(), c.msg), seen.end()) << c.what;
    seen.clear();
    c.change(label);  // the same value again: no news
    EXPECT_EQ(std::find(seen.begin(), seen.end(), c.msg), seen.end()) << c.what;
  }
}

TEST(ChangeNotifications, MessageNumbersAreThePlatformsValues) {
  EXPECT_EQ(CM_ACTIVATE, 0xB000u);
  EXPECT_EQ(CM_FOCUSCHANGED, 0xB007u);
  EXPECT_EQ(CM_VISIBLECHANGED, 0xB00Bu);
  EXPECT_EQ(CM_ENABLEDCHANGED, 0xB00Cu);
  EXPECT_EQ(CM_FONTCHANGED, 0xB00Eu);
  EXPECT_EQ(CM_TEXTCHANGED, 0xB012u);
  EXPECT_EQ(CM_MOUSEENTER, 0xB013u);
  EXPECT_EQ(CM_MOUSELEAVE, 0xB014u);
  EXPECT_EQ(CM_MENUCHANGED, 0xB015u);
  EXPECT_EQ(CM_DESIGNHITTEST, 0xB01Cu);
  EXPECT_EQ(CM_UIACTIVATE, 0xB029u);
  EXPECT_EQ(CM_CONTROLLISTCHANGE, 0xB02Cu);
  EXPECT_EQ(CM_RECREATEWND, 0xB033u);
  EXPECT_EQ(CM_INVALIDATE, 0xB034u);
  EXPECT_EQ(CM_FLOAT, 0xB03Au);
  EXPECT_EQ(CM_MOUSEWHEEL, 0xB043u);
  EXPECT_EQ(CM_CONTROLLISTCHANGING, 0xB04Cu);
  EXPECT_EQ(CN_COMMAND, 0xBD11u);
  EXPECT_EQ(CN_NOTIFY, 0xBC4Eu);
  EXPECT_EQ(CN_DRAWITEM, 0xBC2Bu);
  EXPECT_EQ(CN_KEYDOWN, 0xBD00u);
  EXPECT_EQ(CN_CHAR, 0xBD02u);
}

TEST(ParentValues, FontAndColorFollowTheParentUntilSetOwn) {
  TPanel parent(nullptr);
  TLabel label(nullptr);
  label.SetParent(&parent);
  parent.Font()->SetName("Arial");
  parent.SetColor(clTeal);
  EXPECT_EQ(label.Font()->Name(), "Arial");
  EXPECT_EQ(label.Color(), clTeal);
  EXPECT_TRUE(label.ParentFont());
  EXPECT_TRUE(label.ParentColor());

  label.Font()->SetName("Tahoma");
  label.SetColor(clYellow);
  EXPECT_FALSE(label.ParentFont());
  EXPECT_FALSE(label.ParentColor());
  parent.Font()->SetName("Courier New");
  parent.SetColor(clNavy);
  EXPECT_EQ(label.Font()->Name(), "Tahoma");
  EXPECT_EQ(label.Color(), clYellow);

  label.SetParentFont(true);
  label.SetParentColor(true);
  EXPECT_EQ(label.Font()->Name(), "Courier New");
  EXPECT_EQ(label.Color(), clNavy);
  label.SetParent(nullptr);
}

TEST(ParentValues, ShowHintAndBiDiModeFollowTheParent) {
  TPanel parent(nullptr);
  TLabel label(nullptr);
  label.SetParent(&parent);
  parent.SetShowHint(true);
  parent.SetBiDiMode(bdRightToLeft);
  EXPECT_TRUE(label.ShowHint());
  EXPECT_EQ(label.BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(label.ParentShowHint());
  EXPECT_TRUE(label.ParentBiDiMode());
  label.SetParent(nullptr);
}

TEST(BiDiMode, DrawTextFlagsMirrorForRightToLeft) {
  struct Case {
    TBiDiMode mode;
    int flags, expected;
  } cases[] = {
      {bdLeftToRight, DT_LEFT, DT_LEFT},
      {bdLeftToRight, DT_RIGHT, DT_RIGHT},
      {bdRightToLeft, DT_LEFT, DT_RIGHT | DT_RTLREADING},
      {bdRightToLeft, DT_RIGHT, DT_LEFT | DT_RTLREADING},
      {bdRightToLeft, DT_CENTER, DT_CENTER | DT_RTLREADING},
      {bdRightToLeftReadingOnly, DT_LEFT, DT_LEFT | DT_RTLREADING},
      {bdRightToLeftNoAlign, DT_RIGHT, DT_RIGHT | DT_RTLREADING},
  };
  for (const Case& c : cases) {
    TLabel label(nullptr);
    label.SetBiDiMode(c.mode);
    EXPECT_EQ(label.DrawTextBiDiModeFlags(c.flags), c.expected) << c.mode << " " << c.flags;
  }
}

TEST(Text, NameBecomesTheCaptionWhileTheyAgree) {
  TPanel panel(nullptr);
  panel.SetName("Panel1");
  EXPECT_EQ(panel.Caption(), "Panel1");
  panel.SetName("Panel2");
  EXPECT_EQ(panel.Caption(), "Panel2");
  panel.SetCaption("Başka");
  panel.SetName("Panel3");
  EXPECT_EQ(panel.Caption(), "Başka");
  TEdit edit(nullptr);  // an edit's text is not a caption
  edit.SetName("Edit1");
  EXPECT_EQ(edit.Text(), "Edit1");
}

TEST(Text, TurkishTextSurvivesTheWindowAndItsRecreation) {
  ShownHost shown;
  auto* edit = new TEdit(shown.host);
  edit->SetParent(shown.host);
  const AnsiString text = "Şişli Çarşı ğüö İı";
  edit->SetText(text);
  shown.Show();
  ASSERT_TRUE(edit->HandleAllocated());
  wchar_t buffer[64];
  GetWindowTextW(edit->Handle(), buffer, 64);
  EXPECT_EQ(std::wstring(buffer), L"Şişli Çarşı ğüö İı");
  edit->SetMaxLength(5);
  edit->SetReadOnly(true);
  HWND before = edit->Handle();
  edit->SetBorderStyle(bsNone);  // needs a new window
  EXPECT_NE(edit->Handle(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(edit->Text(), text);
  EXPECT_EQ(SendMessageW(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
  EXPECT_NE(GetWindowLongPtrW(edit->Handle(), GWL_STYLE) & ES_READONLY, 0);
}

TEST(EditChange, FiresForCodeAndForTyping) {
  ShownHost shown;
  auto* edit = new TEdit(shown.host);
  edit->SetParent(shown.host);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText("a");  // no window yet
  EXPECT_EQ(changes, 1);
  shown.Show();
  EXPECT_EQ(changes, 1);  // making the window is no change
  edit->SetText("ab");
  EXPECT_EQ(changes, 2);
  edit->SetSelStart(2);
  SendMessageW(edit->Handle(), WM_CHAR, L'c', 1);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_TRUE(edit->Modified());
  edit->SetSelStart(1);
  edit->SetSelLength(1);
  EXPECT_EQ(edit->SelText(), "b");
  edit->SetSelText("XY");
  EXPECT_EQ(edit->Text(), "aXYc");
}

// An owner that checks, when told a component is removed, whether that
// component's window is already gone.
class TWindowWitness : public TComponent {
public:
  explicit TWindowWitness(TComponent* AOwner) : TComponent(AOwner) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    if (Operation == opRemove && AComponent == watched) {
      told = true;
      windowAlive = IsWindow(watchedWindow) != FALSE;
      handleAllocated = watched->HandleAllocated();
    }
    TComponent::Notification(AComponent, Operation);
  }
  TWinControl* watched = nullptr;
  HWND watchedWindow = nullptr;
  bool told = false, windowAlive = true, handleAllocated = true;
};

TEST(WindowLife, DyingControlLosesItsWindowBeforeItsOwnerIsTold) {
  ShownHost shown;
  TWindowWitness owner(nullptr);
  auto* panel = new TPanel(&owner);
  panel->SetParent(shown.host);
  auto* child = new TButton(&owner);
  child->SetParent(panel);
  shown.Show();
  HWND childWindow = child->Handle();
  owner.watched = panel;
  owner.watchedWindow = panel->Handle();
  panel->Free();
  EXPECT_TRUE(owner.told);
  EXPECT_FALSE(owner.windowAlive);
  EXPECT_FALSE(owner.handleAllocated);
  EXPECT_FALSE(IsWindow(childWindow));  // the parented child went with it
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(WindowLife, WindowsAreMadeOnDemandAndWhenShown) {
  ShownHost shown;
  auto* panel = new TPanel(shown.host);
  panel->SetParent(shown.host);
  auto* hidden = new TPanel(shown.host);
  hidden->SetParent(shown.host);
  hidden->Hide();
  EXPECT_FALSE(panel->HandleAllocated());
  shown.Show();
  EXPECT_TRUE(panel->HandleAllocated());
  EXPECT_TRUE(panel->Showing());
  EXPECT_FALSE(hidden->HandleAllocated());  // not shown, not made
  EXPECT_NE(hidden->Handle(), nullptr);     // until asked for
  EXPECT_FALSE(hidden->Showing());
  EXPECT_EQ(FindControl(panel->Handle()), panel);
  wchar_t className[64];
  GetClassNameW(panel->Handle(), className, 64);
  EXPECT_EQ(std::wstring(className), L"TPanel");
  EXPECT_EQ(GetParent(panel->Handle()), shown.host->Handle());
}

TEST(WindowLife, ControlWithoutParentWindowCannotMakeOne) {
  TPanel panel(nullptr);
  panel.SetName("Orphan");
  try {
    panel.HandleNeeded();
    FAIL() << "no exception";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message, "Control 'Orphan' has no parent window");
  }
}

TEST(WindowLife, StandardClassesAreSuperclassedUnderTheControlsName) {
  ShownHost shown;
  auto* button = new TButton(shown.host);
  button->SetParent(shown.host);
  button->SetCaption("&Tamam");
  shown.Show();
  wchar_t className[64];
  GetClassNameW(button->Handle(), className, 64);
  EXPECT_EQ(std::wstring(className), L"TButton");
  EXPECT_NE(button->DefWndProc(), nullptr);
  EXPECT_NE(button->DefWndProc(), reinterpret_cast<WNDPROC>(DefWindowProcW));
  // The system's button answers its own messages through DefaultHandler.
  EXPECT_EQ(SendMessageW(button->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_BUTTON, DLGC_BUTTON);
  EXPECT_EQ(button->Caption(), "&Tamam");
}

TEST(WindowLife, CreateParentedLivesInAForeignWindow) {
  ShownHost shown;
  shown.Show();
  TWinControl* embedded = TWinControl::CreateParented(shown.host->Handle());
  embedded->SetBounds(5, 6, 50, 40);
  embedded->HandleNeeded();
  EXPECT_EQ(GetParent(embedded->Handle()), shown.host->Handle());
  EXPECT_EQ(embedded->Parent(), nullptr);
  RECT r;
  GetWindowRect(embedded->Handle(), &r);
  MapWindowPoints(nullptr, shown.host->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.bottom - r.top, 40);
  embedded->Free();
}

}  // namespace
