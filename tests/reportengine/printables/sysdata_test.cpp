// The system-data printable: its design captions for every kind, and the
// values it prints in a report run: time and date under the Turkish
// settings, page number, report title, detail count and number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/system/clock.h"
#include "classlib/system/datetime.h"
#include "classlib/system/formatsettings.h"
#include "reportengine/printables/qrmemo.h"
#include "reportengine/printables/qrsysdata.h"
#include "tests/reportengine/printables/label_runfixture.h"
#include "tests/reportengine/printables/shape_pagefixture.h"

using namespace printables_test;

namespace {

TEST(QRSysData, ShowsItsTextAndTheKindsNameInBrackets) {
  test_support::Owned<TQRSysData> data(new TQRSysData(nullptr));
  EXPECT_EQ(data->Data(), qrsTime);
  EXPECT_EQ(data->Caption(), "(Time)");
  data->SetText("Sayfa: ");
  struct Case {
    TQRSysDataType kind;
    const char* caption;
  } cases[] = {
      {qrsTime, "Sayfa: (Time)"},          {qrsDate, "Sayfa: (Date)"},
      {qrsDateTime, "Sayfa: (Date/Time)"}, {qrsPageNumber, "Sayfa: (Page#)"},
      {qrsReportTitle, "Sayfa: (Report title)"}, {qrsDetailCount, "Sayfa: (Detail count)"},
      {qrsDetailNo, "Sayfa: (Detail no)"},
  };
  for (const Case& c : cases) {
    data->SetData(c.kind);
    EXPECT_EQ(data->Caption(), c.caption);
  }
}

class SysDataRun : public ::testing::Test {
protected:
  SysDataRun() : turkish(TurkishFormatSettings()), clock(EncodeDate(2026, 12, 11) + EncodeTime(14, 30, 5, 0)) {}
  void SetUp() override {
    run.table->FieldDefs()->Add("NO", ftInteger);
    run.Open();
    for (int i = 1; i <= 3; ++i) {
      run.table->Append();
      run.table->FieldByName("NO")->SetAsInteger(i);
      run.table->Post();
    }
    run.report->SetReportTitle("Etiket Listesi");
  }
  TQRSysData* AddData(TQRSysDataType kind, const AnsiString& text) {
    auto* data = run.Add<TQRSysData>(run.detail, 10, 5, 300, 20);
    data->SetData(kind);
    data->SetText(text);
    return data;
  }
  FormatSettingsScope turkish;
  ClockScope clock;
  ReportRun run;
};

std::vector<std::string> AllTexts(const std::vector<std::vector<std::string>>& pages) {
  std::vector<std::string> texts;
  for (const auto& page : pages)
    texts.insert(texts.end(), page.begin(), page.end());
  return texts;
}

TEST_F(SysDataRun, EachKindPrintsItsValueAfterTheText) {
  struct Case {
    TQRSysDataType kind;
    const char* text;
    std::vector<std::string> printed;
  } cases[] = {
      {qrsTime, "Saat ", {"Saat 14:30", "Saat 14:30", "Saat 14:30"}},
      {qrsDate, "", {"11.12.2026", "11.12.2026", "11.12.2026"}},
      {qrsDateTime, "", {"11.12.2026 14:30:05", "11.12.2026 14:30:05", "11.12.2026 14:30:05"}},
      {qrsPageNumber, "Sayfa: ", {"Sayfa: 1", "Sayfa: 1", "Sayfa: 1"}},
      {qrsReportTitle, "", {"Etiket Listesi", "Etiket Listesi", "Etiket Listesi"}},
      {qrsDetailCount, "Toplam ", {"Toplam 3", "Toplam 3", "Toplam 3"}},
      {qrsDetailNo, "No ", {"No 1", "No 2", "No 3"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(QRSysDataName(c.kind));
    TQRSysData* data = AddData(c.kind, c.text);
    EXPECT_EQ(AllTexts(run.Run()), c.printed);
    // The last printed text stays until Data or Text is set again.
    EXPECT_EQ(data->Caption(), c.printed.back());
    data->SetText(c.text);
    EXPECT_EQ(data->Caption(), c.text + ("(" + QRSysDataName(c.kind) + ")"));
    data->Free();
  }
}

TEST_F(SysDataRun, ThePageNumberFollowsThePages) {
  auto* memo = run.Add<TQRMemo>(run.detail, 10, 25, 300, 20);
  memo->SetAutoSize(false);
  memo->SetAutoStretch(true);
  TStringList lines;
  for (int i = 1; i <= 150; ++i)
    lines.Add("Satır " + std::to_string(i));
  memo->SetLines(&lines);
  run.report->Bands()->SetHasPageFooter(true);
  auto* page = run.Add<TQRSysData>(run.report->Bands()->PageFooterBand(), 10, 5, 300, 20);
  page->SetData(qrsPageNumber);
  page->SetText("Sayfa ");
  std::vector<std::vector<std::string>> pages = run.Run();
  ASSERT_GE(pages.size(), 3u);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    ASSERT_FALSE(pages[i].empty());
    EXPECT_EQ(pages[i].back(), "Sayfa " + std::to_string(i + 1)) << "page " << i + 1;
  }
}

// On a report that is not a report page of its own (a stand-in), the
// detail kinds leave the caption as it was.
TEST(QRSysDataOnPage, DetailKindsNeedAReportPage) {
  PageFixture page;
  auto* data = page.Add<TQRSysData>(100, 100, 400, 60);
  data->SetData(qrsDetailNo);
  page.PrintPage(*data);
  EXPECT_EQ(data->Caption(), "(Detail no)");
}

}  // namespace
