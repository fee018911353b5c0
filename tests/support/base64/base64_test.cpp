// Base64 against the RFC 4648 test vectors, every byte value, and no line
// breaks in long output.
#include <gtest/gtest.h>

#include "support/base64/base64.h"

TEST(Base64, KnownVectors) {
  const std::pair<const char*, const char*> cases[] = {{"", ""},          {"f", "Zg=="},         {"fo", "Zm8="},
                                                       {"foo", "Zm9v"},   {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="},
                                                       {"foobar", "Zm9vYmFy"}};
  for (const auto& [in, out] : cases)
    EXPECT_EQ(MimeEncodeNoCRLF(std::string(in)), out) << in;
}

TEST(Base64, HighBytesAndLongInputStayOnOneLine) {
  EXPECT_EQ(MimeEncodeNoCRLF(std::string("\xFF\xFE\xFD", 3)), "//79");
  EXPECT_EQ(MimeEncodeNoCRLF(std::string("\x00\x10\x83", 3)), "ABCD");
  std::string all;
  for (int i = 0; i < 256; ++i)
    all += static_cast<char>(i);
  std::string text = MimeEncodeNoCRLF(all + all + all);
  EXPECT_EQ(text.size(), 1024u);
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(text.substr(0, 8), "AAECAwQF");
}
