#include "textreport/core/zstreams.h"

#include <gtest/gtest.h>

#include <optional>

#include "classlib/system/codepage.h"

namespace {

TEST(ZStreamWrapper, WithoutTargetEverythingAnswersZero) {
  TZStreamWrapper wrapper(nullptr);
  char buffer[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(wrapper.Write(buffer, 4), 0);
  EXPECT_EQ(wrapper.Read(buffer, 4), 0);
  EXPECT_EQ(wrapper.Seek(2, soBeginning), 0);
}

TEST(ZStreamWrapper, PassesEverythingToTheTarget) {
  TStringStream target("hello");
  TZStreamWrapper wrapper(&target);
  EXPECT_EQ(wrapper.Seek(0, soEnd), 5);
  EXPECT_EQ(wrapper.Write(" you", 4), 4);
  EXPECT_EQ(target.DataString(), "hello you");
  wrapper.Seek(6, soBeginning);
  char buffer[3] = {};
  EXPECT_EQ(wrapper.Read(buffer, 3), 3);
  EXPECT_EQ(AnsiString(buffer, 3), "you");
}

// 1254 Turkish letters (and their 857 bytes).
struct LetterCase {
  unsigned ansi;
  unsigned oem;
};
const LetterCase kTurkishLetters[] = {
    {0xC7, 0x80}, {0xE7, 0x87}, {0xD0, 0xA6}, {0xF0, 0xA7}, {0xDD, 0x98}, {0xFD, 0x8D},
    {0xD6, 0x99}, {0xF6, 0x94}, {0xDE, 0x9E}, {0xFE, 0x9F}, {0xDC, 0x9A}, {0xFC, 0x81},
};

// Runs with the OEM page pinned to the built-in 857 table, and with the
// machine's own conversion when its OEM page is 857 (under Wine with the
// Turkish locale: the real CharToOem path).
class OemStream : public testing::TestWithParam<bool> {
protected:
  void SetUp() override {
    if (GetParam())
      pinned_.emplace(CodePage857());
    else if (OemCodePage() != 857)
      GTEST_SKIP() << "the machine's OEM code page is " << OemCodePage();
  }

private:
  std::optional<OemCodePageScope> pinned_;
};

TEST_P(OemStream, ConvertsEveryTurkishLetterAndLeavesTheCallersBufferAlone) {
  AnsiString text;
  AnsiString expected;
  for (const LetterCase& c : kTurkishLetters) {
    text += static_cast<char>(c.ansi);
    expected += static_cast<char>(c.oem);
  }
  // "²" and "³" stand for I and i (though 857 has "²"), also in mid-text.
  text += "Iix\xB2\xB3y\xB3";
  expected += "IixIiyi";
  const AnsiString original = text;
  TStringStream target;
  TZOEMStream stream(&target);
  stream.OEMConvert = true;
  EXPECT_EQ(stream.Write(text.data(), static_cast<std::int32_t>(text.size())), static_cast<std::int32_t>(text.size()));
  EXPECT_EQ(target.DataString(), expected);
  EXPECT_EQ(text, original);
}

TEST_P(OemStream, ReadingConvertsBackToTheSystemCodePage) {
  AnsiString oem;
  AnsiString ansi;
  for (const LetterCase& c : kTurkishLetters) {
    oem += static_cast<char>(c.oem);
    ansi += static_cast<char>(c.ansi);
  }
  TStringStream target(oem);
  TZOEMStream stream(&target);
  stream.OEMConvert = true;
  AnsiString read(oem.size(), '\0');
  EXPECT_EQ(stream.Read(read.data(), static_cast<std::int32_t>(read.size())), static_cast<std::int32_t>(oem.size()));
  EXPECT_EQ(read, ansi);
}

INSTANTIATE_TEST_SUITE_P(PinnedAndMachine, OemStream, testing::Bool());

TEST(OemStreamOff, WritesAndReadsBytesUnchanged) {
  const AnsiString text = "\xDE\xDD\xB2\xB3";
  TStringStream target;
  TZOEMStream stream(&target);
  EXPECT_EQ(stream.Write(text.data(), 4), 4);
  EXPECT_EQ(target.DataString(), text);
  target.Seek(0, soBeginning);
  char buffer[4];
  EXPECT_EQ(stream.Read(buffer, 4), 4);
  EXPECT_EQ(AnsiString(buffer, 4), text);
}

TEST(ZStringStream, WriteLnAndWriteString) {
  TStringStream target;
  TZStringStream stream(&target);
  stream.WriteLn("abc");
  stream.WriteString("de");
  stream.WriteLn("");
  EXPECT_EQ(target.DataString(), "abc\r\nde\r\n");
}

std::vector<AnsiString> ReadAllLines(const AnsiString& data) {
  TStringStream target(data);
  TZStringStream stream(&target);
  std::vector<AnsiString> lines;
  AnsiString line = "junk";
  while (stream.ReadLn(line))
    lines.push_back(line);
  EXPECT_EQ(line, "") << "a failed read leaves no text";
  return lines;
}

TEST(ZStringStream, ReadLnLineEnds) {
  struct Case {
    const char* data;
    std::vector<AnsiString> lines;
  } cases[] = {
      {"A\rB\nC", {"A", "B", "C"}},
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\n\nB", {"A", "", "B"}},
      {"A\r\rB", {"A", "", "B"}},
      {"\r\n", {""}},
      {"", {}},
      {"A\r", {"A"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(AnsiString(c.data)));
    EXPECT_EQ(ReadAllLines(c.data), c.lines);
  }
}

TEST(ZStringStream, ReadsLongLinesWhole) {
  const AnsiString longLine(3000, 'x');
  EXPECT_EQ(ReadAllLines(longLine + "\r\nend"), (std::vector<AnsiString>{longLine, "end"}));
}

// A target that takes only part of what it is given.
class ShortStream : public TStringStream {
public:
  std::int32_t Write(const void* buffer, std::int32_t count) override {
    return TStringStream::Write(buffer, count > 2 ? 2 : count);
  }
};

TEST(ZStringStream, AShortWriteIsAnError) {
  ShortStream target;
  TZStringStream stream(&target);
  EXPECT_THROW(stream.WriteLn("abcdef"), EWriteError);
}

}  // namespace
