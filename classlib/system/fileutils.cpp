#include "classlib/system/fileutils.h"

#include "classlib/system/exceptions.h"
#include "classlib/system/fileseam.h"
#include "classlib/system/platformseam.h"
#include "classlib/system/strutils.h"

bool FileExists(const AnsiString& fileName) {
  return !fileName.empty() && fileseam::KindOf(fileName) == fileseam::PathKind::File;
}

bool DirectoryExists(const AnsiString& directory) {
  return !directory.empty() && fileseam::KindOf(directory) == fileseam::PathKind::Directory;
}

bool ForceDirectories(const AnsiString& dir) {
  if (dir.empty())
    throw EInOutError("Unable to create directory");
  const AnsiString path = ExcludeTrailingPathDelimiter(dir);
  // A root ("\", "C:\", "C:") ends the climb: it exists or nothing can make it.
  if (path.empty() || ExtractFilePath(path) == path)
    return DirectoryExists(IncludeTrailingPathDelimiter(path));
  if (DirectoryExists(path))
    return true;
  const AnsiString parent = ExtractFilePath(path);
  if (!parent.empty() && !ForceDirectories(parent))
    return false;
  return CreateDir(path) || DirectoryExists(path);
}

bool CreateDir(const AnsiString& dir) { return !dir.empty() && fileseam::MakeDir(dir); }

bool RemoveDir(const AnsiString& dir) { return !dir.empty() && fileseam::RemoveEmptyDir(dir); }

bool DeleteFile(const AnsiString& fileName) { return !fileName.empty() && fileseam::RemoveFile(fileName); }

bool RenameFile(const AnsiString& oldName, const AnsiString& newName) {
  return !oldName.empty() && !newName.empty() && fileseam::MoveTo(oldName, newName);
}

AnsiString GetCurrentDir() { return fileseam::CurrentDir(); }

AnsiString GetTempDir() { return fileseam::TempDir(); }

AnsiString CreateTempFile(const AnsiString& dir, const AnsiString& prefix) {
  const AnsiString folder = dir.empty() ? GetTempDir() : dir;
  AnsiString name = fileseam::NewTempFile(folder, prefix);
  // Wine hands out a name without a file for a folder that takes no files
  // (and says it succeeded): only a file that is there counts.
  if (!name.empty() && !FileExists(name))
    name.clear();
  if (name.empty()) {
    const unsigned long errorCode = platform::LastOsError();
    throw EInOutError("Unable to create a temporary file in " + folder + ". " + SysErrorMessage(errorCode), errorCode);
  }
  return name;
}

void ReplaceFileSafely(const AnsiString& fileName, const AnsiString& prefix,
                       const std::function<void(const AnsiString& temporaryName)>& write) {
  const AnsiString folder = ExtractFilePath(fileName);
  const AnsiString temporary = CreateTempFile(folder.empty() ? GetCurrentDir() : folder, prefix);
  try {
    write(temporary);
    // One step: deleting first and renaming after would lose the old file
    // when the rename fails (a reader holding it open keeps its name taken).
    if (!fileseam::MoveReplacing(temporary, fileName))
      RaiseLastOSError();
  } catch (...) {
    DeleteFile(temporary);
    throw;
  }
}
