// Helpers shared by the data-aware control tests: one shown form, a message
// pump, real key messages, and a table of names, ages and flags with a data
// source, rebuilt for every test.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "classlib/dbctrls/dbctrlsreg.h"
#include "classlib/dbctrls/dbcontrolsupport.h"
#include "classlib/data/fielddefs.h"
#include "classlib/data/rxmemorydata.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"

namespace dbctrls_test {

inline void Pump() {
  for (int i = 0; i < 3; ++i)
    Application->ProcessMessages();
}

inline LPARAM KeyData(WORD key, bool up = false) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  LPARAM data = 1 | (static_cast<LPARAM>(scan) << 16);
  if (up)
    data |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  return data;
}

// Presses and releases a key on the window with the focus.
inline void PressKey(WORD key) {
  HWND target = GetFocus();
  PostMessageW(target, WM_KEYDOWN, key, KeyData(key));
  PostMessageW(target, WM_KEYUP, key, KeyData(key, true));
  Pump();
}

// Holds modifier keys down in the thread's keyboard state while it lives.
class HeldKeys {
public:
  explicit HeldKeys(std::initializer_list<WORD> keys) : keys_(keys.begin(), keys.end()) { Set(0x80); }
  ~HeldKeys() { Set(0); }

private:
  void Set(BYTE state) {
    BYTE keyboard[256];
    GetKeyboardState(keyboard);
    for (WORD k : keys_)
      keyboard[k] = state;
    SetKeyboardState(keyboard);
  }
  std::vector<WORD> keys_;
};

// Types characters into the window with the focus, one WM_CHAR each.
inline void TypeText(const wchar_t* text) {
  for (const wchar_t* p = text; *p != 0; ++p) {
    PostMessageW(GetFocus(), WM_CHAR, *p, 1);
    Pump();
  }
}

// The form the controls stand on: made and shown once for the process.
inline TForm* SharedForm() {
  static TForm* form = [] {
    RegisterDataControls();
    auto* f = new TForm(nullptr);
    f->SetBounds(40, 40, 640, 420);
    f->SetCaption("Kayitlar");
    f->Show();
    SetForegroundWindow(f->Handle());
    Pump();
    return f;
  }();
  return form;
}

// A table NAME (string 20), AGE (integer), ACTIVE (boolean) with a data
// source; the controls a test makes on the shared form go at its end.
class DataFixture : public testing::Test {
protected:
  void SetUp() override {
    Form = SharedForm();
    Owner = std::make_unique<TComponent>(nullptr);
    Table = new TRxMemoryData(Owner.get());
    Table->FieldDefs()->Add("NAME", ftString, 20);
    Table->FieldDefs()->Add("AGE", ftInteger);
    Table->FieldDefs()->Add("ACTIVE", ftBoolean);
    Source = new TDataSource(Owner.get());
    Source->SetDataSet(Table);
    Table->Open();
  }
  void TearDown() override {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
      (*it)->Free();
    controls_.clear();
    Owner.reset();
    Pump();
  }

  // A control of class C on the shared form at (x, y).
  template <class C>
  C* Make(int x, int y, int width, int height) {
    auto* control = new C(Form);
    control->SetParent(Form);
    control->SetBounds(x, y, width, height);
    controls_.push_back(control);
    return control;
  }

  void AddRows(const std::vector<std::tuple<std::string, int, bool>>& rows) {
    for (const auto& [name, age, active] : rows) {
      Table->Append();
      Table->FieldByName("NAME")->SetAsString(name);
      Table->FieldByName("AGE")->SetAsInteger(age);
      Table->FieldByName("ACTIVE")->SetAsBoolean(active);
      Table->Post();
    }
  }
  std::string Name() { return Table->FieldByName("NAME")->AsString(); }
  void Focus(TWinControl* control) {
    SetForegroundWindow(Form->Handle());
    Pump();
    control->SetFocus();
    Pump();
  }

  TForm* Form = nullptr;
  std::unique_ptr<TComponent> Owner;
  TRxMemoryData* Table = nullptr;
  TDataSource* Source = nullptr;

private:
  std::vector<TComponent*> controls_;
};

}  // namespace dbctrls_test
