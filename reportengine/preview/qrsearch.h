// Finding a text on a page: the search dialog the preview asks with, and the
// scan of a page's metafile for the text.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/speedbutton.h"

class TMetafile;

// The text and the match-case choice; Cancelled tells whether the user
// pressed Cancel (or closed the window without searching).
class TSearchDlg : public TForm {
  DECLARE_CLASS(TSearchDlg, TForm)

public:
  explicit TSearchDlg(TComponent* AOwner);

  AnsiString SearchText() const { return Edit1->Text(); }
  bool MatchCase() const { return CheckBox1->Checked(); }
  bool Cancelled() const { return cancelled_; }

  void FormCreate(TObject* Sender);
  void SpeedButton2Click(TObject* Sender);  // Search
  void SpeedButton1Click(TObject* Sender);  // Cancel

  TLabel* Label1 = nullptr;
  TEdit* Edit1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;

private:
  bool cancelled_ = false;
};

// True when one text record of the page holds the text (upper-cased on both
// sides unless the case must match). An empty text is never found. Each
// search keeps its state on its own stack, so searches never wait for one
// another.
bool MetafileContainsText(const AnsiString& text, const TMetafile& metafile, bool matchCase);
