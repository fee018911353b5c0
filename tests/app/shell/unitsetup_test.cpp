// The units' one-time set-up at program start.
#include <gtest/gtest.h>

#include "app/shell/unitsetup.h"
#include "classlib/forms/application.h"
#include "classlib/graphics/picture.h"
#include "classlib/system/clock.h"
#include "classlib/system/datetime.h"
#include "classlib/system/formatsettings.h"
#include "layouts/dizaynpreview.h"
#include "layouts/runnerreport.h"
#include "layouts/vtrapor.h"
#include "reportengine/composite/qrcomposite.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/evaluator/qrexpr.h"
#include "reportengine/preview/qrprev.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrsysdata.h"
#include "support/png/graphic/pnggraphic.h"
#include "tests/reportengine/printables/label_runfixture.h"
#include "tests/support/desktoplocale.h"

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
                           "TVtQrBarcodeImage", "TDsnPanel", "TDsnButton", "TArrowButton"})
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

// The set-up reads the number and date formats of the user's locale before
// anything formats, so a data text on the integer 5 with the mask "0.00" and
// the system date print as a user of the desktop's locale expects. The other
// locale's formats are in place before it, so what prints comes from the
// set-up itself.
TEST(UnitSetUp, ReadsTheLocalesNumberAndDateFormats) {
  using test_support::DesktopLocale;
  const DesktopLocale locale = test_support::CurrentDesktopLocale();
  if (locale == DesktopLocale::Other)
    GTEST_SKIP() << "LANG=" << test_support::DesktopLocaleName() << " is not one of the test desktop's";
  const bool turkish = locale == DesktopLocale::Turkish;
  FormatSettingsScope before(turkish ? USFormatSettings() : TurkishFormatSettings());
  SetUpUnits();

  ClockScope clock(EncodeDate(2026, 12, 11) + EncodeTime(14, 30, 5, 0));
  printables_test::ReportRun run;
  run.table->FieldDefs()->Add("ADET", ftInteger);
  run.Open();
  run.table->Append();
  run.table->FieldByName("ADET")->SetAsInteger(5);
  run.table->Post();
  auto* amount = run.Add<TQRDBText>(run.detail, 10, 5, 300, 20);
  amount->SetDataSet(run.table);
  amount->SetDataField("ADET");
  amount->SetMask("0.00");
  run.Add<TQRSysData>(run.detail, 10, 30, 300, 20)->SetData(qrsDate);
  const std::vector<std::vector<std::string>> expected = {
      turkish ? std::vector<std::string>{"5,00", "11.12.2026"} : std::vector<std::string>{"5.00", "12/11/2026"}};
  EXPECT_EQ(run.Run(), expected) << "LANG=" << test_support::DesktopLocaleName();
}
