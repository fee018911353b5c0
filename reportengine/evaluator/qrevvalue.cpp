#include "reportengine/evaluator/qrevvalue.h"

#include "classlib/system/numconv.h"

TQREvValue TQREvValue::Integer(std::int32_t value) {
  TQREvValue v;
  v.ValueKind = evInteger;
  v.IntValue = value;
  return v;
}

TQREvValue TQREvValue::Float(double value) {
  TQREvValue v;
  v.ValueKind = evFloat;
  v.FloatValue = value;
  return v;
}

TQREvValue TQREvValue::String(std::string_view text) {
  TQREvValue v;
  v.ValueKind = evString;
  v.StrValue = CutEvText(text);
  return v;
}

TQREvValue TQREvValue::Boolean(bool value) {
  TQREvValue v;
  v.ValueKind = evBoolean;
  v.BoolValue = value;
  return v;
}

TQREvValue TQREvValue::Error(std::string_view message) {
  TQREvValue v;
  v.ValueKind = evError;
  v.StrValue = CutEvText(message);
  return v;
}

double TQREvValue::AsDouble() const {
  if (ValueKind == evInteger)
    return IntValue;
  if (ValueKind == evFloat)
    return FloatValue;
  return 0;
}

AnsiString CutEvText(std::string_view text) {
  return AnsiString(text.substr(0, MaxEvTextLength));
}

namespace {

void ClearFields(TQREvValue& value, TQREvResultType kind) {
  value.ValueKind = kind;
  value.IntValue = 0;
  value.FloatValue = 0;
  value.BoolValue = false;
}

}  // namespace

void SetEvString(TQREvValue& value, std::string_view text) {
  ClearFields(value, evString);
  value.StrValue.assign(text.substr(0, MaxEvTextLength));
}

void SetEvInteger(TQREvValue& value, std::int32_t number) {
  ClearFields(value, evInteger);
  value.IntValue = number;
  value.StrValue.clear();
}

void SetEvFloat(TQREvValue& value, double number) {
  ClearFields(value, evFloat);
  value.FloatValue = number;
  value.StrValue.clear();
}

void SetEvBoolean(TQREvValue& value, bool truth) {
  ClearFields(value, evBoolean);
  value.BoolValue = truth;
  value.StrValue.clear();
}

void SetEvError(TQREvValue& value, std::string_view message) {
  ClearFields(value, evError);
  value.StrValue.assign(message.substr(0, MaxEvTextLength));
}

AnsiString EvValueText(const TQREvValue& value) {
  switch (value.ValueKind) {
    case evInteger:
      return IntToStr(value.IntValue);
    case evFloat:
      return FloatToStr(value.FloatValue);
    case evBoolean:
      return value.BoolValue ? "True" : "False";
    case evString:
    case evError:
      break;
  }
  return value.StrValue;
}

const char* EvKindName(TQREvResultType kind) {
  switch (kind) {
    case evInteger:
      return "INTEGER";
    case evFloat:
      return "FLOAT";
    case evString:
      return "STRING";
    case evBoolean:
      return "BOOLEAN";
    case evError:
      break;
  }
  return "ERROR";
}
