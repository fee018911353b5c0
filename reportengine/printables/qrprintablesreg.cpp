#include "reportengine/printables/qrprintablesreg.h"

#include "classlib/classes/object.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrshape.h"
#include "reportengine/printables/vtqrlabel.h"

void RegisterQRPrintableClasses() {
  RegisterClasses({
      TQRShape::StaticClass(),
      TQRImage::StaticClass(),
      TQRDBImage::StaticClass(),
      TVtQrLabel::StaticClass(),
      TVtQrDBText::StaticClass(),
  });
}
