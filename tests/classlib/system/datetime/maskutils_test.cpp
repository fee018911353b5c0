// Laying values out on edit masks.
#include <gtest/gtest.h>

#include "classlib/system/formatsettings.h"
#include "classlib/system/maskutils.h"

namespace {

struct MaskCase {
  const char* mask;
  const char* value;
  const char* expected;
};

void ExpectMasks(const MaskCase* cases, size_t count, const TFormatSettings& settings) {
  for (size_t i = 0; i < count; ++i) {
    SCOPED_TRACE(testing::Message() << cases[i].mask << " <- " << cases[i].value);
    EXPECT_EQ(FormatMaskText(cases[i].mask, cases[i].value, settings), cases[i].expected);
  }
}

TEST(FormatMaskText, LiteralsInsertedIntoTypedCharacters) {
  // ";0" in the mask: the value holds only what was typed.
  const MaskCase cases[] = {
      {"(000) 000-0000;0;_", "5551234567", "(555) 123-4567"},
      {"(000) 000-0000;0;_", "55512", "(555) 12 -    "},
      {"(000) 000-0000;0;_", "", "(   )    -    "},
      {"!99/99/0000;0;_", "01022000", "01.02.2000"},
      {"!99/99/0000;0;_", "1022000", " 1.02.2000"},
      {"99/99/0000;0;_", "1022000", "10.22.000 "},
      {"00:00;0;_", "1230", "12:30"},
      {">LL-000;0;_", "ab123", "ab-123"},
      {"\\A00;0;_", "12", "A12"},
      {"00\\/00;0;_", "1234", "12/34"},
      {"\\\\00;0;_", "12", "\\12"},
      {"000;0", "12345", "12345"},
      {"0-0;0", "1", "1- "},
      {"L;0;*", "x", "x"},
  };
  ExpectMasks(cases, std::size(cases), TurkishFormatSettings());
}

TEST(FormatMaskText, SavedLiteralsSplitTheValueIntoFields) {
  const MaskCase turkish[] = {
      {"!99/99/0000;1;_", "1.2.2000", " 1. 2.2000"},
      {"!99/99/0000;1;_", "12.05.2024", "12.05.2024"},
      {"99/99/0000;1;_", "1.2.2000", "1 .2 .2000"},
      {"!99/99/0000;1;_", "123.4.2000", "23. 4.2000"},
      {"99/99/0000;1;_", "123.4.2000", "12.4 .2000"},
      {"00-00", "12-34", "12-34"},
      {"00-00", "1-34", "1 -34"},
      {"00-00", "123-4", "12-4 "},
      {"00-00", "1234", "12-  "},
      {"!00-00", "1-3", " 1- 3"},
  };
  ExpectMasks(turkish, std::size(turkish), TurkishFormatSettings());
  const MaskCase us[] = {
      {"!99/99/0000;1;_", "1/2/2000", " 1/ 2/2000"},
      {"!99/99/0000;1;_", "1.2.2000", "00/  /    "},  // no "/" in the value
      {"!90:00;1;_", "9:05", " 9:05"},
  };
  ExpectMasks(us, std::size(us), USFormatSettings());
}

TEST(FormatMaskText, SeparatorsFollowTheSettings) {
  EXPECT_EQ(FormatMaskText("00/00/0000;0;_", "05032024", TurkishFormatSettings()), "05.03.2024");
  EXPECT_EQ(FormatMaskText("00/00/0000;0;_", "05032024", USFormatSettings()), "05/03/2024");
  FormatSettingsScope scope(TurkishFormatSettings());
  EXPECT_EQ(FormatMaskText("00/00;0;_", "0503"), "05.03");
}

TEST(FormatMaskText, AnEmptyMaskLeavesTheValue) {
  EXPECT_EQ(FormatMaskText("", "abc def"), "abc def");
}

}  // namespace
