#include "tests/skin/testskinfiles.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace skin_test {

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// A path with the platform's separators; under Windows a Unix absolute path
// (the build folder as the build wrote it) becomes a path on drive Z:,
// where Wine shows the Unix root.
std::string PlatformPath(std::string Path) {
  for (char& c : Path)
    if (c == '/' || c == '\\')
      c = kSeparator;
#ifdef _WIN32
  if (!Path.empty() && Path[0] == '\\' && (Path.size() < 2 || Path[1] != '\\'))
    Path = "Z:" + Path;
#endif
  return Path;
}

std::map<std::string, std::int32_t> ReadColourTable() {
  std::istringstream text(ReadTestSkinFile("colours.txt"));
  std::map<std::string, std::int32_t> table;
  std::string line;
  while (std::getline(text, line)) {
    if (line.empty() || line[0] == '#')
      continue;
    std::istringstream fields(line);
    std::string name;
    int r = -1, g = -1, b = -1;
    if (!(fields >> name >> r >> g >> b) || r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
      throw std::runtime_error("test skin colour table: bad line \"" + line + "\"");
    table[name] = r | (g << 8) | (b << 16);
  }
  if (table.empty())
    throw std::runtime_error("test skin colour table is empty");
  return table;
}

}  // namespace

AnsiString TestSkinsDirectory() {
  const char* variable = std::getenv("DOZURI_TEST_SKINS");
  std::string folder = variable != nullptr && *variable != '\0' ? variable : DOZURI_TEST_SKINS;
  folder = PlatformPath(folder);
  while (folder.size() > 1 && folder.back() == kSeparator)
    folder.pop_back();
  return folder;
}

AnsiString TestSkinPath(const AnsiString& Name) {
  return TestSkinsDirectory() + kSeparator + PlatformPath(Name);
}

std::string ReadTestSkinFile(const AnsiString& Name) {
  const AnsiString path = TestSkinPath(Name);
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in)
    throw std::runtime_error("test skin file missing: " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

const std::map<std::string, std::int32_t>& TestSkinColours() {
  static const std::map<std::string, std::int32_t> table = ReadColourTable();
  return table;
}

std::int32_t TestSkinColour(const std::string& Name) {
  const auto& table = TestSkinColours();
  const auto found = table.find(Name);
  if (found == table.end())
    throw std::runtime_error("no colour \"" + Name + "\" in the test skin colour table");
  return found->second;
}

}  // namespace skin_test
