// TRaporSecF, the report chooser. In management mode ("Rapor Ayarlari") it
// edits a report list file: layouts are added, removed, described, designed
// and made the default, and the chooser option, the printer and the copy
// count are set; "Kaydet" writes the file. In selection mode ("Rapor
// Seciniz") only the list and "Tamam" are usable and the confirmed row's
// layout file is the answer.
//
// The top row "Varsayilan" stands for the host's own default layout and is
// never written. The check boxes act as radio buttons: checking a row
// unchecks the others, unchecking the only checked row checks it again.
// Every text shown goes through the report component's translate hook, and
// its form-open hook sees the form before it is used. A list file that
// cannot be read is reported in Turkish and the form closes without
// touching it.
#pragma once
#include "classlib/comctrls/listview.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/rxspinedit.h"
#include "components/vtformheader.h"

class TVtRapor;

class TRaporSecF : public TForm {
  DECLARE_CLASS(TRaporSecF, TForm)

public:
  explicit TRaporSecF(TComponent* AOwner);

  // ---- Set by the opener before showing ----
  AnsiString ListFileName;
  // The host's default layout (the top row's file).
  AnsiString DefaultLayout;
  // May be nullptr: then the texts stand as written and designing is off.
  TVtRapor* VtRapor = nullptr;

  // ---- Answer of selection mode: the confirmed row's file, or empty ----
  AnsiString ChosenFile;

  // Header "Rapor Seciniz", management panel hidden, "Tamam" shown.
  void SetSelectionMode();
  // A text through the report component's translate hook (as it stands
  // without a component or hook).
  AnsiString Translate(const AnsiString& Text) const;

  // ---- Controls ----
  TVTFormHeader* VTFormHeader1 = nullptr;
  TPanel* Panel1 = nullptr;  // "Eklenmis Raporlar"
  TListView* ListView1 = nullptr;
  TPanel* Panel2 = nullptr;  // the management controls
  TButton* Button1 = nullptr;  // "Ekle"
  TButton* Button2 = nullptr;  // "Kaldir"
  TButton* Button3 = nullptr;  // "Tasarla"
  TButton* Button4 = nullptr;  // "Aciklama"
  TButton* Button7 = nullptr;  // "Yeni Tasarim"
  TButton* Button6 = nullptr;  // "Kapat"
  TButton* Button5 = nullptr;  // "Kaydet"
  TCheckBox* CheckBox1 = nullptr;  // "Yazdirmadan once rapor seceneklerini bana goster"
  TLabel* Label1 = nullptr;        // "Yazici"
  TComboBox* ComboBoxPrinters = nullptr;
  TLabel* Label2 = nullptr;        // "Kopya"
  TRxSpinEdit* RxSpinEditKopya = nullptr;
  TPanel* Panel3 = nullptr;  // holds "Tamam" in selection mode
  TButton* ButtonRaporSec = nullptr;  // "Tamam"
  TOpenDialog* OD = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* Kapat = nullptr;  // Esc

  // ---- Handlers ----
  void FormShow(TObject* Sender);
  void ListView1Changing(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange);
  void ListView1Change(TObject* Sender, TListItem* Item, TItemChange Change);
  void ListView1Editing(TObject* Sender, TListItem* Item, bool& AllowEdit);
  void Button1Click(TObject* Sender);  // "Ekle"
  void Button2Click(TObject* Sender);  // "Kaldir"
  void Button3Click(TObject* Sender);  // "Tasarla"
  void Button4Click(TObject* Sender);  // "Aciklama"
  void Button5Click(TObject* Sender);  // "Kaydet"
  void Button7Click(TObject* Sender);  // "Yeni Tasarim"
  void KapatExecute(TObject* Sender);
  void ButtonRaporSecClick(TObject* Sender);

private:
  void CreateControls();
  void CreateManagementControls();
  void TranslateTexts();
  void FillList();
  void AddRow(const AnsiString& FileName, const AnsiString& Description);
  void CheckOnly(TListItem* Item);
  static bool RememberedChecked(const TListItem* Item);
  static void RememberChecked(TListItem* Item, bool Checked);
  void RememberCheckMarks();
  void Finish(TModalResult Result);
  // A list file that cannot be read or written, told in an error box.
  void ShowListError(const Exception& Error);

  bool FUpdating = false;
  bool FTextsTranslated = false;
};

// The chooser in management mode for a list file; returns when it closes.
void ShowReportManagerForm(const AnsiString& ListFile, const AnsiString& DefaultLayout, TVtRapor* Report);
// The chooser in selection mode: the confirmed layout file, or "" when the
// window was closed without "Tamam" (a cancel).
AnsiString ChooseReportForm(const AnsiString& ListFile, const AnsiString& DefaultLayout, TVtRapor* Report);
