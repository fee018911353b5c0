// The texts, numbers and editor kinds of the designer's property inspector:
// what its rows show and what its editors hand back, apart from any window.
#pragma once
#include <array>
#include <cstdint>
#include <optional>

#include "classlib/system/ansistring.h"
#include "classlib/system/formatsettings.h"

// ---- Geometry of the inspector's rows (pixels) ---------------------------------
inline constexpr int InspectorRowHeight = 20;
// Where the value column starts; its dividing lines lie at this x and the next.
inline constexpr int InspectorValueLeft = 100;
inline constexpr int InspectorCaptionX = 7;
inline constexpr int InspectorValueX = 105;
// Texts sit this far below the row's top.
inline constexpr int InspectorTextDown = 3;
// The editor covers the value from here to the right edge.
inline constexpr int InspectorEditorLeft = 102;
// A drag in the rows selects anew after this vertical move.
inline constexpr int InspectorDragStep = 6;

// ---- Number formats ------------------------------------------------------------------
inline constexpr char InspectorDecimalFormat[] = ",0.0000;-,0.0000";
inline constexpr char InspectorIntegerFormat[] = ",0;-,0";
inline constexpr char InspectorBarcodeFormat[] = "0.0000";
inline constexpr char InspectorMillimetreUnit[] = " mm";

// ---- Boolean texts ----------------------------------------------------------------
inline constexpr char InspectorTextYes[] = "Var";
inline constexpr char InspectorTextNo[] = "Yok";

// ---- Editors and the kinds of rows ---------------------------------------------------
enum class TInspectorEditor {
  None, Text, Alignment, Button, Decimal, Integer, Boolean, Brush, Shape, Pen,
  Orientation, PaperSize, SysData, BandLink, BarcodeType
};

// The editor a row's kind uses ("TFont" a button, "Extended" the decimal
// edit ...); None for a kind the inspector does not know.
TInspectorEditor EditorOfKind(const AnsiString& Kind);
// True for the kinds whose value comes back through the button edit.
bool IsButtonKind(const AnsiString& Kind);
// The fixed text the button edit shows for a button kind, untranslated
// ("Font" for "TFont"); "" for the binding kinds TDataSet and TDataField,
// whose text is the binding itself, and for every other kind.
AnsiString ButtonTextOfKind(const AnsiString& Kind);

// The items of the combo editors; each item's index is the ordinal of the
// value it stands for.
inline constexpr std::array<const char*, 3> AlignmentItems = {"Sola", "Saga", "Ortaya"};
inline constexpr std::array<const char*, 2> BooleanItems = {"Yok", "Var"};
inline constexpr std::array<const char*, 6> ShapeItems = {
    "Dikdortgen", "Cember", "Dikey Cizgi", "Yatay Cizgi", "Alt ve ust cizgi", "Sag ve sol cizgi"};
inline constexpr std::array<const char*, 2> OrientationItems = {"Dikey", "Yatay"};
inline constexpr std::array<const char*, 7> SysDataItems = {
    "Rapor Saati", "Rapor Tarihi", "Rp. Tarih ve Saat", "Sayfa No", "Rapor Basligi", "Satir Sayisi", "Satir No"};
inline constexpr std::array<const char*, 10> BarcodeTypeItems = {
    "UPC_A", "UPC_E", "EAN_8", "EAN_13", "Interleaved2of5", "Codabar", "Code11", "Code39", "Code93", "Code128"};

// The item of Items at Value, "" outside them (a text alignment relative to
// the band, a rounded rectangle ...).
template <std::size_t N>
AnsiString ItemText(const std::array<const char*, N>& Items, std::int64_t Value) {
  return Value >= 0 && Value < static_cast<std::int64_t>(N) ? AnsiString(Items[static_cast<std::size_t>(Value)])
                                                            : AnsiString();
}

// ---- Value texts --------------------------------------------------------------------------
// A length in millimetres: ",0.0000;-,0.0000" followed by " mm".
AnsiString MillimetreText(double Value, const TFormatSettings& Settings = FormatSettings);
// A decimal without a unit: ",0.0000;-,0.0000".
AnsiString DecimalText(double Value, const TFormatSettings& Settings = FormatSettings);
// A barcode's pixels shown in millimetres: "0.0000".
AnsiString BarcodeMillimetreText(double Value, const TFormatSettings& Settings = FormatSettings);
// Yes for the value 1, No for any other.
AnsiString BooleanText(std::int64_t Value, const AnsiString& Yes, const AnsiString& No);

// ---- Barcode pixels and millimetres --------------------------------------------------
// A barcode is sized in screen pixels of the page it lies on: the page's
// height in pixels over its length in millimetres. 0 for a page without a
// length or a height (no conversion is possible then).
double PagePixelsPerMillimetre(int PageHeightPixels, double PageLengthMm);
// Pixels in millimetres through the page's scale; 0 when it has none.
double BarcodePixelsToMillimetres(int Pixels, double PixelsPerMm);
// Millimetres in pixels, rounded to the nearest; nothing when the page has
// no scale or the result does not fit a pixel count.
std::optional<int> BarcodeMillimetresToPixels(double Millimetres, double PixelsPerMm);

// ---- What the numeric editors hand back ---------------------------------------------
// The number in an editor's text: the plain number typed, or the editor's
// display form with thousands separators (and an optional " mm"); nothing
// for anything else.
std::optional<double> ParseInspectorNumber(const AnsiString& Text, const TFormatSettings& Settings = FormatSettings);
// The same, as a whole number rounded to the nearest; nothing beyond 32 bits.
std::optional<int> ParseInspectorInteger(const AnsiString& Text, const TFormatSettings& Settings = FormatSettings);

// ---- Band switches -------------------------------------------------------------------------
// A band row's key ("Bands.HasTitle") names the graphic page's switch; a text
// page calls two of them otherwise (title: HasHeader, summary: HasFooter).
// The switch's property name on a page of either kind.
AnsiString BandSwitchProperty(const AnsiString& Key, bool TextPage);
