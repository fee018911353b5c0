#include "classlib/graphics/screenfacts.h"

#include <windows.h>

namespace {
const TScreenFacts* gSubstitute = nullptr;
}

TScreenFacts ReadScreenFacts() {
  TScreenFacts facts;
  HDC dc = GetDC(nullptr);
  if (dc != nullptr) {
    facts.PixelsPerInch = GetDeviceCaps(dc, LOGPIXELSY);
    facts.NumColors = GetDeviceCaps(dc, NUMCOLORS);
    facts.BitsPerPixel = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
    ReleaseDC(nullptr, dc);
  }
  return facts;
}

TScreenFacts ScreenFacts() {
  return gSubstitute != nullptr ? *gSubstitute : ReadScreenFacts();
}

ScreenFactsScope::ScreenFactsScope(const TScreenFacts& facts) : saved_(gSubstitute), facts_(facts) {
  gSubstitute = &facts_;
}

ScreenFactsScope::~ScreenFactsScope() {
  gSubstitute = saved_;
}
