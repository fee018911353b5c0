#include "textreport/core/zrlibraries.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "classlib/system/clock.h"
#include "classlib/system/datetime.h"
#include "classlib/system/formatsettings.h"
#include "textreport/core/zrformat.h"

namespace {

using S = AnsiString;

// An argument list that owns its arguments.
class Args {
public:
  Args(std::initializer_list<Variant> values) {
    for (const Variant& v : values) {
      owned_.push_back(std::make_unique<TZRValueArgument>(v));
      list_.Add(owned_.back().get());
    }
  }
  const TZRArguments* List() const { return &list_; }

private:
  std::vector<std::unique_ptr<TZRValueArgument>> owned_;
  TZRArguments list_;
};

TEST(ElementLibraries, FiveLibrariesInOrder) {
  TZRElementCollection& libraries = ElementLibraries();
  ASSERT_EQ(libraries.Count(), 5);
  const char* names[] = {"General", "Mathematics", "String", "Date/Time", "Constants"};
  const char* descriptions[] = {"General functions", "Mathematical functions", "String functions",
                                "Date - time functions", "Constants"};
  const int counts[] = {3, 11, 11, 5, 4};
  const char* classes[] = {"TZRGeneralLibrary", "TZRMathLibrary", "TZRStringLibrary", "TZRDateTimeLibrary",
                           "TZRConstantLibrary"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(libraries.Strings(i), names[i]);
    TZRElementLibrary* library = libraries.Libraries(i);
    EXPECT_EQ(library->LibraryName, names[i]);
    EXPECT_EQ(library->Description, descriptions[i]);
    EXPECT_EQ(library->Tag, ZRLibraryTag);
    EXPECT_EQ(library->ElementCount(), counts[i]);
    EXPECT_EQ(library->Collection(), &libraries);
    EXPECT_EQ(library->ClassName(), classes[i]);
  }
}

TEST(ElementLibraries, LookUpByNameIgnoresCase) {
  TZRElementLibrary* library = nullptr;
  int index = -2;
  ASSERT_TRUE(ElementLibraries().FindElement("round", library, index));
  EXPECT_EQ(library->LibraryName, "Mathematics");
  EXPECT_EQ(index, 10);
  ASSERT_TRUE(ElementLibraries().FindElement("PROPER", library, index));
  EXPECT_EQ(library->LibraryName, "String");
  EXPECT_EQ(index, 4);
  // Names with "i" keep matching whatever the Turkish case rules say.
  for (const char* name : {"IIF", "ISNULL", "int", "SIN", "trim", "PI", "Pİ"}) {
    const bool found = ElementLibraries().FindElement(name, library, index);
    EXPECT_EQ(found, S(name) != "Pİ") << name;
  }
  EXPECT_FALSE(ElementLibraries().FindElement("nosuch", library, index));
  EXPECT_EQ(library, nullptr);
  EXPECT_EQ(index, -1);
  EXPECT_FALSE(ElementLibraries().FindElementEverywhere("nosuch", library, index));
  EXPECT_EQ(index, -1);
}

// A library of two variables, as a controller has.
class TTestVariables : public TZRVariableLibrary {
public:
  using TZRVariableLibrary::TZRVariableLibrary;
  int ElementCount() override { return 2; }
  void ElementName(int Index, AnsiString& Name) override { Name = Index == 0 ? "Total" : "Count"; }
  void Calculate(int Index, const TZRArguments*, Variant& Result) override { Result = Index == 0 ? 100 : 7; }
};

TEST(ElementCollections, OwnCollectionFallsBackOnTheBuiltIns) {
  TZRElementCollection own;
  TZRElementLibrary* variables =
      own.AddLibrary(CreateLibrary<TTestVariables>, "zlController", "tag", "Controller variables 'Report'");
  EXPECT_EQ(variables->Collection(), &own);
  TZRElementLibrary* library = nullptr;
  int index = -1;
  ASSERT_TRUE(own.FindElementEverywhere("count", library, index));
  EXPECT_EQ(library, variables);
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(own.FindElement("Len", library, index));
  ASSERT_TRUE(own.FindElementEverywhere("Len", library, index));
  EXPECT_EQ(library->LibraryName, "String");
  EXPECT_FALSE(own.FindElementEverywhere("nosuch", library, index));
  EXPECT_EQ(library, nullptr);

  Args none{};
  Args one{1};
  EXPECT_TRUE(variables->CheckArguments(0, none.List()));
  EXPECT_TRUE(variables->CheckArguments(0, nullptr));
  EXPECT_FALSE(variables->CheckArguments(0, one.List()));
}

// Calls an element by name: the argument check must pass, then the value.
Variant Call(const char* name, const Args& args) {
  TZRElementLibrary* library = nullptr;
  int index = -1;
  if (!ElementLibraries().FindElement(name, library, index))
    throw std::runtime_error(std::string("unknown element ") + name);
  if (!library->CheckArguments(index, args.List()))
    throw std::runtime_error(std::string("arguments refused by ") + name);
  Variant result;
  library->Calculate(index, args.List(), result);
  return result;
}

bool Accepts(const char* name, const Args& args) {
  TZRElementLibrary* library = nullptr;
  int index = -1;
  EXPECT_TRUE(ElementLibraries().FindElement(name, library, index)) << name;
  return library != nullptr && library->CheckArguments(index, args.List());
}

class Elements : public testing::Test {
protected:
  FormatSettingsScope settings_{USFormatSettings()};
};

TEST_F(Elements, General) {
  EXPECT_EQ(Call("not", {5}).AsInteger(), ~5);
  EXPECT_EQ(Call("not", {true}).AsBoolean(), false);
  EXPECT_EQ(Call("iif", {true, "yes", 2}).AsString(), "yes");
  EXPECT_EQ(Call("iif", {false, "yes", 2}).AsInteger(), 2);
  EXPECT_EQ(Call("isnull", {Null(), Variant(), 5}).AsInteger(), 5);
  EXPECT_TRUE(VarIsEmpty(Call("isnull", {Null(), Variant()})));
  EXPECT_EQ(Call("isnull", {""}).AsString(), "");  // an empty string is a value

  EXPECT_FALSE(Accepts("not", {"x"}));
  EXPECT_FALSE(Accepts("not", {1.5}));
  EXPECT_FALSE(Accepts("not", {1, 2}));
  EXPECT_FALSE(Accepts("iif", {1, 2, 3}));
  EXPECT_FALSE(Accepts("iif", {true, 2}));
  EXPECT_FALSE(Accepts("isnull", {}));
}

TEST_F(Elements, MathematicsNormalCases) {
  struct Case {
    const char* name;
    Variant argument;
    double value;
  } cases[] = {
      {"Int", -1.75, -1.0},       {"Frac", -1.25, -0.25},      {"SQRT", 16, 4.0},
      {"Abs", -3, 3.0},           {"Sin", 0.0, 0.0},           {"Cos", 0, 1.0},
      {"Tan", 0.0, 0.0},          {"Atn", 1, std::atan(1.0)},  {"Exp", 1, std::exp(1.0)},
      {"Ln", std::exp(2.0), 2.0}, {"Round", 2.5, 3.0},         {"Round", -2.5, -3.0},
  };
  for (const Case& c : cases) {
    const Variant result = Call(c.name, {c.argument});
    EXPECT_EQ(result.VarType(), varDouble) << c.name;
    EXPECT_DOUBLE_EQ(result.AsDouble(), c.value) << c.name;
  }
  EXPECT_DOUBLE_EQ(Call("Round", {1.25, 1}).AsDouble(), 1.3);
  EXPECT_DOUBLE_EQ(Call("Round", {Variant(Currency(1234)), -2}).AsDouble(), 1200.0);
}

TEST_F(Elements, MathematicsErrors) {
  EXPECT_THROW(Call("SQRT", {-1}), EInvalidOp);
  EXPECT_THROW(Call("Ln", {0}), EZeroDivide);
  EXPECT_THROW(Call("Ln", {-1.0}), EInvalidOp);
  EXPECT_THROW(Call("Exp", {1000}), EOverflow);
  for (const char* name : {"Int", "Frac", "SQRT", "Abs", "Sin", "Cos", "Tan", "Atn", "Exp", "Ln"}) {
    EXPECT_FALSE(Accepts(name, {"1"})) << name;
    EXPECT_FALSE(Accepts(name, {})) << name;
    EXPECT_FALSE(Accepts(name, {1, 2})) << name;
    EXPECT_FALSE(Accepts(name, {Variant(Currency(1))})) << name;
  }
  EXPECT_TRUE(Accepts("Round", {Variant(Currency(1))}));
  EXPECT_FALSE(Accepts("Round", {1.5, 1.0}));
  EXPECT_FALSE(Accepts("Round", {"1.5"}));
  EXPECT_FALSE(Accepts("Round", {1.5, 1, 2}));
}

TEST_F(Elements, StringsNormalCases) {
  EXPECT_EQ(Call("Trim", {" \tab c\r\n"}).AsString(), "ab c");
  EXPECT_EQ(Call("Len", {"abcd"}).VarType(), varInteger);
  EXPECT_EQ(Call("Len", {"abcd"}).AsInteger(), 4);
  EXPECT_EQ(Call("Upper", {"çiğ ıi"}).AsString(), "ÇIĞ ıI");
  EXPECT_EQ(Call("Lower", {"ÇIĞ İ"}).AsString(), "çiğ İ");
  EXPECT_EQ(Call("Proper", {"hELLO wORLD"}).AsString(), "Hello world");
  EXPECT_EQ(Call("Proper", {""}).AsString(), "");
  EXPECT_EQ(Call("Copy", {"ABCDEF", 2}).AsString(), "BCDEF");
  EXPECT_EQ(Call("Copy", {"ABCDEF", 2, 3}).AsString(), "BCD");
  EXPECT_EQ(Call("Delete", {"ABCDEF", 2, 3}).AsString(), "AEF");
  EXPECT_EQ(Call("Delete", {"ABCDEF", 2}).AsString(), "A");
  EXPECT_EQ(Call("Pos", {"B", "ABC"}).AsInteger(), 2);
  EXPECT_EQ(Call("Pos", {"X", "ABC"}).AsInteger(), 0);
  EXPECT_EQ(Call("Str", {true}).AsString(), "True");
  EXPECT_EQ(Call("Str", {false}).AsString(), "False");
  EXPECT_EQ(Call("Str", {Null()}).AsString(), "");
  EXPECT_EQ(Call("Str", {12}).AsString(), "12");
  EXPECT_EQ(Call("FormatFloat", {"#,##0.00", 1234.5}).AsString(), "1,234.50");
  EXPECT_EQ(Call("FormatCurr", {"0.0000", 0.12345}).AsString(), "0.1234");  // 1234.5 units, half to even
  EXPECT_EQ(Call("FormatCurr", {"0.00", 2}).AsString(), "2.00");
}

TEST_F(Elements, StringsUnderTurkishSettings) {
  FormatSettingsScope turkish(TurkishFormatSettings());
  EXPECT_EQ(Call("FormatFloat", {"#,##0.00", 1234.5}).AsString(), "1.234,50");
  EXPECT_EQ(Call("Str", {2.5}).AsString(), "2,5");
}

TEST_F(Elements, StringsRefuseWrongArguments) {
  for (const char* name : {"Trim", "Len", "Upper", "Lower", "Proper"}) {
    EXPECT_FALSE(Accepts(name, {1})) << name;
    EXPECT_FALSE(Accepts(name, {"a", "b"})) << name;
  }
  for (const char* name : {"Copy", "Delete"}) {
    EXPECT_FALSE(Accepts(name, {"abc"})) << name;
    EXPECT_FALSE(Accepts(name, {"abc", "1"})) << name;
    EXPECT_FALSE(Accepts(name, {"abc", 1, 1.5})) << name;
    EXPECT_FALSE(Accepts(name, {"abc", 1, 1, 1})) << name;
  }
  EXPECT_FALSE(Accepts("Pos", {"a", 1}));
  EXPECT_FALSE(Accepts("Str", {}));
  EXPECT_FALSE(Accepts("Str", {1, 2}));
  EXPECT_FALSE(Accepts("FormatFloat", {1.5, "0.00"}));
  EXPECT_FALSE(Accepts("FormatCurr", {"0.00", Variant(Currency(1))}));
  EXPECT_THROW(Call("FormatFloat", {"0.00", "x"}), std::runtime_error);
}

TEST_F(Elements, DateTime) {
  const Variant day = VarFromDateTime(EncodeDate(2024, 2, 29));
  EXPECT_EQ(Call("Year", {day}).AsInteger(), 2024);
  EXPECT_EQ(Call("Month", {day}).AsInteger(), 2);
  EXPECT_EQ(Call("Day", {day}).AsInteger(), 29);
  const Variant dmy = Call("DMY", {29, 2, 2024});
  EXPECT_EQ(dmy.VarType(), varDate);
  EXPECT_EQ(dmy.AsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_EQ(Call("YMD", {2024, 2, 29}).AsDateTime(), EncodeDate(2024, 2, 29));

  EXPECT_THROW(Call("DMY", {29, 2, 2023}), EConvertError);
  EXPECT_THROW(Call("YMD", {2024, 13, 1}), EConvertError);
  EXPECT_FALSE(Accepts("Year", {2024}));
  EXPECT_FALSE(Accepts("Month", {"2024-01-01"}));
  EXPECT_FALSE(Accepts("Day", {day, day}));
  EXPECT_FALSE(Accepts("DMY", {1, 2}));
  EXPECT_FALSE(Accepts("YMD", {2024, 1.0, 1}));
}

TEST_F(Elements, Constants) {
  EXPECT_EQ(Call("True", {}).AsBoolean(), true);
  EXPECT_EQ(Call("True", {}).VarType(), varBoolean);
  EXPECT_EQ(Call("False", {}).AsBoolean(), false);
  EXPECT_EQ(Call("Pi", {}).AsDouble(), 3.141592653589793);
  const Variant today = Call("Date", {});
  EXPECT_EQ(today.VarType(), varDate);
  EXPECT_EQ(today.AsDateTime(), Date());
  EXPECT_EQ(today.AsDateTime(), std::floor(today.AsDateTime())) << "no time of day";
  for (const char* name : {"True", "False", "Date", "Pi"})
    EXPECT_FALSE(Accepts(name, {1})) << name;
}

}  // namespace
