// File and folder operations on 1254 path names, with the platform's names.
// Each answers false (or "") on failure; the system's error code is then left
// for RaiseLastOSError.
#pragma once
#include <functional>

#include "classlib/system/ansistring.h"

// <windows.h> maps DeleteFile to DeleteFileW; this unit's DeleteFile is meant
// wherever this header is seen (Win32 code calls DeleteFileW by its name).
#ifdef DeleteFile
#undef DeleteFile
#endif

// True for an existing file (not a folder).
bool FileExists(const AnsiString& fileName);
bool DirectoryExists(const AnsiString& directory);
// Creates dir and every missing folder above it; true when dir exists at the
// end. Raises EInOutError for an empty name.
bool ForceDirectories(const AnsiString& dir);
bool CreateDir(const AnsiString& dir);
// Removes an empty folder.
bool RemoveDir(const AnsiString& dir);
bool DeleteFile(const AnsiString& fileName);
// Fails when newName exists already.
bool RenameFile(const AnsiString& oldName, const AnsiString& newName);
// The current folder, without a trailing delimiter.
AnsiString GetCurrentDir();
// The folder for temporary files, with a trailing delimiter.
AnsiString GetTempDir();
// Creates a new empty file "<prefix><unique>.tmp" in dir (the temporary
// folder when dir is empty) and returns its full name. Raises EInOutError
// when no file can be created.
AnsiString CreateTempFile(const AnsiString& dir, const AnsiString& prefix);

// Writes a file so that a failure never destroys the old one: write() fills
// a new temporary file (named with prefix) in fileName's folder, which then
// replaces fileName. On any failure the temporary file is removed and the
// old file is left as it was where the system allows. A failure of the file
// system (no access, disk full, folder missing) raises EFCreateError naming
// fileName with the system's text for the reason and its error code; a
// failure of write()'s own passes on as it is.
void ReplaceFileSafely(const AnsiString& fileName, const AnsiString& prefix,
                       const std::function<void(const AnsiString& temporaryName)>& write);
