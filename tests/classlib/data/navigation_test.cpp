// Navigation, editing, inserting, deleting, cancelling, filtering and
// locating: the rows shown, the current row and every event in order.
#include <algorithm>
#include <functional>

#include "classlib/data/blobfields.h"
#include "classlib/data/dbconsts.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/numericfields.h"
#include "classlib/data/stringfield.h"
#include "classlib/system/exceptions.h"
#include "datatestutil.h"

namespace {

struct OperationCase {
  const char* Title;
  std::function<void(TRxMemoryData&)> Run;
  std::vector<std::string> Rows;  // shown afterwards
  std::string Current;
  EventLog Events;
};

void PrintTo(const OperationCase& c, std::ostream* os) { *os << c.Title; }

void SetName(TRxMemoryData& t, const char* name) { t.FieldByName("NAME")->SetAsString(name); }

const std::vector<std::string> kAll = {"Ali", "Berk", "Can", "Deniz"};

std::vector<OperationCase> Cases() {
  return {
      {"Next", [](TRxMemoryData& t) { t.Next(); }, kAll, "Can", {"BeforeScroll", "DataSetChanged", "AfterScroll"}},
      {"Prior", [](TRxMemoryData& t) { t.Prior(); }, kAll, "Ali", {"BeforeScroll", "DataSetChanged", "AfterScroll"}},
      {"First", [](TRxMemoryData& t) { t.First(); }, kAll, "Ali", {"BeforeScroll", "DataSetChanged", "AfterScroll"}},
      {"Last", [](TRxMemoryData& t) { t.Last(); }, kAll, "Deniz", {"BeforeScroll", "DataSetChanged", "AfterScroll"}},
      {"MoveBy past the end stops on the last row",
       [](TRxMemoryData& t) { EXPECT_EQ(t.MoveBy(5), 2); EXPECT_TRUE(t.Eof()); }, kAll, "Deniz",
       {"BeforeScroll", "DataSetChanged", "AfterScroll"}},
      {"Next at the end only announces the scroll",
       [](TRxMemoryData& t) {
         t.Last();
         t.Next();
         EXPECT_TRUE(t.Eof());
       },
       kAll, "Deniz", {"BeforeScroll", "DataSetChanged", "AfterScroll", "BeforeScroll"}},
      {"Edit and post",
       [](TRxMemoryData& t) {
         t.Edit();
         SetName(t, "Bora");
         t.Post();
       },
       {"Ali", "Bora", "Can", "Deniz"}, "Bora",
       {"BeforeEdit", "EditingChanged", "RecordChanged", "AfterEdit", "RecordChanged", "UpdateData", "BeforePost",
        "EditingChanged", "DataSetChanged", "AfterPost"}},
      {"Insert goes before the current row",
       [](TRxMemoryData& t) {
         t.Insert();
         SetName(t, "Ece");
         t.Post();
       },
       {"Ali", "Ece", "Berk", "Can", "Deniz"}, "Ece",
       {"BeforeInsert", "BeforeScroll", "EditingChanged", "OnNewRecord", "DataSetChanged", "AfterInsert",
        "AfterScroll", "RecordChanged", "UpdateData", "BeforePost", "EditingChanged", "DataSetChanged",
        "AfterPost"}},
      {"Append goes to the end",
       [](TRxMemoryData& t) {
         t.Append();
         SetName(t, "Ece");
         t.Post();
       },
       {"Ali", "Berk", "Can", "Deniz", "Ece"}, "Ece",
       {"BeforeInsert", "BeforeScroll", "EditingChanged", "OnNewRecord", "DataSetChanged", "AfterInsert",
        "AfterScroll", "RecordChanged", "UpdateData", "BeforePost", "EditingChanged", "DataSetChanged",
        "AfterPost"}},
      {"Delete moves to the next row", [](TRxMemoryData& t) { t.Delete(); }, {"Ali", "Can", "Deniz"}, "Can",
       {"BeforeDelete", "BeforeScroll", "DataSetChanged", "AfterDelete", "AfterScroll"}},
      {"Deleting the last row moves to the one before",
       [](TRxMemoryData& t) {
         t.Last();
         t.Delete();
       },
       {"Ali", "Berk", "Can"}, "Can",
       {"BeforeScroll", "DataSetChanged", "AfterScroll", "BeforeDelete", "BeforeScroll", "DataSetChanged",
        "AfterDelete", "AfterScroll"}},
      {"Cancel drops an edit",
       [](TRxMemoryData& t) {
         t.Edit();
         SetName(t, "Bora");
         t.Cancel();
       },
       kAll, "Berk",
       {"BeforeEdit", "EditingChanged", "RecordChanged", "AfterEdit", "RecordChanged", "BeforeCancel",
        "EditingChanged", "DataSetChanged", "AfterCancel"}},
      {"Cancel drops an insert and returns to the row",
       [](TRxMemoryData& t) {
         t.Insert();
         SetName(t, "Ece");
         t.Cancel();
       },
       kAll, "Berk",
       {"BeforeInsert", "BeforeScroll", "EditingChanged", "OnNewRecord", "DataSetChanged", "AfterInsert",
        "AfterScroll", "RecordChanged", "BeforeCancel", "BeforeScroll", "EditingChanged", "DataSetChanged",
        "AfterCancel", "AfterScroll"}},
      {"Scrolling posts a pending edit",
       [](TRxMemoryData& t) {
         t.Edit();
         SetName(t, "Bora");
         t.Next();
       },
       {"Ali", "Bora", "Can", "Deniz"}, "Can",
       {"BeforeEdit", "EditingChanged", "RecordChanged", "AfterEdit", "RecordChanged", "UpdateData", "UpdateData",
        "BeforePost", "EditingChanged", "DataSetChanged", "AfterPost", "BeforeScroll", "DataSetChanged",
        "AfterScroll"}},
      {"Filter by event",
       [](TRxMemoryData& t) {
         t.OnFilterRecord = [](TDataSet* d, bool& accept) { accept = d->FieldByName("AGE")->AsInteger() >= 30; };
         t.SetFiltered(true);
       },
       {"Ali", "Can"}, "Ali", {"BeforeScroll", "DataSetChanged", "AfterScroll"}},
      {"Filter by expression with a partial text",
       [](TRxMemoryData& t) {
         t.SetFilter("NAME = 'D*' or AGE < 25");
         t.SetFiltered(true);
       },
       {"Berk", "Deniz"}, "Berk", {"BeforeScroll", "DataSetChanged", "AfterScroll"}},
      {"Locate ignoring case and matching a prefix",
       [](TRxMemoryData& t) { EXPECT_TRUE(t.Locate("NAME", Variant("de"), {loCaseInsensitive, loPartialKey})); },
       kAll, "Deniz", {"BeforeScroll", "DataSetChanged", "AfterScroll"}},
      {"Locate on two fields",
       [](TRxMemoryData& t) {
         EXPECT_TRUE(t.Locate("NAME;AGE", std::vector<Variant>{Variant("Can"), Variant(30)}, {}));
       },
       kAll, "Can", {"BeforeScroll", "DataSetChanged", "AfterScroll"}},
      {"Locate without a match stays",
       [](TRxMemoryData& t) {
         EXPECT_FALSE(t.Locate("NAME", Variant("de"), {loCaseInsensitive}));
         EXPECT_FALSE(t.Locate("NAME", Variant("DENIZ"), {}));
       },
       kAll, "Berk", {"BeforeScroll", "BeforeScroll"}},
  };
}

class OperationTest : public TableFixture, public testing::WithParamInterface<OperationCase> {};

TEST_P(OperationTest, RowsCurrentRowAndEvents) {
  Table->Open();
  AddRows({{"Ali", 30}, {"Berk", 20}, {"Can", 30}, {"Deniz", 25}});
  Table->First();
  Table->Next();
  Log.clear();
  GetParam().Run(*Table);
  EXPECT_EQ(Log, GetParam().Events);
  EXPECT_EQ(Current(), GetParam().Current);
  EXPECT_EQ(Names(), GetParam().Rows);
  EXPECT_EQ(Table->RecordCount(), static_cast<int>(GetParam().Rows.size()));
}

INSTANTIATE_TEST_SUITE_P(Table, OperationTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<OperationCase>& info) {
                           std::string name;
                           for (const char* c = info.param.Title; *c; ++c)
                             if (std::isalnum(static_cast<unsigned char>(*c)))
                               name += *c;
                           return name;
                         });

using DataSetTest = TableFixture;

TEST_F(DataSetTest, OpenAndCloseFireTheirEventsAndTellTheLink) {
  Table->Open();
  Table->Close();
  EXPECT_EQ(Log, (EventLog{"BeforeOpen", "ActiveChanged", "LayoutChanged", "DataSetChanged", "AfterOpen",
                           "BeforeClose", "ActiveChanged", "AfterClose"}));
}

TEST_F(DataSetTest, OpeningARowFiresAfterScrollButAnEmptyTableDoesNot) {
  Table->Open();
  EXPECT_TRUE(Table->IsEmpty());
  EXPECT_TRUE(Table->Eof());
  EXPECT_TRUE(Table->Bof());
  Table->Close();
  EXPECT_EQ(std::count(Log.begin(), Log.end(), "AfterScroll"), 0);
}

TEST_F(DataSetTest, CloseThenOpenEmptiesTheTable) {
  Table->Open();
  AddRows({{"Ali", 1}, {"Berk", 2}});
  Table->Close();
  Table->Open();
  EXPECT_TRUE(Table->IsEmpty());
  EXPECT_EQ(Table->RecordCount(), 0);
}

TEST_F(DataSetTest, EmptyTableKeepsItOpen) {
  Table->Open();
  AddRows({{"Ali", 1}, {"Berk", 2}});
  Table->EmptyTable();
  EXPECT_TRUE(Table->Active());
  EXPECT_TRUE(Table->IsEmpty());
  AddRows({{"Can", 3}});
  EXPECT_EQ(Names(), (std::vector<std::string>{"Can"}));
}

TEST_F(DataSetTest, AnAbortInBeforeInsertRefusesSilently) {
  Table->Open();
  AddRows({{"Ali", 1}});
  Log.clear();
  Table->BeforeInsert = [this](TDataSet*) {
    Log.push_back("BeforeInsert");
    throw EAbort("Operation aborted");
  };
  EXPECT_THROW(Table->Append(), EAbort);
  EXPECT_EQ(Table->State(), dsBrowse);
  EXPECT_EQ(Log, (EventLog{"BeforeInsert"}));
  EXPECT_EQ(Table->RecordCount(), 1);
}

TEST_F(DataSetTest, InsertIntoAnEmptyTable) {
  Table->Open();
  Table->Insert();
  Table->FieldByName("NAME")->SetAsString("Ali");
  Table->Post();
  Table->Insert();
  Table->FieldByName("NAME")->SetAsString("Berk");
  Table->Post();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Berk", "Ali"}));
}

TEST_F(DataSetTest, EditingAnEmptyTableInserts) {
  Table->Open();
  Table->Edit();
  EXPECT_EQ(Table->State(), dsInsert);
}

struct ErrorCase {
  const char* Title;
  std::function<void(TRxMemoryData&)> Run;
  const char* Message;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.Title; }

class ErrorTest : public TableFixture, public testing::WithParamInterface<ErrorCase> {};

TEST_P(ErrorTest, RaisesThePlatformMessage) {
  try {
    GetParam().Run(*Table);
    FAIL() << "no error";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message, GetParam().Message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ErrorTest,
    testing::Values(
        ErrorCase{"closed", [](TRxMemoryData& t) { t.Next(); },
                  "Table: Cannot perform this operation on a closed dataset"},
        ErrorCase{"not editing",
                  [](TRxMemoryData& t) {
                    t.Open();
                    t.Append();
                    t.Post();
                    t.FieldByName("NAME")->SetAsString("x");
                  },
                  "Table: Dataset not in edit or insert mode"},
        ErrorCase{"unknown field",
                  [](TRxMemoryData& t) {
                    t.Open();
                    t.FieldByName("SURNAME");
                  },
                  "Table: Field 'SURNAME' not found"},
        ErrorCase{"empty delete",
                  [](TRxMemoryData& t) {
                    t.Open();
                    t.Delete();
                  },
                  "Table: Cannot perform this operation on an empty dataset"},
        ErrorCase{"required",
                  [](TRxMemoryData& t) {
                    t.Open();
                    t.FieldByName("AGE")->SetRequired(true);
                    t.Append();
                    t.Post();
                  },
                  "Field 'AGE' must have a value"},
        ErrorCase{"read-only field",
                  [](TRxMemoryData& t) {
                    t.Open();
                    t.FieldByName("AGE")->SetReadOnly(true);
                    t.Append();
                    t.FieldByName("AGE")->SetAsInteger(3);
                  },
                  "Field 'AGE' cannot be modified"},
        ErrorCase{"open while defining", [](TRxMemoryData& t) {
                    t.Open();
                    t.CopyStructure(&t);
                  },
                  "Table: Cannot perform this operation on an open dataset"}),
    [](const testing::TestParamInfo<ErrorCase>& info) {
      std::string name;
      for (const char* c = info.param.Title; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
          name += *c;
      return name;
    });

TEST_F(DataSetTest, FindFieldIgnoresLetterCase) {
  Table->Open();
  EXPECT_EQ(Table->FindField("name"), Table->FieldByName("NAME"));
  EXPECT_EQ(Table->FindField("nothing"), nullptr);
  EXPECT_EQ(Table->FieldCount(), 2);
  EXPECT_TRUE(Table->DefaultFields());
}

TEST_F(DataSetTest, RecNoFollowsTheFilter) {
  Table->Open();
  AddRows({{"Ali", 30}, {"Berk", 20}, {"Can", 30}});
  Table->OnFilterRecord = [](TDataSet* d, bool& accept) { accept = d->FieldByName("AGE")->AsInteger() == 30; };
  Table->SetFiltered(true);
  Table->Last();
  EXPECT_EQ(Table->RecNo(), 2);
  EXPECT_EQ(Table->RecordCount(), 2);
  Table->SetRecNo(1);
  EXPECT_EQ(Current(), "Ali");
  Table->SetFiltered(false);
  EXPECT_EQ(Table->RecordCount(), 3);
}

TEST_F(DataSetTest, RefreshAppliesTheFilterAgain) {
  Table->Open();
  AddRows({{"Ali", 30}, {"Berk", 20}, {"Can", 30}});
  int wanted = 30;
  Table->OnFilterRecord = [&](TDataSet* d, bool& accept) { accept = d->FieldByName("AGE")->AsInteger() == wanted; };
  Table->SetFiltered(true);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Ali", "Can"}));
  wanted = 20;
  Table->Refresh();
  EXPECT_EQ(Current(), "Berk");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Berk"}));
  wanted = 99;
  Table->Refresh();
  EXPECT_TRUE(Table->IsEmpty());
  EXPECT_TRUE(Table->Eof());
  EXPECT_EQ(Table->RecordCount(), 0);
}

TEST_F(DataSetTest, EditingARowOutOfTheFilterHidesItAfterPosting) {
  Table->Open();
  AddRows({{"Ali", 30}, {"Berk", 30}});
  Table->OnFilterRecord = [](TDataSet* d, bool& accept) { accept = d->FieldByName("AGE")->AsInteger() == 30; };
  Table->SetFiltered(true);
  Table->Edit();
  Table->FieldByName("AGE")->SetAsInteger(31);
  Table->Post();
  EXPECT_EQ(Current(), "Berk");
  EXPECT_EQ(Names(), (std::vector<std::string>{"Berk"}));
}

TEST_F(DataSetTest, AFailedOpenLeavesNoFieldsBehind) {
  Table->FieldDefs()->Add("TOO_LONG", ftString, 9000);
  EXPECT_THROW(Table->Open(), EDatabaseError);
  EXPECT_FALSE(Table->Active());
  EXPECT_EQ(Table->FieldCount(), 0);
  Table->FieldDefs()->Items(2)->SetSize(10);
  Table->Open();
  EXPECT_TRUE(Table->DefaultFields());
  EXPECT_EQ(Table->FieldCount(), 3);
}

TEST_F(DataSetTest, APersistentFieldWithoutADefinitionIsReported) {
  auto* ghost = new TStringField(Owner.get());
  ghost->SetFieldName("GHOST");
  ghost->SetDataSet(Table);
  auto* name = new TStringField(Owner.get());
  name->SetFieldName("NAME");
  name->SetDataSet(Table);
  Table->Open();  // the definitions follow the persistent fields
  EXPECT_EQ(Table->FieldDefs()->Count(), 2);
  Table->Close();
  // A calculated field of an unsupported kind is refused at opening.
  auto* memo = new TMemoField(Owner.get());
  memo->SetFieldName("NOTES");
  memo->SetFieldKind(fkCalculated);
  memo->SetDataSet(Table);
  EXPECT_THROW(Table->Open(), EDatabaseError);
  EXPECT_FALSE(Table->Active());
  delete memo;
  Table->Open();
  EXPECT_EQ(Table->FieldCount(), 2);
}

TEST_F(DataSetTest, LookupLeavesTheCursor) {
  Table->Open();
  AddRows({{"Ali", 30}, {"Berk", 20}});
  Table->First();
  EXPECT_EQ(Table->Lookup("NAME", Variant("Berk"), "AGE").AsInteger(), 20);
  EXPECT_TRUE(VarIsNull(Table->Lookup("NAME", Variant("Nobody"), "AGE")));
  EXPECT_EQ(Current(), "Ali");
}

TEST_F(DataSetTest, BookmarksFindTheirRowAfterOthersMove) {
  Table->Open();
  AddRows({{"Ali", 1}, {"Berk", 2}, {"Can", 3}});
  Table->Last();
  TBookmark can = Table->GetBookmark();
  Table->First();
  TBookmark ali = Table->GetBookmark();
  EXPECT_LT(Table->CompareBookmarks(ali, can), 0);
  EXPECT_GT(Table->CompareBookmarks(can, ali), 0);
  EXPECT_EQ(Table->CompareBookmarks(ali, ali), 0);
  EXPECT_LT(Table->CompareBookmarks(nullptr, ali), 0);
  Table->Insert();
  Table->FieldByName("NAME")->SetAsString("Aras");
  Table->Post();
  Table->GotoBookmark(can);
  EXPECT_EQ(Current(), "Can");
  Table->Delete();
  EXPECT_FALSE(Table->BookmarkValid(can));
  EXPECT_TRUE(Table->BookmarkValid(ali));
  EXPECT_THROW(Table->GotoBookmark(can), EDatabaseError);
  Table->FreeBookmark(can);
  Table->FreeBookmark(ali);
}

TEST_F(DataSetTest, CalculatedFieldsFollowTheRow) {
  auto* name = new TStringField(Owner.get());
  name->SetFieldName("NAME");
  name->SetDataSet(Table);
  auto* age = new TIntegerField(Owner.get());
  age->SetFieldName("AGE");
  age->SetDataSet(Table);
  auto* label = new TStringField(Owner.get());
  label->SetFieldName("LABEL");
  label->SetFieldKind(fkCalculated);
  label->SetDataSet(Table);
  Table->OnCalcFields = [](TDataSet* d) {
    d->FieldByName("LABEL")->SetAsString(d->FieldByName("NAME")->AsString() + "/" + d->FieldByName("AGE")->AsString());
  };
  Table->Open();
  EXPECT_FALSE(Table->DefaultFields());
  AddRows({{"Ali", 30}, {"Berk", 20}});
  Table->First();
  EXPECT_EQ(Table->FieldByName("LABEL")->AsString(), "Ali/30");
  Table->Next();
  EXPECT_EQ(Table->FieldByName("LABEL")->AsString(), "Berk/20");
  Table->Edit();
  Table->FieldByName("AGE")->SetAsInteger(21);
  EXPECT_EQ(Table->FieldByName("LABEL")->AsString(), "Berk/21");
  Table->Cancel();
  EXPECT_EQ(Table->FieldByName("LABEL")->AsString(), "Berk/20");
}

}  // namespace
