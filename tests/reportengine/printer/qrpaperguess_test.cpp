// Loading a page store picks the printer's paper from the size of page 1:
// the last table row of that size, upright or turned, that the printer lists.
#include <gtest/gtest.h>

#include "classlib/graphics/metafile.h"
#include "classlib/printers/devmode.h"
#include "classlib/printers/fakespooler.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/printer/qrprinterdevice.h"
#include "tests/reportengine/printer/qrprinterfixture.h"
#include "tests/support/scratchfolder.h"

namespace {

using qrprinter_test::FixedDevice;

// A store of one page of mmWidth x mmHeight hundredths of a millimetre.
void WriteStore(const AnsiString& fileName, int mmWidth, int mmHeight) {
  TMetafile page;
  page.SetMMWidth(mmWidth);
  page.SetMMHeight(mmHeight);
  {
    TMetafileCanvas canvas(&page, nullptr);
    canvas.TextOut(10, 10, "Etiket");
  }
  TQRPageList list;
  list.AddPage(page);
  list.Finish();
  list.SaveToFile(fileName);
}

struct GuessCase {
  const char* Name;
  std::vector<WORD> Papers;  // what the printer lists
  int MMWidth, MMHeight;     // page 1
  TQRPaperSize Paper;        // the paper afterwards (Letter when untouched)
  TPrinterOrientation Orientation;
};

class QRPaperGuessTest : public testing::TestWithParam<GuessCase> {};

TEST_P(QRPaperGuessTest, PicksTheLastListedRowOfThePageSize) {
  const GuessCase& c = GetParam();
  TFakeSpooler spooler;
  TFakePrinter fake;
  fake.Name = "Etiket Yazıcı";
  fake.DevMode = MakeDevMode(fake.Name);
  DevModeOf(fake.DevMode).dmPaperSize = DMPAPER_LETTER;
  DevModeOf(fake.DevMode).dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
  fake.Papers = c.Papers;
  spooler.AddPrinter(fake);
  spooler.Default = fake.Name;
  SpoolerScope scope(spooler);
  FixedDevice device;
  QRPrinterDeviceScope deviceScope(device);

  ScratchFolder folder;
  WriteStore(folder.File("page.qrp"), c.MMWidth, c.MMHeight);
  TQRPrinter printer(nullptr);
  ASSERT_TRUE(printer.PrintersAvailable());
  ASSERT_EQ(printer.Settings().PaperSize(), TQRPaperSize::Letter);
  printer.Load(folder.File("page.qrp"));
  EXPECT_EQ(printer.Settings().PaperSize(), c.Paper);
  EXPECT_EQ(printer.Settings().Orientation(), c.Orientation);
  EXPECT_EQ(printer.Status(), mpFinished);
}

const std::vector<WORD> kA4Both{DMPAPER_LETTER, DMPAPER_A4, DMPAPER_A4SMALL};
const std::vector<WORD> kA4Only{DMPAPER_LETTER, DMPAPER_A4};
const std::vector<WORD> kLetterOnly{DMPAPER_LETTER};

INSTANTIATE_TEST_SUITE_P(
    Cases, QRPaperGuessTest,
    testing::Values(GuessCase{"A4PageA4SmallListed", kA4Both, 21000, 29700, TQRPaperSize::A4Small, poPortrait},
                    GuessCase{"A4PageA4Listed", kA4Only, 21000, 29700, TQRPaperSize::A4, poPortrait},
                    GuessCase{"A4PageNothingListed", kLetterOnly, 21000, 29700, TQRPaperSize::Letter, poPortrait},
                    GuessCase{"TurnedA4SmallListed", kA4Both, 29700, 21000, TQRPaperSize::A4Small, poLandscape},
                    GuessCase{"TurnedA4Listed", kA4Only, 29700, 21000, TQRPaperSize::A4, poLandscape},
                    GuessCase{"TurnedNothingListed", kLetterOnly, 29700, 21000, TQRPaperSize::Letter, poLandscape},
                    GuessCase{"LetterPageNoteListed", {DMPAPER_LETTER, DMPAPER_NOTE}, 21590, 27940,
                              TQRPaperSize::Note, poPortrait},
                    // Whole 4 mm steps, a hair short as recorded on screen.
                    GuessCase{"A5PageA5Listed", {DMPAPER_LETTER, DMPAPER_A5}, 14790, 20990, TQRPaperSize::A5,
                              poPortrait},
                    GuessCase{"TurnedA3Listed", {DMPAPER_LETTER, DMPAPER_A3}, 41990, 29690, TQRPaperSize::A3,
                              poLandscape},
                    GuessCase{"FourMillimetresOffKeepsThePaper", kA4Both, 21400, 29700, TQRPaperSize::Letter,
                              poPortrait},
                    GuessCase{"OddSizeKeepsThePaper", kA4Both, 10000, 15000, TQRPaperSize::Letter, poPortrait}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
