#include "classlib/forms/forms.h"

#include <gtest/gtest.h>

#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/menus.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/forms/screen.h"
#include "classlib/graphics/icon.h"
#include "forms_test_util.h"

namespace {

using forms_test::KeyData;
using forms_test::ModalWatchdog;
using forms_test::Owned;
using forms_test::PumpUntil;

// ---- Window styles ------------------------------------------------------------------------
struct StyleCase {
  TFormBorderStyle border;
  TBorderIcons icons;
  DWORD style;
  DWORD exStyle;
};

TEST(FormWindowStyleTest, BorderStylesAndIconsMapToThePlatformsStyles) {
  const TBorderIcons all{biSystemMenu, biMinimize, biMaximize};
  const StyleCase cases[] = {
      {bsSizeable, all, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
      {bsSingle, all, WS_CAPTION | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
      {bsSingle, TBorderIcons{biSystemMenu}, WS_CAPTION | WS_BORDER | WS_SYSMENU, 0},
      {bsNone, all, WS_POPUP, 0},
      {bsDialog, all, WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_SYSMENU, WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE},
      {bsToolWindow, all, WS_CAPTION | WS_BORDER | WS_SYSMENU, WS_EX_TOOLWINDOW},
      {bsSizeToolWin, all, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, WS_EX_TOOLWINDOW},
      {bsDialog, TBorderIcons{biSystemMenu, biHelp}, WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_SYSMENU,
       WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTEXTHELP},
  };
  for (const StyleCase& c : cases) {
    const TFormWindowStyle s = FormWindowStyle(c.border, c.icons, fsNormal, wsNormal);
    EXPECT_EQ(s.Style, c.style) << "border style " << c.border;
    EXPECT_EQ(s.ExStyle, c.exStyle) << "border style " << c.border;
  }
  EXPECT_TRUE(FormWindowStyle(bsSizeable, all, fsStayOnTop, wsNormal).ExStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(FormWindowStyle(bsSizeable, all, fsNormal, wsMaximized).Style & WS_MAXIMIZE);
}

// ---- A form with an edit and OK/Cancel buttons -----------------------------------------------
class FormTest : public ::testing::Test {
protected:
  FormTest() {
    form->SetCaption("Deneme");
    form->SetBounds(50, 50, 300, 200);
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 150, 21);
    ok->SetParent(form.get());
    ok->SetBounds(10, 100, 75, 25);
    ok->SetCaption("OK");
    ok->SetModalResult(mrOk);
    ok->SetDefault(true);
    cancel->SetParent(form.get());
    cancel->SetBounds(100, 100, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->SetModalResult(mrCancel);
    cancel->SetCancel(true);
    form->SetActiveControl(edit);
  }
  ~FormTest() override { Application->OnException = nullptr; }

  // Shows the form modally after posting the given messages.
  TModalResult ShowModalAfter(std::initializer_list<MSG> posted) {
    ModalWatchdog watchdog(*form);
    for (const MSG& m : posted)
      PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
    return form->ShowModal();
  }
  MSG Click(TButton* button) { return MSG{button->Handle(), BM_CLICK, 0, 0, 0, {}}; }
  MSG Key(TWinControl* target, WORD key) { return MSG{target->Handle(), WM_KEYDOWN, key, KeyData(key), 0, {}}; }

  Owned<TForm> form{new TForm(nullptr)};
  TEdit* edit = new TEdit(form.get());
  TButton* ok = new TButton(form.get());
  TButton* cancel = new TButton(form.get());
};

TEST_F(FormTest, TheWindowIsOwnedByTheApplicationAndNamedAfterTheClass) {
  HWND wnd = form->Handle();
  wchar_t className[64] = {};
  GetClassNameW(wnd, className, 64);
  EXPECT_STREQ(className, L"TForm");
  EXPECT_EQ(GetWindow(wnd, GW_OWNER), Application->Handle());
  wchar_t appClass[64] = {};
  GetClassNameW(Application->Handle(), appClass, 64);
  EXPECT_STREQ(appClass, L"TApplication");
  EXPECT_FALSE(IsWindowVisible(wnd)) << "a form starts hidden";
}

TEST_F(FormTest, ShowModalReturnsTheResultOfTheClickedButton) {
  int shows = 0, hides = 0;
  form->OnShow = [&](TObject*) { ++shows; };
  form->OnHide = [&](TObject*) { ++hides; };
  EXPECT_EQ(ShowModalAfter({Click(ok)}), mrOk);
  EXPECT_EQ(ShowModalAfter({Click(cancel)}), mrCancel);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(form->FormState().Contains(fsModal));
  EXPECT_EQ(shows, 2);
  EXPECT_EQ(hides, 2);
}

TEST_F(FormTest, OtherWindowsAreDisabledWhileModal) {
  Owned<TForm> other{new TForm(nullptr)};
  other->Show();
  bool otherEnabled = true;
  ok->OnClick = [&](TObject*) { otherEnabled = IsWindowEnabled(other->Handle()) != FALSE; };
  EXPECT_EQ(ShowModalAfter({Click(ok)}), mrOk);
  EXPECT_FALSE(otherEnabled);
  EXPECT_TRUE(IsWindowEnabled(other->Handle())) << "enabled again afterwards";
}

TEST_F(FormTest, OnCloseQueryCanRefuse) {
  int queries = 0;
  form->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };
  EXPECT_EQ(ShowModalAfter({Click(ok), Click(cancel)}), mrCancel) << "the first close was refused";
  EXPECT_EQ(queries, 2);

  queries = 0;
  form->Show();
  form->Close();
  EXPECT_TRUE(form->Visible()) << "refused";
  form->Close();
  EXPECT_FALSE(form->Visible());
}

TEST_F(FormTest, OnCloseDecidesWhatClosingDoes) {
  form->Show();
  form->OnClose = [](TObject*, TCloseAction& action) { action = caNone; };
  form->Close();
  EXPECT_TRUE(form->Visible());
  form->OnClose = [](TObject*, TCloseAction& action) { action = caMinimize; };
  form->Close();
  EXPECT_EQ(form->WindowState(), wsMinimized);
  EXPECT_TRUE(IsIconic(form->Handle()));
}

TEST(FormFreeTest, CaFreeFreesTheFormAfterTheMessage) {
  auto* form = new TForm(nullptr);
  bool destroyed = false;
  form->OnDestroy = [&](TObject*) { destroyed = true; };
  form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  const int before = Screen->FormCount();
  form->Show();
  form->Close();
  EXPECT_FALSE(destroyed) << "not while its own code runs";
  EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
  EXPECT_EQ(Screen->FormCount(), before - 1);
}

TEST_F(FormTest, AnExceptionInAHandlerReachesOnExceptionAndTheLoopGoesOn) {
  std::vector<AnsiString> seen;
  Application->OnException = [&](TObject* sender, Exception* e) { seen.push_back(e->Message); };
  int throws = 0;
  cancel->SetModalResult(mrNone);
  cancel->OnClick = [&](TObject*) {
    ++throws;
    throw EConvertError("'x' is not a valid integer value");
  };
  EXPECT_EQ(ShowModalAfter({Click(cancel), Click(cancel), Click(ok)}), mrOk);
  EXPECT_EQ(throws, 2);
  EXPECT_EQ(seen, (std::vector<AnsiString>{"'x' is not a valid integer value", "'x' is not a valid integer value"}));
}

TEST_F(FormTest, TheStandardExceptionBoxShowsWhenNoHandlerIsSet) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerButton(IDOK);
  ok->OnClick = [](TObject*) { throw Exception("Dosya açılamadı"); };
  form->Show();
  PostMessageW(ok->Handle(), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !dialogs.Records().empty(); }));
  const TDialogRecord& r = dialogs.Records()[0];
  EXPECT_EQ(r.Kind, TDialogKind::MessageBox);
  EXPECT_EQ(r.Text, "Dosya açılamadı.") << "the box ends the message with a full stop";
  EXPECT_EQ(r.Caption, Application->Title());
  EXPECT_EQ(r.Flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
}

TEST_F(FormTest, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
  EXPECT_EQ(ShowModalAfter({Key(edit, VK_RETURN)}), mrOk);
  EXPECT_EQ(ShowModalAfter({Key(edit, VK_ESCAPE)}), mrCancel);
}

TEST_F(FormTest, EscClosesAModalFormThroughAnAction) {
  cancel->SetCancel(false);
  auto* list = new TActionList(form.get());
  auto* close = new TAction(form.get());
  close->SetActionList(list);
  close->SetShortCut(VK_ESCAPE);
  close->OnExecute = [&](TObject*) { form->Close(); };
  EXPECT_EQ(ShowModalAfter({Key(edit, VK_ESCAPE)}), mrCancel);
}

TEST_F(FormTest, ActionShortcutsAreDispatchedThroughTheForm) {
  auto* list = new TActionList(form.get());
  std::vector<AnsiString> run;
  for (const char* text : {"F3", "Alt+F2"}) {
    auto* action = new TAction(form.get());
    action->SetActionList(list);
    action->SetShortCut(TextToShortCut(text));
    action->OnExecute = [&run, text](TObject*) { run.push_back(text); };
  }
  form->Show();
  PostMessageW(edit->Handle(), WM_KEYDOWN, VK_F3, KeyData(VK_F3));
  PostMessageW(edit->Handle(), WM_SYSKEYDOWN, VK_F2, KeyData(VK_F2, true));
  PostMessageW(edit->Handle(), WM_KEYDOWN, VK_F4, KeyData(VK_F4));
  ASSERT_TRUE(PumpUntil([&] { return run.size() >= 2; }));
  EXPECT_EQ(run, (std::vector<AnsiString>{"F3", "Alt+F2"}));
}

// A key taken as a shortcut with Alt held is a key pressed with Alt, so
// letting Alt go does not leave the menu bar active (whichever key is let
// go first); Alt pressed and let go alone still activates it.
TEST_F(FormTest, AnAltShortcutLeavesTheMenuBarAlone) {
  auto* menu = new TMainMenu(form.get());
  auto* file = new TMenuItem(form.get());
  file->SetCaption("&Dosya");
  menu->Items()->Add(file);
  form->SetMenu(menu);
  auto* list = new TActionList(form.get());
  auto* save = new TAction(form.get());
  save->SetActionList(list);
  save->SetShortCut(TextToShortCut("Alt+F2"));
  int saves = 0;
  save->OnExecute = [&](TObject*) { ++saves; };
  // The menu bar's activation is counted, not run: its loop would wait for
  // keys of its own.
  int menuActivations = 0;
  const TWndMethod formProc = form->WindowProc;
  form->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_SYSCOMMAND && (m.WParam & 0xFFF0) == SC_KEYMENU) {
      ++menuActivations;
      return;
    }
    formProc(m);
  };
  form->Show();
  const LPARAM released = LPARAM{3} << 30;
  auto post = [&](UINT msg, WORD key) {
    PostMessageW(edit->Handle(), msg, key,
                 KeyData(key, true) | (msg == WM_SYSKEYUP || msg == WM_KEYUP ? released : 0));
  };
  struct Case {
    const char* name;
    bool withF2;
    bool altLetGoFirst;
    int activations;
  } const cases[] = {
      {"Alt let go before F2", true, true, 0},
      {"F2 let go before Alt", true, false, 0},
      {"Alt alone", false, false, 1},
  };
  for (const Case& c : cases) {
    saves = menuActivations = 0;
    post(WM_SYSKEYDOWN, VK_MENU);
    if (c.withF2)
      post(WM_SYSKEYDOWN, VK_F2);
    if (c.withF2 && !c.altLetGoFirst)
      post(WM_SYSKEYUP, VK_F2);
    post(WM_SYSKEYUP, VK_MENU);
    if (c.withF2 && c.altLetGoFirst)
      post(WM_KEYUP, VK_F2);
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(saves, c.withF2 ? 1 : 0) << c.name;
    EXPECT_EQ(menuActivations, c.activations) << c.name;
  }
  form->WindowProc = formProc;
}

TEST_F(FormTest, MenuShortcutsAndCommandsReachTheItems) {
  auto* menu = new TMainMenu(form.get());
  auto* file = new TMenuItem(form.get());
  file->SetCaption("&Dosya");
  menu->Items()->Add(file);
  auto* print = new TMenuItem(form.get());
  print->SetCaption("&Yazdır");
  print->SetShortCut(VK_F9);
  int clicks = 0;
  print->OnClick = [&](TObject*) { ++clicks; };
  file->Add(print);
  form->SetMenu(menu);
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle());
  form->Show();
  SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(print->Command(), 0), 0);
  EXPECT_EQ(clicks, 1);
  PostMessageW(edit->Handle(), WM_KEYDOWN, VK_F9, KeyData(VK_F9));
  EXPECT_TRUE(PumpUntil([&] { return clicks == 2; }));
}

TEST_F(FormTest, TheMenuSurvivesARecreatedWindow) {
  auto* menu = new TMainMenu(form.get());
  auto* item = new TMenuItem(form.get());
  item->SetCaption("&Dosya");
  menu->Items()->Add(item);
  form->SetMenu(menu);
  form->Show();
  HMENU bar = menu->Handle();
  form->SetBorderStyle(bsSingle);
  EXPECT_TRUE(IsMenu(bar)) << "not destroyed with the old window";
  EXPECT_EQ(GetMenu(form->Handle()), bar);
  EXPECT_EQ(GetMenuItemCount(bar), 1);
}

TEST_F(FormTest, KeyPreviewLetsTheFormSeeKeysFirst) {
  std::vector<WORD> formKeys;
  int editKeys = 0;
  form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    formKeys.push_back(key);
    if (key == 'X')
      key = 0;  // eaten: the edit never sees it
  };
  edit->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++editKeys; };
  form->Show();
  PostMessageW(edit->Handle(), WM_KEYDOWN, 'A', KeyData('A'));
  ASSERT_TRUE(PumpUntil([&] { return editKeys == 1; }));
  EXPECT_TRUE(formKeys.empty()) << "without KeyPreview";
  form->SetKeyPreview(true);
  PostMessageW(edit->Handle(), WM_KEYDOWN, 'A', KeyData('A'));
  PostMessageW(edit->Handle(), WM_KEYDOWN, 'X', KeyData('X'));
  ASSERT_TRUE(PumpUntil([&] { return formKeys.size() == 2; }));
  Application->ProcessMessages();
  EXPECT_EQ(formKeys, (std::vector<WORD>{'A', 'X'}));
  EXPECT_EQ(editKeys, 2);
}

TEST_F(FormTest, TabMovesTheFocusInTabOrder) {
  form->Show();
  form->SetFocus();
  Application->ProcessMessages();
  ASSERT_EQ(GetFocus(), edit->Handle());
  PostMessageW(edit->Handle(), WM_KEYDOWN, VK_TAB, KeyData(VK_TAB));
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == ok->Handle(); }));
  EXPECT_EQ(form->ActiveControl(), ok);
  EXPECT_EQ(Screen->ActiveForm(), form.get());
  EXPECT_EQ(Screen->ActiveControl(), ok);
}

TEST_F(FormTest, FocusingOnADisabledFormOnlyRecordsTheControl) {
  form->SetActiveControl(nullptr);
  form->Show();
  form->SetFocus();
  Application->ProcessMessages();
  form->SetEnabled(false);
  EXPECT_NO_THROW(cancel->SetFocus());
  EXPECT_EQ(form->ActiveControl(), cancel);
  EXPECT_NE(GetFocus(), cancel->Handle());
  form->SetEnabled(true);
  form->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), cancel->Handle()) << "given the focus when the form is active again";
}

TEST_F(FormTest, PositionCentresTheForm) {
  form->SetPosition(poScreenCenter);
  form->Show();
  EXPECT_EQ(form->Left(), (Screen->Width() - form->Width()) / 2);
  EXPECT_EQ(form->Top(), (Screen->Height() - form->Height()) / 2);
}

TEST_F(FormTest, AlphaBlendMakesALayeredWindow) {
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(128);
  form->Show();
  EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(form->Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_TRUE(flags & LWA_ALPHA);
  form->SetAlphaBlend(false);
  EXPECT_FALSE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(FormTest, BorderStyleChangesRecreateTheWindow) {
  form->Show();
  form->SetBorderStyle(bsDialog);
  const LONG_PTR style = GetWindowLongPtrW(form->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & DS_MODALFRAME);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(edit->Parent(), form.get());
  EXPECT_EQ(GetParent(edit->Handle()), form->Handle());
}

TEST_F(FormTest, ConstraintsLimitTheTrackingSize) {
  form->Constraints()->SetMinWidth(200);
  form->Constraints()->SetMaxHeight(400);
  MINMAXINFO info{};
  SendMessageW(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 200);
  EXPECT_EQ(info.ptMaxTrackSize.y, 400);
}

TEST_F(FormTest, ActivationRunsOnActivateAndTracksTheActiveForm) {
  int activations = 0, deactivations = 0;
  form->OnActivate = [&](TObject*) { ++activations; };
  form->OnDeactivate = [&](TObject*) { ++deactivations; };
  form->Show();
  form->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(activations, 1);
  EXPECT_TRUE(form->Active());
  EXPECT_EQ(Screen->ActiveForm(), form.get());
  Owned<TForm> other{new TForm(nullptr)};
  other->Show();
  other->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(deactivations, 1);
  EXPECT_EQ(Screen->ActiveForm(), other.get());
}

TEST_F(FormTest, AFormBeingFreedRunsNoMoreActivationEvents) {
  int destroys = 0, deactivations = 0;
  auto* other = new TForm(nullptr);
  other->OnDestroy = [&](TObject*) { ++destroys; };
  other->OnDeactivate = [&](TObject*) { ++deactivations; };
  other->Show();
  other->SetFocus();
  Application->ProcessMessages();
  ASSERT_TRUE(other->Active());
  other->Free();
  EXPECT_EQ(destroys, 1);
  EXPECT_EQ(deactivations, 0) << "the window goes after OnDestroy has run";
}

TEST_F(FormTest, WindowStateFollowsTheWindow) {
  form->SetWindowState(wsMaximized);
  form->Show();
  EXPECT_TRUE(IsZoomed(form->Handle()));
  form->SetWindowState(wsNormal);
  EXPECT_FALSE(IsZoomed(form->Handle()));
  ShowWindow(form->Handle(), SW_MINIMIZE);
  EXPECT_EQ(form->WindowState(), wsMinimized) << "read back from WM_SIZE";
}

TEST_F(FormTest, TheIconGoesToTheWindow) {
  HICON icon = CopyIcon(LoadIconW(nullptr, IDI_WARNING));
  form->Icon()->SetHandle(icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, ICON_BIG, 0)), icon);
}

TEST_F(FormTest, AControlsPopupMenuShowsOnContextMenu) {
  auto* popup = new TPopupMenu(form.get());
  auto* item = new TMenuItem(form.get());
  item->SetCaption("Kopyala");
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  popup->Items()->Add(item);
  edit->SetPopupMenu(popup);
  form->Show();
  SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND menu = FindWindowW(L"#32768", nullptr)) {
      PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      EndMenu();
    }
  });
  SendMessageW(edit->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit->Handle()), MAKELPARAM(120, 120));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(popup->PopupComponent(), edit);
}

TEST(FormListTest, ScreenKnowsEveryFormAndTheFirstCreatedFormIsTheMainForm) {
  const int before = Screen->FormCount();
  TForm* first = nullptr;
  TForm* second = nullptr;
  ASSERT_EQ(Application->MainForm(), nullptr);
  Application->CreateForm(first);
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), first);
  EXPECT_EQ(Screen->FormCount(), before + 2);
  EXPECT_EQ(Screen->Forms(before), first);
  EXPECT_EQ(first->Owner(), Application);
  first->Free();
  EXPECT_EQ(Application->MainForm(), nullptr);
  second->Free();
  EXPECT_EQ(Screen->FormCount(), before);
}

TEST(MDIFormTest, ChildrenLiveInTheMainFormsClientWindow) {
  TForm* frame = nullptr;
  ASSERT_EQ(Application->MainForm(), nullptr);
  Application->CreateForm(frame);
  Owned<TForm> frameOwner{frame};
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(20, 20, 500, 400);
  frame->Show();
  ASSERT_NE(frame->ClientHandle(), nullptr);
  wchar_t className[32] = {};
  GetClassNameW(frame->ClientHandle(), className, 32);
  EXPECT_EQ(_wcsicmp(className, L"MDICLIENT"), 0) << "the system's MDI client class";

  Owned<TForm> child{new TForm(nullptr)};
  child->SetFormStyle(fsMDIChild);
  child->SetCaption("Belge");
  child->Show();
  EXPECT_EQ(GetParent(child->Handle()), frame->ClientHandle());
  EXPECT_TRUE(GetWindowLongPtrW(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(frame->MDIChildCount(), 1);
  EXPECT_EQ(frame->MDIChildren(0), child.get());
  EXPECT_EQ(frame->ActiveMDIChild(), child.get());
  child.reset();
  EXPECT_EQ(frame->MDIChildCount(), 0);
  EXPECT_EQ(frame->ActiveMDIChild(), nullptr);
}

TEST(MDIFormTest, AChildNeedsAnMDIMainForm) {
  Owned<TForm> child{new TForm(nullptr)};
  child->SetFormStyle(fsMDIChild);
  EXPECT_THROW(child->HandleNeeded(), EInvalidOperation);
}

TEST(FormCreateTest, OnCreateRunsOnceAfterConstruction) {
  struct TMyForm : TForm {
    int created = 0;
    explicit TMyForm(TComponent* owner) : TForm(owner) {
      OnCreate = [this](TObject*) { ++created; };
    }
  };
  Owned<TMyForm> form{NewForm<TMyForm>(nullptr)};
  EXPECT_EQ(form->created, 1);
  form->AfterConstruction();
  EXPECT_EQ(form->created, 1);
}

}  // namespace
