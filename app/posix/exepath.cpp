// The native build's program name: the running binary, for the tests.
#include <unistd.h>

#include <climits>

#include "classlib/system/ansistring.h"

namespace platform {

AnsiString ExecutableFileName() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? AnsiString(path, static_cast<std::size_t>(length)) : AnsiString();
}

}  // namespace platform
