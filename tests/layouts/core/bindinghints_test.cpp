#include "layouts/core/bindinghints.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "classlib/classes/component.h"
#include "classlib/classes/typinfo.h"
#include "classlib/system/formatsettings.h"

// A printable's stand-in: a component that publishes its Hint.
class THintedSample : public TComponent {
  DECLARE_CLASS(THintedSample, TComponent)

public:
  explicit THintedSample(TComponent* AOwner) : TComponent(AOwner) {}
  AnsiString Hint;
};

BEGIN_PUBLISHED(THintedSample)
  PROPERTY(Hint, Hint, Hint),
END_PUBLISHED

namespace {

TEST(BindingHint, ReadsValuesWhateverTheLetterCaseOfTheName) {
  const TBindingHint hint("dataset=ETIKET\r\nDataField=METIN1\r\nGRUPADI=ETIKET\r\nparametre=BARKOD_TEST1");
  EXPECT_EQ(hint.DataSet(), "ETIKET");
  EXPECT_EQ(hint.DataField(), "METIN1");
  EXPECT_EQ(hint.GrupAdi(), "ETIKET");
  EXPECT_EQ(hint.Parametre(), "BARKOD_TEST1");
  EXPECT_EQ(hint.Value("Datafield"), "METIN1");
}

TEST(BindingHint, ADataSetWithoutADataFieldBindsTheDataSetOnly) {
  const TBindingHint hint("DATASET=ETIKET\r\n");
  EXPECT_EQ(hint.DataSet(), "ETIKET");
  EXPECT_EQ(hint.DataField(), "");
  EXPECT_FALSE(hint.HasName(HintDataField));
}

TEST(BindingHint, ValuesSplitAtTheFirstEqualsSign) {
  const TBindingHint hint("PARAMETRE=A=B\nDATASET=X");
  EXPECT_EQ(hint.Parametre(), "A=B");
  EXPECT_EQ(hint.DataSet(), "X");
}

TEST(BindingHint, WritingReplacesAppendsAndAnEmptyValueRemovesTheLine) {
  TBindingHint hint("DATASET=ETIKET\r\nDATAFIELD=METIN1\r\nGRUPADI=ETIKET\r\n");
  hint.SetValue("datafield", "METIN2");
  EXPECT_EQ(hint.DataField(), "METIN2");
  hint.SetValue(HintParametre, "BARKOD_TEST1");
  EXPECT_EQ(hint.Text(), "DATASET=ETIKET\r\ndatafield=METIN2\r\nGRUPADI=ETIKET\r\nPARAMETRE=BARKOD_TEST1\r\n");

  // Removing a binding removes its lines, not just their values.
  hint.SetValue(HintDataSet, "");
  hint.SetValue(HintDataField, "");
  hint.SetValue(HintGrupAdi, "");
  EXPECT_EQ(hint.Text(), "PARAMETRE=BARKOD_TEST1\r\n");
  EXPECT_FALSE(hint.HasName(HintDataSet));
  hint.SetValue(HintParametre, "");
  EXPECT_EQ(hint.Text(), "");
}

TEST(BindingHint, RemovingANameRemovesEveryLineOfIt) {
  TBindingHint hint("DATASET=ETIKET\r\nDATAFIELD=METIN1\r\ndataset=ESKI\r\n");
  hint.SetValue(HintDataSet, "");
  EXPECT_FALSE(hint.HasName(HintDataSet));
  EXPECT_EQ(hint.Text(), "DATAFIELD=METIN1\r\n");
}

TEST(BindingHint, RemovingANameThatIsAbsentLeavesTheHintAlone) {
  TBindingHint hint("free text that is no binding");
  hint.SetValue(HintDataSet, "");
  EXPECT_EQ(hint.Text(), "free text that is no binding");
}

TEST(BindingHint, PrintOptionIsFourWhenAbsentOrNoOptionNumber) {
  struct Case {
    const char* Hint;
    TPrintOption Expected;
  };
  const Case cases[] = {
      {"", poEveryPage},
      {"PRINTOPTION=0", poOnlyFirstPage},
      {"printoption=1", poOnlyLastPage},
      {"PRINTOPTION=2", poNotFirstPage},
      {"DATASET=ETIKET\r\nPRINTOPTION=3", poNotLastPage},
      {"PRINTOPTION=4", poEveryPage},
      {"PRINTOPTION=", poEveryPage},
      {"PRINTOPTION=abc", poEveryPage},
      {"PRINTOPTION=1.5", poEveryPage},
      {"PRINTOPTION=7", poEveryPage},
      {"PRINTOPTION=-1", poEveryPage},
      {"PRINTOPTION=99999999999999999999", poEveryPage},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TBindingHint(c.Hint).PrintOption(), c.Expected) << c.Hint;
}

TEST(BindingHint, PrintOptionWrittenAsItsDigit) {
  TBindingHint hint("DATASET=ETIKET");
  hint.SetPrintOption(poNotLastPage);
  EXPECT_EQ(hint.Value(HintPrintOption), "3");
  EXPECT_EQ(hint.PrintOption(), poNotLastPage);
}

TEST(PageHint, AnInvoicePageIsOneWithTheNameHareketSayisi) {
  EXPECT_TRUE(TBindingHint("HAREKETSAYISI=12").IsInvoicePage());
  EXPECT_TRUE(TBindingHint("hareketsayisi=").IsInvoicePage());
  EXPECT_FALSE(TBindingHint("HAREKETBASLANGIC=40\r\nHAREKETALANIYUKSEKLIK=100").IsInvoicePage());
  EXPECT_FALSE(TBindingHint("").IsInvoicePage());
}

TEST(PageHint, LineCountFallsBackToTenWhenMissingBadOrNotPositive) {
  struct Case {
    const char* Hint;
    int Expected;
  };
  const Case cases[] = {
      {"HAREKETSAYISI=12", 12}, {"HAREKETSAYISI=", 10}, {"", 10},
      {"HAREKETSAYISI=on", 10}, {"HAREKETSAYISI=0", 10}, {"HAREKETSAYISI=-5", 10},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TBindingHint(c.Hint).HareketSayisi(), c.Expected) << c.Hint;
}

TEST(PageHint, AreaHeightFallsBackToAHundred) {
  EXPECT_DOUBLE_EQ(TBindingHint("HAREKETALANIYUKSEKLIK=120").HareketAlaniYukseklik(), 120);
  EXPECT_DOUBLE_EQ(TBindingHint("").HareketAlaniYukseklik(), 100);
  EXPECT_DOUBLE_EQ(TBindingHint("HAREKETALANIYUKSEKLIK=yok").HareketAlaniYukseklik(), 100);
  EXPECT_DOUBLE_EQ(TBindingHint("HAREKETALANIYUKSEKLIK=0").HareketAlaniYukseklik(), 100);
}

// A layout made on a Turkish machine holds "37,5", one made elsewhere "37.5":
// both read alike whatever this machine's locale is.
TEST(PageHint, AreaHeightReadsEitherDecimalSeparatorUnderEitherLocale) {
  for (const TFormatSettings& settings : {TurkishFormatSettings(), USFormatSettings()}) {
    FormatSettingsScope scope(settings);
    SCOPED_TRACE(std::string("decimal separator ") + settings.DecimalSeparator);
    EXPECT_DOUBLE_EQ(TBindingHint("HAREKETALANIYUKSEKLIK=37,5").HareketAlaniYukseklik(), 37.5);
    EXPECT_DOUBLE_EQ(TBindingHint("HAREKETALANIYUKSEKLIK=37.5").HareketAlaniYukseklik(), 37.5);
    EXPECT_DOUBLE_EQ(TBindingHint("HAREKETALANIYUKSEKLIK=1.234,5").HareketAlaniYukseklik(), 100);
  }
}

TEST(PrintOption, OnAGraphicPageOfThree) {
  struct Case {
    TPrintOption Option;
    bool Page1, Page2, Page3;
  };
  const Case cases[] = {
      {poOnlyFirstPage, true, false, false}, {poOnlyLastPage, false, false, true},
      {poNotFirstPage, false, true, true},   {poNotLastPage, true, true, false},
      {poEveryPage, true, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintsOnGraphicPage(c.Option, 1, 3), c.Page1) << c.Option;
    EXPECT_EQ(PrintsOnGraphicPage(c.Option, 2, 3), c.Page2) << c.Option;
    EXPECT_EQ(PrintsOnGraphicPage(c.Option, 3, 3), c.Page3) << c.Option;
  }
}

TEST(PrintOption, OnATextPageTheLastPageIsARecordCounterOfZero) {
  struct Case {
    TPrintOption Option;
    int Page, RecordCounter;
    bool Prints;
  };
  const Case cases[] = {
      {poOnlyFirstPage, 1, 5, true}, {poOnlyFirstPage, 2, 0, false},
      {poOnlyLastPage, 1, 5, false}, {poOnlyLastPage, 2, 0, true},
      {poNotFirstPage, 1, 0, false}, {poNotFirstPage, 2, 5, true},
      {poNotLastPage, 1, 5, true},   {poNotLastPage, 2, 0, false},
      {poEveryPage, 1, 0, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PrintsOnTextPage(c.Option, c.Page, c.RecordCounter), c.Prints) << c.Option << " " << c.Page;
}

TEST(DataTextTags, PositiveTagsPickACharacterNegativeOnesARecord) {
  EXPECT_EQ(DBTextCharacterPosition(3), 3);
  EXPECT_EQ(DBTextCharacterPosition(0), 0);
  EXPECT_EQ(DBTextCharacterPosition(-2), 0);
  EXPECT_EQ(DBTextRecordNumber(-2), 2);
  EXPECT_EQ(DBTextRecordNumber(3), 0);
  EXPECT_EQ(DBTextRecordNumber(0), 0);
  // The extremes of the tag's range neither overflow nor turn negative.
  EXPECT_GT(DBTextRecordNumber(std::numeric_limits<long long>::min()), 0);
  EXPECT_GT(DBTextCharacterPosition(std::numeric_limits<long long>::max()), 0);
}

TEST(ComponentHint, ReadAndWrittenThroughThePublishedHint) {
  THintedSample label(nullptr);
  label.Hint = "DATASET=ETIKET\r\nDATAFIELD=METIN1\r\n";
  TBindingHint hint;
  ASSERT_TRUE(ReadComponentHint(&label, hint));
  EXPECT_EQ(hint.DataField(), "METIN1");
  hint.SetValue(HintDataField, "");
  hint.SetPrintOption(poOnlyLastPage);
  ASSERT_TRUE(WriteComponentHint(&label, hint));
  EXPECT_EQ(label.Hint, "DATASET=ETIKET\r\nPRINTOPTION=1\r\n");
}

TEST(ComponentHint, AComponentWithoutAHintHasNoBinding) {
  TComponent plain(nullptr);
  TBindingHint hint("DATASET=X");
  EXPECT_FALSE(ReadComponentHint(&plain, hint));
  EXPECT_EQ(hint.DataSet(), "X");
  EXPECT_FALSE(WriteComponentHint(&plain, hint));
  EXPECT_FALSE(ReadComponentHint(nullptr, hint));
}

TEST(LayoutNames, PagesRunnerHandlersAndMarker) {
  EXPECT_EQ(ReportPageName(1), "Report1");
  EXPECT_EQ(ReportPageName(12), "Report12");
  EXPECT_STREQ(TextLayoutMarkerName, "CheckZReport");
  // Nine distinct handler names, as layouts bind them.
  for (size_t i = 0; i < RunnerHandlerNames.size(); ++i)
    for (size_t j = i + 1; j < RunnerHandlerNames.size(); ++j)
      EXPECT_STRNE(RunnerHandlerNames[i], RunnerHandlerNames[j]);
}

}  // namespace
