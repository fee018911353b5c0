// The raw record: exact bytes of string slots, the defensive reader, and a
// raw record copied from one table into another as the record file does.
#include <cstring>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/recordlayout.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/system/codepage.h"
#include "gtest/gtest.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class RawRecordTest : public testing::Test {
protected:
  void SetUp() override {
    table = new TRxMemoryData(&owner);
    table->FieldDefs()->Add("KOD", ftString, 3);
    table->FieldDefs()->Add("METIN", ftString, 200);
    table->Open();
  }
  void AddRecord(const AnsiString& kod, const AnsiString* metin) {
    table->Append();
    table->FieldByName("KOD")->SetAsString(kod);
    if (metin != nullptr)
      table->FieldByName("METIN")->SetAsString(*metin);
    table->Post();
  }
  // Puts raw bytes into a new record and posts it.
  void AppendRaw(const Bytes& raw) {
    table->Append();
    table->SetRawRecord(raw.data(), raw.size());
    table->Post();
  }

  TComponent owner{nullptr};
  TRxMemoryData* table = nullptr;
};

TEST_F(RawRecordTest, TwoStringFieldsGiveTheExactBytes) {
  ASSERT_EQ(table->RecordSize(), (1 + 3 + 1) + (1 + 200 + 1));
  const AnsiString metin = Utf16ToAnsi(u"Şeker ığdır");
  AddRecord("ABCD", &metin);  // cut to 3 characters
  Bytes expected(207, 0);
  expected[0] = 1;
  std::memcpy(&expected[1], "ABC", 3);
  expected[5] = 1;
  std::memcpy(&expected[6], metin.data(), metin.size());
  EXPECT_EQ(table->GetRawRecord(), expected);
  EXPECT_EQ(static_cast<unsigned char>(expected[6]), 0xDE);  // "Ş" in code page 1254
}

TEST_F(RawRecordTest, AFieldNeverSetHasAZeroFlagAndAnEmptyTextAFlagOfOne) {
  AddRecord("", nullptr);
  Bytes raw = table->GetRawRecord();
  EXPECT_EQ(raw[0], 1);
  EXPECT_EQ(raw[5], 0);
  EXPECT_EQ(Bytes(raw.begin() + 1, raw.begin() + 5), Bytes(4, 0));
  EXPECT_FALSE(table->FieldByName("KOD")->IsNull());
  EXPECT_TRUE(table->FieldByName("METIN")->IsNull());
  EXPECT_EQ(table->FieldByName("METIN")->AsString(), "");
}

TEST_F(RawRecordTest, TheReaderTakesAnyNonZeroFlagAsSet) {
  Bytes raw(207, 0);
  raw[0] = 7;
  std::memcpy(&raw[1], "XY", 2);
  raw[5] = 0xFF;
  AppendRaw(raw);
  EXPECT_EQ(table->FieldByName("KOD")->AsString(), "XY");
  EXPECT_FALSE(table->FieldByName("METIN")->IsNull());
  Bytes stored = table->GetRawRecord();
  EXPECT_EQ(stored[0], 1);
  EXPECT_EQ(stored[5], 1);
}

TEST_F(RawRecordTest, ATextWithoutItsZeroStopsAtSize) {
  Bytes raw(207, 0);
  raw[0] = 1;
  std::memcpy(&raw[1], "ABCD", 4);  // the zero byte is missing
  raw[5] = 1;
  std::memset(&raw[6], 'x', 201);   // no zero anywhere in the slot
  AppendRaw(raw);
  EXPECT_EQ(table->FieldByName("KOD")->AsString(), "ABC");
  EXPECT_EQ(table->FieldByName("METIN")->AsString(), AnsiString(200, 'x'));
  Bytes stored = table->GetRawRecord();
  EXPECT_EQ(stored[4], 0);
  EXPECT_EQ(stored[206], 0);
}

TEST_F(RawRecordTest, BytesAfterTheZeroAreDropped) {
  Bytes raw(207, 0);
  raw[0] = 1;
  raw[1] = 'A';
  raw[3] = 'Z';  // after the terminating zero
  AppendRaw(raw);
  EXPECT_EQ(table->FieldByName("KOD")->AsString(), "A");
  EXPECT_EQ(table->GetRawRecord()[3], 0);
}

TEST_F(RawRecordTest, AShortOrLongBufferIsRefusedAndChangesNothing) {
  Bytes shortRaw(206, 1);
  table->Append();
  table->FieldByName("KOD")->SetAsString("OK");
  EXPECT_THROW(table->SetRawRecord(shortRaw.data(), shortRaw.size()), EDatabaseError);
  Bytes longRaw(208, 1);
  EXPECT_THROW(table->SetRawRecord(longRaw.data(), longRaw.size()), EDatabaseError);
  EXPECT_THROW(table->SetRawRecord(nullptr, 207), EDatabaseError);
  EXPECT_EQ(table->FieldByName("KOD")->AsString(), "OK");
  table->Post();
  EXPECT_EQ(table->RecordCount(), 1);
}

TEST_F(RawRecordTest, RawWritesNeedEditOrInsertMode) {
  Bytes raw(207, 0);
  EXPECT_THROW(table->SetRawRecord(raw.data(), raw.size()), EDatabaseError);
  EXPECT_THROW(table->GetRawRecord(), EDatabaseError);  // empty table
}

TEST_F(RawRecordTest, RecordsCopiedRawArriveWhole) {
  const AnsiString metin = "satir";
  AddRecord("A1", &metin);
  AddRecord("B2", nullptr);
  TRxMemoryData copy(nullptr);
  copy.CopyStructure(table);
  copy.Open();
  for (table->First(); !table->Eof(); table->Next()) {
    Bytes raw = table->GetRawRecord();
    copy.Append();
    copy.SetRawRecord(raw.data(), raw.size());
    copy.Post();
  }
  copy.First();
  EXPECT_EQ(copy.FieldByName("KOD")->AsString(), "A1");
  EXPECT_EQ(copy.FieldByName("METIN")->AsString(), "satir");
  copy.Next();
  EXPECT_EQ(copy.FieldByName("KOD")->AsString(), "B2");
  EXPECT_TRUE(copy.FieldByName("METIN")->IsNull());
}

TEST(RecordLayoutTest, SizesOfEveryTypeFollowThePlatform) {
  TComponent owner(nullptr);
  auto* table = new TRxMemoryData(&owner);
  struct Column {
    const char* Name;
    TFieldType Type;
    int Size;
    int Bytes;  // flag included
  };
  const Column columns[] = {{"S", ftString, 10, 12},  {"SI", ftSmallint, 0, 3}, {"I", ftInteger, 0, 5},
                            {"W", ftWord, 0, 3},      {"B", ftBoolean, 0, 3},   {"F", ftFloat, 0, 9},
                            {"C", ftCurrency, 0, 9},  {"BC", ftBCD, 4, 9},      {"D", ftDate, 0, 5},
                            {"T", ftTime, 0, 5},      {"DT", ftDateTime, 0, 9}, {"A", ftAutoInc, 0, 5},
                            {"L", ftLargeint, 0, 9},  {"M", ftMemo, 0, 0},      {"G", ftGraphic, 0, 0}};
  int expected = 0;
  for (const Column& c : columns) {
    table->FieldDefs()->Add(c.Name, c.Type, c.Size);
    expected += c.Bytes;
  }
  table->Open();
  EXPECT_EQ(table->RecordSize(), expected);
  const TRecordLayout& layout = table->RecordLayout();
  int offset = 0;
  for (int i = 0; i < static_cast<int>(std::size(columns)); ++i) {
    const TRecordSlot* slot = layout.SlotOf(i + 1);
    if (columns[i].Bytes == 0) {
      EXPECT_EQ(slot, nullptr) << columns[i].Name;
      continue;
    }
    ASSERT_NE(slot, nullptr) << columns[i].Name;
    EXPECT_EQ(slot->Offset, offset) << columns[i].Name;
    offset += columns[i].Bytes;
  }
  EXPECT_EQ(layout.BlobCount(), 2);
}

TEST(RecordLayoutTest, StringSlotHelpers) {
  std::uint8_t slot[1 + 4 + 1];
  std::memset(slot, 0xAA, sizeof slot);
  WriteStringSlot(slot, 4, "abcdef", true);
  EXPECT_EQ(Bytes(slot, slot + sizeof slot), (Bytes{1, 'a', 'b', 'c', 'd', 0}));
  AnsiString text;
  EXPECT_TRUE(ReadStringSlot(slot, 4, text));
  EXPECT_EQ(text, "abcd");
  WriteStringSlot(slot, 4, "abc", false);
  EXPECT_EQ(Bytes(slot, slot + sizeof slot), Bytes(6, 0));
  EXPECT_FALSE(ReadStringSlot(slot, 4, text));
  EXPECT_EQ(text, "");
}

}  // namespace
