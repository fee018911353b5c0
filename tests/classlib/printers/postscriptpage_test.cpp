// A user-sized page told to a PostScript device: which device modes ask for
// a user size, the page size in points, and that a device context that takes
// no passed-through data (the screen) is sent nothing.
#include <gtest/gtest.h>

#include "classlib/printers/postscriptpage.h"

namespace {

DEVMODEW Mode(DWORD fields, short paper, short width, short length) {
  DEVMODEW dm{};
  dm.dmSize = sizeof dm;
  dm.dmFields = fields;
  dm.dmPaperSize = paper;
  dm.dmPaperWidth = width;
  dm.dmPaperLength = length;
  return dm;
}

TEST(PostScriptPage, UserSizesAreLengthAndWidthWithoutAStandardCode) {
  const DWORD sizes = DM_PAPERWIDTH | DM_PAPERLENGTH;
  struct Case {
    DWORD fields;
    short paper, width, length;
    bool user;
  } cases[] = {
      {sizes, 9, 1000, 1500, true},                          // no paper code: the sizes count
      {sizes | DM_PAPERSIZE, DMPAPER_USER, 1000, 1500, true},  // the user code
      {sizes | DM_PAPERSIZE, DMPAPER_A4, 1000, 1500, false},   // a standard code wins
      {DM_PAPERSIZE, DMPAPER_USER, 1000, 1500, false},         // no sizes given
      {DM_PAPERWIDTH, 0, 1000, 1500, false},                   // only one of them
      {sizes, 0, 0, 1500, false},                              // a size of nothing
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsUserPageSize(Mode(c.fields, c.paper, c.width, c.length)), c.user)
        << c.fields << " " << c.paper << " " << c.width << "x" << c.length;
}

TEST(PostScriptPage, ThePageSizeIsInPoints) {
  EXPECT_EQ(PostScriptPageSize(1000, 1500), "<< /PageSize [283.46 425.20] /ImagingBBox null >> setpagedevice\n");
  EXPECT_EQ(PostScriptPageSize(2100, 2970), "<< /PageSize [595.28 841.89] /ImagingBBox null >> setpagedevice\n");
}

TEST(PostScriptPage, ADeviceWithoutPassThroughIsSentNothing) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_FALSE(TellPostScriptPageSize(screen, Mode(DM_PAPERWIDTH | DM_PAPERLENGTH, 0, 1000, 1500)));
  ReleaseDC(nullptr, screen);
  EXPECT_FALSE(TellPostScriptPageSize(nullptr, Mode(DM_PAPERWIDTH | DM_PAPERLENGTH, 0, 1000, 1500)));
}

}  // namespace
