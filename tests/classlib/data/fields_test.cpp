// Field classes: values, conversions, texts, ranges and their errors.
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>

#include "classlib/classes/streams.h"
#include "classlib/data/blobfields.h"
#include "classlib/data/booleanfield.h"
#include "classlib/data/datetimefields.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/numericfields.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/data/stringfield.h"
#include "classlib/system/formatsettings.h"
#include "gtest/gtest.h"

namespace {

class FieldTest : public testing::Test {
protected:
  void SetUp() override {
    table = new TRxMemoryData(&owner);
    table->SetName("T");
    TFieldDefs* defs = table->FieldDefs();
    defs->Add("S", ftString, 5);
    defs->Add("SI", ftSmallint);
    defs->Add("I", ftInteger);
    defs->Add("W", ftWord);
    defs->Add("L", ftLargeint);
    defs->Add("F", ftFloat);
    defs->Add("C", ftCurrency);
    defs->Add("BC", ftBCD, 4);
    defs->Add("B", ftBoolean);
    defs->Add("D", ftDate);
    defs->Add("TM", ftTime);
    defs->Add("DT", ftDateTime);
    defs->Add("M", ftMemo);
    defs->Add("G", ftGraphic);
    defs->Add("A", ftAutoInc);
    table->Open();
    table->Append();
  }
  TField* F(const char* name) { return table->FieldByName(name); }

  FormatSettingsScope turkish{TurkishFormatSettings()};
  TComponent owner{nullptr};
  TRxMemoryData* table = nullptr;
};

TEST_F(FieldTest, DefaultFieldsHaveTheClassOfTheirType) {
  const std::pair<const char*, const char*> classes[] = {
      {"S", "TStringField"},    {"SI", "TSmallintField"}, {"I", "TIntegerField"},  {"W", "TWordField"},
      {"L", "TLargeintField"},  {"F", "TFloatField"},     {"C", "TCurrencyField"}, {"BC", "TBCDField"},
      {"B", "TBooleanField"},   {"D", "TDateField"},      {"TM", "TTimeField"},    {"DT", "TDateTimeField"},
      {"M", "TMemoField"},      {"G", "TGraphicField"},   {"A", "TAutoIncField"}};
  for (auto [name, className] : classes)
    EXPECT_EQ(F(name)->ClassName(), className) << name;
  EXPECT_EQ(F("S")->Size(), 5);
  EXPECT_EQ(F("I")->FieldNo(), 3);
  EXPECT_EQ(F("I")->Index(), 2);
  EXPECT_EQ(F("I")->Alignment(), taRightJustify);
  EXPECT_EQ(F("S")->Alignment(), taLeftJustify);
}

TEST_F(FieldTest, EveryFieldStartsNull) {
  for (TField* field : table->Fields()) {
    if (field->FieldName() == "A")
      continue;
    EXPECT_TRUE(field->IsNull()) << field->FieldName();
    EXPECT_TRUE(VarIsNull(field->Value())) << field->FieldName();
  }
  EXPECT_EQ(F("S")->AsString(), "");
  EXPECT_EQ(F("I")->AsInteger(), 0);
  EXPECT_EQ(F("F")->AsFloat(), 0.0);
  EXPECT_FALSE(F("B")->AsBoolean());
}

struct TextCase {
  const char* Field;
  std::function<void(TField*)> Set;
  const char* AsString;
  const char* DisplayText;
};

TEST_F(FieldTest, ValuesAndTheirTexts) {
  const TextCase cases[] = {
      {"S", [](TField* f) { f->SetAsString("abcdefgh"); }, "abcde", "abcde"},
      {"S", [](TField* f) { f->SetAsInteger(42); }, "42", "42"},
      {"SI", [](TField* f) { f->SetAsString("-123"); }, "-123", "-123"},
      {"I", [](TField* f) { f->SetAsFloat(2.5); }, "2", "2"},
      {"I", [](TField* f) { f->SetValue(Variant(7)); }, "7", "7"},
      {"W", [](TField* f) { f->SetAsInteger(65535); }, "65535", "65535"},
      {"L", [](TField* f) { f->SetAsString("9000000000"); }, "9000000000", "9000000000"},
      {"F", [](TField* f) { f->SetAsFloat(1.5); }, "1,5", "1,5"},
      {"F", [](TField* f) { f->SetAsString("0,25"); }, "0,25", "0,25"},
      {"C", [](TField* f) { f->SetAsFloat(3); }, "3", "3,00 TL"},
      {"BC", [](TField* f) { f->SetAsString("12,3456"); }, "12,3456", "12,3456"},
      {"B", [](TField* f) { f->SetAsBoolean(true); }, "True", "True"},
      {"B", [](TField* f) { f->SetAsString("f"); }, "False", "False"},
      {"D", [](TField* f) { f->SetAsDateTime(EncodeDate(2024, 2, 29) + 0.5); }, "29.02.2024", "29.02.2024"},
      {"TM", [](TField* f) { f->SetAsDateTime(EncodeTime(13, 5, 9, 0)); }, "13:05:09", "13:05:09"},
      {"DT", [](TField* f) { f->SetAsDateTime(EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 58, 0)); },
       "31.12.1999 23:59:58", "31.12.1999 23:59:58"},
      {"M", [](TField* f) { f->SetAsString("line1\r\nline2"); }, "line1\r\nline2", "(MEMO)"},
      {"G", [](TField* f) { f->SetAsString("BM"); }, "BM", "(GRAPHIC)"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(c.Field);
    TField* field = F(c.Field);
    field->Clear();
    c.Set(field);
    EXPECT_EQ(field->AsString(), c.AsString);
    EXPECT_EQ(field->DisplayText(), c.DisplayText);
    EXPECT_FALSE(field->IsNull());
  }
}

TEST_F(FieldTest, DatesBeforeTheEpochKeepTheirTimeOfDay) {
  TDateTime value = -1.25;  // 1899-12-29 06:00
  F("DT")->SetAsDateTime(value);
  EXPECT_DOUBLE_EQ(F("DT")->AsDateTime(), value);
  F("D")->SetAsDateTime(value);
  EXPECT_DOUBLE_EQ(F("D")->AsDateTime(), -1.0);
}

TEST_F(FieldTest, FormatsAndDisplayValues) {
  auto* amount = static_cast<TNumericField*>(F("F"));
  amount->SetDisplayFormat("#,##0.00");
  amount->SetEditFormat("0.0");
  amount->SetAsFloat(1234.5);
  EXPECT_EQ(amount->DisplayText(), "1.234,50");
  EXPECT_EQ(amount->Text(), "1234,5");
  auto* flag = static_cast<TBooleanField*>(F("B"));
  flag->SetDisplayValues("X;");
  flag->SetAsBoolean(true);
  EXPECT_EQ(flag->DisplayText(), "X");
  flag->SetAsBoolean(false);
  EXPECT_EQ(flag->DisplayText(), "");
  flag->SetAsString("x");
  EXPECT_TRUE(flag->AsBoolean());
  auto* date = static_cast<TDateTimeField*>(F("D"));
  date->SetDisplayFormat("yyyy/mm");
  date->SetAsDateTime(EncodeDate(2020, 7, 1));
  EXPECT_EQ(date->DisplayText(), "2020.07");
  EXPECT_EQ(date->Text(), "01.07.2020");
  F("S")->OnGetText = [](TField* f, AnsiString& text, bool display) { text = display ? "[shown]" : "[edited]"; };
  EXPECT_EQ(F("S")->DisplayText(), "[shown]");
  EXPECT_EQ(F("S")->Text(), "[edited]");
}

struct ErrorCase {
  const char* Field;
  std::function<void(TField*)> Set;
  const char* Message;
};

TEST_F(FieldTest, ValuesOutsideTheTypeAreRefused) {
  const ErrorCase cases[] = {
      {"SI", [](TField* f) { f->SetAsInteger(40000); },
       "40000 is not a valid value for field 'SI'. The allowed range is -32768 to 32767"},
      {"W", [](TField* f) { f->SetAsInteger(-1); },
       "-1 is not a valid value for field 'W'. The allowed range is 0 to 65535"},
      {"B", [](TField* f) { f->SetAsString("maybe"); }, "'maybe' is not a valid boolean value for field 'B'"},
      {"B", [](TField* f) { f->SetAsFloat(1.5); }, "Cannot access field 'B' as type Float"},
      {"D", [](TField* f) { f->SetAsInteger(1); }, "Cannot access field 'D' as type Integer"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.Message);
    try {
      c.Set(F(c.Field));
      ADD_FAILURE() << "no error";
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message, c.Message);
    }
  }
  auto* limited = static_cast<TIntegerField*>(F("I"));
  limited->SetMinValue(1);
  limited->SetMaxValue(9);
  EXPECT_THROW(limited->SetAsInteger(10), EDatabaseError);
  limited->SetAsInteger(9);
  EXPECT_EQ(limited->AsInteger(), 9);
  EXPECT_THROW(F("I")->SetAsString("12x"), EConvertError);
}

TEST_F(FieldTest, DatesBeyondTheRecordsRangeAreRefused) {
  F("D")->SetAsDateTime(100);
  F("DT")->SetAsDateTime(100.5);
  for (const char* name : {"D", "TM", "DT"})
    for (double value : {1e300, -3e9, std::numeric_limits<double>::quiet_NaN(),
                         std::numeric_limits<double>::infinity()}) {
      SCOPED_TRACE(name);
      EXPECT_THROW(F(name)->SetAsDateTime(value), EInvalidOp) << value;
    }
  EXPECT_EQ(F("D")->AsDateTime(), 100);
  EXPECT_EQ(F("DT")->AsDateTime(), 100.5);
}

TEST_F(FieldTest, OnValidateSeesTheNewValueAndCanRefuseIt) {
  F("I")->SetAsInteger(1);
  std::vector<int> seen;
  F("I")->OnValidate = [&](TField* f) {
    seen.push_back(f->AsInteger());
    if (f->AsInteger() < 0)
      throw EDatabaseError("negative");
  };
  int changes = 0;
  F("I")->OnChange = [&](TField*) { ++changes; };
  F("I")->SetAsInteger(5);
  EXPECT_THROW(F("I")->SetAsInteger(-5), EDatabaseError);
  EXPECT_EQ(seen, (std::vector<int>{5, -5}));
  EXPECT_EQ(F("I")->AsInteger(), 5);
  EXPECT_EQ(changes, 1);
}

TEST_F(FieldTest, BlobsGoThroughStreams) {
  auto* picture = static_cast<TBlobField*>(F("G"));
  std::string bytes("\x42\x4D\x00\x01\xFF", 5);
  TMemoryStream in;
  in.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
  in.SetPosition(0);
  picture->LoadFromStream(in);
  EXPECT_EQ(picture->BlobSize(), 5);
  table->Post();
  table->First();
  TMemoryStream out;
  picture->SaveToStream(out);
  ASSERT_EQ(out.Size(), 5);
  EXPECT_EQ(std::memcmp(out.Memory(), bytes.data(), 5), 0);
  table->Edit();
  picture->Clear();
  EXPECT_TRUE(picture->IsNull());
  EXPECT_EQ(picture->DisplayText(), "(Graphic)");
}

TEST_F(FieldTest, AutoIncNumbersPostedRows) {
  table->Post();
  table->Append();
  table->Post();
  EXPECT_EQ(F("A")->AsInteger(), 2);
  table->First();
  EXPECT_EQ(F("A")->AsInteger(), 1);
}

TEST_F(FieldTest, AutoIncCounterWrapsAfterTheLargestInteger) {
  F("A")->SetAsInteger(INT32_MAX);
  table->Post();
  table->Append();
  table->Post();
  EXPECT_EQ(F("A")->AsInteger(), INT32_MIN);
}

TEST_F(FieldTest, AssignCopiesAValueBetweenFields) {
  F("S")->SetAsString("12");
  F("I")->Assign(F("S"));
  EXPECT_EQ(F("I")->AsInteger(), 12);
  F("S")->Assign(nullptr);
  EXPECT_TRUE(F("S")->IsNull());
}

}  // namespace
