#include "skin/controls/skinctrlsreg.h"

#include "skin/controls/slabel.h"
#include "skin/controls/slabelfx.h"
#include "skin/controls/smemo.h"
#include "skin/controls/sskinprovider.h"
#include "skin/controls/spanel.h"
#include "skin/core/alphaimagelist.h"
#include "skin/core/skinmanager.h"

void RegisterSkinControls() {
  RegisterClasses({TsPanel::StaticClass(), TsSkinManager::StaticClass(), TsAlphaImageList::StaticClass()});
  RegisterClasses({TsLabel::StaticClass(), TsEditLabel::StaticClass(), TsLabelFX::StaticClass()});
  RegisterClasses({TsMemo::StaticClass(), TsSkinProvider::StaticClass()});
}
