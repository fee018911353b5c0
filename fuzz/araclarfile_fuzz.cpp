// fuzz-deps: dozuri_components_core dozuri_classes dozuri_system
// Tools files may hold any bytes: every whole record must decode within its
// 380 bytes, each text no longer than its field, and a decoded record must
// write back to bytes that decode to the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "components/core/araclarfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<TAraclarRecord> records = DecodeAraclarRecords(data, size);
  if (records.size() != size / AraclarRecordSize)
    std::abort();
  for (const TAraclarRecord& record : records) {
    if (record.Caption.size() > 100 || record.Hint.size() > 100 || record.ShortCut.size() > 20 ||
        record.FileName.size() > 150)
      std::abort();
    const std::vector<std::uint8_t> bytes = EncodeAraclarRecord(record);
    if (bytes.size() != AraclarRecordSize || !(DecodeAraclarRecord(bytes.data()) == record))
      std::abort();
  }
  return 0;
}
