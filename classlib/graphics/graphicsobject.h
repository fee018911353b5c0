// The common part of TFont, TPen and TBrush: a GDI object created on demand
// from the properties, dropped again when a property changes, and an
// OnChange event the owning canvas or control listens to.
#pragma once
#include <windows.h>

#include "classlib/classes/events.h"
#include "classlib/classes/persistent.h"

class TGraphicsObject : public TPersistent {
  DECLARE_CLASS(TGraphicsObject, TPersistent)

public:
  TGraphicsObject() = default;
  ~TGraphicsObject() override { DeleteHandle(); }

  TNotifyEvent OnChange;

  // True while a GDI object exists for the current properties.
  bool HandleAllocated() const { return handle_ != nullptr; }

protected:
  // The GDI object for the current properties, made by CreateHandle on first use.
  HGDIOBJ HandleObject();
  // Adopts a GDI object made elsewhere (this object deletes it); OnChange fires.
  void AdoptHandle(HGDIOBJ handle);
  virtual HGDIOBJ CreateHandle() = 0;
  // A property changed: the GDI object is dropped and OnChange fires.
  void Changed();
  void DeleteHandle();

private:
  void ReplaceHandle(HGDIOBJ handle);

  HGDIOBJ handle_ = nullptr;
};
