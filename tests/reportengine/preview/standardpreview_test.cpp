// The standard preview form: its texts, the options a report gives and the
// defaults without one, the status and progress texts, page moves, go to
// page and keys, pages coming in while the run goes on, printing and
// printer set-up through the report, save and load of page stores through
// answered file dialogs, search results, thumbnails, and the preview class
// the printer object shows.
//
// Look at the form: DOZURI_SNAPSHOT_DIR=Z:\tmp\shots writes StandardPreview.bmp.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <thread>
#include <vector>

#include "classlib/forms/application.h"
#include "classlib/forms/hintwindow.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/forms/screen.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/metafile.h"
#include "classlib/graphics/screenfacts.h"
#include "classlib/system/fileutils.h"
#include "reportengine/preview/qrprev.h"
#include "reportengine/preview/qrsearch.h"
#include "reportengine/printer/qrprinter.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"

namespace {

using test_support::Owned;
using test_support::Pump;

// A report as the preview sees it: its preview options, and what it was
// asked to do.
class FakeReport : public TComponent, public IQRPrinterParent, public IQRPreviewReport {
public:
  FakeReport() : TComponent(nullptr) {}

  bool ParentUseStandardPrinter() const override { return false; }
  std::int32_t ParentMemoryLimit() const override { return 250000; }
  bool ParentShowProgress() const override { return false; }
  bool ParentExporting() const override { return false; }
  void ParentAfterPrint() override {}

  TQRPreviewOptions PreviewOptions() const override { return options; }
  void PrintAgain() override { ++printAgain; }
  bool ExecutePrintSetup() override {
    ++setupRuns;
    return setupConfirmed;
  }
  const TQRPrinterSettings& PrintSetupSettings() const override { return chosen; }
  bool UseCustomBinCode() const override { return customBin; }
  void KeepPrintSetup(bool PagesFromStore) override { kept.push_back(PagesFromStore); }

  TQRPreviewOptions options;
  TQRPrinterSettings chosen;
  bool setupConfirmed = true;
  bool customBin = false;
  int printAgain = 0;
  int setupRuns = 0;
  std::vector<bool> kept;
};

// A printer object on A4 (of a report, or of none) with pages drawn at 96
// dpi, each with a black block and, where asked, a line of text; and the
// standard preview showing it.
class PreviewRun {
public:
  explicit PreviewRun(FakeReport* report = nullptr)
      : screen_(TScreenFacts{96, -1, 32}), printer(std::make_unique<TQRPrinter>(report)) {
    printer->Settings().SetPaperSize(TQRPaperSize::A4);
    printer->Settings().SetOrientation(poPortrait);
  }
  ~PreviewRun() {
    if (form != nullptr)
      form->Free();
  }

  void Begin() { printer->BeginDoc(); }
  void DrawPage(int n, const AnsiString& text = "") {
    printer->NewPage();
    TCanvas& canvas = printer->CurrentCanvas();
    canvas.Brush().SetColor(clBlack);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(RECT{printer->DeviceX(300), printer->DeviceY(200 * n), printer->DeviceX(1800),
                         printer->DeviceY(200 * n + 300)});
    if (!text.empty()) {
      canvas.Brush().SetStyle(bsClear);
      canvas.Font().SetName("Arial");
      canvas.Font().SetSize(14);
      canvas.TextOut(printer->DeviceX(300), printer->DeviceY(2400), text);
    }
  }
  void Run(int pages, const std::vector<AnsiString>& texts = {}) {
    Begin();
    for (int n = 1; n <= pages; ++n)
      DrawPage(n, n - 1 < static_cast<int>(texts.size()) ? texts[n - 1] : "");
    printer->EndDoc();
  }
  TQRStandardPreview* Open() {
    form = NewForm<TQRStandardPreview>(Application, printer.get());
    form->QRPreview->HandleNeeded();
    return form;
  }
  AnsiString Panel(int index) const { return form->StatusBar->Panels()->Items(index)->Text(); }

private:
  ScreenFactsScope screen_;

public:
  std::unique_ptr<TQRPrinter> printer;
  TQRStandardPreview* form = nullptr;  // goes before the printer object
};

TEST(StandardPreviewTest, ComponentsAndTextsAsTheFormHasThem) {
  PreviewRun run;
  run.Run(1);
  TQRStandardPreview* form = run.Open();
  EXPECT_EQ(form->Caption(), "Report Preview : ");
  EXPECT_EQ(form->ExitButton->Caption(), "&Close");
  EXPECT_EQ(form->TabThumbs->Caption(), "ThumbNails");
  EXPECT_EQ(form->TabSearchResult->Caption(), "Search Results");
  EXPECT_EQ(form->GroupBox1->Caption(), "Search Text");
  EXPECT_TRUE(form->KeyPreview());
  EXPECT_TRUE(form->ShowHint());
  EXPECT_EQ(form->Position(), poScreenCenter);
  struct Hint {
    TControl* control;
    const char* text;
  };
  for (const Hint& h : {Hint{form->ZoomFit, "Zoom to fit"}, Hint{form->ZoomToWidth, "Zoom to width"},
                        Hint{form->Zoom100, "100% Size"}, Hint{form->FirstPage, "First page"},
                        Hint{form->nextPage, "Next page"}, Hint{form->PreviousPage, "Previous page"},
                        Hint{form->LastPage, "Last page"}, Hint{form->GotoPageButton, "Select a Page"},
                        Hint{form->FindButton, "Search for Text"}, Hint{form->PrintSetup, "Printer setup"},
                        Hint{form->Print, "Print"}, Hint{form->SaveReport, "Save report"},
                        Hint{form->LoadReport, "Load report"}, Hint{form->ExitButton, "Close Preview"}})
    EXPECT_EQ(h.control->Hint(), h.text) << h.control->Name();
  // The tool bar's buttons in their order, spacers between the groups.
  std::vector<AnsiString> names;
  for (int i = 0; i < form->ToolBar1->ButtonCount(); ++i) {
    TToolButton* button = form->ToolBar1->Buttons(i);
    if (button->Style() == tbsSeparator)
      EXPECT_FALSE(button->Enabled());
    else
      names.push_back(button->Name());
  }
  EXPECT_EQ(names, (std::vector<AnsiString>{"ZoomFit", "ZoomToWidth", "Zoom100", "FirstPage", "PreviousPage",
                                            "nextPage", "LastPage", "GotoPageButton", "FindButton", "PrintSetup",
                                            "Print", "SaveReport", "LoadReport"}));
  for (TToolButton* zoom : {form->ZoomFit, form->ZoomToWidth, form->Zoom100}) {
    EXPECT_EQ(zoom->Style(), tbsCheck);
    EXPECT_TRUE(zoom->Grouped());
  }
  ASSERT_EQ(form->StatusBar->Panels()->Count(), 3);
  EXPECT_EQ(form->StatusBar->Panels()->Items(0)->Width(), 40);
  EXPECT_EQ(form->StatusBar->Panels()->Items(0)->Alignment(), taRightJustify);
  EXPECT_EQ(form->StatusBar->Panels()->Items(0)->Text(), "0%");
  EXPECT_EQ(form->StatusBar->Panels()->Items(1)->Width(), 120);
  EXPECT_EQ(form->StatusBar->Panels()->Items(2)->Width(), 50);
  EXPECT_EQ(form->Tabs->Width(), 193);
  EXPECT_EQ(form->Tabs->Align(), alLeft);
  EXPECT_EQ(form->ThumbGrid->ColCount(), 1);
  EXPECT_EQ(form->ThumbGrid->FixedCols(), 0);
  EXPECT_EQ(form->ThumbGrid->FixedRows(), 0);
  EXPECT_TRUE(form->ThumbGrid->Options().Contains(goRowSelect));
  EXPECT_FALSE(form->SearchResultBox->Enabled());
  EXPECT_EQ(form->QRPreview->Align(), alClient);
  EXPECT_EQ(form->QRPreview->QRPrinter(), run.printer.get());
}

TEST(StandardPreviewTest, WithoutAReportTheWindowIsMaximisedAtZoom100WithTabsAndSearch) {
  PreviewRun run;
  run.printer->Title = "Etiketler";
  run.Run(2);
  TQRStandardPreview* form = run.Open();
  EXPECT_EQ(form->WindowState(), wsMaximized);
  EXPECT_EQ(form->QRPreview->Zoom(), 100);
  EXPECT_TRUE(form->Zoom100->Down());
  EXPECT_FALSE(form->ZoomFit->Down());
  EXPECT_TRUE(form->Tabs->Visible());
  EXPECT_TRUE(form->TabThumbs->TabVisible());
  EXPECT_TRUE(form->TabSearchResult->TabVisible());
  EXPECT_TRUE(form->FindButton->Visible());
  EXPECT_EQ(form->Caption(), "Report Preview : Etiketler");
  EXPECT_EQ(form->PreviewTitle(), "Etiketler");
  EXPECT_EQ(form->ThumbGrid->RowCount(), 2);
  // Finished pages print and set up at once.
  EXPECT_TRUE(form->Print->Enabled());
  EXPECT_TRUE(form->PrintSetup->Enabled());
}

struct OptionsCase {
  const char* name;
  bool thumbs, search;
  TQRZoomState zoom;
  int width, height;
  bool tabsShown;
};

class StandardPreviewOptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(StandardPreviewOptionsTest, TakesTheReportsOptions) {
  const OptionsCase c = GetParam();
  FakeReport report;
  report.options.FormStyle = fsStayOnTop;
  report.options.Width = c.width;
  report.options.Height = c.height;
  report.options.InitialState = wsNormal;
  report.options.ShowThumbs = c.thumbs;
  report.options.ShowSearch = c.search;
  report.options.InitialZoom = c.zoom;
  report.options.Zoom = 150;
  report.options.Title = "Raf etiketleri";
  PreviewRun run(&report);
  run.Run(3);
  TQRStandardPreview* form = run.Open();
  EXPECT_EQ(form->FormStyle(), fsStayOnTop);
  EXPECT_EQ(form->WindowState(), wsNormal);
  EXPECT_EQ(form->Width(), c.width > 0 ? c.width : 500);
  EXPECT_EQ(form->Height(), c.height > 0 ? c.height : 500);
  EXPECT_EQ(form->Caption(), "Report Preview : Raf etiketleri");
  EXPECT_EQ(run.printer->Title, "Raf etiketleri");
  EXPECT_EQ(form->Tabs->Visible(), c.tabsShown);
  EXPECT_EQ(form->TabThumbs->TabVisible(), c.thumbs);
  EXPECT_EQ(form->TabSearchResult->TabVisible(), c.search);
  EXPECT_EQ(form->FindButton->Visible(), c.search);
  EXPECT_EQ(form->ZoomFit->Down(), c.zoom == qrZoomToFit);
  EXPECT_EQ(form->ZoomToWidth->Down(), c.zoom == qrZoomToWidth);
  EXPECT_EQ(form->Zoom100->Down(), c.zoom == qrZoomOther);
  EXPECT_EQ(form->QRPreview->ZoomState(), c.zoom);
  if (c.zoom == qrZoomOther) {
    EXPECT_EQ(form->QRPreview->Zoom(), 150);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StandardPreviewOptionsTest,
    ::testing::Values(OptionsCase{"AllShownFit", true, true, qrZoomToFit, 640, 480, true},
                      OptionsCase{"ThumbsOnlyWidth", true, false, qrZoomToWidth, 700, 520, true},
                      OptionsCase{"SearchOnlyReportZoom", false, true, qrZoomOther, 600, 450, true},
                      OptionsCase{"NoneShownSizeFromDefault", false, false, qrZoomToFit, 0, -3, false}),
    [](const ::testing::TestParamInfo<OptionsCase>& info) { return info.param.name; });

TEST(StandardPreviewTest, StatusReadsPageOfCountAndTheTitle) {
  PreviewRun run;
  run.printer->Title = "Deneme";
  run.Run(12);
  TQRStandardPreview* form = run.Open();
  form->GotoPage(3);
  EXPECT_EQ(run.Panel(1), "Page 3 of 12");
  EXPECT_EQ(run.Panel(2), "Deneme");
  EXPECT_EQ(form->ThumbGrid->Row(), 2);
  // Out of range: the page and its status stay.
  for (int page : {0, 13, -1}) {
    form->GotoPage(page);
    EXPECT_EQ(run.Panel(1), "Page 3 of 12") << page;
    EXPECT_EQ(form->ThumbGrid->Row(), 2) << page;
  }
}

TEST(StandardPreviewTest, ProgressShowsStepsOfFiveAndIsEmptiedAtTheEnd) {
  PreviewRun run;
  run.Begin();
  run.Open();
  struct Step {
    int progress;
    const char* shown;
  };
  for (const Step& s : {Step{3, "0%"}, Step{5, "5%"}, Step{7, "5%"}, Step{10, "10%"}, Step{12, "10%"},
                        Step{100, ""}}) {
    // Through the printer object's posted notice, as a running report sends it.
    run.printer->SetProgress(s.progress);
    Pump();
    EXPECT_EQ(run.Panel(0), s.shown) << s.progress;
  }
  run.printer->EndDoc();
}

struct GotoCase {
  const char* answer;  // nullptr: the box is cancelled
  int page;
};

void PrintTo(const GotoCase& c, std::ostream* os) {
  *os << (c.answer != nullptr ? c.answer : "(cancelled)") << " -> page " << c.page;
}

class StandardPreviewGotoTest : public ::testing::TestWithParam<GotoCase> {};

TEST_P(StandardPreviewGotoTest, GoToPageAnswer) {
  const GotoCase c = GetParam();
  PreviewRun run;
  run.Run(12);
  TQRStandardPreview* form = run.Open();
  form->GotoPage(5);
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  if (c.answer != nullptr)
    dialogs.AnswerText(c.answer);
  else
    dialogs.AnswerCancel();
  form->GotoPageButtonClick(form);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::InputQuery);
  EXPECT_EQ(dialogs.Records()[0].Caption, "Select a page from 1 to 12");
  EXPECT_EQ(dialogs.Records()[0].Text, "Enter page number");
  EXPECT_EQ(dialogs.Records()[0].Value, "5");
  EXPECT_EQ(form->QRPreview->PageNumber(), c.page);
  EXPECT_EQ(run.Panel(1), "Page " + std::to_string(c.page) + " of 12");
}

INSTANTIATE_TEST_SUITE_P(Answers, StandardPreviewGotoTest,
                         ::testing::Values(GotoCase{"abc", 1}, GotoCase{"0", 1}, GotoCase{"13", 1},
                                           GotoCase{"-2", 1}, GotoCase{"7", 7}, GotoCase{"12", 12},
                                           GotoCase{nullptr, 5}));

TEST(StandardPreviewTest, PageButtonsAndKeysMoveThroughThePages) {
  PreviewRun run;
  run.Run(6);
  TQRStandardPreview* form = run.Open();
  struct Move {
    const char* what;
    WORD key;
    TShiftState shift;
    int page;
  };
  const Move moves[] = {
      {"Page Down", VK_NEXT, {}, 2},
      {"Ctrl+Page Down", VK_NEXT, {ssCtrl}, 6},
      {"Page Up", VK_PRIOR, {}, 5},
      {"Ctrl+Shift+Page Up is not Ctrl alone", VK_PRIOR, {ssCtrl, ssShift}, 4},
      {"Ctrl+Page Up", VK_PRIOR, {ssCtrl}, 1},
      {"End", VK_END, {}, 6},
      {"Home", VK_HOME, {}, 1},
  };
  for (const Move& m : moves) {
    WORD key = m.key;
    form->FormKeyDown(form, key, m.shift);
    EXPECT_EQ(form->QRPreview->PageNumber(), m.page) << m.what;
    EXPECT_EQ(key, 0) << m.what;
  }
  WORD other = 'A';
  form->FormKeyDown(form, other, {});
  EXPECT_EQ(other, 'A');
  form->NextPageClick(form);
  form->NextPageClick(form);
  EXPECT_EQ(form->QRPreview->PageNumber(), 3);
  form->PrevPageClick(form);
  EXPECT_EQ(form->QRPreview->PageNumber(), 2);
  form->LastPageClick(form);
  EXPECT_EQ(form->QRPreview->PageNumber(), 6);
  form->NextPageClick(form);
  EXPECT_EQ(form->QRPreview->PageNumber(), 6);
  form->FirstPageClick(form);
  EXPECT_EQ(form->QRPreview->PageNumber(), 1);
  EXPECT_EQ(run.Panel(1), "Page 1 of 6");
}

// A page taller than the control: Down scrolls the page until its end,
// then goes on to the next page's top; Up at the top goes back to the end
// of the page before.
TEST(StandardPreviewTest, ArrowKeysScrollWithinThePageThenChangePages) {
  PreviewRun run;
  run.Run(2);
  TQRStandardPreview* form = run.Open();
  form->SetWindowState(wsNormal);
  form->SetBounds(0, 0, 600, 500);
  form->Show();
  form->ZoomTo100Click(form);
  Pump();
  TControlScrollBar* bar = form->QRPreview->VertScrollBar();
  ASSERT_GT(bar->Range(), form->QRPreview->Height());
  WORD down = VK_DOWN;
  form->FormKeyDown(form, down, {});
  EXPECT_EQ(bar->Position(), bar->Increment());
  EXPECT_EQ(form->QRPreview->PageNumber(), 1);
  for (int i = 0; i < 200 && form->QRPreview->PageNumber() == 1; ++i) {
    down = VK_DOWN;
    form->FormKeyDown(form, down, {});
  }
  EXPECT_EQ(form->QRPreview->PageNumber(), 2);
  EXPECT_EQ(bar->Position(), 0);
  WORD up = VK_UP;
  form->FormKeyDown(form, up, {});
  EXPECT_EQ(form->QRPreview->PageNumber(), 1);
  EXPECT_GT(bar->Position(), 0);
  // On the first page Up climbs to its top and stays there: there is no
  // page before it to go to, so the view does not jump to its bottom.
  int lowest = bar->Position();
  for (int i = 0; i < 200 && bar->Position() > 0; ++i) {
    up = VK_UP;
    form->FormKeyDown(form, up, {});
    lowest = std::min(lowest, bar->Position());
    ASSERT_LE(bar->Position(), lowest) << "jumped down at press " << i;
  }
  EXPECT_EQ(bar->Position(), 0);
  up = VK_UP;
  form->FormKeyDown(form, up, {});
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(form->QRPreview->PageNumber(), 1);
  form->Hide();
}

TEST(StandardPreviewTest, PagesArriveWhileTheRunGoesOn) {
  PreviewRun run;
  run.Begin();
  TQRStandardPreview* form = run.Open();
  EXPECT_FALSE(form->Print->Enabled());
  EXPECT_FALSE(form->PrintSetup->Enabled());
  EXPECT_FALSE(form->SaveReport->Enabled());
  run.DrawPage(1);
  run.DrawPage(2);
  run.DrawPage(3);  // pages 1 and 2 are complete now
  Pump();
  EXPECT_EQ(form->ThumbGrid->RowCount(), 3);
  EXPECT_EQ(run.Panel(1), "Page 1 of 3");
  EXPECT_TRUE(form->QRPreview->PreviewImage()->HasPage());
  EXPECT_FALSE(form->Print->Enabled());
  run.printer->EndDoc();
  Pump();
  EXPECT_TRUE(form->Print->Enabled());
  EXPECT_TRUE(form->PrintSetup->Enabled());
  EXPECT_TRUE(form->SaveReport->Enabled());
  form->LastPageClick(form);
  EXPECT_EQ(run.Panel(1), "Page 3 of 3");
}

// The form is made, and the run goes on, before the form is shown (a
// modal preview, or a run on another thread): the notices sent meanwhile
// are not lost, so page 1 shows and the finished pages can be printed.
TEST(StandardPreviewTest, NoticesSentBeforeTheFormIsShownStillArrive) {
  PreviewRun run;
  run.Begin();
  run.form = NewForm<TQRStandardPreview>(Application, run.printer.get());
  TQRStandardPreview* form = run.form;
  run.DrawPage(1);
  run.DrawPage(2);
  run.printer->EndDoc();
  form->ShowPreview();
  Pump();
  EXPECT_TRUE(form->QRPreview->PreviewImage()->HasPage());
  EXPECT_EQ(form->ThumbGrid->RowCount(), 2);
  EXPECT_EQ(run.Panel(1), "Page 1 of 2");
  EXPECT_TRUE(form->Print->Enabled());
  EXPECT_TRUE(form->PrintSetup->Enabled());
  EXPECT_TRUE(form->SaveReport->Enabled());
  form->Hide();
}

// Pumps until the condition holds, at most about a minute.
template <class Condition>
bool PumpUntil(Condition done) {
  for (int i = 0; i < 20000 && !done(); ++i)
    Pump();
  return done();
}

// The tool bar's window draws the buttons, so the mouse over a button is
// over the bar: the button there is the one whose hint shows.
TEST(StandardPreviewTest, AToolButtonShowsItsHintUnderTheMouse) {
  PreviewRun run;
  run.Run(1);
  TQRStandardPreview* form = run.Open();
  form->SetWindowState(wsNormal);
  form->SetBounds(0, 0, 600, 500);
  form->Show();
  Pump();
  const int pause = Application->HintPause();
  Application->SetHintPause(10);
  THintWindow* hint = Application->HintWindow();
  HWND bar = form->ToolBar1->Handle();
  for (TToolButton* button : {form->ZoomFit, form->nextPage, form->FindButton}) {
    RECT r{};
    ASSERT_TRUE(SendMessageW(bar, TB_GETITEMRECT, static_cast<WPARAM>(button->Index()), reinterpret_cast<LPARAM>(&r)));
    POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    POINT screen = at;
    ClientToScreen(bar, &screen);
    // The mouse really goes there: a control the cursor is not over hears it leave.
    SetCursorPos(screen.x, screen.y);
    SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(PumpUntil([&] { return hint->HandleAllocated() && IsWindowVisible(hint->Handle()); }))
        << button->Name();
    EXPECT_EQ(hint->Caption(), button->Hint()) << button->Name();
    Application->CancelHint();
  }
  Application->SetHintPause(pause);
}

// A report's run draws its pages on a worker thread while the form shows
// each page as its notice arrives: the run holds after three pages until the
// form has shown the two complete ones.
TEST(StandardPreviewTest, PagesFromARunOnAWorkerThreadShowAsTheyCome) {
  PreviewRun run;
  run.Begin();
  TQRStandardPreview* form = run.Open();
  std::atomic<bool> goOn{false};
  std::thread worker([&] {
    for (int n = 1; n <= 3; ++n)
      run.DrawPage(n);
    while (!goOn)
      Sleep(1);
    for (int n = 4; n <= 5; ++n)
      run.DrawPage(n);
    run.printer->EndDoc();
  });
  const bool twoShown = PumpUntil([&] { return form->ThumbGrid->RowCount() >= 2 && run.Panel(1) != "Page"; });
  const AnsiString midway = run.Panel(1);
  const int rowsMidway = form->ThumbGrid->RowCount();
  const bool printableMidway = form->Print->Enabled();
  const bool pageShown = form->QRPreview->PreviewImage()->HasPage();
  goOn = true;
  const bool finished = PumpUntil([&] { return run.printer->Status() == mpFinished && form->Print->Enabled(); });
  worker.join();
  Pump();
  EXPECT_TRUE(twoShown);
  // The notice of page 2 counts page 3 when that one had begun by then.
  EXPECT_TRUE(rowsMidway == 2 || rowsMidway == 3) << rowsMidway;
  EXPECT_EQ(midway, "Page 1 of " + std::to_string(rowsMidway));
  EXPECT_FALSE(printableMidway);
  EXPECT_TRUE(pageShown);
  ASSERT_TRUE(finished);
  EXPECT_EQ(form->ThumbGrid->RowCount(), 5);
  EXPECT_EQ(run.Panel(1), "Page 1 of 5");
  EXPECT_TRUE(form->PrintSetup->Enabled());
}

TEST(StandardPreviewTest, OutlineKeyGoesToItsPage) {
  PreviewRun run;
  run.Run(4);
  TQRStandardPreview* form = run.Open();
  TQROutline outline;
  TQROutlineEntry entry;
  entry.Caption = "Toplamlar";
  entry.Key = "toplam";
  entry.PageNumber = 3;
  outline.AddEntry(entry);
  form->OutlineViewChange("toplam");  // no outline given: nothing happens
  EXPECT_EQ(form->QRPreview->PageNumber(), 1);
  form->Outline = &outline;
  form->OutlineViewChange("yok");
  EXPECT_EQ(form->QRPreview->PageNumber(), 1);
  form->OutlineViewChange("toplam");
  EXPECT_EQ(form->QRPreview->PageNumber(), 3);
  EXPECT_EQ(run.Panel(1), "Page 3 of 4");
  form->Outline = nullptr;
}

TEST(StandardPreviewTest, PrintRunsTheReportAgainUnlessThePagesCameFromAPageStore) {
  ScratchFolder folder;
  const AnsiString file = folder.File("etiket.qrp");
  {
    PreviewRun stored;
    stored.Run(2);
    stored.printer->Save(file);
  }
  FakeReport report;
  PreviewRun run(&report);
  run.Run(3);
  TQRStandardPreview* form = run.Open();
  form->PrintClick(form);
  EXPECT_EQ(report.printAgain, 1);

  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerFile(file);
  form->LoadClick(form);
  ASSERT_TRUE(run.printer->PageStoreLoaded());
  // The stored pages print from the printer object; a range past them keeps
  // the test's printers quiet.
  run.printer->SetFirstPage(50);
  form->PrintClick(form);
  EXPECT_EQ(report.printAgain, 1);
  // Another preview of the report is not affected by this one's load.
  PreviewRun next(&report);
  next.Run(1);
  next.Open()->PrintClick(next.form);
  EXPECT_EQ(report.printAgain, 2);
}

TEST(StandardPreviewTest, PrinterSetupCopiesTheConfirmedChoiceToThePrinterObject) {
  FakeReport report;
  report.chosen.SetCollate(1);
  report.chosen.SetColorOption(2);
  report.chosen.SetPrintQuality(-4);
  report.chosen.SetExtendedDuplex(3);
  report.chosen.SetCustomBinCode(260);
  report.chosen.SetFirstPage(2);
  report.chosen.SetLastPage(3);
  report.customBin = true;
  PreviewRun run(&report);
  run.Run(4);
  TQRStandardPreview* form = run.Open();

  report.setupConfirmed = false;
  form->PrintSetupClick(form);
  EXPECT_EQ(report.setupRuns, 1);
  EXPECT_EQ(run.printer->FirstPage(), 0);
  EXPECT_EQ(run.printer->Settings().Collate(), 0);
  EXPECT_TRUE(report.kept.empty());

  report.setupConfirmed = true;
  form->PrintSetupClick(form);
  EXPECT_EQ(report.setupRuns, 2);
  TPrinterSettings& settings = run.printer->Settings();
  EXPECT_EQ(settings.Collate(), 1);
  EXPECT_EQ(settings.ColorOption(), 2);
  EXPECT_EQ(settings.PrintQuality(), -4);
  EXPECT_EQ(settings.ExtendedDuplex(), 3);
  EXPECT_TRUE(settings.UseExtendedDuplex());
  EXPECT_EQ(settings.CustomBinCode(), 260);
  EXPECT_TRUE(settings.UseCustomBinCode());
  EXPECT_EQ(run.printer->FirstPage(), 2);
  EXPECT_EQ(run.printer->LastPage(), 3);
  EXPECT_EQ(report.kept, std::vector<bool>{false});
}

TEST(StandardPreviewTest, SaveThenLoadThroughTheFileDialogsGivesTheSamePages) {
  ScratchFolder folder;
  const AnsiString file = folder.File("sayfalar.qrp");
  PreviewRun saved;
  saved.Run(5);
  TQRStandardPreview* form = saved.Open();
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerFile(folder.File("sayfalar"));  // the default extension is added
  form->SaveClick(form);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  const TDialogRecord& save = dialogs.Records()[0];
  EXPECT_EQ(save.Kind, TDialogKind::SaveFile);
  EXPECT_EQ(save.Caption, "Save report");
  EXPECT_EQ(save.Filter, "Report page file(*.QRP)|*.QRP");
  EXPECT_EQ(save.DefaultExt, "QRP");
  EXPECT_TRUE(save.Options.Contains(ofOverwritePrompt));
  ASSERT_TRUE(FileExists(file));

  PreviewRun loaded;
  loaded.Begin();
  loaded.DrawPage(1);
  loaded.printer->EndDoc();
  TQRStandardPreview* other = loaded.Open();
  dialogs.AnswerFile(file);
  other->LoadClick(other);
  ASSERT_EQ(dialogs.Records().size(), 2u);
  const TDialogRecord& load = dialogs.Records()[1];
  EXPECT_EQ(load.Kind, TDialogKind::OpenFile);
  EXPECT_EQ(load.Caption, "Load report");
  EXPECT_EQ(load.Filter, "Report page file (*.QRP)|*.QRP");
  EXPECT_EQ(loaded.printer->PageCount(), 5);
  EXPECT_EQ(other->ThumbGrid->RowCount(), 5);
  EXPECT_EQ(other->PreviewTitle(), file);
  EXPECT_EQ(loaded.Panel(1), "Page 1 of 5");
  EXPECT_EQ(loaded.Panel(2), file);
  EXPECT_TRUE(other->Print->Enabled());
  EXPECT_TRUE(other->QRPreview->PreviewImage()->HasPage());
  EXPECT_EQ(other->ThumbGrid->Row(), 0);
  other->LastPageClick(other);
  EXPECT_EQ(loaded.Panel(1), "Page 5 of 5");
}

TEST(StandardPreviewTest, LoadingAMissingFileSaysSoAndChangesNothing) {
  ScratchFolder folder;
  PreviewRun run;
  run.printer->Title = "Eski";
  run.Run(2);
  TQRStandardPreview* form = run.Open();
  form->GotoPage(2);
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerFile(folder.File("yok.qrp")).AnswerButton(IDOK);
  form->LoadClick(form);
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_EQ(dialogs.Records()[1].Kind, TDialogKind::MessageBox);
  EXPECT_EQ(dialogs.Records()[1].Text, "File does not exist");
  EXPECT_EQ(run.printer->PageCount(), 2);
  EXPECT_FALSE(run.printer->PageStoreLoaded());
  EXPECT_EQ(form->PreviewTitle(), "Eski");
  EXPECT_EQ(form->QRPreview->PageNumber(), 2);
  // A cancelled dialog asks nothing further.
  dialogs.AnswerCancel();
  form->LoadClick(form);
  EXPECT_EQ(dialogs.Records().size(), 3u);
  EXPECT_EQ(dialogs.Pending(), 0);
}

// A file that is no page store fails to load; the pages shown stay.
TEST(StandardPreviewTest, AFileThatIsNoPageStoreFailsAndThePagesStay) {
  ScratchFolder folder;
  const AnsiString file = folder.File("bozuk.qrp");
  WriteFileBytes(file, FileBytes{'B', 'o', 'z', 'u', 'k', 0, 1, 2, 3, 4, 5, 6, 7, 8});
  PreviewRun run;
  run.printer->Title = "Eski";
  run.Run(3);
  TQRStandardPreview* form = run.Open();
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerFile(file);
  EXPECT_ANY_THROW(form->LoadClick(form));
  EXPECT_EQ(run.printer->PageCount(), 3);
  EXPECT_FALSE(run.printer->PageStoreLoaded());
  EXPECT_EQ(form->PreviewTitle(), "Eski");
  form->LastPageClick(form);
  EXPECT_EQ(run.Panel(1), "Page 3 of 3");
  EXPECT_TRUE(form->QRPreview->PreviewImage()->HasPage());
}

// The search dialog answered with a text and the match-case choice.
void AnswerSearch(TScriptedDialogService& dialogs, const AnsiString& text, bool matchCase) {
  dialogs.OnModalForm = [text, matchCase](TCustomForm& form) {
    auto& search = dynamic_cast<TSearchDlg&>(form);
    search.Edit1->SetText(text);
    search.CheckBox1->SetChecked(matchCase);
    search.SpeedButton2Click(&search);
  };
}

TEST(StandardPreviewTest, SearchListsThePagesWithTheTextAndGoesToThem) {
  PreviewRun run;
  run.Run(4, {"Ara toplam", "", "Genel Toplam", ""});
  TQRStandardPreview* form = run.Open();
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  AnswerSearch(dialogs, "toplam", false);
  form->FindButtonClick(form);
  TStrings* items = form->SearchResultBox->Items();
  ASSERT_EQ(items->Count(), 2);
  EXPECT_EQ(items->Strings(0), "Page 1");
  EXPECT_EQ(items->Strings(1), "Page 3");
  EXPECT_TRUE(form->SearchResultBox->Enabled());
  EXPECT_EQ(form->SearchTextLabel->Caption(), "toplam");
  form->SearchResultBox->SetItemIndex(1);
  form->SearchResultBoxClick(form);
  EXPECT_EQ(form->QRPreview->PageNumber(), 3);
  EXPECT_EQ(run.Panel(1), "Page 3 of 4");

  // With match case only "Toplam" of page 3 is found.
  AnswerSearch(dialogs, "Toplam", true);
  form->FindButtonClick(form);
  ASSERT_EQ(items->Count(), 1);
  EXPECT_EQ(items->Strings(0), "Page 3");
}

TEST(StandardPreviewTest, SearchWithoutAHitLeavesOneDisabledItemThatGoesToPageOne) {
  PreviewRun run;
  run.Run(3, {"Birinci", "İkinci", "Üçüncü"});
  TQRStandardPreview* form = run.Open();
  form->GotoPage(3);
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  AnswerSearch(dialogs, "Dördüncü", false);
  form->FindButtonClick(form);
  ASSERT_EQ(form->SearchResultBox->Items()->Count(), 1);
  EXPECT_EQ(form->SearchResultBox->Items()->Strings(0), "No matching text");
  EXPECT_FALSE(form->SearchResultBox->Enabled());
  form->SearchResultBox->SetItemIndex(0);
  form->SearchResultBoxClick(form);
  EXPECT_EQ(form->QRPreview->PageNumber(), 1);

  // A cancelled search keeps the list as it is.
  dialogs.OnModalForm = [](TCustomForm& f) { dynamic_cast<TSearchDlg&>(f).SpeedButton1Click(&f); };
  form->FindButtonClick(form);
  EXPECT_EQ(form->SearchResultBox->Items()->Strings(0), "No matching text");
}

// The find command with the search dialog in a real modal loop, its text
// typed and Search pressed from a timer while the loop runs: the pages with
// the text are listed.
TEST(StandardPreviewTest, SearchThroughTheRealDialogListsThePages) {
  PreviewRun run;
  run.Run(3, {"", "Genel Toplam", ""});
  TQRStandardPreview* form = run.Open();
  const UINT_PTR press = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    for (int i = 0; i < Screen->FormCount(); ++i) {
      auto* search = dynamic_cast<TSearchDlg*>(Screen->Forms(i));
      if (search == nullptr || !search->FormState().Contains(fsModal))
        continue;
      KillTimer(nullptr, id);
      search->Edit1->SetText("toplam");
      search->SpeedButton2Click(search->SpeedButton2);
      return;
    }
  });
  form->FindButtonClick(form);
  KillTimer(nullptr, press);
  ASSERT_EQ(form->SearchResultBox->Items()->Count(), 1);
  EXPECT_EQ(form->SearchResultBox->Items()->Strings(0), "Page 2");
  EXPECT_TRUE(form->SearchResultBox->Enabled());
}

TEST(StandardPreviewTest, ThumbnailSelectionShowsThatPage) {
  PreviewRun run;
  run.Run(5);
  TQRStandardPreview* form = run.Open();
  bool canSelect = true;
  form->ThumbGridSelectCell(form->ThumbGrid, 0, 3, canSelect);
  EXPECT_TRUE(canSelect);
  EXPECT_EQ(form->QRPreview->PageNumber(), 4);
  EXPECT_EQ(run.Panel(1), "Page 4 of 5");
  // The form's own selection of a thumbnail does not move the page again.
  form->GotoPage(2);
  EXPECT_EQ(form->ThumbGrid->Row(), 1);
  EXPECT_EQ(form->QRPreview->PageNumber(), 2);
}

// Thumbnails of an A4 page: one column 4 pixels narrower than the grid, the
// thumbnail 20 narrower than that, as high as the paper at that width less
// a line of text; turned paper gives flat rows.
TEST(StandardPreviewTest, ThumbnailRowsFollowThePaperAndTheGridWidth) {
  PreviewRun run;
  run.Run(2);
  TQRStandardPreview* form = run.Open();
  form->ThumbGridResize(form->ThumbGrid);
  // The grid fills its tab.
  const int gridWidth = form->ThumbGrid->Width();
  ASSERT_GT(gridWidth, 150);
  const int thumbWidth = gridWidth - 24;
  EXPECT_EQ(form->ThumbGrid->ColWidths(0), gridWidth - 4);
  EXPECT_EQ(form->ThumbWidth(), thumbWidth);
  EXPECT_EQ(form->ThumbLeft(), 10);
  const int portrait = form->ThumbHeight();
  const int upright = static_cast<int>(thumbWidth * 297.0 / 210.0 + 0.5);
  EXPECT_GT(portrait, upright - 30);
  EXPECT_LT(portrait, upright);
  EXPECT_EQ(form->ThumbGrid->DefaultRowHeight(), portrait);
  // A report printing on turned paper.
  FakeReport report;
  report.options.Orientation = poLandscape;
  PreviewRun turned(&report);
  turned.Run(1);
  TQRStandardPreview* flat = turned.Open();
  ASSERT_EQ(flat->ThumbOrientation(), poLandscape);
  flat->ThumbGridResize(flat->ThumbGrid);
  ASSERT_EQ(flat->ThumbWidth(), thumbWidth);
  const int lying = static_cast<int>(thumbWidth * 210.0 / 297.0 + 0.5);
  EXPECT_EQ(portrait - flat->ThumbHeight(), upright - lying);
  EXPECT_LT(flat->ThumbHeight(), lying);
}

// The thumbnail of a page shows the page: its black block lands in the
// grid's cell.
TEST(StandardPreviewTest, ThumbnailCellShowsThePage) {
  PreviewRun run;
  run.Run(1);
  TQRStandardPreview* form = run.Open();
  form->SetWindowState(wsNormal);
  form->SetBounds(0, 0, 700, 560);
  form->Show();
  Pump();
  form->ThumbGridResize(form->ThumbGrid);
  form->ThumbGrid->Repaint();
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(form->ThumbGrid->Width(), form->ThumbGrid->Height());
  form->ThumbGrid->PaintTo(picture.Canvas(), 0, 0);
  const TRect cell = form->ThumbGrid->CellRect(0, 0);
  int black = 0;
  for (int y = cell.top + 10; y < cell.bottom - 10; ++y)
    for (int x = cell.left + form->ThumbLeft(); x < cell.right - 30; ++x)
      black += picture.Canvas().GetPixel(x, y) == clBlack;
  EXPECT_GT(black, 50);
  form->Hide();
}

// While the run still draws the last page, its thumbnail row has no page
// yet: the cell shows an empty white page with its frame, as a place for
// the page to come.
TEST(StandardPreviewTest, ThumbnailOfAPageNotYetStoredShowsAnEmptyFramedPage) {
  PreviewRun run;
  run.Begin();
  run.DrawPage(1);
  run.DrawPage(2);  // still being drawn
  ASSERT_EQ(run.printer->PageCount(), 2);
  ASSERT_EQ(run.printer->GetPage(2), nullptr);
  TQRStandardPreview* form = run.Open();
  form->SetWindowState(wsNormal);
  form->SetBounds(0, 0, 700, 900);
  form->Show();
  Pump();
  form->ThumbGridResize(form->ThumbGrid);
  ASSERT_EQ(form->ThumbGrid->RowCount(), 2);
  form->ThumbGrid->Repaint();
  TBitmap picture;
  picture.SetPixelFormat(pf24bit);
  picture.SetSize(form->ThumbGrid->Width(), form->ThumbGrid->Height());
  form->ThumbGrid->PaintTo(picture.Canvas(), 0, 0);
  const TRect cell = form->ThumbGrid->CellRect(0, 1);
  ASSERT_GT(cell.bottom - cell.top, 60);
  // The frame's left edge runs down the cell (the picture includes the
  // grid's border, so a few pixels either way); inside it the page is white.
  const int frameX = cell.left + form->ThumbLeft();
  auto blackNear = [&](int x, int y) {
    for (int dx = -1; dx <= 4; ++dx)
      if (picture.Canvas().GetPixel(x + dx, y) == clBlack)
        return true;
    return false;
  };
  int frame = 0;
  int white = 0;
  for (int y = cell.top + 20; y < cell.bottom - 20; ++y) {
    frame += blackNear(frameX, y);
    white += picture.Canvas().GetPixel(frameX + 20, y) == clWhite;
  }
  EXPECT_EQ(frame, cell.bottom - cell.top - 40);
  EXPECT_EQ(white, cell.bottom - cell.top - 40);
  form->Hide();
  run.printer->EndDoc();
}

TEST(StandardPreviewTest, ClosingTellsThePrinterObjectAndFreesTheForm) {
  PreviewRun run;
  run.Run(2);
  TQRStandardPreview* form = run.Open();
  form->Show();
  ASSERT_TRUE(run.printer->ShowingPreview());
  run.form = nullptr;  // the form frees itself
  WORD escape = VK_ESCAPE;
  form->FormKeyDown(form, escape, {});
  Pump();
  EXPECT_FALSE(run.printer->ShowingPreview());
  EXPECT_EQ(run.printer->PreviewForm(), nullptr);
}

TEST(StandardPreviewTest, PrinterObjectPreviewShowsTheStandardPreview) {
  RegisterQRStandardPreview();
  PreviewRun run;
  run.Run(3);
  run.printer->Preview();
  auto* form = dynamic_cast<TQRStandardPreview*>(run.printer->PreviewForm());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->QRPrinter(), run.printer.get());
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(form->StatusBar->Panels()->Items(1)->Text(), "Page 1 of 3");
  form->Close();
  Pump();
  EXPECT_EQ(run.printer->PreviewForm(), nullptr);
  EXPECT_FALSE(run.printer->ShowingPreview());

  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  TQRPrinter* shown = nullptr;
  AnsiString status;
  dialogs.OnModalForm = [&](TCustomForm& modal) {
    auto& preview = dynamic_cast<TQRStandardPreview&>(modal);
    shown = preview.QRPrinter();
    status = preview.StatusBar->Panels()->Items(1)->Text();
    modal.Close();
    modal.SetModalResult(mrCancel);
  };
  run.printer->PreviewModal();
  EXPECT_EQ(shown, run.printer.get());
  EXPECT_EQ(status, "Page 1 of 3");
  EXPECT_EQ(run.printer->PreviewForm(), nullptr);
  Pump();
  EXPECT_FALSE(run.printer->ShowingPreview());
}

// Saves the form as DOZURI_SNAPSHOT_DIR\Name.bmp when that is set, through
// the window's own DC (under Wine without a window manager the screen's
// copy leaves the windows out).
void SavePicture(TCustomForm& form, const char* name) {
  const char* folder = std::getenv("DOZURI_SNAPSHOT_DIR");
  RECT r{};
  if (folder == nullptr || !GetWindowRect(form.Handle(), &r))
    return;
  TBitmap shot;
  shot.SetPixelFormat(pf24bit);
  shot.SetSize(r.right - r.left, r.bottom - r.top);
  HDC source = GetWindowDC(form.Handle());
  BitBlt(shot.Canvas().Handle(), 0, 0, shot.Width(), shot.Height(), source, 0, 0, SRCCOPY);
  ReleaseDC(form.Handle(), source);
  shot.SaveToFile(AnsiString(folder) + "\\" + name + ".bmp");
}

// Three pages drawn through the printer object, shown as the program shows
// them: the page at fit zoom, thumbnails, status.
TEST(StandardPreviewTest, ShownWithThreePages) {
  FakeReport report;
  report.options.Width = 800;
  report.options.Height = 600;
  report.options.Title = "Üç sayfa";
  PreviewRun run(&report);
  run.Run(3, {"Sayfa 1", "Sayfa 2", "Sayfa 3"});
  TQRStandardPreview* form = run.Open();
  form->ShowPreview();
  form->GotoPage(2);
  form->ThumbGridResize(form->ThumbGrid);
  Pump();
  form->Repaint();
  Pump();
  EXPECT_EQ(run.Panel(1), "Page 2 of 3");
  EXPECT_EQ(form->ThumbGrid->RowCount(), 3);
  SavePicture(*form, "StandardPreview");
  form->Hide();
}

}  // namespace
