#include "classlib/classes/streams.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "tests/classlib/classes/lists/tempfolder.h"

namespace {

std::string ReadAll(TStream& stream) {
  std::string bytes(static_cast<size_t>(stream.Size() - stream.Position()), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  return bytes;
}

void WriteText(TStream& stream, const std::string& text) {
  stream.WriteBuffer(text.data(), static_cast<std::int32_t>(text.size()));
}

}  // namespace

// ---- Memory streams

TEST(MemoryStream, WriteSeekReadAndSize) {
  TMemoryStream stream;
  WriteText(stream, "abcdef");
  EXPECT_EQ(stream.Size(), 6);
  EXPECT_EQ(stream.Position(), 6);
  EXPECT_EQ(stream.Seek(-4, soEnd), 2);
  char two[2];
  EXPECT_EQ(stream.Read(two, 2), 2);
  EXPECT_EQ(std::string(two, 2), "cd");
  EXPECT_EQ(stream.Seek(1, soCurrent), 5);
  char rest[4];
  EXPECT_EQ(stream.Read(rest, 4), 1) << "a read past the end returns what there was";
  EXPECT_EQ(stream.Read(rest, 4), 0);
  EXPECT_EQ(std::memcmp(stream.Memory(), "abcdef", 6), 0);
}

TEST(MemoryStream, WritingPastTheEndLeavesZeros) {
  TMemoryStream stream;
  WriteText(stream, "xyz");
  stream.SetSize(1);  // the stale "yz" must not come back
  stream.SetPosition(4);
  WriteText(stream, "!");
  EXPECT_EQ(stream.Size(), 5);
  stream.SetPosition(0);
  EXPECT_EQ(ReadAll(stream), std::string("x\0\0\0!", 5));
}

TEST(MemoryStream, SetSizeClampsPositionAndClearEmpties) {
  TMemoryStream stream;
  WriteText(stream, "0123456789");
  stream.SetSize(4);
  EXPECT_EQ(stream.Position(), 4);
  EXPECT_EQ(stream.Size(), 4);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
  EXPECT_EQ(stream.Memory(), nullptr);
}

TEST(MemoryStream, CapacityGrowsInBlocksAndGeometrically) {
  TMemoryStream stream;
  std::set<const void*> blocks;
  for (int i = 0; i < 1 << 20; ++i) {
    char byte = static_cast<char>(i);
    stream.WriteBuffer(&byte, 1);
    blocks.insert(stream.Memory());
  }
  EXPECT_EQ(stream.Size(), 1 << 20);
  EXPECT_GE(stream.Capacity(), stream.Size());
  EXPECT_EQ(stream.Capacity() % 0x2000, 0);
  // 8 KiB steps alone would move the block 128 times.
  EXPECT_LT(blocks.size(), 40u);
  const unsigned char* data = static_cast<const unsigned char*>(stream.Memory());
  EXPECT_EQ(data[0x12345], 0x45);
}

TEST(StringStream, ReadWriteAndDataString) {
  TStringStream stream("hello world");
  EXPECT_EQ(stream.Size(), 11);
  EXPECT_EQ(stream.ReadString(5), "hello");
  EXPECT_EQ(stream.ReadString(100), " world");
  EXPECT_EQ(stream.ReadString(3), "");
  stream.SetPosition(6);
  stream.WriteString("W");
  EXPECT_EQ(stream.DataString(), "hello W") << "writing ends the data after what was written";
  EXPECT_EQ(stream.Seek(100, soBeginning), 7) << "seeking stays inside the data";
  EXPECT_EQ(stream.Seek(-100, soCurrent), 0);
}

// ---- Errors of ReadBuffer/WriteBuffer and CopyFrom

TEST(Stream, ReadBufferPastTheEndRaisesReadError) {
  TStringStream stream("abc");
  char buffer[4];
  try {
    stream.ReadBuffer(buffer, 4);
    FAIL() << "no exception";
  } catch (const EReadError& error) {
    EXPECT_EQ(error.Message, "Stream read error");
  }
}

TEST(Stream, CopyFromCopiesCountFromPositionOrAllWithZero) {
  TStringStream source("0123456789");
  source.SetPosition(3);
  TMemoryStream target;
  EXPECT_EQ(target.CopyFrom(source, 4), 4);
  EXPECT_EQ(std::string(static_cast<const char*>(target.Memory()), 4), "3456");

  source.SetPosition(8);
  TStringStream all;
  EXPECT_EQ(all.CopyFrom(source, 0), 10) << "0 copies the whole source from its start";
  EXPECT_EQ(all.DataString(), "0123456789");

  source.SetPosition(8);
  EXPECT_THROW(all.CopyFrom(source, 5), EReadError);
}

TEST(Stream, CopyFromLargerThanTheCopyBuffer) {
  TMemoryStream source;
  std::string big(200000, '\0');
  for (size_t i = 0; i < big.size(); ++i)
    big[i] = static_cast<char>(i * 7);
  WriteText(source, big);
  TStringStream target;
  EXPECT_EQ(target.CopyFrom(source, 0), 200000);
  EXPECT_EQ(target.DataString(), big);
}

// ---- File streams

class FileStreamTest : public testing::Test {
protected:
  TempFolder folder;
};

TEST_F(FileStreamTest, CreateWriteReopenAndRead) {
  AnsiString name = folder.File("data.bin");
  {
    TFileStream stream(name, fmCreate);
    WriteText(stream, "first line\r\n");
    EXPECT_EQ(stream.Size(), 12);
    EXPECT_EQ(stream.FileName(), name);
  }
  EXPECT_EQ(ReadWholeFile(folder.Path("data.bin")), "first line\r\n");
  {
    TFileStream stream(name, fmOpenReadWrite);
    stream.Seek(0, soEnd);
    WriteText(stream, "more");
    stream.SetPosition(6);
    EXPECT_EQ(ReadAll(stream), "line\r\nmore");
  }
  {
    TFileStream stream(name, fmCreate);  // truncates
    EXPECT_EQ(stream.Size(), 0);
  }
}

TEST_F(FileStreamTest, SetSizeTruncatesTheFile) {
  AnsiString name = folder.File("cut.bin");
  {
    TFileStream stream(name, fmCreate);
    WriteText(stream, "0123456789");
    stream.SetSize(3);
    EXPECT_EQ(stream.Size(), 3);
  }
  EXPECT_EQ(ReadWholeFile(folder.Path("cut.bin")), "012");
}

TEST_F(FileStreamTest, OpenErrorNamesTheFileAndTheSystemReason) {
  AnsiString name = folder.File("missing.bin");
  try {
    TFileStream stream(name, fmOpenRead);
    FAIL() << "no exception";
  } catch (const EFOpenError& error) {
    AnsiString prefix = "Cannot open file \"" + name + "\". ";
    ASSERT_EQ(error.Message.rfind(prefix, 0), 0u) << error.Message;
    EXPECT_GT(error.Message.size(), prefix.size()) << "the system's text follows";
  }
}

TEST_F(FileStreamTest, CreateErrorNamesTheFileAndTheSystemReason) {
  AnsiString name = folder.File("no_such_folder/x.bin");
  try {
    TFileStream stream(name, fmCreate);
    FAIL() << "no exception";
  } catch (const EFCreateError& error) {
    AnsiString prefix = "Cannot create file \"" + name + "\". ";
    ASSERT_EQ(error.Message.rfind(prefix, 0), 0u) << error.Message;
    EXPECT_GT(error.Message.size(), prefix.size());
  }
}

TEST_F(FileStreamTest, WriteBufferOnAReadOnlyFileRaisesWriteError) {
  AnsiString name = folder.File("ro.bin");
  WriteWholeFile(folder.Path("ro.bin"), "abc");
  TFileStream stream(name, fmOpenRead | fmShareDenyNone);
  try {
    WriteText(stream, "x");
    FAIL() << "no exception";
  } catch (const EWriteError& error) {
    EXPECT_EQ(error.Message, "Stream write error");
  }
}

TEST_F(FileStreamTest, TurkishFileNameIsTheSameFileForTheSystem) {
  AnsiString name = "çalışma_ĞÜŞİÖÇ.bin";  // 1254 bytes
  TMemoryStream stream;
  WriteText(stream, "payload");
  stream.SaveToFile(folder.File(name));
  EXPECT_EQ(ReadWholeFile(folder.Path(name)), "payload");

  TMemoryStream loaded;
  loaded.LoadFromFile(folder.File(name));
  EXPECT_EQ(loaded.Size(), 7);
  EXPECT_EQ(loaded.Position(), 0);
  EXPECT_EQ(std::string(static_cast<const char*>(loaded.Memory()), 7), "payload");
}

#ifdef _WIN32
TEST_F(FileStreamTest, ShareModesAreEnforced) {
  AnsiString name = folder.File("shared.bin");
  WriteWholeFile(folder.Path("shared.bin"), "abc");
  {
    TFileStream exclusive(name, fmOpenRead | fmShareExclusive);
    EXPECT_THROW(TFileStream(name, fmOpenRead | fmShareDenyNone), EFOpenError);
  }
  {
    TFileStream reader(name, fmOpenRead | fmShareDenyWrite);
    TFileStream secondReader(name, fmOpenRead | fmShareDenyNone);
    EXPECT_THROW(TFileStream(name, fmOpenWrite | fmShareDenyNone), EFOpenError);
  }
}

TEST(ResourceStream, ReadsRcDataByNameAndById) {
  TResourceStream byName(nullptr, "TESTDATA");
  EXPECT_EQ(ReadAll(byName), "resource bytes");
  TResourceStream byId(nullptr, 42);
  EXPECT_EQ(byId.Size(), 5);
  EXPECT_EQ(ReadAll(byId), "by id");
  EXPECT_THROW(byId.WriteBuffer("x", 1), EStreamError);
}

TEST(ResourceStream, MissingResourceRaisesResNotFound) {
  try {
    TResourceStream stream(nullptr, "NO_SUCH_RESOURCE");
    FAIL() << "no exception";
  } catch (const EResNotFound& error) {
    EXPECT_EQ(error.Message, "Resource NO_SUCH_RESOURCE not found");
  }
}
#endif
