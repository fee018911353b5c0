#include "skin/core/skinoptions.h"

#include <algorithm>

#include "classlib/system/numconv.h"
#include "classlib/system/strutils.h"
#include "skin/core/skinutils.h"

namespace {

const char* const kGlobalInfo = "GLOBALINFO";

// The value of a strictly converted key: its text, or the quoted default.
short StrictShort(const TsSkinOptions& Options, const char* Key, const char* Default) {
  return static_cast<short>(StrToInt(Options.ReadString(kGlobalInfo, Key, Default)));
}

short GlobalShort(const TsSkinOptions& Options, const char* Key, int Default) {
  return static_cast<short>(Options.ReadInteger(kGlobalInfo, Key, Default));
}

}  // namespace

TsSkinOptions::TsSkinOptions(const AnsiString& Text) {
  FDocument.Load(Text);
  FSectionCount = static_cast<int>(FDocument.Sections().size());
}

AnsiString TsSkinOptions::ReadString(const AnsiString& Section, const AnsiString& Key,
                                     const AnsiString& Default) const {
  AnsiString value;
  return FDocument.ReadValue(Section, Key, value) ? value : Default;
}

int TsSkinOptions::ReadInteger(const AnsiString& Section, const AnsiString& Key, int Default) const {
  AnsiString value;
  return FDocument.ReadValue(Section, Key, value) ? StrToIntDef(value, Default) : Default;
}

AnsiString TsSkinOptions::ParentOf(const AnsiString& Section) const {
  const AnsiString parent = ReadString(Section, "PARENTCLASS", "?");
  if (parent.empty() || parent == "?" || parent == Section)
    return AnsiString();
  return parent;
}

int TsSkinOptions::ReadInheritedInteger(const AnsiString& Section, const AnsiString& Key, int Default) const {
  AnsiString section = Section;
  for (int step = 0; step <= FSectionCount && !section.empty(); ++step) {
    const int value = ReadInteger(section, Key, -1);
    if (value != -1)
      return value;
    section = ParentOf(section);
  }
  return Default;
}

AnsiString TsSkinOptions::ReadInheritedString(const AnsiString& Section, const AnsiString& Key,
                                              const AnsiString& Default) const {
  AnsiString section = Section;
  for (int step = 0; step <= FSectionCount && !section.empty(); ++step) {
    const AnsiString value = ReadString(section, Key, "?");
    if (value != "?")
      return value;
    section = ParentOf(section);
  }
  return Default;
}

bool TsSkinOptions::ReadInheritedBool(const AnsiString& Section, const AnsiString& Key, bool Default) const {
  return UpperCase(ReadInheritedString(Section, Key, Default ? "TRUE" : "FALSE")) == "TRUE";
}

void ReadSkinGlobals(const TsSkinOptions& Options, TsSkinData& Data) {
  TFormatSettings dot = FormatSettings;
  dot.DecimalSeparator = '.';
  double version = 0;
  Data.Version = TryStrToFloat(Options.ReadString(kGlobalInfo, "VERSION", ""), version, dot) ? version : 0;
  Data.Author = Options.ReadString(kGlobalInfo, "AUTHOR", "");
  Data.Description = Options.ReadString(kGlobalInfo, "DESCRIPTION", "");
  Data.Shadow1Color = Options.ReadInteger(kGlobalInfo, "SHADOW1COLOR", 0);
  Data.Shadow1Offset = StrictShort(Options, "SHADOW1OFFSET", "0");
  Data.Shadow1Blur = StrictShort(Options, "SHADOW1BLUR", "-1");
  Data.Shadow1Transparency = StrictShort(Options, "SHADOW1TRANSPARENCY", "0");
  Data.BorderWidth = GlobalShort(Options, "BORDERWIDTH", 4);
  Data.TitleHeight = GlobalShort(Options, "TITLEHEIGHT", 30);
  Data.MaxHeight = GlobalShort(Options, "MAXHEIGHT", 0);
  if (Data.MaxHeight == 0)
    Data.MaxHeight = Data.TitleHeight;
  Data.FormOffset = GlobalShort(Options, "FORMOFFSET", 8);
  Data.CenterOffset = GlobalShort(Options, "CENTEROFFSET", 0);
  Data.BorderMode = GlobalShort(Options, "BORDERMODE", 0);
  Data.BorderColor = Options.ReadInteger(kGlobalInfo, "BORDERCOLOR", 0);
  Data.BISpace = GlobalShort(Options, "BISPACE", 0);
  Data.BIVAlign = GlobalShort(Options, "BIVALIGN", 0);
  Data.BIRight = GlobalShort(Options, "BIRIGHT", 0);
  Data.BILeft = GlobalShort(Options, "BILEFT", 0);
  Data.BITop = GlobalShort(Options, "BITOP", 0);
  Data.BIKeepHue = GlobalShort(Options, "BIKEEPHUE", 0);
  Data.BIConCloseGlow = StrictShort(Options, "BICONCLOSEGLOW", "0");
  Data.BIConCloseGlowMargin = StrictShort(Options, "BICONCLOSEGLOWMARGIN", "0");
  Data.BIConMaxGlow = StrictShort(Options, "BICONMAXGLOW", "0");
  Data.BIConMaxGlowMargin = StrictShort(Options, "BICONMAXGLOWMARGIN", "0");
  Data.BIConMinGlow = StrictShort(Options, "BICONMINGLOW", "0");
  Data.BIConMinGlowMargin = StrictShort(Options, "BICONMINGLOWMARGIN", "0");
}

TsGeneralData ReadSkinSection(const TsSkinOptions& Options, const AnsiString& Name) {
  auto integer = [&](const char* Key, int Default) { return Options.ReadInheritedInteger(Name, Key, Default); };
  auto boolean = [&](const char* Key) { return Options.ReadInheritedBool(Name, Key, false); };
  TsGeneralData g;
  g.ParentClass = Options.ReadString(Name, "PARENTCLASS", "");
  g.SectionName = Name;
  g.Color = ColorToRGB(integer("COLOR", 0xFFFFFF));
  const char* const fontKeys[5] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
  const char* const hotFontKeys[5] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM"};
  for (int i = 0; i < 5; ++i) {
    g.FontColor[i] = integer(fontKeys[i], i == 0 ? 0 : -1);
    g.HotFontColor[i] = integer(hotFontKeys[i], i == 0 ? 0 : -1);
  }
  g.GiveOwnFont = boolean("GIVEOWNFONT");
  g.GlowCount = integer("GLOW", 0);
  g.GlowMargin = integer("GLOWMARGIN", 0);
  g.ReservedBoolean = boolean("RESERVEDBOOLEAN");
  g.Transparency = integer("TRANSPARENCY", 0);
  g.GradientPercent = integer("GRADIENTPERCENT", 0);
  g.GradientData = Options.ReadInheritedString(Name, "GRADIENTDATA", " ");
  if (g.GradientData != " ")
    ParseGradientData(g.GradientData, g.GradientArray);
  g.ImagePercent = integer("IMAGEPERCENT", 0);
  g.ShowFocus = boolean("SHOWFOCUS");
  g.FadingEnabled = boolean("FADINGENABLED");
  g.FadingIterations = integer("FADINGITERATIONS", 5);
  g.HotColor = integer("HOTCOLOR", 0xFFFFFF);
  g.HotTransparency = integer("HOTTRANSPARENCY", 0);
  g.HotGradientPercent = integer("HOTGRADIENTPERCENT", 0);
  g.HotGradientData = Options.ReadInheritedString(Name, "HOTGRADIENTDATA", "");
  if (g.HotGradientData != " ")
    ParseGradientData(g.HotGradientData, g.HotGradientArray);
  g.HotImagePercent = integer("HOTIMAGEPERCENT", 0);
  g.HotGlowColor = ColorToRGB(integer("HGCOL", 0xFFFFFF));
  g.GlowColor = ColorToRGB(integer("GCOL", 0xFFFFFF));
  g.HotGlowSize = static_cast<unsigned char>(integer("HGSIZE", 0));
  g.GlowSize = static_cast<unsigned char>(integer("GSIZE", 0));
  return g;
}

// ---- Image values

namespace {

// The number in the 1-based columns [First, First + Count) of the value;
// blanks around it are allowed, anything else raises EConvertError.
int ColumnNumber(const AnsiString& Value, int First, int Count) {
  const std::size_t start = static_cast<std::size_t>(First - 1);
  const AnsiString field = start < Value.size() ? Value.substr(start, static_cast<std::size_t>(Count)) : AnsiString();
  return StrToInt(Trim(field));
}

void ReadColumnRectangle(const AnsiString& Value, TSkinImageValue& Image) {
  Image.Left = ColumnNumber(Value, 2, 4);
  Image.Top = ColumnNumber(Value, 7, 4);
  Image.Right = ColumnNumber(Value, 12, 4);
  Image.Bottom = ColumnNumber(Value, 17, 4);
}

TacImgType ImageKind(int Code) {
  switch (Code) {
    case 0: return itisaBorder;
    case 1: return itisaTexture;
    case 2: return itisaGlyph;
    case 3: return itisaGlow;
    default: return itisaPngGlyph;
  }
}

bool ParseFileValue(const AnsiString& Value, TSkinImageValue& Image) {
  const TCharSet256 bang("!");
  Image.Form = TSkinImageForm::File;
  Image.FileName = ExtractToken(1, Value, bang);
  const AnsiString upper = UpperCase(Image.FileName);
  if (Pos(".BMP", upper) == 0 && Pos(".PNG", upper) == 0)
    return false;
  Image.ImageCount = StrToInt(ExtractToken(2, Value, bang));
  Image.MaskType = StrToInt(ExtractToken(3, Value, bang));
  const int kind = StrToInt(ExtractToken(4, Value, bang));
  // The width defaults divide by the count and the rows: a count below 1,
  // a negative mask type or kind make no image.
  if (Image.ImageCount < 1 || Image.MaskType < 0 || kind < 0)
    return false;
  Image.ImgType = ImageKind(kind);
  Image.StretchMode = 4;
  if (TokenCount(Value, bang) > 4) {
    Image.HasWidths = true;
    Image.WL = StrToInt(ExtractToken(5, Value, bang));
    Image.WT = StrToInt(ExtractToken(6, Value, bang));
    Image.WR = StrToInt(ExtractToken(7, Value, bang));
    Image.WB = StrToInt(ExtractToken(8, Value, bang));
  }
  return true;
}

// The comma-separated numbers of one token of a "#" value.
std::vector<int> TokenNumbers(const AnsiString& Token) {
  const TCharSet256 comma(",");
  std::vector<int> numbers;
  for (int i = 1; i <= TokenCount(Token, comma); ++i)
    numbers.push_back(StrToInt(Trim(ExtractToken(i, Token, comma))));
  return numbers;
}

bool ParseCoordinatesValue(const AnsiString& Value, TSkinImageValue& Image) {
  const TCharSet256 separators(" ()");
  const std::vector<int> rect = TokenNumbers(ExtractToken(2, Value, separators));
  const std::vector<int> rest = TokenNumbers(ExtractToken(3, Value, separators));
  if (rect.size() < 4 || rest.size() < 2)
    throw EConvertError("'" + Value + "' is not a valid integer value");
  Image.Form = TSkinImageForm::Coordinates;
  Image.Left = rect[0];
  Image.Top = rect[1];
  Image.Right = rect[2];
  Image.Bottom = rect[3];
  Image.ImageCount = std::max(1, rest[0]);
  Image.MaskType = std::max(0, rest[1]);
  Image.BorderWidth = rest.size() > 2 ? std::max(0, rest[2]) : 0;
  Image.StretchMode = rest.size() > 3 ? rest[3] : 1;
  Image.ImgType = itisaBorder;
  Image.UpperCaseNames = true;
  return true;
}

}  // namespace

bool ParseImageValue(const AnsiString& Value, TSkinImageValue& Image) {
  Image = TSkinImageValue{};
  if (Value.empty())
    return false;
  switch (Value[0]) {
    case '!':
      return ParseFileValue(Value, Image);
    case '@':
      Image.Form = TSkinImageForm::MasterGlyph;
      ReadColumnRectangle(Value, Image);
      Image.ImageCount = ColumnNumber(Value, 22, 1);
      Image.MaskType = ColumnNumber(Value, 24, 1);
      Image.ImgType = itisaGlyph;
      return true;
    case '^':
      Image.Form = TSkinImageForm::MasterBorder;
      ReadColumnRectangle(Value, Image);
      Image.WL = ColumnNumber(Value, 22, 4);
      Image.WT = ColumnNumber(Value, 27, 4);
      Image.WR = ColumnNumber(Value, 32, 4);
      Image.WB = ColumnNumber(Value, 37, 4);
      Image.ImageCount = ColumnNumber(Value, 42, 1);
      Image.MaskType = ColumnNumber(Value, 44, 1);
      Image.StretchMode = ColumnNumber(Value, 46, 1);
      Image.BorderWidth = ColumnNumber(Value, 48, 1);
      Image.ImgType = itisaBorder;
      return true;
    case '~':
      Image.Form = TSkinImageForm::MasterTexture;
      ReadColumnRectangle(Value, Image);
      Image.ImageCount = 1;
      Image.StretchMode = ColumnNumber(Value, 22, 2);
      Image.MaskType = Value.size() < 25 ? 0 : ColumnNumber(Value, 25, 1);
      Image.ImgType = itisaTexture;
      return true;
    default:
      break;
  }
  if (Pos("#", Value) == 0) {
    if (Pos(".BMP", UpperCase(Value)) == 0)
      return false;
    Image.Form = TSkinImageForm::PlainFile;
    Image.FileName = Value;
    Image.ImageCount = 3;
    Image.MaskType = 1;
    Image.UpperCaseNames = true;
    return true;
  }
  if (Value == "#")
    return false;
  return ParseCoordinatesValue(Value, Image);
}

void ApplyDefaultWidths(TSkinImageValue& Image, int Width, int Height) {
  const int count = std::max(1, Image.ImageCount), rows = std::max(1, Image.MaskType + 1);
  const int thirdWidth = Width / (count * 3), thirdHeight = Height / (rows * 3);
  auto computed = [&] {
    Image.WL = Image.WR = thirdWidth;
    Image.WT = Image.WB = thirdHeight;
  };
  switch (Image.Form) {
    case TSkinImageForm::File:
      if (!Image.HasWidths)
        computed();
      break;
    case TSkinImageForm::PlainFile:
      computed();
      break;
    case TSkinImageForm::MasterBorder:
    case TSkinImageForm::Coordinates:
      if (Image.WL + Image.WT + Image.WR + Image.WB == 0) {
        if (Image.BorderWidth != 0)
          Image.WL = Image.WT = Image.WR = Image.WB = Image.BorderWidth;
        else
          computed();
      }
      break;
    default:
      break;
  }
  Image.WL = std::max(0, Image.WL);
  Image.WT = std::max(0, Image.WT);
  Image.WR = std::max(0, Image.WR);
  Image.WB = std::max(0, Image.WB);
}

bool IsPatternValue(const AnsiString& Value) {
  const AnsiString upper = UpperCase(Value);
  return Pos(".JPG", upper) != 0 || Pos(".JPEG", upper) != 0;
}

bool FitImageToBitmap(TSkinImageValue& Image, int BitmapWidth, int BitmapHeight) {
  if (Image.Left < 0 || Image.Top < 0 || Image.Right > BitmapWidth || Image.Bottom > BitmapHeight ||
      Image.Right <= Image.Left || Image.Bottom <= Image.Top)
    return false;
  const int cellWidth = (Image.Right - Image.Left) / std::max(1, Image.ImageCount);
  const int cellHeight = (Image.Bottom - Image.Top) / std::max(1, Image.MaskType + 1);
  Image.WL = std::clamp(Image.WL, 0, cellWidth);
  Image.WR = std::clamp(Image.WR, 0, cellWidth);
  Image.WT = std::clamp(Image.WT, 0, cellHeight);
  Image.WB = std::clamp(Image.WB, 0, cellHeight);
  return true;
}

void ReadStoredFontColors(const AnsiString& Text, std::array<TColor, 5>& Colors) {
  const TCharSet256 space(" ");
  Colors = {0, -1, -1, -1, -1};
  if (TokenCount(Text, space) != 5)
    return;
  for (int i = 0; i < 5; ++i)
    Colors[i] = StrToInt(ExtractToken(i + 1, Text, space));
}
