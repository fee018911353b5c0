// Writes the default label layout with the program's own classes:
//   make_etiket_layout.exe <file>
// resources/etiket.vlp is made with it; the shell's tests build the layout
// again and compare it with that file.
#include <cstdio>
#include <exception>
#include <memory>

#include "app/shell/defaultlayout.h"
#include "app/shell/unitsetup.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_etiket_layout <file>\n");
    return 2;
  }
  try {
    SetUpUnits();
    Application->Initialize();
    std::unique_ptr<TForm, void (*)(TForm*)> form(new TForm(nullptr), [](TForm* f) { f->Free(); });
    form->SetName("DefaultLayoutForm");
    WriteDefaultLabelLayout(*form, argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_etiket_layout: %s\n", e.what());
    return 1;
  }
  return 0;
}
