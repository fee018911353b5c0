#include "skin/core/imglistitems.h"

#include "classlib/classes/filer.h"
#include "skin/core/alphaimagelist.h"

BEGIN_PUBLISHED(TsImgListItem)
  PROPERTY(ImageFormat, ImageFormat, SetImageFormat),
  PROPERTY(PixelFormat, PixelFormat, SetPixelFormat).Default(pf32bit),
END_PUBLISHED

IMPLEMENT_CLASS(TsImgListItems)

TsImgListItem::TsImgListItem(TCollection* Collection) : TCollectionItem(Collection) {}

TsImgListItem::~TsImgListItem() = default;

void TsImgListItem::CopyFrom(TsImgListItem& Source) {
  FImageFormat = Source.FImageFormat;
  FPixelFormat = Source.FPixelFormat;
  FImgData.Clear();
  if (Source.FImgData.Size() > 0)
    FImgData.WriteBuffer(Source.FImgData.Memory(), static_cast<std::int32_t>(Source.FImgData.Size()));
  FImgData.SetPosition(0);
}

void TsImgListItem::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TsImgListItem*>(Source);
  if (other == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (other != this)
    CopyFrom(*other);
}

void TsImgListItem::AssignTo(TPersistent* Dest) {
  auto* other = dynamic_cast<TsImgListItem*>(Dest);
  if (other == nullptr) {
    TCollectionItem::AssignTo(Dest);
    return;
  }
  if (other != this)
    other->CopyFrom(*this);
}

void TsImgListItem::LoadImgData(TStream& Stream) {
  FImgData.Clear();
  FImgData.CopyFrom(Stream, Stream.Size() - Stream.Position());
  FImgData.SetPosition(0);
}

void TsImgListItem::SaveImgData(TStream& Stream) {
  if (FImgData.Size() > 0)
    Stream.CopyFrom(FImgData, 0);
}

void TsImgListItem::DefineProperties(TFiler& Filer) {
  Filer.DefineBinaryProperty(
      "ImgData", [this](TStream& Stream) { LoadImgData(Stream); }, [this](TStream& Stream) { SaveImgData(Stream); },
      true);
}

TsImgListItems::TsImgListItems(TsAlphaImageList* AOwner) : TOwnedCollection(AOwner, TsImgListItem::StaticClass()) {}
