// The parts of a workbook package: where the workbook part is, its worksheets
// in workbook order, its shared strings and styles, and its date system.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "support/workbook/zipdirectory.h"

namespace workbook {

struct TWorkbookParts {
  std::vector<std::string> Worksheets;  // part names, in the workbook's order
  std::string SharedStrings;            // "" when the workbook has none
  std::string Styles;                   // "" when the workbook has none
  bool Date1904 = false;
};

// Reads the package relations and the workbook part. Raises EWorkbookError
// when the archive holds no workbook.
TWorkbookParts ReadWorkbookParts(const TZipArchive& archive);

// The unpacked text of a part, or "" when `required` is false and the archive
// lacks it (EWorkbookError when it is required).
std::string ReadPart(const TZipArchive& archive, const std::string& name, bool required);

// A relation target resolved against the folder of its source part
// ("xl/workbook.xml" + "worksheets/sheet1.xml" gives "xl/worksheets/sheet1.xml").
std::string ResolvePartName(std::string_view sourcePart, std::string_view target);

}  // namespace workbook
