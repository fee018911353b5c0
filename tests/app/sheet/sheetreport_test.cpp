// The sheet report as the saved project shows it: pages, regions, bands and
// every cell's elements at their places, in inches.
#include <gtest/gtest.h>

#include <cmath>

#include "app/sheet/sheetreport.h"
#include "tests/support/rave/raveprojecttext.h"

namespace {

using rave_test::PageElements;
using rave_test::ParseProjectText;
using rave_test::TextObject;

constexpr double ReportA4Width = 210 / 25.4, ReportA4Height = 297 / 25.4;

struct ReportSheet {
  TSheetDocument document;
  TRaveProject project;
  TRaveFont font;

  ReportSheet(int columns, int rows, int pageRows) {
    document.SetCounts(columns, rows, pageRows);
    font.Name = "Tahoma";
    font.Size = 8;
    font.Bold = true;
  }
  // Row r, column c holds an EAN-13 code made of both.
  static AnsiString Code(int row, int column) {
    char text[16];
    std::snprintf(text, sizeof text, "8690%04d%04d", row, column);
    return text;
  }
  void FillCodes() {
    const TSheetSettings& s = document.Settings;
    for (int r = 1; r <= s.Satir; ++r)
      for (int c = 1; c <= s.Sutun; ++c)
        document.Tables.SetCell(stBarkod, r, c, Code(r, c));
  }
  std::unique_ptr<TextObject> Build() {
    project.Open();
    BuildSheetReport(document, font, {ReportA4Width, ReportA4Height}, project);
    return ParseProjectText(project.ComponentText());
  }
};

// The pages in the order the report prints them.
std::vector<const TextObject*> ReportPages(const TextObject& root) {
  std::vector<const TextObject*> pages{root.Child("Report1")->Child("Page1")};
  for (const TextObject* page = pages.back(); page && page->Props.count("GotoPage");) {
    page = root.Child(page->Prop("GotoPage"));
    if (page)
      pages.push_back(page);
  }
  return pages;
}

TEST(SheetReport, PageCountIsRowsOverRowsPerPageRoundedUp) {
  const int cases[][3] = {{7, 7, 1}, {20, 7, 3}, {21, 7, 3}, {22, 7, 4}, {5, 7, 1}, {1, 1, 1}, {500, 1, 500}};
  for (const auto& c : cases)
    EXPECT_EQ(SheetReportPageCount(c[0], c[1]), c[2]) << c[0] << " / " << c[1];
}

TEST(SheetReport, TwentyRowsAtSevenPerPageMakeThreeLinkedPages) {
  ReportSheet sheet(3, 20, 7);
  sheet.FillCodes();
  auto root = sheet.Build();
  ASSERT_TRUE(root);
  const auto pages = ReportPages(*root);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[1]->Name, "GlobalPage1");
  EXPECT_EQ(pages[2]->Name, "GlobalPage2");
  const char* regions[] = {"Region1", "Region2", "Region3"};
  const char* bands[] = {"DetailBand", "DetailBand2", "DetailBand3"};
  const int firstRows[] = {1, 8, 15}, rowCounts[] = {7, 7, 6};
  const TSheetSettings& s = sheet.document.Settings;
  for (int p = 0; p < 3; ++p) {
    SCOPED_TRACE(p);
    const TextObject* region = pages[p]->Child(regions[p]);
    ASSERT_TRUE(region);
    ASSERT_TRUE(region->Child(bands[p]));
    // The region is the page inside the margins, on every page Page1's size.
    EXPECT_NEAR(region->Number("Left"), s.SolBosluk / 25.4, 1e-6);
    EXPECT_NEAR(region->Number("Top"), s.UstBosluk / 25.4, 1e-6);
    EXPECT_NEAR(region->Number("Width"), ReportA4Width - (s.SolBosluk + s.SagBosluk) / 25.4, 1e-6);
    EXPECT_NEAR(region->Number("Height"), ReportA4Height - (s.UstBosluk + s.AltBosluk) / 25.4, 1e-6);
    EXPECT_NEAR(region->Child(bands[p])->Number("Height"), region->Number("Height"), 1e-6);
    const auto elements = PageElements(*pages[p]);
    ASSERT_EQ(elements.size(), static_cast<std::size_t>(rowCounts[p] * 3));
    for (int r = 1; r <= rowCounts[p]; ++r)
      for (int c = 1; c <= 3; ++c) {
        const TextObject* code = elements[(r - 1) * 3 + (c - 1)];
        EXPECT_EQ(code->Class, "TRaveEANBarCode");
        EXPECT_EQ(code->Prop("Text"), "'" + ReportSheet::Code(firstRows[p] + r - 1, c) + "'");
        // Placed at the position of its row on the page.
        EXPECT_NEAR(code->Number("Top"), ((s.Yukseklik + s.DikeyAralik) * (r - 1) + s.BarkodUst) / 25.4, 1e-6);
      }
  }
}

TEST(SheetReport, BarcodeOfColumnThreeStartsAtItsLabelsCornerPlusTheOffset) {
  ReportSheet sheet(3, 1, 1);
  TSheetSettings& s = sheet.document.Settings;
  s.Genislik = 63;
  s.YatayAralik = 3;
  s.BarkodSol = 5;
  s.BarkodUst = 7;
  s.BarGenisligi = 0.254;
  s.BarkodYukseklik = 12.7;
  sheet.document.Tables.SetCell(stBarkod, 1, 3, "869000000001");
  auto root = sheet.Build();
  const auto elements = PageElements(*root->Child("Report1")->Child("Page1"));
  ASSERT_EQ(elements.size(), 1u);
  EXPECT_NEAR(elements[0]->Number("Left"), 5.3937, 1e-4);  // 137 mm
  EXPECT_NEAR(elements[0]->Number("Top"), 7 / 25.4, 1e-6);
  EXPECT_NEAR(elements[0]->Number("BarWidth"), 0.01, 1e-6);
  EXPECT_NEAR(elements[0]->Number("BarHeight"), 0.5, 1e-6);
  EXPECT_EQ(elements[0]->Prop("AutoSize"), "True");
}

TEST(SheetReport, FlagsTypeAndFontGoToTheElements) {
  ReportSheet sheet(2, 2, 2);
  TSheetSettings& s = sheet.document.Settings;
  s.BarkodTipi = 3;  // Code39
  s.CheckSum = true;
  s.CheckSumYazdir = false;
  s.KodYaz = false;
  s.YaziKullan = true;
  s.YaziSol = 4;
  s.YaziUst = 20;
  s.FiyatKullan = true;
  s.FiyatSol = 30;
  s.FiyatUst = 25;
  sheet.font.Italic = true;
  sheet.document.Tables.SetCell(stBarkod, 2, 2, "AB12");
  sheet.document.Tables.SetCell(stYazi, 2, 2, "Çay Şekeri");
  sheet.document.Tables.SetCell(stFiyat, 2, 2, "2,50 KG");
  auto root = sheet.Build();
  const auto elements = PageElements(*root->Child("Report1")->Child("Page1"));
  ASSERT_EQ(elements.size(), 3u);
  EXPECT_EQ(elements[0]->Class, "TRaveCode39BarCode");
  EXPECT_EQ(elements[0]->Prop("UseChecksum"), "True");
  EXPECT_EQ(elements[0]->Prop("PrintChecksum"), "False");
  EXPECT_EQ(elements[0]->Prop("PrintReadable"), "False");
  const double cellLeft = (s.Genislik + s.YatayAralik), cellTop = (s.Yukseklik + s.DikeyAralik);
  const struct {
    const TextObject* element;
    double left, top;
    const char* text;
  } texts[] = {{elements[1], cellLeft + 4, cellTop + 20, "'Çay Şekeri'"}, {elements[2], cellLeft + 30, cellTop + 25, "'2,50 KG'"}};
  for (const auto& t : texts) {
    EXPECT_EQ(t.element->Class, "TRaveText");
    EXPECT_EQ(t.element->Prop("Text"), t.text);
    EXPECT_NEAR(t.element->Number("Left"), t.left / 25.4, 1e-6);
    EXPECT_NEAR(t.element->Number("Top"), t.top / 25.4, 1e-6);
    EXPECT_EQ(t.element->Prop("Font.Name"), "'Tahoma'");
    EXPECT_EQ(t.element->Prop("Font.Size"), "8");
    EXPECT_EQ(t.element->Prop("Font.Style"), "[fsBold, fsItalic]");
  }
}

TEST(SheetReport, EmptyBarcodePlacesNoNameOrPrice) {
  ReportSheet sheet(3, 2, 2);
  TSheetSettings& s = sheet.document.Settings;
  s.YaziKullan = s.FiyatKullan = true;
  for (int r = 1; r <= 2; ++r)
    for (int c = 1; c <= 3; ++c) {
      if (c != 2)
        sheet.document.Tables.SetCell(stBarkod, r, c, ReportSheet::Code(r, c));
      sheet.document.Tables.SetCell(stYazi, r, c, "Ad");
      sheet.document.Tables.SetCell(stFiyat, r, c, "1,00");
    }
  auto root = sheet.Build();
  const auto elements = PageElements(*root->Child("Report1")->Child("Page1"));
  // Two rows of two filled cells, three elements each.
  ASSERT_EQ(elements.size(), 12u);
  const double column2Left = (s.Genislik + s.YatayAralik) / 25.4, column3Left = 2 * column2Left;
  for (const TextObject* element : elements) {
    const double left = element->Number("Left");
    EXPECT_TRUE(left < column2Left || left >= column3Left) << element->Name << " at " << left;
  }
}

TEST(SheetReport, RebuildingFreesWhatWasOnPage1AndControlsComeBack) {
  ReportSheet sheet(1, 1, 1);
  sheet.document.Tables.SetCell(stBarkod, 1, 1, "869000000001");
  sheet.project.Open();
  TRavePage* page1 = sheet.project.FindPage("Report1.Page1");
  page1->Add<TRaveText>("Leftover");
  BuildSheetReport(sheet.document, sheet.font, {ReportA4Width, ReportA4Height}, sheet.project);
  ASSERT_EQ(page1->ChildCount(), 1);
  EXPECT_EQ(page1->Child(0)->Name(), "Region1");
  EXPECT_FALSE(sheet.document.Tables.RxMemBarkod().ControlsDisabled());
}

TEST(SheetReport, UnprintableCodeIsNamedByRowColumnAndCode) {
  ReportSheet sheet(3, 2, 2);
  sheet.FillCodes();
  EXPECT_EQ(FirstUnprintableSheetCode(sheet.document), "");
  sheet.document.Tables.SetCell(stBarkod, 2, 3, "12A");
  const AnsiString message = FirstUnprintableSheetCode(sheet.document);
  EXPECT_NE(message.find("2. satır, 3. sütundaki \"12A\" kodu EAN"), AnsiString::npos) << message;
  // Another type that takes the code prints it.
  sheet.document.Settings.BarkodTipi = 2;  // Code128
  EXPECT_EQ(FirstUnprintableSheetCode(sheet.document), "");
  // Columns past the count do not print, so they are not checked.
  sheet.document.Settings.BarkodTipi = 0;
  sheet.document.Settings.Sutun = 2;
  EXPECT_EQ(FirstUnprintableSheetCode(sheet.document), "");
}

}  // namespace
