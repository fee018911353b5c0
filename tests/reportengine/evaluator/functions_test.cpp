// The built-in function library: registration and each function's normal
// and error cases, under the Turkish and the US locale.
#include <memory>
#include <vector>

#include "classlib/system/clock.h"
#include "classlib/system/datetime.h"
#include "evaluatortesting.h"
#include "reportengine/evaluator/qrevelement.h"
#include "reportengine/evaluator/qrexprfunctions.h"
#include "reportengine/evaluator/qrlibrary.h"

namespace {

class FunctionLibrary : public LocaleTest {};
INSTANTIATE_LOCALES(FunctionLibrary);

TEST_P(FunctionLibrary, If) {
  ExpectCases({
      {"IF(TRUE, 1, 'b')", "integer 1"},
      {"IF(FALSE, 1, 'b')", "string 'b'"},
      {"if(1 = 1, 'yes', 'no')", "string 'yes'"},
      {"IF(TRUE, FOO, 2)", "error Unknown function : FOO"},
      {"IF(1, 'a', 'b')", "error Wrong arguments for IF"},
      {"IF(TRUE, 1)", "error Wrong arguments for IF"},
  });
}

TEST_P(FunctionLibrary, Str) {
  ExpectCases({
      {"STR(12)", "string '12'"},
      {"STR(-7)", "string '-7'"},
      {"STR(TRUE)", "string 'True'"},
      {"STR('a')", "error Conversion error"},
      {"STR(FOO)", "error Conversion error"},
      {"STR()", "error Conversion error"},
      {"STR(1, 2)", "error Conversion error"},
  });
  EXPECT_EQ(EvaluateText("STR(1.5)"), Decimal("string '1.5'"));
}

TEST_P(FunctionLibrary, UpperLowerPretty) {
  ExpectCases({
      {"UPPER('abc')", "string 'ABC'"},
      {"UPPER('çğşöü')", "string 'ÇĞŞÖÜ'"},
      {"LOWER('ABC')", "string 'abc'"},
      {"PRETTY('hELLO wORLD')", "string 'Hello world'"},
      {"PRETTY('')", "string ''"},
      {"UPPER(1)", "error 1"},  // the argument's own text
      {"LOWER(FOO)", "error Unknown function : FOO"},
      {"PRETTY(TRUE)", "error True"},
      {"UPPER('a', 'b')", "error Missing argument for UPPER"},
      {"LOWER", "error Missing argument for LOWER"},
      {"PRETTY()", "error Missing argument for PRETTY"},
  });
}

TEST_P(FunctionLibrary, TimeAndDate) {
  ClockScope clock(EncodeDate(2026, 12, 10) + EncodeTime(14, 5, 6, 0));
  EXPECT_EQ(EvaluateText("DATE"), IsTurkish() ? "string '10.12.2026'" : "string '12/10/2026'");
  EXPECT_EQ(EvaluateText("TIME"), IsTurkish() ? "string '14:05:06'" : "string '2:05:06 PM'");
  EXPECT_EQ(EvaluateText("TIME(1)"), "error Too many arguments");
  EXPECT_EQ(EvaluateText("DATE('x')"), "error Too many arguments");
}

TEST_P(FunctionLibrary, Copy) {
  ExpectCases({
      {"COPY('abcdef', 0, 2)", "string 'ab'"},
      {"COPY('abcdef', 1, 2)", "string 'ab'"},
      {"COPY('abcdef', 3, 2)", "string 'cd'"},
      {"COPY('abcdef', 5, 10)", "string 'ef'"},
      {"COPY('abc', 5, 1)", "string ''"},
      {"COPY('abc', 2.0, 1)", "error Wrong arguments for COPY"},  // floats are refused
      {"COPY('abc', 1)", "error Wrong arguments for COPY"},
      {"COPY(123, 1, 1)", "error Wrong arguments for COPY"},
  });
}

TEST_P(FunctionLibrary, TrueAndFalse) {
  ExpectCases({
      {"TRUE", "boolean True"},
      {"false", "boolean False"},
      {"FALSE()", "boolean False"},
      {"TRUE(1)", "error Too many arguments"},
      {"FALSE(1, 2)", "error Too many arguments"},
  });
}

TEST_P(FunctionLibrary, IntFracSqrt) {
  ExpectCases({
      {"INT(-2.7)", "integer -2"},
      {"INT(2.7)", "integer 2"},
      {"INT(5)", "integer 5"},
      {"INT('a')", "error Wrong arguments for INT"},
      {"INT(1, 2)", "error Wrong arguments for INT"},
      {"INT(12345678901)", "error Integer overflow"},
      {"FRAC(-2.5)", "float -0.5"},
      {"FRAC(1.25)", "float 0.25"},
      {"FRAC(3)", "float 0"},
      {"TYPEOF(FRAC(3))", "string 'FLOAT'"},
      {"FRAC('x')", "error Wrong arguments for FRAC"},
      {"SQRT(16)", "float 4"},
      {"SQRT(2.25)", "float 1.5"},
      {"SQRT(-1)", "error Invalid argument to SQRT function"},
      {"SQRT('a')", "error Invalid argument to SQRT function"},
      {"SQRT()", "error Invalid argument to SQRT function"},
  });
}

TEST_P(FunctionLibrary, Div) {
  ExpectCases({
      {"DIV(7, 2)", "integer 3"},
      {"DIV(-7, 2)", "integer -3"},
      {"DIV(2.5, 1)", "integer 2"},  // halves round to the even neighbour
      {"DIV(3.5, 1)", "integer 4"},
      {"DIV(9, 2.6)", "integer 3"},
      {"DIV(5, 0.4)", "error Division by Zero"},  // 0.4 rounds to 0
      {"DIV(5, 0)", "error Division by Zero"},
      {"DIV(1)", "error Wrong arguments for DIV"},
      {"DIV('a', 1)", "error Wrong arguments for DIV"},
      {"DIV(12345678901, 1)", "error Integer overflow"},
      {"DIV(-2147483647-1, -1)", "error Integer overflow"},
  });
}

TEST_P(FunctionLibrary, TypeOf) {
  ExpectCases({
      {"TYPEOF(1/2)", "string 'FLOAT'"},
      {"TYPEOF(1)", "string 'INTEGER'"},
      {"TYPEOF('a')", "string 'STRING'"},
      {"TYPEOF(TRUE)", "string 'BOOLEAN'"},
      {"TYPEOF(XYZ)", "string 'ERROR'"},
      {"TYPEOF(1, 2)", "error Wrong arguments for TypeOf"},
      {"TYPEOF()", "error Wrong arguments for TypeOf"},
  });
}

TEST_P(FunctionLibrary, FormatNumeric) {
  EXPECT_EQ(EvaluateText("FORMATNUMERIC('0.00', 3)"), Decimal("string '3.00'"));
  EXPECT_EQ(EvaluateText("FORMATNUMERIC('0.0', 2.25)"), Decimal("string '2.3'"));
  EXPECT_EQ(EvaluateText("FORMATNUMERIC('#,##0', 1234567)"),
            IsTurkish() ? "string '1.234.567'" : "string '1,234,567'");
  ExpectCases({
      {"FORMATNUMERIC(3, 3)", "error Wrong arguments for FORMATNUMERIC"},
      {"FORMATNUMERIC('0', 'x')", "error Wrong arguments for FORMATNUMERIC"},
      {"FORMATNUMERIC('0')", "error Wrong arguments for FORMATNUMERIC"},
  });
}

TEST_P(FunctionLibrary, FunctionsNestAndMixWithOperators) {
  ExpectCases({
      {"UPPER(COPY('abcdef', 2, 3)) + STR(1+1)", "string 'BCD2'"},
      {"IF(DIV(7, 2) = 3, PRETTY('ok'), 'no')", "string 'Ok'"},
      {"COPY('a,b', 1, 3)", "string 'a,b'"},  // a comma inside quotes does not split
      {"STR((1+2)*3)", "string '9'"},
      {"IF(FALSE, 1, )", "error Error in expression :  "},  // a blank argument is an error value
      {"IF(FALSE, 1, ())", "error Error in expression : "},
  });
}

// ---- The registry ------------------------------------------------------------------

TEST(BuiltInFunctionRegistry, HoldsTheTwentyOneFunctionsInRegistrationOrder) {
  const std::vector<std::string> names = {"IF",    "STR",     "UPPER", "LOWER", "PRETTY", "TIME",   "DATE",
                                          "COPY",  "SUM",     "COUNT", "MAX",   "MIN",    "AVERAGE", "TRUE",
                                          "FALSE", "INT",     "FRAC",  "SQRT",  "DIV",    "TYPEOF", "FORMATNUMERIC"};
  TQRFunctionLibrary* library = BuiltInFunctions();
  ASSERT_EQ(library->Count(), 21);
  for (int i = 0; i < 21; ++i)
    EXPECT_EQ(library->EntryAt(i)->Name, names[static_cast<size_t>(i)]);
  EXPECT_EQ(library->EntryAt(-1), nullptr);
  EXPECT_EQ(library->EntryAt(21), nullptr);
}

TEST(BuiltInFunctionRegistry, EntriesCarryTheirCodesAndDescriptions) {
  TQRFunctionLibrary* library = BuiltInFunctions();
  TQRLibraryEntry* first = library->EntryAt(0);
  EXPECT_EQ(first->ArgumentCode, "5BVV");
  EXPECT_EQ(first->Description, "IF(<Exp>, <X>, <Y>)|Returns <X> or <Y> depending on the boolean expression <Exp>");
  EXPECT_EQ(first->ElementClass, TQREvIfFunction::StaticClass());
  TQRLibraryEntry* div = library->EntryAt(18);
  EXPECT_EQ(div->ArgumentCode, "2NN");
  EXPECT_EQ(div->Description, "DIV(<X>, <Y>) | Integer division of <X> by <Y>");
  EXPECT_EQ(library->EntryAt(7)->Description, "COPY(<X>, <St>,<Len>)|Returns a substring of string X");
}

TEST(BuiltInFunctionRegistry, InstantiatesByNameOrMakesAnError) {
  std::unique_ptr<TQREvElement> found(BuiltInFunctions()->InstantiateFunction("typeof"));
  EXPECT_EQ(found->ClassName(), "TQREvTypeOfFunction");
  std::unique_ptr<TQREvElement> missing(BuiltInFunctions()->InstantiateFunction("NOPE"));
  auto* error = dynamic_cast<TQREvElementError*>(missing.get());
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(error->Message, "Unknown function : NOPE");
}

// A library instantiates its entries through their class references.
class TQREvTwiceFunction : public TQREvElementFunction {
  DECLARE_CLASS(TQREvTwiceFunction, TQREvElementFunction)

public:
  TQREvTwiceFunction() = default;
};
IMPLEMENT_CLASS(TQREvTwiceFunction)

TEST(FunctionRegistry, AddedEntriesAreFoundByNameInAnyCase) {
  TQRLibrary library;
  library.AddEntry(TQREvTwiceFunction::StaticClass(), "TWICE", "2N", "Tests", "TWICE(<X>)|Doubles <X>");
  ASSERT_EQ(library.Count(), 1);
  EXPECT_EQ(library.EntryAt(0)->Vendor, "Tests");
  std::unique_ptr<TQREvElement> element(library.InstantiateFunction("twice"));
  EXPECT_EQ(element->ClassName(), "TQREvTwiceFunction");
  EXPECT_EQ(element->ClassType(), TQREvTwiceFunction::StaticClass());
}

}  // namespace
