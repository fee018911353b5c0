#include "classlib/graphics/jpeg.h"

#include "classlib/graphics/wic.h"

IMPLEMENT_CLASS(TJPEGImage)
IMPLEMENT_CLASS(TGIFImage)

TJPEGImage::~TJPEGImage() = default;

TBitmap& TJPEGImage::Bitmap() {
  if (!bitmap_) {
    bitmap_ = std::make_unique<TBitmap>();
    if (!data_.empty())
      WicDecode(data_, *bitmap_);
  }
  return *bitmap_;
}

int TJPEGImage::Width() {
  return Empty() ? 0 : Bitmap().Width();
}

int TJPEGImage::Height() {
  return Empty() ? 0 : Bitmap().Height();
}

void TJPEGImage::Compress() {
  if (data_.empty() && bitmap_ && !bitmap_->Empty())
    data_ = WicEncodeJpeg(*bitmap_, quality_);
}

void TJPEGImage::Draw(TCanvas& canvas, const RECT& r) {
  if (!Empty())
    canvas.StretchDraw(r, Bitmap());
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (Source == this)
    return;
  if (auto* other = dynamic_cast<TJPEGImage*>(Source)) {
    other->Compress();
    data_ = other->data_;
    bitmap_.reset();
    quality_ = other->quality_;
    Changed(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    data_.clear();
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->Assign(bitmap);
    Changed(this);
  } else if (Source == nullptr) {
    data_.clear();
    bitmap_.reset();
    Changed(this);
  } else {
    TGraphic::Assign(Source);
  }
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    if (Empty())
      bitmap->Assign(nullptr);
    else
      bitmap->Assign(&Bitmap());
    return;
  }
  TGraphic::AssignTo(Dest);
}

void TJPEGImage::LoadFromStream(TStream& stream) {
  std::vector<std::uint8_t> bytes = ReadStreamBytes(stream);
  if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8)
    throw EInvalidGraphic("JPEG error #53");
  auto decoded = std::make_unique<TBitmap>();
  WicDecode(bytes, *decoded);
  data_ = std::move(bytes);
  bitmap_ = std::move(decoded);
  Changed(this);
}

void TJPEGImage::SaveToStream(TStream& stream) {
  Compress();
  WriteStreamBytes(stream, data_);
}

void TJPEGImage::ReadData(TStream& stream) {
  std::vector<std::uint8_t> bytes = ReadSizedBlock(stream);
  TMemoryStream block;
  WriteStreamBytes(block, bytes);
  block.SetPosition(0);
  if (bytes.empty()) {
    Assign(nullptr);
    return;
  }
  LoadFromStream(block);
}

void TJPEGImage::WriteData(TStream& stream) {
  Compress();
  WriteSizedBlock(stream, data_);
}

// ---- TGIFImage ----------------------------------------------------------------

TGIFImage::TGIFImage() : bitmap_(std::make_unique<TBitmap>()) {}
TGIFImage::~TGIFImage() = default;

void TGIFImage::Assign(TPersistent* Source) {
  if (Source == this)
    return;
  if (auto* other = dynamic_cast<TGIFImage*>(Source)) {
    bitmap_->Assign(other->bitmap_.get());
    Changed(this);
  } else if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    bitmap_->Assign(bitmap);
    Changed(this);
  } else if (Source == nullptr) {
    bitmap_->Assign(nullptr);
    Changed(this);
  } else {
    TGraphic::Assign(Source);
  }
}

void TGIFImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    bitmap->Assign(bitmap_.get());
    return;
  }
  TGraphic::AssignTo(Dest);
}

void TGIFImage::Draw(TCanvas& canvas, const RECT& r) {
  canvas.StretchDraw(r, *bitmap_);
}

void TGIFImage::LoadFromStream(TStream& stream) {
  std::vector<std::uint8_t> bytes = ReadStreamBytes(stream);
  if (bytes.size() < 6 || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F')
    throw EInvalidGraphic("Image is not a GIF");
  WicDecode(bytes, *bitmap_);
  Changed(this);
}

void TGIFImage::SaveToStream(TStream& stream) {
  WriteStreamBytes(stream, WicEncodeGif(*bitmap_));
}
