#include "reportengine/qrstream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "classlib/system/fileutils.h"
#include "classlib/system/strutils.h"

namespace {

int CountSpillFiles() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(GetTempDir()))) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("QRP", 0) == 0 && name.size() > 4 && UpperCase(name.substr(name.size() - 4)) == ".TMP")
      ++count;
  }
  return count;
}

}  // namespace

TEST(QRStream, LimitZeroSpillsOnTheFirstWrite) {
  const int before = CountSpillFiles();
  AnsiString spillName;
  {
    TQRStream stream(0);
    EXPECT_TRUE(stream.InMemory());
    stream.WriteBuffer("abc", 3);
    EXPECT_FALSE(stream.InMemory());
    spillName = stream.FileName();
    EXPECT_TRUE(FileExists(spillName));
    EXPECT_EQ(ExtractFileName(spillName).substr(0, 3), "QRP");
    EXPECT_EQ(CountSpillFiles(), before + 1);
    char back[3];
    stream.SetPosition(0);
    stream.ReadBuffer(back, 3);
    EXPECT_EQ(std::string(back, 3), "abc");
  }
  EXPECT_FALSE(FileExists(spillName));
  EXPECT_EQ(CountSpillFiles(), before);
}

TEST(QRStream, SizeEqualToTheLimitStaysInMemory) {
  TQRStream stream(10);
  stream.WriteBuffer("0123456789", 10);
  EXPECT_TRUE(stream.InMemory());
  stream.WriteBuffer("X", 1);
  EXPECT_FALSE(stream.InMemory());
  EXPECT_EQ(stream.Size(), 11);
  EXPECT_EQ(stream.Position(), 11);
  TStringStream copy;
  stream.SaveToStream(copy);
  EXPECT_EQ(copy.DataString(), "0123456789X");
}

TEST(QRStream, OpenedFileIsNeverDeleted) {
  AnsiString name;
  {
    TQRStream spill(0);
    spill.WriteBuffer("page store", 10);
    name = GetTempDir() + "dozuri-qrstream-test.qrp";
    TFileStream out(name, fmCreate);
    spill.SaveToStream(out);
  }
  {
    auto opened = TQRStream::CreateFromFile(name);
    EXPECT_FALSE(opened->InMemory());
    EXPECT_TRUE(opened->FileName().empty());
    EXPECT_EQ(opened->Size(), 10);
    EXPECT_EQ(opened->HeaderSize(), 128);
  }
  EXPECT_TRUE(FileExists(name));
  DeleteFile(name);
}

// Cutting works in memory and after a spill alike: the stream ends and stands
// at the cut, and the bytes before it are kept.
TEST(QRStream, SetSizeCutsInMemoryAndOnDisk) {
  for (std::int32_t limit : {1000, 0}) {
    TQRStream stream(limit);
    unsigned char bytes[100];
    for (int i = 0; i < 100; ++i)
      bytes[i] = static_cast<unsigned char>(i);
    stream.WriteBuffer(bytes, 100);
    EXPECT_EQ(stream.InMemory(), limit != 0);
    stream.SetSize(40);
    EXPECT_EQ(stream.Size(), 40) << limit;
    EXPECT_EQ(stream.Position(), 40) << limit;
    unsigned char back[100];
    stream.Seek(0, soBeginning);
    ASSERT_EQ(stream.Read(back, 100), 40);
    EXPECT_EQ(std::memcmp(back, bytes, 40), 0);
  }
}
