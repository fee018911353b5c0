// The composite's export, reached as the preview's save command reaches it:
// through the export handler of the printer object the composite's preview
// shows. The members run again into a fresh printer object and hand their
// pages to the filter as one document.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/controls/extctrls.h"
#include "classlib/system/exceptions.h"
#include "reportengine/composite/qrcomposite.h"
#include "reportengine/report/qrquickrepbands.h"
#include "tests/reportengine/report/recordingexportfilter.h"
#include "tests/support/formfixture.h"

namespace {

// A report on A4 with 10 mm margins and a 60 mm detail band per record:
// four records fill a page.
struct Member {
  explicit Member(int records) : report(new TQuickRep(nullptr)), records(records) {
    report->SetUnits(MM);
    report->SetShowProgress(false);
    report->Page()->SetPaperSize(TQRPaperSize::A4);
    for (auto margin : {&TQRPage::SetTopMargin, &TQRPage::SetBottomMargin, &TQRPage::SetLeftMargin,
                        &TQRPage::SetRightMargin})
      (report->Page()->*margin)(10);
    report->CreateBand(rbDetail)->Size()->SetHeight(60);
    report->OnNeedData = [this](TObject*, bool& more) {
      more = left > 0;
      if (more)
        --left;
    };
    left = records;
  }
  void Rewind() { left = records; }

  std::unique_ptr<TQuickRep> report;
  int records;
  int left = 0;
};

// The notify target of the export's printer object: hears it freed.
class FreedWatch : public TPanel, public IQRPrinterView {
public:
  using TPanel::TPanel;
  void PrinterFreed(TQRPrinter* printer) override { freed.push_back(printer); }
  std::vector<TQRPrinter*> freed;
};

// A preview that shows nothing but says it does. Once the composite's run
// is done, a timer does what the save command does (the printer object's
// export handler with a filter) and then closes the preview.
class ExportingPreview : public TQRPreviewInterface {
  DECLARE_CLASS(ExportingPreview, TQRPreviewInterface)

public:
  explicit ExportingPreview(TComponent* AOwner) : TQRPreviewInterface(AOwner) {}
  TCustomForm* Show(TQRPrinter* printer) override {
    Showing = printer;
    printer->SetShowingPreview(true);
    SetTimer(nullptr, 0, 20, &Tick);
    return nullptr;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    if (Showing == nullptr) {
      KillTimer(nullptr, timer);
      return;
    }
    if (Composite->Generating() || !Showing->Prepared())
      return;  // the pages are still being made
    KillTimer(nullptr, timer);
    if (BeforeExport)
      BeforeExport();
    Showing->ExportHandler(Filter);
    if (AfterExport)
      AfterExport();
    TQRPrinter* printer = Showing;
    Showing = nullptr;
    printer->ClosePreview();
  }

  static inline TQRPrinter* Showing = nullptr;
  static inline TQRCompositeReport* Composite = nullptr;
  static inline TObject* Filter = nullptr;
  static inline std::function<void()> BeforeExport;
  static inline std::function<void()> AfterExport;
};
IMPLEMENT_CLASS(ExportingPreview)

// Two members of three records each in a composite whose preview exports
// to a recording filter. Events of the export run are logged by name.
class CompositeExport : public ::testing::Test {
protected:
  CompositeExport() {
    composite.OnAddReports = [this](TObject*) {
      composite.AddReport(first.report.get());
      composite.AddReport(second.report.get());
    };
    composite.OnFinished = [this](TObject* sender) { events.push_back("finished " + Name(sender)); };
    for (Member* member : {&first, &second}) {
      member->report->BeforePrint = [this](TCustomQuickRep* sender, bool&) { events.push_back("before " + Name(sender)); };
      member->report->AfterPrint = [this](TObject* sender) { events.push_back("after " + Name(sender)); };
    }
    filter.BandLabel = [this](TQRCustomBand* band) { return Name(band->Parent()); };
    filter.OnStart = [this] {
      exportPrinter = composite.QRPrinter();
      if (exportPrinter != nullptr)
        exportPrinter->NotifyTarget = watch;
    };
  }

  std::string Name(TObject* sender) const {
    if (sender == &composite)
      return "composite";
    return sender == first.report.get() ? "first" : sender == second.report.get() ? "second" : "?";
  }

  // What the composite and its members hold right after the export.
  struct Seen {
    TQRPrinter* composite = nullptr;
    TQRPrinter* first = nullptr;
    TQRPrinter* second = nullptr;
    int shownPages = -1;
    int firstTag = -1;
    int secondTag = -1;
  };

  // Opens the composite's preview; once its pages are made the "user"
  // exports them and closes it.
  void ExportFromPreview() {
    ExportingPreview::Composite = &composite;
    ExportingPreview::Filter = &filter;
    ExportingPreview::BeforeExport = [this] {
      shown = composite.QRPrinter();
      events.clear();
      first.Rewind();
      second.Rewind();
    };
    ExportingPreview::AfterExport = [this] {
      after = {composite.QRPrinter(), first.report->QRPrinter(), second.report->QRPrinter(),
               shown->PageCount(),    first.report->Tag(),       second.report->Tag()};
    };
    RegisterPreviewClass(ExportingPreview::StaticClass());
    composite.Preview();
    RegisterPreviewClass(TQRPreviewInterface::StaticClass());
    ExportingPreview::BeforeExport = nullptr;
    ExportingPreview::AfterExport = nullptr;
  }

  // The preview's printer object is back, with its pages, and every member
  // points at it again; the export's own object was fresh and is gone.
  void ExpectShownPrinterBackAndExportPrinterFreed() {
    ASSERT_NE(shown, nullptr) << "the export ran from the preview";
    EXPECT_EQ(after.composite, shown);
    EXPECT_EQ(after.first, shown);
    EXPECT_EQ(after.second, shown);
    EXPECT_EQ(after.shownPages, 2);
    EXPECT_EQ(after.firstTag, 0);
    EXPECT_EQ(after.secondTag, 0) << "the last member's Tag is its own again";
    ASSERT_NE(exportPrinter, nullptr);
    EXPECT_NE(exportPrinter, shown);
    EXPECT_EQ(watch->freed, std::vector<TQRPrinter*>{exportPrinter});
    // Closing the preview freed its printer object as before.
    EXPECT_EQ(composite.QRPrinter(), nullptr);
    EXPECT_EQ(first.report->QRPrinter(), nullptr);
    EXPECT_FALSE(composite.Generating());
    EXPECT_FALSE(first.report->Exporting());
    EXPECT_FALSE(second.report->Exporting());
  }

  // Prepares the composite's two pages into `prepared`, then rewinds the
  // members for the next run. Call through ASSERT_NO_FATAL_FAILURE.
  void PrepareTwoPages() {
    composite.Prepare();
    prepared = composite.QRPrinter();
    ASSERT_NE(prepared, nullptr);
    ASSERT_EQ(prepared->PageCount(), 2);
    first.Rewind();
    second.Rewind();
  }

  // The composite and both members hold the prepared printer object again,
  // with its pages.
  void ExpectPreparedPrinterBack() {
    EXPECT_EQ(composite.QRPrinter(), prepared);
    EXPECT_EQ(first.report->QRPrinter(), prepared);
    EXPECT_EQ(second.report->QRPrinter(), prepared);
    EXPECT_EQ(prepared->PageCount(), 2);
  }

  test_support::FormFixture form;
  Member first{3}, second{3};
  TQRCompositeReport composite{nullptr};
  std::vector<std::string> events;
  RecordingExportFilter filter;
  FreedWatch* watch = new FreedWatch(form.Host());
  TQRPrinter* exportPrinter = nullptr;
  TQRPrinter* shown = nullptr;
  TQRPrinter* prepared = nullptr;
  Seen after;
};

TEST_F(CompositeExport, TheMembersHandTheirPagesToTheFilterAsOneDocument) {
  ExportFromPreview();

  // The second report continues on the page where the first ended; only the
  // last closes its final page and finishes the filter.
  EXPECT_EQ(filter.log, (std::vector<std::string>{"start 2100x2970", "page", "band first 100", "band first 700",
                                                  "band first 1300", "band second 1900", "end", "page",
                                                  "band second 100", "band second 700", "end", "finish"}));
  EXPECT_EQ(filter.Count("start 2100x2970"), 1);
  EXPECT_EQ(filter.Count("finish"), 1);
  EXPECT_EQ(filter.Count("page"), filter.Count("end"));
  // Each member as RunReports runs it: BeforePrint asked by the composite
  // and by the run, AfterPrint, OnFinished; then once for the composite.
  EXPECT_EQ(events, (std::vector<std::string>{"before first", "before first", "after first", "finished first",
                                              "before second", "before second", "after second", "finished second",
                                              "finished composite"}));
  ExpectShownPrinterBackAndExportPrinterFreed();
}

// Cancelling the export (its printer object's cancel, as a progress form's
// button does) stops the second member at its next record: the second
// member gets no OnFinished, the export's printer object is freed once and
// the preview's pages stay as they were.
TEST_F(CompositeExport, ACancelledExportFreesItsPrinterObjectAndGivesThePreviewsBack) {
  filter.OnNewPage = [this] {
    if (filter.Count("page") == 2 && exportPrinter != nullptr)
      exportPrinter->Cancel();
  };
  ExportFromPreview();

  EXPECT_EQ(filter.Count("band second 100"), 1) << "the record that started page 2 still prints";
  EXPECT_EQ(filter.Count("band second 700"), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"before first", "before first", "after first", "finished first",
                                              "before second", "before second", "after second",
                                              "finished composite"}));
  ExpectShownPrinterBackAndExportPrinterFreed();
}

// An export of a prepared composite, asked directly, and one whose filter
// fails on the second page. The composite exports while it runs the members
// (its printer objects keep no page then) and not afterwards; the prepared
// printer object comes back with its pages, every member points at it
// again, the last member has its own Tag, and the export's own printer
// object is freed once. The failure reaches the caller.
TEST_F(CompositeExport, AnExportOfPreparedPagesPutsThemBackAlsoWhenTheFilterFails) {
  for (bool fails : {false, true}) {
    SCOPED_TRACE(fails ? "the filter fails" : "the export ends");
    RecordingExportFilter run;
    run.OnStart = filter.OnStart;
    std::vector<bool> exportingAtPages;
    run.OnNewPage = [&] {
      exportingAtPages.push_back(composite.ParentExporting());
      if (fails && run.Count("page") == 2)
        throw Exception("Disk dolu");
    };
    first.Rewind();
    second.Rewind();
    ASSERT_NO_FATAL_FAILURE(PrepareTwoPages());
    events.clear();
    exportPrinter = nullptr;
    watch->freed.clear();

    if (fails)
      EXPECT_THROW(composite.ExportHandler(&run), Exception);
    else
      composite.ExportHandler(&run);

    EXPECT_EQ(exportingAtPages, std::vector<bool>(2, true));
    EXPECT_FALSE(composite.ParentExporting());
    EXPECT_FALSE(composite.Generating());
    ExpectPreparedPrinterBack();
    EXPECT_EQ(second.report->Tag(), 0);
    EXPECT_FALSE(second.report->Exporting());
    EXPECT_TRUE(second.report->UsePrinterPages());
    ASSERT_NE(exportPrinter, nullptr);
    EXPECT_NE(exportPrinter, prepared);
    EXPECT_EQ(watch->freed, std::vector<TQRPrinter*>{exportPrinter});
    EXPECT_EQ(run.Count("finish"), fails ? 0 : 1);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), fails ? "before second" : "finished composite");
  }
}

// Print puts the composite's printer object of before back when it is done,
// as the report's Print does: the pages of a Prepare survive a Print.
TEST_F(CompositeExport, PrintPutsThePreparedPrinterObjectBack) {
  ASSERT_NO_FATAL_FAILURE(PrepareTwoPages());

  composite.Print();

  ExpectPreparedPrinterBack();
  EXPECT_FALSE(composite.Generating());
}

// So does the preview, once it is closed; while it shows, the composite and
// its members hold the printer object it shows.
TEST_F(CompositeExport, ThePreviewPutsThePreparedPrinterObjectBackWhenClosed) {
  ASSERT_NO_FATAL_FAILURE(PrepareTwoPages());

  ExportFromPreview();

  ASSERT_NE(shown, nullptr);
  EXPECT_NE(shown, prepared);
  EXPECT_EQ(after.composite, shown);
  EXPECT_EQ(after.first, shown);
  EXPECT_EQ(after.shownPages, 2);
  ExpectPreparedPrinterBack();
}

TEST(CompositeExportTest, WithoutAFilterOrDuringARunNothingRuns) {
  Member first(2);
  TQRCompositeReport composite(nullptr);
  composite.OnAddReports = [&](TObject*) { composite.AddReport(first.report.get()); };
  int finished = 0;
  composite.OnFinished = [&](TObject*) { ++finished; };
  composite.Prepare();
  TQRPrinter* prepared = composite.QRPrinter();
  ASSERT_NE(prepared, nullptr);
  finished = 0;

  TObject notAFilter;
  composite.ExportHandler(&notAFilter);
  composite.ExportHandler(nullptr);
  EXPECT_EQ(finished, 0);
  EXPECT_EQ(composite.QRPrinter(), prepared);

  // An export asked from a member's run (the composite is generating) is
  // refused rather than run inside that run.
  RecordingExportFilter filter;
  first.report->AfterPrint = [&](TObject*) { composite.ExportHandler(&filter); };
  first.Rewind();
  composite.Prepare();
  EXPECT_TRUE(filter.log.empty());
}

}  // namespace
