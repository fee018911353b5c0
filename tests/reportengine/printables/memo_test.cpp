// A stretching memo in a report run: it grows its band line by line, goes
// on over as many pages as its lines need, and prints every line once, in
// order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reportengine/printables/qrmemo.h"
#include "tests/reportengine/printables/label_runfixture.h"

using namespace printables_test;

namespace {

std::string LineText(int i) { return "Satır " + std::to_string(i); }

// The run's table holds one record, so the detail band prints once.
void OpenWithOneRecord(ReportRun& Run) {
  Run.table->FieldDefs()->Add("NO", ftInteger);
  Run.Open();
  Run.table->Append();
  Run.table->FieldByName("NO")->SetAsInteger(1);
  Run.table->Post();
}

// The memo's lines are "Satır 1" .. "Satır Count".
void SetNumberedLines(TQRMemo& Memo, int Count) {
  TStringList lines;
  for (int i = 1; i <= Count; ++i)
    lines.Add(LineText(i));
  Memo.SetLines(&lines);
}

TEST(QRMemoRun, AStretchingMemoOf200LinesContinuesOverPagesWithNoLineLostOrDoubled) {
  ReportRun run;
  OpenWithOneRecord(run);
  auto* memo = run.Add<TQRMemo>(run.detail, 10, 5, 300, 20);
  memo->SetAutoSize(false);
  memo->SetAutoStretch(true);
  SetNumberedLines(*memo, 200);

  std::vector<std::vector<std::string>> pages = run.Run();
  ASSERT_GE(pages.size(), 2u);
  std::vector<std::string> printed;
  for (const auto& page : pages)
    printed.insert(printed.end(), page.begin(), page.end());
  std::vector<std::string> expected;
  for (int i = 1; i <= 200; ++i)
    expected.push_back(LineText(i));
  EXPECT_EQ(printed, expected);
  // Every full page holds as many lines as the first: the line height alone
  // decides where a page breaks.
  std::size_t perPage = pages.front().size();
  for (std::size_t i = 0; i + 1 < pages.size(); ++i)
    EXPECT_EQ(pages[i].size(), perPage) << "page " << i + 1;
  EXPECT_EQ(pages.size(), (200 + perPage - 1) / perPage);
}

TEST(QRMemoRun, WithoutAutoStretchAMemoPrintsWhatItsHeightHoldsOnce) {
  ReportRun run;
  OpenWithOneRecord(run);
  auto* memo = run.Add<TQRMemo>(run.detail, 10, 0, 300, 30);
  memo->SetAutoSize(false);
  SetNumberedLines(*memo, 50);
  std::vector<std::vector<std::string>> pages = run.Run();
  ASSERT_EQ(pages.size(), 1u);
  ASSERT_FALSE(pages[0].empty());
  EXPECT_LT(pages[0].size(), 5u);
  EXPECT_EQ(pages[0][0], LineText(1));
}

}  // namespace
