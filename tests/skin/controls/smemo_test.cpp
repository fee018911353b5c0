// TsMemo without a skin is the standard memo: same pixels, the window
// procedure untouched, no scrolling events; the form skin provider takes
// over its form's WindowProc, answers the commands a served form answers
// and gives the procedure back when freed.
#include <gtest/gtest.h>

#include <algorithm>

#include "classlib/forms/application.h"
#include "skin/controls/smemo.h"
#include "skin/controls/sskinprovider.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinforms.h"
#include "skin/core/skinmanager.h"
#include "skin_test_util.h"
#include "tests/skin/testskin.h"

namespace {

using namespace skin_test;

TEST(SkinnedMemo, UnskinnedPaintsAsTheStandardMemo) {
  SetDefaultManager(nullptr);
  FormFixture form;
  form.Show();
  auto* standard = form.Add<TMemo>(10, 10, 150, 80);
  auto* skinned = form.Add<TsMemo>(10, 100, 150, 80);
  for (TMemo* memo : {standard, static_cast<TMemo*>(skinned)}) {
    memo->Lines()->Add("Dozuri etiket");
    memo->Lines()->Add("İkinci satır");
  }
  Pump();
  TBitmap expected, actual;
  PaintClient(standard, expected);
  PaintClient(skinned, actual);
  EXPECT_EQ(FirstDifference(expected, actual), "");
}

TEST(SkinnedMemo, UnskinnedStateAndDefaults) {
  SetDefaultManager(nullptr);
  FormFixture form;
  auto* memo = form.Add<TsMemo>(10, 10, 150, 80);
  EXPECT_EQ(memo->SkinData()->ControlKind(), ckMemo);
  EXPECT_EQ(memo->SkinData()->SkinSection(), "EDIT");
  EXPECT_FALSE(memo->SkinData()->IsSkinned());
  EXPECT_FALSE(memo->BoundLabel()->Active());
  EXPECT_EQ(memo->DisabledKind(), static_cast<TsDisabledKind>(dkBlended));
  EXPECT_FALSE(memo->ControlStyle().Contains(csOpaque));
  // The window procedure stays the memo's own.
  TMethod own = Method<&TControl::WndProc>(static_cast<TControl*>(memo));
  EXPECT_TRUE(memo->WindowProc == own);
  EXPECT_EQ(SendSkinCommand(memo->Handle(), SkinCmdAreYouSkinned, 0), 1);
  EXPECT_EQ(SendSkinCommand(memo->Handle(), SkinCmdApplication, 0), reinterpret_cast<LRESULT>(Application));
}

TEST(SkinnedMemo, UnskinnedFiresNoScrollingEvents) {
  SetDefaultManager(nullptr);
  FormFixture form;
  form.Show();
  auto* memo = form.Add<TsMemo>(10, 10, 150, 60);
  memo->SetScrollBars(ssVertical);
  AnsiString text;
  for (int i = 0; i < 30; ++i)
    text += "Satır\r\n";
  memo->SetText(text);
  Pump();
  ASSERT_GE(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 30);
  int events = 0;
  memo->OnVScroll = [&](TObject*) { ++events; };
  memo->OnScrollCaret = [&](TObject*) { ++events; };
  const int before = static_cast<int>(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
  SendMessageW(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(static_cast<int>(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)), before);
  SendMessageW(memo->Handle(), EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(events, 0);
}

TEST(SkinnedMemo, SkinnedFiresOnVScrollAndOnScrollCaretOncePerMessage) {
  TestSkin skin;
  skin.AddSection("EDIT");
  skin.Apply();
  skin.Manager()->SkinData()->SkinActive = true;
  FormFixture form;
  form.Show();
  auto* memo = form.Add<TsMemo>(10, 10, 150, 60);
  memo->HandleNeeded();
  memo->SkinData()->OwnerLoaded();
  ASSERT_TRUE(memo->SkinData()->IsSkinned());
  int vscrolls = 0, carets = 0;
  memo->OnVScroll = [&](TObject* sender) { vscrolls += sender == memo ? 1 : 100; };
  memo->OnScrollCaret = [&](TObject* sender) { carets += sender == memo ? 1 : 100; };
  SendMessageW(memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessageW(memo->Handle(), WM_VSCROLL, SB_LINEUP, 0);
  SendMessageW(memo->Handle(), WM_HSCROLL, SB_LINEDOWN, 0);
  SendMessageW(memo->Handle(), EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(vscrolls, 2);
  EXPECT_EQ(carets, 1);
}

TEST(SkinnedMemo, StreamsWithItsBoundLabelAndDisabledKind) {
  TsMemo memo(nullptr);
  memo.SetName("MemoTeam");
  memo.BoundLabel()->SetIndent(3);
  memo.SetDisabledKind(dkBlended | dkGrayed);
  const std::string text = ComponentText(&memo);
  EXPECT_NE(text.find("dkBlended, dkGrayed"), std::string::npos) << text;
  EXPECT_NE(text.find("BoundLabel.Indent = 3"), std::string::npos) << text;
}

// ---- The form skin provider -----------------------------------------------------

bool Registered(TForm* form) {
  auto& forms = SkinnedFormRegistry();
  return std::find(forms.begin(), forms.end(), form) != forms.end();
}

TEST(SkinProvider, TakesOverTheFormsWindowProcAndGivesItBack) {
  SetDefaultManager(nullptr);
  auto* form = new TForm(Application);
  form->SetBounds(30, 30, 200, 150);
  const TWndMethod original = form->WindowProc;
  auto* provider = new TsSkinProvider(form);
  EXPECT_FALSE(form->WindowProc == original);
  EXPECT_TRUE(Registered(form));
  EXPECT_FALSE(form->DoubleBuffered());
  EXPECT_EQ(provider->SkinData()->SkinSection(), "FORM");

  form->HandleNeeded();
  EXPECT_EQ(SendSkinCommand(form->Handle(), SkinCmdGetProvider, 0), reinterpret_cast<LRESULT>(provider));
  EXPECT_EQ(SendSkinCommand(form->Handle(), SkinCmdAreYouSkinned, 0), 1);
  EXPECT_EQ(SendSkinCommand(form->Handle(), SkinCmdApplication, 0), reinterpret_cast<LRESULT>(Application));
  // Everything else is the form's own: its caption through the window.
  form->SetCaption("Hakkında");
  wchar_t caption[32] = {};
  GetWindowTextW(form->Handle(), caption, 32);
  EXPECT_STREQ(caption, L"Hakkında");

  provider->Free();
  EXPECT_TRUE(form->WindowProc == original);
  EXPECT_FALSE(Registered(form));
  EXPECT_EQ(SendSkinCommand(form->Handle(), SkinCmdGetProvider, 0), 0);
  form->Free();
}

TEST(SkinProvider, ASecondProviderIsADuplicateAndLeavesTheFormAlone) {
  auto* form = new TForm(Application);
  auto* first = new TsSkinProvider(form);
  const TWndMethod served = form->WindowProc;
  auto* second = new TsSkinProvider(form);
  EXPECT_FALSE(first->Duplicate());
  EXPECT_TRUE(second->Duplicate());
  EXPECT_TRUE(form->WindowProc == served);
  second->Free();
  EXPECT_TRUE(form->WindowProc == served);
  EXPECT_TRUE(Registered(form));
  form->Free();
  EXPECT_FALSE(Registered(form));
}

TEST(SkinProvider, OnlyFormsMayOwnIt) {
  TComponent owner(nullptr);
  EXPECT_THROW(TsSkinProvider provider(&owner), EAbort);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(SkinProvider, SkinRemovedByItsManagerGivesLabelsWindowText) {
  SetDefaultManager(nullptr);
  auto* form = new TForm(Application);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->Font()->SetColor(clRed);
  new TsSkinProvider(form);
  TsSkinManager manager(nullptr);
  for (LPARAM sender : {LPARAM{0}, reinterpret_cast<LPARAM>(&manager)}) {
    TMessage removal{SM_ALPHACMD, SkinCommandWParam(SkinCmdSkinRemoved), sender, 0};
    form->WindowProc(removal);
    EXPECT_EQ(label->Font()->Color(), sender == 0 ? clRed : clWindowText);
  }
  form->Free();
}

}  // namespace
