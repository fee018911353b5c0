// The text form of component streams, both ways.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/writer.h"
#include "fixtures.h"

namespace {

std::string ToText(TMemoryStream& binary) {
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(binary, text);
  return text.DataString();
}

std::string TextToBinaryToText(const std::string& text) {
  TStringStream input(text);
  TMemoryStream binary;
  ObjectTextToBinary(input, binary);
  return ToText(binary);
}

// Texts in the converter's own layout come back exactly.
TEST(ObjectText, RoundTripOfEveryValueForm) {
  const std::string text =
      "object Form1: TSampleForm\r\n"
      "  Small = 100\r\n"
      "  Medium = -1000\r\n"
      "  Big = 5000000000\r\n"
      "  Text = 'It''s'#13#10'ok'\r\n"
      "  Flag = True\r\n"
      "  Buddy = nil\r\n"
      "  Kind = skShape\r\n"
      "  Options = [soBold, soFramed]\r\n"
      "  Empty = []\r\n"
      "  Ratio = 0.1\r\n"
      "  Factor = 1.5s\r\n"
      "  Money = 12.5c\r\n"
      "  When = 45000.25d\r\n"
      "  Wide = 'a'#287'b'\r\n"
      "  Lines.Strings = (\r\n"
      "    'x'\r\n"
      "    'y')\r\n"
      "  Nothing = ()\r\n"
      "  Data = {\r\n"
      "    00FF10}\r\n"
      "  Items = <\r\n"
      "    item\r\n"
      "      Caption = 'c'\r\n"
      "    end\r\n"
      "    item [3]\r\n"
      "    end>\r\n"
      "  object Child: TSample\r\n"
      "  end\r\n"
      "  inherited Base: TSample [2]\r\n"
      "  end\r\n"
      "end\r\n";
  EXPECT_EQ(TextToBinaryToText(text), text);
}

TEST(ObjectText, LongStringsAreSplitAndJoined) {
  TSample sample(nullptr);
  sample.SetName("S");
  sample.Text = std::string(100, 'a');
  TMemoryStream binary;
  {
    TWriter writer(binary);
    writer.WriteRootComponent(&sample);
  }
  std::string text = ToText(binary);
  EXPECT_NE(text.find("  Text = '" + std::string(64, 'a') + "' +\r\n    '" + std::string(36, 'a') + "'\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(TextToBinaryToText(text), text);
}

// #n is byte n of an 8-bit string (code page 1254: #208 is "Ğ"); bytes
// beyond ASCII print as #n again.
TEST(ObjectText, CharacterCodesAreBytesOfEightBitStrings) {
  const std::string text = "object S: TSample\r\n  Text = 'A'#208#253\r\nend\r\n";
  TStringStream input(text);
  TMemoryStream binary;
  ObjectTextToBinary(input, binary);
  const unsigned char expected[] = {'T', 'P', 'F', '0', 7, 'T', 'S', 'a', 'm', 'p', 'l', 'e', 1, 'S',
                                    4, 'T', 'e', 'x', 't', vaString, 3, 'A', 0xD0, 0xFD, 0, 0};
  ASSERT_EQ(binary.Size(), static_cast<std::int64_t>(sizeof expected));
  EXPECT_EQ(std::memcmp(binary.Memory(), expected, sizeof expected), 0);
  EXPECT_EQ(ToText(binary), text);
}

TEST(ObjectText, ParseErrorsNameTheLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"thing X: T\nend\n", "'object' expected on line 1"},
      {"object X: T\n  A = 'open\nend\n", "Unterminated string on line 2"},
      {"object X: T\n  A 5\nend\n", "'=' expected on line 2"},
      {"object X: T\n  A = {0G}\nend\n", "Invalid binary value on line 2"},
      {"object X: T\n  A = 5\n", "Identifier expected on line 3"},
  };
  for (const Case& c : cases) {
    TStringStream input(c.text);
    TMemoryStream binary;
    try {
      ObjectTextToBinary(input, binary);
      FAIL() << c.text;
    } catch (EReadError& e) {
      EXPECT_EQ(e.Message, c.message);
    }
  }
}

TEST(ObjectText, DamagedBinaryRaises) {
  TStringStream input(std::string("TPF0\x07TSample\x01X\x04", 16));
  TStringStream output;
  EXPECT_THROW(ObjectBinaryToText(input, output), EReadError);
}

}  // namespace
