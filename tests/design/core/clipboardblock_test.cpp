// The design clipboard block: made from records, and taken only when its
// length fits and its data begins with the signature.
#include "design/core/clipboardblock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Bytes(const std::vector<unsigned char>& v) { return std::string(v.begin(), v.end()); }

std::string Taken(const std::string& block, bool& ok) {
  TMemoryStream data;
  data.Write("vorher", 6);
  ok = TakeClipboardBlock(block.data(), block.size(), data);
  return std::string(static_cast<const char*>(data.Memory()), static_cast<std::size_t>(data.Size()));
}

TEST(ClipboardBlock, TheLengthComesFirstLittleEndian) {
  TMemoryStream records;
  const std::string body = "TPF0" + std::string(300, 'x') + std::string(1, '\0');
  records.Write(body.data(), static_cast<std::int32_t>(body.size()));
  const std::string block = Bytes(MakeClipboardBlock(records));
  ASSERT_EQ(block.size(), body.size() + 4);
  EXPECT_EQ(block.substr(0, 4), std::string("\x31\x01\x00\x00", 4));
  EXPECT_EQ(block.substr(4), body);
}

TEST(ClipboardBlock, OnlyABlockWhoseLengthFitsAndWhoseDataIsSignedIsTaken) {
  const std::string data = "TPF0" + std::string("\x06LABEL\x00\x00", 8);
  const std::string good = std::string("\x0c\x00\x00\x00", 4) + data;
  struct Case {
    const char* what;
    std::string block;
    bool taken;
    std::string result;
  };
  const Case cases[] = {
      {"exact", good, true, data},
      {"room to spare (the system may round a block up)", good + std::string(8, '\0'), true, data},
      {"a length beyond the block", std::string("\x0d\x00\x00\x00", 4) + data, false, "vorher"},
      {"a huge length", std::string("\xff\xff\xff\xff", 4) + data, false, "vorher"},
      {"shorter than the length field", std::string("\x02\x00", 2), false, "vorher"},
      {"empty", "", false, "vorher"},
      {"no data", std::string(4, '\0'), false, "vorher"},
      {"no signature", std::string("\x0c\x00\x00\x00", 4) + "TPF1" + data.substr(4), false, "vorher"},
      {"a length shorter than the signature", std::string("\x02\x00\x00\x00", 4) + data, false, "vorher"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bool ok = false;
    EXPECT_EQ(Taken(c.block, ok), c.result);
    EXPECT_EQ(ok, c.taken);
  }
}

}  // namespace
