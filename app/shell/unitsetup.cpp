#include "app/shell/unitsetup.h"

#include "classlib/comctrls/comctrls.h"
#include "classlib/dbctrls/dbctrlsreg.h"
#include "classlib/forms/application.h"
#include "classlib/grids/gridregister.h"
#include "classlib/stdctrls/stdctrlsreg.h"
#include "classlib/system/formatsettings.h"
#include "components/vtcomponentsreg.h"
#include "design/dsnpanel.h"
#include "layouts/dizaynanaf.h"
#include "layouts/dizaynpreview.h"
#include "layouts/output/runneroutput.h"
#include "reportengine/composite/qrcomposite.h"
#include "reportengine/evaluator/qrevenvironment.h"
#include "reportengine/preview/qrlabeleditor.h"
#include "reportengine/preview/qrprev.h"
#include "reportengine/preview/qrprogressform.h"
#include "support/png/graphic/pnggraphic.h"
#include "textreport/forms/fmprintersetup.h"
#include "textreport/forms/zrprev.h"
#include "textreport/forms/zrprgres.h"

namespace {

AnsiString CurrentApplicationTitle() { return Application->Title(); }

}  // namespace

void SetUpUnits() {
  // The locale's separators and date formats come first: the expression
  // globals below already print the start time and date with them.
  LoadLocaleFormatSettings();
  RegisterStdControls();
  RegisterComCtrls();
  RegisterGridControls();
  RegisterDataControls();
  RegisterVtComponents();
  RegisterDsnPanelClasses();
  RegisterPngFormat();
  SetApplicationTitleSource(CurrentApplicationTitle);
  GlobalVariables();
  // The report engines reach their forms through factories, so the engines
  // themselves build and test without them.
  RegisterQRProgressForm();
  RegisterQRStandardPreview();
  RegisterQRLabelEditor();
  InstallPrinterSetupForm();
  InstallProgressForm();
  InstallZRPreviewForm();
  // Print and preview requests of the report component reach the runner.
  // The composite report class is registered first: the runner makes its
  // composite report (several graphic pages) only for a registered class.
  RegisterQRCompositeClasses();
  InstallReportRunner();
  InstallRunnerOutputPaths();
  InstallReportDesigner();
}
