// The loaded skin as the skin manager holds it: the skin-wide values, one
// record per section of the options file, one per skin image (mask) and one
// per large JPEG texture (pattern), plus the master bitmap many images are
// cut from. Loading fills these records; every painting routine reads them.
// Index -1 means "none" for every section, mask and pattern index.
#pragma once
#include <array>
#include <memory>
#include <vector>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/jpeg.h"
#include "classlib/system/ansistring.h"
#include "skin/core/skinsections.h"

class TsSkinManager;

// Bit values of a border mask's StretchMode.
constexpr short smStretchEdges = 1;   // edges and centre are stretched
constexpr short smHotBorderOnly = 2;  // the border is drawn only outside the normal state
constexpr short smDrawCentre = 4;     // the centre is drawn

// One skin image: its own bitmap, or an area R of the master bitmap.
struct TsMaskData {
  std::shared_ptr<TBitmap> Image;  // nullptr: cut from the master bitmap
  AnsiString SectionName;
  AnsiString PropertyName;
  RECT R{0, 0, 0, 0};
  short ImageCount = 0;  // state images side by side in R
  short MaskType = 0;    // R is MaskType + 1 rows high
  short BorderWidth = 0;
  short StretchMode = 0;
  TacImgType ImgType = itisaBorder;
  TsSkinManager* Manager = nullptr;
  short WL = 0, WT = 0, WR = 0, WB = 0;
};

// Width of one state image: width of R div ImageCount (0 when ImageCount is 0).
int MaskFrameWidth(const TsMaskData& Mask);
// Height of one row: height of R div (MaskType + 1) (0 when MaskType is -1).
int MaskFrameHeight(const TsMaskData& Mask);

// A large texture loaded from a JPEG file.
struct TsPatternData {
  std::shared_ptr<TJPEGImage> Image;
  AnsiString SectionName;
  AnsiString PropertyName;
};

using TsMaskArray = std::vector<TsMaskData>;
using TsPatternArray = std::vector<TsPatternData>;
