// The program's entry: set up the units, title the application, show the
// splash while the main form is made, then run the message loop until the
// main form closes; at exit the units release what they set up.
#include <windows.h>

#include "app/shell/mainform.h"
#include "app/shell/programidentity.h"
#include "app/shell/unitsetup.h"
#include "app/splash/splashf.h"
#include "classlib/forms/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    SetUpUnits();
    Application->Initialize();
    Application->SetTitle(ApplicationTitle);
    SplashF = NewForm<TSplashF>(Application);
    SplashF->Show();
    SplashF->Repaint();
    Application->CreateForm(AnaF);
    Application->ProcessMessages();
    Sleep(1000);
    // The splash is freed without being closed, so it does not fade out.
    SplashF->Hide();
    SplashF->Free();
    SplashF = nullptr;
    Application->Run();
  } catch (...) {
    Application->HandleException(Application);
    ShutDownUnits();
    return 1;
  }
  ShutDownUnits();
  return 0;
}
