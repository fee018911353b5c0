// The default label layout: the shipped etiket.vlp is what the program's own
// classes build, and printed from the main form through the real runner it
// puts 21 labels on an A4 sheet, placeholders first, a refused code before
// anything is prepared.
#include "app/shell/defaultlayout.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "app/labeltable.h"
#include "app/shell/programidentity.h"
#include "layouts/output/runneroutput.h"
#include "classlib/classes/typinfo.h"
#include "design/dsnunit.h"
#include "layouts/dizaynpreview.h"
#include "reportengine/preview/qrtextrecord.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/report/quickrep.h"
#include "shell_test_util.h"
#include "support/barcode/components/stbarcode.h"
#include "tests/layouts/runnerfixture.h"

namespace {

using namespace shell_test;

std::string ShippedLayoutPath() {
  const char* folder = std::getenv("DOZURI_TEST_DATA");
  return folder == nullptr ? std::string() : std::string(folder) + "/../../../resources/etiket.vlp";
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const AnsiString& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary);
  out << bytes;
}

using FormPtr = std::unique_ptr<TForm, void (*)(TForm*)>;
FormPtr NewLayoutForm() {
  FormPtr form(new TForm(nullptr), [](TForm* f) { f->Free(); });
  form->SetName("LayoutForm");
  return form;
}

TDsnStage* LoadOnStage(TForm& Form, const AnsiString& File) {
  auto* stage = new TDsnStage(&Form);
  stage->SetName("DsnStage1");
  stage->SetParent(&Form);
  stage->LoadFromFile(File);
  return stage;
}

// Every published property of a and b, nested objects followed (components
// they point at compared by name); a difference is reported by its path.
void ComparePublished(TObject* a, TObject* b, const std::string& path, int depth) {
  ASSERT_EQ(AnsiString(a->ClassType()->Name), AnsiString(b->ClassType()->Name)) << path;
  if (auto* strings = dynamic_cast<TStrings*>(a)) {
    EXPECT_EQ(strings->Text(), dynamic_cast<TStrings*>(b)->Text()) << path;
  }
  for (PPropInfo prop : GetPropList(a)) {
    const std::string at = path + "." + prop->Name;
    switch (prop->PropType->Kind) {
      case tkInteger:
      case tkChar:
      case tkWChar:
      case tkEnumeration:
      case tkSet:
        EXPECT_EQ(GetOrdProp(a, prop), GetOrdProp(b, prop)) << at;
        break;
      case tkInt64:
        EXPECT_EQ(GetInt64Prop(a, prop), GetInt64Prop(b, prop)) << at;
        break;
      case tkFloat:
        EXPECT_EQ(GetFloatProp(a, prop), GetFloatProp(b, prop)) << at;
        break;
      case tkString:
      case tkLString:
      case tkWString:
        EXPECT_EQ(GetStrProp(a, prop), GetStrProp(b, prop)) << at;
        break;
      case tkMethod:
        // The layout binds no handler by name; the runner hooks its own.
        EXPECT_FALSE(GetMethodProp(a, prop).Assigned()) << at;
        EXPECT_FALSE(GetMethodProp(b, prop).Assigned()) << at;
        break;
      case tkClass: {
        TObject* x = GetObjectProp(a, prop);
        TObject* y = GetObjectProp(b, prop);
        ASSERT_EQ(x == nullptr, y == nullptr) << at;
        if (x == nullptr)
          break;
        if (auto* cx = dynamic_cast<TComponent*>(x))
          EXPECT_EQ(cx->Name(), dynamic_cast<TComponent*>(y)->Name()) << at;
        else if (depth < 4)
          ComparePublished(x, y, at, depth + 1);
        break;
      }
      default:
        break;
    }
  }
}

TEST(DefaultLabelLayout, TheShippedFileIsWhatTheProgramsClassesBuild) {
  RegisterRunnerClasses();
  ScratchFolder folder;
  const std::string shipped = ShippedLayoutPath();
  ASSERT_FALSE(ReadAll(shipped).empty()) << shipped;
  const AnsiString shippedCopy = folder.File("shipped.vlp");
  WriteAll(shippedCopy, ReadAll(shipped));
  const AnsiString rebuilt = folder.File("rebuilt.vlp");
  FormPtr builder = NewLayoutForm();
  WriteDefaultLabelLayout(*builder, rebuilt);

  FormPtr a = NewLayoutForm(), b = NewLayoutForm();
  LoadOnStage(*a, shippedCopy);
  LoadOnStage(*b, rebuilt);
  ASSERT_EQ(a->ComponentCount(), b->ComponentCount());
  for (int k = 0; k < a->ComponentCount(); ++k) {
    TComponent* x = a->Components(k);
    ASSERT_EQ(x->Name(), b->Components(k)->Name());
    ComparePublished(x, b->Components(k), std::string(x->Name().c_str()), 0);
  }

  // What the layout is, read from the shipped file.
  auto* page = dynamic_cast<TQuickRep*>(a->FindComponent("Report1"));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->Hint(), "DATASET=ETIKET");
  EXPECT_EQ(page->ReportTitle(), "Etiketler");
  EXPECT_EQ(page->Units(), MM);
  EXPECT_EQ(page->Page()->PaperSize(), TQRPaperSize::A4);
  EXPECT_EQ(page->Page()->Columns(), 3);
  EXPECT_NEAR(static_cast<double>(page->Page()->TopMargin()), 15.0, 0.01);
  EXPECT_NEAR(static_cast<double>(page->Page()->BottomMargin()), 15.0, 0.01);
  EXPECT_NEAR(static_cast<double>(page->Page()->ColumnSpace()), 2.5, 0.01);
  auto* barcode = dynamic_cast<TStBarCode*>(a->FindComponent("StBarCode1"));
  ASSERT_NE(barcode, nullptr);
  EXPECT_EQ(barcode->BarCodeType(), bcEAN_13);
  EXPECT_TRUE(barcode->ShowCode());
  EXPECT_TRUE(barcode->AddCheckChar());
  EXPECT_EQ(barcode->Hint(), "DATASET=ETIKET\r\nDATAFIELD=METIN1");
  auto* name = dynamic_cast<TQRDBText*>(a->FindComponent("QRDBText1"));
  auto* detail = dynamic_cast<TQRDBText*>(a->FindComponent("QRDBText2"));
  ASSERT_TRUE(name != nullptr && detail != nullptr);
  EXPECT_EQ(name->Hint(), "DATASET=ETIKET\r\nDATAFIELD=METIN2");
  EXPECT_TRUE(name->Font()->Style().Contains(fsBold));
  EXPECT_EQ(detail->Hint(), "DATASET=ETIKET\r\nDATAFIELD=METIN3");
  EXPECT_FALSE(detail->Font()->Style().Contains(fsBold));
  for (int k = 0; k < a->ComponentCount(); ++k)
    EXPECT_NE(a->Components(k)->Tag(), -1250) << "a barcode proxy was stored";
}

// A text printed on a prepared page, with where it starts (the page's
// logical units; larger y is lower, larger x further right).
struct PlacedText {
  std::string Text;
  int X, Y;
};

std::vector<PlacedText> PlacedTexts(TMetafile& Page) {
  std::vector<PlacedText> texts;
  const UINT size = GetEnhMetaFileBits(Page.Handle(), 0, nullptr);
  std::vector<std::uint8_t> bytes(size);
  GetEnhMetaFileBits(Page.Handle(), size, bytes.data());
  for (std::size_t at = 0; at + 8 <= bytes.size();) {
    const auto* record = reinterpret_cast<const ENHMETARECORD*>(bytes.data() + at);
    if (record->nSize < 8 || at + record->nSize > bytes.size())
      break;
    if ((record->iType == kEmrExtTextOutA || record->iType == kEmrExtTextOutW) &&
        record->nSize >= sizeof(EMREXTTEXTOUTW)) {
      const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
      texts.push_back({std::string(EmfRecordText(bytes.data() + at, record->nSize).c_str()),
                       static_cast<int>(text->emrtext.ptlReference.x), static_cast<int>(text->emrtext.ptlReference.y)});
    }
    at += record->nSize;
  }
  return texts;
}

class DefaultLayoutPrintTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    WriteAll(folder.File("etiket.vlp"), ReadAll(ShippedLayoutPath()));
    previousRunner = SetReportRunner(nullptr);
    InstallReportRunner();
    capture.emplace(run);
  }
  void TearDown() override {
    capture.reset();
    SetReportRunner(previousRunner);
    ActiveListFile = "";
    MainFormTest::TearDown();
  }

  // Labels named L01.. in METIN2, each with a valid code and a METIN3.
  void AddLabels(TAnaF& Form, int Count, const char* Prefix = "L") {
    for (int n = 1; n <= Count; ++n) {
      char code[16], name[16];
      std::snprintf(code, sizeof code, "8690000%05d", n);
      std::snprintf(name, sizeof name, "%s%02d", Prefix, n);
      Form.RxEtiket->Append();
      Form.RxEtiket->FieldByName("METIN1")->SetAsString(code);
      Form.RxEtiket->FieldByName("METIN2")->SetAsString(name);
      Form.RxEtiket->FieldByName("METIN3")->SetAsString("Açıklama ğüşiöç");
      Form.RxEtiket->Post();
    }
  }
  // The METIN2 texts of a page with where they start.
  std::map<std::string, std::pair<int, int>> NamesOn(TMetafile& Page, const char* Prefix = "L") {
    std::map<std::string, std::pair<int, int>> names;
    for (const PlacedText& t : PlacedTexts(Page))
      if (t.Text.rfind(Prefix, 0) == 0)
        names[t.Text] = {t.X, t.Y};
    return names;
  }
  void Print(TAnaF& Form, const char* Start) {
    dialogs.AnswerText(Start);
    Form.YazdirClick(Form.Yazdir1);
  }

  TReportRunner previousRunner;
  runner_test::PreparedRun run;
  std::optional<runner_test::CapturingOutput> capture;
};

// 21 labels fill page 1 and the 22nd starts page 2; the columns fill top
// to bottom, then left to right: label n is in column n / 7, row n % 7.
TEST_F(DefaultLayoutPrintTest, TwentyOneLabelsFillAnA4SheetColumnByColumn) {
  TAnaF& f = Create();
  AddLabels(f, 22);
  Print(f, "1");
  ASSERT_EQ(run.Pages.size(), 2u);
  auto first = NamesOn(*run.Pages[0]);
  auto second = NamesOn(*run.Pages[1]);
  ASSERT_EQ(first.size(), 21u);
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second.begin()->first, "L22");
  std::vector<std::pair<int, int>> at;
  for (int n = 1; n <= 21; ++n) {
    char name[8];
    std::snprintf(name, sizeof name, "L%02d", n);
    ASSERT_EQ(first.count(name), 1u) << name;
    at.push_back(first[name]);
  }
  for (int n = 0; n < 21; ++n) {
    const int column = n / 7, row = n % 7;
    EXPECT_EQ(at[n].first, at[column * 7].first) << "label " << n + 1 << " is not in the column of its first";
    EXPECT_EQ(at[n].second, at[row].second) << "label " << n + 1 << " is not in the row of its first";
    if (row > 0) {
      EXPECT_GT(at[n].second, at[n - 1].second) << "label " << n + 1;
    }
    if (column > 0) {
      EXPECT_GT(at[n].first, at[n - 7].first) << "label " << n + 1;
    }
  }
}

// Start position 5: four blank places, then the labels in the places the
// full sheet gives positions 5, 6 and 7.
TEST_F(DefaultLayoutPrintTest, StartPositionFiveLeavesFourBlankPlacesFirst) {
  TAnaF& f = Create();
  AddLabels(f, 21, "S");
  Print(f, "1");
  ASSERT_EQ(run.Pages.size(), 1u);
  auto sheet = NamesOn(*run.Pages[0], "S");
  ASSERT_EQ(sheet.size(), 21u);

  f.RxEtiket->EmptyTable();
  AddLabels(f, 3, "T");
  run.Pages.clear();
  Print(f, "5");
  ASSERT_EQ(run.Pages.size(), 1u);
  auto placed = NamesOn(*run.Pages[0], "T");
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed["T01"], sheet["S05"]);
  EXPECT_EQ(placed["T02"], sheet["S06"]);
  EXPECT_EQ(placed["T03"], sheet["S07"]);
  // Nothing else printed in the four places before them.
  for (const PlacedText& t : PlacedTexts(*run.Pages[0]))
    for (const char* before : {"S01", "S02", "S03", "S04"})
      EXPECT_FALSE(t.X == sheet[before].first && t.Y == sheet[before].second) << t.Text << " at " << before;
  EXPECT_EQ(PlaceholderCount(*f.RxEtiket), 4);
}

// A code the default layout cannot print ends the request with a Turkish
// message naming the label; nothing is prepared and no placeholder stays.
TEST_F(DefaultLayoutPrintTest, AWrongCheckDigitIsNamedBeforeAnythingPrints) {
  TAnaF& f = Create();
  AddLabels(f, 2);
  f.RxEtiket->Last();
  f.RxEtiket->Edit();
  f.RxEtiket->FieldByName("METIN1")->SetAsString("8690000000025");  // its check digit is 9
  f.RxEtiket->Post();
  dialogs.AnswerText("3").AnswerButton(IDOK);
  f.YazdirClick(f.Yazdir1);
  EXPECT_TRUE(run.Pages.empty());
  EXPECT_EQ(PlaceholderCount(*f.RxEtiket), 0);
  ASSERT_EQ(dialogs.Records().size(), 2u);
  EXPECT_NE(dialogs.Records()[1].Text.find("2. etiketteki barkod (8690000000025) basılamaz."), AnsiString::npos)
      << dialogs.Records()[1].Text;
}

}  // namespace

// Three labels printed from the main form on the program's default printer
// through the output paths, as the program prints them. Run only where a
// script looks at the printed result (tests/e2e/labels_pdf_e2e.py sets
// DOZURI_LABELS_TO_PRINTER and checks the PDF the queue writes).
class LabelsToThePrinter : public MainFormTest {};

TEST_F(LabelsToThePrinter, ThreeLabelsWithTurkishTextsGoToTheDefaultPrinter) {
  if (std::getenv("DOZURI_LABELS_TO_PRINTER") == nullptr)
    GTEST_SKIP() << "DOZURI_LABELS_TO_PRINTER is not set";
  WriteAll(folder.File("etiket.vlp"), ReadAll(ShippedLayoutPath()));
  const TReportRunner previousRunner = SetReportRunner(nullptr);
  InstallReportRunner();
  InstallRunnerOutputPaths();
  TAnaF& f = Create();
  const char* const labels[][3] = {
      {"8690000000012", "Çiğdem Şeker", "Gül Ürünleri"},
      {"400638133393", "Işık Öğretmen", "İstanbul"},
      {"5901234123457", "Ağaç Süngü", "Ölçü 3"},
  };
  for (const auto& label : labels) {
    f.RxEtiket->Append();
    for (int n = 0; n < 3; ++n)
      f.RxEtiket->FieldByName("METIN" + std::to_string(n + 1))->SetAsString(label[n]);
    f.RxEtiket->Post();
  }
  dialogs.AnswerText("1");
  f.YazdirClick(f.Yazdir1);
  EXPECT_EQ(PlaceholderCount(*f.RxEtiket), 0);
  SetReportRunner(previousRunner);
  InstallRunnerOutput(nullptr);
}
