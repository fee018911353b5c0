#include "layouts/core/bindinghints.h"

#include <limits>

#include "classlib/classes/strings.h"
#include "classlib/classes/typinfo.h"
#include "classlib/system/numconv.h"

namespace {

// The hint as string list lines, so that every reader and writer splits and
// matches names exactly as the class library's name-value access does.
void LoadLines(TStringList& Lines, const AnsiString& Text) { Lines.SetText(Text); }

constexpr char HintProperty[] = "Hint";

PPropInfo HintProp(TObject* Component) {
  if (Component == nullptr)
    return nullptr;
  PPropInfo prop = GetPropInfo(Component, HintProperty);
  if (prop == nullptr || (prop->Kind() != tkLString && prop->Kind() != tkString))
    return nullptr;
  return prop;
}

}  // namespace

bool ReadComponentHint(TObject* Component, TBindingHint& Hint) {
  PPropInfo prop = HintProp(Component);
  if (prop == nullptr)
    return false;
  Hint = TBindingHint(GetStrProp(Component, prop));
  return true;
}

bool WriteComponentHint(TObject* Component, const TBindingHint& Hint) {
  PPropInfo prop = HintProp(Component);
  if (prop == nullptr || !prop->Writable())
    return false;
  SetStrProp(Component, prop, Hint.Text());
  return true;
}

bool PrintsOnGraphicPage(TPrintOption Option, int Page, int PageCount) {
  switch (Option) {
    case poOnlyFirstPage: return Page == 1;
    case poOnlyLastPage: return Page == PageCount;
    case poNotFirstPage: return Page != 1;
    case poNotLastPage: return Page != PageCount;
    case poEveryPage: break;
  }
  return true;
}

bool PrintsOnTextPage(TPrintOption Option, int Page, int RecordCounter) {
  switch (Option) {
    case poOnlyFirstPage: return Page == 1;
    case poOnlyLastPage: return RecordCounter == 0;
    case poNotFirstPage: return Page != 1;
    case poNotLastPage: return RecordCounter != 0;
    case poEveryPage: break;
  }
  return true;
}

int DBTextCharacterPosition(long long Tag) {
  if (Tag <= 0)
    return 0;
  return Tag > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(Tag);
}

long long DBTextRecordNumber(long long Tag) {
  if (Tag >= 0)
    return 0;
  // The most negative tag has no positive twin; no data set has that many records anyway.
  return Tag == std::numeric_limits<long long>::min() ? std::numeric_limits<long long>::max() : -Tag;
}

AnsiString ReportPageName(int Number) { return AnsiString(ReportPageNamePrefix) + IntToStr(Number); }

AnsiString TBindingHint::Value(const AnsiString& Name) const {
  TStringList lines;
  LoadLines(lines, text_);
  return lines.Values(Name);
}

bool TBindingHint::HasName(const AnsiString& Name) const {
  TStringList lines;
  LoadLines(lines, text_);
  return lines.IndexOfName(Name) >= 0;
}

void TBindingHint::SetValue(const AnsiString& Name, const AnsiString& Value) {
  TStringList lines;
  LoadLines(lines, text_);
  if (Value.empty()) {
    if (lines.IndexOfName(Name) < 0)
      return;  // nothing to remove: the hint stays as it was written
    // Every line of the name goes, so that no second line of a hand-edited
    // hint takes over the binding just removed.
    for (int index = lines.IndexOfName(Name); index >= 0; index = lines.IndexOfName(Name))
      lines.Delete(index);
  } else {
    lines.SetValues(Name, Value);
  }
  text_ = lines.Text();
}

TPrintOption TBindingHint::PrintOption() const {
  int value = 0;
  if (!TryStrToInt(Value(HintPrintOption), value) || value < poOnlyFirstPage || value > poEveryPage)
    return poEveryPage;
  return static_cast<TPrintOption>(value);
}

void TBindingHint::SetPrintOption(TPrintOption Option) { SetValue(HintPrintOption, IntToStr(static_cast<int>(Option))); }

int TBindingHint::HareketSayisi() const {
  int value = 0;
  if (!TryStrToInt(Value(PageHareketSayisi), value) || value <= 0)
    return DefaultHareketSayisi;
  return value;
}

// The number was written in the format of the machine that made the layout,
// with "," or "." before its decimals whatever this machine's locale is: the
// locale's form is read first, then the other one, so a layout reads alike
// on every machine.
double TBindingHint::HareketAlaniYukseklik() const {
  const AnsiString text = Value(PageHareketAlaniYukseklik);
  TFormatSettings other = FormatSettings;
  other.DecimalSeparator = FormatSettings.DecimalSeparator == ',' ? '.' : ',';
  double value = 0;
  if (!(TryStrToFloat(text, value) || TryStrToFloat(text, value, other)) || !(value > 0))
    return DefaultHareketAlaniYukseklik;
  return value;
}
