// The record tables, the record file, the record filter and the helpers.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "app/filefailure.h"
#include "app/generalhelpers.h"
#include "app/recordfile.h"
#include "app/recordfilter.h"
#include "app/recordtables.h"
#include "classlib/classes/streams.h"
#include "classlib/data/field.h"
#include "classlib/system/fileutils.h"
#include "tests/support/scratchfolder.h"

namespace {

using Bytes = FileBytes;

struct RecordTable {
  RecordTable() : table(nullptr) {
    DefineBarcodeRecordFields(table);
    table.Open();
  }
  void Add(std::initializer_list<std::pair<int, AnsiString>> fields) {
    table.Append();
    for (const auto& [number, text] : fields)
      table.FieldByName(RecordFieldName(number))->SetAsString(text);
    table.Post();
  }
  AnsiString Text(int number) { return table.FieldByName(RecordFieldName(number))->AsString(); }

  TRxMemoryData table;
};

constexpr std::size_t Slot = 202;
constexpr std::size_t Record = 4040;

}  // namespace

TEST(RecordFile, TwoRecordsExactBytesAndBack) {
  ScratchFolder folder;
  RecordTable records;
  records.Add({{1, "ABC"}});
  records.Add({{2, "ışık"}});
  const AnsiString file = folder.File("barkod.bxf");
  SaveRecordBuffers(records.table, file);

  Bytes expected(2 * Record, 0);
  expected[0] = 1;
  std::memcpy(&expected[1], "ABC", 3);
  expected[Record + Slot] = 1;
  const std::uint8_t isik[] = {0xFD, 0xFE, 0xFD, 'k'};
  std::memcpy(&expected[Record + Slot + 1], isik, 4);
  EXPECT_EQ(ReadFileBytes(file), expected);

  RecordTable loaded;
  const TRecordFileLoad load = LoadRecordBuffers(loaded.table, file);
  EXPECT_EQ(load.Records, 2);
  EXPECT_EQ(load.IgnoredTailBytes, 0);
  EXPECT_EQ(loaded.Text(1), "ABC");
  EXPECT_TRUE(loaded.table.FieldByName("METIN2")->IsNull());
  loaded.table.Next();
  EXPECT_EQ(loaded.Text(2), "ışık");
  EXPECT_EQ(std::filesystem::directory_iterator(folder.Path())->path().filename(), "barkod.bxf")
      << "no temporary file is left behind";
}

TEST(RecordFile, DamagedFilesLoadWhatIsWhole) {
  ScratchFolder folder;
  const AnsiString file = folder.File("barkod.bxf");
  Bytes bytes(Record + 100, 'x');
  for (std::size_t k = 0; k < 20; ++k)
    bytes[k * Slot] = 0;
  bytes[0] = 7;  // any non-zero flag holds a value; no zero ends the text
  WriteFileBytes(file, bytes);

  RecordTable loaded;
  const TRecordFileLoad load = LoadRecordBuffers(loaded.table, file);
  EXPECT_EQ(load.Records, 1);
  EXPECT_EQ(load.IgnoredTailBytes, 100);
  EXPECT_EQ(loaded.table.RecordCount(), 1);
  EXPECT_EQ(loaded.Text(1), AnsiString(200, 'x'));
  EXPECT_EQ(loaded.Text(2), "");
}

TEST(RecordFile, EmptyFileAndEmptyTable) {
  ScratchFolder folder;
  const AnsiString file = folder.File("barkod.bxf");
  RecordTable empty;
  SaveRecordBuffers(empty.table, file);
  EXPECT_TRUE(FileExists(file));
  EXPECT_EQ(ReadFileBytes(file).size(), 0u);
  RecordTable loaded;
  loaded.Add({{1, "stale"}});
  EXPECT_EQ(LoadRecordBuffers(loaded.table, file).Records, 0);
  EXPECT_TRUE(loaded.table.IsEmpty());
}

TEST(RecordFile, SaveReplacesTheOldFileWhole) {
  ScratchFolder folder;
  const AnsiString file = folder.File("barkod.bxf");
  RecordTable records;
  records.Add({{1, "A"}});
  WriteFileBytes(file, Bytes(3 * Record, 0));
  SaveRecordBuffers(records.table, file);
  EXPECT_EQ(ReadFileBytes(file).size(), Record);
}

TEST(RecordFile, AFailedSaveRaisesAndLeavesNoTemporaryFile) {
  ScratchFolder folder;
  RecordTable records;
  records.Add({{1, "A"}});
  // The target's name is taken by a folder: the finished temporary file
  // cannot replace it.
  std::filesystem::create_directory(folder.Path() / "barkod.bxf");
  EXPECT_THROW(SaveRecordBuffers(records.table, folder.File("barkod.bxf")), Exception);
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    EXPECT_EQ(entry.path().filename(), "barkod.bxf");
    ++entries;
  }
  EXPECT_EQ(entries, 1);
  EXPECT_THROW(SaveRecordBuffers(records.table, folder.File("missing/barkod.bxf")), Exception);
}

TEST(RecordFile, SortedTableSavesInTheSortedOrder) {
  ScratchFolder folder;
  RecordTable records;
  records.Add({{2, "şeker"}});
  records.Add({{2, "çay"}});
  records.Add({{2, "Ayran"}});
  records.table.SortOnFields("METIN2");
  const AnsiString file = folder.File("barkod.bxf");
  SaveRecordBuffers(records.table, file);
  RecordTable loaded;
  LoadRecordBuffers(loaded.table, file);
  std::vector<AnsiString> order;
  for (loaded.table.First(); !loaded.table.Eof(); loaded.table.Next())
    order.push_back(loaded.Text(2));
  EXPECT_EQ(order, (std::vector<AnsiString>{"Ayran", "çay", "şeker"}));
}

TEST(StartupRecordLoad, AnUnreadFileIsKeptAsideAndReported) {
  ScratchFolder folder;
  const AnsiString file = folder.File("barkod.bxf");
  RecordTable records;

  // A whole file: nothing to tell.
  WriteFileBytes(file, Bytes(Record, 0));
  TStartupRecordLoad whole = LoadRecordFileAtStartup(records.table, file);
  EXPECT_FALSE(whole.Failed);
  EXPECT_EQ(RecordLoadNotice(whole), "");

  // A cut file: its records load, the original is kept under a free name.
  const Bytes cut(Record + 10, 0);
  WriteFileBytes(file, cut);
  WriteFileBytes(file + ".bak", Bytes{1});
  std::filesystem::create_directory(folder.Path() / "barkod.bxf.1.bak");
  TStartupRecordLoad partial = LoadRecordFileAtStartup(records.table, file);
  EXPECT_FALSE(partial.Failed);
  EXPECT_EQ(partial.Load.Records, 1);
  EXPECT_EQ(partial.BackupName, file + ".2.bak");
  EXPECT_EQ(ReadFileBytes(partial.BackupName), cut);
  EXPECT_NE(RecordLoadNotice(partial).find("eksik kayıt"), AnsiString::npos);

  // No file at all: a first start, nothing to tell.
  TStartupRecordLoad none = LoadRecordFileAtStartup(records.table, folder.File("none.bxf"));
  EXPECT_FALSE(none.Failed);
  EXPECT_EQ(RecordLoadNotice(none), "");
}

TEST(TurkishUpperCase, ByTheTurkishRules) {
  const std::pair<AnsiString, AnsiString> cases[] = {
      {"ıiIİ", "IİIİ"},        {"çğöüş", "ÇĞÖÜŞ"},     {"istanbul", "İSTANBUL"},
      {"ılık", "ILIK"},        {"09.,-âé", "09.,-âé"}, {"", ""},
      {"ÇĞÖÜŞ", "ÇĞÖÜŞ"},
  };
  for (const auto& [in, out] : cases) {
    EXPECT_EQ(TurkishUpperCase(in), out) << in;
    EXPECT_EQ(TurkishUpperCase(in).size(), in.size());
  }
}

TEST(RecordFilter, PrefixMatchByTheTurkishRules) {
  struct Case {
    AnsiString Text, Value;
    bool Matches;
  } cases[] = {
      {"ipek", "i", true},   {"İzmir", "i", true},  {"ırmak", "i", false}, {"Ilık", "i", false},
      {"ırmak", "ı", true},  {"Ilık", "ı", true},   {"ipek", "ı", false},  {"abc", "abcd", false},
      {"abc", "", true},     {"Şeker", "şek", true}, {"", "a", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FilterRowMatches(c.Text, c.Value), c.Matches) << c.Text << " / " << c.Value;

  RecordTable records;
  records.Add({{1, "İzmir"}, {3, "kuru"}});
  TRecordFilter filter{{{1, "i"}, {2, ""}, {3, "KU"}}};
  EXPECT_TRUE(RecordPassesFilter(records.table, filter));
  filter[2].Value = "ku ";
  EXPECT_FALSE(RecordPassesFilter(records.table, filter));
}

TEST(GeneralHelpers, FoldersBesideTheProgram) {
  ScratchFolder folder;
  SetProgramFileNameForTesting(folder.File("Dozuri.exe"));
  EXPECT_EQ(ExeDir(), folder.File("") );
  EXPECT_EQ(DataDir(), folder.File("") + "Data\\");
  EXPECT_FALSE(DirectoryExists(DataDir())) << "DataDir creates nothing";
  EXPECT_EQ(IniDir(), folder.File("") + "Data\\Ini\\");
  EXPECT_TRUE(DirectoryExists(DataDir()));
  EXPECT_TRUE(DirectoryExists(IniDir()));
  SetProgramFileNameForTesting("");
}

// Flags other than 0 and 1 are counted: they mark a file this program did
// not write, and the start-up load keeps such a file aside.
TEST(StartupRecordLoad, ForeignFlagsMarkAFileNotReadWhole) {
  ScratchFolder folder;
  const AnsiString file = folder.File("barkod.bxf");
  Bytes bytes(2 * Record, 0);
  bytes[Record + 202 * 5] = 2;
  WriteFileBytes(file, bytes);
  RecordTable records;
  TStartupRecordLoad load = LoadRecordFileAtStartup(records.table, file);
  EXPECT_EQ(load.Load.Records, 2);
  EXPECT_EQ(load.Load.ForeignFlagRecords, 1);
  EXPECT_TRUE(load.ReadIncomplete());
  EXPECT_FALSE(load.OriginalAtRisk());
  EXPECT_EQ(ReadFileBytes(load.BackupName), bytes);
  EXPECT_NE(RecordLoadNotice(load).find("benzemiyor"), AnsiString::npos);

  // The flags this program writes say nothing.
  bytes[Record + 202 * 5] = 1;
  WriteFileBytes(file, bytes);
  EXPECT_FALSE(LoadRecordFileAtStartup(records.table, file).ReadIncomplete());
}

TEST(StartupRecordLoad, ANewNameBesideTheFileIsFree) {
  ScratchFolder folder;
  const AnsiString file = folder.File("barkod.bxf");
  EXPECT_EQ(FreeSiblingRecordFileName(file), folder.File("barkod.yeni.bxf"));
  WriteFileBytes(folder.File("barkod.yeni.bxf"), Bytes{1});
  EXPECT_EQ(FreeSiblingRecordFileName(file), folder.File("barkod.yeni1.bxf"));
}

// The system's codes for the common reasons, as each build's system gives them.
#ifdef _WIN32
constexpr unsigned long NoAccessCode = 5, ReadOnlyCode = 19, DiskFullCode = 112, InUseCode = 32;
#else
constexpr unsigned long NoAccessCode = EACCES, ReadOnlyCode = EROFS, DiskFullCode = ENOSPC, InUseCode = EBUSY;
#endif

TEST(FileFailureText, CommonReasonsInTurkishWithTheSystemTextAfter) {
  struct Case {
    const char* Name;
    std::function<void()> Fail;
    const char* Reason;
  } cases[] = {
      {"missing", [] { TFileStream("/nonexistent/folder/x.bxf", fmOpenRead); }, "dosya ya da klasör bulunamadı ("},
      {"no access", [] { throw EFCreateError("Cannot create file", NoAccessCode); }, "dosyaya erişim izni yok ("},
      {"read-only", [] { throw EInOutError("x", ReadOnlyCode); }, "dosyaya erişim izni yok ("},
      {"disk full", [] { throw EWriteError("Stream write error", DiskFullCode); }, "diskte yer kalmadı ("},
      {"in use", [] { throw EOSError("System Error", InUseCode); }, "dosya başka bir program tarafından kullanılıyor ("},
      {"damaged", [] {
         TMemoryStream stream;
         char byte;
         stream.ReadBuffer(&byte, 1);
       }, "dosyanın içeriği bozuk ("},
      {"foreign", [] { throw EDamagedFileError("x"); }, "dosyanın içeriği bozuk (x)"},
      {"other", [] { throw EConvertError("y"); }, "beklenmeyen bir hata oluştu (y)"},
  };
  for (const Case& c : cases) {
    try {
      c.Fail();
      ADD_FAILURE() << c.Name << ": nothing failed";
    } catch (const Exception& e) {
      EXPECT_EQ(FileFailureText(e).find(c.Reason), 0u) << c.Name << ": " << FileFailureText(e);
      EXPECT_NE(FileFailureText(e).find(e.Message), AnsiString::npos) << c.Name;
    }
  }
}
