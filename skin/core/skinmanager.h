// TsSkinManager: the component that loads a skin and skins the controls that
// use it. This program loads no skin: the manager carries only its Active
// switch, holds no sections, and so no control using it counts as skinned.
//
// The application's default manager is the one controls use when they name
// none of their own; there is none unless one is set.
#pragma once
#include "classlib/classes/component.h"

class TsSkinManager : public TComponent {
  DECLARE_CLASS(TsSkinManager, TComponent)

public:
  explicit TsSkinManager(TComponent* AOwner);
  ~TsSkinManager() override;

  // Whether the manager skins its controls.
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }

  // The number of skin sections loaded: none, as no skin is ever loaded.
  int SectionCount() const { return 0; }
  bool IsSectionIndexValid(int Index) const { return Index >= 0 && Index < SectionCount(); }
  // The index of the section of that name, or -1: with no skin loaded, -1.
  int FindSection(const AnsiString& Name) const { return -1; }

private:
  bool FActive = true;
};

// The manager controls without one of their own use, or nullptr.
TsSkinManager* DefaultManager();
// Makes Manager the default one (nullptr: none). A manager that is freed
// stops being the default.
void SetDefaultManager(TsSkinManager* Manager);
