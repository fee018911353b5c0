#include "classlib/system/format.h"

#include <cmath>
#include <cstdint>

#include "classlib/system/exceptions.h"
#include "classlib/system/floatdecimal.h"
#include "classlib/system/numconv.h"

namespace {

// Widths, precisions and indexes above this, written or passed with "*",
// are taken as a malformed format rather than an order to allocate.
constexpr long MaxFieldNumber = 1 << 20;

class Formatter {
public:
  Formatter(const AnsiString& format, std::span<const TVarRec> args, const TFormatSettings& settings)
      : format_(format), args_(args), settings_(settings) {}

  AnsiString Run() {
    while (at_ < format_.size()) {
      char c = format_[at_++];
      if (c != '%')
        out_ += c;
      else
        Specifier();
    }
    return out_;
  }

private:
  // The platform shows at most the first 31 characters of the format.
  [[noreturn]] void Fail(const char* message) const {
    AnsiString text = message;
    text.replace(text.find("%s"), 2, format_.substr(0, 31));
    throw EConvertError(text);
  }
  [[noreturn]] void Invalid() const { Fail("Format '%s' invalid or incompatible with argument"); }

  char Peek() const { return at_ < format_.size() ? format_[at_] : '\0'; }

  const TVarRec& NextArg() {
    if (argIndex_ >= args_.size())
      Fail("No argument for format '%s'");
    return args_[argIndex_++];
  }

  // A decimal number or "*" (the next argument, an integer); -1 if neither.
  long Number() {
    if (Peek() == '*') {
      ++at_;
      const TVarRec& arg = NextArg();
      if (arg.kind() != TVarRec::Kind::Integer || arg.AsInt64() > MaxFieldNumber)
        Invalid();
      return arg.AsInt64() < 0 ? 0 : static_cast<long>(arg.AsInt64());
    }
    if (Peek() < '0' || Peek() > '9')
      return -1;
    long value = 0;
    while (Peek() >= '0' && Peek() <= '9') {
      value = value * 10 + (format_[at_++] - '0');
      if (value > MaxFieldNumber)
        Invalid();
    }
    return value;
  }

  void Specifier() {
    if (Peek() == '%') {
      ++at_;
      out_ += '%';
      return;
    }
    long first = Number();
    if (Peek() == ':') {
      ++at_;
      if (first < 0)
        Invalid();
      argIndex_ = static_cast<size_t>(first);
      first = -1;
    }
    bool left = false;
    if (first < 0 && Peek() == '-') {
      left = true;
      ++at_;
    }
    long width = first >= 0 ? first : Number();
    long precision = -1;
    if (Peek() == '.') {
      ++at_;
      precision = Number();
      if (precision < 0)
        precision = 0;
    }
    if (at_ >= format_.size())
      Invalid();
    char type = static_cast<char>(format_[at_++] | 0x20);
    AnsiString text = Convert(type, NextArgFor(type), precision);
    Pad(text, width, left);
  }

  const TVarRec& NextArgFor(char type) {
    static const AnsiString known = "duefgnmpsx";
    if (known.find(type) == AnsiString::npos)
      Invalid();
    return NextArg();
  }

  void Pad(const AnsiString& text, long width, bool left) {
    size_t fill = width > static_cast<long>(text.size()) ? static_cast<size_t>(width) - text.size() : 0;
    if (!left)
      out_.append(fill, ' ');
    out_ += text;
    if (left)
      out_.append(fill, ' ');
  }

  AnsiString Convert(char type, const TVarRec& arg, long precision) {
    switch (type) {
      case 'd': return Decimal(arg, precision);
      case 'u': return Unsigned(arg, precision);
      case 'x': return Hex(arg, precision);
      case 'p': return PointerText(arg);
      case 's': return Text(arg, precision);
      default: return FloatText(type, arg, precision);
    }
  }

  static AnsiString ZeroPad(AnsiString digits, long precision) {
    if (precision > static_cast<long>(digits.size()))
      digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
    return digits;
  }

  void RequireInteger(const TVarRec& arg) const {
    if (arg.kind() != TVarRec::Kind::Integer && arg.kind() != TVarRec::Kind::Int64)
      Invalid();
  }

  // The argument's bits as unsigned: 32 of them for an Integer, 64 for an Int64.
  std::uint64_t UnsignedBits(const TVarRec& arg) const {
    RequireInteger(arg);
    if (arg.kind() == TVarRec::Kind::Integer)
      return static_cast<std::uint32_t>(static_cast<std::int32_t>(arg.AsInt64()));
    return static_cast<std::uint64_t>(arg.AsInt64());
  }

  AnsiString Decimal(const TVarRec& arg, long precision) const {
    RequireInteger(arg);
    std::int64_t value = arg.AsInt64();
    std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    AnsiString digits = ZeroPad(std::to_string(magnitude), precision);
    return value < 0 ? "-" + digits : digits;
  }

  AnsiString Unsigned(const TVarRec& arg, long precision) const {
    return ZeroPad(std::to_string(UnsignedBits(arg)), precision);
  }

  AnsiString Hex(const TVarRec& arg, long precision) const {
    return ZeroPad(IntToHex64(UnsignedBits(arg), 0), precision);
  }

  AnsiString PointerText(const TVarRec& arg) const {
    if (arg.kind() != TVarRec::Kind::Pointer)
      Invalid();
    return IntToHex64(reinterpret_cast<std::uintptr_t>(arg.AsPointer()), 2 * sizeof(void*));
  }

  AnsiString Text(const TVarRec& arg, long precision) const {
    AnsiString text;
    if (arg.kind() == TVarRec::Kind::String)
      text = AnsiString(arg.AsText());
    else if (arg.kind() == TVarRec::Kind::Char)
      text = AnsiString(1, arg.AsChar());
    else
      Invalid();
    if (precision >= 0 && static_cast<size_t>(precision) < text.size())
      text.resize(static_cast<size_t>(precision));
    return text;
  }

  AnsiString FloatText(char type, const TVarRec& arg, long precision) const {
    TDecimal number;
    if (arg.kind() == TVarRec::Kind::Currency) {
      number = DecimalFromCurrency(arg.AsCurrency());
    } else if (arg.kind() == TVarRec::Kind::Extended) {
      double value = arg.AsDouble();
      if (!std::isfinite(value))
        return FloatToStrF(value, ffGeneral, 15, 0, settings_);
      number = DecimalFromDouble(value);
    } else {
      Invalid();
    }
    int p = static_cast<int>(precision);
    switch (type) {
      case 'e': return FormatDecimalExponent(number, precision < 0 ? 15 : p, 3, settings_);
      case 'f': return FormatDecimalFixed(number, MaxDecimalDigits, precision < 0 ? 2 : p, false, settings_);
      case 'g': return FormatDecimalGeneral(number, precision < 0 ? 15 : p, 0, settings_);
      case 'n': return FormatDecimalFixed(number, MaxDecimalDigits, precision < 0 ? 2 : p, true, settings_);
      default:
        return FormatDecimalCurrency(number, MaxDecimalDigits, precision < 0 ? settings_.CurrencyDecimals : p,
                                     settings_);
    }
  }

  const AnsiString& format_;
  std::span<const TVarRec> args_;
  const TFormatSettings& settings_;
  size_t at_ = 0;
  size_t argIndex_ = 0;
  AnsiString out_;
};

}  // namespace

AnsiString Format(const AnsiString& format, std::span<const TVarRec> args, const TFormatSettings& settings) {
  return Formatter(format, args, settings).Run();
}
