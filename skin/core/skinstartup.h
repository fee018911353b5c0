// The skin library's start-up and shut-down. The program calls
// SetUpSkinLibrary once before its main form is made and ShutDownSkinLibrary
// at exit; each runs its steps once however often it is called (a counter
// pairs them). The start-up loads the library's text constants from the
// program's string table, reads a few platform facts, decodes the two
// shadow pictures from the program's resources, takes the program's icons
// and answers the command-line switch "/acver" (in any letter case) with
// one box "Skin library v6.68". The shut-down undoes it in reverse order.
#pragma once
#include <functional>
#include <vector>

#include "classlib/graphics/colors.h"
#include "classlib/system/ansistring.h"

class TIcon;
class TPNGGraphic;

// The string-table ids of the library's texts: 58910 .. 58992.
constexpr int FirstSkinTextId = 58910;
constexpr int LastSkinTextId = 58992;
// The text of an id after the start-up; "" for an id without text or
// before the start-up.
AnsiString SkinTextConstant(int Id);
// The number of texts loaded (53 from the table and "Root :").
int SkinTextConstantCount();
// The one text that is not in the string table.
extern const char* const SkinTextRoot;

extern TColor TransparentKeyColor;
extern int ScrollArrowWidth;
extern TIcon* ProgramIconSmall;
extern TIcon* ProgramIconLarge;
extern bool IsNTPlatform;
extern bool GlowingDisabled;
// Decoded from the RCDATA resources "acSHDA" and "acSHDI"; nullptr when a
// resource is missing or cannot be decoded (the shadow then has no built-in
// pictures).
extern TPNGGraphic* ShadowPictureActive;
extern TPNGGraphic* ShadowPictureInactive;

// The version box's text.
extern const char* const SkinLibraryVersionText;

// What tests replace: whether desktop composition is on (dwmapi's answer
// when empty), the program's parameters (the command line's when empty).
struct TSkinStartupSeams {
  std::function<bool()> DesktopComposition;
  std::function<std::vector<AnsiString>()> Parameters;
};
TSkinStartupSeams& SkinStartupSeams();

// True when the parameters hold "/acver" in any letter case (not "-acver").
bool AsksForSkinVersion(const std::vector<AnsiString>& Parameters);

void SetUpSkinLibrary();
void ShutDownSkinLibrary();
// True between the start-up and the shut-down.
bool SkinLibrarySetUp();
