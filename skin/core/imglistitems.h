// The items of an alpha image list: each keeps the complete PNG or ICO file
// an image was made from, streamed as the binary "ImgData" of its item.
#pragma once
#include "classlib/classes/collection.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/typinfo.h"
#include "classlib/graphics/bitmap.h"

class TsAlphaImageList;

enum TsImageFormat { ifPNG, ifICO };
DOZURI_ENUM(TsImageFormat, "ifPNG", "ifICO");

class TsImgListItem : public TCollectionItem {
  DECLARE_CLASS(TsImgListItem, TCollectionItem)

public:
  explicit TsImgListItem(TCollection* Collection);
  ~TsImgListItem() override;

  // Copies the format, the pixel format and the data of another item; a nil
  // or foreign source raises the class library's assignment error.
  void Assign(TPersistent* Source) override;

  // Always written; ifPNG after creation.
  TsImageFormat ImageFormat() const { return FImageFormat; }
  void SetImageFormat(TsImageFormat Value) { FImageFormat = Value; }
  // Written only when not pf32bit; loading and drawing do not use it.
  TPixelFormat PixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TPixelFormat Value) { FPixelFormat = Value; }

  // The PNG or ICO file as it was added.
  TMemoryStream& ImgData() { return FImgData; }

protected:
  void AssignTo(TPersistent* Dest) override;
  // The binary "ImgData", always written.
  void DefineProperties(TFiler& Filer) override;

private:
  void LoadImgData(TStream& Stream);
  void SaveImgData(TStream& Stream);
  void CopyFrom(TsImgListItem& Source);

  TsImageFormat FImageFormat = ifPNG;
  TPixelFormat FPixelFormat = pf32bit;
  TMemoryStream FImgData;
};

class TsImgListItems : public TOwnedCollection {
  DECLARE_CLASS(TsImgListItems, TOwnedCollection)

public:
  explicit TsImgListItems(TsAlphaImageList* AOwner);
  TsImgListItem* Item(int Index) const { return static_cast<TsImgListItem*>(Items(Index)); }
  TsImgListItem* Add() { return static_cast<TsImgListItem*>(TCollection::Add()); }
};
