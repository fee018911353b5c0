// The text preview's search dialog: the text to look for, case
// sensitivity, and whether to start from the current position. The
// preview makes it once and shows it modally for every search, so the text
// and the options stay as the user left them; the modal result says what
// to do: find (mrOk), continue the last search (mrRetry) or nothing.
#pragma once
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/bitbtn.h"
#include "classlib/stdctrls/checkbox.h"

class TfmSearch : public TForm {
  DECLARE_CLASS(TfmSearch, TForm)

public:
  explicit TfmSearch(TComponent* AOwner);

  TLabel* lbInvitation = nullptr;
  TEdit* edSearchStr = nullptr;
  TCheckBox* cbUseCase = nullptr;
  TCheckBox* cbFromCurrent = nullptr;
  TBitBtn* btFind = nullptr;
  TBitBtn* btCont = nullptr;
  TBitBtn* btCancel = nullptr;

  // Texts from the string table.
  void FormCreate(TObject* Sender);
  // The text box takes the focus.
  void FormShow(TObject* Sender);

private:
  void CreateControls();
};
