// The filtered view of the in-memory table: RecNo, RecordCount and SetRecNo
// answer from what the table keeps, and every change to the records or to
// what the filter decides on gives the right numbers afterwards.
#include <algorithm>
#include <functional>

#include "datatestutil.h"

namespace {

class FilteredViewTest;

struct ChangeCase {
  const char* Title;
  std::function<void(FilteredViewTest&)> Run;
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.Title; }

class FilteredViewTest : public TableFixture, public testing::WithParamInterface<ChangeCase> {
public:
  void SetUp() override {
    TableFixture::SetUp();
    LogEvents(false);
    Table->Open();
    AddRows({{"Ali", 30}, {"Berk", 20}, {"Can", 30}, {"Deniz", 30}, {"Ece", 20}});
    Table->OnFilterRecord = [this](TDataSet* d, bool& accept) {
      ++FilterCalls;
      accept = d->FieldByName("AGE")->AsInteger() == Wanted;
    };
    Table->SetFiltered(true);
  }

  // The numbers the table answers against a walk over the rows it shows:
  // the count, the current row's number and the row every number moves to.
  void ExpectNumbersFollowTheRows(const char* title) {
    SCOPED_TRACE(title);
    const std::vector<std::string> rows = Names();
    ASSERT_EQ(Table->RecordCount(), static_cast<int>(rows.size()));
    if (rows.empty()) {
      EXPECT_TRUE(Table->IsEmpty());
      return;
    }
    const std::string current = Current();
    const auto at = std::find(rows.begin(), rows.end(), current);
    ASSERT_NE(at, rows.end()) << current;
    EXPECT_EQ(Table->RecNo(), static_cast<int>(at - rows.begin()) + 1);
    for (int number = static_cast<int>(rows.size()); number >= 1; --number) {
      Table->SetRecNo(number);
      EXPECT_EQ(Current(), rows[number - 1]) << number;
      EXPECT_EQ(Table->RecNo(), number);
    }
  }

  void Go(const char* name) { ASSERT_TRUE(Table->Locate("NAME", Variant(AnsiString(name)), {})); }
  void SetAge(int age) {
    Table->Edit();
    Table->FieldByName("AGE")->SetAsInteger(age);
    Table->Post();
  }
  void Add(const char* name, int age, bool insert) {
    insert ? Table->Insert() : Table->Append();
    Table->FieldByName("NAME")->SetAsString(name);
    Table->FieldByName("AGE")->SetAsInteger(age);
    Table->Post();
  }

  TRxMemoryData& T() { return *Table; }

  int Wanted = 30;
  int FilterCalls = 0;
};

TEST_F(FilteredViewTest, NumbersAreAnsweredWithoutTestingTheRecordsAgain) {
  Go("Deniz");
  ASSERT_EQ(Table->RecNo(), 3);
  ASSERT_EQ(Table->RecordCount(), 3);
  FilterCalls = 0;
  for (int i = 0; i < 100; ++i) {
    EXPECT_EQ(Table->RecNo(), 3);
    EXPECT_EQ(Table->RecordCount(), 3);
  }
  EXPECT_EQ(FilterCalls, 0);
}

// Each change comes after the numbers were asked for once, so what the
// table kept from before would show.
TEST_P(FilteredViewTest, GiveTheRightNumbersAfterwards) {
  Go("Can");
  ExpectNumbersFollowTheRows("before");
  Go("Can");
  GetParam().Run(*this);
  ExpectNumbersFollowTheRows(GetParam().Title);
}

INSTANTIATE_TEST_SUITE_P(
    EveryChange, FilteredViewTest,
    testing::Values(
        ChangeCase{"refresh after the handler's input changed",
                   [](FilteredViewTest& t) {
                     t.Wanted = 20;
                     t.T().Refresh();
                   }},
        ChangeCase{"the handler's input changed and the table was told",
                   [](FilteredViewTest& t) {
                     t.Wanted = 20;
                     t.T().FilterInputsChanged();
                     t.T().First();
                   }},
        ChangeCase{"a post that takes a record out of the filter",
                   [](FilteredViewTest& t) {
                     t.Go("Ali");
                     t.SetAge(31);
                   }},
        ChangeCase{"an append the filter shows", [](FilteredViewTest& t) { t.Add("Fatma", 30, false); }},
        ChangeCase{"an insert before the current record",
                   [](FilteredViewTest& t) {
                     t.Add("Gül", 30, true);
                     t.Go("Can");
                   }},
        ChangeCase{"deleting a record before the current one",
                   [](FilteredViewTest& t) {
                     t.Go("Ali");
                     t.T().Delete();
                     t.Go("Deniz");
                   }},
        ChangeCase{"a filter text besides the handler", [](FilteredViewTest& t) { t.T().SetFilter("NAME <> 'Can'"); }},
        ChangeCase{"filter options that change what the text accepts",
                   [](FilteredViewTest& t) {
                     t.T().SetFilter("NAME > 'b'");
                     EXPECT_GE(t.T().RecordCount(), 0);
                     t.T().SetFilterOptions({foCaseInsensitive});
                   }},
        ChangeCase{"the filter off", [](FilteredViewTest& t) { t.T().SetFiltered(false); }},
        ChangeCase{"the filter off and on again after the input changed",
                   [](FilteredViewTest& t) {
                     t.T().SetFiltered(false);
                     t.Wanted = 20;
                     t.T().SetFiltered(true);
                   }},
        ChangeCase{"a sort", [](FilteredViewTest& t) { t.T().SortOnFields("AGE;NAME"); }},
        ChangeCase{"emptying the table", [](FilteredViewTest& t) { t.T().EmptyTable(); }},
        ChangeCase{"closing and opening", [](FilteredViewTest& t) {
                     t.T().Close();
                     t.T().Open();
                   }}),
    [](const testing::TestParamInfo<ChangeCase>& info) {
      std::string name;
      for (const char* c = info.param.Title; *c; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c)))
          name += *c;
      return name;
    });

}  // namespace
