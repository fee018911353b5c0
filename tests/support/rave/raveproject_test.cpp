// The report project: page lookup, global pages and their links, names,
// the text form and the barcode symbols of the six element kinds.
#include <gtest/gtest.h>

#include "support/rave/ravebarcode.h"
#include "support/rave/raveproject.h"
#include "tests/support/rave/raveprojecttext.h"
#include "tests/support/scratchfolder.h"

namespace {

TEST(RaveProject, OpenGivesReport1WithAnEmptyPage1AndCloseFreesEverything) {
  TRaveProject project;
  EXPECT_EQ(project.FindPage("Report1.Page1"), nullptr);
  project.Open();
  TRavePage* page = project.FindPage("Report1.Page1");
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->ChildCount(), 0);
  EXPECT_EQ(page->FullName(), "Report1.Page1");
  EXPECT_EQ(project.FindPage("Report2.Page1"), nullptr);
  EXPECT_EQ(project.FindPage("Page1"), nullptr);
  project.Close();
  EXPECT_FALSE(project.Active());
  EXPECT_EQ(project.FindPage("Report1.Page1"), nullptr);
}

TEST(RaveProject, GlobalPagesAreNumberedFoundUnderTheReportNameAndChainedByGotoPage) {
  TRaveProject project;
  project.Open();
  TRavePage* page1 = project.FindPage("Report1.Page1");
  TRavePage* first = project.NewGlobalPage();
  TRavePage* second = project.NewGlobalPage();
  EXPECT_EQ(first->Name(), "GlobalPage1");
  EXPECT_EQ(project.FindPage("Report1.GlobalPage1"), first);
  EXPECT_EQ(project.FindPage("Report1.GlobalPage2"), second);
  EXPECT_EQ(project.FindPage("Report1.GlobalPage3"), nullptr);
  // Without links only Page1 prints; the links make the chain.
  EXPECT_EQ(project.PageChain("Report1"), std::vector<TRavePage*>{page1});
  page1->GotoPage = first;
  first->GotoPage = second;
  EXPECT_EQ(project.PageChain("Report1"), (std::vector<TRavePage*>{page1, first, second}));
  // A link back ends the chain rather than printing for ever.
  second->GotoPage = page1;
  EXPECT_EQ(project.PageChain("Report1").size(), 3u);
  // Reopening starts the numbering again.
  project.Open();
  EXPECT_EQ(project.NewGlobalPage()->Name(), "GlobalPage1");
  EXPECT_EQ(project.NewName("Text"), "Text1");
}

TEST(RaveProject, NewNamesCountPerBase) {
  TRaveProject project;
  project.Open();
  EXPECT_EQ(project.NewName("Text"), "Text1");
  EXPECT_EQ(project.NewName("EANBarCode"), "EANBarCode1");
  EXPECT_EQ(project.NewName("Text"), "Text2");
}

TEST(RaveProject, TextFormHoldsEveryComponentWithItsPropertiesAndSavesAsIs) {
  TRaveProject project;
  project.Open();
  TRavePage* page = project.FindPage("Report1.Page1");
  page->PageWidth = 8.25;
  auto* region = page->Add<TRaveRegion>("Region1");
  region->Left = 0.25;
  auto* band = region->Add<TRaveBand>("DetailBand");
  auto* code = band->Add<TRaveBaseBarCode>("Code39BarCode1", TRaveBarCodeKind::Code39);
  code->Text = "AB-12";
  auto* text = band->Add<TRaveText>("Text1");
  text->Text = "Çay 'Şeker'";
  text->Font.Name = "Tahoma";
  text->Font.Size = 9;
  text->Font.Bold = true;
  text->Font.Italic = true;
  const AnsiString saved = project.ComponentText();
  auto root = rave_test::ParseProjectText(saved);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->Name, "RvProject1");
  const auto* report = root->Child("Report1");
  ASSERT_TRUE(report);
  const auto* page1 = report->Child("Page1");
  ASSERT_TRUE(page1);
  EXPECT_EQ(page1->Class, "TRavePage");
  EXPECT_DOUBLE_EQ(page1->Number("PageWidth"), 8.25);
  const auto elements = rave_test::PageElements(*page1);
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements[0]->Class, "TRaveCode39BarCode");
  EXPECT_EQ(elements[0]->Prop("Text"), "'AB-12'");
  EXPECT_EQ(elements[0]->Prop("TextJustify"), "pjCenter");
  EXPECT_EQ(elements[1]->Class, "TRaveText");
  EXPECT_EQ(elements[1]->Prop("Text"), "'Çay ''Şeker'''");
  EXPECT_EQ(elements[1]->Prop("Font.Name"), "'Tahoma'");
  EXPECT_EQ(elements[1]->Prop("Font.Size"), "9");
  EXPECT_EQ(elements[1]->Prop("Font.Style"), "[fsBold, fsItalic]");
  EXPECT_DOUBLE_EQ(page1->Child("Region1")->Number("Left"), 0.25);

  ScratchFolder folder;
  project.SaveToFile(folder.File("Rave.rav"));
  const FileBytes bytes = ReadFileBytes(folder.File("Rave.rav"));
  EXPECT_EQ(AnsiString(bytes.begin(), bytes.end()), saved);
  EXPECT_THROW(project.SaveToFile(folder.File("missing/Rave.rav")), Exception);
}

TEST(RaveProject, QuotedTextsKeepControlCharactersOutsideTheQuotes) {
  EXPECT_EQ(RaveQuoted(""), "''");
  EXPECT_EQ(RaveQuoted("a\rb"), "'a'#13'b'");
  EXPECT_EQ(RaveQuoted("\t"), "#9");
}

TEST(RaveProject, ClassNamesOfTheSixBarcodeKinds) {
  const std::pair<TRaveBarCodeKind, const char*> cases[] = {
      {TRaveBarCodeKind::EAN, "TRaveEANBarCode"},       {TRaveBarCodeKind::UPC, "TRaveUPCBarCode"},
      {TRaveBarCodeKind::Code128, "TRaveCode128BarCode"}, {TRaveBarCodeKind::Code39, "TRaveCode39BarCode"},
      {TRaveBarCodeKind::PostNet, "TRavePostNetBarCode"}, {TRaveBarCodeKind::I2of5, "TRaveI2of5BarCode"}};
  for (auto [kind, name] : cases) {
    EXPECT_STREQ(RaveBarCodeClassName(kind), name);
    EXPECT_EQ("TRave" + RaveBarCodeNameBase(kind), name);
  }
}

struct SymbolCase {
  TRaveBarCodeKind kind;
  const char* text;
  bool useChecksum, printChecksum, printReadable;
  const char* readable;  // nullptr: refused
};

TEST(RaveBarcode, SymbolsAndTheirReadableTexts) {
  const SymbolCase cases[] = {
      // EAN-13 from 12 digits gets its check digit, which shows only when asked.
      {TRaveBarCodeKind::EAN, "869000000001", false, true, true, "8690000000012"},
      {TRaveBarCodeKind::EAN, "869000000001", false, false, true, "869000000001"},
      {TRaveBarCodeKind::EAN, "8690000000012", false, true, true, "8690000000012"},
      {TRaveBarCodeKind::EAN, "8690000000016", false, true, true, nullptr},  // wrong check digit
      {TRaveBarCodeKind::EAN, "9638507", false, true, true, "96385074"},     // EAN-8
      {TRaveBarCodeKind::EAN, "12A", false, true, true, nullptr},
      {TRaveBarCodeKind::EAN, "12345", false, true, true, nullptr},
      {TRaveBarCodeKind::UPC, "03600029145", false, true, true, "036000291452"},
      {TRaveBarCodeKind::Code128, "Ab-12", false, true, true, "Ab-12"},
      {TRaveBarCodeKind::Code39, "ABC", false, true, true, "ABC"},
      {TRaveBarCodeKind::Code39, "abc", false, true, true, nullptr},
      {TRaveBarCodeKind::PostNet, "12345", false, true, true, "123455"},
      {TRaveBarCodeKind::PostNet, "12345", false, false, true, "12345"},
      {TRaveBarCodeKind::PostNet, "1234", false, true, true, nullptr},
      {TRaveBarCodeKind::I2of5, "1234", false, true, true, "1234"},
      {TRaveBarCodeKind::I2of5, "123", false, true, true, nullptr},
      {TRaveBarCodeKind::EAN, "869000000001", false, true, false, ""},  // no text at all
  };
  for (const SymbolCase& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.readable == nullptr) {
      EXPECT_THROW(EncodeRaveSymbol(c.kind, c.text, c.useChecksum, c.printChecksum, c.printReadable), EStBarCodeError);
      continue;
    }
    const TRaveSymbol symbol = EncodeRaveSymbol(c.kind, c.text, c.useChecksum, c.printChecksum, c.printReadable);
    EXPECT_EQ(symbol.Readable, c.readable);
    EXPECT_FALSE(symbol.Pattern.Elements.empty());
  }
}

TEST(RaveBarcode, CheckSumSwitchAddsTheOptionalCheckCharacters) {
  // Code 39 and 2 of 5 carry an optional check character: "CheckSum Kullan"
  // adds it, "CheckSum Yazdır" shows it.
  const TRaveSymbol without = EncodeRaveSymbol(TRaveBarCodeKind::Code39, "ABC", false, true, true);
  const TRaveSymbol with = EncodeRaveSymbol(TRaveBarCodeKind::Code39, "ABC", true, true, true);
  const TRaveSymbol hidden = EncodeRaveSymbol(TRaveBarCodeKind::Code39, "ABC", true, false, true);
  EXPECT_GT(with.Pattern.Elements.size(), without.Pattern.Elements.size());
  EXPECT_EQ(with.Readable.size(), 4u);
  EXPECT_EQ(hidden.Readable, "ABC");
  EXPECT_EQ(hidden.Pattern.Elements, with.Pattern.Elements);
  const TRaveSymbol odd = EncodeRaveSymbol(TRaveBarCodeKind::I2of5, "123", true, true, true);
  EXPECT_EQ(odd.Readable.size(), 4u);
}

}  // namespace
