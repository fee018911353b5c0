// The report runner end to end: a layout written by the design stage, run
// over the label table through the report component, its prepared pages
// read back as text records and decoded by an independent barcode reader;
// binding errors, the printer given back on every path, and layouts with
// two graphic pages.
#include "layouts/dizaynpreview.h"

#include <gtest/gtest.h>

#include <optional>

#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/printers.h"
#include "layouts/barcodeproxy.h"
#include "layouts/runnerreport.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stbarcode.h"
#include "tests/layouts/runnerfixture.h"
#include "tests/support/barcode_components/unixreaders.h"
#include "tests/support/scratchfolder.h"

namespace {

using namespace runner_test;

// Five labels, two of them placeholders.
const std::vector<LabelRow> kFiveLabels = {
    {"869000000001", "Elma", false}, {"", "", true},           {"869000000002", "Armut", false},
    {"", "", true},                  {"869000000003", "Kiraz", false},
};
// What a reader makes of the three codes: the check digit added.
const char* const kDecoded[] = {"8690000000012", "8690000000029", "8690000000036"};

class RunnerTest : public RunnerFixture {};

TEST_F(RunnerTest, LabelsPrintTheirTextsAndPlaceholdersPrintNothing) {
  WriteLabelLayout();
  FillLabels(*etiket, kFiveLabels);
  PreparedRun run;
  CapturingOutput capture(run);
  rapor->PrintReport(layoutFile);

  ASSERT_EQ(run.Pages.size(), 5u);
  EXPECT_EQ(run.PageCountSeen, 5);
  std::vector<std::string> texts;
  for (auto& page : run.Pages)
    for (const std::string& text : PageTexts(*page))
      texts.push_back(text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Elma", "Armut", "Kiraz"}));
  EXPECT_EQ(PageTexts(*run.Pages[1]), std::vector<std::string>{});
  EXPECT_EQ(PageTexts(*run.Pages[3]), std::vector<std::string>{});
  EXPECT_TRUE(dialogs.Records().empty());
}

// Decodes every page; a page without a symbol gives nothing.
std::vector<std::optional<std::string>> DecodePages(PreparedRun& run, TUnixDecodeBatch& batch) {
  for (auto& page : run.Pages) {
    TBitmap bitmap;
    RenderPage(*page, bitmap);
    batch.Add(bitmap, "zbarimg -q --raw");
  }
  return batch.Run();
}

TEST_F(RunnerTest, ThePrintedBarcodesReadAsTheLabelsCodesInOrder) {
  TUnixDecodeBatch batch;
  if (!batch.Unavailable().empty())
    GTEST_SKIP() << batch.Unavailable();
  if (const std::string missing = batch.MissingPrograms({"zbarimg"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  WriteLabelLayout();
  FillLabels(*etiket, kFiveLabels);
  PreparedRun run;
  CapturingOutput capture(run);
  rapor->PrintReport(layoutFile);
  ASSERT_EQ(run.Pages.size(), 5u);
  const auto decoded = DecodePages(run, batch);
  const std::vector<std::optional<std::string>> expected = {kDecoded[0], std::nullopt, kDecoded[1], std::nullopt,
                                                             kDecoded[2]};
  EXPECT_EQ(decoded, expected);
}

TEST_F(RunnerTest, ABarcodeOutsideTheDetailBandShowsTheRecordCurrentAtTheStart) {
  TUnixDecodeBatch batch;
  if (!batch.Unavailable().empty())
    GTEST_SKIP() << batch.Unavailable();
  if (const std::string missing = batch.MissingPrograms({"zbarimg"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET", 500);
  TQRCustomBand* title = page->CreateBand(rbTitle);
  title->SetHeight(160);
  layout.AddBarcode(dynamic_cast<TQRBand*>(title), kBarcodeHint);
  layout.Save(layoutFile);
  FillLabels(*etiket, {{"869000000001", "Elma", false}, {"869000000002", "Armut", false},
                       {"869000000003", "Kiraz", false}});
  // The run starts on the second record; its detail loop starts from the first.
  PreparedRun run;
  const TRunnerOutput previous = InstallRunnerOutput([&](TDizaynPreviewF& r) {
    etiket->First();
    etiket->Next();
    PreparePage(*r.FirstGraphicPage());
    run.Pages.push_back(r.FirstGraphicPage()->QRPrinter()->GetPage(1));
  });
  rapor->PrintReport(layoutFile);
  InstallRunnerOutput(previous);
  ASSERT_EQ(run.Pages.size(), 1u);
  const auto decoded = DecodePages(run, batch);
  EXPECT_EQ(decoded[0], std::optional<std::string>(kDecoded[1]));
}

TEST_F(RunnerTest, AnEmptyCodeAtTheStartOfTheRunPaintsNoBarcodeInsteadOfEndingIt) {
  WriteLabelLayout();
  FillLabels(*etiket, {{"", "", true}, {"869000000001", "Elma", false}});
  PreparedRun run;
  CapturingOutput capture(run);
  EXPECT_NO_THROW(rapor->PrintReport(layoutFile));
  ASSERT_EQ(run.Pages.size(), 2u);
  EXPECT_EQ(PageTexts(*run.Pages[1]), std::vector<std::string>{"Elma"});
}

TEST_F(RunnerTest, AnUnknownDataSetStopsTheRunWithTheMessageAndPrintsNothing) {
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET");
  layout.AddDataText(layout.DetailOf(page), "DATASET=FATURA\r\nDATAFIELD=TUTAR");
  layout.Save(layoutFile);
  FillLabels(*etiket, kFiveLabels);
  PreparedRun run;
  CapturingOutput capture(run);
  dialogs.AnswerButton(IDOK);
  rapor->PrintReport(layoutFile);
  EXPECT_TRUE(run.Pages.empty());
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Kind, TDialogKind::MessageBox);
  EXPECT_EQ(dialogs.Records()[0].Text, UnsuitableFormMessage);
  EXPECT_EQ(dialogs.Records()[0].Flags & 0xF, static_cast<UINT>(MB_OK));
}

TEST_F(RunnerTest, TheMessageGoesThroughTheTranslateHook) {
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("");
  layout.AddDataText(layout.DetailOf(page), "DATASET=CARI");
  layout.Save(layoutFile);
  rapor->OnTranslate = [](AnsiString Text, AnsiString& Result) { Result = "[" + Text + "]"; };
  dialogs.AnswerButton(IDOK);
  rapor->PreviewReport(layoutFile);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, AnsiString("[") + UnsuitableFormMessage + "]");
}

TEST_F(RunnerTest, AnUnknownFieldLeavesADataTextEmpty) {
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET");
  layout.AddDataText(layout.DetailOf(page), "DATASET=ETIKET\r\nDATAFIELD=YOKALAN");
  layout.AddDataText(layout.DetailOf(page), kDataTextHint);
  layout.Save(layoutFile);
  FillLabels(*etiket, {{"869000000001", "Elma", false}});
  PreparedRun run;
  CapturingOutput capture(run);
  rapor->PrintReport(layoutFile);
  ASSERT_EQ(run.Pages.size(), 1u);
  EXPECT_EQ(PageTexts(*run.Pages[0]), std::vector<std::string>{"Elma"});
}

TEST_F(RunnerTest, AnUnknownFieldEndsTheRunForABarcode) {
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET");
  layout.AddBarcode(layout.DetailOf(page), "DATASET=ETIKET\r\nDATAFIELD=YOKALAN");
  layout.Save(layoutFile);
  FillLabels(*etiket, {{"869000000001", "Elma", false}});
  PreparedRun run;
  CapturingOutput capture(run);
  EXPECT_THROW(rapor->PrintReport(layoutFile), Exception);
}

// A second printer to switch to, when the machine has one.
std::optional<int> OtherPrinter() {
  const int count = Printer().Printers().Count();
  if (count < 2)
    return std::nullopt;
  return Printer().PrinterIndex() == 0 ? 1 : 0;
}

TEST_F(RunnerTest, ThePreviousPrinterIsCurrentAgainAfterEveryWayARunEnds) {
  const std::optional<int> other = OtherPrinter();
  if (!other)
    GTEST_SKIP() << "needs two printers";
  const int before = Printer().PrinterIndex();
  rapor->OnGetPrinterIndex = [&](TObject*, int& Index) { Index = *other; };
  FillLabels(*etiket, kFiveLabels);

  // A missing data set on a layout of two pages, which makes its printer current.
  {
    LayoutBuilder layout;
    layout.AddPage("DATASET=ETIKET");
    TQuickRep* second = layout.AddPage("DATASET=ETIKET");
    layout.AddDataText(layout.DetailOf(second), "DATASET=FATURA");
    layout.Save(layoutFile);
    dialogs.AnswerButton(IDOK);
    PreparedRun run;
    CapturingOutput capture(run);
    rapor->PrintReport(layoutFile);
    EXPECT_EQ(dialogs.Records().size(), 1u);
    EXPECT_EQ(Printer().PrinterIndex(), before);
  }
  // An output that fails.
  {
    WriteLabelLayout(2);
    int seenDuringOutput = -2;
    TRunnerOutput previous = InstallRunnerOutput([&](TDizaynPreviewF&) {
      seenDuringOutput = Printer().PrinterIndex();
      throw Exception("yazici hatasi");
    });
    EXPECT_THROW(rapor->PrintReport(layoutFile), Exception);
    InstallRunnerOutput(previous);
    EXPECT_EQ(seenDuringOutput, *other);
    EXPECT_EQ(Printer().PrinterIndex(), before);
  }
  // A barcode whose field is missing ends the run during the output.
  {
    LayoutBuilder layout;
    layout.AddPage("DATASET=ETIKET");
    TQuickRep* second = layout.AddPage("DATASET=ETIKET");
    layout.AddBarcode(layout.DetailOf(second), "DATASET=ETIKET\r\nDATAFIELD=YOKALAN");
    layout.Save(layoutFile);
    PreparedRun run;
    CapturingOutput capture(run);
    EXPECT_THROW(rapor->PrintReport(layoutFile), Exception);
    EXPECT_EQ(Printer().PrinterIndex(), before);
  }
  // A run that prints.
  {
    WriteLabelLayout(2);
    PreparedRun run;
    CapturingOutput capture(run);
    rapor->PrintReport(layoutFile);
    EXPECT_FALSE(run.Pages.empty());
    EXPECT_EQ(Printer().PrinterIndex(), before);
  }
}

TEST_F(RunnerTest, OnTwoGraphicPagesTheBarcodesOfPageTwoChangePerRecordAndPlaceholdersStayBlank) {
  TUnixDecodeBatch batch;
  if (!batch.Unavailable().empty())
    GTEST_SKIP() << batch.Unavailable();
  if (const std::string missing = batch.MissingPrograms({"zbarimg"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  WriteLabelLayout(2);
  FillLabels(*etiket, kFiveLabels);
  PreparedRun run;
  CapturingOutput capture(run);
  rapor->PrintReport(layoutFile);
  ASSERT_EQ(run.Pages.size(), 10u);
  std::vector<std::string> secondTexts;
  for (std::size_t k = 5; k < 10; ++k)
    for (const std::string& text : PageTexts(*run.Pages[k]))
      secondTexts.push_back(text);
  EXPECT_EQ(secondTexts, (std::vector<std::string>{"Elma", "Armut", "Kiraz"}));
  const auto decoded = DecodePages(run, batch);
  ASSERT_EQ(decoded.size(), 10u);
  const std::vector<std::optional<std::string>> expected = {kDecoded[0], std::nullopt, kDecoded[1], std::nullopt,
                                                             kDecoded[2]};
  EXPECT_EQ(std::vector<std::optional<std::string>>(decoded.begin(), decoded.begin() + 5), expected);
  EXPECT_EQ(std::vector<std::optional<std::string>>(decoded.begin() + 5, decoded.end()), expected);
}

}  // namespace
