// The print helper library: loaded from the folder given (the program's
// folder for the report component) by its full path, never from the current
// folder or the PATH; a library without "Execute" leaves the helper off.
#include "layouts/printhelper.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "classlib/system/codepage.h"
#include "classlib/system/fileutils.h"
#include "layouts/vtrapor.h"
#include "tests/support/scratchfolder.h"

namespace {

// The stand-in libraries' folders, beside the test's working folder.
AnsiString StubFolder(const char* Name) { return GetCurrentDir() + "\\" + Name + "\\"; }

bool HelperLoaded() { return GetModuleHandleW(L"printhelper.dll") != nullptr; }

TEST(PrintHelperLibrary, TheHelperInTheGivenFolderIsLoadedAndCalled) {
  ASSERT_TRUE(FileExists(StubFolder("withexport") + PrintHelperFileName));
  {
    TPrintHelperLibrary helper(StubFolder("withexport"));
    ASSERT_TRUE(helper.Available());
    ASSERT_NE(helper.Handle(), nullptr);
    helper.Execute()("Nokta Vuruşlu", 2, 1, 100.5L, 40.25L, "QUJD|||REVG");
    using TLastCall = const char* (*)();
    auto lastCall = reinterpret_cast<TLastCall>(reinterpret_cast<void*>(GetProcAddress(helper.Handle(), "LastCall")));
    ASSERT_NE(lastCall, nullptr);
    EXPECT_STREQ(lastCall(), "Nokta Vuruşlu;2;1;100.500;40.250;QUJD|||REVG");
  }
  EXPECT_FALSE(HelperLoaded()) << "the library is released with its owner";
}

TEST(PrintHelperLibrary, ALibraryWithoutExecuteLeavesTheHelperOff) {
  TPrintHelperLibrary helper(StubFolder("noexport"));
  EXPECT_NE(helper.Handle(), nullptr);
  EXPECT_FALSE(helper.Available());
  EXPECT_EQ(helper.Execute(), nullptr);
}

// A library of that name in the current folder or on the PATH is never run:
// only the given folder counts.
TEST(PrintHelperLibrary, TheCurrentFolderAndThePathAreNeverSearched) {
  ScratchFolder empty;
  const AnsiString planted = StubFolder("withexport");
  const AnsiString previousDir = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDirectoryW(reinterpret_cast<LPCWSTR>(AnsiToUtf16(planted).c_str())));
  const DWORD pathSize = GetEnvironmentVariableW(L"PATH", nullptr, 0);
  std::wstring path(pathSize, L'\0');
  GetEnvironmentVariableW(L"PATH", path.data(), pathSize);
  path.resize(pathSize > 0 ? pathSize - 1 : 0);
  const std::u16string plantedWide = AnsiToUtf16(planted);
  SetEnvironmentVariableW(L"PATH", (std::wstring(plantedWide.begin(), plantedWide.end()) + L";" + path).c_str());

  {
    TPrintHelperLibrary none(empty.File(""));
    EXPECT_FALSE(none.Available());
    EXPECT_EQ(none.Handle(), nullptr);
    TPrintHelperLibrary noFolder("");
    EXPECT_EQ(noFolder.Handle(), nullptr);
    // The test program's folder holds no helper: the report component stays without one.
    ASSERT_FALSE(FileExists(ProgramFolder() + PrintHelperFileName));
    TVtRapor* rapor = new TVtRapor(nullptr);
    EXPECT_FALSE(rapor->PrintHelper().Available());
    EXPECT_EQ(rapor->PrintHelperExecute(), nullptr);
    rapor->Free();
    EXPECT_FALSE(HelperLoaded());
  }
  // The planted library is there for a bare-name load to find: the checks
  // above would have failed with the search order.
  HMODULE bare = LoadLibraryW(L"printhelper.dll");
  EXPECT_NE(bare, nullptr);
  if (bare != nullptr)
    FreeLibrary(bare);

  SetEnvironmentVariableW(L"PATH", path.c_str());
  SetCurrentDirectoryW(reinterpret_cast<LPCWSTR>(AnsiToUtf16(previousDir).c_str()));
}

TEST(PrintHelperLibrary, TheProgramFolderIsTheFolderOfTheRunningProgram) {
  const AnsiString folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_TRUE(FileExists(folder + "test_printhelper.exe"));
}

}  // namespace
