// TDizaynPreviewF, the report runner: a form that is never shown. The report
// component creates it for one run, sets the layout file, the mode and
// itself, calls Button1Click and frees it.
//
// A run loads the layout onto the runner's own design stage (event names
// stored in the layout resolve against the handlers the runner publishes),
// finds the report pages, binds every component to the host's data through
// the report component's events, hooks the runner's band and label
// handlers, turns every barcode into a printable image (a proxy), settles
// printer and copies and hands the pages to the output (InstallRunnerOutput).
// The printer that was current when the run began is current again when the
// run ends, whichever way it ends.
//
// The runner's own components come first in its component list, so a walk
// over components meets them before the layout's: the prototypes of the
// palette (tag -100: never run, no proxies), the composite reports and the
// save dialog.
//
// A layout with text pages runs them and only them: their labels get
// run-time field variables from their hints while the layout is bound, the
// text label handler before they print, and the text output paths write
// them, framed by the runner's printer codes (layouts/text).
#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "classlib/classes/strings.h"
#include "classlib/controls/extctrls.h"
#include "classlib/forms/dialogs.h"
#include "classlib/forms/forms.h"
#include "classlib/stdctrls/checkbox.h"
#include "design/dsnunit.h"

class TDsnDpRegister;
class TDsnSelect;

class TVtRapor;
class TCustomQuickRep;
class TQuickRep;
class TQRCustomBand;
class TQRImage;
class TStBarCode;
class TDataSet;
class TZRComposite;

// The text shown when the host does not know a data set the layout names.
inline constexpr char UnsuitableFormMessage[] = "Bu raporu yazdirmak icin uygun raporlama formunda degilsiniz";
inline constexpr char RunnerPdfFilter[] = "PDF Dosyalari (*.pdf)|*.pdf";

class TDizaynPreviewF : public TForm {
  DECLARE_CLASS(TDizaynPreviewF, TForm)

public:
  explicit TDizaynPreviewF(TComponent* AOwner);
  ~TDizaynPreviewF() override;

  // ---- Inputs, set by the creator ----
  AnsiString LayoutFileName;
  AnsiString Mode;  // "Preview", "Print", "EMail", "PDF" or "QRP"
  TVtRapor* VtRapor = nullptr;
  // -1: the host's OnGetPrinterIndex decides.
  int PrinterIndexOverride = -1;

  // ---- The run ----
  void Button1Click(TObject* Sender);

  // ---- Published queries of the run ----
  // Graphic pages, text pages (prototypes not counted).
  int QuickRepCount();
  int ZRepCount();
  // A page whose Hint carries the name HAREKETSAYISI.
  bool IsFatura(TComponent* Page);
  // Some label's Hint holds PRINTOPTION 0, 1, 2 or 3.
  bool LastYapilsin();
  // Hooks CustomLabelPrint into every graphic label without an OnPrint and
  // ZrLabelBeforePrint into every text label without a BeforePrint.
  void OnPrintDuzenle();
  // The output of text pages: one text page runs as a text report, several as
  // ZRComposite1, in the run's mode; answers false when the layout has no
  // text page, so the graphic paths run instead.
  bool RunTextPages();
  // What the output paths ask: the largest absolute value among the
  // negative tags of the data texts (0 when none), and a composite member's
  // detail band handler: the formatting handler, unless the band has a
  // handler already (the barcode and invoice handlers stay).
  int LargestNegativeDataTextTag();
  void JoinComposite(TQuickRep& Page);

  // ---- Published handlers (a layout may also bind them by name) ----
  void MQRBeforePrint(TCustomQuickRep* Sender, bool& PrintReport);
  void DetayBeforePrint(TQRCustomBand* Sender, bool& PrintBand);
  void NormalDetailBandBeforePrint(TQRCustomBand* Sender, bool& PrintBand);
  void MQrEtiketDetayBeforePrint(TQRCustomBand* Sender, bool& PrintBand);
  void FaturaDetayBeforePrint(TQRCustomBand* Sender, bool& PrintBand);
  void FaturaDetayAfterPrint(TQRCustomBand* Sender, bool BandPrinted);
  void FaturaSubDetailAfterPrint(TQRCustomBand* Sender, bool BandPrinted);
  void CustomLabelPrint(TObject* Sender, AnsiString& Value);
  void QRCompositeReport1AddReports(TObject* Sender);
  void ZrLabelBeforePrint(TObject* Sender, bool& PrintIt);
  void ZRComposite1AddReports(TObject* Sender);

  // ---- Run state, read by the output paths and tests ----
  TQuickRep* FirstGraphicPage() const { return FFirstGraphicPage; }
  TComponent* FirstTextPage() const { return FFirstTextPage; }
  // The graphic pages of the layout in component order (no prototypes).
  std::vector<TQuickRep*> GraphicPages();
  // The barcode proxies the run made.
  std::vector<TQRImage*> BarcodeProxies();
  int LineCounter() const { return FLineCounter; }
  int LinesPerPage() const { return FLinesPerPage; }
  double InvoiceLineHeight() const { return FInvoiceLineHeight; }
  int ColumnCount() const { return FColumnCount; }
  void SetColumnCount(int Value) { FColumnCount = Value; }
  int PageCount() const { return FPageCount; }
  void SetPageCount(int Value) { FPageCount = Value; }
  int SavedPrinterIndex() const { return FSavedPrinterIndex; }
  bool DirectPath() const { return FDirectPath; }
  TStringList* HintList() const { return FHintList.get(); }
  // A text through the report component's translate hook.
  AnsiString Translate(const AnsiString& Text) const;

  // ---- Components of the form ----
  TDsnStage* DsnStage1 = nullptr;
  // The stage's controller and selection partner: no palette, never active.
  TDsnDpRegister* DsnDpRegister1 = nullptr;
  TDsnSelect* DsnSelect1 = nullptr;
  TPanel* DsnDpstPanel = nullptr;
  TQuickRep* PrototypeReport = nullptr;  // tag -100
  TComponent* ZReport1 = nullptr;        // the text prototype page, tag -100
  // Made when the composite report class is registered, its OnAddReports
  // bound to QRCompositeReport1AddReports.
  TComponent* QRCompositeReport1 = nullptr;
  // The text composite for layouts with several text pages (76 x 60), its
  // OnAddReports bound to ZRComposite1AddReports.
  TZRComposite* ZRComposite1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;
  TCheckBox* CheckBox1 = nullptr;
  TButton* Button1 = nullptr;

private:
  void CreatePrototypes();
  void CreateCompositeReports();
  TComponent* MakeRegistered(const char* ClassName, const AnsiString& Name, TWinControl* Parent);

  // The steps of a run.
  void LoadLayout();
  void FindPagesAndBind();
  void HookDetailBands();
  void HookInvoicePage(TQuickRep* Page);
  void CreateBarcodeProxies();
  void SettlePrinter();
  void ShowUnsuitableForm();
  void CleanUp();

  // Handler work.
  void PaintProxy(TQRImage* Proxy);
  void CountInvoiceLine(TQRCustomBand* Band);
  TMethod HandlerMethod(const char* Name);
  void HookEvent(TComponent* Target, const char* Event, const char* Handler);

  TQuickRep* FFirstGraphicPage = nullptr;
  TComponent* FFirstTextPage = nullptr;
  bool FDataSetMissing = false;
  int FLineCounter = 0;
  int FLinesPerPage = 0;
  double FInvoiceLineHeight = 0;
  int FColumnCount = 1;
  int FPageCount = 0;
  int FSavedPrinterIndex = -1;
  bool FDirectPath = true;
  std::unique_ptr<TStringList> FHintList;
};

// What step 14 does with a bound layout: the output paths by page kinds and
// mode. Until they are installed, the runner prepares the first graphic
// page (or every graphic page of a composite), so its pages can be read.
using TRunnerOutput = std::function<void(TDizaynPreviewF& Runner)>;
TRunnerOutput InstallRunnerOutput(TRunnerOutput Output);
// The output that only prepares the pages.
void PrepareRunnerPages(TDizaynPreviewF& Runner);

// Fills the report component's runner seam: PreviewReport and PrintReport
// then create a TDizaynPreviewF, run it and free it (on every path).
void InstallReportRunner();
// Registers every class a graphic layout may hold for streaming: pages,
// bands, printables, barcodes and TVtQrBarcodeImage.
void RegisterRunnerClasses();
