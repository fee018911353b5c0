// The native build has no locale measurement or screen to ask: metric, 96 dpi.
#include "reportengine/printer/qrunitfacts.h"

namespace qrunitfacts_detail {

bool SystemUSMeasure() {
  return false;
}

int SystemScreenPixelsPerInch() {
  return 96;
}

}  // namespace qrunitfacts_detail
