#include "tests/classlib/classes/lists/tempfolder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>

#include "classlib/system/codepage.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::filesystem::path PathOf(const AnsiString& ansi) {
  std::string utf8 = AnsiToUtf8(ansi);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

AnsiString AnsiOf(const std::filesystem::path& path) {
  std::u8string utf8 = path.u8string();
  return Utf8ToAnsi(std::string(utf8.begin(), utf8.end()));
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  folder_ = std::filesystem::temp_directory_path() /
            ("dozuri_lists_" + std::to_string(stamp) + "_" + std::to_string(counter++));
  std::filesystem::create_directories(folder_);
  name_ = AnsiOf(folder_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

AnsiString TempFolder::File(const AnsiString& fileName) const { return name_ + kSeparator + fileName; }

std::filesystem::path TempFolder::Path(const AnsiString& fileName) const { return folder_ / PathOf(fileName); }

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
