#include "classlib/system/strutils.h"

#include <algorithm>
#include <array>
#include <climits>

#include "classlib/system/codepage.h"

namespace {

using ByteMap = std::array<unsigned char, 256>;

// Upper case of every 1254 byte as Windows' CharUpperBuff gives it: the code
// page's case pairs, with ASCII i/I as a pair whatever the locale; the Turkish
// dotted capital İ and dotless small ı have no partner.
ByteMap MakeUpperMap() {
  ByteMap map{};
  for (unsigned b = 0; b < 256; ++b)
    map[b] = static_cast<unsigned char>(b);
  for (unsigned b = 'a'; b <= 'z'; ++b)
    map[b] = static_cast<unsigned char>(b - 0x20);
  for (unsigned b = 0xE0; b <= 0xFE; ++b)
    if (b != 0xF7 && b != 0xFD)  // the division sign and ı
      map[b] = static_cast<unsigned char>(b - 0x20);
  map[0x9A] = 0x8A;  // š -> Š
  map[0x9C] = 0x8C;  // œ -> Œ
  map[0xFF] = 0x9F;  // ÿ -> Ÿ
  return map;
}

// The inverse of the upper map.
ByteMap MakeLowerMap(const ByteMap& upper) {
  ByteMap map{};
  for (unsigned b = 0; b < 256; ++b)
    map[b] = static_cast<unsigned char>(b);
  for (unsigned b = 0; b < 256; ++b)
    if (upper[b] != b)
      map[upper[b]] = static_cast<unsigned char>(b);
  return map;
}

const ByteMap& UpperMap() {
  static const ByteMap map = MakeUpperMap();
  return map;
}

const ByteMap& LowerMap() {
  static const ByteMap map = MakeLowerMap(UpperMap());
  return map;
}

// The three levels Windows compares text by: the letter (primary), its accent
// (secondary) and its case (tertiary).
struct Weight {
  unsigned short primary = 0;
  unsigned char accent = 0;
  unsigned char upper = 0;
};
using WeightTable = std::array<Weight, 256>;

// The alphabet in sort order; each entry is one letter followed by its
// accented forms, which sort with it.
constexpr std::u16string_view kAlphabet[] = {
    u"aàáâãäå", u"æ", u"b", u"c", u"ç", u"d", u"eèéêë", u"fƒ", u"g", u"ğ", u"h", u"ı", u"iìíîï",
    u"j", u"k", u"l", u"m", u"nñ", u"oòóôõ", u"ö", u"ø", u"œ", u"p", u"q", u"r", u"sš", u"ß",
    u"ş", u"t", u"uùúû", u"ü", u"v", u"w", u"x", u"yÿ", u"z",
};
constexpr unsigned short kDigitBase = 0x200;
constexpr unsigned short kLetterBase = 0x300;

// The capital the Turkish alphabet pairs with a small letter: unlike the
// case mapping above, i pairs with İ and ı with I.
unsigned char TurkishCapital(unsigned char lower) {
  if (lower == 'i')
    return 0xDD;
  if (lower == 0xFD)
    return 'I';
  return UpperMap()[lower];
}

WeightTable MakeWeights() {
  WeightTable table{};
  // Symbols and controls first, by their byte value.
  for (unsigned b = 0; b < 256; ++b)
    table[b].primary = static_cast<unsigned short>(b + 1);
  for (unsigned d = 0; d < 10; ++d)
    table['0' + d].primary = static_cast<unsigned short>(kDigitBase + d);
  unsigned short letter = kLetterBase;
  for (std::u16string_view forms : kAlphabet) {
    for (size_t accent = 0; accent < forms.size(); ++accent) {
      const int lower = CodePage1254().ByteOf(forms[accent]);
      if (lower < 0)
        continue;
      const Weight weight{letter, static_cast<unsigned char>(accent), 0};
      table[static_cast<unsigned>(lower)] = weight;
      const unsigned char upper = TurkishCapital(static_cast<unsigned char>(lower));
      if (upper != lower)
        table[upper] = Weight{letter, weight.accent, 1};
    }
    ++letter;
  }
  return table;
}

const WeightTable& Weights() {
  static const WeightTable table = MakeWeights();
  return table;
}

int Sign(int value) { return (value > 0) - (value < 0); }

template <typename Level>
int CompareLevel(std::string_view a, std::string_view b, Level level) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int wa = level(Weights()[static_cast<unsigned char>(a[i])]);
    const int wb = level(Weights()[static_cast<unsigned char>(b[i])]);
    if (wa != wb)
      return Sign(wa - wb);
  }
  return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

int CompareCollated(std::string_view a, std::string_view b, bool caseSensitive) {
  if (int r = CompareLevel(a, b, [](const Weight& w) { return int(w.primary); }))
    return r;
  if (int r = CompareLevel(a, b, [](const Weight& w) { return int(w.accent); }))
    return r;
  if (!caseSensitive)
    return 0;
  return CompareLevel(a, b, [](const Weight& w) { return int(w.upper); });
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; }

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

constexpr std::string_view kPathDelimiters = "\\/";
constexpr std::string_view kFileNameDelimiters = "\\/:";
constexpr std::string_view kExtensionDelimiters = ".\\/:";

bool IsPathDelimiter(char c) { return kPathDelimiters.find(c) != std::string_view::npos; }

int ToInt(size_t value) { return value > size_t(INT_MAX) ? INT_MAX : static_cast<int>(value); }

}  // namespace

// ---- Case ------------------------------------------------------------------

char AnsiUpperChar(char c) { return static_cast<char>(UpperMap()[static_cast<unsigned char>(c)]); }

char AnsiLowerChar(char c) { return static_cast<char>(LowerMap()[static_cast<unsigned char>(c)]); }

AnsiString AnsiUpperCase(std::string_view s) {
  AnsiString result(s);
  std::transform(result.begin(), result.end(), result.begin(), AnsiUpperChar);
  return result;
}

AnsiString AnsiLowerCase(std::string_view s) {
  AnsiString result(s);
  std::transform(result.begin(), result.end(), result.begin(), AnsiLowerChar);
  return result;
}

AnsiString UpperCase(std::string_view s) {
  AnsiString result(s);
  std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
  return result;
}

AnsiString LowerCase(std::string_view s) {
  AnsiString result(s);
  std::transform(result.begin(), result.end(), result.begin(), AsciiLower);
  return result;
}

// ---- Comparison ------------------------------------------------------------

int AnsiCompareStr(std::string_view a, std::string_view b) { return CompareCollated(a, b, true); }

int AnsiCompareText(std::string_view a, std::string_view b) { return CompareCollated(a, b, false); }

bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }

std::string AnsiCollationKey(std::string_view s, bool caseSensitive) {
  // Level by level, each level ended by a zero that sorts below every weight,
  // so a shorter text sorts first when it is a prefix of the longer one.
  std::string key;
  key.reserve(s.size() * (caseSensitive ? 4 : 3) + 4);
  for (char c : s) {
    const Weight& w = Weights()[static_cast<unsigned char>(c)];
    key += static_cast<char>(w.primary >> 8);
    key += static_cast<char>(w.primary & 0xFF);
  }
  key.append(2, '\0');
  for (char c : s)
    key += static_cast<char>(Weights()[static_cast<unsigned char>(c)].accent + 1);
  if (caseSensitive) {
    key += '\0';
    for (char c : s)
      key += static_cast<char>(Weights()[static_cast<unsigned char>(c)].upper + 1);
  }
  return key;
}

int CompareStr(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i])
      return int(static_cast<unsigned char>(a[i])) - int(static_cast<unsigned char>(b[i]));
  return ToInt(a.size()) - ToInt(b.size());
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
    const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (ca != cb)
      return int(ca) - int(cb);
  }
  return ToInt(a.size()) - ToInt(b.size());
}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

// ---- Trimming and quoting --------------------------------------------------

AnsiString Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

AnsiString TrimLeft(std::string_view s) {
  size_t start = 0;
  while (start < s.size() && IsBlank(s[start]))
    ++start;
  return AnsiString(s.substr(start));
}

AnsiString TrimRight(std::string_view s) {
  size_t end = s.size();
  while (end > 0 && IsBlank(s[end - 1]))
    --end;
  return AnsiString(s.substr(0, end));
}

AnsiString QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

AnsiString AnsiQuotedStr(std::string_view s, char quote) {
  AnsiString result;
  result.reserve(s.size() + 2);
  result += quote;
  for (char c : s) {
    result += c;
    if (c == quote)
      result += quote;
  }
  result += quote;
  return result;
}

AnsiString AnsiDequotedStr(std::string_view s, char quote) {
  if (s.empty() || s.front() != quote)
    return AnsiString(s);
  AnsiString inner;
  size_t pos = 1;
  while (pos < s.size()) {
    if (s[pos] == quote) {
      ++pos;
      if (pos >= s.size() || s[pos] != quote)
        break;  // the closing quote; a doubled one stands for itself
    }
    inner += s[pos++];
  }
  // Text that runs to its end without ending in the quote, or that yields
  // nothing before trailing text, was not quoted after all.
  if ((inner.empty() || pos >= s.size()) && s.back() != quote)
    return AnsiString(s);
  return inner;
}

// ---- Search and replace ----------------------------------------------------

AnsiString StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                         TReplaceFlags flags) {
  if (oldPattern.empty())
    return AnsiString(s);
  // Upper-casing keeps every byte in place, so positions found in the folded
  // copies hold in the original.
  const bool ignoreCase = (flags & rfIgnoreCase) != 0;
  const AnsiString haystack = ignoreCase ? AnsiUpperCase(s) : AnsiString(s);
  const AnsiString pattern = ignoreCase ? AnsiUpperCase(oldPattern) : AnsiString(oldPattern);
  AnsiString result;
  size_t from = 0;
  while (true) {
    const size_t found = haystack.find(pattern, from);
    if (found == AnsiString::npos)
      break;
    result.append(s.substr(from, found - from));
    result.append(newPattern);
    from = found + pattern.size();
    if ((flags & rfReplaceAll) == 0)
      break;
  }
  result.append(s.substr(from));
  return result;
}

int Pos(std::string_view substr, std::string_view s) { return PosEx(substr, s, 1); }

int PosEx(std::string_view substr, std::string_view s, int offset) {
  if (substr.empty() || offset < 1 || static_cast<size_t>(offset) > s.size())
    return 0;
  const size_t found = s.find(substr, static_cast<size_t>(offset - 1));
  return found == std::string_view::npos ? 0 : ToInt(found + 1);
}

AnsiString Copy(std::string_view s, int index, int count) {
  if (count <= 0)
    return {};
  const size_t start = index < 1 ? 0 : static_cast<size_t>(index - 1);
  if (start >= s.size())
    return {};
  return AnsiString(s.substr(start, static_cast<size_t>(count)));
}

void Delete(AnsiString& s, int index, int count) {
  if (index < 1 || static_cast<size_t>(index) > s.size() || count <= 0)
    return;
  s.erase(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

void Insert(std::string_view source, AnsiString& s, int index) {
  const size_t at = index < 1 ? 0 : std::min(static_cast<size_t>(index - 1), s.size());
  s.insert(at, source);
}

bool IsDelimiter(std::string_view delimiters, std::string_view s, int index) {
  if (index < 1 || static_cast<size_t>(index) > s.size())
    return false;
  return delimiters.find(s[static_cast<size_t>(index - 1)]) != std::string_view::npos;
}

int LastDelimiter(std::string_view delimiters, std::string_view s) {
  const size_t found = s.find_last_of(delimiters);
  return found == std::string_view::npos ? 0 : ToInt(found + 1);
}

AnsiString StringOfChar(char c, int count) { return count <= 0 ? AnsiString() : AnsiString(size_t(count), c); }

// ---- File names ------------------------------------------------------------

AnsiString IncludeTrailingPathDelimiter(std::string_view path) {
  AnsiString result(path);
  if (result.empty() || !IsPathDelimiter(result.back()))
    result += PathDelim;
  return result;
}

AnsiString ExcludeTrailingPathDelimiter(std::string_view path) {
  if (!path.empty() && IsPathDelimiter(path.back()))
    path.remove_suffix(1);
  return AnsiString(path);
}

AnsiString ExtractFilePath(std::string_view fileName) {
  return Copy(fileName, 1, LastDelimiter(kFileNameDelimiters, fileName));
}

AnsiString ExtractFileDir(std::string_view fileName) {
  int end = LastDelimiter(kFileNameDelimiters, fileName);
  // Drop the delimiter unless it belongs to a root such as "C:\" or "\".
  if (end > 1 && IsPathDelimiter(fileName[size_t(end - 1)]) && !IsDelimiter(kFileNameDelimiters, fileName, end - 1))
    --end;
  return Copy(fileName, 1, end);
}

AnsiString ExtractFileName(std::string_view fileName) {
  return AnsiString(fileName.substr(size_t(LastDelimiter(kFileNameDelimiters, fileName))));
}

AnsiString ExtractFileExt(std::string_view fileName) {
  const int dot = LastDelimiter(kExtensionDelimiters, fileName);
  if (dot == 0 || fileName[size_t(dot - 1)] != '.')
    return {};
  return AnsiString(fileName.substr(size_t(dot - 1)));
}

AnsiString ChangeFileExt(std::string_view fileName, std::string_view extension) {
  const int dot = LastDelimiter(kExtensionDelimiters, fileName);
  const size_t stem = (dot == 0 || fileName[size_t(dot - 1)] != '.') ? fileName.size() : size_t(dot - 1);
  return AnsiString(fileName.substr(0, stem)) + AnsiString(extension);
}
