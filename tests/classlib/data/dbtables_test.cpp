// TTable and TQuery: no engine behind them, host-supplied data, parameters,
// and streaming of data sets with persistent fields in a layout.
#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "classlib/data/datasource.h"
#include "classlib/data/dbregister.h"
#include "classlib/data/dbtables.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/numericfields.h"
#include "classlib/data/stringfield.h"
#include "gtest/gtest.h"

// A root that streams the components it owns, as a data module does.
class TTestModule : public TComponent {
  DECLARE_CLASS(TTestModule, TComponent)

public:
  explicit TTestModule(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(TGetChildProc Proc, TComponent* Root) override {
    for (int i = 0; i < ComponentCount(); ++i)
      if (!Components(i)->HasParent())
        Proc(Components(i));
  }
};
IMPLEMENT_CLASS(TTestModule)

namespace {

TEST(QueryTest, OpeningWithoutHostDataRaisesAClearError) {
  TQuery query(nullptr);
  query.SetName("Query1");
  query.SQL()->SetText("select * from STOK");
  try {
    query.Open();
    FAIL() << "opened";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message, "Cannot open Query1: there is no database engine and the program supplied no data for it");
  }
  EXPECT_FALSE(query.Active());
  TTable table(nullptr);
  EXPECT_THROW(table.Open(), EDatabaseError);
  EXPECT_FALSE(table.Active());
}

TEST(QueryTest, SQLMakesTheParametersAndKeepsTheirValues) {
  TQuery query(nullptr);
  query.SQL()->SetText("select * from T where A = :KOD and B > :tarih and C = ':not' and D = :KOD");
  ASSERT_EQ(query.ParamCount(), 2);
  EXPECT_EQ(query.Params()->Items(0)->Name(), "KOD");
  EXPECT_EQ(query.Params()->Items(1)->Name(), "tarih");
  query.ParamByName("kod")->SetAsString("869");
  EXPECT_EQ(query.ParamByName("KOD")->DataType(), ftString);
  query.ParamByName("TARIH")->SetValue(Variant(3.5));
  EXPECT_EQ(query.ParamByName("tarih")->DataType(), ftFloat);
  query.SQL()->SetText("select * from T where A = :KOD");
  ASSERT_EQ(query.ParamCount(), 1);
  EXPECT_EQ(query.ParamByName("KOD")->AsString(), "869");
  try {
    query.ParamByName("tarih");
    FAIL() << "found";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message, "Parameter 'tarih' not found");
  }
}

TEST(QueryTest, HostDataIsShownWhenOpened) {
  TComponent owner(nullptr);
  auto* host = new TRxMemoryData(&owner);
  host->FieldDefs()->Add("NAME", ftString, 10);
  host->FieldDefs()->Add("AGE", ftInteger);
  host->Open();
  for (auto [name, age] : {std::pair{"Ali", 3}, std::pair{"Can", 4}}) {
    host->Append();
    host->FieldByName("NAME")->SetAsString(name);
    host->FieldByName("AGE")->SetAsInteger(age);
    host->Post();
  }
  auto* query = new TQuery(&owner);
  query->SetHostData(host);
  query->Open();
  EXPECT_EQ(query->RecordCount(), 2);
  query->Last();
  EXPECT_EQ(query->FieldByName("NAME")->AsString(), "Can");
  EXPECT_EQ(query->FieldByName("AGE")->AsInteger(), 4);
  EXPECT_FALSE(query->CanModify());
  delete host;  // the query closes rather than show freed data
  EXPECT_FALSE(query->Active());
  EXPECT_EQ(query->HostData(), nullptr);
}

TEST(StreamingTest, DataSetsWithPersistentFieldsRoundTrip) {
  RegisterDataClasses();
  RegisterClass(TTestModule::StaticClass());
  TMemoryStream stream;
  {
    TTestModule module(nullptr);
    module.SetName("Module");
    auto* host = new TRxMemoryData(nullptr);
    host->FieldDefs()->Add("NAME", ftString, 30);
    host->Open();
    auto* query = new TQuery(&module);
    query->SetName("Query1");
    query->SQL()->SetText("select NAME from T where KOD = :KOD");
    query->ParamByName("KOD")->SetAsString("1");
    auto* name = new TStringField(&module);
    name->SetName("Query1NAME");
    name->SetFieldName("NAME");
    name->SetSize(30);
    name->SetDisplayLabel("Ad");
    name->SetDataSet(query);
    auto* source = new TDataSource(&module);
    source->SetName("Source1");
    source->SetDataSet(query);
    query->SetHostData(host);
    query->Open();
    TWriter writer(stream);
    writer.WriteRootComponent(&module);
    writer.FlushBuffer();
    query->Close();
    delete host;
  }
  stream.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(stream, text);
  std::string layout(static_cast<const char*>(text.Memory()), static_cast<size_t>(text.Size()));
  EXPECT_NE(layout.find("object Query1: TQuery"), std::string::npos) << layout;
  EXPECT_NE(layout.find("object Query1NAME: TStringField"), std::string::npos) << layout;
  EXPECT_NE(layout.find("ParamData = <"), std::string::npos) << layout;

  stream.SetPosition(0);
  TTestModule loaded(nullptr);
  TReader reader(stream);
  reader.ReadRootComponent(&loaded);
  auto* query = dynamic_cast<TQuery*>(loaded.FindComponent("Query1"));
  ASSERT_NE(query, nullptr);
  EXPECT_FALSE(query->Active());
  EXPECT_TRUE(query->StreamedActive());
  EXPECT_EQ(query->SQL()->Text(), "select NAME from T where KOD = :KOD\r\n");
  ASSERT_EQ(query->ParamCount(), 1);
  EXPECT_EQ(query->Params()->Items(0)->DataType(), ftString);
  auto* name = dynamic_cast<TStringField*>(loaded.FindComponent("Query1NAME"));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->DataSet(), query);
  EXPECT_EQ(name->Size(), 30);
  EXPECT_EQ(name->DisplayLabel(), "Ad");
  EXPECT_EQ(query->FindField("NAME"), name);
  auto* source = dynamic_cast<TDataSource*>(loaded.FindComponent("Source1"));
  ASSERT_NE(source, nullptr);
  EXPECT_EQ(source->DataSet(), query);
}

TEST(StreamingTest, AMemoryTableKeepsItsFieldDefinitions) {
  RegisterDataClasses();
  RegisterClass(TTestModule::StaticClass());
  TMemoryStream stream;
  {
    TTestModule module(nullptr);
    auto* table = new TRxMemoryData(&module);
    table->SetName("RxEtiket");
    table->FieldDefs()->Add("METIN1", ftString, 200);
    table->FieldDefs()->Add("BAS", ftBoolean);
    table->Open();  // default fields are not streamed
    TWriter writer(stream);
    writer.WriteRootComponent(&module);
    writer.FlushBuffer();
  }
  stream.SetPosition(0);
  TTestModule loaded(nullptr);
  TReader reader(stream);
  reader.ReadRootComponent(&loaded);
  auto* table = dynamic_cast<TRxMemoryData*>(loaded.FindComponent("RxEtiket"));
  ASSERT_NE(table, nullptr);
  EXPECT_TRUE(table->Active());  // opened by Loaded
  EXPECT_TRUE(table->DefaultFields());
  ASSERT_EQ(table->FieldCount(), 2);
  EXPECT_EQ(table->FieldByName("METIN1")->Size(), 200);
  EXPECT_EQ(table->FieldByName("BAS")->DataType(), ftBoolean);
  EXPECT_EQ(loaded.ComponentCount(), 1);
}

TEST(StreamingTest, TheDataClassesAreRegistered) {
  RegisterDataClasses();
  for (const char* name : {"TTable", "TQuery", "TRxMemoryData", "TDataSource", "TStringField", "TIntegerField",
                           "TBooleanField", "TFloatField", "TCurrencyField", "TDateTimeField", "TMemoField",
                           "TGraphicField", "TBlobField", "TBCDField", "TAutoIncField", "TLargeintField"})
    EXPECT_NE(GetClass(name), nullptr) << name;
  EXPECT_TRUE(IsPublishedProp(TQuery::StaticClass(), "SQL"));
  EXPECT_TRUE(IsPublishedProp(TQuery::StaticClass(), "OnFilterRecord"));
  EXPECT_TRUE(IsPublishedProp(TTable::StaticClass(), "TableName"));
  EXPECT_TRUE(IsPublishedProp(TStringField::StaticClass(), "Size"));
  EXPECT_TRUE(IsPublishedProp(TFloatField::StaticClass(), "DisplayFormat"));
}

}  // namespace
