#include "classlib/system/exceptions.h"

#include <gtest/gtest.h>

TEST(Exceptions, ClassNamesAndHierarchy) {
  try {
    throw EReadError("Stream read error");
  } catch (const EStreamError& e) {
    EXPECT_STREQ(e.ClassName(), "EReadError");
    EXPECT_EQ(e.Message, "Stream read error");
  }
}

TEST(Exceptions, OsErrorCarriesCodeAndText) {
  try {
    RaiseLastOSError(2);
    FAIL() << "no exception";
  } catch (const EOSError& e) {
    EXPECT_EQ(e.ErrorCode, 2u);
    EXPECT_EQ(e.Message.rfind("System Error.  Code: 2.", 0), 0u) << e.Message;
    EXPECT_GT(e.Message.size(), 30u);
  }
}
