#include "reportengine/qrpagelist.h"

#include <gtest/gtest.h>

#include <cstring>

#include "classlib/system/clock.h"
#include "classlib/system/datetime.h"
#include "classlib/system/fileutils.h"
#include "reportengine/qrcompress.h"
#include "tests/support/scratchfolder.h"

namespace {

using Bytes = FileBytes;

// A stand-in for a page's metafile bytes: an EMF header whose signature
// " EMF" stands at offset 40, as the header-size probe expects.
Bytes FakeEmf(std::uint8_t fill, std::size_t size = 108) {
  Bytes emf(size, fill);
  const std::uint32_t type = 1, headerSize = 108, signature = 0x464D4520, version = 0x10000;
  std::memcpy(emf.data(), &type, 4);
  std::memcpy(emf.data() + 4, &headerSize, 4);
  std::memcpy(emf.data() + 40, &signature, 4);
  std::memcpy(emf.data() + 44, &version, 4);
  const std::uint32_t bytes = static_cast<std::uint32_t>(size);
  std::memcpy(emf.data() + 48, &bytes, 4);
  return emf;
}

void PutInt32(Bytes& bytes, std::size_t at, std::int32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

std::int32_t Int32At(const Bytes& bytes, std::size_t at) {
  std::int32_t value;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

const TDateTime FixedTime = 46000.5;  // a day in 2025, noon

Bytes StoreBytes(const std::vector<Bytes>& pages, bool compressed, const ScratchFolder& folder) {
  ClockScope clock(FixedTime);
  TQRPageList list;
  list.SetCompression(compressed);
  for (const Bytes& page : pages)
    list.AddPageData(page);
  list.Finish();
  const AnsiString name = folder.File("store.qrp");
  list.SaveToFile(name);
  return ReadFileBytes(name);
}

Bytes ExpectedHeader(std::int32_t count, bool compressed) {
  Bytes header(128, 0);
  header[0] = 3;
  header[2] = 40;
  PutInt32(header, 8, count);
  std::memcpy(header.data() + 16, &FixedTime, 8);
  header[25] = compressed ? 1 : 0;
  return header;
}

}  // namespace

TEST(QRPageList, OnePageUncompressedExactBytes) {
  ScratchFolder folder;
  const Bytes page = FakeEmf(0x11);
  Bytes expected = ExpectedHeader(1, false);
  const std::size_t end = 128 + 8 + page.size() + 4;
  Bytes record(8);
  PutInt32(record, 0, 1);
  PutInt32(record, 4, static_cast<std::int32_t>(end));
  expected.insert(expected.end(), record.begin(), record.end());
  expected.insert(expected.end(), page.begin(), page.end());
  Bytes trailer(4);
  PutInt32(trailer, 0, 128);
  expected.insert(expected.end(), trailer.begin(), trailer.end());

  EXPECT_EQ(StoreBytes({page}, false, folder), expected);
}

TEST(QRPageList, OnePageCompressedExactBytes) {
  ScratchFolder folder;
  const Bytes page = FakeEmf(0x00);
  const Bytes coded = QRCompressBlock(page.data(), page.size());
  Bytes expected = ExpectedHeader(1, true);
  Bytes head(12);
  PutInt32(head, 0, 1);
  PutInt32(head, 4, static_cast<std::int32_t>(128 + 12 + coded.size() + 4));
  PutInt32(head, 8, static_cast<std::int32_t>(page.size()));
  expected.insert(expected.end(), head.begin(), head.end());
  expected.insert(expected.end(), coded.begin(), coded.end());
  Bytes trailer(4);
  PutInt32(trailer, 0, 128);
  expected.insert(expected.end(), trailer.begin(), trailer.end());

  EXPECT_EQ(StoreBytes({page}, true, folder), expected);
}

TEST(QRPageList, PagesReadBackInAnyOrderAfterLoading) {
  for (bool compressed : {false, true}) {
    ScratchFolder folder;
    const std::vector<Bytes> pages = {FakeEmf(1, 200), FakeEmf(2, 108), FakeEmf(3, 5000)};
    StoreBytes(pages, compressed, folder);

    TQRPageList loaded;
    loaded.LoadFromFile(folder.File("store.qrp"));
    EXPECT_EQ(loaded.PageCount(), 3);
    EXPECT_EQ(loaded.Compression(), compressed);
    for (int n : {3, 1, 2, 2, 3, 1}) {
      auto page = loaded.GetPageData(n);
      ASSERT_TRUE(page.has_value());
      EXPECT_EQ(*page, pages[static_cast<std::size_t>(n - 1)]) << "page " << n;
    }
    EXPECT_FALSE(loaded.GetPageData(0).has_value());
    EXPECT_FALSE(loaded.GetPageData(-1).has_value());
    EXPECT_FALSE(loaded.GetPageData(4).has_value());
  }
}

TEST(QRPageList, PagesReadWhileTheRunGrows) {
  TQRPageList list;
  list.AttachStream(std::make_unique<TQRStream>(0));
  list.AddPageData(FakeEmf(7));
  EXPECT_EQ(*list.GetPageData(1), FakeEmf(7));
  list.AddPageData(FakeEmf(8));
  EXPECT_EQ(*list.GetPageData(2), FakeEmf(8));
  EXPECT_EQ(*list.GetPageData(1), FakeEmf(7));
  EXPECT_FALSE(list.Stream()->InMemory());
}

TEST(QRPageList, OlderHeaderLoadsAndSavesBackByteForByte) {
  ScratchFolder folder;
  // A 124-byte header: count at 8, time at 12, flag at 21.
  Bytes file(124, 0);
  file[0] = 3;
  file[2] = 40;
  PutInt32(file, 8, 2);
  std::memcpy(file.data() + 12, &FixedTime, 8);
  std::int64_t start = 124;
  for (std::uint8_t fill : {0x21, 0x22}) {
    const Bytes page = FakeEmf(fill);
    Bytes record(8);
    PutInt32(record, 0, fill - 0x20);
    PutInt32(record, 4, static_cast<std::int32_t>(start + 8 + page.size() + 4));
    file.insert(file.end(), record.begin(), record.end());
    file.insert(file.end(), page.begin(), page.end());
    Bytes trailer(4);
    PutInt32(trailer, 0, static_cast<std::int32_t>(start));
    file.insert(file.end(), trailer.begin(), trailer.end());
    start = static_cast<std::int64_t>(file.size());
  }
  WriteFileBytes(folder.File("old.qrp"), file);

  TQRPageList list;
  list.LoadFromFile(folder.File("old.qrp"));
  EXPECT_EQ(list.PageCount(), 2);
  EXPECT_FALSE(list.Compression());
  EXPECT_EQ(*list.GetPageData(2), FakeEmf(0x22));
  list.SaveToFile(folder.File("copy.qrp"));
  EXPECT_EQ(ReadFileBytes(folder.File("copy.qrp")), file);
}

TEST(QRPageList, EmptyRunLeavesALoadableStore) {
  ScratchFolder folder;
  const Bytes bytes = StoreBytes({}, false, folder);
  EXPECT_EQ(bytes, ExpectedHeader(0, false));
  TQRPageList list;
  list.LoadFromFile(folder.File("store.qrp"));
  EXPECT_EQ(list.PageCount(), 0);
  EXPECT_FALSE(list.GetPageData(1).has_value());
}

TEST(QRPageList, SavingALoadedStoreOntoItsOwnFileKeepsIt) {
  ScratchFolder folder;
  const Bytes original = StoreBytes({FakeEmf(5), FakeEmf(6)}, true, folder);
  TQRPageList list;
  list.LoadFromFile(folder.File("store.qrp"));
  list.SaveToFile(folder.File("store.qrp"));
  EXPECT_EQ(ReadFileBytes(folder.File("store.qrp")), original);
  EXPECT_EQ(*list.GetPageData(2), FakeEmf(6));
}

TEST(QRPageList, SavingReplacesAnExistingFileWhole) {
  ScratchFolder folder;
  WriteFileBytes(folder.File("store.qrp"), Bytes(100000, 0xEE));
  const Bytes written = StoreBytes({FakeEmf(9)}, false, folder);
  EXPECT_EQ(written.size(), 128u + 8 + 108 + 4);
}

class DamagedStore : public testing::Test {
protected:
  void SetUp() override { good_ = StoreBytes({FakeEmf(1), FakeEmf(2), FakeEmf(3, 300)}, false, folder_); }

  void ExpectRejected(const Bytes& file, const std::string& what) {
    const AnsiString name = folder_.File("damaged.qrp");
    WriteFileBytes(name, file);
    TQRPageList list;
    try {
      list.LoadFromFile(name);
      FAIL() << what << ": loaded";
    } catch (const EQRPageFileError& e) {
      EXPECT_EQ(e.Message, "Not a valid report page file") << what;
    }
    EXPECT_EQ(list.PageCount(), 0) << what;
  }

  ScratchFolder folder_;
  Bytes good_;
};

TEST_F(DamagedStore, TruncatedAtEveryByte) {
  for (std::size_t length = 0; length < good_.size(); ++length)
    ExpectRejected(Bytes(good_.begin(), good_.begin() + static_cast<std::ptrdiff_t>(length)),
                   "truncated to " + std::to_string(length));
}

TEST_F(DamagedStore, BrokenLinksAndNumbers) {
  const std::size_t second = static_cast<std::size_t>(Int32At(good_, 128 + 4));
  struct Damage {
    const char* What;
    std::size_t At;
    std::int32_t Value;
  } damages[] = {
      {"link pointing backwards", 128 + 4, 100},
      {"link pointing into its own record", 128 + 4, 130},
      {"link beyond the file", 128 + 4, 1 << 30},
      {"page number out of order", second, 3},
      {"back-pointer elsewhere", second - 4, 0},
      {"huge page count", 8, 0x7FFFFFFF},
      {"negative page count", 8, -1},
  };
  for (const Damage& d : damages) {
    Bytes file = good_;
    PutInt32(file, d.At, d.Value);
    ExpectRejected(file, d.What);
  }
}

TEST_F(DamagedStore, HugeCompressedCount) {
  Bytes file = StoreBytes({FakeEmf(1)}, true, folder_);
  PutInt32(file, 128 + 8, 0x7FFFFFF0);
  ExpectRejected(file, "huge compressed count");
}

TEST_F(DamagedStore, CompressionSwitchedOnAfterLoadingIsRejectedNotTrusted) {
  // An uncompressed page whose first bytes read as a coded count of -1.
  StoreBytes({Bytes(300, 0xFF)}, false, folder_);
  TQRPageList list;
  list.LoadFromFile(folder_.File("store.qrp"));
  list.SetCompression(true);
  EXPECT_THROW(list.GetPageData(1), EQRPageFileError);
}

namespace {

// A run's stream whose writes start failing on demand, as on a full disk.
class FailingStream : public TQRStream {
public:
  int WritesBeforeFailing = -1;  // -1: never fails
  std::int32_t Write(const void* buffer, std::int32_t count) override {
    if (WritesBeforeFailing == 0)
      throw EWriteError("Stream write error");
    if (WritesBeforeFailing > 0)
      --WritesBeforeFailing;
    return TQRStream::Write(buffer, count);
  }
};

}  // namespace

TEST(QRPageList, AFailedWriteAddsNoPage) {
  ScratchFolder folder;
  TQRPageList list;
  auto owned = std::make_unique<FailingStream>();
  FailingStream& stream = *owned;
  list.AttachStream(std::move(owned));
  list.AddPageData(FakeEmf(1));
  stream.WritesBeforeFailing = 2;  // the page number and the link, not the page
  EXPECT_THROW(list.AddPageData(FakeEmf(2)), EWriteError);
  EXPECT_EQ(list.PageCount(), 1);
  EXPECT_FALSE(list.GetPageData(2).has_value());
  stream.WritesBeforeFailing = -1;
  list.AddPageData(FakeEmf(3));
  list.Finish();
  list.SaveToFile(folder.File("store.qrp"));

  TQRPageList loaded;
  loaded.LoadFromFile(folder.File("store.qrp"));
  ASSERT_EQ(loaded.PageCount(), 2);
  EXPECT_EQ(*loaded.GetPageData(1), FakeEmf(1));
  EXPECT_EQ(*loaded.GetPageData(2), FakeEmf(3));
}

// A store saved after Clear, or after a page whose write failed part-way,
// ends with its last record: no bytes of the pages before linger behind it.
TEST(QRPageList, TheStreamIsCutAtItsLastRecord) {
  ScratchFolder folder;
  const Bytes small = FakeEmf(7);
  const Bytes expected = StoreBytes({small}, false, folder);
  for (const char* how : {"clear", "failed write"}) {
    ClockScope clock(FixedTime);
    TQRPageList list;
    auto owned = std::make_unique<FailingStream>();
    FailingStream& stream = *owned;
    list.AttachStream(std::move(owned));
    if (std::string(how) == "clear") {
      for (int i = 0; i < 3; ++i)
        list.AddPageData(FakeEmf(static_cast<std::uint8_t>(i), 5000));
      list.Clear();
      EXPECT_EQ(stream.Size(), 0);
    } else {
      stream.WritesBeforeFailing = 4;  // the header, the number, the link, the page: not its trailer
      EXPECT_THROW(list.AddPageData(FakeEmf(9, 50000)), EWriteError);
      stream.WritesBeforeFailing = -1;
    }
    list.AddPageData(small);
    list.Finish();
    list.SaveToFile(folder.File("again.qrp"));
    EXPECT_EQ(ReadFileBytes(folder.File("again.qrp")), expected) << how;
  }
}
