// What the band handlers do to a band for one record: the QR_EK items on the
// band's colour and font, placeholder rows blanking the band's printables
// (and only printables), and the controls of one label column.
#include "layouts/bandformat.h"

#include <gtest/gtest.h>

#include "app/recordtables.h"
#include "classlib/classes/typinfo.h"
#include "classlib/controls/extctrls.h"
#include "classlib/controls/graphiccontrol.h"
#include "classlib/data/field.h"
#include "classlib/graphics/font.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrshape.h"

// A control of a label column: it publishes its column and Enabled.
class TColumnSample : public TGraphicControl {
  DECLARE_CLASS(TColumnSample, TGraphicControl)

public:
  explicit TColumnSample(TComponent* AOwner) : TGraphicControl(AOwner) {}
  int HelpContext = 0;
};

BEGIN_PUBLISHED(TColumnSample)
  PROPERTY(HelpContext, HelpContext, HelpContext),
  PROPERTY(Enabled, Enabled, SetEnabled),
END_PUBLISHED

namespace {

TEST(BandFormat, ColourAndBoldWithTheFinalBarApplyAndTheOldStylesGo) {
  TPanel band(nullptr);
  band.Font()->SetStyle(TFontStyles{fsItalic, fsUnderline});
  band.Font()->SetSize(8);
  ApplyQrEk(band, ParseQrEk("COLOR=clYellow|FONT.STYLE=BOLD|"));
  EXPECT_EQ(band.Color(), clYellow);
  EXPECT_EQ(band.Font()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(band.Font()->Size(), 8);
}

TEST(BandFormat, SizeAndFontColourApplyAndBadValuesLeaveTheBandAsItWas) {
  TPanel band(nullptr);
  band.SetColor(clWhite);
  band.Font()->SetSize(10);
  band.Font()->SetColor(clBlack);
  ApplyQrEk(band, ParseQrEk("FONT.SIZE=$0E|FONT.COLOR=clRed|"));
  EXPECT_EQ(band.Font()->Size(), 14);
  EXPECT_EQ(band.Font()->Color(), clRed);
  ApplyQrEk(band, ParseQrEk("COLOR=sari|FONT.SIZE=on dort|FONT.COLOR=|"));
  EXPECT_EQ(band.Color(), clWhite);
  EXPECT_EQ(band.Font()->Size(), 14);
  EXPECT_EQ(band.Font()->Color(), clRed);
}

TEST(BandFormat, PlaceholderRowsDisableThePrintablesOfTheBandOnly) {
  TPanel band(nullptr);
  auto* label = new TQRLabel(&band);
  label->SetParent(&band);
  auto* shape = new TQRShape(&band);
  shape->SetParent(&band);
  auto* other = new TColumnSample(&band);
  other->SetParent(&band);
  EnableBandPrintables(band, false);
  EXPECT_FALSE(label->Enabled());
  EXPECT_FALSE(shape->Enabled());
  EXPECT_TRUE(other->Enabled());
  EnableBandPrintables(band, true);
  EXPECT_TRUE(label->Enabled());
  EXPECT_TRUE(shape->Enabled());
}

TEST(BandFormat, BooleanFieldsAreReadWhenPresent) {
  TRxMemoryData table(nullptr);
  DefineLabelFields(table);
  table.Open();
  table.Append();
  table.FieldByName("BAS")->SetAsBoolean(true);
  table.Post();
  EXPECT_TRUE(BooleanFieldIsTrue(table, "BAS"));
  EXPECT_FALSE(BooleanFieldIsTrue(table, "QR_SATIRIPTAL"));
  table.Edit();
  table.FieldByName("BAS")->SetAsBoolean(false);
  table.Post();
  EXPECT_FALSE(BooleanFieldIsTrue(table, "BAS"));
}

TEST(BandFormat, TheControlsOfALabelColumnAreThoseWithItsHelpContext) {
  TPanel band(nullptr);
  TColumnSample* columns[3];
  for (int k = 0; k < 3; ++k) {
    columns[k] = new TColumnSample(&band);
    columns[k]->HelpContext = k % 2;
    columns[k]->SetParent(&band);
  }
  auto* label = new TQRLabel(&band);  // publishes no column
  label->SetParent(&band);
  EXPECT_EQ(ControlsInLabelColumn(band, 0), (std::vector<TControl*>{columns[0], columns[2]}));
  EXPECT_EQ(ControlsInLabelColumn(band, 1), (std::vector<TControl*>{columns[1]}));
  EXPECT_TRUE(ControlsInLabelColumn(band, 2).empty());
}

}  // namespace
