#include "support/workbook/xlsxpackage.h"

#include <map>

#include "support/workbook/workbookerror.h"
#include "support/workbook/xmlreader.h"

namespace workbook {
namespace {

struct TRelation {
  std::string Type;    // the type's last path segment: "worksheet", "styles" ...
  std::string Target;  // resolved part name
};

std::string RelationsPartOf(std::string_view part) {
  const std::size_t slash = part.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? std::string_view() : part.substr(0, slash + 1);
  const std::string_view file = slash == std::string_view::npos ? part : part.substr(slash + 1);
  return std::string(folder) + "_rels/" + std::string(file) + ".rels";
}

std::string LastSegment(const std::string& type) {
  const std::size_t slash = type.rfind('/');
  return slash == std::string::npos ? type : type.substr(slash + 1);
}

// The relations of a part by id; none when the part has no relations part.
std::map<std::string, TRelation> ReadRelations(const TZipArchive& archive, std::string_view sourcePart) {
  std::map<std::string, TRelation> relations;
  const std::string xml = ReadPart(archive, RelationsPartOf(sourcePart), false);
  TXmlReader reader(xml);
  for (TXmlReader::TNode node; (node = reader.Next()) != TXmlReader::TNode::EndOfDocument;) {
    if (node != TXmlReader::TNode::StartElement || reader.Name() != "Relationship")
      continue;
    const std::string* id = reader.Attribute("Id");
    const std::string* type = reader.Attribute("Type");
    const std::string* target = reader.Attribute("Target");
    const std::string* mode = reader.Attribute("TargetMode");
    if (id == nullptr || type == nullptr || target == nullptr || (mode != nullptr && *mode == "External"))
      continue;
    relations[*id] = TRelation{LastSegment(*type), ResolvePartName(sourcePart, *target)};
  }
  return relations;
}

std::string FindOfficeDocument(const TZipArchive& archive) {
  for (const auto& [id, relation] : ReadRelations(archive, ""))
    if (relation.Type == "officeDocument")
      return relation.Target;
  return "xl/workbook.xml";
}

}  // namespace

std::string ResolvePartName(std::string_view sourcePart, std::string_view target) {
  std::vector<std::string> segments;
  if (!target.empty() && target.front() == '/') {
    target.remove_prefix(1);
  } else {
    std::size_t start = 0;
    for (std::size_t slash; (slash = sourcePart.find('/', start)) != std::string_view::npos; start = slash + 1)
      segments.emplace_back(sourcePart.substr(start, slash - start));
  }
  std::size_t start = 0;
  while (start <= target.size()) {
    std::size_t slash = target.find('/', start);
    if (slash == std::string_view::npos)
      slash = target.size();
    const std::string_view segment = target.substr(start, slash - start);
    if (segment == "..") {
      if (!segments.empty())
        segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.emplace_back(segment);
    }
    start = slash + 1;
  }
  std::string name;
  for (const std::string& segment : segments)
    name += (name.empty() ? "" : "/") + segment;
  return name;
}

std::string ReadPart(const TZipArchive& archive, const std::string& name, bool required) {
  const TZipEntry* entry = archive.Find(name);
  if (entry == nullptr) {
    if (required)
      throw EWorkbookError("dosyada \"" + name + "\" bölümü yok; bir Excel çalışma kitabı değil ya da bozuk.");
    return std::string();
  }
  return archive.Extract(*entry);
}

TWorkbookParts ReadWorkbookParts(const TZipArchive& archive) {
  const std::string workbookPart = FindOfficeDocument(archive);
  const std::map<std::string, TRelation> relations = ReadRelations(archive, workbookPart);
  TWorkbookParts parts;
  for (const auto& [id, relation] : relations) {
    if (relation.Type == "sharedStrings")
      parts.SharedStrings = relation.Target;
    else if (relation.Type == "styles")
      parts.Styles = relation.Target;
  }
  const std::string xml = ReadPart(archive, workbookPart, true);
  TXmlReader reader(xml);
  for (TXmlReader::TNode node; (node = reader.Next()) != TXmlReader::TNode::EndOfDocument;) {
    if (node != TXmlReader::TNode::StartElement)
      continue;
    if (reader.Name() == "workbookPr") {
      const std::string* date1904 = reader.Attribute("date1904");
      parts.Date1904 = date1904 != nullptr && (*date1904 == "1" || *date1904 == "true");
    } else if (reader.Name() == "sheet") {
      // Only worksheets count, as in the Worksheets collection: chart sheets
      // and dialog sheets are skipped.
      const std::string* id = reader.Attribute("id");
      const auto relation = id ? relations.find(*id) : relations.end();
      if (relation != relations.end() && relation->second.Type == "worksheet")
        parts.Worksheets.push_back(relation->second.Target);
    }
  }
  return parts;
}

}  // namespace workbook
