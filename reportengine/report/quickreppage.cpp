// The page machinery of a run: where the next band prints, when a column or
// a page ends, how much room is left, bottom alignment and forced breaks.
// Every length is in 0.1 mm: the run keeps the report in Native units.
#include <algorithm>

#include "classlib/graphics/canvas.h"
#include "classlib/system/mathutils.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrcontroller.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"

namespace {

int RoundInt(long double value) { return CheckedInt32(Round(static_cast<double>(value))); }

bool Designing(const TComponent& c) { return c.ComponentState().Contains(csDesigning); }

// Counts the headers a fresh page or column is printing, also when one
// raises.
class StartingScope {
public:
  explicit StartingScope(int& depth) : depth_(depth) { ++depth_; }
  ~StartingScope() { --depth_; }
  StartingScope(const StartingScope&) = delete;
  StartingScope& operator=(const StartingScope&) = delete;

private:
  int& depth_;
};

}  // namespace

void TCustomQuickRep::StoreFunctionValue(TQREvElement* Constant, int Value) {
  if (Constant != nullptr)
    TQREvEnvironment::StoreInteger(Constant, Value);
}

void TCustomQuickRep::NewPage() {
  EndPage();
  if (FExporting && FExportFilter != nullptr)
    FExportFilter->NewPage();
  FPageCount = CheckedInt32(static_cast<std::int64_t>(FPageCount) + 1);
  StoreFunctionValue(FPageNumberConstant, FPageCount);
  if ((FUsePrinterPages || FPageCount == 1) && FQRPrinter != nullptr)
    FQRPrinter->NewPage();
  FCurrentY = RoundInt(FPage->TopMargin());
  if (OnStartPage && !Designing(*this))
    OnStartPage(this);
  DrawBackImage();
  {
    StartingScope starting(FStartingColumn);
    if (FPageCount > 1 || FOptions.Contains(FirstPageHeader))
      PrintBand(FBands->PageHeaderBand());
  }
  FColumnTop = FCurrentY;
  if (FPageCount == 1)
    if (TQRCustomBand* title = FBands->TitleBand())
      FColumnTop = CheckedInt32(static_cast<std::int64_t>(FColumnTop) + RoundInt(title->Size()->Height()));
}

void TCustomQuickRep::EndPage() {
  if (FPageCount <= 0)
    return;
  // The footer's own space, also when a bottom-aligned summary gave it up
  // for the last page and then had to start a page after all.
  FCurrentY = RoundInt(FPage->Length() - FPage->BottomMargin() - std::max(FPageFooterSpace, FPageFooterChain));
  FCurrentX = RoundInt(FPage->LeftMargin());
  if (!FFinalPage || FOptions.Contains(LastPageFooter))
    PrintBand(FBands->PageFooterBand());
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* printable = dynamic_cast<TQRPrintable*>(Controls(i)); printable && printable != FBackImage)
      printable->Print(0, 0);
  if ((FUsePrinterPages || FExporting) && FQRPrinter != nullptr)
    DrawReportFrame();
  if (OnEndPage && !Designing(*this))
    OnEndPage(this);
  if (FExporting && FExportFilter != nullptr)
    FExportFilter->EndPage();
}

void TCustomQuickRep::DrawReportFrame() {
  if (!Frame()->AnyFrame())
    return;
  TQRPrinter& printer = *FQRPrinter;
  RECT r{printer.DeviceX(FPage->LeftMargin()), printer.DeviceY(FPage->TopMargin()),
         printer.DeviceX(FPage->Width() - FPage->RightMargin()),
         printer.DeviceY(FPage->Length() - FPage->BottomMargin())};
  Frame()->Paint(printer.CurrentCanvas(), r, printer.XFactor(), printer.YFactor());
}

void TCustomQuickRep::DrawBackImage() {
  auto* printable = dynamic_cast<TQRPrintable*>(FBackImage);
  if (printable == nullptr || FQRPrinter == nullptr)
    return;
  TGraphic* graphic = QRBackgroundGraphic(FBackImage);
  if (graphic == nullptr)
    return;
  TQRPrinter& printer = *FQRPrinter;
  TQRPrintableSize& size = *printable->Size();
  int left = printer.DeviceX(size.Left());
  int top = printer.DeviceY(size.Top());
  RECT r{left, top, left + RoundInt(size.Width() * printer.XFactor()),
         top + RoundInt(size.Height() * printer.YFactor())};
  if (FUsePrinterPages)
    printer.CurrentCanvas().StretchDraw(r, *graphic);
  if (FExporting && FExportFilter != nullptr)
    FExportFilter->AcceptGraphic(size.Left(), size.Top(), graphic);
}

void TCustomQuickRep::NewColumn() {
  PrintBand(FBands->BandOf(5));
  int columns = std::max(1, FPage->Columns());
  if (FCurrentColumn >= columns) {
    FCurrentColumn = 1;
    FCurrentX = RoundInt(FPage->LeftMargin());
    NewPage();
  } else {
    std::int64_t columnWidth;
    if (TQRCustomBand* detail = FBands->DetailBand())
      columnWidth = RoundInt(detail->Size()->Width());
    else
      columnWidth = (static_cast<std::int64_t>(RoundInt(FPage->Width() - (FPage->LeftMargin() + FPage->RightMargin()))) -
                     static_cast<std::int64_t>(columns - 1) * RoundInt(FPage->ColumnSpace())) /
                    columns;
    FCurrentX = CheckedInt32(FCurrentX + columnWidth + RoundInt(FPage->ColumnSpace()));
    FCurrentY = FColumnTop;
    ++FCurrentColumn;
  }
  StoreFunctionValue(FColumnNumberConstant, FCurrentColumn);
  if (FCurrentColumn == 1 && FPageCount == 1)
    return;
  StartingScope starting(FStartingColumn);
  PrintBand(FBands->ColumnHeaderBand());
  FController->ReprintGroupHeaders();
}

// The sheet's bottom in 0.1 mm: the printer object's paper before its
// orientation is applied, across the sheet when landscape (not Custom).
// A paper the printer object cannot size (no device) falls back to the
// report's own page, so the room left is never that of a sheet of length 0.
int TCustomQuickRep::PageBottom(bool SubtractMargin) {
  long double bottom = 0;
  if (FQRPrinter != nullptr) {
    TPrinterSettings& settings = FQRPrinter->Settings();
    bool across = FPage->Orientation() == poLandscape && FPage->PaperSize() != TQRPaperSize::Custom;
    bottom = across ? settings.PaperWidth() : settings.PaperLength();
  }
  if (bottom <= 0)
    bottom = FPage->Length();
  if (SubtractMargin)
    bottom -= FPage->BottomMargin();
  return RoundInt(bottom);
}

int TCustomQuickRep::AvailableSpace() {
  if (FIdle || FCurrentY == -1)
    return 0;
  if (FExporting && FExportFilter != nullptr && FExportFilter->ContinuousPage())
    return RoundInt(FPage->Length());
  long double bottom = PageBottom(true);
  return RoundInt(bottom - FPageFooterSpace - FCurrentY);
}

void TCustomQuickRep::PrintBand(TQRCustomBand* Band) {
  if (Band == nullptr)
    return;
  if (Band->AlignToBottom()) {
    if (Band->BandType() == rbSummary && !FOptions.Contains(LastPageFooter))
      FPageFooterSpace = 0;
    std::int64_t bottom = PageBottom(false);
    long double height = Band->Size()->Height();
    if (bottom - FCurrentY >= Round(static_cast<double>(height + FPage->BottomMargin() + FPageFooterSpace)))
      FCurrentY = CheckedInt32(bottom - RoundInt(height) - RoundInt(FPage->BottomMargin() + FPageFooterSpace));
  }
  Band->Print();
}

void TCustomQuickRep::ForceNewColumn() {
  if (FIdle)
    return;
  if (FColumnBreakArmed || FCurrentColumn > 1)
    NewColumn();
  else
    FColumnBreakArmed = true;
}

void TCustomQuickRep::ForceNewPage() {
  if (FIdle)
    return;
  if (FTitlePrinted) {
    FTitlePrinted = false;
    return;
  }
  do
    NewColumn();
  while (FCurrentColumn != 1);
}
