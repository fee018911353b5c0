#include "reportengine/report/qrprintable.h"

#include "classlib/graphics/canvas.h"
#include "classlib/graphics/font.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/printer/qrunitfacts.h"
#include "reportengine/report/qrbasepanel.h"

// ---- TQRPrintableEditor ------------------------------------------------------

IMPLEMENT_CLASS(TQRPrintableEditor)

bool TQRPrintableEditor::GetColor(TColor&) { return false; }
bool TQRPrintableEditor::GetFont(TFont&) { return false; }
TClass TQRPrintableEditor::EditedClass() { return TQRPrintable::StaticClass(); }
AnsiString TQRPrintableEditor::GetCaption() { return ""; }
AnsiString TQRPrintableEditor::EditorName() { return ""; }
AnsiString TQRPrintableEditor::Description() { return ""; }

// ---- TQRPrintable ------------------------------------------------------------

BEGIN_PUBLISHED(TQRPrintable)
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
  PROPERTY(Frame, Frame, SetFrame),
  PROPERTY_RO(Size, Size),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
END_PUBLISHED

namespace {

[[maybe_unused]] const bool kRegistered = [] {
  RegisterClasses({TQRPrintable::StaticClass()});
  return true;
}();

int RoundInt(long double value) {
  return CheckedInt32(Round(static_cast<double>(value)));
}

// Sets a flag for the time of a scope, also when a call raises.
class FlagScope {
public:
  explicit FlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = saved_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

private:
  bool& flag_;
  bool saved_;
};

// Size in pixels for the time of a scope.
class SizePixels {
public:
  explicit SizePixels(TQRUnitBase& size) : size_(size) { size_.UsePixels(); }
  ~SizePixels() { size_.RestoreUnits(); }
  SizePixels(const SizePixels&) = delete;
  SizePixels& operator=(const SizePixels&) = delete;

private:
  TQRUnitBase& size_;
};

}  // namespace

TQRPrintable::TQRPrintable(TComponent* AOwner)
    : TCustomControl(AOwner), FSize(new TQRPrintableSize(nullptr, this)), FFrame(new TQRFrame(this)) {
  TControlStyle style = ControlStyle();
  style.Include(csOpaque);
  SetControlStyle(style);
  SetColor(clWhite);
  SetBounds(Left(), Top(), 10, 10);
}

TQRPrintable::~TQRPrintable() {
  delete FFrame;
  FFrame = nullptr;
  delete FSize;
  FSize = nullptr;
}

bool TQRPrintable::ShouldPrint() { return Enabled() || !Visible(); }

TClass TQRPrintable::GetEditorClass() { return TQRPrintableEditor::StaticClass(); }

TQRBasePanel* TQRPrintable::ParentPanel() const { return dynamic_cast<TQRBasePanel*>(Parent()); }

void TQRPrintable::ApplyBandAlignment() {
  if (!FAlignToBand)
    return;
  TQRBasePanel* panel = ParentPanel();
  bool onBand = panel != nullptr && panel->PanelRole() == TQRPanelRole::Band;
  int left = Left();
  switch (FAlignment) {
    case taLeftJustify:
      left = 0;
      break;
    case taRightJustify:
      if (onBand)
        left = panel->Width() - Width();
      break;
    case taCenter:
      if (onBand)
        left = (panel->Width() - Width()) / 2;
      break;
  }
  FlagScope aligning(FAlignUpdating);
  SetLeft(left);
}

void TQRPrintable::Prepare() {
  FIsPrinting = true;
  FQRPrinter = FParentReport != nullptr ? FParentReport->RunPrinter() : nullptr;
}

void TQRPrintable::Print(int OfsX, int OfsY) {
  if (FQRPrinter == nullptr || FParentReport == nullptr || !FParentReport->UsesPrinterPages() ||
      !FFrame->AnyFrame())
    return;
  long double left = OfsX + FSize->Left();
  long double top = OfsY + FSize->Top();
  RECT r{FQRPrinter->DeviceX(left), FQRPrinter->DeviceY(top), FQRPrinter->DeviceX(left + FSize->Width()),
         FQRPrinter->DeviceY(top + FSize->Height())};
  FFrame->Paint(FQRPrinter->CurrentCanvas(), r, FQRPrinter->XFactor(), FQRPrinter->YFactor());
}

void TQRPrintable::Notify(TObject*, int Operation) {
  if (Operation == QRNotifyBandResized)
    ApplyBandAlignment();
}

void TQRPrintable::ApplyAlignment(TAlignment Value) {
  FAlignment = Value;
  if (FAlignToBand)
    ApplyBandAlignment();
  Invalidate();
}

// The run's printer object is not kept past the run: the run frees it.
void TQRPrintable::Unprepare() {
  FIsPrinting = false;
  FQRPrinter = nullptr;
}

void TQRPrintable::SetAlignToBand(bool Value) {
  FAlignToBand = Value;
  ApplyBandAlignment();
}

bool TQRPrintable::Transparent() const { return !ControlStyle().Contains(csOpaque); }

void TQRPrintable::SetTransparent(bool Value) {
  if (Value == Transparent())
    return;
  TControlStyle style = ControlStyle();
  if (Value)
    style.Exclude(csOpaque);
  else
    style.Include(csOpaque);
  SetControlStyle(style);
  Invalidate();
}

void TQRPrintable::SetZoom(int Value) {
  FSize->SetZoom(Value);
  FSize->ResizeParent();
}

void TQRPrintable::SetParentReport(TQRBasePanel* Value) {
  if (FParentReport == Value)
    return;
  if (FParentReport != nullptr)
    FParentReport->RemoveFreeNotification(this);
  FParentReport = Value;
  if (FParentReport != nullptr)
    FParentReport->FreeNotification(this);
  FSize->SetParentReport(FParentReport != nullptr ? FParentReport->UnitReport() : nullptr);
}

void TQRPrintable::AttachReport(TQRBasePanel* Report) {
  SetParentReport(Report);
  FSize->SetZoom(Report->Zoom());
}

void TQRPrintable::SetParent(TWinControl* AParent) {
  TCustomControl::SetParent(AParent);
  TQRBasePanel* panel = ParentPanel();
  if (panel == nullptr)
    return;
  switch (panel->PanelRole()) {
    case TQRPanelRole::Report:
      FSize->SetUnits(panel->PrintableUnits());
      AttachReport(panel);
      break;
    case TQRPanelRole::Band:
      FSize->SetUnits(panel->PrintableUnits());
      if (TQRBasePanel* report = panel->OwningReport())
        AttachReport(report);
      SetTop(Top());
      SetLeft(Left());
      break;
    case TQRPanelRole::Plain:
      break;
  }
}

void TQRPrintable::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FSize == nullptr) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  if (FSize->ParentUpdating()) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FParentReport != nullptr)
      FParentReport->MarkDesignRepaint();
  } else if (ComponentState().Contains(csLoading)) {
    // The size object brings the true bounds when loading ends; the stored
    // bounds are kept for Loaded in case the size object gives 0. The
    // control takes them meanwhile, so that a bound read later passes the
    // stored values of the others rather than those the control had before
    // (a stored width is not lost to the height read after it).
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FLoadedLeft = Left();
    FLoadedTop = Top();
    FLoadedWidth = Width();
    FLoadedHeight = Height();
    return;
  } else {
    WriteSizeFromPixels(ALeft, ATop, AWidth, AHeight);
  }
  if (FAlignToBand && !FAlignUpdating)
    ApplyBandAlignment();
}

// Each length goes into Size only when it differs from the pixels Size
// gives the control now, so bounds set again unchanged keep the native
// values exact. Writing a length resizes the control from Size.
void TQRPrintable::WriteSizeFromPixels(int ALeft, int ATop, int AWidth, int AHeight) {
  SizePixels pixels(*FSize);
  struct Length {
    TQRPrintableSize::Measure Index;
    bool Horizontal;
    int Value;
  };
  const Length lengths[] = {{TQRPrintableSize::HeightIndex, false, AHeight},
                            {TQRPrintableSize::WidthIndex, true, AWidth},
                            {TQRPrintableSize::TopIndex, false, ATop},
                            {TQRPrintableSize::LeftIndex, true, ALeft}};
  bool written = false;
  for (const Length& length : lengths) {
    long double now = FSize->FromNative(Pixels, length.Horizontal, FSize->NativeValue(length.Index));
    if (RoundInt(now) != length.Value) {
      FSize->ApplyMeasure(length.Index, length.Value);
      written = true;
    }
  }
  if (!written && (ALeft != Left() || ATop != Top() || AWidth != Width() || AHeight != Height()))
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TQRPrintable::Loaded() {
  TCustomControl::Loaded();
  FSize->AfterLoad();
  int left = Left() == 0 && FLoadedLeft != 0 ? FLoadedLeft : Left();
  int top = Top() == 0 && FLoadedTop != 0 ? FLoadedTop : Top();
  int width = Width() == 0 && FLoadedWidth != 0 ? FLoadedWidth : Width();
  int height = Height() == 0 && FLoadedHeight != 0 ? FLoadedHeight : Height();
  if (left != Left() || top != Top() || width != Width() || height != Height())
    SetBounds(left, top, width, height);
}

void TQRPrintable::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FParentReport) {
    FParentReport = nullptr;
    FQRPrinter = nullptr;
    if (FSize != nullptr)
      FSize->SetParentReport(nullptr);
  }
}

void TQRPrintable::Paint() {
  if (FIsPrinting)
    return;
  TCanvas& canvas = *Canvas();
  if (!Transparent()) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clWhite);
    canvas.FillRect(ClientRect());
  }
  canvas.Pen().SetColor(clBlack);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetStyle(psSolid);
  int w = Width(), h = Height();
  canvas.Polyline({{0, 3}, {0, 0}, {3, 0}});
  canvas.Polyline({{0, h - 4}, {0, h - 1}, {3, h - 1}});
  canvas.Polyline({{w - 4, 0}, {w - 1, 0}, {w - 1, 3}});
  canvas.Polyline({{w - 4, h - 1}, {w - 1, h - 1}, {w - 1, h - 4}});
  long double factor = CurrentZoom() * (QRScreenPixelsPerInch() / 254.0L) / 100;
  FFrame->Paint(canvas, Rect(0, 0, w - 1, h - 1), factor, factor);
}

// ---- IQRSizedControl ---------------------------------------------------------

void TQRPrintable::GetSizedBounds(int& ALeft, int& ATop, int& AWidth, int& AHeight) {
  ALeft = Left();
  ATop = Top();
  AWidth = Width();
  AHeight = Height();
}

void TQRPrintable::SetSizedBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  SetBounds(ALeft, ATop, AWidth, AHeight);
}

int TQRPrintable::ParentPanelZoom() {
  TQRBasePanel* panel = ParentPanel();
  return panel != nullptr && panel->PanelRole() != TQRPanelRole::Plain ? panel->Zoom() : 100;
}

// ---- The run's protocol ------------------------------------------------------

namespace {

template <class Visit>
void ForEachPrintable(TWinControl& parent, Visit visit) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* child = parent.Controls(i);
    if (auto* printable = dynamic_cast<TQRPrintable*>(child))
      visit(*printable);
    else if (auto* panel = dynamic_cast<TWinControl*>(child))
      ForEachPrintable(*panel, visit);
  }
}

}  // namespace

void QRPreparePrintables(TWinControl& Parent) {
  ForEachPrintable(Parent, [](TQRPrintable& p) { p.Prepare(); });
}

void QRUnpreparePrintables(TWinControl& Parent) {
  ForEachPrintable(Parent, [](TQRPrintable& p) { p.Unprepare(); });
}

bool QRPrintChildPrintables(TWinControl& Band, int OfsX, int OfsY, bool FirstPass) {
  bool allFinished = true;
  for (int i = 0; i < Band.ControlCount(); ++i) {
    auto* printable = dynamic_cast<TQRPrintable*>(Band.Controls(i));
    if (printable == nullptr || !printable->Enabled())
      continue;
    if (FirstPass || !printable->PrintFinished())
      printable->Print(OfsX, OfsY);
    if (!printable->PrintFinished())
      allFinished = false;
  }
  return allFinished;
}
