#include "tests/support/barcode_components/unixreaders.h"

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

namespace fs = std::filesystem;

// The readers' time for all images of a batch, generously.
constexpr auto kBatchTimeout = std::chrono::seconds(120);

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The Windows path of a Unix path through drive Z:.
fs::path WindowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return fs::path(path);
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool StartUnixProgram(const std::string& commandLine) {
  std::wstring wide(commandLine.begin(), commandLine.end());  // ASCII paths only
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, wide.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);
  return true;
}

}  // namespace

TUnixDecodeBatch::TUnixDecodeBatch() {
  if (!RunningUnderWine()) {
    unavailable_ = "the Linux readers are reached only under Wine";
    return;
  }
  if (!fs::exists(WindowsPath("/bin/sh"))) {
    unavailable_ = "Wine's drive Z: does not show the Linux root";
    return;
  }
  unixFolder_ = "/tmp/dozuri_barcode_components_" + std::to_string(GetCurrentProcessId());
  std::error_code error;
  fs::remove_all(WindowsPath(unixFolder_), error);
  fs::create_directories(WindowsPath(unixFolder_));
}

TUnixDecodeBatch::~TUnixDecodeBatch() {
  if (unixFolder_.empty()) return;
  std::error_code error;
  fs::remove_all(WindowsPath(unixFolder_), error);
}

std::size_t TUnixDecodeBatch::Add(TBitmap& bitmap, const std::string& readerCommand) {
  std::size_t index = commands_.size();
  std::string image = unixFolder_ + "/image" + std::to_string(index) + ".bmp";
  bitmap.SaveToFile(WindowsPath(image).string());
  commands_.push_back(readerCommand + " " + ShellQuote(image));
  return index;
}

std::string TUnixDecodeBatch::MissingPrograms(const std::vector<std::string>& programs) {
  std::string body;
  for (const std::string& program : programs) {
    body += "command -v " + program + " >/dev/null 2>&1 || printf '%s ' " + ShellQuote(program) + " >>missing\n";
  }
  if (!RunScript(body)) return "(the Linux shell did not run)";
  fs::path missing = WindowsPath(unixFolder_ + "/missing");
  std::string names = fs::exists(missing) ? ReadFile(missing) : std::string();
  std::error_code error;
  fs::remove(missing, error);
  return names;
}

bool TUnixDecodeBatch::RunScript(const std::string& body) {
  fs::path done = WindowsPath(unixFolder_ + "/done");
  std::error_code error;
  fs::remove(done, error);
  {
    std::ofstream script(WindowsPath(unixFolder_ + "/script.sh"), std::ios::binary);
    // Wine hands a Linux program its Windows-style PATH.
    script << "PATH=/usr/local/bin:/usr/bin:/bin; export PATH\n"
           << "cd " << ShellQuote(unixFolder_) << "\n" << body << ": >done\n";
  }
  if (!StartUnixProgram("/bin/sh " + unixFolder_ + "/script.sh")) return false;
  auto deadline = std::chrono::steady_clock::now() + kBatchTimeout;
  while (!fs::exists(done)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::vector<std::optional<std::string>> TUnixDecodeBatch::Run() {
  std::vector<std::optional<std::string>> results(commands_.size());
  std::string body;
  for (std::size_t i = 0; i < commands_.size(); ++i) {
    std::string out = "result" + std::to_string(i);
    body += "if " + commands_[i] + " >" + out + ".part 2>/dev/null; then mv " + out + ".part " + out + ".txt; fi\n";
  }
  bool finished = RunScript(body);
  for (std::size_t i = 0; finished && i < commands_.size(); ++i) {
    fs::path out = WindowsPath(unixFolder_ + "/result" + std::to_string(i) + ".txt");
    if (!fs::exists(out)) continue;
    std::string text = ReadFile(out);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    results[i] = text;
  }
  commands_.clear();
  return results;
}
