// Skins kept in the application's form file: a manager's InternalSkins hold
// stored skins, each either a whole packed archive in its binary "Data" or
// a skin spelled out as sections, images, JPEG textures, a master bitmap
// and the skin-wide values.
#pragma once
#include <memory>

#include "classlib/classes/collection.h"
#include "classlib/classes/streams.h"
#include "classlib/graphics/bitmap.h"
#include "classlib/graphics/jpeg.h"
#include "skin/core/skinsections.h"
#include "skin/core/storedskingeneral.h"

// One image of a stored skin: a bitmap of its own, or a rectangle of the
// master bitmap.
class TsSkinImage : public TCollectionItem {
  DECLARE_CLASS(TsSkinImage, TCollectionItem)

public:
  explicit TsSkinImage(TCollection* Collection) : TCollectionItem(Collection) {}

  TBitmap* Image() const { return FImage.get(); }
  void SetImage(TBitmap* Value) { FImage->Assign(Value); }
  AnsiString GetName() const { return FName; }
  void SetName(const AnsiString& Value) {
    if (Value != FName)
      FName = Value;
  }

  AnsiString SectionName, PropertyName;
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  short ImageCount = 0, MaskType = 0, BorderWidth = 0, StretchMode = 0;
  TacImgType ImgType = itisaBorder;
  short WL = 0, WR = 0, WT = 0, WB = 0;

private:
  std::unique_ptr<TBitmap> FImage = std::make_unique<TBitmap>();
  AnsiString FName;
};

// One JPEG texture of a stored skin.
class TsSkinPattern : public TCollectionItem {
  DECLARE_CLASS(TsSkinPattern, TCollectionItem)

public:
  explicit TsSkinPattern(TCollection* Collection) : TCollectionItem(Collection) {}

  TJPEGImage* Image() const { return FImage.get(); }
  void SetImage(TJPEGImage* Value) { FImage->Assign(Value); }
  AnsiString GetName() const { return FName; }
  void SetName(const AnsiString& Value) {
    if (Value != FName)
      FName = Value;
  }

  AnsiString SectionName, PropertyName;

private:
  std::unique_ptr<TJPEGImage> FImage = std::make_unique<TJPEGImage>();
  AnsiString FName;
};

class TsSkinGenerals : public TOwnedCollection {
  DECLARE_CLASS(TsSkinGenerals, TOwnedCollection)

public:
  explicit TsSkinGenerals(TPersistent* AOwner) : TOwnedCollection(AOwner, TsSkinGeneral::StaticClass()) {}
  TsSkinGeneral* Item(int Index) const { return static_cast<TsSkinGeneral*>(Items(Index)); }
};

class TsSkinImages : public TOwnedCollection {
  DECLARE_CLASS(TsSkinImages, TOwnedCollection)

public:
  explicit TsSkinImages(TPersistent* AOwner) : TOwnedCollection(AOwner, TsSkinImage::StaticClass()) {}
  TsSkinImage* Item(int Index) const { return static_cast<TsSkinImage*>(Items(Index)); }
};

class TsSkinPatterns : public TOwnedCollection {
  DECLARE_CLASS(TsSkinPatterns, TOwnedCollection)

public:
  explicit TsSkinPatterns(TPersistent* AOwner) : TOwnedCollection(AOwner, TsSkinPattern::StaticClass()) {}
  TsSkinPattern* Item(int Index) const { return static_cast<TsSkinPattern*>(Items(Index)); }
};

class TsStoredSkin : public TCollectionItem {
  DECLARE_CLASS(TsStoredSkin, TCollectionItem)

public:
  explicit TsStoredSkin(TCollection* Collection);
  ~TsStoredSkin() override;

  // A nil source raises the class library's "Cannot assign a %s to a %s";
  // another stored skin is copied whole.
  void Assign(TPersistent* Source) override;

  AnsiString GetName() const { return FName; }
  void SetName(const AnsiString& Value) {
    if (Value != FName)
      FName = Value;
  }
  TsSkinGenerals* GeneralData() const { return FGeneralData.get(); }
  void SetGeneralData(TsSkinGenerals* Value) { FGeneralData->Assign(Value); }
  TsSkinImages* Images() const { return FImages.get(); }
  void SetImages(TsSkinImages* Value) { FImages->Assign(Value); }
  TsSkinPatterns* Patterns() const { return FPatterns.get(); }
  void SetPatterns(TsSkinPatterns* Value) { FPatterns->Assign(Value); }
  TBitmap* MasterBitmap() const { return FMasterBitmap.get(); }
  void SetMasterBitmap(TBitmap* Value) { FMasterBitmap->Assign(Value); }

  TColor Shadow1Color = 0;
  int Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
  TColor BorderColor = 0xFF00FF;
  double Version = 0;
  AnsiString Author, Description;
  // A packed skin archive; empty for a skin spelled out.
  TMemoryStream Data;

protected:
  // The binary "Data", always written.
  void DefineProperties(TFiler& Filer) override;

private:
  AnsiString FName;
  std::unique_ptr<TsSkinGenerals> FGeneralData;
  std::unique_ptr<TsSkinImages> FImages;
  std::unique_ptr<TsSkinPatterns> FPatterns;
  std::unique_ptr<TBitmap> FMasterBitmap = std::make_unique<TBitmap>();
};

class TsStoredSkins : public TOwnedCollection {
  DECLARE_CLASS(TsStoredSkins, TOwnedCollection)

public:
  explicit TsStoredSkins(TPersistent* AOwner) : TOwnedCollection(AOwner, TsStoredSkin::StaticClass()) {}
  TsStoredSkin* Item(int Index) const { return static_cast<TsStoredSkin*>(Items(Index)); }
  // The first skin of that name (case-sensitive), -1 when none.
  int IndexOfName(const AnsiString& Name) const;
  // Stored skins are never copied from another list.
  void Assign(TPersistent*) override {}
};
