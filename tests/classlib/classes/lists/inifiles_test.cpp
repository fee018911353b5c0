#include "classlib/classes/inifiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "classlib/classes/strings.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/formatsettings.h"
#include "classlib/system/strutils.h"
#include "tests/classlib/classes/lists/lines.h"
#include "tests/classlib/classes/lists/tempfolder.h"

namespace {

const char* const kSample =
    "; settings\r\n"
    "[Main]\r\n"
    "Name = Dozuri  \r\n"
    "Quoted=\"  padded  \"\r\n"
    "Count=42\r\n"
    "Hex=$1F\r\n"
    "CHex=0x10\r\n"
    "Bad=12abc\r\n"
    "On=1\r\n"
    "Off=0\r\n"
    "Word=True\r\n"
    "Price=3,75\r\n"
    "When=05.03.2024\r\n"
    "count=99\r\n"
    "\r\n"
    "[Other]\r\n"
    "Key=other\r\n"
    "\r\n"
    "[main]\r\n"
    "Name=second section\r\n"
    "Extra=only here\r\n";

enum class Kind { Ini, MemIni };

class IniSemantics : public testing::TestWithParam<Kind> {
protected:
  void SetUp() override { WriteWholeFile(folder.Path("sample.ini"), kSample); }

  std::unique_ptr<TCustomIniFile> Open() {
    if (GetParam() == Kind::Ini)
      return std::make_unique<TIniFile>(folder.File("sample.ini"));
    return std::make_unique<TMemIniFile>(folder.File("sample.ini"));
  }

  TempFolder folder;
  FormatSettingsScope turkish{TurkishFormatSettings()};
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Both, IniSemantics, testing::Values(Kind::Ini, Kind::MemIni),
                         [](const auto& info) { return info.param == Kind::Ini ? "TIniFile" : "TMemIniFile"; });

struct IntCase {
  const char* key;
  int fallback;
  int expected;
};

TEST_P(IniSemantics, ReadIntegerTable) {
  auto ini = Open();
  for (IntCase c : {IntCase{"Count", 0, 42}, IntCase{"count", 0, 42}, IntCase{"Hex", 0, 31}, IntCase{"CHex", 0, 16},
                    IntCase{"Bad", -5, -5}, IntCase{"Missing", 7, 7}, IntCase{"Word", 3, 3}})
    EXPECT_EQ(ini->ReadInteger("MAIN", c.key, c.fallback), c.expected) << c.key;
  EXPECT_EQ(ini->ReadInteger("NoSection", "Count", 11), 11);
}

TEST_P(IniSemantics, ReadBoolIsAWholeNumber) {
  auto ini = Open();
  EXPECT_TRUE(ini->ReadBool("Main", "On", false));
  EXPECT_FALSE(ini->ReadBool("Main", "Off", true));
  EXPECT_TRUE(ini->ReadBool("Main", "Word", true)) << "not a number: the default";
  EXPECT_FALSE(ini->ReadBool("Main", "Word", false));
  EXPECT_TRUE(ini->ReadBool("Main", "Count", false));
  EXPECT_TRUE(ini->ReadBool("Main", "Missing", true));
}

TEST_P(IniSemantics, ReadFloatAndDateUseTheLocale) {
  auto ini = Open();
  EXPECT_DOUBLE_EQ(ini->ReadFloat("Main", "Price", -1), 3.75);
  EXPECT_DOUBLE_EQ(ini->ReadFloat("Main", "Name", -1), -1);
  EXPECT_DOUBLE_EQ(ini->ReadFloat("Main", "Missing", 2.5), 2.5);
  EXPECT_DOUBLE_EQ(ini->ReadDate("Main", "When", 0), EncodeDate(2024, 3, 5));
  EXPECT_DOUBLE_EQ(ini->ReadDate("Main", "Name", 1.0), 1.0);
  FormatSettingsScope us(USFormatSettings());
  EXPECT_DOUBLE_EQ(ini->ReadFloat("Main", "Price", -1), -1) << "\"3,75\" is no number with a \".\" separator";
}

TEST_P(IniSemantics, FirstSectionAndFirstKeyWin) {
  auto ini = Open();
  EXPECT_EQ(ini->ReadInteger("Main", "COUNT", 0), 42);
  EXPECT_EQ(ini->ReadString("main", "Extra", "default"), "default") << "the second [main] is never read";
  EXPECT_EQ(ini->ReadString("other", "key", ""), "other");
}

TEST_P(IniSemantics, MissingFileSectionOrKeyGivesTheDefault) {
  auto ini = Open();
  EXPECT_EQ(ini->ReadString("Main", "Nope", "dflt"), "dflt");
  EXPECT_EQ(ini->ReadString("Nope", "Name", "dflt"), "dflt");
  TIniFile missingIni(folder.File("missing.ini"));
  TMemIniFile missingMem(folder.File("missing.ini"));
  EXPECT_EQ(missingIni.ReadString("a", "b", "x"), "x");
  EXPECT_EQ(missingMem.ReadString("a", "b", "y"), "y");
  EXPECT_FALSE(missingIni.SectionExists("a"));
}

TEST_P(IniSemantics, SectionsKeysAndValues) {
  auto ini = Open();
  TStringList list;
  ini->ReadSections(&list);
  EXPECT_EQ(LinesOf(list), (Lines{"Main", "Other"}));
  ini->ReadSection("MAIN", &list);
  EXPECT_EQ(LinesOf(list), (Lines{"Name", "Quoted", "Count", "Hex", "CHex", "Bad", "On", "Off", "Word", "Price",
                                   "When"}));
  ini->ReadSectionValues("other", &list);
  EXPECT_EQ(LinesOf(list), (Lines{"Key=other"}));
  EXPECT_TRUE(ini->SectionExists("OTHER"));
  EXPECT_FALSE(ini->SectionExists("Third"));
  EXPECT_TRUE(ini->ValueExists("main", "HEX"));
  EXPECT_FALSE(ini->ValueExists("main", "Extra"));
}

TEST_P(IniSemantics, WritesEditsAndDeletesSurviveUpdateFile) {
  {
    auto ini = Open();
    ini->WriteString("other", "KEY", "changed");
    ini->WriteInteger("Other", "Added", -3);
    ini->WriteBool("New Section", "Flag", true);
    ini->DeleteKey("Main", "Bad");
    ini->EraseSection("MAIN");
    ini->UpdateFile();
  }
  std::string text = ReadWholeFile(folder.Path("sample.ini"));
  EXPECT_EQ(text,
            "; settings\r\n"
            "[Other]\r\n"
            "Key=changed\r\n"
            "Added=-3\r\n"
            "\r\n"
            "[New Section]\r\n"
            "Flag=1\r\n");
  auto again = Open();
  EXPECT_FALSE(again->SectionExists("Main")) << "every [Main] is erased";
  EXPECT_EQ(again->ReadInteger("other", "added", 0), -3);
}

TEST_P(IniSemantics, AValueCannotAddLines) {
  auto ini = Open();
  ini->WriteString("Other", "Key", "one\r\n[Main]\r\nInjected=1");
  ini->UpdateFile();
  auto again = Open();
  EXPECT_EQ(again->ReadString("Other", "Key", ""), "one");
  EXPECT_EQ(again->ReadString("Main", "Injected", "none"), "none");
}

TEST(IniFile, ValuesAreReadAsTheProfileFunctionsReadThem) {
  TempFolder folder;
  WriteWholeFile(folder.Path("p.ini"), kSample);
  TIniFile ini(folder.File("p.ini"));
  EXPECT_EQ(ini.ReadString("Main", "Name", ""), "Dozuri");
  EXPECT_EQ(ini.ReadString("Main", "Quoted", ""), "  padded  ");
  TMemIniFile mem(folder.File("p.ini"));
  EXPECT_EQ(mem.ReadString("Main", "Name", ""), " Dozuri  ") << "the memory file keeps the raw text";
  EXPECT_EQ(mem.ReadString("Main", "Quoted", ""), "\"  padded  \"");
}

TEST(IniFile, WritesGoToTheFileAtOnce) {
  TempFolder folder;
  TIniFile writer(folder.File("live.ini"));
  TIniFile reader(folder.File("live.ini"));
  writer.WriteString("S", "K", "v1");
  EXPECT_EQ(ReadWholeFile(folder.Path("live.ini")), "[S]\r\nK=v1\r\n");
  EXPECT_EQ(reader.ReadString("s", "k", ""), "v1");
  writer.WriteString("S", "K", "v2");
  EXPECT_EQ(reader.ReadString("S", "K", ""), "v2") << "every read sees the file as it is now";
  TMemIniFile memory(folder.File("live.ini"));
  memory.WriteString("S", "K", "v3");
  EXPECT_EQ(reader.ReadString("S", "K", ""), "v2") << "a memory file writes only on UpdateFile";
  memory.UpdateFile();
  EXPECT_EQ(reader.ReadString("S", "K", ""), "v3");
}

TEST(IniFile, BareFileNameMeansTheWindowsFolder) {
  TempFolder windows;
  IniWindowsFolderScope scope(windows.Name());
  EXPECT_EQ(IniWindowsFolder(), windows.Name());
  TIniFile ini("DOZURI.INI");
  EXPECT_EQ(ini.FileName(), "DOZURI.INI");
  ini.WriteInteger("TK_BarkodUretF", "Baslangic", 1000);
  EXPECT_EQ(ReadWholeFile(windows.Path("DOZURI.INI")), "[TK_BarkodUretF]\r\nBaslangic=1000\r\n");
  TIniFile again("DOZURI.INI");
  EXPECT_EQ(again.ReadInteger("tk_barkoduretf", "BASLANGIC", 0), 1000);

  TempFolder other;
  TIniFile withFolder(other.File("DOZURI.INI"));
  EXPECT_EQ(withFolder.ReadInteger("TK_BarkodUretF", "Baslangic", -1), -1) << "a name with a folder stays there";
}

TEST(IniFile, UnwritableFileRaises) {
  TempFolder folder;
  TIniFile ini(folder.File("no_folder/x.ini"));
  try {
    ini.WriteString("a", "b", "c");
    FAIL() << "no exception";
  } catch (const EIniFileException& error) {
    EXPECT_EQ(error.Message, "Unable to write to " + folder.File("no_folder/x.ini"));
  }
}

TEST(IniFile, TurkishTextStaysInCodePage1254) {
  TempFolder folder;
  TMemIniFile ini(folder.File("tr.ini"));
  ini.WriteString("Ürün", "Adı", "Şeker İçli");
  ini.UpdateFile();
  EXPECT_EQ(ReadWholeFile(folder.Path("tr.ini")), AnsiString("[Ürün]\r\nAdı=Şeker İçli\r\n"));
  TIniFile back(folder.File("tr.ini"));
  EXPECT_EQ(back.ReadString("Ürün", "Adı", ""), "Şeker İçli");
}

TEST(IniFile, WithoutATestFolderBareNamesGoToTheSystemsFolder) {
  AnsiString folder = IniWindowsFolder();
#ifdef _WIN32
  EXPECT_TRUE(SameText(ExtractFileName(folder), "windows")) << folder;
#else
  EXPECT_EQ(folder, GetCurrentDir());
#endif
  TIniFile ini("SOME.INI");
  EXPECT_EQ(ini.Path(), IncludeTrailingPathDelimiter(folder) + "SOME.INI");
}
