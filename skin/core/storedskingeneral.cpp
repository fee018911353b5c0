#include "skin/core/storedskingeneral.h"

#include "classlib/classes/typinfo.h"

BEGIN_PUBLISHED(TsSkinGeneral)
  PROPERTY(SectionName, SectionName, SectionName),
  PROPERTY(ParentClass, ParentClass, ParentClass),
  PROPERTY(Color, Color, Color).TypeName("TColor"),
  PROPERTY(ReservedBoolean, ReservedBoolean, ReservedBoolean),
  PROPERTY(FontColor, FontColor, FontColor),
  PROPERTY(HotFontColor, HotFontColor, HotFontColor),
  PROPERTY(Transparency, Transparency, Transparency),
  PROPERTY(GlowCount, GlowCount, GlowCount),
  PROPERTY(GlowMargin, GlowMargin, GlowMargin),
  PROPERTY(GradientPercent, GradientPercent, GradientPercent),
  PROPERTY(GradientData, GradientData, GradientData),
  PROPERTY(ImagePercent, ImagePercent, ImagePercent),
  PROPERTY(ShowFocus, ShowFocus, ShowFocus),
  PROPERTY(FadingEnabled, FadingEnabled, FadingEnabled),
  PROPERTY(FadingIterations, FadingIterations, FadingIterations),
  PROPERTY(HotColor, HotColor, HotColor).TypeName("TColor"),
  PROPERTY(HotTransparency, HotTransparency, HotTransparency),
  PROPERTY(HotGradientPercent, HotGradientPercent, HotGradientPercent),
  PROPERTY(HotGradientData, HotGradientData, HotGradientData),
  PROPERTY(HotImagePercent, HotImagePercent, HotImagePercent),
  PROPERTY(Name, Name, Name),
  PROPERTY(GiveOwnFont, GiveOwnFont, GiveOwnFont),
  PROPERTY(HotGlowColor, HotGlowColor, HotGlowColor).TypeName("TColor"),
  PROPERTY(GlowColor, GlowColor, GlowColor).TypeName("TColor"),
  PROPERTY(HotGlowSize, HotGlowSize, HotGlowSize).TypeName("TColor"),
  PROPERTY(GlowSize, GlowSize, GlowSize).TypeName("TColor"),
END_PUBLISHED
