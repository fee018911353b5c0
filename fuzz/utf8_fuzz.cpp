// UTF-8 text from outside files: decoding never fails or reads out of bounds,
// and what it yields survives a round trip.
// fuzz-deps: dozuri_system
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "classlib/system/codepage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::u16string wide = Utf8ToUtf16(input);
  if (Utf8ToUtf16(Utf16ToUtf8(wide)) != wide)
    abort();
  const AnsiString ansi = Utf8ToAnsi(input);
  if (Utf8ToAnsi(AnsiToUtf8(ansi)) != ansi || Utf16ToAnsi(AnsiToUtf16(ansi)) != ansi)
    abort();
  if (OemToAnsi(AnsiToOem(ansi)).size() != ansi.size())
    abort();
  return 0;
}
