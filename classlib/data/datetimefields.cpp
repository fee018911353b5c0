#include "classlib/data/datetimefields.h"

#include <cmath>
#include <cstdint>

#include "classlib/system/exceptions.h"

BEGIN_PUBLISHED(TDateTimeField)
  PROPERTY(DisplayFormat, FDisplayFormat, SetDisplayFormat),
  PROPERTY(EditMask, GetEditMaskProp, SetEditMaskProp),
END_PUBLISHED

IMPLEMENT_CLASS(TDateField)
IMPLEMENT_CLASS(TTimeField)

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftDateTime); }

void TDateTimeField::SetDisplayFormat(const AnsiString& Value) {
  FDisplayFormat = Value;
  PropertyChanged(false);
}

bool TDateTimeField::ReadDateTime(TDateTime& Value) const {
  switch (DataType()) {
    case ftDate: {
      std::int32_t days = 0;
      if (!GetData(&days))
        return false;
      Value = static_cast<double>(days) - DateDelta;
      return true;
    }
    case ftTime: {
      std::int32_t msecs = 0;
      if (!GetData(&msecs))
        return false;
      Value = static_cast<double>(msecs) / MSecsPerDay;
      return true;
    }
    default: {
      double msecs = 0;
      if (!GetData(&msecs))
        return false;
      // Whole days and the time of day, under the negative-date convention.
      double days = std::trunc(msecs / MSecsPerDay) - DateDelta;
      double time = std::fmod(msecs, static_cast<double>(MSecsPerDay)) / MSecsPerDay;
      Value = days < 0 ? days - time : days + time;
      return true;
    }
  }
}

void TDateTimeField::WriteDateTime(TDateTime Value) {
  // The day number must fit the 32-bit date of a record; NaN, infinities and
  // values beyond it are refused rather than cast into garbage.
  constexpr double Limit = 2147483647.0 - DateDelta;
  if (!(std::fabs(Value) < Limit))
    throw EInvalidOp("Invalid floating point operation");
  double days = std::trunc(Value);
  double time = std::fabs(Value - days);
  std::int32_t msecs = static_cast<std::int32_t>(std::round(time * MSecsPerDay));
  switch (DataType()) {
    case ftDate: {
      std::int32_t stored = static_cast<std::int32_t>(days) + DateDelta;
      SetData(&stored);
      break;
    }
    case ftTime:
      SetData(&msecs);
      break;
    default: {
      double stored = (days + DateDelta) * MSecsPerDay + msecs;
      SetData(&stored);
      break;
    }
  }
}

TDateTime TDateTimeField::GetAsDateTime() const {
  TDateTime value = 0;
  return ReadDateTime(value) ? value : 0;
}

void TDateTimeField::SetAsDateTimeValue(TDateTime Value) { WriteDateTime(Value); }

AnsiString TDateTimeField::GetAsString() const {
  AnsiString text;
  GetText(text, false);
  return text;
}

void TDateTimeField::SetAsStringValue(const AnsiString& Value) {
  if (Value.empty()) {
    Clear();
    return;
  }
  switch (DataType()) {
    case ftDate:
      SetAsDateTimeValue(StrToDate(Value));
      break;
    case ftTime:
      SetAsDateTimeValue(StrToTime(Value));
      break;
    default:
      SetAsDateTimeValue(StrToDateTime(Value));
      break;
  }
}

void TDateTimeField::GetText(AnsiString& Text, bool DisplayText) const {
  TDateTime value = 0;
  if (!ReadDateTime(value)) {
    Text.clear();
    return;
  }
  AnsiString format;
  if (DisplayText && !FDisplayFormat.empty())
    format = FDisplayFormat;
  else if (DataType() == ftDate)
    format = FormatSettings.ShortDateFormat;
  else if (DataType() == ftTime)
    format = FormatSettings.LongTimeFormat;
  Text = FormatDateTime(format, value);
}

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner) { SetDataType(ftDate); }

TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner) { SetDataType(ftTime); }
