// TQRFrame: the line frame that reports, bands and printables draw around
// themselves, on screen and on printed pages.
//
// Width counts points of 1/72 inch. Painting turns it into device pixels
// with the caller's factors (device pixels per 0.1 mm): the printer object's
// factors on a page, screen pixels per inch / 254 on screen (times the zoom
// for printables). Every property change repaints the owner control.
#pragma once
#include "classlib/classes/persistent.h"
#include "classlib/classes/typinfo.h"
#include "classlib/graphics/colors.h"
#include "classlib/graphics/pen.h"

class TCanvas;
class TControl;

// The thickness in device pixels of a frame line of Width points at Factor
// device pixels per 0.1 mm: round(Factor / 72 x 254 x Width); a line of
// Width 1 or more is at least 1 pixel, and Width -1 always gives 1 pixel.
// Width 0 or below -1 gives 0 (nothing is drawn). A thickness beyond any
// device (a damaged layout) is cut to 1,000,000 pixels.
int QRFrameThickness(long double Factor, int Width);

class TQRFrame : public TPersistent {
  DECLARE_CLASS(TQRFrame, TPersistent)

public:
  // The owner control is repainted after every change; it may be nullptr.
  explicit TQRFrame(TControl* Owner = nullptr);

  void Assign(TPersistent* Source) override;

  // True when any of the four sides is drawn.
  bool AnyFrame() const { return FDrawTop || FDrawBottom || FDrawLeft || FDrawRight; }
  // Pen width 1 with the frame's style and colour.
  void ApplyPen(TPen& Pen) const;
  // Draws each chosen side as a filled rectangle inside Rect; a line
  // thicker than Rect stops at its far edge.
  void Paint(TCanvas& Canvas, const RECT& Rect, long double XFactor, long double YFactor) const;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool DrawTop() const { return FDrawTop; }
  void SetDrawTop(bool Value) { SetSide(FDrawTop, Value); }
  bool DrawBottom() const { return FDrawBottom; }
  void SetDrawBottom(bool Value) { SetSide(FDrawBottom, Value); }
  bool DrawLeft() const { return FDrawLeft; }
  void SetDrawLeft(bool Value) { SetSide(FDrawLeft, Value); }
  bool DrawRight() const { return FDrawRight; }
  void SetDrawRight(bool Value) { SetSide(FDrawRight, Value); }
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);

  TControl* Owner() const { return FOwner; }

protected:
  TPersistent* GetOwner() override;

private:
  void SetSide(bool& Side, bool Value);
  void Changed();

  TControl* FOwner;
  TColor FColor = clBlack;
  bool FDrawTop = false;
  bool FDrawBottom = false;
  bool FDrawLeft = false;
  bool FDrawRight = false;
  TPenStyle FStyle = psSolid;
  int FWidth = 1;
};
