#include "reportengine/printer/qrprinter.h"

#include <algorithm>
#include <cmath>

#include "classlib/controls/wincontrol.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/metafile.h"
#include "classlib/graphics/screenfacts.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printer/qrprinterdevice.h"

const char* const SQRNotReady = "QRPrinter not ready";
const char* const SQRIllegalNewPage = "Illegal call to NewPage";

IMPLEMENT_CLASS(TQRPrinter)
IMPLEMENT_CLASS(TQRPreviewInterface)

namespace {

constexpr long double kFallbackFactor = 0.37795L;

TQRPrintProgressFactory& ProgressFactory() {
  static TQRPrintProgressFactory factory;
  return factory;
}

TClass& PreviewClass() {
  static TClass previewClass = TQRPreviewInterface::StaticClass();
  return previewClass;
}

int RoundToInt(long double value) {
  return CheckedInt32(Round(static_cast<double>(value)));
}

void ProcessPendingMessages() {
  if (Application != nullptr)
    Application->ProcessMessages();
}

int ScreenPixelsPerInch() {
  int ppi = ScreenFacts().PixelsPerInch;
  return ppi > 0 ? ppi : 96;
}

}  // namespace

void SetQRPrintProgressFactory(TQRPrintProgressFactory factory) {
  ProgressFactory() = std::move(factory);
}

TQRPreviewInterface::TQRPreviewInterface(TComponent* AOwner) : TComponent(AOwner) {}

TCustomForm* TQRPreviewInterface::Show(TQRPrinter*) {
  return nullptr;
}

TCustomForm* TQRPreviewInterface::ShowModal(TQRPrinter*) {
  return nullptr;
}

void RegisterPreviewClass(TClass previewClass) {
  if (previewClass != nullptr && previewClass->InheritsFrom(TQRPreviewInterface::StaticClass()))
    PreviewClass() = previewClass;
}

TClass QRPreviewInterfaceClass() {
  return PreviewClass();
}

// ---- Life -------------------------------------------------------------------

TQRPrinter::TQRPrinter(TComponent* Owner) {
  settings_ = std::make_unique<TPrinterSettings>();
  parent_ = dynamic_cast<IQRPrinterParent*>(Owner);
  if (parent_ != nullptr) {
    parentReport_ = Owner;
    useStandardPrinter_ = parent_->ParentUseStandardPrinter();
    settings_->SetUseStandardPrinter(useStandardPrinter_);
    settings_->SetMemoryLimit(parent_->ParentMemoryLimit());
  }
  if (useStandardPrinter_) {
    device_ = &Printer();
  } else {
    ownDevice_ = std::make_unique<TPrinter>();
    device_ = ownDevice_.get();
  }
  // A private printer reads the list as it is now; the shared one as it
  // read it first.
  printersAvailable_ = device_->Printers().Count() > 0;
  if (printersAvailable_) {
    settings_->SetPrinter(device_);
    ProcessPendingMessages();
  }
  topWaste_ = settings_->TopOffset();
  leftWaste_ = settings_->LeftOffset();
  pageList_ = std::make_unique<TQRPageList>();
}

TQRPrinter::~TQRPrinter() {
  *alive_ = false;
  PageShown();
  try {
    if (status_ != mpReady)
      Reset();
  } catch (...) {
    // A device that fails while a job is abandoned must not stop the cleanup.
  }
  if (auto* view = dynamic_cast<IQRPrinterView*>(NotifyTarget))
    view->PrinterFreed(this);
  FreePageObjects();
  pageCanvas_.reset();
  pageMetafile_.reset();
  settings_.reset();
  ownDevice_.reset();
  if (referenceDC_ != nullptr)
    DeleteDC(referenceDC_);
}

void TQRPrinter::Reset() {
  if (status_ == mpBusy) {
    Cancel();
    if (destination_ == qrdPrinter && device_->Printing())
      device_->Abort();
  }
  pageCanvas_.reset();
  pageMetafile_.reset();
  FreePageObjects();
  pageList_->DetachStream();
  pageList_->Clear();
  pageCount_ = 0;
  availablePages_ = 0;
  status_ = mpReady;
}

// ---- Factors and conversions ---------------------------------------------

TQRDeviceFacts TQRPrinter::DeviceFacts() {
  TQRDeviceFacts facts;
  if (!QRPrinterDevice().DeviceFacts(*device_, facts))
    throw EPrinter("Printer selected is not valid");
  return facts;
}

void TQRPrinter::ReadScreenFactors() {
  screenPixelsPerInch_ = ScreenPixelsPerInch();
  UseScreenFactors();
}

void TQRPrinter::UseScreenFactors() {
  xFactor_ = yFactor_ = screenPixelsPerInch_ / 254.0L;
}

void TQRPrinter::ReadDeviceFactors(long double lowFallback) {
  const TQRDeviceFacts facts = DeviceFacts();
  xFactor_ = facts.PixelsPerX / 254.0L;
  yFactor_ = facts.PixelsPerY / 254.0L;
  if (xFactor_ < 0.1L)
    xFactor_ = lowFallback;
  if (yFactor_ < 0.1L)
    yFactor_ = lowFallback;
}

int TQRPrinter::DeviceX(long double x) const {
  return RoundToInt((x - leftWaste_) * xFactor_);
}

int TQRPrinter::DeviceY(long double y) const {
  return RoundToInt((y - topWaste_) * yFactor_);
}

int TQRPrinter::DeviceWidth(long double width) const {
  return RoundToInt(width * xFactor_);
}

int TQRPrinter::DeviceHeight(long double height) const {
  return RoundToInt(height * yFactor_);
}

int TQRPrinter::PaperWidth() const {
  return settings_->Orientation() == poLandscape ? settings_->PaperLength() : settings_->PaperWidth();
}

int TQRPrinter::PaperLength() const {
  return settings_->Orientation() == poLandscape ? settings_->PaperWidth() : settings_->PaperLength();
}

void TQRPrinter::SetPrinterIndex(int index) {
  if (!printersAvailable_ || useStandardPrinter_)
    return;
  device_->SetPrinterIndex(index);
  settings_->ReadSettings();
}

// ---- Document operations ---------------------------------------------------

void TQRPrinter::BeginDoc() {
  cancelled_ = false;
  if (destination_ == qrdPrinter && printersAvailable_)
    settings_->ApplySettings();
  topWaste_ = destination_ == qrdPrinter ? settings_->TopOffset() : 0;
  leftWaste_ = destination_ == qrdPrinter ? settings_->LeftOffset() : 0;
  // A refused call leaves the open page and the pages announced to the run
  // (or the finished store) that has them.
  if (status_ != mpReady)
    throw EQRError(SQRNotReady);
  pageCanvas_.reset();
  pageMetafile_.reset();
  availablePages_ = 0;
  pageNumber_ = 0;
  pageCount_ = 0;
  ReadScreenFactors();
  if (destination_ == qrdMetafile)
    pageList_->AttachStream(std::make_unique<TQRStream>(settings_->MemoryLimit()));
  else
    ReadDeviceFactors(kFallbackFactor);
  status_ = mpBusy;
}

bool TQRPrinter::InPrintRange() const {
  const std::int32_t page = pageCount_;
  return (firstPage_ <= 0 || page >= firstPage_) && (lastPage_ <= 0 || lastPage_ >= page);
}

void TQRPrinter::FreePageObjects() {
  std::vector<TObject*> objects;
  objects.swap(pageObjects_);
  for (TObject* object : objects)
    object->Free();
}

// Completes the open metafile page and stores it, or throws it away.
void TQRPrinter::StoreOpenPage(bool store) {
  pageCanvas_.reset();
  std::unique_ptr<TMetafile> page = std::move(pageMetafile_);
  FreePageObjects();
  if (store && page)
    pageList_->AddPage(*page);
}

void TQRPrinter::CloseOpenPage() {
  if (destination_ == qrdMetafile) {
    StoreOpenPage(true);
  } else if (pageCanvas_) {
    StoreOpenPage(false);  // a page outside the print range
  } else if (device_->Printing() && pageCount_ != lastPage_) {
    device_->NewPage();
  }
}

// The screen's resolution was read when the document began: asking the
// screen again for every page costs more than drawing many a page.
void TQRPrinter::OpenMetafilePage() {
  UseScreenFactors();
  auto page = std::make_unique<TMetafile>();
  page->SetMMWidth(MulDiv(DeviceWidth(PaperWidth()), 2540, screenPixelsPerInch_));
  page->SetMMHeight(MulDiv(DeviceHeight(PaperLength()), 2540, screenPixelsPerInch_));
  if (referenceDC_ == nullptr)
    referenceDC_ = CreateCompatibleDC(nullptr);
  pageCanvas_ = std::make_unique<TMetafileCanvas>(page.get(), referenceDC_);
  pageMetafile_ = std::move(page);
}

void TQRPrinter::OpenPrinterPage() {
  if (device_->Printing()) {
    device_->Canvas().Refresh();
  } else {
    device_->Title = Title;
    device_->BeginDoc();
  }
  const TQRDeviceFacts facts = DeviceFacts();
  xFactor_ = facts.PixelsPerX / 254.0L;
  yFactor_ = facts.PixelsPerY / 254.0L;
  if (yFactor_ < 0.1L)
    yFactor_ = 1.0L;
}

void TQRPrinter::NewPage() {
  if (status_ != mpBusy)
    throw EQRError(SQRIllegalNewPage);
  if (pageNumber_ > 0) {
    CloseOpenPage();
    SetAvailablePages(availablePages_ + 1);
    if (holding_)
      WaitUntilPageShown();
  }
  ++pageCount_;
  ++pageNumber_;
  if (destination_ == qrdMetafile || !InPrintRange())
    OpenMetafilePage();
  else
    OpenPrinterPage();
}

TCanvas& TQRPrinter::CurrentCanvas() {
  if (pageCanvas_)
    return *pageCanvas_;
  return device_->Canvas();
}

void TQRPrinter::EndDoc() {
  if (status_ != mpBusy)
    return;
  if (destination_ == qrdPrinter) {
    if (pageCanvas_)
      StoreOpenPage(false);
    if (device_->Printing())
      device_->EndDoc();
  } else if (pageCount_ > 0) {
    StoreOpenPage(true);
  }
  // The header gets its final count before anyone may save the pages.
  if (destination_ == qrdMetafile)
    pageList_->Finish();
  status_ = mpFinished;
  // Every page begun is complete now; an empty run has none available.
  SetAvailablePages(pageCount_);
  ProcessPendingMessages();
  if (destination_ == qrdPrinter && AfterPrint)
    AfterPrint(this);
}

void TQRPrinter::AbortDoc() {
  const bool open = status_ == mpBusy;
  if (open) {
    if (destination_ == qrdPrinter) {
      if (pageCanvas_)
        StoreOpenPage(false);
      if (device_->Printing())
        device_->Abort();
    } else if (pageCanvas_) {
      StoreOpenPage(parent_ == nullptr || !parent_->ParentExporting());
    }
  }
  pageCanvas_.reset();
  pageMetafile_.reset();
  FreePageObjects();
  // Only a run that was open has a store to close: a finished or loaded
  // store stays as it is (a loaded one is the user's file, open for reading).
  if (open && destination_ == qrdMetafile) {
    // The store holds what was stored: its header says so, and the counts
    // agree with it.
    pageList_->Finish();
    pageCount_ = pageList_->PageCount();
  }
  status_ = mpFinished;
  SetAvailablePages(pageCount_);
}

void TQRPrinter::Cancel() {
  cancelled_ = true;
  PageShown();
}

// ---- The hold for the preview ------------------------------------------------

void TQRPrinter::HoldUntilPageShown() {
  if (status_ == mpFinished)
    return;
  std::lock_guard<std::mutex> lock(holdLock_);
  holdingThread_ = GetCurrentThreadId();
  holding_ = true;
}

void TQRPrinter::PageShown() {
  if (!holding_)
    return;
  {
    std::lock_guard<std::mutex> lock(holdLock_);
    holding_ = false;
  }
  holdSignal_.notify_all();
}

// Once per hold: a wait that ran out ends the hold as well.
void TQRPrinter::WaitUntilPageShown() {
  std::unique_lock<std::mutex> lock(holdLock_);
  if (holding_ && holdingThread_ != GetCurrentThreadId())
    holdSignal_.wait_for(lock, PageShownWait, [this] { return !holding_ || cancelled_; });
  holding_ = false;
}

// ---- Notices ---------------------------------------------------------------

void TQRPrinter::Post(TWinControl* target, UINT message, WPARAM wParam, LPARAM lParam) {
  // A window not made yet has nothing to receive; making it here could put
  // it on the report's worker thread.
  if (target != nullptr && target->HandleAllocated())
    PostMessageW(target->Handle(), message, wParam, lParam);
}

// The report control's window, made now when it has none yet: the notices
// to the report (print again, preview closed) are given on the main thread,
// and a report on a form that was never shown must hear them all the same.
// A control with no window to live in gets none.
HWND TQRPrinter::ReportWindow() const {
  if (ReportControl == nullptr)
    return nullptr;
  // The window can be made when the topmost control it hangs from has one,
  // lives in a window of its own, or is a form.
  TWinControl* top = ReportControl;
  while (!top->HandleAllocated() && top->Parent() != nullptr)
    top = top->Parent();
  const bool canHaveWindow =
      top->HandleAllocated() || top->ParentWindow() != nullptr || dynamic_cast<TCustomForm*>(top) != nullptr;
  return canHaveWindow ? ReportControl->Handle() : nullptr;
}

void TQRPrinter::SetAvailablePages(std::int32_t value) {
  availablePages_ = value;
  Post(NotifyTarget, QRM_PAGEAVAILABLE, static_cast<WPARAM>(value), 0);
}

void TQRPrinter::SetProgress(std::int32_t value) {
  progress_ = value;
  Post(NotifyTarget, QRM_PROGRESS, static_cast<WPARAM>(value), 0);
}

void TQRPrinter::SetShowingPreview(bool value) {
  const bool was = showingPreview_;
  try {
    if (was && !value) {
      if (status_ == mpBusy)
        Cancel();
      if (AfterPreview)
        AfterPreview(this);
    }
  } catch (...) {
    showingPreview_ = value;
    throw;
  }
  showingPreview_ = value;
}

void TQRPrinter::ClosePreview() {
  if (HWND report = ReportWindow()) {
    std::shared_ptr<bool> alive = alive_;
    SendMessageW(report, QRM_PREVIEWCLOSED, 0, reinterpret_cast<LPARAM>(this));
    // The report may have freed this object while handling the message.
    if (!*alive)
      return;
  }
  SetShowingPreview(false);
}

// ---- Stored pages ----------------------------------------------------------

std::unique_ptr<TMetafile> TQRPrinter::GetPage(std::int32_t pageNumber) {
  if (status_ == mpReady || pageNumber < 1 || pageNumber > pageCount_)
    return nullptr;
  return pageList_->GetPage(pageNumber);
}

void TQRPrinter::SetCurrentPage(std::int32_t pageNumber) {
  if (pageNumber >= 1 && pageNumber <= pageCount_)
    pageNumber_ = pageNumber;
}

void TQRPrinter::Save(const AnsiString& fileName) {
  if (status_ == mpFinished)
    pageList_->SaveToFile(fileName);
}

void TQRPrinter::Load(const AnsiString& fileName) {
  // An open run draws into this object's page and store, on its own thread
  // or further up this one's stack: taking them away would leave it drawing
  // on freed pages.
  if (status_ == mpBusy)
    throw EQRError(SQRNotReady);
  // The file is read into a list of its own first: a file that is no page
  // store leaves the pages shown now as they are.
  auto loaded = std::make_unique<TQRPageList>();
  loaded->LoadFromFile(fileName);
  if (status_ != mpReady)
    Reset();
  pageList_ = std::move(loaded);
  pageCount_ = pageList_->PageCount();
  availablePages_ = pageCount_.load();
  ReadScreenFactors();
  if (pageCount_ > 0)
    GuessPaper();
  status_ = mpFinished;
  ExportHandler = nullptr;
  prepared_ = true;
  pageStoreLoaded_ = true;
}

// Picks the paper of the table rows Letter..ESheet that has the size of
// page 1, upright or turned; the last listed match wins. A page matches a
// row within half a 4 mm step each way: a page recorded at screen
// resolution comes back a fraction of a millimetre off its paper, and
// whole 4 mm steps, truncated, would then miss sizes such as A5 (148 mm)
// and A3 (420 mm) that are whole steps.
void TQRPrinter::GuessPaper() {
  std::unique_ptr<TMetafile> page = pageList_->GetPage(1);
  if (!page)
    return;
  // Millimetres at the screen's resolution, both by the horizontal factor.
  const long double width = static_cast<long double>(page->Width()) / xFactor_ / 10;
  const long double height = static_cast<long double>(page->Height()) / xFactor_ / 10;
  const auto same = [](long double pageMM, long double rowMM) { return std::fabs(pageMM - rowMM) <= 2.0L; };
  for (int row = 1; row <= 26; ++row) {
    const auto size = static_cast<TQRPaperSize>(row);
    const TQRPaperDimensions paper = PaperDimensions(size);
    if (same(width, paper.Width) && same(height, paper.Length)) {
      settings_->SetPaperSize(size);
      settings_->SetOrientation(poPortrait);
    }
    if (same(width, paper.Length) && same(height, paper.Width)) {
      settings_->SetPaperSize(size);
      settings_->SetOrientation(poLandscape);
    }
  }
}

// Draws stored page N at its own size: the metafile's frame, or without one
// the current paper, placed so that the device's unprintable margin is cut
// off as on paper.
void TQRPrinter::PrintStoredPage(std::int32_t pageNumber, const TQRDeviceFacts& facts) {
  std::unique_ptr<TMetafile> page = GetPage(pageNumber);
  if (!page)
    return;
  long double width = page->MMWidth() / 10.0L;
  long double length = page->MMHeight() / 10.0L;
  if (width <= 0 || length <= 0) {
    width = PaperWidth();
    length = PaperLength();
  }
  RECT target;
  target.left = -facts.OffsetX;
  target.top = -facts.OffsetY;
  target.right = RoundToInt(width * facts.PixelsPerX / 254.0L) - facts.OffsetX;
  target.bottom = RoundToInt(length * facts.PixelsPerY / 254.0L) - facts.OffsetY;
  device_->Canvas().StretchDraw(target, *page);
}

void TQRPrinter::Print() {
  if (ReportControl != nullptr && !prepared_ && !settings_->PrintMetaFile() && status_ == mpFinished) {
    if (HWND report = ReportWindow())
      PostMessageW(report, QRM_PRINTAGAIN, 0, 0);
    return;
  }
  if (status_ != mpFinished || !printersAvailable_)
    return;
  const bool showProgress = parent_ != nullptr && parent_->ParentShowProgress();
  // Only stored pages can print: a range past them prints nothing, and no
  // empty job is started for it.
  const std::int32_t first = std::max<std::int32_t>(firstPage_ > 0 ? firstPage_ : 1, 1);
  const std::int32_t stored = pageCount_;
  const std::int32_t last = std::min<std::int32_t>(lastPage_ > 0 ? lastPage_ : stored, stored);
  if (first > last)
    return;
  cancelled_ = false;
  device_->Title = Title;
  if (device_->Printing())
    device_->Abort();
  settings_->ApplySettings();
  device_->BeginDoc();
  try {
    // The job's own device tells where its page starts, after the settings
    // were applied to it.
    const TQRDeviceFacts facts = DeviceFacts();
    std::unique_ptr<TQRPrintProgress> progress;
    TWinControl* savedTarget = NotifyTarget;
    if (showProgress && ProgressFactory()) {
      progress = ProgressFactory()(*this);
      if (progress) {
        progress->Show();
        NotifyTarget = progress->Target();
      }
    }
    try {
      for (std::int32_t page = first; page <= last; ++page) {
        ProcessPendingMessages();
        if (showProgress)
          SetProgress(RoundToInt(static_cast<long double>(page - first + 1) / (last - first + 1) * 100));
        SetCurrentPage(page);
        PrintStoredPage(page, facts);
        if (page < last)
          device_->NewPage();
        if (cancelled_) {
          device_->Abort();
          break;
        }
      }
    } catch (...) {
      NotifyTarget = savedTarget;
      throw;
    }
    if (progress) {
      progress->Hide();
      NotifyTarget = savedTarget;
    }
    if (parent_ != nullptr)
      parent_->ParentAfterPrint();
  } catch (...) {
    if (device_->Printing())
      device_->EndDoc();
    throw;
  }
  if (device_->Printing())
    device_->EndDoc();
}

// ---- Preview ---------------------------------------------------------------

TCustomForm* TQRPrinter::RunPreviewInterface(bool modal) {
  TObject* created = QRPreviewInterfaceClass()->Create(TCreateContext{});
  auto* previewInterface = dynamic_cast<TQRPreviewInterface*>(created);
  if (previewInterface == nullptr) {
    if (created != nullptr)
      created->Free();
    return nullptr;
  }
  TCustomForm* form = nullptr;
  try {
    form = modal ? previewInterface->ShowModal(this) : previewInterface->Show(this);
  } catch (...) {
    previewInterface->Free();
    throw;
  }
  previewInterface->Free();
  return form;
}

void TQRPrinter::Preview() {
  if (PreviewHandler) {
    PreviewHandler(this);
    return;
  }
  previewForm_ = RunPreviewInterface(false);
}

void TQRPrinter::PreviewModal() {
  if (PreviewHandler) {
    PreviewHandler(this);
    return;
  }
  previewForm_ = RunPreviewInterface(true);
}
