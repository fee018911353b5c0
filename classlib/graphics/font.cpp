#include "classlib/graphics/font.h"

#include "classlib/classes/typinfo.h"

#include "classlib/graphics/screenfacts.h"
#include "classlib/graphics/wintext.h"

BEGIN_PUBLISHED(TFont)
  PROPERTY(Charset, Charset, SetCharset).TypeName("TFontCharset"),
  PROPERTY(Color, Color, SetColor).TypeName("TColor"),
  PROPERTY(Height, Height, SetHeight),
  PROPERTY(Name, Name, SetName),
  PROPERTY(Pitch, Pitch, SetPitch).Default(fpDefault),
  PROPERTY(Size, Size, SetSize).Stored(false),
  PROPERTY(Style, Style, SetStyle),
END_PUBLISHED

TFont::TFont() {
  pixelsPerInch_ = ScreenFacts().PixelsPerInch;
  if (pixelsPerInch_ <= 0)
    pixelsPerInch_ = 96;
  height_ = -MulDiv(8, pixelsPerInch_, 72);
}

void TFont::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TFont*>(Source);
  if (other == nullptr) {
    TGraphicsObject::Assign(Source);
    return;
  }
  name_ = other->name_;
  style_ = other->style_;
  color_ = other->color_;
  charset_ = other->charset_;
  pitch_ = other->pitch_;
  // A font of another resolution keeps its point size here.
  height_ = other->pixelsPerInch_ == pixelsPerInch_ ? other->height_
                                                    : -MulDiv(other->Size(), pixelsPerInch_, 72);
  Changed();
}

void TFont::SetHandle(HFONT font) {
  LOGFONTW lf{};
  if (font == nullptr || GetObjectW(font, sizeof(lf), &lf) == 0)
    return;
  name_ = AnsiOfField(lf.lfFaceName);
  height_ = lf.lfHeight;
  style_ = TFontStyles();
  if (lf.lfWeight >= FW_BOLD)
    style_.Include(fsBold);
  if (lf.lfItalic)
    style_.Include(fsItalic);
  if (lf.lfUnderline)
    style_.Include(fsUnderline);
  if (lf.lfStrikeOut)
    style_.Include(fsStrikeOut);
  charset_ = lf.lfCharSet;
  switch (lf.lfPitchAndFamily & 3) {
    case FIXED_PITCH: pitch_ = fpFixed; break;
    case VARIABLE_PITCH: pitch_ = fpVariable; break;
    default: pitch_ = fpDefault; break;
  }
  AdoptHandle(font);
}

void TFont::SetName(const AnsiString& value) {
  if (value.empty() || value == name_)
    return;
  name_ = value;
  Changed();
}

int TFont::Size() const {
  return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int points) {
  SetHeight(-MulDiv(points, pixelsPerInch_, 72));
}

void TFont::SetHeight(int value) {
  if (value == height_)
    return;
  height_ = value;
  Changed();
}

void TFont::SetStyle(TFontStyles value) {
  if (value == style_)
    return;
  style_ = value;
  Changed();
}

void TFont::SetColor(TColor value) {
  if (value == color_)
    return;
  color_ = value;
  // The colour is not part of the GDI font; only listeners need to know.
  if (OnChange)
    OnChange(this);
}

void TFont::SetCharset(TFontCharset value) {
  if (value == charset_)
    return;
  charset_ = value;
  Changed();
}

void TFont::SetPitch(TFontPitch value) {
  if (value == pitch_)
    return;
  pitch_ = value;
  Changed();
}

HGDIOBJ TFont::CreateHandle() {
  LOGFONTW lf{};
  lf.lfHeight = height_;
  lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic);
  lf.lfUnderline = style_.Contains(fsUnderline);
  lf.lfStrikeOut = style_.Contains(fsStrikeOut);
  lf.lfCharSet = charset_;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  CopyToField(lf.lfFaceName, name_);
  return CreateFontIndirectW(&lf);
}
