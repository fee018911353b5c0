// The program's entry: title the application, make the main form and run
// the message loop until the main form closes.
#include <windows.h>

#include "app/shell/mainform.h"
#include "app/shell/programidentity.h"
#include "classlib/forms/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
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
