#include "support/layers/image32.h"

#include <algorithm>
#include <cstring>

#include "classlib/controls/controlcanvas.h"
#include "classlib/graphics/dib.h"

IMPLEMENT_CLASS(TImage32)

namespace {

// Draws Layer's bitmap into Location of Target, nearest pixel when the
// location is not the bitmap's own size.
void DrawLayer(TBitmapLayer& layer, TBitmap32& target) {
  TBitmap32& bitmap = *layer.Bitmap();
  const RECT r = layer.Location();
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w == bitmap.Width() && h == bitmap.Height()) {
    bitmap.DrawTo(target, r.left, r.top);
    return;
  }
  if (w <= 0 || h <= 0 || bitmap.Width() == 0 || bitmap.Height() == 0)
    return;
  TBitmap32 scaled;
  scaled.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      scaled.SetPixel(x, y, bitmap.Pixel(x * bitmap.Width() / w, y * bitmap.Height() / h));
  scaled.SetDrawMode(bitmap.DrawMode());
  scaled.SetMasterAlpha(bitmap.MasterAlpha());
  scaled.DrawTo(target, r.left, r.top);
}

}  // namespace

TBitmapLayer* TLayerCollection::Add() {
  layers_.push_back(std::make_unique<TBitmapLayer>());
  return layers_.back().get();
}

TImage32::TImage32(TComponent* AOwner) : TCustomControl(AOwner) {}

TImage32::~TImage32() { FreeComposed(); }

void TImage32::FreeComposed() {
  if (composed_ != nullptr)
    DeleteObject(composed_);
  composed_ = nullptr;
}

void TImage32::ComposeTo(TBitmap32& Target) {
  Target.SetSize(Width(), Height());
  Target.Clear(0xFFFFFFFFu);  // the control's white where the base ends
  bitmap_.DrawTo(Target, 0, 0);
  for (int i = 0; i < layers_.Count(); ++i)
    DrawLayer(*layers_.Items(i), Target);
}

void TImage32::Changed() {
  FreeComposed();
  Invalidate();
}

void TImage32::Paint() {
  if (composed_ == nullptr || composedSize_.cx != Width() || composedSize_.cy != Height()) {
    FreeComposed();
    TBitmap32 picture;
    ComposeTo(picture);
    DibFormat format = DibFormat::For(pf32bit, picture.Width(), picture.Height());
    format.TopDown = true;
    if (picture.Width() == 0 || picture.Height() == 0)
      return;
    DibSection dib = CreateDibSection(format);
    std::memcpy(dib.Bits, picture.Bits(), format.ImageSize());
    composed_ = dib.Handle;
    composedSize_ = SIZE{picture.Width(), picture.Height()};
  }
  HDC source = CreateCompatibleDC(Canvas()->Handle());
  HGDIOBJ old = SelectObject(source, composed_);
  BitBlt(Canvas()->Handle(), 0, 0, composedSize_.cx, composedSize_.cy, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}
