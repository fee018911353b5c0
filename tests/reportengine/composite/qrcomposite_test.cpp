// The composite report with two report pages of three 100 mm detail bands
// each on A4 (two bands a page): the second continues on the first one's
// last page, so the run has three pages where two separate runs have four.
// The event quirks, the page store file, the message window's notices and
// the single freeing of the printer object.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <filesystem>
#include <map>

#include "classlib/system/fileutils.h"
#include "classlib/system/strutils.h"
#include "reportengine/composite/qrcomposite.h"
#include "reportengine/report/qrquickrepbands.h"
#include "tests/support/componenttext.h"
#include "tests/support/scratchfolder.h"

namespace {

// Where a detail band printed: its report, the page and the report's Tag.
struct BandPrint {
  std::string Report;
  int Page;
  int Tag;
};

class CompositeTest : public testing::Test {
protected:
  CompositeTest() {
    first = MakeReport("Birinci", 3);
    second = MakeReport("Ikinci", 3);
    first->SetTag(7);
    composite = std::make_unique<TQRCompositeReport>(nullptr);
    composite->OnAddReports = [this](TObject* sender) {
      EXPECT_EQ(sender, composite.get());
      ++addReports;
      composite->AddReport(first);
      if (second != nullptr)
        composite->AddReport(second);
    };
    composite->OnFinished = [this](TObject* sender) {
      finished.push_back(sender == composite.get() ? "composite" : static_cast<TComponent*>(sender)->Name());
    };
    previousFolder = GetCurrentDir();
    SetCurrentDirectoryA(folder.File("").c_str());
  }
  ~CompositeTest() override {
    SetCurrentDirectoryA(previousFolder.c_str());
    composite.reset();
    delete first;
    delete second;
  }

  TQuickRep* MakeReport(const char* name, int records) {
    auto* report = new TQuickRep(nullptr);
    report->SetName(name);
    report->SetUnits(MM);
    report->Page()->SetPaperSize(TQRPaperSize::A4);
    TQRCustomBand* detail = report->CreateBand(rbDetail);
    detail->Size()->SetHeight(100);
    auto left = std::make_shared<int>(records);
    report->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
    report->BeforePrint = [this, name](TCustomQuickRep*, bool&) { ++beforePrint[name]; };
    detail->AfterPrint = [this, report, name](TQRCustomBand*, bool) {
      prints.push_back({name, report->PageCount(), report->Tag()});
    };
    return report;
  }

  void Refill(TQuickRep* report, int records) {
    auto left = std::make_shared<int>(records);
    report->OnNeedData = [left](TObject*, bool& more) { more = (*left)-- > 0; };
  }

  ScratchFolder folder;
  AnsiString previousFolder;
  TQuickRep* first = nullptr;
  TQuickRep* second = nullptr;
  std::unique_ptr<TQRCompositeReport> composite;
  int addReports = 0;
  std::map<std::string, int> beforePrint;
  std::vector<std::string> finished;
  std::vector<BandPrint> prints;
};

TEST_F(CompositeTest, PrepareContinuesTheSecondReportOnThePageWhereTheFirstEnded) {
  composite->Prepare();
  ASSERT_NE(composite->QRPrinter(), nullptr);
  EXPECT_EQ(composite->QRPrinter()->Status(), mpFinished);
  EXPECT_EQ(composite->QRPrinter()->PageCount(), 3);
  ASSERT_EQ(prints.size(), 6u);
  const int pages[] = {1, 1, 2, 2, 3, 3};
  for (std::size_t i = 0; i < prints.size(); ++i) {
    EXPECT_EQ(prints[i].Report, i < 3 ? "Birinci" : "Ikinci") << i;
    EXPECT_EQ(prints[i].Page, pages[i]) << i;
    // The last member runs with Tag 999, the others with their own.
    EXPECT_EQ(prints[i].Tag, i < 3 ? 7 : 999) << i;
  }
  EXPECT_EQ(first->Tag(), 7);
  EXPECT_EQ(second->Tag(), 0);
  // The pages can be read through every member.
  EXPECT_EQ(first->QRPrinter(), composite->QRPrinter());
  EXPECT_EQ(second->QRPrinter(), composite->QRPrinter());
  EXPECT_EQ(first->Units(), MM);

  EXPECT_EQ(addReports, 1);
  EXPECT_EQ(beforePrint["Birinci"], 2);
  EXPECT_EQ(beforePrint["Ikinci"], 2);
  EXPECT_EQ(finished, (std::vector<std::string>{"Birinci", "Ikinci", "composite"}));

  EXPECT_EQ(composite->PreparedFile(), IncludeTrailingPathDelimiter(GetCurrentDir()) + "comprep.qrp");
  TQRPrinter stored(nullptr);
  stored.Load(composite->PreparedFile());
  EXPECT_EQ(stored.PageCount(), 3);
}

TEST_F(CompositeTest, RunReportsAfterPrepareTakesAFreshPrinterObject) {
  composite->Prepare();
  TQRPrinter* prepared = composite->QRPrinter();
  ASSERT_NE(prepared, nullptr);
  Refill(first, 1);
  Refill(second, 1);
  composite->RunReports();
  ASSERT_NE(composite->QRPrinter(), nullptr);
  EXPECT_EQ(composite->QRPrinter()->Status(), mpFinished);
  EXPECT_EQ(composite->QRPrinter()->PageCount(), 1);
  EXPECT_EQ(first->QRPrinter(), composite->QRPrinter());
}

TEST_F(CompositeTest, PrepareWritesTheStoreToTheUsersFolderWhenTheCurrentOneTakesNoFiles) {
  // /proc takes no files, for root neither.
  if (!SetCurrentDirectoryW(L"Z:\\proc"))
    GTEST_SKIP() << "no folder without write access to run in";
  composite->Prepare();
  SetCurrentDirectoryA(folder.File("").c_str());
  const AnsiString file = composite->PreparedFile();
  EXPECT_EQ(file.rfind("Z:\\proc", 0), AnsiString::npos) << file;
  EXPECT_NE(file.find("\\Dozuri\\comprep.qrp"), AnsiString::npos) << file;
  {
    TQRPrinter stored(nullptr);
    stored.Load(file);
    EXPECT_EQ(stored.PageCount(), 3);
  }
  std::error_code ignored;
  std::filesystem::remove(std::string(file), ignored);
}

TEST_F(CompositeTest, ReportsRunOnTheirOwnStartOnFreshPages) {
  composite.reset();
  first->Prepare();
  EXPECT_EQ(first->QRPrinter()->PageCount(), 2);
  second->Prepare();
  EXPECT_EQ(second->QRPrinter()->PageCount(), 2);
}

TEST_F(CompositeTest, ClosingThePreviewWhileTheFirstReportRunsCancelsAndFreesThePrinterOnce) {
  // The preview's closing notice arrives while the second report starts.
  second->BeforePrint = [this](TCustomQuickRep*, bool&) {
    if (composite->Generating() && ++beforePrint["Ikinci"] == 1)
      composite->MessageWindow()->Perform(QRM_PREVIEWCLOSED, 0, 0);
  };
  composite->Prepare();
  EXPECT_EQ(composite->QRPrinter(), nullptr);
  EXPECT_EQ(first->QRPrinter(), nullptr);
  EXPECT_EQ(second->QRPrinter(), nullptr);
  EXPECT_FALSE(composite->Generating());
  EXPECT_EQ(composite->PreparedFile(), "");
  EXPECT_FALSE(FileExists(IncludeTrailingPathDelimiter(GetCurrentDir()) + "comprep.qrp"));
  for (const BandPrint& print : prints)
    EXPECT_EQ(print.Report, "Birinci");
  // Finished for the first report and the composite, not for the cancelled one.
  EXPECT_EQ(finished, (std::vector<std::string>{"Birinci", "composite"}));

  // The composite runs again afterwards.
  Refill(first, 3);
  Refill(second, 3);
  second->BeforePrint = nullptr;
  composite->Prepare();
  ASSERT_NE(composite->QRPrinter(), nullptr);
  EXPECT_EQ(composite->QRPrinter()->PageCount(), 3);
}

TEST_F(CompositeTest, ThePreviewClosedAfterTheRunFreesThePrinterAndClearsTheMembers) {
  composite->Prepare();
  ASSERT_NE(composite->QRPrinter(), nullptr);
  composite->MessageWindow()->Perform(QRM_PREVIEWCLOSED, 0, 0);
  EXPECT_EQ(composite->QRPrinter(), nullptr);
  EXPECT_EQ(first->QRPrinter(), nullptr);
  EXPECT_EQ(second->QRPrinter(), nullptr);
  // A member freed before the composite is forgotten by it.
  Refill(first, 3);
  Refill(second, 3);
  composite->Prepare();
  delete second;
  second = nullptr;
  EXPECT_EQ(first->QRPrinter(), composite->QRPrinter());
  composite.reset();
  EXPECT_EQ(first->QRPrinter(), nullptr);
}

TEST_F(CompositeTest, PreviewAsksForTheReportsTwiceAndGivesThePagesToTheFirstReportsPreviewHandler) {
  TObject* shown = nullptr;
  first->OnPreview = [&](TObject* sender) { shown = sender; };
  first->SetPrevShowThumbs(false);
  composite->Preview();
  EXPECT_NE(shown, nullptr);
  EXPECT_EQ(addReports, 2);
  EXPECT_EQ(finished, (std::vector<std::string>{"Birinci", "Ikinci", "composite"}));
  ASSERT_EQ(prints.size(), 6u);
  EXPECT_EQ(prints[3].Page, 2);
  EXPECT_EQ(composite->QRPrinter(), nullptr);
  EXPECT_EQ(first->QRPrinter(), nullptr);
  EXPECT_EQ(second->QRPrinter(), nullptr);
}

TEST_F(CompositeTest, NoReportsMeansNoRunButOnFinishedStillFires) {
  composite->OnAddReports = [this](TObject*) { ++addReports; };
  composite->Print();
  composite->Preview();
  EXPECT_EQ(addReports, 2);
  EXPECT_TRUE(finished.empty());
  composite->Prepare();
  EXPECT_EQ(addReports, 3);
  EXPECT_EQ(finished, (std::vector<std::string>{"composite"}));
  EXPECT_TRUE(prints.empty());
}

TEST(CompositeSettingsTest, DefaultsAtCreation) {
  TQRCompositeReport composite(nullptr);
  TQRCompositePrinterSettings& settings = *composite.PrinterSettings();
  EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Letter);
  EXPECT_EQ(settings.Copies(), 1);
  EXPECT_EQ(settings.OutputBin(), TQRBin::Auto);
  EXPECT_EQ(settings.PrinterIndex(), -1);
  EXPECT_EQ(settings.Title(), "");
  EXPECT_EQ(settings.FirstPage(), 0);
  EXPECT_EQ(settings.LastPage(), 0);
  EXPECT_EQ(settings.MemoryLimit(), 250000);
  EXPECT_EQ(std::string(composite.ClassName()), "TQRCompositeReport");
  RegisterQRCompositeClasses();
  RegisterQRCompositeClasses();
  EXPECT_EQ(GetClass("TQRCompositeReport"), TQRCompositeReport::StaticClass());
  EXPECT_EQ(GetClass("TQRCompositeWinControl"), TQRCompositeWinControl::StaticClass());
  EXPECT_EQ(composite.QRPrinter(), nullptr);
}

TEST(CompositeSettingsTest, PublishedSettingsStreamAndReadBack) {
  TQRCompositeReport composite(nullptr);
  composite.SetName("QRCompositeReport1");
  composite.SetReportTitle("Etiketler");
  composite.PrinterSettings()->SetPaperSize(TQRPaperSize::A5);
  composite.PrinterSettings()->SetOrientation(poLandscape);
  composite.PrinterSettings()->SetCopies(3);
  const std::string text = test_support::ComponentText(&composite);
  EXPECT_NE(text.find("ReportTitle = 'Etiketler'"), std::string::npos) << text;
  EXPECT_NE(text.find("PrinterSettings.Copies = 3"), std::string::npos) << text;

  TQRCompositeReport read(nullptr);
  test_support::ReadComponentText(text, &read);
  EXPECT_EQ(read.ReportTitle(), "Etiketler");
  EXPECT_EQ(read.PrinterSettings()->PaperSize(), TQRPaperSize::A5);
  EXPECT_EQ(read.PrinterSettings()->Orientation(), poLandscape);
  EXPECT_EQ(read.PrinterSettings()->Copies(), 3);
}

}  // namespace

namespace {

// Layout files name the composite's printer settings one by one: every
// setting keeps its name and its place in the stream, and reads back.
TEST(CompositeSettingsTest, EverySettingStreamsUnderItsNameInItsPlaceAndReadsBack) {
  TQRCompositeReport composite(nullptr);
  composite.SetName("QRCompositeReport1");
  TQRCompositePrinterSettings& s = *composite.PrinterSettings();
  s.SetCopies(2);
  s.SetOutputBin(TQRBin::Manual);
  s.SetDuplex(true);
  s.SetFirstPage(3);
  s.SetLastPage(7);
  s.SetUseStandardprinter(true);
  s.SetUseCustomBinCode(true);
  s.SetCustomBinCode(261);
  s.SetExtendedDuplex(2);
  s.SetUseCustomPaperCode(true);
  s.SetCustomPaperCode(119);
  s.SetPrintMetaFile(true);
  s.SetMemoryLimit(123456);
  s.SetPrintQuality(300);
  s.SetCollate(1);
  s.SetColorOption(2);
  s.SetOrientation(poLandscape);
  s.SetPaperSize(TQRPaperSize::A5);
  const std::string text = test_support::ComponentText(&composite);

  const std::vector<std::string> names = {
      "Copies",           "OutputBin",          "Duplex",          "FirstPage",     "LastPage",
      "UseStandardprinter", "UseCustomBinCode", "CustomBinCode",   "ExtendedDuplex", "UseCustomPaperCode",
      "CustomPaperCode",  "PrintMetaFile",      "MemoryLimit",     "PrintQuality",  "Collate",
      "ColorOption",      "Orientation",        "PaperSize"};
  std::size_t last = 0;
  for (const std::string& name : names) {
    const std::size_t at = text.find("PrinterSettings." + name + " = ");
    ASSERT_NE(at, std::string::npos) << name << " missing in\n" << text;
    EXPECT_GT(at, last) << name << " out of its place in\n" << text;
    last = at;
  }

  TQRCompositeReport read(nullptr);
  test_support::ReadComponentText(text, &read);
  const TQRCompositePrinterSettings& r = *read.PrinterSettings();
  EXPECT_EQ(r.Copies(), 2);
  EXPECT_EQ(r.OutputBin(), TQRBin::Manual);
  EXPECT_TRUE(r.Duplex());
  EXPECT_EQ(r.FirstPage(), 3);
  EXPECT_EQ(r.LastPage(), 7);
  EXPECT_TRUE(r.UseStandardprinter());
  EXPECT_TRUE(r.UseCustomBinCode());
  EXPECT_EQ(r.CustomBinCode(), 261);
  EXPECT_EQ(r.ExtendedDuplex(), 2);
  EXPECT_TRUE(r.UseCustomPaperCode());
  EXPECT_EQ(r.CustomPaperCode(), 119);
  EXPECT_TRUE(r.PrintMetaFile());
  EXPECT_EQ(r.MemoryLimit(), 123456);
  EXPECT_EQ(r.PrintQuality(), 300);
  EXPECT_EQ(r.Collate(), 1);
  EXPECT_EQ(r.ColorOption(), 2);
  EXPECT_EQ(r.Orientation(), poLandscape);
  EXPECT_EQ(r.PaperSize(), TQRPaperSize::A5);
}

}  // namespace
