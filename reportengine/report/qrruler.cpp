#include "reportengine/report/qrruler.h"

#include <cmath>

#include "classlib/graphics/canvas.h"
#include "classlib/system/mathutils.h"
#include "classlib/system/numconv.h"
#include "reportengine/report/qrdesigncolors.h"

namespace {

// Line counts beyond this are no ruler anyone can read; they only come from
// absurd sizes, and drawing them would stall the designer.
constexpr long double kMaxLines = 100000;

int RoundInt(long double value) {
  return CheckedInt32(Round(static_cast<double>(value)));
}

int LineCount(long double value) {
  if (!std::isfinite(value) || value <= 0)
    return 0;
  return RoundInt(value < kMaxLines ? value : kMaxLines);
}

void UseLinePen(TCanvas& canvas, bool major) {
  const TQRDesignColors& colors = QRDesignColors();
  canvas.Pen().SetStyle(major ? colors.RulerMajorStyle : colors.RulerMinorStyle);
  canvas.Pen().SetColor(major ? colors.RulerMajorColor : colors.RulerMinorColor);
}

void VerticalLine(TCanvas& canvas, int x, int height) {
  canvas.MoveTo(x, 0);
  canvas.LineTo(x, height);
}

void HorizontalLine(TCanvas& canvas, int y, int width) {
  canvas.MoveTo(0, y);
  canvas.LineTo(width, y);
}

// Quarter inches; whole inches are major and numbered.
void PaintInches(TCanvas& canvas, const TQRRulerArea& a) {
  long double step = static_cast<long double>(a.PixelsPerInch) / 4 * a.Zoom / 100;
  bool minor = a.Zoom >= 50;
  auto lines = [&](int extent, bool horizontal) {
    int count = LineCount(static_cast<long double>(extent) / a.PixelsPerInch / a.Zoom * 400);
    for (int i = 1; i <= count; ++i) {
      bool major = i % 4 == 0;
      if (!major && !minor)
        continue;
      int pos = RoundInt(i * step);
      UseLinePen(canvas, major);
      if (horizontal)
        VerticalLine(canvas, pos, a.Height);
      else
        HorizontalLine(canvas, pos, a.Width);
      if (major && a.Numbers) {
        AnsiString number = IntToStr(i / 4);
        if (horizontal)
          canvas.TextOut(pos + 2, 2, number);
        else
          canvas.TextOut(2, pos + 2, number);
      }
    }
  };
  lines(a.Width, true);
  lines(a.Height, false);
}

// Half centimetres; whole centimetres are major. Below zoom 60 only the
// centimetre lines show, without numbers.
void PaintMillimetres(TCanvas& canvas, const TQRRulerArea& a) {
  long double perPixel = 1.0L / a.PixelsPerInch * 5.08L / a.Zoom * 100;
  bool detail = a.Zoom >= 60;
  auto lines = [&](int extent, bool horizontal) {
    int count = LineCount(extent * perPixel);
    for (int i = 1; i <= count; ++i) {
      bool major = i % 2 == 0;
      if (!major && !detail)
        continue;
      int pos = RoundInt(i / perPixel);
      UseLinePen(canvas, major);
      if (horizontal)
        VerticalLine(canvas, pos, a.Height);
      else
        HorizontalLine(canvas, pos, a.Width);
      if (major && detail && a.Numbers) {
        AnsiString number = IntToStr(i / 2);
        if (horizontal)
          canvas.TextOut(pos + 2, 2, number);
        else
          canvas.TextOut(2, pos + 2, number);
      }
    }
  };
  lines(a.Width, true);
  lines(a.Height, false);
}

// A line every ten characters across and every text line down, in the
// report font's character cell, dotted and unzoomed.
void PaintCharacters(TCanvas& canvas, const TQRRulerArea& a) {
  canvas.Pen().SetStyle(psDot);
  long double charWidth = CharWidth(a.FontSize);
  long double charHeight = CharHeight(a.FontSize);
  int across = LineCount(static_cast<long double>(a.Width) / a.PixelsPerInch * 25.4L / charWidth / 10);
  for (int i = 1; i <= across; ++i) {
    int x = RoundInt(charWidth * i * a.PixelsPerInch / 2.54L);
    VerticalLine(canvas, x, a.Height);
    if (a.Numbers)
      canvas.TextOut(x + 2, 2, IntToStr(i * 10));
  }
  int down = LineCount(static_cast<long double>(a.Height) / a.PixelsPerInch * 25.4L / charHeight);
  for (int j = 1; j <= down; ++j) {
    int y = RoundInt(charHeight * j * a.PixelsPerInch / 25.4L);
    HorizontalLine(canvas, y, a.Width);
    if (a.Numbers)
      canvas.TextOut(2, y + 2, IntToStr(j));
  }
}

}  // namespace

void QRPaintRuler(TCanvas& Canvas, TQRUnit Units, const TQRRulerArea& Area) {
  const TQRDesignColors& colors = QRDesignColors();
  Canvas.Font().SetName(colors.RulerFontName);
  Canvas.Font().SetSize(colors.RulerFontSize);
  Canvas.Font().SetColor(colors.RulerFontColor);
  Canvas.Pen().SetColor(0xC0C0C0);
  Canvas.Pen().SetWidth(1);
  Canvas.Pen().SetStyle(psSolid);
  if (Area.PixelsPerInch <= 0 || Area.Zoom <= 0)
    return;
  switch (Units) {
    case Inches:
      PaintInches(Canvas, Area);
      break;
    case MM:
      PaintMillimetres(Canvas, Area);
      break;
    case Characters:
      PaintCharacters(Canvas, Area);
      break;
    case Pixels:
    case Native:
      break;
  }
  Canvas.Pen().SetStyle(psSolid);
}
