// Text report bands and controllers: band switches and their names, the
// kind restrictions, the print order of the band list, sub-details and
// their links, design-time questions and renaming, the controller's
// variables as an element library, and a band printing its contents.
#include <gtest/gtest.h>

#include <cstdlib>

#include "classlib/classes/typinfo.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/colors.h"
#include "classlib/data/field.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/forms/scripteddialogs.h"
#include "tests/support/formfixture.h"
#include "tests/textreport/engine/zrprintingreport.h"
#include "tests/textreport/output/zrtestreport.h"
#include "textreport/core/zrconst.h"
#include "textreport/engine/zreport.h"
#include "textreport/engine/zrvariables.h"

namespace {

using namespace test_support;
using zr_test::ErrorOf;
using zr_test::PrintingReport;

class ZRBandsTest : public testing::Test {
protected:
  ZRBandsTest() {
    report = new PrintingReport(form.Host());
    report->SetName("ZReport1");
    report->SetParent(form.Host());
  }

  void Switch(const char* property) { SetOrdProp(report->Bands(), property, 1); }

  static std::vector<AnsiString> Names(const TZRCustomController* controller) {
    std::vector<AnsiString> names;
    for (TZRCustomBand* band : controller->BandList())
      names.push_back(band->Name());
    return names;
  }

  void Design() { form.Host()->SetDesigning(true); }

  FormFixture form;
  PrintingReport* report = nullptr;
};

TEST_F(ZRBandsTest, KindsHaveTheirNamesAndPairs) {
  const std::vector<const char*> names = {"PageHeader", "Header",       "ColumnHeader", "GroupHeader", "DetailHeader",
                                          "Detail",     "DetailFooter", "GroupFooter",  "ColumnFooter", "Footer",
                                          "PageFooter", "Child",        "SubDetail"};
  for (int kind = zbtPageHeader; kind <= zbtController; ++kind)
    EXPECT_STREQ(BandTypeName(static_cast<TZRBandType>(kind)), names[kind]);
  EXPECT_EQ(PairedKind(zbtPageHeader), zbtPageFooter);
  EXPECT_EQ(PairedKind(zbtDetailFooter), zbtDetailHeader);
  EXPECT_TRUE(IsHeaderKind(zbtDetailHeader));
  EXPECT_FALSE(IsHeaderKind(zbtDetail));
  EXPECT_TRUE(IsFooterKind(zbtPageFooter));
  EXPECT_FALSE(IsFooterKind(zbtChild));
}

TEST_F(ZRBandsTest, SwitchingABandOnNamesItAfterTheControllerAndTheKind) {
  EXPECT_FALSE(GetOrdProp(report->Bands(), "HasDetail"));
  SetOrdProp(report->Bands(), "HasDetail", 1);
  EXPECT_TRUE(GetOrdProp(report->Bands(), "HasDetail"));
  TZRCustomBand* detail = report->FindBand(zbtDetail);
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(detail->Name(), "ZReport1Detail");
  EXPECT_EQ(detail->ClassName(), "TZRBand");
  EXPECT_EQ(detail->Owner(), form.Host());
  EXPECT_EQ(detail->Controller(), report);
  EXPECT_EQ(detail->Report(), report);
  EXPECT_EQ(detail->Height(), 2);

  TZRCustomBand* second = CreateBand(report, zbtDetail);
  EXPECT_EQ(second->Name(), "ZReport1Detail0");
  EXPECT_EQ(CreateBand(report, zbtDetail)->Name(), "ZReport1Detail1");

  // Switching off frees the band; the switches are never stored.
  SetOrdProp(report->Bands(), "HasFooter", 1);
  SetOrdProp(report->Bands(), "HasFooter", 0);
  EXPECT_EQ(report->FindBand(zbtFooter), nullptr);
  EXPECT_EQ(form.Host()->FindComponent("ZReport1Footer"), nullptr);
  EXPECT_FALSE(GetPropInfo(report->Bands(), "HasDetail")->IsStored(report->Bands()));
}

TEST_F(ZRBandsTest, KindRestrictionsRaiseTheirMessages) {
  struct Case {
    TZRBandType kind;
    bool children, stretch;
  };
  const Case cases[] = {
      {zbtPageHeader, false, true},   {zbtHeader, true, true},         {zbtColumnHeader, true, true},
      {zbtDetailHeader, true, true},  {zbtDetail, true, true},         {zbtDetailFooter, false, false},
      {zbtColumnFooter, false, false}, {zbtFooter, true, true},        {zbtPageFooter, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(BandTypeName(c.kind));
    TZRCustomBand* band = CreateBand(report, c.kind);
    const std::string name = BandTypeName(c.kind);
    EXPECT_EQ(ErrorOf([&] { band->SetHasChild(true); }),
              c.children ? "(no error)" : "Bands of " + name + " type cannot have children");
    EXPECT_EQ(band->HasChild(), c.children);
    EXPECT_EQ(ErrorOf([&] { band->SetHasController(true); }),
              c.children ? "(no error)" : "Bands of " + name + " type cannot have subcontrollers");
    EXPECT_EQ(band->HasController(), c.children);
    EXPECT_EQ(ErrorOf([&] { band->SetStretch(true); }), c.stretch ? "(no error)" : name + " band cannot stretch");
    EXPECT_EQ(band->Stretch(), c.stretch);
  }
}

TEST_F(ZRBandsTest, OnlyBandsBelongToTheReportItself) {
  auto* label = new TZReportControl(form.Host());
  EXPECT_EQ(ErrorOf([&] { label->SetParent(report); }),
            "A component of class TZReportControl can only belong to report bands");
  EXPECT_EQ(label->Report(), nullptr);
  label->SetParent(CreateBand(report, zbtDetail));
  EXPECT_EQ(label->Report(), report);
}

TEST_F(ZRBandsTest, TheBandListKeepsPrintOrderWithLinkedBandsAfterTheirBand) {
  Switch("HasDetail");
  Switch("HasHeader");
  EXPECT_EQ(Names(report), (std::vector<AnsiString>{"ZReport1Header", "ZReport1Detail"}));

  Switch("HasPageFooter");
  Switch("HasFooter");
  Switch("HasColumnFooter");
  Switch("HasDetailFooter");
  Switch("HasDetailHeader");
  Switch("HasColumnHeader");
  Switch("HasPageHeader");
  TZRCustomBand* detail = report->FindBand(zbtDetail);
  detail->SetHasController(true);
  detail->SetHasChild(true);
  report->FindBand(zbtHeader)->SetHasChild(true);
  EXPECT_EQ(Names(report), (std::vector<AnsiString>{"ZReport1PageHeader", "ZReport1Header", "ZReport1Child0",
                                                    "ZReport1ColumnHeader", "ZReport1DetailHeader", "ZReport1Detail",
                                                    "ZReport1Child", "ZReport1SubDetail", "ZReport1DetailFooter",
                                                    "ZReport1ColumnFooter", "ZReport1Footer", "ZReport1PageFooter"}));
  // Switching the child off frees it and the list closes up.
  detail->SetHasChild(false);
  EXPECT_EQ(form.Host()->FindComponent("ZReport1Child"), nullptr);
  EXPECT_EQ(Names(report)[6], "ZReport1SubDetail");
  // A band that leaves takes the list back into print order: what hung
  // under it is linked to nothing and goes after the bands of every kind.
  report->FindBand(zbtHeader)->Free();
  EXPECT_EQ(Names(report), (std::vector<AnsiString>{"ZReport1PageHeader", "ZReport1ColumnHeader",
                                                    "ZReport1DetailHeader", "ZReport1Detail", "ZReport1SubDetail",
                                                    "ZReport1DetailFooter", "ZReport1ColumnFooter", "ZReport1Footer",
                                                    "ZReport1PageFooter", "ZReport1Child0"}));
}

TEST_F(ZRBandsTest, ASubDetailIsItsOwnDetailAndItsBandsLiveInTheReportWindow) {
  Switch("HasDetail");
  TZRCustomBand* detail = report->FindBand(zbtDetail);
  detail->SetHasController(true);
  auto* sub = dynamic_cast<TZRSubDetail*>(report->FindBand(zbtController));
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->MasterBand(), detail);
  EXPECT_EQ(report->FindBand(zbtDetail), detail);
  EXPECT_EQ(sub->FindBand(zbtDetail), sub);

  SetOrdProp(sub->Bands(), "HasHeader", 1);
  TZRCustomBand* header = sub->FindBand(zbtHeader);
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->Name(), "ZReport1SubDetailHeader");
  EXPECT_EQ(header->Controller(), sub);
  EXPECT_EQ(header->ParentControl(), sub);
  EXPECT_EQ(header->Parent(), report);
  EXPECT_EQ(header->Report(), report);
  EXPECT_EQ(header->GetParentComponent(), sub);
  EXPECT_EQ(std::count(report->BandList().begin(), report->BandList().end(), header), 0);
  // A sub-detail offers no detail or page switches.
  EXPECT_EQ(GetPropInfo(sub->Bands(), "HasDetail"), nullptr);
  EXPECT_EQ(GetPropInfo(sub->Bands(), "HasPageHeader"), nullptr);
}

TEST_F(ZRBandsTest, AControllerIsNeverPlacedUnderItself) {
  Switch("HasDetail");
  report->FindBand(zbtDetail)->SetHasController(true);
  auto* outer = dynamic_cast<TZRSubDetail*>(report->FindBand(zbtController));
  SetOrdProp(outer->Bands(), "HasHeader", 1);
  outer->FindBand(zbtHeader)->SetHasController(true);
  auto* inner = dynamic_cast<TZRSubDetail*>(outer->FindBand(zbtController));
  ASSERT_NE(inner, nullptr);

  // At run time the move is refused quietly, at design time with a message.
  outer->SetParent(inner);
  EXPECT_EQ(outer->Controller(), report);
  Design();
  EXPECT_EQ(ErrorOf([&] { outer->SetParent(inner); }), "Circular links not allowed");
  EXPECT_EQ(ErrorOf([&] { outer->SetParent(outer); }), "Circular links not allowed");
  EXPECT_EQ(outer->Controller(), report);
  EXPECT_EQ(inner->Controller(), outer);
}

TEST_F(ZRBandsTest, ABandWithLabelsIsDeletedAtDesignTimeOnlyWhenConfirmed) {
  TScriptedDialogService dialogs;
  TDialogServiceScope scope(dialogs);
  Switch("HasDetail");
  Switch("HasFooter");
  auto* label = new TZReportControl(form.Host());
  label->SetParent(report->FindBand(zbtDetail));
  Design();

  dialogs.AnswerButton(mrAbort);
  SetOrdProp(report->Bands(), "HasDetail", 0);
  ASSERT_EQ(dialogs.Records().size(), 1u);
  EXPECT_EQ(dialogs.Records()[0].Text, "Band ZReport1Detail contains labels.\nDelete ?");
  EXPECT_EQ(dialogs.Records()[0].Buttons, (TMsgDlgButtons{mbOK, mbAbort}));
  EXPECT_NE(report->FindBand(zbtDetail), nullptr);

  dialogs.AnswerButton(mrOk);
  SetOrdProp(report->Bands(), "HasDetail", 0);
  EXPECT_EQ(report->FindBand(zbtDetail), nullptr);
  // An empty band goes without a question.
  SetOrdProp(report->Bands(), "HasFooter", 0);
  EXPECT_EQ(report->FindBand(zbtFooter), nullptr);
  EXPECT_EQ(dialogs.Records().size(), 2u);
}

TEST_F(ZRBandsTest, RenamingAtDesignTimeCarriesTheNamePrefixAlong) {
  Switch("HasDetail");
  TZRCustomBand* detail = report->FindBand(zbtDetail);
  auto* label = new TZReportControl(form.Host());
  label->SetParent(detail);
  label->SetName("ZReport1DetailAd");
  auto* other = new TZReportControl(form.Host());
  other->SetParent(detail);
  other->SetName("Serbest");
  auto* field = new TZRField(form.Host());
  field->SetName("ZReport1Tutar");
  field->AttachController(report);

  // Not at run time.
  detail->SetName("Ana");
  EXPECT_EQ(label->Name(), "ZReport1DetailAd");
  detail->SetName("ZReport1Detail");

  Design();
  detail->SetName("Ana");
  EXPECT_EQ(label->Name(), "AnaAd");
  EXPECT_EQ(other->Name(), "Serbest");
  detail->SetName("ZReport1Detail");
  label->SetName("ZReport1DetailAd");
  // The report renames its bands (and they their labels) and its variables;
  // a clash leaves that one name as it was.
  auto* clash = new TComponent(form.Host());
  clash->SetName("RaporTutar");
  report->SetName("Rapor");
  EXPECT_EQ(detail->Name(), "RaporDetail");
  EXPECT_EQ(label->Name(), "RaporDetailAd");
  EXPECT_EQ(field->Name(), "ZReport1Tutar");
}

// ---- The controller's variables as a library ----------------------------------------------
class ZRControllerLibraryTest : public ZRBandsTest {
protected:
  ZRControllerLibraryTest() {
    table = new TRxMemoryData(form.Host());
    table->SetName("Table");
    table->FieldDefs()->Add("AD", ftString, 10);
    table->FieldDefs()->Add("TUTAR", ftCurrency);
    table->Open();
  }
  TZRField* Field(TZRCustomController* controller, const char* name, const char* dataField) {
    auto* field = new TZRField(form.Host());
    field->SetName(name);
    field->AttachController(controller);
    field->SetDataField(dataField);
    return field;
  }
  TRxMemoryData* table = nullptr;
};

TEST_F(ZRControllerLibraryTest, ElementsAreTheControllersVariables) {
  TZRControllerLibrary& library = report->Library();
  EXPECT_EQ(report->Collection().Strings(0), "zlController");
  EXPECT_EQ(library.LibraryName, "ZReport1");
  EXPECT_EQ(library.Description, "Controller variables 'ZReport1'");
  report->SetName("Fatura");
  EXPECT_EQ(library.LibraryName, "Fatura");
  EXPECT_EQ(library.Description, "Controller variables 'Fatura'");

  TZRField* name = Field(report, "zrvAD", "AD");
  auto* sum = new TZRAggregator(form.Host());
  sum->SetName("zrsTUTAR");
  sum->AttachController(report);
  EXPECT_EQ(library.ElementCount(), 2);
  EXPECT_EQ(library.ElementName(0), "zrvAD");
  name->SetDataSet(table);
  EXPECT_EQ(library.ElementName(0), "Table.AD");
  EXPECT_EQ(library.ElementName(1), "zrsTUTAR");

  struct Case {
    const char* name;
    int index;
  };
  for (const Case& c : {Case{"zrvad", 0}, Case{"ad", 0}, Case{"table.ad", 0}, Case{"ZRSTUTAR", 1},
                        Case{"TUTAR", -1}, Case{"Table.TUTAR", -1}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(library.IndexOfElement(c.name), c.index);
  }
  EXPECT_TRUE(library.CheckArguments(0, nullptr));
}

TEST_F(ZRControllerLibraryTest, ANestedControllerFindsItsMastersVariables) {
  Switch("HasDetail");
  report->FindBand(zbtDetail)->SetHasController(true);
  auto* sub = dynamic_cast<TZRSubDetail*>(report->FindBand(zbtController));
  Field(report, "zrvAD", "AD");
  Field(sub, "zrvTUTAR", "TUTAR");

  TZRElementLibrary* library = nullptr;
  int index = -1;
  ASSERT_TRUE(sub->Collection().FindElement("zrvAD", library, index));
  EXPECT_EQ(library, &report->Library());
  ASSERT_TRUE(sub->Collection().FindElement("TUTAR", library, index));
  EXPECT_EQ(library, &sub->Library());
  // The report looks no further than itself; everywhere reaches the built-in ones.
  EXPECT_FALSE(report->Collection().FindElement("TUTAR", library, index));
  EXPECT_TRUE(sub->Collection().FindElementEverywhere("Pi", library, index));
  EXPECT_FALSE(sub->Collection().FindElementEverywhere("YOK", library, index));
}

TEST_F(ZRControllerLibraryTest, ADesignTimeDataSetChangeMovesTheFields) {
  auto* second = new TRxMemoryData(form.Host());
  second->SetName("Second");
  report->SetDataSet(table);
  TZRField* onTable = Field(report, "zrvAD", "AD");
  EXPECT_EQ(onTable->DataSet(), table);  // a field takes its controller's data set
  TZRField* elsewhere = Field(report, "zrvX", "X");
  elsewhere->SetDataSet(second);

  Design();
  report->SetDataSet(second);
  EXPECT_EQ(onTable->DataSet(), second);
  report->SetDataSet(table);
  EXPECT_EQ(onTable->DataSet(), table);
  EXPECT_EQ(elsewhere->DataSet(), table);
  second->Free();
  EXPECT_EQ(report->DataSet(), table);
  table->Free();
  EXPECT_EQ(report->DataSet(), nullptr);
  EXPECT_EQ(onTable->DataSet(), nullptr);
}

TEST_F(ZRControllerLibraryTest, ADesignTimeDataFieldTakesTheFieldsWidthAndMoneyFormat) {
  table->FieldByName("AD")->SetDisplayWidth(12);
  report->SetDataSet(table);
  TZRField* atRunTime = Field(report, "zrvAD", "AD");
  EXPECT_EQ(atRunTime->Format()->Width(), 16);
  Design();
  TZRField* name = Field(report, "zrvAD2", "AD");
  EXPECT_EQ(name->Format()->Width(), 12);
  EXPECT_EQ(name->Format()->FloatFormat(), ffGeneral);
  TZRField* money = Field(report, "zrvTUTAR", "TUTAR");
  EXPECT_EQ(money->Format()->FloatFormat(), ffCurrency);
  TZRField* missing = Field(report, "zrvYOK", "YOK");
  EXPECT_EQ(missing->Format()->Width(), 16);
}

// ---- Printing a band ------------------------------------------------------------------------
class ZRBandPrintTest : public ZRBandsTest {
protected:
  ZRBandPrintTest() {
    report->document->BeginDoc();
    report->document->NewPage();
  }
  AnsiString Line(int index) { return report->document->Pages(0).Lines().Strings(index); }
};

TEST_F(ZRBandPrintTest, ABandPrintsItsControlsAndFrameAndKeepsTheKindBookkeeping) {
  TZRCustomBand* header = CreateBand(report, zbtDetailHeader);
  TZRCustomBand* footer = CreateBand(report, zbtDetailFooter);
  header->SetWidth(10);
  header->Frame()->SetTop(1);
  auto* boxed = new TZReportControl(form.Host());
  boxed->SetParent(header);
  boxed->SetLeft(2);
  boxed->SetTop(1);
  boxed->SetWidth(3);
  boxed->Frame()->SetTop(1);
  auto* disabled = new TZReportControl(form.Host());
  disabled->SetParent(header);
  disabled->SetEnabled(false);
  disabled->SetLeft(6);
  disabled->SetTop(1);
  disabled->Frame()->SetTop(1);

  report->Prepare();
  EXPECT_TRUE(header->Printing());
  EXPECT_EQ(header->PrintType(), zbtDetailHeader);
  EXPECT_EQ(report->PrintType(), zbtDetail);
  EXPECT_TRUE(boxed->Printing());
  header->DoBeforePrint();
  ASSERT_TRUE(header->PrintFlag());
  EXPECT_TRUE(boxed->PrintFlag());
  EXPECT_FALSE(disabled->PrintFlag());

  report->PrintedBands = TZRBandTypes{zbtDetailFooter};
  header->Print(1, 3);
  EXPECT_EQ(Line(3), " ----------");
  EXPECT_EQ(Line(4), "   ---");
  // A header owes its footer: the footer is no longer counted as printed.
  EXPECT_EQ(report->PrintedBands, TZRBandTypes{zbtDetailHeader});
  EXPECT_TRUE(report->BandPrinted);

  report->InEndColumn = true;
  footer->DoBeforePrint();
  footer->Print(0, 6);
  EXPECT_EQ(report->PrintedBands, TZRBandTypes{zbtDetailFooter});
  EXPECT_FALSE(report->BandPrinted);
  report->Unprepare();
  EXPECT_FALSE(boxed->Printing());
}

TEST_F(ZRBandPrintTest, AControlThatFailsToPrintPrintsNoMore) {
  TZRCustomBand* detail = CreateBand(report, zbtDetail);
  struct Failing : TZReportControl {
    using TZReportControl::TZReportControl;
    void Print(int, int) override { throw EZRError("Bozuk"); }
  };
  auto* failing = new Failing(form.Host());
  failing->SetParent(detail);
  report->Prepare();
  detail->DoBeforePrint();
  ASSERT_TRUE(failing->PrintFlag());
  EXPECT_EQ(ErrorOf([&] { detail->Print(0, 0); }), "Bozuk");
  EXPECT_FALSE(failing->PrintFlag());
  report->Unprepare();
}

TEST_F(ZRBandPrintTest, ABandThatMayNotStretchRefusesToGrowWhilePrinting) {
  TZRCustomBand* footer = CreateBand(report, zbtColumnFooter);
  report->Prepare();
  footer->DoBeforePrint();
  footer->SetHeight(5);
  EXPECT_EQ(ErrorOf([&] { footer->AlignContent(); }), "ColumnFooter band cannot stretch");
  report->Unprepare();
}

// ---- Design view --------------------------------------------------------------------------
TEST_F(ZRBandsTest, ABandShowsACharacterGridAndItsKind) {
  TZRCustomBand* detail = CreateBand(report, zbtDetail);
  detail->SetWidth(20);
  detail->SetHeight(3);
  const TZRCharMetrics cell = detail->GetCharMetrics();
  const int width = 20 * cell.Width + 1, height = 3 * cell.Height + 1;
  ASSERT_EQ(detail->TControl::Width(), width);
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(width, height);
  bitmap.Canvas().Brush().SetColor(clFuchsia);
  bitmap.Canvas().FillRect(Rect(0, 0, width, height));
  Design();  // bands show themselves on the design surface
  detail->PaintTo(bitmap.Canvas(), 0, 0);
  // Look at it: DOZURI_ZRBAND_SNAPSHOT=Z:\tmp\band.bmp
  if (const char* path = std::getenv("DOZURI_ZRBAND_SNAPSHOT"))
    bitmap.SaveToFile(path);
  auto pixel = [&bitmap](int x, int y) { return bitmap.Canvas().GetPixel(x, y); };
  const TColor shadow = ColorToRGB(clBtnShadow);
  EXPECT_EQ(pixel(3 * cell.Width, cell.Height + 2), shadow);
  EXPECT_EQ(pixel(3 * cell.Width + 2, cell.Height), shadow);
  EXPECT_EQ(pixel(3 * cell.Width + 2, cell.Height + 2), ColorToRGB(detail->Color()));
  // The kind's name in the lower left: dark pixels where the grid has none.
  int dark = 0;
  for (int y = height - 16; y < height - 1; ++y)
    for (int x = 2; x < 40; ++x)
      if (x % cell.Width != 0 && y % cell.Height != 0 && (pixel(x, y) & 0xFFFFFF) == 0)
        ++dark;
  EXPECT_GT(dark, 5);
}

}  // namespace
