#include "classlib/placement/formstorage.h"

#include "classlib/classes/inifiles.h"
#include "classlib/classes/typinfo.h"
#include "classlib/stdctrls/combobox.h"
#include "classlib/system/formatsettings.h"
#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

BEGIN_PUBLISHED(TFormStorage)
  PROPERTY(IniFileName, IniFileName, SetIniFileName),
  PROPERTY(IniSection, IniSection, SetIniSection),
  PROPERTY(StoredProps, StoredProps, SetStoredProps),
END_PUBLISHED

namespace {

// Floating-point values are written with "." whatever the locale, so a file
// stays readable when the locale changes; a "," written by hand reads too.
TFormatSettings StoredFloatSettings(char decimalSeparator) {
  TFormatSettings settings = FormatSettings;
  settings.DecimalSeparator = decimalSeparator;
  settings.ThousandSeparator = '\0';
  return settings;
}

bool ReadStoredFloat(const AnsiString& text, double& value) {
  return TryStrToFloat(text, value, StoredFloatSettings('.')) || TryStrToFloat(text, value, StoredFloatSettings(','));
}

// One stored property: the component and the property's name.
struct TStoredProp {
  TComponent* Component = nullptr;
  AnsiString Property;
  AnsiString Key;
};

bool FindStoredProp(TComponent* owner, const AnsiString& line, TStoredProp& prop) {
  const std::size_t dot = line.find('.');
  if (owner == nullptr || dot == AnsiString::npos)
    return false;
  prop.Component = owner->FindComponent(line.substr(0, dot));
  prop.Property = line.substr(dot + 1);
  prop.Key = line;
  return prop.Component != nullptr;
}

// The property as text, or false when it is not one the storage keeps.
bool StoredPropText(const TStoredProp& prop, AnsiString& text) {
  if (auto* combo = dynamic_cast<TCustomComboBox*>(prop.Component); combo && SameText(prop.Property, "ItemIndex")) {
    text = IntToStr(combo->ItemIndex());
    return true;
  }
  PPropInfo info = GetPropInfo(prop.Component, prop.Property);
  if (info == nullptr)
    return false;
  switch (info->PropType->Kind) {
    case tkInteger: text = IntToStr(GetOrdProp(prop.Component, info)); return true;
    case tkInt64: text = IntToStr(GetInt64Prop(prop.Component, info)); return true;
    case tkFloat:
      text = FloatToStr(static_cast<double>(GetFloatProp(prop.Component, info)), StoredFloatSettings('.'));
      return true;
    case tkString:
    case tkLString: text = GetStrProp(prop.Component, info); return true;
    default: return false;
  }
}

// Sets the property from the text; text it cannot take leaves it as it is.
void SetStoredPropText(const TStoredProp& prop, const AnsiString& text) {
  if (auto* combo = dynamic_cast<TCustomComboBox*>(prop.Component); combo && SameText(prop.Property, "ItemIndex")) {
    int index = 0;
    if (TryStrToInt(text, index) && index >= 0 && index < combo->Items()->Count())
      combo->SetItemIndex(index);
    return;
  }
  PPropInfo info = GetPropInfo(prop.Component, prop.Property);
  if (info == nullptr)
    return;
  std::int64_t whole = 0;
  double real = 0;
  switch (info->PropType->Kind) {
    case tkInteger:
    case tkInt64:
      if (TryStrToInt64(text, whole))
        SetInt64Prop(prop.Component, info, whole);
      return;
    case tkFloat:
      if (ReadStoredFloat(text, real))
        SetFloatProp(prop.Component, info, real);
      return;
    case tkString:
    case tkLString: SetStrProp(prop.Component, info, text); return;
    default: return;
  }
}

}  // namespace

TFormStorage::TFormStorage(TComponent* AOwner) : TComponent(AOwner), FStoredProps(std::make_unique<TStringList>()) {}

TFormStorage::~TFormStorage() = default;

AnsiString TFormStorage::IniSection() const {
  if (!FIniSection.empty() || Owner() == nullptr)
    return FIniSection;
  return Owner()->ClassName();
}

void TFormStorage::RestoreFormPlacement() {
  TMemIniFile file(FIniFileName);
  const AnsiString section = IniSection();
  for (int i = 0; i < FStoredProps->Count(); ++i) {
    TStoredProp prop;
    if (!FindStoredProp(Owner(), FStoredProps->Strings(i), prop) || !file.ValueExists(section, prop.Key))
      continue;
    try {
      SetStoredPropText(prop, file.ReadString(section, prop.Key, ""));
    } catch (const Exception&) {
      // A value the property refuses keeps what the form has.
    }
  }
}

void TFormStorage::SaveFormPlacement() {
  TMemIniFile file(FIniFileName);
  const AnsiString section = IniSection();
  for (int i = 0; i < FStoredProps->Count(); ++i) {
    TStoredProp prop;
    AnsiString text;
    if (FindStoredProp(Owner(), FStoredProps->Strings(i), prop) && StoredPropText(prop, text))
      file.WriteString(section, prop.Key, text);
  }
  file.UpdateFile();
}
