// The message boxes and the modal form helper.
#include <gtest/gtest.h>

#include "app/shell/dialoghelpers.h"
#include "classlib/forms/scripteddialogs.h"

TEST(DialogHelpers, TheTwoBoxesHaveTheirCaptionsIconsAndButtons) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerButton(IDOK).AnswerButton(IDNO).AnswerButton(IDYES);
  ShowInfo("Bitti");
  EXPECT_EQ(AskQuestion("Silinsin mi?"), IDNO);
  EXPECT_EQ(AskQuestion("Emin misiniz?", MB_DEFBUTTON2), IDYES);

  ASSERT_EQ(dialogs.Records().size(), 3u);
  EXPECT_EQ(dialogs.Records()[0].Caption, "Bilgi");
  EXPECT_EQ(dialogs.Records()[0].Text, "Bitti");
  EXPECT_EQ(dialogs.Records()[0].Flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  EXPECT_EQ(dialogs.Records()[1].Caption, "Soru");
  EXPECT_EQ(dialogs.Records()[1].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_EQ(dialogs.Records()[2].Flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
}

namespace {

class TTaskForm : public TForm {
public:
  explicit TTaskForm(TComponent* AOwner) : TForm(AOwner) { ++Alive; }
  ~TTaskForm() override { --Alive; }
  static inline int Alive = 0;
};

}  // namespace

TEST(DialogHelpers, AModalFormIsKeptInItsReferenceWhileShownAndFreedAfter) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  TTaskForm* reference = nullptr;
  TCustomForm* mainBefore = Application->MainForm();
  dialogs.OnModalForm = [&](TCustomForm& shown) {
    EXPECT_EQ(&shown, reference);
    EXPECT_EQ(TTaskForm::Alive, 1);
    shown.SetModalResult(mrOk);
  };
  EXPECT_EQ(ShowFormModal(reference), mrOk);
  EXPECT_EQ(reference, nullptr);
  EXPECT_EQ(TTaskForm::Alive, 0);

  dialogs.OnModalForm = [](TCustomForm&) { throw EAbort("kesildi"); };
  EXPECT_THROW(ShowFormModal(reference), EAbort);
  EXPECT_EQ(reference, nullptr);
  EXPECT_EQ(TTaskForm::Alive, 0);
  EXPECT_EQ(Application->MainForm(), mainBefore);
}
