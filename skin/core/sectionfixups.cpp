#include "skin/core/sectionfixups.h"

#include <algorithm>
#include <cstring>

#include "classlib/controls/wincontrol.h"
#include "skin/core/commondata.h"
#include "skin/core/maskregion.h"
#include "skin/core/patternfill.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skinmanager.h"
#include "skin/core/svclutils.h"

namespace {

bool IsKeyPixel(const std::uint8_t* p) { return p[0] == 0xFF && p[1] == 0 && p[2] == 0xFF; }

// The background of the owner's parent, its offsets moved to the owner's
// place. No answer (kind 0) without an owner with a parent.
TsBackgroundQuery AskOwnerBackground(TControl* Owner) {
  TsBackgroundQuery query;
  if (Owner == nullptr || Owner->Parent() == nullptr)
    return query;
  QueryControlBackground(query, Owner->Parent(), false);
  query.OffsetX += Owner->Left();
  query.OffsetY += Owner->Top();
  return query;
}

const TsMaskData* BorderMaskOf(TsCommonData* D, TsSkinManager* M) {
  return M != nullptr && M->IsMaskIndexValid(D->BorderMaskIndex) ? &M->Masks[D->BorderMaskIndex] : nullptr;
}

void PaintMaskBorderIntoCache(HDC DC, const RECT& R, int BW, TsCommonData* D, int St, RECT& ClientRect,
                              const TsMaskData& Mask, const TsBackgroundQuery& Query, TColor C) {
  D->SizeCacheBitmap();
  TBitmap* cache = D->CacheBitmap();
  HDC cacheDC = cache->Canvas().Handle();
  const int rw = R.right - R.left, rh = R.bottom - R.top;
  if (Mask.MaskType == 1) {
    if (Query.AnswerKind == bqBitmap && Query.Bitmap != nullptr)
      // The query's offsets already hold the owner's place in the bitmap.
      BitBlt(cacheDC, R.left, R.top, cache->Width() - R.left, rh, Query.Bitmap->Canvas().Handle(),
             Query.OffsetX + R.left, Query.OffsetY + R.top, SRCCOPY);
    else
      FillDeviceFrame(cacheDC, R, Mask.WL, Mask.WT, Mask.WR, Mask.WB, C);
  }
  DrawMaskRect(cache, R, false, true, St, Mask, PixelBackgroundOf(BackgroundToSource(Query)));
  ClientRect = RECT{R.left + Mask.WL, R.top + Mask.WT, R.right - Mask.WR, R.bottom - Mask.WB};
  if (BW == 0)
    return;
  FillDeviceFrame(cacheDC, ClientRect, std::max(0, std::min(rw - Mask.WR, BW) - Mask.WL),
                  std::max(0, std::min(rh - Mask.WB, BW) - Mask.WT), std::max(0, std::min(rw - Mask.WL, BW) - Mask.WR),
                  std::max(0, std::min(rh - Mask.WT, BW) - Mask.WB), C);
  ClientRect = RECT{R.left + BW, R.top + BW, R.right - BW, R.bottom - BW};
  ClientRect.right = std::max(ClientRect.right, ClientRect.left);
  ClientRect.bottom = std::max(ClientRect.bottom, ClientRect.top);
  if (DC != cacheDC)
    CopyBorderStrips(DC, R.left, R.top, rw, rh, cacheDC, R.left, R.top, BW);
}

// Reads a pixel of a 24-bit or 32-bit view into bytes (blue, green, red, alpha).
void ReadPixelBytes(const TPixelView& V, int x, int y, std::uint8_t* out) {
  const std::uint8_t* p = V.Pixel(x, y);
  out[0] = p[0];
  out[1] = p[1];
  out[2] = p[2];
  out[3] = V.Is32() ? p[3] : 0xFF;
}

void WritePixelBytes(const TPixelView& V, int x, int y, const std::uint8_t* in) {
  std::uint8_t* p = V.Pixel(x, y);
  p[0] = in[0];
  p[1] = in[1];
  p[2] = in[2];
  if (V.Is32())
    p[3] = 0xFF;
}

// Where the cache's transparent corner pixels get their colour from.
struct CornerBackground {
  TPixelView Bitmap;
  int X = 0, Y = 0;
  std::uint8_t Color[4]{};
};

// Gives the cache pixels of one W x H corner piece at (CX, CY) whose mask
// picture pixel at (SX, SY) is clFuchsia the background.
void RefillCornerPiece(const TPixelView& Cache, const TPixelView& Mask, int SX, int SY, int CX, int CY, int W, int H,
                       const CornerBackground& Bg) {
  for (int j = 0; j < H; ++j)
    for (int i = 0; i < W; ++i) {
      const int x = CX + i, y = CY + j;
      if (!Cache.Contains(x, y) || !Mask.Contains(SX + i, SY + j) || !IsKeyPixel(Mask.Pixel(SX + i, SY + j)))
        continue;
      if (!Bg.Bitmap.Assigned()) {
        WritePixelBytes(Cache, x, y, Bg.Color);
      } else if (Bg.Bitmap.Contains(Bg.X + x, Bg.Y + y) && (Bg.Bitmap.Is24() || Bg.Bitmap.Is32())) {
        std::uint8_t pixel[4];
        ReadPixelBytes(Bg.Bitmap, Bg.X + x, Bg.Y + y, pixel);
        WritePixelBytes(Cache, x, y, pixel);
      }
    }
}

CornerBackground CornerBackgroundOf(const TsBackgroundQuery& Query) {
  CornerBackground bg;
  if (Query.AnswerKind == bqBitmap && Query.Bitmap != nullptr) {
    bg.Bitmap = PixelViewOf(Query.Bitmap);
    bg.X = Query.OffsetX;
    bg.Y = Query.OffsetY;
    return bg;
  }
  const TColor c = ColorToRGB(Query.Color);
  bg.Color[0] = static_cast<std::uint8_t>(c >> 16);
  bg.Color[1] = static_cast<std::uint8_t>(c >> 8);
  bg.Color[2] = static_cast<std::uint8_t>(c);
  bg.Color[3] = 0xFF;
  return bg;
}

}  // namespace

void PaintControlBorder(HDC DC, const RECT& R, int BW, TsCommonData* D, int St, RECT& ClientRect) {
  if (D == nullptr)
    return;
  const TColor c = D->StateColor(St);
  const TsBackgroundQuery query = AskOwnerBackground(D->OwnerControl());
  if (const TsMaskData* mask = BorderMaskOf(D, D->SkinManager())) {
    PaintMaskBorderIntoCache(DC, R, BW, D, St, ClientRect, *mask, query, c);
    return;
  }
  if (BW != 0)
    FillDeviceFrame(DC, R, BW, BW, BW, BW, c);
}

void RepaintCacheCorners(TsCommonData* D, int St) {
  TsSkinManager* M = D != nullptr ? D->SkinManager() : nullptr;
  const TsMaskData* found = M != nullptr ? BorderMaskOf(D, M) : nullptr;
  TControl* owner = D != nullptr ? D->OwnerControl() : nullptr;
  if (found == nullptr || D->CacheBitmap() == nullptr || owner == nullptr || owner->Width() <= 1 ||
      owner->Height() <= 1)
    return;
  TsMaskData mask = *found;
  if (mask.Image != nullptr && mask.ImageCount == 0) {
    mask.ImageCount = 3;
    mask.MaskType = 1;
    mask.R = RECT{0, 0, mask.Image->Width(), mask.Image->Height()};
  }
  if (mask.ImageCount <= 0)
    return;
  const CornerBackground bg = CornerBackgroundOf(AskOwnerBackground(owner));
  const TPixelView cache = PixelViewOf(D->CacheBitmap());
  const TPixelView picture = MaskImageOf(mask).Bitmap;
  if (!(cache.Is24() || cache.Is32()) || !(picture.Is24() || picture.Is32()))
    return;
  const int fw = MaskFrameWidth(mask), fh = MaskFrameHeight(mask);
  const int left = mask.R.left + std::clamp(St, 0, mask.ImageCount - 1) * fw;
  const int right = left + fw - mask.WR, top = mask.R.top, bottom = mask.R.top + fh - mask.WB;
  const int w = owner->Width(), h = owner->Height();
  RefillCornerPiece(cache, picture, left, top, 0, 0, mask.WL, mask.WT, bg);
  RefillCornerPiece(cache, picture, left, bottom, 0, h - mask.WB, mask.WL, mask.WB, bg);
  RefillCornerPiece(cache, picture, right, bottom, w - mask.WR, h - mask.WB, mask.WR, mask.WB, bg);
  RefillCornerPiece(cache, picture, right, top, w - mask.WR, 0, mask.WR, mask.WT, bg);
}

void RestoreTransparentPixels(TBitmap* Dst, TBitmap* Bg, const RECT& DR, POINT BP, int MI, TsSkinManager* M, int K) {
  if (Dst == nullptr || Bg == nullptr || Dst->PixelFormat() != pf32bit || Bg->PixelFormat() != pf32bit)
    return;
  const TPixelView d = PixelViewOf(Dst), b = PixelViewOf(Bg);
  const int w = std::max(0, std::min<int>(DR.right - DR.left, b.Width - BP.x));
  const int h = std::max(0, std::min<int>(DR.bottom - DR.top, b.Height - BP.y));
  TPixelView picture;
  int ox = 0, oy = 0;
  if (MI != -1) {
    M = M != nullptr ? M : DefaultManager();
    if (M == nullptr || !M->IsMaskIndexValid(MI))
      return;
    const TsMaskData& mask = M->Masks[MI];
    picture = MaskImageOf(mask).Bitmap;
    const bool right = K == HTTOPRIGHT || K == HTBOTTOMRIGHT, bottom = K == HTBOTTOMLEFT || K == HTBOTTOMRIGHT;
    ox = mask.R.left + (right ? MaskFrameWidth(mask) - mask.WR : 0);
    oy = mask.R.top + (bottom ? MaskFrameHeight(mask) - mask.WB : 0);
    if (!(picture.Is24() || picture.Is32()))
      return;
  }
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const int x = DR.left + i, y = DR.top + j;
      if (!d.Contains(x, y) || !b.Contains(BP.x + i, BP.y + j))
        continue;
      const std::uint8_t* test = MI == -1 ? d.Pixel(x, y)
                                 : picture.Contains(ox + i, oy + j) ? picture.Pixel(ox + i, oy + j)
                                                                    : nullptr;
      if (test != nullptr && IsKeyPixel(test))
        std::memcpy(d.Pixel(x, y), b.Pixel(BP.x + i, BP.y + j), 4);
    }
}

void ApplyDisabledKind(TBitmap* B, TsDisabledKind K, TControl* C, const TsBackgroundSource& Src, POINT P) {
  if (B == nullptr || B->Width() < 1 || B->Height() < 1)
    return;
  const TPixelView view = PixelViewOf(B);
  if ((K & dkGrayed) != 0)
    GrayscaleBitmap(view);
  if ((K & dkBlended) == 0)
    return;
  if (Src.Bitmap != nullptr) {
    const int x = Src.X + P.x, y = Src.Y + P.y;
    // A key whose top byte is 0xFF keys nothing.
    BlendBitmapRect(view, 0, 0, PixelViewOf(Src.Bitmap), {x, y, x + B->Width() - 1, y + B->Height() - 1}, 0.4,
                    static_cast<TColor>(0xFF000000u));
    return;
  }
  const TColor color = Src.FillColor != clFuchsia ? Src.FillColor : ControlBackColor(C);
  BlendColorRect(view, {0, 0, B->Width(), B->Height()}, 50, color);
}
