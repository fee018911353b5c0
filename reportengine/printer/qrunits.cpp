#include "reportengine/printer/qrunits.h"

#include <cmath>
#include <cstdlib>

#include "classlib/classes/filer.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printer/qrunitfacts.h"

namespace {

// The report's default font size, used when a report gives none.
constexpr int kDefaultFontSize = 10;

// Native values of the page's defaults.
constexpr long double kInchMargin = 127;  // 0.5 inch
constexpr long double kMetricMargin = 100;  // 10 mm

// Puts a value back when the scope ends, also when a call raises.
template <class T>
class Restore {
public:
  Restore(T& place, T value) : place_(place), saved_(place) { place_ = value; }
  ~Restore() { place_ = saved_; }
  Restore(const Restore&) = delete;
  Restore& operator=(const Restore&) = delete;

private:
  T& place_;
  T saved_;
};

template <std::size_t N>
void WriteValues(TWriter& writer, const std::array<long double, N>& values) {
  writer.WriteListBegin();
  for (long double value : values)
    writer.WriteFloat(value);
  writer.WriteListEnd();
}

// Reads the list into values. A shorter list leaves the rest as they are,
// a longer one is read to its end; a value that is no finite number marks a
// damaged stream.
template <std::size_t N>
void ReadValues(TReader& reader, std::array<long double, N>& values) {
  reader.ReadListBegin();
  for (std::size_t i = 0; !reader.EndOfList(); ++i) {
    long double value = reader.ReadFloat();
    if (!std::isfinite(value))
      throw EReadError("Invalid property value");
    if (i < N)
      values[i] = value;
  }
  reader.ReadListEnd();
}

}  // namespace

long double CharWidth(int FontSize) {
  int size = FontSize > 0 ? FontSize : kDefaultFontSize;
  return 80.0L / size / 2.54L;
}

long double CharHeight(int FontSize) {
  int size = FontSize > 0 ? FontSize : kDefaultFontSize;
  return 145.3L / size / 2.54L;
}

// ---- TQRUnitBase -----------------------------------------------------------

IMPLEMENT_CLASS(TQRUnitBase)

TQRUnitBase::TQRUnitBase()
    : FUnits(QRUsesUSMeasure() ? Inches : MM), FSavedUnits(FUnits), FResolution(96) {
  SetResolution(QRScreenPixelsPerInch());
}

void TQRUnitBase::SetResolution(int Value) {
  if (Value > 0)
    FResolution = Value;
}

void TQRUnitBase::SetZoom(int Value) {
  if (Value > 0)
    FZoom = Value;
}

int TQRUnitBase::FontSize() {
  return FParentReport != nullptr ? std::abs(FParentReport->UnitFontSize()) : kDefaultFontSize;
}

long double TQRUnitBase::FromNative(TQRUnit AUnits, bool Horizontal, long double Value) {
  switch (AUnits) {
    case MM:
      return Value / 10;
    case Inches:
      return Value / 254;
    case Pixels:
      return Value / (254.0L / FResolution) * FZoom / 100;
    case Characters:
      return Value / (Horizontal ? CharWidth(FontSize()) : CharHeight(FontSize())) / 10;
    case Native:
      break;
  }
  return Value;
}

long double TQRUnitBase::ToNative(TQRUnit AUnits, bool Horizontal, long double Value) {
  switch (AUnits) {
    case MM:
      return Value * 10;
    case Inches:
      return Value * 254;
    case Pixels:
      return Value * (254.0L / FResolution) / FZoom * 100;
    case Characters:
      return Value * (Horizontal ? CharWidth(FontSize()) : CharHeight(FontSize())) * 10;
    case Native:
      break;
  }
  return Value;
}

TQRUnit TQRUnitBase::CurrentUnits() {
  return FUnits;
}

void TQRUnitBase::AfterLoad() {
  ResizeParent();
}

void TQRUnitBase::LoadValues(TReader& Reader) {
  Reader.SkipValue();
}

void TQRUnitBase::ResizeParent() {}

void TQRUnitBase::ApplyUnits(TQRUnit Value) {
  FUnits = Value;
}

void TQRUnitBase::StoreValues(TWriter& Writer) {
  Writer.WriteListBegin();
  Writer.WriteListEnd();
}

void TQRUnitBase::DefineProperties(TFiler& Filer) {
  TPersistent::DefineProperties(Filer);
  Filer.DefineProperty(
      "Values", [this](TReader& reader) { LoadValues(reader); },
      [this](TWriter& writer) { StoreValues(writer); }, true);
}

void TQRUnitBase::UsePixels() {
  FSavedUnits = FUnits;
  ApplyUnits(Pixels);
}

void TQRUnitBase::RestoreUnits() {
  ApplyUnits(FSavedUnits);
}

int TQRUnitBase::RoundPixels(long double Value) {
  return CheckedInt32(Round(static_cast<double>(Value)));
}

// The report and a band keep their position; only width and height follow.
void TQRUnitBase::ResizeKeepingPlace(long double Width, long double Length) {
  if (FParentUpdating || FControl == nullptr)
    return;
  Restore<bool> updating(FParentUpdating, true);
  int left = 0, top = 0, width = 0, height = 0;
  FControl->GetSizedBounds(left, top, width, height);
  width = RoundPixels(FromNative(Pixels, true, Width));
  height = RoundPixels(FromNative(Pixels, false, Length));
  FControl->SetSizedBounds(left, top, width, height);
}

// ---- TQRPage ---------------------------------------------------------------

namespace {
constexpr bool kPageHorizontal[TQRPage::MeasureCount] = {false, false, false, true, true, true, true};
}  // namespace

BEGIN_PUBLISHED(TQRPage)
  PROPERTY(BottomMargin, BottomMargin, SetBottomMargin).Stored(false),
  PROPERTY(Length, Length, SetLength).Stored(false),
  PROPERTY(TopMargin, TopMargin, SetTopMargin).Stored(false),
  PROPERTY(Width, Width, SetWidth).Stored(false),
  PROPERTY(LeftMargin, LeftMargin, SetLeftMargin).Stored(false),
  PROPERTY(RightMargin, RightMargin, SetRightMargin).Stored(false),
  PROPERTY(ColumnSpace, ColumnSpace, SetColumnSpace).Stored(false),
  PROPERTY(Columns, Columns, SetColumns),
  PROPERTY(Orientation, Orientation, SetOrientation),
  PROPERTY(PaperSize, PaperSize, SetPaperSize),
  PROPERTY(Ruler, Ruler, SetRuler).Default(true),
END_PUBLISHED

// The report and its control are not told of the defaults: the report makes
// its page while it is itself being made, and sizes itself afterwards.
TQRPage::TQRPage(IQRUnitReport* Report, IQRSizedControl* Control) {
  bool us = QRUsesUSMeasure();
  FUnits = us ? Inches : MM;
  FSavedUnits = FUnits;
  FPaperSize = us ? TQRPaperSize::Letter : TQRPaperSize::A4;
  TQRPaperDimensions paper = PaperDimensions(FPaperSize);
  FValues[WidthIndex] = paper.Width * 10;
  FValues[LengthIndex] = paper.Length * 10;
  long double margin = us ? kInchMargin : kMetricMargin;
  FValues[TopMarginIndex] = FValues[BottomMarginIndex] = margin;
  FValues[LeftMarginIndex] = FValues[RightMarginIndex] = margin;
  FParentReport = Report;
  FControl = Control;
}

long double TQRPage::GetMeasure(int Index) {
  long double value = FValues.at(Index);
  return FromNative(FUnits, kPageHorizontal[Index], value);
}

void TQRPage::ApplyMeasure(int Index, long double Value) {
  bool paperLength = Index == LengthIndex || Index == WidthIndex;
  if (paperLength && FPaperSize != TQRPaperSize::Custom)
    return;
  long double& value = FValues.at(Index);
  value = ToNative(FUnits, kPageHorizontal[Index], Value);
  if (paperLength || Index == BottomMarginIndex) {
    ResizeParent();
    if (FParentReport != nullptr)
      FParentReport->PageLayoutChanged();
  } else if (FParentReport != nullptr) {
    FParentReport->PageRepaint();
  }
}

void TQRPage::SetColumns(int Value) {
  if (Value <= 0 || Value == FColumns)
    return;
  FColumns = Value;
  if (FParentReport != nullptr)
    FParentReport->PageLayoutChanged();
}

void TQRPage::SetOrientation(TPrinterOrientation Value) {
  FOrientation = Value;
  ApplyPaperSize(FPaperSize);
}

void TQRPage::ApplyPaperSize(TQRPaperSize Value) {
  if (static_cast<int>(Value) >= QRPaperSizeCount)
    return;
  if (IsStandardPaperSize(Value)) {
    TQRPaperDimensions paper = PaperDimensions(Value);
    if (FOrientation == poLandscape)
      std::swap(paper.Width, paper.Length);
    {
      // Millimetres, and Custom so that the lengths are accepted.
      Restore<TQRUnit> units(FUnits, MM);
      Restore<TQRPaperSize> size(FPaperSize, TQRPaperSize::Custom);
      ApplyMeasure(WidthIndex, paper.Width);
      ApplyMeasure(LengthIndex, paper.Length);
    }
    if (FParentReport != nullptr)
      FParentReport->PageLayoutChanged();
  }
  FPaperSize = Value;
}

void TQRPage::SetRuler(bool Value) {
  if (Value == FRuler)
    return;
  FRuler = Value;
  if (FParentReport != nullptr) {
    FParentReport->PageRepaint();
    FParentReport->ReapplyReportUnits();
  }
}

void TQRPage::ApplyUnits(TQRUnit Value) {
  TQRUnitBase::ApplyUnits(Value);
  if (FParentReport != nullptr)
    FParentReport->PageRepaint();
}

void TQRPage::LoadValues(TReader& Reader) {
  ReadValues(Reader, FValues);
}

void TQRPage::StoreValues(TWriter& Writer) {
  WriteValues(Writer, FValues);
}

void TQRPage::ResizeParent() {
  ResizeKeepingPlace(FValues[WidthIndex], FValues[LengthIndex]);
}

// ---- TQRBandSize -----------------------------------------------------------

namespace {
constexpr bool kBandHorizontal[TQRBandSize::MeasureCount] = {false, true};
}  // namespace

BEGIN_PUBLISHED(TQRBandSize)
  PROPERTY(Height, Height, SetHeight).Stored(false),
  PROPERTY(Width, Width, SetWidth).Stored(false),
END_PUBLISHED

TQRBandSize::TQRBandSize(IQRUnitReport* Report, IQRSizedControl* Control) {
  FParentReport = Report;
  FControl = Control;
}

long double TQRBandSize::GetMeasure(int Index) {
  long double value = FValues.at(Index);
  return FromNative(FUnits, kBandHorizontal[Index], value);
}

void TQRBandSize::ApplyMeasure(int Index, long double Value) {
  long double& value = FValues.at(Index);
  value = ToNative(FUnits, kBandHorizontal[Index], Value);
  ResizeParent();
}

void TQRBandSize::LoadValues(TReader& Reader) {
  ReadValues(Reader, FValues);
}

void TQRBandSize::StoreValues(TWriter& Writer) {
  WriteValues(Writer, FValues);
}

void TQRBandSize::ResizeParent() {
  ResizeKeepingPlace(FValues[WidthIndex], FValues[LengthIndex]);
}

// ---- TQRPrintableSize ------------------------------------------------------

namespace {
constexpr bool kPrintableHorizontal[TQRPrintableSize::MeasureCount] = {false, true, false, true};
}  // namespace

BEGIN_PUBLISHED(TQRPrintableSize)
  PROPERTY(Height, Height, SetHeight).Stored(false),
  PROPERTY(Left, Left, SetLeft).Stored(false),
  PROPERTY(Top, Top, SetTop).Stored(false),
  PROPERTY(Width, Width, SetWidth).Stored(false),
END_PUBLISHED

TQRPrintableSize::TQRPrintableSize(IQRUnitReport* Report, IQRSizedControl* Control) {
  FParentReport = Report;
  FControl = Control;
}

long double TQRPrintableSize::GetMeasure(int Index) {
  long double value = FValues.at(Index);
  value = FromNative(FUnits, kPrintableHorizontal[Index], value);
  if (FUnits == Pixels && FControl != nullptr)
    value = value * FControl->ParentPanelZoom() / 100;
  return value;
}

void TQRPrintableSize::ApplyMeasure(int Index, long double Value) {
  long double& value = FValues.at(Index);
  value = ToNative(FUnits, kPrintableHorizontal[Index], Value);
  ResizeParent();
}

void TQRPrintableSize::LoadValues(TReader& Reader) {
  ReadValues(Reader, FValues);
}

void TQRPrintableSize::StoreValues(TWriter& Writer) {
  WriteValues(Writer, FValues);
}

void TQRPrintableSize::ResizeParent() {
  if (FParentUpdating || FControl == nullptr)
    return;
  Restore<bool> updating(FParentUpdating, true);
  FControl->SetSizedBounds(RoundPixels(FromNative(Pixels, true, FValues[LeftIndex])),
                           RoundPixels(FromNative(Pixels, false, FValues[TopIndex])),
                           RoundPixels(FromNative(Pixels, true, FValues[WidthIndex])),
                           RoundPixels(FromNative(Pixels, false, FValues[HeightIndex])));
}
