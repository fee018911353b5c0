#include "reportengine/report/qrbasepanel.h"

#include "classlib/forms/application.h"
#include "classlib/graphics/canvas.h"
#include "classlib/system/mathutils.h"
#include "reportengine/printer/qrunitfacts.h"
#include "reportengine/report/qrdesigncolors.h"
#include "reportengine/report/qrprintable.h"
#include "reportengine/report/qrruler.h"

BEGIN_PUBLISHED(TQRBasePanel)
  PROPERTY(Frame, Frame, SetFrame),
END_PUBLISHED

namespace {

constexpr TColor kDisabledColor = 0xC0C0C0;

int RoundInt(long double value) {
  return CheckedInt32(Round(static_cast<double>(value)));
}

// The page in pixels for the time of one drawing.
class PagePixels {
public:
  explicit PagePixels(TQRPage& page) : page_(page) { page_.UsePixels(); }
  ~PagePixels() { page_.RestoreUnits(); }
  PagePixels(const PagePixels&) = delete;
  PagePixels& operator=(const PagePixels&) = delete;

private:
  TQRPage& page_;
};

}  // namespace

TQRBasePanel::TQRBasePanel(TComponent* AOwner) : TCustomPanel(AOwner), FFrame(new TQRFrame(this)) {}

TQRBasePanel::~TQRBasePanel() { delete FFrame; }

void TQRBasePanel::CreateParams(TCreateParams& Params) {
  TCustomPanel::CreateParams(Params);
  if (Params.WndParent == nullptr && Application != nullptr)
    Params.WndParent = Application->Handle();
}

void TQRBasePanel::Paint() {
  TCanvas& canvas = *Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(Enabled() ? Color() : kDisabledColor);
  canvas.FillRect(ClientRect());
  canvas.Brush().SetStyle(bsClear);
  FRepaintMarked = false;
}

void TQRBasePanel::ApplyZoom(int Value) {
  if (Value == 0)
    return;
  FZoom = Value;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (auto* printable = dynamic_cast<TQRPrintable*>(child))
      printable->SetZoom(Value);
    else if (auto* panel = dynamic_cast<TQRBasePanel*>(child))
      panel->ApplyZoom(Value);
  }
}

void TQRBasePanel::PaintRuler(TQRUnit Units) {
  TQRRulerArea area;
  TRect client = ClientRect();
  area.Width = client.right - client.left;
  area.Height = client.bottom - client.top;
  area.PixelsPerInch = QRScreenPixelsPerInch();
  area.Zoom = FZoom;
  area.FontSize = FFontSize;
  area.Numbers = PanelRole() == TQRPanelRole::Report;
  QRPaintRuler(*Canvas(), Units, area);
}

void TQRBasePanel::MarkDesignRepaint() {
  if (FRepaintMarked)
    return;
  FRepaintMarked = true;
  Invalidate();
}

// ---- Design pictures --------------------------------------------------------

void QRPaintMargins(TCanvas& Canvas, TQRPage& Page, int ClientWidth, int ClientHeight) {
  PagePixels pixels(Page);
  const TQRDesignColors& colors = QRDesignColors();
  Canvas.Pen().SetStyle(colors.MarginStyle);
  Canvas.Pen().SetColor(colors.MarginColor);
  Canvas.Pen().SetWidth(1);
  Canvas.Brush().SetStyle(bsClear);
  Canvas.Rectangle(RoundInt(Page.LeftMargin()), RoundInt(Page.TopMargin()),
                   ClientWidth - RoundInt(Page.RightMargin()), ClientHeight - RoundInt(Page.BottomMargin()));
  Canvas.Pen().SetStyle(psSolid);
}

void QRPaintPageFrame(TCanvas& Canvas, TQRPage& Page, const TQRFrame& Frame) {
  PagePixels pixels(Page);
  Frame.ApplyPen(Canvas.Pen());
  int left = RoundInt(Page.LeftMargin());
  int top = RoundInt(Page.TopMargin());
  int right = RoundInt(Page.Width() - Page.RightMargin()) - 1;
  int bottom = RoundInt(Page.Length() - Page.BottomMargin()) - 1;
  auto line = [&](int x1, int y1, int x2, int y2) {
    Canvas.MoveTo(x1, y1);
    Canvas.LineTo(x2, y2);
  };
  if (Frame.DrawTop())
    line(left, top, right, top);
  if (Frame.DrawBottom())
    line(left, bottom, right, bottom);
  if (Frame.DrawLeft())
    line(left, top, left, bottom);
  if (Frame.DrawRight())
    line(right, top, right, bottom);
}

void QRPaintColumnLines(TCanvas& Canvas, TQRPage& Page) {
  int columns = Page.Columns();
  if (columns <= 1)
    return;
  PagePixels pixels(Page);
  const TQRDesignColors& colors = QRDesignColors();
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetStyle(colors.MarginStyle);
  Canvas.Pen().SetColor(colors.MarginColor);
  long double leftMargin = Page.LeftMargin();
  long double space = Page.ColumnSpace();
  long double width = RoundInt((Page.Width() - leftMargin - Page.RightMargin() - space * (columns - 1)) / columns);
  int top = RoundInt(Page.TopMargin());
  for (int i = 1; i < columns; ++i) {
    int end = RoundInt(leftMargin + width * i + space * (i - 1));
    int start = RoundInt(leftMargin + (space + width) * i);
    Canvas.MoveTo(end, 0);
    Canvas.LineTo(end, top);
    Canvas.MoveTo(start, 0);
    Canvas.LineTo(start, top);
  }
}

void QRPaintBandDesign(TCanvas& Canvas, int Width, int Height, const TQRFrame& Frame,
                       const AnsiString& Caption) {
  const TQRDesignColors& colors = QRDesignColors();
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetStyle(colors.BandOutlineStyle);
  Canvas.Pen().SetColor(colors.BandOutlineColor);
  auto line = [&](int x1, int y1, int x2, int y2) {
    Canvas.MoveTo(x1, y1);
    Canvas.LineTo(x2, y2);
  };
  line(0, 0, Width, 0);
  line(0, Height - 1, Width - 1, Height - 1);
  line(0, 0, 0, Height - 1);
  line(Width - 1, 0, Width - 1, Height - 1);
  long double factor = QRScreenPixelsPerInch() / 254.0L;
  Frame.Paint(Canvas, Rect(0, 0, Width - 1, Height - 1), factor, factor);
  Canvas.Font().SetName(colors.RulerFontName);
  Canvas.Font().SetSize(colors.RulerFontSize);
  Canvas.Font().SetColor(colors.RulerFontColor);
  Canvas.Brush().SetStyle(bsClear);
  Canvas.TextOut(2, Height - Canvas.TextHeight("W") - 4, Caption);
}
