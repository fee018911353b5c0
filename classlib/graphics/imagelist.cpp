#include "classlib/graphics/imagelist.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>

#include "classlib/classes/filer.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/graphic.h"
#include "classlib/graphics/icon.h"

IMPLEMENT_CLASS(TChangeLink)
BEGIN_PUBLISHED(TImageList)
  PROPERTY(AllocBy, AllocBy, SetAllocBy).Default(4),
  PROPERTY(BlendColor, BlendColor, SetBlendColor).Default(clNone),
  PROPERTY(BkColor, BkColor, SetBkColor).Default(clNone),
  PROPERTY(DrawingStyle, DrawingStyle, SetDrawingStyle).Default(dsNormal),
  PROPERTY(Height, Height, SetHeight).Default(16),
  PROPERTY(ImageType, ImageType, SetImageType).Default(itImage),
  PROPERTY(Masked, Masked, SetMasked).Default(true),
  PROPERTY(ShareImages, ShareImages, SetShareImages).Default(false),
  PROPERTY(Width, Width, SetWidth).Default(16),
END_PUBLISHED

namespace {

COLORREF ListColor(TColor color) {
  if (color == clNone)
    return CLR_NONE;
  if (color == clDefault)
    return CLR_DEFAULT;
  return ColorToRGB(color);
}

// The raster operation that paints the brush where the source is black
// and leaves the destination where it is white.
constexpr DWORD kRopDSPDxax = 0x00E20746;

}  // namespace

TChangeLink::~TChangeLink() {
  if (sender_ != nullptr)
    sender_->UnRegisterChanges(this);
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::TImageList(TComponent* AOwner, int width, int height)
    : TComponent(AOwner), width_(width), height_(height) {}

void TImageList::DefineProperties(TFiler& Filer) {
  TComponent::DefineProperties(Filer);
  Filer.DefineBinaryProperty(
      "Bitmap", [this](TStream& stream) { ReadData(stream); }, [this](TStream& stream) { WriteData(stream); },
      Count() > 0);
}

TImageList::~TImageList() {
  for (TChangeLink* link : links_)
    link->sender_ = nullptr;
  ReleaseListHandle();
}

HIMAGELIST TImageList::CreateListHandle() {
  UINT flags = ILC_COLOR32 | (masked_ ? ILC_MASK : 0);
  return ImageList_Create(width_, height_, flags, allocBy_, allocBy_);
}

void TImageList::ReleaseListHandle() {
  if (handle_ != nullptr && !shareImages_)
    ImageList_Destroy(handle_);
  handle_ = nullptr;
}

HIMAGELIST TImageList::Handle() {
  if (handle_ == nullptr) {
    handle_ = CreateListHandle();
    if (handle_ == nullptr)
      throw EInvalidOperation("Failed to create image list");
    ImageList_SetBkColor(handle_, ListColor(bkColor_));
  }
  return handle_;
}

void TImageList::SetHandle(HIMAGELIST handle) {
  ReleaseListHandle();
  handle_ = handle;
  if (handle != nullptr) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(handle, &cx, &cy);
    width_ = cx;
    height_ = cy;
    COLORREF bk = ImageList_GetBkColor(handle);
    bkColor_ = bk == CLR_NONE ? clNone : static_cast<TColor>(bk);
  }
  Change();
}

void TImageList::Recreate() {
  // A new size or mask setting empties the list, as on the platform.
  ReleaseListHandle();
  Change();
}

void TImageList::SetWidth(int value) {
  if (value != width_) {
    width_ = value;
    Recreate();
  }
}

void TImageList::SetHeight(int value) {
  if (value != height_) {
    height_ = value;
    Recreate();
  }
}

void TImageList::SetMasked(bool value) {
  if (value != masked_) {
    masked_ = value;
    Recreate();
  }
}

void TImageList::SetBkColor(TColor value) {
  bkColor_ = value;
  if (handle_ != nullptr)
    ImageList_SetBkColor(handle_, ListColor(value));
  Change();
}

void TImageList::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TImageList*>(Source);
  if (other == nullptr) {
    TComponent::Assign(Source);
    return;
  }
  ReleaseListHandle();
  width_ = other->width_;
  height_ = other->height_;
  masked_ = other->masked_;
  bkColor_ = other->bkColor_;
  blendColor_ = other->blendColor_;
  drawingStyle_ = other->drawingStyle_;
  imageType_ = other->imageType_;
  allocBy_ = other->allocBy_;
  if (other->handle_ != nullptr)
    handle_ = ImageList_Duplicate(other->handle_);
  Change();
}

int TImageList::Add(TBitmap* image, TBitmap* mask) {
  if (image == nullptr)
    return -1;
  int index = ImageList_Add(Handle(), image->Handle(), mask != nullptr ? mask->Handle() : nullptr);
  if (index < 0)
    throw EInvalidOperation("Failed to add image");
  Change();
  return index;
}

int TImageList::AddMasked(TBitmap& image, TColor maskColor) {
  int index = ImageList_AddMasked(Handle(), image.Handle(), ColorToRGB(maskColor));
  if (index < 0)
    throw EInvalidOperation("Failed to add image");
  Change();
  return index;
}

int TImageList::AddIcon(TIcon& icon) {
  int index = ImageList_ReplaceIcon(Handle(), -1, icon.Handle());
  if (index < 0)
    throw EInvalidOperation("Failed to add image");
  Change();
  return index;
}

void TImageList::CheckIndex(int index) {
  if (index < 0 || index >= Count())
    throw EInvalidOperation("Invalid image list index");
}

void TImageList::Replace(int index, TBitmap* image, TBitmap* mask) {
  CheckIndex(index);
  if (!ImageList_Replace(Handle(), index, image != nullptr ? image->Handle() : nullptr,
                         mask != nullptr ? mask->Handle() : nullptr))
    throw EInvalidOperation("Failed to replace image");
  Change();
}

void TImageList::Delete(int index) {
  CheckIndex(index);
  ImageList_Remove(Handle(), index);
  Change();
}

void TImageList::Clear() {
  if (handle_ != nullptr)
    ImageList_Remove(handle_, -1);
  Change();
}

int TImageList::Count() {
  return handle_ != nullptr ? ImageList_GetImageCount(handle_) : 0;
}

UINT TImageList::StyleFlags() const {
  static constexpr UINT kStyles[] = {ILD_FOCUS, ILD_SELECTED, ILD_NORMAL, ILD_TRANSPARENT};
  return kStyles[drawingStyle_] | (imageType_ == itMask ? ILD_MASK : 0);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
  if (handle_ == nullptr || index < 0 || index >= Count())
    return;
  DoDraw(index, canvas, x, y, StyleFlags(), enabled);
}

void TImageList::DoDraw(int index, TCanvas& canvas, int x, int y, UINT style, bool enabled) {
  if (enabled) {
    ImageList_DrawEx(handle_, index, canvas.Handle(), x, y, 0, 0, ListColor(bkColor_), ListColor(blendColor_), style);
    return;
  }
  // The disabled look: a one-bit picture of the image (black where it has
  // ink), painted in the highlight colour one pixel down and right, then in
  // the shadow colour in place.
  HBITMAP mono = CreateBitmap(width_, height_, 1, 1, nullptr);
  HDC monoDC = CreateCompatibleDC(nullptr);
  HGDIOBJ oldMono = SelectObject(monoDC, mono);
  PatBlt(monoDC, 0, 0, width_, height_, WHITENESS);
  ImageList_DrawEx(handle_, index, monoDC, 0, 0, 0, 0, CLR_DEFAULT, 0, ILD_NORMAL);
  TColor savedBrush = canvas.Brush().Color();
  TBrushStyle savedStyle = canvas.Brush().Style();
  const struct {
    TColor Color;
    int Offset;
  } passes[] = {{clBtnHighlight, 1}, {clBtnShadow, 0}};
  for (const auto& pass : passes) {
    canvas.Brush().SetColor(pass.Color);
    canvas.Brush().SetStyle(bsSolid);
    HDC dest = canvas.Handle();
    HGDIOBJ oldBrush = SelectObject(dest, canvas.Brush().Handle());
    COLORREF oldText = ::SetTextColor(dest, RGB(255, 255, 255));
    COLORREF oldBk = ::SetBkColor(dest, RGB(0, 0, 0));
    BitBlt(dest, x + pass.Offset, y + pass.Offset, width_, height_, monoDC, 0, 0, kRopDSPDxax);
    ::SetTextColor(dest, oldText);
    ::SetBkColor(dest, oldBk);
    SelectObject(dest, oldBrush);
  }
  canvas.Brush().SetColor(savedBrush);
  canvas.Brush().SetStyle(savedStyle);
  SelectObject(monoDC, oldMono);
  DeleteDC(monoDC);
  DeleteObject(mono);
}

void TImageList::GetBitmap(int index, TBitmap& image) {
  CheckIndex(index);
  image.SetSize(width_, height_);
  RECT all{0, 0, width_, height_};
  image.Canvas().Brush().SetColor(clWhite);
  image.Canvas().FillRect(all);
  ImageList_Draw(handle_, index, image.Canvas().Handle(), 0, 0, ILD_NORMAL);
}

void TImageList::GetIcon(int index, TIcon& icon) {
  CheckIndex(index);
  icon.SetHandle(ImageList_GetIcon(handle_, index, ILD_NORMAL));
}

void TImageList::RegisterChanges(TChangeLink* link) {
  if (link->sender_ != nullptr && link->sender_ != this)
    link->sender_->UnRegisterChanges(link);
  link->sender_ = this;
  if (std::find(links_.begin(), links_.end(), link) == links_.end())
    links_.push_back(link);
}

void TImageList::UnRegisterChanges(TChangeLink* link) {
  std::erase(links_, link);
  if (link->sender_ == this)
    link->sender_ = nullptr;
}

void TImageList::Change() {
  for (TChangeLink* link : std::vector<TChangeLink*>(links_))
    if (link->OnChange)
      link->OnChange(this);
  if (OnChange)
    OnChange(this);
}

void TImageList::ReadData(TStream& stream) {
  std::vector<std::uint8_t> bytes = ReadStreamBytes(stream);
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  if (global == nullptr)
    throw EOutOfResources("Out of system resources");
  std::memcpy(GlobalLock(global), bytes.data(), bytes.size());
  GlobalUnlock(global);
  IStream* source = nullptr;
  if (FAILED(CreateStreamOnHGlobal(global, TRUE, &source))) {
    GlobalFree(global);
    throw EReadError("Failed to read ImageList data from stream");
  }
  ULARGE_INTEGER size;
  size.QuadPart = bytes.size();
  source->SetSize(size);
  HIMAGELIST list = ImageList_Read(source);
  // Put the stream where the image list's data ended.
  LARGE_INTEGER zero{};
  ULARGE_INTEGER end{};
  source->Seek(zero, STREAM_SEEK_CUR, &end);
  source->Release();
  if (list == nullptr)
    throw EReadError("Failed to read ImageList data from stream");
  stream.Seek(static_cast<std::int64_t>(end.QuadPart) - static_cast<std::int64_t>(bytes.size()), soCurrent);
  SetHandle(list);
}

void TImageList::WriteData(TStream& stream) {
  IStream* target = nullptr;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &target)))
    throw EWriteError("Failed to write ImageList data to stream");
  bool written = ImageList_Write(Handle(), target);
  HGLOBAL global = nullptr;
  STATSTG stat{};
  if (written && SUCCEEDED(GetHGlobalFromStream(target, &global)) && SUCCEEDED(target->Stat(&stat, STATFLAG_NONAME))) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    std::memcpy(bytes.data(), GlobalLock(global), bytes.size());
    GlobalUnlock(global);
    target->Release();
    WriteStreamBytes(stream, bytes);
    return;
  }
  target->Release();
  throw EWriteError("Failed to write ImageList data to stream");
}
