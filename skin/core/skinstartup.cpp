#include "skin/core/skinstartup.h"

#include <windows.h>
#include <shellapi.h>

#include <map>
#include <memory>

#include "classlib/forms/application.h"
#include "classlib/forms/dialogs.h"
#include "classlib/graphics/icon.h"
#include "skin/core/commondata.h"
#include "skin/core/skincommands.h"
#include "skin/core/skinforms.h"
#include "skin/core/skinplatform.h"
#include "skin/core/skinshadow.h"
#include "support/png/graphic/pnggraphic.h"

const char* const SkinTextRoot = "Root :";
const char* const SkinLibraryVersionText = "Skin library v6.68";

TColor TransparentKeyColor = 0;
int ScrollArrowWidth = 0;
TIcon* ProgramIconSmall = nullptr;
TIcon* ProgramIconLarge = nullptr;
bool IsNTPlatform = false;
bool GlowingDisabled = false;
TPNGGraphic* ShadowPictureActive = nullptr;
TPNGGraphic* ShadowPictureInactive = nullptr;

namespace {

int gSetUpCount = 0;
std::map<int, AnsiString> gTexts;
HMODULE gKernel = nullptr;

AnsiString WideToText(const wchar_t* Text, int Length) {
  if (Length <= 0)
    return "";
  const int size = WideCharToMultiByte(1254, 0, Text, Length, nullptr, 0, nullptr, nullptr);
  AnsiString result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(1254, 0, Text, Length, result.data(), size, nullptr, nullptr);
  return result;
}

// ASCII letters only: the Turkish locale's upper-case I would not match.
AnsiString AsciiLower(AnsiString Text) {
  for (char& c : Text)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return Text;
}

void LoadTextConstants() {
  HINSTANCE module = GetModuleHandleW(nullptr);
  for (int id = FirstSkinTextId; id <= LastSkinTextId; ++id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length > 0)
      gTexts[id] = WideToText(text, length);
  }
  TransparentKeyColor = clFuchsia;
  ScrollArrowWidth = GetSystemMetrics(SM_CXHSCROLL);
}

void SetUpUtilities() {
  gKernel = LoadLibraryW(L"kernel32.dll");
  if (gKernel == nullptr)
    return;
  LoadWow64Entry();
  const bool composition =
      SkinStartupSeams().DesktopComposition ? SkinStartupSeams().DesktopComposition() : DwmCompositionEnabled();
  GlowingDisabled = RunsUnderWow64() && !composition;
}

TPNGGraphic* LoadShadowPicture(const char* Name) {
  auto picture = std::make_unique<TPNGGraphic>();
  try {
    picture->LoadFromResourceName(GetModuleHandleW(nullptr), Name);
  } catch (const std::exception&) {
    return nullptr;
  }
  return picture.release();
}

std::vector<AnsiString> CommandLineParameters() {
  std::vector<AnsiString> result;
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr)
    return result;
  for (int i = 1; i < count; ++i)
    result.push_back(WideToText(args[i], lstrlenW(args[i])));
  LocalFree(args);
  return result;
}

void SetUpSkinManagerModule() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  IsNTPlatform = GetVersionExW(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
  ShadowPictureActive = LoadShadowPicture("acSHDA");
  ShadowPictureInactive = LoadShadowPicture("acSHDI");
  const std::vector<AnsiString> parameters =
      SkinStartupSeams().Parameters ? SkinStartupSeams().Parameters() : CommandLineParameters();
  if (AsksForSkinVersion(parameters))
    ShowMessage(SkinLibraryVersionText);
}

void FreeIcon(TIcon*& Icon) {
  if (Icon == nullptr)
    return;
  DestroyIcon(Icon->ReleaseHandle());
  delete Icon;
  Icon = nullptr;
}

}  // namespace

TSkinStartupSeams& SkinStartupSeams() {
  static TSkinStartupSeams seams;
  return seams;
}

AnsiString SkinTextConstant(int Id) {
  auto found = gTexts.find(Id);
  return found != gTexts.end() ? found->second : AnsiString();
}

int SkinTextConstantCount() { return gTexts.empty() ? 0 : static_cast<int>(gTexts.size()) + 1; }

bool AsksForSkinVersion(const std::vector<AnsiString>& Parameters) {
  for (const AnsiString& parameter : Parameters)
    if (AsciiLower(parameter) == "/acver")
      return true;
  return false;
}

bool SkinLibrarySetUp() { return gSetUpCount > 0; }

void SetUpSkinLibrary() {
  if (gSetUpCount++ > 0)
    return;
  // 1. Text constants and colours.
  LoadTextConstants();
  // 2. The class-list defaults are constant texts (DefaultThirdList).
  // 3. The skin message.
  RegisterSkinMessage();
  // 4. The program's icons.
  const AnsiString program = Application != nullptr ? Application->ExeName() : AnsiString();
  ProgramIconSmall = FileShellIcon(program, SHGFI_SMALLICON);
  ProgramIconLarge = FileShellIcon(program, 0);
  // 5. kernel32 and the platform facts that depend on it.
  SetUpUtilities();
  // 6. The skin manager's module: the shadow pictures and "/acver".
  SetUpSkinManagerModule();
}

void ShutDownSkinLibrary() {
  if (gSetUpCount == 0 || --gSetUpCount > 0)
    return;
  delete ShadowPictureActive;
  ShadowPictureActive = nullptr;
  delete ShadowPictureInactive;
  ShadowPictureInactive = nullptr;
  if (gKernel != nullptr)
    FreeLibrary(gKernel);
  gKernel = nullptr;
  FreeIcon(ProgramIconSmall);
  FreeIcon(ProgramIconLarge);
  SkinnedFormRegistry().clear();
  ChangedSectionName.clear();
  gTexts.clear();
}
