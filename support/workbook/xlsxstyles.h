// Which cell styles of a workbook show numbers as dates: the cell formats'
// number formats, built-in or the workbook's own.
#pragma once
#include <string_view>
#include <vector>

namespace workbook {

// One flag per cell format (the "s" index of a cell), true for date formats.
std::vector<bool> ReadDateStyles(std::string_view stylesXml);

// True for a number format code that shows a date (day, month or year parts
// outside quoted text, escapes and brackets).
bool IsDateFormatCode(std::string_view code);
// True for the built-in number formats that show a date.
bool IsBuiltInDateFormat(int id);

}  // namespace workbook
