// Number masks and number texts from outside files (layout masks, option
// values): formatting and parsing never crash, loop or read out of bounds,
// and a malformed Format string raises EConvertError rather than anything else.
// fuzz-deps: dozuri_system
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "classlib/system/exceptions.h"
#include "classlib/system/format.h"
#include "classlib/system/numconv.h"

namespace {

// The first 8 bytes choose the number; the rest is the mask or text.
double NumberFrom(const uint8_t* data, size_t size) {
  double value = 0;
  if (size >= sizeof value)
    std::memcpy(&value, data, sizeof value);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const double value = NumberFrom(data, size);
  const size_t skip = size >= sizeof(double) ? sizeof(double) : 0;
  const AnsiString text(reinterpret_cast<const char*>(data) + skip, size - skip);
  const TFormatSettings settings[] = {USFormatSettings(), TurkishFormatSettings()};
  for (const TFormatSettings& s : settings) {
    FormatFloat(text, value, s);
    FormatCurr(text, Currency::FromScaled(static_cast<std::int64_t>(size) * 12345 - 987654321), s);
    // What FloatToStr writes, StrToFloat reads back.
    double parsed, again;
    if (TryStrToFloat(text, parsed, s) && !TryStrToFloat(FloatToStr(parsed, s), again, s))
      abort();
    Currency amount;
    TryStrToCurr(text, amount, s);
    try {
      Format(text, {value, 42, "text", Currency::FromScaled(5), 'c'}, s);
    } catch (const EConvertError&) {
    }
  }
  int number;
  if (TryStrToInt(text, number) && StrToInt(IntToStr(number)) != number)
    abort();
  return 0;
}
