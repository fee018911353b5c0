#include "reportengine/printables/qrprintablesreg.h"

#include "classlib/classes/object.h"
#include "reportengine/printables/qrimage.h"
#include "reportengine/printables/qrshape.h"

void RegisterQRPrintableClasses() {
  RegisterClasses({
      TQRShape::StaticClass(),
      TQRImage::StaticClass(),
      TQRDBImage::StaticClass(),
  });
}
