#include "skin/core/alphaimagelist.h"

#include <memory>
#include <vector>

#include "classlib/classes/filer.h"
#include "classlib/graphics/canvas.h"
#include "classlib/graphics/icon.h"
#include "skin/core/alphabitmaps.h"
#include "skin/core/imagelistglyphs.h"
#include "skin/core/pixelbytes.h"
#include "skin/core/skinbitmaps.h"
#include "skin/core/skinplatform.h"
#include "support/png/graphic/pnggraphic.h"
#include "support/png/graphic/pngicons.h"

BEGIN_PUBLISHED(TsAlphaImageList)
  PROPERTY(Items, Items, SetItems),
END_PUBLISHED

namespace {

// Icons made from the items, destroyed unless handed on.
class TItemIcons {
public:
  TItemIcons() = default;
  ~TItemIcons() {
    for (HICON icon : icons_)
      DestroyIcon(icon);
  }
  TItemIcons(const TItemIcons&) = delete;
  TItemIcons& operator=(const TItemIcons&) = delete;
  void Add(HICON icon) { icons_.push_back(icon); }
  const std::vector<HICON>& Icons() const { return icons_; }

private:
  std::vector<HICON> icons_;
};

// The icon of one item, from its data at position 0; raises the PNG
// reader's or the icon's error for damaged data.
HICON ItemIcon(TsImgListItem& Item, int Width, int Height) {
  TMemoryStream& data = Item.ImgData();
  data.SetPosition(0);
  if (Item.ImageFormat() == ifPNG) {
    TPNGGraphic png;
    png.LoadFromStream(data);
    return IsWindowsXPOrLater() ? MakeAlphaIconFromPng(png) : MakeIconFromPng(png, false);
  }
  TIcon icon;
  icon.SetSize(Width, Height);
  icon.LoadFromStream(data);
  return icon.ReleaseHandle();
}

// An image list colour as a class-library colour.
TColor ConvertImageListColor(COLORREF Color) {
  if (Color == CLR_NONE)
    return clNone;
  if (Color == CLR_DEFAULT)
    return clDefault;
  return static_cast<TColor>(Color);
}

// Sets a flag for the life of the scope and then restores it, also when
// what runs inside raises.
class TFlagScope {
public:
  explicit TFlagScope(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = saved_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

private:
  bool& flag_;
  bool saved_;
};

// True when every alpha byte of a 32-bit bitmap is 0.
bool AlphaAllZero(TBitmap& Bitmap) {
  const TPixelView view = PixelViewOf(&Bitmap);
  for (int y = 0; y < view.Height; ++y)
    for (int x = 0; x < view.Width; ++x)
      if (view.Pixel(x, y)[3] != 0)
        return false;
  return true;
}

// Every pixel but the transparent fuchsia becomes opaque.
void OpaqueExceptFuchsia(TBitmap& Bitmap) {
  const TPixelView view = PixelViewOf(&Bitmap);
  for (int y = 0; y < view.Height; ++y)
    for (int x = 0; x < view.Width; ++x) {
      std::uint8_t* p = view.Pixel(x, y);
      p[3] = IsFuchsiaPixel(p) ? 0 : 255;
    }
}

}  // namespace

TsAlphaImageList::TsAlphaImageList(TComponent* AOwner)
    : TImageList(AOwner), FItems(std::make_unique<TsImgListItems>(this)) {
  if (!ComponentState().Contains(csLoading)) {
    Handle();
    if (!FSystemListBuilt)
      RebuildSystemList();
  }
}

TsAlphaImageList::~TsAlphaImageList() { FItems.reset(); }

bool TsAlphaImageList::KeepsItems() const {
  return FKeepItemData || ComponentState().Contains(csDesigning);
}

HIMAGELIST TsAlphaImageList::CreateListHandle() {
  return ImageList_Create(Width(), Height(), ILC_COLOR32 | (Masked() ? ILC_MASK : 0), 0, AllocBy());
}

void TsAlphaImageList::Loaded() {
  TImageList::Loaded();
  Handle();
  if (!FSystemListBuilt) {
    RebuildSystemList();
    FSystemListBuilt = true;
  }
}

void TsAlphaImageList::DefineProperties(TFiler& Filer) {
  TComponent::DefineProperties(Filer);
  // The list's own bitmap is written with no bytes and ignored when read:
  // the images come from the items.
  Filer.DefineBinaryProperty("Bitmap", [](TStream&) {}, [](TStream&) {}, true);
}

void TsAlphaImageList::RebuildSystemList() {
  if (!HandleAllocated())
    return;
  TItemIcons icons;
  for (int i = 0; i < FItems->Count(); ++i)
    icons.Add(ItemIcon(*FItems->Item(i), Width(), Height()));
  TFlagScope updating(FItemsUpdating);
  Clear();
  for (HICON icon : icons.Icons())
    ImageList_ReplaceIcon(Handle(), -1, icon);
  if (FItems->Count() > 0) {
    FSystemListBuilt = true;
    if (!KeepsItems())
      FItems->Clear();
  }
}

void TsAlphaImageList::DoDraw(int index, TCanvas& canvas, int x, int y, UINT, bool) {
  if (!HandleAllocated())
    return;
  if (index >= FItems->Count() || FItems->Item(index)->ImageFormat() == ifICO)
    DrawIconImage(index, canvas, x, y);
  else
    DrawPngImage(index, canvas, x, y);
}

void TsAlphaImageList::DrawIconImage(int index, TCanvas& canvas, int x, int y) {
  ImageList_SetBkColor(Handle(), CLR_NONE);
  HICON icon = ImageList_GetIcon(Handle(), index, ILD_TRANSPARENT);
  if (icon == nullptr)
    return;
  DrawIconEx(canvas.Handle(), x, y, icon, Width(), Height(), 0, nullptr, DI_NORMAL);
  DestroyIcon(icon);
}

void TsAlphaImageList::DrawPngImage(int index, TCanvas& canvas, int x, int y) {
  const int width = Width(), height = Height();
  std::unique_ptr<TBitmap> image(CreateBitmap32(width, height));
  if (!GetImageListBitmap32(this, index, image.get()))
    return;
  std::unique_ptr<TBitmap> area(CreateBitmap24(width, height));
  BitBlt(area->Canvas().Handle(), 0, 0, width, height, canvas.Handle(), x, y, SRCCOPY);
  const TPixelBackground background{PixelViewOf(area.get()), 0, 0, 0, true};
  const RECT all{0, 0, width, height};
  DrawAlphaBitmap(all, all, area.get(), image.get(), background, true, kNoTint, 0, false);
  BitBlt(canvas.Handle(), x, y, width, height, area->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TsAlphaImageList::Change() {
  if (FItemsUpdating)
    return;
  TImageList::Change();
  if (!HandleAllocated() || ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning) ||
      !FSystemListBuilt)
    return;
  if (KeepsItems() && FItems->Count() >= Count()) {
    if (FItems->Count() > Count())
      RebuildSystemList();
    return;
  }
  RepairPlainImages();
}

void TsAlphaImageList::RepairPlainImages() {
  HIMAGELIST list = Handle();
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    HICON icon = ImageList_GetIcon(list, i, ILD_NORMAL);
    if (icon == nullptr)
      continue;
    {
      TIconPieces pieces(icon);
      TBitmap colour;
      if (pieces.Colour32(colour) && AlphaAllZero(colour)) {
        OpaqueExceptFuchsia(colour);
        ICONINFO info{TRUE, 0, 0, pieces.Mask(), colour.Handle()};
        HICON repaired = CreateIconIndirect(&info);
        if (repaired != nullptr) {
          ImageList_ReplaceIcon(list, i, repaired);
          DestroyIcon(repaired);
        }
      }
    }
    DestroyIcon(icon);
  }
}

void TsAlphaImageList::Assign(TPersistent* Source) {
  if (Source == this)
    return;
  if (Source == nullptr) {
    ReleaseListHandle();
    Change();
    return;
  }
  if (auto* other = dynamic_cast<TsAlphaImageList*>(Source)) {
    CopyListFrom(other);
    return;
  }
  // Items left from before would rebuild over the copied images.
  FItems->Clear();
  TImageList::Assign(Source);
}

void TsAlphaImageList::AssignTo(TPersistent* Dest) {
  if (auto* other = dynamic_cast<TsAlphaImageList*>(Dest)) {
    if (other != this)
      other->CopyListFrom(this);
    return;
  }
  TImageList::AssignTo(Dest);
}

void TsAlphaImageList::CopyListFrom(TsAlphaImageList* Source) {
  TFlagScope updating(FItemsUpdating);
  Clear();
  // Released under this list's own ShareImages, before it takes Source's.
  ReleaseListHandle();
  SetMasked(Source->Masked());
  SetImageType(Source->ImageType());
  SetDrawingStyle(Source->DrawingStyle());
  SetShareImages(Source->ShareImages());
  int width = Source->Width(), height = Source->Height();
  if (Source->HandleAllocated())
    ImageList_GetIconSize(Source->Handle(), &width, &height);
  SetWidth(width);
  SetHeight(height);
  Handle();
  SetBkColor(Source->HandleAllocated() ? ConvertImageListColor(ImageList_GetBkColor(Source->Handle()))
                                       : Source->BkColor());
  SetBlendColor(Source->BlendColor());
  CopyImages(this, Source);
}

void CopyImages(TsAlphaImageList* Dest, TsAlphaImageList* Source) {
  if (Dest == nullptr || Source == nullptr || Dest == Source || !Dest->HandleAllocated())
    return;
  if (Source->HandleAllocated())
    ImageList_SetBkColor(Source->Handle(), CLR_NONE);
  // A source that kept no items for its images hands over its icons.
  if (Dest->KeepsItems() && Source->Items()->Count() >= Source->Count()) {
    Dest->Items()->Clear();
    for (int i = 0; i < Source->Items()->Count(); ++i)
      Dest->Items()->Add()->Assign(Source->Items()->Item(i));
    Dest->RebuildSystemList();
    return;
  }
  Dest->Items()->Clear();
  Dest->Clear();
  ImageList_SetBkColor(Dest->Handle(), CLR_NONE);
  for (int i = 0; i < Source->Count(); ++i) {
    HICON icon = ImageList_GetIcon(Source->Handle(), i, ILD_TRANSPARENT);
    if (icon == nullptr)
      continue;
    ImageList_ReplaceIcon(Dest->Handle(), -1, icon);
    DestroyIcon(icon);
  }
}
