// TZReportControl: every visible object of a text report (the report, its
// bands and controllers, its labels) is a window whose position and size are
// whole characters and lines. On a design surface one character cell is the
// report font's average character width by its line height; while a report
// runs the control works on a print-time copy of its bounds that formatting
// may change without disturbing the design.
//
// TZRFrame draws a control's sides with "-", "|" and "+" characters and
// insets its content by the same number of characters.
#pragma once
#include "classlib/controls/customcontrol.h"
#include "textreport/output/zrprntr.h"

class TZReportControl;

// How many characters (lines) each side takes; a side is drawn when above 0.
class TZRFrame : public TPersistent {
  DECLARE_CLASS(TZRFrame, TPersistent)

public:
  explicit TZRFrame(TZReportControl* Control = nullptr) : FControl(Control) {}

  int Left() const { return FLeft; }
  void SetLeft(int Value) { Set(FLeft, Value); }
  int Top() const { return FTop; }
  void SetTop(int Value) { Set(FTop, Value); }
  int Right() const { return FRight; }
  void SetRight(int Value) { Set(FRight, Value); }
  int Bottom() const { return FBottom; }
  void SetBottom(int Value) { Set(FBottom, Value); }
  int Width() const { return FLeft + FRight; }
  int Height() const { return FTop + FBottom; }

  void Assign(TPersistent* Source) override;

  // Draws the frame into the document at (X, Y) for a control W wide and H
  // high; a control that is not a band is cut to its parent's client area.
  void Print(TZRPrinter& Document, int X, int Y, int W, int H) const;

private:
  void Set(int& Side, int Value);

  TZReportControl* FControl;
  int FLeft = 0, FTop = 0, FRight = 0, FBottom = 0;
};

enum TZRAlign { zalNone, zalLeft, zalTop, zalRight, zalBottom, zalWidth, zalHeight };
DOZURI_ENUM(TZRAlign, "zalNone", "zalLeft", "zalTop", "zalRight", "zalBottom", "zalWidth", "zalHeight");
enum TZRFontStyle { zfsBold, zfsItalic, zfsUnderline, zfsSuperScript, zfsSubScript };
DOZURI_ENUM(TZRFontStyle, "zfsBold", "zfsItalic", "zfsUnderline", "zfsSuperScript", "zfsSubScript");
DOZURI_SET(TZRFontStyles, TZRFontStyle);

DOZURI_EVENT(TZRBeforePrintEvent, void(TObject* Sender, bool& DoPrint));

// The report notice (WM_USER + 100) and its codes.
inline constexpr UINT ZRNoticeStructure = WM_USER + 100;
enum TZRStructureNotice { zsnJoined = 0, zsnLeft, zsnRenamed, zsnBandsReordered, zsnLinkSet, zsnDataSetChanged };

// Character cell of the design view, in pixels.
struct TZRCharMetrics {
  int Width = 7;
  int Height = 14;
};

class TZReportControl : public TCustomControl {
  DECLARE_CLASS(TZReportControl, TCustomControl)

public:
  explicit TZReportControl(TComponent* AOwner);
  ~TZReportControl() override;

  // The report the control belongs to (the report is its own), or nullptr.
  TZReportControl* Report() const { return FReport; }
  TZReportControl* ParentControl() const { return FParentControl; }

  // What the kind of control is; bands, controllers and the report say so.
  virtual bool IsBand() const { return false; }
  virtual bool IsController() const { return false; }
  virtual bool IsReport() const { return false; }
  // The report's running document (the report answers), else nullptr.
  virtual TZRPrinter* Document() const;
  // A minimized report shows as a small picture at design time.
  virtual bool IsMinimized() const { return false; }
  // A report shown at run time shows its bands and labels as it does on the
  // design surface.
  virtual bool ShowsAtRunTime() const { return false; }
  // The report measures the character cell of its design view: the average
  // width and line height of its font while it has a parent window.
  virtual TZRCharMetrics MeasureCharCell() const;

  // Bounds in characters: design bounds, or the print-time copy while printing.
  // 0 Left, 1 Top, 2 Width, 3 Height, 4 right, 5 bottom.
  int GetCharBounds(int Index) const;
  void ApplyCharBounds(int Index, int Value);
  int Left() const { return GetCharBounds(0); }
  void SetLeft(int Value) { ApplyCharBounds(0, Value); }
  int Top() const { return GetCharBounds(1); }
  void SetTop(int Value) { ApplyCharBounds(1, Value); }
  int Width() const { return GetCharBounds(2); }
  void SetWidth(int Value) { ApplyCharBounds(2, Value); }
  int Height() const { return GetCharBounds(3); }
  void SetHeight(int Value) { ApplyCharBounds(3, Value); }
  int ClientWidthChars() const { return Width() - FFrame->Width(); }
  int ClientHeightChars() const { return Height() - FFrame->Height(); }

  TZRFrame* Frame() const { return FFrame.get(); }
  void SetFrame(TZRFrame* Value) { FFrame->Assign(Value); }
  TZRAlign Align() const { return FAlign; }
  void SetAlign(TZRAlign Value);
  TZRFontStyles FontStyles() const { return FFontStyles; }
  void SetFontStyles(TZRFontStyles Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  bool Printing() const { return FPrinting; }
  // On a design surface, not running.
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  bool PrintFlag() const { return FPrintFlag; }
  // An object that failed while printing prints no more in this pass.
  void ClearPrintFlag() { FPrintFlag = false; }
  int DesignHeight() const { return FHeight; }

  TZRBeforePrintEvent BeforePrint;
  TNotifyEvent AfterPrint;

  // The design view's character cell: the report font's average width and
  // line height, or 7 x 14 without a report window.
  TZRCharMetrics GetCharMetrics() const;
  // Re-lays out the control and, unless printing, sizes its window.
  void ApplyPixelBounds();
  // Sends a structure notice to the report.
  void NotifyReport(TZRStructureNotice Code);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetParent(TWinControl* AParent) override;
  void SetName(const AnsiString& NewName) override;

  // The run protocol the report drives through every control.
  virtual void Prepare();
  virtual void Unprepare();
  virtual void DoBeforePrint();
  virtual void DoAfterPrint();
  virtual void UpdateLayout();
  virtual void FormatContent();
  virtual void AlignContent();
  virtual void Print(int X, int Y);

protected:
  void Paint() override;
  virtual void PaintDesign();
  void Dispatch(TMessage& Message) override;
  // Structure notices reach the report here.
  virtual void StructureNotice(TZRStructureNotice Code, TZReportControl* Sender) {}
  // The report sets itself as its own report.
  void MakeOwnReport() { FReport = this; }
  // A minimized report keeps a size set in characters as the size it
  // returns to when restored.
  virtual void KeepRestoreSize(int Width, int Height) {}
  // The window a control placed into Logical lives in: Logical itself, but a
  // band of a nested controller lives in the report's window.
  virtual TWinControl* WindowParentFor(TZReportControl* Logical) { return Logical; }

private:
  void FontChanged();
  int& Bound(int Index);

  TZReportControl* FReport = nullptr;
  TZReportControl* FParentControl = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 8, FHeight = 1;
  std::unique_ptr<TZRFrame> FFrame;
  TZRAlign FAlign = zalNone;
  TZRFontStyles FFontStyles;
  bool FEnabled = true;
  bool FVisible = true;
  bool FInLayout = false;
  bool FPrinting = false;
  bool FPrintFlag = false;
  int FPrintLeft = 0, FPrintTop = 0, FPrintWidth = 0, FPrintHeight = 0;
};
