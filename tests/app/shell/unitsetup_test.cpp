// The units' one-time set-up at program start.
#include <gtest/gtest.h>

#include "app/shell/unitsetup.h"
#include "classlib/forms/application.h"
#include "classlib/graphics/picture.h"
#include "classlib/system/datetime.h"
#include "layouts/dizaynpreview.h"
#include "layouts/runnerreport.h"
#include "layouts/vtrapor.h"
#include "reportengine/composite/qrcomposite.h"
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

// The runner hands its layouts to the output paths, and a runner form made
// after the set-up has its composite report (made only for a registered
// class), so a layout of several graphic pages can run.
TEST(UnitSetUp, InstallsTheOutputPathsAndTheCompositeReportBeforeTheRunner) {
  SetUpUnits();
  EXPECT_NE(GetClass("TQRCompositeReport"), nullptr);
  {
    TDizaynPreviewF runner(nullptr);
    ASSERT_NE(runner.QRCompositeReport1, nullptr);
    EXPECT_NE(dynamic_cast<TQRCompositeReport*>(runner.QRCompositeReport1), nullptr);
  }
  const TRunnerOutput output = InstallRunnerOutput(nullptr);
  EXPECT_TRUE(static_cast<bool>(output));
  InstallRunnerOutput(output);
  const TCompositeMemberAdder adder = InstallCompositeMemberAdder(nullptr);
  EXPECT_TRUE(static_cast<bool>(adder));
  InstallCompositeMemberAdder(adder);
}
