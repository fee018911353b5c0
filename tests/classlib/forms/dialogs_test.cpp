#include "classlib/forms/dialogs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "classlib/controls/stdctrls.h"
#include "classlib/forms/dialogtexts.h"
#include "classlib/forms/extdlgs.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/forms/textbounds.h"
#include "classlib/forms/win32dialogs.h"
#include "forms_test_util.h"

namespace {

using forms_test::Owned;

class ScriptedDialogTest : public ::testing::Test {
protected:
  TDialogLanguageScope english{TDialogLanguage::English};
  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
};

TEST_F(ScriptedDialogTest, MessageDlgIsAnsweredAndRecorded) {
  dialogs.AnswerButton(mrNo).AnswerCancel();
  EXPECT_EQ(MessageDlg("Kayıt silinsin mi?", mtConfirmation, mbYesNoCancel, 0), mrNo);
  EXPECT_EQ(MessageDlgPos("Devam?", mtWarning, TMsgDlgButtons{mbOK}, 0, 10, 20), mrCancel);
  ASSERT_EQ(dialogs.Records().size(), 2u);
  const TDialogRecord& first = dialogs.Records()[0];
  EXPECT_EQ(first.Kind, TDialogKind::MessageDlg);
  EXPECT_EQ(first.Text, "Kayıt silinsin mi?");
  EXPECT_EQ(first.Caption, "Confirm");
  EXPECT_EQ(first.DlgType, mtConfirmation);
  EXPECT_EQ(first.Buttons, mbYesNoCancel);
  EXPECT_EQ(dialogs.Records()[1].X, 10);
  EXPECT_EQ(dialogs.Records()[1].Caption, "Warning");
  EXPECT_EQ(dialogs.Pending(), 0);
}

TEST_F(ScriptedDialogTest, InputQueryGetsTheTypedTextOrKeepsTheValue) {
  dialogs.AnswerText("12").AnswerCancel().AnswerCancel();
  AnsiString value = "5";
  EXPECT_TRUE(InputQuery("Go to page", "Enter page number", value));
  EXPECT_EQ(value, "12");
  EXPECT_FALSE(InputQuery("Go to page", "Enter page number", value));
  EXPECT_EQ(value, "12");
  EXPECT_EQ(InputBox("Aciklama", "Metin", "varsayılan"), "varsayılan");
  ASSERT_EQ(dialogs.Records().size(), 3u);
  EXPECT_EQ(dialogs.Records()[0].Caption, "Go to page");
  EXPECT_EQ(dialogs.Records()[0].Text, "Enter page number");
  EXPECT_EQ(dialogs.Records()[0].Value, "5") << "the initial text is recorded";
}

TEST_F(ScriptedDialogTest, MessageBoxesRecordTheirFlags) {
  const AnsiString savedTitle = Application->Title();
  Application->SetTitle("VORTELIM Dozuri");
  dialogs.AnswerButton(IDYES).AnswerButton(IDOK);
  EXPECT_EQ(Application->MessageBox("Çıkılsın mı?", "Soru", MB_YESNO | MB_ICONQUESTION), IDYES);
  ShowMessage("Bitti");
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::MessageBox);
  EXPECT_EQ(dialogs.Records()[0].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(dialogs.Records()[0].Caption, "Soru");
  EXPECT_EQ(dialogs.Records()[1].Caption, "VORTELIM Dozuri") << "ShowMessage is captioned with the title";
  EXPECT_EQ(dialogs.Records()[1].Buttons, TMsgDlgButtons{mbOK});
  Application->SetTitle(savedTitle);
}

TEST_F(ScriptedDialogTest, ShowMessageFmtFormats) {
  dialogs.AnswerButton(mrOk);
  ShowMessageFmt("Select a page from 1 to %d", {7});
  EXPECT_EQ(dialogs.Records()[0].Text, "Select a page from 1 to 7");
}

TEST_F(ScriptedDialogTest, AMissingOrWrongAnswerIsAnError) {
  EXPECT_THROW(MessageDlg("?", mtError, TMsgDlgButtons{mbOK}, 0), EDialogNotScripted);
  dialogs.AnswerText("x");
  EXPECT_THROW(MessageDlg("?", mtError, TMsgDlgButtons{mbOK}, 0), EDialogNotScripted);
}

TEST_F(ScriptedDialogTest, FileDialogsRecordTheirSettingsAndTakeTheChosenFile) {
  Owned<TSaveDialog> save{new TSaveDialog(nullptr)};
  save->SetFilter("Rapor (*.QRP)|*.QRP|Tümü|*.*");
  save->SetDefaultExt("QRP");
  save->SetTitle("Kaydet");
  save->SetInitialDir("C:\\Raporlar");
  save->SetOptions(TOpenOptions{ofOverwritePrompt, ofPathMustExist});
  dialogs.AnswerFile("C:\\Raporlar\\ocak", 2).AnswerCancel();
  ASSERT_TRUE(save->Execute());
  EXPECT_EQ(save->FileName(), "C:\\Raporlar\\ocak.QRP") << "the default extension is added";
  EXPECT_EQ(save->FilterIndex(), 2);
  const TDialogRecord& r = dialogs.Records()[0];
  EXPECT_EQ(r.Kind, TDialogKind::SaveFile);
  EXPECT_EQ(r.Caption, "Kaydet");
  EXPECT_EQ(r.Filter, "Rapor (*.QRP)|*.QRP|Tümü|*.*");
  EXPECT_TRUE(r.Options.Contains(ofOverwritePrompt));
  EXPECT_EQ(r.InitialDir, "C:\\Raporlar");

  Owned<TOpenDialog> open{new TOpenDialog(nullptr)};
  open->SetOptions(TOpenOptions{ofFileMustExist});
  EXPECT_FALSE(open->Execute());
  EXPECT_EQ(dialogs.Records()[1].Kind, TDialogKind::OpenFile);
  EXPECT_TRUE(dialogs.Records()[1].Options.Contains(ofFileMustExist));
}

TEST_F(ScriptedDialogTest, ColourFontAndPrintDialogs) {
  Owned<TColorDialog> color{new TColorDialog(nullptr)};
  Owned<TFontDialog> font{new TFontDialog(nullptr)};
  Owned<TPrintDialog> print{new TPrintDialog(nullptr)};
  dialogs.AnswerColor(clRed).AnswerFont("Arial", 14).AnswerAccept().AnswerCancel();
  ASSERT_TRUE(color->Execute());
  EXPECT_EQ(color->Color(), clRed);
  ASSERT_TRUE(font->Execute());
  EXPECT_EQ(font->Font()->Name(), "Arial");
  EXPECT_EQ(font->Font()->Size(), 14);
  EXPECT_TRUE(print->Execute());
  EXPECT_FALSE(print->Execute());
}

TEST_F(ScriptedDialogTest, AModalFormIsHandedToTheTest) {
  Owned<TForm> form{new TForm(nullptr)};
  form->SetCaption("Ayarlar");
  dialogs.OnModalForm = [](TCustomForm& f) { f.SetModalResult(mrOk); };
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->Visible()) << "the scripted service never shows it";
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::ModalForm);
  EXPECT_EQ(dialogs.Records()[0].Caption, "Ayarlar");
  EXPECT_EQ(dialogs.Records()[0].FormClass, "TForm");
  dialogs.OnModalForm = [](TCustomForm&) {};
  EXPECT_THROW(form->ShowModal(), EDialogNotScripted) << "a form left open would block";
}

// ---- The real message form --------------------------------------------------------------
TEST(MessageFormTest, HasItsClassButtonsAndText) {
  TDialogLanguageScope english(TDialogLanguage::English);
  Owned<TForm> form{CreateMessageDialog("Dosya bulunamadı", mtError, mbYesNoCancel)};
  EXPECT_EQ(form->ClassName(), "TMessageForm");
  wchar_t className[64] = {};
  GetClassNameW(form->Handle(), className, 64);
  EXPECT_STREQ(className, L"TMessageForm");
  EXPECT_EQ(form->Caption(), "Error");
  auto* text = dynamic_cast<TLabel*>(form->FindComponent("Message"));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Caption(), "Dosya bulunamadı");
  struct Expected {
    const char* name;
    TModalResult result;
    bool isDefault, isCancel;
  };
  for (const Expected& e : {Expected{"Yes", mrYes, true, false}, Expected{"No", mrNo, false, false},
                            Expected{"Cancel", mrCancel, false, true}}) {
    auto* button = dynamic_cast<TButton*>(form->FindComponent(e.name));
    ASSERT_NE(button, nullptr) << e.name;
    EXPECT_EQ(button->ModalResult(), e.result) << e.name;
    EXPECT_EQ(button->Default(), e.isDefault) << e.name;
    EXPECT_EQ(button->Cancel(), e.isCancel) << e.name;
  }
  EXPECT_EQ(form->FindComponent("OK"), nullptr);
}

// The library's own texts follow the system's language, and every button
// is wide enough for its caption.
TEST(MessageFormTest, SpeaksTheSystemLanguageAndFitsItsButtons) {
  struct Case {
    TDialogLanguage Language;
    const char* Caption;
    std::vector<std::pair<const char*, const char*>> Buttons;  // name, caption
  } cases[] = {
      {TDialogLanguage::English, "Confirm",
       {{"Yes", "&Yes"}, {"No", "&No"}, {"OK", "OK"}, {"Cancel", "Cancel"}, {"YesToAll", "Yes to &All"}}},
      {TDialogLanguage::Turkish, "Onay",
       {{"Yes", "&Evet"}, {"No", "&Hayır"}, {"OK", "Tamam"}, {"Cancel", "İptal"}, {"YesToAll", "Tümüne E&vet"}}},
  };
  for (const Case& c : cases) {
    TDialogLanguageScope language(c.Language);
    Owned<TForm> form{CreateMessageDialog("Kayıt silinsin mi?", mtConfirmation,
                                          TMsgDlgButtons{mbYes, mbNo, mbOK, mbCancel, mbYesToAll})};
    EXPECT_EQ(form->Caption(), c.Caption);
    int right = 0;
    for (const auto& [name, caption] : c.Buttons) {
      auto* button = dynamic_cast<TButton*>(form->FindComponent(name));
      ASSERT_NE(button, nullptr) << name;
      EXPECT_EQ(button->Caption(), caption);
      AnsiString shown = caption;
      shown.erase(std::remove(shown.begin(), shown.end(), '&'), shown.end());
      const RECT text = TextBounds(*form->Font(), shown, 10000, DT_SINGLELINE);
      EXPECT_GE(button->Width(), text.right - text.left + 8) << caption;
      EXPECT_GE(button->Left(), right) << caption << " overlaps the button before it";
      right = button->Left() + button->Width();
      RECT client;
      GetClientRect(form->Handle(), &client);
      EXPECT_LE(button->Top() + button->Height(), client.bottom) << caption << " is cut off at the bottom";
      EXPECT_LE(right, client.right) << caption << " is cut off at the right";
    }
  }
  TEdit* edit = nullptr;
  TDialogLanguageScope turkish(TDialogLanguage::Turkish);
  Owned<TForm> query{CreateInputQueryForm("Sayfa", "Sayfa numarası", "1", edit)};
  EXPECT_EQ(dynamic_cast<TButton*>(query->FindComponent("OK"))->Caption(), "Tamam");
  auto* cancel = dynamic_cast<TButton*>(query->FindComponent("Cancel"));
  EXPECT_EQ(cancel->Caption(), "İptal");
  RECT client;
  GetClientRect(query->Handle(), &client);
  EXPECT_LE(cancel->Top() + cancel->Height(), client.bottom);
  EXPECT_LE(cancel->Left() + cancel->Width(), client.right);
}

TEST(MessageFormTest, AButtonOfTheRealFormEndsTheDialog) {
  Owned<TForm> form{CreateMessageDialog("Devam edilsin mi?", mtConfirmation, TMsgDlgButtons{mbYes, mbNo})};
  auto* no = dynamic_cast<TButton*>(form->FindComponent("No"));
  ASSERT_NE(no, nullptr);
  forms_test::ModalWatchdog watchdog(*form);
  PostMessageW(no->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Win32DialogService().ShowModal(*form), mrNo);
}

TEST(MessageFormTest, TheInputFormGivesTheTypedText) {
  TEdit* edit = nullptr;
  Owned<TForm> form{CreateInputQueryForm("Email Adresi", "Adres", "a@b", edit)};
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->Text(), "a@b");
  auto* ok = dynamic_cast<TButton*>(form->FindComponent("OK"));
  ASSERT_NE(ok, nullptr);
  forms_test::ModalWatchdog watchdog(*form);
  SetWindowTextW(edit->Handle(), L"x@y");
  PostMessageW(ok->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Win32DialogService().ShowModal(*form), mrOk);
  EXPECT_EQ(edit->Text(), "x@y");
}

TEST(CommonDialogTest, FilterAndFileListsFollowTheSystemLayout) {
  const std::wstring filter = CommonDialogFilter("Metin|*.txt|Tümü|*.*");
  const wchar_t expected[] = L"Metin\0*.txt\0T\u00fcm\u00fc\0*.*\0";  // and the literal's own zero
  EXPECT_EQ(filter, std::wstring(expected, sizeof(expected) / sizeof(wchar_t)));
  const wchar_t single[] = L"C:\\a\\b.txt\0";
  EXPECT_EQ(CommonDialogFiles(single, false), (std::vector<AnsiString>{"C:\\a\\b.txt"}));
  const wchar_t multi[] = L"C:\\a\0x.txt\0y.txt\0";
  EXPECT_EQ(CommonDialogFiles(multi, true), (std::vector<AnsiString>{"C:\\a\\x.txt", "C:\\a\\y.txt"}));
}

TEST(CommonDialogTest, ThePictureDialogListsTheLoadableFormats) {
  Owned<TOpenPictureDialog> dialog{new TOpenPictureDialog(nullptr)};
  const AnsiString filter = dialog->Filter();
  EXPECT_EQ(filter.rfind("All (", 0), 0u) << filter;
  EXPECT_NE(filter.find("*.bmp"), AnsiString::npos) << filter;
}

}  // namespace
