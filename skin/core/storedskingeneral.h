// A section of a skin kept in the application's form file. It holds no
// pictures, so it is portable: the loader and the readers of form streams
// built without the platform's graphics use the same class.
#pragma once
#include "classlib/classes/collection.h"
#include "classlib/graphics/colors.h"

// One section of a stored skin. FontColor and HotFontColor hold five
// space-separated integers: the colour, then the left, top, right and bottom
// contour colours.
class TsSkinGeneral : public TCollectionItem {
  DECLARE_CLASS(TsSkinGeneral, TCollectionItem)

public:
  explicit TsSkinGeneral(TCollection* Collection) : TCollectionItem(Collection) {}

  AnsiString SectionName, ParentClass;
  TColor Color = 0;
  bool ReservedBoolean = false;
  AnsiString FontColor, HotFontColor;
  int Transparency = 0, GlowCount = 0, GlowMargin = 0, GradientPercent = 0;
  AnsiString GradientData;
  int ImagePercent = 0;
  bool ShowFocus = false, FadingEnabled = false;
  int FadingIterations = 0;
  TColor HotColor = 0;
  int HotTransparency = 0, HotGradientPercent = 0;
  AnsiString HotGradientData;
  int HotImagePercent = 0;
  AnsiString Name;
  bool GiveOwnFont = false;
  TColor HotGlowColor = 0, GlowColor = 0;
  TColor HotGlowSize = 0, GlowSize = 0;  // streamed as colours, used as byte sizes
};
