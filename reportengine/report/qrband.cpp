#include "reportengine/report/qrband.h"

#include <array>

#include "classlib/classes/lists.h"
#include "classlib/forms/dialogs.h"
#include "classlib/graphics/canvas.h"
#include "classlib/system/mathutils.h"
#include "classlib/system/numconv.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrcontroller.h"
#include "reportengine/report/quickrep.h"

const char* const SQRCircularLinking = "Circular linking not allowed";

// ---- Names ------------------------------------------------------------------

namespace {

struct BandNames {
  std::array<AnsiString, QRBandTypeCount> Display;
  std::array<AnsiString, QRBandTypeCount> Stem;
  bool Loaded = false;
};

BandNames& Names() {
  static BandNames names;
  return names;
}

constexpr const char* kDisplayNames[QRBandTypeCount] = {
    "Title", "Page Header", "Detail", "Page Footer", "Summary", "Group Header", "Group Footer",
    "Sub Detail", "Column Header", "Overlay", "Child"};
constexpr const char* kStems[QRBandTypeCount] = {
    "TitleBand", "PageHeaderBand", "DetailBand", "PageFooterBand", "SummaryBand", "GroupHeaderBand",
    "GroupFooterBand", "SubDetailBand", "ColumnHeaderBand", "OverlayBand", "ChildBand"};

bool InRange(TQRBandType kind) { return kind >= 0 && kind < QRBandTypeCount; }

thread_local bool tDetailBrokeColumn = false;

std::int64_t RoundEven(long double value) { return Round(static_cast<double>(value)); }

// Band growth in 0.1 mm from pixels at 96 per inch.
constexpr long double kPixelsPerTenthMM = 0.37795L;

// A chain longer than this closes on itself somewhere; following stops.
constexpr int kMaxChain = 10000;

}  // namespace

void QRLoadBandNames() {
  BandNames& names = Names();
  for (int i = 0; i < QRBandTypeCount; ++i) {
    names.Display[i] = kDisplayNames[i];
    names.Stem[i] = kStems[i];
  }
  names.Loaded = true;
}

AnsiString QRBandTypeName(TQRBandType Kind) {
  if (!Names().Loaded)
    QRLoadBandNames();
  return InRange(Kind) ? Names().Display[Kind] : AnsiString();
}

AnsiString QRBandNameStem(TQRBandType Kind) {
  if (!Names().Loaded)
    QRLoadBandNames();
  return InRange(Kind) ? Names().Stem[Kind] : AnsiString();
}

bool QRDetailBrokeColumn() { return tDetailBrokeColumn; }
void QRSetDetailBrokeColumn(bool Value) { tDetailBrokeColumn = Value; }

bool QRBandChainReaches(TQRCustomBand* Start, TQRCustomBand* Target, bool Links) {
  TQRCustomBand* band = Start;
  for (int steps = 0; band != nullptr && steps < kMaxChain; ++steps) {
    if (band == Target)
      return true;
    band = Links ? band->LinkBand() : band->ParentBandOf();
    if (band == Start)
      return false;
  }
  return false;
}

// ---- TQRCustomBand ----------------------------------------------------------

BEGIN_PUBLISHED(TQRCustomBand)
  PROPERTY(AfterPrint, AfterPrint, AfterPrint),
  PROPERTY(AlignToBottom, AlignToBottom, SetAlignToBottom).Default(false),
  PROPERTY(BeforePrint, BeforePrint, BeforePrint),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Default(clWhite),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(TransparentBand, TransparentBand, SetTransparentBand).Default(false),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ForceNewColumn, ForceNewColumn, SetForceNewColumn).Default(false),
  PROPERTY(ForceNewPage, ForceNewPage, SetForceNewPage).Default(false),
  PROPERTY(HasChild, HasChild, SetHasChild).Stored(false),
  PROPERTY(LinkBand, LinkBand, SetLinkBand),
  PROPERTY_RO(Size, Size),
  PROPERTY(PreCaluculateBandHeight, PreCaluculateBandHeight, SetPreCaluculateBandHeight).Default(false),
  PROPERTY(KeepOnOnePage, KeepOnOnePage, SetKeepOnOnePage).Default(false),
END_PUBLISHED

TQRCustomBand::TQRCustomBand(TComponent* AOwner) : TQRBasePanel(AOwner), FSize(new TQRBandSize(nullptr, this)) {
  SetAlign(alNone);
  SetCaption("");
  SetColor(clWhite);
  SetBevelInner(bvNone);
  SetBevelOuter(bvNone);
  TControl::SetEnabled(true);
  SetBounds(Left(), Top(), Width(), 40);
  FLoadedHeight = 40;
}

TQRCustomBand::~TQRCustomBand() {
  if (TCustomQuickRep* report = ReportParent())
    report->RemoveBand(this);
  delete FSize;
  FSize = nullptr;
}

void TQRCustomBand::GetBandTypeName(AnsiString& Name) { Name = QRBandTypeName(FBandType); }

void TQRCustomBand::GetDefaultBandName(AnsiString& Name) { Name = QRBandNameStem(FBandType); }

void TQRCustomBand::AttachReport(TCustomQuickRep* Report) { FParentReport = Report; }

TCustomQuickRep* TQRCustomBand::ReportParent() const { return dynamic_cast<TCustomQuickRep*>(Parent()); }

TQRBasePanel* TQRCustomBand::OwningReport() { return ReportParent(); }

IQRUnitReport* TQRCustomBand::UnitReport() { return ReportParent(); }

TQRUnit TQRCustomBand::PrintableUnits() { return FSize->Units(); }

TQRPrinter* TQRCustomBand::RunPrinter() {
  TCustomQuickRep* report = ReportParent();
  return report != nullptr ? report->QRPrinter() : nullptr;
}

bool TQRCustomBand::UsesPrinterPages() {
  TCustomQuickRep* report = ReportParent();
  return report != nullptr && report->UsePrinterPages();
}

void TQRCustomBand::MarkDesignRepaint() {
  if (TCustomQuickRep* report = ReportParent())
    report->MarkDesignRepaint();
  else
    TQRBasePanel::MarkDesignRepaint();
}

void TQRCustomBand::SetBandType(TQRBandType Value) {
  FBandType = Value;
  if (TCustomQuickRep* report = ReportParent())
    report->RebuildBandList();
}

void TQRCustomBand::SetSize(TQRBandSize* Value) {
  if (Value != nullptr)
    FSize->Assign(Value);
}

// ---- Placement --------------------------------------------------------------

void TQRCustomBand::SetParent(TWinControl* AParent) {
  if (auto* band = dynamic_cast<TQRCustomBand*>(AParent))
    AParent = band->Parent();
  TCustomQuickRep* old = ReportParent();
  if (old != nullptr && old != AParent)
    old->RemoveBand(this);
  TQRBasePanel::SetParent(AParent);
  auto* report = dynamic_cast<TCustomQuickRep*>(AParent);
  if (report == nullptr)
    return;
  AttachReport(report);
  FSize->SetParentReport(report);
  FSize->SetUnits(report->Units());
  ApplyZoom(report->Zoom());
  report->AddBand(this);
}

void TQRCustomBand::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FSize == nullptr) {
    TQRBasePanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  if (ComponentState().Contains(csLoading)) {
    if (AHeight != 40)
      FLoadedHeight = AHeight;
    TQRBasePanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  TCustomQuickRep* report = ReportParent();
  if (FSize->ParentUpdating()) {
    TQRBasePanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (report != nullptr && !FArranging)
      report->LayoutBands();
    for (int i = 0; i < ControlCount(); ++i)
      if (auto* printable = dynamic_cast<TQRPrintable*>(Controls(i)); printable && printable->AlignToBand())
        printable->Notify(this, QRNotifyBandResized);
    return;
  }
  if (FArranging) {
    // The report lays the band out: position and width are its to give.
    TQRBasePanel::SetBounds(ALeft, ATop, AWidth, AHeight);
    FSize->UsePixels();
    FSize->SetWidth(AWidth);
    FSize->RestoreUnits();
    return;
  }
  if (AHeight != Height()) {
    FSize->UsePixels();
    FSize->SetHeight(AHeight);
    FSize->RestoreUnits();
  }
  if (ALeft != Left() || ATop != Top()) {
    TQRBasePanel::SetBounds(ALeft, ATop, Width(), Height());
    if (report != nullptr)
      report->LayoutBands();
  }
  if (report != nullptr)
    report->MarkDesignRepaint();
}

void TQRCustomBand::GetSizedBounds(int& ALeft, int& ATop, int& AWidth, int& AHeight) {
  ALeft = Left();
  ATop = Top();
  AWidth = Width();
  AHeight = Height();
}

void TQRCustomBand::SetSizedBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TQRCustomBand::Loaded() {
  TQRBasePanel::Loaded();
  FSize->AfterLoad();
  ApplyLoadedHeight();
}

// A stored height other than 40 wins when the size object left the band at
// its 40 pixels of creation (a layout without size values).
void TQRCustomBand::ApplyLoadedHeight() {
  if (Height() == 40 && FLoadedHeight != 40)
    SetBounds(Left(), Top(), Width(), FLoadedHeight);
}

void TQRCustomBand::Notification(TComponent* AComponent, TOperation Operation) {
  TQRBasePanel::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FLinkBand)
    FLinkBand = nullptr;
  if (AComponent == FParentReport)
    FParentReport = nullptr;
}

void TQRCustomBand::SetEnabled(bool Value) {
  TQRBasePanel::SetEnabled(Value);
  Invalidate();
}

void TQRCustomBand::ApplyZoom(int Value) {
  if (Value == 0)
    return;
  FSize->SetZoom(Value);
  TQRBasePanel::ApplyZoom(Value);
}

void TQRCustomBand::PaintRuler(TQRUnit Units) {
  if (TCustomQuickRep* report = ReportParent())
    SetFontSize(report->Font()->Size());
  TQRBasePanel::PaintRuler(Units);
}

void TQRCustomBand::Paint() {
  TQRBasePanel::Paint();
  TCustomQuickRep* report = ReportParent();
  if (report != nullptr && report->Page()->Ruler())
    PaintRuler(report->Units());
  AnsiString caption;
  GetBandTypeName(caption);
  QRPaintBandDesign(*Canvas(), Width(), Height(), *Frame(), caption);
}

// ---- Links ------------------------------------------------------------------

namespace {

void RefuseCircle(TComponent& band) {
  TComponentState state = band.ComponentState();
  if (state.Contains(csDesigning) && !state.Contains(csLoading))
    ShowMessage(SQRCircularLinking);
}

}  // namespace

void TQRCustomBand::SetLinkBand(TQRCustomBand* Value) {
  if (Value == FLinkBand)
    return;
  if (Value != nullptr && QRBandChainReaches(Value, this, true)) {
    RefuseCircle(*this);
    return;
  }
  ReplaceComponentReference(this, FLinkBand, Value);
}

TQRCustomBand* TQRCustomBand::ChildBand() {
  TCustomQuickRep* report = ReportParent();
  if (report == nullptr)
    return nullptr;
  TList* list = report->BandList();
  for (int i = 0; i < list->Count(); ++i) {
    auto* band = static_cast<TQRCustomBand*>(list->Items(i));
    if (band->BandType() == rbChild && band->ParentBandOf() == this)
      return band;
  }
  return nullptr;
}

bool TQRCustomBand::HasChild() { return ChildBand() != nullptr; }

namespace {

// The stem followed by the first number from 1 up that no component of the
// owner uses.
AnsiString FirstFreeName(TComponent* owner, const AnsiString& stem) {
  if (owner == nullptr)
    return stem + "1";
  for (int n = 1;; ++n) {
    AnsiString name = stem + IntToStr(n);
    if (owner->FindComponent(name) == nullptr)
      return name;
  }
}

}  // namespace

void TQRCustomBand::SetHasChild(bool Value) {
  if (ComponentState().Contains(csLoading))
    return;
  TQRCustomBand* child = ChildBand();
  if (Value && child == nullptr) {
    auto* band = new TQRChildBand(Owner());
    if (ComponentState().Contains(csDesigning))
      band->SetName(FirstFreeName(Owner(), QRBandNameStem(rbChild)));
    band->SetParent(Parent());
    band->SetParentBand(this);
  } else if (!Value && child != nullptr) {
    if (auto* grandChild = dynamic_cast<TQRChildBand*>(child->ChildBand()))
      grandChild->SetParentBand(this);
    delete child;
  }
}

long double TQRCustomBand::HeightWithLinks(bool IncludeLinks) {
  long double height = FSize->Height();
  TQRCustomBand* link = FLinkBand;
  // The setter refuses circles; the step count guards a chain that grew
  // one anyway.
  for (int steps = 0; IncludeLinks && link != nullptr && link != this && steps < kMaxChain; ++steps) {
    height += link->Size()->Height() + link->Height();
    link = link->LinkBand();
  }
  return height;
}

TQRBandType TQRCustomBand::EffectiveBandType() {
  TQRCustomBand* band = this;
  for (int steps = 0; band != nullptr && band->BandType() == rbChild && steps < kMaxChain; ++steps)
    band = band->ParentBandOf();
  return band != nullptr && band->BandType() != rbChild ? band->BandType() : FBandType;
}

// ---- Growth -----------------------------------------------------------------

bool TQRCustomBand::CanExpand(long double Amount) {
  TCustomQuickRep* report = FParentReport;
  if (report == nullptr)
    return false;
  if (static_cast<std::int64_t>(report->AvailableSpace()) >= RoundEven(FSize->Height() + FExpanded + Amount))
    return true;
  // A pass forced because the band could not grow by a single line on an
  // empty column lets the first refused line through, clipped.
  if (FForceGrowth) {
    FForceGrowth = false;
    return true;
  }
  return false;
}

bool TQRCustomBand::ExpandBand(long double& NewExpanded, bool& HasExpanded, long double Amount) {
  if (!CanExpand(Amount))
    return false;
  bool result = false;
  if (!HasExpanded && Amount < FExpanded) {
    NewExpanded = FExpanded;
    result = true;
  } else {
    FExpanded += Amount;
    NewExpanded = FExpanded;
  }
  HasExpanded = true;
  return result;
}

long double TQRCustomBand::PreCalculateHeight() {
  FStretchHeight = FSize->Height();
  long double extra = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* printable = dynamic_cast<TQRPrintable*>(Controls(i));
    if (printable == nullptr || !printable->Enabled() || !printable->StretchesWithData())
      continue;
    int needed = printable->Height();
    printable->MeasureHeight(needed);
    long double bottom = (printable->Top() + needed) / kPixelsPerTenthMM;
    if (bottom > FStretchHeight) {
      FStretchHeight = bottom;
      extra = (Height() - printable->Top() - printable->Height() + 1) / kPixelsPerTenthMM;
    }
  }
  if (extra < 0)
    extra = 0;
  return FStretchHeight + extra;
}

// ---- Printing ---------------------------------------------------------------

namespace {

bool IsPageKind(TQRBandType kind) {
  return kind == rbTitle || kind == rbPageHeader || kind == rbPageFooter || kind == rbOverlay;
}

bool Designing(const TComponent& c) { return c.ComponentState().Contains(csDesigning); }

}  // namespace

void TQRCustomBand::MakeSpace() {
  TCustomQuickRep* report = FParentReport;
  if (FBandType == rbPageFooter)
    return;
  std::int64_t needed = RoundEven(HeightWithLinks(true));
  TQRPage* page = report->Page();
  // A band taller than an empty page prints where it is, but only at the top
  // of a column: below other bands it would run off the sheet, so it starts
  // a new column first (and then prints there, clipped).
  bool tallerThanPage = needed > RoundEven(page->Length() - (page->TopMargin() + page->BottomMargin()));
  bool fits = report->AvailableSpace() >= needed ||
              (tallerThanPage && report->CurrentY() <= report->ColumnTop()) || report->StartingColumn();
  if (fits && report->PageCount() > 0) {
    if (FBandType == rbDetail)
      QRSetDetailBrokeColumn(false);
    return;
  }
  if (FBandType == rbDetail)
    QRSetDetailBrokeColumn(true);
  report->NewColumn();
}

void TQRCustomBand::ComputeBandRect(long double Height) {
  TCustomQuickRep* report = FParentReport;
  TQRPrinter* printer = report->QRPrinter();
  if (printer == nullptr)
    return;
  long double x = report->CurrentX(), y = report->CurrentY();
  FBandRect = RECT{printer->DeviceX(x), printer->DeviceY(y), printer->DeviceX(x + FSize->Width()),
                   printer->DeviceY(y + Height)};
}

void TQRCustomBand::Print() {
  TCustomQuickRep* report = FParentReport;
  if (report == nullptr)
    return;
  bool printBand = Enabled();
  int savedX = report->CurrentX(), savedY = report->CurrentY();
  if (Enabled() && BeforePrint && !Designing(*this))
    BeforePrint(this, printBand);
  if (printBand) {
    bool pageBegun = report->PageCount() > 0;
    if (FForceNewPage && !QRDetailBrokeColumn() && !IsPageKind(FBandType) && pageBegun) {
      report->ForceNewPage();
      QRSetDetailBrokeColumn(false);
    } else if (FForceNewColumn && !IsPageKind(FBandType) && pageBegun) {
      report->ForceNewColumn();
    } else {
      MakeSpace();
    }
    if (FNotifyController != nullptr)
      FNotifyController->NotifyClients(0);
    if (FKeepOnOnePage && PreCalculateHeight() > report->AvailableSpace())
      report->NewColumn();
    // An export filter hears where the band printed: after any break.
    savedX = report->CurrentX();
    savedY = report->CurrentY();
    if (!FTransparentBand && Enabled())
      ComputeBandRect(FPreCalculate ? PreCalculateHeight() : FSize->Height());
    if (Height() != 0 && Enabled()) {
      TQRPrinter* printer = report->QRPrinter();
      if (report->UsePrinterPages() && !FTransparentBand && printer != nullptr) {
        TCanvas& canvas = printer->CurrentCanvas();
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(FBandRect);
      }
      PrintPasses();
    }
    if (report->Exporting() && report->ExportFilter() != nullptr)
      report->ExportFilter()->AcceptBand(this, savedX, savedY, FExpanded);
  } else if (!Enabled() && FNotifyController != nullptr) {
    FNotifyController->NotifyClients(0);
  }
  if (AfterPrint && !Designing(*this))
    AfterPrint(this, printBand);
  if (TQRCustomBand* child = ChildBand()) {
    if (FBandType == rbPageFooter)
      child->FBandType = rbPageFooter;
    report->PrintBand(child);
    child->FBandType = rbChild;
  }
  QRSetDetailBrokeColumn(false);
}

// The band's printables, pass after pass, each pass on a new column or page,
// until every one of them is finished. A pass that starts on an empty
// column and lets nothing grow means the unfinished printables cannot fit
// anywhere: the next pass lets one line through clipped, and when even that
// brings no growth, the printables left are taken as finished. The run
// therefore always goes on.
void TQRCustomBand::PrintPasses() {
  TCustomQuickRep* report = FParentReport;
  TQRPrinter* printer = report->QRPrinter();
  FExpanded = 0;
  bool firstPass = true;
  bool emptyColumn = false;
  bool forced = false;
  for (;;) {
    bool allFinished = QRPrintChildPrintables(*this, report->CurrentX(), report->CurrentY(), firstPass);
    if ((report->UsePrinterPages() || report->Exporting()) && printer != nullptr) {
      long double x = report->CurrentX(), y = report->CurrentY();
      FBandRect = RECT{printer->DeviceX(x), printer->DeviceY(y), printer->DeviceX(x + FSize->Width()),
                       printer->DeviceY(y + FSize->Height() + FExpanded + 1)};
      Frame()->Paint(printer->CurrentCanvas(), FBandRect, printer->XFactor(), printer->YFactor());
    }
    if (allFinished || report->Cancelled())
      break;
    if (emptyColumn && FExpanded == 0) {
      if (forced) {
        for (int i = 0; i < ControlCount(); ++i)
          if (auto* printable = dynamic_cast<TQRPrintable*>(Controls(i)))
            printable->SetPrintFinished(true);
        break;
      }
      forced = true;
      FForceGrowth = true;
    } else {
      forced = false;
      FForceGrowth = false;
    }
    QRSetDetailBrokeColumn(true);
    report->NewColumn();
    QRSetDetailBrokeColumn(false);
    emptyColumn = true;
    FExpanded = 0;
    firstPass = false;
  }
  FForceGrowth = false;
  report->SetCurrentY(CheckedInt32(report->CurrentY() + RoundEven(FSize->Height() + FExpanded)));
}

// ---- TQRBand ----------------------------------------------------------------

BEGIN_PUBLISHED(TQRBand)
  PROPERTY(BandType, BandType, SetBandType),
END_PUBLISHED

TQRBand::TQRBand(TComponent* AOwner) : TQRCustomBand(AOwner) {}

// ---- TQRChildBand -----------------------------------------------------------

BEGIN_PUBLISHED(TQRChildBand)
  PROPERTY(ParentBand, ParentBand, SetParentBand),
END_PUBLISHED

TQRChildBand::TQRChildBand(TComponent* AOwner) : TQRCustomBand(AOwner) { FBandType = rbChild; }

void TQRChildBand::SetParentBand(TQRCustomBand* Value) {
  if (Value == FParentBand)
    return;
  if (Value != nullptr && QRBandChainReaches(Value, this, false)) {
    RefuseCircle(*this);
    return;
  }
  ReplaceComponentReference(this, FParentBand, Value);
  TCustomQuickRep* report = ReportParent();
  if (report != nullptr && !report->ComponentState().Contains(csDestroying))
    report->RebuildBandList();
}

void TQRChildBand::Notification(TComponent* AComponent, TOperation Operation) {
  TQRCustomBand::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FParentBand)
    FParentBand = nullptr;
}
