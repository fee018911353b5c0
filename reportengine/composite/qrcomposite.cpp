#include "reportengine/composite/qrcomposite.h"

#include <shlobj.h>

#include <algorithm>

#include "classlib/classes/object.h"
#include "classlib/forms/application.h"
#include "classlib/system/codepage.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/mathutils.h"
#include "classlib/system/strutils.h"
#include "reportengine/printer/qrpapers.h"

// ---- TQRCompositePrinterSettings ----------------------------------------------

// The report's printer settings come from TQuickRepPrinterSettings, in the
// same order; the composite adds its paper and orientation after them.
BEGIN_PUBLISHED(TQRCompositePrinterSettings)
  PROPERTY(Orientation, Orientation, SetOrientation).Default(poPortrait),
  PROPERTY(PaperSize, PaperSize, SetPaperSize).Default(static_cast<int>(TQRPaperSize::Letter)),
END_PUBLISHED

TQRCompositePrinterSettings::TQRCompositePrinterSettings() {
  FPaperSize = TQRPaperSize::Letter;
  FCopies = 1;
  FOutputBin = TQRBin::Auto;
  FPrinterIndex = -1;
  FFirstPage = FLastPage = 0;
  FMemoryLimit = 250000;
}

// ---- TQRCompositeWinControl ----------------------------------------------------

IMPLEMENT_CLASS(TQRCompositeWinControl)

TQRCompositeWinControl::TQRCompositeWinControl(TComponent* AOwner) : TWinControl(AOwner) {}

TQRCompositeWinControl::~TQRCompositeWinControl() {
  if (Composite != nullptr)
    Composite->MessageWindowGone();
}

void TQRCompositeWinControl::Dispatch(TMessage& Message) {
  if (Composite != nullptr && Message.Msg == QRM_PRINTAGAIN) {
    Composite->Print();
    return;
  }
  if (Composite != nullptr && Message.Msg == QRM_PREVIEWCLOSED) {
    Composite->PreviewClosed();
    return;
  }
  TWinControl::Dispatch(Message);
}

// ---- TQRCompositeReport ---------------------------------------------------------

BEGIN_PUBLISHED(TQRCompositeReport)
  PROPERTY(OnAddReports, OnAddReports, OnAddReports),
  PROPERTY(OnFinished, OnFinished, OnFinished),
  PROPERTY(Options, Options, SetOptions),
  PROPERTY(PrinterSettings, PrinterSettings, SetPrinterSettings),
  PROPERTY(ReportTitle, ReportTitle, SetReportTitle),
END_PUBLISHED

TQRCompositeReport::TQRCompositeReport(TComponent* AOwner)
    : TComponent(AOwner), FPrinterSettings(std::make_unique<TQRCompositePrinterSettings>()) {
  FMessageWindow = new TQRCompositeWinControl(nullptr);
  FMessageWindow->Composite = this;
}

TQRCompositeReport::~TQRCompositeReport() {
  FreePrinter();
  for (TCustomQuickRep* report : FReports)
    report->RemoveFreeNotification(this);
  if (FMessageWindow != nullptr) {
    FMessageWindow->Composite = nullptr;
    delete FMessageWindow;
  }
}

void TQRCompositeReport::SetPrinterSettings(TQRCompositePrinterSettings* Value) {
  if (Value != nullptr)
    FPrinterSettings->Assign(Value);
}

void TQRCompositeReport::AddReport(TCustomQuickRep* Report) {
  if (Report == nullptr)
    return;
  FReports.push_back(Report);
  Report->FreeNotification(this);
}

void TQRCompositeReport::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove)
    return;
  auto* report = static_cast<TCustomQuickRep*>(nullptr);
  for (TCustomQuickRep* member : FReports)
    if (static_cast<TComponent*>(member) == AComponent)
      report = member;
  for (TCustomQuickRep* member : FPointing)
    if (static_cast<TComponent*>(member) == AComponent)
      report = member;
  for (TPrinterAside* aside : FAside)
    aside->Forget(AComponent);
  if (report == nullptr)
    return;
  for (auto* list : {&FReports, &FPointing})
    list->erase(std::remove(list->begin(), list->end(), report), list->end());
  if (FCurrentReport == report)
    FCurrentReport = nullptr;
}

void TQRCompositeReport::CallAddReports() {
  FReports.clear();
  if (OnAddReports)
    OnAddReports(this);
}

void TQRCompositeReport::AdoptPrinter(TQRPrinter* Printer) {
  FreePrinter();
  FOwnedPrinter.reset(Printer);
  FQRPrinter = Printer;
}

TQRCompositeReport::TPrinterAside::TPrinterAside(TQRCompositeReport& Composite) : FComposite(Composite) {
  if (Composite.FQRPrinter == nullptr)
    return;
  FOwned = std::move(Composite.FOwnedPrinter);
  FPrinter = Composite.FQRPrinter;
  Composite.FQRPrinter = nullptr;
  FPointing = std::move(Composite.FPointing);
  Composite.FPointing.clear();
  Composite.FAside.push_back(this);
}

TQRCompositeReport::TPrinterAside::~TPrinterAside() {
  if (FPrinter == nullptr)
    return;
  auto& asides = FComposite.FAside;
  asides.erase(std::remove(asides.begin(), asides.end(), this), asides.end());
  FComposite.FreePrinter();
  FComposite.FOwnedPrinter = std::move(FOwned);
  FComposite.FQRPrinter = FPrinter;
  FComposite.FPointing = std::move(FPointing);
  for (TCustomQuickRep* member : FComposite.FPointing)
    member->SetQRPrinter(FPrinter);
}

void TQRCompositeReport::TPrinterAside::Forget(TComponent* Gone) {
  FPointing.erase(std::remove_if(FPointing.begin(), FPointing.end(),
                                 [Gone](TCustomQuickRep* member) { return static_cast<TComponent*>(member) == Gone; }),
                  FPointing.end());
}

void TQRCompositeReport::FreePrinter() {
  if (FQRPrinter == nullptr)
    return;
  for (TCustomQuickRep* member : FPointing)
    if (member->QRPrinter() == FQRPrinter)
      member->SetQRPrinter(nullptr);
  FPointing.clear();
  FQRPrinter = nullptr;
  std::unique_ptr<TQRPrinter> printer = std::move(FOwnedPrinter);
  printer.reset();
}

std::unique_ptr<TQuickRep> TQRCompositeReport::TemporaryReport(bool ForPreview) {
  TCustomQuickRep* first = FReports.front();
  auto report = std::make_unique<TQuickRep>(nullptr);
  report->Page()->SetOrientation(first->Page()->Orientation());
  report->Page()->SetPaperSize(first->Page()->PaperSize());
  report->SetPreviewWidth(first->PreviewWidth());
  report->SetPreviewHeight(first->PreviewHeight());
  report->PrinterSettings()->SetFirstPage(FPrinterSettings->FirstPage());
  report->PrinterSettings()->SetLastPage(FPrinterSettings->LastPage());
  if (ForPreview) {
    report->SetPrevFormStyle(first->PrevFormStyle());
    report->SetPreviewInitialState(first->PreviewInitialState());
    report->SetPrevShowThumbs(first->PrevShowThumbs());
    report->SetPrevShowSearch(first->PrevShowSearch());
    report->SetPrevInitialZoom(first->PrevInitialZoom());
    report->SetReportTitle(first->ReportTitle());
    report->SetCompositeReport(this);
  }
  return report;
}

// A printer object for Print or Preview, parented by their temporary report
// and made the composite's: the first report's title, the composite's page
// range.
TQRPrinter* TQRCompositeReport::AdoptTemporaryPrinter(TQuickRep* Temporary, TQRPrinterDestination Destination) {
  auto* printer = new TQRPrinter(Temporary);
  AdoptPrinter(printer);
  printer->ApplyDestination(Destination);
  printer->Title = FReports.front()->ReportTitle();
  printer->SetFirstPage(FPrinterSettings->FirstPage());
  printer->SetLastPage(FPrinterSettings->LastPage());
  return printer;
}

void TQRCompositeReport::Print() {
  if (FGenerating)
    return;
  CallAddReports();
  if (FReports.empty())
    return;
  TCustomQuickRep* first = FReports.front();
  // The printer object of before (the one the composite's own preview
  // shows, when the print is asked from there, or the pages of a Prepare)
  // is left alone and comes back afterwards.
  TPrinterAside previous(*this);
  std::unique_ptr<TQuickRep> temporary = TemporaryReport(false);
  TQRPrinter* printer = AdoptTemporaryPrinter(temporary.get(), qrdPrinter);
  if (!printer->PrintersAvailable()) {
    FreePrinter();
    return;
  }
  printer->Settings().SetOrientation(first->Page()->Orientation());
  try {
    RunReports();
  } catch (...) {
    FreePrinter();
    throw;
  }
  // The temporary report is the printer object's parent: the object goes first.
  FreePrinter();
}

void TQRCompositeReport::Preview() {
  if (FGenerating)
    return;
  CallAddReports();
  if (FReports.empty())
    return;
  TCustomQuickRep* first = FReports.front();
  // The printer object of before (the pages of a Prepare) comes back when
  // the preview is closed.
  TPrinterAside previous(*this);
  std::unique_ptr<TQuickRep> temporary = TemporaryReport(true);
  TQRPrinter* printer = AdoptTemporaryPrinter(temporary.get(), qrdMetafile);
  printer->PreviewHandler = first->OnPreview;
  printer->ExportHandler = [this](TObject* Filter) { ExportHandler(Filter); };
  if (FMessageWindow != nullptr) {
    if (auto* owner = dynamic_cast<TWinControl*>(Owner()))
      FMessageWindow->SetParent(owner);
    else if (FMessageWindow->Parent() == nullptr)
      FMessageWindow->SetParentWindow(HWND_MESSAGE);
    printer->ReportControl = FMessageWindow;
  }
  try {
    printer->Preview();
    RunReports();
    if (FQRPrinter == printer) {
      printer->SetPrepared(true);
      while (FQRPrinter == printer && printer->ShowingPreview() && !Application->Terminated())
        Application->HandleMessage();
    }
  } catch (...) {
    FreePrinter();
    throw;
  }
  FreePrinter();
}

void TQRCompositeReport::Prepare() {
  if (FGenerating)
    return;
  AdoptPrinter(new TQRPrinter(this));
  FQRPrinter->ApplyDestination(qrdMetafile);
  RunReports();
  if (FQRPrinter == nullptr)
    return;  // cancelled: nothing to save
  FPreparedFile = CompositePrepareFolder() + CompositePrepareFileName;
  FQRPrinter->Save(FPreparedFile);
}

void TQRCompositeReport::SetUpPrinter(TQRPrinter& Printer) {
  TQRCompositePrinterSettings& wishes = *FPrinterSettings;
  TCustomQuickRep* first = FReports.front();
  Printer.SetPrinterIndex(wishes.PrinterIndex());
  TPrinterSettings& settings = Printer.Settings();
  settings.SetPaperSize(wishes.PaperSize());
  if (!IsStandardPaperSize(wishes.PaperSize())) {
    // A paper of the report's own size: the first report gives it (its
    // units are native during the run).
    settings.SetPaperWidth(static_cast<int>(Round(static_cast<double>(first->Page()->Width()))));
    settings.SetPaperLength(static_cast<int>(Round(static_cast<double>(first->Page()->Length()))));
  }
  settings.SetOrientation(wishes.Orientation());
  settings.SetCopies(wishes.Copies());
  settings.SetOutputBin(wishes.OutputBin());
  Printer.SetFirstPage(wishes.FirstPage());
  Printer.SetLastPage(wishes.LastPage());
  if (!wishes.Title().empty())
    Printer.Title = wishes.Title();
  settings.SetUseStandardPrinter(wishes.UseStandardprinter());
  settings.SetPrintMetaFile(wishes.PrintMetaFile());
  settings.SetUseCustomBinCode(wishes.UseCustomBinCode());
  settings.SetCustomBinCode(wishes.CustomBinCode());
  settings.SetUseCustomPaperCode(wishes.UseCustomPaperCode());
  settings.SetCustomPaperCode(wishes.CustomPaperCode());
  settings.SetExtendedDuplex(wishes.ExtendedDuplex());
  settings.SetPrintQuality(wishes.PrintQuality());
  settings.SetCollate(wishes.Collate());
  settings.SetColorOption(wishes.ColorOption());
}

void TQRCompositeReport::RunReports() {
  CallAddReports();
  if (FMessageWindow != nullptr)
    if (auto* owner = dynamic_cast<TWinControl*>(Owner()))
      FMessageWindow->SetParent(owner);
  if (!FReports.empty()) {
    // Called on its own, after a run whose pages are still kept: a fresh
    // printer object, as a finished one takes no new document.
    if (FQRPrinter == nullptr || FQRPrinter->Status() != mpReady) {
      AdoptPrinter(new TQRPrinter(this));
      FQRPrinter->ApplyDestination(qrdMetafile);
    }
    RunMembers(nullptr);
  }
  if (OnFinished)
    OnFinished(this);
}

void TQRCompositeReport::ExportHandler(TObject* Filter) {
  if (FGenerating || dynamic_cast<IQRExportFilter*>(Filter) == nullptr)
    return;
  if (!FReports.empty()) {
    TPrinterAside aside(*this);
    FExporting = true;
    struct ExportEnds {
      bool& exporting;
      ~ExportEnds() { exporting = false; }
    } exportEnds{FExporting};
    AdoptPrinter(new TQRPrinter(this));
    FQRPrinter->ApplyDestination(qrdMetafile);
    RunMembers(Filter);
    FreePrinter();
  }
  if (OnFinished)
    OnFinished(this);
}

// The members in list order on one printer object: each starts where the
// one before ended; the last (Tag 999 for its run) closes the final page.
// An export hands each member the filter through its export form; its
// printer job is aborted at the end, since the filter has the pages.
void TQRCompositeReport::RunMembers(TObject* Filter) {
  TCustomQuickRep* first = FReports.front();
  // The pages take the first report's paper, whatever the settings held:
  // a composite prepared for a file gets the pages its reports were made for.
  FPrinterSettings->SetOrientation(first->Page()->Orientation());
  FPrinterSettings->SetPaperSize(first->Page()->PaperSize());
  const TQRUnit firstUnits = first->Units();
  first->SetUnits(Native);
  struct Restore {
    TQRCompositeReport& composite;
    TCustomQuickRep* first;
    TQRUnit units;
    ~Restore() {
      composite.FGenerating = false;
      composite.FCurrentReport = nullptr;
      if (std::find(composite.FReports.begin(), composite.FReports.end(), first) != composite.FReports.end())
        first->SetUnits(units);
    }
  } restore{*this, first, firstUnits};

  SetUpPrinter(*FQRPrinter);
  FQRPrinter->BeginDoc();
  int y = static_cast<int>(Round(static_cast<double>(first->Page()->Length())));
  int pageCount = 0;
  int column = first->Page()->Columns();
  bool cancelled = false;
  FGenerating = true;
  const std::vector<TCustomQuickRep*> members = FReports;
  for (std::size_t i = 0; i < members.size(); ++i) {
    TCustomQuickRep* report = members[i];
    if (std::find(FReports.begin(), FReports.end(), report) == FReports.end())
      continue;  // freed by a handler of the run
    FCurrentReport = report;
    if (report->BeforePrint) {
      bool answer = true;
      report->BeforePrint(report, answer);
    }
    report->SetExportFilter(nullptr);
    report->SetQRPrinter(FQRPrinter);
    if (std::find(FPointing.begin(), FPointing.end(), report) == FPointing.end())
      FPointing.push_back(report);
    report->SetCurrentY(y);
    report->SetPageCount(pageCount);
    report->SetCurrentColumn(column);
    const int tag = report->Tag();
    if (i + 1 == members.size())
      report->SetTag(999);
    try {
      if (Filter != nullptr)
        report->ExportHandler(Filter, FQRPrinter);
      else
        report->CreateReport(true);
    } catch (...) {
      report->SetTag(tag);
      FreePrinter();
      throw;
    }
    if (report->AfterPrint)
      report->AfterPrint(report);
    report->SetTag(tag);
    if (report->Cancelled() || FQRPrinter == nullptr || FQRPrinter->Cancelled()) {
      cancelled = true;
      break;
    }
    if (OnFinished)
      OnFinished(report);
    y = report->CurrentY();
    pageCount = report->PageCount();
    column = report->CurrentColumn();
  }
  if (cancelled)
    FreePrinter();
  else if (Filter != nullptr)
    FQRPrinter->AbortDoc();
  else
    FQRPrinter->EndDoc();
}

void TQRCompositeReport::PreviewClosed() {
  if (FGenerating) {
    if (FCurrentReport != nullptr)
      FCurrentReport->SetCancelled(true);
    if (FQRPrinter != nullptr)
      FQRPrinter->Cancel();
    return;
  }
  FreePrinter();
}

AnsiString CompositePrepareFolder() {
  const AnsiString current = IncludeTrailingPathDelimiter(GetCurrentDir());
  // A file made and found again: a temporary name alone can be handed out
  // for a folder that takes no files.
  try {
    const AnsiString probe = CreateTempFile(current, "cqr");
    const bool writable = FileExists(probe);
    DeleteFile(probe);
    if (writable)
      return current;
  } catch (const Exception&) {
  }
  // The current folder takes no files (a program folder under the system's
  // programs folder): the user's own folder does.
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
    return GetTempDir();
  const AnsiString folder = Utf16ToAnsi(reinterpret_cast<const char16_t*>(path)) + "\\Dozuri\\";
  return ForceDirectories(folder.substr(0, folder.size() - 1)) ? folder : GetTempDir();
}

void RegisterQRCompositeClasses() {
  static const bool done = [] {
    RegisterClasses({TQRCompositeReport::StaticClass(), TQRCompositeWinControl::StaticClass()});
    return true;
  }();
  (void)done;
}
