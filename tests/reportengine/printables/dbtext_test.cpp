// The data text printable: the field text through masks under the Turkish
// settings, memo fields through the lines, a field that is not there, a
// failure while reading, the captions between runs and right-to-left only
// for text-like fields.
#include <gtest/gtest.h>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/system/datetime.h"
#include "classlib/system/formatsettings.h"
#include "reportengine/printables/qrdbtext.h"
#include "tests/reportengine/printables/label_runfixture.h"
#include "tests/support/formfixture.h"

namespace {

class DataText : public ::testing::Test {
protected:
  DataText() : settings(TurkishFormatSettings()) {}

  void SetUp() override {
    table = new TRxMemoryData(form.Host());
    table->FieldDefs()->Add("ADI", ftString, 30);
    table->FieldDefs()->Add("ADET", ftInteger);
    table->FieldDefs()->Add("KISA", ftSmallint);
    table->FieldDefs()->Add("FIYAT", ftFloat);
    table->FieldDefs()->Add("TUTAR", ftCurrency);
    table->FieldDefs()->Add("TARIH", ftDate);
    table->FieldDefs()->Add("ZAMAN", ftDateTime);
    table->FieldDefs()->Add("NOT", ftMemo);
    table->Open();
    table->Append();
    table->FieldByName("ADI")->SetAsString("Şeker");
    table->FieldByName("ADET")->SetAsInteger(5);
    table->FieldByName("KISA")->SetAsInteger(-7);
    table->FieldByName("FIYAT")->SetAsFloat(1234.5);
    table->FieldByName("TUTAR")->SetAsFloat(12.25);
    table->FieldByName("TARIH")->SetAsDateTime(EncodeDate(2026, 12, 11));
    table->FieldByName("ZAMAN")->SetAsDateTime(EncodeDate(2026, 12, 11) + EncodeTime(14, 30, 0, 0));
    table->FieldByName("NOT")->SetAsString("birinci satır\r\nikinci satır");
    table->Post();
  }

  TQRDBText* Bound(const AnsiString& field, const AnsiString& mask = "") {
    auto* text = new TQRDBText(form.Host());
    text->SetParent(form.Host());
    text->SetDataSet(table);
    text->SetDataField(field);
    text->SetMask(mask);
    text->Prepare();
    return text;
  }

  AnsiString TextOf(const AnsiString& field, const AnsiString& mask = "") {
    TQRDBText* text = Bound(field, mask);
    AnsiString result = "<none>";
    text->GetDataText(result);
    text->Unprepare();
    return result;
  }

  FormatSettingsScope settings;
  test_support::FormFixture form;
  TRxMemoryData* table = nullptr;
};

TEST_F(DataText, FieldsPrintThroughTheirMasksWithTheTurkishSeparators) {
  struct Case {
    const char* field;
    const char* mask;
    const char* text;
  } cases[] = {
      {"ADET", "0.00", "5,00"},
      {"ADET", "", "5"},
      {"KISA", "#,##0;(#,##0)", "(7)"},
      {"FIYAT", "#,##0.00", "1.234,50"},
      {"FIYAT", "0", "1235"},
      {"TUTAR", "#,##0.00", "12,25"},
      {"TARIH", "dd/mm/yyyy", "11.12.2026"},
      {"TARIH", "d mmmm yyyy", "11 Aralık 2026"},
      {"ZAMAN", "dd.mm.yyyy hh:nn", "11.12.2026 14:30"},
      // A string field ignores the mask.
      {"ADI", "0.00", "Şeker"},
      {"adi", "", "Şeker"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TextOf(c.field, c.mask), c.text) << c.field << " " << c.mask;
}

TEST_F(DataText, AMemoFieldGoesToTheLinesAndLeavesTheCaptionTextEmpty) {
  TQRDBText* text = Bound("NOT");
  EXPECT_TRUE(text->HoldsMemo());
  EXPECT_FALSE(text->IsCaptionBased());
  AnsiString data = "x";
  text->GetDataText(data);
  EXPECT_EQ(data, "");
  ASSERT_EQ(text->Lines()->Count(), 2);
  EXPECT_EQ(text->Lines()->Strings(0), "birinci satır");
  EXPECT_EQ(text->Lines()->Strings(1), "ikinci satır");
  text->Unprepare();
}

// A memo binding ends with its run: afterwards the design surface shows the
// field's name, not the last record's memo lines, and a later run bound to
// a field that is not there prints nothing rather than those old lines.
TEST_F(DataText, AMemoBindingEndsWithTheRun) {
  TQRDBText* text = Bound("NOT");
  AnsiString data;
  text->GetDataText(data);
  ASSERT_EQ(text->Lines()->Count(), 2);
  text->Unprepare();
  EXPECT_FALSE(text->HoldsMemo());
  EXPECT_TRUE(text->IsCaptionBased());
  ASSERT_EQ(text->LaidOutLines()->Count(), 1);
  EXPECT_EQ(text->LaidOutLines()->Strings(0), "NOT");

  text->SetDataField("YOK");
  text->Prepare();
  EXPECT_FALSE(text->HoldsMemo());
  int height = 0;
  text->MeasureHeight(height);
  ASSERT_EQ(text->LaidOutLines()->Count(), 1);
  EXPECT_EQ(text->LaidOutLines()->Strings(0), "");
  text->Unprepare();
}

TEST_F(DataText, AFieldThatIsNotThereBindsNothingAndShowsItsNameAfterTheRun) {
  TQRDBText* text = Bound("YOK");
  EXPECT_FALSE(text->FieldFound());
  EXPECT_EQ(text->BoundField(), nullptr);
  AnsiString data = "x";
  text->GetDataText(data);
  EXPECT_EQ(data, "");
  text->Unprepare();
  EXPECT_EQ(text->Caption(), "YOK");
  EXPECT_EQ(text->DataField(), "YOK");
}

TEST_F(DataText, WithoutADataFieldTheNameShowsAndTheFieldStaysEmpty) {
  auto* text = new TQRDBText(form.Host());
  text->SetParent(form.Host());
  text->SetName("QRDBText1");
  text->SetDataSet(table);
  text->Prepare();
  text->Unprepare();
  EXPECT_EQ(text->Caption(), "QRDBText1");
  EXPECT_EQ(text->DataField(), "");
}

TEST_F(DataText, ReadingAFieldOfAClosedDataSetGivesEmptyText) {
  TQRDBText* text = Bound("ADET", "0.00");
  table->Close();
  AnsiString data = "x";
  EXPECT_NO_THROW(text->GetDataText(data));
  EXPECT_EQ(data, "");
  text->Unprepare();
}

// A memo that cannot be read prints no lines, not the lines of the record
// read before it.
TEST_F(DataText, AMemoThatCannotBeReadLeavesNoLinesOfTheRecordBefore) {
  TQRDBText* text = Bound("NOT");
  AnsiString data;
  text->GetDataText(data);
  ASSERT_EQ(text->Lines()->Count(), 2);
  table->Close();
  EXPECT_NO_THROW(text->GetDataText(data));
  EXPECT_EQ(data, "");
  EXPECT_EQ(text->Lines()->Count(), 0);
  text->Unprepare();
}

TEST_F(DataText, AFreedDataSetIsForgotten) {
  TQRDBText* text = Bound("ADET");
  text->Unprepare();
  table->Free();
  table = nullptr;
  EXPECT_EQ(text->DataSet(), nullptr);
}

TEST_F(DataText, RightToLeftAlignsOnlyTextLikeFields) {
  struct Case {
    const char* field;
    bool rightToLeft;
  } cases[] = {{"ADI", true}, {"NOT", true}, {"ADET", false}, {"FIYAT", false}, {"TARIH", false}};
  for (const Case& c : cases) {
    TQRDBText* text = Bound(c.field);
    text->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(text->UsesRightToLeftAlignment(), c.rightToLeft) << c.field;
    text->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(text->UsesRightToLeftAlignment()) << c.field;
    text->Unprepare();
  }
  // Unbound, right to left holds.
  auto* text = new TQRDBText(form.Host());
  text->SetBiDiMode(bdRightToLeft);
  EXPECT_TRUE(text->UsesRightToLeftAlignment());
}

TEST_F(DataText, TheDataFieldShowsAsTheCaption) {
  auto* text = new TQRDBText(form.Host());
  text->SetParent(form.Host());
  text->SetDataField("FIYAT");
  EXPECT_EQ(text->Caption(), "FIYAT");
  text->SetMask("0.00");
  EXPECT_EQ(text->Caption(), "FIYAT");
}

}  // namespace

namespace {

// In a run each record's field prints through the mask, and a memo field
// with AutoStretch grows its band over its lines.
TEST(QRDBTextRun, EachRecordPrintsItsFieldAndAMemoFieldStretches) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  printables_test::ReportRun run;
  run.table->FieldDefs()->Add("ADET", ftInteger);
  run.table->FieldDefs()->Add("NOT", ftMemo);
  run.Open();
  struct Row {
    int count;
    const char* note;
  } rows[] = {{5, "a1\r\na2\r\na3"}, {12, "b1"}};
  for (const Row& row : rows) {
    run.table->Append();
    run.table->FieldByName("ADET")->SetAsInteger(row.count);
    run.table->FieldByName("NOT")->SetAsString(row.note);
    run.table->Post();
  }
  auto* count = run.Add<TQRDBText>(run.detail, 10, 2, 100, 16);
  count->SetDataSet(run.table);
  count->SetDataField("ADET");
  count->SetMask("0.00");
  auto* note = run.Add<TQRDBText>(run.detail, 150, 2, 200, 16);
  note->SetDataSet(run.table);
  note->SetDataField("NOT");
  note->SetAutoSize(false);
  note->SetAutoStretch(true);
  std::vector<std::vector<std::string>> pages = run.Run();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], (std::vector<std::string>{"5,00", "a1", "a2", "a3", "12,00", "b1"}));
  EXPECT_EQ(count->Caption(), "ADET");
  EXPECT_EQ(note->Caption(), "NOT");
}

}  // namespace

namespace {

// The band's height pre-calculation asks a data text for the height its
// data needs: a memo field's lines, or the caption's wrapped lines.
TEST_F(DataText, MeasuresTheHeightItsDataNeeds) {
  struct Case {
    const char* field;
    int width;
    int lines;
  } cases[] = {{"NOT", 500, 2}, {"ADI", 500, 1}, {"ADI", 3, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    TQRDBText* text = Bound(c.field);
    text->SetAutoSize(false);
    text->SetWidth(c.width);
    text->TextWidthOverride = [](const AnsiString& s) { return static_cast<int>(s.size()); };
    text->LineHeightOverride = [] { return 13; };
    int height = 0;
    text->MeasureHeight(height);
    EXPECT_EQ(height, c.lines * 13);
    EXPECT_TRUE(text->StretchesWithData());
    text->Unprepare();
  }
}

}  // namespace
