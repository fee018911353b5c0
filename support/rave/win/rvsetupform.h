// The output system's setup window: where the report goes (preview or
// printer), which printer and how many copies.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/radiogroup.h"
#include "classlib/stdctrls/rxspinedit.h"

enum class TRvDestination { Preview, Printer };

struct TRvSetup {
  TRvDestination Destination = TRvDestination::Preview;
  int PrinterIndex = -1;  // in the printer list; -1 the default printer
  int Copies = 1;
};

class TRvSetupForm : public TForm {
  DECLARE_CLASS(TRvSetupForm, TForm)

public:
  TRvSetupForm(TComponent* AOwner, const AnsiString& caption, const TRvSetup& setup);
  // What the window shows now.
  TRvSetup Setup();

  TRadioGroup* rgDestination = nullptr;  // "Önizleme", "Yazıcı"
  TComboBox* cbPrinter = nullptr;
  TRxSpinEdit* seCopies = nullptr;
  TButton* btnOk = nullptr;
  TButton* btnCancel = nullptr;
};
