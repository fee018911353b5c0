#include "skin/core/skinregistry.h"

#include <windows.h>

#include <algorithm>

#include "classlib/forms/application.h"
#include "skin/core/animeffects.h"
#include "skin/core/commondata.h"
#include "skin/core/skinforms.h"
#include "skin/core/skinmanager.h"

void AddSkinnedForm(TForm* Form) {
  std::vector<TForm*>& registry = SkinnedFormRegistry();
  if (std::find(registry.begin(), registry.end(), Form) == registry.end())
    registry.push_back(Form);
}

void RemoveSkinnedForm(TForm* Form) {
  std::vector<TForm*>& registry = SkinnedFormRegistry();
  size_t i = 0;
  while (i < registry.size()) {
    if (registry[i] != Form) {
      ++i;
      continue;
    }
    registry[i] = registry.back();
    registry.pop_back();
  }
}

bool ApplicationMinimized() {
  if (Application == nullptr)
    return false;
  if (IsIconic(Application->Handle()))
    return true;
  TCustomForm* main = Application->MainForm();
  return main != nullptr && main->HandleAllocated() && IsIconic(main->Handle());
}

void LockSkinnedFormsRedraw(TsSkinManager* Manager) {
  if (ApplicationMinimized())
    return;
  if (Manager != nullptr && Manager == DefaultManager() && Manager->AnimEffects()->SkinChanging()->Active())
    AnimationRunning = true;
}

void UnlockSkinnedFormsRedraw(TsSkinManager* Manager, bool) {
  if (ApplicationMinimized())
    return;
  if (Manager != nullptr && Manager == DefaultManager())
    AnimationRunning = false;
}
