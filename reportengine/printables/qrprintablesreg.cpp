#include "reportengine/printables/qrprintablesreg.h"

#include "classlib/classes/object.h"
#include "reportengine/printables/qrdbtext.h"
#include "reportengine/printables/qrexprlabel.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrlabel.h"
#include "reportengine/printables/qrmemo.h"
#include "reportengine/printables/qrshape.h"
#include "reportengine/printables/qrsysdata.h"
#include "reportengine/printables/vtqrlabel.h"

void RegisterQRPrintableClasses() {
  RegisterClasses({
      TQRShape::StaticClass(),
      TQRImage::StaticClass(),
      TQRDBImage::StaticClass(),
      TVtQrLabel::StaticClass(),
      TVtQrDBText::StaticClass(),
      TQRLabel::StaticClass(),
      TQRMemo::StaticClass(),
      TQRDBText::StaticClass(),
      TQRExpr::StaticClass(),
      TQRSysData::StaticClass(),
  });
}
