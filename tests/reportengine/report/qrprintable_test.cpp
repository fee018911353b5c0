// The printable base: its defaults, bounds kept in the size object, the
// positions read while loading, band alignment, design corner marks and
// the prepare, print and unprepare protocol of a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/graphics/metafile.h"
#include "classlib/graphics/screenfacts.h"
#include "qrreporttesting.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/printer/qrunitfacts.h"
#include "tests/support/componenttext.h"

using namespace qrreport_test;

namespace {

class Printables : public ::testing::Test {
protected:
  Printables() : screen(TScreenFacts{96, -1, 32}), units(TQRUnitFacts{false, 96}) {}

  void SetUp() override {
    form.Show();
    report = new TestReport(form.Host());
    report->SetParent(form.Host());
    report->page.SetUnits(MM);
    report->SetBounds(0, 0, 400, 300);
    band = new TestBand(form.Host());
    band->SetParent(report);
    band->SetBounds(0, 40, 200, 60);
  }

  TQRPrintable* AddPrintable(TWinControl* parent) {
    auto* printable = new TQRPrintable(form.Host());
    printable->SetParent(parent);
    return printable;
  }

  ScreenFactsScope screen;
  QRUnitFactsScope units;
  test_support::FormFixture form;
  TestReport* report = nullptr;
  TestBand* band = nullptr;
};

// Millimetres at 96 pixels per inch.
constexpr long double kMMPerPixel = 25.4L / 96;

TEST(QRPrintable, StartsWhiteOpaqueTenPixelsSquareLeftAlignedAndFinished) {
  test_support::Owned<TQRPrintable> p(new TQRPrintable(nullptr));
  EXPECT_EQ(p->Color(), clWhite);
  EXPECT_EQ(p->Width(), 10);
  EXPECT_EQ(p->Height(), 10);
  EXPECT_EQ(p->Alignment(), taLeftJustify);
  EXPECT_FALSE(p->AlignToBand());
  EXPECT_FALSE(p->Transparent());
  EXPECT_TRUE(p->PrintFinished());
  EXPECT_FALSE(p->IsPrinting());
  EXPECT_EQ(p->LoadedLeft() + p->LoadedTop() + p->LoadedWidth() + p->LoadedHeight(), 0);
  EXPECT_EQ(p->ParentReport(), nullptr);
  EXPECT_EQ(p->Frame()->Owner(), p.get());
  EXPECT_EQ(p->Size()->Control(), static_cast<IQRSizedControl*>(p.get()));
  // The size object holds the ten pixels.
  EXPECT_NEAR(static_cast<double>(p->Size()->NativeValue(TQRPrintableSize::WidthIndex)), 26.458, 0.001);
  for (const char* name : {"Enabled", "Frame", "Size", "Left", "Top", "Width", "Height", "Name", "Tag", "Hint",
                           "ShowHint", "ParentShowHint"})
    EXPECT_TRUE(IsPublishedProp(p.get(), name)) << name;
  std::string text = test_support::ComponentText(p.get());
  EXPECT_EQ(text.find("Enabled"), std::string::npos) << "True is the default";
  p->SetEnabled(false);
  EXPECT_NE(test_support::ComponentText(p.get()).find("Enabled = False"), std::string::npos);
}

TEST(QRPrintable, TransparentIsTheAbsenceOfOpaque) {
  test_support::Owned<TQRPrintable> p(new TQRPrintable(nullptr));
  p->SetTransparent(true);
  EXPECT_FALSE(p->ControlStyle().Contains(csOpaque));
  EXPECT_TRUE(p->Transparent());
  p->SetTransparent(false);
  EXPECT_TRUE(p->ControlStyle().Contains(csOpaque));
}

TEST(QRPrintable, ShouldPrintWhenEnabledOrInvisible) {
  struct Case {
    bool enabled, visible, print;
  };
  for (Case c : {Case{true, true, true}, Case{true, false, true}, Case{false, false, true},
                 Case{false, true, false}}) {
    test_support::Owned<TQRPrintable> p(new TQRPrintable(nullptr));
    p->SetEnabled(c.enabled);
    p->SetVisible(c.visible);
    EXPECT_EQ(p->ShouldPrint(), c.print) << c.enabled << c.visible;
  }
}

TEST(QRPrintable, EditorClassDescribesAnEditorThatEditsNothing) {
  test_support::Owned<TQRPrintable> p(new TQRPrintable(nullptr));
  TClass editorClass = p->GetEditorClass();
  ASSERT_EQ(editorClass, TQRPrintableEditor::StaticClass());
  std::unique_ptr<TObject> object(editorClass->Create());
  auto* editor = dynamic_cast<TQRPrintableEditor*>(object.get());
  ASSERT_NE(editor, nullptr);
  editor->SetPrintable(p.get());
  TColor color = clRed;
  TFont font;
  EXPECT_FALSE(editor->GetColor(color));
  EXPECT_FALSE(editor->GetFont(font));
  EXPECT_EQ(editor->EditedClass(), TQRPrintable::StaticClass());
  EXPECT_EQ(editor->GetCaption(), "");
  EXPECT_EQ(editor->EditorName(), "");
  EXPECT_EQ(editor->Description(), "");
}

TEST_F(Printables, BoundsGoIntoTheSizeInTheReportsUnits) {
  TQRPrintable* p = AddPrintable(report);
  EXPECT_EQ(p->ParentReport(), report);
  EXPECT_EQ(p->Size()->Units(), MM);
  p->SetBounds(96, 48, 192, 96);
  EXPECT_NEAR(static_cast<double>(p->Size()->Left()), 25.4, 1e-9);
  EXPECT_NEAR(static_cast<double>(p->Size()->Top()), 12.7, 1e-9);
  EXPECT_NEAR(static_cast<double>(p->Size()->Width()), 50.8, 1e-9);
  EXPECT_NEAR(static_cast<double>(p->Size()->Height()), 25.4, 1e-9);
  EXPECT_EQ(p->Size()->Units(), MM) << "the units come back after the pixels";
  // A length set in the size moves the control.
  p->Size()->SetLeft(10);
  EXPECT_EQ(p->Left(), 38);
  EXPECT_TRUE(report->DesignRepaintMarked());
}

TEST_F(Printables, BoundsSetAgainUnchangedKeepTheSizeExact) {
  TQRPrintable* p = AddPrintable(report);
  p->Size()->SetWidth(10);
  p->Size()->SetLeft(3);
  ASSERT_EQ(p->Width(), 38);
  ASSERT_EQ(p->Left(), 11);
  p->SetBounds(p->Left(), p->Top(), p->Width(), p->Height());
  EXPECT_EQ(p->Size()->NativeValue(TQRPrintableSize::WidthIndex), 100);
  EXPECT_EQ(p->Size()->NativeValue(TQRPrintableSize::LeftIndex), 30);
  p->SetWidth(39);
  EXPECT_NEAR(static_cast<double>(p->Size()->Width()), 39 * kMMPerPixel, 1e-9);
}

TEST_F(Printables, AZoomedPrintableMovedKeepsItsSize) {
  TQRPrintable* p = AddPrintable(band);
  p->SetBounds(10, 10, 96, 48);
  report->ApplyZoom(200);
  ASSERT_EQ(p->Width(), 192);
  p->SetLeft(200);
  EXPECT_EQ(p->Left(), 200);
  EXPECT_EQ(p->Width(), 192);
  EXPECT_EQ(p->Height(), 96);
  EXPECT_NEAR(static_cast<double>(p->Size()->NativeValue(TQRPrintableSize::WidthIndex)), 254, 1e-9);
  EXPECT_NEAR(static_cast<double>(p->Size()->NativeValue(TQRPrintableSize::LeftIndex)), 254 * 100.0 / 96, 1e-9);
}

TEST_F(Printables, OnABandTheSizeTakesTheBandsUnitsAndTheReport) {
  band->bandUnits = Inches;
  TQRPrintable* p = AddPrintable(band);
  EXPECT_EQ(p->Size()->Units(), Inches);
  EXPECT_EQ(p->ParentReport(), report);
  EXPECT_EQ(p->Size()->ParentReport(), static_cast<IQRUnitReport*>(report));
  p->SetBounds(48, 0, 96, 24);
  EXPECT_NEAR(static_cast<double>(p->Size()->Left()), 0.5, 1e-9);
  // A plain panel belongs to no report.
  auto* plain = new TQRBasePanel(form.Host());
  plain->SetParent(form.Host());
  TQRPrintable* loose = AddPrintable(plain);
  EXPECT_EQ(loose->ParentReport(), nullptr);
}

TEST_F(Printables, AttachingToAZoomedReportKeepsThePixelPosition) {
  report->ApplyZoom(200);
  TQRPrintable* p = AddPrintable(band);
  p->SetBounds(40, 20, 96, 48);
  EXPECT_EQ(p->CurrentZoom(), 200);
  EXPECT_EQ(p->Left(), 40);
  EXPECT_NEAR(static_cast<double>(p->Size()->NativeValue(TQRPrintableSize::LeftIndex)), 20 * 25.4 / 96 * 10,
              1e-9);
}

// A printable as the stream gives it: Left 10, Top 20, Height 40 pixels in
// the size, Width as the case says.
std::string StoredPrintable(int width, const char* nativeWidth) {
  return "object Kutu: TQRPrintable\n"
         "  Left = 10\n  Top = 20\n  Width = " + std::to_string(width) + "\n  Height = 40\n"
         "  Size.Values = (\n    105.83333333333333333\n    26.458333333333333333\n"
         "    52.916666666666666666\n    " + nativeWidth + ")\nend\n";
}

TEST(QRPrintableLoading, StoredBoundsFillInOnlyWhatTheSizeLeavesAtZero) {
  ScreenFactsScope screen(TScreenFacts{96, -1, 32});
  QRUnitFactsScope units(TQRUnitFacts{false, 96});
  struct Case {
    const char* what;
    int storedWidth;
    const char* nativeWidth;
    int width;
    int loadedWidth;
  };
  const Case cases[] = {
      {"the size gives the width", 50, "254", 96, 50},
      {"the size gives 0, the stored width comes back", 50, "0", 50, 50},
      {"a stored 0 is not remembered", 0, "254", 96, 0},
      {"both 0", 0, "0", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test_support::Owned<TQRPrintable> p(new TQRPrintable(nullptr));
    test_support::ReadComponentText(StoredPrintable(c.storedWidth, c.nativeWidth), p.get());
    EXPECT_EQ(p->Width(), c.width);
    EXPECT_EQ(p->LoadedWidth(), c.loadedWidth);
    EXPECT_EQ(p->Left(), 10);
    EXPECT_EQ(p->Top(), 20);
    EXPECT_EQ(p->Height(), 40);
    EXPECT_EQ(p->LoadedLeft(), 10);
    EXPECT_EQ(p->LoadedTop(), 20);
    EXPECT_EQ(p->LoadedHeight(), 40);
    EXPECT_NEAR(static_cast<double>(p->Size()->NativeValue(TQRPrintableSize::WidthIndex)),
                c.width * 254.0 / 96, 1e-6)
        << "the size holds what the control shows";
  }
}

TEST_F(Printables, BandAlignmentPlacesTheControlInsideTheBand) {
  struct Case {
    TAlignment alignment;
    int left;
  };
  for (Case c : {Case{taRightJustify, 150}, Case{taCenter, 75}, Case{taLeftJustify, 0}}) {
    TQRPrintable* p = AddPrintable(band);
    p->SetBounds(30, 5, 50, 20);
    p->SetAlignment(c.alignment);
    EXPECT_EQ(p->Left(), 30) << "no alignment without AlignToBand";
    p->SetAlignToBand(true);
    EXPECT_EQ(p->Left(), c.left) << c.alignment;
    p->SetLeft(20);
    EXPECT_EQ(p->Left(), c.left) << "a move snaps back";
    EXPECT_NEAR(static_cast<double>(p->Size()->NativeValue(TQRPrintableSize::LeftIndex)),
                c.left * 254.0 / 96, 1e-9);
    p->Free();
  }
}

TEST_F(Printables, ResizedBandReAlignsOnItsNotice) {
  TQRPrintable* right = AddPrintable(band);
  right->SetBounds(0, 5, 50, 20);
  right->SetAlignment(taRightJustify);
  right->SetAlignToBand(true);
  TQRPrintable* free = AddPrintable(band);
  free->SetBounds(30, 5, 50, 20);
  free->SetAlignment(taRightJustify);
  band->SetWidth(300);
  EXPECT_EQ(right->Left(), 150) << "not before the notice";
  right->Notify(band, QRNotifyBandResized);
  free->Notify(band, QRNotifyBandResized);
  EXPECT_EQ(right->Left(), 250);
  EXPECT_EQ(free->Left(), 30);
  right->Notify(band, QRNotifyRecordAdvanced);
  EXPECT_EQ(right->Left(), 250);
}

TEST_F(Printables, OnlyLeftAlignmentMovesAControlOutsideABand) {
  TQRPrintable* p = AddPrintable(report);
  p->SetBounds(30, 5, 50, 20);
  p->SetAlignment(taRightJustify);
  p->SetAlignToBand(true);
  EXPECT_EQ(p->Left(), 30);
  p->SetAlignment(taLeftJustify);
  EXPECT_EQ(p->Left(), 0);
}

TEST_F(Printables, DesignViewDrawsCornerMarksAndTheZoomedFrame) {
  TQRPrintable* p = AddPrintable(band);
  p->SetBounds(10, 10, 40, 30);
  p->Frame()->SetColor(clRed);
  p->Frame()->SetDrawBottom(true);
  Picture picture(*p, 40, 30);
  for (POINT black : {POINT{0, 0}, POINT{0, 3}, POINT{2, 0}, POINT{0, 26}, POINT{0, 29}, POINT{39, 0},
                      POINT{36, 0}, POINT{39, 29}, POINT{39, 27}, POINT{36, 29}})
    EXPECT_EQ(picture.At(black.x, black.y), clBlack) << black.x << "," << black.y;
  // Each mark ends one pixel short of its last point.
  EXPECT_EQ(picture.At(3, 0), clWhite);
  EXPECT_EQ(picture.At(39, 26), clWhite);
  EXPECT_EQ(picture.At(0, 5), clWhite);
  EXPECT_EQ(picture.At(20, 10), clWhite);
  // A one-point line is one pixel at zoom 100 and three at zoom 200, on
  // the client rectangle less one pixel at the bottom.
  EXPECT_EQ(picture.At(20, 28), clRed);
  EXPECT_EQ(picture.At(20, 27), clWhite);
  // While a run prints it, the control paints no marks.
  QRPreparePrintables(*band);
  Picture printing(*p, 40, 30);
  EXPECT_NE(printing.At(0, 0), clBlack);
  EXPECT_NE(printing.At(20, 28), clRed);
  QRUnpreparePrintables(*band);
  report->ApplyZoom(200);
  Picture zoomed(*p, p->Width(), p->Height());
  int h = p->Height();
  EXPECT_EQ(zoomed.At(40, h - 2), clRed);
  EXPECT_EQ(zoomed.At(40, h - 4), clRed);
  EXPECT_EQ(zoomed.At(40, h - 5), clWhite);
}

// Records its prints and finishes after as many passes as it is given.
class CountingPrintable : public TQRPrintable {
public:
  explicit CountingPrintable(TComponent* owner) : TQRPrintable(owner) {}
  void Print(int OfsX, int OfsY) override {
    offsets.push_back({OfsX, OfsY});
    SetPrintFinished(static_cast<int>(offsets.size()) >= passes);
  }
  int passes = 1;
  std::vector<POINT> offsets;
};

TEST_F(Printables, PrepareAndUnprepareReachEveryPrintableOnTheReport) {
  TQRPrinter printer(nullptr);
  report->printer = &printer;
  TQRPrintable* onReport = AddPrintable(report);
  TQRPrintable* onBand = AddPrintable(band);
  QRPreparePrintables(*report);
  for (TQRPrintable* p : {onReport, onBand}) {
    EXPECT_TRUE(p->IsPrinting());
    EXPECT_EQ(p->QRPrinter(), &printer);
  }
  QRUnpreparePrintables(*report);
  for (TQRPrintable* p : {onReport, onBand}) {
    EXPECT_FALSE(p->IsPrinting());
    EXPECT_EQ(p->QRPrinter(), nullptr);
  }
}

TEST_F(Printables, LaterPassesPrintOnlyTheUnfinished) {
  auto* once = new CountingPrintable(form.Host());
  once->SetParent(band);
  auto* thrice = new CountingPrintable(form.Host());
  thrice->SetParent(band);
  thrice->passes = 3;
  auto* disabled = new CountingPrintable(form.Host());
  disabled->SetParent(band);
  disabled->SetEnabled(false);
  EXPECT_FALSE(QRPrintChildPrintables(*band, 100, 200, true));
  EXPECT_FALSE(QRPrintChildPrintables(*band, 100, 300, false));
  EXPECT_TRUE(QRPrintChildPrintables(*band, 100, 400, false));
  EXPECT_EQ(once->offsets.size(), 1u);
  ASSERT_EQ(thrice->offsets.size(), 3u);
  EXPECT_EQ(thrice->offsets[2].y, 400);
  EXPECT_EQ(once->offsets[0].x, 100);
  EXPECT_TRUE(disabled->offsets.empty());
}

// The first page of a metafile run in which the printable printed.
void PrintOnePage(TQRPrinter& printer, TQRPrintable& p, TBitmap& page) {
  printer.BeginDoc();
  printer.NewPage();
  QRPreparePrintables(*p.Parent());
  p.Print(0, 0);
  QRUnpreparePrintables(*p.Parent());
  printer.EndDoc();
  std::unique_ptr<TMetafile> metafile = printer.GetPage(1);
  ASSERT_NE(metafile, nullptr);
  page.SetPixelFormat(pf24bit);
  page.SetSize(metafile->Width(), metafile->Height());
  page.Canvas().Brush().SetColor(clWhite);
  page.Canvas().FillRect(Rect(0, 0, page.Width(), page.Height()));
  page.Canvas().StretchDraw(Rect(0, 0, page.Width(), page.Height()), *metafile);
}

TEST_F(Printables, PrintDrawsTheFrameOnThePageAtTheSizesPosition) {
  TQRPrinter printer(nullptr);
  report->printer = &printer;
  TQRPrintable* p = AddPrintable(report);
  p->Size()->SetUnits(Native);
  p->Size()->SetLeft(100);
  p->Size()->SetTop(200);
  p->Size()->SetWidth(400);
  p->Size()->SetHeight(100);
  p->Frame()->SetColor(clBlue);
  p->Frame()->SetDrawTop(true);
  p->Frame()->SetDrawLeft(true);
  TBitmap page;
  PrintOnePage(printer, *p, page);
  int x = printer.DeviceX(100), y = printer.DeviceY(200);
  EXPECT_EQ(page.Canvas().GetPixel(x + 20, y), clBlue);
  EXPECT_EQ(page.Canvas().GetPixel(x, y + 10), clBlue);
  EXPECT_EQ(page.Canvas().GetPixel(x + 20, y + 10), clWhite);
  EXPECT_EQ(page.Canvas().GetPixel(x + 20, y - 2), clWhite);
}

TEST_F(Printables, WithoutAFrameOrPrinterPagesNothingPrints) {
  struct Case {
    const char* what;
    bool frame;
    bool printerPages;
  };
  for (Case c : {Case{"no frame", false, true}, Case{"an export takes the pages", true, false}}) {
    SCOPED_TRACE(c.what);
    TQRPrinter printer(nullptr);
    report->printer = &printer;
    report->usePrinterPages = c.printerPages;
    TQRPrintable* p = AddPrintable(report);
    p->Size()->SetUnits(Native);
    p->SetBounds(10, 10, 100, 50);
    p->Frame()->SetDrawTop(c.frame);
    TBitmap page;
    PrintOnePage(printer, *p, page);
    int marked = 0;
    for (int y = 0; y < page.Height(); y += 2)
      for (int x = 0; x < page.Width(); x += 2)
        marked += page.Canvas().GetPixel(x, y) != clWhite;
    EXPECT_EQ(marked, 0);
    p->Free();
  }
}

}  // namespace
