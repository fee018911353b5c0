#include "skin/core/imagelistglyphs.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "classlib/graphics/screenfacts.h"
#include "skin/core/alphabitmaps.h"
#include "skin/core/alphaimagelist.h"
#include "skin/core/resamplebitmap.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skinplatform.h"
#include "support/png/graphic/pnggraphic.h"

TIconPieces::TIconPieces(HICON Icon) {
  if (Icon == nullptr || !GetIconInfo(Icon, &info_))
    info_ = ICONINFO{};
}

TIconPieces::~TIconPieces() {
  if (info_.hbmColor != nullptr)
    DeleteObject(info_.hbmColor);
  if (info_.hbmMask != nullptr)
    DeleteObject(info_.hbmMask);
}

bool TIconPieces::Colour32(TBitmap& Target) const {
  BITMAP bm{};
  if (info_.hbmColor == nullptr || GetObjectW(info_.hbmColor, sizeof(bm), &bm) == 0 || bm.bmWidth < 1 ||
      bm.bmHeight < 1)
    return false;
  const int width = bm.bmWidth, height = bm.bmHeight;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // rows top down, as ScanLine counts them
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(width) * height * 4);
  HDC screen = GetDC(nullptr);
  const int rows = GetDIBits(screen, info_.hbmColor, 0, height, bits.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height)
    return false;
  Target.SetPixelFormat(pf32bit);
  Target.SetSize(width, height);
  for (int y = 0; y < height; ++y)
    std::memcpy(Target.ScanLine(y), bits.data() + static_cast<std::size_t>(y) * width * 4,
                static_cast<std::size_t>(width) * 4);
  return true;
}

namespace {

// The image of a PNG item at the bitmap's size; false when it cannot be
// decoded or resampled.
bool PngItemBitmap32(TImageList& List, TsImgListItem& Item, TBitmap& Bitmap) {
  TPNGGraphic png;
  try {
    Item.ImgData().SetPosition(0);
    png.LoadFromStream(Item.ImgData());
    if (png.Width() == List.Width() && png.Height() == List.Height()) {
      Bitmap.Assign(&png);
    } else {
      Bitmap.SetPixelFormat(pf32bit);
      SmoothResize(&png, &Bitmap, Bitmap.Width(), Bitmap.Height(), rfMitchell);
    }
  } catch (Exception&) {
    return false;
  }
  if (Bitmap.PixelFormat() != pf32bit) {
    Bitmap.SetPixelFormat(pf32bit);
    MakeAlphaFromCornerKey(&Bitmap);
  }
  return true;
}

// The image as the system list gives it: the colour bitmap of its icon.
bool IconImageBitmap32(TImageList& List, int Index, TBitmap& Bitmap) {
  HICON icon = ImageList_GetIcon(List.Handle(), Index, ILD_NORMAL);
  if (icon == nullptr)
    return false;
  TBitmap colour;
  bool taken;
  {
    TIconPieces pieces(icon);
    taken = pieces.Colour32(colour);
  }
  DestroyIcon(icon);
  if (!taken)
    return false;
  // Older systems on screens of fewer colours give icons without alpha.
  if (!IsWindowsVistaOrLater() && ScreenFacts().BitsPerPixel < 32)
    MakeAlphaFromCornerKey(&colour);
  Bitmap.Assign(&colour);
  return true;
}

// The PNG item behind image Index of an alpha list that keeps its items;
// nullptr for anything else.
TsImgListItem* KeptPngItem(TImageList& List, int Index) {
  auto* alpha = dynamic_cast<TsAlphaImageList*>(&List);
  if (alpha == nullptr || !alpha->KeepsItems() || Index >= alpha->Items()->Count())
    return nullptr;
  TsImgListItem* item = alpha->Items()->Item(Index);
  return item->ImageFormat() == ifPNG && item->ImgData().Size() > 0 ? item : nullptr;
}

}  // namespace

bool GetImageListBitmap32(TImageList* List, int Index, TBitmap* Bitmap) {
  if (List == nullptr || Bitmap == nullptr || !List->HandleAllocated() || Index < 0 || Index >= List->Count())
    return false;
  if (TsImgListItem* item = KeptPngItem(*List, Index))
    return PngItemBitmap32(*List, *item, *Bitmap);
  return IconImageBitmap32(*List, Index, *Bitmap);
}

void MakeAlphaFromCornerKey(TBitmap* Bitmap) {
  if (Bitmap == nullptr || Bitmap->PixelFormat() != pf32bit)
    return;
  const TPixelView view = PixelViewOf(Bitmap);
  if (!view.Assigned())
    return;
  for (int y = 0; y < view.Height; ++y)
    for (int x = 0; x < view.Width; ++x)
      if (view.Pixel(x, y)[3] != 0)
        return;
  std::uint8_t key[3];
  std::memcpy(key, view.Pixel(0, view.Height - 1), 3);
  for (int y = 0; y < view.Height; ++y)
    for (int x = 0; x < view.Width; ++x) {
      std::uint8_t* p = view.Pixel(x, y);
      if (std::memcmp(p, key, 3) != 0)
        p[3] = 255;
    }
}

void DrawImageListGlyph(TImageList* List, TBitmap* Bmp, int X, SIZE& Size, bool Reflected, int NumGlyphs, int State,
                        TColor TintColor, int Blend, int ImageIndex, int Y) {
  Size = SIZE{0, 0};
  if (List == nullptr || Bmp == nullptr || Bmp->Width() == 0 || !List->HandleAllocated() || NumGlyphs < 1)
    return;
  const int columnWidth = List->Width() / NumGlyphs, height = List->Height();
  State = std::clamp(State, 0, NumGlyphs - 1);
  const RECT dest{X, Y, X + columnWidth, Y + height};
  const RECT source{columnWidth * State, 0, columnWidth * (State + 1), height};
  Size = SIZE{columnWidth, height};
  if (dynamic_cast<TsAlphaImageList*>(List) != nullptr) {
    std::unique_ptr<TBitmap> image(CreateBitmap32(List->Width(), height));
    if (GetImageListBitmap32(List, ImageIndex, image.get()))
      DrawAlphaBitmap(dest, source, Bmp, image.get(), TPixelBackground{}, false, TintColor, Blend, Reflected);
    return;
  }
  std::unique_ptr<TBitmap> work(CreateBitmap24(List->Width(), height));
  HDC workDC = work->Canvas().Handle();
  BitBlt(workDC, source.left, 0, columnWidth, height, Bmp->Canvas().Handle(), X, Y, SRCCOPY);
  List->Draw(work->Canvas(), 0, 0, ImageIndex, true);
  BitBlt(Bmp->Canvas().Handle(), X, Y, columnWidth, height, workDC, source.left, 0, SRCCOPY);
}

void DrawImageListGlyphDC(TImageList* List, HDC DC, int X, bool Reflected, int NumGlyphs, int State, TColor TintColor,
                          int Blend, int ImageIndex, int Y) {
  if (List == nullptr || DC == nullptr || NumGlyphs < 1 || !List->HandleAllocated())
    return;
  const int width = List->Width(), height = List->Height() + (Reflected ? List->Height() / 2 : 0);
  std::unique_ptr<TBitmap> area(CreateBitmap24(width, height));
  HDC areaDC = area->Canvas().Handle();
  BitBlt(areaDC, 0, 0, width, height, DC, X, Y, SRCCOPY);
  SIZE size{};
  DrawImageListGlyph(List, area.get(), 0, size, Reflected, NumGlyphs, State, TintColor, Blend, ImageIndex, 0);
  BitBlt(DC, X, Y, width, height, area->Canvas().Handle(), 0, 0, SRCCOPY);
}
