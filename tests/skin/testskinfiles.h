// The test skins the build writes with make_test_skins.py: where they are,
// their files and the table of their flat colours. Portable (the standard
// library only), so native and Windows tests share it.
//
//   manager.SetSkinDirectory(skin_test::TestSkinsDirectory());
//   manager.SetSkinName("TestSkin");
//   EXPECT_EQ(pixel, skin_test::TestSkinColour("PANEL.BORDERSMASK.1"));
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "classlib/system/ansistring.h"

namespace skin_test {

// The folder of the test skins, without a trailing separator: the
// DOZURI_TEST_SKINS environment variable when set, else the folder the
// build wrote them into (on Windows as a drive path, "Z:\...").
AnsiString TestSkinsDirectory();
// A file or folder in it: TestSkinPath("TestSkin\\PANEL.BMP") (either
// separator may be written; the platform's is used).
AnsiString TestSkinPath(const AnsiString& Name);
// The bytes of a file in it; raises std::runtime_error when it cannot be
// read.
std::string ReadTestSkinFile(const AnsiString& Name);

// The colour table: each name with its colour as a TColor value
// (0x00BBGGRR). IMAGE.KEY.n is state column n of an image (GLOBALINFO
// images and MASTER, the master bitmap's background, included);
// SECTION.KEY a colour value the options file gives a section.
const std::map<std::string, std::int32_t>& TestSkinColours();
// One colour of the table; raises std::runtime_error for a name it lacks,
// so a misspelt name fails the test that asks.
std::int32_t TestSkinColour(const std::string& Name);

}  // namespace skin_test
