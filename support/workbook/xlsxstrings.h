// The texts of a workbook: the shared string table and the rich-text and
// inline strings built like its items.
#pragma once
#include <string>
#include <vector>

#include "classlib/system/ansistring.h"
#include "support/workbook/xmlreader.h"

namespace workbook {

// The shared string table of a sharedStrings part (UTF-8 XML), each item as
// 1254 text with its rich-text runs joined and phonetic hints left out.
std::vector<AnsiString> ReadSharedStrings(std::string_view xml);

// Reads the string item whose start element ("si" or "is") the reader has
// just returned, up to its end; the runs' texts joined, as UTF-8.
std::string ReadStringItem(TXmlReader& reader);

// UTF-8 text of a workbook to 1254, "_x000D_"-style escapes replaced.
AnsiString WorkbookTextToAnsi(const std::string& utf8);

}  // namespace workbook
