#include "reportengine/preview/qrprogressform.h"

#include <memory>

#include "classlib/forms/application.h"
#include "classlib/system/numconv.h"
#include "reportengine/printer/qrprinter.h"

IMPLEMENT_CLASS(TQRProgressForm)

TQRProgressForm::TQRProgressForm(TComponent* AOwner) : TForm(AOwner) {
  SetName("QRProgressForm");
  SetCaption("Printing progress");
  SetBorderStyle(bsDialog);
  SetFormStyle(fsStayOnTop);
  SetPosition(poScreenCenter);
  // The client size counts only once the window has its dialog frame.
  HandleNeeded();
  SetClientWidth(149);
  SetClientHeight(97);

  Gauge = new TProgressBar(this);
  Gauge->SetName("Gauge");
  Gauge->SetParent(this);
  Gauge->SetBounds(8, 8, 133, 17);
  Gauge->SetMin(0);
  Gauge->SetMax(100);

  Info = new TLabel(this);
  Info->SetName("Info");
  Info->SetParent(this);
  Info->SetAutoSize(false);
  Info->SetAlignment(taCenter);
  Info->SetBounds(8, 32, 133, 13);
  Info->SetCaption("");

  CancelButton = new TButton(this);
  CancelButton->SetName("CancelButton");
  CancelButton->SetParent(this);
  CancelButton->SetBounds(37, 60, 75, 25);
  CancelButton->SetCaption("Cancel");
  CancelButton->OnClick = Method<&TQRProgressForm::CancelButtonClick>(this);
}

AnsiString QRProgressText(int percent) { return IntToStr(percent) + "% " + " Completed"; }

void TQRProgressForm::CancelButtonClick(TObject*) {
  if (printer_ != nullptr)
    printer_->Cancel();
}

void TQRProgressForm::Dispatch(TMessage& Message) {
  if (Message.Msg == QRM_PROGRESS) {
    ShowProgress();
    return;
  }
  TForm::Dispatch(Message);
}

// Only steps of 5 are shown: redrawing for every percent would slow the
// printing it reports on.
void TQRProgressForm::ShowProgress() {
  if (printer_ == nullptr)
    return;
  const int percent = printer_->Progress();
  if (percent % 5 != 0)
    return;
  Gauge->SetPosition(percent);
  Info->SetCaption(QRProgressText(percent));
  Application->ProcessMessages();
}

namespace {

// The printer object's view of the form: shown and hidden around the run.
class TProgressWindow : public TQRPrintProgress {
public:
  explicit TProgressWindow(TQRPrinter& printer) : form_(new TQRProgressForm(nullptr)) {
    form_->SetQRPrinter(&printer);
  }
  ~TProgressWindow() override { form_->Free(); }
  TWinControl* Target() override { return form_; }
  void Show() override { form_->Show(); }
  void Hide() override { form_->Hide(); }

private:
  TQRProgressForm* form_;
};

}  // namespace

std::unique_ptr<TQRPrintProgress> NewQRProgressWindow(TQRPrinter& printer) {
  return std::make_unique<TProgressWindow>(printer);
}

void RegisterQRProgressForm() { SetQRPrintProgressFactory(NewQRProgressWindow); }
