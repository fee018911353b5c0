// fuzz-deps: dozuri_textreport_core dozuri_classes dozuri_system
// Escape texts come from layouts (labels' texts, custom escape strings): the
// text functions must take any bytes and any column a layout can hold, never
// crash, overflow or loop. The first four bytes are a column and a count as
// signed 16-bit numbers (negative ones included, see below); the rest
// is split at the first zero byte into the line and the text written into it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "classlib/classes/streams.h"
#include "textreport/core/zrescape.h"
#include "textreport/core/zrescapestream.h"
#include "textreport/core/zrescapetext.h"
#include "textreport/core/zrescapetokenizer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4)
    return 0;
  std::int16_t rawAt, rawCount;
  std::memcpy(&rawAt, data, 2);
  std::memcpy(&rawCount, data + 2, 2);
  // The extremes stand for the ends of the int range, where position
  // arithmetic would overflow; a column is kept small otherwise, as padding
  // up to it is the caller's to bound.
  constexpr int First = std::numeric_limits<int>::min(), Last = std::numeric_limits<int>::max();
  const int at = rawAt == INT16_MIN ? First : rawAt % 512;
  const int count = rawCount == INT16_MIN ? First : rawCount == INT16_MAX ? Last : rawCount;
  const std::string rest(reinterpret_cast<const char*>(data) + 4, size - 4);
  const std::size_t zero = rest.find('\0');
  const AnsiString line = rest.substr(0, zero);
  const AnsiString text = zero == std::string::npos ? AnsiString() : rest.substr(zero + 1);

  (void)VisibleLength(line);
  (void)StripEscapes(line);
  (void)VisibleCopy(line, at, count);
  (void)DeleteVisible(line, at, count);
  (void)InsertVisible(text, line, at);
  (void)OverlayVisible(text, line, at);
  (void)StyleWrap(text, EscapeStateBefore(line, at), StyleSet(EscapeStateBefore(line, count)));

  TZREscapeTokenizer tokenizer;
  tokenizer.SetText(line);
  for (std::size_t steps = 0; !tokenizer.EndOfText(); ++steps) {
    if (steps > line.size())
      __builtin_trap();  // every token holds at least one character
    tokenizer.NextToken();
  }

  // Custom escape strings made of the text, written and read back.
  TZREscapes escapes;
  escapes.SetValues(zecBoldOn, text.substr(0, 3));
  escapes.SetValues(zecBoldOff, text.size() > 3 ? text.substr(3, 3) : AnsiString());
  TStringStream target;
  TZREscapeStream stream(&target, &escapes);
  stream.WriteLn(line);
  target.Seek(0, soBeginning);
  AnsiString readBack;
  while (stream.ReadLn(readBack)) {
  }
  return 0;
}
