#include "components/vtcomponentsreg.h"

#include "components/bididbnavigator.h"
#include "components/vtformheader.h"
#include "components/vtcalc.h"
#include "skin/controls/skinctrlsreg.h"

void RegisterVtComponents() {
  RegisterSkinControls();
  RegisterClasses({TVTFormHeader::StaticClass(), TBiDiDBNavigator::StaticClass()});
  RegisterClasses({TVtCalc::StaticClass()});
}
