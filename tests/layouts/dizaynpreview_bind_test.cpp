// What a run of the report runner sets up before the output and what its
// handlers do during it: proxies, hooked handlers, parameters, masks, the
// SQL memo hook, the form-open hook, invoice page breaks, the host's
// formatting fields and the label handler's tags and print options.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/classes/typinfo.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/field.h"
#include "classlib/forms/scripteddialogs.h"
#include "classlib/graphics/font.h"
#include "classlib/printers/printers.h"
#include "layouts/core/bindinghints.h"
#include "layouts/dizaynpreview.h"
#include "layouts/runnerreport.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrexprlabel.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrmemo.h"
#include "support/barcode/components/stbarcode.h"
#include "tests/layouts/runnerfixture.h"
#include "tests/support/scratchfolder.h"

namespace {

using namespace runner_test;
using Texts = std::vector<std::string>;

// The runner's handler an event is bound to, "" when none.
AnsiString HandlerOf(TDizaynPreviewF& Runner, TComponent* Target, const char* Event) {
  const TMethod method = GetMethodProp(Target, Event);
  return method.Data == &Runner ? Runner.MethodName(method.Code) : AnsiString();
}

Texts AllTexts(PreparedRun& Run) {
  Texts texts;
  for (auto& page : Run.Pages)
    for (const std::string& text : PageTexts(*page))
      texts.push_back(text);
  return texts;
}

class RunnerSetupTest : public RunnerFixture {
protected:
  RunnerSetupTest() : RunnerFixture("rapor.vlp") {}

  // A table of METIN2 and the host's formatting fields.
  void FillFormatted(const std::vector<std::vector<const char*>>& Rows) {
    etiket->FieldDefs()->Add("METIN2", ftString, 50);
    etiket->FieldDefs()->Add("QR_EK", ftString, 100);
    etiket->FieldDefs()->Add("QR_KOMUT", ftString, 20);
    etiket->FieldDefs()->Add("QR_SATIRIPTAL", ftBoolean);
    etiket->Open();
    for (const auto& row : Rows) {
      etiket->Append();
      etiket->FieldByName("METIN2")->SetAsString(row[0]);
      etiket->FieldByName("QR_EK")->SetAsString(row[1]);
      etiket->FieldByName("QR_KOMUT")->SetAsString(row[2]);
      etiket->FieldByName("QR_SATIRIPTAL")->SetAsBoolean(row[3][0] == '1');
      etiket->Post();
    }
    etiket->First();
  }
  void FillNumbered(int Count) {
    std::vector<LabelRow> rows;
    static std::vector<std::string> texts;
    texts.clear();
    for (int k = 1; k <= Count; ++k)
      texts.push_back("Satir " + std::to_string(k));
    for (const std::string& t : texts)
      rows.push_back({"869000000001", t.c_str(), false});
    FillLabels(*etiket, rows);
  }
};

TEST_F(RunnerSetupTest, EveryLayoutBarcodeGetsOneProxyOnItsBandAndPrototypesGetNone) {
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET");
  TStBarCode* barcode = layout.AddBarcode(layout.DetailOf(page), "DATASET=ETIKET\r\nDATAFIELD=METIN1");
  barcode->SetBounds(30, 40, 250, 90);
  layout.AddBarcode(layout.DetailOf(page), "", PrototypeTag);
  layout.Save(layoutFile);
  FillLabels(*etiket, {{"869000000001", "Elma", false}});
  std::vector<std::string> seen;
  PreparedRun run;
  CapturingOutput capture(run, [&](TDizaynPreviewF& r) {
    const std::vector<TQRImage*> proxies = r.BarcodeProxies();
    ASSERT_EQ(proxies.size(), 1u);
    TQRImage* proxy = proxies[0];
    auto* original = dynamic_cast<TStBarCode*>(r.FindComponent(proxy->Hint()));
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(original->Tag(), 0);
    EXPECT_EQ(proxy->Owner(), &r);
    EXPECT_EQ(proxy->Parent(), original->Parent());
    EXPECT_EQ(proxy->Tag(), BarcodeProxyTag);
    EXPECT_EQ(std::vector<int>({proxy->Left(), proxy->Top(), proxy->Width(), proxy->Height()}),
              std::vector<int>({30, 40, 250, 90}));
    EXPECT_EQ(r.QuickRepCount(), 1);
    EXPECT_EQ(r.FirstGraphicPage()->Name(), "Report1");
    EXPECT_EQ(HandlerOf(r, r.FirstGraphicPage(), "BeforePrint"), "MQRBeforePrint");
    EXPECT_EQ(HandlerOf(r, DetailBandOf(*r.FirstGraphicPage()), "BeforePrint"), "DetayBeforePrint");
    seen.push_back("inspected");
  });
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(seen, std::vector<std::string>{"inspected"});
}

TEST_F(RunnerSetupTest, APageWithoutBarcodesFormatsItsDetailBandAndLabelsGetTheLabelHandler) {
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET");
  TQRLabel* label = layout.AddLabel(layout.DetailOf(page), "Sabit", "");
  layout.Save(layoutFile);
  FillLabels(*etiket, {{"", "Elma", false}});
  const AnsiString labelName = label->Name();
  int inspected = 0;
  PreparedRun run;
  CapturingOutput capture(run, [&](TDizaynPreviewF& r) {
    EXPECT_EQ(HandlerOf(r, DetailBandOf(*r.FirstGraphicPage()), "BeforePrint"), "NormalDetailBandBeforePrint");
    EXPECT_EQ(HandlerOf(r, r.FindComponent(labelName), "OnPrint"), "CustomLabelPrint");
    EXPECT_EQ(HandlerOf(r, r.FirstGraphicPage(), "BeforePrint"), "");
    EXPECT_TRUE(r.BarcodeProxies().empty());
    ++inspected;
  });
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(inspected, 1);
  EXPECT_EQ(AllTexts(run), Texts{"Sabit"});
}

TEST_F(RunnerSetupTest, ParametersComeFromTheHostAndAMissingOnePrintsError) {
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("");
  layout.AddLabel(layout.DetailOf(page), "ilk", "PARAMETRE=BARKOD_TEST1");
  layout.AddLabel(layout.DetailOf(page), "ikinci", "PARAMETRE=BILINMEYEN");
  layout.Save(layoutFile);
  std::vector<std::string> asked;
  rapor->OnGetParam = [&](TObject*, TComponent*& Component, AnsiString Code, AnsiString& Value) {
    asked.push_back(Component->ClassName() + " " + Code);
    if (Code == "BARKOD_TEST1")
      Value = "Dozuri Test";
  };
  PreparedRun run;
  CapturingOutput capture(run);
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(asked, (std::vector<std::string>{"TQRLabel BARKOD_TEST1", "TQRLabel BILINMEYEN"}));
  Texts texts = AllTexts(run);
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (Texts{"Dozuri Test", "ERROR"}));
}

TEST_F(RunnerSetupTest, MasksMemosAndTheFormOpenHook) {
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET");
  TQRExpr* expr = layout.AddExpression(layout.DetailOf(page), "1");
  TQRDBText* text = layout.AddDataText(layout.DetailOf(page), "DATASET=ETIKET\r\nDATAFIELD=METIN2");
  layout.AddMemo(layout.DetailOf(page), "QRMemo1");
  layout.Save(layoutFile);
  FillLabels(*etiket, {{"", "Elma", false}});
  rapor->SetHassasiyet("#,##0.00");
  std::vector<std::string> memos;
  rapor->OnGetSQLContent = [&](TObject*, TQRMemo*& Memo) { memos.push_back(Memo->Name()); };
  std::vector<std::string> opened;
  rapor->OnFormOpen = [&](TCustomForm* Form) { opened.push_back(Form->ClassName()); };
  const AnsiString exprName = expr->Name(), textName = text->Name();
  PreparedRun run;
  CapturingOutput capture(run, [&](TDizaynPreviewF& r) {
    EXPECT_EQ(GetStrProp(r.FindComponent(exprName), "Mask"), "#,##0.00");
    EXPECT_EQ(GetStrProp(r.FindComponent(textName), "Mask"), "");
    EXPECT_EQ(GetStrProp(r.FindComponent("Dpst_TQRExpr"), "Mask"), "#,##0.00");
  });
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(memos, std::vector<std::string>{"QRMemo1"});
  EXPECT_EQ(opened, std::vector<std::string>{"TDizaynPreviewF"});
}

struct InvoiceCase {
  const char* Hint;
  int Records;
  int Pages;
};

// A line is 10 mm high: without breaks 25 lines fit on one A4 page.
TEST_F(RunnerSetupTest, InvoicePagesBreakEveryCountLinesAndBadCountsTakeTheDefaults) {
  const InvoiceCase cases[] = {
      {"HAREKETSAYISI=10\r\nHAREKETALANIYUKSEKLIK=100", 25, 3},
      {"HAREKETSAYISI=10\r\nHAREKETALANIYUKSEKLIK=100", 20, 2},
      {"HAREKETSAYISI=10\r\nHAREKETALANIYUKSEKLIK=100", 9, 1},
      {"HAREKETSAYISI=0\r\nHAREKETALANIYUKSEKLIK=100", 25, 3},
      {"HAREKETSAYISI=-4", 25, 3},
      {"HAREKETSAYISI=on\r\nHAREKETALANIYUKSEKLIK=yuz", 25, 3},
      {"HAREKETSAYISI=", 25, 3},
      {"HAREKETSAYISI=5\r\nHAREKETALANIYUKSEKLIK=50", 12, 3},
  };
  for (const InvoiceCase& c : cases) {
    SCOPED_TRACE(std::string(c.Hint) + ", " + std::to_string(c.Records) + " records");
    etiket->Close();
    etiket->FieldDefs()->Clear();
    FillNumbered(c.Records);
    LayoutBuilder layout;
    TQuickRep* page = layout.AddPage(AnsiString("DATASET=ETIKET\r\n") + c.Hint, 700);
    layout.AddDataText(layout.DetailOf(page), "DATASET=ETIKET\r\nDATAFIELD=METIN2");
    layout.Save(layoutFile);
    PreparedRun run;
    double lineHeight = 0;
    CapturingOutput capture(run, [&](TDizaynPreviewF& r) {
      EXPECT_EQ(HandlerOf(r, DetailBandOf(*r.FirstGraphicPage()), "BeforePrint"), "FaturaDetayBeforePrint");
      EXPECT_EQ(HandlerOf(r, DetailBandOf(*r.FirstGraphicPage()), "AfterPrint"), "FaturaDetayAfterPrint");
      EXPECT_TRUE(r.IsFatura(r.FirstGraphicPage()));
      lineHeight = r.InvoiceLineHeight();
    });
    ASSERT_NO_THROW(rapor->PrintReport(layoutFile));
    EXPECT_EQ(static_cast<int>(run.Pages.size()), c.Pages);
    EXPECT_EQ(AllTexts(run).size(), static_cast<std::size_t>(c.Records));
    EXPECT_DOUBLE_EQ(lineHeight, 100.0);
  }
}

TEST_F(RunnerSetupTest, AnInvoicePageAfterTheFirstCountsItsOwnLines) {
  FillNumbered(25);
  LayoutBuilder layout;
  layout.AddPage("DATASET=ETIKET", 40);
  TQuickRep* invoice = layout.AddPage("DATASET=ETIKET\r\nHAREKETSAYISI=10\r\nHAREKETALANIYUKSEKLIK=100", 700);
  layout.AddDataText(layout.DetailOf(invoice), "DATASET=ETIKET\r\nDATAFIELD=METIN2");
  layout.Save(layoutFile);
  int invoicePages = 0;
  AnsiString handler;
  PreparedRun run;
  CapturingOutput capture(run, nullptr, [&](TDizaynPreviewF& r) {
    TQuickRep* second = r.GraphicPages().at(1);
    invoicePages = second->QRPrinter()->PageCount();
    handler = HandlerOf(r, DetailBandOf(*second), "AfterPrint");
  });
  rapor->PrintReport(layoutFile);
  EXPECT_EQ(handler, "FaturaDetayAfterPrint");
  EXPECT_EQ(invoicePages, 3);
}

TEST_F(RunnerSetupTest, TheHostsFieldsSkipRowsBreakPagesAndFormatTheBand) {
  FillFormatted({{"bir", "", "", "0"},
                 {"iki", "", "", "1"},
                 {"uc", "", "NEWPAGE", "0"},
                 {"dort", "COLOR=clYellow|FONT.STYLE=BOLD|FONT.SIZE=$0E|", "", "0"}});
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET", 380);
  layout.AddDataText(layout.DetailOf(page), "DATASET=ETIKET\r\nDATAFIELD=METIN2");
  layout.Save(layoutFile);
  TColor bandColor = clNone;
  TFontStyles bandStyle;
  int bandSize = 0;
  PreparedRun run;
  CapturingOutput capture(run, nullptr, [&](TDizaynPreviewF& r) {
    TQRCustomBand* detail = DetailBandOf(*r.FirstGraphicPage());
    bandColor = detail->Color();
    bandStyle = detail->Font()->Style();
    bandSize = detail->Font()->Size();
  });
  rapor->PrintReport(layoutFile);
  ASSERT_EQ(run.Pages.size(), 2u);
  EXPECT_EQ(PageTexts(*run.Pages[0]), (Texts{"bir"}));
  EXPECT_EQ(PageTexts(*run.Pages[1]), (Texts{"uc", "dort"}));
  EXPECT_EQ(bandColor, clYellow);
  EXPECT_EQ(bandStyle, TFontStyles{fsBold});
  EXPECT_EQ(bandSize, 14);
}

TEST_F(RunnerSetupTest, DataTextTagsPickACharacterOrAFixedRecord) {
  FillLabels(*etiket, {{"", "ABCDEF", false}, {"", "ikinci", false}, {"", "ucuncu", false}});
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET");
  layout.AddDataText(layout.DetailOf(page), "DATASET=ETIKET\r\nDATAFIELD=METIN2", 3);
  TQRDBText* fixed = layout.AddDataText(layout.DetailOf(page), "DATASET=ETIKET\r\nDATAFIELD=METIN2", -2);
  fixed->SetLeft(340);
  TQRDBText* beyond = layout.AddDataText(layout.DetailOf(page), "DATASET=ETIKET\r\nDATAFIELD=METIN2", -9);
  beyond->SetTop(400);
  layout.Save(layoutFile);
  int largestNegativeTag = 0;
  PreparedRun run;
  CapturingOutput capture(run, [&](TDizaynPreviewF& r) { largestNegativeTag = r.LargestNegativeDataTextTag(); });
  rapor->PrintReport(layoutFile);
  ASSERT_EQ(run.Pages.size(), 3u);
  EXPECT_EQ(PageTexts(*run.Pages[0]), (Texts{"C", "ikinci"}));
  EXPECT_EQ(PageTexts(*run.Pages[1]), (Texts{"i", "ikinci"}));
  EXPECT_EQ(PageTexts(*run.Pages[2]), (Texts{"u", "ikinci"}));
  EXPECT_EQ(largestNegativeTag, 9);
}

TEST_F(RunnerSetupTest, PrintOptionsKeepALabelToItsPagesAndTheHostHasTheLastWord) {
  FillNumbered(3);
  LayoutBuilder layout;
  TQuickRep* page = layout.AddPage("DATASET=ETIKET");
  layout.AddLabel(layout.DetailOf(page), "Son", "PRINTOPTION=1");
  layout.Save(layoutFile);
  std::vector<std::string> asked;
  rapor->OnLabelPrint = [&](TObject*, TComponent* Component, AnsiString& Value) {
    asked.push_back(Component->ClassName() + " " + Value);
  };
  bool lastYapilsin = false;
  PreparedRun run;
  CapturingOutput capture(run, [&](TDizaynPreviewF& r) { lastYapilsin = r.LastYapilsin(); });
  rapor->PrintReport(layoutFile);
  ASSERT_EQ(run.Pages.size(), 3u);
  EXPECT_TRUE(lastYapilsin);
  EXPECT_EQ(PageTexts(*run.Pages[0]), Texts{});
  EXPECT_EQ(PageTexts(*run.Pages[1]), Texts{});
  EXPECT_EQ(PageTexts(*run.Pages[2]), Texts{"Son"});
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked[0], "TQRLabel Son");
}

}  // namespace
