#include "layouts/stringlisteditorf.h"

#include "classlib/controls/controlmaking.h"
#include "layouts/designpickertables.h"
#include "layouts/dizaynanaf.h"

BEGIN_PUBLISHED(TStringListEditorF)
  METHOD(FormShow),
  METHOD(Button2Click),
END_PUBLISHED

namespace {

constexpr char StringListEditorTitle[] = "Yazi Editoru";

}  // namespace

TStringListEditorF::TStringListEditorF(TComponent* AOwner) : TForm(AOwner) {
  SetName("StringListEditorF");
  SetCaption(StringListEditorTitle);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(440);
  SetClientHeight(330);
  CreateControls();
  OnShow = Method<&TStringListEditorF::FormShow>(this);
}

void TStringListEditorF::CreateControls() {
  LabelTitle = MakeControlAt<TLabel>(this, this, "LabelTitle", 10, 8, 300, 18);
  LabelTitle->SetCaption(StringListEditorTitle);
  LabelTitle->Font()->SetStyle(TFontStyles{fsBold});
  Memo1 = MakeControlAt<TMemo>(this, this, "Memo1", 10, 32, 420, 250);
  Memo1->SetScrollBars(ssBoth);
  Memo1->SetWordWrap(false);
  Button1 = MakeControlAt<TButton>(this, this, "Button1", 274, 294, 75, 25);
  Button1->SetCaption("Vazgec");
  Button1->SetCancel(true);
  Button1->SetModalResult(mrCancel);
  Button2 = MakeControlAt<TButton>(this, this, "Button2", 355, 294, 75, 25);
  Button2->SetCaption("Tamam");
  Button2->OnClick = Method<&TStringListEditorF::Button2Click>(this);
}

void TStringListEditorF::FormShow(TObject*) {
  OpenPickerForm(DizaynAnaF, *this);
  Memo1->SetText(LinesText);
}

void TStringListEditorF::Button2Click(TObject*) {
  LinesText = Memo1->Text();
  SetModalResult(mrOk);
}
