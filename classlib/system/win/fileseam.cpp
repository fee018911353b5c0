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
  wchar_t buffer[MAX_PATH];
  if (GetTempFileNameW(AnsiToWide(dir).c_str(), AnsiToWide(prefix).c_str(), 0, buffer) == 0)
    return {};
  return WideToAnsi(buffer);
}

}  // namespace fileseam
