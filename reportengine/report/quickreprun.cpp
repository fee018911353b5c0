// The run of a report: its three entry points (Print, Prepare, the
// previews), the background generation of a preview's pages, the run
// itself (CreateReport), the printer set-up of a run, the print set-up
// dialog and the messages the printer object and the preview send.
#include <algorithm>
#include <memory>

#include "classlib/classes/lists.h"
#include "classlib/data/dataset.h"
#include "classlib/forms/dialogs.h"
#include "classlib/graphics/metafile.h"
#include "classlib/graphics/picture.h"
#include "classlib/system/mathutils.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/preview/qrprintdialog.h"
#include "reportengine/preview/qrprogressform.h"
#include "reportengine/report/qrcontroller.h"
#include "reportengine/report/qrquickrepbands.h"
#include "reportengine/report/quickrep.h"

namespace {

int RoundInt(long double value) { return CheckedInt32(Round(static_cast<double>(value))); }

// Posted by the preview's worker to the report's window when its run is
// over: WParam 1 when it ended cancelled, LParam the printer object.
constexpr UINT QRM_RUNDONE = WM_USER + 40;

// Said when a preview's run failed with something that carries no message.
const char* const SQRReportRunFailed = "Rapor hazırlanırken bir hata oluştu.";

}  // namespace

// ---- Run helpers -----------------------------------------------------------------

void TCustomQuickRep::CollectDataSets() {
  TWinControl* control = Parent();
  while (control != nullptr && dynamic_cast<TCustomForm*>(control) == nullptr)
    control = control->Parent();
  auto* form = dynamic_cast<TCustomForm*>(control);
  if (form == nullptr)
    return;
  // Data sets owned by the form, and by windowed controls among its
  // components, at any depth.
  std::vector<TComponent*> pending{form};
  while (!pending.empty()) {
    TComponent* owner = pending.back();
    pending.pop_back();
    for (int i = 0; i < owner->ComponentCount(); ++i) {
      TComponent* component = owner->Components(i);
      if (auto* data = dynamic_cast<TDataSet*>(component)) {
        if (FDataSetList->IndexOf(data) < 0)
          FDataSetList->Add(data);
      } else if (dynamic_cast<TWinControl*>(component) != nullptr && component->ComponentCount() > 0) {
        pending.push_back(component);
      }
    }
  }
}

bool QRIsBackgroundPicture(TControl* Control) {
  if (Control == nullptr)
    return false;
  if (dynamic_cast<IQRBackgroundPicture*>(Control) != nullptr)
    return true;
  for (TClass kind = Control->ClassType(); kind != nullptr; kind = kind->Parent)
    if (AnsiString(kind->Name) == "TQRImage")
      return true;
  return false;
}

TGraphic* QRBackgroundGraphic(TControl* Control) {
  if (!QRIsBackgroundPicture(Control))
    return nullptr;
  if (auto* picture = dynamic_cast<IQRBackgroundPicture*>(Control))
    return picture->BackgroundGraphic();
  auto* picture = IsPublishedProp(Control, "Picture") ? dynamic_cast<TPicture*>(GetObjectProp(Control, "Picture")) : nullptr;
  if (picture == nullptr || picture->Graphic() == nullptr || picture->Graphic()->Empty())
    return nullptr;
  return picture->Graphic();
}

void TCustomQuickRep::FindBackImage() {
  FBackImage = nullptr;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* control = Controls(i);
    if (QRIsBackgroundPicture(control) && control->Name() == FBackImageControl)
      FBackImage = control;
  }
}

void TCustomQuickRep::SetupPrinter() {
  TQRPrinter& printer = *FQRPrinter;
  TQuickRepPrinterSettings& wishes = *FPrinterSettings;
  printer.SetPrinterIndex(wishes.PrinterIndex());
  TPrinterSettings& settings = printer.Settings();
  settings.SetPaperSize(FPage->PaperSize());
  if (FPage->PaperSize() == TQRPaperSize::Custom) {
    settings.SetPaperWidth(RoundInt(FPage->Width()));
    settings.SetPaperLength(RoundInt(FPage->Length()));
  }
  settings.SetOrientation(FPage->Orientation());
  settings.SetCopies(wishes.Copies());
  settings.SetOutputBin(wishes.OutputBin());
  printer.SetFirstPage(wishes.FirstPage());
  printer.SetLastPage(wishes.LastPage());
  settings.SetDuplex(wishes.Duplex());
  settings.SetUseStandardPrinter(wishes.UseStandardprinter());
  settings.SetPrintMetaFile(wishes.PrintMetaFile());
  settings.SetUseCustomBinCode(wishes.UseCustomBinCode());
  settings.SetCustomBinCode(wishes.CustomBinCode());
  settings.SetUseCustomPaperCode(wishes.UseCustomPaperCode());
  settings.SetCustomPaperCode(wishes.CustomPaperCode());
  settings.SetPrintQuality(wishes.PrintQuality());
  settings.SetCollate(wishes.Collate());
  settings.SetColorOption(wishes.ColorOption());
  settings.SetExtendedDuplex(wishes.ExtendedDuplex());
  settings.OnApplyPrinterSettings = OnApplyPrinterSettings;
  settings.OnGetPrinterSettings = OnGetPrinterSettings;
}

// A fresh printer object for a run: it takes over the notice target of the
// one before and reports its printing and its preview's end as the report's.
TQRPrinter* TCustomQuickRep::NewRunPrinter() {
  auto* printer = new TQRPrinter(this);
  if (FQRPrinter != nullptr)
    printer->NotifyTarget = FQRPrinter->NotifyTarget;
  printer->AfterPrint = [this](TObject*) {
    if (AfterPrint)
      AfterPrint(this);
  };
  printer->AfterPreview = [this](TObject*) {
    if (AfterPreview)
      AfterPreview(this);
  };
  return printer;
}

// Metafile pages for the caller or a preview: the report hears 1026 and
// 1028 and gives the export handler.
void TCustomQuickRep::AdoptRunPrinter(TQRPrinter* Printer) {
  Printer->ApplyDestination(qrdMetafile);
  Printer->ReportControl = this;
  Printer->ExportHandler = [this](TObject* Filter) { ExportHandler(Filter); };
  Printer->Title = FReportTitle;
  if (OnPreview)
    Printer->PreviewHandler = OnPreview;
  FOwnedPrinters.push_back(Printer);
  FQRPrinter = Printer;
}

void TCustomQuickRep::FreeOwnedPrinter(TQRPrinter* Printer) {
  auto it = std::find(FOwnedPrinters.begin(), FOwnedPrinters.end(), Printer);
  if (it == FOwnedPrinters.end())
    return;
  FOwnedPrinters.erase(it);
  if (FQRPrinter == Printer)
    FQRPrinter = nullptr;
  if (FClosedPrinter == Printer)
    FClosedPrinter = nullptr;
  delete Printer;
}

TQRPrinter* TCustomQuickRep::ReleaseQRPrinter() {
  TQRPrinter* printer = FQRPrinter;
  if (printer == nullptr || FThreadRunning.load())
    return nullptr;
  FOwnedPrinters.erase(std::remove(FOwnedPrinters.begin(), FOwnedPrinters.end(), printer), FOwnedPrinters.end());
  FQRPrinter = nullptr;
  return printer;
}

// The printer object of the last Prepare goes when the next run starts,
// unless a preview still shows it (its closing frees it).
void TCustomQuickRep::ReleasePreviousPrinter() {
  TQRPrinter* previous = FQRPrinter;
  if (previous != nullptr && !previous->ShowingPreview() && previous != FClosedPrinter)
    FreeOwnedPrinter(previous);
}

// ---- Entry points ----------------------------------------------------------------

void TCustomQuickRep::Print() {
  if (FCompositeReport != nullptr) {
    FCompositeReport->Print();
    return;
  }
  if (!FIdle || FThreadRunning.load())
    return;
  TQRPrinter* previous = FQRPrinter;
  std::unique_ptr<TQRPrinter> printer(NewRunPrinter());
  if (!printer->PrintersAvailable())
    return;
  printer->ApplyDestination(qrdPrinter);
  TQRProgressForm progress(nullptr);
  progress.SetQRPrinter(printer.get());
  if (FShowProgress)
    progress.Show();
  printer->NotifyTarget = &progress;
  FQRPrinter = printer.get();
  // The run's printer object goes before the progress form: freeing it
  // tells its notify target, which must still exist then.
  try {
    CreateReport(false);
  } catch (...) {
    printer.reset();
    RestorePrinter(previous);
    throw;
  }
  printer.reset();
  RestorePrinter(previous);
}

void TCustomQuickRep::Prepare() {
  if (!FIdle || FThreadRunning.load())
    return;
  TQRPrinter* printer = NewRunPrinter();
  ReleasePreviousPrinter();
  AdoptRunPrinter(printer);
  CreateReport(false);
  printer->SetPrepared(true);
}

void TCustomQuickRep::ShowPreview(bool Modal) {
  if (!FIdle || FThreadRunning.load())
    return;
  TQRPrinter* printer = NewRunPrinter();
  ReleasePreviousPrinter();
  AdoptRunPrinter(printer);
  // The worker tells this window when it is done; made here, on the GUI
  // thread.
  FRunWindow = Handle();
  FCancelled = false;
  FThreadRunning = true;
  new TQRCreateReportThread(this);
  if (Modal)
    printer->PreviewModal();
  else
    printer->Preview();
}

namespace {

// The caption of the progress form of an export run.
const char* const SQRExportProgress = "Export Progress";

}  // namespace

// Puts a report's export state back when an export run ends, also by an
// exception: no filter, no exporting, the printer's pages in use again, and
// the printer object the report had before.
class TCustomQuickRep::TExportScope {
public:
  TExportScope(TCustomQuickRep& Report, IQRExportFilter* Filter, TQRPrinter* Printer)
      : FReport(Report), FPrevious(Report.FQRPrinter) {
    FReport.FQRPrinter = Printer;
    FReport.FExportFilter = Filter;
    FReport.FExporting = true;
    FReport.FUsePrinterPages = false;
  }
  ~TExportScope() {
    FReport.FExportFilter = nullptr;
    FReport.FExporting = false;
    FReport.FUsePrinterPages = true;
    FReport.RestorePrinter(FPrevious);
  }
  TExportScope(const TExportScope&) = delete;
  TExportScope& operator=(const TExportScope&) = delete;

private:
  TCustomQuickRep& FReport;
  TQRPrinter* FPrevious;
};

bool TCustomQuickRep::CanExport(TObject* Filter) const {
  return dynamic_cast<IQRExportFilter*>(Filter) != nullptr && FIdle && !FThreadRunning.load();
}

void TCustomQuickRep::ExportHandler(TObject* Filter) {
  if (!CanExport(Filter))
    return;
  // The progress form outlives the run's printer object, which tells its
  // notify target when it goes.
  std::unique_ptr<TQRProgressForm> progress;
  std::unique_ptr<TQRPrinter> printer(NewRunPrinter());
  printer->ApplyDestination(qrdMetafile);
  if (FShowProgress) {
    progress = std::make_unique<TQRProgressForm>(nullptr);
    progress->SetCaption(SQRExportProgress);
    progress->SetQRPrinter(printer.get());
    progress->Show();
    printer->NotifyTarget = progress.get();
  }
  TExportScope scope(*this, dynamic_cast<IQRExportFilter*>(Filter), printer.get());
  CreateReport(false);
}

void TCustomQuickRep::ExportHandler(TObject* Filter, TQRPrinter* Printer) {
  if (Printer == nullptr || !CanExport(Filter))
    return;
  TExportScope scope(*this, dynamic_cast<IQRExportFilter*>(Filter), Printer);
  CreateReport(true);
}

// ---- The run -----------------------------------------------------------------------

void TCustomQuickRep::CreateReport(bool Composite) {
  if (!FIdle)
    return;
  bool wasVisible = Visible();
  if (OnGuiThread()) {
    delete FDesignPage;
    FDesignPage = nullptr;
  }
  if (FPage->Width() - FPage->LeftMargin() - FPage->RightMargin() < 0) {
    FPage->SetLeftMargin(0);
    FPage->SetRightMargin(0);
  }
  if (FPage->Length() - FPage->TopMargin() - FPage->BottomMargin() < 0) {
    FPage->SetTopMargin(0);
    FPage->SetBottomMargin(0);
  }
  FIdle = false;
  FCancelled = false;
  FFinalPage = false;
  FTitlePrinted = false;
  FColumnBreakArmed = false;
  bool printReport = true;
  std::unique_ptr<TList> dataSets(new TList());
  FDataSetList = dataSets.get();
  auto finish = [&] {
    FDataSetList = nullptr;
    if (wasVisible != Visible() && OnGuiThread())
      SetVisible(wasVisible);
    FIdle = true;
  };
  try {
    CollectDataSets();
    FindBackImage();
    if (BeforePrint && !ComponentState().Contains(csDesigning))
      BeforePrint(this, printReport);
    if (printReport)
      RunPrepared(Composite);
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

namespace {

long double FooterChainHeight(TQRCustomBand* band) {
  long double height = 0;
  for (int steps = 0; band != nullptr && steps < 10000; ++steps) {
    height += band->Size()->Height();
    band = band->ChildBand();
  }
  return height;
}

}  // namespace

// Steps of a run once BeforePrint agreed: units, printer job, page state,
// preparation of everything that prints, the controller's loop, the last
// page, and the end or abort of the printer job, also when a step raises.
void TCustomQuickRep::RunPrepared(bool Composite) {
  TQRUnit savedUnits = Units();
  bool begun = false, variablesPrepared = false, controllerPrepared = false;
  auto closeJob = [&] {
    if (FQRPrinter == nullptr || !begun)
      return;
    if (FCancelled)
      FQRPrinter->AbortDoc();
    else if (!Composite)
      FUsePrinterPages ? FQRPrinter->EndDoc() : FQRPrinter->AbortDoc();
  };
  auto unprepare = [&] {
    if (Units() != savedUnits)
      SetUnits(savedUnits);
    if (controllerPrepared) {
      QRUnpreparePrintables(*this);
      FController->Unprepare();
    }
    if (variablesPrepared) {
      FFunctions->UnprepareVariables();
      GlobalVariables()->UnprepareVariables();
      FFunctions->SetVariableDataSets(nullptr);
    }
    FPageNumberConstant = FColumnNumberConstant = FReportTitleConstant = nullptr;
    QRSetCompositeRun(false);
  };
  try {
    SetUnits(Native);
    if (Composite) {
      FPage->SetPaperSize(FQRPrinter->Settings().PaperSize());
      FPage->SetOrientation(FQRPrinter->Settings().Orientation());
    } else {
      SetupPrinter();
      FQRPrinter->Title = FReportTitle;
      FQRPrinter->ApplyCompression(FOptions.Contains(Compression));
      FQRPrinter->BeginDoc();
      FCurrentY = -1;
      FPageCount = 0;
    }
    begun = true;
    FCurrentColumn = FPage->Columns();
    if (FExporting && FExportFilter != nullptr && !FExportFilter->Started())
      FExportFilter->Start(RoundInt(FPage->Width()), RoundInt(FPage->Length()), Font());
    FPageFooterSpace = 0;
    for (int i = 0; i < FBandList->Count(); ++i) {
      auto* band = static_cast<TQRCustomBand*>(FBandList->Items(i));
      if (band->BandType() == rbPageFooter && band->Enabled())
        FPageFooterSpace += FooterChainHeight(band);
    }
    FPageFooterChain = FPageFooterSpace;
    for (int i = 0; i < FBandList->Count(); ++i)
      static_cast<TQRCustomBand*>(FBandList->Items(i))->AttachReport(this);
    for (int i = 0; i < ControlCount(); ++i)
      if (auto* printable = dynamic_cast<TQRPrintable*>(Controls(i)))
        printable->SetParentReport(this);
    FCurrentX = RoundInt(FPage->LeftMargin());
    FController->BuildLists();
    GlobalVariables()->PrepareVariables();
    FFunctions->SetVariableDataSets(FDataSetList);
    FFunctions->PrepareVariables();
    variablesPrepared = true;
    FPageNumberConstant = FFunctions->FindConstant("PAGENUMBER");
    FColumnNumberConstant = FFunctions->FindConstant("COLUMNNUMBER");
    FReportTitleConstant = FFunctions->FindConstant("REPORTTITLE");
    if (FReportTitleConstant != nullptr)
      TQREvEnvironment::StoreString(FReportTitleConstant, FReportTitle);
    FController->Prepare();
    QRPreparePrintables(*this);
    controllerPrepared = true;
    QRSetCompositeRun(Composite);
    RunController();
    if (FQRPrinter->Cancelled())
      FCancelled = true;
    if (!Composite || Tag() == 999) {
      FCurrentX = RoundInt(FPage->LeftMargin());
      FFinalPage = true;
      if (Composite || !FCancelled)
        EndPage();
      if (FExporting && FExportFilter != nullptr)
        FExportFilter->Finish();
    }
  } catch (...) {
    try {
      unprepare();
      closeJob();
    } catch (...) {
      // The first failure is the one the caller hears of.
    }
    throw;
  }
  unprepare();
  closeJob();
}

// ---- The preview's worker ------------------------------------------------------------

TQRCreateReportThread::TQRCreateReportThread(TCustomQuickRep* Report)
    : TThread(true), FReport(Report), FPrinter(Report->QRPrinter()) {
  SetFreeOnTerminate(true);
  Start();
}

// Runs the report on this thread. It touches no window: when done it posts
// the report's window, and the GUI thread frees what is to be freed.
void TQRCreateReportThread::Execute() {
  bool failed = false;
  // A run that raises on this thread has no caller to hear of it: its
  // message goes to the GUI thread, which tells the user.
  try {
    FReport->CreateReport(false);
  } catch (const std::exception& e) {
    failed = true;
    FReport->FWorkerError = e.what();
  } catch (...) {
    failed = true;
    FReport->FWorkerError = SQRReportRunFailed;
  }
  bool cancelled = failed || FReport->Cancelled() || FPrinter->Cancelled();
  HWND window = FReport->FRunWindow;
  // The report may be freed as soon as the flag drops: read everything first.
  FReport->FThreadRunning = false;
  if (window != nullptr)
    PostMessageW(window, QRM_RUNDONE, failed ? 2 : cancelled ? 1 : 0, reinterpret_cast<LPARAM>(FPrinter));
}

// ---- Messages --------------------------------------------------------------------------

void TCustomQuickRep::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case QRM_PAGEAVAILABLE:
      if (Message.WParam == 1 && FQRPrinter != nullptr) {
        delete FDesignPage;
        FDesignPage = FQRPrinter->GetPage(1).release();
        Invalidate();
      }
      return;
    case QRM_PRINTAGAIN:
      Print();
      return;
    case QRM_PREVIEWCLOSED:
      PreviewClosed(reinterpret_cast<TQRPrinter*>(Message.LParam));
      return;
    case QRM_RUNDONE:
      if (Message.WParam == 2)
        ReportWorkerError();
      ThreadDone(reinterpret_cast<TQRPrinter*>(Message.LParam), Message.WParam != 0);
      return;
    default:
      TQRBasePanel::Dispatch(Message);
  }
}

// The preview of Printer closed. While its pages are still generated the
// run is cancelled and the printer object is freed once the worker is done;
// otherwise the preview state ends and the object is freed now.
void TCustomQuickRep::PreviewClosed(TQRPrinter* Printer) {
  if (Printer == nullptr)
    Printer = FQRPrinter;
  bool owned = std::find(FOwnedPrinters.begin(), FOwnedPrinters.end(), Printer) != FOwnedPrinters.end();
  if (Printer == nullptr || !owned)
    return;
  if (FThreadRunning.load() && Printer == FQRPrinter) {
    FCancelled = true;
    Printer->Cancel();
    FClosedPrinter = Printer;
    return;
  }
  if (!FIdle && Printer != FQRPrinter) {
    // Not the pages of the run going on (the report prints again from
    // this preview): that run goes on to its end, and these pages go
    // once it has given back its printer object.
    Printer->SetShowingPreview(false);
    FClosedPrinter = Printer;
    return;
  }
  if (!FIdle) {
    FCancelled = true;
    Printer->Cancel();
    return;
  }
  Printer->SetShowingPreview(false);
  FreeOwnedPrinter(Printer);
}

// The printer object set aside for a run comes back; one whose preview
// closed meanwhile is freed instead.
void TCustomQuickRep::RestorePrinter(TQRPrinter* Previous) {
  FQRPrinter = Previous;
  if (Previous != nullptr && Previous == FClosedPrinter && !FThreadRunning.load())
    FreeOwnedPrinter(Previous);
}

void TCustomQuickRep::ReportWorkerError() {
  AnsiString error = FWorkerError;
  FWorkerError = "";
  if (!error.empty())
    ShowMessage(error);
}

void TCustomQuickRep::ThreadDone(TQRPrinter* Printer, bool) {
  if (Printer != nullptr && Printer == FClosedPrinter)
    FreeOwnedPrinter(Printer);
}

// ---- Print set-up dialog ------------------------------------------------------------------

bool TCustomQuickRep::ExecutePrintSetup() {
  TQRPrinter printer(this);
  printer.SetPrinterIndex(FPrinterSettings->PrinterIndex());
  TQRPrintDialog dialog(nullptr);
  dialog.SetQRPrinter(&printer);
  bool finished = FQRPrinter != nullptr && FQRPrinter->Status() == mpFinished && FQRPrinter->PageCount() > 0;
  dialog.Options = TPrintDialogOptions{poPageNums};
  dialog.MinPage = finished ? 1 : 0;
  dialog.MaxPage = finished ? FQRPrinter->PageCount() : 9999;
  if (finished) {
    dialog.FromPage = 1;
    dialog.ToPage = FQRPrinter->PageCount();
  }
  dialog.Orientation = FPage->Orientation() == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  dialog.SetCopies(FPrinterSettings->Copies());
  if (!dialog.Execute()) {
    SetTag(1);
    return false;
  }
  ApplyPrintSetup(dialog, printer);
  SetTag(0);
  return true;
}

void TCustomQuickRep::ApplyPrintSetup(TQRPrintDialog& Dialog, TQRPrinter& Printer) {
  TPrinterOrientation orientation = Dialog.Orientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
  int printerIndex = Printer.DevicePrinter().PrinterIndex();
  FPrinterSettings->SetCopies(Dialog.Copies());
  FPrinterSettings->SetPrinterIndex(printerIndex);
  FPage->SetOrientation(orientation);
  TQuickRepPrinterSettings& setup = *FPrintSetupSettings;
  setup.SetCustomBinCode(Dialog.OutputBin);
  setup.SetExtendedDuplex(Dialog.DuplexCode);
  setup.SetPrintQuality(Dialog.PrintQuality);
  setup.SetCollate(Dialog.Collate);
  setup.SetColorOption(Dialog.ColorOption);
  setup.SetCopies(Dialog.Copies());
  setup.SetOrientation(orientation);
  setup.SetFirstPage(Dialog.FromPage);
  setup.SetLastPage(Dialog.ToPage);
  TQRBin bin;
  setup.SetOutputBin(BinOfCode(Dialog.OutputBin, bin) ? bin : FPrinterSettings->OutputBin());
  setup.SetCustomPaperCode(Dialog.PaperSize);
  setup.SetPrinterIndex(printerIndex);
  setup.SetDuplex(Dialog.Duplex);
  if (Dialog.PrintRange == prPageNums) {
    FPrinterSettings->SetFirstPage(Dialog.FromPage);
    FPrinterSettings->SetLastPage(Dialog.ToPage);
  } else {
    FPrinterSettings->SetFirstPage(0);
    FPrinterSettings->SetLastPage(0);
  }
}

// ---- What the standard preview asks ---------------------------------------------------------

TQRPreviewOptions TCustomQuickRep::PreviewOptions() const {
  TQRPreviewOptions options;
  options.FormStyle = FPrevFormStyle;
  options.Width = FPreviewWidth;
  options.Height = FPreviewHeight;
  options.InitialState = FPreviewInitialState;
  options.ShowThumbs = FPrevShowThumbs;
  options.ShowSearch = FPrevShowSearch;
  options.InitialZoom = FPrevInitialZoom;
  options.Zoom = Zoom();
  options.Title = FReportTitle;
  options.Orientation = FPage->Orientation();
  return options;
}

bool TCustomQuickRep::UseCustomBinCode() const { return FPrinterSettings->UseCustomBinCode(); }

// The preview's confirmed set-up becomes the report's own for its later
// runs. Pages loaded from a page store are not this report's, so their
// set-up leaves the report alone; so does a member of a composite report,
// whose runs take the composite's settings.
void TCustomQuickRep::KeepPrintSetup(bool PagesFromStore) {
  if (PagesFromStore || FCompositeReport != nullptr)
    return;
  const TQuickRepPrinterSettings& chosen = *FPrintSetupSettings;
  TQuickRepPrinterSettings& own = *FPrinterSettings;
  own.SetPrinterIndex(chosen.PrinterIndex());
  own.SetOutputBin(chosen.OutputBin());
  own.SetCollate(chosen.Collate());
  own.SetColorOption(chosen.ColorOption());
  own.SetPrintQuality(chosen.PrintQuality());
  own.SetCopies(chosen.Copies());
  own.SetDuplex(chosen.Duplex());
  own.SetExtendedDuplex(chosen.ExtendedDuplex());
  own.SetCustomBinCode(chosen.CustomBinCode());
  // The page range is already the report's: ExecutePrintSetup gave it the
  // chosen pages, or 0 to 0 for all of them. The dialog's range for "all"
  // is only this run's page count and must not limit later runs.
}
