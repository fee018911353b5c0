#include "support/rave/win/rvsetupform.h"

#include "classlib/controls/controlmaking.h"
#include "classlib/printers/printers.h"

IMPLEMENT_CLASS(TRvSetupForm)

namespace {

TLabel* MakeRvLabel(TComponent* owner, TWinControl* parent, const AnsiString& caption, int left, int top) {
  TLabel* label = MakeControlAt<TLabel>(owner, parent, "", left, top, 90, 16);
  label->SetCaption(caption);
  return label;
}

TButton* MakeRvButton(TComponent* owner, TWinControl* parent, const char* name, const AnsiString& caption, int left,
                      TModalResult result) {
  TButton* button = MakeControlAt<TButton>(owner, parent, name, left, 150, 90, 25);
  button->SetCaption(caption);
  button->SetModalResult(result);
  return button;
}

}  // namespace

TRvSetupForm::TRvSetupForm(TComponent* AOwner, const AnsiString& caption, const TRvSetup& setup) : TForm(AOwner) {
  SetName("RvSetupForm");
  SetCaption(caption);
  SetBorderStyle(bsDialog);
  SetClientWidth(330);
  SetClientHeight(185);
  SetPosition(poScreenCenter);

  rgDestination = MakeControlAt<TRadioGroup>(this, this, "rgDestination", 8, 8, 314, 45);
  rgDestination->SetCaption("Çıktı");
  rgDestination->SetColumns(2);
  rgDestination->Items()->Add("Önizleme");
  rgDestination->Items()->Add("Yazıcı");
  rgDestination->SetItemIndex(setup.Destination == TRvDestination::Printer ? 1 : 0);

  MakeRvLabel(this, this, "Yazıcı", 8, 66);
  cbPrinter = MakeControlAt<TComboBox>(this, this, "cbPrinter", 100, 62, 222, 21);
  cbPrinter->SetStyle(csDropDownList);
  try {
    cbPrinter->Items()->Assign(&Printer().Printers());
    cbPrinter->SetItemIndex(setup.PrinterIndex >= 0 ? setup.PrinterIndex : Printer().PrinterIndex());
  } catch (const Exception&) {
    // No printer: only the preview can be chosen.
  }

  MakeRvLabel(this, this, "Kopya", 8, 100);
  seCopies = MakeControlAt<TRxSpinEdit>(this, this, "seCopies", 100, 96, 70, 21);
  seCopies->SetMinValue(1);
  seCopies->SetMaxValue(999);
  seCopies->SetValue(setup.Copies < 1 ? 1 : setup.Copies);

  btnOk = MakeRvButton(this, this, "btnOk", "Tamam", 132, mrOk);
  btnOk->SetDefault(true);
  btnCancel = MakeRvButton(this, this, "btnCancel", "İptal", 232, mrCancel);
  btnCancel->SetCancel(true);
}

TRvSetup TRvSetupForm::Setup() {
  TRvSetup setup;
  setup.Destination = rgDestination->ItemIndex() == 1 ? TRvDestination::Printer : TRvDestination::Preview;
  setup.PrinterIndex = cbPrinter->ItemIndex();
  setup.Copies = seCopies->AsInteger() < 1 ? 1 : seCopies->AsInteger();
  return setup;
}
