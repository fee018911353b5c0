#include "classlib/data/dbtypes.h"

AnsiString FieldTypeName(TFieldType type) {
  static const char* const names[] = {
      "Unknown", "String", "SmallInt", "Integer", "Word", "Boolean", "Float", "Currency", "BCD", "Date",
      "Time", "DateTime", "Bytes", "VarBytes", "AutoInc", "Blob", "Memo", "Graphic", "FmtMemo",
      "ParadoxOle", "DBaseOle", "TypedBinary", "Cursor", "FixedChar", "WideString", "Largeint", "ADT",
      "Array", "Reference", "DataSet", "OraBlob", "OraClob", "Variant", "Interface", "IDispatch", "Guid",
      "TimeStamp", "FMTBcd"};
  int index = static_cast<int>(type);
  return index >= 0 && index < static_cast<int>(std::size(names)) ? names[index] : "Unknown";
}

bool IsBlobType(TFieldType type) {
  switch (type) {
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftParadoxOle:
    case ftDBaseOle:
    case ftTypedBinary:
    case ftOraBlob:
    case ftOraClob:
      return true;
    default:
      return false;
  }
}
