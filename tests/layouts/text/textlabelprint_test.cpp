// The text label print handler: ASCII captions, QR_EK styles on detail
// labels, and PRINTOPTION deciding the pages a label prints on.
#include <gtest/gtest.h>

#include "classlib/classes/streams.h"
#include "layouts/text/textlabelprint.h"
#include "layouts/text/textrunsetup.h"
#include "tests/support/scratchfolder.h"
#include "textpagefixture.h"

namespace {

using namespace text_pages;

class TextLabelPrintTest : public TextPageFixture, public testing::Test {
protected:
  TextLabelPrintTest() {
    page = NewPage("Report1", 30, 6);
    page->SetDataSet(table);
    header = Band(page, zbtPageHeader);
    detail = Band(page, zbtDetail);
  }
  static bool Handle(TZRCustomLabel* label) {
    bool print = true;
    TextLabelBeforePrint(label, print);
    return print;
  }

  // Records r1..rCount, the page set up as the runner sets up a text run,
  // and a label on the detail band.
  void PrepareRun(int Count) {
    std::vector<std::string> names;
    for (int n = 1; n <= Count; ++n)
      names.push_back("r" + std::to_string(n));
    std::vector<Row> rows;
    for (const std::string& name : names)
      rows.push_back({name.c_str()});
    AddRows(rows);
    ForceTextRunOptions(*page);
    SetTextPrinterCodes(*page->Options(), page->Width(), page->Height());
    Label(detail, "Deger", 0, 5, "satir");
  }

  // Prints the page to a file with a label "ISARET" on Band carrying
  // PRINTOPTION=Option, run by the text label handler; one mark per page
  // (+ printed, - not) and the document in Bytes. The mark goes again and
  // the table is back at its first record.
  std::string PagesMarked(TZRCustomBand* Band, int Option, std::string& Bytes) {
    TZRLabel* mark = Label(Band, "Isaret", 10, 6, "ISARET", "PRINTOPTION=" + std::to_string(Option));
    mark->BeforePrint = TextLabelBeforePrint;
    page->Options()->SetDestination(zrdFile);
    page->Options()->SetFileName(folder.File("out.txt"));
    page->Print();
    TFileStream file(folder.File("out.txt"), fmOpenRead);
    Bytes.assign(static_cast<size_t>(file.Size()), '\0');
    file.ReadBuffer(Bytes.data(), static_cast<std::int32_t>(Bytes.size()));
    std::string seen;
    size_t start = 0;
    for (size_t ff; (ff = Bytes.find('\x0C', start)) != std::string::npos; start = ff + 1)
      seen += Bytes.substr(start, ff - start).find("ISARET") != std::string::npos ? '+' : '-';
    delete mark;
    table->First();
    return seen;
  }

  ScratchFolder folder;
  TZReport* page = nullptr;
  TZRCustomBand* header = nullptr;
  TZRCustomBand* detail = nullptr;
};

// Each of the twelve Turkish letters becomes its base letter; other
// letters of the code page (â, é) stay as they are.
TEST_F(TextLabelPrintTest, ATextLabelsCaptionIsWrittenInAsciiLetters) {
  struct Case {
    const char* caption;
    const char* ascii;
  } cases[] = {
      {"ŞİŞLİ Çağlayan öğüş", "SISLI Caglayan ogus"},
      {"ÇĞÖÜİŞ çğöüış", "CGOUIS cgouis"},
      {"kâğıt café", "kâgit café"},
  };
  for (const Case& c : cases) {
    TZRLabel* label = Label(header, "Baslik", 0, 20, c.caption);
    EXPECT_TRUE(Handle(label));
    EXPECT_EQ(label->Caption(), c.ascii) << c.ascii;
    delete label;
  }
}

// The record's QR_EK replaces a detail label's styles; labels on other bands
// keep theirs, and a data set without QR_EK changes nothing.
TEST_F(TextLabelPrintTest, QrEkSetsTheStylesOfDetailLabelsPerRecord) {
  AddRows({{"A", "FONT.STYLE=BOLD|FONT.STYLE=UNDERLINE|"},
           {"B", "FONT.STYLE=ITALIC"},
           {"C", "COLOR=clRed|FONT.STYLE=STRIKEOUT|FONT.STYLE=ITALIC|"}});
  TZRLabel* onDetail = Label(detail, "Detay", 0, 5, "x");
  TZRLabel* onHeader = Label(header, "Baslik", 0, 5, "x");
  onHeader->SetFontStyles(TZRFontStyles{zfsBold});
  const TZRFontStyles expected[] = {TZRFontStyles{zfsBold, zfsUnderline}, TZRFontStyles{}, TZRFontStyles{zfsItalic}};
  for (const TZRFontStyles& styles : expected) {
    onDetail->SetFontStyles(TZRFontStyles{zfsSuperScript});
    Handle(onDetail);
    Handle(onHeader);
    EXPECT_EQ(onDetail->FontStyles(), styles) << table->FieldByName("METIN1")->AsString();
    EXPECT_EQ(onHeader->FontStyles(), TZRFontStyles{zfsBold});
    table->Next();
  }
}

TEST_F(TextLabelPrintTest, WithoutAQrEkFieldTheStylesStay) {
  auto* plain = new TRxMemoryData(form.Host());
  plain->FieldDefs()->Add("METIN1", ftString, 10);
  plain->Open();
  plain->Append();
  plain->FieldByName("METIN1")->SetAsString("A");
  plain->Post();
  page->SetDataSet(plain);
  TZRLabel* onDetail = Label(detail, "Detay", 0, 5, "x");
  onDetail->SetFontStyles(TZRFontStyles{zfsBold});
  Handle(onDetail);
  EXPECT_EQ(onDetail->FontStyles(), TZRFontStyles{zfsBold});
}

// A page header label with each PRINTOPTION over a report of three pages:
// the pages it shows on.
TEST_F(TextLabelPrintTest, PrintOptionDecidesThePagesALabelPrintsOn) {
  PrepareRun(9);
  struct Case {
    int option;
    const char* pages;  // one mark per page: + printed, - not
  } cases[] = {{0, "+--"}, {2, "-++"}, {4, "+++"}};
  for (const Case& c : cases) {
    std::string bytes;
    EXPECT_EQ(PagesMarked(header, c.option, bytes), c.pages) << "PRINTOPTION=" << c.option << "\n" << bytes;
  }
}

// PRINTOPTION 1 and 3 follow the report's record counter, which is back at
// 0 only once the data has ended: a page footer label with 1 prints on the
// last page alone, with 3 on every page but the last.
TEST_F(TextLabelPrintTest, PrintOptionOneAndThreeInAPageFooterFollowTheEndOfTheData) {
  TZRCustomBand* footer = Band(page, zbtPageFooter);
  PrepareRun(6);
  for (const int option : {1, 3}) {
    std::string bytes;
    const std::string seen = PagesMarked(footer, option, bytes);
    ASSERT_GE(seen.size(), 2u) << bytes;
    const std::string allButLast(seen.size() - 1, option == 1 ? '-' : '+');
    EXPECT_EQ(seen, allButLast + (option == 1 ? '+' : '-')) << "PRINTOPTION=" << option << "\n" << bytes;
  }
}

}  // namespace
