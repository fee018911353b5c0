// The skin test program: a small host of the skin library, as a program
// that uses skins would be made. It shows a form of the library's controls
// with a skin manager and loads, one after another, the skins named on its
// command line (a packed ".asz" file or a skin folder each). The window's
// caption names the skin in use, so a driver sees which one is applied.
//
//   skin_test_program.exe Z:\skins\TestSkin.asz Z:\tmp\damaged.asz
#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "classlib/controls/stdctrls.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/system/strutils.h"
#include "components/vtformheader.h"
#include "skin/controls/slabel.h"
#include "skin/controls/spanel.h"
#include "skin/core/skinmanager.h"

namespace {

constexpr const char* kCaption = "Skin deneme";

AnsiString WideToAnsi(const wchar_t* Text) {
  const int size = WideCharToMultiByte(1254, 0, Text, -1, nullptr, 0, nullptr, nullptr);
  AnsiString result(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  if (size > 1)
    WideCharToMultiByte(1254, 0, Text, -1, result.data(), size, nullptr, nullptr);
  return result;
}

std::vector<AnsiString> SkinArguments() {
  std::vector<AnsiString> result;
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  for (int i = 1; args != nullptr && i < count; ++i)
    result.push_back(WideToAnsi(args[i]));
  if (args != nullptr)
    LocalFree(args);
  return result;
}

// The form: a form header at the top, a skinned panel holding an edit, a
// button and a label, a second panel at the bottom with a label and a button
// that switches the manager off, and the manager.
class TSkinTestForm : public TForm {
public:
  explicit TSkinTestForm(TComponent* AOwner) : TForm(AOwner) {
    SetBounds(80, 80, 360, 300);
    Manager = new TsSkinManager(this);
    auto* header = new TVTFormHeader(this);
    header->SetParent(this);
    header->SetTitle("Skin başlığı");
    auto* panel = new TsPanel(this);
    panel->SetParent(this);
    panel->SetBounds(10, 40, 330, 150);
    panel->SetCaption("Panel");
    AddLabel(panel, 120, 55, "Birinci etiket");
    auto* bottom = new TsPanel(this);
    bottom->SetParent(this);
    bottom->SetAlign(alBottom);
    bottom->SetHeight(60);
    bottom->SetCaption("");
    AddLabel(bottom, 10, 10, "İkinci etiket");
    auto* off = new TButton(this);
    off->SetParent(bottom);
    off->SetBounds(200, 16, 120, 28);
    off->SetCaption("Skin kapat");
    off->OnClick = TNotifyEvent([this](TObject*) { Manager->SetActive(false); });
    Edit = new TEdit(this);
    Edit->SetParent(panel);
    Edit->SetBounds(10, 10, 200, 24);
    auto* button = new TButton(this);
    button->SetParent(panel);
    button->SetBounds(10, 50, 100, 28);
    button->SetCaption("Temizle");
    button->OnClick = TNotifyEvent([this](TObject*) { Edit->SetText(""); });
    ShowSkinName();
  }

  // Loads a packed skin file or a skin folder; a failure leaves the skin in use.
  void LoadSkin(const AnsiString& Path) {
    AnsiString name = ExtractFileName(Path);
    if (LowerCase(ExtractFileExt(name)) == ".asz")
      name = ChangeFileExt(name, "");
    Manager->SetSkinDirectory(ExtractFileDir(Path));
    Manager->SetSkinName(name);
    ShowSkinName();
  }

  void ShowSkinName() {
    const AnsiString name = Manager->SkinName();
    SetCaption(name.empty() ? AnsiString(kCaption) : AnsiString(kCaption) + " - " + name);
  }

  TsSkinManager* Manager = nullptr;
  TEdit* Edit = nullptr;

private:
  void AddLabel(TWinControl* Parent, int Left, int Top, const char* Caption) {
    auto* label = new TsLabel(this);
    label->SetParent(Parent);
    label->SetLeft(Left);
    label->SetTop(Top);
    label->SetCaption(Caption);
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    Application->Initialize();
    Application->SetTitle(kCaption);
    TSkinTestForm* form = nullptr;
    Application->CreateForm(form);
    form->Show();
    Application->ProcessMessages();
    for (const AnsiString& path : SkinArguments())
      form->LoadSkin(path);
    form->Edit->SetFocus();
    Application->Run();
  } catch (...) {
    Application->HandleException(Application);
    return 1;
  }
  return 0;
}
