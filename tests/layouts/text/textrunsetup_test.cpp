// Setting up text pages for a run: the printer codes around every copy, the
// forced options, the composite after the first page, the invoice page's
// detail line and which pages count.
#include <gtest/gtest.h>

#include "layouts/text/textrunsetup.h"
#include "textpagefixture.h"

namespace {

using namespace text_pages;

std::string Hex(const AnsiString& bytes) {
  std::string out;
  char buffer[4];
  for (unsigned char c : bytes) {
    std::snprintf(buffer, sizeof buffer, out.empty() ? "%02x" : " %02x", c);
    out += buffer;
  }
  return out;
}

// ESC "C" n only with a page length the command takes (1-127 lines), never
// ESC C NUL or a byte past its range; SI above 150 characters.
TEST(TextPrinterCodes, ReportStartSetsThePageLengthOnlyWhenThePrinterTakesIt) {
  struct Case {
    int width, height;
    const char* start;
  } cases[] = {
      {76, 60, "1b 43 3c"}, {76, 1, "1b 43 01"},   {76, 127, "1b 43 7f"}, {76, 0, ""},
      {76, 128, ""},        {76, 255, ""},         {76, -3, ""},          {150, 66, "1b 43 42"},
      {151, 66, "1b 43 42 0f"}, {200, 300, "0f"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Hex(TextReportStartCode(c.width, c.height)), c.start) << c.width << " x " << c.height;
}

TEST(TextPrinterCodes, ReportFinishEjectsAndLeavesCondensedModeOnWidePages) {
  EXPECT_EQ(Hex(TextReportFinishCode(76)), "0c");
  EXPECT_EQ(Hex(TextReportFinishCode(150)), "0c");
  EXPECT_EQ(Hex(TextReportFinishCode(151)), "12 0c");
  EXPECT_EQ(Hex(TextResetCode()), "1b 40");
}

// Setting the codes makes the printer model custom; the model's other
// strings (pitch, condensed off) stay, so a copy starts ESC @ ESC P DC2.
TEST(TextPrinterCodes, SettingTheCodesMakesTheModelCustomAndKeepsItsOtherStrings) {
  TZReportOptions options;
  ASSERT_EQ(options.Escapes()->Model(), emEpson);
  const AnsiString pica = options.Escapes()->Values(zecPica);
  SetTextPrinterCodes(options, 80, 66);
  EXPECT_EQ(options.Escapes()->Model(), emCustom);
  EXPECT_EQ(Hex(options.Escapes()->Values(zecReset)), "1b 40");
  EXPECT_EQ(Hex(options.Escapes()->Values(zecReportStart)), "1b 43 42");
  EXPECT_EQ(Hex(options.Escapes()->Values(zecReportFinish)), "0c");
  EXPECT_EQ(options.Escapes()->Values(zecPica), pica);
  EXPECT_EQ(Hex(options.Escapes()->Values(zecCondensedOff)), "12");
}

class TextRunSetupTest : public TextPageFixture, public testing::Test {};

TEST_F(TextRunSetupTest, APageIsForcedToSingleSheetsWithoutScissorsOrProgress) {
  TZReport* page = NewPage("Report1", 160, 40);
  page->Options()->SetPreviewMode(zpmWholeReport);
  page->Options()->SetScissors(true);
  page->Options()->SetPaperType(zptFolio);
  page->SetShowProgress(true);
  SetUpTextPage(*page);
  EXPECT_EQ(page->Options()->PreviewMode(), zpmSinglePage);
  EXPECT_FALSE(page->Options()->Scissors());
  EXPECT_EQ(page->Options()->PaperType(), zptSheet);
  EXPECT_FALSE(page->ShowProgress());
  EXPECT_EQ(Hex(page->Options()->Escapes()->Values(zecReportStart)), "1b 43 28 0f");
  EXPECT_EQ(Hex(page->Options()->Escapes()->Values(zecReportFinish)), "12 0c");
}

// The composite prints at the first page's size, with the copies the host
// gave that page, and tests its own width for condensed printing.
TEST_F(TextRunSetupTest, TheCompositeTakesTheFirstPagesSizeAndCopies) {
  TZReport* first = NewPage("Report1", 160, 30);
  NewPage("Report2", 40, 12);
  first->Options()->SetCopies(3);
  TZRComposite composite(form.Host());
  composite.SetShowProgress(true);
  SetUpTextComposite(composite, *first);
  EXPECT_EQ(composite.PageWidth(), 160);
  EXPECT_EQ(composite.PageHeight(), 30);
  EXPECT_FALSE(composite.ShowProgress());
  EXPECT_EQ(composite.Options()->Copies(), 3);
  EXPECT_EQ(Hex(composite.Options()->Escapes()->Values(zecReportStart)), "1b 43 1e 0f");
  EXPECT_EQ(Hex(composite.Options()->Escapes()->Values(zecReportFinish)), "12 0c");
}

TEST_F(TextRunSetupTest, PalettePrototypesAreNotTextPagesOfTheRun) {
  TZReport* prototype = NewPage("ZReport1");
  prototype->SetTag(PrototypeTag);
  TZReport* one = NewPage("Report1");
  TZReport* two = NewPage("Report2");
  EXPECT_EQ(TextPagesOf(*form.Host()), (std::vector<TZReport*>{one, two}));
  EXPECT_EQ(CountTextPages(*form.Host()), 2);
  TZRComposite composite(form.Host());
  AddTextPages(composite, *form.Host());
  EXPECT_EQ(composite.Reports(), (std::vector<TZReport*>{one, two}));
}

TEST_F(TextRunSetupTest, AnInvoicePagePrintsItsDetailBandOneLineHigh) {
  TZReport* invoice = NewPage("Report1");
  TZReport* plain = NewPage("Report2");
  TZRCustomBand* invoiceDetail = Band(invoice, zbtDetail, 3);
  TZRCustomBand* plainDetail = Band(plain, zbtDetail, 3);
  invoice->SetHint("HAREKETBASLANGIC=10\r\nHAREKETSAYISI=\r\n");
  plain->SetHint("HAREKETALANIYUKSEKLIK=20\r\n");
  ApplyTextInvoiceHeight(*invoice);
  ApplyTextInvoiceHeight(*plain);
  EXPECT_EQ(invoiceDetail->Height(), 1);
  EXPECT_EQ(plainDetail->Height(), 3);
}

}  // namespace
