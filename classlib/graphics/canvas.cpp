#include "classlib/graphics/canvas.h"

#include "classlib/graphics/graphic.h"
#include "classlib/graphics/wintext.h"

IMPLEMENT_CLASS(TCanvas)

TCanvas::TCanvas() {
  font_.OnChange = Method<&TCanvas::ObjectChanged>(this);
  pen_.OnChange = Method<&TCanvas::ObjectChanged>(this);
  brush_.OnChange = Method<&TCanvas::ObjectChanged>(this);
}

TCanvas::TCanvas(HDC dc, TCanvasOwnership ownership) : TCanvas() {
  SetHandle(dc);
  ownsHandle_ = dc != nullptr && ownership == TCanvasOwnership::Owns;
}

TCanvas::~TCanvas() {
  FreeHandle();
}

HDC TCanvas::Handle() {
  RequiredState(csHandleValid);
  return handle_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == handle_)
    return;
  FreeHandle();
  handle_ = dc;
  ownsHandle_ = false;
  state_ = dc != nullptr ? static_cast<unsigned>(csHandleValid) : 0u;
}

void TCanvas::AdoptOwnedHandle(HDC dc) {
  SetHandle(dc);
  ownsHandle_ = dc != nullptr;
}

void TCanvas::FreeHandle() {
  if (handle_ == nullptr)
    return;
  DeselectHandles();
  if (ownsHandle_) {
    HandleFreeing(handle_);
    DeleteDC(handle_);
  }
  handle_ = nullptr;
  ownsHandle_ = false;
  state_ = 0;
}

void TCanvas::Lock() {
  lock_.lock();
  ++lockCount_;
}

void TCanvas::Unlock() {
  --lockCount_;
  lock_.unlock();
}

bool TCanvas::TryLock() {
  if (!lock_.try_lock())
    return false;
  ++lockCount_;
  return true;
}

void TCanvas::RequiredState(unsigned state) {
  unsigned needed = state & ~state_;
  if (needed == 0)
    return;
  if (needed & csHandleValid) {
    CreateHandle();
    if (handle_ == nullptr)
      throw EInvalidOperation("Canvas does not allow drawing");
    state_ |= csHandleValid;
  }
  if (needed & csFontValid)
    SelectFont();
  if (needed & csPenValid)
    SelectPen();
  if (needed & csBrushValid)
    SelectBrush();
}

void TCanvas::SelectFont() {
  HGDIOBJ old = SelectObject(handle_, font_.Handle());
  if (savedFont_ == nullptr)
    savedFont_ = old;
  SetTextColor(handle_, ColorToRGB(font_.Color()));
  state_ |= csFontValid;
}

void TCanvas::SelectPen() {
  HGDIOBJ old = SelectObject(handle_, pen_.Handle());
  if (savedPen_ == nullptr)
    savedPen_ = old;
  SetROP2(handle_, PenModeToROP2(pen_.Mode()));
  state_ |= csPenValid;
}

void TCanvas::SelectBrush() {
  HBRUSH brush = brush_.Handle();
  UnrealizeObject(brush);
  HGDIOBJ old = SelectObject(handle_, brush);
  if (savedBrush_ == nullptr)
    savedBrush_ = old;
  // Text and hatches get the brush colour as background when the brush is
  // solid, and leave the background alone otherwise.
  if (brush_.Style() == bsSolid) {
    SetBkColor(handle_, ColorToRGB(brush_.Color()));
    SetBkMode(handle_, OPAQUE);
  } else {
    SetBkColor(handle_, ~ColorToRGB(brush_.Color()) & 0xFFFFFF);
    SetBkMode(handle_, TRANSPARENT);
  }
  state_ |= csBrushValid;
}

void TCanvas::DeselectHandles() {
  if (handle_ == nullptr)
    return;
  if (savedFont_ != nullptr)
    SelectObject(handle_, savedFont_);
  if (savedPen_ != nullptr)
    SelectObject(handle_, savedPen_);
  if (savedBrush_ != nullptr)
    SelectObject(handle_, savedBrush_);
  savedFont_ = savedPen_ = savedBrush_ = nullptr;
  state_ &= ~(csFontValid | csPenValid | csBrushValid);
}

void TCanvas::ObjectChanged(TObject* sender) {
  // The changed object's old GDI handle is deleted by the object: select the
  // DC's own object first so no deleted handle stays selected.
  if (handle_ == nullptr)
    return;
  if (sender == &font_ && (state_ & csFontValid)) {
    SelectObject(handle_, savedFont_ != nullptr ? savedFont_ : GetStockObject(SYSTEM_FONT));
    state_ &= ~csFontValid;
  } else if (sender == &pen_ && (state_ & csPenValid)) {
    SelectObject(handle_, savedPen_ != nullptr ? savedPen_ : GetStockObject(BLACK_PEN));
    state_ &= ~csPenValid;
  } else if (sender == &brush_ && (state_ & csBrushValid)) {
    SelectObject(handle_, savedBrush_ != nullptr ? savedBrush_ : GetStockObject(WHITE_BRUSH));
    state_ &= ~csBrushValid;
  }
}

void TCanvas::Refresh() {
  DeselectHandles();
}

void TCanvas::Changing() {
  if (OnChanging)
    OnChanging(this);
}

void TCanvas::Changed() {
  if (OnChange)
    OnChange(this);
}

void TCanvas::MoveTo(int x, int y) {
  RequiredState(csHandleValid);
  MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::LineTo(handle_, x, y);
  Changed();
}

POINT TCanvas::PenPos() {
  RequiredState(csHandleValid);
  POINT p{};
  GetCurrentPositionEx(handle_, &p);
  return p;
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Polyline(handle_, points.data(), static_cast<int>(points.size()));
  Changed();
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Polygon(handle_, points.data(), static_cast<int>(points.size()));
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Rectangle(handle_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::RoundRect(handle_, x1, y1, x2, y2, x3, y3);
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Ellipse(handle_, x1, y1, x2, y2);
  Changed();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Arc(handle_, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  Changing();
  RequiredState(csHandleValid | csPenValid | csBrushValid);
  ::Pie(handle_, x1, y1, x2, y2, x3, y3, x4, y4);
  Changed();
}

void TCanvas::FillRect(const RECT& r) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ::FillRect(handle_, &r, brush_.Handle());
  Changed();
}

void TCanvas::FrameRect(const RECT& r) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ::FrameRect(handle_, &r, brush_.Handle());
  Changed();
}

void TCanvas::DrawFocusRect(const RECT& r) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  ::DrawFocusRect(handle_, &r);
  Changed();
}

void TCanvas::TextOut(int x, int y, const AnsiString& text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  std::wstring wide = WideOf(text);
  ExtTextOutW(handle_, x, y, textFlags_, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
  SIZE extent{};
  GetTextExtentPoint32W(handle_, wide.c_str(), static_cast<int>(wide.size()), &extent);
  MoveToEx(handle_, x + extent.cx, y, nullptr);
  Changed();
}

void TCanvas::TextRect(const RECT& r, int x, int y, const AnsiString& text) {
  Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  UINT options = ETO_CLIPPED | (textFlags_ & ~ETO_OPAQUE);
  if (brush_.Style() != bsClear)
    options |= ETO_OPAQUE;
  std::wstring wide = WideOf(text);
  ExtTextOutW(handle_, x, y, options, &r, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
  Changed();
}

void TCanvas::TextRect(RECT& r, const AnsiString& text, TTextFormat format) {
  bool measureOnly = (format & DT_CALCRECT) != 0;
  if (!measureOnly)
    Changing();
  RequiredState(csHandleValid | csFontValid | csBrushValid);
  std::wstring wide = WideOf(text);
  DrawTextW(handle_, wide.c_str(), static_cast<int>(wide.size()), &r, format);
  if (!measureOnly)
    Changed();
}

SIZE TCanvas::TextExtent(const AnsiString& text) {
  RequiredState(csHandleValid | csFontValid);
  std::wstring wide = WideOf(text);
  SIZE extent{};
  GetTextExtentPoint32W(handle_, wide.c_str(), static_cast<int>(wide.size()), &extent);
  return extent;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic) {
  if (graphic.Empty())
    return;
  RECT r{x, y, x + graphic.Width(), y + graphic.Height()};
  StretchDraw(r, graphic);
}

void TCanvas::StretchDraw(const RECT& r, TGraphic& graphic) {
  if (graphic.Empty())
    return;
  Changing();
  RequiredState(csHandleValid);
  graphic.Draw(*this, r);
  Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  Changing();
  RequiredState(csHandleValid | csBrushValid);
  HDC sourceDC = source.Handle();
  StretchBlt(handle_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, sourceDC,
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
             sourceRect.bottom - sourceRect.top, copyMode_);
  Changed();
}

TColor TCanvas::GetPixel(int x, int y) {
  RequiredState(csHandleValid);
  return static_cast<TColor>(::GetPixel(handle_, x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  Changing();
  RequiredState(csHandleValid | csPenValid);
  ::SetPixel(handle_, x, y, ColorToRGB(color));
  Changed();
}

RECT TCanvas::ClipRect() {
  RequiredState(csHandleValid);
  RECT r{};
  GetClipBox(handle_, &r);
  return r;
}
