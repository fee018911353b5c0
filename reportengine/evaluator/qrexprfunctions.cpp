#include "reportengine/evaluator/qrexprfunctions.h"

#include <climits>
#include <cmath>

#include "classlib/system/datetime.h"
#include "classlib/system/format.h"
#include "classlib/system/mathutils.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"
#include "reportengine/evaluator/qrexpraggregates.h"
#include "reportengine/evaluator/qrevoperators.h"
#include "reportengine/evaluator/qrlibrary.h"

IMPLEMENT_CLASS(TQREvIfFunction)
IMPLEMENT_CLASS(TQREvStrFunction)
IMPLEMENT_CLASS(TQREvUpperFunction)
IMPLEMENT_CLASS(TQREvLowerFunction)
IMPLEMENT_CLASS(TQREvPrettyFunction)
IMPLEMENT_CLASS(TQREvTimeFunction)
IMPLEMENT_CLASS(TQREvDateFunction)
IMPLEMENT_CLASS(TQREvCopyFunction)
IMPLEMENT_CLASS(TQREvTrue)
IMPLEMENT_CLASS(TQREvFalse)
IMPLEMENT_CLASS(TQREvIntFunction)
IMPLEMENT_CLASS(TQREvFracFunction)
IMPLEMENT_CLASS(TQREvSQRTFunction)
IMPLEMENT_CLASS(TQREvDivFunction)
IMPLEMENT_CLASS(TQREvTypeOfFunction)
IMPLEMENT_CLASS(TQREvFormatNumericFunction)

AnsiString WrongArgumentsText(const char* Name) {
  return Format("Wrong arguments for %s", {Name});
}

namespace {

constexpr const char* TooManyArgumentsText = "Too many arguments";

// A number as a 32-bit integer toward zero; false when it does not fit.
bool TruncToInt32(double value, int& result) {
  if (!(value > static_cast<double>(INT_MIN) - 1 && value < static_cast<double>(INT_MAX) + 1))
    return false;  // also NaN
  result = static_cast<int>(value);
  return true;
}

// A number rounded to the nearest integer, halves to even; false when it
// does not fit 32 bits.
bool RoundToInt32(const TQREvValue& value, int& result) {
  if (value.ValueKind == evInteger) {
    result = value.IntValue;
    return true;
  }
  double rounded = std::nearbyint(value.FloatValue);  // the default rounding mode: halves to even
  return TruncToInt32(rounded, result);
}

// UPPER, LOWER and PRETTY: one string argument, else the matching error.
bool OneString(const std::vector<TQREvValue>& arguments, const char* name, TQREvValue& result) {
  if (arguments.size() != 1) {
    SetEvError(result, Format("Missing argument for %s", {name}));
    return false;
  }
  if (arguments[0].ValueKind != evString) {
    // The error carries the argument's own text: an error passes its message on.
    SetEvError(result, EvValueText(arguments[0]));
    return false;
  }
  return true;
}

}  // namespace

void TQREvIfFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 3 || Arguments[0].ValueKind != evBoolean)
    return SetEvError(Result, WrongArgumentsText("IF"));
  Result = Arguments[0].BoolValue ? Arguments[1] : Arguments[2];
}

void TQREvStrFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 1 || Arguments[0].ValueKind == evString || Arguments[0].IsError())
    return SetEvError(Result, "Conversion error");
  SetEvString(Result, EvValueText(Arguments[0]));
}

void TQREvUpperFunction::ComputeResult(TQREvValue& Result) {
  if (OneString(Arguments, "UPPER", Result))
    SetEvString(Result, AnsiUpperCase(Arguments[0].StrValue));
}

void TQREvLowerFunction::ComputeResult(TQREvValue& Result) {
  if (OneString(Arguments, "LOWER", Result))
    SetEvString(Result, AnsiLowerCase(Arguments[0].StrValue));
}

// Code page 1254 has no double-byte characters, so the first character is
// always one byte.
void TQREvPrettyFunction::ComputeResult(TQREvValue& Result) {
  if (!OneString(Arguments, "PRETTY", Result))
    return;
  AnsiString text = AnsiLowerCase(Arguments[0].StrValue);
  if (!text.empty())
    text[0] = AnsiUpperChar(text[0]);
  SetEvString(Result, text);
}

void TQREvTimeFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 0)
    return SetEvError(Result, TooManyArgumentsText);
  SetEvString(Result, TimeToStr(Time()));
}

void TQREvDateFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 0)
    return SetEvError(Result, TooManyArgumentsText);
  SetEvString(Result, DateToStr(Date()));
}

// COPY(text, start, length): integers only; a start of 0 counts as 1.
void TQREvCopyFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 3 || Arguments[0].ValueKind != evString || Arguments[1].ValueKind != evInteger ||
      Arguments[2].ValueKind != evInteger)
    return SetEvError(Result, WrongArgumentsText("COPY"));
  SetEvString(Result, Copy(Arguments[0].StrValue, Arguments[1].IntValue, Arguments[2].IntValue));
}

void TQREvTrue::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 0)
    return SetEvError(Result, TooManyArgumentsText);
  SetEvBoolean(Result, true);
}

void TQREvFalse::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 0)
    return SetEvError(Result, TooManyArgumentsText);
  SetEvBoolean(Result, false);
}

// The integer part of a float beyond 32 bits is "Integer overflow", an error
// value like every other failure of an expression.
void TQREvIntFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 1 || !Arguments[0].IsNumeric())
    return SetEvError(Result, WrongArgumentsText("INT"));
  if (Arguments[0].ValueKind == evInteger)
    return SetEvInteger(Result, Arguments[0].IntValue);
  int integer;
  if (!TruncToInt32(Arguments[0].FloatValue, integer))
    return SetEvError(Result, IntegerOverflowText);
  SetEvInteger(Result, integer);
}

void TQREvFracFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 1 || !Arguments[0].IsNumeric())
    return SetEvError(Result, WrongArgumentsText("FRAC"));
  if (Arguments[0].ValueKind == evInteger)
    return SetEvFloat(Result, 0);
  double value = Arguments[0].FloatValue;
  SetEvFloat(Result, std::isfinite(value) ? Frac(value) : 0.0);
}

void TQREvSQRTFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 1 || !Arguments[0].IsNumeric() || Arguments[0].AsDouble() < 0)
    return SetEvError(Result, "Invalid argument to SQRT function");
  SetEvFloat(Result, std::sqrt(Arguments[0].AsDouble()));
}

// DIV(x, y): floats are first rounded to the nearest integer (halves to even).
void TQREvDivFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 2 || !Arguments[0].IsNumeric() || !Arguments[1].IsNumeric())
    return SetEvError(Result, WrongArgumentsText("DIV"));
  int dividend, divisor;
  if (!RoundToInt32(Arguments[0], dividend) || !RoundToInt32(Arguments[1], divisor))
    return SetEvError(Result, IntegerOverflowText);
  if (divisor == 0)
    return SetEvError(Result, "Division by Zero");
  if (dividend == INT_MIN && divisor == -1)
    return SetEvError(Result, IntegerOverflowText);
  SetEvInteger(Result, dividend / divisor);
}

void TQREvTypeOfFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 1)
    return SetEvError(Result, WrongArgumentsText("TypeOf"));
  SetEvString(Result, EvKindName(Arguments[0].ValueKind));
}

void TQREvFormatNumericFunction::ComputeResult(TQREvValue& Result) {
  if (ArgumentCount() != 2 || Arguments[0].ValueKind != evString || !Arguments[1].IsNumeric())
    return SetEvError(Result, WrongArgumentsText("FORMATNUMERIC"));
  try {
    SetEvString(Result, FormatFloat(Arguments[0].StrValue, Arguments[1].AsDouble()));
  } catch (const Exception&) {
    SetEvError(Result, "Invalid format or value specified");
  }
}

// ---- The registry ----------------------------------------------------------------

namespace {

constexpr const char* Vendor = "Dozuri";

struct BuiltInFunction {
  TClass ElementClass;
  const char* Name;
  const char* ArgumentCode;
  const char* Signature;
  const char* Explanation;
};

// In registration order.
const BuiltInFunction builtInFunctions[] = {
    {TQREvIfFunction::StaticClass(), "IF", "5BVV", "IF(<Exp>, <X>, <Y>)",
     "Returns <X> or <Y> depending on the boolean expression <Exp>"},
    {TQREvStrFunction::StaticClass(), "STR", "7N", "STR(<X>)", "Convert a numeric <X> to a string"},
    {TQREvUpperFunction::StaticClass(), "UPPER", "7S", "UPPER(<X>)", "Converts a string to upper case letters"},
    {TQREvLowerFunction::StaticClass(), "LOWER", "7S", "LOWER(<X>)", "Converts a string to lower case letters"},
    {TQREvPrettyFunction::StaticClass(), "PRETTY", "7S", "PRETTY(<X>)",
     "Makes the first character upper case and the rest lower case"},
    {TQREvTimeFunction::StaticClass(), "TIME", "1", "TIME", "Return current time as a string"},
    {TQREvDateFunction::StaticClass(), "DATE", "1", "DATE", "Return current date as a string"},
    {TQREvCopyFunction::StaticClass(), "COPY", "7SNN", "COPY(<X>, <St>,<Len>)", "Returns a substring of string X"},
    {TQREvSumFunction::StaticClass(), "SUM", "3N", "SUM(<X>)", "Sums the numeric <X>"},
    {TQREvCountFunction::StaticClass(), "COUNT", "3", "COUNT", "Increments for each iteration"},
    {TQREvMaxFunction::StaticClass(), "MAX", "3V", "MAX(<X>)", "Returns the highest <X>"},
    {TQREvMinFunction::StaticClass(), "MIN", "3V", "MIN(<X>)", "Returns the lowest <X>"},
    {TQREvAverageFunction::StaticClass(), "AVERAGE", "3N", "AVERAGE(<X>)", "Returns the average of numeric <X>"},
    {TQREvTrue::StaticClass(), "TRUE", "5", "TRUE", "boolean value"},
    {TQREvFalse::StaticClass(), "FALSE", "5", "FALSE", "boolean value"},
    {TQREvIntFunction::StaticClass(), "INT", "2N", "INT(<X>)", "Returns the integer part of <X>"},
    {TQREvFracFunction::StaticClass(), "FRAC", "2N", "FRAC(<X>)", "Returns the fractional part of <X>"},
    {TQREvSQRTFunction::StaticClass(), "SQRT", "2N", "SQRT(<X>)", "Returns square root of <X>"},
    {TQREvDivFunction::StaticClass(), "DIV", "2NN", "DIV(<X>, <Y>)", "Integer division of <X> by <Y>"},
    {TQREvTypeOfFunction::StaticClass(), "TYPEOF", "6N", "TYPEOF(<Exp>)", "Returns the data type of <Exp>"},
    {TQREvFormatNumericFunction::StaticClass(), "FORMATNUMERIC", "7SN", "FORMATNUMERIC(<F>,<N>)",
     "Formats numeric <N> using the mask in <F>"},
};

AnsiString DescriptionOf(const BuiltInFunction& function) {
  // DIV alone has blanks around its bar.
  const char* bar = std::string_view(function.Name) == "DIV" ? " | " : "|";
  return AnsiString(function.Signature) + bar + function.Explanation;
}

TQRFunctionLibrary* builtIn = nullptr;

struct BuiltInFunctionsModule {
  BuiltInFunctionsModule() {
    auto* library = new TQRFunctionLibrary;
    for (const BuiltInFunction& function : builtInFunctions)
      library->AddEntry(function.ElementClass, function.Name, function.ArgumentCode, Vendor, DescriptionOf(function));
    builtIn = library;
  }
  ~BuiltInFunctionsModule() {
    delete builtIn;
    builtIn = nullptr;
  }
};

}  // namespace

TQRFunctionLibrary* BuiltInFunctions() {
  static BuiltInFunctionsModule module;
  return builtIn;
}
