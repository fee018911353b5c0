#include "reportengine/evaluator/qrexpraggregates.h"

#include <climits>

#include "reportengine/evaluator/qrexprfunctions.h"
#include "reportengine/evaluator/qrfifo.h"

IMPLEMENT_CLASS(TQREvSumFunction)
IMPLEMENT_CLASS(TQREvAverageFunction)
IMPLEMENT_CLASS(TQREvMaxFunction)
IMPLEMENT_CLASS(TQREvMinFunction)
IMPLEMENT_CLASS(TQREvCountFunction)

// ---- SUM and AVERAGE ---------------------------------------------------------------

TQREvSumFunction::TQREvSumFunction() {
  IsAggregateFunction = true;
}

void TQREvSumFunction::ResetState() {
  HasTotal = false;
  Total = TQREvValue();
}

void TQREvSumFunction::AddToTotal(const TQREvValue& Value) {
  switch (Value.ValueKind) {
    case evInteger:
      if (Total.ValueKind == evInteger) {
        int sum;
        if (__builtin_add_overflow(Total.IntValue, Value.IntValue, &sum))
          SetEvFloat(Total, static_cast<double>(Total.IntValue) + Value.IntValue);
        else
          Total.IntValue = sum;
      } else {
        Total.FloatValue += Value.IntValue;
      }
      return;
    case evFloat:
      SetEvFloat(Total, Total.AsDouble() + Value.FloatValue);
      return;
    case evString:
      SetEvError(Total, WrongArgumentsText(FunctionName()));
      return;
    default:  // booleans and errors are passed over
      return;
  }
}

void TQREvSumFunction::Accumulate() {
  if (ArgumentCount() != 1) {
    SetEvError(Total, WrongArgumentsText(FunctionName()));
  } else if (!HasTotal) {
    const TQREvValue& value = Arguments[0];
    if (value.IsNumeric() || value.IsError())
      Total = value;  // an error argument passes its message on
    else
      SetEvError(Total, WrongArgumentsText(FunctionName()));
  } else if (!Total.IsError()) {
    AddToTotal(Arguments[0]);
  }
  HasTotal = true;
}

void TQREvSumFunction::ComputeResult(TQREvValue& Result) {
  if (HasTotal)
    Result = Total;
  else
    SetEvInteger(Result, 0);
}

void TQREvAverageFunction::ResetState() {
  TQREvSumFunction::ResetState();
  SampleCount = 0;
  Average = TQREvValue::Float(0);
  IsAggregateFunction = true;
}

void TQREvAverageFunction::Accumulate() {
  TQREvSumFunction::Accumulate();
  if (SampleCount < INT_MAX)
    ++SampleCount;
  if (Total.IsNumeric())
    SetEvFloat(Average, Total.AsDouble() / SampleCount);
  else
    Average = Total;
}

void TQREvAverageFunction::ComputeResult(TQREvValue& Result) {
  Result = Average;
}

// ---- MAX and MIN ----------------------------------------------------------------------

namespace {

// -1, 0 or 1 as value sorts before, with or after total; false when the two
// cannot be compared.
bool CompareToTotal(const TQREvValue& value, const TQREvValue& total, int& order) {
  if (value.IsNumeric() && total.IsNumeric()) {
    double a = value.AsDouble(), b = total.AsDouble();
    order = a < b ? -1 : (a > b ? 1 : 0);
    return true;
  }
  if (value.ValueKind != total.ValueKind)
    return false;
  if (value.ValueKind == evString) {
    int c = value.StrValue.compare(total.StrValue);
    order = c < 0 ? -1 : (c > 0 ? 1 : 0);
    return true;
  }
  if (value.ValueKind == evBoolean) {
    order = static_cast<int>(value.BoolValue) - static_cast<int>(total.BoolValue);
    return true;
  }
  return false;
}

// wanted: 1 keeps the largest value, -1 the smallest.
void AccumulateExtreme(const std::vector<TQREvValue>& arguments, const char* name, int wanted,
                       bool& hasTotal, TQREvValue& total) {
  int order;
  if (arguments.size() != 1)
    SetEvError(total, WrongArgumentsText(name));
  else if (!hasTotal)
    total = arguments[0];
  else if (!total.IsError() && CompareToTotal(arguments[0], total, order) && order == wanted)
    total = arguments[0];
  hasTotal = true;
}

void ReportExtreme(bool hasTotal, const TQREvValue& total, TQREvValue& result) {
  if (hasTotal)
    result = total;
  else
    SetEvInteger(result, 0);
}

}  // namespace

TQREvMaxFunction::TQREvMaxFunction() {
  IsAggregateFunction = true;
}

void TQREvMaxFunction::Accumulate() {
  AccumulateExtreme(Arguments, "MAX", 1, HasTotal, Total);
}

void TQREvMaxFunction::ComputeResult(TQREvValue& Result) {
  ReportExtreme(HasTotal, Total, Result);
}

TQREvMinFunction::TQREvMinFunction() {
  IsAggregateFunction = true;
}

void TQREvMinFunction::Accumulate() {
  AccumulateExtreme(Arguments, "MIN", -1, HasTotal, Total);
}

void TQREvMinFunction::ComputeResult(TQREvValue& Result) {
  ReportExtreme(HasTotal, Total, Result);
}

// ---- COUNT ---------------------------------------------------------------------------

TQREvCountFunction::TQREvCountFunction() {
  IsAggregateFunction = true;
}

void TQREvCountFunction::GetValue(TQRFiFo& Sequence, TQREvValue& Result) {
  ReadArguments(Sequence);
  bool hasArguments = ArgumentCount() > 0;
  Arguments.clear();
  if (hasArguments)
    return SetEvError(Result, "COUNT - Too many arguments");
  if (Sequence.Aggregating && Counter < INT_MAX)
    ++Counter;
  SetEvInteger(Result, Counter);
}
