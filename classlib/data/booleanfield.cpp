#include "classlib/data/booleanfield.h"

#include <algorithm>
#include <cstdint>

#include "classlib/data/dataset.h"
#include "classlib/data/dbconsts.h"
#include "classlib/system/strutils.h"

BEGIN_PUBLISHED(TBooleanField)
  PROPERTY(DisplayValues, FDisplayValues, SetDisplayValues).Stored<&Self::IsDisplayValuesStored>(),
END_PUBLISHED

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftBoolean);
  SetDisplayValues("True;False");
}

void TBooleanField::SetDisplayValues(const AnsiString& Value) {
  size_t separator = Value.find(';');
  if (separator == AnsiString::npos || Value.empty())
    DatabaseErrorFmt("Invalid format '%s' for a boolean field", {Value}, DataSet());
  FDisplayValues = Value;
  FTrueText = Value.substr(0, separator);
  FFalseText = Value.substr(separator + 1);
  PropertyChanged(true);
}

int TBooleanField::DefaultWidth() const {
  return static_cast<int>(std::max(FTrueText.size(), FFalseText.size()));
}

bool TBooleanField::GetAsBoolean() const {
  std::uint16_t raw = 0;
  return GetData(&raw) && raw != 0;
}

void TBooleanField::SetAsBooleanValue(bool Value) {
  std::uint16_t raw = Value ? 0xFFFF : 0;
  SetData(&raw);
}

AnsiString TBooleanField::GetAsString() const {
  std::uint16_t raw = 0;
  if (!GetData(&raw))
    return AnsiString();
  return raw != 0 ? FTrueText : FFalseText;
}

void TBooleanField::SetAsStringValue(const AnsiString& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  auto startsWith = [&](const AnsiString& text) {
    return !text.empty() && AnsiSameText(Value, text.substr(0, Value.size()));
  };
  if (startsWith(FFalseText))
    SetAsBooleanValue(false);
  else if (startsWith(FTrueText))
    SetAsBooleanValue(true);
  else
    DatabaseErrorFmt(dbconsts::SInvalidBoolValue, {Value, DisplayName()});
}
