// The report page as a component: its defaults and what streams, the
// preview size rule, the record count, the data sets a run sees, the
// messages it hears, the print set-up dialog and the printer objects that
// Prepare leaves behind.
#include <gtest/gtest.h>

#include <memory>

#include "classlib/controls/extctrls.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/font.h"
#include "quickreptesting.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/report/qrreportreg.h"
#include "tests/support/componenttext.h"

using namespace quickrep_test;

namespace {

TEST_F(ReportPage, ANewReportHasTheDefaultsOfItsProperties) {
  test_support::Owned<TQuickRep> fresh(new TQuickRep(nullptr));
  EXPECT_EQ(fresh->Options(), (TQuickRepOptions{FirstPageHeader, LastPageFooter}));
  EXPECT_EQ(fresh->Font()->Name(), "Arial");
  EXPECT_EQ(fresh->Font()->Size(), 10);
  EXPECT_TRUE(fresh->PrintIfEmpty());
  EXPECT_TRUE(fresh->ShowProgress());
  EXPECT_TRUE(fresh->SnapToGrid());
  EXPECT_EQ(fresh->Zoom(), 100);
  EXPECT_EQ(fresh->PreviewWidth(), 500);
  EXPECT_EQ(fresh->PreviewHeight(), 500);
  EXPECT_TRUE(fresh->PrevShowThumbs());
  EXPECT_TRUE(fresh->PrevShowSearch());
  EXPECT_EQ(fresh->PrevInitialZoom(), qrZoomToFit);
  EXPECT_EQ(fresh->PrevFormStyle(), fsNormal);
  EXPECT_EQ(fresh->PreviewInitialState(), wsNormal);
  EXPECT_EQ(fresh->Color(), clWhite);
  EXPECT_TRUE(fresh->Idle());
  EXPECT_TRUE(fresh->UsePrinterPages());
  EXPECT_EQ(fresh->QRPrinter(), nullptr);
  EXPECT_EQ(fresh->PrinterSettings()->Copies(), 1);
  EXPECT_EQ(fresh->PrinterSettings()->OutputBin(), TQRBin::Auto);
  EXPECT_EQ(fresh->PrinterSettings()->PrinterIndex(), -1);
  EXPECT_EQ(fresh->PrinterSettings()->MemoryLimit(), 250000);
  for (const char* name : {"PAGENUMBER", "COLUMNNUMBER", "REPORTTITLE"})
    EXPECT_GE(fresh->Functions()->IndexOf(name), 0) << name;
  for (const char* name : {"AfterPrint", "AfterPreview", "BackImageControl", "Bands", "BeforePrint", "DataSet",
                           "Description", "Font", "Functions", "OnEndPage", "OnNeedData", "OnPreview", "OnStartPage",
                           "Options", "Page", "PrinterSettings", "PrintIfEmpty", "ReportTitle", "ShowProgress",
                           "SnapToGrid", "Units", "Zoom", "OnGetPrinterSettings", "OnApplyPrinterSettings",
                           "PrevFormStyle", "PreviewInitialState", "PreviewWidth", "PreviewHeight", "PrevShowThumbs",
                           "PrevShowSearch", "PrevInitialZoom", "Frame"})
    EXPECT_TRUE(IsPublishedProp(fresh.get(), name)) << name;
  std::string text = test_support::ComponentText(fresh.get());
  for (const char* unwritten : {"PrintIfEmpty =", "ShowProgress =", "Zoom =", "PreviewWidth =", "Copies ="})
    EXPECT_EQ(text.find(unwritten), std::string::npos) << unwritten;
}

TEST_F(ReportPage, APreviewSizeOfZeroOrLessReadsAs500) {
  RegisterQuickRepClasses();
  report->SetPreviewWidth(0);
  EXPECT_EQ(report->PreviewWidth(), 500);
  report->SetPreviewHeight(-3);
  EXPECT_EQ(report->PreviewHeight(), 500);
  test_support::Owned<TQuickRep> read(new TQuickRep(nullptr));
  test_support::ReadComponentText("object R: TQuickRep\n  PreviewWidth = 0\n  PreviewHeight = 640\nend\n", read.get());
  EXPECT_EQ(read->PreviewWidth(), 500);
  EXPECT_EQ(read->PreviewHeight(), 640);
}

TEST_F(ReportPage, CountRecordsGivesOneWhenTheDataSetCannotSay) {
  EXPECT_EQ(report->CountRecords(), 1) << "no data set";
  auto* table = new TRxMemoryData(form.Host());
  table->FieldDefs()->Add("KOD", ftString, 10);
  report->SetDataSet(table);
  EXPECT_EQ(report->DataSet(), table);
  EXPECT_EQ(report->CountRecords(), 1) << "inactive";
  table->Open();
  for (const char* code : {"A", "B", "C"}) {
    table->Append();
    table->FieldByName("KOD")->SetAsString(code);
    table->Post();
  }
  EXPECT_EQ(report->CountRecords(), 3);
  delete table;
  EXPECT_EQ(report->DataSet(), nullptr) << "a freed data set leaves the report";
}

TEST_F(ReportPage, ARunSeesTheFormsDataSetsAlsoInsideWindowedControls) {
  std::unique_ptr<TRxMemoryData> direct(new TRxMemoryData(test_support::SharedForm()));
  std::unique_ptr<TPanel> panel(new TPanel(test_support::SharedForm()));
  auto* inner = new TRxMemoryData(panel.get());
  Band(rbDetail, 20, "D");
  Records(1);
  std::vector<void*> seen;
  report->BeforePrint = TQRReportBeforePrintEvent([&](TCustomQuickRep* sender, bool&) {
    TList* list = sender->DataSetList();
    for (int i = 0; list != nullptr && i < list->Count(); ++i)
      seen.push_back(list->Items(i));
  });
  report->Prepare();
  EXPECT_NE(std::find(seen.begin(), seen.end(), direct.get()), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), inner), seen.end());
  EXPECT_EQ(report->DataSetList(), nullptr) << "the list lives only during the run";
}

TEST_F(ReportPage, PrepareLeavesItsPagesAndTheNextRunReplacesThem) {
  Band(rbDetail, 20, "D");
  Records(20);
  report->Prepare();
  TQRPrinter* first = report->QRPrinter();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->PageCount(), 2);
  EXPECT_TRUE(first->Prepared());
  EXPECT_EQ(first->ReportControl, report);
  std::unique_ptr<TQRPrinter> taken(report->ReleaseQRPrinter());
  EXPECT_EQ(taken.get(), first);
  EXPECT_EQ(report->QRPrinter(), nullptr);
  EXPECT_EQ(taken->PageCount(), 2) << "the caller keeps the pages";
  Records(3);
  report->SetReportTitle("Etiketler");
  report->Prepare();
  ASSERT_NE(report->QRPrinter(), nullptr);
  EXPECT_EQ(report->QRPrinter()->PageCount(), 1);
  EXPECT_EQ(report->QRPrinter()->Title, "Etiketler");
}

TEST_F(ReportPage, PageOneAvailableBecomesTheDesignBackground) {
  Band(rbDetail, 20, "D");
  Records(2);
  report->Prepare();
  EXPECT_EQ(report->DesignPage(), nullptr);
  SendMessageW(report->Handle(), QRM_PAGEAVAILABLE, 1, 0);
  EXPECT_NE(report->DesignPage(), nullptr);
  report->Prepare();
  EXPECT_EQ(report->DesignPage(), nullptr) << "a new run clears it";
}

TEST_F(ReportPage, PrintSetupAnswersInTheTagAndFillsTheSettings) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  Band(rbDetail, 20, "D");
  Records(30);
  report->Prepare();
  ASSERT_EQ(Pages(), 3);
  dialogs.AnswerCancel();
  report->ExecutePrintSetup();
  if (dialogs.Records().empty())
    GTEST_SKIP() << "no printer to set up";
  EXPECT_EQ(report->Tag(), 1);

  PRINTDLGW asked{};
  dialogs.AnswerAccept();
  dialogs.OnPrintBlock = [&](PRINTDLGW& pd) {
    asked = pd;
    pd.Flags = (pd.Flags & ~(PD_SELECTION | PD_ALLPAGES)) | PD_PAGENUMS;
    pd.nFromPage = 2;
    pd.nToPage = 3;
    pd.nCopies = 2;
  };
  report->ExecutePrintSetup();
  EXPECT_EQ(report->Tag(), 0);
  EXPECT_EQ(asked.nMinPage, 1);
  EXPECT_EQ(asked.nMaxPage, 3);
  EXPECT_EQ(asked.nFromPage, 1);
  EXPECT_EQ(asked.nToPage, 3);
  EXPECT_EQ(report->PrinterSettings()->FirstPage(), 2);
  EXPECT_EQ(report->PrinterSettings()->LastPage(), 3);
  EXPECT_EQ(report->PrintSetupSettings().FirstPage(), 2);
  EXPECT_EQ(report->PrintSetupSettings().LastPage(), 3);

  dialogs.AnswerAccept();
  dialogs.OnPrintBlock = [&](PRINTDLGW& pd) { pd.Flags &= ~(PD_SELECTION | PD_PAGENUMS); };
  report->ExecutePrintSetup();
  EXPECT_EQ(report->PrinterSettings()->FirstPage(), 0) << "all pages";
  EXPECT_EQ(report->PrinterSettings()->LastPage(), 0);
}

TEST_F(ReportPage, TextMeasuresGrowWithTheTextAndHeightsFollowTheFont) {
  TFont font;
  font.SetName("Arial");
  font.SetSize(10);
  int one = report->TextWidth(&font, "W");
  EXPECT_GT(one, 1);
  EXPECT_GT(report->TextWidth(&font, "WWW"), 2 * one);
  EXPECT_EQ(report->TextWidth(&font, ""), 1) << "an empty text is one pixel wide";
  int height = report->TextHeight(&font, "x");
  EXPECT_EQ(report->TextHeight(&font, "Wg"), height) << "the height of A whatever the text";
  font.SetSize(20);
  EXPECT_GT(report->TextHeight(&font, "x"), height);
}

TEST_F(ReportPage, ACustomPaperFollowsTheControlsSize) {
  report->Page()->SetPaperSize(TQRPaperSize::Custom);
  report->SetUnits(Pixels);
  report->SetBounds(0, 0, 400, 300);
  EXPECT_NEAR(static_cast<double>(report->Page()->Width()), 400, 0.5);
  EXPECT_NEAR(static_cast<double>(report->Page()->Length()), 300, 0.5);
  report->Page()->SetPaperSize(TQRPaperSize::A4);
  report->SetBounds(0, 0, 200, 100);
  report->SetUnits(MM);
  EXPECT_NEAR(static_cast<double>(report->Page()->Width()), 210, 0.01) << "a standard paper keeps its size";
}

TEST_F(ReportPage, AReportWithItsBandsReadsBackFromItsText) {
  RegisterQuickRepClasses();
  test_support::Owned<TQuickRep> original(new TQuickRep(nullptr));
  original->SetName("Rapor");
  original->SetReportTitle("Etiket");
  original->SetOptions(TQuickRepOptions{LastPageFooter, Compression});
  original->Page()->SetColumns(3);
  for (TQRBandType kind : {rbPageFooter, rbDetail, rbPageHeader}) {
    TQRCustomBand* band = original->CreateBand(kind);
    band->Size()->SetHeight(25);
  }
  original->BandOfType(rbDetail)->SetHasChild(true);
  std::string text = test_support::ComponentText(original.get());
  test_support::Owned<TQuickRep> copy(new TQuickRep(nullptr));
  test_support::ReadComponentText(text, copy.get());
  EXPECT_EQ(copy->ReportTitle(), "Etiket");
  EXPECT_EQ(copy->Options(), (TQuickRepOptions{LastPageFooter, Compression}));
  EXPECT_EQ(copy->Page()->Columns(), 3);
  TList* list = copy->BandList();
  ASSERT_EQ(list->Count(), 4) << text;
  std::vector<TQRBandType> kinds;
  for (int i = 0; i < list->Count(); ++i)
    kinds.push_back(static_cast<TQRCustomBand*>(list->Items(i))->BandType());
  EXPECT_EQ(kinds, (std::vector<TQRBandType>{rbPageHeader, rbDetail, rbChild, rbPageFooter}));
  EXPECT_NEAR(static_cast<double>(copy->BandOfType(rbDetail)->Size()->Height()), 25, 0.01);
  EXPECT_TRUE(copy->BandOfType(rbDetail)->HasChild());
}

TEST_F(ReportPage, TheFirstForcedColumnBreakInColumnOneIsAbsorbed) {
  report->Page()->SetColumns(3);
  TQRCustomBand* detail = Band(rbDetail, 20, "D");
  detail->SetForceNewColumn(true);
  Records(4);
  report->Prepare();
  std::vector<int> columns;
  for (const Printed& p : printedBands)
    columns.push_back(p.Column);
  EXPECT_EQ(columns, (std::vector<int>{1, 1, 2, 3}));
}

}  // namespace
