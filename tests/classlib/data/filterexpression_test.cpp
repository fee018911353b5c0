// Filter expressions: comparisons, AND/OR/NOT, partial texts, nulls and
// malformed texts.
#include "datatestutil.h"

namespace {

struct FilterCase {
  const char* Expression;
  TFilterOptions Options;
  std::vector<std::string> Rows;
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << c.Expression; }

class FilterExpressionTest : public TableFixture, public testing::WithParamInterface<FilterCase> {
protected:
  void SetUp() override {
    TableFixture::SetUp();
    Table->Open();
    AddRows({{"Ali", 30}, {"berk", 20}, {"Can", 30}, {"C*", 5}});
    Table->Append();
    Table->FieldByName("AGE")->SetAsInteger(40);  // no NAME
    Table->Post();
  }
};

TEST_P(FilterExpressionTest, ShowsTheMatchingRows) {
  Table->SetFilterOptions(GetParam().Options);
  Table->SetFilter(GetParam().Expression);
  Table->SetFiltered(true);
  EXPECT_EQ(Names(), GetParam().Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FilterExpressionTest,
    testing::Values(FilterCase{"AGE > 25", {}, {"Ali", "Can", ""}},
                    FilterCase{"AGE >= 30 and NAME <> 'Ali'", {}, {"Can"}},
                    FilterCase{"not (AGE = 30) and AGE <= 20", {}, {"berk", "C*"}},
                    FilterCase{"NAME = 'B*' or [AGE] < 6", {foCaseInsensitive}, {"berk", "C*"}},
                    FilterCase{"NAME = 'B*'", {}, {}},
                    FilterCase{"NAME = 'C*'", {}, {"Can", "C*"}},
                    FilterCase{"NAME = 'C*'", {foNoPartialCompare}, {"C*"}},
                    FilterCase{"NAME <> 'C*'", {}, {"Ali", "berk"}},
                    FilterCase{"NAME = NULL", {}, {""}},
                    FilterCase{"NAME <> null AND age < 25", {}, {"berk", "C*"}},
                    FilterCase{"NAME < 'b'", {foCaseInsensitive}, {"Ali"}},
                    FilterCase{"NAME = 'Ali' OR NAME = 'Can' AND AGE = 20", {}, {"Ali"}}),
    [](const testing::TestParamInfo<FilterCase>& info) { return "Case" + std::to_string(info.index); });

TEST(FilterExpressionSyntaxTest, MalformedTextsAreRefusedWhenSet) {
  TRxMemoryData table(nullptr);
  for (const char* text : {"AGE >", "NAME = 'x", "(AGE = 1", "AGE = 1 )", "AGE ! 3", "[AGE = 1", "and"}) {
    try {
      table.SetFilter(text);
      ADD_FAILURE() << text;
    } catch (const EDatabaseError& e) {
      EXPECT_EQ(e.Message, std::string("Invalid filter expression: ") + text);
    }
  }
  EXPECT_EQ(table.Filter(), "");
}

TEST_F(TableFixture, AFilterOnAMissingFieldReportsTheField) {
  Table->Open();
  AddRows({{"Ali", 1}});
  Table->SetFilter("SURNAME = 'x'");
  try {
    Table->SetFiltered(true);
    FAIL() << "filtered";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message, "Table: Field 'SURNAME' not found");
  }
}

// A filter text may come from a stream: nesting as deep as the text allows
// is refused, and a long chain of terms neither nests nor exhausts the stack.
TEST(FilterExpressionSyntaxTest, DeepNestingIsRefused) {
  TRxMemoryData table(nullptr);
  const std::string open(100000, '(');
  EXPECT_THROW(table.SetFilter(open + "AGE = 1" + std::string(100000, ')')), EDatabaseError);
  std::string nots;
  for (int i = 0; i < 100000; ++i)
    nots += "not ";
  EXPECT_THROW(table.SetFilter(nots + "AGE = 1"), EDatabaseError);
  table.SetFilter(std::string(200, '(') + "AGE = 1" + std::string(200, ')'));
  EXPECT_EQ(table.Filter().size(), 407u);
}

TEST_F(TableFixture, ALongChainOfTermsIsEvaluated) {
  Table->Open();
  AddRows({{"Ali", 30}});
  std::string chain;
  for (int i = 0; i < 400000; ++i)
    chain += "AGE=1 or ";
  Table->SetFilter(chain + "AGE=30");
  Table->SetFiltered(true);
  EXPECT_EQ(Table->RecordCount(), 1);
}

}  // namespace
