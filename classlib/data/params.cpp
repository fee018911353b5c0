#include "classlib/data/params.h"

#include <cctype>

#include "classlib/data/dbconsts.h"
#include "classlib/data/fields.h"

BEGIN_PUBLISHED(TParam)
  PROPERTY(DataType, FDataType, SetDataType).Default(ftUnknown),
  PROPERTY(Name, FName, SetName),
  PROPERTY(ParamType, FParamType, SetParamType).Default(ptUnknown),
END_PUBLISHED

IMPLEMENT_CLASS(TParams)

void TParam::SetTypedValue(TFieldType Type, const Variant& Value) {
  if (FDataType == ftUnknown)
    FDataType = Type;
  FValue = Value;
}

void TParam::SetValue(const Variant& Value) {
  TFieldType type = ftUnknown;
  switch (Value.VarType()) {
    case varSmallint:
    case varShortInt:
    case varByte:
      type = ftSmallint;
      break;
    case varInteger:
    case varWord:
    case varLongWord:
      type = ftInteger;
      break;
    case varInt64:
      type = ftLargeint;
      break;
    case varSingle:
    case varDouble:
      type = ftFloat;
      break;
    case varCurrency:
      type = ftCurrency;
      break;
    case varDate:
      type = ftDateTime;
      break;
    case varBoolean:
      type = ftBoolean;
      break;
    case varString:
    case varOleStr:
      type = ftString;
      break;
    default:
      break;
  }
  SetTypedValue(type, Value);
}

void TParam::SetAsString(const AnsiString& Value) { SetTypedValue(ftString, Variant(Value)); }
void TParam::SetAsInteger(int Value) { SetTypedValue(ftInteger, Variant(Value)); }
void TParam::SetAsFloat(double Value) { SetTypedValue(ftFloat, Variant(Value)); }
void TParam::SetAsBoolean(bool Value) { SetTypedValue(ftBoolean, Variant(Value)); }
void TParam::SetAsDateTime(TDateTime Value) { SetTypedValue(ftDateTime, VarFromDateTime(Value)); }

void TParam::Assign(TPersistent* Source) {
  if (auto* param = dynamic_cast<TParam*>(Source)) {
    FName = param->FName;
    FDataType = param->FDataType;
    FParamType = param->FParamType;
    FValue = param->FValue;
    return;
  }
  TCollectionItem::Assign(Source);
}

TParam* TParams::CreateParam(TFieldType DataType, const AnsiString& Name, TParamType ParamType) {
  auto* param = static_cast<TParam*>(Add());
  param->SetName(Name);
  param->SetDataType(DataType);
  param->SetParamType(ParamType);
  return param;
}

TParam* TParams::FindParam(const AnsiString& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameFieldName(Items(i)->Name(), Name))
      return Items(i);
  return nullptr;
}

TParam* TParams::ParamByName(const AnsiString& Name) const {
  TParam* param = FindParam(Name);
  if (param == nullptr)
    DatabaseErrorFmt(dbconsts::SParameterNotFound, {Name});
  return param;
}

void TParams::ParseSQL(const AnsiString& SQL) {
  auto isNameChar = [](char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || u >= 0x80;
  };
  char quote = 0;
  for (size_t i = 0; i < SQL.size(); ++i) {
    char c = SQL[i];
    if (quote != 0) {
      if (c == quote)
        quote = 0;
      continue;
    }
    if (c == '\'' || c == '"') {
      quote = c;
      continue;
    }
    // ":NAME" starts a parameter; "::" is a literal colon.
    if (c != ':' || i + 1 >= SQL.size())
      continue;
    if (SQL[i + 1] == ':') {
      ++i;
      continue;
    }
    size_t end = i + 1;
    while (end < SQL.size() && isNameChar(SQL[end]))
      ++end;
    if (end == i + 1)
      continue;
    AnsiString name = SQL.substr(i + 1, end - i - 1);
    if (FindParam(name) == nullptr)
      CreateParam(ftUnknown, name, ptInput);
    i = end - 1;
  }
}
