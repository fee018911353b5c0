// Report list files are edited by hand and copied between machines: reading
// any bytes must neither crash nor loop, a list it accepts keeps at most one
// default, and what is written reads back as the same list.
// fuzz-deps: dozuri_reportlist
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "layouts/reportlistfile.h"

namespace {

bool SameList(const TReportListFile& a, const TReportListFile& b) {
  return a.Entries == b.Entries && a.AskBeforePrint == b.AskBeforePrint && a.PrinterName == b.PrinterName &&
         a.Copies == b.Copies;
}

// A plain layout line cannot hold a file name that itself begins with
// "[def]" or "[*]" (a second "[def]" line can give one); such names do not
// round-trip and are not checked.
bool Expressible(const TReportListFile& list) {
  for (const TReportListEntry& entry : list.Entries)
    if (!entry.IsDefault && (entry.FileName.rfind("[def]", 0) == 0 || entry.FileName.rfind("[*]", 0) == 0))
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TReportListFile list;
  try {
    list = TReportListFile::Parse(text);
  } catch (const EReportListError&) {
    return 0;
  }
  int defaults = 0;
  for (const TReportListEntry& entry : list.Entries)
    defaults += entry.IsDefault ? 1 : 0;
  if (defaults > 1 || list.Copies < 1)
    std::abort();
  if (Expressible(list) && !SameList(TReportListFile::Parse(list.Text()), list))
    std::abort();
  return 0;
}
