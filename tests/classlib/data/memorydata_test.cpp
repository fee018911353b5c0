// TRxMemoryData: taking structure and records from other data sets.
#include "classlib/data/fielddefs.h"
#include "classlib/data/numericfields.h"
#include "classlib/data/stringfield.h"
#include "datatestutil.h"

namespace {

class LoadTest : public TableFixture {
protected:
  void SetUp() override {
    TableFixture::SetUp();
    Table->Open();
    AddRows({{"Ali", 30}, {"Berk", 20}, {"Can", 40}});
  }
  std::vector<std::string> NamesOf(TDataSet& data) {
    std::vector<std::string> names;
    for (data.First(); !data.Eof(); data.Next())
      names.push_back(data.FieldByName("NAME")->AsString());
    return names;
  }
};

TEST_F(LoadTest, CopyTakesStructureAndEveryRecord) {
  TRxMemoryData copy(nullptr);
  EXPECT_EQ(copy.LoadFromDataSet(Table, 0, lmCopy), 3);
  EXPECT_EQ(NamesOf(copy), (std::vector<std::string>{"Ali", "Berk", "Can"}));
  EXPECT_EQ(copy.FieldByName("NAME")->Size(), 20);
  EXPECT_EQ(copy.FieldByName("AGE")->DataType(), ftInteger);
  copy.Last();
  EXPECT_EQ(copy.FieldByName("AGE")->AsInteger(), 40);
}

TEST_F(LoadTest, AppendMatchesFieldsByNameAndCountsFromTheCurrentRecord) {
  TRxMemoryData target(nullptr);
  target.FieldDefs()->Add("EXTRA", ftString, 5);
  target.FieldDefs()->Add("NAME", ftString, 3);  // shorter: values are cut
  target.Open();
  Table->First();
  Table->Next();
  EXPECT_EQ(target.LoadFromDataSet(Table, 2, lmAppend), 2);
  EXPECT_EQ(NamesOf(target), (std::vector<std::string>{"Ber", "Can"}));
  target.First();
  EXPECT_TRUE(target.FieldByName("EXTRA")->IsNull());
}

TEST_F(LoadTest, CopyStructureFollowsPersistentFields) {
  TComponent form(nullptr);
  auto* host = new TRxMemoryData(&form);
  auto* code = new TStringField(&form);
  code->SetFieldName("KOD");
  code->SetSize(13);
  code->SetDataSet(host);
  auto* count = new TIntegerField(&form);
  count->SetFieldName("ADET");
  count->SetFieldKind(fkCalculated);
  count->SetDataSet(host);
  TRxMemoryData copy(nullptr);
  copy.CopyStructure(host);
  ASSERT_EQ(copy.FieldDefs()->Count(), 1);  // calculated fields have no column
  EXPECT_EQ(copy.FieldDefs()->Items(0)->Name(), "KOD");
  EXPECT_EQ(copy.FieldDefs()->Items(0)->Size(), 13);
}

TEST_F(LoadTest, LoadingFromItselfDoesNothing) {
  EXPECT_EQ(Table->LoadFromDataSet(Table, 0, lmAppend), 0);
  EXPECT_EQ(Table->RecordCount(), 3);
}

}  // namespace
