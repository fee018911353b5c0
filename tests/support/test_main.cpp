// Entry point shared by every test executable. It starts as the program does:
// the number and date formats are the user's locale's (under Wine the test
// desktop's, Turkish or U.S. English), so a test that sets no formats of its
// own sees what a user of that locale sees.
#include <gtest/gtest.h>

#include "classlib/system/formatsettings.h"

int main(int argc, char** argv) {
  LoadLocaleFormatSettings();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
