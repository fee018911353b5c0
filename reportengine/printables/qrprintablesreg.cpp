#include "reportengine/printables/qrprintablesreg.h"

#include "classlib/classes/object.h"
#include "reportengine/printables/qrshape.h"

void RegisterQRPrintableClasses() {
  RegisterClasses({
      TQRShape::StaticClass(),
  });
}
