// The test desktop's printers as the Windows tests see them: the queue names
// and output folders it passes in the environment, files that appear there,
// and Unix commands (poppler) started on the far side. Header-only.
#pragma once
#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <string>
#include <thread>

namespace test_queues {

inline std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// A Unix path as the Windows side sees it (drive Z: is the root).
inline std::wstring WindowsPath(const std::string& unixPath) {
  std::wstring path = L"Z:";
  for (char c : unixPath)
    path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

inline std::set<std::string> FilesIn(const std::string& folder, const wchar_t* pattern) {
  std::set<std::string> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((WindowsPath(folder) + L"\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return names;
  do {
    std::string name;
    for (const wchar_t* p = found.cFileName; *p; ++p)
      name += static_cast<char>(*p);
    names.insert(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

// Waits up to a minute for a file that was not there before.
inline std::string WaitForNewFile(const std::string& folder, const wchar_t* pattern, const std::set<std::string>& before) {
  for (int i = 0; i < 600; ++i) {
    for (const std::string& name : FilesIn(folder, pattern))
      if (before.count(name) == 0)
        return folder + "/" + name;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return "";
}

inline bool FileExists(const std::string& unixPath) {
  return GetFileAttributesW(WindowsPath(unixPath).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits up to a minute for a file to appear.
inline bool WaitForFile(const std::string& unixPath) {
  for (int i = 0; i < 600 && !FileExists(unixPath); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return FileExists(unixPath);
}

inline std::string ReadWholeFile(const std::string& unixPath) {
  HANDLE file = CreateFileW(WindowsPath(unixPath).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return "";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

// Starts a shell command line on the Unix side. Wine starts Unix programs
// but neither waits for them nor passes their exit code on, so callers wait
// for what the command writes.
inline bool RunUnixShell(const std::string& command) {
  std::wstring line = L"/bin/sh -c \"";
  for (char c : command)
    line += static_cast<wchar_t>(static_cast<unsigned char>(c));
  line += L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

// pdfinfo's report on a PDF (with the sizes of pages 1 to lastPage when
// lastPage > 0, and its complaints), read once the Unix side has written it
// whole; "" when nothing came. pdf_info (pdfinfo.h) reads the report.
inline std::string PdfInfoOf(const std::string& pdfUnix, int lastPage = 0) {
  const std::string info = pdfUnix + ".info";
  const std::string range = lastPage > 0 ? "-f 1 -l " + std::to_string(lastPage) + " " : "";
  if (!RunUnixShell("pdfinfo " + range + "'" + pdfUnix + "' > '" + info + ".part' 2>&1; mv '" + info + ".part' '" +
                    info + "'") ||
      !WaitForFile(info))
    return "";
  return ReadWholeFile(info);
}

}  // namespace test_queues
