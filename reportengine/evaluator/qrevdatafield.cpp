#include "reportengine/evaluator/qrevdatafield.h"

#include "classlib/classes/lists.h"
#include "classlib/data/booleanfield.h"
#include "classlib/data/dataset.h"
#include "classlib/data/datetimefields.h"
#include "classlib/data/field.h"
#include "classlib/data/numericfields.h"
#include "classlib/data/stringfield.h"
#include "classlib/system/format.h"
#include "classlib/system/strutils.h"

IMPLEMENT_CLASS(TQREvElementDataField)

TQREvElementDataField::TQREvElementDataField(TField* AField)
    : DataSet(AField->DataSet()), FieldIndex(AField->Index()), Field(AField) {}

void TQREvElementDataField::GetValue(TQRFiFo&, TQREvValue& Result) {
  try {
    TField* field = Field;
    if (DataSet != nullptr && DataSet->DefaultFields()) {
      if (FieldIndex < 0 || FieldIndex >= DataSet->FieldCount())
        return SetEvError(Result, "Field index out of range");
      field = DataSet->Fields()[FieldIndex];
      Field = field;
    }
    ReadField(field, Result);
  } catch (const Exception& e) {
    SetEvError(Result, e.Message);
  }
}

void TQREvElementDataField::ReadField(TField* field, TQREvValue& Result) {
  if (dynamic_cast<TStringField*>(field) != nullptr)
    return SetEvString(Result, field->AsString());
  if (dynamic_cast<TIntegerField*>(field) != nullptr)  // also small, word and auto-increment fields
    return SetEvInteger(Result, field->AsInteger());
  if (dynamic_cast<TFloatField*>(field) != nullptr || dynamic_cast<TBCDField*>(field) != nullptr ||
      field->DataType() == ftFMTBcd)
    return SetEvFloat(Result, field->AsFloat());
  if (dynamic_cast<TBooleanField*>(field) != nullptr)
    return SetEvBoolean(Result, field->AsBoolean());
  if (dynamic_cast<TDateTimeField*>(field) != nullptr || field->DataType() == ftTimeStamp)
    return SetEvString(Result, field->Text());
  SetEvError(Result, Format("Field %s is of unknown type", {field->FieldName()}));
}

namespace {

TField* FieldIn(TDataSet* dataSet, const AnsiString& fieldName) {
  return dataSet != nullptr ? dataSet->FindField(fieldName) : nullptr;
}

}  // namespace

TQREvElementDataField* FindDataFieldElement(TList* DataSets, const AnsiString& Name) {
  if (DataSets == nullptr)
    return nullptr;
  std::size_t dot = Name.find('.');
  AnsiString dataSetName = dot == AnsiString::npos ? AnsiString() : AnsiUpperCase(Name.substr(0, dot));
  AnsiString fieldName = AnsiUpperCase(dot == AnsiString::npos ? Name : Name.substr(dot + 1));
  for (int i = 0; i < DataSets->Count(); ++i) {
    auto* dataSet = static_cast<TDataSet*>(DataSets->Items(i));
    if (dataSet == nullptr)
      continue;
    if (!dataSetName.empty()) {
      // Component names are identifiers: ASCII letters match in either case.
      if (!SameText(dataSet->Name(), dataSetName))
        continue;
      TField* field = FieldIn(dataSet, fieldName);
      return field != nullptr ? new TQREvElementDataField(field) : nullptr;
    }
    if (TField* field = FieldIn(dataSet, fieldName))
      return new TQREvElementDataField(field);
  }
  return nullptr;
}
