// The text preview's search dialog: its texts, the answer each button
// gives, the text and options kept from one search to the next, and the
// focus on the text box when it shows.
#include <gtest/gtest.h>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "tests/support/formfixture.h"
#include "textreport/forms/zrsearch.h"
#include "windowsnapshot.h"

namespace {

using namespace test_support;

Owned<TfmSearch> NewSearchForm() { return Owned<TfmSearch>(NewForm<TfmSearch>(Application)); }

TEST(ZRSearchFormTest, ShowsTheEngineTexts) {
  auto form = NewSearchForm();
  EXPECT_EQ(form->Caption(), "Search text");
  EXPECT_EQ(form->lbInvitation->Caption(), "&Text to search");
  EXPECT_EQ(form->cbUseCase->Caption(), "Case &sensitive");
  EXPECT_EQ(form->cbFromCurrent->Caption(), "&From current position");
  EXPECT_EQ(form->btFind->Caption(), "&Find");
  EXPECT_EQ(form->btCont->Caption(), "&Continue");
  EXPECT_EQ(form->btCancel->Caption(), "Cancel");
}

// Find, continue and cancel each end the modal run with their own answer.
TEST(ZRSearchFormTest, EachButtonGivesItsAnswer) {
  auto form = NewSearchForm();
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  const struct {
    TBitBtn* button;
    TModalResult result;
  } cases[] = {{form->btFind, mrOk}, {form->btCont, mrRetry}, {form->btCancel, mrCancel}};
  for (const auto& c : cases) {
    dialogs.OnModalForm = [&](TCustomForm&) { c.button->Click(); };
    EXPECT_EQ(form->ShowModal(), c.result) << c.button->Name();
  }
}

TEST(ZRSearchFormTest, ASecondSearchStartsFromWhatTheFirstLeft) {
  auto form = NewSearchForm();
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.OnModalForm = [&](TCustomForm&) {
    form->edSearchStr->SetText("ŞİŞLİ");
    form->cbUseCase->SetChecked(true);
    form->btFind->Click();
  };
  ASSERT_EQ(form->ShowModal(), mrOk);
  dialogs.OnModalForm = [&](TCustomForm&) {
    EXPECT_EQ(form->edSearchStr->Text(), "ŞİŞLİ");
    EXPECT_TRUE(form->cbUseCase->Checked());
    EXPECT_FALSE(form->cbFromCurrent->Checked());
    form->btCont->Click();
  };
  EXPECT_EQ(form->ShowModal(), mrRetry);
}

TEST(ZRSearchFormTest, TheTextBoxHasTheFocusWhenShown) {
  auto form = NewSearchForm();
  form->cbUseCase->SetChecked(true);
  form->edSearchStr->SetText("Toplam");
  form->Show();
  SetForegroundWindow(form->Handle());
  Pump();
  EXPECT_EQ(form->ActiveControl(), form->edSearchStr);
  EXPECT_EQ(GetFocus(), form->edSearchStr->Handle());
  // The buttons fit in the window as it shows.
  RECT client{}, button{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 459);
  EXPECT_EQ(client.bottom, 122);
  GetWindowRect(form->btCancel->Handle(), &button);
  MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&button), 2);
  EXPECT_LE(button.bottom, client.bottom);
  EXPECT_LE(button.right, client.right);
  SaveWindowSnapshot(form->Handle(), "search");
  form->Hide();
}

}  // namespace
