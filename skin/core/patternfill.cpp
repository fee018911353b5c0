#include "skin/core/patternfill.h"

#include <algorithm>

#include "classlib/graphics/jpeg.h"
#include "skin/core/maskregion.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skinmanager.h"

bool IsCoveredRect(const RECT& R) { return R.left == -1 && R.top == -1 && R.right == -1 && R.bottom == -1; }

void FillBitmapRect(TBitmap* B, const RECT& R, TColor Color) {
  if (B == nullptr || R.right <= R.left || R.bottom <= R.top)
    return;
  if (B->PixelFormat() == pf32bit)
    FillRect32(PixelViewOf(B), {R.left, R.top, R.right, R.bottom}, ColorToRGB(Color));
  else
    FillDeviceRect(B->Canvas().Handle(), R, Color);
}

TPixelBackground PixelBackgroundOf(const TsBackgroundSource& Src) {
  TPixelBackground bg;
  bg.Bitmap = PixelViewOf(Src.Bitmap);
  bg.X = Src.X;
  bg.Y = Src.Y;
  bg.FillColor = Src.FillColor;
  bg.Ready = Src.Ready;
  return bg;
}

namespace {

// True when D draws without a clip region, so what is drawn into it can be
// read back from the same places.
bool HasNoClipRegion(HDC D) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int found = GetClipRgn(D, region);
  DeleteObject(region);
  return found == 0;
}

// Lays copies of the tile at Area's top-left corner along its first row,
// then that row down Area, each step copying what is already laid (a whole
// number of tiles at a time).
void TileByDoubling(HDC D, const RECT& Area, int W, int H) {
  const int width = Area.right - Area.left, height = Area.bottom - Area.top;
  const int tileH = std::min(H, height);
  for (int done = W; done < width; done *= 2)
    BitBlt(D, Area.left + done, Area.top, std::min(done, width - done), tileH, D, Area.left, Area.top, SRCCOPY);
  for (int done = H; done < height; done *= 2)
    BitBlt(D, Area.left, Area.top + done, width, std::min(done, height - done), D, Area.left, Area.top, SRCCOPY);
}

// Copies a W x H tile from (SX, SY) of S again and again over Area of D,
// starting at Area's top-left corner; tiles that cross Area's edges are cut.
// Without a clip region the tiles are laid by doubling, a few copies instead
// of one per tile.
void TileBlt(HDC D, const RECT& Area, HDC S, int SX, int SY, int W, int H) {
  if (W <= 0 || H <= 0 || Area.right <= Area.left || Area.bottom <= Area.top)
    return;
  if (D != S && HasNoClipRegion(D)) {
    BitBlt(D, Area.left, Area.top, std::min(W, static_cast<int>(Area.right - Area.left)),
           std::min(H, static_cast<int>(Area.bottom - Area.top)), S, SX, SY, SRCCOPY);
    TileByDoubling(D, Area, W, H);
    return;
  }
  for (int y = Area.top; y < Area.bottom; y += H)
    for (int x = Area.left; x < Area.right; x += W)
      BitBlt(D, x, y, std::min(W, static_cast<int>(Area.right) - x), std::min(H, static_cast<int>(Area.bottom) - y),
             S, SX, SY, SRCCOPY);
}

void StretchTo(HDC D, const RECT& Area, HDC S, int SX, int SY, int W, int H) {
  if (Area.right <= Area.left || Area.bottom <= Area.top || W <= 0 || H <= 0)
    return;
  const int oldMode = SetStretchBltMode(D, HALFTONE);
  POINT oldOrigin;
  SetBrushOrgEx(D, 0, 0, &oldOrigin);
  StretchBlt(D, Area.left, Area.top, Area.right - Area.left, Area.bottom - Area.top, S, SX, SY, W, H, SRCCOPY);
  SetBrushOrgEx(D, oldOrigin.x, oldOrigin.y, nullptr);
  SetStretchBltMode(D, oldMode);
}

RECT Intersection(const RECT& A, const RECT& B) {
  return RECT{std::max(A.left, B.left), std::max(A.top, B.top), std::min(A.right, B.right),
              std::min(A.bottom, B.bottom)};
}

// A band along one edge of R that a texture covers, tiled or stretched,
// and the rest of R it leaves for the section colour.
struct TextureBand {
  RECT Area;
  RECT Rest;
  bool Stretched;
};

// The band of a band fill mode (2 to 7) for an image W x H.
TextureBand BandOfMode(int Mode, const RECT& R, int W, int H) {
  const LONG l = R.left, t = R.top, r = R.right, b = R.bottom;
  const bool stretched = Mode == fmTopStretched || Mode == fmLeftStretched;
  switch (Mode) {
    case fmTopBand:
    case fmTopStretched: return {{l, t, r, t + H}, {l, t + H, r, b}, stretched};
    case fmLeftBand:
    case fmLeftStretched: return {{l, t, l + W, b}, {l + W, t, r, b}, stretched};
    case fmBottomBand: return {{l, b - H, r, b}, {l, t, r, b - H}, false};
    default: return {{r - W, t, r, b}, {l, t, r - W, b}, false};  // fmRightBand
  }
}

// Draws the image of size W x H held at (SX, SY) of S over R of D by the
// fill mode and gives back what is left uncovered.
RECT DrawByFillMode(HDC D, const RECT& R, HDC S, int SX, int SY, int W, int H, int Mode) {
  if (Mode >= fmTopBand && Mode <= fmRightBand) {
    const TextureBand band = BandOfMode(Mode, R, W, H);
    if (band.Stretched)
      StretchTo(D, Intersection(R, band.Area), S, SX, SY, W, H);
    else
      TileBlt(D, Intersection(R, band.Area), S, SX, SY, W, H);
    return band.Rest;
  }
  switch (Mode) {
    case fmStretch:
      StretchTo(D, R, S, SX, SY, W, H);
      return kCoveredRect;
    case fmWholeTiles: {
      const LONG rows = H > 0 ? (R.bottom - R.top) / H : 0;
      TileBlt(D, {R.left, R.top, R.right, R.top + rows * H}, S, SX, SY, W, H);
      return kCoveredRect;
    }
    case fmTile:
      TileBlt(D, R, S, SX, SY, W, H);
      return kCoveredRect;
    default:
      // Modes without a meaning of their own tile the whole rectangle and
      // leave the image-wide band at the right edge to the section colour.
      TileBlt(D, R, S, SX, SY, W, H);
      return {R.right - W, R.top, R.right, R.bottom};
  }
}

}  // namespace

void TileGraphic(TCanvas& Canvas, const RECT& R, TGraphic* Graphic) {
  if (Graphic == nullptr || Graphic->Empty())
    return;
  const int w = Graphic->Width(), h = Graphic->Height();
  if (w <= 0 || h <= 0)
    return;
  if (auto* bitmap = dynamic_cast<TBitmap*>(Graphic)) {
    TileBlt(Canvas.Handle(), R, bitmap->Canvas().Handle(), 0, 0, w, h);
    return;
  }
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(Graphic)) {
    HDC dc = Canvas.Handle();
    TDCStateScope state(dc);
    IntersectClipRect(dc, R.left, R.top, R.right, R.bottom);
    for (int j = 0; j <= (R.bottom - R.top) / h; ++j)
      for (int i = 0; i <= (R.right - R.left) / w; ++i)
        Canvas.Draw(R.left + i * w, R.top + j * h, *jpeg);
  }
}

void PaintPatternRect(TCanvas& Canvas, RECT& R, TGraphic* Graphic, int Mode, const TsMaskData& Image) {
  if (Graphic != nullptr && !Graphic->Empty()) {
    TileGraphic(Canvas, R, Graphic);
    R = kCoveredRect;
    return;
  }
  if (Image.Manager == nullptr || Image.Manager->MasterBitmap == nullptr)
    return;
  TBitmap* master = Image.Manager->MasterBitmap.get();
  const RECT src = Image.R;
  R = DrawByFillMode(Canvas.Handle(), R, master->Canvas().Handle(), src.left, src.top, src.right - src.left,
                     src.bottom - src.top, Mode);
}

namespace {

// Where the whole cells of a masked texture end inside a rectangle.
struct CellGrid {
  int EndX;  // first column position not used by a whole cell
  int EndY;  // first row position not used by a whole cell
};

// Fills a strip with what lies behind it.
void FillStripFromSource(TBitmap* B, const RECT& Strip, const TsBackgroundSource& Src) {
  if (Strip.right <= Strip.left || Strip.bottom <= Strip.top)
    return;
  if (Src.Bitmap != nullptr) {
    BitBlt(B->Canvas().Handle(), Strip.left, Strip.top, Strip.right - Strip.left, Strip.bottom - Strip.top,
           Src.Bitmap->Canvas().Handle(), Src.X + Strip.left, Src.Y + Strip.top, SRCCOPY);
    return;
  }
  FillBitmapRect(B, Strip, Src.FillColor);
}

// Draws the rows of cells whose whole height fits, each row ending in a
// cell cut at R's right edge unless WholeOnly; gives back where the whole
// cells end (no rows count when not even one whole column fits).
CellGrid DrawCellRows(TBitmap* B, const RECT& R, const TMaskImage& Image, int CellW, int CellH,
                      const TPixelBackground& Bg, bool WholeOnly) {
  const TPixelView view = PixelViewOf(B);
  const TPixelRect source{Image.R.left, Image.R.top, Image.R.left + CellW, Image.R.top + 2 * CellH};
  const int columns = std::max(0, static_cast<int>(R.right - R.left) / CellW);
  const int right = WholeOnly ? static_cast<int>(R.left) + columns * CellW : static_cast<int>(R.right);
  CellGrid grid{static_cast<int>(R.left) + columns * CellW, static_cast<int>(R.top)};
  for (int y = R.top; y + CellH <= R.bottom; y += CellH) {
    for (int x = R.left; x < right; x += CellW)
      CopyMaskedCell({x, y, std::min(x + CellW, right), y + CellH}, source, view, Image.Bitmap, Bg);
    if (columns > 0)
      grid.EndY = y + CellH;
  }
  return grid;
}

}  // namespace

void TileMaskPattern(TBitmap* B, RECT& R, const TsBackgroundSource& Src, int Mode, const TsMaskData& Image) {
  if (B == nullptr || Image.Manager == nullptr || (Mode != fmTile && Mode != fmWholeTiles))
    return;
  const TMaskImage image = MaskImageOf(Image);
  const int cellW = image.FrameWidth(), cellH = (image.R.bottom - image.R.top) / 2;
  if (!image.Bitmap.Assigned() || cellW <= 0 || cellH <= 0)
    return;
  const CellGrid grid = DrawCellRows(B, R, image, cellW, cellH, PixelBackgroundOf(Src), Mode == fmWholeTiles);
  if (Mode == fmWholeTiles) {
    FillStripFromSource(B, {R.left, grid.EndY, R.right, R.bottom}, Src);
    FillStripFromSource(B, {grid.EndX, R.top, R.right, R.bottom}, Src);
  }
  R = kCoveredRect;
}
