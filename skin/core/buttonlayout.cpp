#include "skin/core/buttonlayout.h"

namespace {

// The sizes along the layout's axis: x for a glyph left or right, y for a
// glyph above or below.
struct TLayoutAxis {
  int Client;  // the client size along the axis
  int Glyph;
  int Text;
};

// Margin and Spacing once the -1 values are computed.
void ResolveMarginAndSpacing(const TLayoutAxis& Axis, int Alignment, int& Margin, int& Spacing) {
  if (Margin == -1) {
    if (Spacing < 0) {
      Margin = (Axis.Client - (Axis.Glyph + Axis.Text)) / 3;
      Spacing = Margin;
    } else if (Alignment == 2) {
      Margin = (Axis.Client - (Axis.Glyph + Spacing + Axis.Text) + 1) / 2;
    } else {
      Margin = 2;
    }
  } else if (Spacing < 0) {
    Spacing = ((Axis.Client - (Margin + Axis.Glyph)) - Axis.Text) / 2;
  }
}

// Glyph and text x of the horizontal layouts.
void PlaceAcross(int Layout, int Alignment, int Margin, int Spacing, const TLayoutAxis& Axis, int& GlyphX,
                 int& TextX) {
  const int centred = (Axis.Client - Axis.Text - Spacing - Axis.Glyph) / 2;
  if (Layout == blGlyphLeft) {
    if (Alignment == 0) {
      GlyphX = Margin;
      TextX = Margin + Axis.Glyph + Spacing;
    } else if (Alignment == 1) {
      TextX = Axis.Client - Margin - Axis.Text;
      GlyphX = TextX - Spacing - Axis.Glyph;
    } else if (Alignment == 2) {
      GlyphX = centred;
      TextX = centred + Spacing + Axis.Glyph;
    }
    return;
  }
  if (Alignment == 0) {
    GlyphX = Margin + Axis.Text + Spacing;
    TextX = GlyphX - Spacing - Axis.Text;
  } else if (Alignment == 1) {
    GlyphX = Axis.Client - Margin - Axis.Glyph;
    TextX = GlyphX - Spacing - Axis.Text;
  } else if (Alignment == 2) {
    TextX = centred;
    GlyphX = centred + Spacing + Axis.Text;
  }
}

// Glyph and text y of the vertical layouts (the margin plays no part).
void PlaceAlong(int Layout, int Spacing, const TLayoutAxis& Axis, int& GlyphY, int& TextY) {
  const int h = (Axis.Client - Axis.Glyph - Spacing - Axis.Text) / 2;
  if (Layout == blGlyphTop) {
    GlyphY = h;
    TextY = h + Axis.Glyph + Spacing;
  } else {
    GlyphY = Axis.Client - Axis.Glyph - h;
    TextY = GlyphY - Spacing - Axis.Text;
  }
}

}  // namespace

void ComputeButtonLayout(const TPixelRect& R, TPixelPoint Glyph, TPixelPoint Text, int Layout, int Alignment,
                         int Margin, int Spacing, TPixelPoint& GlyphPos, TPixelRect& TextBounds, unsigned Flags) {
  if ((Flags & kButtonRightToLeft) != 0) {
    if (Layout == blGlyphLeft)
      Layout = blGlyphRight;
    else if (Layout == blGlyphRight)
      Layout = blGlyphLeft;
  }
  const TPixelPoint client{R.right - R.left, R.bottom - R.top};
  TextBounds = {0, 0, Text.x, Text.y};
  GlyphPos = {};
  TPixelPoint textPos;
  const bool across = Layout == blGlyphLeft || Layout == blGlyphRight;
  const bool along = Layout == blGlyphTop || Layout == blGlyphBottom;
  if (across) {
    GlyphPos.y = (client.y - Glyph.y + 1) / 2;
    textPos.y = (client.y - Text.y + 1) / 2;
  } else if (along) {
    GlyphPos.x = (client.x - Glyph.x + 1) / 2;
    textPos.x = (client.x - Text.x + 1) / 2;
  }
  if (Text.x == 0 || Glyph.x == 0)
    Spacing = 0;
  const TLayoutAxis axis = across ? TLayoutAxis{client.x, Glyph.x, Text.x} : TLayoutAxis{client.y, Glyph.y, Text.y};
  ResolveMarginAndSpacing(axis, Alignment, Margin, Spacing);
  if (across)
    PlaceAcross(Layout, Alignment, Margin, Spacing, axis, GlyphPos.x, textPos.x);
  else if (along)
    PlaceAlong(Layout, Spacing, axis, GlyphPos.y, textPos.y);
  GlyphPos.x += R.left;
  GlyphPos.y += R.top;
  const int dx = R.left + textPos.x, dy = R.top + textPos.y;
  TextBounds = {TextBounds.left + dx, TextBounds.top + dy, TextBounds.right + dx, TextBounds.bottom + dy};
}
