// The text document: its states and their errors, writing into pages,
// byte-exact output for sheet, folio and continuous paper with two printer
// models and copies, the file name check, the forms' notices and search.
#include <gtest/gtest.h>

#include "classlib/classes/component.h"
#include "classlib/classes/streams.h"
#include "classlib/system/codepage.h"
#include "textreport/core/zrconst.h"
#include "textreport/output/zrprntr.h"
#include "tests/support/componenttext.h"
#include "tests/support/scratchfolder.h"
#include "zrtestreport.h"

namespace {

using namespace zr_test;
using namespace test_support;

std::string Bytes(TZRPrinter& document) {
  TMemoryStream stream;
  document.WriteToStream(stream);
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

TEST(ZRPrinter, StatesAndTheirErrors) {
  TestReport report(20, 10);
  TZRPrinter document(&report);
  EXPECT_EQ(report.printer, &document);
  EXPECT_EQ(ErrorOf([&] { document.NewPage(); }), "New document not started");
  document.BeginDoc();
  EXPECT_EQ(ErrorOf([&] { document.BeginDoc(); }), "Not ready to start new document");
  // Before the first page there is no line to write; the error names the line.
  EXPECT_EQ(ErrorOf([&] { document.WriteText(0, 3, "x"); }), "Out of page bounds, page -1/0, line 3");
  document.NewPage();
  EXPECT_EQ(ErrorOf([&] { document.WriteText(0, 10, "x"); }), "Out of page bounds, page 0/0, line 10");
  EXPECT_EQ(ErrorOf([&] { document.SetLine(-1, "x"); }), "Out of page bounds, page 0/0, line -1");
  EXPECT_EQ(ErrorOf([&] { document.SaveToFile("a.txt"); }), "Report generating cancelled");
  document.EndDoc();
  EXPECT_EQ(document.State(), TZRDocumentState::Done);
  report.options.SetPageFrom(2);
  report.options.SetPageTo(1);
  EXPECT_EQ(ErrorOf([&] { Bytes(document); }), "Invalid page range: 2..1");
  EXPECT_EQ(ErrorOf([&] { document.SaveToFile("a;b.txt"); }), "Invalid file name: a;b.txt");
  for (const char* bad : {"", "a,b", "a=b", "a+b", "a<b", "a>b", "a\"b", "a[b", "a]b", "a|b"})
    EXPECT_NE(ErrorOf([&] { document.SaveToFile(bad); }).find("Invalid file name"), std::string::npos) << bad;
}

TEST(ZRPrinter, EveryFinishedBuildOutputsTheWholeDocument) {
  TestReport report(20, 2);
  report.options.SetPageFrom(5);
  report.options.SetPageTo(7);
  TZRPrinter document(&report);
  Build(document, {{"a"}, {"b"}, {"c"}});
  EXPECT_EQ(report.options.PageFrom(), 1);
  EXPECT_EQ(report.options.PageTo(), 3);
}

TEST(ZRPrinter, WriteTextTransliteratesCutsAndOverlays) {
  TestReport report(10, 3);
  TZRPrinter document(&report);
  document.BeginDoc();
  document.NewPage();
  document.WriteText(0, 0, "\xDE\xDD\xDE\x4C\xDD");
  EXPECT_EQ(document.GetLine(0), "SISLI");
  document.WriteText(0, 1, "\xC7\xD0\xD6\xDC\xDD\xDE\xE7\xF0\xF6\xFC\xFD\xFE");
  EXPECT_EQ(document.GetLine(1), "CGOUIScgou");  // cut at the page width
  document.WriteText(2, 0, "xy");
  EXPECT_EQ(document.GetLine(0), "SIxyI");
  // Left of the page and past its width nothing is written, and the line
  // is not padded for it.
  document.WriteText(-2, 1, "xyz");
  EXPECT_EQ(document.GetLine(1), "zGOUIScgou");
  document.WriteText(-5, 1, "xyz");
  document.WriteText(10, 1, "xyz");
  EXPECT_EQ(document.GetLine(1), "zGOUIScgou");
  // An empty value inside the page still fills the line up to its column,
  // as any overlay does; at or past the width the line stays as it is.
  document.WriteText(8, 0, "");
  EXPECT_EQ(document.GetLine(0), "SIxyI   ");
  document.WriteText(10, 0, "");
  document.WriteText(12, 0, "");
  EXPECT_EQ(document.GetLine(0), "SIxyI   ");
  document.WriteText(7, 2, "12345");
  EXPECT_EQ(document.GetLine(2), "       123");
  // Escape codes take no column.
  document.WriteText(0, 2, "\\BAB\\b");
  EXPECT_EQ(document.GetLine(2), "\\BAB\\b     123");
}

struct OutputCase {
  const char* name;
  TZRPaperType paper;
  TZREscapeModel model;
  std::string copy;  // the bytes of one copy
};

// Two pages of a 10 x 3 document: "AB", "", "CD" and "EF", "", "". The last
// page ends in blank lines, so it is not separated; the first always is.
TEST(ZRPrinter, OutputBytesForEachPaperModelAndCopies) {
  const std::string epsonStart = "\x1b@\x1bP\x12";
  const std::string first = "AB\r\n\r\nCD\r\n", last = "EF\r\n";
  const std::string cut = ":< - - - -\r";
  const OutputCase cases[] = {
      {"sheet, Epson", zptSheet, emEpson, epsonStart + first + "\x0c" + last},
      {"sheet, no codes", zptSheet, emNone, first + last},
      // Every real printer model ejects the sheet.
      {"sheet, Epson LQ", zptSheet, emEpsonLQSeries, "\x12" + first + "\x0c" + last},
      {"folio with scissors, Epson", zptFolio, emEpson, epsonStart + first + cut + last},
      {"folio with scissors, no codes", zptFolio, emNone, first + cut + last},
      {"continuous, Epson", zptContinuous, emEpson, epsonStart + first + last},
      {"continuous, no codes", zptContinuous, emNone, first + last},
  };
  for (const OutputCase& c : cases) {
    for (int copies : {1, 2}) {
      TestReport report(10, 3);
      report.options.SetPaperType(c.paper);
      report.options.Escapes()->SetModel(c.model);
      report.options.SetCopies(copies);
      TZRPrinter document(&report);
      Build(document, {{"AB", "", "CD"}, {"EF"}});
      const std::string expected = copies == 1 ? c.copy : c.copy + c.copy;
      EXPECT_EQ(Bytes(document), expected) << c.name << ", copies " << copies;
      // Output works on copies of the pages: a second output is the same.
      EXPECT_EQ(Bytes(document), expected) << c.name << ", copies " << copies;
      EXPECT_EQ(document.Pages(1).Lines().Count(), 3) << c.name;
    }
  }
}

TEST(ZRPrinter, NoCopiesWriteNothingAndARangeWritesItsPages) {
  TestReport report(10, 2);
  report.options.SetPaperType(zptContinuous);
  report.options.Escapes()->SetModel(emNone);
  TZRPrinter document(&report);
  Build(document, {{"A"}, {"B"}, {"C"}});
  report.options.SetPageFrom(2);
  report.options.SetPageTo(3);
  EXPECT_EQ(Bytes(document), "B\r\nC\r\n");
  report.options.SetPageFrom(0);  // below 1 counts from the first page
  report.options.SetPageTo(1);
  EXPECT_EQ(Bytes(document), "A\r\n");
  report.options.SetPageTo(4);
  EXPECT_EQ(ErrorOf([&] { Bytes(document); }), "Invalid page range: 0..4");
  report.options.SetPageFrom(-1);
  report.options.SetPageTo(1);
  EXPECT_EQ(ErrorOf([&] { Bytes(document); }), "Invalid page range: -1..1");
  report.options.SetPageFrom(1);
  report.options.SetCopies(0);
  EXPECT_EQ(Bytes(document), "");
}

// Custom strings that show where each code lands.
void SetMarkers(TZREscapes& escapes) {
  const std::pair<TZREscapeCode, const char*> markers[] = {
      {zecReset, "<reset>"},         {zecFormFeed, "<ff>"},        {zecPica, "<pica>"},
      {zecElite, "<elite>"},         {zecCondensedOn, "<cond>"},   {zecCondensedOff, "<normal>"},
      {zecReportStart, "<start>"},   {zecReportFinish, "<finish>"}, {zecPageStart, "<page>"},
      {zecPageFinish, "<pageend>"},
  };
  for (const auto& [code, text] : markers)
    escapes.SetValues(code, text);
}

TEST(ZRPrinter, EachCopyStartsWithResetPitchCondensedAndReportStartAndEndsWithReportFinish) {
  struct FontCase {
    TZRPrinterFontStyle style;
    bool condensed;
    std::string start;
  } fonts[] = {
      {zfsPica, false, "<reset><pica><normal><start>"},
      {zfsElite, true, "<reset><elite><cond><start>"},
  };
  for (const FontCase& f : fonts) {
    TestReport report(10, 2);
    report.options.SetPaperType(zptSheet);
    SetMarkers(*report.options.Escapes());
    report.options.Font()->SetStyle(f.style);
    report.options.Font()->SetCondensed(f.condensed);
    report.options.SetCopies(2);
    TZRPrinter document(&report);
    Build(document, {{"A", "B"}, {"C"}});
    // Page start and finish strings are never written.
    const std::string copy = f.start + "A\r\nB\r\n<ff>C\r\n<finish>";
    EXPECT_EQ(Bytes(document), copy + copy) << f.start;
  }
}

// A stream that refuses the first write holding a given text.
class RefusingStream : public TMemoryStream {
public:
  explicit RefusingStream(std::string refused) : refused_(std::move(refused)) {}
  std::int32_t Write(const void* Buffer, std::int32_t Count) override {
    const std::string bytes(static_cast<const char*>(Buffer), static_cast<size_t>(Count));
    if (!refused_.empty() && bytes.find(refused_) != std::string::npos) {
      refused_.clear();
      throw EWriteError("Stream write error");
    }
    return TMemoryStream::Write(Buffer, Count);
  }
  std::string Written() { return std::string(static_cast<const char*>(Memory()), static_cast<size_t>(Size())); }

private:
  std::string refused_;
};

TEST(ZRPrinter, TheReportFinishCodeFollowsACopyCutShortByAnError) {
  TestReport report(10, 2);
  report.options.SetPaperType(zptSheet);
  SetMarkers(*report.options.Escapes());
  TZRPrinter document(&report);
  Build(document, {{"A"}, {"BROKEN"}, {"C"}});
  RefusingStream stream("BROKEN");
  EXPECT_THROW(document.WriteToStream(stream), EWriteError);
  EXPECT_EQ(stream.Written(), "<reset><pica><normal><start>A\r\n\r\n<ff><finish>");
}

// Codes are found in one scan from the left: a visible backslash before a
// code that writes nothing stays visible, and a printer string is never
// read again as codes.
TEST(ZRPrinter, EscapeCodesAreTranslatedInOneScan) {
  TestReport report(10, 2);
  report.options.SetPaperType(zptContinuous);
  report.options.Escapes()->SetModel(emNone);
  report.options.Escapes()->SetValues(zecBoldOn, "\\b");
  TZRPrinter document(&report);
  Build(document, {{"\\\\@B", "\\Bx"}});
  EXPECT_EQ(Bytes(document), "\\B\r\n\\bx\r\n");
}

// The printer's bytes reach it as they are; only the visible text is
// converted, and the stored page keeps its own code page.
TEST(ZRPrinter, OemConversionTouchesTheVisibleTextOnly) {
  OemCodePageScope oem(CodePage857());
  TestReport report(10, 2);
  report.options.SetPaperType(zptContinuous);
  report.options.SetOEMConvert(true);
  report.options.Escapes()->SetModel(emNone);
  report.options.Escapes()->SetValues(zecReportStart, "\x1b" "C\xE9");
  TZRPrinter document(&report);
  Build(document, {{"caf\xE9"}});
  EXPECT_EQ(Bytes(document), "\x1b" "C\xE9" "caf\x82\r\n");
  EXPECT_EQ(document.Pages(0).Lines().Strings(0), "caf\xE9");
}

TEST(ZRPrinter, ContinuousPaperDropsLeadingBlankLinesAndStartCodesFollowTheFont) {
  TestReport report(10, 3);
  report.options.SetPaperType(zptContinuous);
  report.options.Font()->SetStyle(zfsElite);
  report.options.Font()->SetCondensed(true);
  TZRPrinter document(&report);
  Build(document, {{"", "AB", ""}, {"", "", "CD"}});
  EXPECT_EQ(Bytes(document), "\x1b@\x1bM\x0f" "AB\r\nCD\r\n");
  // The scissors line takes the page width: 76 gives 37 " -".
  TestReport wide(76, 3);
  TZRPrinter folio(&wide);
  std::string cut = ":<";
  for (int i = 0; i < 37; ++i)
    cut += " -";
  EXPECT_EQ(folio.PageSeparator(false), cut + "\r");
  wide.options.SetPaperType(zptSheet);
  EXPECT_EQ(folio.PageSeparator(true), "");
}

TEST(ZRPrinter, SaveToFileWritesTheSameBytesAndAcceptsFullPaths) {
  ScratchFolder folder;
  TestReport report(10, 3);
  report.options.SetPaperType(zptSheet);
  TZRPrinter document(&report);
  Build(document, {{"AB", "", "CD"}, {"EF"}});
  document.SaveToFile(folder.File("out.txt"));
  TFileStream file(folder.File("out.txt"), fmOpenRead);
  std::string saved(static_cast<size_t>(file.Size()), '\0');
  file.ReadBuffer(saved.data(), static_cast<std::int32_t>(saved.size()));
  EXPECT_EQ(saved, Bytes(document));
  // A drive letter, colon and backslashes are no reason to refuse a name.
  EXPECT_TRUE(IsValidOutputFileName("C:\\Rapor\\out.txt"));
  EXPECT_FALSE(IsValidOutputFileName("C:\\Rapor\\a;b.txt"));
}

// A failing output leaves an existing file as it was.
TEST(ZRPrinter, SaveToFileChecksTheRangeBeforeReplacingAFile) {
  ScratchFolder folder;
  const std::string name = folder.File("out.txt");
  {
    TFileStream file(name, fmCreate);
    file.WriteBuffer("keep", 4);
  }
  TestReport report(10, 2);
  TZRPrinter document(&report);
  Build(document, {{"A"}});
  report.options.SetPageFrom(2);
  report.options.SetPageTo(1);
  EXPECT_EQ(ErrorOf([&] { document.SaveToFile(name); }), "Invalid page range: 2..1");
  TFileStream file(name, fmOpenRead);
  EXPECT_EQ(file.Size(), 4);
}

class TOptionsHolder : public TComponent {
  DECLARE_CLASS(TOptionsHolder, TComponent)

public:
  explicit TOptionsHolder(TComponent* AOwner) : TComponent(AOwner) {}
  TZReportOptions* Options() { return &FOptions; }
  void SetOptions(TZReportOptions* Value) { FOptions.Assign(Value); }

  TZReportOptions FOptions;
};

BEGIN_PUBLISHED(TOptionsHolder)
PROPERTY(Options, Options, SetOptions),
END_PUBLISHED

// Every option but its default value, so that Assign and streaming must
// carry each one.
void SetEveryOption(TZReportOptions& options) {
  options.SetCopies(3);
  options.SetDestination(zrdFile);
  options.Escapes()->SetModel(emHPLaserJet);
  options.SetFileName("C:\\Rapor\\\xC7IKTI.txt");
  options.Font()->SetStyle(zfsElite);
  options.Font()->SetCondensed(true);
  options.SetIgnoreStyles(true);
  options.SetOEMConvert(false);
  options.SetPageFrom(2);
  options.SetPageTo(5);
  options.SetPaperType(zptContinuous);
  options.SetPreviewMode(zpmWholeReport);
  options.SetScissors(false);
  options.SetFirstPageHeader(false);
  options.SetLastPageFooter(false);
}

void ExpectEveryOption(const TZReportOptions& options) {
  EXPECT_EQ(options.Copies(), 3);
  EXPECT_EQ(options.Destination(), zrdFile);
  EXPECT_EQ(options.Escapes()->Model(), emHPLaserJet);
  EXPECT_EQ(options.FileName(), "C:\\Rapor\\\xC7IKTI.txt");
  EXPECT_EQ(options.Font()->Style(), zfsElite);
  EXPECT_TRUE(options.Font()->Condensed());
  EXPECT_TRUE(options.IgnoreStyles());
  EXPECT_FALSE(options.OEMConvert());
  EXPECT_EQ(options.PageFrom(), 2);
  EXPECT_EQ(options.PageTo(), 5);
  EXPECT_EQ(options.PaperType(), zptContinuous);
  EXPECT_EQ(options.PreviewMode(), zpmWholeReport);
  EXPECT_FALSE(options.Scissors());
  EXPECT_FALSE(options.FirstPageHeader());
  EXPECT_FALSE(options.LastPageFooter());
}

TEST(ZReportOptions, DefaultsAssignAndStreaming) {
  TZReportOptions options;
  EXPECT_EQ(options.Copies(), 1);
  EXPECT_EQ(options.Destination(), zrdPrinter);
  EXPECT_EQ(options.Escapes()->Model(), emEpson);
  EXPECT_EQ(options.FileName(), "");
  EXPECT_EQ(options.Font()->Style(), zfsPica);
  EXPECT_FALSE(options.Font()->Condensed());
  EXPECT_FALSE(options.IgnoreStyles());
  EXPECT_TRUE(options.OEMConvert());
  EXPECT_EQ(options.PageFrom(), 0);
  EXPECT_EQ(options.PageTo(), 0);
  EXPECT_EQ(options.PaperType(), zptFolio);
  EXPECT_EQ(options.PreviewMode(), zpmSinglePage);
  EXPECT_TRUE(options.Scissors());
  EXPECT_TRUE(options.FirstPageHeader());
  EXPECT_TRUE(options.LastPageFooter());

  // Defaults are not written.
  TOptionsHolder holder(nullptr);
  holder.SetName("Holder");
  EXPECT_EQ(ComponentText(&holder), "object Holder: TOptionsHolder\r\nend\r\n");

  SetEveryOption(options);
  TZReportOptions copy;
  copy.Assign(&options);
  ExpectEveryOption(copy);
  // The font and escapes are assigned into the owned objects.
  TZRPrinterFont* ownFont = copy.Font();
  TZRPrinterFont pica;
  copy.SetFont(&pica);
  EXPECT_EQ(copy.Font(), ownFont);
  EXPECT_EQ(copy.Font()->Style(), zfsPica);
  // Any other source is refused as every persistent object refuses it.
  EXPECT_THROW(copy.Assign(&pica), Exception);

  holder.SetOptions(&options);
  TOptionsHolder read(nullptr);
  ReadComponentText(ComponentText(&holder), &read);
  ExpectEveryOption(*read.Options());
  // Strings of their own make the escapes custom and travel with them.
  holder.Options()->Escapes()->SetValues(zecReportStart, "\x1b" "C\x48");
  TOptionsHolder custom(nullptr);
  ReadComponentText(ComponentText(&holder), &custom);
  EXPECT_EQ(custom.Options()->Escapes()->Model(), emCustom);
  EXPECT_EQ(custom.Options()->Escapes()->Values(zecReportStart), "\x1b" "C\x48");
  EXPECT_EQ(custom.Options()->Escapes()->Values(zecBoldOn), holder.Options()->Escapes()->Values(zecBoldOn));
}

class RecordingForm : public IZRDocumentForm {
public:
  explicit RecordingForm(TZRPrinter& document, bool preview) : document_(document), preview_(preview) {}
  void DocumentNotice(unsigned Message, int Value) override {
    notices += (Message == ZRNoticePageDone ? "page " : "progress ") + std::to_string(Value) + ";";
  }
  void CloseForm() override {
    closed = true;
    Leave();
  }
  void ShowForm() override { ++shown; }
  void ReleaseForm() override {
    released = true;
    Leave();
  }
  void Leave() {
    if (preview_)
      document_.SetPreviewForm(nullptr);
    else
      document_.SetProgressForm(nullptr);
  }
  std::string notices;
  bool closed = false;
  bool released = false;
  int shown = 0;

private:
  TZRPrinter& document_;
  bool preview_;
};

TEST(ZRPrinter, TheFormsHearOfPagesAndProgressAndCloseOnCancel) {
  TestReport report(10, 2);
  TZRPrinter document(&report);
  RecordingForm preview(document, true), progress(document, false);
  document.SetPreviewForm(&preview);
  document.SetProgressForm(&progress);
  document.BeginDoc();
  document.NewPage();
  document.SetProgress(40);
  document.NewPage();
  document.EndDoc();
  EXPECT_EQ(progress.notices, "progress 40;page 1;page 2;progress 100;");
  EXPECT_EQ(preview.notices, progress.notices);
  document.Cancel();
  EXPECT_TRUE(preview.closed && progress.closed);
  EXPECT_TRUE(document.IsCancelled());
  EXPECT_EQ(document.PreviewForm(), nullptr);
}

TEST(ZRPrinter, SearchFindsTextOnAnyPageAndGoesOn) {
  TestReport report(20, 3);
  TZRPrinter document(&report);
  Build(document, {{"", " TOTAL \\BTOTAL\\b"}, {"xx", "", "yy SISLI"}});
  ASSERT_TRUE(document.Find("total", true, 0, 0, 1));
  EXPECT_EQ(document.FoundLine(), 1);
  EXPECT_EQ(document.FoundColumn(), 2);
  ASSERT_TRUE(document.FindNext());
  EXPECT_EQ(document.FoundColumn(), 8);
  EXPECT_FALSE(document.FindNext());
  EXPECT_FALSE(document.Find("total", false, 0, 0, 1));
  // Turkish text is found as it was written: transliterated.
  ASSERT_TRUE(document.Find("\xDE\xDD\xDE\x4C\xDD", false, 0, 0, 1));
  EXPECT_EQ(document.FoundPage(), 1);
  EXPECT_EQ(document.FoundLine(), 2);
  EXPECT_EQ(document.FoundColumn(), 4);
  EXPECT_FALSE(document.Find("", false, 0, 0, 1));
  // Ignoring case, a Turkish pattern in small letters finds the capitals.
  ASSERT_TRUE(document.Find("\xFE\x69\xFE\x6C\x69", true, 0, 0, 1));
  EXPECT_EQ(document.FoundPage(), 1);
  EXPECT_EQ(document.FoundColumn(), 4);
}

// The preview form comes from the factory and registers itself; the mode
// says which form shows while building, and after the build the progress
// form goes and the preview shows unless the run was cancelled.
TEST(ZRPrinter, PreviewAndProgressFormsThroughTheBuild) {
  struct Case {
    TZRPreviewMode mode;
    bool cancel;
    int previewShownWhileBuilding, progressShownWhileBuilding, previewShownAfter;
  } cases[] = {
      {zpmSinglePage, false, 1, 0, 2},
      {zpmWholeReport, false, 0, 1, 1},
      {zpmWholeReport, true, 0, 1, 0},
  };
  for (const Case& c : cases) {
    TestReport report(10, 2);
    report.options.SetPreviewMode(c.mode);
    std::unique_ptr<RecordingForm> preview;  // outlives the document, which closes it
    TZRPrinter document(&report);
    RecordingForm progress(document, false);
    document.SetProgressForm(&progress);
    TZRPrinter::PreviewFormFactory = [&](TZRPrinter& owner) {
      preview = std::make_unique<RecordingForm>(owner, true);
      owner.SetPreviewForm(preview.get());
    };
    document.CreatePreviewForm();
    TZRPrinter::PreviewFormFactory = nullptr;
    ASSERT_TRUE(preview) << c.mode;
    EXPECT_EQ(document.PreviewForm(), preview.get());
    EXPECT_EQ(preview->shown, c.previewShownWhileBuilding) << c.mode;
    EXPECT_EQ(progress.shown, c.progressShownWhileBuilding) << c.mode;
    Build(document, {{"A"}});
    if (c.cancel) {
      document.Cancel();
      document.SetPreviewForm(preview.get());  // a cancelled preview may linger while it closes
    }
    document.ShowAfterBuild();
    EXPECT_TRUE(c.cancel ? progress.closed : progress.released) << c.mode;
    EXPECT_EQ(document.ProgressForm(), nullptr);
    EXPECT_EQ(preview->shown, c.previewShownAfter) << c.mode << (c.cancel ? " cancelled" : "");
  }
  // Without a factory there is no preview, and nothing to show.
  TestReport report(10, 2);
  TZRPrinter document(&report);
  document.CreatePreviewForm();
  EXPECT_EQ(document.PreviewForm(), nullptr);
}

}  // namespace
