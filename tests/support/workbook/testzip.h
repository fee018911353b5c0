// Builds small zip archives in memory for the workbook reader's tests: each
// entry stored or deflated, with a correct CRC unless told otherwise.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testzip {

struct TEntry {
  std::string Name;
  std::string Data;
  bool Deflate = true;
  std::uint16_t Flags = 0;
  bool BadCrc = false;
};

std::string BuildZip(const std::vector<TEntry>& entries);

// A minimal workbook package: the given worksheets (sheet XML bodies, in
// order), shared strings and styles parts when not empty. The sheets and the
// shared strings are given in code page 1254, as the tests' literals are,
// and stored as UTF-8, as workbooks hold them.
std::string BuildWorkbook(const std::vector<std::string>& sheets, const std::string& sharedStrings = "",
                          const std::string& styles = "", const std::string& workbookPr = "");

// A worksheet part around the given sheetData content.
std::string SheetXml(const std::string& sheetData);

}  // namespace testzip
