#include "classlib/graphics/graphicsobject.h"

IMPLEMENT_CLASS(TGraphicsObject)

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
