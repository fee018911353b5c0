// TDizaynAnaF, the report designer: a modal form on which a user edits one
// layout file. Its design stage holds the layout's report pages; a palette
// of prototypes creates printables on them, a component list picks one, the
// page tabs switch between pages, and the file commands open, save, preview
// and close the layout. One designer exists at a time: DizaynAnaF names it
// while it lives, for the dialogs and pickers that work on its pages.
//
// A layout is a text layout when the designer owns a checked check box
// named "CheckZReport" (the marker box, saved with the pages); its pages are
// then text pages, otherwise graphic pages. The prototype pages (tag -100)
// never count as pages of the layout.
//
// The form is built in units: dizaynanaf.cpp (state, showing, the ways in),
// dizaynanafregions.cpp (the regions and their components),
// dizaynanaffile.cpp (the save question and the file commands),
// dizaynanafpages.cpp (pages, tabs, the component list, the layout kind,
// new layouts), dizaynanafstage.cpp (the stage's events, the clipboard
// and z-order commands, the label sheet) and dizaynanafnew.cpp (the
// new-layout commands and their presets).
#pragma once
#include "classlib/comctrls/statusbar.h"
#include "classlib/comctrls/tabcontrol.h"
#include "classlib/comctrls/toolbar.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/stdctrls.h"
#include "classlib/forms/actnlist.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/extdlgs.h"
#include "classlib/forms/forms.h"
#include "classlib/forms/menus.h"
#include "classlib/stdctrls/checkbox.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/stdctrls/paintbox.h"
#include "classlib/stdctrls/scrollbar.h"
#include "classlib/stdctrls/splitter.h"
#include "design/dsnpanel.h"
#include "design/dsnselect.h"
#include "design/dsnsubdp.h"
#include "design/dsnunit.h"
#include "layouts/vtrapor.h"

class TQuickRep;
class TQRBand;
class TZReport;
class TDesignInspector;
class TRxMemoryData;
class TDataSource;
class TDataSet;
struct TInvoicePreset;

// Posted to the designer after every delete query of the stage.
constexpr UINT DesignerDeleteNotice = 0x1401;

inline constexpr char DesignerFileFilter[] = "VORTELIM Rapor Dosyasi (*.vlp)|*.vlp";
inline constexpr char DesignerDefaultExt[] = "vlp";
// The file name a host passes for a new, empty text layout.
inline constexpr char NewTextLayoutName[] = "bosdm.vlp";

class TDizaynAnaF : public TForm {
  DECLARE_CLASS(TDizaynAnaF, TForm)

public:
  explicit TDizaynAnaF(TComponent* AOwner);
  ~TDizaynAnaF() override;

  // ---- Tool bar ----
  TToolBar* ToolBar1 = nullptr;
  TToolButton* ToolButton1 = nullptr;  // new graphic layout
  TToolButton* ToolButton2 = nullptr;  // open
  TToolButton* ToolButton3 = nullptr;  // save
  TToolButton* ToolButton4 = nullptr;  // cut
  TToolButton* ToolButton5 = nullptr;  // copy
  TToolButton* ToolButton6 = nullptr;  // paste
  TToolButton* ToolButton7 = nullptr;  // preview
  TToolButton* ToolButton8 = nullptr;  // "Cetvel goster"
  TToolButton* ToolButton9 = nullptr;  // "Kilavuza hizala"
  TButton* Button2 = nullptr;          // "Ye&ni Sayfa"
  TButton* Button1 = nullptr;          // "Sayfayi &Sil"
  TButton* Button3 = nullptr;          // "&Etiket Ayarla"
  TButton* Button4 = nullptr;          // "&Kapat"

  // ---- Palette and prototypes ----
  TDsnPanel* DsnPanel1 = nullptr;
  TArrowButton* ArrowButton1 = nullptr;
  std::vector<TDsnButton*> PaletteButtons;  // in palette order
  TPanel* DsnDpstPanel = nullptr;
  TQuickRep* PrototypeReport = nullptr;
  TZReport* ZReport1 = nullptr;

  // ---- Inspector panel (its rows and editors come with the inspector) ----
  TPanel* Panel3 = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* Panel4 = nullptr;
  TComboBox* ComboBox1 = nullptr;
  TPaintBox* PaintBox1 = nullptr;
  TDesignInspector* Inspector = nullptr;  // rows on PaintBox1, editors on Panel3

  // ---- Page area ----
  TTabControl* TabControl1 = nullptr;
  TPanel* Panel5 = nullptr;
  TDsnStage* DsnStage1 = nullptr;
  TScrollBar* ScrollBar2 = nullptr;  // vertical
  TScrollBar* ScrollBar1 = nullptr;  // horizontal
  TToolBar* ToolBarAlignment = nullptr;
  TStatusBar* StatusBar1 = nullptr;

  // ---- The form's own page, kept while no file is loaded ----
  TQuickRep* Report1 = nullptr;
  TQRBand* DetailBand1 = nullptr;

  // ---- Menus ----
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* YeniRapor1 = nullptr;
  TMenuItem* YeniTextRapor1 = nullptr;
  TMenuItem* YeniFaturaFis1 = nullptr;
  TMenuItem* YeniTextFaturaFis1 = nullptr;
  TMenuItem* DosyaAc1 = nullptr;
  TMenuItem* Kaydet1 = nullptr;
  TMenuItem* FarkliKaydet1 = nullptr;
  TMenuItem* Kapat1 = nullptr;
  TMenuItem* Kopyala1 = nullptr;
  TMenuItem* Kes1 = nullptr;
  TMenuItem* Yapistir1 = nullptr;
  TMenuItem* Sil1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem* OneGetir1 = nullptr;
  TMenuItem* ArkayaGonder1 = nullptr;
  TMenuItem* OtomatikKarakterNo1 = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* Onizleme1 = nullptr;  // Ctrl+P

  // ---- Dialogs and the design controller ----
  TSaveDialog* SD = nullptr;
  TOpenDialog* OD = nullptr;
  TColorDialog* Cd = nullptr;
  TFontDialog* Fd = nullptr;
  TOpenPictureDialog* Opp = nullptr;
  TDsnDpRegister* DsnDpRegister1 = nullptr;
  TDsnSelect* DsnSelect1 = nullptr;

  // ---- Fields ----
  AnsiString SaveQuestion;
  TVtRapor* Rapor = nullptr;
  TQuickRep* CurrentQuickRep = nullptr;
  TZReport* CurrentZReport = nullptr;
  AnsiString FileName;
  TReportFormOpenEvent FormOpenHook;

  // ---- Texts and kinds ----
  // Through the report component's translate hook when there is one.
  AnsiString _(const AnsiString& Text) const;
  void MesajBilgi(const AnsiString& Text);
  bool IsZReport();
  bool IsFatura();

  // ---- Showing and closing ----
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // ---- File commands ----
  // The save question; false when the command is to stop.
  bool AskSaveQuestion();
  void ToolButton2Click(TObject* Sender);  // open
  void ToolButton3Click(TObject* Sender);  // save
  void FarkliKaydet1Click(TObject* Sender);
  void ToolButton7Click(TObject* Sender);  // preview
  void Kapat1Click(TObject* Sender);

  // ---- Pages ----
  void Button2Click(TObject* Sender);  // new page
  void Button1Click(TObject* Sender);  // delete page
  void TabControlDuzenle();
  void TabControl1Change(TObject* Sender);
  void AddComponentsCombo();
  void ComboBox1Change(TObject* Sender);
  // Chooses the component in the list and selects it.
  void SelectInComponentList(TComponent* Component);
  void ZReportDuzenle();
  // Empties the stage and builds the first page of a new layout.
  void NewReport(bool TextLayout);
  // A text page's size in pixels (0 x 0 for none).
  void GetZReportSize(TZReport* Page, TPoint& Size);

  // ---- Stage and selection ----
  void DsnStage1MoveQuery(TObject* Sender, TComponent* Component, bool& CanMove);
  void DsnStage1DeleteQuery(TObject* Sender, TComponent* Component, bool& CanDelete);
  void DsnStage1ControlCreate(TObject* Sender, TComponent* Component);
  void DsnDpRegister1MoveResize(TObject* Sender);
  void DsnSelect1ChangeSelected(TObject* Sender, TSelectedComponents* Targets, TSelectOperation Operation);
  void DeleteMessage(TMessage& Message);
  void Button3Click(TObject* Sender);  // label sheet
  void Kopyala1Click(TObject* Sender);
  void Kes1Click(TObject* Sender);
  void Yapistir1Click(TObject* Sender);
  void Sil1Click(TObject* Sender);
  void OneGetir1Click(TObject* Sender);
  void ArkayaGonder1Click(TObject* Sender);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  // ---- Property editors and binding pickers ----
  // (dizaynanafbtnedit.cpp: the inspector's button; designpickertables.cpp:
  // the picker tables and their cascades.)
  TRxMemoryData* RxT = nullptr;
  TRxMemoryData* RxGrup = nullptr;
  TRxMemoryData* RxTable = nullptr;
  TRxMemoryData* RxField = nullptr;
  TDataSource* RxGrup_S = nullptr;
  TDataSource* RxTable_S = nullptr;
  TDataSource* RxField_S = nullptr;
  // The inspector's button: the editor of the current row's kind, on the
  // first selected control (nothing with an empty selection).
  void BtnEditBtnClick(TObject* Sender);
  // The same for a kind named directly ("TFatura" opens the invoice
  // settings of the selected page at once).
  void BtnEditKindClick(const AnsiString& Kind);
  void RxGrupAfterScroll(TDataSet* DataSet);
  void RxTableAfterScroll(TDataSet* DataSet);
  friend class TDesignerButtonCommand;
  // ---- End of property editors and binding pickers ----
  // ---- New layouts (dizaynanafnew.cpp) ----
  // Each asks the save question first and stops on Cancel, so the layout
  // the user keeps is never re-shaped.
  void ToolButton1Click(TObject* Sender);        // "Yeni Rapor", the tool button, Ctrl+N
  void YeniTextRapor1Click(TObject* Sender);     // "Yeni Text Rapor"
  void YeniFaturaFis1Click(TObject* Sender);     // "Yeni Fatura-Fis"
  void YeniTextFaturaFis1Click(TObject* Sender);  // "Yeni Text Fatura-Fis"

private:
  // The save question, NewReport and the kind switch; false when stopped.
  bool StartNewLayout(bool TextLayout);
  void ApplyGraphicInvoicePreset(TQuickRep* Page, const TInvoicePreset& Preset);
  void ApplyTextInvoicePreset(TZReport* Page, const TInvoicePreset& Preset);
  // Covers the new bands, writes the hint, selects the page on the
  // invoice row and opens the invoice settings.
  void FinishInvoiceLayout(TControl* Page, const TInvoicePreset& Preset);

private:
  friend class TDizaynInspectorHost;
  // dizaynanafregions.cpp
  void CreateRegions();
  void CreateToolBar();
  void CreatePalette();
  void CreateInspectorPanel();
  void CreatePageArea();
  void CreateDefaultPage();
  void CreateMenus();
  void CreateDialogs();
  void CreateController();
  // The push buttons of the tool bar follow its tool buttons.
  void PlaceToolBarButtons();

  // dizaynanaffile.cpp
  // Saves to the file, or shows why it could not; true when saved.
  bool SaveLayoutTo(const AnsiString& Name);
  // The save dialog's file: saved, remembered and shown; false when the
  // dialog was cancelled or the save failed.
  bool SaveUnderChosenName();
  // Loads the file onto the stage, or shows why it could not (the layout
  // stays as it was); true when loaded.
  bool LoadLayout(const AnsiString& Name);
  // After a load, or an open without one: pages found again by name,
  // lists, tabs and the kind switch.
  void LayoutReplaced();
  void ShowFileName();

  // dizaynanafpages.cpp
  std::vector<TControl*> LayoutPages(bool TextPages);
  TControl* CurrentPage() const;
  AnsiString FirstFreePageName();
  void FitStageToPage(TControl* Page);
  void RepaintGraphicPages();
  void CreateTextLayoutMarker();
  void DeleteStagePage(TControl* Page, bool Notice);
  TDsnButton* PaletteButton(const char* Hint, int Occurrence = 0);
  void SwitchPalette(bool TextLayout);

  // dizaynanafstage.cpp
  void MoveFirstSelected(bool ToFront);
};

// ---- State shared by the designer's handlers (one designer at a time) ----
// The layout has changes that are not saved.
extern bool LayoutModified;
// While true, the stage refuses to delete the current page.
extern bool ProtectCurrentPage;
// While true, a delete on the stage posts no delete notice.
extern bool SuppressDeleteNotice;
// The designer that is open, nil otherwise.
extern TDizaynAnaF* DizaynAnaF;

// Fills the report component's designer seam: DesignReport then creates the
// designer, remembers it, shows it modally on the file, unlinks and frees it,
// whichever way it ends.
void InstallReportDesigner();
