#include "skin/core/commonsections.h"

#include "classlib/system/strutils.h"
#include "skin/core/skinutils.h"

void StripCommonSectionSpaces(TStrings* Lines) {
  for (int i = 0; i < Lines->Count(); ++i) {
    const AnsiString line = Lines->Strings(i);
    if (!line.empty() && line[0] != ';')
      Lines->SetStrings(i, RemoveAllChars(line, ' '));
  }
}

TsCommonSections::TsCommonSections(TStrings* Lines) : FSections(new TStringList) {
  ParseIniSections(Lines, FSections);
}

TsCommonSections::~TsCommonSections() {
  FreeIniSections(FSections);
  delete FSections;
}

std::vector<AnsiString> TsCommonSections::SectionNames() const {
  std::vector<AnsiString> names;
  for (int i = 0; i < FSections->Count(); ++i)
    names.push_back(FSections->Strings(i));
  return names;
}

std::vector<std::pair<AnsiString, AnsiString>> TsCommonSections::Values(const AnsiString& Section) const {
  std::vector<std::pair<AnsiString, AnsiString>> values;
  for (int i = 0; i < FSections->Count(); ++i) {
    if (FSections->Strings(i) != Section)
      continue;
    auto* lines = static_cast<TStrings*>(FSections->Objects(i));
    for (int j = 0; j < lines->Count(); ++j) {
      const AnsiString line = lines->Strings(j);
      const std::size_t equals = line.find('=');
      if (equals != AnsiString::npos)
        values.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
    break;
  }
  return values;
}

TsGeneralData TsCommonSections::ReadSection(const AnsiString& Name, const TsGeneralDataArray& Skin) const {
  TsGeneralData g;  // the defaults of an options file
  g.SectionName = Name;
  g.ParentClass = UpperCase(ReadIniSectionString(FSections, Name, "PARENTCLASS", "-1"));
  for (const TsGeneralData& s : Skin)
    if (UpperCase(s.SectionName) == g.ParentClass) {
      g = s;  // what the text leaves out
      g.SectionName = Name;
      g.ParentClass = UpperCase(ReadIniSectionString(FSections, Name, "PARENTCLASS", "-1"));
      g.BorderIndex = -1;
      g.CornerIndexes = {-1, -1, -1, -1};
      break;
    }
  auto integer = [&](const char* Key, auto& Field) {
    const int v = ReadIniSectionInteger(FSections, Name, -1, Key);
    if (v != -1)
      Field = static_cast<std::remove_reference_t<decltype(Field)>>(v);
  };
  auto colour = [&](const char* Key, TColor& Field) {
    const int v = ReadIniSectionInteger(FSections, Name, -1, Key);
    if (v != -1)
      Field = ColorToRGB(v);
  };
  auto boolean = [&](const char* Key, bool& Field) {
    const AnsiString v = ReadIniSectionString(FSections, Name, Key, "?");
    if (v != "?")
      Field = UpperCase(v) == "TRUE";
  };
  auto gradient = [&](const char* Key, AnsiString& Text, TsGradArray& Stops) {
    const AnsiString v = ReadIniSectionString(FSections, Name, Key, "?");
    if (v == "?")
      return;
    Text = v;
    Stops.clear();
    if (v != " ")
      ParseGradientData(v, Stops);
  };
  auto zeroWhenAbsent = [&](const char* Key, auto& Field) {
    const int v = ReadIniSectionInteger(FSections, Name, -1, Key);
    Field = static_cast<std::remove_reference_t<decltype(Field)>>(v == -1 ? 0 : v);
  };
  colour("COLOR", g.Color);
  const char* const fontKeys[5] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
  const char* const hotFontKeys[5] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT", "HOTTCBOTTOM"};
  for (int i = 0; i < 5; ++i) {
    integer(fontKeys[i], g.FontColor[i]);
    integer(hotFontKeys[i], g.HotFontColor[i]);
  }
  boolean("GIVEOWNFONT", g.GiveOwnFont);
  zeroWhenAbsent("GLOW", g.GlowCount);
  zeroWhenAbsent("GLOWMARGIN", g.GlowMargin);
  boolean("RESERVEDBOOLEAN", g.ReservedBoolean);
  integer("TRANSPARENCY", g.Transparency);
  integer("GRADIENTPERCENT", g.GradientPercent);
  gradient("GRADIENTDATA", g.GradientData, g.GradientArray);
  integer("IMAGEPERCENT", g.ImagePercent);
  boolean("SHOWFOCUS", g.ShowFocus);
  boolean("FADINGENABLED", g.FadingEnabled);
  integer("FADINGITERATIONS", g.FadingIterations);
  integer("HOTCOLOR", g.HotColor);
  integer("HOTTRANSPARENCY", g.HotTransparency);
  integer("HOTGRADIENTPERCENT", g.HotGradientPercent);
  gradient("HOTGRADIENTDATA", g.HotGradientData, g.HotGradientArray);
  integer("HOTIMAGEPERCENT", g.HotImagePercent);
  colour("HGCOL", g.HotGlowColor);
  colour("GCOL", g.GlowColor);
  zeroWhenAbsent("HGSIZE", g.HotGlowSize);
  zeroWhenAbsent("GSIZE", g.GlowSize);
  return g;
}
