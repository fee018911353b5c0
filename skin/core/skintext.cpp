#include "skin/core/skintext.h"

#include <algorithm>

#include "classlib/controls/graphiccontrol.h"
#include "classlib/graphics/wintext.h"
#include "skin/core/alphagraph.h"
#include "skin/core/bitmappixels.h"
#include "skin/core/commondata.h"
#include "skin/core/gaussblur.h"
#include "skin/core/skinmanager.h"

namespace {

constexpr int kContourCount = 4;
// Contour colours 2..5 are drawn one pixel left, up, right and down.
constexpr POINT kContourShift[kContourCount] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
// The share of the text colour in a disabled caption.
constexpr double kDisabledTextShare = 0.4;

bool TextIsEmpty(const char* Text) { return Text == nullptr || *Text == '\0'; }

RECT ShiftedRect(const RECT& R, POINT Shift) {
  return {R.left + Shift.x, R.top + Shift.y, R.right + Shift.x, R.bottom + Shift.y};
}

void DrawTextIn(TCanvas* Canvas, const AnsiString& Text, RECT R, UINT Format) { Canvas->TextRect(R, Text, Format); }

// The contour copies of the text, then the text in colour 1.
void DrawContouredText(TCanvas* Canvas, const AnsiString& Text, const RECT& R, UINT Format,
                       const std::array<TColor, 5>& Colors, UINT LastFormat) {
  for (int i = 0; i < kContourCount; ++i) {
    const TColor contour = Colors[static_cast<std::size_t>(i + 1)];
    if (contour == -1)
      continue;
    Canvas->Font().SetColor(contour);
    DrawTextIn(Canvas, Text, ShiftedRect(R, kContourShift[i]), Format);
  }
  Canvas->Font().SetColor(Colors[0]);
  DrawTextIn(Canvas, Text, R, LastFormat);
}

// A transparent graphic owner on a parent's glass takes the parent's font
// section (ControlKind 32, 33 and 74 are drawn the same way).
bool TakesParentFontSection(TControl* Owner, const TsCommonData* CD, int Transparency) {
  if (Owner == nullptr)
    return false;
  const int kind = CD->ControlKind();
  const bool graphic = dynamic_cast<TGraphicControl*>(Owner) != nullptr || kind == 32 || kind == 33 || kind == 74;
  return graphic && Owner->ParentFont() && Owner->Parent() != nullptr && Transparency >= 1;
}

int TextSectionOf(const TsCommonData* CD, TsSkinManager* Manager, bool Hot) {
  const int index = CD->SectionIndex();
  if (!Manager->IsSectionIndexValid(index))
    return index;
  const TsGeneralData& section = Manager->Sections[static_cast<std::size_t>(index)];
  const int transparency = Hot ? section.HotTransparency : section.Transparency;
  if (TakesParentFontSection(CD->OwnerControl(), CD, transparency))
    return FindFontSection(CD->OwnerControl(), index, Manager);
  return index;
}

// Clips the device context to R until the end of the scope, then gives it
// back its own clipping region (or none). Only the region is saved, so the
// canvas's selected font and brush stay as the canvas knows them.
class TClipScope {
public:
  TClipScope(HDC DC, const RECT& R) : dc_(DC), saved_(CreateRectRgn(0, 0, 0, 0)) {
    if (GetClipRgn(dc_, saved_) != 1) {
      DeleteObject(saved_);
      saved_ = nullptr;
    }
    IntersectClipRect(dc_, R.left, R.top, R.right, R.bottom);
  }
  ~TClipScope() {
    SelectClipRgn(dc_, saved_);
    if (saved_ != nullptr)
      DeleteObject(saved_);
  }
  TClipScope(const TClipScope&) = delete;
  TClipScope& operator=(const TClipScope&) = delete;

private:
  HDC dc_;
  HRGN saved_;
};

void DrawSectionGlow(TsCommonData* CD, const TsGeneralData& Section, const char* Text, const RECT& R, UINT Format,
                     bool Hot) {
  const int size = Hot ? Section.HotGlowSize : Section.GlowSize;
  if (CD->CacheBitmap() == nullptr || size == 0)
    return;
  std::unique_ptr<TBitmap> mask;
  DrawTextBlurShadow(CD->CacheBitmap(), Text, R, Format, kGlowAllSides, size,
                     Hot ? Section.HotGlowColor : Section.GlowColor, mask);
}

// An 8-bit mask: index i is the grey i, so a byte reads as its brightness.
void MakeGreyMask(TBitmap& Mask, int Width, int Height) {
  Mask.SetPixelFormat(pf8bit);
  Mask.SetSize(std::max(0, Width), std::max(0, Height));
  if (Mask.Width() == 0 || Mask.Height() == 0)
    return;
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = 256;
  for (int i = 0; i < 256; ++i) {
    const auto grey = static_cast<BYTE>(i);
    palette->palPalEntry[i] = PALETTEENTRY{grey, grey, grey, 0};
  }
  Mask.SetPalette(CreatePalette(palette));
}

// Draws the text in black on white into the mask, once per offset of
// Offsets and once in place.
void DrawGlowMask(TBitmap& Mask, TBitmap& Source, const AnsiString& Text, const RECT& R, UINT Format,
                  unsigned Offsets, int Reach) {
  MakeGreyMask(Mask, R.right - R.left + 2 * Reach, R.bottom - R.top + 2 * Reach);
  if (Mask.Width() == 0 || Mask.Height() == 0)
    return;
  TCanvas& canvas = Mask.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect({0, 0, Mask.Width(), Mask.Height()});
  canvas.Font().Assign(&Source.Canvas().Font());
  canvas.Font().SetColor(clBlack);
  canvas.Brush().SetStyle(bsClear);
  const RECT text{Reach, Reach, Reach + R.right - R.left, Reach + R.bottom - R.top};
  for (int i = 0; i < kContourCount; ++i)
    if ((Offsets & (1u << i)) != 0)
      DrawTextIn(&canvas, Text, ShiftedRect(text, kContourShift[i]), Format);
  DrawTextIn(&canvas, Text, text, Format);
}

}  // namespace

void DrawControlText(TCanvas* Canvas, const char* Text, bool Enabled, RECT R, UINT Format, TsCommonData* CD,
                     int State) {
  TsSkinManager* manager = CD != nullptr ? CD->SkinManager() : nullptr;
  if (Canvas == nullptr || manager == nullptr)
    return;
  const bool hot = State != 0;
  if (TControl* owner = CD->OwnerControl())
    Canvas->Font().Assign(owner->Font());
  if (hot && CD->SkinSection() == "WEBBUTTON") {
    TFontStyles style = Canvas->Font().Style();
    style.Include(fsUnderline);
    Canvas->Font().SetStyle(style);
  }
  TClipScope clip(Canvas->Handle(), R);
  if (TextIsEmpty(Text))
    return;
  const int s = TextSectionOf(CD, manager, hot);
  Canvas->Brush().SetStyle(bsClear);
  if (!manager->IsSectionIndexValid(s)) {
    DrawTextIn(Canvas, Text, R, Format);
    return;
  }
  const TsGeneralData& section = manager->Sections[static_cast<std::size_t>(s)];
  DrawSectionGlow(CD, section, Text, R, Format, hot);
  if (!Enabled) {
    Canvas->Font().SetColor(BlendColors(section.FontColor[0], manager->GlobalInfoColor(), kDisabledTextShare));
    DrawTextIn(Canvas, Text, R, Format);
  } else if (CD->CustomFont()) {
    DrawTextIn(Canvas, Text, R, Format | DT_NOCLIP);
  } else {
    DrawContouredText(Canvas, Text, R, Format, hot ? section.HotFontColor : section.FontColor, Format | DT_NOCLIP);
  }
}

void DrawSectionText(TCanvas* Canvas, const char* Text, bool Enabled, RECT R, UINT Format, int SectionIndex,
                     int State, TsSkinManager* M) {
  if (M == nullptr)
    M = DefaultManager();
  if (Canvas == nullptr || M == nullptr || !M->IsSectionIndexValid(SectionIndex))
    return;
  Canvas->Brush().SetStyle(bsClear);
  if (TextIsEmpty(Text))
    return;
  const TsGeneralData& section = M->Sections[static_cast<std::size_t>(SectionIndex)];
  if (!Enabled) {
    Canvas->Font().SetColor(BlendColors(section.FontColor[0], section.Color, kDisabledTextShare));
    DrawTextIn(Canvas, Text, R, Format);
    return;
  }
  DrawContouredText(Canvas, Text, R, Format, State != 0 ? section.HotFontColor : section.FontColor, Format);
}

void DrawTextBlurShadow(TBitmap* B, const char* Text, RECT R, UINT Format, unsigned Offsets, int Radius,
                        TColor Color, std::unique_ptr<TBitmap>& Mask) {
  if (B == nullptr)
    return;
  const int reach = Radius + 4;
  const int width = R.right - R.left + 2 * reach, height = R.bottom - R.top + 2 * reach;
  if (Mask == nullptr || Mask->Width() != width || Mask->Height() != height) {
    if (Mask == nullptr)
      Mask = std::make_unique<TBitmap>();
    DrawGlowMask(*Mask, *B, Text != nullptr ? AnsiString(Text) : AnsiString(), R, Format, Offsets, reach);
    BlurBitmap8(Mask.get(), Radius);
  }
  TintThroughGlowMask(PixelViewOf(B), PixelViewOf(Mask.get()), R.left - reach, R.top - reach, ColorToRGB(Color));
}

void BlurBitmap8(TBitmap* B, double Radius) {
  if (B == nullptr || B->HandleType() != bmDIB || B->PixelFormat() != pf8bit)
    return;
  BlurBitmap8(PixelViewOf(B), Radius);
}

void CutTextToWidth(TCanvas* Canvas, const AnsiString& Text, int W, AnsiString& Result) {
  Result = W > 0 ? Text : AnsiString();
  if (Result.empty() || Canvas->TextWidth(Result) <= W)
    return;
  while (!Result.empty() && Canvas->TextWidth(Result + "...") > W)
    Result.pop_back();
  if (!Result.empty())
    Result += "...";
}

void DrawDottedFocusRect(TCanvas* Canvas, const RECT& R) {
  HDC dc = Canvas->Handle();
  const int width = R.right - R.left, height = R.bottom - R.top;
  for (int i = 0; i <= width / 3; ++i) {
    const int x = R.left + 3 * i;
    SetPixelV(dc, x, R.top, 0);
    SetPixelV(dc, x, R.bottom, 0);
    SetPixelV(dc, x - 1, R.top - 1, 0xFFFFFF);
    SetPixelV(dc, x - 1, R.bottom - 1, 0xFFFFFF);
  }
  for (int j = 0; j <= height / 3; ++j) {
    const int y = R.top + 3 * j;
    SetPixelV(dc, R.left, y, 0);
    SetPixelV(dc, R.right, y, 0);
    SetPixelV(dc, R.left - 1, y - 1, 0xFFFFFF);
    SetPixelV(dc, R.right - 1, y - 1, 0xFFFFFF);
  }
}

void DrawTextOnDC(HDC DC, const AnsiString& Text, RECT& R, UINT Format) {
  const std::wstring wide = WideOf(Text);
  DrawTextW(DC, wide.c_str(), static_cast<int>(wide.size()), &R, Format);
}

int CanvasTextWidth(TCanvas* Canvas, const AnsiString& Text) { return Canvas->TextWidth(Text); }

void CanvasTextExtent(TCanvas* Canvas, const AnsiString& Text, SIZE& Size) { Size = Canvas->TextExtent(Text); }

void CanvasTextRect(TCanvas* Canvas, const RECT& R, int X, int Y, const AnsiString& Text) {
  Canvas->TextRect(R, X, Y, Text);
}

void FontTextExtent(HFONT Font, const AnsiString& Text, SIZE& Size) {
  Size = {0, 0};
  HDC dc = GetDC(nullptr);
  if (dc == nullptr)
    return;
  HGDIOBJ previous = SelectObject(dc, Font);
  const std::wstring wide = WideOf(Text);
  if (!GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &Size))
    Size = {0, 0};
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
}
