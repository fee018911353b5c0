#include "classlib/forms/shortcuts.h"

#include <gtest/gtest.h>

namespace {

struct ShortCutCase {
  const char* text;
  TShortCut shortCut;
};

// The texts the program's navigators and menus use, with their numbers.
const ShortCutCase kCases[] = {
    {"Ctrl+F5", scCtrl | VK_F5},     {"Ctrl+PgUp", scCtrl | VK_PRIOR}, {"PgUp", VK_PRIOR},
    {"PgDn", VK_NEXT},               {"Ctrl+PgDn", scCtrl | VK_NEXT},  {"Ctrl+F2", scCtrl | VK_F2},
    {"Ctrl+F3", scCtrl | VK_F3},     {"Alt+F2", scAlt | VK_F2},        {"F3", VK_F3},
    {"Esc", VK_ESCAPE},              {"F2", VK_F2},                    {"Alt+F4", 0x8073},
    {"Ctrl+N", scCtrl | 'N'},        {"Ctrl+O", scCtrl | 'O'},         {"Ctrl+S", scCtrl | 'S'},
    {"Shift+Del", scShift | VK_DELETE}, {"Enter", VK_RETURN},          {"Shift+Ctrl+Alt+Home", scShift | scCtrl | scAlt | VK_HOME},
    {"F12", VK_F12},                 {"Ins", VK_INSERT},               {"Ctrl+1", scCtrl | '1'},
};

TEST(ShortCutTest, TextAndNumberMatchBothWays) {
  for (const ShortCutCase& c : kCases) {
    EXPECT_EQ(ShortCutToText(c.shortCut), c.text) << c.text;
    EXPECT_EQ(TextToShortCut(c.text), c.shortCut) << c.text;
  }
}

TEST(ShortCutTest, TextIsReadWithoutRegardToCase) {
  EXPECT_EQ(TextToShortCut("ctrl+pgup"), scCtrl | VK_PRIOR);
  EXPECT_EQ(TextToShortCut("ALT+f2"), scAlt | VK_F2);
}

TEST(ShortCutTest, UnknownTextsGiveZero) {
  for (const char* text : {"", "Ctrl+", "Ctrl+Nothing", "Hyper+F2", "F99"})
    EXPECT_EQ(TextToShortCut(text), 0) << text;
  EXPECT_EQ(ShortCutToText(0), "");
}

TEST(ShortCutTest, ShortCutAndShortCutToKeyAreInverse) {
  const TShortCut sc = ShortCut(VK_F5, TShiftState{ssCtrl, ssShift});
  EXPECT_EQ(sc, scCtrl | scShift | VK_F5);
  WORD key = 0;
  TShiftState shift;
  ShortCutToKey(sc, key, shift);
  EXPECT_EQ(key, VK_F5);
  EXPECT_EQ(shift, (TShiftState{ssCtrl, ssShift}));
  EXPECT_EQ(ShortCut(0x1FF, TShiftState{}), 0) << "keys above a byte have no shortcut";
}

}  // namespace
