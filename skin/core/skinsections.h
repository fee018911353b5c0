// The skin-wide values and the sections of a loaded skin, as the options
// file (or a stored skin) gives them. Portable: no Win32.
#pragma once
#include <array>
#include <vector>

#include "classlib/classes/typinfo.h"
#include "classlib/graphics/colors.h"
#include "classlib/system/ansistring.h"
#include "skin/core/skingradient.h"

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
DOZURI_ENUM(TacImgType, "itisaBorder", "itisaTexture", "itisaGlyph", "itisaGlow", "itisaPngGlyph");

using TsGeneralDataArray = std::vector<TsGeneralData>;
