#include "tests/support/workbook/testzip.h"

#include <zlib.h>

#include "classlib/system/codepage.h"

namespace testzip {
namespace {

void PutWord(std::string& out, std::uint32_t value) {
  out += char(value & 0xFF);
  out += char(value >> 8 & 0xFF);
}

void PutLong(std::string& out, std::uint32_t value) {
  PutWord(out, value & 0xFFFF);
  PutWord(out, value >> 16);
}

std::string DeflateRaw(const std::string& data) {
  z_stream stream{};
  deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, uLong(data.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = uInt(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = uInt(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

}  // namespace

std::string BuildZip(const std::vector<TEntry>& entries) {
  std::string body;
  std::string directory;
  for (const TEntry& entry : entries) {
    const std::string packed = entry.Deflate ? DeflateRaw(entry.Data) : entry.Data;
    std::uint32_t crc = std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(entry.Data.data()), uInt(entry.Data.size())));
    if (entry.BadCrc)
      crc ^= 1;
    const std::uint32_t offset = std::uint32_t(body.size());
    const std::uint16_t method = entry.Deflate ? 8 : 0;
    PutLong(body, 0x04034b50);
    PutWord(body, 20);
    PutWord(body, entry.Flags);
    PutWord(body, method);
    PutLong(body, 0);
    PutLong(body, crc);
    PutLong(body, std::uint32_t(packed.size()));
    PutLong(body, std::uint32_t(entry.Data.size()));
    PutWord(body, std::uint16_t(entry.Name.size()));
    PutWord(body, 0);
    body += entry.Name;
    body += packed;
    PutLong(directory, 0x02014b50);
    PutWord(directory, 20);
    PutWord(directory, 20);
    PutWord(directory, entry.Flags);
    PutWord(directory, method);
    PutLong(directory, 0);
    PutLong(directory, crc);
    PutLong(directory, std::uint32_t(packed.size()));
    PutLong(directory, std::uint32_t(entry.Data.size()));
    PutWord(directory, std::uint16_t(entry.Name.size()));
    PutWord(directory, 0);
    PutWord(directory, 0);
    PutWord(directory, 0);
    PutWord(directory, 0);
    PutLong(directory, 0);
    PutLong(directory, offset);
    directory += entry.Name;
  }
  std::string zip = body + directory;
  PutLong(zip, 0x06054b50);
  PutWord(zip, 0);
  PutWord(zip, 0);
  PutWord(zip, std::uint16_t(entries.size()));
  PutWord(zip, std::uint16_t(entries.size()));
  PutLong(zip, std::uint32_t(directory.size()));
  PutLong(zip, std::uint32_t(body.size()));
  PutWord(zip, 0);
  return zip;
}

std::string SheetXml(const std::string& sheetData) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" +
         sheetData + "</sheetData></worksheet>";
}

std::string BuildWorkbook(const std::vector<std::string>& sheets, const std::string& sharedStrings,
                          const std::string& styles, const std::string& workbookPr) {
  const std::string rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  std::string workbook =
      "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"" + rel.substr(0, rel.size() - 1) + "\">" + workbookPr + "<sheets>";
  std::string relations = "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  std::vector<TEntry> entries;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const std::string n = std::to_string(i + 1);
    workbook += "<sheet name=\"Sayfa" + n + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
    relations += "<Relationship Id=\"rId" + n + "\" Type=\"" + rel + "worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
    entries.push_back({"xl/worksheets/sheet" + n + ".xml", AnsiToUtf8(sheets[i])});
  }
  workbook += "</sheets></workbook>";
  if (!sharedStrings.empty()) {
    relations += "<Relationship Id=\"rIdS\" Type=\"" + rel + "sharedStrings\" Target=\"sharedStrings.xml\"/>";
    entries.push_back({"xl/sharedStrings.xml", AnsiToUtf8(sharedStrings)});
  }
  if (!styles.empty()) {
    relations += "<Relationship Id=\"rIdT\" Type=\"" + rel + "styles\" Target=\"/xl/styles.xml\"/>";
    entries.push_back({"xl/styles.xml", styles});
  }
  relations += "</Relationships>";
  entries.push_back({"xl/workbook.xml", workbook});
  entries.push_back({"xl/_rels/workbook.xml.rels", relations});
  entries.push_back({"_rels/.rels",
                     "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                     "<Relationship Id=\"rId1\" Type=\"" + rel + "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"});
  return BuildZip(entries);
}

}  // namespace testzip
