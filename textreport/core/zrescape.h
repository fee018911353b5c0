// TZREscapes: the twenty printer escape strings of one report, chosen from
// a built-in printer model or set one by one (which makes the set custom).
#pragma once
#include "classlib/classes/persistent.h"
#include "textreport/core/zrescapemodels.h"

class TReader;
class TWriter;

class TZREscapes : public TPersistent {
  DECLARE_CLASS(TZREscapes, TPersistent)

public:
  // The longest escape string; longer values are cut.
  static constexpr std::size_t MaxStringLength = 32;

  TZREscapes();

  TZREscapeModel Model() const { return FModel; }
  // Loads the model's strings. Switching to emCustom first hands this
  // object's strings to the shared custom row, so the custom row always holds
  // the strings of the last set switched to custom.
  void SetModel(TZREscapeModel Value);

  const AnsiString& Values(TZREscapeCode Index) const { return FValues[Index]; }
  // A different value is stored (cut to MaxStringLength) and makes the set custom.
  void SetValues(TZREscapeCode Index, const AnsiString& Value);
  const TZREscapeStrings& Strings() const { return FValues; }

  // Copies the model and the strings of another escape set as they are.
  void Assign(TPersistent* Source) override;
  // "Values": the twenty strings, written only for a custom set.
  void DefineProperties(TFiler& Filer) override;

  // Published one by one for the property inspector; the strings are
  // streamed together as "Values".
  template <TZREscapeCode I>
  AnsiString GetValue() const {
    return FValues[I];
  }
  template <TZREscapeCode I>
  void SetValue(const AnsiString& Value) {
    SetValues(I, Value);
  }

private:
  void ReadValues(TReader& Reader);
  void WriteValues(TWriter& Writer);

  TZREscapeModel FModel = emCustom;
  TZREscapeStrings FValues;
};
