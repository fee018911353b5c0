#include "skin/core/nestedframes.h"

void DrawNestedFrames(HDC DC, RECT& R, TColor TopLeft, TColor BottomRight, int& Count) {
  HPEN light = CreatePen(PS_SOLID, 1, ColorToRGB(TopLeft));
  HPEN dark = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(BottomRight));
  HGDIOBJ previousPen = SelectObject(DC, light);
  HGDIOBJ previousBrush = SelectObject(DC, GetStockObject(NULL_BRUSH));
  --R.right;
  --R.bottom;
  while (Count > 0) {
    --Count;
    const POINT lightLine[3] = {{R.left, R.bottom}, {R.left, R.top}, {R.right, R.top}};
    SelectObject(DC, light);
    Polyline(DC, lightLine, 3);
    const POINT darkLine[3] = {{R.right, R.top}, {R.right, R.bottom}, {R.left - 1, R.bottom}};
    SelectObject(DC, dark);
    Polyline(DC, darkLine, 3);
    InflateRect(&R, -1, -1);
  }
  ++R.right;
  ++R.bottom;
  SelectObject(DC, previousPen);
  SelectObject(DC, previousBrush);
  DeleteObject(light);
  DeleteObject(dark);
}
