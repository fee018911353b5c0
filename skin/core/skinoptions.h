// The options file of a skin ("Options.dat"): INI text whose sections name
// the skin's parts. This unit reads the skin-wide values, the sections with
// their PARENTCLASS inheritance and the text of image values; the loader
// turns image values into skin images once it has their pictures.
// Portable: no Win32.
//
// Section and key names match without regard to case, as the INI reader
// has them; a value is the text after "KEY=" as it stands.
#pragma once
#include <vector>

#include "classlib/classes/inidocument.h"
#include "skin/core/skinsections.h"

class TsSkinOptions {
public:
  explicit TsSkinOptions(const AnsiString& Text);

  // Section names in the order of the file.
  std::vector<AnsiString> Sections() const { return FDocument.Sections(); }
  std::vector<AnsiString> Keys(const AnsiString& Section) const { return FDocument.Keys(Section); }
  bool HasSection(const AnsiString& Section) const { return FDocument.HasSection(Section); }

  AnsiString ReadString(const AnsiString& Section, const AnsiString& Key, const AnsiString& Default) const;
  // Decimal, "$hex" or "0xhex"; Default for a missing or non-numeric value.
  int ReadInteger(const AnsiString& Section, const AnsiString& Key, int Default) const;

  // A value -1 (integers) or "?" (texts) counts as absent; an absent value
  // is looked for in the PARENTCLASS section, and so on. The walk ends at a
  // section without parent, one naming itself, or after as many steps as
  // there are sections (a cycle); then Default applies.
  int ReadInheritedInteger(const AnsiString& Section, const AnsiString& Key, int Default) const;
  AnsiString ReadInheritedString(const AnsiString& Section, const AnsiString& Key, const AnsiString& Default) const;
  // "TRUE" in any case is true; read as an inherited text.
  bool ReadInheritedBool(const AnsiString& Section, const AnsiString& Key, bool Default) const;

private:
  // The next section of the chain, or empty when the chain ends there.
  AnsiString ParentOf(const AnsiString& Section) const;

  IniDocument FDocument{IniDocument::ValueStyle::Raw};
  int FSectionCount = 0;
};

// GLOBALINFO's values. The keys the skin writes as text with a quoted
// default (SHADOW1OFFSET, SHADOW1BLUR, SHADOW1TRANSPARENCY and the title
// icons' glow values) are converted strictly: a non-numeric text raises
// EConvertError and fails the load. No inheritance.
void ReadSkinGlobals(const TsSkinOptions& Options, TsSkinData& Data);
// One section with inheritance; Color and the glow colours as RGB; the
// gradient texts parsed (EConvertError for a bad number). BorderIndex and
// CornerIndexes stay -1.
TsGeneralData ReadSkinSection(const TsSkinOptions& Options, const AnsiString& Name);

// The FontColor or HotFontColor text of a section stored in a form: five
// space-separated numbers (colour, then the left, top, right and bottom
// contour colours); any other count gives 0, -1, -1, -1, -1. A token that
// is not a number raises EConvertError.
void ReadStoredFontColors(const AnsiString& Text, std::array<TColor, 5>& Colors);

// ---- Image values

enum class TSkinImageForm {
  File,           // "!name!count!masktype!kind[!wl!wt!wr!wb]"
  MasterGlyph,    // "@" and fixed columns
  MasterBorder,   // "^" and fixed columns
  MasterTexture,  // "~" and fixed columns
  PlainFile,      // a bitmap file name
  Coordinates     // "#(l,t,r,b)(count,masktype[,borderwidth[,stretchmode]])"
};

// What an image value says; the rectangle counts only for the forms in the
// master bitmap (a file's image is the whole picture).
struct TSkinImageValue {
  TSkinImageForm Form = TSkinImageForm::File;
  AnsiString FileName;
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int ImageCount = 1, MaskType = 0, BorderWidth = 0, StretchMode = 0;
  int WL = 0, WT = 0, WR = 0, WB = 0;
  bool HasWidths = false;        // a "!" value with the four widths
  bool UpperCaseNames = false;   // the plain and "#" forms store section and key upper-cased
  TacImgType ImgType = itisaBorder;

  bool InMasterBitmap() const {
    return Form != TSkinImageForm::File && Form != TSkinImageForm::PlainFile;
  }
};

// False when the value names no image: empty, a "!" value without ".BMP" or
// ".PNG" or with a count below 1, a mask type below 0 or a negative kind, a
// plain value without ".BMP", the bare "#", or a value of no form. A number
// field that is not a number raises EConvertError.
bool ParseImageValue(const AnsiString& Value, TSkinImageValue& Image);
// The border widths once the image's size (the whole picture, or the
// rectangle) is known: a "!" value without widths and a plain one get a
// third of a cell; "^" and "#" values whose widths are all 0 get their
// border width, or else a third of a cell. Negative widths become 0.
void ApplyDefaultWidths(TSkinImageValue& Image, int Width, int Height);
// True when the upper-cased value names a JPEG picture.
bool IsPatternValue(const AnsiString& Value);

// A skin image whose rectangle lies inside a bitmap of that size keeps it,
// and its border widths are held to one cell; false when the rectangle is
// empty or reaches outside (the image is dropped, so no painter reads
// outside a bitmap).
bool FitImageToBitmap(TSkinImageValue& Image, int BitmapWidth, int BitmapHeight);
