#include "layouts/dizaynpreview.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "classlib/classes/typinfo.h"
#include "classlib/controls/controlmaking.h"
#include "classlib/data/dataset.h"
#include "classlib/data/field.h"
#include "classlib/forms/application.h"
#include "classlib/printers/printers.h"
#include "design/core/layoutfile.h"
#include "design/dsnselect.h"
#include "design/dsnsubdp.h"
#include "layouts/bandformat.h"
#include "layouts/barcodeproxy.h"
#include "layouts/labelprintvalue.h"
#include "layouts/layoutprototypes.h"
#include "layouts/runnerbinding.h"
#include "layouts/runnerreport.h"
#include "layouts/text/textfieldvariables.h"
#include "layouts/text/textlabelprint.h"
#include "layouts/text/textoutput.h"
#include "layouts/text/textrunsetup.h"
#include "layouts/vtqrbarcodeimage.h"
#include "layouts/vtrapor.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrexprlabel.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrmemo.h"
#include "reportengine/printables/qrprintablesreg.h"
#include "reportengine/printables/qrsysdata.h"
#include "reportengine/report/qrreportreg.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"
#include "support/barcode/components/stdbbarcode.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"
#include "textreport/output/zrprntr.h"

BEGIN_PUBLISHED(TDizaynPreviewF)
  METHOD(MQRBeforePrint),
  METHOD(DetayBeforePrint),
  METHOD(NormalDetailBandBeforePrint),
  METHOD(MQrEtiketDetayBeforePrint),
  METHOD(FaturaDetayBeforePrint),
  METHOD(FaturaDetayAfterPrint),
  METHOD(FaturaSubDetailAfterPrint),
  METHOD(CustomLabelPrint),
  METHOD(QRCompositeReport1AddReports),
  METHOD(ZrLabelBeforePrint),
  METHOD(ZRComposite1AddReports),
  METHOD(Button1Click),
END_PUBLISHED

namespace {

TRunnerOutput& InstalledOutput() {
  static TRunnerOutput output;
  return output;
}

// The printer current when a run began is current again when it ends,
// whichever way it ends (a missing data set, an exception of the output).
class TPrinterIndexScope {
public:
  TPrinterIndexScope() : saved_(Printer().PrinterIndex()) {}
  ~TPrinterIndexScope() {
    try {
      if (Printer().PrinterIndex() != saved_)
        Printer().SetPrinterIndex(saved_);
    } catch (...) {
      // The printer list changed under the run; nothing to give back.
    }
  }
  TPrinterIndexScope(const TPrinterIndexScope&) = delete;
  TPrinterIndexScope& operator=(const TPrinterIndexScope&) = delete;
  int Saved() const { return saved_; }

private:
  int saved_;
};

bool IsPrototype(TComponent* C) { return C->Tag() == PrototypeTag; }

}  // namespace

TRunnerOutput InstallRunnerOutput(TRunnerOutput Output) {
  return std::exchange(InstalledOutput(), std::move(Output));
}

// ---- The form and its own components ---------------------------------------

TDizaynPreviewF::TDizaynPreviewF(TComponent* AOwner)
    : TForm(AOwner), FHintList(std::make_unique<TStringList>()) {
  SetName("DizaynPreviewF");
  SetCaption("DizaynPreviewF");
  SetVisible(false);
  DsnStage1 = MakeControl<TDsnStage>(this, this, "DsnStage1");
  DsnStage1->SetVisible(false);
  DsnStage1->Rubberband()->SetMoveWidth(1);
  DsnStage1->Rubberband()->SetMoveHeight(1);
  DsnDpRegister1 = new TDsnDpRegister(this);
  DsnDpRegister1->SetName("DsnDpRegister1");
  DsnDpRegister1->SetDsnStage(DsnStage1);
  DsnSelect1 = new TDsnSelect(this);
  DsnSelect1->SetName("DsnSelect1");
  DsnSelect1->SetDsnRegister(DsnDpRegister1);
  CreatePrototypes();
  CreateCompositeReports();
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->SetFilter(RunnerPdfFilter);
  CheckBox1 = MakeControl<TCheckBox>(this, this, "CheckBox1");
  CheckBox1->SetVisible(false);
  Button1 = MakeControl<TButton>(this, this, "Button1");
  Button1->SetVisible(false);
}

TDizaynPreviewF::~TDizaynPreviewF() = default;

TComponent* TDizaynPreviewF::MakeRegistered(const char* ClassName, const AnsiString& Name, TWinControl* Parent) {
  return MakeRegisteredComponent(this, ClassName, Name, Parent);
}

// The palette's prototypes, the same set the designer offers.
void TDizaynPreviewF::CreatePrototypes() {
  const TLayoutPrototypes prototypes = BuildLayoutPrototypes(this, this);
  DsnDpstPanel = prototypes.Panel;
  PrototypeReport = prototypes.GraphicPage;
  ZReport1 = prototypes.TextPage;
}

void TDizaynPreviewF::CreateCompositeReports() {
  QRCompositeReport1 = MakeRegistered("TQRCompositeReport", "QRCompositeReport1", nullptr);
  if (QRCompositeReport1 != nullptr)
    HookEvent(QRCompositeReport1, "OnAddReports", "QRCompositeReport1AddReports");
  ZRComposite1 = new TZRComposite(this);
  ZRComposite1->SetName("ZRComposite1");
  HookEvent(ZRComposite1, "OnAddReports", "ZRComposite1AddReports");
}

AnsiString TDizaynPreviewF::Translate(const AnsiString& Text) const {
  return VtRapor != nullptr ? VtRapor->Translate(Text) : Text;
}

TMethod TDizaynPreviewF::HandlerMethod(const char* Name) { return TMethod{MethodAddress(Name), this}; }

void TDizaynPreviewF::HookEvent(TComponent* Target, const char* Event, const char* Handler) {
  if (Target != nullptr && GetPropInfo(Target, Event) != nullptr)
    SetMethodProp(Target, Event, HandlerMethod(Handler));
}

// ---- Published queries -------------------------------------------------------

int TDizaynPreviewF::QuickRepCount() { return static_cast<int>(GraphicPages().size()); }

int TDizaynPreviewF::ZRepCount() { return CountTextPages(*this); }

std::vector<TQuickRep*> TDizaynPreviewF::GraphicPages() {
  std::vector<TQuickRep*> pages;
  for (int k = 0; k < ComponentCount(); ++k)
    if (auto* page = dynamic_cast<TQuickRep*>(Components(k)); page != nullptr && !IsPrototype(page))
      pages.push_back(page);
  return pages;
}

std::vector<TQRImage*> TDizaynPreviewF::BarcodeProxies() {
  std::vector<TQRImage*> proxies;
  for (int k = ComponentCount() - 1; k >= 0; --k)
    if (auto* proxy = dynamic_cast<TQRImage*>(Components(k)); proxy != nullptr && IsBarcodeProxy(*proxy))
      proxies.push_back(proxy);
  return proxies;
}

bool TDizaynPreviewF::IsFatura(TComponent* Page) {
  if (!IsInstanceOf(Page, "TQuickRep") && !IsInstanceOf(Page, "TZReport"))
    return false;
  TBindingHint hint;
  return ReadComponentHint(Page, hint) && hint.IsInvoicePage();
}

bool TDizaynPreviewF::LastYapilsin() {
  for (int k = 0; k < ComponentCount(); ++k) {
    TComponent* c = Components(k);
    TBindingHint hint;
    if (!IsInstanceOf(c, "TQRCustomLabel") || !ReadComponentHint(c, hint))
      continue;
    for (const char* option : {"PRINTOPTION=0", "PRINTOPTION=1", "PRINTOPTION=2", "PRINTOPTION=3"})
      if (hint.Text().find(option) != AnsiString::npos)
        return true;
  }
  return false;
}

// Handlers a layout brought with it stay.
void TDizaynPreviewF::OnPrintDuzenle() {
  for (int k = 0; k < ComponentCount(); ++k) {
    TComponent* c = Components(k);
    if (IsInstanceOf(c, "TQRCustomLabel") && GetPropInfo(c, "OnPrint") != nullptr &&
        !GetMethodProp(c, "OnPrint").Assigned())
      HookEvent(c, "OnPrint", "CustomLabelPrint");
    if (auto* label = dynamic_cast<TZRCustomLabel*>(c); label != nullptr && !label->BeforePrint.Assigned())
      HookEvent(label, "BeforePrint", "ZrLabelBeforePrint");
  }
}

bool TDizaynPreviewF::RunTextPages() {
  TTextRunHost host;
  host.BeforeReportPrint = [this](TComponent* Report) {
    if (VtRapor != nullptr)
      VtRapor->DoBeforeReportPrint(Report);
  };
  host.Translate = [this](const AnsiString& Text) { return Translate(Text); };
  return RunTextOutput(*this, *ZRComposite1, Mode, host);
}

// ---- The run ------------------------------------------------------------------

void TDizaynPreviewF::Button1Click(TObject* /*Sender*/) {
  TPrinterIndexScope printer;
  FSavedPrinterIndex = printer.Saved();
  FDirectPath = VtRapor == nullptr || VtRapor->PrintHelperExecute() == nullptr;
  try {
    LoadLayout();
    FLineCounter = 0;
    FLinesPerPage = 0;
    FFirstGraphicPage = nullptr;
    FFirstTextPage = nullptr;
    FindPagesAndBind();
    if (VtRapor != nullptr)
      VtRapor->DoFormOpen(this);
    HookDetailBands();
    if (FFirstGraphicPage != nullptr)
      FColumnCount = PageColumns(*FFirstGraphicPage);
    CreateBarcodeProxies();
    SettlePrinter();
    if (auto* text = dynamic_cast<TZReport*>(FFirstTextPage))
      ApplyTextInvoiceHeight(*text);
    if (FDataSetMissing) {
      ShowUnsuitableForm();
    } else {
      OnPrintDuzenle();
      // Text pages run on their own paths; graphic pages beside them are
      // left out.
      if (!RunTextPages()) {
        TRunnerOutput output = InstalledOutput();
        if (output)
          output(*this);
        else
          PrepareRunnerPages(*this);
      }
    }
  } catch (...) {
    CleanUp();
    throw;
  }
  CleanUp();
}

// The designer's preview command hands the runner the designer's current
// file as its layout file name.
void TDizaynPreviewF::LoadLayout() { DsnStage1->LoadFromFile(LayoutFileName); }

void TDizaynPreviewF::FindPagesAndBind() {
  TLayoutBinder binder(VtRapor);
  bool textDataSetMissing = false;
  for (int k = 0; k < ComponentCount(); ++k) {
    TComponent* c = Components(k);
    if (!IsPrototype(c)) {
      if (FFirstGraphicPage == nullptr)
        if (auto* page = dynamic_cast<TQuickRep*>(c))
          FFirstGraphicPage = page;
      if (FFirstTextPage == nullptr && IsInstanceOf(c, "TZReport"))
        FFirstTextPage = c;
    }
    binder.Bind(c);
    BindTextLabelFromHint(c, [&](const AnsiString& Name) {
      TDataSet* dataSet = binder.AskDataSet(Name);
      // A text label publishes no data set of its own, so the binder does
      // not see one it cannot have; it would print blank without a word.
      textDataSetMissing = textDataSetMissing || dataSet == nullptr;
      return dataSet;
    });
    if (auto* memo = dynamic_cast<TQRMemo*>(c); memo != nullptr && VtRapor != nullptr && c->Name() != "Dpst_TQRMemo")
      VtRapor->DoGetSQLContent(memo);
    if (IsInstanceOf(c, "TQRSubDetail") && FFirstGraphicPage != nullptr && IsFatura(FFirstGraphicPage))
      HookEvent(c, "AfterPrint", "FaturaSubDetailAfterPrint");
  }
  FDataSetMissing = binder.DataSetMissing() || textDataSetMissing;
}

// Every graphic page's detail band formats its records; an invoice page
// counts its lines instead.
void TDizaynPreviewF::HookDetailBands() {
  for (TQuickRep* page : GraphicPages()) {
    if (TQRCustomBand* detail = DetailBandOf(*page))
      HookEvent(detail, "BeforePrint", "NormalDetailBandBeforePrint");
    if (IsFatura(page))
      HookInvoicePage(page);
  }
}

void TDizaynPreviewF::HookInvoicePage(TQuickRep* Page) {
  const TInvoiceSettings settings = InvoiceSettingsOf(*Page);
  if (Page == FFirstGraphicPage) {
    FInvoiceLineHeight = settings.LineHeight;
    FLinesPerPage = settings.LinesPerPage;
  }
  if (TQRCustomBand* detail = DetailBandOf(*Page)) {
    HookEvent(detail, "AfterPrint", "FaturaDetayAfterPrint");
    HookEvent(LinkedBand(*detail), "AfterPrint", "FaturaSubDetailAfterPrint");
    HookEvent(detail, "BeforePrint", "FaturaDetayBeforePrint");
  }
  HookEvent(Page, "BeforePrint", "MQRBeforePrint");
}

// One proxy per barcode (prototypes get none). The page that holds a
// barcode, and the first page, repaint proxies when they start; the detail
// band of the barcode's page repaints its own per record and blanks
// placeholders, whichever page it is on.
void TDizaynPreviewF::CreateBarcodeProxies() {
  if (FFirstGraphicPage == nullptr)
    return;
  for (int k = ComponentCount() - 1; k >= 0; --k) {
    auto* barcode = dynamic_cast<TStBarCode*>(Components(k));
    if (barcode == nullptr || barcode->Parent() == nullptr || IsPrototype(barcode))
      continue;
    CreateBarcodeProxy(*this, *barcode);
    HookEvent(FFirstGraphicPage, "BeforePrint", "MQRBeforePrint");
    if (TQuickRep* page = PageOfControl(barcode)) {
      HookEvent(page, "BeforePrint", "MQRBeforePrint");
      if (TQRCustomBand* detail = DetailBandOf(*page))
        HookEvent(detail, "BeforePrint", "DetayBeforePrint");
    }
  }
}

// The host names the printer and the copies. A text page's printer is made
// current for its run (the scope of Button1Click gives the old one back).
void TDizaynPreviewF::SettlePrinter() {
  if (VtRapor == nullptr)
    return;
  auto askIndex = [this] {
    int index = Printer().PrinterIndex();
    if (PrinterIndexOverride == -1)
      VtRapor->DoGetPrinterIndex(index);
    else
      index = PrinterIndexOverride;
    return index;
  };
  if (FFirstGraphicPage != nullptr) {
    const int index = askIndex();
    int copies = 1;
    VtRapor->DoGetPrinterCopies(copies);
    SetPagePrinter(*FFirstGraphicPage, index, copies);
    if (QuickRepCount() > 1) {
      if (QRCompositeReport1 != nullptr)
        SetCompositePrinter(*QRCompositeReport1, *FFirstGraphicPage, index, copies);
      Printer().SetPrinterIndex(index);
    }
  }
  if (auto* text = dynamic_cast<TZReport*>(FFirstTextPage)) {
    Printer().SetPrinterIndex(askIndex());
    int copies = 1;
    VtRapor->DoGetPrinterCopies(copies);
    text->Options()->SetCopies(copies);
  }
}

void TDizaynPreviewF::ShowUnsuitableForm() {
  TCustomForm* main = Application->MainForm();
  const AnsiString caption = main != nullptr ? main->Caption() : Application->Title();
  Application->MessageBox(Translate(UnsuitableFormMessage), caption, MB_OK);
}

// The text pages' run-time variables go first, while their pages stand;
// the layout goes with the stage's children; proxies die with the form.
void TDizaynPreviewF::CleanUp() {
  CleanUpTextPages(*this);
  std::vector<TComponent*> children;
  for (int k = 0; k < DsnStage1->ControlCount(); ++k)
    children.push_back(DsnStage1->Controls(k));
  FreeComponents(children);
  Close();
}

// ---- Handlers -------------------------------------------------------------------

void TDizaynPreviewF::PaintProxy(TQRImage* Proxy) {
  auto* barcode = dynamic_cast<TStBarCode*>(FindComponent(Proxy->Hint()));
  if (barcode == nullptr)
    return;
  TBindingHint hint;
  ReadComponentHint(barcode, hint);
  if (!hint.DataSet().empty()) {
    TDataSet* dataSet = TLayoutBinder(VtRapor).AskDataSet(hint.DataSet());
    if (dataSet != nullptr)
      barcode->SetCode(dataSet->FieldByName(hint.DataField())->DisplayText());
  }
  PaintBarcodeIntoProxy(*barcode, *Proxy);
}

void TDizaynPreviewF::MQRBeforePrint(TCustomQuickRep* /*Sender*/, bool& /*PrintReport*/) {
  FLineCounter = 0;
  for (TQRImage* proxy : BarcodeProxies())
    if (proxy->Parent() != nullptr)
      PaintProxy(proxy);
}

void TDizaynPreviewF::DetayBeforePrint(TQRCustomBand* Sender, bool& /*PrintBand*/) {
  TQuickRep* report = ReportOfBand(*Sender);
  if (report != nullptr && IsFatura(report))
    SetInvoiceLineHeight(*Sender, InvoiceSettingsOf(*report).LineHeight);
  for (TQRImage* proxy : BarcodeProxies())
    if (proxy->Parent() == Sender)
      PaintProxy(proxy);
  TDataSet* dataSet = report != nullptr ? ReportDataSet(*report) : nullptr;
  if (dataSet != nullptr && dataSet->FindField(HostFieldBas) != nullptr)
    EnableBandPrintables(*Sender, !BooleanFieldIsTrue(*dataSet, HostFieldBas));
}

void TDizaynPreviewF::NormalDetailBandBeforePrint(TQRCustomBand* Sender, bool& PrintBand) {
  TQuickRep* report = ReportOfBand(*Sender);
  TDataSet* dataSet = report != nullptr ? ReportDataSet(*report) : nullptr;
  if (dataSet == nullptr)
    return;
  if (TField* ek = dataSet->FindField(HostFieldQrEk))
    ApplyQrEk(*Sender, ParseQrEk(ek->AsString()));
  if (TField* komut = dataSet->FindField(HostFieldQrKomut); komut != nullptr && komut->AsString() == QrKomutNewPage)
    StartNewPage(*report);
  if (TField* iptal = dataSet->FindField(HostFieldQrSatirIptal))
    PrintBand = !iptal->AsBoolean();
}

void TDizaynPreviewF::MQrEtiketDetayBeforePrint(TQRCustomBand* Sender, bool& /*PrintBand*/) {
  TQuickRep* report = ReportOfBand(*Sender);
  TDataSet* dataSet = report != nullptr ? ReportDataSet(*report) : nullptr;
  if (dataSet == nullptr)
    return;
  const int columns = FColumnCount;
  int column = 0;
  for (; column < columns; ++column) {
    if (dataSet->Eof())
      break;
    const bool placeholder = BooleanFieldIsTrue(*dataSet, HostFieldBas);
    for (TControl* control : ControlsInLabelColumn(*Sender, column))
      if (placeholder)
        control->SetEnabled(false);
      else if (!IsInstanceOf(control, "TQRDBText"))
        control->SetEnabled(true);
    if (column == columns - 1)
      break;
    dataSet->Next();
    if (dataSet->Eof()) {
      ++column;
      break;
    }
  }
  if (dataSet->Eof())
    for (int rest = column; rest < columns; ++rest)
      for (TControl* control : ControlsInLabelColumn(*Sender, rest))
        control->SetEnabled(false);
}

void TDizaynPreviewF::FaturaDetayBeforePrint(TQRCustomBand* Sender, bool& /*PrintBand*/) {
  if (TQuickRep* report = ReportOfBand(*Sender))
    SetInvoiceLineHeight(*Sender, InvoiceSettingsOf(*report).LineHeight);
}

void TDizaynPreviewF::CountInvoiceLine(TQRCustomBand* Band) {
  TQuickRep* report = ReportOfBand(*Band);
  if (report == nullptr)
    return;
  ++FLineCounter;
  const int perPage = InvoiceSettingsOf(*report).LinesPerPage;
  if (FLineCounter != CountReportRecords(*report) && FLineCounter % perPage == 0)
    StartNewPage(*report);
}

void TDizaynPreviewF::FaturaDetayAfterPrint(TQRCustomBand* Sender, bool /*BandPrinted*/) { CountInvoiceLine(Sender); }

void TDizaynPreviewF::FaturaSubDetailAfterPrint(TQRCustomBand* Sender, bool BandPrinted) {
  if (BandPrinted)
    CountInvoiceLine(Sender);
}

void TDizaynPreviewF::CustomLabelPrint(TObject* Sender, AnsiString& Value) {
  auto* label = dynamic_cast<TComponent*>(Sender);
  if (VtRapor != nullptr)
    VtRapor->DoLabelPrint(label, Value);
  if (label == nullptr)
    return;
  if (IsInstanceOf(label, "TQRDBText")) {
    const long long tag = label->Tag();
    if (tag > 0) {
      Value = CharacterAt(Value, DBTextCharacterPosition(tag));
    } else if (tag < 0) {
      auto* dataSet = dynamic_cast<TDataSet*>(GetObjectProp(label, "DataSet"));
      if (dataSet != nullptr)
        Value = FieldTextInRecord(*dataSet, GetStrProp(label, "DataField"), DBTextRecordNumber(tag));
    }
  }
  TBindingHint hint;
  ReadComponentHint(label, hint);
  Value = ApplyPrintOption(Value, hint.PrintOption(), CurrentPageNumberOf(label), FPageCount);
}

// A composite run keeps the barcode and invoice handlers of its pages: only
// a detail band without one of the runner's handlers gets the formatting.
void TDizaynPreviewF::QRCompositeReport1AddReports(TObject* Sender) {
  auto* composite = dynamic_cast<TComponent*>(Sender);
  if (composite == nullptr)
    composite = QRCompositeReport1;
  if (composite == nullptr)
    return;
  for (TQuickRep* page : GraphicPages()) {
    AddCompositeMember(*composite, *page);
    JoinComposite(*page);
  }
}

void TDizaynPreviewF::ZrLabelBeforePrint(TObject* Sender, bool& PrintIt) { TextLabelBeforePrint(Sender, PrintIt); }

void TDizaynPreviewF::ZRComposite1AddReports(TObject* Sender) {
  auto* composite = dynamic_cast<TZRComposite*>(Sender);
  if (composite == nullptr)
    composite = ZRComposite1;
  AddTextPages(*composite, *this);
}

void TDizaynPreviewF::JoinComposite(TQuickRep& Page) {
  TQRCustomBand* detail = DetailBandOf(Page);
  if (detail != nullptr && !GetMethodProp(detail, "BeforePrint").Assigned())
    HookEvent(detail, "BeforePrint", "NormalDetailBandBeforePrint");
}

int TDizaynPreviewF::LargestNegativeDataTextTag() {
  long long largest = 0;
  for (int k = 0; k < ComponentCount(); ++k)
    if (IsInstanceOf(Components(k), "TQRDBText") && Components(k)->Tag() < 0)
      largest = std::max<long long>(largest, -static_cast<long long>(Components(k)->Tag()));
  return static_cast<int>(std::min<long long>(largest, INT_MAX));
}

// ---- Outputs and installation ------------------------------------------------------

// Every graphic page runs into its own page store; the page count is the
// first page's.
void PrepareRunnerPages(TDizaynPreviewF& Runner) {
  for (TQuickRep* page : Runner.GraphicPages())
    PreparePage(*page);
  if (TQuickRep* first = Runner.FirstGraphicPage())
    Runner.SetPageCount(PreparedPageCount(*first));
}

void InstallReportRunner() {
  RegisterRunnerClasses();
  SetReportRunner([](TVtRapor& Rapor, const AnsiString& LayoutFile, const AnsiString& Mode) {
    std::unique_ptr<TDizaynPreviewF> runner(new TDizaynPreviewF(nullptr));
    runner->LayoutFileName = LayoutFile;
    runner->Mode = Mode;
    runner->VtRapor = &Rapor;
    try {
      runner->Button1Click(nullptr);
    } catch (...) {
      runner->VtRapor = nullptr;
      throw;
    }
    runner->VtRapor = nullptr;
  });
}

// Everything a layout may hold, so the stage can read it: graphic and text
// pages with their bands and printables, barcodes.
void RegisterRunnerClasses() {
  RegisterQRPrintableClasses();
  RegisterQuickRepClasses();
  RegisterZReportClasses();
  RegisterClasses({TQuickRep::StaticClass(), TQRBand::StaticClass(), TQRChildBand::StaticClass(),
                   TQRLabel::StaticClass(), TQRDBText::StaticClass(), TQRExpr::StaticClass(),
                   TQRSysData::StaticClass(), TQRMemo::StaticClass(), TStBarCode::StaticClass(), TStDbBarCode::StaticClass(), TVtQrBarcodeImage::StaticClass()});
}
