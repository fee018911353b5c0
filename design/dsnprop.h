// The abstract property inspector the design controller can be linked to.
// No inspector is linked in this program; the controller only switches one
// on and off and tells it the stage's window.
#pragma once
#include <windows.h>

#include "classlib/classes/component.h"
#include "classlib/classes/strings.h"

class TCustomInspector : public TComponent {
  DECLARE_CLASS(TCustomInspector, TComponent)

public:
  explicit TCustomInspector(TComponent* AOwner) : TComponent(AOwner) {}

  bool Active() const { return FActive; }
  // Stores the flag and activates or deactivates the inspector.
  virtual void SetActive(bool Value);
  virtual void Activate() = 0;
  virtual void Deactivate() = 0;
  virtual void Refresh() = 0;
  // Names the properties to show; SingleOnly gets those shown for a single
  // selection only.
  virtual void GetPropLists(TStrings* Names, TStrings* SingleOnly) = 0;

  // The stage's window, the target of the inspector's messages.
  HWND StageHandle() const { return FStageHandle; }
  void SetStageHandle(HWND Value) { FStageHandle = Value; }

private:
  bool FActive = false;
  HWND FStageHandle = nullptr;
};
