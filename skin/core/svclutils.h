// Control and window routines the skinned controls, adapters and the form
// skin provider share: the colour queries built on the skin command, tests
// and walks over controls and owners, text flags, rectangle conversions,
// painting a container's graphic children over its background, and the
// theme interface looked up at start-up. Without a skin manager the colour
// queries answer the controls' own colours.
#pragma once
#include <windows.h>

#include "classlib/classes/alignment.h"
#include "classlib/controls/control.h"

class TComponent;
class TCustomForm;
class TWinControl;

using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
// "SetWindowTheme" of "UXTHEME", looked up by the unit's start-up
// (LoadSkinThemeLibrary) and released at shut-down (FreeSkinThemeLibrary);
// nullptr when the library or the function is missing.
extern TSetWindowTheme SetWindowThemeProc;
void LoadSkinThemeLibrary();
void FreeSkinThemeLibrary();
// True when the theme library reports visual styles in use.
bool VisualThemesOn();

// clFuchsia for nil; a control that answers command 0x07 with 1: ColorToRGB
// of its answer to command 0x15; otherwise ColorToRGB of its Color.
TColor ControlBackColor(TControl* Control);
// clFuchsia for no window; otherwise ColorToRGB of its answer to command 0x15.
TColor WindowBackColor(HWND Wnd);
// The control's outermost parent form is asked (command 0x19) to adapt it for
// skinning; nothing while the control is designed or loaded.
void AskFormToAdaptControl(TControl* Control);
bool CurrentCursorPos(POINT& P);
// False for nil, a windowed control without window, one being created, read,
// loaded or destroyed, or one without parent.
bool ControlCanPaint(TControl* Control);
// The first form on the owner chain, the component itself first.
TCustomForm* FindOwnerForm(TComponent* Component);
// The first frame on the owner chain: the class library has no frame class,
// so there is none.
TWinControl* FindOwnerFrame(TControl* Control);
// DrawText flags of the alignment with DT_EXPANDTABS and DT_VCENTER, through
// the control's reading-order flags.
int ControlTextFlags(TControl* Control, TAlignment Alignment);
// The client area in window coordinates.
void ClientRectInWindow(HWND Wnd, RECT& R);
// Sum of the heights (alTop, alBottom) or widths (alLeft, alRight) of the
// visible children with that Align; graphic children only WithGraphic.
int AlignedControlsSize(TWinControl* Container, TAlign Align, bool WithGraphic);
// The ancestor without parent.
HWND TopLevelWindow(HWND Wnd);
// Draws the container's graphic children into DC (which shows the
// container's client area moved by Offset), each over the container's
// background, through an off-screen bitmap. A DC with an empty clip box
// gets the container command 0x16 and nothing is painted. Flag and Extra
// have no effect.
void PaintGraphicControls(HDC DC, TWinControl* Container, bool Flag, POINT Offset, int Extra);
