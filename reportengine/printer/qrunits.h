// Units and sizes of the banded engine.
//
// Every length of a report is kept in one native unit, a tenth of a
// millimetre, as an 80-bit float, and shown in one of five units. The page
// (TQRPage), a band (TQRBandSize) and a printable (TQRPrintableSize) each
// carry their lengths in a size object; the base TQRUnitBase converts
// between native values and the current unit and streams the native values
// as the list "Values", always written:
//   TQRPage           BottomMargin, Length, TopMargin, Width, LeftMargin,
//                     RightMargin, ColumnSpace
//   TQRBandSize       Length (published as Height), Width
//   TQRPrintableSize  Height, Left, Top, Width
// The published lengths are converted to the current unit and not stored.
//
// A size object talks to the control it sizes (IQRSizedControl) and to the
// report it belongs to (IQRUnitReport): the report gives the font size of
// the Characters unit and lays its bands out again when the page changes.
#pragma once
#include <array>

#include "classlib/classes/persistent.h"
#include "classlib/classes/typinfo.h"
#include "classlib/printers/printerorientation.h"
#include "reportengine/printer/qrpapers.h"

class TReader;
class TWriter;

enum TQRUnit { MM, Inches, Pixels, Characters, Native };
DOZURI_ENUM(TQRUnit, "MM", "Inches", "Pixels", "Characters", "Native");

// Millimetres per character and per line for a font of FontSize points.
// A size of 0 or less counts as 10 points (the report's default font), so
// no conversion divides by zero.
long double CharWidth(int FontSize);
long double CharHeight(int FontSize);

// The control a size object sizes: a report, a band or a printable.
class IQRSizedControl {
public:
  virtual ~IQRSizedControl() = default;
  // The control's bounds in screen pixels, relative to its parent.
  virtual void GetSizedBounds(int& Left, int& Top, int& Width, int& Height) = 0;
  virtual void SetSizedBounds(int Left, int Top, int Width, int Height) = 0;
  // The Zoom of the report or band the control sits on; 100 when its parent
  // is neither.
  virtual int ParentPanelZoom() { return 100; }
};

// What a size object asks of the report it belongs to.
class IQRUnitReport {
public:
  virtual ~IQRUnitReport() = default;
  // The report's Font.Size (the Characters unit uses its absolute value).
  virtual int UnitFontSize() = 0;
  // The page's size, bottom margin, paper or columns changed: lay the bands
  // out again and repaint.
  virtual void PageLayoutChanged() {}
  // A margin, the column space, the units or the ruler changed: repaint.
  virtual void PageRepaint() {}
  // The ruler was switched: apply the report's Units again to every size.
  virtual void ReapplyReportUnits() {}
};

class TQRUnitBase : public TPersistent {
  DECLARE_CLASS(TQRUnitBase, TPersistent)

public:
  TQRUnitBase();

  // Conversions between native values (0.1 mm) and a unit; Horizontal picks
  // the character width or height in the Characters unit.
  virtual long double FromNative(TQRUnit AUnits, bool Horizontal, long double Value);
  virtual long double ToNative(TQRUnit AUnits, bool Horizontal, long double Value);
  virtual TQRUnit CurrentUnits();
  // Resizes the control from the values read; the owner calls it once
  // loading has finished.
  virtual void AfterLoad();
  virtual void LoadValues(TReader& Reader);
  virtual void ResizeParent();
  virtual void ApplyUnits(TQRUnit Value);
  virtual void StoreValues(TWriter& Writer);
  void DefineProperties(TFiler& Filer) override;

  // Puts the units aside and switches to Pixels; RestoreUnits brings them back.
  void UsePixels();
  void RestoreUnits();

  TQRUnit Units() { return CurrentUnits(); }
  void SetUnits(TQRUnit Value) { ApplyUnits(Value); }
  TQRUnit SavedUnits() const { return FSavedUnits; }
  int Resolution() const { return FResolution; }
  void SetResolution(int Value);
  int Zoom() const { return FZoom; }
  // Zoom in percent; values of 0 or less are ignored.
  void SetZoom(int Value);
  bool ParentUpdating() const { return FParentUpdating; }
  IQRUnitReport* ParentReport() const { return FParentReport; }
  void SetParentReport(IQRUnitReport* Value) { FParentReport = Value; }
  IQRSizedControl* Control() const { return FControl; }
  void SetControl(IQRSizedControl* Value) { FControl = Value; }

protected:
  int FontSize();
  // round(Value), halves to even, for pixel bounds.
  static int RoundPixels(long double Value);
  // Sets the control's width and height to the pixels of the native width
  // and length, keeping its position; skipped while ParentUpdating and
  // without a control.
  void ResizeKeepingPlace(long double Width, long double Length);

  TQRUnit FUnits;
  TQRUnit FSavedUnits;
  int FResolution;
  int FZoom = 100;
  bool FParentUpdating = false;
  IQRUnitReport* FParentReport = nullptr;
  IQRSizedControl* FControl = nullptr;
};

// The page of a report: size, margins, columns, orientation and paper.
class TQRPage : public TQRUnitBase {
  DECLARE_CLASS(TQRPage, TQRUnitBase)

public:
  enum Measure { BottomMarginIndex, LengthIndex, TopMarginIndex, WidthIndex, LeftMarginIndex,
                 RightMarginIndex, ColumnSpaceIndex, MeasureCount };

  // Made with the locale's defaults: Inches, Letter and half-inch margins on
  // a U.S.-measure system, else MM, A4 and 10 mm margins.
  explicit TQRPage(IQRUnitReport* Report = nullptr, IQRSizedControl* Control = nullptr);

  long double GetMeasure(int Index);
  void ApplyMeasure(int Index, long double Value);
  long double NativeValue(int Index) const { return FValues.at(Index); }

  long double BottomMargin() { return GetMeasure(BottomMarginIndex); }
  void SetBottomMargin(long double v) { ApplyMeasure(BottomMarginIndex, v); }
  long double Length() { return GetMeasure(LengthIndex); }
  void SetLength(long double v) { ApplyMeasure(LengthIndex, v); }
  long double TopMargin() { return GetMeasure(TopMarginIndex); }
  void SetTopMargin(long double v) { ApplyMeasure(TopMarginIndex, v); }
  long double Width() { return GetMeasure(WidthIndex); }
  void SetWidth(long double v) { ApplyMeasure(WidthIndex, v); }
  long double LeftMargin() { return GetMeasure(LeftMarginIndex); }
  void SetLeftMargin(long double v) { ApplyMeasure(LeftMarginIndex, v); }
  long double RightMargin() { return GetMeasure(RightMarginIndex); }
  void SetRightMargin(long double v) { ApplyMeasure(RightMarginIndex, v); }
  long double ColumnSpace() { return GetMeasure(ColumnSpaceIndex); }
  void SetColumnSpace(long double v) { ApplyMeasure(ColumnSpaceIndex, v); }

  int Columns() const { return FColumns; }
  // Values of 0 or less, or the current value, are ignored.
  void SetColumns(int Value);
  TPrinterOrientation Orientation() const { return FOrientation; }
  // Stores the orientation and applies the paper size again.
  void SetOrientation(TPrinterOrientation Value);
  TQRPaperSize PaperSize() const { return FPaperSize; }
  // Standard sizes set width and length from the paper table (swapped in
  // landscape); Default and Custom keep them.
  void SetPaperSize(TQRPaperSize Value) { ApplyPaperSize(Value); }
  void ApplyPaperSize(TQRPaperSize Value);
  bool Ruler() const { return FRuler; }
  void SetRuler(bool Value);

  void ApplyUnits(TQRUnit Value) override;
  void LoadValues(TReader& Reader) override;
  void StoreValues(TWriter& Writer) override;
  void ResizeParent() override;

private:
  std::array<long double, MeasureCount> FValues{};
  int FColumns = 1;
  TPrinterOrientation FOrientation = poPortrait;
  TQRPaperSize FPaperSize = TQRPaperSize::Default;
  bool FRuler = true;
};

// The size of a band: its length (published as Height) and width.
class TQRBandSize : public TQRUnitBase {
  DECLARE_CLASS(TQRBandSize, TQRUnitBase)

public:
  enum Measure { LengthIndex, WidthIndex, MeasureCount };

  explicit TQRBandSize(IQRUnitReport* Report = nullptr, IQRSizedControl* Control = nullptr);

  long double GetMeasure(int Index);
  void ApplyMeasure(int Index, long double Value);
  long double NativeValue(int Index) const { return FValues.at(Index); }

  long double Height() { return GetMeasure(LengthIndex); }
  void SetHeight(long double v) { ApplyMeasure(LengthIndex, v); }
  long double Length() { return GetMeasure(LengthIndex); }
  void SetLength(long double v) { ApplyMeasure(LengthIndex, v); }
  long double Width() { return GetMeasure(WidthIndex); }
  void SetWidth(long double v) { ApplyMeasure(WidthIndex, v); }

  void LoadValues(TReader& Reader) override;
  void StoreValues(TWriter& Writer) override;
  void ResizeParent() override;

private:
  std::array<long double, MeasureCount> FValues{20, 40};
};

// The position and size of a printable.
class TQRPrintableSize : public TQRUnitBase {
  DECLARE_CLASS(TQRPrintableSize, TQRUnitBase)

public:
  enum Measure { HeightIndex, LeftIndex, TopIndex, WidthIndex, MeasureCount };

  explicit TQRPrintableSize(IQRUnitReport* Report = nullptr, IQRSizedControl* Control = nullptr);

  // In Pixels further scaled by the parent panel's zoom.
  long double GetMeasure(int Index);
  void ApplyMeasure(int Index, long double Value);
  long double NativeValue(int Index) const { return FValues.at(Index); }

  long double Height() { return GetMeasure(HeightIndex); }
  void SetHeight(long double v) { ApplyMeasure(HeightIndex, v); }
  long double Left() { return GetMeasure(LeftIndex); }
  void SetLeft(long double v) { ApplyMeasure(LeftIndex, v); }
  long double Top() { return GetMeasure(TopIndex); }
  void SetTop(long double v) { ApplyMeasure(TopIndex, v); }
  long double Width() { return GetMeasure(WidthIndex); }
  void SetWidth(long double v) { ApplyMeasure(WidthIndex, v); }

  void LoadValues(TReader& Reader) override;
  void StoreValues(TWriter& Writer) override;
  void ResizeParent() override;

private:
  std::array<long double, MeasureCount> FValues{20, 20, 20, 20};
};
