// Textures of skin sections laid over a rectangle: a texture image of the
// skin by its fill mode (tiled, stretched or as a band along one edge), a
// picture loaded from a file tiled over the whole rectangle, and a masked
// texture whose cells are drawn through their mask over the pixels already
// there. The painters hand back the part of the rectangle they left for the
// section colour, or (-1, -1, -1, -1) when they covered it all.
#pragma once
#include <windows.h>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "skin/core/alphablend.h"
#include "skin/core/skinbackground.h"
#include "skin/core/skindata.h"

// Fill modes of a texture image (its StretchMode).
constexpr int fmTile = 0;           // the whole rectangle, tiled
constexpr int fmStretch = 1;        // the whole rectangle, one stretched copy
constexpr int fmTopBand = 2;        // tiled along the top
constexpr int fmLeftBand = 3;       // tiled down the left side
constexpr int fmTopStretched = 4;   // stretched along the top
constexpr int fmLeftStretched = 5;  // stretched down the left side
constexpr int fmBottomBand = 6;     // tiled along the bottom
constexpr int fmRightBand = 7;      // tiled down the right side
constexpr int fmWholeTiles = 10;    // whole tiles only

// The rectangle a painter hands back when it covered the whole of it.
constexpr RECT kCoveredRect{-1, -1, -1, -1};
bool IsCoveredRect(const RECT& R);

// Lays a texture over R of the canvas. An assigned, non-empty Graphic is
// tiled over all of R (TileGraphic). Otherwise the skin image's rectangle
// of the master bitmap is drawn by Mode; an image without manager or
// master bitmap draws nothing. R comes back as the part left uncovered.
// Modes outside the table tile as mode 0 and leave the image-wide band at
// the right edge.
void PaintPatternRect(TCanvas& Canvas, RECT& R, TGraphic* Graphic, int Mode, const TsMaskData& Image);
// Tiles a bitmap or JPEG picture over R from R's top-left corner, the last
// row and column cut at R's edges. Other pictures, and empty ones, draw nothing.
void TileGraphic(TCanvas& Canvas, const RECT& R, TGraphic* Graphic);
// Lays the cells of a masked texture over R of the 24-bit B, each through
// its mask (clFuchsia picture pixels take Src). A cell is one state column
// wide and half the image high. Mode 0 draws the whole rows of cells, the
// last column cut at R's right edge; mode 10 draws whole cells only and
// gives the strips left at the right and bottom the background of Src. R
// comes back covered in both modes; any other mode, or an image without
// manager or with empty cells, leaves R alone.
void TileMaskPattern(TBitmap* B, RECT& R, const TsBackgroundSource& Src, int Mode, const TsMaskData& Image);

// Fills R of B with the colour: through its pixels for a 32-bit bitmap
// (alpha 255), through its device context otherwise.
void FillBitmapRect(TBitmap* B, const RECT& R, TColor Color);
// The pixel painters' view of a background source.
TPixelBackground PixelBackgroundOf(const TsBackgroundSource& Src);
