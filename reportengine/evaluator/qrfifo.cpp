#include "reportengine/evaluator/qrfifo.h"

#include "reportengine/evaluator/qrevelement.h"

IMPLEMENT_CLASS(TQRFiFo)

TQRFiFo::TQRFiFo() = default;
TQRFiFo::~TQRFiFo() = default;

void TQRFiFo::Append(TQREvElement* Element) {
  FItems.emplace_back(Element);
}
