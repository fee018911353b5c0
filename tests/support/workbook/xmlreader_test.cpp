// The XML reader: nodes in document order, entities and character
// references, and every malformed or hostile document refused.
#include <gtest/gtest.h>

#include "support/workbook/workbookerror.h"
#include "support/workbook/xmlreader.h"

using workbook::TXmlReader;

namespace {

// The document as "<name", "text", ">name" lines, attributes as "@name=value".
std::string Trace(std::string_view xml, int maxDepth = TXmlReader::DefaultMaxDepth) {
  TXmlReader reader(xml, maxDepth);
  std::string out;
  for (;;) {
    switch (reader.Next()) {
      case TXmlReader::TNode::StartElement:
        out += "<" + std::string(reader.Name());
        for (const char* name : {"r", "t", "id", "v"})
          if (const std::string* value = reader.Attribute(name))
            out += " @" + std::string(name) + "=" + *value;
        out += "\n";
        break;
      case TXmlReader::TNode::EndElement:
        out += ">" + std::string(reader.Name()) + "\n";
        break;
      case TXmlReader::TNode::Text:
        out += "'" + reader.Text() + "'\n";
        break;
      case TXmlReader::TNode::EndOfDocument:
        return out;
    }
  }
}

std::string XmlRefusalOf(std::string_view xml, int maxDepth = TXmlReader::DefaultMaxDepth) {
  try {
    Trace(xml, maxDepth);
  } catch (const EWorkbookError& error) {
    return error.Message;
  }
  return "";
}

}  // namespace

TEST(XmlReader, ElementsAttributesAndTextInOrder) {
  EXPECT_EQ(Trace("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- not a node -->"
                  "<x:a xmlns:x=\"urn:a\" r='A1' x:t=\"s\"><b/>metin<c:v>1</c:v><![CDATA[<ham>&amp;]]></x:a>"),
            "<a @r=A1 @t=s\n<b\n>b\n'metin'\n<v\n'1'\n>v\n'<ham>&amp;'\n>a\n");
}

TEST(XmlReader, EntitiesAndCharacterReferences) {
  EXPECT_EQ(Trace("<a v=\"&lt;&gt;&amp;&quot;&apos;\">&#305;&#x130;&#x1F600;x&#65;</a>"),
            "<a @v=<>&\"'\n'\xC4\xB1\xC4\xB0\xF0\x9F\x98\x80xA'\n>a\n");
}

TEST(XmlReader, MalformedDocumentsAreRefused) {
  const struct {
    const char* xml;
    const char* reason;
  } cases[] = {
      {"<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>", "DTD"},
      {"<a>&e;</a>", "varlık"},
      {"<a>&#0;</a>", "varlık"},
      {"<a>&#xD800;</a>", "varlık"},
      {"<a>&#x110000;</a>", "varlık"},
      {"<a>& b</a>", "varlık"},
      {"<a><b></a></b>", "eşleşmiyor"},
      {"<a><b>", "yarıda"},
      {"<a b=\"1", "yarıda"},
      {"<a b=1>", "tırnak"},
      {"<a b>", "değeri yok"},
      {"<a", "yarıda"},
      {"</a>", "eşleşmiyor"},
      {"metin<a/>", "dışında"},
      {"<a><!-- sonsuz", "yarıda"},
      {"<a><![CDATA[", "yarıda"},
      {"<a/ >", "kapanmamış"},
  };
  for (const auto& c : cases)
    EXPECT_NE(XmlRefusalOf(c.xml).find(c.reason), std::string::npos) << c.xml << ": " << XmlRefusalOf(c.xml);
}

TEST(XmlReader, NestingIsCappedAtTheDepthLimit) {
  std::string nested;
  for (int i = 0; i < 10; ++i)
    nested += "<a>";
  for (int i = 0; i < 10; ++i)
    nested += "</a>";
  EXPECT_EQ(XmlRefusalOf(nested, 10), "");
  EXPECT_NE(XmlRefusalOf(nested, 9).find("derin"), std::string::npos);
  // A million open elements stop at the default cap without exhausting anything.
  std::string deep;
  for (int i = 0; i < 1000000; ++i)
    deep += "<a>";
  EXPECT_NE(XmlRefusalOf(deep).find("derin"), std::string::npos);
}

TEST(XmlReader, SkipElementLeavesTheReaderAfterIt) {
  TXmlReader reader("<r><skip><x>1</x><y/></skip><keep/></r>");
  ASSERT_EQ(reader.Next(), TXmlReader::TNode::StartElement);
  ASSERT_EQ(reader.Next(), TXmlReader::TNode::StartElement);
  reader.SkipElement();
  ASSERT_EQ(reader.Next(), TXmlReader::TNode::StartElement);
  EXPECT_EQ(reader.Name(), "keep");
}
