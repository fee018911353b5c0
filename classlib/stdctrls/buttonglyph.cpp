#include "classlib/stdctrls/buttonglyph.h"


TButtonLayoutResult CalcButtonLayout(const TRect& Client, SIZE GlyphSize, SIZE TextSize, TButtonLayout Layout,
                                     int Margin, int Spacing) {
  const int clientWidth = Client.right - Client.left, clientHeight = Client.bottom - Client.top;
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  const int along = horizontal ? clientWidth : clientHeight;
  const int glyphAlong = horizontal ? GlyphSize.cx : GlyphSize.cy;
  const int textAlong = horizontal ? TextSize.cx : TextSize.cy;
  if (glyphAlong == 0 || textAlong == 0)
    Spacing = 0;
  if (Margin < 0) {
    int gap = Spacing < 0 ? (along - glyphAlong - textAlong) / 3 : Spacing;
    int total = glyphAlong + gap + textAlong;
    Margin = (along - total) / 2;
    Spacing = gap;
  } else if (Spacing < 0) {
    Spacing = (along - Margin - glyphAlong - textAlong) / 2;
  }
  // Offsets along the layout axis from the edge the glyph sits at.
  int glyphStart = Margin;
  int textStart = Margin + glyphAlong + Spacing;
  TButtonLayoutResult result;
  if (horizontal) {
    int glyphY = (clientHeight - GlyphSize.cy) / 2, textY = (clientHeight - TextSize.cy) / 2;
    int glyphX = Layout == blGlyphLeft ? glyphStart : clientWidth - glyphStart - GlyphSize.cx;
    int textX = Layout == blGlyphLeft ? textStart : clientWidth - textStart - TextSize.cx;
    result.GlyphPos = Point(Client.left + glyphX, Client.top + glyphY);
    result.TextBounds = Bounds(Client.left + textX, Client.top + textY, TextSize.cx, TextSize.cy);
  } else {
    int glyphX = (clientWidth - GlyphSize.cx) / 2, textX = (clientWidth - TextSize.cx) / 2;
    int glyphY = Layout == blGlyphTop ? glyphStart : clientHeight - glyphStart - GlyphSize.cy;
    int textY = Layout == blGlyphTop ? textStart : clientHeight - textStart - TextSize.cy;
    result.GlyphPos = Point(Client.left + glyphX, Client.top + glyphY);
    result.TextBounds = Bounds(Client.left + textX, Client.top + textY, TextSize.cx, TextSize.cy);
  }
  return result;
}

TButtonGlyph::TButtonGlyph() : FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TButtonGlyph::~TButtonGlyph() { FGlyph->OnChange = nullptr; }

void TButtonGlyph::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
}

void TButtonGlyph::GlyphChanged(TObject*) {
  int width = FGlyph->Width(), height = FGlyph->Height();
  if (height > 0 && width > height && width % height == 0 && width / height <= 4)
    FNumGlyphs = width / height;
  if (OnChange)
    OnChange(nullptr);
}

void TButtonGlyph::SetNumGlyphs(TNumGlyphs Value) {
  if (Value < 1)
    Value = 1;
  if (Value > 4)
    Value = 4;
  if (FNumGlyphs == Value)
    return;
  FNumGlyphs = Value;
  if (OnChange)
    OnChange(nullptr);
}

SIZE TButtonGlyph::GlyphSize() {
  if (FGlyph->Empty())
    return SIZE{0, 0};
  return SIZE{FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
}

// The image of a state, with the transparent colour left out; a disabled
// button without its own image shows the up image embossed.
void TButtonGlyph::DrawGlyph(TCanvas& Canvas, TPoint Pos, TButtonState State) {
  SIZE size = GlyphSize();
  if (size.cx == 0)
    return;
  int index = static_cast<int>(State);
  if (State == bsExclusive && FNumGlyphs < 4)
    index = bsDown;
  if (index >= FNumGlyphs)
    index = 0;
  HDC source = FGlyph->Canvas().Handle();
  COLORREF transparent = static_cast<COLORREF>(ColorToRGB(FGlyph->Canvas().GetPixel(0, size.cy - 1)));
  HDC dest = Canvas.Handle();
  if (State == bsDisabled && FNumGlyphs < 2) {
    // A mask of the non-transparent pixels, drawn twice: highlight shifted, then shadow.
    HDC maskDC = CreateCompatibleDC(dest);
    HBITMAP mask = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(maskDC, mask);
    COLORREF oldBk = SetBkColor(source, transparent);
    BitBlt(maskDC, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    SetBkColor(source, oldBk);
    for (int pass = 0; pass < 2; ++pass) {
      HBRUSH brush = GetSysColorBrush(pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
      HGDIOBJ oldBrush = SelectObject(dest, brush);
      COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
      COLORREF oldBack = SetBkColor(dest, RGB(255, 255, 255));
      int shift = pass == 0 ? 1 : 0;
      // Where the mask is black (the glyph) paint the brush; keep the rest.
      BitBlt(dest, Pos.x + shift, Pos.y + shift, size.cx, size.cy, maskDC, 0, 0, 0x00B8074A);
      SetTextColor(dest, oldText);
      SetBkColor(dest, oldBack);
      SelectObject(dest, oldBrush);
    }
    SelectObject(maskDC, old);
    DeleteObject(mask);
    DeleteDC(maskDC);
    return;
  }
  TransparentBlt(dest, Pos.x, Pos.y, size.cx, size.cy, source, index * size.cx, 0, size.cx, size.cy,
                 transparent);
}

TRect TButtonGlyph::Draw(TCanvas& Canvas, const TRect& Client, TPoint Offset, const AnsiString& Caption,
                         TButtonLayout Layout, int Margin, int Spacing, TButtonState State, int BiDiFlags) {
  TRect textSize{0, 0, Client.right - Client.left, 0};
  if (!Caption.empty())
    Canvas.TextRect(textSize, Caption, DT_CALCRECT | BiDiFlags);
  else
    textSize.right = 0;
  TButtonLayoutResult layout = CalcButtonLayout(Client, GlyphSize(), SIZE{textSize.right, textSize.bottom},
                                                Layout, Margin, Spacing);
  OffsetRect(&layout.TextBounds, Offset.x, Offset.y);
  DrawGlyph(Canvas, Point(layout.GlyphPos.x + Offset.x, layout.GlyphPos.y + Offset.y), State);
  if (Caption.empty())
    return layout.TextBounds;
  Canvas.Brush().SetStyle(bsClear);
  const int flags = DT_CENTER | DT_VCENTER | BiDiFlags;
  TRect bounds = layout.TextBounds;
  if (State == bsDisabled) {
    TRect shifted = bounds;
    OffsetRect(&shifted, 1, 1);
    Canvas.Font().SetColor(clBtnHighlight);
    Canvas.TextRect(shifted, Caption, flags);
    Canvas.Font().SetColor(clBtnShadow);
  }
  Canvas.TextRect(bounds, Caption, flags);
  return layout.TextBounds;
}
