#include "classlib/system/codepage.h"

#include "classlib/system/platformseam.h"

namespace {

// A code page whose bytes 0x00..0x7F are ASCII, from the characters of its
// bytes 0x80..0xFF.
constexpr SingleByteCodePage::Table AsciiAndUpperHalf(const std::array<char16_t, 128>& upper) {
  SingleByteCodePage::Table table{};
  for (unsigned b = 0; b < 128; ++b) {
    table[b] = static_cast<char16_t>(b);
    table[b + 128] = upper[b];
  }
  return table;
}

// Windows code page 1254, byte 0x80 to 0xFF.
constexpr SingleByteCodePage::Table kTable1254 = AsciiAndUpperHalf({
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    0x011E, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x0130, 0x015E, 0x00DF,
    0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    0x011F, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x0131, 0x015F, 0x00FF,
});

// Code page 857, byte 0x80 to 0xFF.
constexpr SingleByteCodePage::Table kTable857 = AsciiAndUpperHalf({
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x0131, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x0130, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x015E, 0x015F,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x011E, 0x011F,
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    0x00BA, 0x00AA, 0x00CA, 0x00CB, 0x00C8, 0xF8BB, 0x00CD, 0x00CE,
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0xF8BC,
    0x00D7, 0x00DA, 0x00DB, 0x00D9, 0x00EC, 0x00FF, 0x00AF, 0x00B4,
    0x00AD, 0x00B1, 0xF8BD, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
});

// Windows' best fit for characters a code page lacks: the character written
// instead, which the target page has.
char16_t BestFit(char16_t ch) {
  switch (ch) {
    case 0x201A: case 0x2018: case 0x2019: return u'\'';
    case 0x201E: case 0x201C: case 0x201D: return u'"';
    case 0x2013: case 0x2014: return u'-';
    case 0x2026: case 0x2022: return 0x0007;  // shown as a bullet by DOS pages
    case 0x2020: case 0x2021: return 0x253C;
    case 0x0192: return u'f';
    case 0x02C6: return u'^';
    case 0x02DC: return u'~';
    case 0x2030: return u'%';
    case 0x2039: return u'<';
    case 0x203A: return u'>';
    case 0x2122: return u't';
    case 0x0160: return u'S';
    case 0x0161: return u's';
    case 0x0152: return u'O';
    case 0x0153: return u'o';
    case 0x0178: return u'Y';
    // Box drawing and shades of the DOS pages, on their way to 1254.
    case 0x2500: case 0x2551: case 0x2560: case 0x2563: case 0x2569: case 0x25A0: return 0x00A6;
    case 0x2510: case 0x2557: return 0x00AC;
    case 0x2502: case 0x250C: case 0x2518: case 0x2554: case 0x255D: case 0x2580: case 0x2584: case 0x2588:
    case 0x2591: case 0x2592: case 0x2593: return u'-';
    case 0x251C: case 0x2524: case 0x2534: case 0x253C: case 0x256C: return u'+';
    case 0x2514: case 0x255A: return u'L';
    case 0x252C: case 0x2566: return u'T';
    case 0x2550: return u'=';
    default: return 0;
  }
}

bool IsHighSurrogate(char16_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(char16_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

const SingleByteCodePage* pinnedOemPage = nullptr;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one UTF-8 sequence at pos and advances pos; kInvalid for a malformed,
// overlong or surrogate sequence (pos then moves past one byte only).
char32_t DecodeUtf8(std::string_view s, size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  size_t extra = 0;
  char32_t cp = 0;
  char32_t min = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, min = 0x10000;
  } else {
    ++pos;
    return kInvalid;
  }
  if (s.size() - pos <= extra) {
    ++pos;
    return kInvalid;
  }
  for (size_t i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(s[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kInvalid;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return kInvalid;
  }
  pos += extra + 1;
  return cp;
}

}  // namespace

SingleByteCodePage::SingleByteCodePage(unsigned number, const Table& table) : number_(number), table_(table) {
  for (unsigned b = 0; b < 256; ++b)
    bytes_.emplace(table_[b], static_cast<unsigned char>(b));
}

int SingleByteCodePage::ByteOf(char16_t ch) const {
  const auto it = bytes_.find(ch);
  return it == bytes_.end() ? -1 : it->second;
}

std::u16string SingleByteCodePage::ToUtf16(std::string_view bytes) const {
  std::u16string text;
  text.reserve(bytes.size());
  for (char c : bytes)
    text += table_[static_cast<unsigned char>(c)];
  return text;
}

std::string SingleByteCodePage::FromUtf16(std::u16string_view text) const {
  std::string bytes;
  bytes.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t ch = text[i];
    int byte = ByteOf(ch);
    if (byte < 0) {
      const char16_t fit = BestFit(ch);
      byte = fit != 0 ? ByteOf(fit) : -1;
    }
    if (byte < 0 && IsHighSurrogate(ch) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
      ++i;  // one "?" for the whole character
    bytes += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return bytes;
}

const SingleByteCodePage& CodePage1254() {
  static const SingleByteCodePage page(1254, kTable1254);
  return page;
}

const SingleByteCodePage& CodePage857() {
  static const SingleByteCodePage page(857, kTable857);
  return page;
}

std::u16string AnsiToUtf16(std::string_view ansi) { return CodePage1254().ToUtf16(ansi); }

AnsiString Utf16ToAnsi(std::u16string_view text) { return CodePage1254().FromUtf16(text); }

std::string AnsiToUtf8(std::string_view ansi) { return Utf16ToUtf8(AnsiToUtf16(ansi)); }

AnsiString Utf8ToAnsi(std::string_view utf8) { return Utf16ToAnsi(Utf8ToUtf16(utf8)); }

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      cp = 0xFFFD;  // a lone surrogate has no UTF-8 form
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = DecodeUtf8(utf8, pos);
    // U+FFFD is not in code page 1254, so a malformed sequence ends as "?".
    AppendUtf16(out, cp == kInvalid ? 0xFFFD : cp);
  }
  return out;
}

AnsiString AnsiToOem(std::string_view ansi) {
  const std::u16string text = AnsiToUtf16(ansi);
  return pinnedOemPage != nullptr ? pinnedOemPage->FromUtf16(text) : platform::Utf16ToOem(text);
}

AnsiString OemToAnsi(std::string_view oem) {
  const std::u16string text = pinnedOemPage != nullptr ? pinnedOemPage->ToUtf16(oem) : platform::OemToUtf16(oem);
  return Utf16ToAnsi(text);
}

unsigned OemCodePage() { return pinnedOemPage != nullptr ? pinnedOemPage->Number() : platform::OemCodePage(); }

OemCodePageScope::OemCodePageScope(const SingleByteCodePage& page) : saved_(pinnedOemPage) {
  pinnedOemPage = &page;
}

OemCodePageScope::~OemCodePageScope() { pinnedOemPage = saved_; }
