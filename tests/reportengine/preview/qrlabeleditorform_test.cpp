// The label editor form: its texts and the answer its buttons give.
#include <gtest/gtest.h>

#include "classlib/forms/scripteddialogs.h"
#include "reportengine/preview/qrlabeleditorform.h"

namespace {

TEST(TQRLabelEditorForm, TextsAndButtons) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  struct Case {
    bool ok;
    TModalResult result;
  };
  for (const Case c : {Case{true, mrOk}, Case{false, mrCancel}}) {
    TQRLabelEditorForm* form = NewForm<TQRLabelEditorForm>(nullptr);
    EXPECT_EQ(form->Caption(), "Text Settings");
    EXPECT_EQ(form->GroupBox1->Caption(), "Properties");
    EXPECT_EQ(form->ValueLabel->Caption(), "Text");
    EXPECT_EQ(form->AutoSize->Caption(), "Autosize");
    EXPECT_EQ(form->Stretch->Caption(), "Stretch");
    EXPECT_EQ(form->Transparent->Caption(), "Transparent");
    EXPECT_EQ(form->OKButton->Caption(), "OK");
    EXPECT_EQ(form->CancelButton->Caption(), "Cancel");
    EXPECT_NE(form->FontDialog1, nullptr);
    dialogs.OnModalForm = [&](TCustomForm&) { (c.ok ? form->OKButton : form->CancelButton)->Click(); };
    EXPECT_EQ(form->ShowModal(), c.result) << c.ok;
    form->Free();
  }
}

}  // namespace
