#include "skin/core/sectionpaint.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "classlib/controls/control.h"
#include "skin/core/commondata.h"
#include "skin/core/maskregion.h"
#include "skin/core/patternfill.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skingradientfill.h"
#include "skin/core/skinmanager.h"
#include "skin/core/skinutils.h"

namespace {

// The values of a section that make up its picture in one state.
struct SectionLook {
  TColor Color = 0;
  int Transparency = 0;
  int ImagePercent = 0;
  int GradientPercent = 0;
  const TsGradArray* Gradient = nullptr;
};

// The texture of a picture: a skin image or a picture of the pattern list.
struct SectionTexture {
  int Mask = -1;
  int Pattern = -1;
};

// Without texture and gradient shares the picture is its colour filled
// over the whole rectangle.
bool IsPlainColour(const SectionLook& L) { return L.ImagePercent == 0 && L.GradientPercent == 0; }

int Percent(int Value) { return std::clamp(Value, 0, 100); }

// A percentage as a blend weight 0..255.
std::uint8_t WeightOfPercent(int P) { return static_cast<std::uint8_t>(ClampByte(P * 255 / 100)); }

TsSkinManager* ManagerOrDefault(TsSkinManager* M) { return M != nullptr ? M : DefaultManager(); }

bool IsEmptyRect(const RECT& R) { return R.right <= R.left || R.bottom <= R.top; }

// R lies inside B with no negative corner.
bool FitsInside(const RECT& R, TBitmap* B) {
  return R.left >= 0 && R.top >= 0 && R.right <= B->Width() && R.bottom <= B->Height();
}

// Normal fields in state 0, hot fields otherwise. With ReadAll the texture
// and gradient shares are read also for a fully transparent section.
SectionLook ReadLook(const TsGeneralData& S, int St, bool ReadAll) {
  const bool hot = St != 0;
  SectionLook look;
  look.Color = ColorToRGB(hot ? S.HotColor : S.Color);
  look.Transparency = Percent(hot ? S.HotTransparency : S.Transparency);
  if (look.Transparency == 100 && !ReadAll)
    return look;
  look.ImagePercent = Percent(hot ? S.HotImagePercent : S.ImagePercent);
  look.GradientPercent = Percent(hot ? S.HotGradientPercent : S.GradientPercent);
  look.Gradient = hot ? &S.HotGradientArray : &S.GradientArray;
  return look;
}

// The texture of the state: the caller's index when it names a keyed skin
// image, the section's PATTERN (HOTPATTERN) image for -1, else the picture
// of that name in the pattern list. A caller's index of a masked image gives
// no texture (the overlay step still draws it).
SectionTexture FindSectionTexture(TsSkinManager* M, int S, const AnsiString& Name, int St, int PI, int HI) {
  const AnsiString property = St == 0 ? "PATTERN" : "HOTPATTERN";
  const int given = St == 0 ? PI : HI;
  int index = -1;
  if (given == -1) {
    index = M->FindMask(S, Name, property);
  } else if (M->IsMaskIndexValid(given)) {
    if (M->Masks[given].MaskType != 0)
      return {};
    index = given;
  }
  if (M->IsMaskIndexValid(index))
    return {index, -1};
  return {-1, M->FindPattern(S, Name, property)};
}

// The painters paint aside into work bitmaps. Creating a bitmap and its
// device context for every paint costs more than painting a control, so one
// bitmap per format and use is kept, grown when a larger one is needed and
// freed at shut-down. A section painted for a device context, its picture
// and the gradient over its texture are painted one inside the other, so
// each has a bitmap of its own.
enum class WorkUse { Section, Picture, Gradient, Count };

TBitmap* WorkBitmap(WorkUse Use, bool ThirtyTwo, int Width, int Height, bool Clear = true) {
  static std::unique_ptr<TBitmap> kept[static_cast<int>(WorkUse::Count)][2];
  std::unique_ptr<TBitmap>& slot = kept[static_cast<int>(Use)][ThirtyTwo];
  if (!slot || slot->Width() < Width || slot->Height() < Height) {
    const int w = std::max(Width, slot ? slot->Width() : 0), h = std::max(Height, slot ? slot->Height() : 0);
    slot.reset(ThirtyTwo ? CreateBitmap32(w, h) : CreateBitmap24(w, h));
  }
  // A new bitmap is black; a kept one is cleared to the same where it is
  // used, unless the caller paints all of that.
  if (!Clear)
    return slot.get();
  const TPixelView view = PixelViewOf(slot.get());
  const std::size_t rowBytes = static_cast<std::size_t>(Width) * (view.BitCount / 8);
  for (int y = 0; y < Height; ++y)
    std::memset(view.Row(y), 0, rowBytes);
  return slot.get();
}

// Lays the texture over R and fills what it leaves with the colour. False
// when there is no texture to paint.
bool PaintTexture(TBitmap* T, const RECT& R, const SectionTexture& Tex, TColor Color, const TsBackgroundSource& Src,
                  TsSkinManager* M) {
  RECT rest = R;
  if (Tex.Pattern >= 0) {
    if (Tex.Pattern >= static_cast<int>(M->Patterns.size()))
      return false;
    PaintPatternRect(T->Canvas(), rest, M->Patterns[Tex.Pattern].Image.get(), fmTile, TsMaskData{});
  } else if (M->IsMaskIndexValid(Tex.Mask)) {
    const TsMaskData& image = M->Masks[Tex.Mask];
    if (image.MaskType != 0)
      TileMaskPattern(T, rest, Src, image.StretchMode, image);
    else
      PaintPatternRect(T->Canvas(), rest, image.Image.get(), image.StretchMode, image);
  } else {
    return false;
  }
  if (!IsCoveredRect(rest))
    FillBitmapRect(T, rest, Color);
  return true;
}

// The gradient over R, or the colour when the section has no gradient stops.
void PaintGradientOrColor(TBitmap* T, const RECT& R, const SectionLook& Look) {
  if (Look.Gradient != nullptr && !Look.Gradient->empty())
    PaintGradient(T, R, *Look.Gradient, 0);
  else
    FillBitmapRect(T, R, Look.Color);
}

// The gradient painted aside and laid over the texture, which keeps its
// share; the last column and row of R keep the texture alone.
void PaintGradientOverTexture(TBitmap* T, const RECT& R, const SectionLook& Look, int ImagePercent) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  TBitmap* work = WorkBitmap(WorkUse::Gradient, T->PixelFormat() == pf32bit, w, h);
  PaintGradientOrColor(work, RECT{0, 0, w, h}, Look);
  BlendBitmapOnto(PixelViewOf(T), PixelViewOf(work), WeightOfPercent(ImagePercent), {0, 0, w - 1, h - 1},
                  {R.left, R.top});
}

// The section picture into R of T: texture, gradient and colour by their
// shares. A texture that cannot be painted leaves its share out. ZeroFill
// is the colour of a picture without texture and gradient.
void PaintPicture(TBitmap* T, const RECT& R, const SectionLook& Look, const SectionTexture& Tex,
                  const TsBackgroundSource& Src, TsSkinManager* M, TColor ZeroFill) {
  const bool textured = Look.ImagePercent > 0 && PaintTexture(T, R, Tex, Look.Color, Src, M);
  const int imagePercent = textured ? Look.ImagePercent : 0;
  if (Look.GradientPercent > 0) {
    if (textured)
      PaintGradientOverTexture(T, R, Look, imagePercent);
    else
      PaintGradientOrColor(T, R, Look);
  }
  const int shares = imagePercent + Look.GradientPercent;
  if (shares == 0)
    FillBitmapRect(T, R, ZeroFill);
  else if (shares < 100)
    BlendColorRect(PixelViewOf(T), {R.left, R.top, R.right, R.bottom}, static_cast<std::uint8_t>(shares), Look.Color);
}

// What lies behind R: the source bitmap's pixels at the control's place, or
// its fill colour.
void CopyBackground(TBitmap* B, const RECT& R, const TsBackgroundSource& Src, POINT P) {
  if (Src.Bitmap == nullptr) {
    FillBitmapRect(B, R, Src.FillColor);
    return;
  }
  if (Src.Bitmap != B)
    BitBlt(B->Canvas().Handle(), R.left, R.top, R.right - R.left, R.bottom - R.top, Src.Bitmap->Canvas().Handle(),
           Src.X + P.x, Src.Y + P.y, SRCCOPY);
}

// The picture painted aside, then blended over the background by the
// transparency (the background's share).
template <class PaintInto>
void BlendPictureOverBackground(TBitmap* B, const RECT& R, bool ThirtyTwo, bool PlainColour, int Transparency,
                                PaintInto&& Paint, const TsBackgroundSource& Src, POINT P) {
  const int w = R.right - R.left, h = R.bottom - R.top;
  TBitmap* work = WorkBitmap(WorkUse::Picture, ThirtyTwo, w, h, !PlainColour);
  Paint(work, RECT{0, 0, w, h});
  CopyBackground(B, R, Src, P);
  BlendBitmapOnto(PixelViewOf(B), PixelViewOf(work), WeightOfPercent(Transparency), {0, 0, w, h},
                  {R.left, R.top});
}

// A masked texture of fill mode 10 is laid once more over the normal state.
void PaintWholeTileOverlay(TBitmap* B, const RECT& R, const TsBackgroundSource& Src, POINT P, TsSkinManager* M,
                           int PI, int HI) {
  const int index = PI != -1 ? PI : HI;
  if (!M->IsMaskIndexValid(index))
    return;
  const TsMaskData& image = M->Masks[index];
  if (image.MaskType <= 0 || image.StretchMode != fmWholeTiles)
    return;
  TsBackgroundSource moved = Src;
  moved.X += P.x;
  moved.Y += P.y;
  RECT rest = R;
  TileMaskPattern(B, rest, moved, fmWholeTiles, image);
}

const TsMaskData* ValidMask(TsSkinManager* M, int Index) {
  return M->IsMaskIndexValid(Index) ? &M->Masks[Index] : nullptr;
}

// The four corner images of the section over the picture already in B.
void DrawSectionCorners(TBitmap* B, const RECT& R, int St, TsSkinManager* M, int S) {
  const TPixelBackground self = PixelBackgroundOf(MakeBackgroundSource(B, 0, 0));
  const auto& corners = M->Sections[S].CornerIndexes;
  for (int k = 0; k < 4; ++k) {
    const TsMaskData* image = ValidMask(M, corners[k]);
    if (image == nullptr)
      continue;
    const bool right = k == 1 || k == 3, bottom = k >= 2;
    const POINT at{right ? R.right - MaskFrameWidth(*image) : R.left,
                   bottom ? R.bottom - MaskFrameHeight(*image) : R.top};
    DrawMaskGlyph(B, at, St, self, *image, 1);
  }
}

void DrawBorderMask(TBitmap* B, const RECT& R, bool FC, bool CB, int St, const TsMaskData& Mask,
                    const TsBackgroundSource& Src, POINT P) {
  TsBackgroundSource moved = Src;
  moved.X += P.x;
  moved.Y += P.y;
  DrawMaskRect(B, R, FC, CB, St, Mask, PixelBackgroundOf(moved));
}

// The control item steps after the background: its border mask (not in
// state 0 when the mask draws its border only when hot), then the corners.
void DrawItemBorderAndCorners(TsCommonData* D, const TsBackgroundSource& Src, bool FC, int St, const RECT& R,
                              POINT P, TBitmap* B, bool CB) {
  TsSkinManager* M = D->SkinManager();
  if (const TsMaskData* mask = ValidMask(M, D->BorderMaskIndex))
    if (St != 0 || (mask->StretchMode & smHotBorderOnly) == 0)
      DrawBorderMask(B, R, FC, CB, St, *mask, Src, P);
  DrawSectionCorners(B, R, St, M, D->SectionIndex());
}

bool CanPaintControlItem(TsCommonData* D, const RECT& R, TBitmap* B) {
  if (D == nullptr || B == nullptr)
    return false;
  TsSkinManager* M = D->SkinManager();
  return M != nullptr && M->IsSectionIndexValid(D->SectionIndex()) && FitsInside(R, B);
}

}  // namespace

void PaintSectionBackground(int S, const AnsiString& Name, const TsBackgroundSource& Src, int St, const RECT& R,
                            POINT P, TBitmap* B, TsSkinManager* M, int PI, int HI, TColor CustomColor) {
  M = ManagerOrDefault(M);
  if (B == nullptr || M == nullptr || !M->IsSectionIndexValid(S) || IsEmptyRect(R))
    return;
  SectionLook look;
  if (CustomColor == clFuchsia)
    look = ReadLook(M->Sections[S], St, false);
  else
    look.Color = ColorToRGB(CustomColor);
  const SectionTexture tex = look.ImagePercent > 0 ? FindSectionTexture(M, S, Name, St, PI, HI) : SectionTexture{};
  auto paint = [&](TBitmap* T, const RECT& Area) { PaintPicture(T, Area, look, tex, Src, M, look.Color); };
  const int t = look.Transparency;
  const bool unknownBehind = Src.Bitmap == nullptr && Src.FillColor == clFuchsia;
  // With nothing known behind, a partly transparent section shows its own
  // colour rather than a mix with the "unknown" marker colour.
  if (unknownBehind || t == 0)
    paint(B, R);
  else if (t == 100)
    CopyBackground(B, R, Src, P);
  else if (Src.Bitmap != nullptr || look.ImagePercent + look.GradientPercent != 0)
    BlendPictureOverBackground(B, R, B->PixelFormat() == pf32bit, IsPlainColour(look), t, paint, Src, P);
  else
    FillBitmapRect(B, R, BlendColors(ColorToRGB(Src.FillColor), look.Color, t / 100.0));
  if (St == 0)
    PaintWholeTileOverlay(B, R, Src, P, M, PI, HI);
}

void PaintSectionBackgroundAt(int S, int PI, int HI, const TsBackgroundSource& Src, int St, const RECT& R, POINT P,
                              TBitmap* B, TsSkinManager* M) {
  M = ManagerOrDefault(M);
  if (B == nullptr || M == nullptr || !M->IsSectionIndexValid(S) || IsEmptyRect(R))
    return;
  const SectionLook look = ReadLook(M->Sections[S], St, true);
  const SectionTexture tex{St == 0 ? PI : HI, -1};
  const int t = look.Transparency;
  const TColor zeroFill = Src.Bitmap == nullptr && t == 100 ? Src.FillColor : look.Color;
  auto paint = [&](TBitmap* T, const RECT& Area) { PaintPicture(T, Area, look, tex, Src, M, zeroFill); };
  if (Src.Bitmap != nullptr && t == 100)
    CopyBackground(B, R, Src, P);
  else if (Src.Bitmap == nullptr || t == 0)
    paint(B, R);
  else
    BlendPictureOverBackground(B, R, false, IsPlainColour(look), t, paint, Src, P);
}

void PaintControlBackground(TsCommonData* D, const TsBackgroundSource& Src, int St, const RECT& R, POINT P,
                            TBitmap* B) {
  if (D == nullptr)
    return;
  TColor custom = clFuchsia;
  if (D->CustomColor() && D->OwnerControl() != nullptr)
    custom = ColorToRGB(D->OwnerControl()->Color());
  PaintSectionBackground(D->SectionIndex(), D->SkinSection(), Src, St, R, P, B, D->SkinManager(), D->PatternIndex,
                         D->HotPatternIndex, custom);
}

void PaintControlItem(TsCommonData* D, const TsBackgroundSource& Src, bool FC, int St, const RECT& R, POINT P,
                      TBitmap* B, bool CB) {
  if (!CanPaintControlItem(D, R, B))
    return;
  PaintControlBackground(D, Src, St, R, P, B);
  DrawItemBorderAndCorners(D, Src, FC, St, R, P, B, CB);
}

void PaintControlItemOverParent(TsCommonData* D, TControl* Parent, bool FC, int St, const RECT& R, POINT P,
                                TBitmap* B, bool CB) {
  if (!CanPaintControlItem(D, R, B))
    return;
  TsBackgroundQuery query;
  QueryControlBackground(query, Parent, false);
  const TsBackgroundSource src = BackgroundToSource(query);
  PaintControlBackground(D, src, St, R, P, B);
  DrawItemBorderAndCorners(D, src, FC, St, R, P, B, CB);
}

void PaintSectionWithCorners(int S, const AnsiString& Name, const TsBackgroundSource& Src, bool FC, int St,
                             const RECT& R, POINT P, TBitmap* B, TsSkinManager* M, int PI, int HI) {
  M = ManagerOrDefault(M);
  if (B == nullptr || IsEmptyRect(R) || M == nullptr || !M->IsSectionIndexValid(S) || !FitsInside(R, B))
    return;
  PaintSectionBackground(S, Name, Src, St, R, P, B, M, PI, HI, clFuchsia);
  DrawSectionCorners(B, R, St, M, S);
  if (const TsMaskData* mask = ValidMask(M, M->Sections[S].BorderIndex))
    DrawBorderMask(B, R, FC, true, St, *mask, Src, P);
}

void PaintSectionWithBorder(int S, int BI, int PI, int HI, TsBackgroundSource& Src, bool FC, int St, const RECT& R,
                            POINT P, TBitmap* B, TsSkinManager* M) {
  M = ManagerOrDefault(M);
  if (B == nullptr || IsEmptyRect(R) || M == nullptr || !M->IsSectionIndexValid(S) || !FitsInside(R, B))
    return;
  PaintSectionBackgroundAt(S, PI, HI, Src, St, R, P, B, M);
  // The border reads the background from a moved copy, so Src is the same
  // on return as on entry.
  if (const TsMaskData* mask = ValidMask(M, BI))
    DrawBorderMask(B, R, FC, true, St, *mask, Src, P);
}

void PaintSectionToDC(int S, const AnsiString& Name, const TsBackgroundSource& Src, bool FC, int St, const RECT& R,
                      POINT P, HDC DC, TsSkinManager* M) {
  M = ManagerOrDefault(M);
  if (M == nullptr || !M->IsSectionIndexValid(S) || R.left < 0 || R.top < 0 || IsEmptyRect(R))
    return;
  const int w = R.right - R.left, h = R.bottom - R.top;
  TDCStateScope state(DC);
  TBitmap* work = WorkBitmap(WorkUse::Section, false, w, h);
  PaintSectionWithCorners(S, Name, Src, FC, St, RECT{0, 0, w, h}, P, work, M, -1, -1);
  BitBlt(DC, R.left, R.top, w, h, work->Canvas().Handle(), 0, 0, SRCCOPY);
}

int PaintSectionByName(TBitmap* B, const AnsiString& Name, const AnsiString& Name2, int St, TsSkinManager* M,
                       const RECT& SR, TColor C, HDC DC) {
  M = ManagerOrDefault(M);
  if (M == nullptr)
    return -1;
  AnsiString used = Name;
  int s = M->FindSection(Name);
  if (!M->IsSectionIndexValid(s)) {
    used = Name2;
    s = M->FindSection(Name2);
  }
  if (!M->IsSectionIndexValid(s) || B == nullptr)
    return s;
  TsBackgroundSource src{nullptr, 0, 0, C, false};
  if (DC != nullptr) {
    BitBlt(B->Canvas().Handle(), 0, 0, B->Width(), B->Height(), DC, SR.left, SR.top, SRCCOPY);
    src = TsBackgroundSource{B, 0, 0, C, true};
  }
  // Painted with the manager the index came from.
  PaintSectionWithCorners(s, used, src, true, St, RECT{0, 0, B->Width(), B->Height()}, POINT{0, 0}, B, M, -1, -1);
  return s;
}
