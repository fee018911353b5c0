// TK_VtAracEkleF: the tools menu's entry dialog. It adds a user entry (add
// mode) or changes the entry of the list editor's selected row: its name,
// its program file (typed or browsed) and its shortcut. A fixed entry's
// name cannot be typed over.
#pragma once
#include "classlib/comctrls/hotkey.h"
#include "classlib/comctrls/statusbar.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/forms.h"
#include "components/core/uitext.h"
#include "components/vtbtnedit.h"
#include "components/vtformheader.h"
#include "components/vtwinbutton.h"

class TK_VtAracMenuF;
class TAraclarItem;

class TK_VtAracEkleF : public TForm {
  DECLARE_CLASS(TK_VtAracEkleF, TForm)

public:
  explicit TK_VtAracEkleF(TComponent* AOwner);

  TK_VtAracMenuF* MenuF = nullptr;
  bool AddMode = false;
  TTranslateFormEvent OnTranslateForm;
  TTranslateTextEvent OnTranslateText;

  TVTFormHeader* VTFormHeader1 = nullptr;
  TEdit* EditNAME = nullptr;
  TVtBtnEdit* EditYOL = nullptr;
  THotKey* HotKey1 = nullptr;
  TVtWinButton* BitBtn1 = nullptr;  // "Tamam"
  TVtWinButton* BitBtn2 = nullptr;  // "İptal"
  TStatusBar* StatusBar1 = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* kapat = nullptr;

  // The entry being changed: that of the list editor's selected row.
  TAraclarItem* Entry() const;

  void FormShow(TObject* Sender);
  void DosyaYukle();
  void EditYOLBtnClick(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  void kapatExecute(TObject* Sender);

private:
  void SetClientSize();
  void BuildParts();
};
