#include "textreport/core/zrconst.h"

#include <gtest/gtest.h>

namespace {

TEST(ZRStringTable, EveryIdHasAText) {
  for (int id = 0; id < SZRStringCount; ++id)
    EXPECT_STRNE(LoadZRString(static_cast<TZRStringId>(id)), "") << "id " << id;
  EXPECT_STREQ(LoadZRString(SZRStringCount), "");
}

TEST(ZRStringTable, KnownTexts) {
  EXPECT_STREQ(LoadZRString(SZRNotReady), "Not ready to start new document");
  EXPECT_STREQ(LoadZRString(SZRCustomModel), "<custom>");
  EXPECT_STREQ(LoadZRString(SZRNoneModel), "<none>");
  EXPECT_STREQ(LoadZRString(SZRTrue), "True");
  EXPECT_STREQ(LoadZRString(SZRFalse), "False");
  EXPECT_STREQ(LoadZRString(SZRSearchHint), "Search - F7,\nContinue - Shift+F7");
}

TEST(RaiseZRError, RaisesTheFormattedTextAsEZRError) {
  try {
    RaiseZRError(SZROutOfPageBounds, {3, 0, 61});
    FAIL() << "no exception";
  } catch (const EZRError& e) {
    EXPECT_EQ(e.Message, "Out of page bounds, page 3/0, line 61");
    EXPECT_STREQ(e.ClassName(), "EZRError");
  }
  EXPECT_THROW(RaiseZRError(SZRCircularLinks), Exception);
  try {
    RaiseZRError(SZRInvalidFileName, {"a;b.txt"});
  } catch (const EZRError& e) {
    EXPECT_EQ(e.Message, "Invalid file name: a;b.txt");
  }
}

}  // namespace
