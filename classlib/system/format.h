// Format: printf-like formatting with the platform's specifiers and texts.
//
//   Format("%s: %d", {name, count})
//
// Specifiers: "%" [index ":"] ["-"] [width] ["." precision] type, where index,
// width and precision may be "*" (taken from the next integer argument) and
// type is one of
//   d  integer (precision = least digits)      u  unsigned integer
//   e  scientific "-d.ddddddddddddddE+ddd"      f  fixed (precision decimals, default 2)
//   g  general (precision significant digits)   n  like f with thousands separators
//   m  money: currency string, format and decimals of the settings
//   p  pointer as 16 hex digits                 s  text (precision = most characters)
//   x  hex (precision = least digits)           %% a percent sign
// Width pads with blanks on the left, or on the right after "-".
// A malformed format, a missing argument or an argument of the wrong type
// raises EConvertError "Format '<format>' invalid or incompatible with argument".
#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>
#include <type_traits>

#include "classlib/system/ansistring.h"
#include "classlib/system/currency.h"
#include "classlib/system/formatsettings.h"

// One argument of Format. Texts are held by view: a TVarRec lives only as long
// as the call it is written in.
class TVarRec {
public:
  enum class Kind { Integer, Int64, Extended, Currency, String, Char, Pointer };

  // Integers: 32-bit signed values stay Integer; unsigned 32-bit and every
  // 64-bit value become Int64 (so unsigned values are never negative).
  template <typename T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>)
  TVarRec(T value) {
    if constexpr (std::is_signed_v<T> && sizeof(T) <= 4) {
      kind_ = Kind::Integer;
      int_ = static_cast<std::int64_t>(value);
    } else {
      kind_ = Kind::Int64;
      int_ = static_cast<std::int64_t>(value);
    }
  }
  TVarRec(bool) = delete;  // the platform has no numeric specifier for Boolean
  TVarRec(char value) : kind_(Kind::Char), char_(value) {}
  TVarRec(double value) : kind_(Kind::Extended), float_(value) {}
  TVarRec(float value) : kind_(Kind::Extended), float_(value) {}
  TVarRec(long double value) : kind_(Kind::Extended), float_(static_cast<double>(value)) {}
  TVarRec(Currency value) : kind_(Kind::Currency), currency_(value) {}
  TVarRec(const AnsiString& value) : kind_(Kind::String), text_(value) {}
  TVarRec(std::string_view value) : kind_(Kind::String), text_(value) {}
  TVarRec(const char* value) : kind_(Kind::String), text_(value ? std::string_view(value) : std::string_view()) {}
  TVarRec(const void* value) : kind_(Kind::Pointer), pointer_(value) {}
  TVarRec(std::nullptr_t) : kind_(Kind::Pointer), pointer_(nullptr) {}

  Kind kind() const { return kind_; }
  std::int64_t AsInt64() const { return int_; }
  double AsDouble() const { return float_; }
  Currency AsCurrency() const { return currency_; }
  std::string_view AsText() const { return text_; }
  char AsChar() const { return char_; }
  const void* AsPointer() const { return pointer_; }

private:
  Kind kind_;
  std::int64_t int_ = 0;
  double float_ = 0;
  Currency currency_;
  std::string_view text_;
  char char_ = 0;
  const void* pointer_ = nullptr;
};

AnsiString Format(const AnsiString& format, std::span<const TVarRec> args,
                  const TFormatSettings& settings = FormatSettings);
inline AnsiString Format(const AnsiString& format, std::initializer_list<TVarRec> args,
                         const TFormatSettings& settings = FormatSettings) {
  return Format(format, std::span<const TVarRec>(args.begin(), args.size()), settings);
}
