#include "classlib/graphics/graphicsobject.h"

#include "classlib/classes/typinfo.h"
#include "classlib/graphics/charsets.h"
#include "classlib/graphics/colors.h"

IMPLEMENT_CLASS(TGraphicsObject)

namespace {

// Colours and font character sets travel by name in component streams
// ("clWindowText", "DEFAULT_CHARSET") when the value has one. Registered
// here because every font, pen and brush links this unit, so the names are
// known before any of them is streamed.
[[maybe_unused]] const bool kGraphicsIdentsRegistered = [] {
  RegisterIntegerConsts("TColor", IdentToColor, ColorToIdent);
  RegisterIntegerConsts("TFontCharset", IdentToCharset, CharsetToIdent);
  return true;
}();

}  // namespace

HGDIOBJ TGraphicsObject::HandleObject() {
  if (handle_ == nullptr)
    handle_ = CreateHandle();
  return handle_;
}

void TGraphicsObject::AdoptHandle(HGDIOBJ handle) {
  if (handle == handle_)
    return;
  ReplaceHandle(handle);
}

void TGraphicsObject::DeleteHandle() {
  if (handle_ != nullptr) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
}

void TGraphicsObject::Changed() {
  ReplaceHandle(nullptr);
}

void TGraphicsObject::ReplaceHandle(HGDIOBJ handle) {
  // Listeners (a canvas) deselect the old object first; only then can it go.
  HGDIOBJ old = handle_;
  handle_ = handle;
  if (OnChange)
    OnChange(this);
  if (old != nullptr)
    DeleteObject(old);
}
