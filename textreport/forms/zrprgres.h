// The window that shows how far a text report's build has come and lets
// the user cancel it. It sits in its document's progress slot while it
// lives; the document tells it the percent done (WM_USER, the percent in
// the first parameter), and its Cancel button cancels the document.
#pragma once
#include "classlib/comctrls/progressbar.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/bitbtn.h"
#include "textreport/output/zrprntr.h"

class TZRProgressForm : public TForm, public IZRDocumentForm {
  DECLARE_CLASS(TZRProgressForm, TForm)

public:
  // Made with the application as owner, attached to Document.
  TZRProgressForm(TComponent* AOwner, TZRPrinter* Document);
  explicit TZRProgressForm(TComponent* AOwner) : TZRProgressForm(AOwner, nullptr) {}
  ~TZRProgressForm() override;

  TLabel* Info = nullptr;
  TProgressBar* Gauge = nullptr;
  TBitBtn* Cancel = nullptr;

  TZRPrinter* Document() const { return FDocument; }
  // Leaves the old document's slot and takes the new one's.
  void SetDocument(TZRPrinter* Value);

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void CancelClick(TObject* Sender);

  void Dispatch(TMessage& Message) override;

  // What the document asks of its progress form.
  void DocumentNotice(unsigned Message, int Value) override;
  void CloseForm() override;
  void ShowForm() override;
  void ReleaseForm() override;

private:
  void CreateControls();
  TZRPrinter* FDocument = nullptr;
};

// Every text report run made from now on gets a progress form.
void InstallProgressForm();
