// fuzz-deps: dozuri_pagestore dozuri_classes dozuri_system
// Page store files come from other users: loading one and reading each of
// its pages must end in pages or in EQRPageFileError, never in a crash.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "reportengine/qrpagelist.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string name = "/tmp/dozuri-fuzz-pagestore-" + std::to_string(getpid()) + ".qrp";
  if (FILE* f = std::fopen(name.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  try {
    TQRPageList list;
    list.LoadFromFile(name);
    for (std::int32_t n = list.PageCount(); n >= 1 && n > list.PageCount() - 4; --n)
      list.GetPageData(n);
    list.GetPageData(1);
    // A report's compression option applied to the loaded store.
    list.SetCompression(!list.Compression());
    list.GetPageData(list.PageCount());
  } catch (const Exception&) {
  }
  return 0;
}
