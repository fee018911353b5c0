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
  const AnsiString name = fileseam::NewTempFile(folder, prefix);
  if (name.empty()) {
    const unsigned long errorCode = platform::LastOsError();
    throw EInOutError("Unable to create a temporary file in " + folder + ". " + SysErrorMessage(errorCode), errorCode);
  }
  return name;
}

namespace {

// The user saves fileName and hears of that file, not of the temporary one
// the save went through, with the system's own words for the reason.
[[noreturn]] void RaiseCreateError(const AnsiString& fileName, unsigned long errorCode) {
  AnsiString text = "\"" + fileName + "\" dosyası oluşturulamadı.";
  const AnsiString reason = SysErrorMessage(errorCode);
  if (!reason.empty())
    text += " " + reason;
  throw EFCreateError(text, errorCode);
}

// The system's error code behind a failure of the file system, 0 for a
// failure of the writer's own (data it cannot write).
unsigned long SystemErrorOf(const Exception& failure) {
  if (const auto* stream = dynamic_cast<const EStreamError*>(&failure))
    return stream->ErrorCode;
  if (const auto* io = dynamic_cast<const EInOutError*>(&failure))
    return io->ErrorCode;
  if (const auto* os = dynamic_cast<const EOSError*>(&failure))
    return os->ErrorCode;
  return 0;
}

}  // namespace

void ReplaceFileSafely(const AnsiString& fileName, const AnsiString& prefix,
                       const std::function<void(const AnsiString& temporaryName)>& write) {
  const AnsiString folder = ExtractFilePath(fileName);
  AnsiString temporary;
  try {
    temporary = CreateTempFile(folder.empty() ? GetCurrentDir() : folder, prefix);
  } catch (const EInOutError& e) {
    RaiseCreateError(fileName, e.ErrorCode);
  }
  try {
    write(temporary);
    // One step: deleting first and renaming after would lose the old file
    // when the rename fails (a reader holding it open keeps its name taken).
    if (!fileseam::MoveReplacing(temporary, fileName))
      RaiseCreateError(fileName, platform::LastOsError());
  } catch (const Exception& e) {
    DeleteFile(temporary);
    // A failure of the file system names the user's file; one of the
    // writer's own passes on as it is.
    const unsigned long errorCode = SystemErrorOf(e);
    if (errorCode == 0)
      throw;
    RaiseCreateError(fileName, errorCode);
  } catch (...) {
    DeleteFile(temporary);
    throw;
  }
}
