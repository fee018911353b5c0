// The runner's handlers called as the engine calls them: several labels
// across one band, a composite's member pages keeping their handlers, the
// streamed barcode image, copies and printer of the page, and the runner
// freed after a run that raises.
#include <gtest/gtest.h>

#include <vector>

#include "app/recordtables.h"
#include "classlib/classes/typinfo.h"
#include "classlib/controls/graphiccontrol.h"
#include "classlib/data/field.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/printers/printers.h"
#include "design/dsnselect.h"
#include "design/dsnsubdp.h"
#include "layouts/core/bindinghints.h"
#include "layouts/dizaynpreview.h"
#include "layouts/runnerreport.h"
#include "layouts/vtqrbarcodeimage.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/quickrep.h"
#include "support/barcode/components/stdbbarcode.h"
#include "textreport/engine/zrctrls.h"
#include "textreport/engine/zreport.h"
#include "textreport/output/zrprntr.h"
#include "tests/layouts/runnerfixture.h"
#include "tests/support/componenttext.h"
#include "tests/support/scratchfolder.h"

// A control of a label column: it publishes its column and Enabled.
class TColumnControl : public TGraphicControl {
  DECLARE_CLASS(TColumnControl, TGraphicControl)

public:
  explicit TColumnControl(TComponent* AOwner) : TGraphicControl(AOwner) {}
  int HelpContext = 0;
};

BEGIN_PUBLISHED(TColumnControl)
  PROPERTY(HelpContext, HelpContext, HelpContext),
  PROPERTY(Enabled, Enabled, SetEnabled),
END_PUBLISHED

// Hears when a component it watches is freed.
class TFreeWatch : public TComponent {
  DECLARE_CLASS(TFreeWatch, TComponent)

public:
  explicit TFreeWatch(TComponent* AOwner) : TComponent(AOwner) {}
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
      Freed.push_back(AComponent);
  }
  std::vector<TComponent*> Freed;
};
IMPLEMENT_CLASS(TFreeWatch)

namespace {

using namespace runner_test;

TEST(RunnerForm, ItsStageHasAControllerWithAOnePixelGridAndNoPalette) {
  RegisterRunnerClasses();
  std::unique_ptr<TDizaynPreviewF> runner(new TDizaynPreviewF(nullptr));
  ASSERT_NE(runner->DsnDpRegister1, nullptr);
  ASSERT_NE(runner->DsnSelect1, nullptr);
  EXPECT_EQ(runner->FindComponent("DsnDpRegister1"), runner->DsnDpRegister1);
  EXPECT_EQ(runner->FindComponent("DsnSelect1"), runner->DsnSelect1);
  EXPECT_EQ(runner->DsnStage1->Controller(), runner->DsnDpRegister1);
  EXPECT_EQ(runner->DsnDpRegister1->DsnStage(), runner->DsnStage1);
  EXPECT_EQ(runner->DsnSelect1->DsnRegister(), runner->DsnDpRegister1);
  EXPECT_EQ(runner->DsnDpRegister1->DsnPanel(), nullptr);
  EXPECT_EQ(runner->DsnDpRegister1->GridWidth(), 1);
  EXPECT_EQ(runner->DsnDpRegister1->GridHeight(), 1);
  EXPECT_FALSE(runner->DsnDpRegister1->Active());
  EXPECT_EQ(runner->DsnStage1->SelectedCount(), -1);
}

TEST(RunnerForm, ItsOwnComponentsArePrototypesThatNeverRun) {
  RegisterRunnerClasses();
  std::unique_ptr<TDizaynPreviewF> runner(new TDizaynPreviewF(nullptr));
  EXPECT_FALSE(runner->Visible());
  EXPECT_EQ(runner->SaveDialog1->Filter(), "PDF Dosyalari (*.pdf)|*.pdf");
  for (const char* name : {"Dpst_TQRLabel", "Dpst_TQRDbText", "Dpst_TQRExpr", "Dpst_TQRSysData", "Dpst_TQRMemo",
                           "Dpst_TQRShape", "Dpst_TQRResim", "Dpst_TQRLabelDikey", "Dpst_TJvQrDbText",
                           "Dpst_TQRDBImage"}) {
    auto* prototype = dynamic_cast<TControl*>(runner->FindComponent(name));
    ASSERT_NE(prototype, nullptr) << name;
    EXPECT_EQ(prototype->Parent(), runner->DsnDpstPanel) << name;
  }
  EXPECT_EQ(GetEnumProp(runner->FindComponent("Dpst_TQRLabelDikey"), "Direction"), "fldDownUp");
  for (const char* name : {"Dpst_StDbBarCode", "Dpst_StBarCode"}) {
    auto* barcode = dynamic_cast<TStBarCode*>(runner->FindComponent(name));
    ASSERT_NE(barcode, nullptr) << name;
    EXPECT_EQ(barcode->Tag(), PrototypeTag);
    EXPECT_EQ(barcode->BarCodeType(), bcEAN_13);
    EXPECT_TRUE(barcode->AddCheckChar());
    EXPECT_EQ(barcode->BarWidth(), 12);
    EXPECT_TRUE(barcode->TallGuardBars());
    EXPECT_TRUE(barcode->ShowCode());
  }
  EXPECT_TRUE(dynamic_cast<TStDbBarCode*>(runner->FindComponent("Dpst_StDbBarCode")) != nullptr);
  ASSERT_NE(runner->PrototypeReport, nullptr);
  EXPECT_EQ(runner->PrototypeReport->Tag(), PrototypeTag);
  EXPECT_NE(DetailBandOf(*runner->PrototypeReport), nullptr);
  auto* titleBand = dynamic_cast<TQRBand*>(runner->FindComponent("Dpst_TQRBand"));
  ASSERT_NE(titleBand, nullptr);
  EXPECT_EQ(titleBand->BandType(), rbTitle);
  EXPECT_EQ(titleBand->Parent(), runner->PrototypeReport);
  EXPECT_NE(runner->FindComponent("Dpst_TQRSubDetail"), nullptr);
  EXPECT_EQ(runner->QuickRepCount(), 0);
  EXPECT_TRUE(runner->GraphicPages().empty());
  ASSERT_NE(runner->ZReport1, nullptr);
  EXPECT_EQ(runner->ZReport1->Tag(), PrototypeTag);
  EXPECT_EQ(runner->ZRepCount(), 0);
  // The text prototype page: 76 x 60 in Courier New, a detail band with its
  // sub-detail and a label of each kind.
  auto* textPage = dynamic_cast<TZReport*>(runner->ZReport1);
  ASSERT_NE(textPage, nullptr);
  EXPECT_EQ(textPage->Parent(), runner->DsnDpstPanel);
  EXPECT_EQ(textPage->Width(), 76);
  EXPECT_EQ(textPage->Height(), 60);
  EXPECT_EQ(textPage->Font()->Name(), "Courier New");
  TZRCustomBand* textDetail = textPage->FindBand(zbtDetail);
  ASSERT_NE(textDetail, nullptr);
  EXPECT_EQ(textDetail->Name(), "ZReport1Detail");
  EXPECT_NE(dynamic_cast<TZRSubDetail*>(runner->FindComponent("ZReport1SubDetail")), nullptr);
  for (const auto& [name, cls] : {std::pair<const char*, const char*>{"Dpst_TZrLabel", "TZRLabel"},
                                  {"Dpst_TZrSystemLabel", "TZRSystemLabel"},
                                  {"Dpst_TlZRTotalLabel", "TZRTotalLabel"}}) {
    auto* label = dynamic_cast<TControl*>(runner->FindComponent(name));
    ASSERT_NE(label, nullptr) << name;
    EXPECT_EQ(label->ClassName(), cls);
    EXPECT_EQ(label->Parent(), textDetail) << name;
  }
  // The text composite, bound to the runner's handler by name.
  ASSERT_NE(runner->ZRComposite1, nullptr);
  EXPECT_EQ(runner->ZRComposite1->Name(), "ZRComposite1");
  EXPECT_EQ(runner->ZRComposite1->PageWidth(), 76);
  EXPECT_EQ(runner->ZRComposite1->PageHeight(), 60);
  EXPECT_EQ(runner->MethodName(GetMethodProp(runner->ZRComposite1, "OnAddReports").Code), "ZRComposite1AddReports");
  EXPECT_FALSE(runner->LastYapilsin());
  EXPECT_FALSE(runner->IsFatura(runner->PrototypeReport));
}

class LabelColumnsTest : public testing::Test {
protected:
  LabelColumnsTest() : runner(new TDizaynPreviewF(nullptr)), table(new TRxMemoryData(nullptr)) {
    page = new TQuickRep(runner.get());
    page->SetParent(runner.get());
    band = new TQRBand(runner.get());
    band->SetBandType(rbDetail);
    band->SetParent(page);
    for (int k = 0; k < 3; ++k) {
      columns[k] = new TColumnControl(runner.get());
      columns[k]->HelpContext = k;
      columns[k]->SetParent(band);
    }
    FillLabels(*table, {{"", "A", false}, {"", "", true}, {"", "C", false}, {"", "D", false}, {"", "E", false}});
    page->SetDataSet(table.get());
    runner->SetColumnCount(3);
  }
  std::vector<bool> Enabled() const {
    return {columns[0]->Enabled(), columns[1]->Enabled(), columns[2]->Enabled()};
  }
  AnsiString Current() const { return table->FieldByName("METIN2")->AsString(); }

  std::unique_ptr<TDizaynPreviewF> runner;
  std::unique_ptr<TRxMemoryData> table;
  TQuickRep* page;
  TQRBand* band;
  TColumnControl* columns[3];
};

TEST_F(LabelColumnsTest, EachColumnTakesTheNextRecordAndPlaceholdersAndMissingRecordsStayBlank) {
  bool printBand = true;
  runner->MQrEtiketDetayBeforePrint(band, printBand);
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, true}));
  EXPECT_EQ(Current(), "C");
  table->Next();
  runner->MQrEtiketDetayBeforePrint(band, printBand);
  EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, false}));
  EXPECT_TRUE(table->Eof());
  EXPECT_TRUE(printBand);
}

// The printables a layout stores carry their column in the class library's
// published HelpContext: a label written with column 1 and read back stands
// in that column, and no printable is left out of the column walk for want
// of the property.
TEST_F(LabelColumnsTest, AStoredLabelStandsInTheColumnItsHelpContextNames) {
  TQRLabel written(nullptr);
  written.SetName("Etiket2");
  written.SetHelpContext(1);
  const std::string text = test_support::ComponentText(&written);
  EXPECT_NE(text.find("HelpContext = 1"), std::string::npos) << text;
  auto* label = new TQRLabel(runner.get());
  test_support::ReadComponentText(text, label);
  ASSERT_EQ(label->HelpContext(), 1);
  label->SetParent(band);
  bool printBand = true;
  runner->MQrEtiketDetayBeforePrint(band, printBand);
  EXPECT_FALSE(label->Enabled()) << "column 1 holds the placeholder";
  table->Next();
  runner->MQrEtiketDetayBeforePrint(band, printBand);
  EXPECT_TRUE(label->Enabled()) << "column 1 holds \"D\"";
}

TEST(CompositeMembers, EveryPageIsAddedAndKeepsTheRunnersOwnHandlers) {
  std::unique_ptr<TDizaynPreviewF> runner(new TDizaynPreviewF(nullptr));
  std::vector<TQRCustomBand*> details;
  for (int k = 0; k < 3; ++k) {
    auto* page = new TQuickRep(runner.get());
    page->SetName("Report" + std::to_string(k + 1));
    page->SetParent(runner.get());
    auto* band = new TQRBand(runner.get());
    band->SetBandType(rbDetail);
    band->SetParent(page);
    details.push_back(band);
  }
  runner->PrototypeReport->SetName("Prototip");
  SetMethodProp(details[1], "BeforePrint", TMethod{runner->MethodAddress("DetayBeforePrint"), runner.get()});
  std::vector<AnsiString> added;
  TComponent composite(nullptr);
  const TCompositeMemberAdder previous = InstallCompositeMemberAdder(
      [&](TComponent& Composite, TQuickRep& Page) {
        EXPECT_EQ(&Composite, &composite);
        added.push_back(Page.Name());
      });
  runner->QRCompositeReport1AddReports(&composite);
  InstallCompositeMemberAdder(previous);
  EXPECT_EQ(added, (std::vector<AnsiString>{"Report1", "Report2", "Report3"}));
  const char* expected[] = {"NormalDetailBandBeforePrint", "DetayBeforePrint", "NormalDetailBandBeforePrint"};
  for (int k = 0; k < 3; ++k)
    EXPECT_EQ(runner->MethodName(GetMethodProp(details[k], "BeforePrint").Code), expected[k]) << k;
}

TEST(CompositeMembers, WithoutAComposityClassARunOfSeveralPagesIsRefusedInTurkish) {
  std::unique_ptr<TDizaynPreviewF> runner(new TDizaynPreviewF(nullptr));
  auto* page = new TQuickRep(runner.get());
  page->SetParent(runner.get());
  TComponent composite(nullptr);
  const TCompositeMemberAdder previous = InstallCompositeMemberAdder(nullptr);
  EXPECT_THROW(runner->QRCompositeReport1AddReports(&composite), Exception);
  InstallCompositeMemberAdder(previous);
}

TEST(VtQrBarcodeImage, ShowsItsFieldStreamsItsBindingAndLetsAFreedDataSetGo) {
  RegisterRunnerClasses();
  TComponent owner(nullptr);
  auto* table = new TRxMemoryData(&owner);
  table->SetName("Etiket");
  auto* image = new TVtQrBarcodeImage(&owner);
  image->SetName("Barkod1");
  image->SetDataSet(table);
  image->SetDataField("METIN1");
  EXPECT_EQ(image->Text(), "METIN1");
  const std::string text = test_support::ComponentText(image);
  EXPECT_NE(text.find("DataField = 'METIN1'"), std::string::npos) << text;
  EXPECT_NE(text.find("DataSet = Etiket"), std::string::npos) << text;
  EXPECT_EQ(GetClass("TVtQrBarcodeImage"), TVtQrBarcodeImage::StaticClass());
  table->Free();
  EXPECT_EQ(image->DataSet(), nullptr);
}

class RunnerLifeTest : public RunnerFixture {
protected:
  // A one-page layout with a data text on METIN2 over one label; the host
  // answers every data set name with the label table.
  RunnerLifeTest() : RunnerFixture("rapor.vlp") {
    rapor->OnGetDataSet = [this](TObject*, AnsiString, TDataSet*& DataSet) { DataSet = etiket; };
    FillLabels(*etiket, {{"869000000001", "Elma", false}});
    LayoutBuilder layout;
    TQuickRep* page = layout.AddPage("DATASET=ETIKET");
    layout.AddDataText(layout.DetailOf(page), kDataTextHint);
    layout.Save(layoutFile);
  }
};

TEST_F(RunnerLifeTest, ThePageGetsTheHostsPrinterAndCopies) {
  rapor->OnGetPrinterIndex = [](TObject*, int& Index) { Index = 0; };
  rapor->OnGetPrinterCopies = [](TObject*, int& Copies) { Copies = 3; };
  int index = -5, copies = 0;
  PreparedRun run;
  CapturingOutput capture(run, [&](TDizaynPreviewF& r) {
    index = r.FirstGraphicPage()->PrinterSettings()->PrinterIndex();
    copies = r.FirstGraphicPage()->PrinterSettings()->Copies();
  });
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(index, 0);
  EXPECT_EQ(copies, 3);
}

TEST_F(RunnerLifeTest, TheRunnerIsFreedAfterARunThatRaises) {
  TFreeWatch watch(nullptr);
  TComponent* runner = nullptr;
  rapor->OnFormOpen = [&](TCustomForm* Form) {
    runner = Form;
    Form->FreeNotification(&watch);
  };
  const TRunnerOutput previous = InstallRunnerOutput([](TDizaynPreviewF&) { throw Exception("cikti hatasi"); });
  EXPECT_THROW(rapor->PrintReport(layoutFile), Exception);
  InstallRunnerOutput(previous);
  ASSERT_NE(runner, nullptr);
  EXPECT_EQ(watch.Freed, std::vector<TComponent*>{runner});
}

TEST_F(RunnerLifeTest, ALayoutWithoutPagesRunsNothingAndSaysNothing) {
  LayoutBuilder empty;
  empty.AddTextLayoutMarker();
  empty.Save(layoutFile);
  int outputs = 0;
  bool hadPage = true;
  const TRunnerOutput previous = InstallRunnerOutput([&](TDizaynPreviewF& r) {
    ++outputs;
    hadPage = r.FirstGraphicPage() != nullptr;
    PrepareRunnerPages(r);
  });
  rapor->PrintReport(layoutFile);
  InstallRunnerOutput(previous);
  EXPECT_EQ(outputs, 1);
  EXPECT_FALSE(hadPage);
  EXPECT_TRUE(dialogs.Records().empty());
}

TEST_F(RunnerLifeTest, TextPagesLoadAndAreCountedApartFromGraphicOnes) {
  LayoutBuilder layout;
  layout.AddTextLayoutMarker();
  layout.AddTextPage();
  layout.AddPage("");
  layout.AddTextPage();
  layout.Save(layoutFile);
  int graphic = -1, text = -1, graphicOutputs = 0;
  AnsiString firstText, announced;
  rapor->OnFormOpen = [&](TCustomForm* Form) {
    auto& r = static_cast<TDizaynPreviewF&>(*Form);
    rapor->OnBeforeReportPrint = [&, runner = &r](TObject*, TComponent* Report) {
      graphic = runner->QuickRepCount();
      text = runner->ZRepCount();
      firstText = runner->FirstTextPage() != nullptr ? runner->FirstTextPage()->Name() : AnsiString("-");
      announced = Report->Name();
      SendTextRunToFile(Report, folder.File("metin.txt"));
    };
  };
  const TRunnerOutput previous = InstallRunnerOutput([&](TDizaynPreviewF&) { ++graphicOutputs; });
  rapor->PrintReport(layoutFile);
  InstallRunnerOutput(previous);
  EXPECT_EQ(graphic, 1);
  EXPECT_EQ(text, 2);
  EXPECT_EQ(firstText, "Report1");
  // Two text pages run as the text composite; the graphic page stays out.
  EXPECT_EQ(announced, "ZRComposite1");
  EXPECT_EQ(graphicOutputs, 0);
}

TEST_F(RunnerLifeTest, ATextPagesPrinterIsCurrentForItsRunAndItTakesTheCopies) {
  if (Printer().Printers().Count() < 2)
    GTEST_SKIP() << "needs two printers";
  const int before = Printer().PrinterIndex();
  const int other = before == 0 ? 1 : 0;
  rapor->OnGetPrinterIndex = [&](TObject*, int& Index) { Index = other; };
  rapor->OnGetPrinterCopies = [](TObject*, int& Copies) { Copies = 2; };
  LayoutBuilder layout;
  layout.AddTextPage();
  layout.Save(layoutFile);
  int during = -5, copies = 0;
  rapor->OnBeforeReportPrint = [&](TObject*, TComponent* Report) {
    during = Printer().PrinterIndex();
    copies = dynamic_cast<TZReport&>(*Report).Options()->Copies();
    SendTextRunToFile(Report, folder.File("metin.txt"));
  };
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(during, other);
  EXPECT_EQ(copies, 2);
  EXPECT_EQ(Printer().PrinterIndex(), before);
}

TEST_F(RunnerLifeTest, HandlersALayoutBindsByNameReachTheRunner) {
  LayoutBuilder layout{LayoutBuilder::OnRunnerForm{}};
  auto* designer = static_cast<TDizaynPreviewF*>(layout.Form());
  TQuickRep* page = layout.AddPage("");
  page->BeforePrint = Method<&TDizaynPreviewF::MQRBeforePrint>(designer);
  TQRLabel* label = layout.AddLabel(layout.DetailOf(page), "Sabit", "");
  label->OnPrint = Method<&TDizaynPreviewF::CustomLabelPrint>(designer);
  layout.Save(layoutFile);
  const AnsiString labelName = label->Name();
  AnsiString pageHandler, labelHandler;
  TDizaynPreviewF* running = nullptr;
  const TRunnerOutput previous = InstallRunnerOutput([&](TDizaynPreviewF& r) {
    running = &r;
    const TMethod pageMethod = GetMethodProp(r.FirstGraphicPage(), "BeforePrint");
    const TMethod labelMethod = GetMethodProp(r.FindComponent(labelName), "OnPrint");
    pageHandler = pageMethod.Data == &r ? r.MethodName(pageMethod.Code) : AnsiString("elsewhere");
    labelHandler = labelMethod.Data == &r ? r.MethodName(labelMethod.Code) : AnsiString("elsewhere");
  });
  rapor->PrintReport(layoutFile);
  InstallRunnerOutput(previous);
  EXPECT_NE(running, designer);
  EXPECT_EQ(pageHandler, "MQRBeforePrint");
  EXPECT_EQ(labelHandler, "CustomLabelPrint");
}

TEST_F(RunnerLifeTest, AMissingLayoutFileRaisesAndFreesTheRunner) {
  EXPECT_THROW(rapor->PreviewReport(folder.File("yok.vlp")), Exception);
  EXPECT_TRUE(dialogs.Records().empty());
}

}  // namespace
