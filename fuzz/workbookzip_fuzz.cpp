// fuzz-deps: dozuri_workbook dozuri_system
// Feeds arbitrary bytes to the workbook zip reader: the central directory is
// read and every entry unpacked under a small size limit; each input must
// either give its entries or raise the workbook error, never crash, hang or
// allocate past the limit.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/workbook/workbookerror.h"
#include "support/workbook/zipdirectory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    workbook::TZipArchive archive(bytes, 1u << 22);
    for (const workbook::TZipEntry& entry : archive.Entries()) {
      try {
        if (archive.Extract(entry).size() != entry.Size)
          __builtin_trap();
      } catch (const EWorkbookError&) {
      }
    }
  } catch (const EWorkbookError&) {
  }
  return 0;
}
