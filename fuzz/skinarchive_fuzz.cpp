// fuzz-deps: dozuri_skin_base dozuri_classes dozuri_system
// Feeds arbitrary bytes to the packed skin archive reader: every input must
// either unpack or raise the one "not a packed skin file" error, never crash,
// hang or allocate beyond the reader's caps. The source stream is borrowed
// and must survive every failure.
#include <cstddef>
#include <cstdint>

#include "classlib/classes/streams.h"
#include "skin/core/acskinpack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 24))
    return 0;
  TMemoryStream source;
  source.WriteBuffer(data, static_cast<std::int32_t>(size));
  TacSkinConvertor* reader = new TacSkinConvertor;
  reader->SetSourceStream(&source, false);
  try {
    ReadSkinArchive(reader);
    if (reader->OptionsStream == nullptr)
      __builtin_trap();
    for (const auto& item : reader->ImageItems)
      if (reader->FindImage(item->Name) == nullptr)
        __builtin_trap();
    delete reader;
  } catch (const ESkinArchiveError&) {
    if (reader != nullptr)
      __builtin_trap();
  }
  if (source.Size() != static_cast<std::int64_t>(size))
    __builtin_trap();
  return 0;
}
