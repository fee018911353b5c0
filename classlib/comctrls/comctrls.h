// Shared by the common controls: making sure comctl32 has registered the
// window classes a control needs, and registering the controls for
// streaming.
#pragma once
#include <windows.h>
#include <commctrl.h>

// Registers the comctl32 window classes named by Classes (ICC_* flags) once
// per process; a control calls it before it makes its window.
void InitCommonControl(DWORD Classes);

// Registers every common control class for streaming (RegisterClasses).
// Programs and tests call it once before reading forms.
void RegisterComCtrls();
