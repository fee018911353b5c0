// TColor: a colour as $00BBGGRR, a system colour (clSystemColor or its
// index, negative as a 32-bit value) or one of the markers clNone/clDefault.
//
// The conversions to and from text follow the platform: names "clRed" ...
// both ways, otherwise "$" and eight hex digits out; names, decimal and "$"
// hex in.
#pragma once
#include <cstdint>

#include "classlib/system/ansistring.h"

using TColor = std::int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);

constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// An RGB value ($00BBGGRR) from its parts.
constexpr TColor RGBColor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<TColor>(r | (g << 8) | (b << 16));
}

// The RGB value of a colour: system colours (negative) are looked up in the
// current scheme; other values come back unchanged.
TColor ColorToRGB(TColor color);

// The name of a named colour ("clRed", "clBtnFace", "clNone"); false when the
// value has no name.
bool ColorToIdent(TColor color, AnsiString& ident);
// The colour of a name, compared without regard to case.
bool IdentToColor(const AnsiString& ident, TColor& color);
// The name, else "$" and eight upper-case hex digits ("$00FF8040").
AnsiString ColorToString(TColor color);
// A name, a decimal number or "$" hex; EConvertError otherwise.
TColor StringToColor(const AnsiString& text);

// The colour of a system colour index in the current scheme (GetSysColor in
// the Windows build; the classic scheme natively).
TColor SystemColorRGB(int index);
