// The file system seam answered by the W functions of Win32.
#include "classlib/system/fileseam.h"

#include <windows.h>

#include "classlib/system/win/widestring.h"

namespace fileseam {

PathKind KindOf(const AnsiString& path) {
  const DWORD attributes = GetFileAttributesW(AnsiToWide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Directory : PathKind::File;
}

bool MakeDir(const AnsiString& path) { return CreateDirectoryW(AnsiToWide(path).c_str(), nullptr) != FALSE; }

bool RemoveEmptyDir(const AnsiString& path) { return RemoveDirectoryW(AnsiToWide(path).c_str()) != FALSE; }

bool RemoveFile(const AnsiString& path) { return DeleteFileW(AnsiToWide(path).c_str()) != FALSE; }

bool MoveTo(const AnsiString& oldPath, const AnsiString& newPath) {
  return MoveFileW(AnsiToWide(oldPath).c_str(), AnsiToWide(newPath).c_str()) != FALSE;
}

bool MoveReplacing(const AnsiString& oldPath, const AnsiString& newPath) {
  const std::wstring target = AnsiToWide(newPath);
  if (MoveFileExW(AnsiToWide(oldPath).c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  // The system answers "access denied" also for a target another program
  // holds open; asking for the target itself tells the two apart.
  const DWORD error = GetLastError();
  if (error == ERROR_ACCESS_DENIED) {
    HANDLE probe = CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const DWORD probeError = probe == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    if (probe != INVALID_HANDLE_VALUE)
      CloseHandle(probe);
    SetLastError(probeError == ERROR_SHARING_VIOLATION ? probeError : error);
  }
  return false;
}

AnsiString CurrentDir() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  if (size == 0)
    return {};
  std::wstring buffer(size, L'\0');
  const DWORD length = GetCurrentDirectoryW(size, buffer.data());
  buffer.resize(length < size ? length : 0);
  return WideToAnsi(buffer);
}

AnsiString TempDir() {
  wchar_t buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH)
    return {};
  return WideToAnsi(std::wstring_view(buffer, length));
}

AnsiString NewTempFile(const AnsiString& dir, const AnsiString& prefix) {
  const std::wstring folder = AnsiToWide(dir);
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return {};
  }
  wchar_t buffer[MAX_PATH];
  if (GetTempFileNameW(folder.c_str(), AnsiToWide(prefix).c_str(), 0, buffer) == 0)
    return {};
  if (GetFileAttributesW(buffer) != INVALID_FILE_ATTRIBUTES)
    return WideToAnsi(buffer);
  // Wine hands out a name without a file for a folder that takes no files
  // and says it succeeded; creating that file tells why it cannot be made.
  HANDLE file = CreateFileW(buffer, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return {};
  CloseHandle(file);
  return WideToAnsi(buffer);
}

}  // namespace fileseam
