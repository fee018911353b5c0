#include "skin/controls/skinctrlsreg.h"

#include "skin/controls/spanel.h"
#include "skin/core/alphaimagelist.h"
#include "skin/core/skinmanager.h"

void RegisterSkinControls() {
  RegisterClasses({TsPanel::StaticClass(), TsSkinManager::StaticClass(), TsAlphaImageList::StaticClass()});
}
