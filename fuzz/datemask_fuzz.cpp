// Date masks, edit masks and date texts from outside files (layout masks,
// option values): formatting and parsing never crash, loop or read out of
// bounds; bad input ends in an EConvertError-family exception at most.
// fuzz-deps: dozuri_system
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "classlib/system/datetime.h"
#include "classlib/system/exceptions.h"
#include "classlib/system/maskutils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first 8 bytes choose the date; the rest is the mask or text, split
  // at the first zero byte into a mask and a value.
  double when = 0;
  const size_t skip = size >= sizeof when ? sizeof when : 0;
  if (skip)
    std::memcpy(&when, data, sizeof when);
  const AnsiString text(reinterpret_cast<const char*>(data) + skip, size - skip);
  const size_t split = text.find('\0');
  const AnsiString mask = text.substr(0, split);
  const AnsiString value = split == AnsiString::npos ? AnsiString() : text.substr(split + 1);
  try {
    FormatDateTime(mask, when);
  } catch (const Exception&) {
  }
  try {
    FormatMaskText(mask, value);
  } catch (const Exception&) {
  }
  TDateTime parsed;
  TryStrToDateTime(text, parsed);
  TryStrToDate(mask, parsed);
  return 0;
}
