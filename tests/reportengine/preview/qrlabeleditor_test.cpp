// The label's property editor: what it answers for the label, the editor
// form filled from the label and written back on OK, nothing written on
// Cancel, and a size that is not a number asked again instead of leaving
// the label half changed.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/font.h"
#include "classlib/system/numconv.h"
#include "reportengine/preview/qrlabeleditor.h"
#include "reportengine/preview/qrlabeleditorform.h"
#include "reportengine/printables/qrlabel.h"
#include "tests/support/formfixture.h"

namespace {

using test_support::Owned;

// A label "Fiyat", 40 wide and 12 high in its units, not auto-sized, that
// stretches and lets the band show through.
class LabelEditorTest : public ::testing::Test {
protected:
  LabelEditorTest() : label(new TQRLabel(nullptr)) {
    label->SetAutoSize(false);
    label->SetCaption("Fiyat");
    label->Size()->SetWidth(40);
    label->Size()->SetHeight(12);
    label->SetAutoStretch(true);
    label->SetTransparent(true);
    editor.SetPrintable(label.get());
  }

  // Answers the editor form with each step in turn; each step fills the
  // form and presses a button.
  void Answer(std::vector<std::function<void(TQRLabelEditorForm&)>> steps) {
    dialogs.OnModalForm = [this, steps = std::move(steps)](TCustomForm& form) {
      ASSERT_LT(shown, steps.size());
      steps[shown++](dynamic_cast<TQRLabelEditorForm&>(form));
    };
  }

  Owned<TQRLabel> label;
  TQRLabelEditor editor;
  TScriptedDialogService dialogs;
  TDialogServiceScope scope{dialogs};
  std::size_t shown = 0;
};

TEST_F(LabelEditorTest, AnswersForTheLabel) {
  EXPECT_EQ(editor.EditorName(), "QRLABEL");
  EXPECT_EQ(editor.Description(), "Text Control");
  EXPECT_EQ(editor.EditedClass(), TQRLabel::StaticClass());
  EXPECT_EQ(editor.Label(), label.get());

  EXPECT_EQ(editor.GetCaption(), "Fiyat");
  editor.SetCaption("Tutar");
  EXPECT_EQ(label->Caption(), "Tutar");

  label->SetColor(clYellow);
  TColor color = clNone;
  ASSERT_TRUE(editor.GetColor(color));
  EXPECT_EQ(color, clYellow);
  editor.SetColor(clAqua);
  EXPECT_EQ(label->Color(), clAqua);

  TFont font;
  font.SetName("Courier New");
  font.SetSize(17);
  editor.SetFont(font);
  EXPECT_EQ(label->Font()->Name(), "Courier New");
  EXPECT_EQ(label->Font()->Size(), 17);
  TFont read;
  ASSERT_TRUE(editor.GetFont(read));
  EXPECT_EQ(read.Name(), "Courier New");
  EXPECT_EQ(read.Size(), 17);
}

TEST(TQRLabelEditor, WithoutALabelItEditsNothing) {
  TQRLabelEditor editor;
  TColor color = clNone;
  TFont font;
  EXPECT_FALSE(editor.GetColor(color));
  EXPECT_FALSE(editor.GetFont(font));
  EXPECT_EQ(editor.GetCaption(), "");
  editor.SetCaption("Boş");  // no label: nothing to write, nothing breaks
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  EXPECT_FALSE(editor.Edit());
  EXPECT_TRUE(dialogs.Records().empty());
}

TEST_F(LabelEditorTest, FormShowsTheLabelAndOkWritesItBack) {
  Answer({[](TQRLabelEditorForm& form) {
    EXPECT_EQ(form.Value->Text(), "Fiyat");
    EXPECT_EQ(form.Width->Text(), FloatToStr(40));
    EXPECT_EQ(form.Height->Text(), FloatToStr(12));
    EXPECT_FALSE(form.AutoSize->Checked());
    EXPECT_TRUE(form.Stretch->Checked());
    EXPECT_TRUE(form.Transparent->Checked());
    form.Value->SetText("Birim fiyat");
    form.Width->SetText(FloatToStr(52.5));
    form.Height->SetText("15");
    form.AutoSize->SetChecked(true);
    form.Stretch->SetChecked(false);
    form.Transparent->SetChecked(false);
    form.OKButton->Click();
  }});
  EXPECT_TRUE(editor.Edit());
  EXPECT_EQ(label->Caption(), "Birim fiyat");
  EXPECT_DOUBLE_EQ(static_cast<double>(label->Size()->Width()), 52.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(label->Size()->Height()), 15);
  EXPECT_TRUE(label->AutoSize());
  EXPECT_FALSE(label->AutoStretch());
  EXPECT_FALSE(label->Transparent());
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Caption, "Text Settings");
}

TEST_F(LabelEditorTest, CancelWritesNothing) {
  Answer({[](TQRLabelEditorForm& form) {
    form.Value->SetText("Başka");
    form.Width->SetText("99");
    form.AutoSize->SetChecked(true);
    form.CancelButton->Click();
  }});
  EXPECT_FALSE(editor.Edit());
  EXPECT_EQ(label->Caption(), "Fiyat");
  EXPECT_DOUBLE_EQ(static_cast<double>(label->Size()->Width()), 40);
  EXPECT_FALSE(label->AutoSize());
}

// A width or height that is not a number is said in Turkish and the form
// comes back with what was typed; nothing reaches the label until both
// sizes read, and a cancel then leaves the label as it was.
TEST_F(LabelEditorTest, SizeThatIsNoNumberIsAskedAgainWithNothingWritten) {
  struct Case {
    const char* width;
    const char* height;
  };
  for (const Case c : {Case{"abc", "15"}, Case{"20", ""}, Case{"1e", "x"}}) {
    SCOPED_TRACE(std::string(c.width) + " / " + c.height);
    shown = 0;
    dialogs.AnswerButton(mrOk);
    Answer({[c](TQRLabelEditorForm& form) {
              form.Value->SetText("Yeni");
              form.Width->SetText(c.width);
              form.Height->SetText(c.height);
              form.OKButton->Click();
            },
            [c](TQRLabelEditorForm& form) {
              EXPECT_EQ(form.Value->Text(), "Yeni");
              EXPECT_EQ(form.Width->Text(), c.width);
              EXPECT_EQ(form.Height->Text(), c.height);
              form.CancelButton->Click();
            }});
    EXPECT_FALSE(editor.Edit());
    EXPECT_EQ(shown, 2u);
    EXPECT_EQ(label->Caption(), "Fiyat");
    EXPECT_DOUBLE_EQ(static_cast<double>(label->Size()->Width()), 40);
    const TDialogRecord& said = dialogs.Records()[dialogs.Records().size() - 2];
    EXPECT_EQ(said.Kind, TDialogKind::MessageDlg);
    EXPECT_EQ(said.Text, SQRLabelSizeNotANumber);
  }

  // Put right the second time, the values are written.
  shown = 0;
  dialogs.AnswerButton(mrOk);
  Answer({[](TQRLabelEditorForm& form) {
            form.Width->SetText("?");
            form.OKButton->Click();
          },
          [](TQRLabelEditorForm& form) {
            form.Width->SetText("30");
            form.OKButton->Click();
          }});
  EXPECT_TRUE(editor.Edit());
  EXPECT_DOUBLE_EQ(static_cast<double>(label->Size()->Width()), 30);
}

}  // namespace
