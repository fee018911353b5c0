// Numbers and dates in a report run under the formats the test program read
// from the desktop's locale at its start, as the program reads them: nothing
// here sets formats of its own. The test desktop runs Turkish, and once U.S.
// English.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/system/clock.h"
#include "classlib/system/datetime.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrexprlabel.h"
#include "reportengine/printables/qrsysdata.h"
#include "tests/reportengine/printables/label_runfixture.h"
#include "tests/support/desktoplocale.h"

using namespace printables_test;
using test_support::DesktopLocale;

namespace {

// What each printable below prints under one locale, in the order they are made.
std::vector<std::string> ExpectedTexts(DesktopLocale locale) {
  if (locale == DesktopLocale::Turkish)
    return {"5,00", "1.234,50",   "11.12.2026", "2,5",         "3,00",
            "308,625", "1.234,50 TL", "11.12.2026", "11.12.2026 14:30:05", "14:30"};
  return {"5.00", "1,234.50",  "12/11/2026", "2.5",  "3.00", "308.625", "$1,234.50",
          "12/11/2026", "12/11/2026 2:30:05 PM", "2:30 PM"};
}

TEST(PrintablesUnderTheDesktopLocale, NumbersAndDatesPrintWithTheLocalesSeparators) {
  const DesktopLocale locale = test_support::CurrentDesktopLocale();
  if (locale == DesktopLocale::Other)
    GTEST_SKIP() << "LANG=" << test_support::DesktopLocaleName() << " is not one of the test desktop's";
  ClockScope clock(EncodeDate(2026, 12, 11) + EncodeTime(14, 30, 5, 0));
  ReportRun run;
  run.table->FieldDefs()->Add("ADET", ftInteger);
  run.table->FieldDefs()->Add("FIYAT", ftFloat);
  run.table->FieldDefs()->Add("TARIH", ftDate);
  run.Open();
  run.table->Append();
  run.table->FieldByName("ADET")->SetAsInteger(5);
  run.table->FieldByName("FIYAT")->SetAsFloat(1234.5);
  run.table->FieldByName("TARIH")->SetAsDateTime(EncodeDate(2026, 12, 11));
  run.table->Post();

  int top = 0;
  auto place = [&](auto* printable) {
    printable->SetBounds(10, top, 400, 18);
    top += 20;
    return printable;
  };
  auto dataText = [&](const char* field, const char* mask) {
    auto* text = place(run.Add<TQRDBText>(run.detail, 0, 0, 0, 0));
    text->SetDataSet(run.table);
    text->SetDataField(field);
    text->SetMask(mask);
  };
  auto expression = [&](const char* text, const char* mask) {
    auto* expr = place(run.Add<TQRExpr>(run.detail, 0, 0, 0, 0));
    expr->SetExpression(text);
    expr->SetMask(mask);
  };
  auto systemData = [&](TQRSysDataType kind) { place(run.Add<TQRSysData>(run.detail, 0, 0, 0, 0))->SetData(kind); };
  dataText("ADET", "0.00");
  dataText("FIYAT", "#,##0.00");
  dataText("TARIH", "");
  expression("STR(2.5)", "");
  expression("FORMATNUMERIC('0.00', 3)", "");
  expression("FIYAT / 4", "0.000");
  expression("FIYAT", "%m");
  systemData(qrsDate);
  systemData(qrsDateTime);
  systemData(qrsTime);
  run.detail->SetHeight(top + 10);

  const std::vector<std::vector<std::string>> pages = run.Run();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_THAT(pages[0], testing::UnorderedElementsAreArray(ExpectedTexts(locale)))
      << "LANG=" << test_support::DesktopLocaleName();
}

}  // namespace
