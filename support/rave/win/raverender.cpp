#include "support/rave/win/raverender.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "classlib/graphics/canvas.h"
#include "classlib/graphics/wintext.h"
#include "support/barcode/barcodelayout.h"
#include "support/rave/ravebarcode.h"

namespace {

constexpr double TenthsPerInch = 254.0;

// A GDI font made for one element and freed with it.
class TRaveGdiFont {
public:
  TRaveGdiFont(HDC dc, const TRaveFont& font, int pixelsPerInch) : dc_(dc) {
    font_ = CreateFontW(-MulDiv(font.Size, pixelsPerInch, 72), 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic,
                        font.Underline, font.StrikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH, WideOf(font.Name).c_str());
    old_ = SelectObject(dc_, font_);
  }
  ~TRaveGdiFont() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
  }
  TRaveGdiFont(const TRaveGdiFont&) = delete;
  TRaveGdiFont& operator=(const TRaveGdiFont&) = delete;

private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

struct TRaveOrigin {
  double Left, Top;  // inches from the page's corner
};

int VerticalPixelsPerInch(const TQRPrinter& printer) {
  return std::max(1, static_cast<int>(std::lround(static_cast<double>(printer.YFactor()) * TenthsPerInch)));
}

void DrawRaveText(TQRPrinter& printer, HDC dc, const TRaveText& text, TRaveOrigin origin) {
  TRaveGdiFont font(dc, text.Font, VerticalPixelsPerInch(printer));
  const std::wstring wide = WideOf(text.Text);
  TextOutW(dc, printer.DeviceX((origin.Left + text.Left) * TenthsPerInch),
           printer.DeviceY((origin.Top + text.Top) * TenthsPerInch), wide.c_str(), static_cast<int>(wide.size()));
}

// All bars of a symbol as one filled path of rectangles: a printer driver
// then gets one fill for the symbol rather than one per bar.
void DrawRaveBars(HDC dc, const TBarLayout& layout, int left, int top) {
  if (layout.Bars.empty())
    return;
  std::vector<POINT> corners;
  corners.reserve(layout.Bars.size() * 4);
  for (const TBarRect& bar : layout.Bars) {
    corners.push_back({left + bar.Left, top + bar.Top});
    corners.push_back({left + bar.Right, top + bar.Top});
    corners.push_back({left + bar.Right, top + bar.Bottom});
    corners.push_back({left + bar.Left, top + bar.Bottom});
  }
  const std::vector<INT> counts(layout.Bars.size(), 4);
  const HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  const int oldFill = SetPolyFillMode(dc, WINDING);
  PolyPolygon(dc, corners.data(), counts.data(), static_cast<int>(counts.size()));
  SetPolyFillMode(dc, oldFill);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
}

void DrawRaveBarCode(TQRPrinter& printer, HDC dc, const TRaveBaseBarCode& code, TRaveOrigin origin) {
  const TRaveSymbol symbol = EncodeRaveSymbol(code);
  const int dpi = std::max(1, static_cast<int>(std::lround(static_cast<double>(printer.XFactor()) * TenthsPerInch)));
  TBarLayoutOptions options;
  options.ModulePixels = ModulePixels(code.BarWidth * 1000.0, dpi);
  options.WideToNarrow = RaveWideToNarrow;
  options.BarHeight = std::max(1, printer.DeviceHeight(code.BarHeight * TenthsPerInch));
  options.QuietZones = false;
  const TBarLayout layout = LayoutBars(symbol.Pattern, options);
  const int left = printer.DeviceX((origin.Left + code.Left) * TenthsPerInch);
  const int top = printer.DeviceY((origin.Top + code.Top) * TenthsPerInch);
  DrawRaveBars(dc, layout, left, top);
  if (symbol.Readable.empty())
    return;
  TRaveFont readable;
  readable.Name = RaveBarCodeFontName;
  readable.Size = RaveBarCodeFontSize;
  TRaveGdiFont font(dc, readable, VerticalPixelsPerInch(printer));
  const std::wstring wide = WideOf(symbol.Readable);
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  const int centre = left + (layout.BarsLeft + layout.BarsRight) / 2;
  const int textLeft = code.TextCentered ? centre - extent.cx / 2 : left + layout.BarsLeft;
  TextOutW(dc, textLeft, top + layout.Height, wide.c_str(), static_cast<int>(wide.size()));
}

void DrawRaveElements(TQRPrinter& printer, HDC dc, const TRaveComponent& parent, TRaveOrigin origin) {
  for (int i = 0; i < parent.ChildCount(); ++i) {
    const TRaveComponent* child = parent.Child(i);
    if (const auto* code = dynamic_cast<const TRaveBaseBarCode*>(child)) {
      DrawRaveBarCode(printer, dc, *code, origin);
    } else if (const auto* text = dynamic_cast<const TRaveText*>(child)) {
      DrawRaveText(printer, dc, *text, origin);
    } else if (const auto* control = dynamic_cast<const TRaveControl*>(child)) {
      // Regions and bands: their children are placed from their corner.
      DrawRaveElements(printer, dc, *control, {origin.Left + control->Left, origin.Top + control->Top});
    }
  }
}

}  // namespace

void DrawRavePage(TQRPrinter& printer, const TRavePage& page) {
  HDC dc = printer.CurrentCanvas().Handle();
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  SetTextAlign(dc, TA_LEFT | TA_TOP);
  try {
    DrawRaveElements(printer, dc, page, {0, 0});
  } catch (...) {
    RestoreDC(dc, saved);
    throw;
  }
  RestoreDC(dc, saved);
}
