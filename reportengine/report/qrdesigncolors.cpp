#include "reportengine/report/qrdesigncolors.h"

#include "classlib/graphics/screenfacts.h"

namespace {

constexpr TQRDesignColors kManyColors{
    psSolid, psSolid, 0xF9F9F9, 0xF0F0F0, "Small Fonts", 6, 0x707070, psDot, 0xFF8080, psDot, 0x606060};
constexpr TQRDesignColors kFewColors{
    psDot, psSolid, 0xC0C0C0, 0xC0C0C0, "Small Fonts", 6, 0xC0C0C0, psDash, 0x808080, psSolid, 0x808080};

const TQRDesignColors* gScoped = nullptr;

}  // namespace

TQRDesignColors QRDesignColorsFor(int NumColors) {
  return NumColors < 0 || NumColors > 256 ? kManyColors : kFewColors;
}

const TQRDesignColors& QRDesignColors() {
  if (gScoped != nullptr)
    return *gScoped;
  static const TQRDesignColors chosen = QRDesignColorsFor(ScreenFacts().NumColors);
  return chosen;
}

QRDesignColorsScope::QRDesignColorsScope(const TQRDesignColors& colors) : saved_(gScoped), colors_(colors) {
  gScoped = &colors_;
}

QRDesignColorsScope::~QRDesignColorsScope() { gScoped = saved_; }
