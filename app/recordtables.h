// The program's two tables: the saved barcode records (METIN1..METIN20, 200
// characters each) and the labels to print (the same fields and BAS, true
// for a placeholder label that prints blank).
#pragma once
#include "classlib/data/rxmemorydata.h"

constexpr int RecordFieldCount = 20;
constexpr int RecordFieldSize = 200;

// "METIN1" ... "METIN20".
AnsiString RecordFieldName(int number);

// Defines the fields of a barcode record table; the table must be closed.
void DefineBarcodeRecordFields(TRxMemoryData& table);
// Defines the fields of the label table: the record fields and BAS.
void DefineLabelFields(TRxMemoryData& table);

// Keeps a table's data controls disabled for the lifetime of the scope, so
// every path out, exceptions included, enables them again.
class TDisableControlsScope {
public:
  explicit TDisableControlsScope(TDataSet& dataSet) : dataSet_(dataSet) { dataSet_.DisableControls(); }
  ~TDisableControlsScope() { dataSet_.EnableControls(); }
  TDisableControlsScope(const TDisableControlsScope&) = delete;
  TDisableControlsScope& operator=(const TDisableControlsScope&) = delete;

private:
  TDataSet& dataSet_;
};
