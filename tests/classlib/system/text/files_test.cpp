#include <gtest/gtest.h>

#include <cerrno>

#include "classlib/system/exceptions.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/platformseam.h"
#include "classlib/system/strutils.h"
#include "tests/classlib/system/text/textcases.h"

namespace {

// A fresh folder under the temporary folder, removed again with all it holds
// (the tests know every name they create).
class FileOperations : public testing::Test {
protected:
  void SetUp() override {
    const AnsiString marker = CreateTempFile("", "dzt");
    ASSERT_TRUE(DeleteFile(marker));
    root_ = marker + ".dir";
    ASSERT_TRUE(CreateDir(root_)) << root_;
  }

  void TearDown() override {
    for (auto it = created_.rbegin(); it != created_.rend(); ++it)
      DirectoryExists(*it) ? (void)RemoveDir(*it) : (void)DeleteFile(*it);
    if (!root_.empty())
      RemoveDir(root_);
  }

  AnsiString Path(const AnsiString& relative) {
    AnsiString path = IncludeTrailingPathDelimiter(root_) + relative;
    created_.push_back(path);
    return path;
  }

  static void WriteFile(const AnsiString& name) {
    // Only the seam knows the native form of a name, so the file is made by
    // creating a temporary one and moving it into place.
    const AnsiString temp = CreateTempFile(ExtractFilePath(name), "new");
    ASSERT_TRUE(RenameFile(temp, name)) << name;
  }

  AnsiString root_;
  std::vector<AnsiString> created_;
};

TEST_F(FileOperations, ForceDirectoriesMakesEveryLevel) {
  const AnsiString a = Path("a"), b = Path("a\\b"), c = Path("a\\b\\c");
  EXPECT_FALSE(DirectoryExists(a));
  EXPECT_TRUE(ForceDirectories(c + "\\"));
  EXPECT_TRUE(DirectoryExists(a));
  EXPECT_TRUE(DirectoryExists(b));
  EXPECT_TRUE(DirectoryExists(c));
  EXPECT_FALSE(FileExists(c));
  EXPECT_TRUE(ForceDirectories(c)) << "an existing folder counts as made";
  EXPECT_FALSE(CreateDir(c)) << "CreateDir reports a folder that exists";
}

TEST_F(FileOperations, ForceDirectoriesFailsBelowAFile) {
  const AnsiString file = Path("plain");
  WriteFile(file);
  EXPECT_FALSE(ForceDirectories(file + "\\sub"));
  EXPECT_THROW(ForceDirectories(""), EInOutError);
}

TEST_F(FileOperations, TurkishNames) {
  const AnsiString dir = Path(Ansi(u"Şirket İçi Ğüö")), file = Path(Ansi(u"Şirket İçi Ğüö\\ılık.txt"));
  ASSERT_TRUE(ForceDirectories(dir));
  WriteFile(file);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(Path(Ansi(u"Şirket İçi Ğüö\\ilik.txt"))));
}

TEST_F(FileOperations, FilesAndFoldersAreToldApart) {
  const AnsiString dir = Path("dir"), file = Path("file.dat");
  ASSERT_TRUE(CreateDir(dir));
  WriteFile(file);
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(dir));
  EXPECT_TRUE(DirectoryExists(IncludeTrailingPathDelimiter(dir)));
  EXPECT_FALSE(FileExists(dir));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(DirectoryExists(""));
  EXPECT_FALSE(DeleteFile(dir)) << "DeleteFile removes files only";
  EXPECT_FALSE(RemoveDir(file)) << "RemoveDir removes folders only";
}

TEST_F(FileOperations, RenameMovesAndRefusesToOverwrite) {
  const AnsiString first = Path("first.txt"), second = Path("second.txt"), third = Path("third.txt");
  WriteFile(first);
  EXPECT_TRUE(RenameFile(first, second));
  EXPECT_FALSE(FileExists(first));
  EXPECT_TRUE(FileExists(second));
  WriteFile(third);
  EXPECT_FALSE(RenameFile(third, second));
  EXPECT_TRUE(FileExists(third));
  EXPECT_FALSE(RenameFile(first, Path("fourth.txt"))) << "the source is gone";
}

TEST_F(FileOperations, DeleteAndRemove) {
  const AnsiString dir = Path("full"), file = Path("full\\x");
  ASSERT_TRUE(CreateDir(dir));
  WriteFile(file);
  EXPECT_FALSE(RemoveDir(dir)) << "a folder with files stays";
  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_FALSE(DeleteFile(file)) << "deleting twice fails";
  EXPECT_TRUE(RemoveDir(dir));
  EXPECT_FALSE(DirectoryExists(dir));
}

TEST_F(FileOperations, TempFilesAreNewAndUnique) {
  const AnsiString one = CreateTempFile(root_, "QRP"), two = CreateTempFile(root_, "QRP");
  created_.push_back(one);
  created_.push_back(two);
  EXPECT_NE(one, two);
  EXPECT_TRUE(FileExists(one));
  EXPECT_TRUE(FileExists(two));
  EXPECT_EQ(ExtractFileName(one).substr(0, 3), "QRP");
  EXPECT_EQ(AnsiLowerCase(ExtractFileExt(one)), ".tmp");
  EXPECT_THROW(CreateTempFile(IncludeTrailingPathDelimiter(root_) + "missing", "QRP"), EInOutError);
  // A folder that takes no files, for root neither.
#ifdef _WIN32
  const AnsiString noFiles = "Z:\\proc";
#else
  const AnsiString noFiles = "/proc";
#endif
  EXPECT_THROW(CreateTempFile(noFiles, "QRP"), EInOutError);
}

// A save that cannot make its file names the file the user saves, never
// the temporary one it goes through, with the system's text for the reason.
TEST_F(FileOperations, ASafeReplaceThatCannotCreateItsFileNamesThatFile) {
#ifdef _WIN32
  const AnsiString noAccess = "Z:\\sys\\barkod.bxf";  // a folder that takes no files, for root neither
  const unsigned long diskFull = 112;
#else
  const AnsiString noAccess = "/sys/barkod.bxf";
  const unsigned long diskFull = ENOSPC;
#endif
  struct Case {
    const char* name;
    AnsiString file;
    unsigned long writeError;  // what the writer fails with, 0: nothing
    platform::OsErrorKind kind;
  } const cases[] = {
      {"folder missing", IncludeTrailingPathDelimiter(root_) + "missing\\barkod.bxf", 0, platform::OsErrorKind::Missing},
      {"no access", noAccess, 0, platform::OsErrorKind::NoAccess},
      {"disk full while writing", Path("full.bxf"), diskFull, platform::OsErrorKind::DiskFull},
  };
  for (const Case& c : cases) {
    try {
      ReplaceFileSafely(c.file, "bxf", [&](const AnsiString&) {
        if (c.writeError != 0)
          throw EWriteError("Stream write error", c.writeError);
      });
      ADD_FAILURE() << c.name << ": nothing failed";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(platform::KindOfOsError(e.ErrorCode), c.kind) << c.name << ": " << e.ErrorCode;
      ASSERT_FALSE(SysErrorMessage(e.ErrorCode).empty()) << c.name;
      EXPECT_EQ(e.Message, "\"" + c.file + "\" dosyası oluşturulamadı. " + SysErrorMessage(e.ErrorCode)) << c.name;
    }
    EXPECT_FALSE(FileExists(c.file)) << c.name;
  }
  // A failure of the writer's own, with no system error, passes on as it is.
  AnsiString temporary;
  EXPECT_THROW(ReplaceFileSafely(Path("own.bxf"), "bxf",
                                 [&](const AnsiString& name) {
                                   temporary = name;
                                   throw EWriteError("eksik");
                                 }),
               EWriteError);
  EXPECT_FALSE(temporary.empty());
  EXPECT_FALSE(FileExists(temporary)) << "the temporary file is removed";
}

TEST(FileFolders, CurrentAndTemporaryFoldersExist) {
  const AnsiString current = GetCurrentDir(), temp = GetTempDir();
  ASSERT_FALSE(current.empty());
  ASSERT_FALSE(temp.empty());
  EXPECT_TRUE(DirectoryExists(current)) << current;
  EXPECT_TRUE(DirectoryExists(temp)) << temp;
  EXPECT_EQ(IncludeTrailingPathDelimiter(temp), temp) << "the temporary folder ends in a delimiter";
}

}  // namespace
