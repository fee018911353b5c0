// The file system calls the file operations rest on, answered by Win32 in the
// Windows build (win/fileseam.cpp) and by POSIX natively (posix/fileseam.cpp).
// Paths are 1254 text with Windows separators; the native side turns "\" into
// "/" and the text into UTF-8. Failures return false and leave the system's
// error code for RaiseLastOSError.
#pragma once
#include "classlib/system/ansistring.h"

namespace fileseam {

enum class PathKind { Missing, File, Directory };

PathKind KindOf(const AnsiString& path);
bool MakeDir(const AnsiString& path);
bool RemoveEmptyDir(const AnsiString& path);
bool RemoveFile(const AnsiString& path);
// Fails when newPath exists already.
bool MoveTo(const AnsiString& oldPath, const AnsiString& newPath);
// Gives the file oldPath the name newPath in one step, replacing a file of
// that name: a reader never finds newPath missing or half written.
bool MoveReplacing(const AnsiString& oldPath, const AnsiString& newPath);
AnsiString CurrentDir();
// The folder for temporary files, with a trailing delimiter.
AnsiString TempDir();
// Creates a new empty file "<prefix><unique>.tmp" in dir and returns its
// name; "" on failure.
AnsiString NewTempFile(const AnsiString& dir, const AnsiString& prefix);

}  // namespace fileseam
