#include "classlib/classes/objecttext.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/system/codepage.h"
#include "classlib/system/strutils.h"

namespace {

constexpr int MaxTextDepth = 64;
constexpr std::size_t StringChunk = 64;  // long strings are split into lines of this size
constexpr int BinaryLine = 32;           // bytes per line of a binary value

// Shortest text that reads back as the same 80-bit value, with "." as the
// decimal separator whatever the locale.
AnsiString FloatText(long double value) {
  char text[64];
  for (int precision = 1; precision <= 21; ++precision) {
    std::snprintf(text, sizeof text, "%.*Lg", precision, value);
    if (std::strtold(text, nullptr) == value)
      break;
  }
  AnsiString s = text;
  for (char& c : s)
    if (c == ',')
      c = '.';
  return s;
}

// ---- Binary to text ---------------------------------------------------------
class BinaryToText {
public:
  BinaryToText(TStream& input, TStream& output) : reader_(input, 4096), output_(output) {}

  void Convert() {
    reader_.ReadSignature();
    ConvertObject("");
    Flush();
  }

private:
  void Out(const AnsiString& s) { text_ += s; }
  void NewLine() { text_ += "\r\n"; }
  void Flush() {
    output_.WriteBuffer(text_.data(), static_cast<std::int32_t>(text_.size()));
    text_.clear();
  }

  void Enter() {
    if (++depth_ > MaxTextDepth)
      throw EReadError("Stream nested too deeply");
  }

  void ConvertObject(const AnsiString& indent) {
    Enter();
    TFilerFlags flags = 0;
    int position = 0;
    reader_.ReadPrefix(flags, position);
    AnsiString className = reader_.ReadStr();
    AnsiString name = reader_.ReadStr();
    Out(indent);
    Out((flags & ffInherited) != 0 ? "inherited " : (flags & ffInline) != 0 ? "inline " : "object ");
    if (!name.empty())
      Out(name + ": ");
    Out(className);
    if ((flags & ffChildPos) != 0)
      Out(" [" + std::to_string(position) + "]");
    NewLine();
    while (!reader_.EndOfList())
      ConvertProperty(indent + "  ");
    reader_.ReadValue();
    while (!reader_.EndOfList())
      ConvertObject(indent + "  ");
    reader_.ReadValue();
    Out(indent + "end");
    NewLine();
    --depth_;
  }

  void ConvertProperty(const AnsiString& indent) {
    Out(indent + reader_.ReadStr() + " = ");
    ConvertValue(indent);
    NewLine();
  }

  void ConvertValue(const AnsiString& indent) {
    Enter();
    switch (reader_.NextValue()) {
      case vaList:
        reader_.ReadValue();
        Out("(");
        while (!reader_.EndOfList()) {
          NewLine();
          Out(indent + "  ");
          ConvertValue(indent + "  ");
        }
        reader_.ReadValue();
        Out(")");
        break;
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        Out(std::to_string(reader_.ReadInt64()));
        break;
      case vaExtended:
        Out(FloatText(reader_.ReadFloat()));
        break;
      case vaSingle:
        Out(FloatText(reader_.ReadSingle()) + "s");
        break;
      case vaCurrency:
        Out(FloatText(static_cast<long double>(reader_.ReadCurrency().Scaled()) / Currency::Scale) + "c");
        break;
      case vaDate:
        Out(FloatText(reader_.ReadDate()) + "d");
        break;
      case vaString:
      case vaLString:
        ConvertString(reader_.ReadString(), indent);
        break;
      case vaWString:
      case vaUTF8String:
        ConvertWideString(reader_.ReadWideString());
        break;
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull:
        Out(reader_.ReadIdent());
        break;
      case vaBinary:
        ConvertBinary(indent);
        break;
      case vaSet:
        ConvertSet();
        break;
      case vaCollection:
        ConvertCollection(indent);
        break;
      default:
        throw EReadError("Invalid stream format");
    }
    --depth_;
  }

  void ConvertString(const AnsiString& s, const AnsiString& indent) {
    if (s.empty()) {
      Out("''");
      return;
    }
    for (std::size_t start = 0; start < s.size(); start += StringChunk) {
      if (start > 0) {
        Out(" +");
        NewLine();
        Out(indent + "  ");
      }
      Out(QuoteChunk(std::string_view(s).substr(start, StringChunk)));
    }
  }

  // Printable ASCII in quotes (a quote doubled), every other character as
  // "#code": the same for 8-bit and wide strings.
  template <class Char>
  static AnsiString QuoteChunk(std::basic_string_view<Char> chunk) {
    AnsiString out;
    bool inQuotes = false;
    for (Char ch : chunk) {
      const auto c = static_cast<unsigned>(static_cast<std::make_unsigned_t<Char>>(ch));
      if (c >= ' ' && c < 127) {
        if (!inQuotes)
          out += '\'';
        inQuotes = true;
        out += static_cast<char>(c);
        if (c == '\'')
          out += '\'';
      } else {
        if (inQuotes)
          out += '\'';
        inQuotes = false;
        out += "#" + std::to_string(c);
      }
    }
    if (inQuotes)
      out += '\'';
    return out;
  }

  void ConvertWideString(const std::u16string& s) {
    Out(s.empty() ? AnsiString("''") : QuoteChunk(std::u16string_view(s)));
  }

  void ConvertBinary(const AnsiString& indent) {
    reader_.ReadValue();
    unsigned char b[4];
    reader_.Read(b, 4);
    std::int64_t count = static_cast<std::int32_t>(b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24));
    if (count < 0)
      throw EReadError("Invalid stream format");
    static const char hex[] = "0123456789ABCDEF";
    Out("{");
    unsigned char byte;
    for (std::int64_t i = 0; i < count; ++i) {
      if (i % BinaryLine == 0) {
        NewLine();
        Out(indent + "  ");
      }
      reader_.Read(&byte, 1);
      Out(AnsiString{hex[byte >> 4], hex[byte & 15]});
    }
    Out("}");
  }

  void ConvertSet() {
    reader_.ReadValue();
    Out("[");
    bool first = true;
    for (AnsiString name = reader_.ReadStr(); !name.empty(); name = reader_.ReadStr()) {
      if (!first)
        Out(", ");
      Out(name);
      first = false;
    }
    Out("]");
  }

  void ConvertCollection(const AnsiString& indent) {
    reader_.ReadValue();
    Out("<");
    while (!reader_.EndOfList()) {
      NewLine();
      Out(indent + "  item");
      TValueType next = reader_.NextValue();
      if (next == vaInt8 || next == vaInt16 || next == vaInt32)
        Out(" [" + std::to_string(reader_.ReadInteger()) + "]");
      NewLine();
      reader_.CheckValue(vaList);
      while (!reader_.EndOfList())
        ConvertProperty(indent + "    ");
      reader_.ReadValue();
      Out(indent + "  end");
    }
    reader_.ReadValue();
    Out(">");
  }

  TReader reader_;
  TStream& output_;
  AnsiString text_;
  int depth_ = 0;
};

// ---- Text to binary ---------------------------------------------------------
enum class Tok { End, Symbol, String, Integer, Float, Char };

class TextParser {
public:
  explicit TextParser(AnsiString text) : text_(std::move(text)) { Next(); }

  Tok kind = Tok::End;
  AnsiString token;        // symbol text, string value or the character
  std::int64_t integer = 0;
  long double number = 0;
  char floatSuffix = 0;    // 's', 'c', 'd' or 0
  bool wide = false;       // a string with characters beyond one byte
  std::u16string wideValue;

  [[noreturn]] void Error(const AnsiString& what) const {
    throw EReadError(what + " on line " + std::to_string(line_));
  }
  bool IsChar(char c) const { return kind == Tok::Char && token.size() == 1 && token[0] == c; }
  bool IsSymbol(const char* word) const { return kind == Tok::Symbol && SameText(token, word); }
  void ExpectChar(char c) {
    if (!IsChar(c))
      Error(AnsiString("'") + c + "' expected");
    Next();
  }
  AnsiString ExpectSymbol() {
    if (kind != Tok::Symbol)
      Error("Identifier expected");
    AnsiString s = token;
    Next();
    return s;
  }

  void Next() {
    SkipBlanks();
    token.clear();
    floatSuffix = 0;
    if (pos_ >= text_.size()) {
      kind = Tok::End;
      return;
    }
    unsigned char c = text_[pos_];
    if (std::isalpha(c) || c == '_')
      return ReadSymbol();
    if (c == '\'' || c == '#')
      return ReadString();
    if (std::isdigit(c) || ((c == '-' || c == '+') && pos_ + 1 < text_.size() &&
                            std::isdigit(static_cast<unsigned char>(text_[pos_ + 1]))))
      return ReadNumber();
    if (c == '$')
      return ReadHex();
    kind = Tok::Char;
    token = AnsiString(1, static_cast<char>(c));
    ++pos_;
  }

  // The raw text up to the closing "}" of a binary value.
  AnsiString ReadHexBlock() {
    AnsiString digits;
    // The current token is "{": the scanner stands just after it.
    while (pos_ < text_.size() && text_[pos_] != '}') {
      char c = text_[pos_++];
      if (c == '\n')
        ++line_;
      if (std::isxdigit(static_cast<unsigned char>(c)))
        digits += c;
      else if (!std::isspace(static_cast<unsigned char>(c)))
        Error("Invalid binary value");
    }
    if (pos_ >= text_.size())
      Error("'}' expected");
    ++pos_;
    Next();
    return digits;
  }

private:
  void SkipBlanks() {
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ') {
      if (text_[pos_] == '\n')
        ++line_;
      ++pos_;
    }
  }

  void ReadSymbol() {
    std::size_t start = pos_;
    while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_' ||
                                   text_[pos_] == '.'))
      ++pos_;
    kind = Tok::Symbol;
    token = text_.substr(start, pos_ - start);
  }

  void ReadString() {
    kind = Tok::String;
    wide = false;
    wideValue.clear();
    for (;;) {
      if (pos_ < text_.size() && text_[pos_] == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n')
            Error("Unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              AddChar(u'\'', '\'');
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          unsigned char byte = static_cast<unsigned char>(text_[pos_++]);
          AddChar(CodePage1254().ToUtf16(byte), byte);
        }
      } else if (pos_ < text_.size() && text_[pos_] == '#') {
        ++pos_;
        std::size_t start = pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) && pos_ - start < 6)
          ++pos_;
        if (start == pos_)
          Error("Invalid string constant");
        long code = std::strtol(text_.substr(start, pos_ - start).c_str(), nullptr, 10);
        if (code > 0xFFFF)
          Error("Invalid string constant");
        // #n is byte n in an 8-bit string; a code beyond 255 makes it wide.
        if (code > 255)
          wide = true;
        AddChar(static_cast<char16_t>(code), static_cast<char>(code));
      } else {
        break;
      }
      // Pieces follow each other directly ('a'#13'b'); a "+" joins the
      // next piece of a long string.
      if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#'))
        continue;
      std::size_t save = pos_;
      int saveLine = line_;
      SkipBlanks();
      if (pos_ < text_.size() && text_[pos_] == '+') {
        ++pos_;
        SkipBlanks();
        if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#'))
          continue;
      }
      pos_ = save;
      line_ = saveLine;
      break;
    }
    if (wide)
      token.clear();
  }

  // Each character both ways: as the 8-bit string and as the wide one.
  void AddChar(char16_t wideChar, char byte) {
    if (wideValue.size() >= (1u << 24))
      Error("String too long");
    wideValue += wideChar;
    token += byte;
  }

  void ReadNumber() {
    std::size_t start = pos_;
    if (text_[pos_] == '-' || text_[pos_] == '+')
      ++pos_;
    bool isFloat = false;
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (std::isdigit(static_cast<unsigned char>(c))) {
        ++pos_;
      } else if (c == '.' || c == 'e' || c == 'E') {
        isFloat = true;
        ++pos_;
        if ((c == 'e' || c == 'E') && pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+'))
          ++pos_;
      } else {
        break;
      }
    }
    AnsiString digits = text_.substr(start, pos_ - start);
    if (pos_ < text_.size() && std::strchr("scdSCD", text_[pos_]) != nullptr && text_[pos_] != '\0') {
      floatSuffix = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_])));
      ++pos_;
      isFloat = true;
    }
    char* end = nullptr;
    if (isFloat) {
      kind = Tok::Float;
      number = std::strtold(digits.c_str(), &end);
    } else {
      kind = Tok::Integer;
      errno = 0;
      integer = std::strtoll(digits.c_str(), &end, 10);
      if (errno == ERANGE)
        Error("Integer out of range");
    }
    if (end == nullptr || *end != '\0')
      Error("Invalid number");
  }

  void ReadHex() {
    std::size_t start = ++pos_;
    while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_])))
      ++pos_;
    if (start == pos_ || pos_ - start > 16)
      Error("Invalid number");
    kind = Tok::Integer;
    integer = static_cast<std::int64_t>(std::strtoull(text_.substr(start, pos_ - start).c_str(), nullptr, 16));
  }

  AnsiString text_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

class TextToBinary {
public:
  TextToBinary(AnsiString text, TStream& output) : parser_(std::move(text)), writer_(output, 4096) {}

  void Convert() {
    writer_.WriteSignature();
    ConvertObject();
    writer_.FlushBuffer();
  }

private:
  void Enter() {
    if (++depth_ > MaxTextDepth)
      parser_.Error("Nested too deeply");
  }

  bool AtObject() const {
    return parser_.IsSymbol("object") || parser_.IsSymbol("inherited") || parser_.IsSymbol("inline");
  }

  void ConvertObject() {
    Enter();
    if (!AtObject())
      parser_.Error("'object' expected");
    TFilerFlags flags = parser_.IsSymbol("inherited") ? ffInherited : parser_.IsSymbol("inline") ? ffInline : 0;
    parser_.Next();
    AnsiString name = parser_.ExpectSymbol();
    AnsiString className;
    if (parser_.IsChar(':')) {
      parser_.Next();
      className = parser_.ExpectSymbol();
    } else {
      className = name;
      name.clear();
    }
    int position = 0;
    if (parser_.IsChar('[')) {
      parser_.Next();
      if (parser_.kind != Tok::Integer)
        parser_.Error("Number expected");
      position = static_cast<int>(parser_.integer);
      flags |= ffChildPos;
      parser_.Next();
      parser_.ExpectChar(']');
    }
    if (flags != 0) {
      unsigned char prefix = 0xF0 | flags;
      writer_.Write(&prefix, 1);
      if ((flags & ffChildPos) != 0)
        writer_.WriteInteger(position);
    }
    writer_.WriteStr(className);
    writer_.WriteStr(name);
    while (!parser_.IsSymbol("end") && !AtObject())
      ConvertProperty();
    writer_.WriteListEnd();
    while (!parser_.IsSymbol("end"))
      ConvertObject();
    writer_.WriteListEnd();
    parser_.Next();
    --depth_;
  }

  void ConvertProperty() {
    writer_.WriteStr(parser_.ExpectSymbol());
    parser_.ExpectChar('=');
    ConvertValue();
  }

  void ConvertValue() {
    Enter();
    switch (parser_.kind) {
      case Tok::Integer:
        writer_.WriteInteger(parser_.integer);
        parser_.Next();
        break;
      case Tok::Float:
        if (parser_.floatSuffix == 's')
          writer_.WriteSingle(static_cast<float>(parser_.number));
        else if (parser_.floatSuffix == 'c')
          writer_.WriteCurrency(CurrencyValue().Scaled());
        else if (parser_.floatSuffix == 'd')
          writer_.WriteDate(static_cast<double>(parser_.number));
        else
          writer_.WriteFloat(parser_.number);
        parser_.Next();
        break;
      case Tok::String:
        if (parser_.wide)
          writer_.WriteWideString(parser_.wideValue);
        else
          writer_.WriteString(parser_.token);
        parser_.Next();
        break;
      case Tok::Symbol:
        writer_.WriteIdent(parser_.token);
        parser_.Next();
        break;
      case Tok::Char:
        ConvertBracketed();
        break;
      case Tok::End:
        parser_.Error("Value expected");
    }
    --depth_;
  }

  Currency CurrencyValue() const {
    try {
      return Currency::FromFloat(parser_.number);
    } catch (EInvalidOp&) {
      parser_.Error("Invalid number");
    }
  }

  void ConvertBracketed() {
    if (parser_.IsChar('[')) {
      parser_.Next();
      writer_.WriteValue(vaSet);
      while (!parser_.IsChar(']')) {
        writer_.WriteStr(parser_.ExpectSymbol());
        if (parser_.IsChar(','))
          parser_.Next();
        else if (!parser_.IsChar(']'))
          parser_.Error("']' expected");
      }
      writer_.WriteStr("");
      parser_.Next();
    } else if (parser_.IsChar('(')) {
      parser_.Next();
      writer_.WriteListBegin();
      while (!parser_.IsChar(')'))
        ConvertValue();
      writer_.WriteListEnd();
      parser_.Next();
    } else if (parser_.IsChar('{')) {
      AnsiString digits = parser_.ReadHexBlock();
      if (digits.size() % 2 != 0)
        parser_.Error("Invalid binary value");
      AnsiString bytes;
      for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes += static_cast<char>(std::strtol(digits.substr(i, 2).c_str(), nullptr, 16));
      writer_.WriteBinary(bytes.data(), static_cast<int>(bytes.size()));
    } else if (parser_.IsChar('<')) {
      parser_.Next();
      writer_.WriteValue(vaCollection);
      while (!parser_.IsChar('>')) {
        if (!parser_.IsSymbol("item"))
          parser_.Error("'item' expected");
        parser_.Next();
        if (parser_.IsChar('[')) {
          parser_.Next();
          if (parser_.kind != Tok::Integer)
            parser_.Error("Number expected");
          writer_.WriteInteger(parser_.integer);
          parser_.Next();
          parser_.ExpectChar(']');
        }
        writer_.WriteListBegin();
        while (!parser_.IsSymbol("end"))
          ConvertProperty();
        writer_.WriteListEnd();
        parser_.Next();
      }
      writer_.WriteListEnd();
      parser_.Next();
    } else {
      parser_.Error("Invalid property value");
    }
  }

  TextParser parser_;
  TWriter writer_;
  int depth_ = 0;
};

AnsiString ReadAll(TStream& input) {
  std::int64_t size = input.Size() - input.Position();
  AnsiString text(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)), '\0');
  if (!text.empty())
    input.ReadBuffer(text.data(), static_cast<std::int32_t>(text.size()));
  return text;
}

}  // namespace

void ObjectBinaryToText(TStream& Input, TStream& Output) { BinaryToText(Input, Output).Convert(); }

void ObjectTextToBinary(TStream& Input, TStream& Output) { TextToBinary(ReadAll(Input), Output).Convert(); }
