// The file system seam answered by POSIX calls. Path names arrive as 1254
// text with Windows separators and leave as UTF-8 with "/".
#include "classlib/system/fileseam.h"

#include <cstdio>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "classlib/system/codepage.h"

namespace fileseam {
namespace {

std::string NativePath(const AnsiString& path) {
  std::string native = AnsiToUtf8(path);
  for (char& c : native)
    if (c == '\\')
      c = '/';
  return native;
}

}  // namespace

PathKind KindOf(const AnsiString& path) {
  struct stat info {};
  if (stat(NativePath(path).c_str(), &info) != 0)
    return PathKind::Missing;
  return S_ISDIR(info.st_mode) ? PathKind::Directory : PathKind::File;
}

bool MakeDir(const AnsiString& path) { return mkdir(NativePath(path).c_str(), 0777) == 0; }

bool RemoveEmptyDir(const AnsiString& path) { return rmdir(NativePath(path).c_str()) == 0; }

bool RemoveFile(const AnsiString& path) { return unlink(NativePath(path).c_str()) == 0; }

bool MoveTo(const AnsiString& oldPath, const AnsiString& newPath) {
  // Windows refuses to move onto an existing name; rename(2) would replace it.
  return renameat2(AT_FDCWD, NativePath(oldPath).c_str(), AT_FDCWD, NativePath(newPath).c_str(),
                   RENAME_NOREPLACE) == 0;
}

bool MoveReplacing(const AnsiString& oldPath, const AnsiString& newPath) {
  return std::rename(NativePath(oldPath).c_str(), NativePath(newPath).c_str()) == 0;
}

AnsiString CurrentDir() {
  std::string buffer(4096, '\0');
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE)
      return {};
    buffer.resize(buffer.size() * 2);
  }
  return Utf8ToAnsi(buffer.c_str());
}

AnsiString TempDir() {
  const char* dir = getenv("TMPDIR");
  std::string path = dir != nullptr && *dir != '\0' ? dir : "/tmp";
  if (path.back() != '/')
    path += '/';
  return Utf8ToAnsi(path);
}

AnsiString NewTempFile(const AnsiString& dir, const AnsiString& prefix) {
  AnsiString folder = dir;
  if (folder.back() != '\\' && folder.back() != '/')
    folder += '/';
  for (unsigned attempt = 0; attempt < 0x10000; ++attempt) {
    const unsigned unique = (static_cast<unsigned>(getpid()) + attempt * 7919u) & 0xFFFF;
    char suffix[16];
    snprintf(suffix, sizeof suffix, "%X.tmp", unique);
    const AnsiString name = folder + prefix + suffix;
    const int fd = open(NativePath(name).c_str(), O_CREAT | O_EXCL | O_WRONLY, 0666);
    if (fd >= 0) {
      close(fd);
      return name;
    }
    if (errno != EEXIST)
      return {};
  }
  return {};
}

}  // namespace fileseam
