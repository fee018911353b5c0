#include "skin/core/skinplatform.h"

#include <shellapi.h>

#include "classlib/forms/application.h"
#include "classlib/forms/dialogservice.h"
#include "classlib/graphics/icon.h"
#include "classlib/system/codepage.h"
#include "classlib/system/fileutils.h"
#include "classlib/system/strutils.h"

namespace {

using TIsWow64Process = BOOL(WINAPI*)(HANDLE, PBOOL);
TIsWow64Process gIsWow64Process = nullptr;

const wchar_t* Wide(const std::u16string& Text) { return reinterpret_cast<const wchar_t*>(Text.c_str()); }

void TakeFound(const WIN32_FIND_DATAW& Data, TSearchEntry& Entry) {
  Entry.Name = Utf16ToAnsi(reinterpret_cast<const char16_t*>(Data.cFileName));
  Entry.Attributes = Data.dwFileAttributes;
  Entry.Size = static_cast<std::int64_t>(Data.nFileSizeHigh) << 32 | Data.nFileSizeLow;
}

bool CaptionFont(LOGFONTW& Font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    return false;
  Font = metrics.lfCaptionFont;
  return true;
}

}  // namespace

AnsiString ProgramFolder() {
  wchar_t path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  return ExtractFilePath(Utf16ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(path), length)));
}

int FindFirstEntry(const AnsiString& Pattern, TSearchEntry& Entry) {
  WIN32_FIND_DATAW data;
  Entry.FindHandle = FindFirstFileW(Wide(AnsiToUtf16(Pattern)), &data);
  if (Entry.FindHandle == INVALID_HANDLE_VALUE)
    return static_cast<int>(GetLastError());
  TakeFound(data, Entry);
  return 0;
}

int FindNextEntry(TSearchEntry& Entry) {
  WIN32_FIND_DATAW data;
  if (Entry.FindHandle == INVALID_HANDLE_VALUE || !FindNextFileW(Entry.FindHandle, &data))
    return static_cast<int>(GetLastError());
  TakeFound(data, Entry);
  return 0;
}

void FindCloseEntry(TSearchEntry& Entry) {
  if (Entry.FindHandle != INVALID_HANDLE_VALUE)
    FindClose(Entry.FindHandle);
  Entry.FindHandle = INVALID_HANDLE_VALUE;
}

TIcon* FileShellIcon(const AnsiString& FileName, UINT Flags) {
  if (!FileExists(FileName))
    return nullptr;
  SHFILEINFOW info{};
  if (SHGetFileInfoW(Wide(AnsiToUtf16(FileName)), 0, &info, sizeof(info), SHGFI_ICON | Flags) == 0 ||
      info.hIcon == nullptr)
    return nullptr;
  auto* icon = new TIcon;
  icon->SetHandle(info.hIcon);
  return icon;
}

int CaptionFontHeight() {
  LOGFONTW font;
  return CaptionFont(font) ? font.lfHeight : 0;
}

HFONT CreateCaptionFont() {
  LOGFONTW font;
  return CaptionFont(font) ? CreateFontIndirectW(&font) : nullptr;
}

namespace {

// The system's version number as major * 100 + minor; 0 when unknown.
int WindowsVersionNumber() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&version))
    return 0;
#pragma GCC diagnostic pop
  return static_cast<int>(version.dwMajorVersion * 100 + version.dwMinorVersion);
}

}  // namespace

bool IsWindowsXPOrLater() { return WindowsVersionNumber() > 500; }

bool IsWindowsVistaOrLater() { return WindowsVersionNumber() >= 600; }

void LoadWow64Entry() {
  if (gIsWow64Process != nullptr)
    return;
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll"))
    gIsWow64Process = reinterpret_cast<TIsWow64Process>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
}

namespace {
// The unit's start-up looks the entry up.
struct TWow64Module {
  TWow64Module() { LoadWow64Entry(); }
} gWow64Module;
}  // namespace

bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return gIsWow64Process != nullptr && gIsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

// The skinned message box takes this over once skinned dialogs exist.
void ShowErrorMessage(const AnsiString& Msg) {
  TMessageDlgRequest request;
  request.Caption = MessageDlgCaption(mtError);
  request.Text = Msg;
  request.DlgType = mtError;
  request.Buttons = TMsgDlgButtons{mbOK};
  DialogService().MessageDlg(request);
}

void DelayWithMessages(unsigned Ms) {
  const ULONGLONG start = GetTickCount64();
  do {
    if (Application != nullptr)
      Application->ProcessMessages();
    if (GetTickCount64() - start < Ms)
      Sleep(1);
  } while (GetTickCount64() - start < Ms);
}
