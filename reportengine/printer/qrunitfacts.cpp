#include "reportengine/printer/qrunitfacts.h"

namespace {
const TQRUnitFacts* gScoped = nullptr;
}  // namespace

bool QRUsesUSMeasure() {
  if (gScoped != nullptr)
    return gScoped->USMeasure;
  // The locale is read once, when the engine first needs it.
  static const bool usMeasure = qrunitfacts_detail::SystemUSMeasure();
  return usMeasure;
}

int QRScreenPixelsPerInch() {
  if (gScoped != nullptr)
    return gScoped->ScreenPixelsPerInch;
  return qrunitfacts_detail::SystemScreenPixelsPerInch();
}

QRUnitFactsScope::QRUnitFactsScope(const TQRUnitFacts& facts) : saved_(gScoped), facts_(facts) {
  gScoped = &facts_;
}

QRUnitFactsScope::~QRUnitFactsScope() {
  gScoped = saved_;
}
