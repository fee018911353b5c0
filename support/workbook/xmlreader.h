// A small pull reader for the XML parts of a workbook: elements, attributes,
// text, CDATA, the five predefined entities and character references.
// Comments and processing instructions are skipped. A document type
// declaration is refused, so no entity is ever defined or fetched, and the
// nesting depth is capped. Names are given without their namespace prefix.
// Malformed input raises EWorkbookError.
#pragma once
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace workbook {

class TXmlReader {
public:
  enum class TNode { StartElement, EndElement, Text, EndOfDocument };
  static constexpr int DefaultMaxDepth = 64;

  // `text` (UTF-8) must outlive the reader.
  explicit TXmlReader(std::string_view text, int maxDepth = DefaultMaxDepth);

  TNode Next();
  // The local name of the element just started or ended.
  std::string_view Name() const { return name_; }
  // The value of an attribute of the element just started, by local name;
  // nullptr when it has none.
  const std::string* Attribute(std::string_view localName) const;
  // The text of a Text node, entities replaced.
  const std::string& Text() const { return text_; }
  // Elements open around the current node (an element's own start counts).
  int Depth() const { return int(open_.size()); }
  // Skips to the end of the element just started, so the next node follows it.
  void SkipElement();

private:
  // Reads markup at '<'; false for a comment or processing instruction,
  // which give no node.
  bool ReadMarkup(TNode& node);
  TNode ReadStartTag();
  TNode ReadEndTag();
  void ReadAttributes();
  std::string_view ReadName();
  void SkipSpace();
  void SkipPast(std::string_view terminator);
  void AppendDecoded(std::string_view raw, std::string& out) const;
  [[noreturn]] void Fail(const char* what) const;

  std::string_view doc_;
  std::size_t pos_ = 0;
  int maxDepth_;
  std::vector<std::string_view> open_;  // qualified names of open elements
  bool pendingEnd_ = false;             // an empty-element tag's end is due
  std::string_view name_;
  std::vector<std::pair<std::string_view, std::string>> attributes_;
  std::string text_;
};

// The name without its namespace prefix ("r:id" gives "id").
std::string_view XmlLocalName(std::string_view qualified);

}  // namespace workbook
