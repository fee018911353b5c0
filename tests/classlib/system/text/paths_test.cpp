#include <gtest/gtest.h>

#include "classlib/system/strutils.h"

namespace {

struct PathCase {
  std::string name, path, dir, file, ext;
};

TEST(FileNames, SplitTable) {
  const PathCase cases[] = {
      // name                   ExtractFilePath   ExtractFileDir   ExtractFileName  ExtractFileExt
      {"C:\\dir\\file.txt",    "C:\\dir\\",      "C:\\dir",       "file.txt",      ".txt"},
      {"C:\\file.txt",         "C:\\",           "C:\\",          "file.txt",      ".txt"},
      {"C:file.txt",           "C:",             "C:",            "file.txt",      ".txt"},
      {"\\file",               "\\",             "\\",            "file",          ""},
      {"file",                 "",               "",              "file",          ""},
      {"",                     "",               "",              "",              ""},
      {"a\\b.c\\d",            "a\\b.c\\",       "a\\b.c",        "d",             ""},
      {"a\\b\\",               "a\\b\\",         "a\\b",          "",              ""},
      {"a\\\\b",               "a\\\\",          "a\\\\",         "b",             ""},
      {"archive.tar.gz",       "",               "",              "archive.tar.gz", ".gz"},
      {".profile",             "",               "",              ".profile",      ".profile"},
      {"name.",                "",               "",              "name.",         "."},
      {"\\\\server\\share\\x.y", "\\\\server\\share\\", "\\\\server\\share", "x.y", ".y"},
      {"/tmp/dir/a.txt",       "/tmp/dir/",      "/tmp/dir",      "a.txt",         ".txt"},
      {"C:/mixed\\sep/b.bin",  "C:/mixed\\sep/", "C:/mixed\\sep", "b.bin",         ".bin"},
  };
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ExtractFilePath(c.name), c.path);
    EXPECT_EQ(ExtractFileDir(c.name), c.dir);
    EXPECT_EQ(ExtractFileName(c.name), c.file);
    EXPECT_EQ(ExtractFileExt(c.name), c.ext);
    EXPECT_EQ(ExtractFilePath(c.name) + ExtractFileName(c.name), c.name);
  }
}

struct ChangeExtCase {
  std::string name, ext, expected;
};

TEST(FileNames, ChangeFileExt) {
  const ChangeExtCase cases[] = {
      {"report.txt", ".pdf", "report.pdf"},
      {"report", ".pdf", "report.pdf"},
      {"C:\\a.b\\report", ".ini", "C:\\a.b\\report.ini"},
      {"archive.tar.gz", ".zip", "archive.tar.zip"},
      {"report.txt", "", "report"},
      {"", ".ini", ".ini"},
      {"name.", ".x", "name.x"},
      {"dir/file", ".x", "dir/file.x"},
  };
  for (const ChangeExtCase& c : cases)
    EXPECT_EQ(ChangeFileExt(c.name, c.ext), c.expected) << c.name;
}

struct DelimiterCase {
  std::string in, included, excluded;
};

TEST(FileNames, TrailingPathDelimiter) {
  const DelimiterCase cases[] = {
      {"C:\\dir", "C:\\dir\\", "C:\\dir"},
      {"C:\\dir\\", "C:\\dir\\", "C:\\dir"},
      {"", "\\", ""},
      {"\\", "\\", ""},
      {"C:", "C:\\", "C:"},
      {"/tmp/", "/tmp/", "/tmp"},
      {"a\\\\", "a\\\\", "a\\"},  // only one delimiter is removed
  };
  for (const DelimiterCase& c : cases) {
    EXPECT_EQ(IncludeTrailingPathDelimiter(c.in), c.included) << c.in;
    EXPECT_EQ(ExcludeTrailingPathDelimiter(c.in), c.excluded) << c.in;
  }
}

}  // namespace
