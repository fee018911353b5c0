#include "support/workbook/xlsxstrings.h"

#include "classlib/system/codepage.h"

namespace workbook {
namespace {

int HexDigitOf(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// "_xHHHH_" stands for the UTF-16 unit HHHH in workbook texts.
std::u16string ReplaceUnitEscapes(const std::u16string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
      int unit = 0;
      bool hex = true;
      for (std::size_t k = 2; k < 6 && hex; ++k) {
        const int digit = text[i + k] < 128 ? HexDigitOf(char(text[i + k])) : -1;
        hex = digit >= 0;
        unit = unit * 16 + digit;
      }
      if (hex) {
        out += char16_t(unit);
        i += 6;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

}  // namespace

AnsiString WorkbookTextToAnsi(const std::string& utf8) {
  if (utf8.find("_x") == std::string::npos)
    return Utf8ToAnsi(utf8);
  return Utf16ToAnsi(ReplaceUnitEscapes(Utf8ToUtf16(utf8)));
}

std::string ReadStringItem(TXmlReader& reader) {
  std::string text;
  const int itemDepth = reader.Depth();
  bool inText = false;
  for (;;) {
    switch (reader.Next()) {
      case TXmlReader::TNode::StartElement:
        if (reader.Name() == "rPh" || reader.Name() == "phoneticPr")
          reader.SkipElement();
        else if (reader.Name() == "t")
          inText = true;
        break;
      case TXmlReader::TNode::Text:
        if (inText)
          text += reader.Text();
        break;
      case TXmlReader::TNode::EndElement:
        inText = false;
        if (reader.Depth() < itemDepth)
          return text;
        break;
      case TXmlReader::TNode::EndOfDocument:
        return text;  // the reader has raised for an unclosed element already
    }
  }
}

std::vector<AnsiString> ReadSharedStrings(std::string_view xml) {
  std::vector<AnsiString> strings;
  TXmlReader reader(xml);
  for (;;) {
    const TXmlReader::TNode node = reader.Next();
    if (node == TXmlReader::TNode::EndOfDocument)
      return strings;
    if (node == TXmlReader::TNode::StartElement && reader.Name() == "si")
      strings.push_back(WorkbookTextToAnsi(ReadStringItem(reader)));
  }
}

}  // namespace workbook
