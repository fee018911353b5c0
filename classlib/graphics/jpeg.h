// TJPEGImage: a JPEG image kept as its file bytes, decoded through the
// Windows Imaging Component when it is drawn or measured. Assigning a bitmap
// makes a new image, encoded with CompressionQuality when it is saved.
#pragma once
#include <memory>

#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/graphic.h"

class TJPEGImage : public TGraphic {
  DECLARE_CLASS(TJPEGImage, TGraphic)

public:
  TJPEGImage() = default;
  ~TJPEGImage() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas& canvas, const RECT& r) override;

  bool Empty() override { return data_.empty() && (!bitmap_ || bitmap_->Empty()); }
  int Width() override;
  int Height() override;
  // A JPEG image's size comes from its pixels.
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  // 1..100; used when the image is encoded.
  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int value) { quality_ = value < 1 ? 1 : value > 100 ? 100 : value; }

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;
  void ReadData(TStream& stream) override;
  void WriteData(TStream& stream) override;

  // Encodes the pixels now (after Assign of a bitmap).
  void Compress();
  // The decoded pixels.
  TBitmap& Bitmap();

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  std::vector<std::uint8_t> data_;  // the JPEG file; empty until encoded
  std::unique_ptr<TBitmap> bitmap_;
  int quality_ = 90;
};

// TGIFImage: a GIF picture of a bitmap, for pages saved as pictures. It
// reads GIF files too (first frame).
class TGIFImage : public TGraphic {
  DECLARE_CLASS(TGIFImage, TGraphic)

public:
  TGIFImage();
  ~TGIFImage() override;

  void Assign(TPersistent* Source) override;
  void Draw(TCanvas& canvas, const RECT& r) override;
  bool Empty() override { return bitmap_->Empty(); }
  int Width() override { return bitmap_->Width(); }
  int Height() override { return bitmap_->Height(); }
  void SetWidth(int) override {}
  void SetHeight(int) override {}

  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) override;

  TBitmap& Bitmap() { return *bitmap_; }

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  std::unique_ptr<TBitmap> bitmap_;
};
