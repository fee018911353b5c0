// TQRCompositeReport: several report pages printed, previewed or prepared
// as one document. Every member runs into the same printer object,
// continuing on the page where the one before ended; only the last closes
// its final page.
//
// OnAddReports fills Reports; it is called again by every run (Print and
// Preview call it once more beforehand, to see whether there is anything to
// run), so a handler adds the reports anew each time.
//
// The printer object of a run has one owner, the composite: it is freed
// exactly once, by whichever comes first of a cancelled run, the end of
// Print, the closing of the preview, the next Prepare or RunReports, or the
// composite's end. Members that still point at it are cleared then. Print,
// Preview and the export set the object of before aside and give it back
// when they are done.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/controls/wincontrol.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/quickrep.h"

class TQRCompositeReport;

// The file Prepare saves its pages to, in the folder of CompositePrepareFolder.
inline constexpr char CompositePrepareFileName[] = "comprep.qrp";

// The composite's published printer settings: the report's settings with
// Orientation and PaperSize, Letter at creation.
class TQRCompositePrinterSettings : public TQuickRepPrinterSettings {
  DECLARE_CLASS(TQRCompositePrinterSettings, TQuickRepPrinterSettings)

public:
  TQRCompositePrinterSettings();
};

// The window that hears the composite's printer object: 1026 prints the
// composite again, 1028 says its preview closed.
class TQRCompositeWinControl : public TWinControl {
  DECLARE_CLASS(TQRCompositeWinControl, TWinControl)

public:
  explicit TQRCompositeWinControl(TComponent* AOwner);
  ~TQRCompositeWinControl() override;
  void Dispatch(TMessage& Message) override;

  TQRCompositeReport* Composite = nullptr;
};

class TQRCompositeReport : public TComponent, public IQRPrinterParent, public IQRCompositePrint {
  DECLARE_CLASS(TQRCompositeReport, TComponent)

public:
  explicit TQRCompositeReport(TComponent* AOwner);
  ~TQRCompositeReport() override;

  // ---- Entry points ----
  void Print() override;
  void Preview();
  // Runs the members into a printer object that stays in QRPrinter (and in
  // every member's QRPrinter) and saves the pages as "comprep.qrp".
  void Prepare();
  // The run shared by the entry points.
  void RunReports();
  // The printer object's export handler in the composite's preview: the
  // members of the last run run again, as RunReports runs them, into a fresh
  // printer object, each through its report's export form with Filter (an
  // IQRExportFilter). Then that object is freed, the one before is back
  // (and every member that pointed at it points at it again), and
  // OnFinished(Self) fires.
  void ExportHandler(TObject* Filter);

  // ---- Published ----
  TNotifyEvent OnAddReports;
  TNotifyEvent OnFinished;
  TQuickRepOptions Options() const { return FOptions; }
  void SetOptions(TQuickRepOptions Value) { FOptions = Value; }
  TQRCompositePrinterSettings* PrinterSettings() const { return FPrinterSettings.get(); }
  void SetPrinterSettings(TQRCompositePrinterSettings* Value);
  const AnsiString& ReportTitle() const { return FReportTitle; }
  void SetReportTitle(const AnsiString& Value) { FReportTitle = Value; }

  // ---- Run state ----
  // The members of the current or last run, filled by OnAddReports.
  std::vector<TCustomQuickRep*>& Reports() { return FReports; }
  void AddReport(TCustomQuickRep* Report);
  TQRPrinter* QRPrinter() const { return FQRPrinter; }
  bool Generating() const { return FGenerating; }
  TCustomQuickRep* CurrentReport() const { return FCurrentReport; }
  TQRCompositeWinControl* MessageWindow() const { return FMessageWindow; }
  // The file Prepare wrote last ("" before the first).
  const AnsiString& PreparedFile() const { return FPreparedFile; }

  // ---- Messages of the message window ----
  void PreviewClosed();
  void MessageWindowGone() { FMessageWindow = nullptr; }

  // ---- IQRPrinterParent ----
  bool ParentUseStandardPrinter() const override { return FPrinterSettings->UseStandardprinter(); }
  std::int32_t ParentMemoryLimit() const override { return FPrinterSettings->MemoryLimit(); }
  bool ParentShowProgress() const override { return false; }
  bool ParentExporting() const override { return FExporting; }
  void ParentAfterPrint() override {}

  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void CallAddReports();
  // Makes Printer the composite's, freeing the one before.
  void AdoptPrinter(TQRPrinter* Printer);
  // Frees the composite's printer object and clears every member's
  // reference to it.
  void FreePrinter();
  // A temporary report for Print and Preview, set up from the first member.
  std::unique_ptr<TQuickRep> TemporaryReport(bool ForPreview);
  TQRPrinter* AdoptTemporaryPrinter(TQuickRep* Temporary, TQRPrinterDestination Destination);
  void SetUpPrinter(TQRPrinter& Printer);
  // The members in list order on QRPrinter, each through CreateReport(True),
  // or with Filter through its export form. A cancelled member ends the run
  // and frees the printer object.
  void RunMembers(TObject* Filter);

  std::unique_ptr<TQRCompositePrinterSettings> FPrinterSettings;
  TQuickRepOptions FOptions;
  AnsiString FReportTitle;
  std::vector<TCustomQuickRep*> FReports;
  // Sets aside the composite's printer object while another run uses the
  // composite, and gives it back afterwards (freeing what that run left),
  // with the members that pointed at it pointing at it again. Runs nest (an
  // export or a print asked from the composite's preview), so each keeps
  // its own object and members.
  class TPrinterAside {
  public:
    explicit TPrinterAside(TQRCompositeReport& Composite);
    ~TPrinterAside();
    TPrinterAside(const TPrinterAside&) = delete;
    TPrinterAside& operator=(const TPrinterAside&) = delete;
    // A member freed meanwhile is not pointed anywhere afterwards.
    void Forget(TComponent* Gone);

  private:
    TQRCompositeReport& FComposite;
    std::unique_ptr<TQRPrinter> FOwned;
    TQRPrinter* FPrinter = nullptr;
    std::vector<TCustomQuickRep*> FPointing;
  };

  // Members whose QRPrinter the composite set.
  std::vector<TCustomQuickRep*> FPointing;
  // The printer objects set aside now, innermost last.
  std::vector<TPrinterAside*> FAside;
  std::unique_ptr<TQRPrinter> FOwnedPrinter;
  TQRPrinter* FQRPrinter = nullptr;
  bool FGenerating = false;
  bool FExporting = false;
  TCustomQuickRep* FCurrentReport = nullptr;
  TQRCompositeWinControl* FMessageWindow = nullptr;
  AnsiString FPreparedFile;
};

// Where Prepare writes "comprep.qrp": the current folder when the program may
// write there, else the user's own application-data folder for the program
// (made when missing). With a trailing delimiter.
AnsiString CompositePrepareFolder();

// Registers the composite report and its message window with the class
// registry, so layouts and streams find them by name. Safe to call again.
void RegisterQRCompositeClasses();
