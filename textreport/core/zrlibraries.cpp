#include "textreport/core/zrlibraries.h"

#include <cmath>
#include <initializer_list>
#include <limits>

#include "classlib/system/datetime.h"
#include "classlib/system/mathutils.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"
#include "textreport/core/zrconst.h"
#include "textreport/core/zrformat.h"

namespace {

constexpr const char* kGeneralNames[] = {"not", "iif", "isnull"};
constexpr const char* kMathNames[] = {"Int", "Frac", "SQRT", "Abs", "Sin", "Cos", "Tan", "Atn", "Exp", "Ln", "Round"};
constexpr const char* kStringNames[] = {"Trim", "Len",    "Upper", "Lower", "Proper",     "Copy",
                                        "Delete", "Pos", "Str",   "FormatFloat", "FormatCurr"};
constexpr const char* kDateTimeNames[] = {"Year", "Month", "Day", "DMY", "YMD"};
constexpr const char* kConstantNames[] = {"True", "False", "Date", "Pi"};

TZRValueKind KindOf(const TZRArguments* arguments, int index) {
  return ClassifyValue(ArgumentValue(arguments, index));
}

bool KindIn(const TZRArguments* arguments, int index, std::initializer_list<TZRValueKind> kinds) {
  const TZRValueKind kind = KindOf(arguments, index);
  for (TZRValueKind k : kinds)
    if (k == kind)
      return true;
  return false;
}

bool IsNumber(const TZRArguments* arguments, int index) { return KindIn(arguments, index, {zvkInteger, zvkFloat}); }

// ---- Mathematics -----------------------------------------------------------------

enum MathElement { meInt, meFrac, meSqrt, meAbs, meSin, meCos, meTan, meAtn, meExp, meLn, meRound };

double CheckedResult(double result) {
  if (std::isinf(result))
    throw EOverflow("Floating point overflow");
  if (std::isnan(result))
    throw EInvalidOp("Invalid floating point operation");
  return result;
}

double Ln(double value) {
  if (value == 0)
    throw EZeroDivide("Floating point division by zero");
  if (value < 0)
    throw EInvalidOp("Invalid floating point operation");
  return std::log(value);
}

double Sqrt(double value) {
  if (value < 0)
    throw EInvalidOp("Invalid floating point operation");
  return std::sqrt(value);
}

// The value times 10^digits written without decimals (halves away from
// zero), read back and divided again.
double RoundTo(double value, int digits) {
  const double factor = std::pow(10.0, digits);
  const AnsiString text = FloatToStrF(CheckedResult(value * factor), ffFixed, 18, 0);
  return StrToFloat(text) / factor;
}

double MathValue(int index, const TZRArguments* arguments) {
  const double x = ArgumentValue(arguments, 0).AsDouble();
  switch (index) {
    case meInt: return Int(x);
    case meFrac: return Frac(x);
    case meSqrt: return Sqrt(x);
    case meAbs: return std::fabs(x);
    case meSin: return CheckedResult(std::sin(x));
    case meCos: return CheckedResult(std::cos(x));
    case meTan: return CheckedResult(std::tan(x));
    case meAtn: return std::atan(x);
    case meExp: return CheckedResult(std::exp(x));
    case meLn: return Ln(x);
    case meRound: {
      const int digits = ArgumentCount(arguments) > 1 ? ArgumentValue(arguments, 1).AsInteger() : 0;
      return RoundTo(x, digits);
    }
    default: return 0;
  }
}

// ---- Strings ---------------------------------------------------------------------

enum StringElement {
  seTrim, seLen, seUpper, seLower, seProper, seCopy, seDelete, sePos, seStr, seFormatFloat, seFormatCurr
};

AnsiString Proper(const AnsiString& s) {
  if (s.empty())
    return s;
  return AnsiUpperCase(s.substr(0, 1)) + AnsiLowerCase(s.substr(1));
}

// Start and Count of Copy and Delete; without Count, up to the end.
void Range(const TZRArguments* arguments, int& start, int& count) {
  start = ArgumentValue(arguments, 1).AsInteger();
  count = ArgumentCount(arguments) > 2 ? ArgumentValue(arguments, 2).AsInteger() : std::numeric_limits<int>::max();
}

AnsiString StrOf(const Variant& value) {
  switch (ClassifyValue(value)) {
    case zvkNull: return AnsiString();
    case zvkBoolean: return LoadZRString(value.AsBoolean() ? SZRTrue : SZRFalse);
    default: return VarToStr(value);
  }
}

Variant StringValue(int index, const TZRArguments* arguments) {
  const Variant first = ArgumentValue(arguments, 0);
  switch (index) {
    case seTrim: return Trim(first.AsString());
    case seLen: return static_cast<int>(first.AsString().size());
    case seUpper: return AnsiUpperCase(first.AsString());
    case seLower: return AnsiLowerCase(first.AsString());
    case seProper: return Proper(first.AsString());
    case seCopy: {
      int start, count;
      Range(arguments, start, count);
      return Copy(first.AsString(), start, count);
    }
    case seDelete: {
      int start, count;
      Range(arguments, start, count);
      AnsiString text = first.AsString();
      Delete(text, start, count);
      return text;
    }
    case sePos: return Pos(first.AsString(), ArgumentValue(arguments, 1).AsString());
    case seStr: return StrOf(first);
    case seFormatFloat: return FormatFloat(first.AsString(), ArgumentValue(arguments, 1).AsDouble());
    case seFormatCurr: {
      // Fixed to four decimals first, as a currency amount is.
      const double value = ArgumentValue(arguments, 1).AsDouble();
      return FormatCurr(first.AsString(), Currency::FromScaled(Round(value * Currency::Scale)));
    }
    default: return Variant();
  }
}

}  // namespace

IMPLEMENT_CLASS(TZRBuiltInLibrary)
IMPLEMENT_CLASS(TZRGeneralLibrary)
IMPLEMENT_CLASS(TZRMathLibrary)
IMPLEMENT_CLASS(TZRStringLibrary)
IMPLEMENT_CLASS(TZRDateTimeLibrary)
IMPLEMENT_CLASS(TZRConstantLibrary)

void TZRBuiltInLibrary::ElementName(int Index, AnsiString& Name) {
  Name = Index >= 0 && Index < ElementCount() ? FNames[static_cast<std::size_t>(Index)] : "";
}

// ---- General ---------------------------------------------------------------------

TZRGeneralLibrary::TZRGeneralLibrary(TZRElementCollection* Collection)
    : TZRBuiltInLibrary(Collection, kGeneralNames) {}

bool TZRGeneralLibrary::CheckArguments(int Index, const TZRArguments* Arguments) {
  const int count = ArgumentCount(Arguments);
  switch (Index) {
    case 0: return count == 1 && KindIn(Arguments, 0, {zvkInteger, zvkBoolean});
    case 1: return count == 3 && KindOf(Arguments, 0) == zvkBoolean;
    case 2: return count >= 1;
    default: return false;
  }
}

void TZRGeneralLibrary::Calculate(int Index, const TZRArguments* Arguments, Variant& Result) {
  switch (Index) {
    case 0: Result = !ArgumentValue(Arguments, 0); break;
    case 1: Result = ArgumentValue(Arguments, ArgumentValue(Arguments, 0).AsBoolean() ? 1 : 2); break;
    case 2:
      Result = Variant();
      for (int i = 0; i < ArgumentCount(Arguments); ++i) {
        Variant value = ArgumentValue(Arguments, i);
        const TZRValueKind kind = ClassifyValue(value);
        if (kind != zvkNone && kind != zvkNull) {
          Result = value;
          break;
        }
      }
      break;
  }
}

// ---- Mathematics -----------------------------------------------------------------

TZRMathLibrary::TZRMathLibrary(TZRElementCollection* Collection) : TZRBuiltInLibrary(Collection, kMathNames) {}

bool TZRMathLibrary::CheckArguments(int Index, const TZRArguments* Arguments) {
  const int count = ArgumentCount(Arguments);
  if (Index == meRound)
    return (count == 1 || count == 2) && KindIn(Arguments, 0, {zvkInteger, zvkFloat, zvkCurrency}) &&
           (count == 1 || KindOf(Arguments, 1) == zvkInteger);
  return Index >= 0 && Index < ElementCount() && count == 1 && IsNumber(Arguments, 0);
}

void TZRMathLibrary::Calculate(int Index, const TZRArguments* Arguments, Variant& Result) {
  Result = MathValue(Index, Arguments);
}

// ---- String ----------------------------------------------------------------------

TZRStringLibrary::TZRStringLibrary(TZRElementCollection* Collection) : TZRBuiltInLibrary(Collection, kStringNames) {}

bool TZRStringLibrary::CheckArguments(int Index, const TZRArguments* Arguments) {
  const int count = ArgumentCount(Arguments);
  switch (Index) {
    case seTrim:
    case seLen:
    case seUpper:
    case seLower:
    case seProper: return count == 1 && KindOf(Arguments, 0) == zvkString;
    case seCopy:
    case seDelete:
      return (count == 2 || count == 3) && KindOf(Arguments, 0) == zvkString && KindOf(Arguments, 1) == zvkInteger &&
             (count == 2 || KindOf(Arguments, 2) == zvkInteger);
    case sePos: return count == 2 && KindOf(Arguments, 0) == zvkString && KindOf(Arguments, 1) == zvkString;
    case seStr: return count == 1;
    case seFormatFloat:
    case seFormatCurr: return count == 2 && KindOf(Arguments, 0) == zvkString && IsNumber(Arguments, 1);
    default: return false;
  }
}

void TZRStringLibrary::Calculate(int Index, const TZRArguments* Arguments, Variant& Result) {
  Result = StringValue(Index, Arguments);
}

// ---- Date/Time -------------------------------------------------------------------

TZRDateTimeLibrary::TZRDateTimeLibrary(TZRElementCollection* Collection)
    : TZRBuiltInLibrary(Collection, kDateTimeNames) {}

bool TZRDateTimeLibrary::CheckArguments(int Index, const TZRArguments* Arguments) {
  const int count = ArgumentCount(Arguments);
  if (Index >= 0 && Index <= 2)
    return count == 1 && KindOf(Arguments, 0) == zvkDate;
  if (Index == 3 || Index == 4)
    return count == 3 && KindOf(Arguments, 0) == zvkInteger && KindOf(Arguments, 1) == zvkInteger &&
           KindOf(Arguments, 2) == zvkInteger;
  return false;
}

void TZRDateTimeLibrary::Calculate(int Index, const TZRArguments* Arguments, Variant& Result) {
  if (Index <= 2) {
    Word year, month, day;
    DecodeDate(ArgumentValue(Arguments, 0).AsDateTime(), year, month, day);
    Result = static_cast<int>(Index == 0 ? year : Index == 1 ? month : day);
    return;
  }
  const int a = ArgumentValue(Arguments, 0).AsInteger();
  const int b = ArgumentValue(Arguments, 1).AsInteger();
  const int c = ArgumentValue(Arguments, 2).AsInteger();
  Result = VarFromDateTime(Index == 3 ? EncodeDate(c, b, a) : EncodeDate(a, b, c));
}

// ---- Constants -------------------------------------------------------------------

TZRConstantLibrary::TZRConstantLibrary(TZRElementCollection* Collection)
    : TZRBuiltInLibrary(Collection, kConstantNames) {}

bool TZRConstantLibrary::CheckArguments(int Index, const TZRArguments* Arguments) {
  return Index >= 0 && Index < ElementCount() && ArgumentCount(Arguments) == 0;
}

void TZRConstantLibrary::Calculate(int Index, const TZRArguments* Arguments, Variant& Result) {
  switch (Index) {
    case 0: Result = true; break;
    case 1: Result = false; break;
    case 2: Result = VarFromDateTime(Date()); break;
    case 3: Result = 3.14159265358979323846; break;
  }
}

// ---- The process-wide collection ---------------------------------------------------

TZRElementCollection& ElementLibraries() {
  static TZRElementCollection libraries;
  static const bool filled = [] {
    libraries.AddLibrary(CreateLibrary<TZRGeneralLibrary>, "General", ZRLibraryTag, "General functions");
    libraries.AddLibrary(CreateLibrary<TZRMathLibrary>, "Mathematics", ZRLibraryTag, "Mathematical functions");
    libraries.AddLibrary(CreateLibrary<TZRStringLibrary>, "String", ZRLibraryTag, "String functions");
    libraries.AddLibrary(CreateLibrary<TZRDateTimeLibrary>, "Date/Time", ZRLibraryTag, "Date - time functions");
    libraries.AddLibrary(CreateLibrary<TZRConstantLibrary>, "Constants", ZRLibraryTag, "Constants");
    return true;
  }();
  (void)filled;
  return libraries;
}
