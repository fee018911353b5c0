#include "reportengine/preview/qrlabeleditor.h"

#include "classlib/forms/dialogs.h"
#include "classlib/graphics/font.h"
#include "classlib/system/numconv.h"
#include "reportengine/preview/qrlabeleditorform.h"
#include "reportengine/printables/qrlabel.h"

IMPLEMENT_CLASS(TQRLabelEditor)

TQRCustomLabel* TQRLabelEditor::Label() const { return dynamic_cast<TQRCustomLabel*>(Printable()); }

bool TQRLabelEditor::GetColor(TColor& Color) {
  if (Label() == nullptr)
    return false;
  Color = Label()->Color();
  return true;
}

bool TQRLabelEditor::GetFont(TFont& Font) {
  if (Label() == nullptr)
    return false;
  Font.Assign(Label()->Font());
  return true;
}

TClass TQRLabelEditor::EditedClass() { return TQRLabel::StaticClass(); }

AnsiString TQRLabelEditor::GetCaption() { return Label() != nullptr ? Label()->Caption() : AnsiString(); }

AnsiString TQRLabelEditor::EditorName() { return "QRLABEL"; }

AnsiString TQRLabelEditor::Description() { return "Text Control"; }

void TQRLabelEditor::SetColor(TColor Color) {
  if (Label() != nullptr)
    Label()->SetColor(Color);
}

void TQRLabelEditor::SetFont(TFont& Font) {
  if (Label() != nullptr)
    Label()->Font()->Assign(&Font);
}

void TQRLabelEditor::SetCaption(const AnsiString& Caption) {
  if (Label() != nullptr)
    Label()->SetCaption(Caption);
}

namespace {

struct FormFreer {
  TQRLabelEditorForm* form;
  ~FormFreer() { form->Free(); }
};

}  // namespace

bool TQRLabelEditor::Edit() {
  TQRCustomLabel* label = Label();
  if (label == nullptr)
    return false;
  FormFreer owner{NewForm<TQRLabelEditorForm>(nullptr)};
  TQRLabelEditorForm& form = *owner.form;
  form.Value->SetText(label->Caption());
  form.Width->SetText(FloatToStr(static_cast<double>(label->Size()->Width())));
  form.Height->SetText(FloatToStr(static_cast<double>(label->Size()->Height())));
  form.AutoSize->SetChecked(label->AutoSize());
  form.Stretch->SetChecked(label->AutoStretch());
  form.Transparent->SetChecked(label->Transparent());
  double width = 0;
  double height = 0;
  for (;;) {
    if (form.ShowModal() != mrOk)
      return false;
    if (TryStrToFloat(form.Width->Text(), width) && TryStrToFloat(form.Height->Text(), height))
      break;
    MessageDlg(SQRLabelSizeNotANumber, mtError, TMsgDlgButtons{mbOK}, 0);
  }
  label->SetCaption(form.Value->Text());
  label->Size()->SetWidth(width);
  label->Size()->SetHeight(height);
  label->SetAutoSize(form.AutoSize->Checked());
  label->SetAutoStretch(form.Stretch->Checked());
  label->SetTransparent(form.Transparent->Checked());
  return true;
}
