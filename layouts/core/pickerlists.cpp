#include "layouts/core/pickerlists.h"

#include "classlib/classes/strings.h"
#include "classlib/system/strutils.h"

namespace {

std::vector<AnsiString> SplitCells(const AnsiString& Text, char Separator) {
  std::vector<AnsiString> cells;
  std::size_t start = 0;
  for (std::size_t at = Text.find(Separator); at != AnsiString::npos; at = Text.find(Separator, start)) {
    cells.push_back(Text.substr(start, at - start));
    start = at + 1;
  }
  cells.push_back(Text.substr(start));
  return cells;
}

AnsiString CellAt(const std::vector<AnsiString>& Cells, std::size_t Index) {
  return Index < Cells.size() ? Cells[Index] : AnsiString();
}

AnsiString Translated(const TPickerTranslate& Translate, const AnsiString& Text) {
  return Translate ? Translate(Text) : Text;
}

}  // namespace

std::vector<TFieldListEntry> ReadFieldListLine(const AnsiString& Line, const TPickerTranslate& Translate) {
  if (Trim(Line).empty() || Line.compare(0, 2, "//") == 0)
    return {};
  const std::vector<AnsiString> cells = SplitCells(Line, '|');
  const AnsiString fieldCode = CellAt(cells, 4);
  const AnsiString fieldText = Translated(Translate, CellAt(cells, 5));
  const AnsiString groupCell = CellAt(cells, 0);
  if (groupCell.find(',') == AnsiString::npos)
    return {{groupCell, Translated(Translate, CellAt(cells, 1)), CellAt(cells, 2),
             Translated(Translate, CellAt(cells, 3)), fieldCode, fieldText}};
  // One entry per group code; a short text or table list counts as padded
  // with empty entries.
  const std::vector<AnsiString> groups = SplitCells(groupCell, ',');
  const std::vector<AnsiString> groupTexts = SplitCells(CellAt(cells, 1), ',');
  const std::vector<AnsiString> tables = SplitCells(CellAt(cells, 2), ',');
  const std::vector<AnsiString> tableTexts = SplitCells(CellAt(cells, 3), ',');
  std::vector<TFieldListEntry> entries;
  for (std::size_t i = 0; i < groups.size(); ++i)
    entries.push_back({groups[i], Translated(Translate, CellAt(groupTexts, i)), CellAt(tables, i),
                       Translated(Translate, CellAt(tableTexts, i)), fieldCode, fieldText});
  return entries;
}

std::vector<TFieldListEntry> ReadFieldList(const TStrings& Lines, const TPickerTranslate& Translate) {
  std::vector<TFieldListEntry> entries;
  for (int i = 0; i < Lines.Count(); ++i)
    for (TFieldListEntry& entry : ReadFieldListLine(Lines.Strings(i), Translate))
      entries.push_back(std::move(entry));
  return entries;
}

std::vector<TParameterEntry> ReadParameterList(const TStrings& Lines, const TPickerTranslate& Translate) {
  std::vector<TParameterEntry> rows;
  for (int i = 0; i < Lines.Count(); ++i) {
    const AnsiString line = Lines.Strings(i);
    if (Trim(line).empty())
      continue;
    const std::size_t bar = line.find('|');
    if (bar == AnsiString::npos) {
      rows.push_back({line, AnsiString()});
      continue;
    }
    // Only the first two cells count; a trailing "|" ends the text.
    const std::vector<AnsiString> cells = SplitCells(line, '|');
    rows.push_back({cells[0], Translated(Translate, cells[1])});
  }
  return rows;
}

AnsiString MergeKnownHintLines(const AnsiString& HintText, const AnsiString& ResultText) {
  TStringList hint;
  hint.SetText(HintText);
  TStringList result;
  result.SetText(ResultText);
  bool changed = false;
  for (int i = 0; i < result.Count(); ++i) {
    const AnsiString line = result.Strings(i);
    const std::size_t equals = line.find('=');
    if (equals == AnsiString::npos || equals == 0)
      continue;
    const int at = hint.IndexOfName(line.substr(0, equals));
    if (at < 0)
      continue;
    hint.SetStrings(at, line);
    changed = true;
  }
  // An untouched hint keeps its text to the byte.
  return changed ? hint.Text() : HintText;
}
