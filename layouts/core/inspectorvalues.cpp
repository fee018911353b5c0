#include "layouts/core/inspectorvalues.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

namespace {

struct TKindEditor {
  const char* Kind;
  TInspectorEditor Editor;
  const char* ButtonText;
};

// Every kind a row may carry, with its editor and, for a button kind, the
// text of the button edit.
constexpr TKindEditor KindEditors[] = {
    {"TDataSet", TInspectorEditor::Button, ""},
    {"TDataField", TInspectorEditor::Button, ""},
    {"TFont", TInspectorEditor::Button, "Font"},
    {"TParameter", TInspectorEditor::Button, "Parametre"},
    {"TPrintPage", TInspectorEditor::Button, "Yazdirma"},
    {"TStringList", TInspectorEditor::Button, "Yazı"},
    {"TImage", TInspectorEditor::Button, "Resim"},
    {"TFatura", TInspectorEditor::Button, "Fatura Ayarlari"},
    {"TColor", TInspectorEditor::Button, "Renk"},
    {"TOrientation", TInspectorEditor::Orientation, ""},
    {"TPaperSize", TInspectorEditor::PaperSize, ""},
    {"TAlignment", TInspectorEditor::Alignment, ""},
    {"TZrAlignment", TInspectorEditor::Alignment, ""},
    {"TBrush", TInspectorEditor::Brush, ""},
    {"TPen", TInspectorEditor::Pen, ""},
    {"TShape", TInspectorEditor::Shape, ""},
    {"TSysData", TInspectorEditor::SysData, ""},
    {"TZSysLabel", TInspectorEditor::SysData, ""},
    {"Extended", TInspectorEditor::Decimal, ""},
    {"Boolean", TInspectorEditor::Boolean, ""},
    {"Integer", TInspectorEditor::Integer, ""},
    {"String", TInspectorEditor::Text, ""},
    {"TBandClass", TInspectorEditor::BandLink, ""},
    {"TBarcodeType", TInspectorEditor::BarcodeType, ""},
};

const TKindEditor* FindKind(const AnsiString& Kind) {
  for (const TKindEditor& entry : KindEditors)
    if (Kind == entry.Kind)
      return &entry;
  return nullptr;
}

// Text without the blanks around it and without a trailing " mm".
AnsiString WithoutUnit(const AnsiString& Text) {
  AnsiString s = Trim(Text);
  constexpr std::string_view unit = "mm";
  if (s.size() > unit.size() && std::string_view(s).substr(s.size() - unit.size()) == unit)
    s = Trim(s.substr(0, s.size() - unit.size()));
  return s;
}

AnsiString WithoutThousands(const AnsiString& Text, char Separator) {
  AnsiString s;
  for (char c : Text)
    if (c != Separator)
      s += c;
  return s;
}

}  // namespace

TInspectorEditor EditorOfKind(const AnsiString& Kind) {
  const TKindEditor* entry = FindKind(Kind);
  return entry != nullptr ? entry->Editor : TInspectorEditor::None;
}

bool IsButtonKind(const AnsiString& Kind) { return EditorOfKind(Kind) == TInspectorEditor::Button; }

AnsiString ButtonTextOfKind(const AnsiString& Kind) {
  const TKindEditor* entry = FindKind(Kind);
  return entry != nullptr ? AnsiString(entry->ButtonText) : AnsiString();
}

AnsiString MillimetreText(double Value, const TFormatSettings& Settings) {
  return DecimalText(Value, Settings) + InspectorMillimetreUnit;
}

AnsiString DecimalText(double Value, const TFormatSettings& Settings) {
  return FormatFloat(InspectorDecimalFormat, Value, Settings);
}

AnsiString BarcodeMillimetreText(double Value, const TFormatSettings& Settings) {
  return FormatFloat(InspectorBarcodeFormat, Value, Settings);
}

AnsiString BooleanText(std::int64_t Value, const AnsiString& Yes, const AnsiString& No) {
  return Value == 1 ? Yes : No;
}

double PagePixelsPerMillimetre(int PageHeightPixels, double PageLengthMm) {
  if (PageHeightPixels <= 0 || !(PageLengthMm > 0) || !std::isfinite(PageLengthMm))
    return 0;
  return PageHeightPixels / PageLengthMm;
}

double BarcodePixelsToMillimetres(int Pixels, double PixelsPerMm) {
  return PixelsPerMm > 0 ? Pixels / PixelsPerMm : 0;
}

std::optional<int> BarcodeMillimetresToPixels(double Millimetres, double PixelsPerMm) {
  if (!(PixelsPerMm > 0) || !std::isfinite(Millimetres))
    return std::nullopt;
  const double pixels = std::round(Millimetres * PixelsPerMm);
  if (pixels < std::numeric_limits<int>::min() || pixels > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(pixels);
}

std::optional<double> ParseInspectorNumber(const AnsiString& Text, const TFormatSettings& Settings) {
  const AnsiString s = WithoutUnit(Text);
  double value = 0;
  if (TryStrToFloat(s, value, Settings) && std::isfinite(value))
    return value;
  // The display form: thousands grouped, as ",0.0000" shows it.
  if (Settings.ThousandSeparator != Settings.DecimalSeparator &&
      TryStrToFloat(WithoutThousands(s, Settings.ThousandSeparator), value, Settings) && std::isfinite(value))
    return value;
  return std::nullopt;
}

std::optional<int> ParseInspectorInteger(const AnsiString& Text, const TFormatSettings& Settings) {
  const std::optional<double> value = ParseInspectorNumber(Text, Settings);
  if (!value)
    return std::nullopt;
  const double rounded = std::round(*value);
  if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(rounded);
}

AnsiString BandSwitchProperty(const AnsiString& Key, bool TextPage) {
  constexpr std::string_view prefix = "Bands.";
  AnsiString name = std::string_view(Key).substr(0, prefix.size()) == prefix ? Key.substr(prefix.size()) : Key;
  if (TextPage && name == "HasTitle")
    return "HasHeader";
  if (TextPage && name == "HasSummary")
    return "HasFooter";
  return name;
}
