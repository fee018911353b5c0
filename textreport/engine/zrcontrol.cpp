#include "textreport/engine/zrcontrol.h"

#include <algorithm>

#include "classlib/controls/messages.h"
#include "textreport/core/zrconst.h"

// ---- TZRFrame -----------------------------------------------------------------------------
BEGIN_PUBLISHED(TZRFrame)
  PROPERTY(Left, Left, SetLeft).Default(0),
  PROPERTY(Top, Top, SetTop).Default(0),
  PROPERTY(Right, Right, SetRight).Default(0),
  PROPERTY(Bottom, Bottom, SetBottom).Default(0),
END_PUBLISHED

void TZRFrame::Set(int& Side, int Value) {
  if (Side == Value)
    return;
  Side = Value;
  if (FControl != nullptr)
    FControl->ApplyPixelBounds();
}

void TZRFrame::Assign(TPersistent* Source) {
  if (auto* frame = dynamic_cast<TZRFrame*>(Source)) {
    FLeft = frame->FLeft;
    FTop = frame->FTop;
    FRight = frame->FRight;
    FBottom = frame->FBottom;
    if (FControl != nullptr)
      FControl->ApplyPixelBounds();
    return;
  }
  TPersistent::Assign(Source);
}

void TZRFrame::Print(TZRPrinter& Document, int X, int Y, int W, int H) const {
  int w = W, h = H;
  TZReportControl* parent = FControl != nullptr ? FControl->ParentControl() : nullptr;
  if (FControl != nullptr && !FControl->IsBand() && parent != nullptr) {
    w = std::min(W, parent->Width() - parent->Frame()->Right() - FControl->Left());
    h = std::min(H, parent->Height() - parent->Frame()->Bottom() - FControl->Top());
  }
  if (w <= 0 || h <= 0)
    return;
  AnsiString line(static_cast<size_t>(W), '-');
  if (FLeft > 0)
    line[0] = '+';
  if (FRight > 0)
    line[W - 1] = '+';
  const AnsiString edge = line.substr(0, static_cast<size_t>(w));
  int first = 0;
  if (FTop > 0) {
    Document.WriteText(X, Y, edge);
    first = 1;
  }
  // The sides stop above the bottom line, and never run past a clipped height.
  int last = h - 1;
  if (FBottom > 0) {
    if (H == h)
      Document.WriteText(X, Y + H - 1, edge);
    last = std::min(H - 2, h - 1);
  }
  for (int i = first; i <= last; ++i) {
    if (FLeft > 0)
      Document.WriteText(X, Y + i, "|");
    if (FRight > 0 && W == w)
      Document.WriteText(X + W - 1, Y + i, "|");
  }
}

// ---- TZReportControl ----------------------------------------------------------------------
BEGIN_PUBLISHED(TZReportControl)
  PROPERTY(Left, Left, SetLeft),
  PROPERTY(Top, Top, SetTop),
  PROPERTY(Width, Width, SetWidth),
  PROPERTY(Height, Height, SetHeight),
END_PUBLISHED

TZReportControl::TZReportControl(TComponent* AOwner)
    : TCustomControl(AOwner), FFrame(std::make_unique<TZRFrame>(this)) {
  SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
  SetParentColor(false);
  SetColor(clWindow);
}

TZReportControl::~TZReportControl() = default;

TZRPrinter* TZReportControl::Document() const {
  return FReport != nullptr && FReport != this ? FReport->Document() : nullptr;
}

int& TZReportControl::Bound(int Index) {
  static int none = 0;
  switch (Index) {
    case 0: return FPrinting ? FPrintLeft : FLeft;
    case 1: return FPrinting ? FPrintTop : FTop;
    case 2: return FPrinting ? FPrintWidth : FWidth;
    case 3: return FPrinting ? FPrintHeight : FHeight;
  }
  none = 0;
  return none;
}

int TZReportControl::GetCharBounds(int Index) const {
  const int left = FPrinting ? FPrintLeft : FLeft, top = FPrinting ? FPrintTop : FTop;
  const int width = FPrinting ? FPrintWidth : FWidth, height = FPrinting ? FPrintHeight : FHeight;
  switch (Index) {
    case 0: return left;
    case 1: return top;
    case 2: return width;
    case 3: return height;
    case 4: return left + width - 1;
    case 5: return top + height - 1;
  }
  return 0;
}

void TZReportControl::ApplyCharBounds(int Index, int Value) {
  if (Index < 0 || Index > 3 || GetCharBounds(Index) == Value)
    return;
  const bool size = Index >= 2;
  if (FPrinting) {
    Bound(Index) = size ? std::max(Value, 0) : Value;
    return;
  }
  Bound(Index) = size ? std::max(Value, 1) : Value;
  if (size && IsReport() && IsMinimized())
    KeepRestoreSize(FWidth, FHeight);
  ApplyPixelBounds();
}

TZRCharMetrics TZReportControl::GetCharMetrics() const {
  return FReport != nullptr ? FReport->MeasureCharCell() : TZRCharMetrics{};
}

// Measured on a screen DC, so a report placed on a form whose window is not
// made yet already has its cell (the report font is a screen font).
TZRCharMetrics TZReportControl::MeasureCharCell() const {
  TZRCharMetrics metrics;
  if (Parent() == nullptr)
    return metrics;
  HDC dc = ::GetDC(nullptr);
  if (dc == nullptr)
    return metrics;
  HGDIOBJ old = ::SelectObject(dc, Font()->Handle());
  TEXTMETRICW text{};
  if (::GetTextMetricsW(dc, &text) && text.tmAveCharWidth > 0 && text.tmHeight > 0) {
    metrics.Width = text.tmAveCharWidth;
    metrics.Height = text.tmHeight;
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(nullptr, dc);
  return metrics;
}

void TZReportControl::ApplyPixelBounds() {
  if (FReport == nullptr || FInLayout || ComponentState().Contains(csDestroying))
    return;
  FInLayout = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{FInLayout};
  UpdateLayout();
  if (FPrinting)
    return;
  const TZRCharMetrics cell = GetCharMetrics();
  if (IsReport()) {
    if (IsMinimized())
      TCustomControl::SetBounds(TControl::Left(), TControl::Top(), 32, 32);
    else
      TCustomControl::SetBounds(TControl::Left(), TControl::Top(), FWidth * cell.Width + 1,
                                FHeight * cell.Height + 1);
    return;
  }
  TCustomControl::SetBounds(FLeft * cell.Width, FTop * cell.Height, FWidth * cell.Width + 1,
                            FHeight * cell.Height + 1);
}

// Pixel bounds from the design surface become character bounds.
void TZReportControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FReport == nullptr || FInLayout)
    return;
  const TZRCharMetrics cell = GetCharMetrics();
  if (IsReport()) {
    if (!IsMinimized()) {
      FWidth = std::max(AWidth / cell.Width, 1);
      FHeight = std::max(AHeight / cell.Height, 1);
    }
  } else {
    FLeft = ALeft / cell.Width;
    FTop = ATop / cell.Height;
    FWidth = std::max(AWidth / cell.Width, 1);
    FHeight = std::max(AHeight / cell.Height, 1);
  }
  ApplyPixelBounds();
}

void TZReportControl::SetParent(TWinControl* AParent) {
  auto* parent = dynamic_cast<TZReportControl*>(AParent);
  struct Settle {
    TZReportControl& self;
    TZReportControl* parent;
    bool changed = false;
    ~Settle() {
      if (changed)
        self.FParentControl = parent;
      if (!self.IsReport())
        self.FReport = self.FParentControl != nullptr ? self.FParentControl->FReport : nullptr;
      self.ApplyPixelBounds();
      self.FontChanged();
    }
  } settle{*this, parent};
  if (!IsReport() && AParent != nullptr) {
    if (parent == nullptr || !(parent->IsBand() || parent->IsController()))
      RaiseZRError(SZRReportOrBandsOnly, {ClassName()});
    if (!IsBand() && parent->IsReport())
      RaiseZRError(SZRReportBandsOnly, {ClassName()});
  }
  TCustomControl::SetParent(parent != nullptr ? WindowParentFor(parent) : AParent);
  settle.changed = true;
}

void TZReportControl::SetName(const AnsiString& NewName) {
  TCustomControl::SetName(NewName);
  NotifyReport(zsnRenamed);
}

// A report that is being taken down hears nothing more.
void TZReportControl::NotifyReport(TZRStructureNotice Code) {
  if (FReport != nullptr && !FReport->ComponentState().Contains(csDestroying))
    FReport->Perform(ZRNoticeStructure, static_cast<WPARAM>(Code), reinterpret_cast<LPARAM>(this));
}

void TZReportControl::SetAlign(TZRAlign Value) {
  FAlign = Value;
  ApplyPixelBounds();
}

void TZReportControl::SetFontStyles(TZRFontStyles Value) {
  FFontStyles = Value;
  FontChanged();
}

// A control of a report takes the report's font onto its canvas, with the
// styles a screen font can show (superscript and subscript it cannot), and
// hands the change on to the controls inside it. The report's own font keeps
// the style it was given.
void TZReportControl::FontChanged() {
  if (FReport == nullptr)
    return;
  TFontStyles styles;
  if (FFontStyles.Contains(zfsBold))
    styles = styles + TFontStyles{fsBold};
  if (FFontStyles.Contains(zfsItalic))
    styles = styles + TFontStyles{fsItalic};
  if (FFontStyles.Contains(zfsUnderline))
    styles = styles + TFontStyles{fsUnderline};
  if (FReport != this) {
    Font()->Assign(FReport->Font());
    Font()->SetStyle(styles);
  }
  Canvas()->Font().Assign(FReport->Font());
  Canvas()->Font().SetStyle(styles);
  ApplyPixelBounds();
  for (int i = 0; i < ControlCount(); ++i)
    if (auto* child = dynamic_cast<TZReportControl*>(Controls(i)); child != nullptr && child->FReport == FReport)
      child->FontChanged();
}

void TZReportControl::Dispatch(TMessage& Message) {
  if (Message.Msg == ZRNoticeStructure) {
    StructureNotice(static_cast<TZRStructureNotice>(Message.WParam), reinterpret_cast<TZReportControl*>(Message.LParam));
    return;
  }
  if (Message.Msg == CM_FONTCHANGED && FReport == this) {
    TCustomControl::Dispatch(Message);
    FontChanged();
    return;
  }
  TCustomControl::Dispatch(Message);
}

// ---- Run protocol -------------------------------------------------------------------------
void TZReportControl::Prepare() {
  FPrinting = true;
  FPrintFlag = FEnabled;
}

void TZReportControl::Unprepare() { FPrinting = false; }

void TZReportControl::DoBeforePrint() {
  FPrintFlag = FEnabled;
  if (!FEnabled)
    return;
  if (Designing() || !BeforePrint) {
    FPrintFlag = FVisible;
    return;
  }
  bool doPrint = true;
  try {
    BeforePrint(this, doPrint);
  } catch (...) {
    FPrintFlag = false;
    throw;
  }
  FPrintFlag = doPrint;
}

void TZReportControl::DoAfterPrint() {
  if (FPrintFlag && AfterPrint && !Designing())
    AfterPrint(this);
}

void TZReportControl::UpdateLayout() {
  if (FReport == nullptr || ComponentState().Contains(csDestroying))
    return;
  FormatContent();
  AlignContent();
}

void TZReportControl::FormatContent() {
  if (!FPrinting)
    return;
  FPrintLeft = FLeft;
  FPrintTop = FTop;
  FPrintWidth = FWidth;
  FPrintHeight = FHeight;
}

void TZReportControl::AlignContent() {
  if (IsReport() || FParentControl == nullptr)
    return;
  const TZReportControl& parent = *FParentControl;
  switch (FAlign) {
    case zalTop:
    case zalBottom:
    case zalWidth:
      Bound(0) = parent.Frame()->Left();
      Bound(2) = parent.ClientWidthChars();
      if (FAlign == zalTop)
        Bound(1) = parent.Frame()->Top();
      else if (FAlign == zalBottom)
        Bound(1) = parent.Frame()->Top() + parent.ClientHeightChars() - Height();
      break;
    case zalLeft:
    case zalRight:
    case zalHeight:
      Bound(1) = parent.Frame()->Top();
      Bound(3) = parent.ClientHeightChars();
      if (FAlign == zalLeft)
        Bound(0) = parent.Frame()->Left();
      else if (FAlign == zalRight)
        Bound(0) = parent.Frame()->Left() + parent.ClientWidthChars() - Width();
      break;
    case zalNone: break;
  }
}

void TZReportControl::Print(int X, int Y) {
  if (!IsBand()) {
    X += Left();
    Y += Top();
  }
  if (TZRPrinter* document = Document())
    FFrame->Print(*document, X, Y, Width(), Height());
}

// ---- Design view --------------------------------------------------------------------------
// The report always paints; its bands and labels only where they are meant
// to be seen: a report shown at run time, or a design surface where the
// report is not minimized to its picture.
void TZReportControl::Paint() {
  const bool shown = IsReport() || (FReport != nullptr && (FReport->ShowsAtRunTime() ||
                                                             (Designing() && !FReport->IsMinimized())));
  if (shown)
    PaintDesign();
}

void TZReportControl::PaintDesign() {
  TCanvas& canvas = *Canvas();
  const TRect client = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.Brush().SetStyle(bsSolid);
  canvas.FillRect(client);
  const TZRCharMetrics cell = GetCharMetrics();
  if (FFrame->Width() + FFrame->Height() > 0) {
    TRect frame = client;
    if (FFrame->Left() > 0)
      frame.left += cell.Width / 2;
    if (FFrame->Top() > 0)
      frame.top += cell.Height / 2;
    if (FFrame->Right() > 0)
      frame.right -= cell.Width / 2;
    if (FFrame->Bottom() > 0)
      frame.bottom -= cell.Height / 2;
    canvas.Pen().SetColor(clAppWorkSpace);
    canvas.Pen().SetWidth(2);
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(frame.left, frame.top, frame.right, frame.bottom);
  }
  canvas.Pen().SetColor(clWindowText);
  canvas.Pen().SetWidth(1);
  canvas.Brush().SetStyle(bsClear);
  canvas.Rectangle(FFrame->Left() * cell.Width, FFrame->Top() * cell.Height,
                   client.right - FFrame->Right() * cell.Width, client.bottom - FFrame->Bottom() * cell.Height);
}
