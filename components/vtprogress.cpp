#include "components/vtprogress.h"

#include <algorithm>
#include <cmath>

#include "classlib/classes/typinfo.h"
#include "classlib/controls/extctrls.h"
#include "classlib/graphics/canvas.h"
#include "classlib/system/mathutils.h"

BEGIN_PUBLISHED(TVTProgress)
  PROPERTY(BackColor, BackColor, SetBackColor).TypeName("TColor").Default(0xFFFFFF),
  PROPERTY(ForeColor, ForeColor, SetForeColor).TypeName("TColor").Default(0xFF0000),
  PROPERTY(BorderStyle, BorderStyle, SetBorderStyle).TypeName("TBorderStyle").Default(bsSingle),
  PROPERTY(Ctl3D, Ctl3D, SetCtl3D).Default(true),
  PROPERTY(Position, Position, SetPosition),
  PROPERTY(Max, Max, SetMax),
  PROPERTY(Min, Min, SetMin),
  PROPERTY(ShowText, ShowText, SetShowText).Default(true),
  PROPERTY(BackImage, BackImage, SetBackImage),
  PROPERTY(ForeImage, ForeImage, SetForeImage),
  PROPERTY(Oriention, Oriention, SetOriention).Default(vtVertical),
  PROPERTY(Statement, Statement, SetStatement),
  PROPERTY(ShowPosition, ShowPosition, SetShowPosition).Default(false),
  PROPERTY(Font, Font, SetFont).Stored<&Self::IsFontStored>(),
  PROPERTY(Align, Align, SetAlign).Default(alNone),
  PROPERTY(ParentFont, ParentFont, SetParentFont).Default(true),
  PROPERTY(ParentShowHint, ParentShowHint, SetParentShowHint).Default(true),
  PROPERTY(ShowHint, ShowHint, SetShowHint).Stored<&Self::IsShowHintStored>(),
  PROPERTY(Visible, Visible, SetVisible).Default(true),
  // Always "s1.03": nothing to write, and a stream that carries it reads.
  PROPERTY(About, About, SetAbout).Stored(false),
END_PUBLISHED

TVTProgress::TVTProgress(TComponent* AOwner)
    : TGraphicControl(AOwner), FBackImage(std::make_unique<TBitmap>()), FForeImage(std::make_unique<TBitmap>()) {
  SetBounds(Left(), Top(), 100, 35);
}

TVTProgress::~TVTProgress() = default;

// ---- Properties -------------------------------------------------------------

void TVTProgress::SetBackColor(TColor Value) {
  FBackColor = Value;
  Invalidate();
}

void TVTProgress::SetForeColor(TColor Value) {
  FForeColor = Value;
  Invalidate();
}

void TVTProgress::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle)
    return;
  FBorderStyle = Value;
  Invalidate();
}

void TVTProgress::SetCtl3D(bool Value) {
  if (Value == FCtl3D)
    return;
  FCtl3D = Value;
  Invalidate();
}

void TVTProgress::SetPosition(double Value) {
  if (Value == FPosition || Value < 0)
    return;
  if (Value <= FMax)
    FPosition = Value;
  if (Visible())
    Repaint();
}

void TVTProgress::SetMax(double Value) {
  if (Value == FMax)
    return;
  FMax = Value;
  Invalidate();
}

void TVTProgress::SetMin(double Value) {
  if (Value == FMin || Value < 0)
    return;
  FMin = Value;
  Invalidate();
}

void TVTProgress::SetShowText(bool Value) {
  if (Value == FShowText)
    return;
  FShowText = Value;
  Invalidate();
}

void TVTProgress::SetOriention(TOreiention Value) {
  if (Value == FOriention)
    return;
  FOriention = Value;
  FPosition = 0;
  Invalidate();
}

void TVTProgress::SetStatement(const AnsiString& Value) {
  if (Value == FStatement)
    return;
  FStatement = Value;
  Invalidate();
}

void TVTProgress::SetShowPosition(bool Value) {
  if (Value == FShowPosition)
    return;
  FShowPosition = Value;
  Invalidate();
}

void TVTProgress::SetBackImage(TBitmap* Value) {
  FBackImage->Assign(Value);
  PictureChanged(*FBackImage);
}

void TVTProgress::SetForeImage(TBitmap* Value) {
  FForeImage->Assign(Value);
  PictureChanged(*FForeImage);
}

// In the designer a picture sizes the bar to itself plus the frame, and the
// picture's shape chooses the fill direction.
void TVTProgress::PictureChanged(TBitmap& Picture) {
  if (ComponentState().Contains(csDesigning) && !Picture.Empty()) {
    const int frame = FBorderStyle == bsNone ? 0 : (FCtl3D ? 2 : 1);
    SetClientWidth(Picture.Width() + 2 * frame);
    SetClientHeight(Picture.Height() + 2 * frame);
    SetOriention(ClientWidth() < ClientHeight() ? vtVertical : vtHorizontal);
  }
  Invalidate();
}

// ---- Values -----------------------------------------------------------------

// A maximum lowered below the position would give more than 100 percent and a
// fill past the bar's end; the percentage stops at 100.
double TVTProgress::Percentage() const {
  if (!(FMax > 0))
    return 0;
  return std::clamp(FPosition / (FMax / 100), 0.0, 100.0);
}

int TVTProgress::GetPosition() const { return static_cast<int>(Round(Percentage())); }

AnsiString TVTProgress::GetTanim() const {
  return "VT ilerleme çubuğu: bir değeri yüzde olarak renkli ya da resimli bir çubukla gösterir.";
}

AnsiString TVTProgress::BarText() const {
  AnsiString text = FStatement;
  if (FShowPosition)
    text += " (" + std::to_string(Round(FPosition)) + "/" + std::to_string(Round(FMax)) + ")";
  return text + " " + "%" + std::to_string(GetPosition());
}

// ---- Painting -----------------------------------------------------------------

void TVTProgress::Paint() {
  TBitmap bar;
  bar.SetSize(Width(), Height());
  TCanvas& canvas = bar.Canvas();
  TRect area = ClientRect();
  PaintFrame(canvas, area);
  const double percentage = Percentage();
  const double fill = (FOriention == vtVertical ? area.right - area.left : area.bottom - area.top) / 100.0 * percentage;
  if (FBackImage->Empty() || FForeImage->Empty())
    PaintColours(canvas, area, fill);
  else
    PaintPictures(canvas, area, fill);
  if (FShowText)
    PaintText(bar);
  const TRect whole(0, 0, Width(), Height());
  Canvas()->SetCopyMode(cmSrcCopy);
  Canvas()->CopyRect(whole, canvas, whole);
}

void TVTProgress::PaintFrame(TCanvas& Canvas, TRect& Bar) {
  if (FBorderStyle != bsSingle)
    return;
  if (FCtl3D) {
    Frame3D(Canvas, Bar, clBtnShadow, clBtnHighlight, 1);
    Frame3D(Canvas, Bar, clBlack, clBtnHighlight, 1);
  } else {
    Frame3D(Canvas, Bar, clBlack, clBlack, 1);
  }
}

void TVTProgress::PaintColours(TCanvas& Canvas, const TRect& Bar, double Fill) {
  const int filled = static_cast<int>(Round(Fill));
  Canvas.Brush().SetStyle(bsSolid);
  if (FOriention == vtVertical) {
    Canvas.Brush().SetColor(FBackColor);
    Canvas.FillRect(TRect(Bar.left + filled, Bar.top, Bar.right, Bar.bottom));
    if (FPosition > 0) {
      Canvas.Brush().SetColor(FForeColor);
      Canvas.FillRect(TRect(Bar.left, Bar.top, Bar.left + filled, Bar.bottom));
    }
  } else {
    Canvas.Brush().SetColor(FBackColor);
    Canvas.FillRect(Bar);
    if (FPosition > 0) {
      Canvas.Brush().SetColor(FForeColor);
      Canvas.FillRect(TRect(Bar.left, Bar.bottom - filled, Bar.right, Bar.bottom));
    }
  }
}

namespace {

// Draws a part of a picture stretched into dest with white transparent.
void DrawPictureTransparent(TCanvas& Canvas, const TRect& Dest, TBitmap& Picture, const TRect& Part) {
  if (Part.right <= Part.left || Part.bottom <= Part.top || Dest.right <= Dest.left || Dest.bottom <= Dest.top)
    return;
  TBitmap piece;
  piece.SetSize(Part.right - Part.left, Part.bottom - Part.top);
  piece.Canvas().CopyRect(TRect(0, 0, piece.Width(), piece.Height()), Picture.Canvas(), Part);
  piece.SetTransparentColor(clWhite);
  piece.SetTransparentMode(tmFixed);
  piece.SetTransparent(true);
  Canvas.StretchDraw(Dest, piece);
}

}  // namespace

void TVTProgress::PaintPictures(TCanvas& Canvas, const TRect& Bar, double Fill) {
  const int filled = static_cast<int>(Round(Fill));
  TBitmap& back = *FBackImage;
  TBitmap& fore = *FForeImage;
  const TRect lessOne(Bar.left, Bar.top, Bar.right - 1, Bar.bottom - 1);
  Canvas.SetCopyMode(cmSrcCopy);
  if (FOriention == vtVertical) {
    Canvas.CopyRect(lessOne, back.Canvas(), TRect(0, 0, back.Width(), back.Height()));
    if (FPosition > 0 && Bar.right > 0) {
      const int partWidth = static_cast<int>(Round(fore.Width() * Fill / Bar.right));
      Canvas.CopyRect(TRect(Bar.left, Bar.top, Bar.left + filled, Bar.bottom - 1), fore.Canvas(),
                      TRect(0, 0, partWidth, fore.Height()));
    }
  } else if (FPosition == 0) {
    Canvas.CopyRect(lessOne, back.Canvas(), TRect(0, 0, back.Width(), back.Height()));
  } else {
    DrawPictureTransparent(Canvas, Bar, fore, TRect(0, 0, fore.Width(), fore.Height()));
    const int partHeight = Bar.bottom > 0 ? back.Height() - static_cast<int>(Round(fore.Height() * Fill / Bar.bottom)) : 0;
    DrawPictureTransparent(Canvas, TRect(Bar.left, Bar.top, Bar.right, Bar.bottom - filled), back,
                           TRect(0, 0, back.Width(), partHeight));
  }
}

// White text on black, combined with SRCINVERT: black leaves the bar as it
// is, white turns each of its pixels into its inverse.
void TVTProgress::PaintText(TBitmap& Bar) {
  TBitmap text;
  text.SetSize(Width(), Height());
  TCanvas& canvas = text.Canvas();
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clBlack);
  canvas.FillRect(TRect(0, 0, Width(), Height()));
  canvas.SetFont(*Font());
  canvas.Font().SetColor(clWhite);
  canvas.Brush().SetStyle(bsClear);
  const AnsiString shown = BarText();
  canvas.TextOut(Width() / 2 - canvas.TextWidth(shown) / 2, Height() / 2 - canvas.TextHeight(shown) / 2, shown);
  const TRect whole(0, 0, Width(), Height());
  Bar.Canvas().SetCopyMode(cmSrcInvert);
  Bar.Canvas().CopyRect(whole, canvas, whole);
  Bar.Canvas().SetCopyMode(cmSrcCopy);
}
