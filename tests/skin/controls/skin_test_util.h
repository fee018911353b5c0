// Helpers shared by the skinned control and component tests: one shown form
// to put controls on, a panel per test that owns them, what a control paints
// as a bitmap, and streaming a component to and from its text form.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "classlib/classes/objecttext.h"
#include "classlib/classes/reader.h"
#include "classlib/classes/streams.h"
#include "classlib/classes/writer.h"
#include "classlib/controls/extctrls.h"
#include "classlib/forms/application.h"
#include "classlib/forms/forms.h"
#include "classlib/graphics/bitmap.h"

namespace skin_test {

struct FreeComponent {
  void operator()(TComponent* c) const { c->Free(); }
};
template <class T>
using Owned = std::unique_ptr<T, FreeComponent>;

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

// What the control paints (its client area; these controls have no window
// border) on a fresh 24-bit bitmap of its size.
inline void PaintClient(TWinControl* control, TBitmap& bitmap) {
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(control->Width(), control->Height());
  control->PaintTo(bitmap.Canvas().Handle(), 0, 0);
}

inline COLORREF Pixel(TBitmap& bitmap, int x, int y) { return GetPixel(bitmap.Canvas().Handle(), x, y); }

// The first pixel where the two bitmaps differ, as "x,y", or "" when they
// are the same size and equal.
inline std::string FirstDifference(TBitmap& a, TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return "size";
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (Pixel(a, x, y) != Pixel(b, x, y))
        return std::to_string(x) + "," + std::to_string(y);
  return "";
}

// The component as the text form of its stream.
inline std::string ComponentText(TComponent* root) {
  TMemoryStream binary;
  {
    TWriter writer(binary);
    writer.WriteRootComponent(root);
  }
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(binary, text);
  return std::string(static_cast<const char*>(text.Memory()), static_cast<std::size_t>(text.Size()));
}

// Reads the text form of a component into root.
inline void ReadComponentText(const std::string& source, TComponent* root) {
  TStringStream text(source);
  TMemoryStream binary;
  ObjectTextToBinary(text, binary);
  binary.SetPosition(0);
  TReader reader(binary);
  reader.ReadRootComponent(root);
}

}  // namespace skin_test
