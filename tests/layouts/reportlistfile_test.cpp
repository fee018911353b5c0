// The report list file: every line kind read and written byte for byte in
// code page 1254, one default only, the chooser option only as a line of its
// own, and damaged files refused without being touched.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "layouts/reportlistfile.h"
#include "tests/support/scratchfolder.h"

namespace {

AnsiString BytesText(const FileBytes& bytes) { return AnsiString(bytes.begin(), bytes.end()); }
FileBytes TextBytes(const AnsiString& text) { return FileBytes(text.begin(), text.end()); }

// A list with every line kind, Turkish descriptions (all twelve Turkish
// letters, as 1254 bytes), a description holding "|" and an empty one.
const AnsiString kEveryLineKind =
    "C:\\Raporlar\\etiket2.vlp|Küçük etiket\r\n"
    "[def]C:\\Raporlar\\şişe.vlp|Şişe ığdır ÇĞİÖŞÜçğıöşü\r\n"
    "C:\\Raporlar\\boru.vlp|Boru | 3 sütun | A4\r\n"
    "C:\\Raporlar\\bos.vlp|\r\n"
    "[*]RAPORSECENEKLERINIGOSTER\r\n"
    "[*]PRINTER=Ofis Yazıcısı\r\n"
    "[*]COPY=3\r\n";

TEST(ReportListFileTest, EveryLineKindSurvivesASaveAndAReloadByteForByte) {
  ScratchFolder folder;
  const AnsiString name = folder.File("etiketyeni.ini");
  WriteFileBytes(name, TextBytes(kEveryLineKind));

  const TReportListFile list = TReportListFile::Load(name);
  ASSERT_EQ(list.Entries.size(), 4u);
  EXPECT_EQ(list.Entries[0], (TReportListEntry{"C:\\Raporlar\\etiket2.vlp", "Küçük etiket", false}));
  EXPECT_EQ(list.Entries[1], (TReportListEntry{"C:\\Raporlar\\şişe.vlp", "Şişe ığdır ÇĞİÖŞÜçğıöşü", true}));
  EXPECT_EQ(list.Entries[2].Description, "Boru | 3 sütun | A4");
  EXPECT_EQ(list.Entries[3].Description, "");
  EXPECT_TRUE(list.AskBeforePrint);
  EXPECT_EQ(list.PrinterName, "Ofis Yazıcısı");
  EXPECT_EQ(list.Copies, 3);
  // Turkish letters are single 1254 bytes, not UTF-8 pairs.
  EXPECT_NE(list.PrinterName.find('\xFD'), AnsiString::npos);  // ı

  const AnsiString copy = folder.File("kopya.ini");
  list.Save(copy);
  EXPECT_EQ(BytesText(ReadFileBytes(copy)), kEveryLineKind);
  EXPECT_EQ(TReportListFile::Load(copy).Entries, list.Entries);
}

TEST(ReportListFileTest, WritesLayoutsThenTheOptionsInTheirOrder) {
  TReportListFile list;
  list.Entries = {{"b.vlp", "İkinci", false}, {"a.vlp", "", true}};
  list.Copies = 2;
  EXPECT_EQ(list.Text(), "b.vlp|İkinci\r\n[def]a.vlp|\r\n[*]PRINTER=\r\n[*]COPY=2\r\n");
  list.AskBeforePrint = true;
  list.Entries.clear();
  EXPECT_EQ(list.Text(), "[*]RAPORSECENEKLERINIGOSTER\r\n[*]PRINTER=\r\n[*]COPY=2\r\n");
}

TEST(ReportListFileTest, OnlyTheFirstOfTwoDefaultLinesStaysTheDefault) {
  ScratchFolder folder;
  const AnsiString name = folder.File("iki.ini");
  WriteFileBytes(name, TextBytes("[def]bir.vlp|Bir\r\n[def]iki.vlp|İki\r\n"));
  TReportListFile list = TReportListFile::Load(name);
  ASSERT_EQ(list.Entries.size(), 2u);
  EXPECT_TRUE(list.Entries[0].IsDefault);
  EXPECT_FALSE(list.Entries[1].IsDefault);
  EXPECT_EQ(list.Entries[1].FileName, "iki.vlp");
  ASSERT_NE(list.DefaultEntry(), nullptr);
  EXPECT_EQ(list.DefaultEntry()->FileName, "bir.vlp");
  list.Save(name);
  EXPECT_EQ(BytesText(ReadFileBytes(name)), "[def]bir.vlp|Bir\r\niki.vlp|İki\r\n[*]PRINTER=\r\n[*]COPY=1\r\n");

  // Even a list built in code with two defaults is written with one.
  list.Entries[1].IsDefault = true;
  EXPECT_EQ(list.Lines()[1], "iki.vlp|İki");
}

struct LineCase {
  const char* what;
  AnsiString text;
  size_t entries;
  AnsiString firstFile, firstDescription;
  bool firstDefault, ask;
  AnsiString printer;
  int copies;
};

class ReportListLineTest : public testing::TestWithParam<LineCase> {};

TEST_P(ReportListLineTest, ReadsTheLine) {
  const LineCase& c = GetParam();
  const TReportListFile list = TReportListFile::Parse(c.text);
  ASSERT_EQ(list.Entries.size(), c.entries);
  if (c.entries > 0) {
    EXPECT_EQ(list.Entries[0].FileName, c.firstFile);
    EXPECT_EQ(list.Entries[0].Description, c.firstDescription);
    EXPECT_EQ(list.Entries[0].IsDefault, c.firstDefault);
  }
  EXPECT_EQ(list.AskBeforePrint, c.ask);
  EXPECT_EQ(list.PrinterName, c.printer);
  EXPECT_EQ(list.Copies, c.copies);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReportListLineTest,
    testing::Values(
        LineCase{"empty file", "", 0, "", "", false, false, "", 1},
        LineCase{"no bar: all file", "C:\\a.vlp\r\n", 1, "C:\\a.vlp", "", false, false, "", 1},
        LineCase{"def without bar", "[def]C:\\a.vlp", 1, "C:\\a.vlp", "", true, false, "", 1},
        LineCase{"def in upper case is a file", "[DEF]a.vlp|x", 1, "[DEF]a.vlp", "x", false, false, "", 1},
        LineCase{"LF and CR line ends", "a.vlp|x\nb.vlp|y\rc.vlp|z", 3, "a.vlp", "x", false, false, "", 1},
        LineCase{"empty and blank lines skipped", "\r\n  \r\na.vlp|x\r\n\r\n", 1, "a.vlp", "x", false, false, "", 1},
        LineCase{"option inside a description", "a.vlp|bkz [*]RAPORSECENEKLERINIGOSTER\r\n", 1, "a.vlp",
                 "bkz [*]RAPORSECENEKLERINIGOSTER", false, false, "", 1},
        LineCase{"option inside a path", "C:\\[*]RAPORSECENEKLERINIGOSTER\\a.vlp|d\r\n", 1,
                 "C:\\[*]RAPORSECENEKLERINIGOSTER\\a.vlp", "d", false, false, "", 1},
        LineCase{"option line after layouts", "a.vlp|x\r\n[*]RAPORSECENEKLERINIGOSTER\r\n", 1, "a.vlp", "x",
                 false, true, "", 1},
        LineCase{"unknown option is no layout", "[*]BASKA=1\r\n", 0, "", "", false, false, "", 1},
        LineCase{"printer with = in its name, names without case", "[*]printer=HP=1\r\n", 0, "", "", false,
                 false, "HP=1", 1},
        LineCase{"first printer line counts", "[*]PRINTER=A\r\n[*]PRINTER=B\r\n", 0, "", "", false, false, "A", 1},
        LineCase{"empty printer", "[*]PRINTER=\r\n", 0, "", "", false, false, "", 1},
        LineCase{"copies not a number", "[*]COPY=iki\r\n", 0, "", "", false, false, "", 1},
        LineCase{"copies zero", "[*]COPY=0\r\n", 0, "", "", false, false, "", 1},
        LineCase{"copies missing value", "[*]COPY=\r\n", 0, "", "", false, false, "", 1},
        LineCase{"copies with blanks", "[*]COPY= 12 \r\n", 0, "", "", false, false, "", 12}),
    [](const testing::TestParamInfo<LineCase>& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p)
        name += (std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_');
      return name;
    });

TEST(ReportListFileTest, DamagedOrBinaryFilesAreRefusedInTurkishAndLeftAsTheyAre) {
  ScratchFolder folder;
  const FileBytes damaged[] = {
      {'a', '.', 'v', 'l', 'p', '|', 0x00, 0x01, 0x02, '\r', '\n'},
      {'T', 'P', 'F', '0', 0x0B, 'T', 'Q', 'u', 'i', 'c', 'k', 0x00, 0xFF},
      {0x1A, 0x1B, 0x7F, 0x05},
  };
  for (const FileBytes& bytes : damaged) {
    const AnsiString name = folder.File("bozuk.ini");
    WriteFileBytes(name, bytes);
    try {
      TReportListFile::Load(name);
      ADD_FAILURE() << "a damaged list was read";
    } catch (const EReportListError& e) {
      EXPECT_NE(e.Message.find("Rapor listesi dosyasi bozuk"), AnsiString::npos) << e.Message;
      EXPECT_NE(e.Message.find(name), AnsiString::npos) << e.Message;
    }
    EXPECT_EQ(ReadFileBytes(name), bytes);
  }
}

TEST(ReportListFileTest, AFileTooLargeForAListIsRefused) {
  ScratchFolder folder;
  const AnsiString name = folder.File("buyuk.ini");
  const FileBytes bytes((2 << 20), 'a');
  WriteFileBytes(name, bytes);
  EXPECT_THROW(TReportListFile::Load(name), EReportListError);
  EXPECT_EQ(ReadFileBytes(name).size(), bytes.size());
}

TEST(ReportListFileTest, SavingMakesTheMissingFoldersAndLeavesNoTemporaryFile) {
  ScratchFolder folder;
  const AnsiString name = (folder.Path() / "Data" / "Ini" / "etiketyeni.ini").string();
  TReportListFile list;
  list.Entries = {{"x.vlp", "X", true}};
  list.Save(name);
  EXPECT_EQ(BytesText(ReadFileBytes(name)), "[def]x.vlp|X\r\n[*]PRINTER=\r\n[*]COPY=1\r\n");
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path()))
    files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 1);
}

TEST(ReportListFileTest, AFailedSaveKeepsTheOldFile) {
  ScratchFolder folder;
  // A folder where the list's folder should be: nothing can be written.
  const AnsiString blocker = folder.File("engel");
  WriteFileBytes(blocker, TextBytes("eski"));
  TReportListFile list;
  EXPECT_THROW(list.Save((folder.Path() / "engel" / "etiketyeni.ini").string()), EReportListError);
  EXPECT_EQ(BytesText(ReadFileBytes(blocker)), "eski");
}

}  // namespace
