#include "classlib/graphics/colors.h"

#include <iterator>

#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"

namespace {

struct ColorName {
  TColor Value;
  const char* Name;
};

// The platform's table of colour names. Where two names share a value
// (clGray/clDkGray), the first one here is the name ColorToIdent gives.
constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
};

}  // namespace

TColor ColorToRGB(TColor color) {
  if (color < 0)
    return SystemColorRGB(color & 0xFF);
  return color;
}

bool ColorToIdent(TColor color, AnsiString& ident) {
  for (const ColorName& entry : kColorNames) {
    if (entry.Value == color) {
      ident = entry.Name;
      return true;
    }
  }
  return false;
}

bool IdentToColor(const AnsiString& ident, TColor& color) {
  for (const ColorName& entry : kColorNames) {
    if (SameText(ident, entry.Name)) {
      color = entry.Value;
      return true;
    }
  }
  return false;
}

AnsiString ColorToString(TColor color) {
  AnsiString ident;
  if (ColorToIdent(color, ident))
    return ident;
  return "$" + IntToHex(color, 8);
}

TColor StringToColor(const AnsiString& text) {
  TColor color;
  if (IdentToColor(text, color))
    return color;
  return StrToInt(text);
}
