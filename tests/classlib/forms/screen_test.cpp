#include "classlib/forms/screen.h"

#include <gtest/gtest.h>

#include "classlib/forms/forms.h"
#include "classlib/system/strutils.h"
#include "forms_test_util.h"

namespace {

TEST(ScreenTest, SizesComeFromTheSystem) {
  EXPECT_EQ(Screen->Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(Screen->Height(), GetSystemMetrics(SM_CYSCREEN));
  const TRect work = Screen->WorkAreaRect();
  EXPECT_GT(work.right - work.left, 0);
  EXPECT_LE(Screen->WorkAreaWidth(), Screen->Width());
  EXPECT_EQ(Screen->PixelsPerInch(), 96) << "the test desktop's resolution";
}

TEST(ScreenTest, FontsListsTheInstalledFamiliesSorted) {
  TStrings* fonts = Screen->Fonts();
  ASSERT_GT(fonts->Count(), 0);
  EXPECT_GE(fonts->IndexOf("Liberation Sans"), 0) << "installed on the test desktop";
  for (int i = 1; i < fonts->Count(); ++i)
    EXPECT_LE(AnsiCompareText(fonts->Strings(i - 1), fonts->Strings(i)), 0);
}

TEST(ScreenTest, CursorsAreStandardOrRegistered) {
  EXPECT_EQ(Screen->Cursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
  EXPECT_EQ(Screen->Cursors(crSizeNWSE), LoadCursorW(nullptr, IDC_SIZENWSE));
  HCURSOR custom = LoadCursorW(nullptr, IDC_CROSS);
  Screen->SetCursors(5, custom);
  EXPECT_EQ(Screen->Cursors(5), custom);
  Screen->SetCursors(5, nullptr);
  EXPECT_EQ(Screen->Cursors(5), LoadCursorW(nullptr, IDC_ARROW)) << "unknown numbers show the arrow";
  Screen->SetCursor(crHourGlass);
  EXPECT_EQ(CursorHandleHook(crDefault), LoadCursorW(nullptr, IDC_WAIT)) << "a screen cursor wins";
  Screen->SetCursor(crDefault);
  EXPECT_EQ(CursorHandleHook(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace
