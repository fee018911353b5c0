// TCanvas: drawing on a device context with a pen, a brush and a font.
//
// A canvas either borrows its DC (SetHandle; the owner of the DC frees it)
// or owns it (TCanvas(dc, TCanvasOwnership::Owns); freed with DeleteDC when
// the canvas lets it go). Descendants that make their DC on demand
// (bitmaps, printers) override CreateHandle. The pen, brush and font are
// selected into the DC only when an operation needs them, and again after
// they change.
#pragma once
#include <windows.h>

#include <mutex>
#include <vector>

#include "classlib/classes/events.h"
#include "classlib/classes/persistent.h"
#include "classlib/graphics/brush.h"
#include "classlib/graphics/font.h"
#include "classlib/graphics/pen.h"

class TGraphic;

// BitBlt/StretchBlt raster operations for CopyRect.
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

// DrawText format flags (DT_...) for TextRect.
using TTextFormat = UINT;

enum class TCanvasOwnership { Borrows, Owns };

class TCanvas : public TPersistent {
  DECLARE_CLASS(TCanvas, TPersistent)

public:
  TCanvas();
  TCanvas(HDC dc, TCanvasOwnership ownership);
  ~TCanvas() override;

  // The DC; descendants make it on first use.
  HDC Handle();
  // Borrows a DC (nullptr lets the current one go).
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return handle_ != nullptr; }

  void Lock();
  void Unlock();
  bool TryLock();
  int LockCount() const { return lockCount_; }

  TFont& Font() { return font_; }
  TPen& Pen() { return pen_; }
  TBrush& Brush() { return brush_; }
  void SetFont(TFont& value) { font_.Assign(&value); }
  void SetPen(TPen& value) { pen_.Assign(&value); }
  void SetBrush(TBrush& value) { brush_.Assign(&value); }

  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode value) { copyMode_ = value; }
  // ExtTextOut options for TextOut (ETO_CLIPPED, ETO_OPAQUE, ETO_RTLREADING ...).
  int TextFlags() const { return textFlags_; }
  void SetTextFlags(int value) { textFlags_ = value; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  POINT PenPos();
  void SetPenPos(POINT p) { MoveTo(p.x, p.y); }
  void Polyline(const std::vector<POINT>& points);
  void Polygon(const std::vector<POINT>& points);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const RECT& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void DrawFocusRect(const RECT& r);

  // Text at (x, y) with TextFlags; the pen position moves to its end.
  void TextOut(int x, int y, const AnsiString& text);
  // Text at (x, y) clipped to r; the background of r is filled unless the
  // brush is clear.
  void TextRect(const RECT& r, int x, int y, const AnsiString& text);
  // Text laid out in r by DrawText with the given format (DT_...); with
  // DT_CALCRECT r receives the measured rectangle and nothing is drawn.
  void TextRect(RECT& r, const AnsiString& text, TTextFormat format);
  SIZE TextExtent(const AnsiString& text);
  int TextWidth(const AnsiString& text) { return TextExtent(text).cx; }
  int TextHeight(const AnsiString& text) { return TextExtent(text).cy; }

  void Draw(int x, int y, TGraphic& graphic);
  void StretchDraw(const RECT& r, TGraphic& graphic);
  // Copies source's rectangle into dest with CopyMode, stretching as needed.
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

  TColor GetPixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  // Pixels(x, y) reads and writes like the platform's Pixels[x, y].
  class PixelRef {
  public:
    PixelRef(TCanvas& c, int x, int y) : c_(c), x_(x), y_(y) {}
    operator TColor() const { return c_.GetPixel(x_, y_); }
    PixelRef& operator=(TColor color) { c_.SetPixel(x_, y_, color); return *this; }
  private:
    TCanvas& c_;
    int x_, y_;
  };
  PixelRef Pixels(int x, int y) { return PixelRef(*this, x, y); }

  RECT ClipRect();
  // Deselects pen, brush and font, so the next operation selects them anew.
  void Refresh();

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  enum StateBit : unsigned { csHandleValid = 1, csFontValid = 2, csPenValid = 4, csBrushValid = 8 };
  // Makes sure the DC exists and the listed objects are selected.
  void RequiredState(unsigned state);
  virtual void CreateHandle() {}
  // For CreateHandle: a DC this canvas deletes when it lets it go.
  void AdoptOwnedHandle(HDC dc);
  // Called with an owned DC just before it is deleted, after the pen, brush
  // and font have been deselected.
  virtual void HandleFreeing(HDC dc) {}
  // Lets the DC go: restores the DC's own objects, deletes an owned DC.
  void FreeHandle();
  virtual void Changing();
  virtual void Changed();

private:
  void DeselectHandles();
  void SelectFont();
  void SelectPen();
  void SelectBrush();
  void ObjectChanged(TObject* sender);

  HDC handle_ = nullptr;
  bool ownsHandle_ = false;
  unsigned state_ = 0;
  HGDIOBJ savedFont_ = nullptr, savedPen_ = nullptr, savedBrush_ = nullptr;
  TFont font_;
  TPen pen_;
  TBrush brush_;
  TCopyMode copyMode_ = cmSrcCopy;
  int textFlags_ = 0;
  std::recursive_mutex lock_;
  int lockCount_ = 0;
};
