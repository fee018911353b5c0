#include "components/vtcomponentsreg.h"

#include "components/bididbnavigator.h"
#include "components/vtbtnedit.h"
#include "components/vtprogress.h"
#include "components/vtformheader.h"
#include "components/vtwinbutton.h"
#include "components/vtcalc.h"
#include "components/vtrxdbgrid.h"
#include "skin/controls/skinctrlsreg.h"

void RegisterVtComponents() {
  RegisterSkinControls();
  RegisterClasses({TVTFormHeader::StaticClass(), TBiDiDBNavigator::StaticClass(), TVTProgress::StaticClass(),
                   TVtWinButton::StaticClass(), TVtEditButton::StaticClass(), TVtBtnEdit::StaticClass()});
  RegisterClasses({TVtCalc::StaticClass()});
  RegisterClasses({TVTRXDBGrid::StaticClass(), TVtDGDateEdit::StaticClass(), TVtDGCheckBox::StaticClass()});
}
