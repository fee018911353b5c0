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
  std::vector<Row> rows;
  for (const char* name : {"r1", "r2", "r3", "r4", "r5", "r6", "r7", "r8", "r9"})
    rows.push_back({name});
  AddRows(rows);
  ForceTextRunOptions(*page);
  SetTextPrinterCodes(*page->Options(), page->Width(), page->Height());
  Label(detail, "Deger", 0, 5, "satir");
  struct Case {
    int option;
    const char* pages;  // one mark per page: + printed, - not
  } cases[] = {{0, "+--"}, {2, "-++"}, {4, "+++"}};
  ScratchFolder folder;
  for (const Case& c : cases) {
    TZRLabel* mark = Label(header, "Isaret", 10, 6, "ISARET", "PRINTOPTION=" + std::to_string(c.option));
    mark->BeforePrint = TextLabelBeforePrint;
    page->Options()->SetDestination(zrdFile);
    page->Options()->SetFileName(folder.File("out.txt"));
    page->Print();
    TFileStream file(folder.File("out.txt"), fmOpenRead);
    std::string bytes(static_cast<size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    std::string seen;
    size_t start = 0;
    for (size_t ff; (ff = bytes.find('\x0C', start)) != std::string::npos; start = ff + 1)
      seen += bytes.substr(start, ff - start).find("ISARET") != std::string::npos ? '+' : '-';
    EXPECT_EQ(seen, c.pages) << "PRINTOPTION=" << c.option << "\n" << bytes;
    delete mark;
    table->First();
  }
}

// PRINTOPTION 1 and 3 follow the report's record counter, which is back at
// 0 only once the data has ended: a page footer label with 1 prints on the
// last page alone, with 3 on every page but the last.
TEST_F(TextLabelPrintTest, PrintOptionOneAndThreeInAPageFooterFollowTheEndOfTheData) {
  std::vector<Row> rows;
  for (const char* name : {"r1", "r2", "r3", "r4", "r5", "r6"})
    rows.push_back({name});
  AddRows(rows);
  TZRCustomBand* footer = Band(page, zbtPageFooter);
  ForceTextRunOptions(*page);
  SetTextPrinterCodes(*page->Options(), page->Width(), page->Height());
  Label(detail, "Deger", 0, 5, "satir");
  ScratchFolder folder;
  for (const int option : {1, 3}) {
    TZRLabel* mark = Label(footer, "Isaret", 10, 6, "ISARET", "PRINTOPTION=" + std::to_string(option));
    mark->BeforePrint = TextLabelBeforePrint;
    page->Options()->SetDestination(zrdFile);
    page->Options()->SetFileName(folder.File("out.txt"));
    page->Print();
    TFileStream file(folder.File("out.txt"), fmOpenRead);
    std::string bytes(static_cast<size_t>(file.Size()), '\0');
    file.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
    std::string seen;
    size_t start = 0;
    for (size_t ff; (ff = bytes.find('\x0C', start)) != std::string::npos; start = ff + 1)
      seen += bytes.substr(start, ff - start).find("ISARET") != std::string::npos ? '+' : '-';
    ASSERT_GE(seen.size(), 2u) << bytes;
    const std::string allButLast(seen.size() - 1, option == 1 ? '-' : '+');
    EXPECT_EQ(seen, allButLast + (option == 1 ? '+' : '-')) << "PRINTOPTION=" << option << "\n" << bytes;
    delete mark;
    table->First();
  }
}

}  // namespace
