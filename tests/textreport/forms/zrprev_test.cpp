// The text preview: its status, how pages come in while the document is
// built in each mode, styled runs, the whole report's page starts and
// scissors line, keys, search with selection, and Exit while building.
#include <gtest/gtest.h>

#include "classlib/forms/application.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/font.h"
#include "tests/support/formfixture.h"
#include "tests/textreport/output/zrtestreport.h"
#include "textreport/forms/zrprev.h"
#include "textreport/forms/zrsearch.h"
#include "classlib/graphics/bitmap.h"

namespace {

using namespace test_support;
using zr_test::TestReport;

// A report with the fixed-pitch font the preview shows its pages in.
class FontReport : public TestReport {
public:
  FontReport(int width, int height) : TestReport(width, height) {
    font.SetName("Courier New");
    font.SetSize(10);
  }
  TFont* FetchFont() override { return &font; }
  TFont font;
};

struct PreviewRun {
  PreviewRun(int width, int height, TZRPreviewMode mode) : report(width, height) {
    report.options.SetPreviewMode(mode);
    report.title = "Deneme raporu";
    form.reset(NewForm<TZRPreviewForm>(Application, &document));
  }
  // Builds the pages, the form hearing of each as it is done.
  void Build(const std::vector<std::vector<AnsiString>>& pages) { zr_test::Build(document, pages); }
  AnsiString Line(int Index) { return form->Preview->Lines()->Strings(Index); }
  AnsiString Selected() { return form->Preview->SelText(); }

  FontReport report;
  TZRPrinter document{&report};
  Owned<TZRPreviewForm> form;  // goes before the document
};

// Saves the form as DOZURI_SNAPSHOT_DIR\Name.bmp when that is set. The copy
// goes through the window's own DC: under Wine without a window manager the
// screen's copy leaves the windows out.
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

void Press(TZRPreviewForm& form, WORD key, TShiftState shift = {}) { form.PreviewKeyDown(&form, key, shift); }

std::vector<std::vector<AnsiString>> NumberedPages(int count) {
  std::vector<std::vector<AnsiString>> pages;
  for (int i = 1; i <= count; ++i)
    pages.push_back({"Sayfa " + std::to_string(i)});
  return pages;
}

// The texts and hints of the string table, the hidden Load button, the
// box that shows the pages, and the wait cursor over it while a build is
// under way.
TEST(ZRPreviewFormTest, ShowsTheEngineTextsHintsAndTools) {
  PreviewRun run(20, 2, zpmSinglePage);
  TZRPreviewForm& form = *run.form;
  EXPECT_EQ(form.Status->Caption(), "Processing..");
  EXPECT_EQ(form.Exit->Caption(), "E&xit");
  EXPECT_EQ(form.Print->Caption(), "Print");
  EXPECT_EQ(form.Search->Caption(), "Search");
  const struct {
    TControl* button;
    const char* hint;
  } hints[] = {
      {form.FirstPage, "First page"},
      {form.PrevPage, "Previous page"},
      {form.NextPage, "Next page"},
      {form.LastPage, "Last page"},
      {form.PageNo, "Go to page by number"},
      {form.Setup, "Printer setup"},
      {form.Save, "Save report - Ctrl+S"},
      {form.Load, "Load report"},
      {form.Print, "Print report - Ctrl+P"},
      {form.Search, "Search - F7,\nContinue - Shift+F7"},
  };
  for (const auto& h : hints)
    EXPECT_EQ(h.button->Hint(), h.hint) << h.button->Name();
  EXPECT_TRUE(form.ShowHint());
  EXPECT_TRUE(form.KeyPreview());
  EXPECT_FALSE(form.Load->Visible());
  EXPECT_FALSE(form.Load->Enabled());
  EXPECT_EQ(form.Print->Width(), 75);
  EXPECT_EQ(form.Search->Width(), 75);
  EXPECT_EQ(form.Exit->Kind(), bkCancel);
  EXPECT_TRUE(form.Exit->Cancel());
  EXPECT_EQ(form.WindowState(), wsMaximized);
  // The box shows the pages in the report's font, with no style of its own.
  EXPECT_EQ(form.Preview->DefAttributes()->Name(), "Courier New");
  EXPECT_EQ(form.Preview->DefAttributes()->Size(), 10);
  EXPECT_TRUE(form.Preview->DefAttributes()->Style().Empty());
  EXPECT_TRUE(form.Preview->ReadOnly());
  EXPECT_FALSE(form.Preview->WordWrap());
  EXPECT_FALSE(form.Preview->HideSelection());
  EXPECT_EQ(form.Preview->Lines()->Count(), 0);
  for (int percent : {40, 100}) {
    run.document.SetProgress(percent);
    EXPECT_EQ(form.Preview->Cursor(), percent == 40 ? crAppStart : crDefault) << percent;
  }
}

// The page number button shows a sheet with three lines of text on it and
// a red mark; the lines stand out from the sheet.
TEST(ZRPreviewFormTest, ThePageNumberButtonShowsASheetWithLines) {
  PreviewRun run(20, 2, zpmSinglePage);
  TBitmap* glyph = run.form->PageNo->Glyph();
  ASSERT_NE(glyph, nullptr);
  TCanvas& canvas = glyph->Canvas();
  for (int y : {4, 7, 10})
    for (int x : {4, 8, 11})
      EXPECT_EQ(canvas.GetPixel(x, y), clBlack) << x << ", " << y;
  for (int y : {3, 5, 8})
    EXPECT_EQ(canvas.GetPixel(6, y), clWhite) << y;
  EXPECT_EQ(canvas.GetPixel(10, 12), clRed);
}

TEST(ZRPreviewFormTest, StatusReadsBlankPageOfCount) {
  PreviewRun run(20, 2, zpmSinglePage);
  run.Build(NumberedPages(10));
  run.form->GoToPage(3);
  EXPECT_EQ(run.form->Status->Caption(), " 3 of 10");
  EXPECT_EQ(run.Line(0), "Sayfa 3");
  // Out of range and the page shown do nothing.
  for (int page : {0, 11, 3}) {
    run.form->GoToPage(page);
    EXPECT_EQ(run.form->PageNumber(), 3) << page;
  }
  EXPECT_EQ(run.form->Caption(), "Deneme raporu");
}

// A page shown alone is drawn once it is complete; a later page only
// changes the count in the status.
TEST(ZRPreviewFormTest, SinglePageModeDrawsTheCurrentPageAndCountsTheRest) {
  PreviewRun run(20, 2, zpmSinglePage);
  run.document.BeginDoc();
  run.document.NewPage();
  run.document.WriteText(0, 0, "Birinci");
  EXPECT_EQ(run.form->Preview->Lines()->Count(), 0);
  run.document.NewPage();  // page 1 is done
  EXPECT_EQ(run.Line(0), "Birinci");
  run.document.WriteText(0, 0, "Ikinci");
  run.document.NewPage();  // page 2 is done
  EXPECT_EQ(run.Line(0), "Birinci");
  EXPECT_EQ(run.form->Status->Caption(), " 1 of 2");
  EXPECT_EQ(run.form->KnownPages(), 2);
  run.document.EndDoc();
  run.form->NextPageClick(nullptr);
  EXPECT_EQ(run.Line(0), "Ikinci");
  EXPECT_EQ(run.form->Status->Caption(), " 2 of 3");
}

TEST(ZRPreviewFormTest, StyleCodesShowAsStyledRuns) {
  PreviewRun run(40, 2, zpmSinglePage);
  run.Build({{"\\BBold\\b normal \\I\\Uboth\\u\\i"}});
  ASSERT_EQ(run.Line(0), "Bold normal both");
  const struct {
    int start, length;
    TFontStyles styles;
  } runs[] = {{0, 4, {fsBold}}, {4, 8, {}}, {12, 4, {fsItalic, fsUnderline}}};
  for (const auto& r : runs) {
    run.form->Preview->SetSelStart(r.start);
    run.form->Preview->SetSelLength(r.length);
    EXPECT_EQ(run.form->Preview->SelAttributes()->Style(), r.styles) << r.start;
  }
}

// Every page is appended as it comes, with the scissors line after it on
// folio paper (one line, no empty line after it); a page starts where its
// first line starts in the box, and moving the caret there makes it the
// current page.
TEST(ZRPreviewFormTest, WholeReportAppendsPagesWithTheScissorsLine) {
  PreviewRun run(12, 2, zpmWholeReport);
  run.Build({{"bir", "iki"}, {"\\Büç\\b", "dört"}, {"beş"}});
  TRichEdit& box = *run.form->Preview;
  const AnsiString scissors = ":< - - - - -";
  const std::vector<AnsiString> expected = {"bir", "iki", scissors, "uc", "dort", scissors, "bes", "", scissors};
  ASSERT_EQ(box.Lines()->Count(), static_cast<int>(expected.size()));
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(run.Line(static_cast<int>(i)), expected[i]) << i;
  EXPECT_EQ(run.form->PageStarts(), (std::vector<int>{box.LineIndex(0), box.LineIndex(3), box.LineIndex(6)}));
  box.SetSelStart(box.LineIndex(4) + 1);
  EXPECT_EQ(run.form->PageNumber(), 2);
  EXPECT_EQ(run.form->Status->Caption(), " 2 of 3");
  run.form->LastPageClick(nullptr);
  EXPECT_EQ(box.SelStart(), box.LineIndex(6));
  EXPECT_EQ(run.form->PageNumber(), 3);
  // Without scissors, pages follow each other directly.
  PreviewRun plain(12, 1, zpmWholeReport);
  plain.report.options.SetScissors(false);
  plain.Build({{"a"}, {"b"}});
  EXPECT_EQ(plain.form->Preview->Lines()->Count(), 2);
  EXPECT_EQ(plain.Line(1), "b");
}

TEST(ZRPreviewFormTest, KeysTurnPagesInSinglePageMode) {
  PreviewRun run(20, 2, zpmSinglePage);
  run.Build(NumberedPages(4));
  TRichEdit& box = *run.form->Preview;
  Press(*run.form, VK_UP);  // page 1, caret at the start
  EXPECT_EQ(run.form->PageNumber(), 1);
  const struct {
    WORD key;
    TShiftState shift;
    int page;
  } steps[] = {
      {VK_NEXT, {}, 2}, {VK_NEXT, {ssCtrl}, 4}, {VK_PRIOR, {}, 3},
      {VK_PRIOR, {ssShift}, 3}, {VK_PRIOR, {ssCtrl}, 1}, {VK_NEXT, {ssAlt}, 1},
  };
  for (const auto& s : steps) {
    Press(*run.form, s.key, s.shift);
    EXPECT_EQ(run.form->PageNumber(), s.page) << s.key;
  }
  Press(*run.form, VK_DOWN);  // the caret is not at the end yet
  EXPECT_EQ(run.form->PageNumber(), 1);
  box.SetSelStart(box.GetTextLen());
  WORD key = VK_DOWN;
  run.form->PreviewKeyDown(run.form.get(), key, {});
  EXPECT_EQ(run.form->PageNumber(), 2);
  EXPECT_EQ(key, 0);  // acted on, so consumed
  box.SetSelStart(0);
  Press(*run.form, VK_UP);
  EXPECT_EQ(run.form->PageNumber(), 1);
  EXPECT_EQ(box.SelStart(), box.GetTextLen());
  // In the whole report the box keeps these keys.
  PreviewRun whole(20, 2, zpmWholeReport);
  whole.Build(NumberedPages(2));
  key = VK_NEXT;
  whole.form->PreviewKeyDown(whole.form.get(), key, {});
  EXPECT_EQ(key, VK_NEXT);
}

// The search form is answered by setting its boxes and pressing a button.
void AnswerSearch(TScriptedDialogService& dialogs, TZRPreviewForm& form, const AnsiString& text,
                  bool fromCurrent = false) {
  dialogs.OnModalForm = [&form, text, fromCurrent](TCustomForm& shown) {
    auto& search = dynamic_cast<TfmSearch&>(shown);
    search.edSearchStr->SetText(text);
    search.cbUseCase->SetChecked(false);
    search.cbFromCurrent->SetChecked(fromCurrent);
    search.btFind->Click();
  };
}

// Turkish text typed as Turkish finds the page's transliterated text, and
// the selection covers exactly the letters found, also after lines whose
// codes make them longer than they show, and in either mode.
TEST(ZRPreviewFormTest, SearchSelectsTheTextFoundOnAPageWithBoldRuns) {
  for (TZRPreviewMode mode : {zpmSinglePage, zpmWholeReport}) {
    PreviewRun run(30, 4, mode);
    run.Build({{"ilk sayfa"},
               {"\\BKal\\bin \\Bsatir\\b", "\\B\\I\\U\\b\\i\\u", "  \\BŞİŞLİ\\b ve Şişli", "son \\Bşişli\\b"}});
    TScriptedDialogService dialogs;
    TDialogServiceScope scope(dialogs);
    AnswerSearch(dialogs, *run.form, "şİşli");
    TRichEdit& box = *run.form->Preview;
    const int pageLine = mode == zpmWholeReport ? 5 : 0;  // page 1 (four lines) and its scissors line come first
    const struct {
      TShiftState shift;
      int line, column;
      const char* text;
    } hits[] = {{{}, 2, 2, "SISLI"}, {{ssShift}, 2, 11, "Sisli"}, {{ssShift}, 3, 4, "sisli"}};
    for (const auto& hit : hits) {
      Press(*run.form, VK_F7, hit.shift);
      EXPECT_EQ(run.form->PageNumber(), 2) << mode;
      EXPECT_EQ(box.SelStart(), box.LineIndex(pageLine + hit.line) + hit.column) << mode << " " << hit.text;
      EXPECT_EQ(run.Selected(), hit.text) << mode;
    }
    EXPECT_EQ(dialogs.Records().size(), 1u);
    // Nothing more: the message, and the selection stays.
    dialogs.AnswerButton(mrOk);
    Press(*run.form, VK_F7, {ssShift});
    ASSERT_EQ(dialogs.Records().size(), 2u);
    EXPECT_EQ(dialogs.Records()[1].Text, "Search string '\xFE\xDD\xFEli' not found");
    EXPECT_EQ(run.Selected(), "sisli");
  }
}

// F7 and Ctrl+F ask for the text; Shift+F7 continues the last search
// without asking; F7 with Ctrl or Alt is left alone.
TEST(ZRPreviewFormTest, KeysThatSearchAskOrContinue) {
  PreviewRun run(30, 2, zpmSinglePage);
  run.Build({{"abc abc abc abc"}});
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  AnswerSearch(dialogs, *run.form, "abc");
  const struct {
    WORD key;
    TShiftState shift;
    size_t asked;  // search forms shown so far
    int selStart;
    bool consumed;
  } steps[] = {
      {VK_F7, {}, 1, 0, true},         {VK_F7, {ssShift}, 1, 4, true},
      {'F', {ssCtrl}, 2, 0, true},     {VK_F7, {ssShift}, 2, 4, true},
      {VK_F7, {ssCtrl}, 2, 4, false},  {VK_F7, {ssAlt, ssShift}, 2, 4, false},
  };
  for (const auto& s : steps) {
    WORD key = s.key;
    run.form->PreviewKeyDown(run.form.get(), key, s.shift);
    EXPECT_EQ(dialogs.Records().size(), s.asked) << s.key;
    EXPECT_EQ(run.form->Preview->SelStart(), s.selStart) << s.key;
    EXPECT_EQ(key == 0, s.consumed) << s.key;
  }
}

// From the current position, a search starts past the selection.
TEST(ZRPreviewFormTest, SearchFromTheCurrentPositionGoesPastTheSelection) {
  PreviewRun run(30, 2, zpmWholeReport);
  run.Build({{"x"}, {"abc \\Babc\\b", "abc"}});
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  TRichEdit& box = *run.form->Preview;
  AnswerSearch(dialogs, *run.form, "ABC");
  run.form->SearchClick(nullptr);
  EXPECT_EQ(box.SelStart(), box.LineIndex(3));  // page 1 (two lines) and its scissors line come first
  AnswerSearch(dialogs, *run.form, "ABC", true);
  for (int expected : {box.LineIndex(3) + 4, box.LineIndex(4)}) {
    run.form->SearchClick(nullptr);
    EXPECT_EQ(box.SelStart(), expected);
    EXPECT_EQ(run.Selected(), "abc");
  }
}

// Exit while the document is still built cancels it, which closes the
// form; the form leaves the document at once.
TEST(ZRPreviewFormTest, ExitWhileBuildingCancelsTheDocument) {
  FontReport report(10, 1);
  TZRPrinter document(&report);
  TZRPreviewForm* form = NewForm<TZRPreviewForm>(Application, &document);
  EXPECT_EQ(document.PreviewForm(), form);
  document.BeginDoc();
  document.NewPage();
  form->ExitClick(nullptr);
  EXPECT_TRUE(document.IsCancelled());
  EXPECT_EQ(document.PreviewForm(), nullptr);
  EXPECT_EQ(form->Document(), nullptr);
  Pump();  // the form frees itself
  // Once built, Exit only closes the form.
  FontReport built(10, 1);
  TZRPrinter done(&built);
  form = NewForm<TZRPreviewForm>(Application, &done);
  zr_test::Build(done, {{"a"}});
  form->ExitClick(nullptr);
  EXPECT_EQ(done.State(), TZRDocumentState::Done);
  EXPECT_EQ(done.PreviewForm(), nullptr);
  Pump();
}

TEST(ZRPreviewFormTest, ProgressShowsTheBarOnlyWhileUnderWay) {
  PreviewRun run(10, 1, zpmSinglePage);
  for (int percent : {0, 40, 100}) {
    run.form->DocumentNotice(ZRNoticeProgress, percent);
    EXPECT_EQ(run.form->ProgressBar->Position(), percent);
    EXPECT_EQ(run.form->ProgressBar->Visible(), percent == 40) << percent;
  }
}

// The last progress a report sends comes before its last record; the end
// of the build takes the bar and the wait cursor away.
TEST(ZRPreviewFormTest, TheBarAndTheWaitCursorGoWhenTheBuildEnds) {
  PreviewRun run(10, 1, zpmSinglePage);
  run.document.BeginDoc();
  run.document.NewPage();
  run.document.SetProgress(66);
  ASSERT_TRUE(run.form->ProgressBar->Visible());
  run.document.EndDoc();
  EXPECT_EQ(run.form->ProgressBar->Position(), 100);
  EXPECT_FALSE(run.form->ProgressBar->Visible());
  EXPECT_EQ(run.form->Preview->Cursor(), crDefault);
}

// While the pages are still being built, Print and Save are greyed and
// their keys do nothing: the document cannot be output before its last
// page. Once the build is done and the preview shown, they work again.
TEST(ZRPreviewFormTest, PrintAndSaveWaitForTheBuild) {
  PreviewRun run(20, 1, zpmSinglePage);
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  const auto installed = TZRPrinter::SetupForm;
  int setups = 0;
  TZRPrinter::SetupForm = [&](TPrintDialog&, TZRSetupFormValues&) {
    ++setups;
    return false;
  };
  run.document.BeginDoc();
  run.document.NewPage();
  run.document.NewPage();  // page 1 is done
  EXPECT_FALSE(run.form->Print->Enabled());
  EXPECT_FALSE(run.form->Save->Enabled());
  Press(*run.form, 'P', {ssCtrl});
  Press(*run.form, 'S', {ssCtrl});
  Press(*run.form, VK_F2);
  run.form->PrintClick(nullptr);
  run.form->SaveClick(nullptr);
  EXPECT_EQ(setups, 0);
  EXPECT_TRUE(dialogs.Records().empty());
  run.document.EndDoc();
  run.document.ShowAfterBuild();
  EXPECT_TRUE(run.form->Print->Enabled());
  EXPECT_TRUE(run.form->Save->Enabled());
  Press(*run.form, 'P', {ssCtrl});
  EXPECT_EQ(setups, 1);
  TZRPrinter::SetupForm = installed;
}

TEST(ZRPreviewFormTest, PageNumberTypedGoesThereAndAWrongOneDoesNothing) {
  PreviewRun run(20, 1, zpmSinglePage);
  run.Build(NumberedPages(5));
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  dialogs.AnswerText("4").AnswerText("dört").AnswerText("9");
  for (int expected : {4, 4, 4}) {
    run.form->PageNoClick(nullptr);
    EXPECT_EQ(run.form->PageNumber(), expected);
  }
  EXPECT_EQ(dialogs.Records()[0].Caption, "Go to page");
  EXPECT_EQ(dialogs.Records()[0].Value, "1");
}

TEST(ZRPreviewFormTest, SaveWritesTheDocumentUnderTheNameChosen) {
  PreviewRun run(20, 1, zpmSinglePage);
  run.Build({{"kayit"}});
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const AnsiString name = AnsiString(folder) + "zrprev_save.txt";
  DeleteFileA(name.c_str());
  run.report.options.SetFileName("C:\\rapor.txt");
  dialogs.AnswerFile(name);
  Press(*run.form, 'S', {ssCtrl});
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Filter, "Text files (*.txt)|*.txt|All files (*.*)|*.*");
  EXPECT_TRUE(dialogs.Records()[0].Options.Contains(ofOverwritePrompt));
  EXPECT_TRUE(dialogs.Records()[0].Options.Contains(ofPathMustExist));
  EXPECT_EQ(dialogs.Records()[0].Value, "C:\\rapor.txt");  // the report's file name to start from
  EXPECT_NE(GetFileAttributesA(name.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileA(name.c_str());
}

// Both modes on the screen, saved as pictures to look at when asked for.
TEST(ZRPreviewFormTest, ShowsOnTheScreenInBothModes) {
  for (TZRPreviewMode mode : {zpmSinglePage, zpmWholeReport}) {
    PreviewRun run(40, 5, mode);
    run.Build({{"         \\BSATIS RAPORU\\b", "", "Urun      \\UAdet\\u  \\IFiyat\\i", "Kalem        12   3,50"},
               {"Defter        4  12,00", "", "\\BToplam\\b          15,50"}});
    run.form->Show();
    SetForegroundWindow(run.form->Handle());
    RedrawWindow(run.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 10; ++i) {
      Pump();
      Sleep(20);
    }
    EXPECT_TRUE(run.form->Showing());
    SavePicture(*run.form, mode == zpmSinglePage ? "preview-single" : "preview-whole");
  }
}

}  // namespace
