#include "reportengine/report/qrreportreg.h"

#include "classlib/classes/object.h"
#include "classlib/data/dbregister.h"
#include "reportengine/printer/qrunitfacts.h"
#include "reportengine/report/qrband.h"
#include "reportengine/report/qrdesigncolors.h"
#include "reportengine/report/qrgroup.h"
#include "reportengine/report/qrsubdetail.h"
#include "reportengine/report/quickrep.h"

void RegisterQuickRepClasses() {
  static const bool done = [] {
    RegisterClasses({TQuickRep::StaticClass(), TQRBand::StaticClass(), TQRChildBand::StaticClass(),
                     TQRGroup::StaticClass(), TQRSubDetail::StaticClass()});
    // TQRExpr and TQRShape register with their printables' own set-up.
    // The table and the query register with the data classes.
    RegisterDataClasses();
    QRLoadBandNames();
    QRDesignColors();
    QRUsesUSMeasure();
    return true;
  }();
  (void)done;
}
