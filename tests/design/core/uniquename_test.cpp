#include "design/core/uniquename.h"

#include <gtest/gtest.h>

#include <memory>

#include "layoutfixtures.h"

namespace {

struct UniqueNameCase {
  const char* Title;
  std::vector<const char*> Taken;  // names the owner's components have
  const char* Name;
  const char* Expected;
};

class MakeUniqueComponentNameTest : public testing::TestWithParam<UniqueNameCase> {};

TEST_P(MakeUniqueComponentNameTest, NamesByClassAndCounter) {
  const UniqueNameCase& c = GetParam();
  TTestForm form(nullptr);
  for (const char* taken : c.Taken)
    (new TTestNode(&form))->SetName(taken);
  auto* component = new TTestPage(&form);
  AnsiString name = c.Name;
  MakeUniqueComponentName(&form, component, name);
  EXPECT_EQ(name, c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MakeUniqueComponentNameTest,
    testing::Values(UniqueNameCase{"FreeNameStays", {"Other"}, "Report1", "Report1"},
                    UniqueNameCase{"ClashTakesClassName", {"Report1"}, "Report1", "TestPage1"},
                    UniqueNameCase{"ClashIgnoresCase", {"REPORT1"}, "report1", "TestPage1"},
                    UniqueNameCase{"CounterSkipsTakenNames", {"Report1", "TestPage1", "testpage2"}, "Report1",
                                   "TestPage3"},
                    UniqueNameCase{"EmptyNameStaysEmpty", {"Report1"}, "", ""},
                    UniqueNameCase{"ClassNameItselfMayClash", {"TestPage1"}, "TestPage1", "TestPage2"}),
    [](const testing::TestParamInfo<UniqueNameCase>& info) { return std::string(info.param.Title); });

TEST(MakeUniqueComponentName, CounterStartsAtOneOnEveryCall) {
  TTestForm form(nullptr);
  (new TTestNode(&form))->SetName("Report1");
  auto* first = new TTestPage(&form);
  AnsiString name = "Report1";
  MakeUniqueComponentName(&form, first, name);
  first->SetName(name);
  (new TTestNode(&form))->SetName("Report2");  // a gap: TestPage2 is still free
  auto* second = new TTestPage(&form);
  AnsiString again = "Report2";
  MakeUniqueComponentName(&form, second, again);
  EXPECT_EQ(name, "TestPage1");
  EXPECT_EQ(again, "TestPage2");
}

TEST(MakeUniqueComponentName, WithoutOwnerTheNameStays) {
  TTestPage loose(nullptr);
  AnsiString name = "Report1";
  MakeUniqueComponentName(nullptr, &loose, name);
  EXPECT_EQ(name, "Report1");
}

}  // namespace
