#include "layouts/core/pickerlists.h"

#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/strings.h"

namespace {

std::unique_ptr<TStringList> LinesOf(std::initializer_list<const char*> Lines) {
  auto list = std::make_unique<TStringList>();
  for (const char* line : Lines)
    list->Add(line);
  return list;
}

TEST(FieldListLine, SplitsSixCellsAndSkipsCommentsAndBlankLines) {
  struct Case {
    const char* Line;
    std::vector<TFieldListEntry> Expected;
  };
  const Case cases[] = {
      {"ETIKET|Etiket|STOK|Stok Kartlari|STOKKODU|Stok Kodu|",
       {{"ETIKET", "Etiket", "STOK", "Stok Kartlari", "STOKKODU", "Stok Kodu"}}},
      {"ETIKET|Etiket|STOK|Stok Kartlari|FIYAT|Fiyat", {{"ETIKET", "Etiket", "STOK", "Stok Kartlari", "FIYAT", "Fiyat"}}},
      // Missing cells are empty.
      {"ETIKET|Etiket|STOK", {{"ETIKET", "Etiket", "STOK", "", "", ""}}},
      {"// ETIKET|Etiket|STOK|Stok|KOD|Kod", {}},
      {"   \t ", {}},
      {"", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ReadFieldListLine(c.Line), c.Expected) << c.Line;
}

TEST(FieldListLine, AGroupListGivesOneEntryPerGroupCodeSharingTheField) {
  EXPECT_EQ(ReadFieldListLine("FAT,IRS|Fatura,Irsaliye|FATBAS,IRSBAS|Fatura Basligi,Irsaliye Basligi|BELGENO|Belge No|"),
            (std::vector<TFieldListEntry>{
                {"FAT", "Fatura", "FATBAS", "Fatura Basligi", "BELGENO", "Belge No"},
                {"IRS", "Irsaliye", "IRSBAS", "Irsaliye Basligi", "BELGENO", "Belge No"}}));
  // Short text and table lists are padded with empty entries.
  EXPECT_EQ(ReadFieldListLine("A,B,C|Alfa|TA|Tablo A|KOD|Kod"),
            (std::vector<TFieldListEntry>{{"A", "Alfa", "TA", "Tablo A", "KOD", "Kod"},
                                          {"B", "", "", "", "KOD", "Kod"},
                                          {"C", "", "", "", "KOD", "Kod"}}));
}

TEST(FieldListLine, CodesAndTextsAreNeverCut) {
  const AnsiString code(300, 'K');
  const AnsiString text(700, 't');
  const auto entries = ReadFieldListLine("G|Grup|T|Tablo|" + code + "|" + text);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].FieldCode, code);
  EXPECT_EQ(entries[0].FieldText, text);
}

TEST(FieldList, TextsGoThroughTheTranslateHookAndCodesDoNot) {
  const auto lines = LinesOf({"ETIKET|Etiket|STOK|Stok|METIN1|Metin 1|", "", "ETIKET|Etiket|STOK|Stok|METIN2|Metin 2"});
  const auto entries = ReadFieldList(*lines, [](const AnsiString& Text) { return "<" + Text + ">"; });
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1], (TFieldListEntry{"ETIKET", "<Etiket>", "STOK", "<Stok>", "METIN2", "<Metin 2>"}));
}

TEST(ParameterList, SkipsBlankLinesAndTakesALineWithoutABarAsACode) {
  const auto lines = LinesOf({"BARKOD_TEST1|Dozuri Test", "", "  ", "FIRMA", "TARIH|Tarih|fazla"});
  EXPECT_EQ(ReadParameterList(*lines),
            (std::vector<TParameterEntry>{{"BARKOD_TEST1", "Dozuri Test"}, {"FIRMA", ""}, {"TARIH", "Tarih"}}));
  const AnsiString longCode(200, 'P');
  EXPECT_EQ(ReadParameterList(*LinesOf({(longCode + "|Uzun").c_str()})).front().Code, longCode);
}

TEST(InvoiceKeyMerge, ReplacesOnlyNamesTheHintHas) {
  struct Case {
    const char* Hint;
    const char* Result;
    const char* Expected;
  };
  const Case cases[] = {
      {"HAREKETBASLANGIC=50\r\nHAREKETSAYISI=20\r\nX=1\r\n", "HAREKETBASLANGIC=60\r\nHAREKETALANIYUKSEKLIK=90\r\nHAREKETSAYISI=12",
       "HAREKETBASLANGIC=60\r\nHAREKETSAYISI=12\r\nX=1\r\n"},
      // Names compare without regard to letter case.
      {"hareketsayisi=5\r\n", "HAREKETSAYISI=7", "HAREKETSAYISI=7\r\n"},
      // A page without invoice keys stays as it was.
      {"DATASET=STOK", "HAREKETBASLANGIC=60\r\nHAREKETSAYISI=12", "DATASET=STOK"},
      // A line without a name ("=" first) or without "=" is no key.
      {"A=1\r\n", "=5\r\nA", "A=1\r\n"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MergeKnownHintLines(c.Hint, c.Result), c.Expected) << c.Hint;
}

}  // namespace
