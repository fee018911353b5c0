#include "tests/layouts/runnerfixture.h"

#include <windows.h>

#include "app/recordtables.h"
#include "classlib/data/field.h"
#include "classlib/printers/printers.h"
#include "classlib/stdctrls/checkbox.h"
#include "layouts/core/bindinghints.h"
#include "layouts/runnerreport.h"
#include "reportengine/preview/qrtextrecord.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrexprlabel.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrmemo.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"
#include "textreport/output/zrprntr.h"

namespace runner_test {

void FillLabels(TRxMemoryData& Table, const std::vector<LabelRow>& Rows) {
  DefineLabelFields(Table);
  Table.Open();
  for (const LabelRow& row : Rows) {
    Table.Append();
    Table.FieldByName("METIN1")->SetAsString(row.Code);
    Table.FieldByName("METIN2")->SetAsString(row.Text);
    Table.FieldByName("BAS")->SetAsBoolean(row.Placeholder);
    Table.Post();
  }
  Table.First();
}

LayoutBuilder::LayoutBuilder() : form_(new TForm(nullptr), [](TForm* f) { f->Free(); }) {
  form_->SetName("DesignForm");
  stage_ = new TDsnStage(form_.get());
  stage_->SetName("DsnStage1");
  stage_->SetParent(form_.get());
}

LayoutBuilder::LayoutBuilder(OnRunnerForm) : form_(new TDizaynPreviewF(nullptr), [](TForm* f) { f->Free(); }) {
  stage_ = static_cast<TDizaynPreviewF*>(form_.get())->DsnStage1;
}

LayoutBuilder::~LayoutBuilder() = default;

TQuickRep* LayoutBuilder::AddPage(const AnsiString& Hint, int BandHeight) {
  ++pages_;
  auto* page = new TQuickRep(form_.get());
  page->SetName("Report" + std::to_string(pages_));
  page->SetParent(stage_);
  page->SetHint(Hint);
  auto* band = new TQRBand(form_.get());
  band->SetName("DetailBand" + std::to_string(pages_));
  band->SetBandType(rbDetail);
  band->SetParent(page);
  band->SetHeight(BandHeight);
  return page;
}

TQRBand* LayoutBuilder::DetailOf(TQuickRep* Page) { return dynamic_cast<TQRBand*>(DetailBandOf(*Page)); }

TQRDBText* LayoutBuilder::AddDataText(TQRBand* Band, const AnsiString& Hint, int Tag) {
  auto* text = new TQRDBText(form_.get());
  text->SetName("QRDBText" + std::to_string(form_->ComponentCount()));
  text->SetParent(Band);
  text->SetBounds(20, 200, 300, 24);
  text->SetHint(Hint);
  text->SetTag(Tag);
  return text;
}

TQRLabel* LayoutBuilder::AddLabel(TQRBand* Band, const AnsiString& Caption, const AnsiString& Hint) {
  auto* label = new TQRLabel(form_.get());
  label->SetName("QRLabel" + std::to_string(form_->ComponentCount()));
  label->SetParent(Band);
  label->SetBounds(340, 200, 300, 24);
  label->SetCaption(Caption);
  label->SetHint(Hint);
  return label;
}

TQRExpr* LayoutBuilder::AddExpression(TQRBand* Band, const AnsiString& Expression) {
  auto* expr = new TQRExpr(form_.get());
  expr->SetName("QRExpr" + std::to_string(form_->ComponentCount()));
  expr->SetParent(Band);
  expr->SetBounds(20, 400, 300, 160);
  expr->SetExpression(Expression);
  return expr;
}

void LayoutBuilder::AddMemo(TQRBand* Band, const AnsiString& Name) {
  auto* memo = new TQRMemo(form_.get());
  memo->SetName(Name);
  memo->SetParent(Band);
  memo->SetBounds(20, 560, 300, 160);
}

TStBarCode* LayoutBuilder::AddBarcode(TQRBand* Band, const AnsiString& Hint, int Tag) {
  auto* barcode = new TStBarCode(form_.get());
  barcode->SetName("StBarCode" + std::to_string(form_->ComponentCount()));
  barcode->SetParent(Band);
  barcode->SetBounds(20, 20, 320, 130);
  barcode->SetBarCodeType(bcEAN_13);
  barcode->SetAddCheckChar(true);
  barcode->SetBarWidth(21);
  barcode->SetTallGuardBars(true);
  barcode->SetShowCode(true);
  barcode->SetCode("123456789012");
  barcode->SetHint(Hint);
  barcode->SetTag(Tag);
  return barcode;
}

TZReport* LayoutBuilder::AddTextPage(const AnsiString& Hint, int Width, int Height) {
  auto* page = new TZReport(form_.get());
  page->SetName("Report" + std::to_string(++pages_));
  page->SetParent(stage_);
  page->SetHint(Hint);
  page->SetWidth(Width);
  page->SetHeight(Height);
  page->Options()->SetOEMConvert(false);
  return page;
}

TZRCustomBand* LayoutBuilder::TextBandOf(TZReport* Page, TZRBandType kind) {
  if (TZRCustomBand* band = Page->FindBand(kind))
    return band;
  Page->Bands()->SetHas(kind, true);
  TZRCustomBand* band = Page->FindBand(kind);
  band->SetHeight(1);
  // Bands are laid out across the page only on a design surface.
  band->SetWidth(Page->Width());
  return band;
}

TZRLabel* LayoutBuilder::AddTextLabel(TZRCustomBand* Band, int Left, int Width, const AnsiString& Caption,
                                      const AnsiString& Hint) {
  auto* label = new TZRLabel(form_.get());
  label->SetName("ZRLabel" + std::to_string(++textLabels_));
  label->SetParent(Band);
  label->SetLeft(Left);
  label->SetTop(0);
  label->SetWidth(Width);
  if (!Caption.empty())
    label->SetCaption(Caption);
  label->SetHint(Hint);
  return label;
}

TZRTotalLabel* LayoutBuilder::AddTextCount(TZRCustomBand* Band, int Left, int Width, const AnsiString& Hint) {
  auto* count = new TZRTotalLabel(form_.get());
  count->SetName("ZRTotalLabel" + std::to_string(++textLabels_));
  count->SetParent(Band);
  count->SetLeft(Left);
  count->SetTop(0);
  count->SetWidth(Width);
  count->SetHint(Hint);
  count->SetKind(ztkCount);
  return count;
}

void LayoutBuilder::AddTextLayoutMarker() {
  auto* marker = new TCheckBox(form_.get());
  marker->SetName(TextLayoutMarkerName);
  marker->SetParent(stage_);
  marker->SetBounds(0, 0, 100, 17);
  marker->SetChecked(true);
}

void LayoutBuilder::Save(const AnsiString& FileName) { stage_->SaveToFile(FileName); }

bool SendTextRunToFile(TComponent* Report, const AnsiString& File) {
  TZReportOptions* options = nullptr;
  if (auto* page = dynamic_cast<TZReport*>(Report))
    options = page->Options();
  else if (auto* composite = dynamic_cast<TZRComposite*>(Report))
    options = composite->Options();
  if (options == nullptr)
    return false;
  options->SetDestination(zrdFile);
  options->SetFileName(File);
  return true;
}

CapturingOutput::CapturingOutput(PreparedRun& Run, RunnerInspector Before, RunnerInspector After)
    : previous_(InstallRunnerOutput([&Run, Before, After](TDizaynPreviewF& Runner) {
        if (Before)
          Before(Runner);
        PrepareRunnerPages(Runner);
        PrepareRunnerPages(Runner);
        for (TQuickRep* page : Runner.GraphicPages()) {
          TQRPrinter* printer = page->QRPrinter();
          for (int n = 1; printer != nullptr && n <= printer->PageCount(); ++n)
            Run.Pages.push_back(printer->GetPage(n));
        }
        Run.PageCountSeen = Runner.PageCount();
        if (After)
          After(Runner);
      })) {}

CapturingOutput::~CapturingOutput() { InstallRunnerOutput(previous_); }

std::vector<std::string> PageTexts(TMetafile& Page) {
  std::vector<std::string> texts;
  const UINT size = GetEnhMetaFileBits(Page.Handle(), 0, nullptr);
  std::vector<std::uint8_t> bytes(size);
  GetEnhMetaFileBits(Page.Handle(), size, bytes.data());
  std::size_t at = 0;
  while (at + 8 <= bytes.size()) {
    const auto* record = reinterpret_cast<const ENHMETARECORD*>(bytes.data() + at);
    if (record->nSize < 8 || at + record->nSize > bytes.size())
      break;
    if (record->iType == kEmrExtTextOutA || record->iType == kEmrExtTextOutW)
      texts.push_back(EmfRecordText(bytes.data() + at, record->nSize));
    at += record->nSize;
  }
  return texts;
}

void RenderPage(TMetafile& Page, TBitmap& Bitmap) {
  ENHMETAHEADER header{};
  GetEnhMetaFileHeader(Page.Handle(), sizeof header, &header);
  // rclFrame is in hundredths of a millimetre.
  const int width = (header.rclFrame.right - header.rclFrame.left) * 150 / 2540;
  const int height = (header.rclFrame.bottom - header.rclFrame.top) * 150 / 2540;
  Bitmap.SetSize(width, height);
  Bitmap.Canvas().Brush().SetColor(clWhite);
  Bitmap.Canvas().FillRect(RECT{0, 0, width, height});
  Bitmap.Canvas().StretchDraw(RECT{0, 0, width, height}, Page);
}

const AnsiString kDataTextHint = "DATASET=ETIKET\r\nDATAFIELD=METIN2";
const AnsiString kBarcodeHint = "DATASET=ETIKET\r\nDATAFIELD=METIN1";

RunnerScope::RunnerScope() {
  RegisterRunnerClasses();
  Printer().Refresh();
  Printer().SetPrinterIndex(-1);
  previous_ = SetReportRunner(nullptr);
  InstallReportRunner();
}

RunnerScope::~RunnerScope() { SetReportRunner(previous_); }

RunnerOutputScope::RunnerOutputScope(TRunnerOutput Output) : previous_(InstallRunnerOutput(std::move(Output))) {}

RunnerOutputScope::~RunnerOutputScope() { InstallRunnerOutput(previous_); }

RunnerFixture::RunnerFixture(const char* LayoutName)
    : dialogScope(dialogs), rapor(new TVtRapor(nullptr)), etiket(new TRxMemoryData(nullptr)) {
  layoutFile = folder.File(LayoutName);
  rapor->OnGetDataSet = [this](TObject*, AnsiString Name, TDataSet*& DataSet) {
    if (Name == "ETIKET")
      DataSet = etiket;
  };
}

RunnerFixture::~RunnerFixture() {
  rapor->Free();
  etiket->Free();
}

void RunnerFixture::RunLayout(const AnsiString& Mode) {
  TDizaynPreviewF runner(nullptr);
  runner.LayoutFileName = layoutFile;
  runner.Mode = Mode;
  runner.VtRapor = rapor;
  runner.Button1Click(nullptr);
}

void RunnerFixture::WriteLabelLayout(int Pages, const AnsiString& Caption) {
  LayoutBuilder layout;
  for (int k = 0; k < Pages; ++k) {
    TQuickRep* page = layout.AddPage("DATASET=ETIKET");
    if (!Caption.empty())
      layout.AddLabel(layout.DetailOf(page), Caption, "");
    layout.AddDataText(layout.DetailOf(page), kDataTextHint);
    layout.AddBarcode(layout.DetailOf(page), kBarcodeHint);
  }
  layout.Save(layoutFile);
}

}  // namespace runner_test
