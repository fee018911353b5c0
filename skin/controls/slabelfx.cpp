#include "skin/controls/slabelfx.h"

#include <algorithm>

#include "skin/core/bitmappixels.h"
#include "skin/core/skinmanager.h"

BEGIN_PUBLISHED(TsShadow)
  PROPERTY(Mode, Mode, SetMode).Default(smSkin1),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Default(0),
  PROPERTY(BlurCount, BlurCount, SetBlurCount).Default(4),
  PROPERTY(Distance, Distance, SetDistance).Default(1),
END_PUBLISHED

BEGIN_PUBLISHED(TsKind)
  PROPERTY(KindType, KindType, SetKindType).Default(ktSkin),
  PROPERTY(Color, Color, SetColor).TypeName("TColor").Default(0xFFFFFF),
END_PUBLISHED

BEGIN_PUBLISHED(TsLabelFX)
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Kind, Kind, SetKind),
  PROPERTY(Shadow, Shadow, SetShadow),
END_PUBLISHED

// ---- TsShadow ----------------------------------------------------------------

void TsShadow::Changed() {
  if (FOwner != nullptr)
    FOwner->Invalidate();
}

void TsShadow::SetMode(TsShadowMode Value) {
  if (FMode == Value)
    return;
  FMode = Value;
  Changed();
}

void TsShadow::StoreComponents(TColor Value) {
  const TColor rgb = ColorToRGB(Value);
  FRed = rgb & 0xFF;
  FGreen = (rgb >> 8) & 0xFF;
  FBlue = (rgb >> 16) & 0xFF;
}

void TsShadow::SetColor(TColor Value) {
  if (FColor == Value)
    return;
  FColor = Value;
  StoreComponents(Value);
  Changed();
}

void TsShadow::SetBlurCount(int Value) {
  if (FBlurCount == Value)
    return;
  FBlurCount = Value;
  Changed();
}

void TsShadow::SetDistance(int Value) {
  if (FDistance == Value)
    return;
  FDistance = Value;
  Changed();
}

void TsShadow::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TsShadow*>(Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  SetMode(source->FMode);
  SetColor(source->FColor);
  SetBlurCount(source->FBlurCount);
  SetDistance(source->FDistance);
}

// ---- TsKind ------------------------------------------------------------------

void TsKind::Changed() {
  if (FOwner != nullptr)
    FOwner->Invalidate();
}

void TsKind::SetKindType(TsKindType Value) {
  if (FKindType == Value)
    return;
  FKindType = Value;
  Changed();
}

void TsKind::SetColor(TColor Value) {
  if (FColor == Value)
    return;
  FColor = Value;
  Changed();
}

void TsKind::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TsKind*>(Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  SetKindType(source->FKindType);
  SetColor(source->FColor);
}

// ---- TsLabelFX ---------------------------------------------------------------

TsLabelFX::TsLabelFX(TComponent* AOwner)
    : TsCustomLabel(AOwner),
      FShadowBitmap(std::make_unique<TBitmap>()),
      FShadow(std::make_unique<TsShadow>(this)),
      FKind(std::make_unique<TsKind>(this)) {
  FShadowBitmap->SetPixelFormat(pf32bit);
}

TsLabelFX::~TsLabelFX() = default;

TsLabelFX::ShadowLook TsLabelFX::CurrentShadow() {
  if (FShadow->Mode() == smCustom)
    return {FShadow->Color(), FShadow->BlurCount(), FShadow->Distance()};
  ShadowLook look{FShadow->Color(), FShadow->BlurCount(), FShadow->Distance()};
  TsSkinManager* manager = ActiveSkinOfDefaultManager();
  if (manager != nullptr && manager->SkinData()->Shadow1Blur != -1) {
    const TsSkinData& skin = *manager->SkinData();
    look = {skin.Shadow1Color, skin.Shadow1Blur, skin.Shadow1Offset};
  }
  FShadow->StoreComponents(look.Color);
  return look;
}

TColor TsLabelFX::TextColour() const {
  switch (FKind->KindType()) {
    case ktStandard: return ColorToRGB(Color());
    case ktCustom: return ColorToRGB(FKind->Color());
    case ktSkin: break;
  }
  TsSkinManager* manager = ActiveSkinOfDefaultManager();
  if (manager != nullptr) {
    const int info = manager->FindSection("GLOBALINFO");
    if (manager->IsSectionIndexValid(info) && manager->Sections[info].FontColor[1] != -1)
      return ColorToRGB(manager->Sections[info].FontColor[1]);
  }
  return ColorToRGB(FKind->Color());
}

void TsLabelFX::DrawEmbossed(TRect& Rect, const AnsiString& Text, UINT Flags) {
  TCanvas& canvas = *Canvas();
  OffsetRect(&Rect, 1, 1);
  canvas.Font().SetColor(clBtnHighlight);
  canvas.TextRect(Rect, Text, Flags);
  OffsetRect(&Rect, -1, -1);
  canvas.Font().SetColor(clBtnShadow);
  canvas.TextRect(Rect, Text, Flags);
}

void TsLabelFX::DoDrawText(TRect& Rect, UINT Flags) {
  if (FShadow->Mode() == smNone) {
    TsCustomLabel::DoDrawText(Rect, Flags);
    return;
  }
  const ShadowLook look = CurrentShadow();
  const AnsiString text = TextToDraw(Flags);
  TCanvas& canvas = *Canvas();
  canvas.SetFont(*Font());
  if (!Enabled()) {
    DrawEmbossed(Rect, text, Flags);
    return;
  }
  canvas.Font().SetColor(TextColour());
  const bool measuring = (Flags & DT_CALCRECT) != 0;
  const bool noShadow = look.Color == clNone || look.BlurCount == 0;
  if (measuring || noShadow) {
    canvas.TextRect(Rect, text, Flags);
    if (measuring && !noShadow)
      MeasureShadowRoom(Rect, look);
    return;
  }
  DrawWithShadow(Rect, text, Flags, look);
}

void TsLabelFX::MeasureShadowRoom(TRect& Rect, const ShadowLook& Look) {
  FInsetLow = std::min(Look.Distance - Look.BlurCount, 0);
  FInsetHigh = std::max(Look.Distance + Look.BlurCount, 0);
  Rect.right += FInsetHigh - FInsetLow;
  Rect.bottom += FInsetHigh - FInsetLow;
}

RECT TsLabelFX::InsetRect(const RECT& Rect) const {
  return RECT{Rect.left - FInsetLow, Rect.top - FInsetLow, Rect.right - FInsetHigh, Rect.bottom - FInsetHigh};
}

// The text's mask is drawn white on black, spread by the blur, and the
// shadow colour laid over what is behind the label by the mask's strength;
// the text goes on top.
void TsLabelFX::DrawWithShadow(const TRect& Rect, const AnsiString& Text, UINT Flags, const ShadowLook& Look) {
  const int width = std::max(0, static_cast<int>(Rect.right - Rect.left));
  const int height = std::max(0, static_cast<int>(Rect.bottom - Rect.top));
  TCanvas& canvas = *Canvas();
  FShadowBitmap->SetSize(width, height);
  TCanvas& mask = FShadowBitmap->Canvas();
  mask.Brush().SetColor(clBlack);
  mask.Brush().SetStyle(bsSolid);
  mask.FillRect(RECT{0, 0, width, height});
  mask.SetFont(canvas.Font());
  mask.Font().SetColor(clWhite);
  mask.Brush().SetStyle(bsClear);
  RECT maskRect = InsetRect(Rect);
  OffsetRect(&maskRect, Look.Distance, Look.Distance);
  mask.TextRect(maskRect, Text, Flags);
  GdiFlush();
  BlurMask(Look.BlurCount);
  if (Transparent())
    BitBlt(mask.Handle(), 0, 0, width, height, canvas.Handle(), 0, 0, SRCCOPY);
  Composite();
  BitBlt(canvas.Handle(), 0, 0, width, height, mask.Handle(), 0, 0, SRCCOPY);
  RECT textRect = InsetRect(Rect);
  canvas.Brush().SetStyle(bsClear);
  canvas.TextRect(textRect, Text, Flags);
}

// Each pass marks the text's cells full and spreads them once over their
// four neighbours; the one-cell border stays empty.
void TsLabelFX::BlurMask(int Count) {
  const TPixelView view = PixelViewOf(FShadowBitmap.get());
  const int w2 = view.Width + 2, h2 = view.Height + 2;
  const std::size_t needed = 2 * static_cast<std::size_t>(w2) * static_cast<std::size_t>(h2);
  if (FBlurBuffer.size() < needed)
    FBlurBuffer.resize(needed);
  std::fill_n(FBlurBuffer.begin(), needed, std::uint8_t{0});
  std::uint8_t* cells = FBlurBuffer.data();
  for (int pass = 0; pass < Count; ++pass) {
    for (int y = 0; y < view.Height; ++y) {
      const std::uint8_t* pixel = view.Row(y);
      std::uint8_t* cell = cells + (y + 1) * w2 + 1;
      for (int x = 0; x < view.Width; ++x, pixel += 4, ++cell)
        if (*pixel != 0)
          *cell = 255;
    }
    for (int y = 1; y <= view.Height; ++y) {
      std::uint8_t* cell = cells + y * w2 + 1;
      for (int x = 1; x <= view.Width; ++x, ++cell)
        *cell = static_cast<std::uint8_t>((cell[-w2] + cell[w2] + cell[-1] + cell[1]) >> 2);
    }
  }
}

// Over the label's own pixels when transparent (already copied into the
// bitmap), else over its Color.
void TsLabelFX::Composite() {
  const TPixelView view = PixelViewOf(FShadowBitmap.get());
  const int w2 = view.Width + 2;
  const int shadow[3] = {FShadow->Blue(), FShadow->Green(), FShadow->Red()};
  const TColor back = ColorToRGB(Color());
  const int backChannels[3] = {static_cast<int>((back >> 16) & 0xFF), static_cast<int>((back >> 8) & 0xFF),
                               static_cast<int>(back & 0xFF)};
  const bool overPixels = Transparent();
  for (int y = 0; y < view.Height; ++y) {
    std::uint8_t* pixel = view.Row(y);
    const std::uint8_t* cell = FBlurBuffer.data() + (y + 1) * w2 + 1;
    for (int x = 0; x < view.Width; ++x, pixel += 4, ++cell) {
      const int f = *cell;
      for (int c = 0; c < 3; ++c) {
        const int under = overPixels ? pixel[c] : backChannels[c];
        pixel[c] = static_cast<std::uint8_t>((under * (255 - f) + shadow[c] * f) >> 8);
      }
    }
  }
}
