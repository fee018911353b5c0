#include "reportengine/printables/vtqrlabel.h"

#include <windows.h>

#include "classlib/data/dataset.h"
#include "classlib/data/field.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/font.h"
#include "classlib/graphics/wintext.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/report/qrbasepanel.h"

BEGIN_PUBLISHED(TVtQrLabel)
  PROPERTY(Direction, Direction, SetDirection).Default(fldLeftRight),
  PROPERTY(Escapment, Escapment, SetEscapment).Default(0),
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(AutoSize, AutoSize, SetAutoSize),
  PROPERTY(AlignToBand, AlignToBand, SetAlignToBand).Default(false),
  PROPERTY(AutoStretch, AutoStretch, SetAutoStretch).Default(false),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(false),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  PROPERTY(Enabled, Enabled, SetEnabled).Default(true),
END_PUBLISHED

BEGIN_PUBLISHED(TVtQrDBText)
  PROPERTY(DataSet, DataSet, SetDataSet),
  PROPERTY(DataField, DataField, SetDataField),
END_PUBLISHED

int VtEscapementOf(TVtLabelDir Direction) {
  switch (Direction) {
    case fldRightLeft: return -1800;
    case fldUpDown: return -900;
    case fldDownUp: return 900;
    case fldLeftRight: break;
  }
  return 0;
}

HFONT CreateVtRotatedFont(TFont& Font, int Escapement) {
  LOGFONTW lf{};
  lf.lfHeight = Font.Height();
  lf.lfEscapement = Escapement;
  lf.lfOrientation = 0;
  lf.lfWeight = Font.Style().Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = Font.Style().Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = Font.Style().Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = Font.Style().Contains(fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = static_cast<BYTE>(Font.Charset());
  CopyToField(lf.lfFaceName, Font.Name());
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  switch (Font.Pitch()) {
    case fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    case fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    case fpDefault: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
  }
  return CreateFontIndirectW(&lf);
}

namespace {

// The device context's text colours and background mode, put back at the
// end of a scope.
class TextStateScope {
public:
  explicit TextStateScope(HDC dc)
      : dc_(dc), mode_(GetBkMode(dc)), text_(GetTextColor(dc)), back_(GetBkColor(dc)) {}
  ~TextStateScope() {
    SetBkMode(dc_, mode_);
    SetTextColor(dc_, text_);
    SetBkColor(dc_, back_);
  }
  TextStateScope(const TextStateScope&) = delete;
  TextStateScope& operator=(const TextStateScope&) = delete;

private:
  HDC dc_;
  int mode_;
  COLORREF text_;
  COLORREF back_;
};

}  // namespace

// ---- TVtQrLabel ------------------------------------------------------------

TVtQrLabel::TVtQrLabel(TComponent* AOwner) : TQRCustomLabel(AOwner) { SetAutoSize(true); }

void TVtQrLabel::SetDirection(TVtLabelDir Value) {
  if (FDirection == Value)
    return;
  FDirection = Value;
  FEscapment = VtEscapementOf(Value);
  FormatLines();
  Invalidate();
}

void TVtQrLabel::SetEscapment(int Value) {
  if (FEscapment == Value)
    return;
  FEscapment = Value;
  Invalidate();
}

void TVtQrLabel::ApplyAlignment(TAlignment Value) {
  if (Value == Alignment())
    return;
  TQRCustomLabel::ApplyAlignment(Value);
}

POINT TVtQrLabel::StartPoint(TVtLabelDir Direction, TAlignment Alignment, int W, int H, int TW, int TH) {
  switch (Direction) {
    case fldLeftRight:
      return Alignment == taRightJustify ? POINT{W - TW, 0}
             : Alignment == taCenter     ? POINT{(W - TW) / 2, 0}
                                         : POINT{0, 0};
    case fldRightLeft:
      return Alignment == taRightJustify ? POINT{TW, TH}
             : Alignment == taCenter     ? POINT{(W + TW) / 2, TH}
                                         : POINT{W - 2, TH};
    case fldUpDown:
      return Alignment == taRightJustify ? POINT{TH, H - TW}
             : Alignment == taCenter     ? POINT{TH, (H - TW) / 2}
                                         : POINT{TH, 1};
    case fldDownUp:
      return Alignment == taRightJustify ? POINT{0, TW - 4}
             : Alignment == taCenter     ? POINT{0, (H + TW) / 2}
                                         : POINT{0, H - 2};
  }
  return POINT{0, 0};
}

void TVtQrLabel::ZoomedFont(TFont& Font) {
  Font.Assign(this->Font());
  int zoom = ParentReport() != nullptr ? ParentReport()->Zoom() : 100;
  int size = static_cast<int>(Round(this->Font()->Size() * zoom / 100.0));
  if (size != Font.Size())
    Font.SetSize(size);
}

// Measured on a screen-compatible context in the label's own pixels, also
// while printing on a printer of another resolution: the start point and
// the auto size are in control pixels, and so must the text's extent be.
SIZE TVtQrLabel::TextBox(const AnsiString& Text) {
  TFont font;
  ZoomedFont(font);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  std::wstring wide = WideOf(Text);
  SIZE extent{0, 0};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{extent.cx + 1, extent.cy + 1};
}

void TVtQrLabel::FitToText(const SIZE& Box) {
  if (Align() != alNone || !AutoSize())
    return;
  bool upright = FDirection == fldUpDown || FDirection == fldDownUp;
  int width = upright ? Box.cy : Box.cx;
  int height = upright ? Box.cx : Box.cy;
  if (width != Width() || height != Height())
    SetBounds(Left(), Top(), width, height);
}

void TVtQrLabel::FormatLines() {
  LaidOutLines()->Clear();
  LaidOutLines()->Add(OutputText());
  SetIsLaidOut(true);
  if (Parent() != nullptr)
    FitToText(TextBox(OutputText()));
}

void TVtQrLabel::DrawText(TCanvas& Canvas, int X, int Y, const AnsiString& Text, bool OnPage) {
  ZoomedFont(Canvas.Font());
  SIZE box = TextBox(Text);
  FitToText(box);
  POINT start = StartPoint(FDirection, Alignment(), Width(), Height(), box.cx, box.cy);
  HDC dc = Canvas.Handle();
  TextStateScope state(dc);
  SetBkMode(dc, Transparent() ? TRANSPARENT : OPAQUE);
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(Color())));
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Canvas.Font().Color())));
  HFONT rotated = CreateVtRotatedFont(Canvas.Font(), FEscapment);
  HGDIOBJ old = SelectObject(dc, rotated);
  std::wstring wide = WideOf(Text);
  if (OnPage) {
    TQRPrinter& printer = *QRPrinter();
    long double nativeHeight = Size()->NativeValue(TQRPrintableSize::HeightIndex);
    long double nativeWidth = Size()->NativeValue(TQRPrintableSize::WidthIndex);
    // Control pixels to 0.1 mm by the height's ratio, for both directions.
    long double ratio = Height() > 0 ? nativeHeight / Height() : 0;
    long double x = X + static_cast<long double>(Round(static_cast<double>(start.x * ratio)));
    long double y = Y + static_cast<long double>(Round(static_cast<double>(start.y * ratio)));
    RECT clip{printer.DeviceX(X), printer.DeviceY(Y), printer.DeviceX(X + nativeWidth),
              printer.DeviceY(Y + nativeHeight)};
    ExtTextOutW(dc, printer.DeviceX(x), printer.DeviceY(y), ETO_CLIPPED, &clip, wide.c_str(),
                static_cast<UINT>(wide.size()), nullptr);
  } else {
    TextOutW(dc, X + start.x, Y + start.y, wide.c_str(), static_cast<int>(wide.size()));
  }
  SelectObject(dc, old);
  DeleteObject(rotated);
}

void TVtQrLabel::Paint() {
  if (IsPrinting())
    return;
  DrawText(*Canvas(), 0, 0, Caption(), false);
}

void TVtQrLabel::Print(int OfsX, int OfsY) {
  if (!IsPrinting() || QRPrinter() == nullptr || ParentReport() == nullptr || !ParentReport()->UsesPrinterPages())
    return;
  int x = static_cast<int>(Round(static_cast<double>(Size()->NativeValue(TQRPrintableSize::LeftIndex) + OfsX)));
  int y = static_cast<int>(Round(static_cast<double>(Size()->NativeValue(TQRPrintableSize::TopIndex) + OfsY)));
  DrawText(QRPrinter()->CurrentCanvas(), x, y, Caption(), true);
}

// ---- TVtQrDBText -----------------------------------------------------------

TVtQrDBText::TVtQrDBText(TComponent* AOwner) : TVtQrLabel(AOwner) {}

TVtQrDBText::~TVtQrDBText() { SetDataSet(nullptr); }

void TVtQrDBText::SetDataSet(TDataSet* Value) { ReplaceComponentReference(this, FDataSet, Value); }

void TVtQrDBText::Notification(TComponent* AComponent, TOperation Operation) {
  TVtQrLabel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet)
    FDataSet = nullptr;
}

void TVtQrDBText::SetDataField(const AnsiString& Value) {
  if (FDataField == Value)
    return;
  FDataField = Value;
  SetCaption(Value);
  Invalidate();
}

void TVtQrDBText::Print(int OfsX, int OfsY) {
  if (!IsPrinting())
    return;
  if (!FDataField.empty() && FDataSet != nullptr) {
    if (TField* field = FDataSet->FindField(FDataField))
      SetCaption(field->AsString());
  }
  TVtQrLabel::Print(OfsX, OfsY);
}

// A record's value is the caption only for the run: afterwards the design
// view shows the field again, and a later run that cannot read the field
// prints its name rather than a record of an earlier run.
void TVtQrDBText::Unprepare() {
  TVtQrLabel::Unprepare();
  if (!FDataField.empty())
    SetCaption(FDataField);
}
