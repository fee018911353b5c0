// TStDbBarCode: the code follows a field of the current record through a
// data source, and the data source reference streams.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/classes/reader.h"
#include "support/barcode/components/stdbbarcode.h"
#include "tests/support/barcode_components/componenttesting.h"
#include "tests/support/barcode_components/labeltable.h"
#include "tests/support/barcode_components/rendertesting.h"

namespace {

TEST(StDbBarCodeComponent, PublishesTheBarcodePropertiesAndTheDataBinding) {
  ExpectBarcodeProperties(TStDbBarCode::StaticClass());
  EXPECT_TRUE(TStDbBarCode::StaticClass()->InheritsFrom(TStBarCode::StaticClass()));
  PPropInfo source = GetPropInfo(TStDbBarCode::StaticClass(), "DataSource");
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->Kind(), tkClass);
  PPropInfo field = GetPropInfo(TStDbBarCode::StaticClass(), "DataField");
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->Kind(), tkLString);
}

// A label table with METIN1 holding one code per record.
class DbBarcodeFixture : public testing::Test {
protected:
  void SetUp() override {
    RegisterBarcodeTestClasses();
    TLabelTable::RegisterClasses();
    RegisterClass(TStDbBarCode::StaticClass());
    root.SetName("Layout");
    table = std::make_unique<TLabelTable>(&root, std::vector<std::string>{"123456789012", "869000000001", "400638133393"});
    barcode = new TStDbBarCode(&root);
    barcode->SetName("Barkod1");
    barcode->SetBarCodeType(bcEAN_13);
    barcode->SetCode("000000000000");
  }

  void Bind() {
    barcode->SetDataSource(table->Source());
    barcode->SetDataField("METIN1");
  }

  TBarcodeTestRoot root{nullptr};
  std::unique_ptr<TLabelTable> table;
  TStDbBarCode* barcode = nullptr;
};

TEST_F(DbBarcodeFixture, CodeFollowsTheCurrentRecord) {
  Bind();
  EXPECT_EQ(barcode->Code(), "123456789012");
  table->Next();
  EXPECT_EQ(barcode->Code(), "869000000001");
  table->Last();
  EXPECT_EQ(barcode->Code(), "400638133393");
  table->First();
  EXPECT_EQ(barcode->Code(), "123456789012");
}

TEST_F(DbBarcodeFixture, PaintsTheCurrentRecordsCode) {
  Bind();
  table->Next();
  TStBarCode plain(nullptr);
  plain.SetBarCodeType(bcEAN_13);
  plain.SetCode("869000000001");
  TBitmap bound, expected;
  MakeWhiteBitmap(bound, 150, 60);
  MakeWhiteBitmap(expected, 150, 60);
  barcode->PaintToCanvas(bound.Canvas(), RECT{0, 0, 150, 60}, 96);
  plain.PaintToCanvas(expected.Canvas(), RECT{0, 0, 150, 60}, 96);
  EXPECT_EQ(FirstDifference(ReadInk(bound), ReadInk(expected)), "");
  plain.SetCode("123456789012");
  MakeWhiteBitmap(expected, 150, 60);
  plain.PaintToCanvas(expected.Canvas(), RECT{0, 0, 150, 60}, 96);
  EXPECT_NE(FirstDifference(ReadInk(bound), ReadInk(expected)), "") << "another record paints other bars";
}

TEST_F(DbBarcodeFixture, CodeFollowsAnEditedValue) {
  Bind();
  table->EditCode("590123412345");
  EXPECT_EQ(barcode->Code(), "590123412345");
  table->Post();
  EXPECT_EQ(barcode->Code(), "590123412345");
}

TEST_F(DbBarcodeFixture, WithoutAFieldTheCodeStays) {
  barcode->SetDataSource(table->Source());
  EXPECT_EQ(barcode->Code(), "000000000000") << "no field named yet";
  barcode->SetDataField("METIN1");
  table->Close();
  EXPECT_EQ(barcode->Field(), nullptr);
  EXPECT_EQ(barcode->Code(), "123456789012") << "a closed data set leaves the last code";
}

TEST_F(DbBarcodeFixture, OnlyADataSourceIsTakenAsDataSource) {
  TComponent other(nullptr);
  EXPECT_THROW(barcode->SetDataSource(&other), EInvalidCast);
  EXPECT_EQ(barcode->DataSource(), nullptr);
  EXPECT_THROW(SetObjectProp(barcode, "DataSource", &other), EInvalidCast);
  SetObjectProp(barcode, "DataSource", table->Source());
  EXPECT_EQ(barcode->DataSource(), table->Source());
}

TEST_F(DbBarcodeFixture, FreedDataSourceIsLetGo) {
  Bind();
  table->FreeSource();
  EXPECT_EQ(barcode->DataSource(), nullptr);
  table->Next();
  EXPECT_EQ(barcode->Code(), "123456789012");
}

TEST_F(DbBarcodeFixture, DataSourceAndFieldStreamAndBindAgain) {
  Bind();
  // Only the reference is of interest here, not the table's own streaming.
  table->FreeTable();
  std::unique_ptr<TMemoryStream> stream = WriteRoot(&root);
  TBarcodeTestRoot copy(nullptr);
  {
    TReader reader(*stream);
    reader.ReadRootComponent(&copy);
  }
  auto* read = dynamic_cast<TStDbBarCode*>(copy.FindComponent("Barkod1"));
  TComponent* readSource = copy.FindComponent("EtiketSource");
  ASSERT_NE(read, nullptr);
  ASSERT_TRUE(TLabelTable::IsDataSource(readSource));
  EXPECT_EQ(read->DataSource(), readSource);
  EXPECT_EQ(read->DataField(), "METIN1");
  EXPECT_EQ(read->BarCodeType(), bcEAN_13);
}

}  // namespace
