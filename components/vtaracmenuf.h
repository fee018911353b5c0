// TK_VtAracMenuF: the tools menu's list editor. It shows every entry of a
// TVtAraclar (the fixed ones first, then the user's), removes user entries
// and opens the entry dialog to add one or change one. It works on the
// component's lists directly; TVtAraclar.MenuDuzenle saves the files and
// builds the menu again after it closes.
#pragma once
#include "classlib/comctrls/statusbar.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/imagelist.h"
#include "classlib/stdctrls/listbox.h"
#include "components/core/uitext.h"
#include "components/vtformheader.h"
#include "components/vtwinbutton.h"

class TVtAraclar;
class TAraclarItem;

// A message box of the tools menu's dialogs, through the dialog service;
// gives the button pressed.
int AracMessageBox(const AnsiString& Caption, const AnsiString& Text, UINT Flags);

class TK_VtAracMenuF : public TForm {
  DECLARE_CLASS(TK_VtAracMenuF, TForm)

public:
  explicit TK_VtAracMenuF(TComponent* AOwner);

  TVtAraclar* Araclar = nullptr;
  TTranslateFormEvent OnTranslateForm;
  TTranslateTextEvent OnTranslateText;

  TVTFormHeader* VTFormHeader1 = nullptr;
  TLabel* Label1 = nullptr;
  TListBox* ListBox1 = nullptr;
  TVtWinButton* BitBtn1 = nullptr;  // "Kaldır"
  TVtWinButton* BitBtn2 = nullptr;  // "Düzenle"
  TVtWinButton* BitBtn3 = nullptr;  // "Ekle"
  TVtWinButton* BitBtn4 = nullptr;  // "Kapat"
  TImageList* ImageList1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* kapat = nullptr;

  // The entry of a list row: rows 0 to F - 1 are the fixed entries, the
  // rows after them the user's; nullptr for a row that is none.
  TAraclarItem* EntryOfRow(int Row) const;
  bool IsUserRow(int Row) const;

  void FormShow(TObject* Sender);
  void arac_yukle();
  void ListBox1Click(TObject* Sender);
  void BitBtn1Click(TObject* Sender);
  // "Düzenle" and "Ekle".
  void BitBtn2Click(TObject* Sender);
  void kapatExecute(TObject* Sender);

private:
  void SetClientSize();
  void BuildParts();
  TVtWinButton* MakeButton(const char* Name, const AnsiString& Caption, int Left, int ImageIndex,
                           const TNotifyEvent& OnClick);
  // The "select a row first" message.
  void ShowSelectFirst();
};
