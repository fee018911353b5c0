// One shown form that control tests put their controls on, and a panel per
// test that owns them. Header-only, for the Windows tests.
#pragma once
#include <windows.h>

#include <memory>

#include "classlib/controls/extctrls.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"

namespace test_support {

struct FreeComponent {
  void operator()(TComponent* c) const { c->Free(); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeComponent>;

// Handles what is waiting, a few times over, so paints and posted messages
// that follow from the first round are handled too.
inline void Pump() {
  for (int i = 0; i < 3; ++i) {
    Application->ProcessMessages();
    Sleep(1);
  }
}

// One form for all tests, at (50, 50): taking a shown top-level window down
// costs the test desktop seconds, so it stays up.
inline TForm* SharedForm() {
  static TForm* form = [] {
    auto* f = new TForm(nullptr);
    f->SetBounds(50, 50, 480, 360);
    f->SetCaption("Deneme");
    return f;
  }();
  return form;
}

// The controls of one test live on a borderless panel filling the shared
// form, which owns them and frees them at the end of the test.
class FormFixture {
public:
  FormFixture() : host_(new TPanel(nullptr)) {
    host_->SetBevelOuter(bvNone);
    host_->SetCaption("");
    host_->SetParent(SharedForm());
    host_->SetAlign(alClient);
  }
  ~FormFixture() { host_->Free(); }
  FormFixture(const FormFixture&) = delete;
  FormFixture& operator=(const FormFixture&) = delete;
  // The owner and parent of the test's controls.
  TPanel* Host() const { return host_; }
  template <class C>
  C* Add(int Left, int Top, int Width, int Height) {
    auto* control = new C(host_);
    control->SetParent(host_);
    control->SetBounds(Left, Top, Width, Height);
    return control;
  }
  void Show() {
    SharedForm()->Show();
    SetForegroundWindow(SharedForm()->Handle());
    Pump();
  }

private:
  TPanel* host_;
};

}  // namespace test_support
