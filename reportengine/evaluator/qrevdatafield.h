// Data-field elements: a field of one of the evaluator's source data sets,
// read afresh at each evaluation.
//
// The element keeps its field object, so no name is looked up per record;
// a data set with default fields may remake them (on reopening), so for such
// a data set the field is fetched again by its index.
#pragma once
#include "reportengine/evaluator/qrevelement.h"

class TDataSet;
class TField;
class TList;

class TQREvElementDataField : public TQREvElement {
  DECLARE_CLASS(TQREvElementDataField, TQREvElement)

public:
  TQREvElementDataField() = default;
  // The data set and the index come from the field.
  explicit TQREvElementDataField(TField* AField);

  // By the field's class: string fields give their text, integer fields an
  // integer, float, currency and BCD fields a float, boolean fields a
  // boolean, date and time fields their text; other fields the error
  // "Field <name> is of unknown type". A field that cannot be read (its data
  // set closed) gives an error value with the reason.
  void GetValue(TQRFiFo& Sequence, TQREvValue& Result) override;

  TDataSet* DataSet = nullptr;
  int FieldIndex = -1;
  TField* Field = nullptr;

private:
  void ReadField(TField* field, TQREvValue& Result);
};

// A new element for Name among DataSets (a TList of TDataSet): "Field" is
// searched in every data set in list order, "DataSet.Field" in the data set
// of that component name; nullptr when no such field exists.
TQREvElementDataField* FindDataFieldElement(TList* DataSets, const AnsiString& Name);
