#include "skin/core/skinmanager.h"

#include "classlib/classes/typinfo.h"

namespace {
TsSkinManager* gDefaultManager = nullptr;
}

BEGIN_PUBLISHED(TsSkinManager)
  PROPERTY(Active, Active, SetActive).Default(true),
END_PUBLISHED

TsSkinManager::TsSkinManager(TComponent* AOwner) : TComponent(AOwner) {}

TsSkinManager::~TsSkinManager() {
  if (gDefaultManager == this)
    gDefaultManager = nullptr;
}

TsSkinManager* DefaultManager() { return gDefaultManager; }

void SetDefaultManager(TsSkinManager* Manager) { gDefaultManager = Manager; }
