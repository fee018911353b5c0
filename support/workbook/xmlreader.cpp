#include "support/workbook/xmlreader.h"

#include <cstdint>

#include "support/workbook/workbookerror.h"

namespace workbook {
namespace {

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsXmlNameChar(char c) {
  return !IsXmlSpace(c) && c != '>' && c != '/' && c != '=' && c != '<' && c != '"' && c != '\'' && c != '&';
}

void AppendUtf8CodePoint(std::uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | cp >> 6);
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | cp >> 12);
    out += char(0x80 | (cp >> 6 & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | cp >> 18);
    out += char(0x80 | (cp >> 12 & 0x3F));
    out += char(0x80 | (cp >> 6 & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

// The code point of "#123" or "#x7B"; 0 when it is not a valid character.
std::uint32_t CharacterReference(std::string_view body) {
  if (body.size() < 2 || body[0] != '#')
    return 0;
  const bool hex = body[1] == 'x';
  const std::string_view digits = body.substr(hex ? 2 : 1);
  if (digits.empty() || digits.size() > 8)
    return 0;
  std::uint32_t cp = 0;
  for (char c : digits) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return 0;
    cp = cp * (hex ? 16 : 10) + std::uint32_t(digit);
  }
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return cp;
}

}  // namespace

std::string_view XmlLocalName(std::string_view qualified) {
  const std::size_t colon = qualified.find(':');
  return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

TXmlReader::TXmlReader(std::string_view text, int maxDepth) : doc_(text), maxDepth_(maxDepth) {
  // A byte order mark may open the document.
  if (doc_.substr(0, 3) == "\xEF\xBB\xBF")
    pos_ = 3;
}

void TXmlReader::Fail(const char* what) const {
  throw EWorkbookError(std::string("XML bölümü bozuk: ") + what + ".");
}

const std::string* TXmlReader::Attribute(std::string_view localName) const {
  for (const auto& [name, value] : attributes_)
    if (XmlLocalName(name) == localName)
      return &value;
  return nullptr;
}

TXmlReader::TNode TXmlReader::Next() {
  attributes_.clear();
  if (pendingEnd_) {
    pendingEnd_ = false;
    name_ = XmlLocalName(open_.back());
    open_.pop_back();
    return TNode::EndElement;
  }
  for (;;) {
    if (pos_ >= doc_.size()) {
      if (!open_.empty())
        Fail("belge yarıda kesilmiş");
      return TNode::EndOfDocument;
    }
    if (doc_[pos_] != '<') {
      const std::size_t end = doc_.find('<', pos_);
      const std::string_view raw = doc_.substr(pos_, end == std::string_view::npos ? doc_.size() - pos_ : end - pos_);
      pos_ += raw.size();
      if (open_.empty()) {
        for (char c : raw)
          if (!IsXmlSpace(c))
            Fail("öğe dışında metin var");
        continue;
      }
      text_.clear();
      AppendDecoded(raw, text_);
      return TNode::Text;
    }
    TNode node;
    if (ReadMarkup(node))
      return node;
  }
}

bool TXmlReader::ReadMarkup(TNode& node) {
  const std::string_view rest = doc_.substr(pos_);
  if (rest.substr(0, 4) == "<!--") {
    SkipPast("-->");
    return false;
  }
  if (rest.substr(0, 9) == "<![CDATA[") {
    if (open_.empty())
      Fail("öğe dışında metin var");
    const std::size_t end = rest.find("]]>");
    if (end == std::string_view::npos)
      Fail("belge yarıda kesilmiş");
    text_.assign(rest.substr(9, end - 9));
    pos_ += end + 3;
    node = TNode::Text;
    return true;
  }
  if (rest.substr(0, 2) == "<!")
    Fail("belge tanımı (DTD) desteklenmiyor");
  if (rest.substr(0, 2) == "<?") {
    SkipPast("?>");
    return false;
  }
  node = rest.substr(0, 2) == "</" ? ReadEndTag() : ReadStartTag();
  return true;
}

void TXmlReader::SkipPast(std::string_view terminator) {
  const std::size_t end = doc_.find(terminator, pos_);
  if (end == std::string_view::npos)
    Fail("belge yarıda kesilmiş");
  pos_ = end + terminator.size();
}

void TXmlReader::SkipSpace() {
  while (pos_ < doc_.size() && IsXmlSpace(doc_[pos_]))
    ++pos_;
}

std::string_view TXmlReader::ReadName() {
  const std::size_t start = pos_;
  while (pos_ < doc_.size() && IsXmlNameChar(doc_[pos_]))
    ++pos_;
  if (pos_ == start)
    Fail(pos_ >= doc_.size() ? "belge yarıda kesilmiş" : "ad bekleniyordu");
  return doc_.substr(start, pos_ - start);
}

TXmlReader::TNode TXmlReader::ReadStartTag() {
  ++pos_;
  const std::string_view qualified = ReadName();
  ReadAttributes();
  if (pos_ >= doc_.size())
    Fail("belge yarıda kesilmiş");
  if (doc_[pos_] == '/') {
    if (pos_ + 1 >= doc_.size() || doc_[pos_ + 1] != '>')
      Fail("etiket kapanmamış");
    pos_ += 2;
    pendingEnd_ = true;
  } else {
    ++pos_;  // '>'
  }
  if (int(open_.size()) >= maxDepth_)
    Fail("öğeler çok derin iç içe");
  open_.push_back(qualified);
  name_ = XmlLocalName(qualified);
  return TNode::StartElement;
}

void TXmlReader::ReadAttributes() {
  for (;;) {
    SkipSpace();
    if (pos_ >= doc_.size())
      Fail("belge yarıda kesilmiş");
    if (doc_[pos_] == '>' || doc_[pos_] == '/')
      return;
    const std::string_view name = ReadName();
    SkipSpace();
    if (pos_ >= doc_.size() || doc_[pos_] != '=')
      Fail("öznitelik değeri yok");
    ++pos_;
    SkipSpace();
    if (pos_ >= doc_.size() || (doc_[pos_] != '"' && doc_[pos_] != '\''))
      Fail("öznitelik değeri tırnak içinde değil");
    const char quote = doc_[pos_++];
    const std::size_t end = doc_.find(quote, pos_);
    if (end == std::string_view::npos)
      Fail("belge yarıda kesilmiş");
    const std::string_view raw = doc_.substr(pos_, end - pos_);
    if (raw.find('<') != std::string_view::npos)
      Fail("öznitelik değerinde '<' var");
    pos_ = end + 1;
    if (name == "xmlns" || name.substr(0, 6) == "xmlns:")
      continue;
    std::string value;
    AppendDecoded(raw, value);
    attributes_.emplace_back(name, std::move(value));
  }
}

TXmlReader::TNode TXmlReader::ReadEndTag() {
  pos_ += 2;
  const std::string_view qualified = ReadName();
  SkipSpace();
  if (pos_ >= doc_.size() || doc_[pos_] != '>')
    Fail("etiket kapanmamış");
  ++pos_;
  if (open_.empty() || open_.back() != qualified)
    Fail("kapanış etiketi açılışıyla eşleşmiyor");
  open_.pop_back();
  name_ = XmlLocalName(qualified);
  return TNode::EndElement;
}

void TXmlReader::AppendDecoded(std::string_view raw, std::string& out) const {
  out.reserve(out.size() + raw.size());
  std::size_t pos = 0;
  while (pos < raw.size()) {
    const std::size_t amp = raw.find('&', pos);
    if (amp == std::string_view::npos) {
      out.append(raw.substr(pos));
      return;
    }
    out.append(raw.substr(pos, amp - pos));
    const std::size_t semi = raw.find(';', amp);
    if (semi == std::string_view::npos || semi - amp > 12)
      Fail("geçersiz varlık başvurusu");
    const std::string_view body = raw.substr(amp + 1, semi - amp - 1);
    if (body == "lt")
      out += '<';
    else if (body == "gt")
      out += '>';
    else if (body == "amp")
      out += '&';
    else if (body == "quot")
      out += '"';
    else if (body == "apos")
      out += '\'';
    else if (const std::uint32_t cp = CharacterReference(body))
      AppendUtf8CodePoint(cp, out);
    else
      Fail("geçersiz varlık başvurusu");
    pos = semi + 1;
  }
}

void TXmlReader::SkipElement() {
  const std::size_t depth = open_.size();
  while (open_.size() >= depth) {
    if (Next() == TNode::EndOfDocument)
      Fail("belge yarıda kesilmiş");
  }
}

}  // namespace workbook
