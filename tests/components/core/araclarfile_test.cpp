#include "components/core/araclarfile.h"

#include <gtest/gtest.h>

#include "classlib/system/exceptions.h"
#include "tests/support/scratchfolder.h"

namespace {

// The length byte at offset and the text after it.
void ExpectAraclarField(const FileBytes& bytes, std::size_t offset, const AnsiString& text) {
  ASSERT_LT(offset + text.size(), bytes.size());
  EXPECT_EQ(bytes[offset], text.size()) << "length at " << offset;
  EXPECT_EQ(AnsiString(reinterpret_cast<const char*>(&bytes[offset + 1]), text.size()), text) << offset;
}

TAraclarRecord CalcUserEntry() {
  TAraclarRecord record;
  record.Caption = "Çizim Programı";
  record.FileName = "C:\\Araçlar\\ciz.exe";
  record.ShortCut = "Ctrl+F5";
  return record;
}

TEST(AraclarFile, OneUserEntryIsWrittenAs380BytesAtTheFieldOffsets) {
  ScratchFolder folder;
  const AnsiString name = folder.File("AraclarTanim.Ini");
  WriteAraclarFile(name, {CalcUserEntry()});
  const FileBytes bytes = ReadFileBytes(name);
  ASSERT_EQ(bytes.size(), 380u);
  ExpectAraclarField(bytes, 0, "Çizim Programı");
  EXPECT_EQ(bytes[1], 0xC7);  // "Ç" in code page 1254
  ExpectAraclarField(bytes, 101, "");
  EXPECT_EQ(FileBytes(bytes.begin() + 204, bytes.begin() + 208), (FileBytes{0xFF, 0xFF, 0xFF, 0xFF}));
  ExpectAraclarField(bytes, 208, "Ctrl+F5");
  ExpectAraclarField(bytes, 229, "C:\\Araçlar\\ciz.exe");
  EXPECT_EQ(ReadAraclarFile(name), std::vector<TAraclarRecord>{CalcUserEntry()});
}

TEST(AraclarFile, AllFiveFieldsComeBack) {
  TAraclarRecord record = CalcUserEntry();
  record.Hint = "Resim çizer";
  record.ImageIndex = 0x01020304;
  const std::vector<std::uint8_t> bytes = EncodeAraclarRecord(record);
  EXPECT_EQ(bytes[204], 0x04);
  EXPECT_EQ(bytes[207], 0x01);
  EXPECT_EQ(DecodeAraclarRecord(bytes.data()), record);
}

TEST(AraclarFile, TextsLongerThanTheirFieldsAreCutWhenWritten) {
  TAraclarRecord record;
  record.Caption = AnsiString(120, 'c');
  record.Hint = AnsiString(101, 'h');
  record.ShortCut = "Ctrl+Shift+Alt+Insert+";  // 22 characters
  record.FileName = "C:\\" + AnsiString(157, 'f');
  const std::vector<std::uint8_t> bytes = EncodeAraclarRecord(record);
  ASSERT_EQ(bytes.size(), 380u);
  const TAraclarRecord back = DecodeAraclarRecord(bytes.data());
  EXPECT_EQ(back.Caption, AnsiString(100, 'c'));
  EXPECT_EQ(back.Hint, AnsiString(100, 'h'));
  EXPECT_EQ(back.ShortCut, "Ctrl+Shift+Alt+Inser");
  EXPECT_EQ(back.FileName.size(), 150u);
  EXPECT_EQ(back.FileName, record.FileName.substr(0, 150));
}

// A length byte larger than its field reads that field only: the bytes of
// the next field (or past the record) are never taken.
TEST(AraclarFile, OversizedLengthBytesReadOnlyTheirField) {
  std::vector<std::uint8_t> bytes(380, 'x');
  bytes[0] = 255;
  bytes[101] = 101;
  bytes[208] = 21;
  bytes[229] = 255;
  const TAraclarRecord record = DecodeAraclarRecord(bytes.data());
  EXPECT_EQ(record.Caption.size(), 100u);
  EXPECT_EQ(record.Hint.size(), 100u);
  EXPECT_EQ(record.ShortCut.size(), 20u);
  EXPECT_EQ(record.FileName, AnsiString(150, 'x'));
}

TEST(AraclarFile, ACutTailIsIgnored) {
  ScratchFolder folder;
  const std::vector<std::uint8_t> one = EncodeAraclarRecord(CalcUserEntry());
  struct SizeCase {
    std::size_t Bytes;
    std::size_t Records;
  };
  for (const SizeCase c : {SizeCase{0, 0}, SizeCase{379, 0}, SizeCase{380, 1}, SizeCase{1000, 2}}) {
    FileBytes bytes(c.Bytes, 0);
    for (std::size_t i = 0; i < c.Bytes; ++i)
      bytes[i] = one[i % 380];
    WriteFileBytes(folder.File("t.ini"), bytes);
    const std::vector<TAraclarRecord> records = ReadAraclarFile(folder.File("t.ini"));
    ASSERT_EQ(records.size(), c.Records) << c.Bytes;
    for (const TAraclarRecord& record : records)
      EXPECT_EQ(record, CalcUserEntry());
  }
}

TEST(AraclarFile, AnEmptyListWritesAnEmptyFile) {
  ScratchFolder folder;
  WriteFileBytes(folder.File("t.ini"), FileBytes(760, 1));
  WriteAraclarFile(folder.File("t.ini"), {});
  EXPECT_TRUE(ReadFileBytes(folder.File("t.ini")).empty());
}

TEST(AraclarFile, AFileTooLargeForAToolsFileIsRefused) {
  ScratchFolder folder;
  WriteFileBytes(folder.File("big.ini"), FileBytes(10 * 1024 * 1024, 0xFF));
  EXPECT_THROW(ReadAraclarFile(folder.File("big.ini")), EInOutError);
}

TEST(AraclarFile, AMissingFileOrAFolderInTheWayRaises) {
  ScratchFolder folder;
  EXPECT_THROW(ReadAraclarFile(folder.File("yok.ini")), Exception);
  std::filesystem::create_directory(folder.Path() / "klasor.ini");
  EXPECT_THROW(WriteAraclarFile(folder.File("klasor.ini"), {CalcUserEntry()}), Exception);
}

// A failed write leaves the old file as it was.
TEST(AraclarFile, AFailedWriteKeepsTheOldFile) {
  ScratchFolder folder;
  const AnsiString name = folder.File("t.ini");
  WriteAraclarFile(name, {CalcUserEntry()});
  const FileBytes before = ReadFileBytes(name);
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  bool raised = false;
  try {
    WriteAraclarFile(name, {});
  } catch (const Exception& e) {
    raised = true;
    EXPECT_NE(e.Message.find("t.ini"), AnsiString::npos) << e.Message;
  }
  std::filesystem::permissions(folder.Path(), std::filesystem::perms::owner_all);
  if (!raised)
    GTEST_SKIP() << "the folder stays writable here (running as root)";
  EXPECT_EQ(ReadFileBytes(name), before);
}

}  // namespace
