#include <gtest/gtest.h>

#include <cstring>

#include "classlib/graphics/clipbrd.h"

namespace {

TEST(Clipboard, TextRoundTripKeepsTurkishLetters) {
  Clipboard().SetAsText("Çalışma şığ İÖÜ");
  EXPECT_TRUE(Clipboard().HasFormat(CF_UNICODETEXT));
  EXPECT_EQ(Clipboard().AsText(), "Çalışma şığ İÖÜ");
  char buffer[8];
  EXPECT_EQ(Clipboard().GetTextBuf(buffer, sizeof(buffer)), 7);
  EXPECT_STREQ(buffer, "Çalışma");
}

TEST(Clipboard, RegisteredFormatBlocksAreMoveableAndHoldTheBytes) {
  UINT format = RegisterClipboardFormat("Dsn_ClipboardFormat");
  ASSERT_NE(format, 0u);
  EXPECT_EQ(RegisterClipboardFormat("Dsn_ClipboardFormat"), format);
  const unsigned char payload[] = {4, 0, 0, 0, 'T', 'P', 'F', '0'};
  Clipboard().SetBuffer(format, payload, sizeof(payload));
  EXPECT_TRUE(Clipboard().HasFormat(format));
  Clipboard().Open();
  HANDLE data = Clipboard().GetAsHandle(format);
  ASSERT_NE(data, nullptr);
  EXPECT_GE(GlobalSize(data), sizeof(payload));
  void* locked = GlobalLock(data);
  EXPECT_NE(locked, static_cast<void*>(data));  // moveable blocks are handles, not addresses
  EXPECT_EQ(std::memcmp(locked, payload, sizeof(payload)), 0);
  GlobalUnlock(data);
  Clipboard().Close();
}

TEST(Clipboard, FirstChangeAfterOpenEmptiesTheClipboard) {
  UINT format = RegisterClipboardFormat("Dozuri_TestFormat");
  Clipboard().SetAsText("eski");
  Clipboard().Open();
  const char one = 1;
  Clipboard().SetBuffer(format, &one, 1);
  Clipboard().SetTextBuf("yeni");
  Clipboard().Close();
  EXPECT_TRUE(Clipboard().HasFormat(format));
  EXPECT_EQ(Clipboard().AsText(), "yeni");
  Clipboard().Clear();
  EXPECT_FALSE(Clipboard().HasFormat(format));
  EXPECT_FALSE(Clipboard().HasFormat(CF_UNICODETEXT));
}

}  // namespace
