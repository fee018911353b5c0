// A skin built in memory, for the tests of everything that paints or
// answers from a skin: sections with the defaults of the options file,
// skin images with bitmaps of their own or cut from a master bitmap, and
// the indexes a load would fill. It owns its manager, which is the default
// manager while the skin lives (unless asked otherwise).
//
//   TestSkin skin;
//   skin.AddSection("PANEL").Transparency = 100;
//   skin.AddImageMask("PANEL", "BORDERSMASK", itisaBorder, 30, 20, clBlue).WL = 4;
//   skin.Apply();
#pragma once
#include <string>

#include "skin/core/skinmanager.h"

namespace skin_test {

class TestSkin {
public:
  explicit TestSkin(bool MakeDefault = true);
  ~TestSkin();
  TestSkin(const TestSkin&) = delete;
  TestSkin& operator=(const TestSkin&) = delete;

  TsSkinManager* Manager() const { return FManager; }

  // The references the Add functions return stay valid until the next Add
  // of the same kind.

  // A new section at the end of the array, with the defaults of a section
  // whose keys are all absent.
  TsGeneralData& AddSection(const AnsiString& Name, const AnsiString& ParentClass = "");
  // The section of that name (it must exist).
  TsGeneralData& Section(const AnsiString& Name);
  int SectionIndex(const AnsiString& Name) const { return FManager->FindSection(Name); }

  // A skin image with a 24-bit bitmap of its own, Width x Height, filled with
  // Color; R is the whole bitmap. ImageCount states in a row, MaskType + 1
  // rows. The widths are those of a "!" value without widths.
  TsMaskData& AddImageMask(const AnsiString& SectionName, const AnsiString& PropertyName, TacImgType Type,
                           int Width, int Height, TColor Color, short ImageCount = 1, short MaskType = 0);
  // A skin image cut from the master bitmap at R.
  TsMaskData& AddMasterMask(const AnsiString& SectionName, const AnsiString& PropertyName, TacImgType Type,
                            RECT R, short ImageCount = 1, short MaskType = 0);
  // A 24-bit master bitmap filled with Color, transparent colour clFuchsia.
  void SetMasterBitmap(int Width, int Height, TColor Color);
  // A JPEG texture record without a picture.
  TsPatternData& AddPattern(const AnsiString& SectionName, const AnsiString& PropertyName);

  // What a load does last: every section's BorderIndex and CornerIndexes
  // are filled and the skin is marked as applied.
  void Apply();

private:
  TsSkinManager* FManager;
};

// The bytes of a JPEG file of one colour, made by the class library's
// encoder (skins' textures).
std::string FlatJpegFile(int Width, int Height, TColor Color);

}  // namespace skin_test
