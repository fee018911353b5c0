// fuzz-deps: dozuri_skin_base dozuri_classes dozuri_system
// A form stream holding a skin manager with stored skins, read as a manager
// reads it: the InternalSkins collection of stored skins, each with its
// sections, images and textures (nested collections), its master bitmap and
// image bitmaps ("Data" sub-properties) and its binary "Data". The stored
// skin's sections are the real class; its images, textures and the skin
// itself hold platform pictures, so the target reads those into stand-ins
// with the same stream shape and keeps the picture bytes. Then each stored
// skin is used as a load uses it: a non-empty Data is unpacked where it
// lies (the borrowed stream must survive) and its options read; otherwise
// the section texts (font colours, gradients) are converted and the image
// rectangles fitted to the master bitmap's size. Every failure must be a
// read, archive or conversion error.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "classlib/classes/collection.h"
#include "classlib/classes/component.h"
#include "classlib/classes/filer.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/typinfo.h"
#include "fuzz/skinfuzzing.h"
#include "skin/core/skingradient.h"
#include "skin/core/storedskingeneral.h"

namespace {

// A picture property: the bytes of its "Data" (a length, then the file).
class TFuzzPicture : public TPersistent {
  DECLARE_CLASS(TFuzzPicture, TPersistent)

public:
  std::string Bytes;

protected:
  void DefineProperties(TFiler& Filer) override {
    Filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
          Bytes.assign(static_cast<std::size_t>(s.Size() - s.Position()), '\0');
          if (!Bytes.empty())
            s.ReadBuffer(Bytes.data(), static_cast<std::int32_t>(Bytes.size()));
        },
        nullptr, false);
  }
};

class TFuzzSkinImage : public TCollectionItem {
  DECLARE_CLASS(TFuzzSkinImage, TCollectionItem)

public:
  explicit TFuzzSkinImage(TCollection* Collection) : TCollectionItem(Collection) {}
  TFuzzPicture* Image() const { return FImage.get(); }
  void SetImage(TFuzzPicture*) {}
  AnsiString SectionName, PropertyName, Name;
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  short ImageCount = 0, MaskType = 0, BorderWidth = 0, StretchMode = 0;
  TacImgType ImgType = itisaBorder;
  short WL = 0, WR = 0, WT = 0, WB = 0;

private:
  std::unique_ptr<TFuzzPicture> FImage = std::make_unique<TFuzzPicture>();
};

class TFuzzSkinPattern : public TCollectionItem {
  DECLARE_CLASS(TFuzzSkinPattern, TCollectionItem)

public:
  explicit TFuzzSkinPattern(TCollection* Collection) : TCollectionItem(Collection) {}
  TFuzzPicture* Image() const { return FImage.get(); }
  void SetImage(TFuzzPicture*) {}
  AnsiString SectionName, PropertyName, Name;

private:
  std::unique_ptr<TFuzzPicture> FImage = std::make_unique<TFuzzPicture>();
};

class TFuzzStoredSkin : public TCollectionItem {
  DECLARE_CLASS(TFuzzStoredSkin, TCollectionItem)

public:
  explicit TFuzzStoredSkin(TCollection* Collection) : TCollectionItem(Collection) {}
  TCollection* GeneralData() const { return FGeneral.get(); }
  TCollection* Images() const { return FImages.get(); }
  TCollection* Patterns() const { return FPatterns.get(); }
  TFuzzPicture* MasterBitmap() const { return FMaster.get(); }
  void SetGeneralData(TCollection* Value) { FGeneral->Assign(Value); }
  void SetImages(TCollection* Value) { FImages->Assign(Value); }
  void SetPatterns(TCollection* Value) { FPatterns->Assign(Value); }
  void SetMasterBitmap(TFuzzPicture*) {}
  AnsiString Name, Author, Description;
  std::int32_t Shadow1Color = 0, BorderColor = 0;
  int Shadow1Offset = 0, Shadow1Blur = -1, Shadow1Transparency = 0;
  double Version = 0;
  TMemoryStream Data;

protected:
  void DefineProperties(TFiler& Filer) override {
    Filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
          Data.Clear();
          Data.CopyFrom(s, s.Size() - s.Position());
        },
        nullptr, false);
  }

private:
  std::unique_ptr<TCollection> FGeneral = std::make_unique<TCollection>(TsSkinGeneral::StaticClass());
  std::unique_ptr<TCollection> FImages = std::make_unique<TCollection>(TFuzzSkinImage::StaticClass());
  std::unique_ptr<TCollection> FPatterns = std::make_unique<TCollection>(TFuzzSkinPattern::StaticClass());
  std::unique_ptr<TFuzzPicture> FMaster = std::make_unique<TFuzzPicture>();
};

class TFuzzSkinManager : public TComponent {
  DECLARE_CLASS(TFuzzSkinManager, TComponent)

public:
  explicit TFuzzSkinManager(TComponent* AOwner) : TComponent(AOwner) {}
  TCollection* InternalSkins() const { return FSkins.get(); }
  void SetInternalSkins(TCollection*) {}
  AnsiString SkinDirectory, SkinName;

private:
  std::unique_ptr<TCollection> FSkins = std::make_unique<TCollection>(TFuzzStoredSkin::StaticClass());
};

}  // namespace

BEGIN_PUBLISHED(TFuzzPicture)
END_PUBLISHED

BEGIN_PUBLISHED(TFuzzSkinImage)
  PROPERTY(SectionName, SectionName, SectionName),
  PROPERTY(Image, Image, SetImage),
  PROPERTY(Name, Name, Name),
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

BEGIN_PUBLISHED(TFuzzSkinPattern)
  PROPERTY(SectionName, SectionName, SectionName),
  PROPERTY(Image, Image, SetImage),
  PROPERTY(Name, Name, Name),
  PROPERTY(PropertyName, PropertyName, PropertyName),
END_PUBLISHED

BEGIN_PUBLISHED(TFuzzStoredSkin)
  PROPERTY(Name, Name, Name),
  PROPERTY(GeneralData, GeneralData, SetGeneralData),
  PROPERTY(Images, Images, SetImages),
  PROPERTY(Patterns, Patterns, SetPatterns),
  PROPERTY(MasterBitmap, MasterBitmap, SetMasterBitmap),
  PROPERTY(Shadow1Color, Shadow1Color, Shadow1Color),
  PROPERTY(Shadow1Offset, Shadow1Offset, Shadow1Offset),
  PROPERTY(Shadow1Blur, Shadow1Blur, Shadow1Blur),
  PROPERTY(Shadow1Transparency, Shadow1Transparency, Shadow1Transparency),
  PROPERTY(BorderColor, BorderColor, BorderColor),
  PROPERTY(Version, Version, Version),
  PROPERTY(Author, Author, Author),
  PROPERTY(Description, Description, Description),
END_PUBLISHED

BEGIN_PUBLISHED(TFuzzSkinManager)
  PROPERTY(InternalSkins, InternalSkins, SetInternalSkins),
  PROPERTY(SkinDirectory, SkinDirectory, SkinDirectory),
  PROPERTY(SkinName, SkinName, SkinName),
END_PUBLISHED

namespace {

// The master bitmap's size from the header of the bitmap file in its Data.
void MasterSize(const std::string& Bytes, int& Width, int& Height) {
  Width = Height = 0;
  if (Bytes.size() < 4 + 26 || Bytes[4] != 'B' || Bytes[5] != 'M')
    return;
  std::int32_t w = 0, h = 0;
  std::memcpy(&w, Bytes.data() + 4 + 18, 4);
  std::memcpy(&h, Bytes.data() + 4 + 22, 4);
  if (w > 0 && w <= 65535 && h != 0 && h >= -65535 && h <= 65535) {
    Width = w;
    Height = h < 0 ? -h : h;
  }
}

void UsePackedData(TFuzzStoredSkin& Skin) {
  if (std::unique_ptr<TacSkinConvertor> archive = skin_fuzz::UnpackBorrowed(Skin.Data))
    skin_fuzz::ReadGlobalsAndSections(TsSkinOptions(skin_fuzz::OptionsTextOf(*archive)));
}

void UseSpelledOut(TFuzzStoredSkin& Skin) {
  for (int i = 0; i < Skin.GeneralData()->Count(); ++i) {
    auto* general = static_cast<TsSkinGeneral*>(Skin.GeneralData()->Items(i));
    std::array<TColor, 5> colours{};
    TsGradArray gradient;
    try {
      ReadStoredFontColors(general->FontColor, colours);
      ReadStoredFontColors(general->HotFontColor, colours);
      ParseGradientData(general->GradientData, gradient);
      ParseGradientData(general->HotGradientData, gradient);
    } catch (const EConvertError&) {
    }
  }
  int width = 0, height = 0;
  MasterSize(Skin.MasterBitmap()->Bytes, width, height);
  for (int i = 0; i < Skin.Images()->Count(); ++i) {
    auto* image = static_cast<TFuzzSkinImage*>(Skin.Images()->Items(i));
    TSkinImageValue v;
    v.Form = TSkinImageForm::Coordinates;
    v.ImageCount = image->ImageCount == 0 ? 3 : image->ImageCount;
    v.MaskType = image->ImageCount == 0 ? 1 : image->MaskType;
    v.BorderWidth = image->BorderWidth;
    v.WL = image->WL;
    v.WT = image->WT;
    v.WR = image->WR;
    v.WB = image->WB;
    v.Left = image->Left;
    v.Top = image->Top;
    v.Right = image->Right;
    v.Bottom = image->Bottom;
    if (v.MaskType < 0 || width <= 0)
      continue;
    ApplyDefaultWidths(v, v.Right - v.Left, v.Bottom - v.Top);
    if (FitImageToBitmap(v, width, height) && (v.Left < 0 || v.Top < 0 || v.Right > width || v.Bottom > height))
      __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20))
    return 0;
  TMemoryStream stream;
  stream.WriteBuffer(data, static_cast<std::int32_t>(size));
  stream.SetPosition(0);
  TFuzzSkinManager manager(nullptr);
  try {
    TReader reader(stream);
    reader.ReadRootComponent(&manager);
  } catch (const EReadError&) {
    return 0;
  } catch (const EConvertError&) {
    return 0;
  }
  for (int i = 0; i < manager.InternalSkins()->Count(); ++i) {
    auto* skin = static_cast<TFuzzStoredSkin*>(manager.InternalSkins()->Items(i));
    if (skin->Data.Size() > 0)
      UsePackedData(*skin);
    else
      UseSpelledOut(*skin);
  }
  return 0;
}
