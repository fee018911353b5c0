// The printer object without a printer: its states, metafile runs, the
// notices it posts and sends, the page store it saves and loads, and the
// preview hand-over.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "classlib/graphics/metafile.h"
#include "classlib/printers/fakespooler.h"
#include "reportengine/printer/qrprinter.h"
#include "tests/reportengine/printer/qrprinterfixture.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"

namespace {

using namespace qrprinter_test;

class QRPrinterTest : public testing::Test {
protected:
  // No printers: metafile runs use the screen as their reference.
  QRPrinterTest() : scope(spooler) {}
  TFakeSpooler spooler;
  SpoolerScope scope;
  test_support::FormFixture form;
};

TEST_F(QRPrinterTest, StatusMachineRefusesCallsOutOfOrder) {
  TQRPrinter printer(nullptr);
  EXPECT_FALSE(printer.PrintersAvailable());
  EXPECT_EQ(printer.Status(), mpReady);
  ExpectQRError([&] { printer.NewPage(); }, "Illegal call to NewPage");
  EXPECT_EQ(printer.PageCount(), 0);
  printer.EndDoc();  // nothing open: nothing happens
  EXPECT_EQ(printer.Status(), mpReady);

  printer.BeginDoc();
  EXPECT_EQ(printer.Status(), mpBusy);
  ExpectQRError([&] { printer.BeginDoc(); }, "QRPrinter not ready");
  printer.NewPage();
  printer.Cancel();
  // A refused BeginDoc clears Cancelled before it fails.
  ExpectQRError([&] { printer.BeginDoc(); }, "QRPrinter not ready");
  EXPECT_FALSE(printer.Cancelled());
  EXPECT_EQ(printer.Status(), mpBusy);
  printer.EndDoc();
  EXPECT_EQ(printer.Status(), mpFinished);
  ExpectQRError([&] { printer.BeginDoc(); }, "QRPrinter not ready");
  ExpectQRError([&] { printer.NewPage(); }, "Illegal call to NewPage");
  printer.Reset();
  EXPECT_EQ(printer.Status(), mpReady);
  EXPECT_EQ(printer.GetPage(1), nullptr);
  printer.BeginDoc();  // ready again after Reset
  EXPECT_EQ(printer.Status(), mpBusy);
}

// A refused BeginDoc clears Cancelled, but takes nothing from the run that
// is open or the pages that are finished: the open page keeps what was drawn
// on it, and the pages announced stay available.
TEST_F(QRPrinterTest, RefusedBeginDocKeepsTheOpenPageAndTheFinishedPages) {
  TQRPrinter printer(nullptr);
  printer.BeginDoc();
  printer.NewPage();
  printer.CurrentCanvas().TextOut(10, 10, ToAnsi(PageText(1)));
  printer.NewPage();
  printer.CurrentCanvas().TextOut(10, 10, ToAnsi(PageText(2)));
  ExpectQRError([&] { printer.BeginDoc(); }, "QRPrinter not ready");
  EXPECT_EQ(printer.AvailablePages(), 1);
  printer.CurrentCanvas().TextOut(10, 40, "devam");
  printer.EndDoc();
  ExpectQRError([&] { printer.BeginDoc(); }, "QRPrinter not ready");
  EXPECT_EQ(printer.PageCount(), 2);
  EXPECT_EQ(printer.AvailablePages(), 2);
  ASSERT_NE(printer.GetPage(2), nullptr);
  EXPECT_EQ(TextsOf(*printer.GetPage(2)), (std::vector<std::wstring>{PageText(2), L"devam"}));
}

TEST_F(QRPrinterTest, ThreePageRunPostsEachPageAndEndsFinished) {
  auto* target = AddTarget(form);
  TQRPrinter printer(nullptr);
  printer.NotifyTarget = target;
  RunMetafilePages(printer, 3);
  EXPECT_EQ(printer.PageCount(), 3);
  EXPECT_EQ(printer.AvailablePages(), 3);
  EXPECT_EQ(printer.Status(), mpFinished);
  test_support::Pump();
  EXPECT_EQ(target->Received(QRM_PAGEAVAILABLE), (std::vector<std::pair<WPARAM, LPARAM>>{{1, 0}, {2, 0}, {3, 0}}));

  // Pages come back with what was drawn on them.
  for (int n = 1; n <= 3; ++n) {
    std::unique_ptr<TMetafile> page = printer.GetPage(n);
    ASSERT_NE(page, nullptr) << n;
    EXPECT_EQ(TextsOf(*page), (std::vector<std::wstring>{PageText(n)}));
  }
  EXPECT_EQ(printer.GetPage(0), nullptr);
  EXPECT_EQ(printer.GetPage(4), nullptr);
}

// A preview's run: pages recorded on a worker thread while the GUI thread
// takes each page as its notice arrives.
TEST_F(QRPrinterTest, PagesAnnouncedFromAWorkerCanBeReadAtOnce) {
  auto* target = AddTarget(form);
  TQRPrinter printer(nullptr);
  printer.NotifyTarget = target;
  std::vector<std::wstring> seen;
  target->OnMessage = [&](UINT message, WPARAM page, LPARAM) {
    if (message != QRM_PAGEAVAILABLE || page == 0)
      return;
    std::unique_ptr<TMetafile> metafile = printer.GetPage(static_cast<std::int32_t>(page));
    ASSERT_NE(metafile, nullptr) << page;
    std::vector<std::wstring> texts = TextsOf(*metafile);
    seen.push_back(texts.empty() ? L"" : texts.front());
  };
  constexpr int kPages = 12;
  std::thread run([&] { RunMetafilePages(printer, kPages); });
  // At most a minute: the run takes well under a second.
  for (int i = 0; i < 20000 && (printer.Status() != mpFinished || printer.AvailablePages() < kPages); ++i)
    test_support::Pump();
  run.join();
  test_support::Pump();
  ASSERT_EQ(seen.size(), static_cast<std::size_t>(kPages));
  for (int n = 1; n <= kPages; ++n)
    EXPECT_EQ(seen[n - 1], PageText(n));
}

// A preview window that asks for a page to be shown first holds a run on
// another thread at its next page boundary, until it says a page was shown
// or the run is cancelled; then the run goes on to its end.
TEST_F(QRPrinterTest, HeldRunWaitsAtItsNextPageUntilAPageIsShownOrItIsCancelled) {
  for (bool cancel : {false, true}) {
    TQRPrinter printer(nullptr);
    printer.BeginDoc();
    printer.HoldUntilPageShown();
    std::atomic<int> begun{0};
    std::thread run([&] {
      for (int n = 1; n <= 3; ++n) {
        printer.NewPage();
        ++begun;
      }
      printer.EndDoc();
    });
    for (int i = 0; i < 20000 && begun < 1; ++i)
      Sleep(1);
    // Unheld, the run would have begun its other two pages long before.
    Sleep(100);
    EXPECT_EQ(begun.load(), 1) << cancel;
    EXPECT_EQ(printer.AvailablePages(), 1) << cancel;
    if (cancel)
      printer.Cancel();
    else
      printer.PageShown();
    run.join();
    EXPECT_EQ(begun.load(), 3) << cancel;
    EXPECT_EQ(printer.Status(), mpFinished) << cancel;
    EXPECT_EQ(printer.AvailablePages(), 3) << cancel;
  }
}

TEST_F(QRPrinterTest, CurrentPageStaysWithinTheStoredPages) {
  TQRPrinter printer(nullptr);
  RunMetafilePages(printer, 3);
  printer.SetCurrentPage(2);
  EXPECT_EQ(printer.PageNumber(), 2);
  for (int outside : {0, -1, 4}) {
    printer.SetCurrentPage(outside);
    EXPECT_EQ(printer.PageNumber(), 2) << outside;
  }
}

TEST_F(QRPrinterTest, MetafilePagesHaveThePaperSizeAtScreenResolution) {
  TQRPrinter printer(nullptr);
  printer.BeginDoc();
  EXPECT_EQ(printer.LeftWaste(), 0);
  EXPECT_EQ(printer.TopWaste(), 0);
  const long double screen = ScreenFacts().PixelsPerInch / 254.0L;
  EXPECT_DOUBLE_EQ(static_cast<double>(printer.XFactor()), static_cast<double>(screen));
  EXPECT_DOUBLE_EQ(static_cast<double>(printer.YFactor()), static_cast<double>(screen));
  // 25.4 mm is one inch; halves round to the even neighbour.
  EXPECT_EQ(printer.DeviceX(254), ScreenFacts().PixelsPerInch);
  EXPECT_EQ(printer.DeviceHeight(254 * 3), 3 * ScreenFacts().PixelsPerInch);
  printer.NewPage();
  printer.EndDoc();
  std::unique_ptr<TMetafile> page = printer.GetPage(1);
  ASSERT_NE(page, nullptr);
  // The default paper is A4 portrait: 210 x 297 mm, in hundredths of a mm.
  EXPECT_NEAR(page->MMWidth(), printer.PaperWidth() * 10, 30);
  EXPECT_NEAR(page->MMHeight(), printer.PaperLength() * 10, 30);
  EXPECT_LT(page->MMWidth(), page->MMHeight());
}

TEST_F(QRPrinterTest, SaveWritesOnlyFinishedStores) {
  ScratchFolder folder;
  TQRPrinter printer(nullptr);
  printer.BeginDoc();
  printer.NewPage();
  printer.CurrentCanvas().TextOut(10, 10, ToAnsi(PageText(1)));
  printer.Save(folder.File("busy.qrp"));
  EXPECT_TRUE(ReadFileBytes(folder.File("busy.qrp")).empty());
  printer.NewPage();
  printer.CurrentCanvas().TextOut(10, 10, ToAnsi(PageText(2)));
  printer.Save(folder.File("busy.qrp"));
  EXPECT_TRUE(ReadFileBytes(folder.File("busy.qrp")).empty());
  printer.EndDoc();
  printer.Save(folder.File("done.qrp"));
  TQRPrinter loaded(nullptr);
  loaded.Load(folder.File("done.qrp"));
  EXPECT_EQ(loaded.PageCount(), 2);
  EXPECT_EQ(loaded.AvailablePages(), 2);
  EXPECT_EQ(loaded.Status(), mpFinished);
  EXPECT_TRUE(loaded.Prepared());
  ASSERT_NE(loaded.GetPage(2), nullptr);
  EXPECT_EQ(TextsOf(*loaded.GetPage(2)), (std::vector<std::wstring>{PageText(2)}));
}

// Runs that end without pages, or are broken off, leave a store whose
// counts agree and whose saved file loads again.
struct EndCase {
  const char* Name;
  int Pages;          // pages begun
  bool Abort;         // AbortDoc instead of EndDoc
  bool Exporting;     // the parent report runs into an export filter
  int StoredPages;    // what the store holds afterwards
};

class QRPrinterEndTest : public QRPrinterTest, public testing::WithParamInterface<EndCase> {};

TEST_P(QRPrinterEndTest, CountsAgreeAndTheStoreLoads) {
  const EndCase& c = GetParam();
  TestReport report;
  report.Exporting = c.Exporting;
  auto* target = AddTarget(form);
  TQRPrinter printer(&report);
  printer.NotifyTarget = target;
  printer.BeginDoc();
  for (int n = 1; n <= c.Pages; ++n) {
    printer.NewPage();
    printer.CurrentCanvas().TextOut(10, 10, ToAnsi(PageText(n)));
  }
  if (c.Abort)
    printer.AbortDoc();
  else
    printer.EndDoc();
  EXPECT_EQ(printer.Status(), mpFinished);
  EXPECT_EQ(printer.PageCount(), c.StoredPages);
  EXPECT_EQ(printer.AvailablePages(), printer.PageCount());
  test_support::Pump();
  std::vector<WPARAM> posted = target->WParamsOf(QRM_PAGEAVAILABLE);
  ASSERT_FALSE(posted.empty());
  EXPECT_EQ(posted.back(), static_cast<WPARAM>(c.StoredPages));

  ScratchFolder folder;
  printer.Save(folder.File("store.qrp"));
  TQRPrinter loaded(nullptr);
  loaded.Load(folder.File("store.qrp"));
  EXPECT_EQ(loaded.PageCount(), c.StoredPages);
  for (int n = 1; n <= c.StoredPages; ++n) {
    ASSERT_NE(loaded.GetPage(n), nullptr) << n;
    EXPECT_EQ(TextsOf(*loaded.GetPage(n)), (std::vector<std::wstring>{PageText(n)}));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, QRPrinterEndTest,
                         testing::Values(EndCase{"EmptyRun", 0, false, false, 0},
                                         EndCase{"AbortedBeforeAPage", 0, true, false, 0},
                                         EndCase{"AbortedKeepsTheOpenPage", 2, true, false, 2},
                                         EndCase{"AbortedExportDropsTheOpenPage", 2, true, true, 1}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(QRPrinterTest, FailedLoadLeavesTheShownPages) {
  ScratchFolder folder;
  WriteFileBytes(folder.File("not-a-store.qrp"), FileBytes(400, 'x'));
  TQRPrinter printer(nullptr);
  RunMetafilePages(printer, 2);
  printer.Save(folder.File("good.qrp"));
  FileBytes damaged = ReadFileBytes(folder.File("good.qrp"));
  damaged.resize(damaged.size() - 10);
  WriteFileBytes(folder.File("damaged.qrp"), damaged);

  for (const char* name : {"not-a-store.qrp", "damaged.qrp", "missing.qrp"}) {
    EXPECT_ANY_THROW(printer.Load(folder.File(name))) << name;
    EXPECT_EQ(printer.Status(), mpFinished) << name;
    EXPECT_EQ(printer.PageCount(), 2) << name;
    EXPECT_FALSE(printer.PageStoreLoaded()) << name;
    ASSERT_NE(printer.GetPage(2), nullptr) << name;
    EXPECT_EQ(TextsOf(*printer.GetPage(2)), (std::vector<std::wstring>{PageText(2)})) << name;
  }
}

// Breaking off a run that is no longer open (the object shows a loaded
// store) neither fails nor writes into the user's file.
TEST_F(QRPrinterTest, AbortDocOnALoadedStoreLeavesItAsLoaded) {
  ScratchFolder folder;
  TQRPrinter run(nullptr);
  RunMetafilePages(run, 2);
  run.Save(folder.File("two.qrp"));
  const FileBytes saved = ReadFileBytes(folder.File("two.qrp"));

  TQRPrinter printer(nullptr);
  printer.Load(folder.File("two.qrp"));
  EXPECT_NO_THROW(printer.AbortDoc());
  EXPECT_EQ(printer.Status(), mpFinished);
  EXPECT_EQ(printer.PageCount(), 2);
  EXPECT_EQ(printer.AvailablePages(), 2);
  ASSERT_NE(printer.GetPage(2), nullptr);
  EXPECT_EQ(TextsOf(*printer.GetPage(2)), (std::vector<std::wstring>{PageText(2)}));
  EXPECT_EQ(ReadFileBytes(folder.File("two.qrp")), saved);
}

// A store chosen while the run still draws its pages (the preview offers
// loading during generation) must not pull the open page from under the
// run: the object is not ready, and the run goes on unharmed.
TEST_F(QRPrinterTest, LoadWhileARunIsOpenIsRefused) {
  ScratchFolder folder;
  TQRPrinter other(nullptr);
  RunMetafilePages(other, 1);
  other.Save(folder.File("one.qrp"));

  TQRPrinter printer(nullptr);
  printer.BeginDoc();
  printer.NewPage();
  printer.CurrentCanvas().TextOut(10, 10, ToAnsi(PageText(1)));
  ExpectQRError([&] { printer.Load(folder.File("one.qrp")); }, "QRPrinter not ready");
  EXPECT_EQ(printer.Status(), mpBusy);
  EXPECT_FALSE(printer.Cancelled());
  EXPECT_FALSE(printer.PageStoreLoaded());
  EXPECT_FALSE(printer.Prepared());
  printer.CurrentCanvas().TextOut(10, 40, "devam");
  printer.NewPage();
  printer.CurrentCanvas().TextOut(10, 10, ToAnsi(PageText(2)));
  printer.EndDoc();
  EXPECT_EQ(printer.PageCount(), 2);
  ASSERT_NE(printer.GetPage(1), nullptr);
  EXPECT_EQ(TextsOf(*printer.GetPage(1)), (std::vector<std::wstring>{PageText(1), L"devam"}));
  ASSERT_NE(printer.GetPage(2), nullptr);
  EXPECT_EQ(TextsOf(*printer.GetPage(2)), (std::vector<std::wstring>{PageText(2)}));
}

TEST_F(QRPrinterTest, LoadedFlagBelongsToTheLoadingObject) {
  ScratchFolder folder;
  TQRPrinter run(nullptr);
  RunMetafilePages(run, 1);
  run.Save(folder.File("one.qrp"));
  EXPECT_FALSE(run.PageStoreLoaded());

  TQRPrinter first(nullptr);
  first.Load(folder.File("one.qrp"));
  EXPECT_TRUE(first.PageStoreLoaded());
  // A later object, as a later preview gets, knows nothing of that load.
  TQRPrinter later(nullptr);
  EXPECT_FALSE(later.PageStoreLoaded());
  EXPECT_FALSE(later.Prepared());
}

TEST_F(QRPrinterTest, PrintOfUnpreparedPagesAsksTheReportToPrintAgain) {
  auto* reportControl = AddTarget(form);
  TQRPrinter printer(nullptr);
  RunMetafilePages(printer, 2);
  printer.ReportControl = reportControl;
  printer.Print();
  test_support::Pump();
  EXPECT_EQ(reportControl->Received(QRM_PRINTAGAIN), (std::vector<std::pair<WPARAM, LPARAM>>{{0, 0}}));

  // Prepared pages print as they are; without printers nothing happens.
  reportControl->Messages.clear();
  printer.SetPrepared(true);
  printer.Print();
  test_support::Pump();
  EXPECT_TRUE(reportControl->Received(QRM_PRINTAGAIN).empty());
}

TEST_F(QRPrinterTest, ClosePreviewSendsTheNoticeThenStopsShowing) {
  auto* reportControl = AddTarget(form);
  auto printer = std::make_unique<TQRPrinter>(nullptr);
  int afterPreview = 0;
  printer->AfterPreview = [&](TObject* sender) {
    EXPECT_EQ(sender, printer.get());
    ++afterPreview;
  };
  printer->ReportControl = reportControl;
  printer->SetShowingPreview(true);
  printer->BeginDoc();
  printer->NewPage();
  // Sent, not posted: the report has it before ClosePreview returns.
  printer->ClosePreview();
  EXPECT_EQ(reportControl->Received(QRM_PREVIEWCLOSED),
            (std::vector<std::pair<WPARAM, LPARAM>>{{0, reinterpret_cast<LPARAM>(printer.get())}}));
  EXPECT_FALSE(printer->ShowingPreview());
  EXPECT_TRUE(printer->Cancelled());  // the run still going was cancelled
  EXPECT_EQ(afterPreview, 1);
  printer->SetShowingPreview(false);  // already not shown: no second event
  EXPECT_EQ(afterPreview, 1);

  // A report that frees the printer object while handling the notice.
  printer->SetShowingPreview(true);
  TQRPrinter* freed = printer.get();
  reportControl->OnMessage = [&](UINT message, WPARAM, LPARAM lParam) {
    if (message == QRM_PREVIEWCLOSED && reinterpret_cast<TQRPrinter*>(lParam) == freed)
      printer.reset();
  };
  freed->ClosePreview();
  EXPECT_EQ(printer, nullptr);
}

// The report hears "preview closed" and "print again" also when its window
// was not made yet (a report on a form never shown): the window is made for
// the notice. A report control that cannot have a window hears nothing, and
// closing the preview still ends the showing.
TEST_F(QRPrinterTest, ReportNoticesReachAReportWithoutAWindowYet) {
  auto* reportControl = form.Add<RecordingTarget>(0, 0, 20, 20);
  ASSERT_FALSE(reportControl->HandleAllocated());
  TQRPrinter printer(nullptr);
  printer.ReportControl = reportControl;
  printer.SetShowingPreview(true);
  printer.ClosePreview();
  EXPECT_EQ(reportControl->Received(QRM_PREVIEWCLOSED),
            (std::vector<std::pair<WPARAM, LPARAM>>{{0, reinterpret_cast<LPARAM>(&printer)}}));
  EXPECT_FALSE(printer.ShowingPreview());

  auto* printControl = form.Add<RecordingTarget>(0, 0, 20, 20);
  ASSERT_FALSE(printControl->HandleAllocated());
  RunMetafilePages(printer, 1);
  printer.ReportControl = printControl;
  printer.Print();
  test_support::Pump();
  EXPECT_EQ(printControl->Received(QRM_PRINTAGAIN), (std::vector<std::pair<WPARAM, LPARAM>>{{0, 0}}));

  test_support::Owned<RecordingTarget> loose(new RecordingTarget(nullptr));
  printer.ReportControl = loose.get();
  printer.SetShowingPreview(true);
  EXPECT_NO_THROW(printer.ClosePreview());
  EXPECT_FALSE(printer.ShowingPreview());
  EXPECT_NO_THROW(printer.Print());
  EXPECT_FALSE(loose->HandleAllocated());
  // Nor does a control on such a control.
  auto* onLoose = new RecordingTarget(loose.get());
  onLoose->SetParent(loose.get());
  printer.ReportControl = onLoose;
  printer.SetShowingPreview(true);
  EXPECT_NO_THROW(printer.ClosePreview());
  EXPECT_FALSE(printer.ShowingPreview());
  EXPECT_FALSE(onLoose->HandleAllocated());
}

TEST_F(QRPrinterTest, ShowingPreviewIsStoredEvenWhenTheHandlerFails) {
  TQRPrinter printer(nullptr);
  printer.AfterPreview = [](TObject*) { throw Exception("handler failed"); };
  printer.SetShowingPreview(true);
  EXPECT_THROW(printer.SetShowingPreview(false), Exception);
  EXPECT_FALSE(printer.ShowingPreview());
}

class RecordingPreview : public TQRPreviewInterface {
  DECLARE_CLASS(RecordingPreview, TQRPreviewInterface)

public:
  explicit RecordingPreview(TComponent* AOwner) : TQRPreviewInterface(AOwner) {}
  ~RecordingPreview() override { ++Freed; }
  TCustomForm* Show(TQRPrinter* printer) override {
    Shown.push_back({printer, false});
    return test_support::SharedForm();
  }
  TCustomForm* ShowModal(TQRPrinter* printer) override {
    Shown.push_back({printer, true});
    return nullptr;
  }
  static inline std::vector<std::pair<TQRPrinter*, bool>> Shown;
  static inline int Freed = 0;
};
IMPLEMENT_CLASS(RecordingPreview)

TEST_F(QRPrinterTest, PreviewGoesThroughTheHandlerOrTheRegisteredInterface) {
  TQRPrinter printer(nullptr);
  RunMetafilePages(printer, 1);
  // The base interface shows nothing.
  EXPECT_EQ(QRPreviewInterfaceClass(), TQRPreviewInterface::StaticClass());
  printer.Preview();
  EXPECT_EQ(printer.PreviewForm(), nullptr);

  RegisterPreviewClass(RecordingPreview::StaticClass());
  RecordingPreview::Shown.clear();
  RecordingPreview::Freed = 0;
  printer.Preview();
  printer.PreviewModal();
  EXPECT_EQ(RecordingPreview::Shown,
            (std::vector<std::pair<TQRPrinter*, bool>>{{&printer, false}, {&printer, true}}));
  EXPECT_EQ(RecordingPreview::Freed, 2);  // one interface object per call, freed after it
  EXPECT_EQ(printer.PreviewForm(), nullptr);

  std::vector<TObject*> handled;
  printer.PreviewHandler = [&](TObject* sender) { handled.push_back(sender); };
  printer.Preview();
  printer.PreviewModal();
  EXPECT_EQ(handled, (std::vector<TObject*>{&printer, &printer}));
  EXPECT_EQ(RecordingPreview::Shown.size(), 2u);
  RegisterPreviewClass(TQRPreviewInterface::StaticClass());
}

// A preview control that still shows a printer object hears when it is freed,
// also in the middle of a run, so it never reads a freed object.
TEST_F(QRPrinterTest, TheViewIsToldWhenItsPrinterObjectIsFreed) {
  struct View : RecordingTarget, IQRPrinterView {
    explicit View(TComponent* owner) : RecordingTarget(owner) {}
    void PrinterFreed(TQRPrinter* printer) override { freed.push_back(printer); }
    std::vector<TQRPrinter*> freed;
  };
  auto* view = form.Add<View>(0, 0, 20, 20);
  auto printer = std::make_unique<TQRPrinter>(nullptr);
  TQRPrinter* shown = printer.get();
  printer->NotifyTarget = view;
  printer->BeginDoc();
  printer->NewPage();
  printer.reset();
  EXPECT_EQ(view->freed, (std::vector<TQRPrinter*>{shown}));
}

TEST_F(QRPrinterTest, PageObjectsAreFreedWithTheirPage) {
  struct Counted : TObject {
    explicit Counted(int& count) : count_(count) {}
    ~Counted() override { ++count_; }
    int& count_;
  };
  int freed = 0;
  TQRPrinter printer(nullptr);
  printer.BeginDoc();
  printer.NewPage();
  printer.AddPageObject(new Counted(freed));
  printer.AddPageObject(new Counted(freed));
  EXPECT_EQ(freed, 0);
  printer.NewPage();
  EXPECT_EQ(freed, 2);
  printer.AddPageObject(new Counted(freed));
  printer.EndDoc();
  EXPECT_EQ(freed, 3);
}

TEST_F(QRPrinterTest, PrinterRunWithoutDeviceResolutionFallsBack) {
  // A device that reports no resolution: the document's factors become
  // 0.37795 (96 dpi) instead of nothing.
  NoResolutionDevice device;
  QRPrinterDeviceScope deviceScope(device);
  TQRPrinter printer(nullptr);
  printer.ApplyDestination(qrdPrinter);
  printer.BeginDoc();
  EXPECT_DOUBLE_EQ(static_cast<double>(printer.XFactor()), 0.37795);
  EXPECT_DOUBLE_EQ(static_cast<double>(printer.YFactor()), 0.37795);
  printer.AbortDoc();
  EXPECT_EQ(printer.Status(), mpFinished);
}

// Choosing a printer reads that printer's settings, unless the object prints
// on the program's shared printer.
TEST(QRPrinterIndexTest, SelectsAPrinterOfItsOwnOnly) {
  TFakeSpooler spooler;
  for (const char* name : {"Lazer", "Etiket"}) {
    TFakePrinter fake;
    fake.Name = name;
    fake.Papers = {DMPAPER_A4};
    spooler.AddPrinter(fake);
  }
  spooler.Default = "Lazer";
  SpoolerScope scope(spooler);
  FixedDevice device;
  QRPrinterDeviceScope deviceScope(device);

  TQRPrinter own(nullptr);
  ASSERT_TRUE(own.PrintersAvailable());
  EXPECT_EQ(own.Settings().Device(), "Lazer");
  own.SetPrinterIndex(1);
  EXPECT_EQ(own.DevicePrinter().PrinterIndex(), 1);
  EXPECT_EQ(own.Settings().Device(), "Etiket");

  struct SharedPrinterReport : TestReport {
    bool ParentUseStandardPrinter() const override { return true; }
  } report;
  TQRPrinter shared(&report);
  EXPECT_EQ(&shared.DevicePrinter(), &Printer());
  const int before = Printer().PrinterIndex();
  shared.SetPrinterIndex(before == 0 ? 1 : 0);
  EXPECT_EQ(Printer().PrinterIndex(), before);
}

TEST_F(QRPrinterTest, CompressedRunsStoreAndLoadTheSamePages) {
  ScratchFolder folder;
  TQRPrinter printer(nullptr);
  printer.ApplyCompression(true);
  RunMetafilePages(printer, 2);
  printer.Save(folder.File("coded.qrp"));
  TQRPrinter loaded(nullptr);
  loaded.Load(folder.File("coded.qrp"));
  EXPECT_TRUE(loaded.PageList().Compression());
  ASSERT_NE(loaded.GetPage(2), nullptr);
  EXPECT_EQ(TextsOf(*loaded.GetPage(2)), (std::vector<std::wstring>{PageText(2)}));
}

}  // namespace
