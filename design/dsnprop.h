// The property inspector the design controller can be linked to, and the
// property merger that feeds it.
//
// No inspector is linked in this program: the controller switches one on and
// off, tells it the stage's window and, while one is linked, keeps a
// property merger among the receivers of its selection. The merger keeps the
// properties the inspector names that every selected component publishes,
// with their common values, by the rules of the context menu (see
// contextprops.h); properties the inspector shows for a single selection
// only are left out from two selected components on.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "classlib/classes/component.h"
#include "classlib/classes/strings.h"
#include "design/contextprops.h"
#include "design/core/targetlist.h"

class TControl;
class TMultiProps;

class TCustomInspector : public TComponent {
  DECLARE_CLASS(TCustomInspector, TComponent)

public:
  explicit TCustomInspector(TComponent* AOwner) : TComponent(AOwner) {}

  bool Active() const { return FActive; }

  // ---- Overridables, in slot order ----
  // Stores the flag and activates or deactivates the inspector.
  virtual void SetActive(bool Value);
  virtual void Activate() = 0;
  virtual void Deactivate() = 0;
  // Writes Value into the property of every component of the merger, asks
  // the stage to refresh the selection (message 1602) and recomputes the
  // common values. A value that does not convert raises the error of
  // SetPropertyText.
  virtual void ApplyValue(const AnsiString& PropName, const AnsiString& Value);
  virtual void Refresh() = 0;
  // Has the controller select Control alone (message 1601 to its window, or
  // its parent's for a control without one).
  virtual void SelectControl(TControl* Control);
  // Names the properties to show; SingleOnly gets those shown for a single
  // selection only.
  virtual void GetPropLists(TStrings* Names, TStrings* SingleOnly) = 0;

  // The stage's window, the target of the inspector's messages.
  HWND StageHandle() const { return FStageHandle; }
  void SetStageHandle(HWND Value) { FStageHandle = Value; }
  // The merger of the controller's selection, while there is one.
  TMultiProps* Merger() const { return FMerger; }
  void SetMerger(TMultiProps* Value) { FMerger = Value; }

private:
  bool FActive = false;
  HWND FStageHandle = nullptr;
  TMultiProps* FMerger = nullptr;
};

// The property merger: a receiver of the selection that keeps the common
// properties of the selected components, recomputed on every change.
class TMultiProps : public TReceiveTargets {
public:
  TMultiProps() = default;

  // Copies the inspector's lists and recomputes.
  void SetPropLists(TStrings* Names, TStrings* SingleOnly);

  void ItemDeath(int Index) override;
  void Add(TComponent* Component) override;
  void Clear() override;
  void Delete(int Index) override;
  void Update() override { Recompute(); }

  void Recompute();
  // The selected components (an entry of one that died is nullptr).
  const std::vector<TComponent*>& Components() const { return FComponents; }
  // The common properties, in the inspector's order.
  int Count() const { return FProps != nullptr ? FProps->Count() : 0; }
  const AnsiString& Names(int Index) const { return FProps->Names(Index); }
  const AnsiString& Values(int Index) const { return FProps->Values(Index); }
  // The common value of a property, "" when it is not among them.
  AnsiString ValueOf(const AnsiString& PropName) const;

private:
  std::vector<TComponent*> FComponents;
  TStringList FNames;
  TStringList FSingleOnly;
  std::unique_ptr<TContextProps> FProps;
};
