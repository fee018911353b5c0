// The text document: its states and their errors, writing into pages,
// byte-exact output for sheet, folio and continuous paper with two printer
// models and copies, the file name check, the forms' notices and search.
#include <gtest/gtest.h>

#include "classlib/classes/streams.h"
#include "textreport/core/zrconst.h"
#include "textreport/output/zrprntr.h"
#include "tests/support/scratchfolder.h"
#include "zrtestreport.h"

namespace {

using namespace zr_test;

std::string Bytes(TZRPrinter& document) {
  TMemoryStream stream;
  document.WriteToStream(stream);
  return std::string(static_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EZRError& e) {
    return e.Message;
  }
  return "(no error)";
}

TEST(ZRPrinter, StatesAndTheirErrors) {
  TestReport report(20, 10);
  TZRPrinter document(&report);
  EXPECT_EQ(report.printer, &document);
  EXPECT_EQ(ErrorOf([&] { document.NewPage(); }), "New document not started");
  document.BeginDoc();
  EXPECT_EQ(ErrorOf([&] { document.BeginDoc(); }), "Not ready to start new document");
  document.NewPage();
  EXPECT_EQ(ErrorOf([&] { document.SetLine(10, "x"); }), "Out of page bounds, page 0/0, line 10");
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
  int copies;
  std::string bytes;
};

// Two pages of a 10 x 3 document: "AB", "", "CD" and "EF", "", "".
TEST(ZRPrinter, OutputBytesForEachPaperModelAndCopies) {
  const std::string epsonStart = "\x1b@\x1bP\x12";
  const std::string pages = "AB\r\n\r\nCD\r\n";
  const OutputCase cases[] = {
      {"sheet, Epson", zptSheet, emEpson, 1, epsonStart + pages + "\x0c" + "EF\r\n"},
      {"sheet, Epson, two copies", zptSheet, emEpson, 2,
       epsonStart + pages + "\x0c" + "EF\r\n" + epsonStart + pages + "\x0c" + "EF\r\n"},
      {"sheet, no codes", zptSheet, emNone, 1, pages + "EF\r\n"},
      {"folio with scissors", zptFolio, emEpson, 1, epsonStart + pages + ":< - - - -\r" + "EF\r\n"},
      {"continuous", zptContinuous, emEpson, 1, epsonStart + "AB\r\n\r\nCD\r\nEF\r\n"},
  };
  for (const OutputCase& c : cases) {
    TestReport report(10, 3);
    report.options.SetPaperType(c.paper);
    report.options.Escapes()->SetModel(c.model);
    report.options.SetCopies(c.copies);
    TZRPrinter document(&report);
    Build(document, {{"AB", "", "CD"}, {"EF"}});
    EXPECT_EQ(Bytes(document), c.bytes) << c.name;
    // Output works on copies of the pages: a second output is the same.
    EXPECT_EQ(Bytes(document), c.bytes) << c.name;
    EXPECT_EQ(document.Pages(1).Lines().Count(), 3) << c.name;
  }
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

class RecordingForm : public IZRDocumentForm {
public:
  explicit RecordingForm(TZRPrinter& document, bool preview) : document_(document), preview_(preview) {}
  void DocumentNotice(unsigned Message, int Value) override {
    notices += (Message == ZRNoticePageDone ? "page " : "progress ") + std::to_string(Value) + ";";
  }
  void CloseForm() override {
    closed = true;
    if (preview_)
      document_.SetPreviewForm(nullptr);
    else
      document_.SetProgressForm(nullptr);
  }
  std::string notices;
  bool closed = false;

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
  EXPECT_EQ(progress.notices, "progress 40;page 1;page 2;");
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
}

}  // namespace
