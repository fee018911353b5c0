#include "support/workbook/celltext.h"

#include <charconv>
#include <cmath>

namespace workbook {

TCellValue TCellValue::MakeText(AnsiString text) {
  TCellValue value;
  value.Kind = TCellKind::Text;
  value.Text = std::move(text);
  return value;
}

TCellValue TCellValue::MakeNumber(double number) {
  TCellValue value;
  value.Kind = TCellKind::Number;
  value.Number = number;
  return value;
}

TCellValue TCellValue::MakeDate(TDateTime date) {
  TCellValue value;
  value.Kind = TCellKind::Date;
  value.Number = date;
  return value;
}

TCellValue TCellValue::MakeBoolean(bool flag) {
  TCellValue value;
  value.Kind = TCellKind::Boolean;
  value.Boolean = flag;
  return value;
}

TCellValue TCellValue::MakeError(AnsiString text) {
  TCellValue value;
  value.Kind = TCellKind::Error;
  value.Text = std::move(text);
  return value;
}

AnsiString NumberCellText(double value) {
  if (!std::isfinite(value))
    return "#NUM!";
  if (value == 0)
    return "0";  // also -0
  char buffer[400];
  // Whole numbers in fixed notation, every digit; others in the shortest
  // form that reads back to the same double.
  const bool whole = std::trunc(value) == value && std::fabs(value) < 1e21;
  const auto result = whole ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0)
                            : std::to_chars(buffer, buffer + sizeof buffer, value);
  AnsiString text(buffer, result.ptr);
  for (char& c : text)
    if (c == '.')
      c = ',';
  return text;
}

namespace {

AnsiString TwoDigitsOf(int n) { return AnsiString(1, char('0' + n / 10 % 10)) + char('0' + n % 10); }

AnsiString DateCellText(double serial) {
  // Outside the calendar's range the value is shown as the number it is.
  if (!(serial > -657435.0 && serial < 2958466.0))
    return NumberCellText(serial);
  Word year, month, day;
  DecodeDate(serial, year, month, day);
  AnsiString yearText = std::to_string(year);
  while (yearText.size() < 4)
    yearText.insert(yearText.begin(), '0');
  return TwoDigitsOf(day) + "." + TwoDigitsOf(month) + "." + yearText;
}

}  // namespace

AnsiString CellText(const TCellValue& value) {
  switch (value.Kind) {
    case TCellKind::Empty:
      return "";
    case TCellKind::Text:
    case TCellKind::Error:
      return value.Text;
    case TCellKind::Number:
      return NumberCellText(value.Number);
    case TCellKind::Date:
      return DateCellText(value.Number);
    case TCellKind::Boolean:
      return value.Boolean ? "DOĞRU" : "YANLIŞ";
  }
  return "";
}

}  // namespace workbook
