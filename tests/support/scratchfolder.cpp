#include "tests/support/scratchfolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <string>

ScratchFolder::ScratchFolder() {
  // Unique across the tests of one process and across processes run at once.
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  path_ = std::filesystem::temp_directory_path() /
          ("dozuri-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

AnsiString ScratchFolder::File(const AnsiString& name) const { return (path_ / name).string(); }

FileBytes ReadFileBytes(const AnsiString& name) {
  std::ifstream in(name, std::ios::binary);
  return FileBytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const AnsiString& name, const FileBytes& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
