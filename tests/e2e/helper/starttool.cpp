// e2e_starttool: a program for the tools menu to start. It writes the file
// "started.txt" beside itself and ends, so the driver sees it was started.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path, length);
  file = file.substr(0, file.find_last_of(L"\\/") + 1) + L"started.txt";
  HANDLE out = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (out == INVALID_HANDLE_VALUE)
    return 1;
  DWORD written = 0;
  WriteFile(out, "started\r\n", 9, &written, nullptr);
  CloseHandle(out);
  return 0;
}
