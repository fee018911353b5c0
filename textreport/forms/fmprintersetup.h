// The text report's printer setup: the platform's print dialog (printer,
// page range, copies, collate, print to file) with the engine's own options
// beside it in the same window: convert to the OEM code page and the
// printer model whose escape strings the output uses.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/groupbox.h"
#include "textreport/forms/formcommondialog.h"
#include "textreport/output/zrprntr.h"

class TfmPrinterSetup : public TForm {
  DECLARE_CLASS(TfmPrinterSetup, TForm)

public:
  explicit TfmPrinterSetup(TComponent* AOwner);

  TFormPrintCommonDialog* FormPrintCommonDialog = nullptr;
  TGroupBox* gbOptions = nullptr;
  TLabel* lbEscapeModel = nullptr;
  TCheckBox* cbConvertToOEM = nullptr;
  // Kept for the options it stands for, but neither shown nor usable.
  TCheckBox* cbIgnoreFontStyles = nullptr;
  TComboBox* cbEscapeModel = nullptr;

  // Texts from the string table, the printer models in table order, and
  // the options placed right of the print dialog's room.
  void FormCreate(TObject* Sender);

  // Shows the form inside the print dialog filled from Dialog and Values;
  // when confirmed, the answers go back into both. A dialog that cannot
  // show counts as cancelled.
  bool Execute(TPrintDialog& Dialog, TZRSetupFormValues& Values);

private:
  void CreateControls();
};

// Makes the document's print setup show this form.
void InstallPrinterSetupForm();
