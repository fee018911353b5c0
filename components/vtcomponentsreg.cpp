#include "components/vtcomponentsreg.h"

#include "components/bididbnavigator.h"
#include "components/vtprogress.h"
#include "components/vtformheader.h"
#include "skin/controls/skinctrlsreg.h"

void RegisterVtComponents() {
  RegisterSkinControls();
  RegisterClasses({TVTFormHeader::StaticClass(), TBiDiDBNavigator::StaticClass()});
  RegisterClasses({TVTProgress::StaticClass()});
}
