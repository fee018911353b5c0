#include "app/recordtables.h"

#include "classlib/data/fielddefs.h"

AnsiString RecordFieldName(int number) { return "METIN" + std::to_string(number); }

void DefineBarcodeRecordFields(TRxMemoryData& table) {
  table.FieldDefs()->Clear();
  for (int k = 1; k <= RecordFieldCount; ++k)
    table.FieldDefs()->Add(RecordFieldName(k), ftString, RecordFieldSize);
}

void DefineLabelFields(TRxMemoryData& table) {
  DefineBarcodeRecordFields(table);
  table.FieldDefs()->Add("BAS", ftBoolean);
}
