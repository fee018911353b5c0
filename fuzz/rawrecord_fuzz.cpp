// fuzz-deps: dozuri_data dozuri_classes dozuri_system
// Feeds arbitrary bytes to the in-memory table as raw records, the way the
// record file is read: every input must be taken in the sound form or refused
// with EDatabaseError, never read past a slot or crash. The first byte picks
// the sizes of two string fields, so short, long and odd layouts all occur.
#include <cstddef>
#include <cstdint>

#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1)
    return 0;
  TRxMemoryData table(nullptr);
  table.FieldDefs()->Add("A", ftString, 1 + data[0] % 7);
  table.FieldDefs()->Add("B", ftString, 1 + data[0] / 7 % 40);
  table.FieldDefs()->Add("N", ftInteger);
  table.Open();
  const uint8_t* rest = data + 1;
  size_t left = size - 1;
  const size_t record = static_cast<size_t>(table.RecordSize());
  while (left > 0) {
    const size_t take = left < record ? left : record;
    table.Append();
    try {
      table.SetRawRecord(rest, take);
      table.Post();
    } catch (const EDatabaseError&) {
      table.Cancel();  // a short last record is refused
    }
    rest += take;
    left -= take;
  }
  for (table.First(); !table.Eof(); table.Next()) {
    for (TField* field : table.Fields())
      (void)field->AsString().size();
    (void)table.GetRawRecord();
  }
  return 0;
}
