// Value kinds and the value format of the text engine: how a variable's
// variant value becomes the text a label prints.
#pragma once
#include "classlib/classes/events.h"
#include "classlib/classes/persistent.h"
#include "classlib/classes/typinfo.h"
#include "classlib/system/numconv.h"
#include "classlib/system/variant.h"

enum TZRValueKind { zvkNone, zvkNull, zvkString, zvkInteger, zvkFloat, zvkCurrency, zvkBoolean, zvkDate };
DOZURI_ENUM(TZRValueKind, "zvkNone", "zvkNull", "zvkString", "zvkInteger", "zvkFloat", "zvkCurrency",
            "zvkBoolean", "zvkDate");
DOZURI_ENUM(TFloatFormat, "ffGeneral", "ffExponent", "ffFixed", "ffNumber", "ffCurrency");

// The kind of a value: strings, the integer types, single and double,
// currency, booleans and dates by their type codes; arrays, interfaces,
// errors and the decimal type are none.
TZRValueKind ClassifyValue(const Variant& Value);
// True for none and null, numbers equal to 0 and strings of blanks.
bool IsBlankValue(const Variant& Value);

class TZFormat : public TPersistent {
  DECLARE_CLASS(TZFormat, TPersistent)

public:
  TZFormat() = default;

  bool BlankIfZero() const { return FBlankIfZero; }
  void SetBlankIfZero(bool Value);
  TFloatFormat FloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(TFloatFormat Value);
  int Digits() const { return FDigits; }
  void SetDigits(int Value);
  const AnsiString& DisplayMask() const { return FDisplayMask; }
  void SetDisplayMask(const AnsiString& Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);

  // Copies the format of another TZFormat and reports one change.
  void Assign(TPersistent* Source) override;

  // The text of a value, with the locale's separators.
  void FormatValue(const Variant& Value, AnsiString& Text) const;
  AnsiString FormatValue(const Variant& Value) const;

  // Called after any property changed.
  TNotifyEvent OnChange;

private:
  void Changed();
  AnsiString FormatNumber(const Variant& Value, bool HasMask) const;
  AnsiString FormatBoolean(bool Value, bool HasMask) const;

  bool FBlankIfZero = false;
  TFloatFormat FFloatFormat = ffGeneral;
  int FDigits = 0;
  AnsiString FDisplayMask;
  int FWidth = 16;
};
