// TFont: a logical font as the platform describes it. Height is the stored
// value (negative = character height in pixels); Size in points is derived
// through PixelsPerInch, which starts as the screen's. Charset, Color,
// Height, Name, Pitch and Style are published (Size is not stored).
#pragma once
#include <cstdint>

#include "classlib/classes/typinfo.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/graphicsobject.h"

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
DOZURI_ENUM(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut");
DOZURI_SET(TFontStyles, TFontStyle);

enum TFontPitch { fpDefault, fpVariable, fpFixed };
DOZURI_ENUM(TFontPitch, "fpDefault", "fpVariable", "fpFixed");
using TFontCharset = std::uint8_t;

constexpr TFontCharset DEFAULT_FONT_CHARSET = 1;  // DEFAULT_CHARSET

class TFont : public TGraphicsObject {
  DECLARE_CLASS(TFont, TGraphicsObject)

public:
  TFont();

  void Assign(TPersistent* Source) override;

  HFONT Handle() { return static_cast<HFONT>(HandleObject()); }
  // Adopts a font: its properties are read back from its LOGFONT.
  void SetHandle(HFONT font);

  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& value);
  int Size() const;
  void SetSize(int points);
  int Height() const { return height_; }
  void SetHeight(int value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch value);
  int PixelsPerInch() const { return pixelsPerInch_; }
  // Changes the resolution only; Height stays, so Size follows.
  void SetPixelsPerInch(int value) { pixelsPerInch_ = value > 0 ? value : 96; }

protected:
  HGDIOBJ CreateHandle() override;

private:
  AnsiString name_ = "MS Sans Serif";
  int height_ = 0;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = DEFAULT_FONT_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int pixelsPerInch_ = 96;
};
