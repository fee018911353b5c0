// The PDF mode on the Unix side's poppler: pdfinfo counts the pages and
// reads their size (the report's page, not A4), pdftoppm shows each page's
// block where the report drew it.
#include <gtest/gtest.h>

#include <optional>

#include "classlib/forms/scripteddialogs.h"
#include "layouts/vtrapor.h"
#include "tests/layouts/output/outputtesting.h"
#include "tests/support/pdfinfo.h"
#include "tests/support/scratchfolder.h"

namespace {

using namespace output_test;
using test_queues::ReadWholeFile;

class PdfModeTest : public testing::Test {
protected:
  void SetUp() override {
    pdfUnix = UnixPathOf(folder.File("etiketler.pdf"));
    if (pdfUnix.empty())
      GTEST_SKIP() << "poppler is reached only under Wine";
  }

  // pdfinfo's report on pages 1 to 3.
  std::string Info() { return test_queues::PdfInfoOf(pdfUnix, 3); }

  // Page n at 72 dots per inch: one pixel per point.
  GreyPicture Page(int n) {
    const std::string base = pdfUnix + "-" + std::to_string(n);
    if (!RunAndWait("pdftoppm -r 72 -gray -singlefile -f " + std::to_string(n) + " -l " + std::to_string(n) + " '" +
                        pdfUnix + "' '" + base + ".part' && mv '" + base + ".part.pgm' '" + base + ".pgm'",
                    base + ".pgm"))
      return {};
    return ReadPgm(ReadWholeFile(base + ".pgm"));
  }

  TScriptedDialogService dialogs;
  TDialogServiceScope dialogScope{dialogs};
  TVtRapor rapor{nullptr};
  ScratchFolder folder;
  std::string pdfUnix;
};

TEST_F(PdfModeTest, ThreePagesOfTheReportsSizeShowTheirBlocks) {
  BlockReport report(3);
  rapor.OutputFileName = folder.File("etiketler.pdf");
  RunOutputMode("PDF", report, rapor);
  EXPECT_TRUE(dialogs.Records().empty());
  EXPECT_EQ(RunFoldersLeft(), 0);

  const std::string info = Info();
  EXPECT_EQ(pdf_info::PageCount(info), 3) << info;
  // 100 x 150 mm is 283.46 x 425.2 points; the page metafile is whole screen
  // pixels, so allow a pixel's worth.
  for (int n = 1; n <= 3; ++n) {
    const std::optional<pdf_info::PageSize> size = pdf_info::SizeOfPage(info, n);
    ASSERT_TRUE(size) << info;
    EXPECT_NEAR(size->Width, 283.46, 1.0) << info;
    EXPECT_NEAR(size->Height, 425.2, 1.0) << info;
  }
  EXPECT_EQ(info.find("rror"), std::string::npos) << info;

  for (int n : {1, 3}) {
    const GreyPicture page = Page(n);
    ASSERT_GT(page.Width, 280) << "page " << n;
    ASSERT_GT(page.Height, 420) << "page " << n;
    const RECT block = BlockOf(n);
    const auto x = [](int tenths) { return static_cast<int>(tenths / 254.0 * 72); };
    const int midX = x((block.left + block.right) / 2), midY = x((block.top + block.bottom) / 2);
    EXPECT_LT(page.At(midX, midY), 60) << "page " << n << ": the block is missing";
    EXPECT_GT(page.At(x(block.right) + 15, midY), 200) << "page " << n << ": paper beside the block is not white";
    EXPECT_GT(page.At(midX, x(block.bottom) + 15), 200) << "page " << n;
    EXPECT_GT(page.At(page.Width / 2, page.Height - 20), 200) << "page " << n;
  }
}

TEST_F(PdfModeTest, TheSaveDialogsAnswerIsWrittenAndAnOldFileSurvivesAFailedRun) {
  BlockReport report(1);
  dialogs.AnswerFile(folder.File("etiketler.pdf"));
  RunOutputMode("PDF", report, rapor);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  const std::string info = Info();
  EXPECT_EQ(pdf_info::PageCount(info), 1) << info;

  // A printer object whose pages are gone: the run fails, the file stays.
  const FileBytes before = ReadFileBytes(folder.File("etiketler.pdf"));
  TQRPrinter empty(nullptr);
  EXPECT_THROW(WritePdfFile(empty, 2, folder.File("etiketler.pdf")), Exception);
  EXPECT_EQ(ReadFileBytes(folder.File("etiketler.pdf")), before);
  EXPECT_EQ(RunFoldersLeft(), 0);
}

}  // namespace
