// TB3_AnaF, the sheet mode's form: the settings page "Ayarlar", a grid page
// per cell table, the toolbar and the menu "Dosya". The work, its states and
// its questions live in TSheetWork; the form shows them and keeps its
// controls and the document's settings in step.
#pragma once
#include <array>
#include <memory>

#include "app/sheet/sheetprompts.h"
#include "support/rave/win/rvsystem.h"
#include "classlib/comctrls/pagecontrol.h"
#include "classlib/comctrls/statusbar.h"
#include "classlib/comctrls/toolbar.h"
#include "classlib/data/datasource.h"
#include "classlib/dbctrls/dbgrid.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/forms.h"
#include "classlib/forms/menus.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/numedit.h"
#include "classlib/stdctrls/rxspinedit.h"
#include "components/vtformheader.h"

class TB3_AnaF : public TForm {
  DECLARE_CLASS(TB3_AnaF, TForm)

public:
  explicit TB3_AnaF(TComponent* AOwner);
  ~TB3_AnaF() override;

  TSheetDocument& Document() { return *document_; }
  TSheetWork& Work() { return *work_; }
  TSheetDialogPrompts& Prompts() { return *prompts_; }

  // ---- Commands
  void tbYeniClick(TObject* Sender);
  void tbAcClick(TObject* Sender);
  void ToolButton3Click(TObject* Sender);
  void tbKaydetClick(TObject* Sender);
  void btnReportClick(TObject* Sender);
  void FarklKaydet1Click(TObject* Sender);
  void tbKopyalaClick(TObject* Sender);
  void tbKopyala2Click(TObject* Sender);
  void tbKapatClick(TObject* Sender);

  // ---- Controls
  TVTFormHeader* VTFormHeader1 = nullptr;  // "Dozuri 3 Modu"
  TToolBar* ToolBar1 = nullptr;
  TToolButton *tbYeni = nullptr, *tbAc = nullptr, *ToolButton3 = nullptr, *tbKaydet = nullptr,
              *btnReport = nullptr, *tbKopyala = nullptr, *tbKopyala2 = nullptr, *tbKapat = nullptr;
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem *mKaydet = nullptr, *FarklKaydet1 = nullptr;
  TStatusBar* StatusBar1 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabAyarlar = nullptr;
  std::array<TTabSheet*, SheetTableCount> GridPages{};
  std::array<TDataSource*, SheetTableCount> Sources{};
  std::array<TDBGrid*, SheetTableCount> Grids{};
  TCurrencyEdit *ceSolBosluk = nullptr, *ceUstBosluk = nullptr, *ceSagBosluk = nullptr, *ceAltBosluk = nullptr;
  TCurrencyEdit *ceYukseklik = nullptr, *ceGenislik = nullptr, *ceDikeyAralik = nullptr, *ceYatayAralik = nullptr;
  TComboBox* cbKagit = nullptr;
  TRadioButton *rbYatay = nullptr, *rbDikey = nullptr;
  TRxSpinEdit *seSutun = nullptr, *seSatir = nullptr, *seSayfaSatir = nullptr;
  TComboBox* cbBarkodTipi = nullptr;
  TCurrencyEdit *ceBarkodYukseklik = nullptr, *ceBarGenisligi = nullptr, *ceBarkodUst = nullptr, *ceBarkodSol = nullptr;
  TCheckBox *cxCheckSum = nullptr, *cxCheckSumYazdir = nullptr, *cxKodYaz = nullptr;
  TCheckBox* cxYaziKullan = nullptr;
  TCurrencyEdit *ceYaziSol = nullptr, *ceYaziUst = nullptr;
  TButton* btnFont = nullptr;  // "Yazı Fontu": its font is the names' and prices' font
  TCheckBox* cxFiyatKullan = nullptr;
  TCurrencyEdit *ceFiyatSol = nullptr, *ceFiyatUst = nullptr;
  TActionList* ActionList1 = nullptr;
  // The sheet report's output system, set up with the form's titles.
  std::unique_ptr<TRvSystem> RvSystem1;

private:
  void BuildCommands();
  void BuildSettingsPage();
  void BuildGridPages();
  TCurrencyEdit* MakeLength(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top);
  TCheckBox* MakeCheck(TWinControl* parent, const char* name, const AnsiString& caption, int left, int top);
  void SettingChanged(TObject* Sender);
  void CountChanged(TObject* Sender);
  void FontClick(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  // Controls -> document settings and back.
  void ReadSettings();
  void ShowSettings();
  void ShowColumns();
  void ShowState();
  void PostPendingEdits();
  TRaveFont ReportFont();

  std::unique_ptr<TSheetDocument> document_;
  std::unique_ptr<TSheetDialogPrompts> prompts_;
  std::unique_ptr<TSheetWork> work_;
  bool showing_ = false;  // the controls are being set from the document
};
