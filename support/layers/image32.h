// TImage32: a control that shows a base bitmap with bitmap layers over it.
// The base is drawn at scale 1 from the top-left corner, one bitmap pixel
// for one screen pixel (nearest-neighbour, so no resampling blurs it); each
// TBitmapLayer is drawn over it in the order added, into its Location by
// its bitmap's DrawMode and MasterAlpha. The picture is composed once into
// a 32-bit DIB section and blitted on every paint; Changed composes again.
#pragma once
#include <memory>
#include <vector>

#include "classlib/controls/customcontrol.h"
#include "support/layers/bitmap32.h"

class TBitmapLayer {
public:
  TBitmapLayer() = default;
  TBitmap32* Bitmap() { return &bitmap_; }
  // Where the layer's bitmap is drawn, in the control's pixels.
  RECT Location() const { return location_; }
  void SetLocation(const RECT& Value) { location_ = Value; }

private:
  TBitmap32 bitmap_;
  RECT location_{0, 0, 0, 0};
};

class TLayerCollection {
public:
  TBitmapLayer* Add();
  int Count() const { return static_cast<int>(layers_.size()); }
  TBitmapLayer* Items(int Index) const { return layers_.at(static_cast<std::size_t>(Index)).get(); }

private:
  std::vector<std::unique_ptr<TBitmapLayer>> layers_;
};

class TImage32 : public TCustomControl {
  DECLARE_CLASS(TImage32, TCustomControl)

public:
  explicit TImage32(TComponent* AOwner);
  ~TImage32() override;

  TBitmap32* Bitmap() { return &bitmap_; }
  TLayerCollection* Layers() { return &layers_; }
  // The base and its layers, as the control shows them.
  void ComposeTo(TBitmap32& Target);
  // Composes the picture again at the next paint.
  void Changed();

protected:
  void Paint() override;

private:
  void FreeComposed();
  TBitmap32 bitmap_;
  TLayerCollection layers_;
  HBITMAP composed_ = nullptr;
  SIZE composedSize_{0, 0};
};
