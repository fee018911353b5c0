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
#include "skin/core/skingradient.h"

class TsSkinManager;

// The skin-wide values (GLOBALINFO of the options file).
struct TsSkinData {
  AnsiString SkinFolder;  // with a trailing "\"; empty for a stored skin
  bool SkinActive = false;  // a loaded skin is applied
  double Version = 0;
  AnsiString Author, Description;
  TColor Shadow1Color = 0;
  short Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
  short BorderWidth = 4, TitleHeight = 30, MaxHeight = 0, FormOffset = 8, CenterOffset = 0, BorderMode = 0;
  TColor BorderColor = 0;
  short BISpace = 0, BIVAlign = 0, BIRight = 0, BILeft = 0, BITop = 0, BIKeepHue = 0;
  short BIConCloseGlow = 0, BIConCloseGlowMargin = 0, BIConMaxGlow = 0, BIConMaxGlowMargin = 0,
        BIConMinGlow = 0, BIConMinGlowMargin = 0;
};

// One section of the skin; the defaults are those of a key the options
// file leaves out.
struct TsGeneralData {
  AnsiString ParentClass;
  AnsiString SectionName;
  TColor Color = 0xFFFFFF;
  std::array<TColor, 5> FontColor{0, -1, -1, -1, -1};     // text, then left/top/right/bottom contour
  std::array<TColor, 5> HotFontColor{0, -1, -1, -1, -1};
  bool GiveOwnFont = false;
  int GlowCount = 0;
  int GlowMargin = 0;
  bool ReservedBoolean = false;
  int Transparency = 0;  // 0..100: the share of the background
  int GradientPercent = 0;
  AnsiString GradientData = " ";
  TsGradArray GradientArray;
  int ImagePercent = 0;
  bool ShowFocus = false;
  bool FadingEnabled = false;
  int FadingIterations = 5;
  TColor HotColor = 0xFFFFFF;
  int HotTransparency = 0;
  int HotGradientPercent = 0;
  AnsiString HotGradientData;
  TsGradArray HotGradientArray;
  int HotImagePercent = 0;
  TColor HotGlowColor = 0xFFFFFF;
  TColor GlowColor = 0xFFFFFF;
  unsigned char HotGlowSize = 0;
  unsigned char GlowSize = 0;
  int BorderIndex = -1;  // mask of BORDERSMASK
  std::array<int, 4> CornerIndexes{-1, -1, -1, -1};  // IMGTOPLEFT, IMGTOPRIGHT, IMGBTMLEFT, IMGBTMRIGHT
};

enum TacImgType { itisaBorder, itisaTexture, itisaGlyph, itisaGlow, itisaPngGlyph };

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

using TsGeneralDataArray = std::vector<TsGeneralData>;
using TsMaskArray = std::vector<TsMaskData>;
using TsPatternArray = std::vector<TsPatternData>;
