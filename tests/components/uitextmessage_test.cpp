// The information message with and without the host's hooks, answered by the
// scripted dialog service.
#include "components/uitextmessage.h"

#include <gtest/gtest.h>

#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/controls/stdctrls.h"

namespace {

struct ShownMessage {
  AnsiString Msg;
  int Kind;
};

class ShowInfoMessageTest : public testing::Test {
protected:
  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  std::vector<ShownMessage> hooked;
  std::vector<AnsiString> translated;
  TShowMessageEvent messageHook = [this](const AnsiString& Msg, int Kind) { hooked.push_back({Msg, Kind}); };
  TTranslateTextEvent textHook = [this](const AnsiString& Text, AnsiString& Result) {
    translated.push_back(Text);
    Result = "EN:" + Text;
  };
};

TEST_F(ShowInfoMessageTest, WithoutHooksTheTurkishMessageShowsInABoxCaptionedBilgi) {
  dialogs.AnswerButton(IDOK);
  ShowInfoMessage("Güncelleme yapılmalı.", TShowMessageEvent(), TTranslateTextEvent());
  ASSERT_EQ(dialogs.Records().size(), 1u);
  const TDialogRecord& box = dialogs.Records()[0];
  EXPECT_EQ(box.Kind, TDialogKind::MessageBox);
  EXPECT_EQ(box.Caption, "Bilgi");
  EXPECT_EQ(box.Text, "Güncelleme yapılmalı.");
  EXPECT_EQ(box.Flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
}

TEST_F(ShowInfoMessageTest, TheMessageHookAloneShowsTheMessageAsItIsWithKindZero) {
  ShowInfoMessage("Güncelleme yapılmalı.", messageHook, TTranslateTextEvent());
  EXPECT_TRUE(dialogs.Records().empty());
  ASSERT_EQ(hooked.size(), 1u);
  EXPECT_EQ(hooked[0].Msg, "Güncelleme yapılmalı.");
  EXPECT_EQ(hooked[0].Kind, 0);
}

TEST_F(ShowInfoMessageTest, WithBothHooksOnlyTheTextHookIsUsed) {
  dialogs.AnswerButton(IDOK);
  ShowInfoMessage("Güncelleme yapılmalı.", messageHook, textHook);
  EXPECT_TRUE(hooked.empty());
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Caption, "EN:Bilgi");
  EXPECT_EQ(dialogs.Records()[0].Text, "EN:Guncelleme yapilmali.");
  EXPECT_EQ(dialogs.Records()[0].Flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(translated, (std::vector<AnsiString>{"Bilgi", "Guncelleme yapilmali."}));
}

TEST(ApplyTranslateForm, TheHookSeesTheFormAfterItsComponentsWereTransliterated) {
  TForm* form = NewForm<TForm>(Application);
  form->SetCaption("Güncelleme");
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetCaption("Sürüm Kontrolü");
  label->SetHint("İpucu");

  ApplyTranslateForm(form, TTranslateFormEvent());
  EXPECT_EQ(label->Caption(), "Sürüm Kontrolü");  // no hook: nothing changes

  AnsiString seenCaption;
  TCustomForm* seenForm = nullptr;
  ApplyTranslateForm(form, [&](TCustomForm* Form) {
    seenForm = Form;
    seenCaption = label->Caption();
  });
  EXPECT_EQ(seenForm, form);
  EXPECT_EQ(seenCaption, "Surum Kontrolu");
  EXPECT_EQ(label->Hint(), "Ipucu");
  EXPECT_EQ(form->Caption(), "Güncelleme");
  form->Free();
}

}  // namespace
