// A text report laid out on a design stage, with bands, a child band, a
// sub-detail with bands of its own, variables and controls on the bands,
// saved as a layout file and loaded onto another stage with the same
// structure.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/typinfo.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/forms/forms.h"
#include "design/dsnunit.h"
#include "tests/support/formfixture.h"
#include "tests/support/scratchfolder.h"
#include "textreport/engine/zreport.h"
#include "textreport/engine/zrvariables.h"

namespace {

using namespace test_support;

// A form with a design stage and the table the layout's fields read.
struct DesignForm {
  DesignForm() {
    form = new TForm(nullptr);
    form->SetName("Designer");
    stage = new TDsnStage(form);
    stage->SetName("Stage");
    stage->SetParent(form);
    stage->SetBounds(0, 0, 640, 480);
    table = new TRxMemoryData(form);
    table->SetName("Table");
    table->FieldDefs()->Add("AD", ftString, 10);
    table->FieldDefs()->Add("TUTAR", ftCurrency);
  }
  ~DesignForm() {
    Pump();
    form->Free();
  }
  TZReport* Report() const { return dynamic_cast<TZReport*>(form->FindComponent("ZReport1")); }

  TForm* form;
  TDsnStage* stage;
  TRxMemoryData* table;
};

std::string Name(const TComponent* c) { return c != nullptr ? c->Name() : std::string("-"); }

// Everything a layout must keep about a controller, one line per object.
void Describe(const TZRCustomController* controller, const std::string& indent, std::ostringstream& out) {
  for (TZRVariable* variable : controller->VariableList()) {
    out << indent << variable->ClassName() << ' ' << variable->Name();
    if (auto* field = dynamic_cast<TZRField*>(variable))
      out << " field " << Name(field->DataSet()) << '.' << field->DataField();
    if (auto* aggregator = dynamic_cast<TZRAggregator*>(variable))
      out << " over " << Name(aggregator->Variable());
    out << " width " << variable->Format()->Width() << '\n';
  }
  for (TZRCustomBand* band : controller->BandList()) {
    out << indent << band->ClassName() << ' ' << band->Name() << ' ' << BandTypeName(band->BandType())
        << " parent " << Name(band->ParentBand()) << " master " << Name(band->MasterBand()) << " in "
        << Name(band->Controller()) << " at " << band->Top() << " height " << band->Height()
        << (band->Stretch() ? " stretch" : "") << " frame " << band->Frame()->Top() << '\n';
    for (TZReportControl* control : band->ChildControls())
      out << indent << "  " << control->ClassName() << ' ' << control->Name() << ' ' << control->Left() << ','
          << control->Top() << ',' << control->Width() << '\n';
    if (auto* sub = dynamic_cast<TZRCustomController*>(band)) {
      auto* subDetail = dynamic_cast<TZRSubDetail*>(sub);
      out << indent << "  data " << Name(sub->DataSet()) << " empty " << sub->PrintIfEmpty() << " range "
          << sub->DataOptions()->RangeBegin() << '\n';
      if (subDetail != nullptr)
        Describe(subDetail, indent + "    ", out);
    }
  }
}

std::string Structure(const TZReport* report) {
  std::ostringstream out;
  out << "report " << report->Name() << " data " << Name(report->DataSet()) << " at " << report->PixelLeft() << ','
      << report->PixelTop() << " page " << report->Width() << 'x' << report->Height() << '\n';
  Describe(report, "  ", out);
  return out.str();
}

// The text form of the layout file's first record.
std::string FirstRecordText(const AnsiString& fileName) {
  TFileStream file(fileName, fmOpenRead);
  TMemoryStream text;
  ObjectBinaryToText(file, text);
  return std::string(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
}

class ZRLayoutTest : public testing::Test {
protected:
  static void SetUpTestSuite() {
    RegisterZReportClasses();
    RegisterClass(TZReportControl::StaticClass());
  }

  // A report with a page header, a detail with a child band and a
  // sub-detail, a footer; the sub-detail has a header and a footer of its
  // own; fields and an aggregator on both controllers.
  TZReport* Build(DesignForm& design) {
    auto* report = new TZReport(design.form);
    report->SetName("ZReport1");
    report->SetParent(design.stage);
    report->SetPixelLeft(30);
    report->SetPixelTop(40);
    report->SetWidth(80);
    report->SetDataSet(design.table);
    TZReportBands* bands = report->Bands();
    bands->SetHas(zbtPageHeader, true);
    bands->SetHas(zbtDetail, true);
    bands->SetHas(zbtFooter, true);
    TZRCustomBand* detail = report->FindBand(zbtDetail);
    detail->SetHeight(3);
    detail->SetStretch(true);
    detail->Frame()->SetTop(1);
    detail->SetHasChild(true);
    detail->SetHasController(true);
    auto* sub = dynamic_cast<TZRSubDetail*>(report->FindBand(zbtController));
    sub->SetPrintIfEmpty(true);
    sub->DataOptions()->SetRangeBegin(zrbCurrent);
    sub->Bands()->SetHas(zbtHeader, true);
    sub->Bands()->SetHas(zbtFooter, true);

    auto* name = new TZReportControl(design.form);
    name->SetName("ZReport1DetailAd");
    name->SetParent(detail);
    name->SetLeft(4);
    name->SetWidth(12);
    auto* note = new TZReportControl(design.form);
    note->SetName("Not");
    note->SetParent(sub->FindBand(zbtHeader));
    note->SetTop(1);

    auto* field = new TZRField(design.form);
    field->SetName("zrvTUTAR");
    field->AttachController(report);
    field->SetDataField("TUTAR");
    field->Format()->SetWidth(10);
    auto* total = new TZRAggregator(design.form);
    total->SetName("zrsTUTAR");
    total->AttachController(report);
    total->SetVariable(field);
    total->Format()->SetWidth(20);  // its own, not its source's
    auto* inner = new TZRField(design.form);
    inner->SetName("zrvAD");
    inner->AttachController(sub);
    inner->SetDataField("AD");
    return report;
  }

  ScratchFolder folder;
};

TEST_F(ZRLayoutTest, ATextReportComesBackFromItsLayoutFileWithTheSameStructure) {
  const AnsiString fileName = folder.File("metin.vlp");
  std::string saved;
  {
    DesignForm design;
    TZReport* report = Build(design);
    saved = Structure(report);
    design.stage->SaveToFile(fileName);
  }
  DesignForm design;
  design.stage->LoadFromFile(fileName);
  TZReport* loaded = design.Report();
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Structure(loaded), saved);
  // Links and the sub-detail's window survive, and the switches read the bands.
  TZRCustomBand* detail = loaded->FindBand(zbtDetail);
  ASSERT_NE(detail, nullptr);
  EXPECT_TRUE(detail->HasChild());
  EXPECT_TRUE(detail->HasController());
  auto* sub = dynamic_cast<TZRSubDetail*>(loaded->FindBand(zbtController));
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->FindBand(zbtHeader)->Parent(), loaded);
  EXPECT_EQ(sub->FindBand(zbtHeader)->Report(), loaded);
  EXPECT_TRUE(GetOrdProp(sub->Bands(), "HasFooter"));
  EXPECT_FALSE(GetOrdProp(sub->Bands(), "HasColumnHeader"));
  EXPECT_TRUE(GetOrdProp(loaded->Bands(), "HasPageHeader"));
  EXPECT_EQ(loaded->Library().LibraryName, "ZReport1");
  EXPECT_EQ(sub->Library().ElementCount(), 1);
  EXPECT_EQ(Structure(loaded).find("Table.TUTAR") != std::string::npos, true);
}

TEST_F(ZRLayoutTest, BandsWriteTheirKindAndLinksAndNoGroupOrder) {
  const AnsiString fileName = folder.File("metin.vlp");
  DesignForm design;
  Build(design);
  design.stage->SaveToFile(fileName);
  const std::string text = FirstRecordText(fileName);
  EXPECT_NE(text.find("object ZReport1: TZReport"), std::string::npos) << text;
  EXPECT_NE(text.find("object ZReport1Detail: TZRBand"), std::string::npos) << text;
  EXPECT_NE(text.find("BandType = zbtDetail"), std::string::npos) << text;
  EXPECT_NE(text.find("BandType = zbtChild"), std::string::npos) << text;
  EXPECT_NE(text.find("ParentIndex = 1"), std::string::npos) << text;  // page header, detail, child ...
  EXPECT_NE(text.find("MasterIndex = 1"), std::string::npos) << text;
  EXPECT_EQ(text.find("GroupOrder"), std::string::npos) << text;
  EXPECT_EQ(text.find("HasDetail"), std::string::npos) << text;
  // Sizes are written once, in characters: the pixel bounds are not streamed.
  auto count = [&text](const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
      ++n;
    return n;
  };
  // Every object but the variables is a control ("TZR..." and "TZReport...").
  EXPECT_EQ(count(" Width = "), count(": TZR") - count(": TZRField") - count(": TZRAggregator")) << text;
  EXPECT_NE(text.find("object ZReport1: TZReport\r\n  Left = 30\r\n  Top = 40\r\n  Width = 80\r\n"), std::string::npos) << text;
  // Controllers are no ordinary bands: their kind is not written.
  EXPECT_EQ(text.find("BandType = zbtController"), std::string::npos) << text;
  // Variables come first inside their controller.
  EXPECT_LT(text.find("object zrvTUTAR: TZRField"), text.find("object ZReport1PageHeader: TZRBand")) << text;
}

TEST_F(ZRLayoutTest, ALinkIndexOutsideTheListIsIgnored) {
  const AnsiString fileName = folder.File("metin.vlp");
  {
    DesignForm design;
    auto* report = new TZReport(design.form);
    report->SetName("ZReport1");
    report->SetParent(design.stage);
    report->Bands()->SetHas(zbtDetail, true);
    report->FindBand(zbtDetail)->SetHasChild(true);
    design.stage->SaveToFile(fileName);
  }
  // The child's stored parent index (0) becomes 7.
  FileBytes bytes = ReadFileBytes(fileName);
  const std::string marker = "ParentIndex";
  auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
  ASSERT_NE(at, bytes.end());
  auto value = at + static_cast<std::ptrdiff_t>(marker.size());
  ASSERT_EQ(value[0], 2);  // a one-byte integer
  ASSERT_EQ(value[1], 0);
  value[1] = 7;
  WriteFileBytes(fileName, bytes);

  DesignForm design;
  design.stage->LoadFromFile(fileName);
  TZReport* loaded = design.Report();
  ASSERT_NE(loaded, nullptr);
  TZRCustomBand* child = loaded->FindBand(zbtChild);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->ParentBand(), nullptr);
  EXPECT_FALSE(loaded->FindBand(zbtDetail)->HasChild());
}

}  // namespace
