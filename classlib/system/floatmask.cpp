#include "classlib/system/floatmask.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// Index just past the quoted literal that starts at `at`.
size_t SkipQuoted(std::string_view text, size_t at) {
  size_t close = text.find(text[at], at + 1);
  return close == std::string_view::npos ? text.size() : close + 1;
}

bool IsExponentAt(std::string_view section, size_t at) {
  return (section[at] == 'E' || section[at] == 'e') && at + 1 < section.size() &&
         (section[at + 1] == '+' || section[at + 1] == '-');
}

// Up to three sections; a further ';' ends the zero section and what follows
// it is ignored.
std::vector<std::string_view> SplitSections(std::string_view mask) {
  std::vector<std::string_view> sections;
  size_t start = 0, i = 0;
  while (i < mask.size() && sections.size() < 3) {
    if (IsQuote(mask[i])) {
      i = SkipQuoted(mask, i);
    } else if (mask[i] == ';') {
      sections.push_back(mask.substr(start, i - start));
      start = ++i;
    } else {
      ++i;
    }
  }
  if (sections.size() < 3)
    sections.push_back(mask.substr(start));
  return sections;
}

// What a section asks for.
struct SectionLayout {
  int intPlaces = 0;   // '0' and '#' before the point
  int intMin = 0;      // integer digits always shown (from the first '0' on)
  int fracPlaces = 0;  // '0' and '#' after the point
  int fracMin = 0;     // up to the last '0' after the point
  bool thousands = false;
  bool scientific = false;
};

SectionLayout Analyze(std::string_view section) {
  SectionLayout layout;
  bool afterPoint = false;
  int firstZero = -1;
  for (size_t i = 0; i < section.size();) {
    char c = section[i];
    if (IsQuote(c)) {
      i = SkipQuoted(section, i);
      continue;
    }
    if (IsExponentAt(section, i)) {
      layout.scientific = true;
      break;  // exponent digits are counted where they are written
    }
    if (c == '0' || c == '#') {
      if (afterPoint) {
        ++layout.fracPlaces;
        if (c == '0')
          layout.fracMin = layout.fracPlaces;
      } else {
        if (c == '0' && firstZero < 0)
          firstZero = layout.intPlaces;
        ++layout.intPlaces;
      }
    } else if (c == '.') {
      afterPoint = true;
    } else if (c == ',') {
      layout.thousands = true;
    }
    ++i;
  }
  layout.intMin = firstZero < 0 ? 0 : layout.intPlaces - firstZero;
  return layout;
}

// Writes one section with the number already rounded for it.
class SectionWriter {
public:
  SectionWriter(const SectionLayout& layout, const TFormatSettings& settings)
      : layout_(layout), settings_(settings) {}

  AnsiString Write(std::string_view section, const std::string& intDigits, const std::string& fraction,
                   int exponent) {
    intDigits_ = intDigits;
    if (static_cast<int>(intDigits_.size()) < layout_.intMin)
      intDigits_.insert(0, static_cast<size_t>(layout_.intMin) - intDigits_.size(), '0');
    fraction_ = fraction;
    size_t lastNonZero = fraction_.find_last_not_of('0');
    shownFraction_ = std::max<int>(layout_.fracMin, lastNonZero == std::string::npos ? 0 : static_cast<int>(lastNonZero) + 1);
    for (size_t i = 0; i < section.size();)
      i = WriteAt(section, i, exponent);
    return out_;
  }

private:
  size_t WriteAt(std::string_view section, size_t i, int exponent) {
    char c = section[i];
    if (IsQuote(c)) {
      size_t end = SkipQuoted(section, i);
      size_t close = end - 1;
      bool closed = end <= section.size() && close > i && section[close] == c;
      out_.append(section.substr(i + 1, (closed ? close : end) - i - 1));
      return end;
    }
    if (IsExponentAt(section, i) && !exponentWritten_)
      return WriteExponent(section, i, exponent);
    if (c == '0' || c == '#') {
      WritePlaceholder();
    } else if (c == '.') {
      if (!pointWritten_) {
        WriteLeftoverIntegerDigits();
        pointWritten_ = true;
        if (shownFraction_ > 0)
          out_ += settings_.DecimalSeparator;
      }
    } else if (c != ',') {
      out_ += c;
    }
    return i + 1;
  }

  void WritePlaceholder() {
    if (exponentWritten_)
      return;
    if (pointWritten_) {
      if (fracIndex_ < shownFraction_)
        out_ += fraction_[static_cast<size_t>(fracIndex_)];
      ++fracIndex_;
      return;
    }
    // Digits beyond the placeholders all go out at the first one.
    int length = static_cast<int>(intDigits_.size());
    if (intIndex_ == 0)
      for (int d = 0; d < length - layout_.intPlaces; ++d)
        WriteIntegerDigit(d);
    int digit = intIndex_ + length - layout_.intPlaces;
    if (digit >= 0)
      WriteIntegerDigit(digit);
    ++intIndex_;
  }

  // A mask without integer placeholders (".00") still shows the integer digits.
  void WriteLeftoverIntegerDigits() {
    if (layout_.intPlaces == 0)
      for (int d = 0; d < static_cast<int>(intDigits_.size()); ++d)
        WriteIntegerDigit(d);
  }

  void WriteIntegerDigit(int index) {
    out_ += intDigits_[static_cast<size_t>(index)];
    int remaining = static_cast<int>(intDigits_.size()) - 1 - index;
    if (layout_.thousands && remaining > 0 && remaining % 3 == 0)
      out_ += settings_.ThousandSeparator;
  }

  size_t WriteExponent(std::string_view section, size_t i, int exponent) {
    WriteLeftoverIntegerDigits();
    exponentWritten_ = true;
    out_ += section[i];
    bool plus = section[i + 1] == '+';
    size_t j = i + 2;
    int minDigits = 0;
    while (j < section.size() && section[j] == '0') {
      ++minDigits;
      ++j;
    }
    out_ += ExponentText(exponent, plus, std::min(minDigits, 4));
    return j;
  }

  const SectionLayout& layout_;
  const TFormatSettings& settings_;
  std::string intDigits_, fraction_;
  int shownFraction_ = 0, intIndex_ = 0, fracIndex_ = 0;
  bool pointWritten_ = false, exponentWritten_ = false;
  AnsiString out_;
};

// The number rounded for a section, and the digits the section shows.
struct PreparedNumber {
  TDecimal rounded;
  std::string intDigits, fraction;
  int exponent = 0;
  bool tooLarge = false;
};

PreparedNumber Prepare(const TDecimal& number, const SectionLayout& layout) {
  PreparedNumber p;
  p.rounded = number;
  if (layout.scientific) {
    int precision = std::max(1, layout.intPlaces + layout.fracPlaces);
    RoundDecimal(p.rounded, std::min(precision, MaxDecimalDigits), 9999);
    TDecimal mantissa = p.rounded;
    p.exponent = mantissa.IsZero() ? 0 : mantissa.Exponent - layout.intPlaces;
    mantissa.Exponent = mantissa.IsZero() ? 0 : layout.intPlaces;
    p.intDigits = mantissa.Exponent > 0 ? IntegerDigits(mantissa) : "";
    p.fraction = FractionDigits(mantissa, layout.fracPlaces);
    return p;
  }
  // Only the decimals limit: a currency amount may carry 19 significant digits.
  RoundDecimal(p.rounded, 9999, layout.fracPlaces);
  p.tooLarge = p.rounded.Exponent > MaxDecimalDigits;
  p.intDigits = p.rounded.Exponent > 0 ? IntegerDigits(p.rounded) : "";
  p.fraction = FractionDigits(p.rounded, layout.fracPlaces);
  return p;
}

std::string_view SectionFor(const std::vector<std::string_view>& sections, size_t index) {
  if (index < sections.size() && !sections[index].empty())
    return sections[index];
  return sections[0];
}

}  // namespace

AnsiString FormatDecimalMask(const AnsiString& mask, const TDecimal& number,
                             const TFormatSettings& settings) {
  std::vector<std::string_view> sections = SplitSections(mask);
  if (sections[0].empty())
    return FormatDecimalGeneral(number, 15, 0, settings);

  size_t index = number.IsZero() ? 2 : number.Negative ? 1 : 0;
  std::string_view section = SectionFor(sections, index);
  SectionLayout layout = Analyze(section);
  PreparedNumber prepared = Prepare(number, layout);
  if (prepared.tooLarge)
    return FormatDecimalGeneral(number, 15, 0, settings);
  if (!number.IsZero() && prepared.rounded.IsZero()) {
    // Rounded away entirely: shown as zero.
    index = 2;
    section = SectionFor(sections, index);
    layout = Analyze(section);
    prepared = Prepare(prepared.rounded, layout);
  }
  bool ownNegativeSection = index == 1 && sections.size() > 1 && !sections[1].empty();
  bool minus = number.Negative && !prepared.rounded.IsZero() && !ownNegativeSection;
  SectionWriter writer(layout, settings);
  AnsiString text = writer.Write(section, prepared.intDigits, prepared.fraction, prepared.exponent);
  return minus ? "-" + text : text;
}
