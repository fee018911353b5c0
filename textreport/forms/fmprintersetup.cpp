#include "textreport/forms/fmprintersetup.h"

#include "classlib/controls/controlmaking.h"

#include "classlib/forms/application.h"
#include "textreport/core/zrconst.h"
#include "textreport/core/zrescapemodels.h"
#include "textreport/forms/formclientsize.h"

BEGIN_PUBLISHED(TfmPrinterSetup)
  METHOD(FormCreate),
END_PUBLISHED

TfmPrinterSetup::TfmPrinterSetup(TComponent* AOwner) : TForm(AOwner) {
  SetName("fmPrinterSetup");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetBounds(0, 0, 487, 333);
  CreateControls();
  OnCreate = Method<&TfmPrinterSetup::FormCreate>(this);
}

void TfmPrinterSetup::CreateControls() {
  FormPrintCommonDialog = MakeControlAt<TFormPrintCommonDialog>(this, this, "FormPrintCommonDialog", 0, 0, 432, 302);
  FormPrintCommonDialog->SetVisible(false);
  gbOptions = MakeControlAt<TGroupBox>(this, this, "gbOptions", 432, 4, 200, 120);
  gbOptions->SetCaption("");
  lbEscapeModel = MakeControlAt<TLabel>(this, gbOptions, "lbEscapeModel", 8, 64, 180, 14);
  cbConvertToOEM = MakeControlAt<TCheckBox>(this, gbOptions, "cbConvertToOEM", 8, 16, 184, 17);
  cbIgnoreFontStyles = MakeControlAt<TCheckBox>(this, gbOptions, "cbIgnoreFontStyles", 8, 38, 184, 17);
  cbIgnoreFontStyles->SetVisible(false);
  cbIgnoreFontStyles->SetEnabled(false);
  cbEscapeModel = MakeControlAt<TComboBox>(this, gbOptions, "cbEscapeModel", 8, 82, 184, 21);
  cbEscapeModel->SetStyle(csDropDownList);
}

void TfmPrinterSetup::FormCreate(TObject*) {
  cbConvertToOEM->SetCaption(LoadZRString(SZRConvertToOEM));
  cbIgnoreFontStyles->SetCaption(LoadZRString(SZRIgnoreFontStyles));
  lbEscapeModel->SetCaption(AnsiString(LoadZRString(SZREscapeSequence)) + ":");
  SetCaption(LoadZRString(SZRPrinterSetup));
  FormPrintCommonDialog->SetOkButtonCaption(LoadZRString(SZROk));
  FormPrintCommonDialog->SetCancelButtonCaption(LoadZRString(SZRCancel));
  FormPrintCommonDialog->SetHelpButtonCaption(LoadZRString(SZRHelp));
  cbEscapeModel->Items()->BeginUpdate();
  for (int model = 0; model < ZREscapeModelCount; ++model)
    cbEscapeModel->Items()->Add(EscapeModelName(static_cast<TZREscapeModel>(model)));
  cbEscapeModel->Items()->EndUpdate();
  cbEscapeModel->SetItemIndex(2);
  gbOptions->SetLeft(FormPrintCommonDialog->Width());
  SetFormClientSize(*this, gbOptions->Left() + gbOptions->Width() + 8, Height() - FormFrameSize(*this).cy);
}

bool TfmPrinterSetup::Execute(TPrintDialog& Dialog, TZRSetupFormValues& Values) {
  TFormPrintCommonDialog& host = *FormPrintCommonDialog;
  host.SetOptions(Dialog.Options());
  host.SetMinPage(Dialog.MinPage());
  host.SetMaxPage(Dialog.MaxPage());
  host.SetCopies(Dialog.Copies());
  host.SetCollate(Dialog.Collate());
  host.SetFromPage(Dialog.FromPage());
  host.SetToPage(Dialog.ToPage());
  host.SetPrintRange(Dialog.PrintRange());
  host.SetPrintToFile(Dialog.PrintToFile());
  cbConvertToOEM->SetChecked(Values.OEMConvert);
  cbIgnoreFontStyles->SetChecked(Values.IgnoreStyles);
  if (Values.ModelIndex >= 0 && Values.ModelIndex < cbEscapeModel->Items()->Count())
    cbEscapeModel->SetItemIndex(Values.ModelIndex);
  if (!host.Execute())
    return false;
  Dialog.SetCopies(host.Copies());
  Dialog.SetCollate(host.Collate());
  Dialog.SetFromPage(host.FromPage());
  Dialog.SetToPage(host.ToPage());
  Dialog.SetPrintRange(host.PrintRange());
  Dialog.SetPrintToFile(host.PrintToFile());
  Values.OEMConvert = cbConvertToOEM->Checked();
  Values.IgnoreStyles = cbIgnoreFontStyles->Checked();
  Values.ModelIndex = cbEscapeModel->ItemIndex();
  return true;
}

void InstallPrinterSetupForm() {
  TZRPrinter::SetupForm = [](TPrintDialog& dialog, TZRSetupFormValues& values) {
    TfmPrinterSetup* form = NewForm<TfmPrinterSetup>(Application);
    struct Free {
      TfmPrinterSetup* Form;
      ~Free() { Form->Free(); }
    } free{form};
    return form->Execute(dialog, values);
  };
}
