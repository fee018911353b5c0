// TQRProgressForm: the small window shown while stored pages print. It is the
// printer object's notify target for the run, shows each progress step of 5
// percent, and its Cancel button cancels the printer object.
#pragma once
#include <memory>

#include "classlib/comctrls/progressbar.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"

class TQRPrinter;
class TQRPrintProgress;

class TQRProgressForm : public TForm {
  DECLARE_CLASS(TQRProgressForm, TForm)

public:
  explicit TQRProgressForm(TComponent* AOwner);

  TQRPrinter* QRPrinter() const { return printer_; }
  void SetQRPrinter(TQRPrinter* Value) { printer_ = Value; }

  void CancelButtonClick(TObject* Sender);
  void Dispatch(TMessage& Message) override;

  TProgressBar* Gauge = nullptr;
  TLabel* Info = nullptr;
  TButton* CancelButton = nullptr;

private:
  void ShowProgress();

  TQRPrinter* printer_ = nullptr;
};

// The progress text for a percentage: "50%  Completed".
AnsiString QRProgressText(int percent);

// The form as the printer object's progress window, reporting on `printer`.
std::unique_ptr<TQRPrintProgress> NewQRProgressWindow(TQRPrinter& printer);
// Makes stored-page printing show this form while it runs.
void RegisterQRProgressForm();
