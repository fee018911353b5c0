// The units' one-time set-up at program start.
#include <gtest/gtest.h>

#include "app/shell/unitsetup.h"
#include "classlib/forms/application.h"
#include "classlib/graphics/picture.h"
#include "classlib/system/datetime.h"
#include "layouts/vtrapor.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/evaluator/qrexpr.h"
#include "reportengine/preview/qrprev.h"
#include "support/png/graphic/pnggraphic.h"

namespace {

AnsiString Evaluate(const AnsiString& expression) {
  TQREvaluator evaluator;
  evaluator.PrepareExpression(expression);
  TQREvValue value;
  evaluator.EvaluateExpression(value);
  evaluator.UnprepareExpression();
  return value.StrValue;
}

}  // namespace

// Before the program titles its application, the set-up registers the
// component classes and "png" and makes the expression globals, which keep
// the title and the time of that moment.
TEST(UnitSetUp, RegistersTheClassesAndThePictureFormatAndFixesTheExpressionGlobals) {
  ASSERT_EQ(ExistingGlobalVariables(), nullptr) << "nothing in this test program may make them earlier";
  const AnsiString savedTitle = Application->Title();
  Application->SetTitle("");
  const AnsiString programName = Application->Title();
  const AnsiString startTime = TimeToStr(Time());
  SetUpUnits();
  Application->SetTitle("VORTELIM Dozuri");

  for (const char* name : {"TDBGrid", "TDBEdit", "TVTFormHeader", "TBiDiDBNavigator", "TComboBox", "TPageControl",
                           "TStringGrid", "TRxMemoryData", "TQuickRep", "TQRBand", "TQRDBText", "TStBarCode",
                           "TVtQrBarcodeImage"})
    EXPECT_NE(GetClass(name), nullptr) << name;
  EXPECT_EQ(TPicture::FileFormatClass("png"), TPNGGraphic::StaticClass());
  // The printer object's Preview and PreviewModal show the standard preview.
  EXPECT_EQ(QRPreviewInterfaceClass(), TQRStandardPreviewInterface::StaticClass());
  ASSERT_NE(ExistingGlobalVariables(), nullptr);
  EXPECT_EQ(Evaluate("APPNAME"), programName);
  const AnsiString appStart = Evaluate("APPSTARTTIME");
  EXPECT_TRUE(appStart == startTime || appStart == TimeToStr(Time())) << appStart;
  EXPECT_EQ(Evaluate("APPSTARTDATE"), DateToStr(Date()));
  Application->SetTitle(savedTitle);
}

// Print and preview requests of the report component reach the report runner.
TEST(UnitSetUp, InstallsTheReportRunner) {
  SetUpUnits();
  const TReportRunner installed = SetReportRunner(nullptr);
  EXPECT_TRUE(static_cast<bool>(installed));
  SetReportRunner(installed);
}
