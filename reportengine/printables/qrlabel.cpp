#include "reportengine/printables/qrlabel.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "classlib/classes/filer.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/writer.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/font.h"
#include "classlib/graphics/metafile.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printables/qrlinelayout.h"
#include "reportengine/printables/qrprintableexport.h"
#include "reportengine/printables/qrtexthost.h"
#include "reportengine/printer/qrprinter.h"
#include "reportengine/printer/qrunitfacts.h"
#include "reportengine/report/qrbasepanel.h"

// ---- TQRCustomLabel ---------------------------------------------------------------

IMPLEMENT_CLASS(TQRCustomLabel)

namespace {

// A frame line's width in points as tenths of a millimetre.
long double FramePointsToNative(int points) {
  return static_cast<long double>(Round(points / 72.0 * 254));
}

// The printable's size in tenths of a millimetre, whatever units its size
// object shows.
long double NativeOf(TQRPrintable& printable, TQRPrintableSize::Measure measure) {
  return printable.Size()->NativeValue(measure);
}

int ScaleByZoom(int value, int zoom) { return MulDiv(value, zoom, 100); }

// The text alignment flags of a line output for an alignment.
UINT TextAlignFlags(TAlignment alignment, bool rightToLeft) {
  UINT flags = TA_TOP | TA_NOUPDATECP;
  switch (alignment) {
    case taLeftJustify: flags |= TA_LEFT; break;
    case taRightJustify: flags |= TA_RIGHT; break;
    case taCenter: flags |= TA_CENTER; break;
  }
  if (rightToLeft)
    flags |= TA_RTLREADING;
  return flags;
}

}  // namespace

TQRCustomLabel::TQRCustomLabel(TComponent* AOwner)
    : TQRPrintable(AOwner), FLines(std::make_unique<TStringList>()),
      FLaidOutLines(std::make_unique<TStringList>()) {
  // The label keeps its caption itself; the control's text does not follow
  // the name.
  TControlStyle style = ControlStyle();
  style.Exclude(csSetCaption);
  SetControlStyle(style);
}

TQRCustomLabel::~TQRCustomLabel() = default;

bool TQRCustomLabel::IsCaptionBased() { return FTextFromCaption; }

bool TQRCustomLabel::UsesRightToLeftAlignment() const { return UseRightToLeftAlignment(); }

void TQRCustomLabel::ApplyCaption(const AnsiString& Value) {
  FCaption = Value;
  FOutputText = Value;
  FIsLaidOut = false;
  FormatLines();
  Invalidate();
}

void TQRCustomLabel::SetAutoStretch(bool Value) {
  FAutoStretch = Value;
  Invalidate();
}

void TQRCustomLabel::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Invalidate();
}

void TQRCustomLabel::SetName(const AnsiString& NewName) {
  if (FCaption.empty() || FCaption == Name())
    ApplyCaption(NewName);
  TQRPrintable::SetName(NewName);
}

void TQRCustomLabel::SetParent(TWinControl* AParent) {
  TQRPrintable::SetParent(AParent);
  FormatLines();
}

void TQRCustomLabel::CMFontChanged(TMessage& Message) {
  TQRPrintable::CMFontChanged(Message);
  FIsLaidOut = false;
  FormatLines();
}

// ---- Streaming ----

void TQRCustomLabel::DefineProperties(TFiler& Filer) {
  TQRPrintable::DefineProperties(Filer);
  Filer.DefineProperty(
      "FontSize", [this](TReader& Reader) { ReadFontSize(Reader); },
      [this](TWriter& Writer) { WriteFontSize(Writer); }, true);
}

void TQRCustomLabel::ReadFontSize(TReader& Reader) { FStoredFontSize = Reader.ReadInteger(); }

void TQRCustomLabel::WriteFontSize(TWriter& Writer) { Writer.WriteInteger(Font()->Size()); }

// The stored size wins over any scaling of the font while loading.
void TQRCustomLabel::Loaded() {
  TQRPrintable::Loaded();
  if (FStoredFontSize > 0)
    Font()->SetSize(FStoredFontSize);
}

// ---- Measures ----

int TQRCustomLabel::TextWidthOf(const AnsiString& Text) {
  if (TextWidthOverride)
    return TextWidthOverride(Text);
  if (TQRBasePanel* report = ParentReport())
    return ScaleByZoom(QRReportTextWidth(*report, *Font(), Text), CurrentZoom());
  Canvas()->Font().Assign(Font());
  return Canvas()->TextWidth(Text);
}

int TQRCustomLabel::LineHeight() {
  if (LineHeightOverride)
    return LineHeightOverride();
  if (TQRBasePanel* report = ParentReport())
    return ScaleByZoom(QRReportTextHeight(*report, *Font()), CurrentZoom());
  Canvas()->Font().Assign(Font());
  return Canvas()->TextHeight("W");
}

// ---- Layout ----

void TQRCustomLabel::LayOutText(const AnsiString& Text) {
  std::vector<AnsiString> lines;
  LayOutParagraphs(Text, TQRLineLayoutOptions{Width(), FWordWrap, FAutoSize},
                   [this](const AnsiString& s) { return TextWidthOf(s); }, lines);
  for (const AnsiString& line : lines)
    FLaidOutLines->Add(line);
}

void TQRCustomLabel::FormatLines() {
  if (Parent() == nullptr)
    return;
  FLaidOutLines->Clear();
  if (IsCaptionBased()) {
    LayOutText(FOutputText);
    if (!FSelfResizing && ParentReport() != nullptr && Height() < LineHeight() + 1)
      SetHeight(LineHeight() + 1);
  } else if (FLines->Count() > 0) {
    for (int i = 0; i < FLines->Count(); ++i) {
      if (FAutoSize)
        FLaidOutLines->Add(FLines->Strings(i));
      else
        LayOutText(FLines->Strings(i));
    }
  } else if (Designing()) {
    // An empty memo shows its name on the design surface.
    LayOutText(Name());
  }
  if (FAutoSize && ParentReport() != nullptr && !FSelfResizing)
    FitWidthToLines();
  FIsLaidOut = true;
}

TAlignment TQRCustomLabel::EffectiveAlignment() const {
  TAlignment alignment = Alignment();
  if (UsesRightToLeftAlignment()) {
    if (alignment == taLeftJustify)
      return taRightJustify;
    if (alignment == taRightJustify)
      return taLeftJustify;
  }
  return alignment;
}

// An auto-sized label keeps its right edge (right alignment) or its centre
// (centred) while its width follows the text.
void TQRCustomLabel::FitWidthToLines() {
  FSelfResizing = true;
  int newWidth = 0;
  for (int i = 0; i < FLaidOutLines->Count(); ++i)
    newWidth = std::max(newWidth, TextWidthOf(FLaidOutLines->Strings(i)));
  if (Frame()->DrawLeft())
    newWidth += Frame()->Width();
  if (Frame()->DrawRight())
    newWidth += Frame()->Width();
  int left = Left();
  switch (EffectiveAlignment()) {
    case taRightJustify: left = Left() + Width() - newWidth; break;
    case taCenter: left = Left() + (Width() - newWidth) / 2; break;
    case taLeftJustify: break;
  }
  int height = Height();
  int minHeight = LineHeight() + 1;
  if ((FLaidOutLines->Count() == 0 && Designing()) || height < minHeight)
    height = minHeight;
  SetBounds(left, Top(), newWidth, height);
  FSelfResizing = false;
}

// ---- Printing ----

struct TQRCustomLabel::PrintState {
  TQRPrinter* Printer = nullptr;
  IQRExportFilter* Filter = nullptr;
  TAlignment Alignment = taLeftJustify;
  TCanvas* Canvas = nullptr;
  bool OnPage = false;
  int OfsY = 0;
  long double X0 = 0, Y0 = 0, Width = 0, Height = 0, LineHeight = 0;
  long double FrameLeft = 0, FrameTop = 0;
  long double Anchor = 0, Position = 0, Limit = 0;
  long double BandGrowth = 0;
  bool HasExpanded = false;
  bool RestoreText = false;
  AnsiString SavedText;
};

// A run starts at the first line, also when the last run ended (cancelled,
// say) before the label had printed all of its lines.
void TQRCustomLabel::Prepare() {
  TQRPrintable::Prepare();
  FNextLineIndex = 0;
  FAllLinesPrinted = true;
  SetPrintFinished(true);
  ApplyCaption(FCaption);
}

void TQRCustomLabel::Unprepare() { TQRPrintable::Unprepare(); }

void TQRCustomLabel::RunOnPrint(PrintState& State) {
  AnsiString value = FOutputText;
  TFont before;
  before.Assign(Font());
  OnPrint(this, value);
  bool fontChanged = before.Name() != Font()->Name() || before.Height() != Font()->Height() ||
                     before.Style() != Font()->Style() || before.Color() != Font()->Color();
  if (fontChanged) {
    State.Canvas->Font().Assign(Font());
    State.Height = NativeOf(*this, TQRPrintableSize::HeightIndex);
    State.LineHeight = State.Canvas->TextHeight("W") / State.Printer->YFactor();
  }
  if (value != FOutputText) {
    State.SavedText = FOutputText;
    State.RestoreText = true;
    FOutputText = value;
    FIsLaidOut = false;
  }
}

void TQRCustomLabel::FillOnPage(PrintState& State, long double Top, long double Bottom) {
  if (!State.OnPage || Transparent())
    return;
  TCanvas& canvas = *State.Canvas;
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Color());
  canvas.FillRect(Rect(State.Printer->DeviceX(State.X0), State.Printer->DeviceY(Top),
                       State.Printer->DeviceX(State.X0 + State.Width), State.Printer->DeviceY(Bottom)));
}

void TQRCustomLabel::OutputLine(PrintState& State, const AnsiString& Line) {
  if (State.OnPage && !Line.empty())
    State.Canvas->TextOut(State.Printer->DeviceX(State.Anchor), State.Printer->DeviceY(State.Position), Line);
  if (State.Filter != nullptr && !Line.empty())
    HandLineToFilter(State, Line);
  State.Position += State.LineHeight;
}

// The filter's interface takes pictures: a line goes to it as a picture of
// the label's width and one line's height holding the text in the label's
// font, colour and alignment, placed where the line prints.
void TQRCustomLabel::HandLineToFilter(PrintState& State, const AnsiString& Line) {
  TQRPrinter& printer = *State.Printer;
  int width = std::max(1, printer.DeviceWidth(State.Width));
  int height = std::max(1, printer.DeviceHeight(State.LineHeight));
  TMetafile picture;
  picture.SetWidth(width);
  picture.SetHeight(height);
  {
    TMetafileCanvas canvas(&picture, nullptr);
    canvas.Font().Assign(Font());
    canvas.Brush().SetStyle(bsClear);
    bool rightToLeft = UseRightToLeftReading();
    canvas.SetTextFlags(rightToLeft ? ETO_RTLREADING : 0);
    SetTextAlign(canvas.Handle(), TextAlignFlags(State.Alignment, rightToLeft));
    int x = State.Alignment == taRightJustify ? width : State.Alignment == taCenter ? width / 2 : 0;
    canvas.TextOut(x, 0, Line);
  }
  State.Filter->AcceptGraphic(State.X0, State.Position, &picture);
}

// An opaque label of a colour other than white hands the filter a filled
// rectangle of its colour, without outline, at its place.
void TQRCustomLabel::HandFillToFilter(PrintState& State) {
  if (State.Filter == nullptr || Transparent() || Color() == clWhite)
    return;
  TQRPrinter& printer = *State.Printer;
  int width = std::max(1, printer.DeviceWidth(State.Width));
  int height = std::max(1, printer.DeviceHeight(State.Height));
  TMetafile picture;
  picture.SetWidth(width);
  picture.SetHeight(height);
  {
    TMetafileCanvas canvas(&picture, nullptr);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(Rect(0, 0, width, height));
  }
  State.Filter->AcceptGraphic(State.X0, State.Y0, &picture);
}

// Prints the lines from NextLineIndex while they fit, growing the band a
// line at a time with AutoStretch.
void TQRCustomLabel::PrintLines(PrintState& State) {
  bool resuming = !FAllLinesPrinted;
  if (FAllLinesPrinted)
    FNextLineIndex = 0;
  State.Position = State.Y0;
  State.Limit = State.Y0 + State.Height + 1;
  int printed = 0;
  TWinControl* band = Parent();
  while (FNextLineIndex < FLaidOutLines->Count()) {
    if (State.Limit < State.Position + State.LineHeight) {
      if (!FAutoStretch || !QRBandCanExpand(band, State.LineHeight))
        break;
      long double oldLimit = State.Limit;
      QRBandExpand(band, State.LineHeight, State.BandGrowth, State.HasExpanded);
      State.Limit = NativeOf(*this, TQRPrintableSize::TopIndex) + State.OfsY + State.Height + 1 + State.BandGrowth;
      FillOnPage(State, oldLimit, State.Limit);
    }
    OutputLine(State, FLaidOutLines->Strings(FNextLineIndex));
    ++FNextLineIndex;
    ++printed;
  }
  // A label resumed on a fresh column or page where not even one line fits
  // would make the band start new pages for ever: it prints one line there.
  if (resuming && printed == 0 && FAutoStretch && FNextLineIndex < FLaidOutLines->Count()) {
    OutputLine(State, FLaidOutLines->Strings(FNextLineIndex));
    ++FNextLineIndex;
  }
  FAllLinesPrinted = !(FNextLineIndex < FLaidOutLines->Count() && FAutoStretch);
  SetPrintFinished(FAllLinesPrinted);
}

void TQRCustomLabel::Print(int OfsX, int OfsY) {
  if (!ShouldPrint() || QRPrinter() == nullptr)
    return;
  PrintState state;
  state.Printer = QRPrinter();
  state.Canvas = &state.Printer->CurrentCanvas();
  state.OnPage = ParentReport() != nullptr && ParentReport()->UsesPrinterPages();
  state.Filter = QRExportFilterOf(*this);
  state.OfsY = OfsY;
  state.Canvas->Font().Assign(Font());
  state.LineHeight = state.Canvas->TextHeight("W") / state.Printer->YFactor();
  state.X0 = NativeOf(*this, TQRPrintableSize::LeftIndex) + OfsX;
  state.Y0 = NativeOf(*this, TQRPrintableSize::TopIndex) + OfsY;
  state.Width = NativeOf(*this, TQRPrintableSize::WidthIndex);
  state.Height = NativeOf(*this, TQRPrintableSize::HeightIndex);
  if (OnPrint)
    RunOnPrint(state);
  FormatLines();
  long double growth = NativeOf(*this, TQRPrintableSize::WidthIndex) - state.Width;
  state.Width = NativeOf(*this, TQRPrintableSize::WidthIndex);
  HandFillToFilter(state);
  FillOnPage(state, state.Y0, state.Y0 + state.Height);
  if (Frame()->DrawTop())
    state.FrameTop = FramePointsToNative(Frame()->Width());
  if (Frame()->DrawLeft())
    state.FrameLeft = FramePointsToNative(Frame()->Width());
  state.Y0 += state.FrameTop;
  state.X0 += state.FrameLeft;
  TAlignment alignment = EffectiveAlignment();
  state.Alignment = alignment;
  if (FAutoSize && alignment == taRightJustify)
    state.X0 -= growth;
  else if (FAutoSize && alignment == taCenter)
    state.X0 -= growth / 2;
  state.Anchor = alignment == taRightJustify ? state.X0 + state.Width
                 : alignment == taCenter     ? state.X0 + state.Width / 2
                                             : state.X0;
  bool rightToLeft = UseRightToLeftReading();
  state.Canvas->Brush().SetStyle(bsClear);
  state.Canvas->SetTextFlags(rightToLeft ? ETO_RTLREADING : 0);
  SetTextAlign(state.Canvas->Handle(), TextAlignFlags(alignment, rightToLeft));
  PrintLines(state);
  SetTextAlign(state.Canvas->Handle(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
  state.Canvas->SetTextFlags(0);
  SelectClipRgn(state.Canvas->Handle(), nullptr);
  if (state.RestoreText) {
    FOutputText = state.SavedText;
    FIsLaidOut = false;
  }
  if (state.OnPage && Frame()->AnyFrame()) {
    RECT r{state.Printer->DeviceX(state.X0 - state.FrameLeft), state.Printer->DeviceY(state.Y0 - state.FrameTop),
           state.Printer->DeviceX(state.X0 + state.Width),
           state.Printer->DeviceY(state.Y0 + state.Height + state.BandGrowth)};
    Frame()->Paint(*state.Canvas, r, state.Printer->XFactor(), state.Printer->YFactor());
  }
}

// ---- Design surface ----

void TQRCustomLabel::Paint() {
  if (IsPrinting())
    return;
  TCanvas& canvas = *Canvas();
  TQRPrintable::Paint();
  FormatLines();
  // The text shows at the zoom; measuring without a report uses the same
  // canvas, so its font is set once the lines are laid out.
  canvas.Font().Assign(Font());
  int scaled = static_cast<int>(Round(Font()->Size() * CurrentZoom() / 100.0));
  if (scaled != Font()->Size())
    canvas.Font().SetSize(scaled);
  if (!Transparent()) {
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(ClientRect());
  }
  long double framePixels = Frame()->Width() / 72.0L * QRScreenPixelsPerInch() * CurrentZoom() / 100;
  int x = Frame()->DrawLeft() ? static_cast<int>(Round(static_cast<double>(framePixels))) : 0;
  int y = Frame()->DrawTop() ? static_cast<int>(Round(static_cast<double>(framePixels))) : 0;
  TAlignment alignment = EffectiveAlignment();
  bool rightToLeft = UseRightToLeftReading();
  int anchor = alignment == taRightJustify ? ClientWidth() : alignment == taCenter ? (x + ClientWidth()) / 2 : x;
  canvas.Brush().SetStyle(bsClear);
  canvas.SetTextFlags(rightToLeft ? ETO_RTLREADING : 0);
  SetTextAlign(canvas.Handle(), TextAlignFlags(alignment, rightToLeft));
  int step = canvas.TextHeight("W");
  for (int i = 0; i < FLaidOutLines->Count(); ++i, y += step)
    canvas.TextOut(anchor, y, FLaidOutLines->Strings(i));
  SetTextAlign(canvas.Handle(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
  canvas.SetTextFlags(0);
}

// ---- TQRLabel -----------------------------------------------------------------------

BEGIN_PUBLISHED(TQRLabel)
  PROPERTY(Alignment, Alignment, SetAlignment).Default(taLeftJustify),
  PROPERTY(AlignToBand, AlignToBand, SetAlignToBand).Default(false),
  PROPERTY(AutoSize, AutoSize, SetAutoSize),
  PROPERTY(AutoStretch, AutoStretch, SetAutoStretch).Default(false),
  PROPERTY(BiDiMode, BiDiMode, SetBiDiMode).Stored<&Self::IsBiDiModeStored>(),
  PROPERTY(ParentBiDiMode, ParentBiDiMode, SetParentBiDiMode).Default(true),
  PROPERTY(Caption, Caption, SetCaption),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Stored<&Self::IsColorStored>(),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(OnPrint, OnPrint, OnPrint),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(Transparent, Transparent, SetTransparent).Default(false),
  PROPERTY(WordWrap, WordWrap, SetWordWrap).Default(true),
END_PUBLISHED
