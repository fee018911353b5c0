// Builds a skin from its options file and the pictures it names: the
// master bitmap, every image value of every section, JPEG textures (small
// ones as texture images), the skin-wide values and the sections with
// their border and corner images. The skin is built apart from the
// manager, so a load that fails changes nothing the manager holds.
#pragma once
#include <memory>

#include "skin/core/acskinpack.h"
#include "skin/core/skindata.h"
#include "skin/core/skinoptions.h"
#include "skin/core/storedskins.h"

class TsSkinManager;

// Everything one load builds; the manager takes it over whole.
struct TsLoadedSkin {
  std::unique_ptr<TsSkinData> Data = std::make_unique<TsSkinData>();
  TsGeneralDataArray Sections;
  TsMaskArray Masks;
  TsPatternArray Patterns;
  std::shared_ptr<TBitmap> MasterBitmap;
};

// Where the files an options file names are read: the entries of a packed
// skin (Archive), else the files of a folder (Folder ends with "\"; a name
// holding ":" is a full path).
struct TsSkinFiles {
  AnsiString Folder;
  TacSkinConvertor* Archive = nullptr;

  // The bytes of the file; false when it does not exist. In an archive an
  // entry matches when its upper-cased name equals Name as it stands.
  bool Read(const AnsiString& Name, TMemoryStream& Data) const;
};

// Builds the skin of the options, its colours turned by the manager's
// HueOffset and Saturation. Sets Skin.Data->SkinFolder to Files.Folder. Conversion errors of the options raise EConvertError;
// pictures that are missing or cannot be read are skipped.
void BuildSkin(TsSkinManager* Manager, const TsSkinOptions& Options, const TsSkinFiles& Files, TsLoadedSkin& Skin);
// Builds the skin of a stored skin spelled out field by field (one without
// Data): its images, textures, skin-wide values and sections, without
// PARENTCLASS inheritance. A FontColor text of five numbers that are not
// all numbers raises EConvertError.
void BuildStoredSkin(TsSkinManager* Manager, TsStoredSkin& Stored, TsLoadedSkin& Skin);
// Fills each section's BorderIndex and CornerIndexes from the masks.
void FillSectionIndexes(TsSkinManager* Manager, TsLoadedSkin& Skin);
