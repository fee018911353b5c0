#include "support/workbook/xlsxsheet.h"

#include <charconv>
#include <cmath>

#include "support/workbook/cellreference.h"
#include "support/workbook/workbookerror.h"
#include "support/workbook/xlsxstrings.h"
#include "support/workbook/xmlreader.h"

namespace workbook {
namespace {

// What a cell element holds while it is read.
struct TPendingCell {
  TCellReference Where;
  std::string Type;     // the "t" attribute
  int Style = 0;        // the "s" attribute
  std::string Value;    // text of <v>
  std::string Inline;   // text of <is>
  bool HasInline = false;
};

const TCellValue kEmptyCell;

int SheetNumberAttribute(const std::string* text, int fallback) {
  if (text == nullptr)
    return fallback;
  int value = 0;
  const auto result = std::from_chars(text->data(), text->data() + text->size(), value);
  return result.ec == std::errc() && result.ptr == text->data() + text->size() ? value : -1;
}

bool ParseStoredNumber(const std::string& text, double& value) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  while (begin < end && *begin == ' ')
    ++begin;
  if (begin < end && *begin == '+')
    ++begin;
  const auto result = std::from_chars(begin, end, value);
  return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

bool IsDateStyle(const TSheetContext& context, int style) {
  return context.DateStyles != nullptr && style >= 0 && std::size_t(style) < context.DateStyles->size() &&
         (*context.DateStyles)[std::size_t(style)];
}

TCellValue NumberCellValue(const TPendingCell& cell, const TSheetContext& context) {
  double number = 0;
  if (!ParseStoredNumber(cell.Value, number))
    return TCellValue::MakeText(WorkbookTextToAnsi(cell.Value));
  if (IsDateStyle(context, cell.Style))
    return TCellValue::MakeDate(SerialToDate(number, context.Date1904));
  return TCellValue::MakeNumber(number);
}

TCellValue SharedStringValue(const TPendingCell& cell, const TSheetContext& context) {
  std::size_t index = 0;
  const auto result = std::from_chars(cell.Value.data(), cell.Value.data() + cell.Value.size(), index);
  const std::size_t count = context.SharedStrings ? context.SharedStrings->size() : 0;
  if (result.ec != std::errc() || result.ptr != cell.Value.data() + cell.Value.size() || index >= count)
    throw EWorkbookError("bir hücre, çalışma kitabında olmayan bir metne başvuruyor (" + cell.Value + " numaralı metin).");
  return TCellValue::MakeText((*context.SharedStrings)[index]);
}

// An ISO 8601 date ("2024-03-01" or "2024-03-01T10:00:00") as a date value.
TCellValue IsoDateValue(const std::string& text) {
  int year = 0, month = 0, day = 0;
  TDateTime date = 0;
  if (text.size() >= 10 && text[4] == '-' && text[7] == '-' &&
      std::from_chars(text.data(), text.data() + 4, year).ptr == text.data() + 4 &&
      std::from_chars(text.data() + 5, text.data() + 7, month).ptr == text.data() + 7 &&
      std::from_chars(text.data() + 8, text.data() + 10, day).ptr == text.data() + 10 &&
      TryEncodeDate(year, month, day, date))
    return TCellValue::MakeDate(date);
  return TCellValue::MakeText(WorkbookTextToAnsi(text));
}

TCellValue ValueOfCell(const TPendingCell& cell, const TSheetContext& context) {
  const std::string& type = cell.Type;
  if (type == "inlineStr")
    return cell.HasInline ? TCellValue::MakeText(WorkbookTextToAnsi(cell.Inline)) : TCellValue();
  if (cell.Value.empty() && type != "str")
    return TCellValue();
  if (type == "s")
    return SharedStringValue(cell, context);
  if (type == "str")
    return TCellValue::MakeText(WorkbookTextToAnsi(cell.Value));
  if (type == "b")
    return TCellValue::MakeBoolean(cell.Value != "0" && cell.Value != "false");
  if (type == "e")
    return TCellValue::MakeError(WorkbookTextToAnsi(cell.Value));
  if (type == "d")
    return IsoDateValue(cell.Value);
  return NumberCellValue(cell, context);
}

[[noreturn]] void RaiseBadAddress(const std::string& address) {
  throw EWorkbookError("geçersiz hücre adresi: \"" + address + "\".");
}

class TSheetParser {
public:
  TSheetParser(std::string_view xml, const TSheetContext& context) : reader_(xml), context_(context) {}

  TSheetCells Read() {
    for (;;) {
      const TXmlReader::TNode node = reader_.Next();
      if (node == TXmlReader::TNode::EndOfDocument)
        return std::move(cells_);
      if (node != TXmlReader::TNode::StartElement)
        continue;
      if (reader_.Name() == "row")
        StartRow();
      else if (reader_.Name() == "c")
        ReadCell();
    }
  }

private:
  void StartRow() {
    const int row = SheetNumberAttribute(reader_.Attribute("r"), row_ + 1);
    if (row < 1 || row > MaxWorksheetRow) {
      const std::string* given = reader_.Attribute("r");
      throw EWorkbookError("geçersiz satır numarası: \"" + (given ? *given : std::to_string(row)) + "\".");
    }
    row_ = row;
    column_ = 0;
  }

  void ReadCell() {
    TPendingCell cell;
    if (const std::string* address = reader_.Attribute("r")) {
      if (!ParseCellReference(*address, cell.Where))
        RaiseBadAddress(*address);
    } else {
      cell.Where.Row = row_ == 0 ? 1 : row_;
      cell.Where.Column = column_ + 1;
      if (cell.Where.Column > MaxWorksheetColumn)
        throw EWorkbookError("bir satırda çalışma sayfasının sınırından çok hücre var.");
    }
    if (const std::string* type = reader_.Attribute("t"))
      cell.Type = *type;
    cell.Style = SheetNumberAttribute(reader_.Attribute("s"), 0);
    ReadCellContent(cell);
    row_ = cell.Where.Row;
    column_ = cell.Where.Column;
    cells_.Put(cell.Where.Row, cell.Where.Column, ValueOfCell(cell, context_));
  }

  void ReadCellContent(TPendingCell& cell) {
    const int cellDepth = reader_.Depth();
    bool inValue = false;
    for (;;) {
      switch (reader_.Next()) {
        case TXmlReader::TNode::StartElement:
          if (reader_.Name() == "is") {
            cell.Inline = ReadStringItem(reader_);
            cell.HasInline = true;
          } else {
            inValue = reader_.Name() == "v" && reader_.Depth() == cellDepth + 1;
          }
          break;
        case TXmlReader::TNode::Text:
          if (inValue)
            cell.Value += reader_.Text();
          break;
        case TXmlReader::TNode::EndElement:
          inValue = false;
          if (reader_.Depth() < cellDepth)
            return;
          break;
        case TXmlReader::TNode::EndOfDocument:
          return;
      }
    }
  }

  TXmlReader reader_;
  const TSheetContext& context_;
  TSheetCells cells_;
  int row_ = 0;
  int column_ = 0;
};

}  // namespace

const TCellValue& TSheetCells::At(int row, int column) const {
  const auto found = cells_.find(KeyOf(row, column));
  return found == cells_.end() ? kEmptyCell : found->second;
}

void TSheetCells::Put(int row, int column, TCellValue value) {
  if (cells_.empty() || row < firstRow_)
    firstRow_ = row;
  if (cells_.empty() || row > lastRow_)
    lastRow_ = row;
  cells_[KeyOf(row, column)] = std::move(value);
}

TSheetCells ReadSheetCells(std::string_view xml, const TSheetContext& context) {
  return TSheetParser(xml, context).Read();
}

TDateTime SerialToDate(double serial, bool date1904) {
  if (date1904)
    return serial + 1462;
  // The 1900 date system counts a 29 February 1900 that never was, so its
  // serials before 1 March 1900 are one day ahead of the calendar.
  return serial < 61 ? serial + 1 : serial;
}

}  // namespace workbook
