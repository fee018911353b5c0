#include "support/workbook/cellreference.h"

namespace workbook {

int ColumnOfLetters(std::string_view letters) {
  if (letters.empty() || letters.size() > 3)
    return 0;
  int column = 0;
  for (char c : letters) {
    if (c >= 'a' && c <= 'z')
      c = char(c - 'a' + 'A');
    if (c < 'A' || c > 'Z')
      return 0;
    column = column * 26 + (c - 'A' + 1);
  }
  return column <= MaxWorksheetColumn ? column : 0;
}

bool ParseCellReference(std::string_view text, TCellReference& reference) {
  if (!text.empty() && text.front() == '$')
    text.remove_prefix(1);
  std::size_t split = 0;
  while (split < text.size() && ((text[split] >= 'A' && text[split] <= 'Z') || (text[split] >= 'a' && text[split] <= 'z')))
    ++split;
  const int column = ColumnOfLetters(text.substr(0, split));
  std::string_view digits = text.substr(split);
  if (!digits.empty() && digits.front() == '$')
    digits.remove_prefix(1);
  if (column == 0 || digits.empty() || digits.size() > 7 || digits.front() == '0')
    return false;
  int row = 0;
  for (char c : digits) {
    if (c < '0' || c > '9')
      return false;
    row = row * 10 + (c - '0');
  }
  if (row > MaxWorksheetRow)
    return false;
  reference.Row = row;
  reference.Column = column;
  return true;
}

}  // namespace workbook
