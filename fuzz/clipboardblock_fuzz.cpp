// fuzz-deps: dozuri_design_core dozuri_classes dozuri_system
//
// The design clipboard block over arbitrary bytes: taken only when its
// length fits and its data is signed, then read as the paste reads it. The
// read must end normally or with EReadError.
#include <cstddef>
#include <cstdint>

#include "classlib/classes/component.h"
#include "classlib/classes/reader.h"
#include "design/core/clipboardblock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TMemoryStream records;
  if (!TakeClipboardBlock(Data, Size, records))
    return 0;
  TComponent root(nullptr);
  try {
    TReader reader(records);
    reader.ReadComponents(&root, nullptr, nullptr);
  } catch (const EReadError&) {
  }
  return 0;
}
