// The program's entry: set up the units, title the application, make the
// main form and run the message loop until the main form closes.
#include <windows.h>

#include "app/shell/mainform.h"
#include "app/shell/programidentity.h"
#include "app/shell/unitsetup.h"
#include "classlib/forms/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    SetUpUnits();
    Application->Initialize();
    Application->SetTitle(ApplicationTitle);
    Application->CreateForm(AnaF);
    Application->ProcessMessages();
    Application->Run();
  } catch (...) {
    Application->HandleException(Application);
    return 1;
  }
  return 0;
}
