// TAnaF, the main form: the record page "Dozuri Kayıt" (twenty data edits,
// the record grid, sort box, navigator and the filter panel), the print page
// "Dozuri Basımı" (saved records, the label commands, the labels to print),
// the main menu, the form header and the components the whole shell uses.
// Creating it prepares the data folder, opens both tables and reads the
// record file; closing it asks first and saves the records.
#pragma once
#include <array>

#include "classlib/comctrls/pagecontrol.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/data/datasource.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/dbctrls/dbedit.h"
#include "classlib/dbctrls/dbgrid.h"
#include "classlib/dbctrls/dbnavigator.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/appevnts.h"
#include "classlib/forms/forms.h"
#include "classlib/forms/menus.h"
#include "classlib/graphics/imagelist.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/image.h"
#include "classlib/stdctrls/rxspeedbutton.h"
#include "classlib/stdctrls/speedbutton.h"
#include "app/recordfilter.h"
#include "app/recordtables.h"
#include "components/bididbnavigator.h"
#include "components/vtaraclar.h"
#include "components/vtcalc.h"
#include "components/vtformheader.h"
#include "layouts/vtrapor.h"

class TAnaF : public TForm {
  DECLARE_CLASS(TAnaF, TForm)

public:
  explicit TAnaF(TComponent* AOwner);

  // ---- Components (made with the form, freed with it) ----
  TRxMemoryData* RxBarkod = nullptr;
  TRxMemoryData* RxEtiket = nullptr;
  TDataSource* RxBarkod_S = nullptr;
  TDataSource* RxEtiket_S = nullptr;
  TApplicationEvents* ApplicationEvents1 = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* Kapat = nullptr;
  TAction* Filtrele = nullptr;
  TAction* Hepsi = nullptr;
  TImageList* ImageList1 = nullptr;
  TImage* ImageBaslik1 = nullptr;
  TVtRapor* VtRapor = nullptr;
  TVtAraclar* VtAraclar1 = nullptr;  // the tools menu under "Araçlar"
  TVtCalc* VtCalc1 = nullptr;
  TVTFormHeader* VTFormHeader1 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;  // "Dozuri 3 Modu"

  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* FarklKaydet1 = nullptr;        // "Excel den Veri Al"
  TMenuItem* mBarkodBilgileriniS1 = nullptr;  // "Tüm Dozuri Bilgilerini Sil"
  TMenuItem* k1 = nullptr;                  // "Çıkış"
  TMenuItem* Araclar1 = nullptr;            // "Araçlar"
  TMenuItem* AralarMensnDzenle1 = nullptr;
  TMenuItem* Yardm2 = nullptr;
  TMenuItem* rtibat1 = nullptr;
  TMenuItem* BarkodHakknda1 = nullptr;
  TMenuItem* WebSiteItem = nullptr;
  TMenuItem* ProgramSrmnKontrolEt1 = nullptr;

  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabKayit = nullptr;  // "Dozuri Kayıt"
  TTabSheet* TabBasim = nullptr;  // "Dozuri Basımı"

  // Record page.
  std::array<TLabel*, RecordFieldCount> MetinLabels{};
  std::array<TDBEdit*, RecordFieldCount> MetinEdits{};
  TComboBox* ComboBox1 = nullptr;  // "Sıralama"
  TBiDiDBNavigator* DBNavigator1 = nullptr;
  TPanel* PanelGrid = nullptr;
  TDBGrid* DBGrid1 = nullptr;

  // The filter panel "Kayıt Filtreleme"; it moves between the pages.
  TPanel* PanelFiltre = nullptr;
  std::array<TComboBox*, 3> FilterFields{};
  std::array<TEdit*, 3> FilterValues{};
  TButton* Button6 = nullptr;  // "Filtrele"
  TButton* Button7 = nullptr;  // "Hepsi"

  // Print page.
  TPanel* PanelKayitli = nullptr;
  TDBGrid* DBGrid2 = nullptr;  // "Kayıtlı Dozuri Bilgileri"
  TPanel* PanelOrta = nullptr;
  // The print drop-down "Yazdır": its menu holds "Yazdır", "Önizleme Yap",
  // a separator and "Ayarlar".
  TRxSpeedButton* ButtonYazdir = nullptr;
  TPopupMenu* PopupYazdir = nullptr;
  TMenuItem* Yazdir1 = nullptr;
  TMenuItem* Onizleme1 = nullptr;
  TMenuItem* Ayarla1 = nullptr;
  std::array<TButton*, 4> LabelCommandButtons{};  // ">", "<", ">>", "<<"
  TPanel* PanelEtiket = nullptr;
  TDBGrid* DBGrid3 = nullptr;  // "Basılacak Etiketler"
  TPanel* PanelUret = nullptr;
  TButton* Button5 = nullptr;  // "Otomatik Dozuri Üret"

  // ---- Handlers ----
  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ApplicationEvents1Exception(TObject* Sender, Exception* E);
  void PageControl1Change(TObject* Sender);
  void TabBasimResize(TObject* Sender);
  void DBGrid2KeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

  void RxBarkodFilterRecord(TDataSet* DataSet, bool& Accept);
  // A filter field box or value edit changed: the rule is made again.
  void FilterInputChange(TObject* Sender);
  void RxBarkodBeforeInsert(TDataSet* DataSet);
  void Button6Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  void EditFiltre1KeyPress(TObject* Sender, char& Key);
  void ComboBox1Change(TObject* Sender);
  void DBEdit1KeyPress(TObject* Sender, char& Key);
  void mBarkodBilgileriniS1Click(TObject* Sender);
  // "Excel den Veri Al": the Excel import form, modally.
  void FarklKaydet1Click(TObject* Sender);

  // The label commands ">", "<", ">>" and "<<".
  void Button1Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  // "Otomatik Dozuri Üret": the code generator.
  void Button5Click(TObject* Sender);

  // The print request ("Yazdır" prints, "Önizleme Yap" previews), the
  // report settings and the answers the main form gives a running layout.
  void YazdirClick(TObject* Sender);
  void AyarlaClick(TObject* Sender);
  void VtRaporGetDataSet(TObject* Sender, AnsiString DataStr, TDataSet*& Gdataset);
  void VtRaporGetParam(TObject* Sender, TComponent*& Component, AnsiString ParamStr, AnsiString& GValue);
  void VtRaporGetPrinterIndex(TObject* Sender, int& PrnIndex);
  void VtRaporGetPrinterCopies(TObject* Sender, int& Copies);

  void k1Click(TObject* Sender);
  void KapatExecute(TObject* Sender);
  void Yardm2Click(TObject* Sender);
  void rtibat1Click(TObject* Sender);
  void WebSiteItemClick(TObject* Sender);
  // A fixed entry of the tools menu: the calculator, or one of the maker's
  // tools; a user entry: the user's program.
  void VtAraclar1SbtClick(TObject* Sender);
  // "Araçlar Menüsünü &Düzenle": the tools menu's editor.
  void AralarMensnDzenle1Click(TObject* Sender);
  void VtAraclar1TnmClick(TObject* Sender);
  void SpeedButton1Click(TObject* Sender);

  // Gives another form the main form's caption and header picture; nothing
  // in the program calls it.
  void FormAyar(TForm* Form, TImageList* ImageList, int ImageIndex);

  // Where the records are saved: the record file, or a new file beside it
  // when the record file was not read whole and could not be kept aside.
  AnsiString RecordSaveName() const;

  // The filter rows as the panel shows them now.
  TRecordFilter CurrentFilter() const;

private:
  void BuildComponents();
  void BuildToolComponents();
  void LoadToolsMenu();
  void BuildMenu();
  void BuildActions();
  void BuildHeader();
  void BuildRecordPage();
  void BuildRecordEdits(TWinControl* parent);
  void BuildSortAndNavigator(TWinControl* parent);
  void BuildFilterPanel();
  void BuildPrintPage();
  void PlaceFilterPanel();
  // Closes a dropped-down list or cancels an open cell editor; false when
  // there is none.
  bool EscapeClosesListOrEditor();
  // Cancels the insert or edit of a record; false when none is under way.
  bool EscapeCancelsRecordEdit();
  void SaveRecords();
  void WriteRecordFile();
  AnsiString recordSaveName_;
  void ClearFilter();
  // Makes the filter rule from the panel's rows and tells the record table.
  void UpdateFilterRule();
  TRecordFilterRule filterRule_;
  int AskLabelCount();
  void BuildReportComponent();
  void BuildPrintDropDown();
  // Asks where on the sheet the first label goes; 0 when the request ends.
  int AskStartPosition();
  // The layout the request runs, "" when the user cancelled the choice.
  AnsiString ChooseLayout();
  // Chooses, checks and runs the layout; false when the request ends unrun.
  bool RunPrintRequest(int Start, bool Preview);
};

extern TAnaF* AnaF;
