#include "reportengine/report/quickrep.h"

#include <algorithm>

#include "classlib/classes/lists.h"
#include "classlib/classes/strings.h"
#include "classlib/data/dataset.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/font.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/mathutils.h"
#include "classlib/system/numconv.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/report/qrcontroller.h"
#include "reportengine/report/qrquickrepbands.h"

// ---- Shared run flag --------------------------------------------------------

namespace {
thread_local bool tCompositeRun = false;

int RoundInt(long double value) { return CheckedInt32(Round(static_cast<double>(value))); }

// Japanese as the system's primary language keeps the platform's font.
bool SystemIsJapanese() { return PRIMARYLANGID(GetSystemDefaultLangID()) == 0x11; }
}  // namespace

bool QRCompositeRun() { return tCompositeRun; }
void QRSetCompositeRun(bool Value) { tCompositeRun = Value; }

// ---- TQuickRepPrinterSettings -------------------------------------------------

BEGIN_PUBLISHED(TQuickRepPrinterSettings)
  PROPERTY(Copies, Copies, SetCopies).Default(1),
  PROPERTY(OutputBin, OutputBin, SetOutputBin).Default(static_cast<int>(TQRBin::Auto)),
  PROPERTY(Duplex, Duplex, SetDuplex).Default(false),
  PROPERTY(FirstPage, FirstPage, SetFirstPage).Default(0),
  PROPERTY(LastPage, LastPage, SetLastPage).Default(0),
  PROPERTY(UseStandardprinter, UseStandardprinter, SetUseStandardprinter).Default(false),
  PROPERTY(UseCustomBinCode, UseCustomBinCode, SetUseCustomBinCode).Default(false),
  PROPERTY(CustomBinCode, CustomBinCode, SetCustomBinCode).Default(0),
  PROPERTY(ExtendedDuplex, ExtendedDuplex, SetExtendedDuplex).Default(0),
  PROPERTY(UseCustomPaperCode, UseCustomPaperCode, SetUseCustomPaperCode).Default(false),
  PROPERTY(CustomPaperCode, CustomPaperCode, SetCustomPaperCode).Default(0),
  PROPERTY(PrintMetaFile, PrintMetaFile, SetPrintMetaFile).Default(false),
  PROPERTY(MemoryLimit, MemoryLimit, SetMemoryLimit).Default(250000),
  // Always written: a quality of 0 read back as the default would change.
  PROPERTY(PrintQuality, PrintQuality, SetPrintQuality),
  PROPERTY(Collate, Collate, SetCollate).Default(0),
  PROPERTY(ColorOption, ColorOption, SetColorOption).Default(0),
END_PUBLISHED

TQuickRepPrinterSettings::TQuickRepPrinterSettings() { FTitle = ""; }

// ---- TCustomQuickRep: creation ------------------------------------------------

IMPLEMENT_CLASS(TCustomQuickRep)

TCustomQuickRep::TCustomQuickRep(TComponent* AOwner) : TQRBasePanel(AOwner) {
  FGuiThread = GetCurrentThreadId();
  TCustomQuickRep::CreateWithDefaults();
}

void TCustomQuickRep::CreateWithDefaults() {
  SetBevelInner(bvNone);
  SetBevelOuter(bvNone);
  SetCaption("");
  FController = new TQRCustomController(nullptr);
  FController->SetOwnerObject(this);
  FController->SetMaster(this);
  FBandList = new TList();
  FFunctions = new TQREvEnvironment();
  FFunctions->AddVariable("PAGENUMBER", "0");
  FFunctions->AddVariable("COLUMNNUMBER", "0");
  FFunctions->AddVariable("REPORTTITLE", "''");
  FDescription = new TStringList();
  FBands = new TQuickRepBands(this);
  FPage = new TQRPage(this, this);
  FPrinterSettings = new TQuickRepPrinterSettings();
  FPrintSetupSettings = new TQuickRepPrinterSettings();
  SetColor(clWhite);
  SetBounds(0, 0, Width(), Height());
  FSnapToGrid = true;
  FReportTitle = "";
  FIdle = true;
  FUsePrinterPages = true;
  FPrevShowThumbs = FPrevShowSearch = FShowProgress = true;
  FOptions = TQuickRepOptions{FirstPageHeader, LastPageFooter};
  if (!SystemIsJapanese()) {
    Font()->SetName("Arial");
    Font()->SetSize(10);
  }
  FMeasureDC = CreateCompatibleDC(nullptr);
  {
    // The default printer's paper is the new report's paper.
    TQRPrinter probe(nullptr);
    if (probe.PrintersAvailable())
      FPage->SetPaperSize(probe.Settings().PaperSize());
  }
  FPage->ResizeParent();
  if (auto* form = dynamic_cast<TCustomForm*>(Owner()))
    form->SetScaled(false);
}

TCustomQuickRep::~TCustomQuickRep() {
  // A preview's worker still running reads this report: stop it first.
  if (FThreadRunning.load()) {
    FCancelled = true;
    if (FQRPrinter != nullptr)
      FQRPrinter->Cancel();
    while (FThreadRunning.load())
      Sleep(5);
  }
  for (TQRPrinter* printer : FOwnedPrinters)
    delete printer;
  FOwnedPrinters.clear();
  FQRPrinter = nullptr;
  SetStateFlag(csDestroying, true);
  for (int i = FBandList->Count() - 1; i >= 0; --i)
    static_cast<TQRCustomBand*>(FBandList->Items(i))->AttachReport(nullptr);
  delete FController;
  FController = nullptr;
  delete FDesignPage;
  delete FBands;
  delete FDescription;
  delete FFunctions;
  delete FPrintSetupSettings;
  delete FPrinterSettings;
  FPage->SetControl(nullptr);
  FPage->SetParentReport(nullptr);
  if (FMeasureDC != nullptr)
    DeleteDC(FMeasureDC);
  // Bands still on the report leave it while the panel frees its controls;
  // they find an empty list then.
  FBandList->Clear();
  DestroyComponentsOwnedHere();
  delete FBandList;
  FBandList = nullptr;
  delete FPage;
  FPage = nullptr;
}

// Children are freed while the lists they reach into still exist.
void TCustomQuickRep::DestroyComponentsOwnedHere() {
  while (ControlCount() > 0)
    delete Controls(ControlCount() - 1);
}

// ---- Properties ---------------------------------------------------------------

TQRUnit TCustomQuickRep::Units() const { return FPage->Units(); }

void TCustomQuickRep::ApplyUnits(TQRUnit Value) {
  FPage->SetUnits(Value);
  for (int i = 0; i < FBandList->Count(); ++i)
    static_cast<TQRCustomBand*>(FBandList->Items(i))->Size()->SetUnits(Value);
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* printable = dynamic_cast<TQRPrintable*>(Controls(i)))
      printable->Size()->SetUnits(Value);
}

void TCustomQuickRep::SetBands(TQuickRepBands*) {}

void TCustomQuickRep::SetDescription(TStrings* Value) { FDescription->Assign(Value); }

void TCustomQuickRep::SetFunctions(TQREvEnvironment* Value) {
  if (Value != nullptr)
    FFunctions->Assign(Value);
}

void TCustomQuickRep::SetPage(TQRPage* Value) {
  if (Value != nullptr)
    FPage->Assign(Value);
}

void TCustomQuickRep::SetPrinterSettings(TQuickRepPrinterSettings* Value) {
  if (Value != nullptr)
    FPrinterSettings->Assign(Value);
}

void TCustomQuickRep::ApplyPrintIfEmpty(bool Value) {
  FPrintIfEmpty = Value;
  FController->SetPrintIfEmpty(Value);
}

void TCustomQuickRep::AddNotifyClient(TObject* Expr) { FController->AddNotifyClient(Expr); }

void TCustomQuickRep::RunController() { FController->Execute(); }

bool TCustomQuickRep::OnGuiThread() const { return GetCurrentThreadId() == FGuiThread; }

// ---- Band list and design layout ----------------------------------------------

void TCustomQuickRep::AddBand(TQRCustomBand* Band) {
  if (FBandList == nullptr || Band == nullptr)
    return;
  if (FBandList->IndexOf(Band) < 0)
    FBandList->Add(Band);
  RebuildBandList();
}

void TCustomQuickRep::RemoveBand(TQRCustomBand* Band) {
  if (FBandList == nullptr)
    return;
  FBandList->Remove(Band);
  if (FController != nullptr) {
    // The controller must not keep a band that is going.
    if (auto* controller = dynamic_cast<TQRController*>(FController)) {
      if (controller->Header() == Band)
        controller->SetHeader(nullptr);
      if (controller->Detail() == Band)
        controller->SetDetail(nullptr);
      if (controller->Footer() == Band)
        controller->SetFooter(nullptr);
    }
  }
  if (!ComponentState().Contains(csDestroying))
    RebuildBandList();
}

TQRCustomBand* TCustomQuickRep::BandOfType(TQRBandType Kind) {
  if (FBandList == nullptr)
    return nullptr;
  for (int i = 0; i < FBandList->Count(); ++i) {
    auto* band = static_cast<TQRCustomBand*>(FBandList->Items(i));
    if (band->BandType() == Kind)
      return band;
  }
  return nullptr;
}

void TCustomQuickRep::RebuildBandList() {
  TComponentState state = ComponentState();
  if (FBandList == nullptr || state.Contains(csLoading) || state.Contains(csDestroying) || FRebuilding)
    return;
  FRebuilding = true;
  try {
    LinkControllerBands();
    FController->BuildLists();
    TQRBandOrder order;
    auto addKind = [&](TQRBandType kind) {
      for (int i = 0; i < FBandList->Count(); ++i) {
        auto* band = static_cast<TQRCustomBand*>(FBandList->Items(i));
        if (band->BandType() == kind)
          order.Add(band);
      }
    };
    addKind(rbPageHeader);
    if (FBands->HasTitle())
      addKind(rbTitle);
    addKind(rbColumnHeader);
    FController->RegisterBands(order);
    addKind(rbPageFooter);
    for (int i = 0; i < FBandList->Count(); ++i)
      order.Add(static_cast<TQRCustomBand*>(FBandList->Items(i)));
    FBandList->Clear();
    for (TQRCustomBand* band : order.Bands())
      FBandList->Add(band);
  } catch (...) {
    FRebuilding = false;
    throw;
  }
  FRebuilding = false;
  LayoutBands();
}

void TCustomQuickRep::SetBandValues() { LayoutBands(); }

namespace {

bool FullWidthKind(TQRBandType kind) {
  return kind == rbTitle || kind == rbPageHeader || kind == rbPageFooter || kind == rbSummary || kind == rbOverlay;
}

}  // namespace

void TCustomQuickRep::LayoutBands() {
  TComponentState state = ComponentState();
  if (FPage == nullptr || FBandList == nullptr || state.Contains(csLoading) || state.Contains(csDestroying) ||
      FArranging || !FIdle)
    return;
  FArranging = true;
  FPage->UsePixels();
  try {
    int y = RoundInt(FPage->TopMargin());
    int left = RoundInt(FPage->LeftMargin());
    int pageWidth = Width() - RoundInt(FPage->LeftMargin() + FPage->RightMargin());
    int columns = std::max(1, FPage->Columns());
    std::int64_t columnWidth =
        (static_cast<std::int64_t>(pageWidth) - static_cast<std::int64_t>(columns - 1) * RoundInt(FPage->ColumnSpace())) /
        columns;
    for (int i = 0; i < FBandList->Count(); ++i) {
      auto* band = static_cast<TQRCustomBand*>(FBandList->Items(i));
      if (band->ComponentState().Contains(csDestroying))
        continue;
      int width = FullWidthKind(band->EffectiveBandType()) ? pageWidth : static_cast<int>(columnWidth);
      band->SetArranging(true);
      try {
        band->SetBounds(left, y, width, band->Height());
      } catch (...) {
        band->SetArranging(false);
        throw;
      }
      band->SetArranging(false);
      y += band->Height();
    }
  } catch (...) {
    FPage->RestoreUnits();
    FArranging = false;
    throw;
  }
  FPage->RestoreUnits();
  FArranging = false;
}

// ---- Control overrides ----------------------------------------------------------

void TCustomQuickRep::CreateParams(TCreateParams& Params) { TQRBasePanel::CreateParams(Params); }

void TCustomQuickRep::Loaded() {
  TQRBasePanel::Loaded();
  FPage->AfterLoad();
  RebuildBandList();
}

void TCustomQuickRep::Notification(TComponent* AComponent, TOperation Operation) {
  TQRBasePanel::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  if (AComponent == FBackImage)
    FBackImage = nullptr;
}

void TCustomQuickRep::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TQRBasePanel::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FPage == nullptr || ComponentState().Contains(csLoading))
    return;
  if (FPage->PaperSize() == TQRPaperSize::Custom && !FPage->ParentUpdating()) {
    FPage->UsePixels();
    FPage->SetWidth(AWidth);
    FPage->SetLength(AHeight);
    FPage->RestoreUnits();
  }
  LayoutBands();
}

void TCustomQuickRep::GetSizedBounds(int& ALeft, int& ATop, int& AWidth, int& AHeight) {
  ALeft = Left();
  ATop = Top();
  AWidth = Width();
  AHeight = Height();
}

void TCustomQuickRep::SetSizedBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomQuickRep::ApplyZoom(int Value) {
  if (Value < 1 || Value > 300)
    return;
  TQRBasePanel::ApplyZoom(Value);
  FPage->SetZoom(Value);
  FPage->ResizeParent();
  LayoutBands();
}

void TCustomQuickRep::PaintRuler(TQRUnit Units) {
  SetFontSize(Font()->Size());
  TQRBasePanel::PaintRuler(Units);
}

void TCustomQuickRep::GetChildren(TGetChildProc Proc, TComponent* Root) {
  TQRBasePanel::GetChildren(Proc, Root);
  if (Root != this)
    return;
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* component = Components(i);
    auto* control = dynamic_cast<TControl*>(component);
    if (control == nullptr || control->Parent() == nullptr)
      Proc(component);
  }
}

void TCustomQuickRep::Paint() {
  // The painters switch the page to pixels and back, which asks for a
  // repaint: not while painting.
  struct Painting {
    bool& flag;
    explicit Painting(bool& f) : flag(f) { flag = true; }
    ~Painting() { flag = false; }
  } painting(FPainting);
  TQRBasePanel::Paint();
  if (FDesignPage != nullptr)
    Canvas()->StretchDraw(ClientRect(), *FDesignPage);
  if (FPage->Ruler())
    PaintRuler(Units());
  PaintMargins();
  PaintPageFrame();
  PaintColumnLines();
}

void TCustomQuickRep::PaintColumnLines() { QRPaintColumnLines(*Canvas(), *FPage); }
void TCustomQuickRep::PaintMargins() { QRPaintMargins(*Canvas(), *FPage, ClientWidth(), ClientHeight()); }
void TCustomQuickRep::PaintPageFrame() { QRPaintPageFrame(*Canvas(), *FPage, *Frame()); }

void TCustomQuickRep::MarkDesignRepaint() {
  if (OnGuiThread())
    TQRBasePanel::MarkDesignRepaint();
}

// ---- IQRUnitReport ------------------------------------------------------------

int TCustomQuickRep::UnitFontSize() { return std::abs(Font()->Size()); }

void TCustomQuickRep::PageLayoutChanged() {
  if (!FIdle || !OnGuiThread() || FPainting || FArranging)
    return;
  LayoutBands();
  Invalidate();
}

void TCustomQuickRep::PageRepaint() {
  if (FIdle && OnGuiThread() && !FPainting && !FArranging)
    Invalidate();
}

void TCustomQuickRep::ReapplyReportUnits() { ApplyUnits(Units()); }

// ---- IQRPrinterParent -----------------------------------------------------------

bool TCustomQuickRep::ParentUseStandardPrinter() const { return FPrinterSettings->UseStandardprinter(); }

std::int32_t TCustomQuickRep::ParentMemoryLimit() const { return FPrinterSettings->MemoryLimit(); }

void TCustomQuickRep::ParentAfterPrint() {
  if (AfterPrint)
    AfterPrint(this);
}

// ---- Bands by kind, text measuring ------------------------------------------------

TQRCustomBand* TCustomQuickRep::CreateBand(TQRBandType BandType) {
  TComponent* owner = Owner() != nullptr ? Owner() : this;
  if (auto* form = dynamic_cast<TCustomForm*>(owner))
    owner = form;
  auto* band = new TQRBand(owner);
  band->SetParent(this);
  band->SetBandType(BandType);
  AnsiString stem;
  band->GetDefaultBandName(stem);
  for (int n = 1;; ++n) {
    AnsiString name = stem + IntToStr(n);
    if (owner->FindComponent(name) == nullptr) {
      band->SetName(name);
      break;
    }
  }
  return band;
}

int TCustomQuickRep::TextHeight(TFont* AFont, const AnsiString&) {
  HFONT old = static_cast<HFONT>(SelectObject(FMeasureDC, AFont->Handle()));
  SIZE size{};
  GetTextExtentPoint32A(FMeasureDC, "A", 1, &size);
  SelectObject(FMeasureDC, old);
  return size.cy;
}

int TCustomQuickRep::TextWidth(TFont* AFont, const AnsiString& Text) {
  if (!FIdle && FQRPrinter != nullptr && FQRPrinter->Destination() == qrdPrinter) {
    TCanvas& canvas = FQRPrinter->CurrentCanvas();
    canvas.Font().Assign(AFont);
    int ppi = FQRPrinter->Settings().PixelsPerX();
    if (ppi > 0)
      return RoundInt(canvas.TextWidth(Text) * 96.0L / ppi);
  }
  HFONT old = static_cast<HFONT>(SelectObject(FMeasureDC, AFont->Handle()));
  SIZE size{};
  BOOL ok = GetTextExtentPoint32A(FMeasureDC, Text.c_str(), static_cast<int>(Text.size()), &size);
  SelectObject(FMeasureDC, old);
  return ok ? size.cx + 1 : 0;
}

// ---- TQuickRep --------------------------------------------------------------------

BEGIN_PUBLISHED(TQuickRep)
  PROPERTY(AfterPrint, AfterPrint, AfterPrint),
  PROPERTY(AfterPreview, AfterPreview, AfterPreview),
  PROPERTY(BackImageControl, BackImageControl, SetBackImageControl),
  PROPERTY_RO(Bands, Bands),
  PROPERTY(BeforePrint, BeforePrint, BeforePrint),
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(Description, Description, SetDescription),
  PROPERTY(Font, Font, SetFont),
  PROPERTY(Functions, Functions, SetFunctions),
  PROPERTY(OnEndPage, OnEndPage, OnEndPage),
  PROPERTY(OnNeedData, OnNeedData, OnNeedData),
  PROPERTY(OnPreview, OnPreview, OnPreview),
  PROPERTY(OnStartPage, OnStartPage, OnStartPage),
  PROPERTY(Options, Options, SetOptions),
  PROPERTY(Page, Page, SetPage),
  PROPERTY(PrinterSettings, PrinterSettings, SetPrinterSettings),
  PROPERTY(PrintIfEmpty, PrintIfEmpty, SetPrintIfEmpty).Default(true),
  PROPERTY(ReportTitle, ReportTitle, SetReportTitle),
  PROPERTY(ShowProgress, ShowProgress, SetShowProgress).Default(true),
  PROPERTY(SnapToGrid, SnapToGrid, SetSnapToGrid).Default(true),
  PROPERTY(Units, Units, SetUnits),
  PROPERTY(Zoom, Zoom, SetZoom).Default(100),
  PROPERTY(OnGetPrinterSettings, OnGetPrinterSettings, OnGetPrinterSettings),
  PROPERTY(OnApplyPrinterSettings, OnApplyPrinterSettings, OnApplyPrinterSettings),
  PROPERTY(PrevFormStyle, PrevFormStyle, SetPrevFormStyle).Default(fsNormal),
  PROPERTY(PreviewInitialState, PreviewInitialState, SetPreviewInitialState).Default(wsNormal),
  PROPERTY(PreviewWidth, PreviewWidth, SetPreviewWidth).Default(500),
  PROPERTY(PreviewHeight, PreviewHeight, SetPreviewHeight).Default(500),
  PROPERTY(PrevShowThumbs, PrevShowThumbs, SetPrevShowThumbs).Default(true),
  PROPERTY(PrevShowSearch, PrevShowSearch, SetPrevShowSearch).Default(true),
  PROPERTY(PrevInitialZoom, PrevInitialZoom, SetPrevInitialZoom).Default(qrZoomToFit),
END_PUBLISHED

TQuickRep::TQuickRep(TComponent* AOwner) : TCustomQuickRep(AOwner) { TQuickRep::CreateWithDefaults(); }

// The report's controller is the data-set controller.
void TQuickRep::CreateWithDefaults() {
  if (dynamic_cast<TQRController*>(FController) != nullptr)
    return;
  delete FController;
  auto* controller = new TQRController(nullptr);
  FController = controller;
  controller->SetOwnerObject(this);
  controller->SetMaster(this);
  controller->SetPrintIfEmpty(PrintIfEmpty());
}

void TQuickRep::LinkControllerBands() {
  auto* controller = dynamic_cast<TQRController*>(FController);
  if (controller == nullptr)
    return;
  controller->SetDetail(Bands()->DetailBand());
  controller->SetHeader(Bands()->TitleBand());
  controller->SetFooter(Bands()->SummaryBand());
}

void TQuickRep::RunController() {
  LinkControllerBands();
  if (auto* controller = dynamic_cast<TQRController*>(FController))
    controller->OnNeedData = OnNeedData;
  FController->Execute();
}

void TQuickRep::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomQuickRep::Notification(AComponent, Operation);
  // The controller hears of a freed data set by its own notification.
}

TDataSet* TQuickRep::DataSet() const {
  auto* controller = dynamic_cast<TQRController*>(FController);
  return controller != nullptr ? controller->DataSet() : nullptr;
}

void TQuickRep::SetDataSet(TDataSet* Value) {
  if (auto* controller = dynamic_cast<TQRController*>(FController))
    controller->SetDataSet(Value);
}

int TQuickRep::CountRecords() {
  TDataSet* data = DataSet();
  if (data == nullptr || !data->Active())
    return 1;
  try {
    return data->RecordCount();
  } catch (...) {
    return 1;
  }
}
