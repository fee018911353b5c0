#include "tests/support/barcode/externaltools.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#ifdef _WIN32
bool ToolAvailable(const std::string&) { return false; }
std::optional<std::string> RunTool(const std::string&) { return std::nullopt; }
#else
bool ToolAvailable(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::optional<std::string> RunTool(const std::string& command) {
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string output;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  int status = pclose(pipe);
  if (status != 0) return std::nullopt;
  return output;
}
#endif

std::string ToolMissing(const std::string& tool, const std::string& package) {
#ifdef _WIN32
  return tool + " runs only in the native build of these tests";
#else
  return tool + " is not installed (Debian package " + package + "; tools/setup installs it)";
#endif
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  return quoted + "'";
}

namespace {
std::string HexRowToBits(const std::string& row) {
  std::string bits;
  for (char c : row) {
    int v;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    else continue;
    for (int b = 3; b >= 0; --b) bits += ((v >> b) & 1) ? '1' : '0';
  }
  return bits;
}

void DropTrailingSpaces(std::string& modules) {
  while (!modules.empty() && modules.back() == '0') modules.pop_back();
}
}  // namespace

std::string ZintDumpToModules(const std::string& dump) {
  std::vector<std::string> rows;
  std::string row;
  for (char c : dump + "\n") {
    if (c == '\n' || c == '/') {
      if (!row.empty()) rows.push_back(HexRowToBits(row));
      row.clear();
    } else {
      row += c;
    }
  }
  std::string modules;
  if (rows.size() == 1) {
    modules = rows[0];
  } else if (rows.size() == 2) {  // tall part above, the baseline part below
    for (std::size_t i = 0; i < rows[1].size(); ++i) {
      bool tall = i < rows[0].size() && rows[0][i] == '1';
      modules += rows[1][i] == '1' ? (tall ? 'T' : 'S') : '0';
    }
  }
  DropTrailingSpaces(modules);
  return modules;
}

std::string PatternToModules(const TBarcodePattern& pattern, int wideModules) {
  bool heights = false;
  for (const TBarElement& e : pattern.Elements) heights = heights || e.Height == TBarHeight::Short;
  if (!heights) return ModuleString(pattern, wideModules);
  std::string modules;
  for (const TBarElement& e : pattern.Elements) {
    char c = !e.IsBar ? '0' : (e.Height == TBarHeight::Short ? 'S' : 'T');
    modules.append(e.Width, c);
  }
  return modules;
}

std::string WritePgm(const TBarLayout& layout, int margin, const std::string& name) {
  int width = layout.Width + 2 * margin;
  int height = layout.Height + 2 * margin;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height, 255);
  for (const TBarRect& r : layout.Bars) {
    for (int y = r.Top; y < r.Bottom; ++y) {
      for (int x = r.Left; x < r.Right; ++x) {
        pixels[static_cast<std::size_t>(y + margin) * width + (x + margin)] = 0;
      }
    }
  }
  std::string path = (std::filesystem::temp_directory_path() / name).string();
  std::ofstream out(path, std::ios::binary);
  out << "P5\n" << width << " " << height << "\n255\n";
  out.write(reinterpret_cast<const char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
  return path;
}
