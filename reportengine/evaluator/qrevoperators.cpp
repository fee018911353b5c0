#include "reportengine/evaluator/qrevoperators.h"

#include "classlib/system/format.h"
#include "reportengine/evaluator/qrevelement.h"

namespace {

const char* KindWord(TQREvResultType kind) {
  switch (kind) {
    case evBoolean:
      return "boolean";
    case evString:
      return "string";
    default:
      return "numeric";
  }
}

const char* OperatorText(unsigned char code) {
  switch (code) {
    case opLess:
      return "<";
    case opLessOrEqual:
      return "<=";
    case opGreater:
      return ">";
    case opGreaterOrEqual:
      return ">=";
    case opOr:
      return "OR";
    case opAnd:
      return "AND";
    default:
      return "";
  }
}

void Cannot(TQREvValue& result, const char* verb, TQREvResultType kind) {
  SetEvError(result, Format("Cannot %s %s expressions", {verb, KindWord(kind)}));
}

void Incompatible(TQREvValue& result, unsigned char code, TQREvResultType kind) {
  SetEvError(result, Format("Operator %s is not compatible with %s expressions", {OperatorText(code), KindWord(kind)}));
}

// -1, 0 or 1 as a sorts before, with or after b.
template <class T>
int Order(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

bool Holds(unsigned char code, int order) {
  switch (code) {
    case opLess:
      return order < 0;
    case opLessOrEqual:
      return order <= 0;
    case opGreater:
      return order > 0;
    case opGreaterOrEqual:
      return order >= 0;
    case opEqual:
      return order == 0;
    default:
      return order != 0;
  }
}

int CompareTexts(const AnsiString& a, const AnsiString& b) {
  int c = a.compare(b);  // byte-wise, unsigned: the ordinal order of the 8-bit texts
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void Relation(unsigned char code, TQREvValue& left, const TQREvValue& right) {
  switch (left.ValueKind) {
    case evInteger:
      SetEvBoolean(left, Holds(code, Order(left.IntValue, right.IntValue)));
      return;
    case evFloat:
      SetEvBoolean(left, Holds(code, Order(left.FloatValue, right.FloatValue)));
      return;
    case evString:
      SetEvBoolean(left, Holds(code, CompareTexts(left.StrValue, right.StrValue)));
      return;
    default:
      if (code == opEqual || code == opUnequal)
        SetEvBoolean(left, Holds(code, left.BoolValue == right.BoolValue ? 0 : 1));
      else
        Incompatible(left, code, evBoolean);
      return;
  }
}

void IntegerArithmetic(unsigned char code, TQREvValue& left, const TQREvValue& right) {
  int a = left.IntValue, b = right.IntValue, r = 0;
  bool overflow = false;
  switch (code) {
    case opPlus:
      overflow = __builtin_add_overflow(a, b, &r);
      break;
    case opMinus:
      overflow = __builtin_sub_overflow(a, b, &r);
      break;
    case opMul:
      overflow = __builtin_mul_overflow(a, b, &r);
      break;
    case opDiv:
      if (b == 0)
        SetEvError(left, "Cannot divide by 0");
      else
        SetEvFloat(left, static_cast<double>(a) / b);
      return;
    case opOr:
      left.IntValue = a | b;
      return;
    default:  // opAnd
      left.IntValue = a & b;
      return;
  }
  if (overflow)
    SetEvError(left, IntegerOverflowText);
  else
    left.IntValue = r;
}

void FloatArithmetic(unsigned char code, TQREvValue& left, const TQREvValue& right) {
  double a = left.FloatValue, b = right.FloatValue;
  switch (code) {
    case opPlus:
      left.FloatValue = a + b;
      return;
    case opMinus:
      left.FloatValue = a - b;
      return;
    case opMul:
      left.FloatValue = a * b;
      return;
    case opDiv:
      if (b == 0)
        SetEvError(left, "Cannot divide by 0");
      else
        left.FloatValue = a / b;
      return;
    default:  // OR, AND
      Incompatible(left, code, evFloat);
      return;
  }
}

void StringArithmetic(unsigned char code, TQREvValue& left, const TQREvValue& right) {
  switch (code) {
    case opPlus:
      if (left.StrValue.size() < MaxEvTextLength)
        left.StrValue.append(right.StrValue, 0, MaxEvTextLength - left.StrValue.size());
      return;
    case opMinus:
      return Cannot(left, "subtract", evString);
    case opMul:
      return Cannot(left, "multiply", evString);
    case opDiv:
      return Cannot(left, "divide", evString);
    default:
      return Incompatible(left, code, evString);
  }
}

void BooleanArithmetic(unsigned char code, TQREvValue& left, const TQREvValue& right) {
  switch (code) {
    case opPlus:
      return Cannot(left, "add", evBoolean);
    case opMinus:
      return Cannot(left, "subtract", evBoolean);
    case opMul:
      return Cannot(left, "multiply", evBoolean);
    case opDiv:
      return Cannot(left, "divide", evBoolean);
    case opOr:
      left.BoolValue = left.BoolValue || right.BoolValue;
      return;
    default:  // opAnd
      left.BoolValue = left.BoolValue && right.BoolValue;
      return;
  }
}

void ToText(TQREvValue& value) {
  if (value.ValueKind != evString)
    SetEvString(value, EvValueText(value));
}

}  // namespace

void UnifyEvKinds(TQREvValue& Left, TQREvValue& Right) {
  if (Left.ValueKind == Right.ValueKind || Left.IsError() || Right.IsError())
    return;
  if (Left.IsNumeric() && Right.IsNumeric()) {
    TQREvValue& integer = Left.ValueKind == evInteger ? Left : Right;
    SetEvFloat(integer, integer.IntValue);
    return;
  }
  ToText(Left);
  ToText(Right);
}

void ApplyEvOperator(unsigned char Code, TQREvValue& Left, TQREvValue& Right) {
  UnifyEvKinds(Left, Right);
  if (Left.IsError())
    return;
  if (Right.IsError()) {
    Left = Right;
    return;
  }
  if (Code <= opUnequal)
    return Relation(Code, Left, Right);
  switch (Left.ValueKind) {
    case evInteger:
      return IntegerArithmetic(Code, Left, Right);
    case evFloat:
      return FloatArithmetic(Code, Left, Right);
    case evString:
      return StringArithmetic(Code, Left, Right);
    default:
      return BooleanArithmetic(Code, Left, Right);
  }
}
