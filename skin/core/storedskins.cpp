#include "skin/core/storedskins.h"

#include "classlib/classes/filer.h"
#include "classlib/classes/typinfo.h"

BEGIN_PUBLISHED(TsSkinImage)
  PROPERTY(SectionName, SectionName, SectionName),
  PROPERTY(Image, Image, SetImage),
  PROPERTY(Name, GetName, SetName),
  PROPERTY(PropertyName, PropertyName, PropertyName),
  PROPERTY(Left, Left, Left),
  PROPERTY(Top, Top, Top),
  PROPERTY(Right, Right, Right),
  PROPERTY(Bottom, Bottom, Bottom),
  PROPERTY(ImageCount, ImageCount, ImageCount),
  PROPERTY(MaskType, MaskType, MaskType),
  PROPERTY(BorderWidth, BorderWidth, BorderWidth),
  PROPERTY(StretchMode, StretchMode, StretchMode),
  PROPERTY(ImgType, ImgType, ImgType),
  PROPERTY(WL, WL, WL),
  PROPERTY(WR, WR, WR),
  PROPERTY(WT, WT, WT),
  PROPERTY(WB, WB, WB),
END_PUBLISHED

BEGIN_PUBLISHED(TsSkinPattern)
  PROPERTY(SectionName, SectionName, SectionName),
  PROPERTY(Image, Image, SetImage),
  PROPERTY(Name, GetName, SetName),
  PROPERTY(PropertyName, PropertyName, PropertyName),
END_PUBLISHED

IMPLEMENT_CLASS(TsSkinGenerals)
IMPLEMENT_CLASS(TsSkinImages)
IMPLEMENT_CLASS(TsSkinPatterns)
IMPLEMENT_CLASS(TsStoredSkins)

BEGIN_PUBLISHED(TsStoredSkin)
  PROPERTY(Name, GetName, SetName),
  PROPERTY(GeneralData, GeneralData, SetGeneralData),
  PROPERTY(Images, Images, SetImages),
  PROPERTY(Patterns, Patterns, SetPatterns),
  PROPERTY(MasterBitmap, MasterBitmap, SetMasterBitmap),
  PROPERTY(Shadow1Color, Shadow1Color, Shadow1Color).TypeName("TColor").Default(0),
  PROPERTY(Shadow1Offset, Shadow1Offset, Shadow1Offset).Default(0),
  PROPERTY(Shadow1Blur, Shadow1Blur, Shadow1Blur).Default(-1),
  PROPERTY(Shadow1Transparency, Shadow1Transparency, Shadow1Transparency).Default(0),
  PROPERTY(BorderColor, BorderColor, BorderColor).TypeName("TColor").Default(0xFF00FF),
  PROPERTY(Version, Version, Version),
  PROPERTY(Author, Author, Author),
  PROPERTY(Description, Description, Description),
END_PUBLISHED

TsStoredSkin::TsStoredSkin(TCollection* Collection)
    : TCollectionItem(Collection),
      FGeneralData(std::make_unique<TsSkinGenerals>(this)),
      FImages(std::make_unique<TsSkinImages>(this)),
      FPatterns(std::make_unique<TsSkinPatterns>(this)) {}

TsStoredSkin::~TsStoredSkin() = default;

void TsStoredSkin::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TsStoredSkin*>(Source);
  if (other == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  Data.Clear();
  Data.CopyFrom(other->Data, 0);
  FName = other->FName;
  FGeneralData->Assign(other->FGeneralData.get());
  FImages->Assign(other->FImages.get());
  FPatterns->Assign(other->FPatterns.get());
  FMasterBitmap->Assign(other->FMasterBitmap.get());
  Shadow1Color = other->Shadow1Color;
  Shadow1Offset = other->Shadow1Offset;
  Shadow1Blur = other->Shadow1Blur;
  Shadow1Transparency = other->Shadow1Transparency;
  BorderColor = other->BorderColor;
  Version = other->Version;
  Author = other->Author;
  Description = other->Description;
}

void TsStoredSkin::DefineProperties(TFiler& Filer) {
  Filer.DefineBinaryProperty(
      "Data",
      [this](TStream& stream) {
        Data.Clear();
        Data.CopyFrom(stream, stream.Size() - stream.Position());
      },
      [this](TStream& stream) {
        if (Data.Size() > 0)
          stream.CopyFrom(Data, 0);
      },
      true);
}

int TsStoredSkins::IndexOfName(const AnsiString& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (Item(i)->GetName() == Name)
      return i;
  return -1;
}
