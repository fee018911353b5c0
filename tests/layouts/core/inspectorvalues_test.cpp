#include "layouts/core/inspectorvalues.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(InspectorValues, EveryKindHasItsEditor) {
  struct Case {
    const char* kind;
    TInspectorEditor editor;
    const char* buttonText;
  };
  const Case cases[] = {
      {"TDataSet", TInspectorEditor::Button, ""},        {"TDataField", TInspectorEditor::Button, ""},
      {"TFont", TInspectorEditor::Button, "Font"},       {"TParameter", TInspectorEditor::Button, "Parametre"},
      {"TPrintPage", TInspectorEditor::Button, "Yazdirma"}, {"TStringList", TInspectorEditor::Button, "Yazı"},
      {"TImage", TInspectorEditor::Button, "Resim"},     {"TFatura", TInspectorEditor::Button, "Fatura Ayarlari"},
      {"TColor", TInspectorEditor::Button, "Renk"},      {"TOrientation", TInspectorEditor::Orientation, ""},
      {"TPaperSize", TInspectorEditor::PaperSize, ""},   {"TAlignment", TInspectorEditor::Alignment, ""},
      {"TZrAlignment", TInspectorEditor::Alignment, ""}, {"TBrush", TInspectorEditor::Brush, ""},
      {"TPen", TInspectorEditor::Pen, ""},               {"TShape", TInspectorEditor::Shape, ""},
      {"TSysData", TInspectorEditor::SysData, ""},       {"TZSysLabel", TInspectorEditor::SysData, ""},
      {"Extended", TInspectorEditor::Decimal, ""},       {"Boolean", TInspectorEditor::Boolean, ""},
      {"Integer", TInspectorEditor::Integer, ""},        {"String", TInspectorEditor::Text, ""},
      {"TBandClass", TInspectorEditor::BandLink, ""},    {"TBarcodeType", TInspectorEditor::BarcodeType, ""},
      {"tfont", TInspectorEditor::None, ""},             {"", TInspectorEditor::None, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    EXPECT_EQ(EditorOfKind(c.kind), c.editor);
    EXPECT_EQ(ButtonTextOfKind(c.kind), c.buttonText);
    EXPECT_EQ(IsButtonKind(c.kind), c.editor == TInspectorEditor::Button);
  }
}

TEST(InspectorValues, NumbersShowWithTheLocalesSeparators) {
  const TFormatSettings tr = TurkishFormatSettings();
  const TFormatSettings us = USFormatSettings();
  EXPECT_EQ(MillimetreText(10, tr), "10,0000 mm");
  EXPECT_EQ(MillimetreText(1234.5, tr), "1.234,5000 mm");
  EXPECT_EQ(MillimetreText(-2.25, us), "-2.2500 mm");
  EXPECT_EQ(MillimetreText(1234.5, us), "1,234.5000 mm");
  EXPECT_EQ(DecimalText(12, tr), "12,0000");
  EXPECT_EQ(BarcodeMillimetreText(1234.5, tr), "1234,5000");
}

TEST(InspectorValues, ABarcodesPixelsFollowThePageScale) {
  // A 297 mm page drawn 1123 pixels high.
  const double scale = PagePixelsPerMillimetre(1123, 297);
  EXPECT_EQ(BarcodeMillimetreText(BarcodePixelsToMillimetres(150, scale), TurkishFormatSettings()), "39,6705");
  EXPECT_EQ(BarcodeMillimetreText(BarcodePixelsToMillimetres(75, scale), USFormatSettings()), "19.8353");
  EXPECT_EQ(BarcodeMillimetresToPixels(20, scale), 76);
  EXPECT_EQ(BarcodeMillimetresToPixels(-1, scale), -4);
  // A page without length or height has no scale: nothing converts.
  for (double noScale : {PagePixelsPerMillimetre(1123, 0), PagePixelsPerMillimetre(0, 297),
                         PagePixelsPerMillimetre(1123, -5)}) {
    EXPECT_EQ(noScale, 0);
    EXPECT_EQ(BarcodePixelsToMillimetres(150, noScale), 0);
    EXPECT_EQ(BarcodeMillimetresToPixels(20, noScale), std::nullopt);
  }
  EXPECT_EQ(BarcodeMillimetresToPixels(1e12, scale), std::nullopt);
}

TEST(InspectorValues, EditorTextsGiveTheirNumberOrNothing) {
  const TFormatSettings tr = TurkishFormatSettings();
  const TFormatSettings us = USFormatSettings();
  struct Case {
    const char* text;
    const TFormatSettings* settings;
    std::optional<double> number;
  };
  const Case cases[] = {
      {"20", &tr, 20.0},          {" 12,5 ", &tr, 12.5},        {"1.234,5000", &tr, 1234.5},
      {"10,0000 mm", &tr, 10.0},  {"-3,25", &tr, -3.25},        {"12.5", &us, 12.5},
      {"1,234.5", &us, 1234.5},   {"", &tr, std::nullopt},      {"abc", &tr, std::nullopt},
      {"12a", &tr, std::nullopt}, {"1,2,3", &tr, std::nullopt}, {"mm", &tr, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseInspectorNumber(c.text, *c.settings), c.number);
  }
  EXPECT_EQ(ParseInspectorInteger("7", tr), 7);
  EXPECT_EQ(ParseInspectorInteger("1.234", tr), 1234);
  EXPECT_EQ(ParseInspectorInteger("2,6", tr), 3);
  EXPECT_EQ(ParseInspectorInteger("x", tr), std::nullopt);
  EXPECT_EQ(ParseInspectorInteger("99999999999", tr), std::nullopt);
}

TEST(InspectorValues, ItemsAndBooleansByOrdinal) {
  EXPECT_EQ(ItemText(AlignmentItems, 2), "Ortaya");
  EXPECT_EQ(ItemText(AlignmentItems, 3), "");  // band-relative: no text of its own
  EXPECT_EQ(ItemText(ShapeItems, 6), "");      // a rounded rectangle
  EXPECT_EQ(ItemText(SysDataItems, -1), "");
  EXPECT_EQ(ItemText(BarcodeTypeItems, 9), "Code128");
  EXPECT_EQ(BooleanText(1, "Var", "Yok"), "Var");
  EXPECT_EQ(BooleanText(0, "Var", "Yok"), "Yok");
  EXPECT_EQ(BooleanText(2, "Var", "Yok"), "Yok");
}

TEST(InspectorValues, BandKeysNameEachPageKindsSwitch) {
  struct Case {
    const char* key;
    const char* graphic;
    const char* text;
  };
  const Case cases[] = {
      {"Bands.HasTitle", "HasTitle", "HasHeader"},       {"Bands.HasSummary", "HasSummary", "HasFooter"},
      {"Bands.HasDetail", "HasDetail", "HasDetail"},     {"Bands.HasPageHeader", "HasPageHeader", "HasPageHeader"},
      {"Bands.HasColumnHeader", "HasColumnHeader", "HasColumnHeader"},
      {"Bands.HasPageFooter", "HasPageFooter", "HasPageFooter"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BandSwitchProperty(c.key, false), c.graphic);
    EXPECT_EQ(BandSwitchProperty(c.key, true), c.text);
  }
}

}  // namespace
