// TQRPrinter: the output object of one banded report run.
//
// The report draws every page on the canvas this object hands out, in tenths
// of a millimetre turned into device pixels by XFactor and YFactor. Pages go
// either into enhanced metafiles kept in the page list (destination 0: for
// preview, page count, saving) or straight onto the printer (destination 1).
// The object also prints stored pages, hands them to a preview, saves them to
// and loads them from a page store file, and tells its notify target by
// posted messages how far the run has come:
//   WM_USER   (1024)  progress percent in WParam
//   WM_USER+1 (1025)  pages available in WParam
// and its report control:
//   WM_USER+2 (1026)  print again (posted)
//   WM_USER+4 (1028)  preview closed, LParam this object (sent)
//
// Status: 0 ready, 1 busy (a document is open), 2 finished (pages complete,
// or loaded). A run needs a fresh object: BeginDoc works only from 0.
#pragma once
#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/events.h"
#include "classlib/classes/persistent.h"
#include "classlib/printers/printers.h"
#include "reportengine/printer/qrprinterdevice.h"
#include "reportengine/printer/qrprntsettings.h"
#include "reportengine/qrpagelist.h"

class TCanvas;
class TMetafile;
class TMetafileCanvas;
class TWinControl;
class TCustomForm;
class TTreeView;
class TQRPrinter;

DOZURI_EXCEPTION(EQRError, Exception);

extern const char* const SQRNotReady;         // "QRPrinter not ready"
extern const char* const SQRIllegalNewPage;   // "Illegal call to NewPage"

// The window messages of the printer object.
constexpr UINT QRM_PROGRESS = WM_USER;            // 1024
constexpr UINT QRM_PAGEAVAILABLE = WM_USER + 1;   // 1025
constexpr UINT QRM_PRINTAGAIN = WM_USER + 2;      // 1026
constexpr UINT QRM_PREVIEWCLOSED = WM_USER + 4;   // 1028

enum TQRPrinterDestination : std::uint8_t { qrdMetafile = 0, qrdPrinter = 1 };
enum TQRPrinterStatus : std::uint8_t { mpReady = 0, mpBusy = 1, mpFinished = 2 };

// What the printer object asks of the report (a report page or a composite
// report) that created it. Reports implement it; an owner that does not is
// no parent report.
class IQRPrinterParent {
public:
  virtual ~IQRPrinterParent() = default;
  // The report's PrinterSettings.UseStandardprinter and MemoryLimit, copied
  // when the printer object is created.
  virtual bool ParentUseStandardPrinter() const = 0;
  virtual std::int32_t ParentMemoryLimit() const = 0;
  // The report's ShowProgress while stored pages print.
  virtual bool ParentShowProgress() const = 0;
  // True while the report runs into an export filter: an aborted page is
  // then not stored.
  virtual bool ParentExporting() const = 0;
  // Fires the report's AfterPrint with the report as Sender.
  virtual void ParentAfterPrint() = 0;
};

// A window that shows a printer object's pages (the preview control): told
// when the object it shows is freed, so it never reads a freed object.
class IQRPrinterView {
public:
  virtual ~IQRPrinterView() = default;
  virtual void PrinterFreed(TQRPrinter* printer) = 0;
};

// The progress window shown while stored pages print: it receives the
// progress messages as the notify target.
class TQRPrintProgress {
public:
  virtual ~TQRPrintProgress() = default;
  virtual TWinControl* Target() = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
};
using TQRPrintProgressFactory = std::function<std::unique_ptr<TQRPrintProgress>(TQRPrinter& printer)>;
// The factory stored-page printing uses for its progress window; none (the
// default until a progress form registers) shows no progress window.
void SetQRPrintProgressFactory(TQRPrintProgressFactory factory);

// The object that shows a printer object's pages. The base shows nothing;
// the standard preview registers a descendant.
class TQRPreviewInterface : public TComponent {
  DECLARE_CLASS(TQRPreviewInterface, TComponent)

public:
  explicit TQRPreviewInterface(TComponent* AOwner);
  // Shows the pages non-modally and gives the window that shows them.
  virtual TCustomForm* Show(TQRPrinter* printer);
  // Shows the pages modally; gives the window after it closed, if any.
  virtual TCustomForm* ShowModal(TQRPrinter* printer);
};
// The preview interface class Preview and PreviewModal create.
void RegisterPreviewClass(TClass previewClass);
TClass QRPreviewInterfaceClass();

DOZURI_EVENT(TQRExportHandler, void(TObject* Filter));

class TQRPrinter : public TPersistent {
  DECLARE_CLASS(TQRPrinter, TPersistent)

public:
  explicit TQRPrinter(TComponent* Owner);
  ~TQRPrinter() override;

  // ---- Life ----
  void Reset();

  // ---- Document operations ----
  void BeginDoc();
  void NewPage();
  void EndDoc();
  void AbortDoc();
  // Also lets a run held for its preview (HoldUntilPageShown) go on, to its end.
  void Cancel();
  bool Cancelled() const { return cancelled_; }
  TCanvas& CurrentCanvas();

  // ---- Conversions (0.1 mm to page canvas pixels) ----
  int DeviceX(long double x) const;
  int DeviceY(long double y) const;
  int DeviceWidth(long double width) const;
  int DeviceHeight(long double height) const;
  // The page's width and length in 0.1 mm for the current orientation.
  int PaperWidth() const;
  int PaperLength() const;

  // ---- Settings passed through ----
  void SetPrinterIndex(int index);
  TPrinterSettings& Settings() { return *settings_; }
  TPrinter& DevicePrinter() { return *device_; }
  void ApplyDestination(TQRPrinterDestination value) { destination_ = value; }
  void ApplyCompression(bool value) { pageList_->SetCompression(value); }
  void SetOutline(TTreeView* view) { outline_ = view; }
  TTreeView* Outline() const { return outline_; }

  // ---- Stored pages ----
  std::unique_ptr<TMetafile> GetPage(std::int32_t pageNumber);
  void SetCurrentPage(std::int32_t pageNumber);
  void Save(const AnsiString& fileName);
  // Refused with "QRPrinter not ready" while a run is open.
  void Load(const AnsiString& fileName);
  void Print();
  void Preview();
  void PreviewModal();

  // ---- Notices ----
  void SetAvailablePages(std::int32_t value);
  void SetProgress(std::int32_t value);
  void SetShowingPreview(bool value);
  void ClosePreview();

  // ---- Fields ----
  TComponent* ParentReport() const { return parentReport_; }
  std::int32_t AvailablePages() const { return availablePages_; }
  TQRPrinterDestination Destination() const { return destination_; }
  std::int32_t FirstPage() const { return firstPage_; }
  void SetFirstPage(std::int32_t value) { firstPage_ = value; }
  std::int32_t LastPage() const { return lastPage_; }
  void SetLastPage(std::int32_t value) { lastPage_ = value; }
  std::int32_t LeftWaste() const { return leftWaste_; }
  std::int32_t TopWaste() const { return topWaste_; }
  std::int32_t PageCount() const { return pageCount_; }
  std::int32_t PageNumber() const { return pageNumber_; }
  bool PrintersAvailable() const { return printersAvailable_; }
  std::int32_t Progress() const { return progress_; }
  bool ShowingPreview() const { return showingPreview_; }
  TQRPrinterStatus Status() const { return status_; }
  long double XFactor() const { return xFactor_; }
  long double YFactor() const { return yFactor_; }
  bool Prepared() const { return prepared_; }
  void SetPrepared(bool value) { prepared_ = value; }
  // A page store was loaded into this object. Loading is this object's own
  // business: other printer objects and later previews are not affected.
  bool PageStoreLoaded() const { return pageStoreLoaded_; }
  TQRPageList& PageList() { return *pageList_; }
  TCustomForm* PreviewForm() const { return previewForm_; }
  // A preview form that goes away is no longer this object's preview form.
  void ForgetPreviewForm(const TCustomForm* form) {
    if (previewForm_ == form)
      previewForm_ = nullptr;
  }

  AnsiString Title;
  TNotifyEvent AfterPrint;
  TNotifyEvent AfterPreview;
  TNotifyEvent PreviewHandler;
  TQRExportHandler ExportHandler;
  TWinControl* NotifyTarget = nullptr;
  TWinControl* ReportControl = nullptr;

  // A preview window that shows this object's pages while its run goes on
  // on another thread asks, as it appears, for a page to be shown first: the
  // run stops at its next page boundary until PageShown, Cancel or the
  // preview letting go of the object, and never longer than PageShownWait.
  // Pages drawn meanwhile would slow the showing of the window several times
  // over, since the window and the run share the platform's drawing locks.
  // The thread that asks is never held itself.
  static constexpr std::chrono::milliseconds PageShownWait{1500};
  void HoldUntilPageShown();
  void PageShown();

  // Objects that belong to the page being drawn, freed when it closes.
  void AddPageObject(TObject* object) { pageObjects_.push_back(object); }

private:
  bool InPrintRange() const;
  void OpenMetafilePage();
  void StoreOpenPage(bool store);
  void CloseOpenPage();
  void OpenPrinterPage();
  void ReadScreenFactors();
  void UseScreenFactors();
  void ReadDeviceFactors(long double lowFallback);
  void FreePageObjects();
  void GuessPaper();
  // The device's resolution and offsets, through the printer device seam.
  TQRDeviceFacts DeviceFacts();
  void PrintStoredPage(std::int32_t page, const TQRDeviceFacts& facts);
  static void Post(TWinControl* target, UINT message, WPARAM wParam, LPARAM lParam);
  HWND ReportWindow() const;
  TCustomForm* RunPreviewInterface(bool modal);
  void WaitUntilPageShown();

  TPrinter* device_ = nullptr;
  std::unique_ptr<TPrinter> ownDevice_;
  TComponent* parentReport_ = nullptr;
  IQRPrinterParent* parent_ = nullptr;
  std::unique_ptr<TPrinterSettings> settings_;
  std::unique_ptr<TQRPageList> pageList_;
  std::unique_ptr<TMetafile> pageMetafile_;
  std::unique_ptr<TMetafileCanvas> pageCanvas_;
  std::vector<TObject*> pageObjects_;
  TTreeView* outline_ = nullptr;
  // The screen as the pages' reference device: a memory DC compatible with
  // it, made once per object (asking for the screen's own DC for every page
  // costs more than the page's drawing), and usable from any thread.
  HDC referenceDC_ = nullptr;
  int screenPixelsPerInch_ = 96;
  TCustomForm* previewForm_ = nullptr;

  std::atomic<std::int32_t> availablePages_{0};
  std::atomic<std::int32_t> pageCount_{0};
  std::atomic<std::int32_t> pageNumber_{0};
  std::atomic<std::int32_t> progress_{0};
  std::atomic<bool> cancelled_{false};
  TQRPrinterDestination destination_ = qrdMetafile;
  std::int32_t firstPage_ = 0;
  std::int32_t lastPage_ = 0;
  std::int32_t leftWaste_ = 0;
  std::int32_t topWaste_ = 0;
  bool printersAvailable_ = false;
  bool showingPreview_ = false;
  bool prepared_ = false;
  bool pageStoreLoaded_ = false;
  bool useStandardPrinter_ = false;
  // Cleared when the object dies, so a caller that handed it to a window
  // which freed it can tell.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::atomic<TQRPrinterStatus> status_{mpReady};
  // The hold of HoldUntilPageShown: set by the showing thread, waited on by
  // the run's.
  std::mutex holdLock_;
  std::condition_variable holdSignal_;
  std::atomic<bool> holding_{false};
  DWORD holdingThread_ = 0;
  long double xFactor_ = 0.37795L;
  long double yFactor_ = 0.37795L;
};
