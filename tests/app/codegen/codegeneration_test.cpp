// Numbered codes written into the label table: appended or written over the
// labels there, fixed texts first and the code last, 64-bit numbers read
// from the typed text, and every refusal made before a label changes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/codegen/codegeneration.h"
#include "app/recordtables.h"
#include "classlib/data/field.h"
#include "classlib/system/formatsettings.h"

namespace {

using Texts = std::vector<AnsiString>;

struct LabelTable {
  LabelTable() : labels(nullptr) {
    DefineLabelFields(labels);
    labels.Open();
  }
  void AddLabel(const AnsiString& metin1, const AnsiString& metin2 = "") {
    labels.Append();
    labels.FieldByName("METIN1")->SetAsString(metin1);
    labels.FieldByName("METIN2")->SetAsString(metin2);
    labels.Post();
  }
  void AddPlaceholderAtTop() {
    labels.First();
    labels.Insert();
    labels.FieldByName("BAS")->SetAsBoolean(true);
    labels.Post();
  }
  // The given field of every label, top to bottom.
  Texts Column(int number) {
    Texts texts;
    for (labels.First(); !labels.Eof(); labels.Next())
      texts.push_back(labels.FieldByName(RecordFieldName(number))->AsString());
    return texts;
  }
  TRxMemoryData labels;
};

TCodeRequest Request(const char* start, const char* step, int digits, const char* count) {
  TCodeRequest r;
  r.Start = start;
  r.Step = step;
  r.DigitIndex = digits - 1;
  r.Count = count;
  return r;
}

TEST(CodeGeneration, AppendedCodesFollowTheExamples) {
  // A fraction is typed with the locale's decimal separator.
  const AnsiString twelvePointNine = AnsiString("12") + FormatSettings.DecimalSeparator + "9";
  struct Case {
    AnsiString start;
    const char* step;
    int digits;
    const char* prefix;
    const char* suffix;
    const char* count;
    Texts codes;
  } cases[] = {
      {"1", "1", 5, "A", "-X", "3", {"A00001-X", "A00002-X", "A00003-X"}},
      {"100", "-30", 2, "", "", "5", {"100", "70", "40", "10", "-20"}},
      {"-7", "1", 3, "", "", "2", {"-007", "-006"}},
      {twelvePointNine, "1", 2, "", "", "2", {"12", "13"}},
      {"869000000001", "1", 12, "", "", "3", {"869000000001", "869000000002", "869000000003"}},
      {"8690000000012", "1000000000000", 13, "", "", "2", {"8690000000012", "9690000000012"}},
      {"9223372036854775806", "1", 1, "", "", "2", {"9223372036854775806", "9223372036854775807"}},
      {"-9223372036854775808", "1", 20, "", "", "1", {"-09223372036854775808"}},
      {"5", "1", 21, "", "", "1", {"000000000000000000005"}},
  };
  for (const Case& c : cases) {
    LabelTable t;
    TCodeRequest r = Request(c.start.c_str(), c.step, c.digits, c.count);
    r.Prefix = c.prefix;
    r.Suffix = c.suffix;
    EXPECT_EQ(GenerateCodes(t.labels, r), "") << c.start;
    EXPECT_EQ(t.Column(1), c.codes) << c.start;
    // New labels are ordinary labels.
    for (t.labels.First(); !t.labels.Eof(); t.labels.Next())
      EXPECT_TRUE(t.labels.FieldByName("BAS")->IsNull()) << c.start;
    EXPECT_FALSE(t.labels.ControlsDisabled());
  }
}

TEST(CodeGeneration, NumbersAreReadFromTheTextWithTheLocalesSeparators) {
  const char savedDecimal = FormatSettings.DecimalSeparator, savedThousands = FormatSettings.ThousandSeparator;
  FormatSettings.DecimalSeparator = ',';
  FormatSettings.ThousandSeparator = '.';
  struct Case {
    const char* text;
    std::optional<std::int64_t> value;
  } cases[] = {{"12,9", 12},
               {" -12,9 ", -12},
               {"869.000.000.001", 869000000001},
               {"", 0},
               {"+4", 4},
               {"9223372036854775807", INT64_MAX},
               {"-9223372036854775808", INT64_MIN},
               {"9223372036854775808", std::nullopt},
               {"99999999999999999999999", std::nullopt},
               {"1,2,3", std::nullopt},
               {"12a", std::nullopt},
               {"1e5", std::nullopt}};
  for (const Case& c : cases)
    EXPECT_EQ(ReadWholeNumberText(c.text), c.value) << c.text;
  FormatSettings.DecimalSeparator = savedDecimal;
  FormatSettings.ThousandSeparator = savedThousands;
}

TEST(CodeGeneration, OverwriteRewritesEveryLabelAndIgnoresTheCount) {
  LabelTable t;
  for (const char* text : {"a", "b", "c", "d"})
    t.AddLabel(text, AnsiString("old ") + text);
  TCodeRequest r = Request("7", "2", 3, "1");
  r.Overwrite = true;
  r.FieldIndex = 2;  // "Metin 3"
  r.FixedTexts[0] = "sabit";
  EXPECT_EQ(GenerateCodes(t.labels, r), "");
  EXPECT_EQ(t.Column(3), (Texts{"007", "009", "011", "013"}));
  EXPECT_EQ(t.Column(1), (Texts{"sabit", "sabit", "sabit", "sabit"}));
  // A field with neither a fixed text nor the code keeps its old text.
  EXPECT_EQ(t.Column(2), (Texts{"old a", "old b", "old c", "old d"}));
}

TEST(CodeGeneration, OverwritePassesOverPlaceholders) {
  LabelTable t;
  t.AddLabel("x");
  t.AddLabel("y");
  t.AddPlaceholderAtTop();
  t.AddPlaceholderAtTop();
  TCodeRequest r = Request("1", "1", 2, "1");
  r.Overwrite = true;
  EXPECT_EQ(GenerateCodes(t.labels, r), "");
  EXPECT_EQ(t.Column(1), (Texts{"", "", "01", "02"}));
  Texts placeholders;
  for (t.labels.First(); !t.labels.Eof(); t.labels.Next())
    placeholders.push_back(t.labels.FieldByName("BAS")->AsBoolean() ? "yes" : "no");
  EXPECT_EQ(placeholders, (Texts{"yes", "yes", "no", "no"}));
}

TEST(CodeGeneration, TheCodeWinsOverAFixedTextOfItsField) {
  LabelTable t;
  TCodeRequest r = Request("3", "1", 1, "1");
  r.FixedTexts[0] = "sabit 1";
  r.FixedTexts[9] = "sabit 10";
  EXPECT_EQ(GenerateCodes(t.labels, r), "");
  EXPECT_EQ(t.Column(1), (Texts{"3"}));
  EXPECT_EQ(t.Column(10), (Texts{"sabit 10"}));
  EXPECT_EQ(t.Column(2), (Texts{""}));
}

TEST(CodeGeneration, RefusedRequestsChangeNoLabel) {
  const AnsiString range = "Oluşturulacak numaralar -9223372036854775808 ile 9223372036854775807 arasında kalmalıdır.";
  const AnsiString field = "Barkodun Oluşturulacağı Alan için \"Metin 1\" ile \"Metin 20\" arasından bir alan seçiniz.";
  const AnsiString tooLong = "Oluşturulacak barkod 200 karakterden uzun olamaz; basamak sayısını veya başına ve sonuna "
                             "eklenenleri kısaltınız.";
  struct Case {
    const char* name;
    TCodeRequest request;
    AnsiString message;
  };
  std::vector<Case> cases = {
      {"count 0", Request("1", "1", 12, "0"), "Oluşturulacak etiket miktarını giriniz."},
      {"count -2", Request("1", "1", 12, "-2"), "Oluşturulacak etiket miktarını giriniz."},
      {"count text", Request("1", "1", 12, "beş"), "Oluşturulacak etiket miktarını giriniz."},
      {"count too large", Request("1", "1", 12, "10001"), "En fazla 10000 adet girilebilir."},
      {"count past 64 bits", Request("1", "1", 12, "99999999999999999999"), "En fazla 10000 adet girilebilir."},
      {"past the top", Request("9223372036854775807", "1", 12, "2"), range},
      {"past the bottom", Request("-9223372036854775807", "-2", 12, "2"), range},
      {"start past 64 bits", Request("9223372036854775808", "1", 12, "1"), range},
      {"start text", Request("abc", "1", 12, "1"), "Lütfen geçerli bir tamsayı giriniz."},
      {"step text", Request("1", "x", 12, "1"), "Lütfen geçerli bir tamsayı giriniz."},
  };
  Case bas{"target BAS", Request("1", "1", 12, "1"), field};
  bas.request.FieldIndex = 20;
  cases.push_back(bas);
  Case none{"no target", Request("1", "1", 12, "1"), field};
  none.request.FieldIndex = -1;
  cases.push_back(none);
  Case longCode{"code of 201", Request("1", "1", 21, "1"), tooLong};
  longCode.request.Prefix = AnsiString(90, 'P');
  longCode.request.Suffix = AnsiString(90, 'S');
  cases.push_back(longCode);
  // The last code is the long one here.
  Case lastLong{"last code long", Request("99", "1", 2, "2"), tooLong};
  lastLong.request.Prefix = AnsiString(198, 'P');
  cases.push_back(lastLong);
  for (const Case& c : cases) {
    LabelTable t;
    t.AddLabel("kalır");
    EXPECT_EQ(GenerateCodes(t.labels, c.request), c.message) << c.name;
    EXPECT_EQ(t.Column(1), (Texts{"kalır"})) << c.name;
    EXPECT_FALSE(t.labels.ControlsDisabled()) << c.name;
  }
  // A code of exactly 200 characters is taken.
  LabelTable fits;
  TCodeRequest r = Request("99", "1", 2, "1");
  r.Prefix = AnsiString(198, 'P');
  EXPECT_EQ(GenerateCodes(fits.labels, r), "");
  EXPECT_EQ(fits.Column(1), (Texts{AnsiString(198, 'P') + "99"}));
}

TEST(CodeGeneration, OverwriteNeedsALabelThatIsNoPlaceholder) {
  LabelTable t;
  TCodeRequest r = Request("1", "1", 12, "0");
  r.Overwrite = true;
  EXPECT_EQ(GenerateCodes(t.labels, r), "Hiç etiket eklenmemiş.");
  t.AddPlaceholderAtTop();
  EXPECT_EQ(GenerateCodes(t.labels, r), "Hiç etiket eklenmemiş.");
  EXPECT_EQ(t.Column(1), (Texts{""}));
}

}  // namespace
