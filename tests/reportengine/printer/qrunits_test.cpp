// Units and sizes: conversions, the page's defaults and setter rules, band
// and printable sizes, and the "Values" stream property.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "classlib/classes/component.h"
#include "reportengine/printer/qrunitfacts.h"
#include "reportengine/printer/qrunits.h"
#include "tests/support/componenttext.h"

namespace {

// A report and its control, recording what the size objects ask of them.
class FakeReport : public IQRUnitReport, public IQRSizedControl {
public:
  int UnitFontSize() override { return FontSize; }
  void PageLayoutChanged() override { ++Layouts; }
  void PageRepaint() override { ++Repaints; }
  void ReapplyReportUnits() override { ++Reapplied; }
  void GetSizedBounds(int& left, int& top, int& width, int& height) override {
    left = Left, top = Top, width = Width, height = Height;
  }
  void SetSizedBounds(int left, int top, int width, int height) override {
    Left = left, Top = top, Width = width, Height = height;
    ++Resizes;
  }
  int ParentPanelZoom() override { return PanelZoom; }

  int FontSize = 10;
  int PanelZoom = 100;
  int Left = 7, Top = 9, Width = 0, Height = 0;
  int Layouts = 0, Repaints = 0, Reapplied = 0, Resizes = 0;
};

// The engine's facts as a Turkish machine has them: metric, 96 dpi.
class Units : public testing::Test {
protected:
  QRUnitFactsScope facts_{TQRUnitFacts{false, 96}};
  FakeReport report_;
};

TEST_F(Units, PageDefaultsFollowTheMeasurementSystem) {
  struct Case {
    bool US;
    TQRUnit Units;
    TQRPaperSize Paper;
    long double Width, Length, Margin;
  };
  const Case cases[] = {
      {false, MM, TQRPaperSize::A4, 2100, 2970, 100},
      {true, Inches, TQRPaperSize::Letter, 2159, 2794, 127},
  };
  for (const Case& c : cases) {
    QRUnitFactsScope facts(TQRUnitFacts{c.US, 120});
    TQRPage page;
    SCOPED_TRACE(c.US);
    EXPECT_EQ(page.Units(), c.Units);
    EXPECT_EQ(page.PaperSize(), c.Paper);
    EXPECT_EQ(page.Resolution(), 120);
    EXPECT_EQ(page.Zoom(), 100);
    EXPECT_EQ(page.Columns(), 1);
    EXPECT_EQ(page.Orientation(), poPortrait);
    EXPECT_TRUE(page.Ruler());
    EXPECT_NEAR(static_cast<double>(page.NativeValue(TQRPage::WidthIndex)), static_cast<double>(c.Width), 1e-9);
    EXPECT_NEAR(static_cast<double>(page.NativeValue(TQRPage::LengthIndex)), static_cast<double>(c.Length), 1e-9);
    for (int i : {TQRPage::TopMarginIndex, TQRPage::BottomMarginIndex, TQRPage::LeftMarginIndex,
                  TQRPage::RightMarginIndex})
      EXPECT_EQ(page.NativeValue(i), c.Margin);
    EXPECT_EQ(page.NativeValue(TQRPage::ColumnSpaceIndex), 0);
    // Other size objects take the units of the locale too.
    EXPECT_EQ(TQRBandSize().Units(), c.Units);
    EXPECT_EQ(TQRPrintableSize().Units(), c.Units);
  }
}

TEST_F(Units, WidthAndLengthAreAcceptedOnlyForCustomPaper) {
  TQRPage page(&report_, &report_);
  page.SetWidth(100);
  page.SetLength(50);
  EXPECT_NEAR(static_cast<double>(page.Width()), 210, 1e-12);
  EXPECT_NEAR(static_cast<double>(page.Length()), 297, 1e-12);
  EXPECT_EQ(report_.Resizes, 0);

  page.SetPaperSize(TQRPaperSize::Custom);
  EXPECT_NEAR(static_cast<double>(page.Width()), 210, 1e-12);  // Custom keeps the lengths
  page.SetWidth(100);
  EXPECT_EQ(page.NativeValue(TQRPage::WidthIndex), 1000);
  // The report control follows in screen pixels: 100 mm at 96 dpi.
  EXPECT_EQ(report_.Width, 378);
  EXPECT_EQ(report_.Height, 1123);
  EXPECT_EQ(report_.Left, 7);
  EXPECT_GE(report_.Layouts, 1);
}

TEST_F(Units, MarginsRepaintAndTheBottomMarginLaysOut) {
  TQRPage page(&report_, &report_);
  page.SetTopMargin(5);
  page.SetLeftMargin(5);
  page.SetRightMargin(5);
  page.SetColumnSpace(2);
  EXPECT_EQ(report_.Repaints, 4);
  EXPECT_EQ(report_.Layouts, 0);
  EXPECT_EQ(page.NativeValue(TQRPage::ColumnSpaceIndex), 20);
  page.SetBottomMargin(15);
  EXPECT_EQ(report_.Layouts, 1);
  EXPECT_EQ(report_.Resizes, 1);
  EXPECT_EQ(page.NativeValue(TQRPage::BottomMarginIndex), 150);
}

TEST_F(Units, OrientationAppliesThePaperAgain) {
  TQRPage page(&report_, &report_);
  page.SetOrientation(poLandscape);
  EXPECT_NEAR(static_cast<double>(page.Width()), 297, 1e-12);
  EXPECT_NEAR(static_cast<double>(page.Length()), 210, 1e-12);
  EXPECT_EQ(page.PaperSize(), TQRPaperSize::A4);
  EXPECT_EQ(page.Units(), MM);

  page.SetPaperSize(TQRPaperSize::Env9);
  EXPECT_NEAR(static_cast<double>(page.Width()), 225.4, 1e-12);
  EXPECT_NEAR(static_cast<double>(page.Length()), 98.43, 1e-12);
  page.SetOrientation(poPortrait);
  EXPECT_NEAR(static_cast<double>(page.Width()), 98.43, 1e-12);
}

TEST_F(Units, PaperSetterKeepsTheUnitsAndCustomSizes) {
  TQRPage page(&report_, &report_);
  page.SetUnits(Inches);
  page.SetPaperSize(TQRPaperSize::Letter);
  EXPECT_EQ(page.Units(), Inches);
  EXPECT_NEAR(static_cast<double>(page.Width()), 8.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(page.Length()), 11, 1e-12);

  page.SetPaperSize(TQRPaperSize::Custom);
  page.SetWidth(4);
  page.SetOrientation(poLandscape);  // Custom: no swap, nothing from the table
  EXPECT_NEAR(static_cast<double>(page.Width()), 4, 1e-12);
  page.SetPaperSize(TQRPaperSize::Default);
  EXPECT_NEAR(static_cast<double>(page.Width()), 4, 1e-12);
  EXPECT_EQ(page.PaperSize(), TQRPaperSize::Default);

  page.SetPaperSize(static_cast<TQRPaperSize>(90));
  EXPECT_EQ(page.PaperSize(), TQRPaperSize::Default);
}

TEST_F(Units, ColumnsIgnoreZeroNegativeAndTheSameValue) {
  TQRPage page(&report_, &report_);
  for (int columns : {0, -3, 1})
    page.SetColumns(columns);
  EXPECT_EQ(page.Columns(), 1);
  EXPECT_EQ(report_.Layouts, 0);
  page.SetColumns(3);
  EXPECT_EQ(page.Columns(), 3);
  EXPECT_EQ(report_.Layouts, 1);
}

TEST_F(Units, RulerRepaintsAndReappliesTheReportUnitsOnChange) {
  TQRPage page(&report_, &report_);
  page.SetRuler(true);
  EXPECT_EQ(report_.Reapplied, 0);
  page.SetRuler(false);
  EXPECT_FALSE(page.Ruler());
  EXPECT_EQ(report_.Reapplied, 1);
  EXPECT_EQ(report_.Repaints, 1);
  page.SetUnits(Inches);
  EXPECT_EQ(report_.Repaints, 2);
}

// FromNative and ToNative of every unit, horizontally and vertically.
TEST_F(Units, ConversionTable) {
  struct Case {
    TQRUnit Unit;
    bool Horizontal;
    long double NativeValue;
    long double Converted;
  };
  const Case cases[] = {
      {MM, true, 1000, 100},
      {Inches, false, 254, 1},
      {Pixels, true, 254, 96},
      {Characters, true, 800 / 2.54L, 10},  // 314.96: ten characters of 3.1496 mm
      {Characters, false, 145.3L / 2.54L * 2, 2},  // two lines of 10 pt: 57.2 mm each /10
      {Native, false, 123.4L, 123.4L},
  };
  TQRPrintableSize size(&report_, nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Unit));
    EXPECT_NEAR(static_cast<double>(size.FromNative(c.Unit, c.Horizontal, c.NativeValue)),
                static_cast<double>(c.Converted), 1e-9);
    EXPECT_NEAR(static_cast<double>(size.ToNative(c.Unit, c.Horizontal, c.Converted)),
                static_cast<double>(c.NativeValue), 1e-9);
  }
}

TEST_F(Units, CharactersFollowTheReportFontAndSurviveSizeZero) {
  TQRPrintableSize size(&report_, nullptr);
  EXPECT_NEAR(static_cast<double>(CharWidth(10)), 3.1496062992, 1e-9);
  size.SetUnits(Characters);
  size.SetWidth(10);
  EXPECT_NEAR(static_cast<double>(size.NativeValue(TQRPrintableSize::WidthIndex)), 314.96062992, 1e-6);

  report_.FontSize = -20;  // a font given by its height: its absolute size counts
  EXPECT_NEAR(static_cast<double>(size.Width()), 20, 1e-9);

  report_.FontSize = 0;
  for (bool horizontal : {true, false}) {
    long double from = size.FromNative(Characters, horizontal, 314.96L);
    long double to = size.ToNative(Characters, horizontal, 10);
    EXPECT_TRUE(std::isfinite(from) && std::isfinite(to));
    EXPECT_GT(to, 0);
  }
  EXPECT_EQ(CharWidth(0), CharWidth(10));
  EXPECT_EQ(CharHeight(-1), CharHeight(10));
}

// In Characters a horizontal length counts character widths, a vertical one
// lines: each measure of each size object by its own direction.
TEST_F(Units, EachMeasureConvertsCharactersInItsOwnDirection) {
  constexpr bool H = true, V = false;
  const long double across = 1000 / CharWidth(10) / 10, down = 1000 / CharHeight(10) / 10;
  auto check = [&](auto& size, std::initializer_list<bool> directions) {
    size.SetUnits(Native);
    for (int i = 0; i < static_cast<int>(directions.size()); ++i)
      size.ApplyMeasure(i, 1000);
    size.SetUnits(Characters);
    int i = 0;
    for (bool horizontal : directions) {
      SCOPED_TRACE(i);
      EXPECT_NEAR(static_cast<double>(size.GetMeasure(i)), static_cast<double>(horizontal ? across : down), 1e-9);
      ++i;
    }
  };
  TQRPage page(&report_, nullptr);
  page.SetPaperSize(TQRPaperSize::Custom);
  check(page, {V, V, V, H, H, H, H});  // BottomMargin Length TopMargin Width LeftMargin RightMargin ColumnSpace
  TQRBandSize band(&report_, nullptr);
  check(band, {V, H});  // Height Width
  TQRPrintableSize printable(&report_, nullptr);
  check(printable, {V, H, V, H});  // Height Left Top Width
}

TEST_F(Units, PixelsFollowResolutionAndZoom) {
  TQRBandSize size(&report_, nullptr);
  EXPECT_NEAR(static_cast<double>(size.FromNative(Pixels, true, 254)), 96, 1e-9);
  size.SetZoom(200);
  EXPECT_NEAR(static_cast<double>(size.FromNative(Pixels, true, 254)), 192, 1e-9);
  EXPECT_NEAR(static_cast<double>(size.ToNative(Pixels, true, 192)), 254, 1e-9);
  size.SetZoom(0);  // refused: a zoom of 0 would divide by zero
  size.SetResolution(0);
  EXPECT_EQ(size.Zoom(), 200);
  EXPECT_EQ(size.Resolution(), 96);
  EXPECT_TRUE(std::isfinite(size.ToNative(Pixels, false, 10)));
}

TEST_F(Units, UsePixelsPutsTheUnitsAsideUntilRestored) {
  TQRBandSize size(&report_, nullptr);
  size.SetUnits(Inches);
  size.UsePixels();
  EXPECT_EQ(size.Units(), Pixels);
  EXPECT_EQ(size.SavedUnits(), Inches);
  EXPECT_NEAR(static_cast<double>(size.Height()), 20 / (254.0 / 96), 1e-9);
  size.RestoreUnits();
  EXPECT_EQ(size.Units(), Inches);
}

TEST_F(Units, BandSizeResizesTheBandKeepingItsPlace) {
  TQRBandSize size(&report_, &report_);
  EXPECT_EQ(size.NativeValue(TQRBandSize::LengthIndex), 20);
  EXPECT_EQ(size.NativeValue(TQRBandSize::WidthIndex), 40);
  size.SetUnits(Native);
  size.SetHeight(254);
  EXPECT_EQ(report_.Left, 7);
  EXPECT_EQ(report_.Top, 9);
  EXPECT_EQ(report_.Height, 96);
  EXPECT_EQ(report_.Width, 15);  // 40 native = 15.118 px
  EXPECT_FALSE(size.ParentUpdating());
}

TEST_F(Units, PrintableSizeSetsBoundsAndReadsPixelsAtThePanelZoom) {
  TQRPrintableSize size(&report_, &report_);
  for (int i = 0; i < TQRPrintableSize::MeasureCount; ++i)
    EXPECT_EQ(size.NativeValue(i), 20);
  size.SetUnits(Native);
  size.SetLeft(254);
  EXPECT_EQ(report_.Left, 96);
  EXPECT_EQ(report_.Top, 8);  // 20 native = 7.56 px
  size.SetUnits(Pixels);
  report_.PanelZoom = 150;
  EXPECT_NEAR(static_cast<double>(size.Left()), 144, 1e-9);
  // Setting in pixels does not divide by the panel zoom.
  size.SetTop(96);
  EXPECT_NEAR(static_cast<double>(size.NativeValue(TQRPrintableSize::TopIndex)), 254, 1e-9);
}

TEST_F(Units, OutOfRangeMeasuresRaiseInsteadOfReadingPastTheValues) {
  TQRPage page;
  EXPECT_THROW(page.GetMeasure(7), std::out_of_range);
  EXPECT_THROW(page.ApplyMeasure(-1, 1), std::out_of_range);
  TQRPrintableSize size;
  EXPECT_THROW(size.GetMeasure(4), std::out_of_range);
}

// The system's answer: on Windows the locale's measurement setting (the test
// desktop runs Turkish, and once U.S. English), natively metric.
TEST(UnitFacts, TheSystemsMeasurementPicksTheDefaultUnits) {
  std::string locale;
  if (const char* lang = std::getenv("LANG"))
    locale = lang;
#ifdef _WIN32
  if (locale.rfind("en_US", 0) != 0 && locale.rfind("tr_TR", 0) != 0)
    GTEST_SKIP() << "locale " << locale << " not one of the test desktop's";
  bool us = locale.rfind("en_US", 0) == 0;
#else
  bool us = false;
#endif
  EXPECT_EQ(QRUsesUSMeasure(), us);
  EXPECT_GT(QRScreenPixelsPerInch(), 0);
  TQRPage page;
  EXPECT_EQ(page.Units(), us ? Inches : MM);
  EXPECT_EQ(page.PaperSize(), us ? TQRPaperSize::Letter : TQRPaperSize::A4);
}

// What the property inspector and the stream see of each size object.
TEST_F(Units, PublishedPropertiesInIndexOrder) {
  auto names = [](TClass aClass) {
    std::vector<std::string> list;
    for (PPropInfo prop : GetPropList(aClass))
      list.emplace_back(prop->Name);
    return list;
  };
  EXPECT_EQ(names(TQRPage::StaticClass()),
            (std::vector<std::string>{"BottomMargin", "Length", "TopMargin", "Width", "LeftMargin", "RightMargin",
                                      "ColumnSpace", "Columns", "Orientation", "PaperSize", "Ruler"}));
  EXPECT_EQ(names(TQRBandSize::StaticClass()), (std::vector<std::string>{"Height", "Width"}));
  EXPECT_EQ(names(TQRPrintableSize::StaticClass()), (std::vector<std::string>{"Height", "Left", "Top", "Width"}));

  // The inspector reads and writes lengths in the current unit.
  TQRPage page(&report_, &report_);
  EXPECT_NEAR(static_cast<double>(GetFloatProp(&page, "LeftMargin")), 10, 1e-12);
  page.SetUnits(Inches);
  SetFloatProp(&page, "TopMargin", 1);
  EXPECT_EQ(page.NativeValue(TQRPage::TopMarginIndex), 254);
}

// ---- The "Values" stream property -------------------------------------------

// A component carrying a page, a band size and a printable size, as a report,
// a band and a printable carry theirs.
class TSizeHolder : public TComponent, public FakeReport {
  DECLARE_CLASS(TSizeHolder, TComponent)

public:
  explicit TSizeHolder(TComponent* AOwner)
      : TComponent(AOwner), page_(this, this), band_(this, nullptr), printable_(this, nullptr) {}
  TQRPage* Page() { return &page_; }
  TQRBandSize* BandSize() { return &band_; }
  TQRPrintableSize* Size() { return &printable_; }
  void Loaded() override {
    TComponent::Loaded();
    page_.AfterLoad();
  }

private:
  TQRPage page_;
  TQRBandSize band_;
  TQRPrintableSize printable_;
};

BEGIN_PUBLISHED(TSizeHolder)
  PROPERTY_RO(Page, Page),
  PROPERTY_RO(BandSize, BandSize),
  PROPERTY_RO(Size, Size),
END_PUBLISHED

class SizeStream : public Units {};

TEST_F(SizeStream, ValuesAreWrittenInTheirOrderAndReadBackExactly) {
  TSizeHolder written(nullptr);
  written.SetName("Holder");
  written.Page()->SetPaperSize(TQRPaperSize::Custom);
  written.Page()->SetUnits(Native);
  const long double pageValues[] = {11.5L, 2970.125L, 33, 2100.1L, 55, 66, 77.7L};
  for (int i = 0; i < TQRPage::MeasureCount; ++i)
    written.Page()->ApplyMeasure(i, pageValues[i]);
  written.BandSize()->SetUnits(Native);
  written.BandSize()->SetHeight(123.25L);
  written.Size()->SetUnits(Native);
  written.Size()->SetWidth(1.0L / 3);

  std::string text = test_support::ComponentText(&written);
  // Only "Values" carries the lengths; the converted lengths are not stored.
  EXPECT_EQ(text.find("Page.Width"), std::string::npos) << text;
  EXPECT_EQ(text.find("Size.Height ="), std::string::npos) << text;
  std::size_t page = text.find("Page.Values = (");
  std::size_t band = text.find("BandSize.Values = (");
  std::size_t printable = text.find("Size.Values = (", band + 1);
  ASSERT_NE(page, std::string::npos) << text;
  ASSERT_NE(band, std::string::npos) << text;
  ASSERT_NE(printable, std::string::npos) << text;
  EXPECT_NE(text.find("Page.PaperSize = Custom"), std::string::npos) << text;

  TSizeHolder read(nullptr);
  test_support::ReadComponentText(text, &read);
  for (int i = 0; i < TQRPage::MeasureCount; ++i)
    EXPECT_EQ(read.Page()->NativeValue(i), written.Page()->NativeValue(i)) << i;
  EXPECT_EQ(read.BandSize()->NativeValue(TQRBandSize::LengthIndex), 123.25L);
  EXPECT_EQ(read.BandSize()->NativeValue(TQRBandSize::WidthIndex), 40);
  EXPECT_EQ(read.Size()->NativeValue(TQRPrintableSize::WidthIndex), 1.0L / 3);
  EXPECT_EQ(read.Page()->PaperSize(), TQRPaperSize::Custom);
  // After loading, the report control takes the page's size in pixels.
  EXPECT_EQ(read.Width, 794);
  EXPECT_EQ(read.Height, 1123);
}

TEST_F(SizeStream, ValuesOfTheDefaultPageAreWrittenToo) {
  TSizeHolder holder(nullptr);
  holder.SetName("Holder");
  std::string text = test_support::ComponentText(&holder);
  EXPECT_NE(text.find("Page.Values = ("), std::string::npos) << text;
  EXPECT_NE(text.find("Size.Values = ("), std::string::npos) << text;
  EXPECT_NE(text.find("Page.Columns = 1"), std::string::npos) << text;
  EXPECT_NE(text.find("Page.Orientation = poPortrait"), std::string::npos) << text;
  EXPECT_NE(text.find("Page.PaperSize = A4"), std::string::npos) << text;
  EXPECT_EQ(text.find("Page.Ruler"), std::string::npos) << text;  // True is the stream default
  holder.Page()->SetRuler(false);
  EXPECT_NE(test_support::ComponentText(&holder).find("Page.Ruler = False"), std::string::npos);
}

TEST_F(SizeStream, ShortListsKeepTheRestAndDamagedValuesRaise) {
  const std::string shortList =
      "object Holder: TSizeHolder\n  Page.Values = (\n    5.0\n    6.0)\nend\n";
  TSizeHolder holder(nullptr);
  test_support::ReadComponentText(shortList, &holder);
  EXPECT_EQ(holder.Page()->NativeValue(0), 5);
  EXPECT_EQ(holder.Page()->NativeValue(1), 6);
  EXPECT_EQ(holder.Page()->NativeValue(TQRPage::WidthIndex), 2100);

  const std::string longList =
      "object Holder: TSizeHolder\n  BandSize.Values = (\n    1.0\n    2.0\n    3.0)\nend\n";
  TSizeHolder other(nullptr);
  test_support::ReadComponentText(longList, &other);
  EXPECT_EQ(other.BandSize()->NativeValue(0), 1);
  EXPECT_EQ(other.BandSize()->NativeValue(1), 2);

  // A length that is no number would size the control with garbage.
  TSizeHolder damaged(nullptr);
  damaged.SetName("Holder");
  damaged.BandSize()->SetUnits(Native);
  damaged.BandSize()->SetWidth(std::numeric_limits<long double>::quiet_NaN());
  TMemoryStream binary;
  {
    TWriter writer(binary);
    writer.WriteRootComponent(&damaged);
  }
  binary.SetPosition(0);
  TSizeHolder reread(nullptr);
  TReader reader(binary);
  EXPECT_THROW(reader.ReadRootComponent(&reread), EReadError);
}


// ---- "Values" as bytes: what layout files hold ------------------------------

// An 80-bit float of a positive whole number, built bit by bit: 64-bit
// significand with its leading one, then sign and 15-bit exponent biased by
// 16383, little-endian.
std::string ExtendedBytes(std::uint64_t whole) {
  int exponent = 63;
  while ((whole >> exponent) == 0)
    --exponent;
  std::uint64_t significand = whole << (63 - exponent);
  std::uint16_t signAndExponent = static_cast<std::uint16_t>(16383 + exponent);
  std::string bytes;
  for (int i = 0; i < 8; ++i)
    bytes += static_cast<char>(significand >> (8 * i));
  bytes += static_cast<char>(signAndExponent & 0xFF);
  bytes += static_cast<char>(signAndExponent >> 8);
  return bytes;
}

std::string ShortString(const std::string& text) {
  return static_cast<char>(text.size()) + text;
}

// A list of extended values (vaList, vaExtended + ten bytes each, vaNull).
std::string ValuesList(std::initializer_list<std::uint64_t> values) {
  std::string bytes(1, '\x01');
  for (std::uint64_t value : values)
    bytes += '\x05' + ExtendedBytes(value);
  return bytes + '\0';
}

TEST_F(SizeStream, ValuesAreListsOfTenByteExtendedsInTheLayoutFilesOrder) {
  // The encoder itself: 2100 is 1.025390625 x 2^11.
  EXPECT_EQ(ExtendedBytes(2100), std::string("\0\0\0\0\0\0\x40\x83\x0A\x40", 10));

  const std::string page = ValuesList({11, 2970, 33, 2100, 55, 66, 77});
  const std::string band = ValuesList({123, 456});
  const std::string printable = ValuesList({21, 22, 23, 24});
  std::string layout = "TPF0" + ShortString("TSizeHolder") + ShortString("Holder") + ShortString("Page.Values") +
                       page + ShortString("BandSize.Values") + band + ShortString("Size.Values") + printable +
                       std::string(2, '\0');
  TMemoryStream stream;
  stream.Write(layout.data(), static_cast<std::int32_t>(layout.size()));
  stream.SetPosition(0);
  TSizeHolder holder(nullptr);
  TReader reader(stream);
  reader.ReadRootComponent(&holder);

  // Each value lands in the length its place in the list names.
  TQRPage& p = *holder.Page();
  p.SetUnits(Native);
  EXPECT_EQ(p.BottomMargin(), 11);
  EXPECT_EQ(p.Length(), 2970);
  EXPECT_EQ(p.TopMargin(), 33);
  EXPECT_EQ(p.Width(), 2100);
  EXPECT_EQ(p.LeftMargin(), 55);
  EXPECT_EQ(p.RightMargin(), 66);
  EXPECT_EQ(p.ColumnSpace(), 77);
  holder.BandSize()->SetUnits(Native);
  EXPECT_EQ(holder.BandSize()->Height(), 123);
  EXPECT_EQ(holder.BandSize()->Width(), 456);
  TQRPrintableSize& s = *holder.Size();
  s.SetUnits(Native);
  EXPECT_EQ(s.Height(), 21);
  EXPECT_EQ(s.Left(), 22);
  EXPECT_EQ(s.Top(), 23);
  EXPECT_EQ(s.Width(), 24);

  // Written again, the same bytes, after the page's published properties.
  TMemoryStream written;
  {
    TWriter writer(written);
    writer.WriteRootComponent(&holder);
  }
  std::string bytes(static_cast<const char*>(written.Memory()), static_cast<std::size_t>(written.Size()));
  std::size_t pageAt = bytes.find(ShortString("Page.Values"));
  ASSERT_NE(pageAt, std::string::npos);
  EXPECT_EQ(bytes.substr(pageAt + 12, page.size()), page);
  EXPECT_LT(bytes.find(ShortString("Page.PaperSize")), pageAt);
  std::size_t bandAt = bytes.find(ShortString("BandSize.Values"));
  ASSERT_NE(bandAt, std::string::npos);
  EXPECT_EQ(bytes.substr(bandAt + 16, band.size()), band);
  std::size_t sizeAt = bytes.find(ShortString("Size.Values"), bandAt + 16);
  ASSERT_NE(sizeAt, std::string::npos);
  EXPECT_EQ(bytes.substr(sizeAt + 12, printable.size()), printable);
}

}  // namespace
