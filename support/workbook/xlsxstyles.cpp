#include "support/workbook/xlsxstyles.h"

#include <charconv>
#include <map>
#include <string>

#include "support/workbook/xmlreader.h"

namespace workbook {
namespace {

int StyleNumberOf(const std::string* text) {
  int value = -1;
  if (text != nullptr)
    std::from_chars(text->data(), text->data() + text->size(), value);
  return value;
}

}  // namespace

bool IsBuiltInDateFormat(int id) {
  return (id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58);
}

bool IsDateFormatCode(std::string_view code) {
  bool inQuotes = false;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (inQuotes) {
      inQuotes = c != '"';
      continue;
    }
    switch (c) {
      case '"':
        inQuotes = true;
        break;
      case '\\':
      case '_':
      case '*':
        ++i;  // the next character is literal or padding
        break;
      case '[': {
        const std::size_t end = code.find(']', i);
        if (end == std::string_view::npos)
          return false;
        i = end;
        break;
      }
      case ';':
        return false;  // only the first section decides
      case 'd': case 'D': case 'y': case 'Y':
        return true;
      case 'm': case 'M': {
        // "m" is a month unless it follows hours or precedes seconds.
        const std::string_view before = code.substr(0, i);
        const std::string_view after = code.substr(i);
        if (before.find_last_of("hH") == std::string_view::npos && after.find_first_of("sS") == std::string_view::npos)
          return true;
        break;
      }
      default:
        break;
    }
  }
  return false;
}

std::vector<bool> ReadDateStyles(std::string_view stylesXml) {
  std::map<int, bool> customFormats;
  std::vector<bool> dateStyles;
  TXmlReader reader(stylesXml);
  bool inCellFormats = false;
  for (;;) {
    const TXmlReader::TNode node = reader.Next();
    if (node == TXmlReader::TNode::EndOfDocument)
      return dateStyles;
    if (node == TXmlReader::TNode::EndElement && reader.Name() == "cellXfs")
      inCellFormats = false;
    if (node != TXmlReader::TNode::StartElement)
      continue;
    if (reader.Name() == "numFmt") {
      const std::string* code = reader.Attribute("formatCode");
      customFormats[StyleNumberOf(reader.Attribute("numFmtId"))] = code != nullptr && IsDateFormatCode(*code);
    } else if (reader.Name() == "cellXfs") {
      inCellFormats = true;
    } else if (inCellFormats && reader.Name() == "xf") {
      const int id = StyleNumberOf(reader.Attribute("numFmtId"));
      const auto custom = customFormats.find(id);
      dateStyles.push_back(custom != customFormats.end() ? custom->second : IsBuiltInDateFormat(id));
      reader.SkipElement();
    }
  }
}

}  // namespace workbook
