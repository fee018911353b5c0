#include "classlib/data/stringfield.h"

#include <cstring>
#include <vector>

#include "classlib/data/dataset.h"
#include "classlib/data/dbconsts.h"
#include "classlib/system/numconv.h"

BEGIN_PUBLISHED(TStringField)
  PROPERTY(EditMask, GetEditMaskProp, SetEditMaskProp),
  PROPERTY(Size, GetSizeProp, SetSizeProp).Default(20),
END_PUBLISHED

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftString);
  SetSize(20);
}

void TStringField::CheckTypeSize(int Value) {
  if (Value < 0 || Value > MaxStringSize)
    DatabaseError(dbconsts::SInvalidFieldSize, DataSet());
}

namespace {

// A zeroed buffer for one value: on the stack for the usual sizes, since
// fields are read and written once per cell.
class ValueBuffer {
public:
  explicit ValueBuffer(int size) {
    if (size > static_cast<int>(sizeof local_)) {
      heap_.assign(size, '\0');
      data_ = heap_.data();
    } else {
      std::memset(local_, 0, size);
    }
  }
  char* data() { return data_; }

private:
  char local_[512];
  std::vector<char> heap_;
  char* data_ = local_;
};

}  // namespace

AnsiString TStringField::GetAsString() const {
  ValueBuffer buffer(DataSize());
  if (!GetData(buffer.data()))
    return AnsiString();
  // The text ends at its zero byte, or after Size bytes when it has none.
  return AnsiString(buffer.data(), strnlen(buffer.data(), Size()));
}

void TStringField::SetAsStringValue(const AnsiString& Value) {
  ValueBuffer buffer(DataSize());
  std::memcpy(buffer.data(), Value.data(), std::min<size_t>(Value.size(), Size()));
  SetData(buffer.data());
}

int TStringField::GetAsInteger() const { return StrToInt(GetAsString()); }
void TStringField::SetAsIntegerValue(int Value) { SetAsStringValue(IntToStr(Value)); }
double TStringField::GetAsFloat() const { return StrToFloat(GetAsString()); }
void TStringField::SetAsFloatValue(double Value) { SetAsStringValue(FloatToStr(Value)); }

bool TStringField::GetAsBoolean() const {
  AnsiString text = GetAsString();
  return !text.empty() && (text[0] == 'T' || text[0] == 't' || text[0] == 'Y' || text[0] == 'y');
}

void TStringField::SetAsBooleanValue(bool Value) {
  SetAsStringValue(Value ? dbconsts::STextTrue : dbconsts::STextFalse);
}

TDateTime TStringField::GetAsDateTime() const { return StrToDateTime(GetAsString()); }
void TStringField::SetAsDateTimeValue(TDateTime Value) { SetAsStringValue(DateTimeToStr(Value)); }
