// File handles over POSIX descriptors for the native build. File names are
// 1254 text with Windows separators, as the file utilities take them: "\"
// becomes "/" and the text UTF-8. Share modes are not enforced.
#include "classlib/classes/filehandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "classlib/system/codepage.h"

namespace filehandle {

THandle Open(const AnsiString& fileName, unsigned short mode, unsigned long& errorCode) {
  int flags = O_RDONLY;
  if ((mode & fmCreate) == fmCreate)
    flags = O_RDWR | O_CREAT | O_TRUNC;
  else if ((mode & 3) == fmOpenWrite)
    flags = O_WRONLY;
  else if ((mode & 3) == fmOpenReadWrite)
    flags = O_RDWR;
  AnsiString path = fileName;
  std::replace(path.begin(), path.end(), '\\', '/');
  int fd = ::open(AnsiToUtf8(path).c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) {
    errorCode = static_cast<unsigned long>(errno);
    return INVALID_FILE_HANDLE;
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    errorCode = EISDIR;
    return INVALID_FILE_HANDLE;
  }
  return fd;
}

void Close(THandle handle) { ::close(static_cast<int>(handle)); }

std::int32_t Read(THandle handle, void* buffer, std::int32_t count) {
  if (count <= 0)
    return 0;
  ssize_t done = ::read(static_cast<int>(handle), buffer, static_cast<size_t>(count));
  return static_cast<std::int32_t>(done);
}

std::int32_t Write(THandle handle, const void* buffer, std::int32_t count) {
  if (count <= 0)
    return 0;
  ssize_t done = ::write(static_cast<int>(handle), buffer, static_cast<size_t>(count));
  return static_cast<std::int32_t>(done);
}

std::int64_t Seek(THandle handle, std::int64_t offset, TSeekOrigin origin) {
  int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  return static_cast<std::int64_t>(::lseek(static_cast<int>(handle), static_cast<off_t>(offset), whence));
}

bool Truncate(THandle handle) {
  off_t position = ::lseek(static_cast<int>(handle), 0, SEEK_CUR);
  return position >= 0 && ::ftruncate(static_cast<int>(handle), position) == 0;
}

}  // namespace filehandle
